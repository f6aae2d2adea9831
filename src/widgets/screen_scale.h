// Screen density arithmetic: the whole factor the windows are drawn at, and the
// logical desktop positions the settings keep.
//
// The factor for a monitor is its scale rounded to the nearest whole number,
// halves up, never below 1: 100% and 125% draw at 1x, 150% to 249% at 2x,
// 250% to 349% at 3x, and so on. A whole factor keeps every pixel of the
// artwork a square of device pixels.
//
// A window position is kept in logical desktop coordinates: on the monitor that
// holds it, the distance from the monitor's top-left corner divided by that
// monitor's factor. On a 1x monitor this is the plain screen position, so
// settings written before are read the same. Positions come back on the same
// monitor even when its factor changed; a position on no monitor any more comes
// back on the primary monitor.
#pragma once

#include <optional>
#include <vector>

#include "widgets/geometry.h"

namespace kolo {

int ScaleForDpi(int dpi);

struct MonitorArea {
  IntRect bounds;  // device pixels, on the virtual screen
  IntRect work;    // less the task bar
  int scale = 1;
  bool primary = false;
};

struct IntPoint {
  int x = 0, y = 0;
  friend constexpr bool operator==(const IntPoint&, const IntPoint&) = default;
};

// The monitor holding a device point, else none.
const MonitorArea* MonitorAt(const std::vector<MonitorArea>& monitors, IntPoint device);

// A window's device top-left to the logical position the settings keep.
IntPoint ToLogicalPosition(const std::vector<MonitorArea>& monitors, IntPoint device);

// Where a window of `logicalSize` at a kept logical position goes, in device
// pixels, and at which factor. It is kept inside its monitor (a window larger
// than the monitor keeps its top-left corner, the caption, on it); a position
// on no monitor is centred on the primary monitor's work area.
struct WindowPlacement {
  IntPoint device;
  int scale = 1;
};
WindowPlacement PlaceWindow(const std::vector<MonitorArea>& monitors, IntPoint logical, IntPoint logicalSize);

}  // namespace kolo
