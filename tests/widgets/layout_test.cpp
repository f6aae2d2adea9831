#include "widgets/layout.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

AlignItem Custom(TCustomAlign a, int w, int h) {
  return {alCustom, a, true, IntRect::FromSize(0, 0, w, h)};
}

TEST(Layout, CustomEdgesCentreAcrossAndShrinkTheArea) {
  // Parent 200x100 with a 5-pixel border: area (5,5)-(195,95).
  IntRect area{5, 5, 195, 95};
  auto r = LayoutChildren(area, 200, 100,
                          {Custom(caLeft, 20, 10), Custom(caRight, 30, 11), Custom(caTop, 40, 12),
                           Custom(caBottom, 50, 13), Custom(caCenter, 10, 10), Custom(caClient, 1, 1)});
  EXPECT_EQ(r[0], IntRect::FromSize(5, 5 + (90 - 10) / 2, 20, 10));
  // Area is now (25,5)-(195,95).
  EXPECT_EQ(r[1], IntRect::FromSize(165, 5 + (90 - 11) / 2, 30, 11));
  // Area (25,5)-(165,95): width 140.
  EXPECT_EQ(r[2], IntRect::FromSize(25 + (140 - 40) / 2, 5, 40, 12));
  // Area (25,17)-(165,95).
  EXPECT_EQ(r[3], IntRect::FromSize(25 + (140 - 50) / 2, 82, 50, 13));
  // Area (25,17)-(165,82): 140x65.
  EXPECT_EQ(r[4], IntRect::FromSize(25 + 65, 17 + 27, 10, 10));
  EXPECT_EQ(r[5], (IntRect{25, 17, 165, 82})) << "centring takes no room";
}

TEST(Layout, CentringTruncatesTowardZero) {
  // Child taller than the area by an odd amount: (10 - 15) / 2 = -2, not -3.
  auto r = LayoutChildren({0, 0, 100, 10}, 100, 10, {Custom(caLeft, 5, 15), Custom(caCenter, 101, 3)});
  EXPECT_EQ(r[0].top, -2);
  EXPECT_EQ(r[1].left, 5 + (95 - 101) / 2);
  EXPECT_EQ(r[1].left, 2);
}

TEST(Layout, ThirdsUseTheWholeParentAndHalvesTheRest) {
  auto r = LayoutChildren({2, 2, 98, 48}, 100, 50,
                          {Custom(caThirdLeft, 1, 1), Custom(caThirdRight, 1, 1), Custom(caHalfLeft, 1, 1),
                           Custom(caHalfRight, 1, 1)});
  EXPECT_EQ(r[0], IntRect::FromSize(0, 0, 33, 50));
  EXPECT_EQ(r[1], IntRect::FromSize(67, 0, 33, 50));
  // Remaining area (33,2)-(67,48): width 34.
  EXPECT_EQ(r[2], IntRect::FromSize(33, 2, 17, 46));
  EXPECT_EQ(r[3], IntRect::FromSize(50, 2, 17, 46));
}

TEST(Layout, EdgeAlignmentRunsFirstAndHiddenChildrenTakeNoRoom) {
  std::vector<AlignItem> items = {
      Custom(caClient, 1, 1),
      {alClient, caNone, true, {}},
      {alLeft, caNone, true, IntRect::FromSize(0, 0, 10, 99)},
      {alTop, caNone, false, IntRect::FromSize(3, 3, 7, 7)},  // hidden
      {alTop, caNone, true, IntRect::FromSize(0, 0, 99, 8)},
      {alBottom, caNone, true, IntRect::FromSize(0, 0, 99, 6)},
      {alRight, caNone, true, IntRect::FromSize(0, 0, 12, 99)},
      {alNone, caNone, true, IntRect::FromSize(1, 2, 3, 4)},
  };
  auto r = LayoutChildren({0, 0, 100, 60}, 100, 60, items);
  EXPECT_EQ(r[4], (IntRect{0, 0, 100, 8}));
  EXPECT_EQ(r[5], (IntRect{0, 54, 100, 60}));
  EXPECT_EQ(r[2], (IntRect{0, 8, 10, 54}));
  EXPECT_EQ(r[6], (IntRect{88, 8, 100, 54}));
  EXPECT_EQ(r[1], (IntRect{10, 8, 88, 54}));
  EXPECT_EQ(r[0], (IntRect{10, 8, 88, 54})) << "custom children see what the edges left";
  EXPECT_EQ(r[3], IntRect::FromSize(3, 3, 7, 7));
  EXPECT_EQ(r[7], IntRect::FromSize(1, 2, 3, 4));
}

}  // namespace
}  // namespace kolo
