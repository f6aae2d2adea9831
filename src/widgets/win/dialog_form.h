// TDialogForm: the program's modal dialogs (options, new palette). A 15-pixel
// title strip in the frame colour with the title in Comic Sans, by which the
// dialog moves; shown centred over its owner with every other window of the
// program disabled until OK or Cancel. Escape, the close command and
// IDCANCEL cancel it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win/handles.h"
#include "widgets/win/secondary_form.h"

namespace kolo::win {

class TDialogForm : public TSecondaryForm {
 public:
  static constexpr int kTitleHeight = 15;

  TDialogForm(SecondaryForm which, const wchar_t* className, const wchar_t* title)
      : TSecondaryForm(which, className), title_(title) {}

 protected:
  bool CreateForm(HWND owner, int width, int height);
  // Runs the dialog until Finish; true when it ended with OK. `shown` runs once
  // it is up (tests answer it from there); `keys` sees its messages first.
  bool RunModal(HWND owner, bool topmost, const std::function<void()>& shown,
                const std::function<bool(const MSG&)>& keys = {});
  void Finish(bool ok);
  bool Running() const { return running_; }
  // Arial 8 for the labels.
  HFONT TextFont() const { return textFont_.Get(); }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void PaintTitle(HDC dc);

  std::wstring title_;
  int width_ = 0;
  Font titleFont_, textFont_;
  bool running_ = false, ok_ = false;
};

}  // namespace kolo::win
