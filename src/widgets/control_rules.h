// The state rules of the picture buttons, image check boxes and the list box,
// kept apart from the windows so they can be tested directly.
#pragma once

#include <cstddef>
#include <vector>

namespace kolo {

// Image indices of a picture button; -1 draws nothing.
struct TVMImageButtonListID {
  int Disable = -1;
  int Move = -1;      // pointer over it
  int Down = -1;
  int Normal = -1;
  int Selected = -1;  // has the keyboard focus
};

struct TVMCheckboxListID {
  int CheckedSelected = -1;
  int UnCheckedNotSelected = -1;
  int UnCheckedSelected = -1;
  int CheckedNotSelected = -1;
  int DisableUnChecked = -1;
  int DisableChecked = -1;
  int UnCheckedMove = -1;
  int CheckedMove = -1;
};

enum class ButtonState { Normal, Pressed, Hover };

// Press, leave, come back, release: a click needs a press and a release with
// the pointer never having left in between.
class ButtonPressTracker {
 public:
  void Press() { state_ = ButtonState::Pressed; pressed_ = true; leftSincePress_ = false; }
  void Enter() { if (state_ != ButtonState::Pressed) state_ = ButtonState::Hover; }
  void Leave() {
    state_ = ButtonState::Normal;
    if (pressed_) leftSincePress_ = true;
  }
  // True when this release is a click.
  bool Release() {
    bool click = pressed_ && !leftSincePress_ && state_ == ButtonState::Pressed;
    if (click) state_ = ButtonState::Hover;
    pressed_ = false;
    leftSincePress_ = false;
    return click;
  }
  void Cancel() { pressed_ = false; leftSincePress_ = false; if (state_ == ButtonState::Pressed) state_ = ButtonState::Normal; }
  ButtonState State() const { return state_; }
  bool Held() const { return pressed_; }

 private:
  ButtonState state_ = ButtonState::Normal;
  bool pressed_ = false;
  bool leftSincePress_ = false;
};

int ChooseButtonImage(const TVMImageButtonListID& ids, bool enabled, bool down, ButtonState state, bool focused);
int ChooseCheckboxImage(const TVMCheckboxListID& ids, bool checked, bool enabled, bool focused, bool hover);

// One image check box as the radio rule sees it.
struct CheckBoxState {
  const void* parent = nullptr;
  int checkIndex = -1;  // >= 0: a radio box of that group
  bool checked = false;
};

// Sets Checked of boxes[self] to `value`: a radio box is checked whatever the
// value and unchecks the other boxes of its parent and group. Returns the
// indices of the other boxes whose state changed.
std::vector<size_t> ApplyCheck(std::vector<CheckBoxState>& boxes, size_t self, bool value);

// List box rows.
int ListRowAt(int position, int y, int rowHeight);
// "Inside" for tracking: at least one pixel from every edge.
bool InsideListBox(int x, int y, int width, int height);
// Largest scroll position (in rows). Rounded up, so the last row can always be
// brought fully into view.
int ListScrollMax(int rowHeight, int count, int height);

}  // namespace kolo
