#include "palette/palette_file.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "color/color_text.h"
#include "palette_file_test_util.h"

namespace kolo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_palette::MakeGif;
using testing_palette::TempDir;

const ColorFormatter kHex = [](TColor c) { return FormatColor(c, 0); };
const ColorParser kParseHex = [](std::string_view t) { return ParseColor(t, 0); };
const HtmlPageLinks kLinks{"https://example.test/kolo/", "https://example.test/kolo/gif/logob.png"};

std::array<TColor, 256> Cells(int colours, TColor first = 0x010203) {
  std::array<TColor, 256> cells;
  cells.fill(clEmptyColor);
  for (int i = 0; i < colours; ++i) cells[i] = (first + 0x030507u * static_cast<TColor>(i)) & 0xFFFFFF;
  return cells;
}

Bytes Write(PaletteFormat f, std::span<const TColor> cells, int transparent = -1) {
  std::optional<Bytes> b = WritePalette(f, cells, transparent, kHex, kLinks);
  EXPECT_TRUE(b);
  return b.value_or(Bytes{});
}

std::optional<LoadedPalette> Read(PaletteFormat f, const Bytes& b) { return ReadPalette(f, b, kParseHex); }

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }
Bytes FromText(std::string_view s) { return Bytes(s.begin(), s.end()); }

std::vector<std::string> SplitCrLf(const std::string& s) {
  std::vector<std::string> lines;
  size_t pos = 0, end;
  while ((end = s.find("\r\n", pos)) != std::string::npos) {
    lines.push_back(s.substr(pos, end - pos));
    pos = end + 2;
  }
  if (pos < s.size()) lines.push_back(s.substr(pos));
  return lines;
}

TEST(PaletteFormatOf, ExtensionAloneDecides) {
  EXPECT_EQ(PaletteFormatOf("a/b/x.KPT"), PaletteFormat::Kpt);
  EXPECT_EQ(PaletteFormatOf("x.Act"), PaletteFormat::Act);
  EXPECT_EQ(PaletteFormatOf("x.pal"), PaletteFormat::Pal);
  EXPECT_EQ(PaletteFormatOf("x.gif"), PaletteFormat::Gif);
  EXPECT_EQ(PaletteFormatOf("x.csv"), PaletteFormat::Csv);
  EXPECT_EQ(PaletteFormatOf("x.html"), PaletteFormat::Html);
  EXPECT_EQ(PaletteFormatOf("x.htm"), PaletteFormat::Unknown);
  EXPECT_EQ(PaletteFormatOf("kpt"), PaletteFormat::Unknown);
  EXPECT_EQ(PaletteFormatOf("x.kpt.bak"), PaletteFormat::Unknown);
}

TEST(PaletteKpt, KeepsEveryCellInPlace) {
  auto cells = Cells(10);
  cells[3] = clEmptyColor;
  cells[200] = 0x00ABCDEF;
  Bytes b = Write(PaletteFormat::Kpt, cells, 3);
  ASSERT_EQ(b.size(), 1028u);
  EXPECT_EQ(Text(b).substr(0, 4), "KOLO");
  // Little-endian cells; the transparent (empty) cell carries bit 29 as well.
  EXPECT_EQ(b[4 + 4 * 1 + 0], GetR(cells[1]));
  EXPECT_EQ(b[4 + 4 * 1 + 2], GetB(cells[1]));
  EXPECT_EQ(b[4 + 4 * 3 + 3], 0x30);
  EXPECT_EQ(b[4 + 4 * 50 + 3], 0x10);
  std::optional<LoadedPalette> p = Read(PaletteFormat::Kpt, b);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->transparentIndex, 3);
  EXPECT_EQ(p->colors[3], clBlack);  // marked cells keep their low 24 bits only
  for (int i = 0; i < 256; ++i) {
    if (i != 3) {
      EXPECT_EQ(p->colors[i], cells[i]) << i;
    }
  }
}

TEST(PaletteKpt, ShortArraysMagicAndOddValues) {
  std::array<TColor, 4> few = {1, 2, 3, 4};
  Bytes b = Write(PaletteFormat::Kpt, few, 7);  // index past the array marks nothing
  std::optional<LoadedPalette> p = Read(PaletteFormat::Kpt, b);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors[3], 4u);
  EXPECT_EQ(p->colors[4], clEmptyColor);
  EXPECT_EQ(p->transparentIndex, -1);

  b[0] = 'k';
  EXPECT_FALSE(Read(PaletteFormat::Kpt, b));
  // Missing bytes read as 0: a bare magic is 256 black cells.
  p = Read(PaletteFormat::Kpt, FromText("KOLO"));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors.size(), 256u);
  EXPECT_EQ(p->colors[255], clBlack);
  // The last marked cell wins; stray high bits never reach the cells.
  Bytes odd = FromText("KOLO");
  odd.resize(1028, 0);
  odd[4 + 4 * 2 + 3] = 0x20;
  odd[4 + 4 * 9 + 3] = 0x20;
  odd[4 + 4 * 5 + 0] = 0x11, odd[4 + 4 * 5 + 3] = 0x01;
  odd[4 + 4 * 6 + 0] = 0x11, odd[4 + 4 * 6 + 3] = 0x90;
  p = Read(PaletteFormat::Kpt, odd);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->transparentIndex, 9);
  EXPECT_EQ(p->colors[5], 0x11u);
  EXPECT_EQ(p->colors[6], clEmptyColor);
}

TEST(PaletteAct, LayoutAndTrailer) {
  auto cells = Cells(216);
  Bytes b = Write(PaletteFormat::Act, cells);
  ASSERT_EQ(b.size(), 772u);
  EXPECT_EQ(b[768], 0x00);
  EXPECT_EQ(b[769], 0xD8);
  EXPECT_EQ(b[770], 0xFF);
  EXPECT_EQ(b[771], 0xFF);
  EXPECT_EQ(b[3 * 215 + 1], GetG(cells[215]));
  EXPECT_EQ(b[3 * 216], 0);

  EXPECT_EQ(Write(PaletteFormat::Act, Cells(256)).size(), 768u);

  // A transparent empty cell takes its place in the list as black.
  auto gappy = Cells(5);
  gappy[1] = clEmptyColor;
  Bytes t = Write(PaletteFormat::Act, gappy, 1);
  EXPECT_EQ(t[3], 0);
  EXPECT_EQ(t[6], GetR(gappy[2]));
  EXPECT_EQ(t[769], 5);
  EXPECT_EQ(t[771], 1);
  std::optional<LoadedPalette> p = Read(PaletteFormat::Act, t);
  ASSERT_TRUE(p);
  ASSERT_EQ(p->colors.size(), 5u);
  EXPECT_EQ(p->colors[1], clBlack);
  EXPECT_EQ(p->colors[4], gappy[4]);
  EXPECT_EQ(p->transparentIndex, 1);
  // A full table with a transparent cell still writes the trailer.
  EXPECT_EQ(Write(PaletteFormat::Act, Cells(256), 255).size(), 772u);
}

TEST(PaletteAct, ReadingTrailerVariants) {
  Bytes table = Write(PaletteFormat::Act, Cells(256));
  std::optional<LoadedPalette> p = Read(PaletteFormat::Act, table);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors.size(), 256u);
  EXPECT_EQ(p->transparentIndex, -1);

  Bytes counted = table;
  counted.push_back(0x01), counted.push_back(0x2C);  // 300: padded with black
  p = Read(PaletteFormat::Act, counted);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors.size(), 300u);
  EXPECT_EQ(p->colors[299], clBlack);
  EXPECT_EQ(p->transparentIndex, -1);  // count without index
  counted.push_back(0x00);                // half an index is none
  EXPECT_EQ(Read(PaletteFormat::Act, counted)->transparentIndex, -1);

  Bytes stray = table;
  stray.push_back(0x00);  // one byte is no count
  EXPECT_EQ(Read(PaletteFormat::Act, stray)->colors.size(), 256u);

  Bytes zero = table;
  zero.insert(zero.end(), {0, 0, 0xFF, 0xFF});
  EXPECT_FALSE(Read(PaletteFormat::Act, zero));

  Bytes tiny = {0x11, 0x22};  // short file: the rest reads as 0
  p = Read(PaletteFormat::Act, tiny);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors[0], 0x002211u);
  EXPECT_EQ(p->colors.size(), 256u);
  EXPECT_FALSE(Read(PaletteFormat::Act, Bytes{}));
}

TEST(PalettePal, RiffLayoutAndLimits) {
  Bytes full = Write(PaletteFormat::Pal, Cells(216));
  EXPECT_EQ(full.size(), 24u + 864);
  EXPECT_EQ(full[22] | (full[23] << 8), 216);

  auto cells = Cells(216);
  cells[0] = clEmptyColor;  // gaps close up
  Bytes b = Write(PaletteFormat::Pal, cells);
  ASSERT_EQ(b.size(), 24u + 4 * 215);
  EXPECT_EQ(Text(b).substr(0, 4), "RIFF");
  EXPECT_EQ(Text(b).substr(8, 8), "PAL data");
  EXPECT_EQ(b[4] | (b[5] << 8), 4 * 215 + 16);
  EXPECT_EQ(b[16] | (b[17] << 8), 4 * 215 + 4);
  EXPECT_EQ(b[20], 0x00);
  EXPECT_EQ(b[21], 0x03);
  EXPECT_EQ(b[22] | (b[23] << 8), 215);
  EXPECT_EQ(b[24], GetR(cells[1]));
  EXPECT_EQ(b[27], 0);
  std::optional<LoadedPalette> p = Read(PaletteFormat::Pal, b);
  ASSERT_TRUE(p);
  ASSERT_EQ(p->colors.size(), 215u);
  EXPECT_EQ(p->colors[0], cells[1]);
  EXPECT_EQ(p->transparentIndex, -1);

  Bytes big = b;
  big[22] = 0x01, big[23] = 0x01;  // 257
  EXPECT_FALSE(Read(PaletteFormat::Pal, big));
  big[22] = 0x00;  // 256: missing entries read as black
  EXPECT_EQ(Read(PaletteFormat::Pal, big)->colors.size(), 256u);
  big[23] = 0x00;
  EXPECT_FALSE(Read(PaletteFormat::Pal, big));  // nothing in it
  b[0] = 'X';
  EXPECT_FALSE(Read(PaletteFormat::Pal, b));
}

TEST(PaletteCsv, LineBreaking) {
  auto sixteen = Cells(16);
  std::string s = Text(Write(PaletteFormat::Csv, sixteen));
  EXPECT_EQ(s.substr(s.size() - 8), FormatColor(sixteen[15], 0) + "\r\n");
  EXPECT_EQ(std::count(s.begin(), s.end(), ';'), 15);

  std::string s17 = Text(Write(PaletteFormat::Csv, Cells(17)));
  std::vector<std::string> lines = SplitCrLf(s17);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].back(), ';');
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ';'), 16);
  EXPECT_EQ(lines[1], FormatColor(Cells(17)[16], 0));
  EXPECT_NE(s17.substr(s17.size() - 2), "\r\n");

  EXPECT_EQ(Text(Write(PaletteFormat::Csv, Cells(32))).size(), 32u * 6 + 31 + 4);
  EXPECT_TRUE(Write(PaletteFormat::Csv, Cells(0)).empty());
}

TEST(PaletteCsv, ReadingPiecesAndFailure) {
  std::optional<LoadedPalette> p =
      Read(PaletteFormat::Csv, FromText(" FF8000 ;;\t0000FF\r\n\r\nred;\n#00ff00"));
  ASSERT_TRUE(p);
  ASSERT_EQ(p->colors.size(), 4u);
  EXPECT_EQ(p->colors[0], 0x0080FFu);
  EXPECT_EQ(p->colors[1], 0xFF0000u);
  EXPECT_EQ(p->colors[2], 0x0000FFu);
  EXPECT_EQ(p->colors[3], 0x00FF00u);
  EXPECT_FALSE(Read(PaletteFormat::Csv, FromText("FF8000;nonsense;0000FF")));
  EXPECT_FALSE(Read(PaletteFormat::Csv, FromText(" ;\r\n ")));
  // Numbers with commas inside pieces survive the trip in their own notation.
  auto cells = Cells(40);
  ColorFormatter rgb = [](TColor c) { return FormatColor(c, 1); };
  Bytes b = *WritePalette(PaletteFormat::Csv, cells, -1, rgb, kLinks);
  p = ReadPalette(PaletteFormat::Csv, b, [](std::string_view t) { return ParseColor(t, 1); });
  ASSERT_TRUE(p);
  ASSERT_EQ(p->colors.size(), 40u);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(p->colors[i], cells[i]);
}

TEST(PaletteHtml, PageLinesAndData) {
  auto cells = Cells(3, 0x0080FF);
  std::string page = Text(Write(PaletteFormat::Html, cells, 1));
  ASSERT_EQ(page.substr(page.size() - 2), "\r\n");
  std::vector<std::string> lines = SplitCrLf(page);
  ASSERT_EQ(lines.size(), 51u);
  EXPECT_EQ(lines[0], "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
  EXPECT_EQ(lines[15],
            "<td><a href=\"https://example.test/kolo/\"><img width=\"16px\" height=\"16px\" "
            "src=\"https://example.test/kolo/gif/logob.png\"/></a></td>");
  EXPECT_EQ(lines[22], "var colors=[");
  EXPECT_EQ(lines[23], "\"FF8000\",\"" + FormatColor(cells[1], 0) + "\",\"" + FormatColor(cells[2], 0) +
                           "\"], labels=[");
  ColorFormatter hsb = [](TColor c) { return FormatColor(c, 7); };
  std::vector<std::string> labelled =
      SplitCrLf(Text(*WritePalette(PaletteFormat::Html, cells, -1, hsb, kLinks)));
  EXPECT_EQ(labelled[24].substr(0, 13), "\"30,100,100\",");
  EXPECT_TRUE(labelled[24].ends_with("\"], curCount=0; setPalette(16);"));
  EXPECT_EQ(lines[50], "</script></html>");

  std::vector<std::string> empty = SplitCrLf(Text(Write(PaletteFormat::Html, Cells(0))));
  ASSERT_EQ(empty.size(), 51u);
  EXPECT_EQ(empty[23], "], labels=[");
  EXPECT_EQ(empty[24], "], curCount=0; setPalette(16);");
}

TEST(PaletteGif, TableTransparencyAndBlackRuns) {
  // Global table padded with black: one black stays.
  std::vector<TColor> table = {0x0000FF, 0x00FF00, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000};
  std::optional<LoadedPalette> p = Read(PaletteFormat::Gif, MakeGif(table, {}, -1));
  ASSERT_TRUE(p);
  ASSERT_EQ(p->colors.size(), 3u);
  EXPECT_EQ(p->colors[0], 0x0000FFu);
  EXPECT_EQ(p->colors[2], clBlack);
  EXPECT_EQ(p->transparentIndex, -1);
  // A black pair in the middle cuts there; a local table wins over the global one.
  std::vector<TColor> local = {0x111111, 0, 0, 0x222222};
  p = Read(PaletteFormat::Gif, MakeGif(table, local, 3));
  ASSERT_TRUE(p);
  ASSERT_EQ(p->colors.size(), 2u);
  EXPECT_EQ(p->colors[0], 0x111111u);
  EXPECT_EQ(p->transparentIndex, 3);
}

TEST(PaletteGif, BrokenFilesFail) {
  std::vector<TColor> table = {0x0000FF, 0x00FF00};
  Bytes good = MakeGif(table, {}, -1);
  Bytes noImage = MakeGif(table, {}, -1, /*withImage=*/false);
  EXPECT_FALSE(Read(PaletteFormat::Gif, noImage));
  EXPECT_FALSE(Read(PaletteFormat::Gif, Bytes(good.begin(), good.begin() + good.size() / 2 + 8)));
  EXPECT_FALSE(Read(PaletteFormat::Gif, FromText("GIF89a")));
  EXPECT_FALSE(Read(PaletteFormat::Gif, FromText("not a gif at all")));
}

class PaletteFiles : public testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(PaletteFiles, LoadFillsCellsAndLeavesThemOnFailure) {
  auto cells = Cells(20);
  ASSERT_TRUE(SavePaletteFile(cells, 4, dir_.Path("p.act"), kHex, "", ""));
  std::array<TColor, 256> out;
  out.fill(0x123456);
  int transparent = 77;
  ASSERT_TRUE(LoadPaletteFile(dir_.Path("p.act"), kParseHex, transparent, 9, out));
  EXPECT_EQ(out[9], cells[9]);
  EXPECT_EQ(out[10], 0x123456u);  // beyond the highest index nothing changes
  EXPECT_EQ(transparent, 4);
  ASSERT_TRUE(LoadPaletteFile(dir_.Path("p.act"), kParseHex, transparent, 255, out));
  EXPECT_EQ(out[19], cells[19]);
  EXPECT_EQ(out[20], clEmptyColor);
  // Transparent index past the highest index marks nothing.
  ASSERT_TRUE(LoadPaletteFile(dir_.Path("p.act"), kParseHex, transparent, 3, out));
  EXPECT_EQ(transparent, -1);

  auto before = out;
  transparent = 5;
  dir_.WriteFile("bad.csv", "FF0000;what");
  EXPECT_FALSE(LoadPaletteFile(dir_.Path("bad.csv"), kParseHex, transparent, 255, out));
  EXPECT_FALSE(LoadPaletteFile(dir_.Path("missing.kpt"), kParseHex, transparent, 255, out));
  EXPECT_FALSE(LoadPaletteFile(dir_.Path("p.html"), kParseHex, transparent, 255, out));
  std::filesystem::create_directory(dir_.Path("folder.pal"));
  EXPECT_FALSE(LoadPaletteFile(dir_.Path("folder.pal"), kParseHex, transparent, 255, out));
  dir_.WriteFile("empty.act", "");
  EXPECT_FALSE(LoadPaletteFile(dir_.Path("empty.act"), kParseHex, transparent, 255, out));
  EXPECT_EQ(out, before);
  EXPECT_EQ(transparent, 5);
}

TEST_F(PaletteFiles, SaveReplacesWholeOrNothing) {
  auto cells = Cells(30);
  for (const char* name : {"a.kpt", "a.act", "a.pal", "a.csv", "a.html"}) {
    ASSERT_TRUE(SavePaletteFile(cells, -1, dir_.Path(name), kHex, kLinks.siteLink, kLinks.logoAddress)) << name;
    EXPECT_EQ(dir_.ReadFile(name), Write(PaletteFormatOf(name), cells)) << name;
  }
  // Replacing an existing file.
  auto other = Cells(3);
  ASSERT_TRUE(SavePaletteFile(other, -1, dir_.Path("a.pal"), kHex, "", ""));
  EXPECT_EQ(dir_.ReadFile("a.pal").size(), 24u + 12);
  // Refused: no file appears, nothing is left behind.
  EXPECT_FALSE(SavePaletteFile(cells, -1, dir_.Path("a.gif"), kHex, "", ""));
  EXPECT_FALSE(SavePaletteFile(cells, -1, dir_.Path("a.txt"), kHex, "", ""));
  EXPECT_FALSE(SavePaletteFile(cells, -1, dir_.Path("nowhere/a.kpt"), kHex, "", ""));
  std::filesystem::create_directory(dir_.Path("taken.kpt"));
  EXPECT_FALSE(SavePaletteFile(cells, -1, dir_.Path("taken.kpt"), kHex, "", ""));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.Path("taken.kpt")));
  std::vector<std::string> names = dir_.Names();
  std::vector<std::string> expected = {"a.act", "a.csv", "a.html", "a.kpt", "a.pal", "taken.kpt"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace kolo
