#include "fonts/font_list_model.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

// 30 families in a list of 154 pixels: 7 rows of 22 in view.
FontListModel ThirtyFamilies() {
  FontListModel m;
  std::vector<std::string> names;
  for (int i = 0; i < 30; ++i) names.push_back("Family " + std::to_string(i));
  m.SetNames(names);
  m.SetViewHeight(154);
  return m;
}

TEST(FontListModelTest, ScrollsToTheChosenFamilyAndDrawsOnlyRowsInView) {
  FontListModel m = ThirtyFamilies();
  EXPECT_EQ(m.ScrollMax(), 30 * 22 - 154);
  m.selectFontName = "Family 3";
  EXPECT_TRUE(m.ScrollToSelected());
  EXPECT_EQ(m.itemIndex, 3);
  EXPECT_EQ(m.Position(), 66);
  EXPECT_EQ(m.FirstVisible(), 3);
  EXPECT_EQ(m.LastVisible(), 10);  // row 10's top is at the bottom edge
  m.selectFontName = "Family 29";
  m.ScrollToSelected();
  EXPECT_EQ(m.Position(), m.ScrollMax());  // as far as the list scrolls
  m.SetPosition(33);
  EXPECT_EQ(m.FirstVisible(), 1);
  EXPECT_EQ(m.RowTop(1), -11);
  // Names are compared exactly.
  m.selectFontName = "family 3";
  EXPECT_FALSE(m.ScrollToSelected());
}

TEST(FontListModelTest, PressesChooseAndKeysOnlyMoveTheHighlight) {
  FontListModel m = ThirtyFamilies();
  m.SetPosition(30);
  EXPECT_TRUE(m.PressAt(20));  // (30 + 20) / 22 = row 2
  EXPECT_EQ(m.itemIndex, 2);
  EXPECT_EQ(m.selectFontName, "Family 2");
  EXPECT_FALSE(m.Key(FontListKey::Down));
  EXPECT_FALSE(m.Key(FontListKey::Down));
  EXPECT_EQ(m.itemIndex, 4);
  EXPECT_EQ(m.selectFontName, "Family 2");
  // Escape confirms the last choice, not the highlighted row.
  EXPECT_TRUE(m.Key(FontListKey::Escape));
  EXPECT_EQ(m.selectFontName, "Family 2");
  EXPECT_TRUE(m.Key(FontListKey::Enter));
  EXPECT_EQ(m.selectFontName, "Family 4");

  m.SetPosition(0);
  m.itemIndex = 6;
  m.Key(FontListKey::Down);  // row 7 ends below the view: its bottom comes to the bottom edge
  EXPECT_EQ(m.Position(), 7 * 22 - 154 + 22);
  m.Key(FontListKey::PageDown);  // 154 / 22 - 1 = 6 rows
  EXPECT_EQ(m.itemIndex, 13);
  m.Key(FontListKey::PageUp);
  m.Key(FontListKey::PageUp);
  EXPECT_EQ(m.itemIndex, 1);
  EXPECT_EQ(m.Position(), 22);  // scrolled up to its top
  m.Key(FontListKey::End);
  EXPECT_EQ(m.itemIndex, 29);
  EXPECT_EQ(m.Position(), m.ScrollMax());
  m.Key(FontListKey::Down);
  EXPECT_EQ(m.itemIndex, 29);
  m.Key(FontListKey::Home);
  EXPECT_EQ(m.itemIndex, 0);
  EXPECT_EQ(m.Position(), 0);
  // Below the last row there is nothing to choose.
  FontListModel few;
  few.SetNames({"A", "B"});
  few.SetViewHeight(154);
  EXPECT_FALSE(few.PressAt(60));
  EXPECT_EQ(few.RowAt(60), -1);
  few.itemIndex = -1;
  EXPECT_TRUE(few.Key(FontListKey::Space));
  EXPECT_EQ(few.selectFontName, "A");
}

TEST(FontListModelTest, SizesStayInRangeAndMissingFamiliesBecomeArial) {
  EXPECT_EQ(ClampFontSize(23), 22);
  EXPECT_EQ(ClampFontSize(4), 5);
  EXPECT_EQ(ClampFontSize(15), 15);
  auto installed = [](const std::string& name) { return name == "Tahoma"; };
  EXPECT_EQ(ResolveFontName("Tahoma", installed), "Tahoma");
  EXPECT_EQ(ResolveFontName("Gone Sans", installed), "Arial");
  EXPECT_EQ(ResolveFontName("", installed), "Arial");
}

}  // namespace
}  // namespace kolo
