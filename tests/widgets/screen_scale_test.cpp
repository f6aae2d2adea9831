#include "widgets/screen_scale.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

TEST(ScreenScaleTest, WholeFactorsRoundHalvesUp) {
  // 100% and 125% stay at 1x, 150% .. 249% draw at 2x, 250% at 3x.
  EXPECT_EQ(ScaleForDpi(96), 1);
  EXPECT_EQ(ScaleForDpi(120), 1);
  EXPECT_EQ(ScaleForDpi(143), 1);
  EXPECT_EQ(ScaleForDpi(144), 2);
  EXPECT_EQ(ScaleForDpi(192), 2);
  EXPECT_EQ(ScaleForDpi(239), 2);
  EXPECT_EQ(ScaleForDpi(240), 3);
  EXPECT_EQ(ScaleForDpi(0), 1);
}

// A 1x primary monitor, a 2x monitor to its left and a 1x monitor above.
std::vector<MonitorArea> ThreeMonitors() {
  return {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1, true},
          {{-3840, 0, 0, 2160}, {-3840, 0, 0, 2100}, 2, false},
          {{0, -1200, 1600, 0}, {0, -1200, 1600, 0}, 1, false}};
}

TEST(ScreenScaleTest, PositionsComeBackOnTheirMonitorAtItsFactor) {
  const auto monitors = ThreeMonitors();
  const IntPoint size{364, 320};
  // Left monitor at 2x: the distance from its corner is halved, and doubled again on the way back.
  const IntPoint kept = ToLogicalPosition(monitors, {-3000, 400});
  EXPECT_EQ(kept, (IntPoint{-3840 + 420, 200}));
  const WindowPlacement back = PlaceWindow(monitors, kept, size);
  EXPECT_EQ(back.device, (IntPoint{-3000, 400}));
  EXPECT_EQ(back.scale, 2);
  // The monitor above the primary one, at 1x: positions are plain screen positions.
  EXPECT_EQ(ToLogicalPosition(monitors, {100, -900}), (IntPoint{100, -900}));
  EXPECT_EQ(PlaceWindow(monitors, {100, -900}, size).device, (IntPoint{100, -900}));
  // Kept inside its monitor: a window hanging over the left monitor's right edge moves in (at its device size).
  EXPECT_EQ(PlaceWindow(monitors, {-100, 10}, size).device, (IntPoint{-728, 20}));
}

TEST(ScreenScaleTest, APositionOnAMonitorThatIsGoneComesBackOnThePrimary) {
  auto monitors = ThreeMonitors();
  const IntPoint kept = ToLogicalPosition(monitors, {-3000, 400});
  monitors.erase(monitors.begin() + 1);
  const WindowPlacement p = PlaceWindow(monitors, kept, {364, 320});
  EXPECT_EQ(p.device, (IntPoint{(1920 - 364) / 2, (1040 - 320) / 2}));
  EXPECT_EQ(p.scale, 1);
  // The primary monitor at 2x now: centred at its device size.
  monitors[0].scale = 2;
  EXPECT_EQ(PlaceWindow(monitors, {5000, 5000}, {364, 320}).device, (IntPoint{(1920 - 728) / 2, (1040 - 640) / 2}));
}

}  // namespace
}  // namespace kolo
