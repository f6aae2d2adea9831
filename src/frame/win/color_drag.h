// The colour drag between windows. A drag source moves the pointer over any
// window of the program; the window under the pointer hears WM_DRAGCOLOR_OVER
// (enter when the pointer arrives, move while it stays, leave when it goes to
// another window) and, on release, the window of the last move hears
// WM_DRAGCOLOR_DROP. lParam names the source.
//
// The colour itself travels in one slot for the whole program, ColorDragSlot():
// there is one pointer, so one drag at a time. Every source fills it when its
// drag begins (through ColorDragMessenger::Begin) and every drop target reads
// it, so a target never sees the colour of an earlier drag from elsewhere.
#pragma once

#include <windows.h>

#include "color/color.h"

namespace kolo {

// The colour being dragged anywhere in the program.
struct TDragColor {
  TColor Color = clEmptyColor;
};

namespace win {

// The program's one colour-drag slot.
TDragColor& ColorDragSlot();

// The window under the screen cursor (the deepest visible child), or null.
HWND WindowUnderCursor();

class ColorDragMessenger {
 public:
  // A new drag of `colour` from `source`: the colour goes into the slot, and
  // no window has been told anything yet.
  void Begin(LPARAM source, TColor colour);
  // One pointer move.
  void Move();
  // The release: the drop goes to the last target, but only when the pointer
  // is over some window now (a release over nothing drops nothing).
  void Drop();
  // The drag ends without a drop (the mouse was taken away): the last target
  // hears the leave, so it takes back whatever it showed of the colour.
  void Cancel();
  HWND LastTarget() const { return lastTarget_; }

 private:
  LPARAM source_ = 0;
  HWND lastTarget_ = nullptr;
};

}  // namespace win
}  // namespace kolo
