#include "images/win/get_image_tab.h"

#include "frame/win/picture_dialog.h"

#include <gdiplus.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>

#include "art_ids.h"
#include "frame/cursor_shapes.h"
#include "frame/win/image_panel.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_cursor.h"
#include "frame/win/system_win.h"
#include "hook/hook_events.h"
#include "images/win/image_files.h"
#include "platform/win/gdiplus_session.h"
#include "platform/win/handles.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/picture_controls.h"

namespace kolo::win {

namespace {

constexpr UINT kFrameTimerMs = 10;
constexpr UINT kLoadTimerMs = 10;
// How long a grab waits for the screen to show the overlay cleared.
constexpr UINT kOverlayGrabDelayMs = 80;
constexpr int kButtonW = 24, kButtonH = 22;
constexpr int kSliderTop = kButtonH + 2, kSliderH = 9;
constexpr int kListTop = kSliderTop + kSliderH + 2;
constexpr int kScrollerWidth = 9;

// The one tab object the thread timers call back (there is one screenshot tab).
TGetImageTab* g_tab = nullptr;

TVMImageButtonListID Slider(int first) {
  TVMImageButtonListID ids;
  ids.Normal = first + art::kStateNormal;
  ids.Move = first + art::kStateHover;
  ids.Down = first + art::kStateDown;
  ids.Disable = first + art::kStateDisabled;
  return ids;
}

RECT Clip(RECT r, const RECT& bounds, int inset) {
  r.left = std::max(r.left, bounds.left);
  r.top = std::max(r.top, bounds.top);
  r.right = std::min(r.right, bounds.right - inset);
  r.bottom = std::min(r.bottom, bounds.bottom - inset);
  return r;
}

}  // namespace

TGetImageTab::TGetImageTab(TMainFrame& main) : TBaseTab(main) {
  g_tab = this;
  folder_ = ScreenshotFolder();
}

TGetImageTab::~TGetImageTab() {
  if (frameTimer_) ::KillTimer(nullptr, frameTimer_);
  if (loadTimer_) ::KillTimer(nullptr, loadTimer_);
  if (grabTimer_) ::KillTimer(nullptr, grabTimer_);
  frame_.Erase();
  areaFrame_.Erase();
  if (g_tab == this) g_tab = nullptr;
}

void TGetImageTab::CreateControls() {
  Widget& page = main_.pages.screenShotTab;
  if (!page.Handle() || btnPrintScreen.Handle()) return;
  struct Spec {
    TVMPictureButton& b;
    int first;
    bool hasDisabled;
    int x;
    const char* hint;
    const wchar_t* name;
  };
  const Spec specs[] = {
      {btnPrintScreen, art::kImgPrintScreenNormal, false, 0, "Sget screenshot", L"get screenshot"},
      {btnGetWindowShot, art::kImgWindowShotNormal, true, kButtonW, "Sget windowshot", L"get windowshot"},
      {btnGetImage, art::kImgSelectAreaNormal, false, 2 * kButtonW, "Sselect area on screen", L"select area on screen"},
      {btnAddImage, art::kImgAddImageNormal, true, page.Width() - kButtonW, "Sadd image to list", L"add image to list"},
  };
  for (const Spec& s : specs) {
    s.b.SetImageList(&main_.mainImages);
    s.b.SetImages(s.first, s.first + 1, s.first + 2, s.hasDisabled ? s.first + 3 : -2);
    s.b.SetHint(s.hint);
    s.b.Create(page, s.x, 0, kButtonW, kButtonH);
    ::SetWindowTextW(s.b.Handle(), s.name);
  }
  btnPrintScreen.OnClick = [this](Widget&) { btnPrintScreenClick((::GetKeyState(VK_SHIFT) & 0x8000) != 0); };
  btnGetWindowShot.OnClick = [this](Widget&) { btnGetWindowShotClick(); };
  btnAddImage.OnClick = [this](Widget&) { btnAddImageClick(); };
  btnGetImage.OnClick = [this](Widget&) { btnGetImageClick(); };

  // The handle size of the area shot: 3, 5 .. 15 pixels.
  PlaceHorizontalSlider(BoxSizeScroll, main_.scrollImages, page, 3, 9, 1, 0, kSliderTop, page.Width(), L"box size");
  BoxSizeScroll.OnChange = [this](TVMScrollImage&) { SetBoxSizeFromSlider(); };

  scrollImages_.LoadFromResource(KOLO_RES_IMAGES_SCROLL);
  const int listH = page.Height() - kListTop;
  const int listW = page.Width() - kScrollerWidth - 1;
  HookImageList.Column = 1;
  HookImageList.Filter = "png";
  HookImageList.Path = folder_;
  HookImageList.SetHint("Sscreenshots");
  HookImageList.Create(page, 0, kListTop, listW, listH);
  ::SetWindowTextW(HookImageList.Handle(), L"screenshots");
  listScroller.SetImageList(&scrollImages_);
  listScroller.ImageUp = Slider(art::kScrollImgArrowUpNormal);
  listScroller.ImageDown = Slider(art::kScrollImgArrowDownNormal);
  listScroller.ImageScroll = Slider(art::kScrollImgThumbVerticalNormal);
  listScroller.CentralImageID = art::kScrollImgGripVertical;
  listScroller.SetKing(TScrollKing::Vertical);
  listScroller.FocusControl = HookImageList.Handle();
  listScroller.Create(page, listW + 1, kListTop, kScrollerWidth, listH);
  ::SetWindowTextW(listScroller.Handle(), L"screenshot list scroll bar");
  HookImageList.SetVerticalScroller(&listScroller);
  HookImageList.OnSelect = [this](TKOLImageList&) { HookImageListSelect(); };
  HookImageList.OnDeletePress = [this](TKOLImageList&) { DeleteImage(); };
  HookImageList.OnDblClick = [this](Widget&) {
    if (HookImageList.Select()) ViewImage();
  };
  HookImageList.OnPopup = [this](TKOLImageList&, int x, int y) {
    if (main_.imagePopup) main_.imagePopup(x, y);
  };
  HookImageList.OnHintItem = [this](TKOLImageList& list, const std::string& fileName) {
    const TKOLImgobj* item = nullptr;
    for (int i = 0; i < list.Count() && !fileName.empty(); ++i)
      if (list.Item(i).attrs.fileName == fileName) item = &list.Item(i);
    list.SetHint(item ? ImageItemHint(item->attrs, item->imageWidth, item->imageHeight) : "Sscreenshots");
  };
  HookImageList.LoadFromFile(folder_ + L"list.bin");
  listLoaded_ = true;
}

// --- the tab frame ---

void TGetImageTab::Activate() {
  CreateControls();
  main_.imgMain.SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  main_.ShowPages(&main_.pages.ImageTab, &main_.pages.screenShotTab, &main_.ImageBottomTab());
  BoxSizeScroll.SetPosition((boxSize - 3) / 2 + 3);
  BoxSizeHint();
  const TKOLImgobj* item = HookImageList.Select();
  if (currentImage_)
    SetImageControls(true, item ? item->attrs.url : "", static_cast<int>(currentImage_->GetHeight()),
                     static_cast<int>(currentImage_->GetWidth()), transparentColor);
  else
    SetImageControls(false, "", 0, 0, transparentColor);
  ShowPreview(false);
  UpdatePublishHint();
}

void TGetImageTab::Deactivate() {
  if (main_.captureMode == CaptureMode::WindowShot) WindowShotFinish(false);
  if (main_.captureMode == CaptureMode::AreaShot) FinishAreaSelection();
}

void TGetImageTab::SetBoxSizeFromSlider() { SetBoxSize((BoxSizeScroll.Position() - 3) * 2 + 3); }

void TGetImageTab::BoxSizeHint() { BoxSizeScroll.SetHint("Sbox size " + std::to_string(boxSize) + " px"); }

// A side below 1 shows an empty field; a field already showing the number is
// left alone, so the caret of someone typing there stays put.
void TGetImageTab::ShowSizeFields(int width, int height) {
  TImageBottomPanel& tools = main_.ImageBottomTab();
  const std::pair<HWND, int> fields[] = {{tools.edWidthImage, width}, {tools.edHeightImage, height}};
  for (const auto& [field, value] : fields) {
    const std::string text = value >= 1 ? std::to_string(value) : "";
    if (field && WindowText(field) != text) ::SetWindowTextW(field, Widen(text).c_str());
  }
}

HCURSOR TGetImageTab::CrossCursor() {
  const CursorShape shape = PlainCrossShape();
  auto bits = std::make_unique<bool[]>(shape.inverts.size());
  for (std::size_t i = 0; i < shape.inverts.size(); ++i) bits[i] = shape.inverts[i];
  return BuildCursor(shape.width, shape.height, shape.hotX, shape.hotY, bits.get());
}

void TGetImageTab::SetFrameTimer(bool on) {
  if (frameTimer_) ::KillTimer(nullptr, frameTimer_);
  frameTimer_ = on ? ::SetTimer(nullptr, 0, kFrameTimerMs, &TimerProc) : 0;
}

void TGetImageTab::LoadSettings(SettingsStore& store) {
  const int n = store.ReadInteger("GETI_boxWidth").value_or(7);
  // Odd, 3..15: what the box slider can give.
  boxSize = std::clamp(n, 3, 15) | 1;
}

void TGetImageTab::SaveSettings(SettingsStore& store) {
  store.WriteInteger("GETI_boxWidth", boxSize);
  // A list never shown was never read: writing it would drop its lines.
  if (!listLoaded_) return;
  const bool saved = HookImageList.SaveToFile(folder_ + L"list.bin");
  // The old file is still whole; the user hears of it once, not at every save point.
  if (!saved && !listSaveFailed_)
    ShowMessageBox("The screenshot list could not be saved (the disk may be full or the folder read-only). "
                   "The previous list file is kept.",
                   MessageKind::Error, kMbOk);
  listSaveFailed_ = !saved;
}

void TGetImageTab::SetCurrentImage(std::unique_ptr<Gdiplus::Bitmap> image) { currentImage_ = std::move(image); }

// --- preview ---

void TGetImageTab::ShowPreview(bool updateSizes) {
  HDC dc = main_.imgMain.Canvas();
  if (!dc) return;
  if (!EnsureGdiplus()) {
    RECT r{0, 0, 256, 256};
    FillSolid(dc, r, clSkyBlue);
    main_.imgMain.Refresh();
    return;
  }
  {
    Gdiplus::Graphics g(dc);
    g.Clear(Gdiplus::Color(0xFFA6CAF0));
    if (currentImage_) {
      const int w = static_cast<int>(currentImage_->GetWidth()), h = static_cast<int>(currentImage_->GetHeight());
      Gdiplus::ImageAttributes attrs;
      if (transparentColor != -1) {
        const auto c = static_cast<TColor>(transparentColor);
        const Gdiplus::Color key(255, GetR(c), GetG(c), GetB(c));
        attrs.SetColorKey(key, key);
      }
      Gdiplus::Pen border(Gdiplus::Color(0xFF0080C0), 1);
      Gdiplus::Rect image, frame;
      if (w <= 254 && h <= 254) {
        const int x = (254 - w) / 2, y = (254 - h) / 2;
        image = {x, y, w, h};
        frame = {x - 1, y - 1, w + 1, h + 1};
      } else if (h >= w) {
        const double q = static_cast<double>(w) * 254 / h;
        image = {static_cast<int>(RoundHalfEven((254 - q) / 2 + 1)), 1, static_cast<int>(RoundHalfEven(q)), 254};
        frame = {static_cast<int>(RoundHalfEven((254 - q) / 2)), 0, static_cast<int>(RoundHalfEven(q + 1)), 255};
      } else {
        const double q = static_cast<double>(h) * 254 / w;
        image = {1, static_cast<int>(RoundHalfEven((254 - q) / 2 + 1)), 254, static_cast<int>(RoundHalfEven(q))};
        frame = {0, static_cast<int>(RoundHalfEven((254 - q) / 2)), 255, static_cast<int>(RoundHalfEven(q + 1))};
      }
      g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
      g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
      g.DrawImage(currentImage_.get(), image, 0, 0, w, h, Gdiplus::UnitPixel, &attrs);
      g.DrawRectangle(&border, frame);
    }
  }
  main_.imgMain.Refresh();
  if (updateSizes && currentImage_)
    main_.ImageBottomTab().SetImageControls(main_.ImageControlsEnabled(), main_.ImageBottomTab().Url(),
                                            static_cast<int>(currentImage_->GetHeight()),
                                            static_cast<int>(currentImage_->GetWidth()));
}

// --- full-screen shot ---

void TGetImageTab::HideMainWindow() {
  // Invisible but not hidden: a hidden window would move the focus and the taskbar.
  HWND w = main_.Handle();
  ::SetWindowLongPtrW(w, GWL_EXSTYLE, ::GetWindowLongPtrW(w, GWL_EXSTYLE) | WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(w, 0, 0, LWA_ALPHA);
  ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::GdiFlush();
}

void TGetImageTab::ShowMainWindow() {
  HWND w = main_.Handle();
  ::SetLayeredWindowAttributes(w, 0, 255, LWA_ALPHA);
  ::SetWindowLongPtrW(w, GWL_EXSTYLE, ::GetWindowLongPtrW(w, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
}

void TGetImageTab::btnPrintScreenClick(bool allMonitors) {
  FinishPendingGrab();
  if (main_.captureMode == CaptureMode::AreaShot) {
    if (area_.Drawn()) UpdateSelection(false, ahMove, false);  // take the area again
    return;
  }
  if (main_.captureMode != CaptureMode::None) return;
  ClearListSelection();
  HideMainWindow();
  const RECT r = allMonitors ? VirtualScreenRect() : PrimaryScreenRect();
  auto shot = GrabScreen(r);
  ShowMainWindow();
  if (shot) currentImage_ = std::move(shot);
  ClearTransparent();
  SetImageControls(currentImage_ != nullptr, "", currentImage_ ? static_cast<int>(currentImage_->GetHeight()) : 0,
                   currentImage_ ? static_cast<int>(currentImage_->GetWidth()) : 0, transparentColor);
  ShowPreview(true);
  UpdatePublishHint();
}

// --- window shot ---

void TGetImageTab::btnGetWindowShotClick() {
  if (main_.captureMode == CaptureMode::AreaShot) {
    AlignToWindows();
    return;
  }
  FinishPendingGrab();
  if (!main_.BeginCapture(CaptureMode::WindowShot)) return;
  useOverlay_ = compositionProbe && compositionProbe();
  if (useOverlay_) Overlay().ShowOverlay();
  HideMainWindow();
  parentLevel_ = 0;
  framedWindow_ = nullptr;
  hoverWindow_ = nullptr;
  main_.SetToolCursor(CrossCursor());
}

void TGetImageTab::ShotEvent(CaptureMode mode, unsigned event, LPARAM data) {
  if (mode == CaptureMode::AreaShot) {
    AreaEvent(event, data);
    return;
  }
  if (mode != CaptureMode::WindowShot) return;
  switch (event) {
    case heMouseMove: WindowShotTrack(); break;
    case heLeftDown:
    case heLeftUp:
    case kShotTake: WindowShotFinish(true); break;
    case heRightUp:
    case heActivate:
    case kShotCancel: WindowShotFinish(false); break;
    case heWheel: WindowShotClimb(static_cast<short>(HIWORD(static_cast<DWORD>(data))) >= 1); break;
    default: break;
  }
}

void TGetImageTab::ShowWindowFrame() {
  framedWindow_ = hoverWindow_;
  frameRect_ = hoverRect_;
  if (useOverlay_) {
    Overlay().DrawPlainFrame(frameRect_);
    return;
  }
  frame_.Erase();
  frame_.Draw(frameRect_);
}

// The window at a screen point, looking through the overlay (its key colour
// lets the mouse through, but not every system's hit test knows that).
HWND TGetImageTab::WindowUnder(POINT p) {
  if (!useOverlay_) return ::WindowFromPoint(p);
  Overlay().seeThrough = true;
  HWND w = ::WindowFromPoint(p);
  Overlay().seeThrough = false;
  return w;
}

void TGetImageTab::WindowShotTrack() {
  if (main_.captureMode != CaptureMode::WindowShot) return;
  POINT p;
  ::GetCursorPos(&p);
  HWND w = WindowUnder(p);
  if (!w || w == framedWindow_ || (useOverlay_ && w == Overlay().Handle())) return;
  parentLevel_ = 0;
  hoverWindow_ = w;
  RECT r;
  ::GetWindowRect(w, &r);
  hoverRect_ = Clip(r, VirtualScreenRect(), 1);
  SetFrameTimer(false);
  ShowWindowFrame();
  if (!useOverlay_) SetFrameTimer(true);
}

void TGetImageTab::WindowShotClimb(bool up) {
  const int level = up ? parentLevel_ + 1 : std::max(0, parentLevel_ - 1);
  POINT p;
  ::GetCursorPos(&p);
  HWND w = WindowUnder(p);
  for (int i = 0; i < level && w; ++i) w = ::GetParent(w);
  if (!w || level == parentLevel_) return;
  RECT r;
  if (!::GetWindowRect(w, &r) || r.right <= r.left || r.top >= r.bottom || r.right <= 0 || r.bottom <= 0) return;
  parentLevel_ = level;
  hoverRect_ = Clip(r, VirtualScreenRect(), 1);
  ShowWindowFrame();
}

void TGetImageTab::WindowShotFinish(bool take) {
  if (main_.captureMode != CaptureMode::WindowShot) return;
  main_.EndCapture();
  if (useOverlay_) Overlay().Erase(true);
  frame_.Erase();
  framedWindow_ = nullptr;
  SetFrameTimer(false);
  const bool took = take && hoverWindow_;
  const RECT r = Clip(frameRect_, VirtualScreenRect(), 0);
  hoverWindow_ = nullptr;
  auto finish = [this, took, r] {
    if (took) {
      ClearListSelection();
      if (auto shot = GrabScreen(r)) currentImage_ = std::move(shot);
      ClearTransparent();
      ShowPreview(true);
      SetImageControls(currentImage_ != nullptr, "", currentImage_ ? static_cast<int>(currentImage_->GetHeight()) : 0,
                       currentImage_ ? static_cast<int>(currentImage_->GetWidth()) : 0, transparentColor);
    }
    if (useOverlay_) Overlay().HideOverlay();
    ShowMainWindow();
    UpdatePublishHint();
  };
  if (took && useOverlay_)
    DeferGrab(std::move(finish));
  else
    finish();
}

// A grab with the overlay up waits until the screen shows the overlay cleared:
// the grab reads layered windows too, and the windows below first repaint
// what the cleared drawing uncovered.
void TGetImageTab::DeferGrab(std::function<void()> grab) {
  // A newer grab of the area replaces one still waiting (typing a size grabs at every key).
  if (grabTimer_) ::KillTimer(nullptr, grabTimer_);
  pendingGrab_ = std::move(grab);
  grabTimer_ = ::SetTimer(nullptr, 0, kOverlayGrabDelayMs, &TimerProc);
}

void TGetImageTab::FinishPendingGrab() {
  if (!grabTimer_) return;
  ::KillTimer(nullptr, grabTimer_);
  grabTimer_ = 0;
  auto grab = std::move(pendingGrab_);
  pendingGrab_ = nullptr;
  if (grab) grab();
}

void CALLBACK TGetImageTab::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  TGetImageTab* tab = g_tab;
  if (!tab) {
    ::KillTimer(nullptr, id);
    return;
  }
  if (id == tab->frameTimer_) {
    if (tab->main_.captureMode == CaptureMode::WindowShot) tab->frame_.Refresh();
    if (tab->main_.captureMode == CaptureMode::AreaShot) tab->UpdateSelection(false, 0, true);
  } else if (id == tab->grabTimer_) {
    tab->FinishPendingGrab();
  } else if (id == tab->loadTimer_) {
    tab->LoadTimerTick();
  } else {
    ::KillTimer(nullptr, id);
  }
}

// --- the list ---

void TGetImageTab::ClearListSelection() {
  if (!HookImageList.Handle()) return;
  HookImageList.SetItemIndex(-1);
}

void TGetImageTab::UpdatePublishHint() {
  const TKOLImgobj* item = HookImageList.Select();
  main_.acImageToWeb.SetHint(item && !item->attrs.url.empty() && !item->attrs.modified ? "Sview on site"
                                                                                      : "Spublish on site");
}

void TGetImageTab::AddImageToList(bool clearUrl) {
  if (!currentImage_ || !HookImageList.Handle()) return;
  const std::string name = UnusedTimestampName(folder_, ".png");
  if (!SaveImagePng(*currentImage_, folder_ + Widen(name))) {
    // The picture stays on screen and in memory; the list is untouched.
    ShowMessageBox("The picture could not be saved in the screenshot folder (the disk may be full or the folder "
                   "read-only). It is still here: save it somewhere else with the save button.",
                   MessageKind::Error, kMbOk);
    return;
  }
  std::string url = main_.ImageBottomTab().Url();
  if (clearUrl) {
    url.clear();
    if (main_.ImageBottomTab().edURL) ::SetWindowTextW(main_.ImageBottomTab().edURL, L"");
  }
  HookImageList.Add(name, transparentColor, url);
  HookImageList.ApplyLimit(main_.Options().maxScreenImages);
  UpdatePublishHint();
}

void TGetImageTab::HookImageListSelect() {
  if (TKOLImgobj* item = HookImageList.Select()) {
    SetImageControls(false, item->attrs.url, item->imageHeight, item->imageWidth, item->attrs.transparent);
    if (::GetFileAttributesW((folder_ + Widen(item->attrs.fileName)).c_str()) == INVALID_FILE_ATTRIBUTES) {
      currentImage_.reset();
      ShowPreview(true);
    } else {
      if (loadTimer_) loadRestarted_ = true;
      else loadTimer_ = ::SetTimer(nullptr, 0, kLoadTimerMs, &TimerProc);
    }
  }
  UpdatePublishHint();
}

void TGetImageTab::LoadTimerTick() {
  ::KillTimer(nullptr, loadTimer_);
  loadTimer_ = 0;
  loadRestarted_ = false;
  TKOLImgobj* item = HookImageList.Select();
  if (!item) return;
  const std::string name = item->attrs.fileName;
  currentImage_ = LoadImageFile(folder_ + Widen(name));
  // A newer selection made while the file loaded wins; its own tick loads again.
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_TIMER) continue;  // our own tick comes again from the restart below
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  item = HookImageList.Select();
  if (loadRestarted_ || !item || item->attrs.fileName != name) {
    loadRestarted_ = false;
    if (item) loadTimer_ = ::SetTimer(nullptr, 0, kLoadTimerMs, &TimerProc);
    return;
  }
  ShowPreview(false);
  SetImageControls(currentImage_ != nullptr, item->attrs.url, currentImage_ ? static_cast<int>(currentImage_->GetHeight()) : 0,
                   currentImage_ ? static_cast<int>(currentImage_->GetWidth()) : 0, item->attrs.transparent);
  UpdatePublishHint();
}

// --- publishing ---

void TGetImageTab::PublishOnSite() {
  if (Publisher* p = GetPublisher()) p->PublishOnSite(*this);
}
void TGetImageTab::ImageToWeb() {
  if (Publisher* p = GetPublisher()) p->ImageToWeb(*this);
}
void TGetImageTab::ViewOnSite() {
  if (Publisher* p = GetPublisher()) p->ViewOnSite(*this);
}

Gdiplus::Image* TGetImageTab::PublishImage() { return currentImage_.get(); }

std::string TGetImageTab::SelectedItemUrl() {
  const TKOLImgobj* item = HookImageList.Select();
  return item ? item->attrs.url : std::string();
}

bool TGetImageTab::SelectedItemModified() {
  const TKOLImgobj* item = HookImageList.Select();
  return item && item->attrs.modified;
}

void TGetImageTab::SetSelectedItemUrl(const std::string& url) {
  TKOLImgobj* item = HookImageList.Select();
  if (!item) return;
  item->attrs.url = url;
  item->attrs.modified = false;
  // A published address is kept at once: it cannot be had again.
  HookImageList.SaveToFile(folder_ + L"list.bin");
}

void TGetImageTab::AddPublishedImage() {
  AddImageToList(false);
  if (HookImageList.Handle()) HookImageList.SaveToFile(folder_ + L"list.bin");
}

// --- opening a file ---

void TGetImageTab::OpenImage() {
  const std::wstring file = AskOpenPictureFile(main_);
  if (file.empty()) return;
  auto image = LoadImageFile(file);
  if (!image) {
    ShowMessageBox("Unable to load image.", MessageKind::Error, kMbOk);
    return;
  }
  currentImage_ = std::move(image);
  ClearListSelection();
  ClearTransparent();
  SetImageControls(true, "", static_cast<int>(currentImage_->GetHeight()),
                   static_cast<int>(currentImage_->GetWidth()), transparentColor);
  ShowPreview(true);
  UpdatePublishHint();
}

}  // namespace kolo::win
