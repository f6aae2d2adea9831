// Contrast ratios of pairs designers know by heart, the pass marks and the
// texts that must never round a failing ratio up, and the dichromat previews.
#include "color/legibility.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

TEST(Contrast, KnownPairsAndPassMarks) {
  EXPECT_DOUBLE_EQ(ContrastRatio(clBlack, clWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(clWhite, clBlack), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(0x336699, 0x336699), 1.0);
  // #767676 is the lightest grey that passes AA on white; #777777 just fails.
  EXPECT_EQ(ContrastText(ContrastRatio(0x767676, clWhite), 2), "4.54");
  EXPECT_EQ(ContrastText(ContrastRatio(0x777777, clWhite), 2), "4.47");
  EXPECT_TRUE(JudgeContrast(ContrastRatio(0x767676, clWhite)).aaNormal);
  const ContrastVerdict grey = JudgeContrast(ContrastRatio(0x777777, clWhite));
  EXPECT_FALSE(grey.aaNormal);
  EXPECT_TRUE(grey.aaLarge);
  EXPECT_FALSE(grey.aaaLarge);
  // Pure red on white (TColor bytes blue, green, red): 4.0, large text only.
  EXPECT_EQ(ContrastText(ContrastRatio(0x0000FF, clWhite), 2), "3.99");

  // A ratio just under a mark is never shown as reaching it.
  EXPECT_EQ(ContrastText(4.4999, 2), "4.49");
  EXPECT_EQ(ContrastText(21.0, 2), "21.00");
  EXPECT_EQ(ContrastSummary(21.0), "21 AAA");
  EXPECT_EQ(ContrastSummary(7.0), "7.0 AAA");
  EXPECT_EQ(ContrastSummary(4.56), "4.5 AA");
  EXPECT_EQ(ContrastSummary(3.2), "3.2");
  EXPECT_EQ(ContrastSummary(1.26), "1.2");
}

TEST(ColorVisionPreview, DichromatsSeeRedAndGreenAlike) {
  for (ColorVision v : {ColorVision::Protanopia, ColorVision::Deuteranopia, ColorVision::Tritanopia}) {
    EXPECT_EQ(SimulateColorVision(clWhite, v), clWhite) << ColorVisionName(v);
    EXPECT_EQ(SimulateColorVision(clBlack, v), clBlack) << ColorVisionName(v);
    // A grey keeps its lightness within a step.
    const TColor g = SimulateColorVision(0x808080, v);
    EXPECT_NEAR(GetR(g), 128, 1);
    EXPECT_NEAR(GetG(g), 128, 1);
    EXPECT_NEAR(GetB(g), 128, 1);
  }
  EXPECT_EQ(SimulateColorVision(0x123456, ColorVision::Normal), 0x123456u);
  // Red to a protanope: linear (0.152, 0.115, 0) back to sRGB, a dark olive.
  const TColor red = SimulateColorVision(MakeColor(255, 0, 0), ColorVision::Protanopia);
  EXPECT_NEAR(GetR(red), 109, 1);
  EXPECT_NEAR(GetG(red), 95, 1);
  EXPECT_EQ(GetB(red), 0);
  // Red and green, far apart for everyone else, come close for a deuteranope.
  auto apart = [](TColor a, TColor b) {
    return std::abs(GetR(a) - GetR(b)) + std::abs(GetG(a) - GetG(b)) + std::abs(GetB(a) - GetB(b));
  };
  const TColor r = MakeColor(200, 40, 40), g = MakeColor(90, 140, 40);
  EXPECT_LT(apart(SimulateColorVision(r, ColorVision::Deuteranopia), SimulateColorVision(g, ColorVision::Deuteranopia)),
            apart(r, g) / 3);
}

}  // namespace
}  // namespace kolo
