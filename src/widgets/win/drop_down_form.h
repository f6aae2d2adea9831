// A drop-down panel of the colour area (the font browser, the layout picker):
// it opens under the panel it belongs to (above it near the bottom of the
// screen), on top of every window, and closes when it loses the activation.
// IsShowing stays set for 100 ms after such a close, so the press on the
// panel that took the activation away does not open it again.
#pragma once

#include <windows.h>

#include "widgets/popup_rules.h"
#include "widgets/win/secondary_form.h"

namespace kolo::win {

class TDropDownForm : public TSecondaryForm {
 public:
  using TSecondaryForm::TSecondaryForm;

  bool IsShowing() const { return isShowing_; }
  bool OpenedAbove() const { return above_; }
  void Hide();

 protected:
  // Places the window for `panel` (screen coordinates) and remembers the side;
  // Layout then arranges the inside for it.
  DropPlacement Place(const RECT& panel, int width, int height);
  // Shows the placed window on top and active.
  void ShowPlaced(const DropPlacement& place);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static constexpr UINT_PTR kIsRunTimer = 0x4B01;
  void FormDeactivate();

  bool isShowing_ = false;
  bool closing_ = false;  // hidden after losing the activation: the timer clears isShowing_
  bool above_ = false;
};

}  // namespace kolo::win
