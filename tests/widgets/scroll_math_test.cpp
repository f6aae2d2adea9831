#include "widgets/scroll_math.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

TEST(ScrollMath, ThumbSizeRule) {
  // V / C * T rounded, ties to even: 1*5/2 = 2.5 -> 2, 3*5/2 = 7.5 -> 8.
  EXPECT_EQ(ScrollThumbSize(10, 2, 1, 5, 0), 2);
  EXPECT_EQ(ScrollThumbSize(10, 2, 3, 5, 0), 8);
  EXPECT_EQ(ScrollThumbSize(10, 300, 100, 200, 0), 67);
  EXPECT_EQ(ScrollThumbSize(10, 300, 100, 200, 70), 70) << "never below minScrollHeight";
  EXPECT_EQ(ScrollThumbSize(0, 300, 100, 200, 5), 20) << "nothing to scroll";
  EXPECT_EQ(ScrollThumbSize(4, 0, 100, 200, 5), 20) << "no content";
}

TEST(ScrollMath, ClampPinsToTheRange) {
  EXPECT_EQ(ClampScrollPosition(-3, 0, 10), 0);
  EXPECT_EQ(ClampScrollPosition(11, 0, 10), 10);
  EXPECT_EQ(ClampScrollPosition(4, 5, 5), 5);
}

ScrollMetrics Bar() {
  // 100 long, arrows 10 and 12, thumb 18: travel 60 over positions 0..30.
  ScrollMetrics m;
  m.length = 100; m.arrowBefore = 10; m.arrowAfter = 12; m.pageSize = 18;
  m.min = 0; m.max = 30; m.position = 0;
  return m;
}

TEST(ScrollMath, HitPartsFollowTheThumb) {
  ScrollMetrics m = Bar();
  m.position = 15;  // thumb at 10 + 30 = 40 .. 57
  EXPECT_EQ(ScrollThumbStart(m), 40);
  EXPECT_EQ(HitScrollPart(m, 0), ScrollPart::ArrowBefore);
  EXPECT_EQ(HitScrollPart(m, 9), ScrollPart::ArrowBefore);
  EXPECT_EQ(HitScrollPart(m, 10), ScrollPart::TrackBefore);
  EXPECT_EQ(HitScrollPart(m, 39), ScrollPart::TrackBefore);
  EXPECT_EQ(HitScrollPart(m, 40), ScrollPart::Thumb);
  EXPECT_EQ(HitScrollPart(m, 57), ScrollPart::Thumb);
  EXPECT_EQ(HitScrollPart(m, 58), ScrollPart::TrackAfter);
  EXPECT_EQ(HitScrollPart(m, 87), ScrollPart::TrackAfter);
  EXPECT_EQ(HitScrollPart(m, 88), ScrollPart::ArrowAfter);
  EXPECT_EQ(HitScrollPart(m, 99), ScrollPart::ArrowAfter);
  EXPECT_EQ(HitScrollPart(m, 100), ScrollPart::None);
  m.position = 30;
  EXPECT_EQ(ScrollThumbStart(m), 70) << "the thumb ends where the lower arrow starts";
}

TEST(ScrollMath, DragFormulaRoundsHalfToEvenAndClamps) {
  ScrollMetrics m = Bar();
  m.max = 3; m.min = 0;
  // travel 60: (3 * (p - grab - 10)) / 60; p-grab-10 = 10 -> 0.5 -> 0; 30 -> 1.5 -> 2.
  EXPECT_EQ(ScrollDragPosition(m, 25, 5), 0);
  EXPECT_EQ(ScrollDragPosition(m, 45, 5), 2);
  EXPECT_EQ(ScrollDragPosition(m, 46, 5), 2);
  EXPECT_EQ(ScrollDragPosition(m, -50, 5), 0);
  EXPECT_EQ(ScrollDragPosition(m, 500, 5), 3);
  m.min = 10; m.max = 13;
  EXPECT_EQ(ScrollDragPosition(m, 45, 5), 12) << "Min is added after rounding";
}

TEST(ScrollMath, DraggingTheThumbToWhereItIsKeepsThePosition) {
  ScrollMetrics m = Bar();
  for (int pos = m.min; pos <= m.max; ++pos) {
    m.position = pos;
    int start = ScrollThumbStart(m);
    EXPECT_EQ(ScrollDragPosition(m, start + 7, 7), pos) << pos;
  }
}

TEST(ScrollMath, NoRoomToTravelIsSafe) {
  ScrollMetrics m = Bar();
  m.pageSize = 78;  // fills the track exactly
  m.position = 9;
  EXPECT_EQ(ScrollDragPosition(m, 50, 3), 9);
  EXPECT_EQ(ScrollThumbStart(m), 10);
  m.pageSize = 200;
  EXPECT_EQ(ScrollDragPosition(m, 50, 3), 9);
}

TEST(ScrollMath, ThumbPiecesKeepBothEnds) {
  // Image 9 lines: mid 4; head lines 0..3, tail lines 4..8.
  ThumbPieces t = SplitThumb(30, 9);
  EXPECT_EQ(t.headLength, 4);
  EXPECT_EQ(t.tailSource, 4);
  EXPECT_EQ(t.tailLength, 5);
  EXPECT_EQ(t.tailStart, 25);
  EXPECT_EQ(t.middleStart, 4);
  EXPECT_EQ(t.middleLength, 21);

  ThumbPieces exact = SplitThumb(9, 9);
  EXPECT_EQ(exact.middleLength, 0);
  EXPECT_EQ(exact.tailStart, 4);

  ThumbPieces shorter = SplitThumb(6, 9);  // tail overlaps the head: drawn last
  EXPECT_EQ(shorter.tailStart, 1);
  EXPECT_EQ(shorter.middleLength, 0);
}

TEST(ScrollMath, WheelDeltasAddUpToWholeNotches) {
  WheelAccumulator w;
  EXPECT_EQ(w.Add(30), 0);
  EXPECT_EQ(w.Add(30), 0);
  EXPECT_EQ(w.Add(30), 0);
  EXPECT_EQ(w.Add(40), 1) << "130 units: one notch, 10 kept";
  EXPECT_EQ(w.Add(110), 1);
  EXPECT_EQ(w.Add(360), 3);
  EXPECT_EQ(w.Add(-90), 0);
  EXPECT_EQ(w.Add(60), 0) << "turning back drops the 90 gathered the other way";
  EXPECT_EQ(w.Add(60), 1);
  EXPECT_EQ(w.Add(-250), -2);
  EXPECT_EQ(w.Add(-110), -1) << "the 10 left over still counts in the same direction";
}

}  // namespace
}  // namespace kolo
