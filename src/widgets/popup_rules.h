// Where the drop-down list and the value slider open, and what the slider
// reports while dragged. Screen coordinates throughout.
#pragma once

#include "widgets/geometry.h"

namespace kolo {

// The drop-down list under (or above) its anchor control.
struct ListPlacement {
  IntRect bounds;
  bool above = false;   // opened above the anchor: its outline runs along the top
  bool slider = false;  // 7 texts or more scroll, in a list 100 pixels high
};
inline constexpr int kListRowHeight = 14;
inline constexpr int kListSliderFrom = 7;
inline constexpr int kListScrolledHeight = 100;
// extraWidth widens it to the left, gap lies between anchor and list, moreWidth widens it to the right.
ListPlacement PlaceList(const IntRect& anchor, int extraWidth, int gap, int moreWidth, int count, int screenBottom);

// A drop-down panel of the colour area (font browser, layout picker) under the
// panel it belongs to, overlapping its bottom edge by 2 pixels; above it
// (overlapping its top by 2) when it would leave the screen at the bottom.
struct DropPlacement {
  IntRect bounds;
  bool above = false;  // its outline then runs along the top
};
DropPlacement PlaceDropPanel(const IntRect& panel, int width, int height, int screenBottom);

// The value slider beside the main window's right edge.
inline constexpr int kSliderFormWidth = 27;
inline constexpr int kSliderArrowWidth = 6;
inline constexpr int kSliderArrowHeight = 7;
struct SliderPlacement {
  IntRect bounds;  // the window
  int arrowTop = 0;
};
// range is the largest value (also the strip's height in pixels).
SliderPlacement PlaceValueSlider(const IntRect& mainWindow, const IntRect& anchor, int range, int value,
                                 int screenHeight);
// While dragging: the arrows' top for a pointer at screenY, and the value there.
struct SliderDrag {
  int arrowTop = 0;
  int value = 0;
};
SliderDrag DragValueSlider(int screenY, int windowTop, int windowHeight, int range);

}  // namespace kolo
