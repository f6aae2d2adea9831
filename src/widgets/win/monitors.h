// The monitors as the window code sees them: device-pixel bounds, work areas
// and whole drawing factors (widgets/screen_scale.h).
#pragma once

#include <windows.h>

#include <vector>

#include "widgets/screen_scale.h"

namespace kolo::win {

std::vector<MonitorArea> Monitors();
// The monitor nearest to a window, in device pixels.
RECT MonitorRectOf(HWND window, bool workArea = false);

}  // namespace kolo::win
