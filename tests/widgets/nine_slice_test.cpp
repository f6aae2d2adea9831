#include "widgets/nine_slice.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

TEST(NineSlice, BothDilatorsCutNinePieces) {
  // Image 8x6, control 30x20, dilators 3 and 3.
  auto p = SliceImage(8, 6, 30, 20, 3, 3, ftNormal);
  ASSERT_EQ(p.size(), 9u);
  // Top row: corner, stretched edge, corner.
  EXPECT_EQ(p[0], (SlicePiece{{0, 0, 3, 3}, {0, 0, 3, 3}}));
  EXPECT_EQ(p[1], (SlicePiece{{3, 0, 4, 3}, {3, 0, 26, 3}}));
  EXPECT_EQ(p[2], (SlicePiece{{4, 0, 8, 3}, {26, 0, 30, 3}}));
  // Middle row: the dilator row stretched down.
  EXPECT_EQ(p[3], (SlicePiece{{0, 3, 3, 4}, {0, 3, 3, 18}}));
  EXPECT_EQ(p[4], (SlicePiece{{3, 3, 4, 4}, {3, 3, 26, 18}}));
  EXPECT_EQ(p[5], (SlicePiece{{4, 3, 8, 4}, {26, 3, 30, 18}}));
  // Bottom row.
  EXPECT_EQ(p[6], (SlicePiece{{0, 4, 3, 6}, {0, 18, 3, 20}}));
  EXPECT_EQ(p[8], (SlicePiece{{4, 4, 8, 6}, {26, 18, 30, 20}}));
  // Corner pieces are never stretched.
  for (int i : {0, 2, 6, 8}) {
    EXPECT_EQ(p[i].source.Width(), p[i].target.Width());
    EXPECT_EQ(p[i].source.Height(), p[i].target.Height());
  }
}

TEST(NineSlice, OneAxisOnlyWhereTheControlIsLarger) {
  // Wider but not taller: three columns at natural height.
  auto p = SliceImage(8, 6, 30, 6, 3, 3, ftNormal);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[1], (SlicePiece{{3, 0, 4, 6}, {3, 0, 26, 6}}));
  // Dilator at the first or last column leaves no piece on that side.
  auto edge = SliceImage(8, 6, 30, 6, 0, -1, ftNormal);
  ASSERT_EQ(edge.size(), 2u);
  EXPECT_EQ(edge[0], (SlicePiece{{0, 0, 1, 6}, {0, 0, 23, 6}}));
  auto last = SliceImage(8, 6, 30, 6, 7, -1, ftNormal);
  ASSERT_EQ(last.size(), 2u);
  EXPECT_EQ(last[1], (SlicePiece{{7, 0, 8, 6}, {7, 0, 30, 6}}));
}

TEST(NineSlice, OtherwiseNaturalSize) {
  const SlicePiece natural{{0, 0, 8, 6}, {0, 0, 8, 6}};
  EXPECT_EQ(SliceImage(8, 6, 5, 5, 3, 3, ftNormal), std::vector<SlicePiece>{natural}) << "control smaller";
  EXPECT_EQ(SliceImage(8, 6, 30, 20, 8, 6, ftNormal), std::vector<SlicePiece>{natural}) << "dilators outside";
  EXPECT_EQ(SliceImage(8, 6, 30, 20, -1, -1, ftNormal), std::vector<SlicePiece>{natural});
  EXPECT_EQ(SliceImage(8, 6, 30, 20, 3, 3, ftStretch), std::vector<SlicePiece>{natural})
      << "dilators only slice a normal fill";
  EXPECT_TRUE(SliceImage(0, 6, 30, 20, 3, 3, ftNormal).empty());
}

TEST(NineSlice, FillTypesWithoutDilators) {
  auto stretch = SliceImage(8, 6, 30, 20, -1, -1, ftStretch);
  ASSERT_EQ(stretch.size(), 1u);
  EXPECT_EQ(stretch[0].target, (IntRect{0, 0, 30, 20}));
  auto centre = SliceImage(8, 6, 31, 20, -1, -1, ftCenter);
  EXPECT_EQ(centre[0].target, IntRect::FromSize(11, 7, 8, 6));
  auto tiles = SliceImage(8, 6, 20, 7, -1, -1, ftCopy);
  EXPECT_EQ(tiles.size(), 6u);  // 3 across, 2 down
  EXPECT_EQ(tiles.back().target, IntRect::FromSize(16, 6, 8, 6));
}

}  // namespace
}  // namespace kolo
