// A secondary window of the program: borderless, owned by the main window,
// created hidden at start and only shown and hidden afterwards. Windows whose
// tools have no content yet stay hidden for the whole run.
#pragma once

#include <windows.h>

#include "widgets/win/forms.h"
#include "platform/win/window.h"

namespace kolo::win {

class TSecondaryForm : public Window {
 public:
  TSecondaryForm(SecondaryForm which, const wchar_t* className) : which_(which), className_(className) {}
  bool Create(HWND owner, int width, int height);
  SecondaryForm Which() const { return which_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  SecondaryForm which_;
  const wchar_t* className_;
};

}  // namespace kolo::win
