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
using namespace testing_palette;

std::optional<LoadedPalette> Read(PaletteFormat f, std::string_view s) {
  return ReadPalette(f, Bytes(s.begin(), s.end()), nullptr);
}

TEST(PaletteExchange, GplAndAseRoundTripThroughFilesDroppingGapsAndTheEmptyTransparentCell) {
  // Every level of every channel, two gaps; the empty cell 200 is the transparent one.
  std::array<TColor, 256> cells;
  for (std::uint32_t i = 0; i < 256; ++i) cells[i] = MakeColor(i, 255 - i, (i * 37) % 256);
  cells[5] = cells[200] = clEmptyColor;
  std::vector<TColor> expected;
  for (TColor c : cells)
    if (!IsEmptyColor(c)) expected.push_back(c);
  expected.push_back(clEmptyColor), expected.push_back(clEmptyColor);

  TempDir dir;
  for (const char* name : {"My colours.gpl", "swatches.ASE"}) {
    ASSERT_TRUE(SavePaletteFile(cells, 200, dir.Path(name), nullptr, "", "")) << name;
    std::array<TColor, 256> loaded{};
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
}

TEST(PaletteExchange, CssListsCellsByIndexAndMarksTheTransparentOne) {
  const std::vector<TColor> cells{0x0080FF, clEmptyColor, 0xA0B0C0, clEmptyColor};
  const auto css = [&cells](int transparent) {
    const Bytes b = *WritePalette(PaletteFormat::Css, cells, transparent, nullptr, {});
    return std::string(b.begin(), b.end());
  };
  EXPECT_EQ(css(2), ":root {\n  --kolo-0: #FF8000;\n  --kolo-2: #C0B0A0; /* transparent */\n}\n");
  EXPECT_EQ(css(3),
            ":root {\n  --kolo-0: #FF8000;\n  --kolo-2: #C0B0A0;\n  /* --kolo-3: transparent, no colour */\n}\n");
}

TEST(PaletteExchange, GimpFilesAsPeopleWriteThem) {
  std::optional<LoadedPalette> p =
      Read(PaletteFormat::Gpl,
           "\xEF\xBB\xBFGIMP Palette\r\nName: Tango: extras\r\nColumns: 4\r\n# note\r\n\r\n"
           "255   0   0\tRed\r\n  0 128 255 Sky 2 of 3\r\n\t7\t8\t9\r\n  # 1 2 3\r\n10 20 30");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors, (std::vector<TColor>{0x0000FF, 0xFF8000, 0x090807, 0x1E140A}));
}

TEST(PaletteExchange, HandMadeSwatchesInEveryModel) {
  std::optional<LoadedPalette> p = ReadPalette(PaletteFormat::Ase, MixedModelsAse(), nullptr);
  ASSERT_TRUE(p);
  // CMYK red and black, Lab white, then sRGB red and grey from their published
  // L*a*b* (the last bit may differ), Gray 0.5 and RGB 0.2, 0.4, 0.6.
  const std::vector<TColor> want{0x0000FF, 0x000000, 0xFFFFFF, 0x0000FF, 0x808080, 0x808080, 0x996633};
  ASSERT_EQ(p->colors.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i)
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(static_cast<int>(p->colors[i] >> shift & 0xFF), static_cast<int>(want[i] >> shift & 0xFF),
                  i == 3 || i == 4 ? 1 : 0)
          << i;
}

TEST(PaletteExchange, MalformedFilesAreRefusedAndLeaveTheCellsAlone) {
  Bytes magic = AseFile({AseColor("RGB ", {0, 0, 0})}), version = magic, pastEnd = magic, huge = magic;
  magic[0] = 'X', version[5] = 2, pastEnd[17] += 1;  // the block claims one byte more than the file has
  huge[8] = huge[9] = huge[10] = huge[11] = 0xFF;
  const Bytes noEnd{0, 2, 0, 'a', 0, 'b', 'R', 'G', 'B', ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
  const std::vector<Bytes> ase{magic,
                               version,
                               pastEnd,
                               huge,
                               AseFile({AseBlock(1, noEnd)}),  // a name that never ends
                               AseFile({AseBlock(1, {0x7F, 0xFF, 0, 'a'})}),
                               AseFile({AseColor("RGB ", {0, std::nanf(""), 0})}),
                               AseFile({AseColor("CMYK", {0, 0, INFINITY, 0})}),
                               AseFile({AseColor("RGB ", {1.5f, 0, 0})}),
                               AseFile({AseColor("Gray", {-0.1f})}),
                               AseFile({AseColor("LAB ", {0.5f, 200, 0})}),
                               AseFile({AseColor("HSB ", {0, 0, 0})}),
                               AseFile({AseBlock(0xC001, {0, 1, 0, 0}), AseBlock(0xC002, {})})};
  for (size_t i = 0; i < ase.size(); ++i) EXPECT_FALSE(ReadPalette(PaletteFormat::Ase, ase[i], nullptr)) << i;
  for (const char* gpl :
       {"", "GIMP Palette\n", "GIMP palette\n1 2 3\n", "1 2 3\n", "GIMP Palette\n1 2\n", "GIMP Palette\n1 2 256\n",
        "GIMP Palette\n1 -2 3\n", "GIMP Palette\n12x 0 0\n", "GIMP Palette\n1 2 3\n4 5 99999999999999999999\n"})
    EXPECT_FALSE(Read(PaletteFormat::Gpl, gpl)) << gpl;

  TempDir dir;
  dir.WriteFile("bad.ase", std::string(pastEnd.begin(), pastEnd.end()));
  std::vector<TColor> cells(256, 0x445566);
  int transparent = 9;
  EXPECT_FALSE(LoadPaletteFile(dir.Path("bad.ase"), nullptr, transparent, 255, cells));
  EXPECT_EQ(cells, std::vector<TColor>(256, 0x445566));
  EXPECT_EQ(transparent, 9);
}

}  // namespace
}  // namespace kolo
