// The colour drag between windows. A drag source moves the pointer over any
// window of the program; the window under the pointer hears WM_DRAGCOLOR_OVER
// (enter when the pointer arrives, move while it stays, leave when it goes to
// another window) and, on release, the window of the last move hears
// WM_DRAGCOLOR_DROP. lParam names the source. The colour itself travels in the
// palette strip's DragColor.
#pragma once

#include <windows.h>

namespace kolo::win {

// The window under the screen cursor (the deepest visible child), or null.
HWND WindowUnderCursor();

class ColorDragMessenger {
 public:
  // A new drag from `source`: no window has been told anything yet.
  void Begin(LPARAM source);
  // One pointer move.
  void Move();
  // The release: the drop goes to the last target, but only when the pointer
  // is over some window now (a release over nothing drops nothing).
  void Drop();
  HWND LastTarget() const { return lastTarget_; }

 private:
  LPARAM source_ = 0;
  HWND lastTarget_ = nullptr;
};

}  // namespace kolo::win
