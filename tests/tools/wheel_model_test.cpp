// The harmony wheel: the search and its tie rules, harmonies in the slots, the
// swap of equal base colours, picture pixels worked out by hand, settings.
#include "tools/wheel_model.h"

#include <gtest/gtest.h>

#include "frame/memory_store.h"

namespace kolo {
namespace {

TColor Pixel(const WorkPicture& p, int x, int yFromTop) { return p.GetPixel(x, 255 - yFromTop); }

double DistanceTo(const WheelRgb& c, TColor t) {
  const double r = c.r - GetR(t), g = c.g - GetG(t), b = c.b - GetB(t);
  return r * r + g * g + b * b;
}

TEST(WheelHarmony, PureRedFindsItsPlaceAndTriadsGiveBlueAndGreen) {
  WheelModel m;
  m.Search(MakeColor(255, 0, 0));
  EXPECT_EQ(m.wheelAngle, 270);
  EXPECT_EQ(m.saturation, 100);
  EXPECT_EQ(m.brightness, 100);

  // Slot 0 keeps the user's colour; the type's extra slots are filled, the rest untouched.
  std::array<TColor, 4> slots = {0x123456, 1, 2, 0xABCDEF};
  m.Recompute(slots, false);
  EXPECT_EQ(slots[0], 0x123456u);
  EXPECT_EQ(slots[1], MakeColor(0, 0, 255));
  EXPECT_EQ(slots[2], MakeColor(0, 255, 0));
  EXPECT_EQ(slots[3], 0xABCDEFu);

  // Analogous takes its offsets in the order +30, +90, +60; the base goes in when asked.
  m.wheelType = 8;
  m.Recompute(slots, true);
  EXPECT_EQ(slots[0], MakeColor(255, 0, 0));
  EXPECT_EQ(slots[1], m.RoundedColorAt(300, 100, 100));
  EXPECT_EQ(slots[2], m.RoundedColorAt(0, 100, 100));
  EXPECT_EQ(slots[3], m.RoundedColorAt(330, 100, 100));
  // Half-way between magenta (base 5) and red (base 0): 127.5 rounds to even.
  EXPECT_EQ(slots[1], MakeColor(255, 0, 128));
}

TEST(WheelHarmony, SearchTiesKeepTheFirstAndTheFinePassGetsClose) {
  WheelModel m;
  // Black is B 0 at every angle and S: the first is angle 0, S 0.
  m.wheelAngle = 77;
  m.Search(MakeColor(0, 0, 0));
  EXPECT_EQ(m.wheelAngle, 0);
  EXPECT_EQ(m.saturation, 0);
  EXPECT_EQ(m.brightness, 0);

  // A colour off the coarse grid: the fine pass finds a place at least as
  // near as the one it was made from.
  const TColor target = m.RoundedColorAt(123, 57, 83);
  m.Search(target);
  EXPECT_LE(DistanceTo(m.ColorAt(m.wheelAngle, m.saturation, m.brightness), target),
            DistanceTo(m.ColorAt(123, 57, 83), target));
  EXPECT_NEAR(m.wheelAngle, 123, 9);
}

TEST(WheelHarmony, DroppingAnotherPanelsColourSwapsTheTwo) {
  WheelModel m;
  const WheelBaseColors before = m.baseColors;
  m.SetBaseColor(1, before[3]);
  EXPECT_EQ(m.baseColors[1], before[3]);
  EXPECT_EQ(m.baseColors[3], before[1]);
  EXPECT_EQ(m.MatchingPreset(), 0);
  // Putting the old colour back the same way undoes it exactly.
  m.SetBaseColor(1, before[1]);
  EXPECT_EQ(m.baseColors, before);
  EXPECT_EQ(m.MatchingPreset(), 1);
  // A new colour only replaces.
  m.SetBaseColor(5, 0x102030);
  EXPECT_EQ(m.baseColors[5], 0x102030u);
  EXPECT_EQ(m.baseColors[0], before[0]);
  m.SetPreset(3);
  EXPECT_EQ(m.MatchingPreset(), 3);
  EXPECT_EQ(m.baseColors[0], MakeColor(223, 26, 25));
}

TEST(WheelPicture, PixelsMatchTheFormulaWorkedByHand) {
  WheelModel m;
  m.brightness = 100;
  WorkPicture p;
  m.Draw(p);
  // Right of the centre, radius 100: red (base 0) at S 80.
  EXPECT_EQ(Pixel(p, 228, 127), MakeColor(255, 51, 51));
  // Straight up, radius 100: half-way yellow to green, R 127.5 rounds to 128, then S 80.
  EXPECT_EQ(Pixel(p, 128, 27), MakeColor(153, 255, 51));
  // The outer edge band is blended half-way into the sky blue (166, 202, 240).
  EXPECT_EQ(Pixel(p, 248, 127), MakeColor(210, 101, 120));
  // The centre and the corners are ground.
  EXPECT_EQ(Pixel(p, 128, 127), clSkyBlue);
  EXPECT_EQ(Pixel(p, 0, 0), clSkyBlue);
  EXPECT_EQ(Pixel(p, 255, 255), clSkyBlue);

  // B 60 darkens every channel: 255 * 0.6 and 51 * 0.6 = 30.6.
  m.brightness = 60;
  m.Draw(p);
  EXPECT_EQ(Pixel(p, 228, 127), MakeColor(153, 31, 31));
  // With the radius showing B, the same point is B 80 at the fixed S.
  m.isSaturation = false;
  m.saturation = 100;
  m.Draw(p);
  EXPECT_EQ(Pixel(p, 228, 127), MakeColor(204, 0, 0));
}

TEST(WheelPicture, PointsMarkersAndTheValueStrip) {
  WheelModel m;
  // A marker at angle 0 sits straight below the centre; 270 to the right.
  EXPECT_EQ(WheelMarkerAt(0, 50).x, 128);
  EXPECT_EQ(WheelMarkerAt(0, 50).y, 177);
  EXPECT_EQ(WheelMarkerAt(270, 50).x, 178);
  EXPECT_EQ(WheelMarkerAt(270, 50).y, 127);

  // Dragging from the centre gives radius value 0, outside the ring 100.
  m.PointAt(129, 127);
  EXPECT_EQ(m.saturation, 0);
  EXPECT_EQ(m.wheelAngle, 270);
  m.PointAt(128, 255);
  EXPECT_EQ(m.saturation, 100);
  EXPECT_EQ(m.wheelAngle, 0);
  m.isSaturation = false;
  m.PointAt(28, 127);
  EXPECT_EQ(m.brightness, 80);
  EXPECT_EQ(m.wheelAngle, 90);
  EXPECT_TRUE(WheelModel::InRing(228, 127));
  EXPECT_FALSE(WheelModel::InRing(128, 127));
  EXPECT_FALSE(WheelModel::InRing(0, 0));

  // The strip never holds its transparent key: a base colour that would make
  // (16, 0, 16) at full S and B gets green 1.
  m.baseColors[0] = MakeColor(16, 0, 16);
  m.wheelAngle = 270;
  m.saturation = 100;
  m.brightness = 100;
  EXPECT_EQ(m.StripColor(2, 100), MakeColor(16, 1, 16));
  EXPECT_EQ(m.StripColor(1, 0), MakeColor(255, 255, 255));
}

TEST(WheelSettings, RoundTripAndDamagedValues) {
  WheelModel m;
  m.wheelType = 6;
  m.isSaturation = false;
  m.SetPreset(2);
  MemoryStore store;
  m.Save(store);
  ASSERT_EQ(store.ReadBinary("WH_basecolors")->size(), 24u);
  WheelModel back;
  back.Load(store);
  EXPECT_EQ(back.wheelType, 6);
  EXPECT_FALSE(back.isSaturation);
  EXPECT_EQ(back.MatchingPreset(), 2);

  MemoryStore bad;
  bad.WriteInteger("WH_wheelType", 42);
  bad.WriteBinary("WH_basecolors", std::vector<std::uint8_t>(23, 0xFF));
  WheelModel fresh;
  fresh.Load(bad);
  EXPECT_EQ(fresh.wheelType, 8);
  EXPECT_EQ(fresh.MatchingPreset(), 1);
  EXPECT_TRUE(fresh.isSaturation);
  // Marker bits in a stored colour are dropped: the wheel holds colours only.
  std::vector<std::uint8_t> marked(24, 0);
  marked[3] = 0x10;
  bad.WriteBinary("WH_basecolors", marked);
  fresh.Load(bad);
  EXPECT_EQ(fresh.baseColors[0], 0u);
}

}  // namespace
}  // namespace kolo
