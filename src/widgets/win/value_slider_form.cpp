#include "widgets/win/value_slider_form.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "art_ids.h"
#include "widgets/win/monitors.h"

namespace kolo::win {

namespace {

TfrmColorPrev* g_slider = nullptr;

constexpr int kLeftArrowX = 0, kRightArrowX = 16;
constexpr int kFrameX = 6, kFrameTop = 2;  // the strip's outline, 10 wide
constexpr int kStripTop = 3;               // the row of the largest value

}  // namespace

TfrmColorPrev* ValueSliderForm() { return g_slider; }

TfrmColorPrev::TfrmColorPrev() : TSecondaryForm(SecondaryForm::ColorPrev, L"TfrmColorPrev") {
  header_.biSize = sizeof(BITMAPINFOHEADER);
  header_.biWidth = kStripWidth;
  header_.biHeight = kStripRows;
  header_.biPlanes = 1;
  header_.biBitCount = 24;
}

TfrmColorPrev::~TfrmColorPrev() {
  if (g_slider == this) g_slider = nullptr;
}

bool TfrmColorPrev::Create(HWND mainWindow) {
  main_ = mainWindow;
  if (!TSecondaryForm::Create(mainWindow, kSliderFormWidth, 100)) return false;
  g_slider = this;
  images_.LoadFromResource(KOLO_RES_IMAGES_DIALOG);
  // Only the strip and the arrows show: the background is the colour key.
  ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(Handle(), ToColorRef(kTransparentKey), 255, LWA_COLORKEY | LWA_ALPHA);
  ::SetWindowTextW(Handle(), L"value slider");
  return true;
}

void TfrmColorPrev::SetStripRow(int range, int value, TColor c) {
  const int row = kStripRows - 1 - range + value;
  if (row < 0 || row >= kStripRows) return;
  std::uint8_t* p = pixels_.data() + static_cast<std::size_t>(row) * kStripWidth * 3;
  for (int x = 0; x < kStripWidth; ++x) {
    p[3 * x] = GetB(c);
    p[3 * x + 1] = GetG(c);
    p[3 * x + 2] = GetR(c);
  }
}

void TfrmColorPrev::Popup(TVMPictureButton& anchor, int range, Callback callback, int current) {
  if (!Handle()) return;
  if (anchor_) CloseSlider();
  range_ = std::clamp(range, 0, kStripRows - 1);
  callback_ = std::move(callback);
  RECT mr{}, ar{};
  ::GetWindowRect(main_, &mr);
  ::GetWindowRect(anchor.Handle(), &ar);
  // Worked out in logical pixels around the main window's corner.
  const POINT origin{mr.left, mr.top};
  mr = LgRectAround(mr, origin);
  ar = LgRectAround(ar, origin);
  SliderPlacement p = PlaceValueSlider(IntRect{mr.left, mr.top, mr.right, mr.bottom},
                                       IntRect{ar.left, ar.top, ar.right, ar.bottom}, range_, current,
                                       LgAround(MonitorRectOf(main_).bottom, origin.y));
  const RECT d = PxRectAround({p.bounds.left, p.bounds.top, p.bounds.right, p.bounds.bottom}, origin);
  p.bounds = {d.left, d.top, d.right, d.bottom};
  arrowTop_ = p.arrowTop;

  anchor_ = &anchor;
  anchorAlive_ = anchor.AliveToken();
  savedImages_ = anchor.ImageListID();
  TVMImageButtonListID open = savedImages_;
  open.Normal = open.Move = open.Down = anchor.Height() < 15 ? kOpenImageSmall : kOpenImageTall;
  anchor.SetImageListID(open);
  anchor.Invalidate();
  dragging_ = false;

  const IntRect& b = p.bounds;
  ::SetWindowPos(Handle(), HWND_TOPMOST, b.left, b.top, b.Width(), b.Height(), SWP_NOACTIVATE);
  Invalidate();
  ::ShowWindow(Handle(), SW_SHOW);
  // Active, so that a click anywhere else closes it.
  ::SetForegroundWindow(Handle());
}

void TfrmColorPrev::RestoreAnchor() {
  if (anchor_ && !anchorAlive_.expired()) {
    anchor_->SetImageListID(savedImages_);
    anchor_->Invalidate();
  }
  anchor_ = nullptr;
  dragging_ = false;
}

void TfrmColorPrev::CloseSlider() {
  RestoreAnchor();
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  if (Handle() && ::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_HIDE);
}

void TfrmColorPrev::leftCursorMouseMove() {
  if (!dragging_ || !anchor_) return;
  POINT pt{};
  ::GetCursorPos(&pt);
  RECT wr = WindowRect();
  const SliderDrag d = DragValueSlider(LgAround(pt.y, wr.top), wr.top, Lg(wr.bottom - wr.top), range_);
  if (d.arrowTop == arrowTop_) return;
  arrowTop_ = d.arrowTop;
  Invalidate();
  ::UpdateWindow(Handle());
  if (callback_) callback_(anchor_, d.value);
}

void TfrmColorPrev::AnchorMouseMove(int dxFromPress, int dyFromPress) {
  if (!anchor_) return;
  if (std::abs(dxFromPress) >= 2 || std::abs(dyFromPress) >= 2) dragging_ = true;
  leftCursorMouseMove();
}

void TfrmColorPrev::AnchorMouseUp() {
  if (dragging_) CloseSlider();
}

void TfrmColorPrev::Paint(HDC dc) {
  RECT client = ClientRect();
  FillSolid(dc, client, kTransparentKey);
  const int stripRows = range_ + 1;
  // The outline, then the strip's rows for values range (top) down to 0.
  RECT frame{kFrameX, kFrameTop, kFrameX + kStripWidth + 2, kStripTop + stripRows + 1};
  FillSolid(dc, frame, clFrame);
  BITMAPINFO bi{};
  bi.bmiHeader = header_;
  ::StretchDIBits(dc, kFrameX + 1, kStripTop, kStripWidth, stripRows, 0, kStripRows - stripRows, kStripWidth,
                  stripRows, pixels_.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  images_.Draw(dc, kLeftArrowX, arrowTop_, art::kDlgImgSliderPointerLeft);
  images_.Draw(dc, kRightArrowX, arrowTop_, art::kDlgImgSliderPointerRight);
}

LRESULT TfrmColorPrev::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PaintDc pdc(Handle());
      RECT r = ClientRect();
      BufferedDc buffer(pdc, r.right, r.bottom);
      Paint(buffer);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_LBUTTONDOWN:
      dragging_ = true;
      ::SetCapture(Handle());
      leftCursorMouseMove();
      return 0;
    case WM_MOUSEMOVE:
      leftCursorMouseMove();
      return 0;
    case WM_LBUTTONUP:
      CloseSlider();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE && anchor_) CloseSlider();
      return 0;
    case WM_CAPTURECHANGED:
      return 0;
    case WM_SHOWWINDOW:
      // Hidden by anyone (the main window hides it when another program takes over): the anchor looks as before.
      if (!wp) RestoreAnchor();
      return TSecondaryForm::HandleMessage(msg, wp, lp);
    default:
      return TSecondaryForm::HandleMessage(msg, wp, lp);
  }
}

void BindValueButton(TVMPictureButton& button, std::function<void()> open) {
  auto press = std::make_shared<POINT>();
  button.OnMouseDown = [press, open](Widget&, MouseButton b, unsigned, int x, int y) {
    if (b != MouseButton::Left) return;
    *press = POINT{x, y};
    if (open) open();
  };
  button.OnMouseMove = [press, &button](Widget&, unsigned, int x, int y) {
    TfrmColorPrev* slider = ValueSliderForm();
    if (slider && slider->Anchor() == &button && (::GetKeyState(VK_LBUTTON) < 0))
      slider->AnchorMouseMove(x - press->x, y - press->y);
  };
  button.OnMouseUp = [&button](Widget&, MouseButton b, unsigned, int, int) {
    TfrmColorPrev* slider = ValueSliderForm();
    if (b == MouseButton::Left && slider && slider->Anchor() == &button) slider->AnchorMouseUp();
  };
}

}  // namespace kolo::win
