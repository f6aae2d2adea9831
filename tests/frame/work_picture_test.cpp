#include "frame/work_picture.h"

#include <gtest/gtest.h>

#include "frame/cursor_shapes.h"

namespace kolo {
namespace {

TEST(WorkPicture, StoresBottomUpRowsInBlueGreenRedOrder) {
  WorkPicture p;
  p.PutPixel(0, 0, MakeColor(0x11, 0x22, 0x33));
  p.PutPixel(255, 255, MakeColor(0x44, 0x55, 0x66));
  // Row 0 is the first row of the buffer: the bottom line of the picture.
  EXPECT_EQ(p.Bits()[0], 0x33);
  EXPECT_EQ(p.Bits()[1], 0x22);
  EXPECT_EQ(p.Bits()[2], 0x11);
  const std::uint8_t* last = p.Bits() + WorkPicture::kBytes - 3;
  EXPECT_EQ(last[0], 0x66);
  EXPECT_EQ(last[2], 0x44);
  EXPECT_EQ(p.GetPixel(255, 255), MakeColor(0x44, 0x55, 0x66));
  // Outside the picture nothing is written and nothing is read.
  p.PutPixel(256, 0, 0);
  p.PutPixel(-1, 5, 0);
  EXPECT_EQ(p.GetPixel(256, 0), clEmptyColor);
}

TEST(WorkPicture, ClearsToSkyBlueAndRoundsRealChannelsHalfToEven) {
  WorkPicture p;
  EXPECT_EQ(p.GetPixel(17, 200), clSkyBlue);
  p.PutPixelF(1, 1, 0.5, 1.5, 2.5);
  EXPECT_EQ(p.GetPixel(1, 1), MakeColor(0, 2, 2));
  // Slightly out of range keeps to the edge of the scale instead of wrapping.
  p.PutPixelF(2, 2, 255.6, -0.7, 128.0);
  EXPECT_EQ(p.GetPixel(2, 2), MakeColor(255, 0, 128));
}

TEST(WorkPicture, BlendMovesEachChannelTowardTheBackground) {
  WorkPicture p;
  p.BlendPixel(3, 3, 0.5, MakeColor(0, 0, 0), MakeColor(255, 101, 10));
  // 255 - 127.5 = 127.5 -> 128; 101 - 50.5 = 50.5 -> 50; 10 - 5 = 5
  EXPECT_EQ(p.GetPixel(3, 3), MakeColor(128, 50, 5));
  p.BlendPixel(4, 4, 0.0, MakeColor(0, 0, 0), MakeColor(9, 8, 7));
  EXPECT_EQ(p.GetPixel(4, 4), MakeColor(9, 8, 7));
}

TEST(WorkPicture, CellFrameIsBlackOnlyForTheHighlightedCurrentColour) {
  WorkPicture p;
  const TColor red = MakeColor(255, 0, 0);
  p.DrawCell(10, 10, true, 8, red, red);
  EXPECT_EQ(p.GetPixel(10, 10), clBlack);    // frame corner
  EXPECT_EQ(p.GetPixel(18, 18), clBlack);    // (size+1) square ends at x+size
  EXPECT_EQ(p.GetPixel(11, 11), red);        // fill starts inside the frame
  EXPECT_EQ(p.GetPixel(17, 17), red);
  EXPECT_EQ(p.GetPixel(19, 19), clSkyBlue);  // nothing past the frame
  p.DrawCell(30, 30, true, 8, red, MakeColor(0, 0, 255));
  EXPECT_EQ(p.GetPixel(30, 30), clFrame);
  p.DrawCell(50, 50, false, 8, red, red);
  EXPECT_EQ(p.GetPixel(50, 50), clFrame);
  p.DrawCell(70, 70, true, 8, clEmptyColor, red);
  EXPECT_EQ(p.GetPixel(71, 71), clSkyBlue);
}

TEST(LookupTables, DistanceSquaredAndAngleAroundTheCentre) {
  const auto& t = LookupTables::Get();
  EXPECT_EQ(t.squared[LookupTables::Index(128, 128)], 0);
  EXPECT_EQ(t.squared[LookupTables::Index(131, 132)], 25);
  EXPECT_FLOAT_EQ(t.distance[LookupTables::Index(131, 132)], 5.0f);
  // sqrt(0.5^2 ...) style halves: a=1,b=1 -> 1.414 -> 1; a=0,b=0 -> 0.
  EXPECT_FLOAT_EQ(t.distance[LookupTables::Index(129, 129)], 1.0f);
  // a = 0 is special-cased.
  EXPECT_FLOAT_EQ(t.angle[LookupTables::Index(128, 200)], 270.0f);
  EXPECT_FLOAT_EQ(t.angle[LookupTables::Index(128, 10)], 90.0f);
  EXPECT_FLOAT_EQ(t.angle[LookupTables::Index(128, 128)], 270.0f);
  // atan2(0, a>0) = 0 -> 180; atan2(0, a<0) = pi -> 360.
  EXPECT_FLOAT_EQ(t.angle[LookupTables::Index(200, 128)], 180.0f);
  EXPECT_FLOAT_EQ(t.angle[LookupTables::Index(10, 128)], 360.0f);
  EXPECT_NEAR(t.angle[LookupTables::Index(138, 138)], 225.0f, 1e-4);
}

TEST(MixColors, AveragesEachChannelDownward) {
  EXPECT_EQ(MixColors(MakeColor(255, 0, 3), MakeColor(0, 255, 4)), MakeColor(127, 127, 3));
}

TEST(CursorShapes, SquareCursorShowsOnlyTheFourCorners) {
  CursorShape s = SquareCursorShape();
  ASSERT_EQ(s.width, 13);
  EXPECT_EQ(s.hotX, 6);
  EXPECT_EQ(s.hotY, 6);
  EXPECT_TRUE(s.At(0, 0));
  EXPECT_TRUE(s.At(4, 0));
  EXPECT_FALSE(s.At(5, 0));
  EXPECT_FALSE(s.At(8, 12));
  EXPECT_TRUE(s.At(9, 12));
  EXPECT_FALSE(s.At(0, 6));
  EXPECT_TRUE(s.At(12, 4));
  EXPECT_FALSE(s.At(6, 6));
  int count = 0;
  for (bool b : s.inverts) count += b;
  EXPECT_EQ(count, 4 * 12 - 4 * 4);  // the ring less four gaps of four
}

TEST(CursorShapes, CrossHairsDifferOnlyAroundTheHotSpot) {
  CursorShape gapped = GappedCrossShape(), plain = PlainCrossShape();
  ASSERT_EQ(gapped.width, 20);
  EXPECT_EQ(gapped.hotX, 10);
  for (int i = 0; i < 20; ++i) {
    const bool nearHot = i >= 9 && i <= 11;
    EXPECT_EQ(gapped.At(10, i), !nearHot) << i;
    EXPECT_EQ(gapped.At(i, 10), !nearHot) << i;
    EXPECT_TRUE(plain.At(10, i));
    EXPECT_TRUE(plain.At(i, 10));
  }
  EXPECT_FALSE(plain.At(9, 9));
}

}  // namespace
}  // namespace kolo
