#include "widgets/win/picture_button.h"

namespace kolo {

int TVMImageButton::CurrentImage() const {
  ButtonState state = keyPressed_ ? ButtonState::Pressed : tracker_.State();
  return ChooseButtonImage(ids_, enabled_, down_, state, selected_);
}

SIZE TVMImageButton::NormalSize() const {
  return list_ ? list_->ImageSize(ids_.Normal) : SIZE{0, 0};
}

void TVMImageButton::Paint(HDC dc) const {
  if (list_) list_->Draw(dc, 0, 0, CurrentImage());
}

TVMPictureButton::TVMPictureButton() : button_([this] { Invalidate(); }) {}

void TVMPictureButton::SetImages(int normal, int move, int down, int disable) {
  TVMImageButtonListID ids = button_.ImageListID();
  ids.Normal = normal;
  ids.Move = move;
  ids.Down = down;
  ids.Selected = move;
  ids.Disable = disable == -2 ? normal : disable;
  button_.SetImageListID(ids);
}

void TVMPictureButton::SizeToImage() {
  SIZE s = button_.NormalSize();
  if (s.cx > 0 && s.cy > 0) SetSize(s.cx, s.cy);
}

void TVMPictureButton::Paint(HDC dc, const IntRect& client) {
  Widget::Paint(dc, client);
  button_.Paint(dc);
}

void TVMPictureButton::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left) {
    button_.Tracker().Press();
    Invalidate();
  }
  Widget::MouseDown(button, shift, x, y);
}

void TVMPictureButton::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left) {
    RECT rc = ClientRect();
    if (x < 0 || y < 0 || x >= rc.right || y >= rc.bottom) button_.Tracker().Leave();
    bool click = button_.Tracker().Release();
    Invalidate();
    if (click) {
      auto alive = AliveToken();
      Click();
      if (alive.expired()) return;
    }
  }
  Widget::MouseUp(button, shift, x, y);
}

void TVMPictureButton::MouseEnter() {
  button_.Tracker().Enter();
  Invalidate();
  Widget::MouseEnter();
}

void TVMPictureButton::MouseLeave() {
  button_.Tracker().Leave();
  Invalidate();
  Widget::MouseLeave();
}

namespace {
bool IsPressKey(WORD key) { return key == VK_SPACE || key == VK_RETURN; }
}  // namespace

void TVMPictureButton::KeyDown(WORD key, unsigned shift) {
  if (IsPressKey(key) && Enabled()) {
    keyDown_ = key;
    button_.SetKeyPressed(true);
  }
  Widget::KeyDown(key, shift);
}

void TVMPictureButton::KeyUp(WORD key, unsigned shift) {
  // Only the release of the key that pressed it clicks: a key pressed
  // elsewhere and released here does nothing.
  if (IsPressKey(key) && key == keyDown_ && button_.KeyPressed()) {
    keyDown_ = 0;
    button_.SetKeyPressed(false);
    auto alive = AliveToken();
    Click();
    if (alive.expired()) return;
  }
  Widget::KeyUp(key, shift);
}

void TVMPictureButton::EnabledChanged() {
  button_.SetEnabled(Enabled());
  if (!Enabled()) {
    button_.Tracker().Cancel();
    button_.SetKeyPressed(false);
  }
}

void TVMPictureButton::FocusChanged() {
  button_.SetSelected(Focused());
  if (!Focused()) button_.SetKeyPressed(false);  // the key's release is no longer ours
}

LRESULT TVMPictureButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lp) != Handle() && button_.Tracker().Held()) {
    // Someone else took the mouse: the press is over without a click.
    button_.Tracker().Cancel();
    Invalidate();
  }
  return Widget::HandleMessage(msg, wp, lp);
}

}  // namespace kolo
