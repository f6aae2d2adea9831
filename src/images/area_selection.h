// The rules of an area shot's rectangle, apart from the screen: where a press
// lands (a handle, the inside, nothing), how a drag moves or resizes it
// (squaring with Shift, a minimum size, edges that cross), typed sizes, the
// handle size, growing it over windows, and which pixels its inverted frame
// covers. Coordinates are screen pixels; both edges of a pair lie inside the
// rectangle, so its width is selX2 - selX1 + 1.
#pragma once

#include <cstdint>
#include <vector>

namespace kolo {

// What a point of the screen is to the rectangle; also the drag mode while one of them is dragged.
enum AreaHit : int {
  ahNone = 0,
  ahFirstPress = 1,  // drag mode only: waiting for the first press
  ahMove = 2,
  ahLeftTop = 3,
  ahLeftBottom = 4,
  ahLeft = 5,
  ahRight = 6,
  ahRightTop = 7,
  ahRightBottom = 8,
  ahTop = 9,
  ahBottom = 10,
};

// Inclusive edges.
struct AreaRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  bool operator==(const AreaRect&) const = default;
};

// The screen the rectangle lives on: left/top inclusive, right/bottom exclusive
// (every monitor together, so the origin may be negative).
struct AreaBounds {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct AreaPoint {
  int x = 0, y = 0;
};

class AreaSelection {
 public:
  int selX1 = 0, selX2 = 0, selY1 = 0, selY2 = 0;
  int dragMode = ahFirstPress;
  int dragOffsetX = 0, dragOffsetY = 0;
  int boxSize = 7;  // odd, 3..15

  void Start(int box);
  bool Drawn() const { return dragMode != ahFirstPress; }
  // The edges with each pair in order.
  AreaRect Ordered() const;

  // Which handle, the inside or nothing lies under the point (corners win over middles).
  int HitTest(int x, int y) const;

  // A press. The first one draws a small rectangle and drags its right-bottom
  // corner; later ones pick a handle or the inside. `mode` is the drag it
  // started (0 for none); with `snap` the pointer is to jump to `to`, so it
  // sits exactly on the handle it took.
  struct PressResult {
    int mode = ahNone;
    bool snap = false;
    AreaPoint to;
  };
  PressResult Press(int x, int y);
  // A move while dragging (modes 2..10). Returns the handle to magnify (the
  // dragged one, swapped when its edges crossed), 2 for a move, 0 when not dragging.
  int Drag(int x, int y, bool shift, const AreaBounds& screen);
  // A release: the drag ends and the edges are put in order. True when a drag
  // ended, so the rectangle is to be grabbed.
  bool Release();

  // A new handle size; the rectangle grows to hold the handles. True when it grew.
  bool SetBoxSize(int n);
  // A size typed into the size fields (already clamped to the screen): the
  // left-top corner stays unless the rectangle would leave the screen.
  void TypeSize(int width, int height, const AreaBounds& screen);
  // Grows the rectangle over the given window rectangles (exclusive right and
  // bottom, as windows report them), then clips it to the screen. True when it changed.
  bool GrowOver(const std::vector<AreaBounds>& windows, const AreaBounds& screen);

 private:
  int MinGap() const { return boxSize + 2; }
  void KeepMinimum(int& moved, int fixed) const;
};

// Handle codes 3..10 seen through edges that crossed during a drag.
int SwapCrossedHandle(int code, bool xCrossed, bool yCrossed);

// The middles of a side carry handles only on a side long enough for three boxes.
bool HasMiddleHandles(int sideSpan, int box);

// One of the four strips that carry an inverted frame: its place on the
// screen and which of its pixels belong to the frame (row by row).
struct FrameStrip {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> mask;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Whether a screen pixel belongs to the inverted frame of `r` (see below).
bool IsAreaFramePixel(const AreaRect& r, int box, int x, int y);

// The inverted frame of a rectangle with handle boxes of side `box` (odd):
// box outlines on the corners and, on sides long enough, the middles; one-pixel
// side lines between them. Strips: left, right (box wide, from h above to h
// below the rectangle), top, bottom (box high, between the corner boxes), each
// clipped to the screen. No pixel belongs to two strips.
std::vector<FrameStrip> AreaFrameStrips(const AreaRect& r, int box, const AreaBounds& screen);

// The strip a handle sits on (0 left, 1 right, 2 top, 3 bottom) and the handle's point.
int HandleStrip(int code);
AreaPoint HandlePoint(const AreaRect& r, int code);

// The magnifier's layout: `box` cells of `cell` pixels, `offset` from the
// picture's corner, in a picture of `side` pixels.
struct MagnifierLayout {
  int cell = 0, offset = 0;
};
MagnifierLayout Magnifier(int side, int box);
// The 3-pixel marks along the centre cell's sides that lie on the selection's
// edges (one for a side handle, two from the corner inwards for a corner), as
// rectangles with exclusive right and bottom in the magnifier picture.
std::vector<AreaBounds> MagnifierMarks(int side, int box, int code);

}  // namespace kolo
