// The mixing pictures: what a point picks, drags that preview, mix and erase
// areas, clearing, and the settings that keep every picture's colours.
#include "tools/mix_model.h"

#include <gtest/gtest.h>

#include "frame/memory_store.h"

namespace kolo {
namespace {

// A picture of bands 10 pixels high, one palette index each from the top:
// 0..9 the fixed entries, then area 0 (10), area 1 (11), area 1's companion
// (38), area 2 (12).
constexpr int kBandIndex[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 38, 12};
int BandY(int band) { return band * 10 + 5; }
constexpr int kArea0 = 10, kArea1 = 11, kArea1Companion = 12, kArea2 = 13;  // bands

MixModel Banded() {
  std::vector<std::uint8_t> px(kMixSize * kMixSize, 6);
  for (int band = 0; band < 14; ++band)
    for (int y = band * 10; y < band * 10 + 10; ++y)
      for (int x = 0; x < kMixSize; ++x) px[static_cast<std::size_t>(y * kMixSize + x)] = static_cast<std::uint8_t>(kBandIndex[band]);
  MixModel m;
  m.SetPixels(0, std::move(px), kMixSize, kMixSize);
  return m;
}

// A whole drag: over the band, then dropped there.
void Drop(MixModel& m, int band, TColor c) {
  m.DragOver(5, BandY(band), false, c);
  m.EndDrag();
}

TEST(MixPicture, PickingSwatchesAreasAndTheEraser) {
  MixModel m = Banded();
  EXPECT_EQ(m.ColorAt(5, BandY(2)), MakeColor(255, 0, 0));
  EXPECT_EQ(m.ColorAt(5, BandY(5)), MakeColor(255, 255, 0));
  EXPECT_EQ(m.ColorAt(5, BandY(6)), clEmptyColor) << "the background picks nothing";
  EXPECT_EQ(m.ColorAt(5, BandY(7)), clEmptyColor) << "an outline picks nothing";
  EXPECT_EQ(m.ColorAt(5, BandY(8)), clTransparentColor);
  EXPECT_EQ(m.ColorAt(5, BandY(9)), clTransparentColor);
  EXPECT_EQ(m.ColorAt(5, BandY(kArea0)), clEmptyColor) << "an empty area picks nothing";
  EXPECT_EQ(m.ColorAt(-1, 0), clEmptyColor);
  EXPECT_EQ(m.ColorAt(0, 256), clEmptyColor);

  Drop(m, kArea1, 0x336699);
  // The companion's hatch belongs to its area.
  EXPECT_EQ(m.ColorAt(5, BandY(kArea1Companion)), 0x336699u);
  EXPECT_EQ(m.ColorAt(5, BandY(kArea1)), 0x336699u);
}

TEST(MixPicture, MixTypesOnAnAreaAndEmptyAreasTakingTheColourAsItIs) {
  MixModel m = Banded();
  Drop(m, kArea0, MakeColor(0, 0, 255));  // average, but the area was empty
  EXPECT_EQ(m.ColorAt(5, BandY(kArea0)), MakeColor(0, 0, 255));
  Drop(m, kArea0, MakeColor(255, 0, 0));
  EXPECT_EQ(m.ColorAt(5, BandY(kArea0)), MakeColor(127, 0, 127));

  m.mixType = mtXor;
  Drop(m, kArea2, 0x2468AC);
  Drop(m, kArea2, 0x2468AC);
  EXPECT_EQ(m.ColorAt(5, BandY(kArea2)), 0u) << "XOR with itself is black, a filled area";
  EXPECT_FALSE(m.IsEmptyArea(2));

  EXPECT_EQ(MixColors(mtAnd, 0xF0F0F0, 0x0FFF0F), 0x00F000u);
  EXPECT_EQ(MixColors(mtOr, 0xF00000, 0x00000F), 0xF0000Fu);
  EXPECT_EQ(MixColors(mtReplace, 0x123456, 0x654321), 0x654321u);
  // The empty marker (254, 255, 255) cannot be an area's colour: it becomes white.
  EXPECT_EQ(MixColors(mtReplace, 0, kMixEmpty), 0xFFFFFFu);
  EXPECT_EQ(MixColors(mtOr, 0xFFFF00, 0x0000FE), 0xFFFFFFu);
}

TEST(MixPicture, ErasingClearingAndDragsThatPassOver) {
  MixModel m = Banded();
  // The eraser on an empty area leaves it empty; on a filled one it empties it.
  Drop(m, kArea0, clTransparentColor);
  EXPECT_TRUE(m.IsEmptyArea(0));
  Drop(m, kArea0, 0x00FF00);
  Drop(m, kArea0, clTransparentColor);
  EXPECT_TRUE(m.IsEmptyArea(0));
  EXPECT_EQ(m.Shown()[kMixFirstCompanion], clSkyBlue);

  // A drag across areas 0, 1 and 2 previews each and puts back the ones left.
  Drop(m, kArea1, 0x111111);
  EXPECT_TRUE(m.DragOver(5, BandY(kArea0), false, 0xABCDEF));
  EXPECT_FALSE(m.DragOver(6, BandY(kArea0), false, 0xABCDEF)) << "still the same area";
  EXPECT_TRUE(m.DragOver(5, BandY(kArea1), false, 0xABCDEF));
  EXPECT_TRUE(m.IsEmptyArea(0));
  EXPECT_EQ(m.ColorAt(5, BandY(kArea1)), MixColors(mtAverage, 0x111111, 0xABCDEF));
  EXPECT_TRUE(m.DragOver(5, BandY(kArea2), false, 0xABCDEF));
  EXPECT_EQ(m.ColorAt(5, BandY(kArea1)), 0x111111u);
  m.EndDrag();
  EXPECT_EQ(m.ColorAt(5, BandY(kArea2)), 0xABCDEFu);
  // Over an outline, and leaving the picture, a preview is taken back.
  m.DragOver(5, BandY(kArea0), false, 0x777777);
  EXPECT_TRUE(m.DragOver(5, BandY(7), false, 0x777777));
  EXPECT_TRUE(m.IsEmptyArea(0));
  m.DragOver(5, BandY(kArea0), false, 0x777777);
  EXPECT_TRUE(m.DragOver(5, BandY(kArea0), true, 0x777777));
  EXPECT_TRUE(m.IsEmptyArea(0));
  // The empty marker paints nothing.
  EXPECT_FALSE(m.DragOver(5, BandY(kArea0), false, clEmptyColor));

  m.ClearAll();
  for (int k = 0; k < kMixAreaCount; ++k) EXPECT_TRUE(m.IsEmptyArea(k));
  EXPECT_EQ(m.Shown()[kMixFirstCompanion + 2], clSkyBlue);
}

TEST(MixSettings, EveryPictureKeepsItsColours) {
  MixModel m = Banded();
  m.mixType = mtOr;
  Drop(m, kArea1, 0x445566);
  m.imageId = 4;
  m.Shown()[kMixFirstArea + 26] = 0x010203;
  m.Shown()[kMixFirstCompanion + 26] = 0x010203;
  MemoryStore store;
  m.Save(store);
  EXPECT_EQ(store.ReadBinary("MX_ColorsImg7")->size(), 108u);

  MixModel back;
  back.Load(store);
  EXPECT_EQ(back.mixType, mtOr);
  EXPECT_EQ(back.imageId, 4);
  EXPECT_EQ(back.tables[0][kMixFirstArea + 1], 0x445566u);
  EXPECT_EQ(back.tables[0][kMixFirstCompanion + 1], 0x445566u);
  EXPECT_EQ(back.tables[0][kMixFirstCompanion + 0], clSkyBlue) << "an empty area keeps its sky-blue companion";
  EXPECT_EQ(back.Shown()[kMixFirstCompanion + 26], 0x010203u);

  MemoryStore bad;
  bad.WriteInteger("MX_mixType", 9);
  bad.WriteInteger("MX_selectImageId", -3);
  bad.WriteBinary("MX_ColorsImg1", std::vector<std::uint8_t>(107, 0));
  MixModel fresh;
  fresh.Load(bad);
  EXPECT_EQ(fresh.mixType, mtReplace);
  EXPECT_EQ(fresh.imageId, 0);
  EXPECT_EQ(fresh.tables[0], InitialMixTable());
}

}  // namespace
}  // namespace kolo
