#include "widgets/screen_scale.h"

#include <algorithm>

namespace kolo {

namespace {

int FloorDiv(int a, int b) {
  const int q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// One axis of a window kept inside [low, high).
int KeepInside(int pos, int size, int low, int high) {
  pos = std::min(pos, high - size);
  return std::max(pos, low);
}

}  // namespace

int ScaleForDpi(int dpi) { return std::max(1, (dpi + 48) / 96); }

const MonitorArea* MonitorAt(const std::vector<MonitorArea>& monitors, IntPoint p) {
  for (const MonitorArea& m : monitors)
    if (m.bounds.Contains(p.x, p.y)) return &m;
  return nullptr;
}

IntPoint ToLogicalPosition(const std::vector<MonitorArea>& monitors, IntPoint device) {
  const MonitorArea* m = MonitorAt(monitors, device);
  if (!m || m->scale <= 1) return device;
  const int s = m->scale;
  return {m->bounds.left + FloorDiv(device.x - m->bounds.left, s), m->bounds.top + FloorDiv(device.y - m->bounds.top, s)};
}

WindowPlacement PlaceWindow(const std::vector<MonitorArea>& monitors, IntPoint logical, IntPoint size) {
  const MonitorArea* m = MonitorAt(monitors, logical);
  if (!m) {
    const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const MonitorArea& a) { return a.primary; });
    if (primary == monitors.end()) return {logical, 1};
    const int s = std::max(1, primary->scale);
    const IntRect& w = primary->work;
    return {{std::max(w.left, w.left + (w.Width() - size.x * s) / 2), std::max(w.top, w.top + (w.Height() - size.y * s) / 2)},
            s};
  }
  const int s = std::max(1, m->scale);
  const IntRect& b = m->bounds;
  const IntPoint device{b.left + (logical.x - b.left) * s, b.top + (logical.y - b.top) * s};
  return {{KeepInside(device.x, size.x * s, b.left, b.right), KeepInside(device.y, size.y * s, b.top, b.bottom)}, s};
}

}  // namespace kolo
