#include "widgets/win/widget.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win/hints.h"

namespace kolo {

namespace {

// Publishes a control's hint as the application hint and remembers the owner,
// so that the leave of the previous control cannot wipe the new one's hint.
void ShowHint(const Widget* owner, const std::string& hint) {
  win::SetHintOwner(owner);
  win::SetApplicationHint(hint);
}

// Set while a wheel message is handed to the control under the pointer, so
// the parents it bubbles up to do not hand it on again.
thread_local bool wheelForwarding = false;

unsigned KeyboardShift() {
  unsigned shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// Mouse-message key bits to ShiftFlags (Alt is not in them: ask the keyboard).
unsigned MouseShift(WPARAM wp) {
  unsigned shift = 0;
  if (wp & MK_SHIFT) shift |= ssShift;
  if (wp & MK_CONTROL) shift |= ssCtrl;
  if (wp & MK_LBUTTON) shift |= ssLeft;
  if (wp & MK_RBUTTON) shift |= ssRight;
  if (wp & MK_MBUTTON) shift |= ssMiddle;
  if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

}  // namespace

HFONT DefaultWidgetFont() {
  static win::Font font([] {
    LOGFONTW lf{};
    lf.lfHeight = -11;  // 8 pt at 96 dpi
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    return ::CreateFontIndirectW(&lf);
  }());
  return font;
}

Widget::Widget() = default;

Widget::~Widget() {
  if (Action()) action_->Unsubscribe(actionToken_);
  if (win::HintOwner() == this) win::SetHintOwner(nullptr);
  // Destroy the window while the members are alive: the children detach in
  // their OnDestroyed and need this object's child list.
  if (Handle()) ::DestroyWindow(Handle());
  for (Widget* child : children_) child->parent_ = nullptr;
  children_.clear();
  DetachFromParent();
}

bool Widget::Create(HWND parent, int x, int y, int width, int height) {
  const wchar_t* cls = ClassName();
  devicePixels_ = win::InDevicePixelWindow(parent);
  if (!RegisterClassOnce(cls, CS_DBLCLKS)) return false;
  bounds_ = IntRect::FromSize(x, y, width, height);
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | ExtraStyle();
  if (visible_) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  if (!CreateWin(cls, L"", style, 0, Px(x), Px(y), Px(width), Px(height), parent)) return false;
  NameAfterHint("");
  AttachToParent();
  Created();
  return true;
}

void Widget::AttachToParent() {
  parent_ = dynamic_cast<Widget*>(Window::FromHandle(::GetParent(hwnd())));
  if (!parent_) return;
  parent_->children_.push_back(this);
  parent_->ChildAdded(*this);
  if (align_ != alNone) parent_->Realign();
}

void Widget::DetachFromParent() {
  if (!parent_) return;
  Widget* parent = parent_;
  parent_ = nullptr;
  auto& list = parent->children_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  parent->ChildRemoved(*this);
}

void Widget::OnDestroyed() {
  hover_ = leftHeld_ = false;
  // No call into the hint handler here: its window may be going down too. The
  // next control the pointer enters publishes its hint.
  if (win::HintOwner() == this) win::SetHintOwner(nullptr);
  DetachFromParent();
}

Widget* Widget::ParentWidget() const { return parent_; }

int Widget::Lg(int device) const {
  const int s = Scale(), q = device / s;
  return (device % s != 0 && device < 0) ? q - 1 : q;
}

RECT Widget::LgRect(const RECT& r) const { return {Lg(r.left), Lg(r.top), Lg(r.right), Lg(r.bottom)}; }

RECT Widget::ClientRect() const { return LgRect(DeviceClientRect()); }

void Widget::SetBounds(int x, int y, int width, int height) {
  IntRect r = IntRect::FromSize(x, y, width, height);
  if (r == bounds_) return;
  if (hwnd()) {
    ::SetWindowPos(hwnd(), nullptr, Px(x), Px(y), Px(width), Px(height),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    bounds_ = r;
  }
  if (align_ != alNone) ParentRealign();
}

void Widget::SetColor(TColor color) {
  parentColor_ = false;
  if (color_ == color) return;
  color_ = color;
  Invalidate();
}

void Widget::SetParentColor(bool on) {
  parentColor_ = on;
  Invalidate();
}

TColor Widget::EffectiveColor() const {
  if (parentColor_ && parent_) return parent_->EffectiveColor();
  return color_;
}

void Widget::SetFont(HFONT font) {
  font_ = font;
  Invalidate();
}

void Widget::SetFontColor(TColor color) {
  fontColor_ = color;
  Invalidate();
}

void Widget::SetHint(std::string hint) {
  if (hint_ == hint) return;
  const std::string old = std::move(hint_);
  hint_ = std::move(hint);
  NameAfterHint(old);
  RefreshOwnHint();
}

// A control without a name of its own is named by its hint, less the kind
// letter, and follows the hint when it changes (screen readers, tests).
void Widget::NameAfterHint(const std::string& oldHint) {
  if (!hwnd() || hint_.size() < 2) return;
  wchar_t current[256] = {};
  ::GetWindowTextW(hwnd(), current, 256);
  const std::wstring oldName = oldHint.size() > 1 ? win::Widen(oldHint.substr(1)) : std::wstring();
  if (current[0] == 0 || current == oldName) ::SetWindowTextW(hwnd(), win::Widen(hint_.substr(1)).c_str());
}

std::string Widget::EffectiveHint() const {
  if (!hint_.empty() || !parent_) return hint_;
  return parent_->EffectiveHint();
}

void Widget::RefreshOwnHint() {
  if (hover_ || win::HintOwner() == this) ShowHint(this, EffectiveHint());
}

void Widget::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  // A disabled window hears no more mouse messages: end the hover now.
  if (!enabled && hover_) {
    hover_ = false;
    MouseLeave();
  }
  if (hwnd()) ::EnableWindow(hwnd(), enabled ? TRUE : FALSE);  // WM_ENABLE repaints
  else EnabledChanged();
}

void Widget::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (hwnd()) ::ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
  if (align_ != alNone) ParentRealign();
}

void Widget::SetAlign(TAlign align) {
  if (align_ == align) return;
  align_ = align;
  ParentRealign();
}

void Widget::SetCustomAlign(TCustomAlign align) {
  customAlign_ = align;
  if (align != caNone) align_ = alCustom;
  ParentRealign();
}

void Widget::SetAction(TAction* action) {
  if (Action()) action_->Unsubscribe(actionToken_);
  action_ = action;
  actionAlive_ = action ? action->AliveToken() : std::weak_ptr<char>();
  actionToken_ = 0;
  if (!action_) return;
  auto sync = [this] {
    SetEnabled(action_->Enabled());
    if (!action_->Hint().empty()) SetHint(action_->Hint());
  };
  actionToken_ = action_->Subscribe(sync);
  sync();
}

void Widget::Click() {
  if (!enabled_) return;  // a disabled control never clicks, whoever sends the input
  if (TAction* action = Action()) {
    action->Execute();
  } else if (OnClick) {
    OnClick(*this);
  }
}

void Widget::ParentRealign() {
  if (parent_) parent_->Realign();
}

IntRect Widget::AlignArea() const {
  RECT rc = ClientRect();
  return {rc.left, rc.top, rc.right, rc.bottom};
}

void Widget::Realign() {
  if (!hwnd() || realigning_ || children_.empty()) return;
  realigning_ = true;
  std::vector<AlignItem> items;
  items.reserve(children_.size());
  for (Widget* c : children_) items.push_back({c->align_, c->customAlign_, c->visible_, c->bounds_});
  RECT rc = ClientRect();
  auto placed = LayoutChildren(AlignArea(), rc.right, rc.bottom, items);
  // Moving a child can add or remove children in its handlers: work on a copy.
  std::vector<Widget*> kids = children_;
  for (size_t i = 0; i < kids.size() && i < placed.size(); ++i) {
    Widget* c = kids[i];
    if (c->align_ == alNone || !c->visible_ || placed[i] == c->bounds_ || !c->hwnd()) continue;
    const IntRect& r = placed[i];
    ::SetWindowPos(c->hwnd(), nullptr, Px(r.left), Px(r.top), Px(r.Width()), Px(r.Height()),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  realigning_ = false;
}

void Widget::Paint(HDC dc, const IntRect& client) {
  win::FillSolid(dc, ToRect(client), ToColorRef(EffectiveColor()));
}

void Widget::PaintParentBackground(HDC dc) {
  if (!parent_ || !parent_->hwnd()) {
    RECT rc = ClientRect();
    win::FillSolid(dc, rc, ToColorRef(EffectiveColor()));
    return;
  }
  int saved = ::SaveDC(dc);
  ::OffsetViewportOrgEx(dc, -bounds_.left, -bounds_.top, nullptr);
  RECT prc = parent_->ClientRect();
  parent_->Paint(dc, {prc.left, prc.top, prc.right, prc.bottom});
  ::RestoreDC(dc, saved);
}

void Widget::PaintTree(HDC dc) {
  if (!hwnd()) return;
  RECT rc = ClientRect();
  int saved = ::SaveDC(dc);
  Paint(dc, {rc.left, rc.top, rc.right, rc.bottom});
  ::RestoreDC(dc, saved);
  for (Widget* c : children_) {
    if (!c->visible_ || !c->hwnd()) continue;
    int s = ::SaveDC(dc);
    ::OffsetViewportOrgEx(dc, c->bounds_.left, c->bounds_.top, nullptr);
    ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->PaintTree(dc);
    ::RestoreDC(dc, s);
  }
}

void Widget::PaintMessage() {
  win::PaintDc pdc(hwnd());
  RECT rc = ClientRect();
  IntRect client{rc.left, rc.top, rc.right, rc.bottom};
  if (Scale() > 1 && DrawsAtScreenSize()) {
    const RECT device = DeviceClientRect();
    win::BufferedDc buffer(pdc, device.right, device.bottom, 1);
    const int saved = ::SaveDC(buffer);
    ::SetMapMode(buffer, MM_ANISOTROPIC);
    ::SetWindowExtEx(buffer, 1, 1, nullptr);
    ::SetViewportExtEx(buffer, Scale(), Scale(), nullptr);
    Paint(buffer, client);
    ::RestoreDC(buffer, saved);  // the copy to the window reads the buffer pixel for pixel
    return;
  }
  // Above 1x the picture is otherwise made at the logical size and enlarged.
  if (dblBuffered_ || Scale() > 1) {
    win::BufferedDc buffer(pdc, rc.right, rc.bottom, Scale());
    Paint(buffer, client);
  } else {
    Paint(pdc, client);
  }
}

void Widget::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void Widget::MouseMove(unsigned shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void Widget::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void Widget::MouseEnter() {
  ShowHint(this, EffectiveHint());
  if (OnMouseEnter) OnMouseEnter(*this);
}

void Widget::MouseLeave() {
  if (win::HintOwner() == this) ShowHint(nullptr, "");
  if (OnMouseLeave) OnMouseLeave(*this);
}

bool Widget::MouseWheel(int delta) {
  if (!OnMouseWheel) return false;
  OnMouseWheel(*this, delta);
  return true;
}

void Widget::CaptureLost() {
  if (OnCaptureLost) OnCaptureLost(*this);
}

void Widget::KeyDown(WORD key, unsigned shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
}

void Widget::KeyUp(WORD key, unsigned shift) {
  if (OnKeyUp) OnKeyUp(*this, key, shift);
}

void Widget::HandleMouseMove(unsigned shift, int x, int y) {
  RECT rc = ClientRect();
  bool inside = x >= 0 && y >= 0 && x < rc.right && y < rc.bottom;
  auto alive = AliveToken();
  if (inside && !hover_) {
    hover_ = true;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd(), 0};
    ::TrackMouseEvent(&tme);
    MouseEnter();
  } else if (!inside && hover_) {
    // Only seen while the control holds the capture.
    hover_ = false;
    MouseLeave();
  }
  if (alive.expired()) return;
  MouseMove(shift, x, y);
}

void Widget::HandleLeave() {
  // While captured, moves outside report the leave themselves.
  if (!hover_ || ::GetCapture() == hwnd()) return;
  hover_ = false;
  MouseLeave();
}

void Widget::HandleButton(MouseButton button, bool down, bool dbl, unsigned shift, int x, int y) {
  auto alive = AliveToken();
  if (down) {
    if (button == MouseButton::Left) {
      leftHeld_ = true;
      ::SetCapture(hwnd());
    }
    MouseDown(button, dbl ? shift | ssDouble : shift, x, y);
    if (dbl && !alive.expired() && OnDblClick) OnDblClick(*this);
    return;
  }
  RECT rc = ClientRect();
  bool inside = x >= 0 && y >= 0 && x < rc.right && y < rc.bottom;
  if (button == MouseButton::Left) {
    bool wasHeld = leftHeld_;
    leftHeld_ = false;
    if (wasHeld && inside && ClickOnRelease()) {
      Click();
      if (alive.expired()) return;
    }
  }
  MouseUp(button, shift, x, y);
  if (alive.expired()) return;
  // Released after the handlers: losing the capture must not look like a cancel.
  if (button == MouseButton::Left && ::GetCapture() == hwnd()) ::ReleaseCapture();
  if (!inside && hover_ && ::GetCapture() != hwnd()) {
    hover_ = false;
    MouseLeave();
  }
}

LRESULT Widget::HandleWheel(WPARAM wp, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};  // screen coordinates
  HWND under = ::WindowFromPoint(pt);
  if (!wheelForwarding && under && under != hwnd() &&
      ::GetWindowThreadProcessId(under, nullptr) == ::GetCurrentThreadId() &&
      dynamic_cast<Widget*>(Window::FromHandle(under))) {
    // The wheel acts on what is under the pointer, not on the focused control.
    wheelForwarding = true;
    ::SendMessageW(under, WM_MOUSEWHEEL, wp, lp);
    wheelForwarding = false;
    return 0;
  }
  if (MouseWheel(GET_WHEEL_DELTA_WPARAM(wp))) return 0;
  return Default(WM_MOUSEWHEEL, wp, lp);
}

LRESULT Widget::HandleColorDrag(UINT msg, WPARAM wp, LPARAM lp) {
  auto& handler = msg == WM_DRAGCOLOR_OVER ? OnDragOver : OnEndDrag;
  if (!handler) {
    HWND parent = ::GetParent(hwnd());
    return parent ? ::SendMessageW(parent, msg, wp, lp) : 0;
  }
  POINT pt{};
  ::GetCursorPos(&pt);
  RECT wr = WindowRect();
  int state = static_cast<int>(wp & 0xFF);
  handler(*this, lp, Lg(pt.x - wr.left), Lg(pt.y - wr.top), state);
  return 0;
}

LRESULT Widget::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      PaintMessage();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything
    case WM_WINDOWPOSCHANGED: {
      RECT wr = WindowRect();
      HWND parent = ::GetParent(hwnd());
      if (parent) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&wr), 2);
      IntRect old = bounds_;
      wr = LgRect(wr);
      bounds_ = {wr.left, wr.top, wr.right, wr.bottom};
      if (old.Width() != bounds_.Width() || old.Height() != bounds_.Height()) {
        Resized();
        Realign();
        Invalidate();
      }
      return 0;
    }
    case WM_SHOWWINDOW:
      // A parent hiding or showing keeps the child's own flag.
      if (lp == 0) visible_ = wp != 0;
      break;
    case WM_MOUSEMOVE:
      HandleMouseMove(MouseShift(wp), Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)));
      return 0;
    case WM_MOUSELEAVE:
      HandleLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      HandleButton(MouseButton::Left, true, msg == WM_LBUTTONDBLCLK, MouseShift(wp),
                   Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)));
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      HandleButton(MouseButton::Right, true, false, MouseShift(wp), Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)));
      return 0;
    case WM_MBUTTONDOWN:
      HandleButton(MouseButton::Middle, true, false, MouseShift(wp), Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)));
      return 0;
    case WM_LBUTTONUP:
      HandleButton(MouseButton::Left, false, false, MouseShift(wp), Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)));
      return 0;
    case WM_RBUTTONUP:
      HandleButton(MouseButton::Right, false, false, MouseShift(wp), Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)));
      return 0;
    case WM_MBUTTONUP:
      HandleButton(MouseButton::Middle, false, false, MouseShift(wp), Lg(GET_X_LPARAM(lp)), Lg(GET_Y_LPARAM(lp)));
      return 0;
    case WM_CAPTURECHANGED:
      // After a release the capture is already ours to let go; only a press
      // still held means someone took it.
      if (reinterpret_cast<HWND>(lp) != hwnd() && leftHeld_) {
        leftHeld_ = false;
        CaptureLost();
      }
      return 0;
    case WM_MOUSEWHEEL:
      return HandleWheel(wp, lp);
    case WM_KEYDOWN:
      KeyDown(static_cast<WORD>(wp), KeyboardShift());
      return 0;
    case WM_KEYUP:
      KeyUp(static_cast<WORD>(wp), KeyboardShift());
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusChanged();
      return 0;
    case WM_ENABLE:
      EnabledChanged();
      return 0;
    case WM_SETCURSOR:
      if (cursor_ && LOWORD(lp) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
    default:
      if (msg == WM_DRAGCOLOR_OVER || msg == WM_DRAGCOLOR_DROP) return HandleColorDrag(msg, wp, lp);
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace kolo
