// The magnifier's arithmetic: grid, hit test, preview, region and zoom rules,
// panning, painting by drag, the pick cursor and the stored settings.
#include "tools/get_color_model.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "frame/memory_store.h"

namespace kolo {
namespace {

// Every capture pixel a different colour, so a wrong pixel shows.
TColor Distinct(int x, int y) { return MakeColor(x * 7 + 3, y * 7 + 5, (x * 32 + y) & 0xFF); }

GetColorModel DistinctModel() {
  GetColorModel m;
  for (int y = 0; y < kCaptureSide; ++y)
    for (int x = 0; x < kCaptureSide; ++x) m.SetPixel(x, y, Distinct(x, y));
  return m;
}

TColor PreviewAt(const std::vector<std::uint8_t>& px, int x, int y) {
  const std::uint8_t* p = px.data() + y * kPreviewStride + x * 3;
  return MakeColor(p[2], p[1], p[0]);
}

struct GridCase {
  int countBox, cell, off;
};

class GridGeometryTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridGeometryTest, CellsOutlinesGapsAndHits) {
  const GridCase g = GetParam();
  GetColorModel m = DistinctModel();
  m.countBox = g.countBox;
  m.CentreRegion();
  EXPECT_EQ(m.Grid().cell, g.cell);
  EXPECT_EQ(m.Grid().off, g.off);

  WorkPicture work;
  m.DrawGrid(work);
  // Margins stay background.
  if (g.off > 0) {
    EXPECT_EQ(work.GetPixel(g.off - 1, 128), clSkyBlue);
    EXPECT_EQ(work.GetPixel(128, g.off - 1), clSkyBlue);
  }
  for (int k = 0; k < g.countBox; k += std::max(1, g.countBox / 5)) {
    for (int i = 0; i < g.countBox; i += std::max(1, g.countBox / 5)) {
      const int x0 = i * g.cell + g.off, y0 = k * g.cell + g.off;
      const TColor pixel = Distinct(m.prevLeft + i, m.prevTop + g.countBox - 1 - k);
      // Outline on the near and far lines, the pixel's colour inside, a gap after.
      EXPECT_EQ(work.GetPixel(x0, y0), clFrame);
      EXPECT_EQ(work.GetPixel(x0 + g.cell - 2, y0 + g.cell - 2), clFrame);
      EXPECT_EQ(work.GetPixel(x0 + 1, y0 + 1), pixel);
      EXPECT_EQ(work.GetPixel(x0 + g.cell - 3, y0 + g.cell - 3), pixel);
      if (x0 + g.cell - 1 < 256) {
        EXPECT_EQ(work.GetPixel(x0 + g.cell - 1, y0 + 1), clSkyBlue);
      }
      if (y0 + g.cell - 1 < 256) {
        EXPECT_EQ(work.GetPixel(x0 + 1, y0 + g.cell - 1), clSkyBlue);
      }

      // Mouse y counts from the top: buffer row b is mouse row 255 - b.
      EXPECT_EQ(m.ColorAt(x0, 255 - y0), pixel) << "near outline counts";
      EXPECT_EQ(m.ColorAt(x0 + g.cell - 3, 255 - (y0 + g.cell - 3)), pixel);
      EXPECT_EQ(m.ColorAt(x0 + g.cell - 2, 255 - (y0 + 1)), clEmptyColor) << "far outline";
      EXPECT_EQ(m.ColorAt(x0 + g.cell - 1, 255 - (y0 + 1)), clEmptyColor) << "gap";
      EXPECT_EQ(m.ColorAt(x0 + 1, 255 - (y0 + g.cell - 2)), clEmptyColor);
    }
  }
  if (g.off > 0) {
    EXPECT_EQ(m.ColorAt(g.off - 1, 128), clEmptyColor);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridGeometryTest,
                         ::testing::Values(GridCase{2, 128, 0}, GridCase{7, 36, 2}, GridCase{15, 17, 0},
                                           GridCase{16, 16, 0}, GridCase{32, 8, 0}));

TEST(GetColorGrid, TopRowOfCellsShowsTopRowOfTheRegion) {
  GetColorModel m = DistinctModel();
  m.countBox = 7;
  m.prevLeft = 3;
  m.prevTop = 20;
  // Top-left cell on screen (mouse coordinates) is the region's top-left pixel.
  EXPECT_EQ(m.ColorAt(2 + 5, 2 + 5), Distinct(3, 20));
  // Bottom-right cell is the region's bottom-right pixel.
  EXPECT_EQ(m.ColorAt(2 + 6 * 36 + 5, 2 + 6 * 36 + 5), Distinct(9, 26));
  EXPECT_EQ(m.HitCell(2 + 36 + 1, 2 + 3), (CapturePixel{4, 20}));
  // On screen the top line of a cell is its far outline, the line above it the gap.
  EXPECT_FALSE(m.HitCell(2 + 36 + 1, 2 + 1));
  EXPECT_FALSE(m.HitCell(2 + 36 + 1, 2));
}

TEST(GetColorPreview, BlocksAndFrame) {
  GetColorModel m = DistinctModel();
  std::vector<std::uint8_t> px(kPreviewBytes);
  struct Case {
    int countBox, scale, poff, e;
  };
  for (const Case c : {Case{16, 1, 30, 46}, Case{15, 1, 30, 45}, Case{7, 5, 20, 55}, Case{15, 3, 15, 60}}) {
    m.countBox = c.countBox;
    m.scaleKoef = c.scale;
    m.CentreRegion();
    ASSERT_EQ(m.PreviewOffset(), c.poff);
    m.DrawPreview(px.data());
    const int area = c.countBox * c.scale;
    // Frame corners just outside the blocks, background outside the frame.
    EXPECT_EQ(PreviewAt(px, c.poff - 1, c.poff - 1), clFrame);
    EXPECT_EQ(PreviewAt(px, c.e, c.e), clFrame);
    EXPECT_EQ(PreviewAt(px, c.poff - 1, c.e), clFrame);
    EXPECT_EQ(PreviewAt(px, c.poff - 2, c.poff - 2), clSkyBlue);
    EXPECT_EQ(PreviewAt(px, c.e + 1, c.e + 1), clSkyBlue);
    // Lowest-left block is the region's bottom-left pixel; blocks are scale wide.
    const TColor bottomLeft = Distinct(m.prevLeft, m.prevTop + c.countBox - 1);
    EXPECT_EQ(PreviewAt(px, c.poff, c.poff), bottomLeft);
    EXPECT_EQ(PreviewAt(px, c.poff + c.scale - 1, c.poff + c.scale - 1), bottomLeft);
    const TColor topRight = Distinct(m.prevLeft + c.countBox - 1, m.prevTop);
    EXPECT_EQ(PreviewAt(px, c.poff + area - 1, c.poff + area - 1), topRight);
  }
  // No room for a frame: 25 x 3 fills 75 of 76 pixels.
  m.countBox = 25;
  m.scaleKoef = 3;
  m.CentreRegion();
  m.DrawPreview(px.data());
  EXPECT_EQ(m.PreviewOffset(), 0);
  EXPECT_EQ(PreviewAt(px, 75, 75), clSkyBlue);
  EXPECT_EQ(PreviewAt(px, 0, 0), Distinct(m.prevLeft, m.prevTop + 24));
}

TEST(GetColorRegion, SliderChangesKeepTheMiddle) {
  GetColorModel m;
  EXPECT_EQ(m.prevLeft, 8);
  m.ChangeCountBox(15);
  EXPECT_EQ(m.prevLeft, 9);
  EXPECT_EQ(m.prevTop, 9);

  m.countBox = 13;
  m.CentreRegion();
  EXPECT_EQ(m.prevLeft, 10);
  m.ChangeCountBox(14);
  EXPECT_EQ(m.prevLeft, 10);

  // Growing to an odd side steps back; the corner never leaves the capture.
  m.countBox = 30;
  m.prevLeft = m.prevTop = 2;
  m.ChangeCountBox(31);
  EXPECT_EQ(m.prevLeft, 1);
  m.ChangeCountBox(32);
  EXPECT_EQ(m.prevLeft, 0);
  m.countBox = 2;
  m.prevLeft = m.prevTop = 30;
  m.ChangeCountBox(3);  // 3 <= 2 is false: steps back to 29
  EXPECT_EQ(m.prevLeft, 29);
  m.ChangeCountBox(3);  // same odd size: steps forward, clamped to 29
  EXPECT_EQ(m.prevLeft, 29);
}

TEST(GetColorZoom, LimitsAndHints) {
  GetColorModel m;
  EXPECT_FALSE(m.ZoomOut()) << "1x is the least";
  EXPECT_FALSE(m.CanZoomOut());
  EXPECT_EQ(m.ZoomOutHint(), "Szoom out (0x)");
  EXPECT_TRUE(m.ZoomIn());
  EXPECT_TRUE(m.ZoomIn());
  EXPECT_TRUE(m.ZoomIn());
  EXPECT_EQ(m.scaleKoef, 4);
  EXPECT_FALSE(m.ZoomIn()) << "16 x 5 = 80 > 76";
  EXPECT_FALSE(m.CanZoomIn());
  EXPECT_EQ(m.ZoomInHint(), "Szoom in (5x)");
  EXPECT_EQ(m.CursorSizeHint(), "Scursor size 16 px");

  // The whole capture fits twice: 2 x 32 = 64 <= 76, 3 x 32 does not.
  m.countBox = 32;
  m.scaleKoef = 1;
  EXPECT_TRUE(m.ZoomIn());
  EXPECT_FALSE(m.CanZoomIn());
  EXPECT_FALSE(m.ZoomIn());

  m.countBox = 2;
  while (m.ZoomIn()) {
  }
  EXPECT_EQ(m.scaleKoef, 38);
  // A bigger region shrinks the zoom until it fits again.
  m.ChangeCountBox(3);
  EXPECT_EQ(m.scaleKoef, 25);
  m.ChangeCountBox(32);
  EXPECT_EQ(m.scaleKoef, 2);
}

TEST(GetColorPan, FollowsTheMouseWithinTheCapture) {
  GetColorModel m;  // 16 at 1x: poff 30
  EXPECT_FALSE(m.CanPanAt(30, 40)) << "on the frame";
  EXPECT_FALSE(m.CanPanAt(46, 40));
  ASSERT_TRUE(m.BeginPan(40, 40));
  EXPECT_TRUE(m.panning);
  // (30 - 40) / 1 - 8 = -18
  EXPECT_EQ(m.panAnchorX, -18);
  EXPECT_TRUE(m.PanTo(43, 38));  // right 3, up 2: the region moves left 3 and down 2
  EXPECT_EQ(m.prevLeft, 5);
  EXPECT_EQ(m.prevTop, 10);
  m.PanTo(-100, 200);
  EXPECT_EQ(m.prevLeft, 16);
  EXPECT_EQ(m.prevTop, 0);
  m.EndPan();
  EXPECT_FALSE(m.PanTo(40, 40));

  // At 3x the anchor division truncates toward zero: (20 - 41) / 3 = -7.
  m.countBox = 12;
  m.scaleKoef = 3;
  m.prevLeft = m.prevTop = 10;
  ASSERT_EQ(m.PreviewOffset(), 20);
  ASSERT_TRUE(m.BeginPan(41, 41));
  EXPECT_EQ(m.panAnchorX, -17);

  m.countBox = 32;
  m.scaleKoef = 1;
  EXPECT_FALSE(m.BeginPan(38, 38)) << "the whole capture is shown";
}

TEST(GetColorPaint, PreviewRestoreTrailAndCommit) {
  GetColorModel m = DistinctModel();
  m.countBox = 16;
  m.CentreRegion();  // 8, 8; cells of 16
  const TColor red = 0x0000FF;
  // Cell (0, 0) on screen is pixel (8, 8).
  EXPECT_TRUE(m.PaintDragOver(5, 5, true, false, red));
  EXPECT_EQ(m.Pixel(8, 8), red);
  EXPECT_FALSE(m.PaintDragOver(6, 6, true, false, red)) << "same cell: nothing to do";
  // Next cell: the first gets its colour back.
  EXPECT_TRUE(m.PaintDragOver(21, 5, true, false, red));
  EXPECT_EQ(m.Pixel(8, 8), Distinct(8, 8));
  EXPECT_EQ(m.Pixel(9, 8), red);
  // Shift keeps what the previous cell shows.
  EXPECT_TRUE(m.PaintDragOver(37, 5, true, true, red));
  EXPECT_EQ(m.Pixel(9, 8), red);
  EXPECT_EQ(m.Pixel(10, 8), red);
  // Leaving the image takes the pending preview back.
  EXPECT_TRUE(m.PaintDragOver(37, 5, false, false, red));
  EXPECT_EQ(m.Pixel(10, 8), Distinct(10, 8));
  EXPECT_EQ(m.paintSavedColor, -1);
  // A drop commits.
  m.PaintDragOver(5, 21, true, false, red);
  m.CommitPaint();
  m.PaintDragOver(5, 200, false, false, red);
  EXPECT_EQ(m.Pixel(8, 9), red);
  // The empty and transparent markers never become pixels.
  EXPECT_FALSE(m.PaintDragOver(53, 5, true, false, clTransparentColor));
  EXPECT_EQ(m.Pixel(11, 8), Distinct(11, 8));
}

TEST(GetColorCursor, SizesHotSpotAndMarks) {
  const CursorShape ten = PickCursorShape(10);
  EXPECT_EQ(ten.width, 20);
  EXPECT_EQ(ten.height, 20);
  EXPECT_EQ(ten.hotX, 10);
  const CursorShape eleven = PickCursorShape(11);
  EXPECT_EQ(eleven.width, 13);
  EXPECT_EQ(eleven.hotY, 6);

  // Large: the ring's corners invert, the middle of each side and the inside do not.
  const CursorShape big = PickCursorShape(16);  // 18, middle 6..11 clear
  EXPECT_TRUE(big.At(0, 0));
  EXPECT_TRUE(big.At(5, 0));
  EXPECT_FALSE(big.At(6, 0));
  EXPECT_FALSE(big.At(11, 17));
  EXPECT_TRUE(big.At(17, 12));
  EXPECT_FALSE(big.At(1, 1));

  // Small: four L marks with corners 4 in, the n x n square between them open.
  for (int n : {2, 10}) {
    const CursorShape s = PickCursorShape(n);
    const int side = n + 10;
    int inverted = 0;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        inverted += s.At(x, y);
        if (x >= 5 && x < side - 5 && y >= 5 && y < side - 5) {
          EXPECT_FALSE(s.At(x, y));
        }
      }
    EXPECT_EQ(inverted, 4 * 9) << n;
    EXPECT_TRUE(s.At(0, 4));
    EXPECT_TRUE(s.At(4, 0));
    EXPECT_TRUE(s.At(4, 4));
    EXPECT_FALSE(s.At(0, 0));
    EXPECT_TRUE(s.At(side - 5, side - 1));
    EXPECT_TRUE(s.At(side - 1, side - 5));
  }
}

TEST(GetColorSettings, RoundTripDefaultsAndDamagedValues) {
  GetColorModel a = DistinctModel();
  a.countBox = 13;
  a.scaleKoef = 5;
  a.prevLeft = 2;
  a.prevTop = 17;
  MemoryStore store;
  a.Save(store);
  // Bottom row first, blue-green-red.
  const auto bytes = store.ReadBinary("GETC_colors");
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), 3072u);
  const TColor firstStored = Distinct(0, 31);
  EXPECT_EQ((*bytes)[0], GetB(firstStored));
  EXPECT_EQ((*bytes)[2], GetR(firstStored));

  GetColorModel b;
  b.Load(store);
  EXPECT_EQ(std::tie(b.countBox, b.scaleKoef, b.prevLeft, b.prevTop), std::make_tuple(13, 5, 2, 17));
  for (int y = 0; y < kCaptureSide; ++y)
    for (int x = 0; x < kCaptureSide; ++x) ASSERT_EQ(b.Pixel(x, y), Distinct(x, y));

  // A capture of the wrong length leaves the current one.
  MemoryStore shortStore;
  shortStore.WriteBinary("GETC_colors", std::vector<std::uint8_t>(3071, 0));
  b.Load(shortStore);
  EXPECT_EQ(b.Pixel(4, 4), Distinct(4, 4));
  EXPECT_EQ(b.countBox, 16) << "missing values take their defaults";
  EXPECT_EQ(b.prevLeft, 8);
  shortStore.WriteBinary("GETC_colors", std::vector<std::uint8_t>(3073, 0));
  b.Load(shortStore);
  EXPECT_EQ(b.Pixel(4, 4), Distinct(4, 4));

  // The corner defaults to the middle of the stored size; damaged values are clamped.
  MemoryStore odd;
  odd.WriteInteger("GETC_countBox", 9);
  b.Load(odd);
  EXPECT_EQ(b.prevLeft, 12);
  MemoryStore bad;
  bad.WriteInteger("GETC_countBox", 500);
  bad.WriteInteger("GETC_scaleKoef", 9);
  bad.WriteInteger("GETC_prevLeft", -3);
  bad.WriteInteger("GETC_prevTop", 99);
  b.Load(bad);
  EXPECT_EQ(std::tie(b.countBox, b.scaleKoef, b.prevLeft, b.prevTop), std::make_tuple(32, 2, 0, 0));
}

TEST(GetColorCapture, FromScreenPixelsAndRegion) {
  std::vector<std::uint32_t> screen(32 * 32);
  for (int i = 0; i < 32 * 32; ++i) screen[static_cast<size_t>(i)] = 0x00102030u + static_cast<std::uint32_t>(i);
  GetColorModel m;
  m.SetCaptureFromBgra(screen.data());
  // 0x00RRGGBB on screen is TColor 0x00BBGGRR.
  EXPECT_EQ(m.Pixel(0, 0), MakeColor(0x10, 0x20, 0x30));
  EXPECT_EQ(m.Pixel(1, 2), MakeColor(0x10, 0x20, 0x30 + 65));
  m.countBox = 2;
  m.prevLeft = 1;
  m.prevTop = 2;
  const auto region = m.Region();
  ASSERT_EQ(region.size(), 4u);
  EXPECT_EQ(region[0], m.Pixel(1, 2));
  EXPECT_EQ(region[3], m.Pixel(2, 3));
}

}  // namespace
}  // namespace kolo
