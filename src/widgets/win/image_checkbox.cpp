#include "widgets/win/image_checkbox.h"

namespace kolo {

TVMInvisibleButton::TVMInvisibleButton() { SetCursor(::LoadCursorW(nullptr, IDC_HAND)); }

TVMImageCheckbox::TVMImageCheckbox() : list_([this] { Invalidate(); }) {}

TVMImageCheckbox::~TVMImageCheckbox() {
  Release(checkLabel_);
  Release(invisibleButton_);
}

void TVMImageCheckbox::Adopt(Widget* widget, Companion& slot) {
  Release(slot);
  if (!widget) return;
  slot.widget = widget;
  slot.alive = widget->AliveToken();
  std::weak_ptr<char> box = AliveToken();
  widget->OnClick = [this, box](Widget&) {
    if (!box.expired()) Click();
  };
}

void TVMImageCheckbox::Release(Companion& slot) {
  if (slot.widget && !slot.alive.expired()) slot.widget->OnClick = nullptr;
  slot = Companion{};
}

void TVMImageCheckbox::SetCheckedField(bool checked) {
  checked_ = checked;
  Invalidate();
}

void TVMImageCheckbox::SetChecked(bool checked) {
  std::vector<TVMImageCheckbox*> boxes{this};
  std::vector<CheckBoxState> states{{nullptr, checkIndex_, checked_}};
  auto consider = [&](Widget* sibling) {
    auto* box = dynamic_cast<TVMImageCheckbox*>(sibling);
    if (!box || box == this) return;
    boxes.push_back(box);
    states.push_back({nullptr, box->checkIndex_, box->checked_});  // same parent by construction
  };
  if (checkIndex_ >= 0 && ParentWidget()) {
    for (Widget* sibling : ParentWidget()->Children()) consider(sibling);
  } else if (checkIndex_ >= 0 && Handle()) {
    // A parent window that is not one of our controls keeps no child list: ask Windows.
    if (HWND parent = ::GetParent(Handle())) {
      for (HWND w = ::GetWindow(parent, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT))
        consider(dynamic_cast<Widget*>(Window::FromHandle(w)));
    }
  }
  std::vector<size_t> changed = ApplyCheck(states, 0, checked);
  SetCheckedField(states[0].checked);
  auto alive = AliveToken();
  for (size_t i : changed) {
    boxes[i]->SetCheckedField(false);
    // The box that lost its check hears about it too.
    if (boxes[i]->OnChange) boxes[i]->OnChange(*boxes[i]);
    if (alive.expired()) return;
  }
  if (OnChange) OnChange(*this);
}

void TVMImageCheckbox::Click() {
  if (!Enabled()) return;
  auto alive = AliveToken();
  SetChecked(!checked_);
  if (alive.expired()) return;
  Widget::Click();
}

void TVMImageCheckbox::KeyUp(WORD key, unsigned shift) {
  if (key == VK_SPACE && Enabled()) {
    auto alive = AliveToken();
    SetChecked(!checked_);
    if (alive.expired()) return;
  }
  Widget::KeyUp(key, shift);
}

void TVMImageCheckbox::Paint(HDC dc, const IntRect& client) {
  Widget::Paint(dc, client);
  if (list_) list_->Draw(dc, 0, 0, ChooseCheckboxImage(ids_, checked_, Enabled(), Focused(), Hovered()));
}

}  // namespace kolo
