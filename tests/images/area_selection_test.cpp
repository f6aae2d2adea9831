#include "images/area_selection.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace kolo {
namespace {

const AreaBounds kScreen{0, 0, 1920, 1080};

// Draws the first rectangle at (x, y), drags its corner to (x2, y2) and lets go.
AreaSelection Drawn(int x, int y, int x2, int y2) {
  AreaSelection s;
  s.Start(7);
  s.Press(x, y);
  s.Drag(x2, y2, false, kScreen);
  s.Release();
  return s;
}

TEST(AreaSelection, FirstPressDragAndRelease) {
  AreaSelection s;
  s.Start(7);
  EXPECT_FALSE(s.Drawn());
  const auto first = s.Press(100, 100);
  EXPECT_EQ(first.mode, ahRightBottom);
  EXPECT_FALSE(first.snap);
  EXPECT_EQ(s.Ordered(), (AreaRect{100, 100, 109, 109}));
  EXPECT_EQ(s.Ordered().Width(), 10);

  // The corner dragged past the left and top edges: the magnifier follows the
  // handle's new place, and the release puts the edges back in order.
  EXPECT_EQ(s.Drag(50, 300, false, kScreen), ahLeftBottom);
  EXPECT_EQ(s.Drag(50, 40, false, kScreen), ahLeftTop);
  EXPECT_TRUE(s.Release());
  EXPECT_EQ(s.Ordered(), (AreaRect{50, 40, 100, 100}));
  EXPECT_EQ(s.selX1, 50);
  EXPECT_EQ(s.selY2, 100);
  EXPECT_FALSE(s.Release()) << "a second release of the same drag grabs nothing";

  // A corner dragged almost onto the opposite one keeps the minimum size.
  s.Press(100, 100);
  s.Drag(52, 43, false, kScreen);
  s.Release();
  EXPECT_EQ(s.Ordered(), (AreaRect{50, 40, 59, 49}));
  // Exactly onto it: the edge goes to the left and top.
  s.Press(59, 49);
  s.Drag(50, 40, false, kScreen);
  s.Release();
  EXPECT_EQ(s.Ordered(), (AreaRect{41, 31, 50, 40}));
}

TEST(AreaSelection, HitTestHandlesAndMiddles) {
  AreaSelection s = Drawn(100, 100, 115, 140);  // 15 wide: no middles on top and bottom
  EXPECT_EQ(s.HitTest(115, 140), ahRightBottom);
  EXPECT_EQ(s.HitTest(97, 103), ahLeftTop);
  EXPECT_EQ(s.HitTest(100, 140), ahLeftBottom);
  EXPECT_EQ(s.HitTest(115, 100), ahRightTop);
  EXPECT_EQ(s.HitTest(103, 100), ahLeftTop) << "corner boxes reach 3 pixels";
  EXPECT_EQ(s.HitTest(108, 100), ahNone) << "no middle handle on a 15-pixel side";
  EXPECT_EQ(s.HitTest(100, 120), ahLeft);
  EXPECT_EQ(s.HitTest(118, 117), ahRight);
  EXPECT_EQ(s.HitTest(108, 120), ahMove);
  EXPECT_EQ(s.HitTest(100, 111), ahNone) << "the edge itself between handles is not inside";
  s = Drawn(100, 100, 116, 140);
  EXPECT_EQ(s.HitTest(108, 100), ahTop);
  EXPECT_EQ(s.HitTest(108, 142), ahBottom);
  // A press on a handle puts the pointer on it.
  auto p = s.Press(110, 141);
  EXPECT_EQ(p.mode, ahBottom);
  EXPECT_TRUE(p.snap);
  EXPECT_EQ(p.to.x, 110);
  EXPECT_EQ(p.to.y, 140);
  s.Release();
  p = s.Press(103, 98);
  EXPECT_EQ(p.mode, ahLeftTop);
  EXPECT_EQ(std::make_pair(p.to.x, p.to.y), std::make_pair(100, 100));
  s.Release();
  EXPECT_EQ(s.Press(500, 500).mode, ahNone);
  EXPECT_EQ(s.dragMode, ahNone);
}

TEST(AreaSelection, ShiftSquaresCornersAndCentresSides) {
  AreaSelection s = Drawn(100, 100, 200, 200);
  s.Press(200, 200);
  s.Drag(130, 110, true, kScreen);  // (+30, +10) from the fixed corner: dy is the smaller
  s.Release();
  EXPECT_EQ(s.Ordered(), (AreaRect{100, 100, 110, 110}));
  s = Drawn(100, 100, 200, 200);
  s.Press(200, 200);
  s.Drag(110, 130, true, kScreen);
  s.Release();
  EXPECT_EQ(s.Ordered(), (AreaRect{100, 100, 110, 110}));
  // Squared on the other side of the fixed corner.
  s = Drawn(100, 100, 200, 200);
  s.Press(100, 100);
  s.Drag(230, 250, true, kScreen);
  s.Release();
  EXPECT_EQ(s.Ordered(), (AreaRect{200, 200, 230, 230}));
  // A side handle with Shift: the other extent becomes the dragged one, centred.
  s = Drawn(100, 100, 200, 200);
  s.Press(200, 150);
  s.Drag(160, 150, true, kScreen);
  s.Release();
  EXPECT_EQ(s.Ordered(), (AreaRect{100, 120, 160, 180}));
}

TEST(AreaSelection, MovingStaysOnTheScreen) {
  AreaSelection s = Drawn(100, 100, 199, 149);
  EXPECT_EQ(s.Press(150, 120).mode, ahMove);
  EXPECT_EQ(s.Drag(1900, 125, false, kScreen), ahMove);
  EXPECT_EQ(s.selX2, 1919);
  EXPECT_EQ(s.Ordered().Width(), 100);
  EXPECT_EQ(s.selY1, 105);
  s.Drag(-50, -50, false, kScreen);
  EXPECT_EQ(s.Ordered(), (AreaRect{0, 0, 99, 49}));
  EXPECT_TRUE(s.Release());
  // Monitors left of and above the primary: negative places are fine.
  const AreaBounds wide{-1280, -200, 1920, 1080};
  s.Press(10, 10);
  s.Drag(-1000, -300, false, wide);
  EXPECT_EQ(s.Ordered(), (AreaRect{-1010, -200, -911, -151}));
}

TEST(AreaSelection, BoxSizeTypedSizeAndWindows) {
  AreaSelection s = Drawn(100, 100, 109, 109);
  EXPECT_TRUE(s.SetBoxSize(15));
  EXPECT_EQ(s.Ordered(), (AreaRect{100, 100, 117, 117}));
  EXPECT_FALSE(s.SetBoxSize(3));

  s.TypeSize(1920, 50, kScreen);  // 9999 typed on a 1920 screen, clamped by the field
  EXPECT_EQ(s.Ordered(), (AreaRect{0, 100, 1919, 149}));
  s.TypeSize(0, 0, kScreen);
  EXPECT_EQ(s.Ordered(), (AreaRect{0, 100, 4, 104})) << "never smaller than the handles";
  s.TypeSize(300, 2000, kScreen);
  EXPECT_EQ(s.Ordered(), (AreaRect{0, -920, 299, 1079}));

  s = Drawn(100, 100, 150, 150);
  EXPECT_TRUE(s.GrowOver({{90, 120, 300, 130}, {0, 0, 0, 500}}, kScreen));
  EXPECT_EQ(s.Ordered(), (AreaRect{90, 100, 299, 150}));
  EXPECT_FALSE(s.GrowOver({{100, 100, 200, 140}}, kScreen));
  EXPECT_TRUE(s.GrowOver({{-10, -10, 3000, 50}}, kScreen));
  EXPECT_EQ(s.Ordered(), (AreaRect{0, 0, 1919, 150}));
}

// Every frame pixel lies in one strip only, so inverting strip by strip never
// inverts a pixel twice; boxes and lines have the promised shapes.
TEST(AreaSelection, FrameStripsCoverTheShapeOnce) {
  const AreaRect r{100, 200, 140, 215};  // 41 x 16: middles on top and bottom only
  const int box = 7;
  std::set<std::pair<int, int>> seen;
  int pixels = 0;
  for (const FrameStrip& s : AreaFrameStrips(r, box, kScreen)) {
    ASSERT_EQ(s.mask.size(), static_cast<std::size_t>(s.width * s.height));
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        EXPECT_TRUE(seen.insert({s.left + x, s.top + y}).second) << "pixel in two strips";
        pixels += s.mask[static_cast<std::size_t>(y * s.width + x)];
      }
  }
  auto on = [&](int x, int y) {
    for (const FrameStrip& s : AreaFrameStrips(r, box, kScreen))
      if (x >= s.left && x < s.left + s.width && y >= s.top && y < s.top + s.height)
        return s.mask[static_cast<std::size_t>((y - s.top) * s.width + x - s.left)] != 0;
    return false;
  };
  EXPECT_TRUE(on(97, 197));    // corner box outline
  EXPECT_FALSE(on(100, 200));  // its centre
  EXPECT_TRUE(on(100, 204));   // left side line, below the corner box
  EXPECT_TRUE(on(120, 197));   // top middle box outline
  EXPECT_FALSE(on(120, 200));  // the top line does not run through it
  EXPECT_TRUE(on(110, 200));
  EXPECT_TRUE(on(100, 207)) << "no middle box on a 15-pixel side: the line runs on";
  // Six boxes of 24 outline pixels; the side lines between them.
  const int lines = 2 * (215 - 200 - 1 - 6) + 2 * (140 - 100 - 1 - 6 - 7);
  EXPECT_EQ(pixels, 6 * 24 + lines);

  // At the screen's corner the strips are cut off, not moved.
  const auto cut = AreaFrameStrips({0, 0, 20, 20}, box, kScreen);
  EXPECT_EQ(cut[0].left, 0);
  EXPECT_EQ(cut[0].top, 0);
  EXPECT_EQ(cut[0].width, 4);
  EXPECT_EQ(cut[0].height, 24);
}

TEST(AreaSelection, MagnifierMarksOnTheSelectionEdges) {
  const MagnifierLayout m = Magnifier(256, 7);
  EXPECT_EQ(m.cell, 36);
  EXPECT_EQ(m.offset, 2);
  // Centre cell 3 spans 110..145: the left mark lies on its left side, full height.
  auto marks = MagnifierMarks(256, 7, ahLeft);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].left, 109);
  EXPECT_EQ(marks[0].top, 0);
  EXPECT_EQ(marks[0].bottom, 256);
  // The right-bottom corner: from the corner up and to the left.
  marks = MagnifierMarks(256, 7, ahRightBottom);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].left, 145);
  EXPECT_EQ(marks[0].top, 0);
  EXPECT_EQ(marks[0].bottom, 148);
  EXPECT_EQ(marks[1].top, 145);
  EXPECT_EQ(marks[1].left, 0);
  EXPECT_EQ(marks[1].right, 148);
}

}  // namespace
}  // namespace kolo
