// TfrmTransp: a window over every monitor that shows only what is drawn on it.
// It is layered with a colour key, so pixels of the key colour are invisible
// and let the mouse through. With desktop composition the screenshot tools
// draw their frames here instead of inverting the screen's pixels.
#pragma once

#include <windows.h>

#include "color/color.h"
#include "images/area_selection.h"
#include "widgets/win/secondary_form.h"

namespace kolo::win {

class TfrmTransp : public TSecondaryForm {
 public:
  static constexpr TColor kKeyColor = 0x100010;

  TfrmTransp() : TSecondaryForm(SecondaryForm::Transp, L"TfrmTransp") {}
  bool Create(HWND owner);

  // The one in the forms table, when the program made it.
  static TfrmTransp* Find();

  // Covers the screen with nothing drawn, above every topmost window.
  void ShowOverlay();
  void HideOverlay();
  void BringToTop();
  // A window's frame: its outline (exclusive right and bottom) as a black and white dotted line.
  void DrawPlainFrame(const RECT& r);
  // An area's frame: its outline on the edges and boxes of side box + 2 on
  // the handles, with key-coloured insides.
  void DrawHandleFrame(const AreaRect& r, int box);
  // Nothing drawn any more; with `now` the screen shows it before this returns.
  void Erase(bool now = false);
  // The handle size last drawn: 1 for a plain frame, -1 for nothing.
  int DrawnHandleSize() const { return handleSize_; }

  // Shown over the drawn pixels (the only ones that take the mouse).
  HCURSOR cursor = nullptr;
  // While set, looking for the window at a point passes through the overlay.
  bool seeThrough = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  enum class Kind { None, Plain, Handles };
  void Paint();
  void InvalidateDrawing();
  POINT Origin() const;

  Kind kind_ = Kind::None;
  RECT rect_{};  // screen coordinates, exclusive right and bottom
  int handleSize_ = -1;
};

}  // namespace kolo::win
