#include "frame/cursor_shapes.h"

namespace kolo {

namespace {
CursorShape Blank(int w, int h, int hx, int hy, bool fill) {
  CursorShape s;
  s.width = w;
  s.height = h;
  s.hotX = hx;
  s.hotY = hy;
  s.inverts.assign(static_cast<std::size_t>(w) * h, fill);
  return s;
}
}  // namespace

CursorShape SquareCursorShape() {
  CursorShape s = Blank(13, 13, 6, 6, true);
  // Inside the ring stays clear, and so does the middle of each side.
  for (int y = 1; y <= 11; ++y)
    for (int x = 1; x <= 11; ++x) s.Set(x, y, false);
  for (int i = 5; i <= 8; ++i) {
    s.Set(i, 0, false);
    s.Set(i, 12, false);
    s.Set(0, i, false);
    s.Set(12, i, false);
  }
  return s;
}

CursorShape GappedCrossShape() {
  CursorShape s = Blank(20, 20, 10, 10, false);
  for (int i = 0; i <= 19; ++i) {
    if (i >= 9 && i <= 11) continue;
    s.Set(10, i, true);
    s.Set(i, 10, true);
  }
  return s;
}

CursorShape PlainCrossShape() {
  CursorShape s = Blank(20, 20, 10, 10, false);
  for (int i = 0; i <= 19; ++i) {
    s.Set(10, i, true);
    s.Set(i, 10, true);
  }
  return s;
}

}  // namespace kolo
