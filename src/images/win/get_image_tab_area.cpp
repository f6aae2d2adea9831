// The screenshot tab's area shot: a rectangle drawn anywhere on the screen,
// moved, resized by its handles, squared, snapped to windows or typed, with
// the dragged handle magnified on the main image and the rectangle grabbed
// after every drag. Its frame is drawn on the overlay window when the desktop
// composes windows (inverted pixels would fight the compositor), otherwise
// by inverting the screen's pixels.
#include "images/win/get_image_tab.h"

#include <gdiplus.h>

#include <algorithm>

#include "art_ids.h"
#include "frame/routines.h"
#include "frame/win/image_panel.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_win.h"
#include "hook/hook_events.h"

namespace kolo::win {

namespace {

AreaBounds ScreenBounds() {
  const RECT v = VirtualScreenRect();
  return {v.left, v.top, v.right, v.bottom};
}

// The sizing cursor a handle shows; the arrow elsewhere.
LPCWSTR CursorFor(int hit) {
  switch (hit) {
    case ahMove: return IDC_SIZEALL;
    case ahLeftTop:
    case ahRightBottom: return IDC_SIZENWSE;
    case ahLeftBottom:
    case ahRightTop: return IDC_SIZENESW;
    case ahLeft:
    case ahRight: return IDC_SIZEWE;
    case ahTop:
    case ahBottom: return IDC_SIZENS;
    default: return IDC_ARROW;
  }
}

constexpr TColor kMarkColor = 0xC08000;

}  // namespace

bool (*TGetImageTab::compositionProbe)() = &IsCompositionEnabled;

TfrmTransp& TGetImageTab::Overlay() {
  if (TfrmTransp* form = TfrmTransp::Find()) return *form;
  if (!ownOverlay_) {
    ownOverlay_ = std::make_unique<TfrmTransp>();
    ownOverlay_->Create(main_.Handle());
  }
  return *ownOverlay_;
}

void TGetImageTab::btnGetImageClick() {
  if (main_.captureMode == CaptureMode::AreaShot)
    FinishAreaSelection();
  else
    StartAreaSelection();
}

void TGetImageTab::StartAreaSelection() {
  FinishPendingGrab();
  if (!main_.BeginCapture(CaptureMode::AreaShot)) return;
  useOverlay_ = compositionProbe && compositionProbe();
  if (useOverlay_) {
    Overlay().cursor = ::LoadCursorW(nullptr, IDC_CROSS);
    Overlay().ShowOverlay();
  }
  SetShotButtons(true);
  // Only the size fields stay: typing there sizes the selection.
  TImageBottomPanel& tools = main_.ImageBottomTab();
  SetImageControls(false, tools.Url(), currentImage_ ? static_cast<int>(currentImage_->GetHeight()) : 0,
                   currentImage_ ? static_cast<int>(currentImage_->GetWidth()) : 0, transparentColor);
  tools.btnOpenImage.SetEnabled(false);
  tools.btnCopyURLImage.SetEnabled(false);
  tools.EnableSizeFields(true, 4);
  area_.Start(boxSize);
  drawnBoxSize_ = -1;
  cursorShape_ = -1;
  main_.SetToolCursor(CrossCursor());
  if (useOverlay_) Overlay().BringToTop();
}

void TGetImageTab::SetShotButtons(bool areaRunning) {
  struct Look {
    TVMPictureButton& b;
    int first;
    const char* hint;
  };
  const Look looks[] = {
      {btnGetImage, areaRunning ? art::kImgFinishAreaNormal : art::kImgSelectAreaNormal,
       areaRunning ? "Bfinish (right button click)" : "Sselect area on screen"},
      {btnPrintScreen, areaRunning ? art::kImgRefreshAreaNormal : art::kImgPrintScreenNormal,
       areaRunning ? "Srefresh image" : "Sget screenshot"},
  };
  for (const Look& l : looks) {
    l.b.SetImages(l.first, l.first + 1, l.first + 2, -2);
    l.b.SetHint(l.hint);
    ::SetWindowTextW(l.b.Handle(), Widen(l.hint + 1).c_str());
  }
  const char* align = areaRunning ? "Salign by window" : "Sget windowshot";
  btnGetWindowShot.SetHint(align);
  ::SetWindowTextW(btnGetWindowShot.Handle(), Widen(align + 1).c_str());
}

void TGetImageTab::AreaEvent(unsigned event, LPARAM data) {
  if (main_.captureMode != CaptureMode::AreaShot) return;
  POINT p;
  ::GetCursorPos(&p);
  switch (event) {
    case heLeftDown: AreaPress(p); break;
    case heMouseMove: AreaMove(p); break;
    case heLeftUp: AreaRelease(p); break;
    case heRightUp:
    case heActivate:
    case kShotCancel:
    case kShotTake: FinishAreaSelection(); break;
    case heKey:
      if (data == VK_RETURN || data == VK_ESCAPE || data == VK_SPACE)
        FinishAreaSelection();
      else
        AreaMove(p);
      break;
    default: break;
  }
}

bool TGetImageTab::AreaShotWants(POINT p, bool press) const {
  if (main_.captureMode != CaptureMode::AreaShot) return false;
  if (press && area_.dragMode == ahFirstPress) return true;
  if (!area_.Drawn()) return false;
  if (!press && area_.dragMode >= ahMove) return true;
  return area_.HitTest(p.x, p.y) != ahNone;
}

void TGetImageTab::AreaShotWindowMove(bool starting) {
  if (main_.captureMode == CaptureMode::AreaShot && area_.Drawn()) UpdateSelection(starting, 0, false);
}

void TGetImageTab::AreaPress(POINT p) {
  SetFrameTimer(false);
  FinishPendingGrab();
  const bool first = !area_.Drawn();
  const AreaSelection::PressResult r = area_.Press(p.x, p.y);
  if (first && r.mode != ahNone) {
    ShowSizeFields(area_.selX2 - area_.selX1 + 1, area_.selY2 - area_.selY1 + 1);
    ClearTransparent();
    if (HWND url = main_.ImageBottomTab().edURL) ::SetWindowTextW(url, L"");
    ClearListSelection();
  }
  if (r.snap) ::SetCursorPos(r.to.x, r.to.y);
  if (useOverlay_) Overlay().BringToTop();
}

void TGetImageTab::AreaMove(POINT p) {
  const int mode = area_.dragMode;
  if (mode == ahNone) {
    SetAreaCursor(area_.HitTest(p.x, p.y));
    return;
  }
  if (mode == ahFirstPress) return;
  const bool shift = (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
  const int shown = area_.Drag(p.x, p.y, shift, ScreenBounds());
  if (mode == ahMove) {
    UpdateSelection(false, 0, false);
    return;
  }
  UpdateSelection(false, shown, false);
  ShowSizeFields(shownRect_.Width(), shownRect_.Height());
}

void TGetImageTab::AreaRelease(POINT p) {
  if (!area_.Release()) return;  // the second report of the same release
  AreaMove(p);
  UpdateSelection(false, ahMove, false);
  ClearListSelection();
  if (useOverlay_)
    Overlay().BringToTop();
  else
    SetFrameTimer(true);
}

void TGetImageTab::FinishAreaSelection() {
  if (main_.captureMode != CaptureMode::AreaShot) return;
  SetFrameTimer(false);
  FinishPendingGrab();
  areaFrame_.Erase();
  drawnBoxSize_ = -1;
  if (useOverlay_) Overlay().HideOverlay();
  main_.LeaveSmallMode();
  ShowPreview(false);
  SetShotButtons(false);
  main_.EndCapture();
  TImageBottomPanel& tools = main_.ImageBottomTab();
  tools.EnableSizeFields(false, 5);
  const TKOLImgobj* item = HookImageList.Select();
  SetImageControls(currentImage_ != nullptr, item ? item->attrs.url : tools.Url(),
                   currentImage_ ? static_cast<int>(currentImage_->GetHeight()) : 0,
                   currentImage_ ? static_cast<int>(currentImage_->GetWidth()) : 0, transparentColor);
  UpdatePublishHint();
}

// handle: 0 just the frame, 2 grab the rectangle, 3..10 the frame and that handle magnified.
// sizing: the main window is being moved or sized, so an inverted frame stays off the screen.
void TGetImageTab::UpdateSelection(bool sizing, int handle, bool refreshOnly) {
  if (refreshOnly) {
    if (!useOverlay_ && drawnBoxSize_ != -1) areaFrame_.Refresh();
    return;
  }
  if (useOverlay_) {
    shownRect_ = area_.Ordered();
    drawnBoxSize_ = boxSize;
    if (handle == ahMove) {
      // The frame comes back after the grab.
      Overlay().Erase(true);
      DeferGrab([this] {
        GrabArea();
        DrawAreaFrame();
      });
      return;
    }
    DrawAreaFrame();
    if (!sizing && handle >= ahLeftTop) ShowMagnifier(handle);
    return;
  }
  areaFrame_.Erase();
  shownRect_ = area_.Ordered();
  drawnBoxSize_ = boxSize;
  if (sizing) {
    drawnBoxSize_ = -1;
    ::RedrawWindow(main_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return;
  }
  if (handle == ahMove) GrabArea();
  // The frame comes back at once after a grab, so the user always sees what is selected.
  DrawAreaFrame();
  if (handle >= ahLeftTop) {
    ShowMagnifier(handle);
    areaFrame_.Refresh();  // the main image may lie under the frame
  }
}

void TGetImageTab::DrawAreaFrame() {
  if (useOverlay_) {
    Overlay().DrawHandleFrame(shownRect_, boxSize);
    return;
  }
  std::vector<InvertedFrame::Strip> strips;
  for (FrameStrip& s : AreaFrameStrips(shownRect_, drawnBoxSize_, ScreenBounds())) {
    if (s.Empty()) continue;
    strips.push_back({{s.left, s.top, s.left + s.width, s.top + s.height}, std::move(s.mask), {}});
  }
  areaFrame_.Draw(std::move(strips));
}

void TGetImageTab::GrabArea() {
  const RECT r{shownRect_.left, shownRect_.top, shownRect_.right + 1, shownRect_.bottom + 1};
  if (auto shot = GrabScreen(r)) currentImage_ = std::move(shot);
  ShowPreview(false);
}

// The n x n pixels around the handle, each a cell of the main image, with the
// selection's edges marked beside the centre cell.
void TGetImageTab::ShowMagnifier(int code) {
  if (code < ahLeftTop) {
    ShowPreview(false);
    return;
  }
  HDC dc = main_.imgMain.Canvas();
  if (!dc) return;
  const int n = boxSize;
  const MagnifierLayout m = Magnifier(WorkPicture::kSize, n);
  const RECT all{0, 0, WorkPicture::kSize, WorkPicture::kSize};
  FillSolid(dc, all, clSkyBlue);
  const AreaPoint at = HandlePoint(shownRect_, code);
  const RECT square{at.x - n / 2, at.y - n / 2, at.x - n / 2 + n, at.y - n / 2 + n};
  const RECT screen = VirtualScreenRect();
  RECT seen;
  std::vector<std::uint32_t> px;
  if (::IntersectRect(&seen, &square, &screen) && ReadScreen(seen, px)) {
    const int w = seen.right - seen.left;
    for (int y = seen.top; y < seen.bottom; ++y) {
      for (int x = seen.left; x < seen.right; ++x) {
        std::uint32_t c = px[static_cast<std::size_t>((y - seen.top) * w + x - seen.left)];
        // The inverted frame is on the screen: show the true colours under it.
        if (!useOverlay_ && areaFrame_.Shown() && IsAreaFramePixel(shownRect_, drawnBoxSize_, x, y)) c ^= 0xFFFFFF;
        const int i = x - square.left, k = y - square.top;
        const RECT cell{i * m.cell + m.offset + 1, k * m.cell + m.offset + 1, (i + 1) * m.cell + m.offset - 1,
                        (k + 1) * m.cell + m.offset - 1};
        FillSolid(dc, cell, RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
      }
    }
  }
  for (const AreaBounds& mark : MagnifierMarks(WorkPicture::kSize, n, code))
    FillSolid(dc, RECT{mark.left, mark.top, mark.right, mark.bottom}, kMarkColor);
  main_.imgMain.Refresh();
  ::UpdateWindow(main_.imgMain.Handle());
}

void TGetImageTab::SetAreaCursor(int hit) {
  const LPCWSTR id = CursorFor(hit);
  const int shape = static_cast<int>(reinterpret_cast<std::uintptr_t>(id));
  if (shape == cursorShape_) return;
  cursorShape_ = shape;
  ShowMagnifier(hit);
  HCURSOR cursor = ::LoadCursorW(nullptr, id);
  if (useOverlay_) Overlay().cursor = cursor;
  main_.SetToolCursor(CopyCursor(cursor));
}

void TGetImageTab::AlignToWindows() {
  if (!area_.Drawn()) return;
  const AreaRect r = area_.Ordered();
  std::vector<AreaBounds> windows;
  for (POINT corner : {POINT{r.left, r.top}, POINT{r.right, r.top}, POINT{r.left, r.bottom}, POINT{r.right, r.bottom}}) {
    HWND w = WindowUnder(corner);
    RECT wr;
    if (!w || w == Overlay().Handle() || !::GetWindowRect(w, &wr)) continue;
    windows.push_back({wr.left, wr.top, wr.right, wr.bottom});
  }
  if (area_.GrowOver(windows, ScreenBounds())) {
    UpdateSelection(false, ahMove, false);
    ShowSizeFields(shownRect_.Width(), shownRect_.Height());
  }
}

void TGetImageTab::SetBoxSize(int n) {
  boxSize = n;
  BoxSizeHint();
  if (main_.captureMode != CaptureMode::AreaShot) return;
  if (!area_.Drawn()) {
    area_.boxSize = n;
    return;
  }
  area_.SetBoxSize(n);
  UpdateSelection(false, 0, false);
  ShowSizeFields(shownRect_.Width(), shownRect_.Height());
}

void TGetImageTab::ImageSizeEdited(HWND edit) {
  if (main_.captureMode != CaptureMode::AreaShot) return FollowSizeFields(edit);
  if (!area_.Drawn()) return;
  TImageBottomPanel& tools = main_.ImageBottomTab();
  const AreaBounds screen = ScreenBounds();
  // A size beyond the screen is cut to it, and the field says so.
  auto read = [](HWND field, int limit) {
    const int v = StrToIntRange(WindowText(field), 0, 0, limit);
    if (v == limit && WindowText(field) != std::to_string(limit))
      ::SetWindowTextW(field, std::to_wstring(limit).c_str());
    return v;
  };
  const int w = read(tools.edWidthImage, screen.right - screen.left);
  const int h = read(tools.edHeightImage, screen.bottom - screen.top);
  area_.TypeSize(w, h, screen);
  UpdateSelection(false, ahMove, false);
}

}  // namespace kolo::win
