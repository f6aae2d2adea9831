#include "widgets/win/image_view.h"

#include <windowsx.h>

#include "platform/messages.h"
#include "color/color.h"
#include "platform/win/hints.h"

namespace kolo::win {

namespace {
constexpr wchar_t kClass[] = L"KoloImage";
}

bool ImageView::Create(HWND parent, int x, int y, int width, int height, int id) {
  RegisterClassOnce(kClass, CS_DBLCLKS);
  CreateWin(kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, Px(x), Px(y), Px(width), Px(height), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  SetCanvasSize(width, height);
  return Handle() != nullptr;
}

void ImageView::SetCanvasSize(int width, int height) {
  if (dc_ && oldBitmap_) ::SelectObject(dc_, oldBitmap_);
  bitmap_.Reset();
  if (!dc_) dc_.Reset(::CreateCompatibleDC(nullptr));
  width_ = width > 0 ? width : 1;
  height_ = height > 0 ? height : 1;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  bitmap_.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  pixels_ = static_cast<std::uint32_t*>(bits);
  oldBitmap_ = ::SelectObject(dc_, bitmap_);
  RECT r{0, 0, width_, height_};
  FillSolid(dc_, r, clSkyBlue);
}

void ImageView::SetBits24(const void* bits, int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;  // bottom-up
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  ::SetDIBitsToDevice(dc_, 0, 0, width, height, 0, 0, 0, height, bits, &bi, DIB_RGB_COLORS);
  Invalidate();
}

void ImageView::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (HintOwner() == this) SetApplicationHint(hint_);
}

unsigned ImageView::ShiftFromKeys(WPARAM wp) {
  unsigned s = 0;
  if (wp & MK_SHIFT) s |= ssShift;
  if (wp & MK_CONTROL) s |= ssCtrl;
  if (wp & MK_LBUTTON) s |= ssLeft;
  if (wp & MK_RBUTTON) s |= ssRight;
  if (wp & MK_MBUTTON) s |= ssMiddle;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

void ImageView::Track() {
  if (tracking_) return;
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
  tracking_ = ::TrackMouseEvent(&tme) != FALSE;
  SetHintOwner(this);
  SetApplicationHint(hint_);
}

void ImageView::Paint() {
  PaintDc pdc(Handle());
  if (UiScale() == 1) {
    ::BitBlt(pdc, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
    return;
  }
  const int mode = ::SetStretchBltMode(pdc, COLORONCOLOR);
  ::StretchBlt(pdc, 0, 0, Px(width_), Px(height_), dc_, 0, 0, width_, height_, SRCCOPY);
  ::SetStretchBltMode(pdc, mode);
}

LRESULT ImageView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = Lg(GET_X_LPARAM(lp)), y = Lg(GET_Y_LPARAM(lp));
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && cursor_) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      Track();
      if (onMouseMove) onMouseMove(ShiftFromKeys(wp), x, y);
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (HintOwner() == this) {
        SetHintOwner(nullptr);
        SetApplicationHint("");
      }
      if (onMouseLeave) onMouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      ::SetCapture(Handle());
      const MouseButton b = msg == WM_LBUTTONDOWN ? MouseButton::Left
                            : msg == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Middle;
      if (onMouseDown) onMouseDown(b, ShiftFromKeys(wp), x, y);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (::GetCapture() == Handle() && !(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        releasing_ = true;
        ::ReleaseCapture();
        releasing_ = false;
      }
      const MouseButton b = msg == WM_LBUTTONUP ? MouseButton::Left
                            : msg == WM_RBUTTONUP ? MouseButton::Right : MouseButton::Middle;
      if (onMouseUp) onMouseUp(b, ShiftFromKeys(wp), x, y);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (!releasing_ && reinterpret_cast<HWND>(lp) != Handle() && onCaptureLost) onCaptureLost();
      return 0;
    case WM_DRAGCOLOR_OVER:
    case WM_DRAGCOLOR_DROP:
      // The page under the picture speaks the colour-drag protocol.
      return ::SendMessageW(::GetParent(Handle()), msg, wp, lp);
    case WM_LBUTTONDBLCLK:
      if (onDblClick) onDblClick(MouseButton::Left, ShiftFromKeys(wp) | ssDouble, x, y);
      // The second click of a pair is a press too.
      if (onMouseDown) onMouseDown(MouseButton::Left, ShiftFromKeys(wp) | ssDouble, x, y);
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace kolo::win
