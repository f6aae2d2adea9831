// Shapes of the program's own cursors. A cursor's mask is all white; in its
// colour image white pixels invert the screen and black ones leave it alone, so
// a shape is simply the set of inverting pixels and a hot spot.
#pragma once

#include <cstddef>
#include <vector>

namespace kolo {

struct CursorShape {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::vector<bool> inverts;  // row-major, top row first

  bool At(int x, int y) const { return inverts[static_cast<std::size_t>(y) * width + x]; }
  void Set(int x, int y, bool v) { inverts[static_cast<std::size_t>(y) * width + x] = v; }
};

// The main image's square cursor: the four inverted corners of a 13-pixel square.
CursorShape SquareCursorShape();
// The one-pixel pick's cross-hair, open for three pixels around the hot spot.
CursorShape GappedCrossShape();
// The window screenshot's plain cross-hair.
CursorShape PlainCrossShape();

}  // namespace kolo
