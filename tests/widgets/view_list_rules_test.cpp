#include "widgets/view_list_rules.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

// Six 40-pixel pictures with 2, 3 or 4 colours, one 20 pixels high.
ViewListLayout Templates() {
  ViewListLayout l;
  l.SetItems({{40, 2}, {40, 3}, {20, 4}, {40, 3}, {40, 2}, {40, 3}});
  return l;
}

TEST(ViewListRulesTest, TheFilterDecidesWhatIsStackedAndHowFarItScrolls) {
  ViewListLayout l = Templates();
  EXPECT_EQ(l.ContentHeight(), 5 * 42 + 22);
  EXPECT_EQ(l.ScrollMax(169), 232 - 169);
  l.SetTagFilter(3);
  EXPECT_FALSE(l.Passes(0));
  EXPECT_TRUE(l.Passes(3));
  EXPECT_EQ(l.ContentHeight(), 3 * 42);
  EXPECT_EQ(l.ScrollMax(169), 0);
  EXPECT_EQ(l.FirstPassing(), 1);
  EXPECT_EQ(l.Offset(1), 0);
  EXPECT_EQ(l.Offset(3), 42);
  EXPECT_EQ(l.Offset(0), -1);
  l.SetTagFilter(0);
  EXPECT_EQ(l.Offset(3), 42 + 42 + 22);
  l.SetTagFilter(7);  // nothing has seven colours
  EXPECT_EQ(l.FirstPassing(), -1);
  EXPECT_EQ(l.ContentHeight(), 0);
}

TEST(ViewListRulesTest, AClickFindsThePictureByItsPlaceInTheStack) {
  ViewListLayout l = Templates();
  EXPECT_EQ(l.At(0, 0), 0);    // the gap above a picture belongs to it
  EXPECT_EQ(l.At(0, 41), 0);
  EXPECT_EQ(l.At(0, 42), 1);
  EXPECT_EQ(l.At(0, 84 + 21), 2);
  EXPECT_EQ(l.At(0, 84 + 22), 3);
  EXPECT_EQ(l.At(50, 0), 1);   // scrolled by 50 pixels
  EXPECT_EQ(l.At(0, 500), -1);
  l.SetTagFilter(2);
  EXPECT_EQ(l.At(0, 42), 4);
}

}  // namespace
}  // namespace kolo
