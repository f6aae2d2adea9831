// GIMP palettes, swatch exchange files and CSS through the palette file routines.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "palette/palette_file.h"
#include "palette_file_test_util.h"

namespace kolo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_palette::AseBuilder;

Bytes FromText(std::string_view s) { return Bytes(s.begin(), s.end()); }
std::optional<LoadedPalette> Read(PaletteFormat f, const Bytes& b) { return ReadPalette(f, b, nullptr); }

TEST(PaletteExchange, GplAndAseRoundTripThroughFilesDroppingGapsAndTheEmptyTransparentCell) {
  // Every level of every channel, two gaps; the empty cell 200 is the transparent one.
  std::array<TColor, 256> cells;
  for (std::uint32_t i = 0; i < 256; ++i) cells[i] = MakeColor(i, 255 - i, (i * 37) % 256);
  cells[5] = cells[200] = clEmptyColor;
  std::vector<TColor> expected;
  for (TColor c : cells)
    if (!IsEmptyColor(c)) expected.push_back(c);
  expected.resize(256, clEmptyColor);

  testing_palette::TempDir dir;
  for (const char* name : {"My colours.gpl", "swatches.ASE"}) {
    ASSERT_TRUE(SavePaletteFile(cells, 200, dir.Path(name), nullptr, "", "")) << name;
    std::array<TColor, 256> loaded;
    loaded.fill(0x123456);
    int transparent = 7;
    ASSERT_TRUE(LoadPaletteFile(dir.Path(name), nullptr, transparent, 255, loaded)) << name;
    EXPECT_EQ(std::vector<TColor>(loaded.begin(), loaded.end()), expected) << name;
    EXPECT_EQ(transparent, -1) << name;
  }
  // Names carry the cell index; the palette is named after its file.
  const Bytes file = dir.ReadFile("My colours.gpl");
  const std::string gpl(file.begin(), file.end());
  EXPECT_EQ(gpl.substr(0, 40), "GIMP Palette\nName: My colours\nColumns: 1");
  EXPECT_NE(gpl.find("\n  6 249 222\tKolo 6\n"), std::string::npos);
  EXPECT_EQ(gpl.find("Kolo 5\n"), std::string::npos);
}

TEST(PaletteExchange, CssListsCellsByIndexAndMarksTheTransparentOne) {
  const std::vector<TColor> cells{0x0080FF, clEmptyColor, 0xA0B0C0, clEmptyColor};
  const auto css = [&cells](int transparent) {
    const Bytes b = *WritePalette(PaletteFormat::Css, cells, transparent, nullptr, {});
    return std::string(b.begin(), b.end());
  };
  EXPECT_EQ(css(2), ":root {\n  --kolo-0: #FF8000;\n  --kolo-2: #C0B0A0; /* transparent */\n}\n");
  EXPECT_EQ(css(3), ":root {\n  --kolo-0: #FF8000;\n  --kolo-2: #C0B0A0;\n  /* --kolo-3: transparent, no colour */\n}\n");
  testing_palette::TempDir dir;
  ASSERT_TRUE(SavePaletteFile(cells, -1, dir.Path("p.css"), nullptr, "", ""));
  int transparent = -1;
  std::vector<TColor> out(256);
  EXPECT_FALSE(LoadPaletteFile(dir.Path("p.css"), nullptr, transparent, 255, out)) << "css is written only";
}

TEST(PaletteExchange, GimpFilesAsPeopleWriteThem) {
  const Bytes gpl = FromText(
      "\xEF\xBB\xBFGIMP Palette\r\nName: Tango: extras\r\nColumns: 4\r\n# a comment\r\n\r\n"
      "255   0   0\tRed\r\n  0 128 255 Sky 2 of 3\r\n\t7\t8\t9\r\n  # 1 2 3 indented comment\r\n10 20 30");
  std::optional<LoadedPalette> p = Read(PaletteFormat::Gpl, gpl);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors, (std::vector<TColor>{0x0000FF, 0xFF8000, 0x090807, 0x1E140A}));
}

TEST(PaletteExchange, HandMadeSwatchesInEveryModel) {
  std::optional<LoadedPalette> p = Read(PaletteFormat::Ase, testing_palette::MixedModelsAse());
  ASSERT_TRUE(p);
  ASSERT_EQ(p->colors.size(), 7u);
  EXPECT_EQ(p->colors[0], 0x0000FFu) << "CMYK 0,100,100,0 is red";
  EXPECT_EQ(p->colors[1], 0x000000u) << "CMYK K 100 is black";
  EXPECT_EQ(p->colors[2], 0xFFFFFFu) << "L* 100 is white";
  // sRGB red and grey from their published L*a*b*: the last bit may differ.
  const auto near = [](TColor a, TColor b) {
    return std::abs(GetR(a) - GetR(b)) <= 1 && std::abs(GetG(a) - GetG(b)) <= 1 && std::abs(GetB(a) - GetB(b)) <= 1;
  };
  EXPECT_PRED2(near, p->colors[3], 0x0000FFu);
  EXPECT_PRED2(near, p->colors[4], 0x808080u);
  EXPECT_EQ(p->colors[5], 0x808080u) << "Gray 0.5";
  EXPECT_EQ(p->colors[6], 0x996633u) << "RGB 0.2, 0.4, 0.6";
}

TEST(PaletteExchange, MalformedFilesAreRefusedAndLeaveTheCellsAlone) {
  const float nan = std::nanf(""), inf = INFINITY;
  const auto one = [](std::string_view model, std::vector<float> v) { return AseBuilder().Color("c", model, v).Build(); };
  Bytes magic = one("RGB ", {0, 0, 0}), version = magic, pastEnd = magic, huge = magic, tooMany = magic;
  magic[0] = 'X';
  version[5] = 2;
  pastEnd[12 + 5] += 1;  // the block claims one byte more than the file has
  huge[8] = huge[9] = huge[10] = huge[11] = 0xFF;
  tooMany[11] = 2;
  const std::vector<std::pair<const char*, Bytes>> ase = {
      {"magic", magic},
      {"version", version},
      {"length past the end", pastEnd},
      {"count 0xFFFFFFFF", huge},
      {"count past the blocks", tooMany},
      {"name never ends",
       AseBuilder().Block(1, {0, 2, 0, 'a', 0, 'b', 'R', 'G', 'B', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}).Build()},
      {"name past the block", AseBuilder().Block(1, {0x7F, 0xFF, 0, 'a'}).Build()},
      {"values cut", AseBuilder().Block(1, {0, 1, 0, 0, 'R', 'G', 'B', ' ', 0x3F, 0x80, 0, 0}).Build()},
      {"NaN", one("RGB ", {0, nan, 0})},
      {"infinite", one("CMYK", {0, 0, inf, 0})},
      {"RGB above 1", one("RGB ", {1.5f, 0, 0})},
      {"gray below 0", one("Gray", {-0.1f})},
      {"Lab a beyond 127", one("LAB ", {0.5f, 200, 0})},
      {"unknown model", one("HSB ", {0, 0, 0})},
      {"groups only", AseBuilder().Group("g").EndGroup().Build()},
  };
  for (const auto& [what, bytes] : ase) EXPECT_FALSE(Read(PaletteFormat::Ase, bytes)) << what;

  for (const char* gpl : {"", "GIMP Palette\n", "GIMP palette\n1 2 3\n", "1 2 3\n", "GIMP Palette\n1 2\n",
                          "GIMP Palette\n1 2 256\n", "GIMP Palette\n1 -2 3\n", "GIMP Palette\n12x 0 0\n",
                          "GIMP Palette\nred\n", "GIMP Palette\n1 2 3\n4 5 99999999999999999999\n"})
    EXPECT_FALSE(Read(PaletteFormat::Gpl, FromText(gpl))) << gpl;

  testing_palette::TempDir dir;
  dir.WriteFile("bad.ase", std::string(pastEnd.begin(), pastEnd.end()));
  std::vector<TColor> cells(256, 0x445566);
  int transparent = 9;
  EXPECT_FALSE(LoadPaletteFile(dir.Path("bad.ase"), nullptr, transparent, 255, cells));
  EXPECT_EQ(cells, std::vector<TColor>(256, 0x445566));
  EXPECT_EQ(transparent, 9);
}

}  // namespace
}  // namespace kolo
