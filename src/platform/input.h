// Mouse and keyboard state handed to the tabs.
#pragma once

namespace kolo {

enum class MouseButton { Left, Right, Middle };

// Shift state bits, as the tabs test them.
enum ShiftFlags : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};

// A press becomes a drag once the pointer has moved this far on either axis.
inline constexpr int kDragThreshold = 4;

constexpr bool PressBecomesDrag(int pressX, int pressY, int x, int y) {
  const int dx = pressX > x ? pressX - x : x - pressX;
  const int dy = pressY > y ? pressY - y : y - pressY;
  return dx >= kDragThreshold || dy >= kDragThreshold;
}

}  // namespace kolo
