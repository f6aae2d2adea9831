#include "color/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "color/color.h"

namespace kolo {
namespace {

// Every 3rd channel value (0, 3, ... 255): 636,056 colours, ends included.
template <typename Fn>
void ForColorLattice(Fn fn) {
  for (int r = 0; r <= 255; r += 3)
    for (int g = 0; g <= 255; g += 3)
      for (int b = 0; b <= 255; b += 3) fn(r, g, b);
}

long long Rounded(double v) { return RoundHalfEven(v); }

void ExpectInByteRange(const Color3& c) {
  for (double v : c) {
    EXPECT_GE(v, 0.0);
    EXPECT_LE(v, 255.0);
  }
}

TEST(ConvertHsb, GreysHaveNoHueOrSaturation) {
  for (double v : {0.0, 1.0, 127.5, 200.0, 255.0}) {
    Color3 hsb = RGBToHSB(v, v, v);
    EXPECT_EQ(hsb[0], 0.0);
    EXPECT_EQ(hsb[1], 0.0);
    EXPECT_EQ(hsb[2], v);
  }
}

TEST(ConvertHsb, PrimariesAndHueWrap) {
  Color3 red = RGBToHSB(255, 0, 0);
  EXPECT_EQ(red[0], 0.0);  // 0 -> 256 -> wrapped back to 0
  EXPECT_EQ(red[1], 255.0);
  EXPECT_EQ(red[2], 255.0);
  EXPECT_NEAR(RGBToHSB(0, 255, 0)[0], 256.0 / 3, 1e-9);
  EXPECT_NEAR(RGBToHSB(0, 0, 255)[0], 512.0 / 3, 1e-9);
  // Red tested first: yellow and magenta take red's branch.
  EXPECT_NEAR(RGBToHSB(255, 255, 0)[0], 256.0 / 6, 1e-9);
  EXPECT_NEAR(RGBToHSB(255, 0, 255)[0], 256 - 256.0 / 6, 1e-9);
  // Just below red on the circle stays below 256.
  double h = RGBToHSB(255, 0, 1)[0];
  EXPECT_LT(h, 256.0);
  EXPECT_GT(h, 255.0);
  // Saturation on the 0..255 scale from max and min.
  EXPECT_NEAR(RGBToHSB(200, 100, 50)[1], 150.0 * 255 / 200, 1e-9);
}

TEST(ConvertHsb, InverseVisitsEverySextant) {
  // S = B = 255 at the sextant starts gives the six pure hues; a hue of
  // exactly 256 (i = 6) takes the last sextant's branch with f = 0: magenta.
  const int expected[7][3] = {{255, 0, 0},   {255, 255, 0}, {0, 255, 0},  {0, 255, 255},
                              {0, 0, 255},   {255, 0, 255}, {255, 0, 255}};
  for (int i = 0; i <= 6; ++i) {
    Color3 rgb = HSBToRGB(i * 256.0 / 6, 255, 255);
    for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(Rounded(rgb[ch]), expected[i][ch]) << "sextant " << i;
  }
}

TEST(ConvertHsb, RoundTripRestoresEveryColour) {
  ForColorLattice([](int r, int g, int b) {
    Color3 hsb = RGBToHSB(r, g, b);
    ASSERT_GE(hsb[0], 0.0);
    ASSERT_LT(hsb[0], 256.0);
    Color3 rgb = HSBToRGB(hsb[0], hsb[1], hsb[2]);
    ASSERT_EQ(Rounded(rgb[0]), r);
    ASSERT_EQ(Rounded(rgb[1]), g);
    ASSERT_EQ(Rounded(rgb[2]), b);
  });
}

TEST(ConvertHsb, InverseDoesNotClamp) {
  Color3 bright = HSBToRGB(0, 0, 300);
  EXPECT_EQ(bright[0], 300.0);
  Color3 over = HSBToRGB(0, 300, 255);  // p = (255 - 300) * 255 / 255
  EXPECT_NEAR(over[1], -45.0, 1e-9);
}

TEST(ConvertHls, WhiteBlackRedAndGrey) {
  Color3 white = RGBToHLS(255, 255, 255);
  EXPECT_NEAR(white[1], 255.0, 1e-9);
  EXPECT_EQ(white[2], 0.0);
  Color3 black = RGBToHLS(0, 0, 0);
  EXPECT_EQ(black[1], 0.0);
  EXPECT_EQ(black[2], 0.0);
  Color3 red = RGBToHLS(255, 0, 0);
  EXPECT_EQ(red[0], 0.0);
  EXPECT_NEAR(red[1], 127.5, 1e-9);
  EXPECT_NEAR(red[2], 255.0, 1e-9);
  EXPECT_EQ(RGBToHLS(90, 90, 90)[0], 0.0);
  // Light side of the double cone uses 2 - (max + min).
  Color3 pink = RGBToHLS(255, 204, 204);
  EXPECT_NEAR(pink[2], (1 - 0.8) / (2 - 1.8) * 255, 1e-9);
}

TEST(ConvertHls, InverseReadsHueOn255Scale) {
  // Scaled back by 255/256 the hue survives the trip ...
  ForColorLattice([](int r, int g, int b) {
    Color3 hls = RGBToHLS(r, g, b);
    Color3 rgb = HLSToRGB(hls[0] * 255 / 256, hls[1], hls[2]);
    ASSERT_EQ(Rounded(rgb[0]), r);
    ASSERT_EQ(Rounded(rgb[1]), g);
    ASSERT_EQ(Rounded(rgb[2]), b);
  });
  // ... taken as it comes it drifts: pure green picks up some blue.
  Color3 green = RGBToHLS(0, 255, 0);
  Color3 back = HLSToRGB(green[0], green[1], green[2]);
  EXPECT_EQ(Rounded(back[1]), 255);
  EXPECT_GE(Rounded(back[2]), 2);
  // Red is untouched by the drift (hue 0).
  Color3 red = HLSToRGB(0, 127.5, 255);
  EXPECT_EQ(Rounded(red[0]), 255);
  EXPECT_EQ(Rounded(red[1]), 0);
  EXPECT_EQ(Rounded(red[2]), 0);
}

TEST(ConvertHls, InverseDoesNotClamp) {
  Color3 rgb = HLSToRGB(0, 300, 0);
  EXPECT_NEAR(rgb[0], 300.0, 1e-9);
}

TEST(ConvertCmy, ComplementBothWays) {
  Color3 cmy = RGBToCMY(10, 128, 255);
  EXPECT_EQ(cmy[0], 245.0);
  EXPECT_EQ(cmy[1], 127.0);
  EXPECT_EQ(cmy[2], 0.0);
  Color3 rgb = CMYToRGB(cmy[0], cmy[1], cmy[2]);
  EXPECT_EQ(rgb[0], 10.0);
  EXPECT_EQ(rgb[1], 128.0);
  EXPECT_EQ(rgb[2], 255.0);
  EXPECT_EQ(CMYToRGB(300, 0, 0)[0], -45.0);
}

TEST(ConvertCmyk, BlackAndWhite) {
  Color4 black = RGBToCMYK(0, 0, 0);
  EXPECT_EQ(black[0], 0.0);
  EXPECT_EQ(black[1], 0.0);
  EXPECT_EQ(black[2], 0.0);
  EXPECT_EQ(black[3], 255.0);
  for (double v : RGBToCMYK(255, 255, 255)) EXPECT_EQ(v, 0.0);
  Color4 navy = RGBToCMYK(0, 0, 128);
  EXPECT_EQ(navy[0], 255.0);
  EXPECT_EQ(navy[2], 0.0);
  EXPECT_EQ(navy[3], 127.0);
}

TEST(ConvertCmyk, RoundTripAndProductForm) {
  ForColorLattice([](int r, int g, int b) {
    Color4 cmyk = RGBToCMYK(r, g, b);
    Color3 rgb = CMYKToRGB(cmyk[0], cmyk[1], cmyk[2], cmyk[3]);
    ASSERT_EQ(Rounded(rgb[0]), r);
    ASSERT_EQ(Rounded(rgb[1]), g);
    ASSERT_EQ(Rounded(rgb[2]), b);
  });
  Color3 rgb = CMYKToRGB(40, 90, 200, 60);
  EXPECT_NEAR(rgb[0], (255 - 40) * (255 - 60) / 255.0, 1e-9);
  EXPECT_NEAR(rgb[1], (255 - 90) * (255 - 60) / 255.0, 1e-9);
  EXPECT_NEAR(rgb[2], (255 - 200) * (255 - 60) / 255.0, 1e-9);
  // No clamp: a cyan above 255 gives a negative red.
  EXPECT_LT(CMYKToRGB(300, 0, 0, 0)[0], 0.0);
}

TEST(ConvertLab, WhiteBlackAndKnownColours) {
  Color3 white = RGBToLab(255, 255, 255);
  EXPECT_NEAR(white[0], 255.0, 0.01);
  EXPECT_NEAR(white[1], 128.0, 0.05);
  EXPECT_NEAR(white[2], 128.0, 0.05);
  Color3 black = RGBToLab(0, 0, 0);
  EXPECT_NEAR(black[0], 0.0, 1e-9);
  EXPECT_NEAR(black[1], 128.0, 1e-9);
  EXPECT_NEAR(black[2], 128.0, 1e-9);
  // Published sRGB/D65 values: red L* 53.24 a* 80.09 b* 67.20,
  // blue L* 32.30 a* 79.19 b* -107.86.
  Color3 red = RGBToLab(255, 0, 0);
  EXPECT_NEAR(red[0], 53.24 * 2.55, 0.1);
  EXPECT_NEAR(red[1], 80.09 + 128, 0.1);
  EXPECT_NEAR(red[2], 67.20 + 128, 0.1);
  Color3 blue = RGBToLab(0, 0, 255);
  EXPECT_NEAR(blue[0], 32.30 * 2.55, 0.1);
  EXPECT_NEAR(blue[1], 79.19 + 128, 0.1);
  EXPECT_NEAR(blue[2], -107.86 + 128, 0.1);
}

TEST(ConvertLab, RoundTripStaysClose) {
  // The inverse uses slightly different white-point constants and a
  // thousand-step gamma table, so colours come back within a step or two;
  // only the very darkest channels, where the table is coarsest, may move more.
  int worst = 0;
  ForColorLattice([&worst](int r, int g, int b) {
    Color3 lab = RGBToLab(r, g, b);
    Color3 rgb = LabToRGB(lab[0], lab[1], lab[2]);
    const int in[3] = {r, g, b};
    for (int ch = 0; ch < 3; ++ch) {
      int d = static_cast<int>(std::llabs(Rounded(rgb[ch]) - in[ch]));
      if (in[ch] >= 16) {
        ASSERT_LE(d, 2) << r << "," << g << "," << b;
      }
      if (d > worst) worst = d;
    }
  });
  EXPECT_LE(worst, 4);
}

TEST(ConvertLab, InverseAlwaysInsideByteRange) {
  // Far outside the model: huge L runs past the end of the gamma table.
  for (double l = -100; l <= 2000; l += 37)
    for (double a = -300; a <= 600; a += 41)
      for (double b = -300; b <= 600; b += 43) ExpectInByteRange(LabToRGB(l, a, b));
  Color3 white = LabToRGB(1e6, 128, 128);
  for (double v : white) EXPECT_EQ(v, 255.0);
  Color3 black = LabToRGB(0, 128, 128);
  for (double v : black) EXPECT_NEAR(v, 0.0, 1e-9);
}

TEST(ConvertLms, MatrixRoundTripAndClamp) {
  Color3 white = RGBToLMS(255, 255, 255);
  for (double v : white) EXPECT_NEAR(v, 255.0, 1.0);
  // The four-digit matrices are not exact inverses: blue picks up as much as
  // 0.0072 * G, so it may come back two steps off; red and green one.
  ForColorLattice([](int r, int g, int b) {
    Color3 lms = RGBToLMS(r, g, b);
    Color3 rgb = LMSToRGB(lms[0], lms[1], lms[2]);
    ASSERT_LE(std::llabs(Rounded(rgb[0]) - r), 1);
    ASSERT_LE(std::llabs(Rounded(rgb[1]) - g), 1);
    ASSERT_LE(std::llabs(Rounded(rgb[2]) - b), 2);
  });
  Color3 clamped = LMSToRGB(255, 0, 0);  // R far above 255, G and B below 0
  EXPECT_EQ(clamped[0], 255.0);
  EXPECT_EQ(clamped[1], 0.0);
  EXPECT_NEAR(clamped[2], 0.0497 * 255, 1e-9);
  ExpectInByteRange(LMSToRGB(-500, 900, 3000));
}

TEST(GammaTable, ShapeAndEnds) {
  auto table = GammaTable();
  ASSERT_EQ(table.size(), 5001u);
  EXPECT_EQ(table.data(), GammaTable().data());  // built once
  EXPECT_EQ(table[0], 0.0f);
  EXPECT_EQ(table[1000], 1.0f);
  EXPECT_NEAR(table[5000], std::pow(5.0, 1 / 2.4), 1e-6);
  EXPECT_NEAR(table[500], std::pow(0.5, 1 / 2.4), 1e-6);
  for (int i = 1; i < 5001; ++i) ASSERT_GT(table[i], table[i - 1]) << i;
}

}  // namespace
}  // namespace kolo
