#include "color/color_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace kolo {
namespace {

constexpr TColor kOrange = 0x0080FF;  // R 255, G 128, B 0
constexpr TColor kPureBlue = 0xFF0000;

// Every step-th value of each channel, 255 included.
template <typename Fn>
void ForColorLattice(int step, Fn fn) {
  for (int r = 0; r <= 255 + step - 1; r += step)
    for (int g = 0; g <= 255 + step - 1; g += step)
      for (int b = 0; b <= 255 + step - 1; b += step)
        fn(MakeColor(std::min(r, 255), std::min(g, 255), std::min(b, 255)));
}

std::optional<TColor> Parse(std::string_view text, int format = 0) { return ParseColor(text, format); }

TEST(FormatColor, OrangeInEveryFormat) {
  const char* expected[kColorTextFormatCount] = {
      "FF8000",     "255,128,0", "#FF8000",   "$0080FF",    "$FFFF8000", "0x0080FF",  "0&0080FF&",
      "30,100,100", "67,43,74",  "30,50,100", "0,50,100,0", "0,127,255", "171,143,23"};
  for (int f = 0; f < kColorTextFormatCount; ++f) EXPECT_EQ(FormatColor(kOrange, f), expected[f]) << f;
}

TEST(FormatColor, WhiteBlueAndOutOfRangeFormats) {
  const char* white[] = {"0,0,100", "100,0,0", "0,100,0", "0,0,0,0", "0,0,0", "255,255,254"};
  for (int f = 7; f <= 12; ++f) EXPECT_EQ(FormatColor(0xFFFFFF, f), white[f - 7]) << f;
  EXPECT_EQ(FormatColor(kPureBlue, 7), "240,100,100");
  EXPECT_EQ(FormatColor(kPureBlue, 8), "32,79,-108");
  EXPECT_EQ(FormatColor(0x0A0B0C, 0), "0C0B0A");  // leading zeros kept
  EXPECT_EQ(FormatColor(0x000001, 3), "$000001");
  EXPECT_EQ(FormatColor(kOrange, 13), "");
  EXPECT_EQ(FormatColor(kOrange, -1), "");
}

TEST(FormatColor, Captions) {
  EXPECT_EQ(ColorFormatCaption(0), "RGB hex (RRGGBB)");
  EXPECT_EQ(ColorFormatCaption(4), "Delphi GDI ($FFRRGGBB)");
  EXPECT_EQ(ColorFormatCaption(6), "Visual Basic (0&BBGGRR&)");
  EXPECT_EQ(ColorFormatCaption(12), "LMS (l,m,s)");
  EXPECT_EQ(ColorFormatCaption(13), "");
}

TEST(ParseColor, NamesAnywhereLaterWins) {
  EXPECT_EQ(Parse("  Navy  "), 0x800000u);
  EXPECT_EQ(Parse("NavyBlue"), kPureBlue);
  EXPECT_EQ(Parse("darkred"), 0x0000FFu);
  EXPECT_EQ(Parse("ltgray"), 0xC0C0C0u);
  EXPECT_EQ(Parse("dkgray"), 0x808080u);
  EXPECT_EQ(Parse("skyblue"), 0xF0CAA6u);
  EXPECT_EQ(Parse("limegreen"), 0x00FF00u);
  EXPECT_EQ(Parse("MoneyGreen"), 0xC0DCC0u);
  // A name wins over any number form that surrounds it.
  EXPECT_EQ(Parse("#aqua"), 0xFFFF00u);
  ASSERT_EQ(NamedColors().size(), 22u);
  for (const NamedColor& n : NamedColors()) {
    std::optional<TColor> c = Parse(n.name);
    ASSERT_TRUE(c) << n.name;
    // Only names that contain a later name read as something else.
    bool shadowed = false;
    for (const NamedColor& later : NamedColors())
      if (&later > &n && n.name.find(later.name) != std::string_view::npos) shadowed = true;
    if (!shadowed) {
      EXPECT_EQ(*c, n.value) << n.name;
    }
  }
}

TEST(ParseColor, HashForms) {
  EXPECT_EQ(Parse("#f80"), 0x0000F8u);  // padded to f80000
  EXPECT_EQ(Parse("#FF8000"), kOrange);
  EXPECT_EQ(Parse("#ff8000ff"), kOrange);  // only six digits are read
  EXPECT_EQ(Parse("#f"), 0x0000F0u);
  EXPECT_FALSE(Parse("#"));
  EXPECT_FALSE(Parse("#ff80g0"));
  EXPECT_FALSE(Parse("#f 80"));
}

TEST(ParseColor, DollarForms) {
  EXPECT_EQ(Parse("$0080FF"), kOrange);
  EXPECT_EQ(Parse("$FFFF8000"), kOrange);  // GDI form by its non-zero top byte
  EXPECT_EQ(Parse("$FF"), 0x0000FFu);
  EXPECT_EQ(Parse("$01102030"), 0x302010u);
  EXPECT_FALSE(Parse("$"));
  EXPECT_FALSE(Parse("$1FFFFFFFF"));  // past 32 bits
  EXPECT_FALSE(Parse("$12G"));
}

TEST(ParseColor, CAndBasicForms) {
  EXPECT_EQ(Parse("0x0080ff"), kOrange);
  EXPECT_EQ(Parse("0X0080FF"), kOrange);  // lower-cased first
  EXPECT_EQ(Parse("0&0080FF&"), kOrange);
  EXPECT_EQ(Parse("0&80&zz"), 0x80u);
  EXPECT_FALSE(Parse("0&0080FF"));
  EXPECT_FALSE(Parse("0x"));
  EXPECT_FALSE(Parse("0&&"));
  // Marker bits are never read in as a colour.
  EXPECT_FALSE(Parse("0x10000000"));
  EXPECT_FALSE(Parse("0&20000000&"));
}

TEST(ParseColor, SixHexDigits) {
  EXPECT_EQ(Parse("ff8000"), kOrange);
  EXPECT_EQ(Parse(" 0080FF "), 0xFF8000u);
  EXPECT_FALSE(Parse("gf8000"));
  EXPECT_FALSE(Parse("ff80zz"));
  EXPECT_FALSE(Parse("ff800"));   // five digits
  EXPECT_FALSE(Parse("ff80000"));  // seven digits
  EXPECT_FALSE(Parse("x"));        // too short
}

TEST(ParseColor, ThreeNumbersFollowTheFormatThenFallBack) {
  EXPECT_EQ(Parse("255,128,0", 0), kOrange);
  EXPECT_EQ(Parse("255,128,0", 7), kOrange);  // 128 > 100: not HSB, read as RGB
  EXPECT_EQ(Parse("30,100,100", 1), MakeColor(30, 100, 100));
  std::optional<TColor> hsb = Parse("30,100,100", 7);
  ASSERT_TRUE(hsb);
  EXPECT_EQ(GetR(*hsb), 255);
  EXPECT_NEAR(GetG(*hsb), 128, 1);
  EXPECT_EQ(GetB(*hsb), 0);
  EXPECT_EQ(Parse("0,0,0", 8), 0u);  // Lab needs L >= 1: RGB black
  EXPECT_EQ(Parse("300,50,50", 0), Parse("300,50,50", 7));  // only HSB takes a hue of 300
  EXPECT_NE(Parse("300,50,50", 0), std::nullopt);
  EXPECT_EQ(Parse("50,-20,30", 0), Parse("50,-20,30", 8));  // negatives only fit Lab
  EXPECT_FALSE(Parse("400,0,0"));
  EXPECT_FALSE(Parse("50,-200,0"));
  // Each format reads back what it wrote.
  EXPECT_EQ(Parse("0,127,255", 11), kOrange);
  EXPECT_EQ(Parse(" 1, +2, -0", 1), MakeColor(1, 2, 0));
}

TEST(ParseColor, FourNumbersAreCmyk) {
  EXPECT_EQ(Parse("0,50,100,0"), MakeColor(255, 128, 0));  // 127.5 rounds to even
  EXPECT_EQ(Parse("0,0,0,100"), 0u);
  EXPECT_EQ(Parse("0,0,0,0"), 0xFFFFFFu);
  EXPECT_FALSE(Parse("0,0,0,101"));
}

TEST(ParseColor, Failures) {
  EXPECT_FALSE(Parse("1,2"));
  EXPECT_FALSE(Parse("1,2,3,4,5"));
  EXPECT_FALSE(Parse("1,2,"));
  EXPECT_FALSE(Parse("1 ,2,3"));  // nothing may follow the digits
  EXPECT_FALSE(Parse("1,2,99999999999"));
  EXPECT_FALSE(Parse("1,2,2147483648"));
  EXPECT_FALSE(Parse(""));
  EXPECT_FALSE(Parse("   "));
  EXPECT_FALSE(Parse("hello"));
  // 21 characters fail even though they trim to a valid text.
  std::string padded = std::string(15, ' ') + "ff8000";
  ASSERT_EQ(padded.size(), 21u);
  EXPECT_FALSE(Parse(padded));
  EXPECT_EQ(Parse(padded.substr(1)), kOrange);
}

TEST(ParseColor, ExactFormatsRoundTrip) {
  ForColorLattice(9, [](TColor c) {
    for (int f : {0, 1, 2, 3, 4, 5, 6, 11}) ASSERT_EQ(Parse(FormatColor(c, f), f), c) << f << " " << c;
  });
}

TEST(ParseColor, ModelFormatsRoundTripClosely) {
  // Bounds measured over the whole cube. Percent and whole-degree steps cost
  // a few units; HLS reads its hue back on a 255 scale and drifts; the LMS
  // matrices are four-digit approximations of each other; one whole step of
  // Lab moves a channel near zero a long way, since sRGB is steep there.
  struct Case {
    int format;
    int tolerance;
  };
  for (Case k : {Case{7, 3}, Case{10, 2}, Case{12, 4}, Case{9, 10}, Case{8, 28}}) {
    ForColorLattice(9, [k](TColor c) {
      std::string text = FormatColor(c, k.format);
      if (text.starts_with("0,") && k.format == 8) return;  // L of 0 is no Lab text
      std::optional<TColor> back = Parse(text, k.format);
      ASSERT_TRUE(back) << k.format << " " << text;
      ASSERT_LE(std::abs(GetR(*back) - GetR(c)), k.tolerance) << k.format << " " << text;
      ASSERT_LE(std::abs(GetG(*back) - GetG(c)), k.tolerance) << k.format << " " << text;
      ASSERT_LE(std::abs(GetB(*back) - GetB(c)), k.tolerance) << k.format << " " << text;
    });
  }
}

}  // namespace
}  // namespace kolo
