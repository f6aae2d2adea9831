// Where the drop-down list and the value slider open, and the slider's value.
#include "widgets/popup_rules.h"

#include <gtest/gtest.h>

#include "palette/new_palette.h"

namespace kolo {
namespace {

TEST(ListPlacement, UnderTheAnchorOrAboveWhenTheScreenEnds) {
  const IntRect anchor{100, 200, 249, 216};
  const ListPlacement six = PlaceList(anchor, 0, 0, 0, 6, 1024);
  EXPECT_EQ(six.bounds, IntRect::FromSize(100, 216, 149, 86));
  EXPECT_FALSE(six.slider || six.above);
  const ListPlacement seven = PlaceList(anchor, 5, 2, 3, 7, 1024);
  EXPECT_EQ(seven.bounds, IntRect::FromSize(95, 218, 157, 100));
  EXPECT_TRUE(seven.slider);
  // 216 + 2 + 100 would pass a screen ending at 317: above, with the same gap.
  const ListPlacement above = PlaceList(anchor, 0, 2, 0, 7, 317);
  EXPECT_TRUE(above.above);
  EXPECT_EQ(above.bounds.top, 200 - 2 - 100);
  EXPECT_FALSE(PlaceList(anchor, 0, 2, 0, 7, 318).above);
}

TEST(ValueSlider, PlacementBesideTheMainWindowAndValueFromThePointer) {
  const IntRect main{100, 100, 464, 420};
  const IntRect anchor{400, 300, 409, 313};  // 9x13
  const SliderPlacement p = PlaceValueSlider(main, anchor, 255, 55, 1024);
  EXPECT_EQ(p.arrowTop, 200);
  EXPECT_EQ(p.bounds, IntRect::FromSize(458, 300 + 6 - 200 + 1, 27, 262));
  // Clamped to the screen at both ends.
  EXPECT_EQ(PlaceValueSlider(main, IntRect{400, 100, 409, 113}, 255, 0, 1024).bounds.top, 0);
  EXPECT_EQ(PlaceValueSlider(main, IntRect{400, 1000, 409, 1013}, 255, 255, 1024).bounds.top, 1024 - 262);
  // The pointer's row less 3 is the arrows' top; the value is range minus it.
  EXPECT_EQ(DragValueSlider(107, 100, 262, 255).value, 255 - 4);
  EXPECT_EQ(DragValueSlider(50, 100, 262, 255).value, 255);  // above the strip: the top value
  EXPECT_EQ(DragValueSlider(900, 100, 262, 255).value, 0);
}

// Swatches of 16 a row, 9 pixels apart, sharing their white outlines.
TEST(NewPalettePreviewPicture, SwatchRule) {
  std::vector<TColor> colors(20);
  for (std::size_t i = 0; i < colors.size(); ++i) colors[i] = MakeColor(10 * i, 0, 0);
  const std::vector<TColor> px = NewPalettePreview(colors);
  auto at = [&](int x, int y) { return px[static_cast<std::size_t>(y * kNewPalettePreviewSide + x)]; };
  EXPECT_EQ(at(0, 0), clSelectedSlot);
  EXPECT_EQ(at(1, 1), clFrame);
  EXPECT_EQ(at(147, 147), clFrame);
  EXPECT_EQ(at(2, 2), clWhite);          // outline of swatch 0
  EXPECT_EQ(at(3, 3), colors[0]);
  EXPECT_EQ(at(11, 5), clWhite);         // shared by swatches 0 and 1
  EXPECT_EQ(at(12, 5), colors[1]);
  EXPECT_EQ(at(9 * 3 + 5, 9 + 5), colors[19]);  // row 1, column 3
  EXPECT_EQ(at(9 * 4 + 5, 9 + 5), clSkyBlue);   // beyond the last colour
  EXPECT_EQ(at(146, 146), clSkyBlue);
}

TEST(PopupRulesTest, DropPanelsOpenUnderTheirPanelOrAboveNearTheBottom) {
  const IntRect panel{266, 192, 348, 233};
  DropPlacement below = PlaceDropPanel(panel, 96, 171, 768);
  EXPECT_EQ(below.bounds, (IntRect{266, 231, 362, 402}));
  EXPECT_FALSE(below.above);
  // 231 + 171 = 402 passes a 400-pixel screen: the panel opens above, its bottom 2 pixels into the panel.
  DropPlacement above = PlaceDropPanel(panel, 96, 171, 400);
  EXPECT_TRUE(above.above);
  EXPECT_EQ(above.bounds.bottom, panel.top + 2);
  EXPECT_EQ(above.bounds.Height(), 171);
}

}  // namespace
}  // namespace kolo
