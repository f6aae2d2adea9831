#include "frame/win/color_drag.h"

#include "platform/messages.h"

namespace kolo::win {

TDragColor& ColorDragSlot() {
  static TDragColor slot;
  return slot;
}

HWND WindowUnderCursor() {
  POINT p;
  if (!::GetCursorPos(&p)) return nullptr;
  return ::WindowFromPoint(p);
}

void ColorDragMessenger::Begin(LPARAM source, TColor colour) {
  ColorDragSlot().Color = colour;
  source_ = source;
  lastTarget_ = nullptr;
}

void ColorDragMessenger::Move() {
  HWND w = WindowUnderCursor();
  if (w != lastTarget_ && lastTarget_) ::SendMessageW(lastTarget_, WM_DRAGCOLOR_OVER, kDragLeave, source_);
  if (w != lastTarget_ && w)
    ::SendMessageW(w, WM_DRAGCOLOR_OVER, kDragEnter, source_);
  else if (w == lastTarget_ && w)
    ::SendMessageW(w, WM_DRAGCOLOR_OVER, kDragMove, source_);
  lastTarget_ = w;
}

void ColorDragMessenger::Drop() {
  HWND target = lastTarget_;
  lastTarget_ = nullptr;
  if (target && WindowUnderCursor()) ::SendMessageW(target, WM_DRAGCOLOR_DROP, kDragMove, source_);
}

void ColorDragMessenger::Cancel() {
  HWND target = lastTarget_;
  lastTarget_ = nullptr;
  if (target && ::IsWindow(target)) ::SendMessageW(target, WM_DRAGCOLOR_OVER, kDragLeave, source_);
  // The drag cursor goes with the drag; the next move over a window sets its own.
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace kolo::win
