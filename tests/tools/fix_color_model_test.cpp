// The fixed-palette tab's arithmetic: the gradient, the border and its hits,
// the grid's hit rules, the cell edits, the screen's most frequent colours,
// painting by drag and the stored settings.
#include "tools/fix_color_model.h"

#include <gtest/gtest.h>

#include "frame/memory_store.h"

namespace kolo {
namespace {

constexpr std::array<TColor, 4> kSlots = {0x123456, 0xABCDEF, 0x00FF80, 0x8040C0};

TEST(FixGradient, CornerCellsAreTheSlotsAndEveryCellIsBetween) {
  const FixCells g = GradientPalette(kSlots);
  EXPECT_EQ(g[0], kSlots[0]);
  EXPECT_EQ(g[15], kSlots[1]);
  EXPECT_EQ(g[255], kSlots[2]);
  EXPECT_EQ(g[240], kSlots[3]);
  // A weighted mean never leaves the slots' range on any channel.
  for (TColor c : g) {
    EXPECT_LE(GetR(c), 0xEF);
    EXPECT_GE(GetR(c), 0x56);
    EXPECT_LE(GetB(c), 0xC0);
    EXPECT_GE(GetB(c), 0x00);
    EXPECT_GE(GetG(c), 0x34);
  }
}

TEST(FixBorder, CellSidesAndPositionsStayBetweenTheCorners) {
  EXPECT_EQ(BorderCellSide(16), 12);
  EXPECT_EQ(BorderCellSide(17), 10);
  EXPECT_EQ(BorderCellSide(19), 9);
  for (int n = 1; n <= kMaxGradCount; ++n) {
    const int s = BorderCellSide(n);
    int previous = 15;  // the near corner ends at 15
    for (int i = 1; i <= n; ++i) {
      const int p = BorderCellPosition(n, i);
      EXPECT_GT(p, previous) << n << "," << i;
      previous = p + s;
    }
    EXPECT_LT(previous, 241) << n;  // the far corner starts at 241
  }
}

// What ColorAt answers is what is drawn there: inside every grid cell, corner
// and border cell of the picture (y of the picture counts from the bottom).
TEST(FixPicture, ColorAtAnswersTheColourDrawnAtTheCellCentres) {
  for (int n : {0, 5, 17, 20}) {
    FixColorModel m;
    m.SetStandard(fptWindows);
    m.SetGradCount(n);
    WorkPicture work;
    m.Draw(work, clEmptyColor);
    int hits = 0;
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        const TColor c = m.ColorAt(x, y);
        if (IsEmptyColor(c)) continue;
        // Interior pixels (all four neighbours answer the same colour) show it.
        if (m.ColorAt(x - 1, y) != c || m.ColorAt(x + 1, y) != c || m.ColorAt(x, y - 1) != c ||
            m.ColorAt(x, y + 1) != c || m.ColorAt(x + 2, y + 2) != c || m.ColorAt(x - 2, y - 2) != c)
          continue;
        EXPECT_EQ(work.GetPixel(x, 255 - y), c) << "n " << n << " at " << x << "," << y;
        ++hits;
      }
    }
    EXPECT_GT(hits, 256) << n;
  }
}

TEST(FixPicture, HitRulesOfTheGridAndTheCorners) {
  FixColorModel m;
  m.SetStandard(fptGray);
  m.SetGradCount(0);
  EXPECT_EQ(m.HitAt(1, 1), 0);
  EXPECT_EQ(m.HitAt(15, 15), 0);
  EXPECT_EQ(m.HitAt(16, 1), std::nullopt);  // the gap after a cell
  EXPECT_EQ(m.HitAt(17, 17), 17);
  EXPECT_EQ(m.HitAt(0, 5), std::nullopt);
  EXPECT_EQ(m.ColorAt(255, 255), 0xFFFFFFu);

  m.SetGradCount(20);
  EXPECT_EQ(m.HitAt(25, 24), 0);
  EXPECT_EQ(m.HitAt(37, 24), std::nullopt);
  EXPECT_EQ(m.HitAt(231, 230), 255);
  EXPECT_EQ(m.HitAt(3, 3), kHitTopLeft);
  EXPECT_EQ(m.HitAt(253, 3), kHitTopRight);
  EXPECT_EQ(m.HitAt(241, 241), kHitBottomRight);
  EXPECT_EQ(m.HitAt(3, 253), kHitBottomLeft);
  EXPECT_EQ(m.ColorAt(3, 253), m.cornerColors[0]);  // the bottom-left corner is corner 0
  EXPECT_EQ(m.ColorAt(3, 3), m.cornerColors[3]);
}

TEST(FixEdits, EraseNotUniqueKeepsFirstOccurrences) {
  FixColorModel m;
  m.SetStandard(fptGray);
  m.EraseNotUnique();
  EXPECT_EQ(m.cells, StandardFixPalette(fptGray));
  EXPECT_EQ(m.paletteType, fptGray);

  m.SetStandard(fptWindows);  // 808080 at 7 and again at 248
  m.EraseNotUnique();
  EXPECT_EQ(m.cells[7], 0x808080u);
  EXPECT_EQ(m.cells[248], clEmptyColor);
  EXPECT_EQ(m.paletteType, fptCustom);  // what the settings must keep cell by cell
}

TEST(FixEdits, MenuOffersWhatThePointHas) {
  FixColorModel m;  // Web: cells 216.. are empty
  m.SetStandard(fptWeb);
  const FixMenuState onCell = m.MenuState(3, m.cells[3], true);
  EXPECT_TRUE(onCell.copy && onCell.paste && onCell.clear);
  const FixMenuState onEmpty = m.MenuState(220, clEmptyColor, false);
  EXPECT_FALSE(onEmpty.copy || onEmpty.paste || onEmpty.clear);
  const FixMenuState onCorner = m.MenuState(kHitTopLeft, m.cornerColors[3], true);
  EXPECT_TRUE(onCorner.copy && onCorner.paste);
  EXPECT_FALSE(onCorner.clear);
  const FixMenuState onBorder = m.MenuState(std::nullopt, 0x123456, true);
  EXPECT_TRUE(onBorder.copy);
  EXPECT_FALSE(onBorder.paste || onBorder.clear);
}

TEST(FixScreen, MostFrequentColoursByCountThenScanOrder) {
  // 3x2, column by column: A B | B C | C A  ->  A 2, B 2, C 2 in order of first sight... plus D once.
  const std::uint32_t px[] = {0xAA0000, 0xBB0000, 0xCC0000, 0xDD0000,  // row 0 (stride 4)
                              0xBB0000, 0xCC0000, 0xAA0000, 0x000000};
  const FixCells c = MostFrequentColors(px, 3, 2, 4);
  EXPECT_EQ(c[0], MakeColor(0xAA, 0, 0));
  EXPECT_EQ(c[1], MakeColor(0xBB, 0, 0));
  EXPECT_EQ(c[2], MakeColor(0xCC, 0, 0));
  EXPECT_EQ(c[3], clEmptyColor);  // the fourth column is not part of the area

  const std::uint32_t one[16] = {0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0x112233,
                                 0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0x445566, 0x112233};
  const FixCells d = MostFrequentColors(one, 4, 4, 4);
  EXPECT_EQ(d[0], 0x332211u);
  EXPECT_EQ(d[1], 0x665544u);
  EXPECT_EQ(d[2], clEmptyColor);
}

TEST(FixScreen, SampleSquareIsClippedToItsScreen) {
  EXPECT_EQ(ClipSampleSquare(100, 100, 32, 0, 0, 1280, 1024), (SampleArea{84, 84, 32, 32}));
  EXPECT_EQ(ClipSampleSquare(3, 5, 32, 0, 0, 1280, 1024), (SampleArea{0, 0, 19, 21}));
  EXPECT_EQ(ClipSampleSquare(1279, 1023, 32, 0, 0, 1280, 1024), (SampleArea{1263, 1007, 17, 17}));
  // A second monitor to the right: nothing of the first one is read.
  EXPECT_EQ(ClipSampleSquare(1282, 10, 32, 1280, 0, 2560, 1024), (SampleArea{1280, 0, 18, 26}));
}

TEST(FixDrag, PreviewRestoresAndTheDropKeeps) {
  FixColorModel m;
  m.SetStandard(fptGray);
  const TColor corner0 = m.cornerColors[0];
  EXPECT_TRUE(m.PaintDragOver(5, 250, true, 0x0000FF));  // over the bottom-left corner
  EXPECT_EQ(m.cornerColors[0], 0x0000FFu);
  EXPECT_TRUE(m.PaintDragOver(30, 30, true, 0x0000FF));  // on to grid cell 0: the corner comes back
  EXPECT_EQ(m.cornerColors[0], corner0);
  EXPECT_EQ(m.cells[0], 0x0000FFu);
  EXPECT_TRUE(m.PaintDragOver(30, 30, false, 0x0000FF));  // left the image
  EXPECT_EQ(m.cells[0], 0u);
  EXPECT_EQ(m.paletteType, fptGray);
  m.PaintDragOver(30, 30, true, 0x0000FF);
  m.CommitPaint();
  EXPECT_EQ(m.cells[0], 0x0000FFu);
  EXPECT_EQ(m.paletteType, fptCustom);
}

TEST(FixSettings, CustomCellsRoundTripAndStandardTypesRefill) {
  MemoryStore store;
  FixColorModel a;
  a.SetGradient(kSlots);
  a.SetGradCount(7);
  a.SetScreenBoxSize(50);
  a.SlotsToCorners(kSlots);
  a.Clear(5);
  a.Save(store);
  FixColorModel b;
  b.Load(store);
  EXPECT_EQ(b.cells, a.cells);
  EXPECT_EQ(b.cornerColors, a.cornerColors);
  EXPECT_EQ(b.gradCount, 7);
  EXPECT_EQ(b.screenBoxSize, 50);

  b.SetStandard(fptMac);
  b.Save(store);
  EXPECT_FALSE(store.ReadBinary("FX_customColors").has_value());
  FixColorModel c;
  c.Load(store);
  EXPECT_EQ(c.cells, StandardFixPalette(fptMac));

  // A custom type whose cells are missing falls back to the Web palette; values are clamped.
  store.WriteInteger("FX_paletteType", 4);
  store.WriteInteger("FX_gradCount", 99);
  store.WriteInteger("FX_cursorSize", 1);
  FixColorModel d;
  d.Load(store);
  EXPECT_EQ(d.paletteType, fptWeb);
  EXPECT_EQ(d.cells, StandardFixPalette(fptWeb));
  EXPECT_EQ(d.gradCount, 20);
  EXPECT_EQ(d.screenBoxSize, 2);
}

}  // namespace
}  // namespace kolo
