#include "app/win/tab_button.h"

#include <windowsx.h>

#include "color/color.h"
#include "platform/win/handles.h"
#include "platform/win/hints.h"

namespace kolo::win {

namespace {
constexpr wchar_t kClass[] = L"KoloTabButton";
}

bool TabButton::Create(HWND parent, int x, int y, int w, int h, int tag, const std::string& hint) {
  tag_ = tag;
  hint_ = hint;
  RegisterClassOnce(kClass, 0, ::LoadCursorW(nullptr, IDC_HAND));
  // The hint (without its kind letter) is the window text: what a screen reader says.
  CreateWin(kClass, Widen(hint.size() > 1 ? hint.substr(1) : hint).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
            Px(x), Px(y), Px(w), Px(h), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + tag)));
  return Handle() != nullptr;
}

void TabButton::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled) down_ = keyDown_ = false;
  Invalidate();
}

void TabButton::Paint() {
  PaintDc pdc(Handle());
  RECT r = ClientRect();
  BufferedDc dc(pdc, r.right, r.bottom);
  const int state = !enabled_ ? 3 : (down_ && hover_) || keyDown_ ? 2 : hover_ ? 1 : 0;
  if (drawer) {
    drawer(dc, r.right, r.bottom, tag_, state);
    if (focused_) ::DrawFocusRect(dc, &r);
    return;
  }
  // Plain look until pictures are given.
  FillSolid(dc, r, state == 3 ? clSkyBlue : state == 2 ? 0x804000 : state == 1 ? 0xE0A020 : clFrame);
  wchar_t digit[2] = {static_cast<wchar_t>(L'1' + tag_), 0};
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, state == 3 ? clFrame : clWhite);
  ::DrawTextW(dc, digit, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TabButton::TrackLeave() {
  if (tracking_) return;
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
  tracking_ = ::TrackMouseEvent(&tme) != FALSE;
  SetHintOwner(this);
  SetApplicationHint(hint_);
}

LRESULT TabButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      TrackLeave();
      RECT r = ClientRect();
      POINT p = LgPoint(lp);
      const bool inside = ::PtInRect(&r, p) != FALSE;
      // Leaving while pressed forfeits the click, even if the pointer comes back.
      if (!inside) down_ = false;
      if (inside != hover_) {
        hover_ = inside;
        Invalidate();
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      hover_ = false;
      if (HintOwner() == this) {
        SetHintOwner(nullptr);
        SetApplicationHint("");
      }
      Invalidate();
      return 0;
    case WM_LBUTTONDOWN:
      if (!enabled_) return 0;
      down_ = true;
      hover_ = true;
      // A press can come without a move first (the pointer already rested
      // here): the hover look still has to end when the pointer leaves.
      TrackLeave();
      ::SetCapture(Handle());
      Invalidate();
      return 0;
    case WM_LBUTTONUP: {
      // Decide before releasing the capture: the release reports WM_CAPTURECHANGED.
      const bool click = down_ && hover_ && enabled_;
      down_ = false;
      if (::GetCapture() == Handle()) ::ReleaseCapture();
      // Wine drops leave tracking while the capture is held: arm it again.
      Invalidate();
      if (click && onClick) onClick(tag_);
      return 0;
    }
    case WM_CAPTURECHANGED:
      down_ = false;
      Invalidate();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      focused_ = msg == WM_SETFOCUS;
      if (!focused_) keyDown_ = false;
      Invalidate();
      return 0;
    case WM_KEYDOWN:
      if ((wp == VK_SPACE || wp == VK_RETURN) && enabled_ && !keyDown_) {
        keyDown_ = true;
        Invalidate();
      }
      return 0;
    case WM_KEYUP:
      if ((wp == VK_SPACE || wp == VK_RETURN) && keyDown_) {
        keyDown_ = false;
        Invalidate();
        if (enabled_ && onClick) onClick(tag_);
      }
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace kolo::win
