#include "widgets/win/scroll_image.h"

#include "widget_test_util.h"

namespace kolo {
namespace {

using namespace kolo::testing;

constexpr GifRgb kArrow{0, 0, 200}, kHead{200, 0, 0}, kMiddle{0, 200, 0}, kTail{200, 200, 0};

// Thumb picture 9x16: rows 0-7 head colour, row 8 the stretched line, rows 9-15 tail.
std::vector<std::uint8_t> ThumbGif() {
  std::vector<std::uint8_t> px;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 9; ++x) px.push_back(static_cast<std::uint8_t>(y < 8 ? 0 : y == 8 ? 1 : 2));
  return SimpleGif(9, 16, {kHead, kMiddle, kTail}, px);
}

class ScrollImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.Add("up.gif", 0, SolidGif(9, 9, kArrow));    // 0
    list.Add("down.gif", 0, SolidGif(9, 9, kArrow));  // 1
    list.Add("thumb.gif", 0, ThumbGif());              // 2
    bar.SetImageList(&list);
    bar.ImageUp = {0, 0, 0, 0, 0};
    bar.ImageDown = {1, 1, 1, 1, 1};
    bar.ImageScroll = {2, 2, 2, 2, 2};
    bar.SetColor(MakeColor(255, 255, 255));
    bar.OnChange = [this](TVMScrollImage&) { ++changes; };
    ASSERT_TRUE(bar.Create(form.Handle(), 0, 0, 9, 100));
    bar.SetMax(10);
    bar.SetPageSize(20);
  }

  TestForm form;
  TVMGIFImageList list;
  TVMScrollImage bar;
  int changes = 0;
};

TEST_F(ScrollImageTest, EqualMinAndMaxIgnorePresses) {
  bar.SetMax(5);
  bar.SetMin(5);
  HWND h = bar.Handle();
  for (int y : {2, 30, 60, 95}) {
    LeftDown(h, 4, y);
    MouseMove(h, 4, y + 20, MK_LBUTTON);
    LeftUp(h, 4, y + 20);
  }
  EXPECT_EQ(bar.Position(), 5);
  EXPECT_EQ(changes, 0);
}

TEST_F(ScrollImageTest, ArrowsAndTrackStepWithoutRepeat) {
  HWND h = bar.Handle();
  bar.SmallChange = 1;
  bar.LargeChange = 3;
  LeftClick(h, 4, 2);  // up arrow at the top: clamped, unchanged
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(changes, 0);
  LeftDown(h, 4, 95);  // down arrow
  EXPECT_EQ(bar.PressedPart(), ScrollPart::ArrowAfter);
  ::Sleep(60);
  Pump();
  LeftUp(h, 4, 95);
  EXPECT_EQ(bar.Position(), 1) << "a held arrow does not repeat";
  EXPECT_EQ(changes, 1);
  LeftClick(h, 4, 80);  // track after the thumb (thumb at 9 + 62/10 = 15..34)
  EXPECT_EQ(bar.Position(), 4);
  LeftClick(h, 4, 12);  // track before the thumb (now at 9 + 24.8 -> 34)
  EXPECT_EQ(bar.Position(), 1);
  EXPECT_EQ(changes, 3);
  bar.SetPosition(10);
  LeftClick(h, 4, 95);
  EXPECT_EQ(bar.Position(), 10);
  EXPECT_EQ(changes, 3) << "no OnChange when the clamp leaves it unchanged";
}

TEST_F(ScrollImageTest, ThumbDragFollowsTheFormula) {
  HWND h = bar.Handle();
  // Position 0: thumb 9..28. Grab it 6 pixels in.
  LeftDown(h, 4, 15);
  EXPECT_EQ(bar.PressedPart(), ScrollPart::Thumb);
  // (10 - 0) * (46 - 6 - 9) / (100 - 20 - 9 - 9) = 310 / 62 = 5.
  MouseMove(h, 4, 46, MK_LBUTTON);
  EXPECT_EQ(bar.Position(), 5);
  // 10 * 34 / 62 = 5.48 -> 5: no change, no event.
  MouseMove(h, 4, 49, MK_LBUTTON);
  EXPECT_EQ(bar.Position(), 5);
  EXPECT_EQ(changes, 1);
  // 10 * (55 - 6 - 9) / 62 = 6.45 -> 6.
  MouseMove(h, 4, 55, MK_LBUTTON);
  EXPECT_EQ(bar.Position(), 6);
  MouseMove(h, 4, 300, MK_LBUTTON);
  EXPECT_EQ(bar.Position(), 10) << "clamped to Max";
  LeftUp(h, 4, 300);
  MouseMove(h, 4, 20);
  EXPECT_EQ(bar.Position(), 10) << "release ends the drag";
  EXPECT_EQ(changes, 3);
}

TEST_F(ScrollImageTest, ProgramChangesClampAndStaySilent) {
  bar.SetPosition(50);
  EXPECT_EQ(bar.Position(), 10);
  bar.SetPosition(-4);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(8);
  bar.SetMax(6);
  EXPECT_EQ(bar.Position(), 6);
  bar.SetMin(7);
  EXPECT_EQ(bar.Position(), 7);
  EXPECT_EQ(changes, 0);
}

TEST_F(ScrollImageTest, HideOnZeroAndShowingAgain) {
  bar.HideOnZero = true;
  bar.SetMax(0);
  EXPECT_FALSE(bar.Visible());
  EXPECT_FALSE(::IsWindowVisible(bar.Handle()));
  bar.SetMax(3);
  EXPECT_TRUE(bar.Visible());
  bar.HideOnZero = false;
  bar.SetVisible(false);
  bar.SetMax(0);
  EXPECT_TRUE(bar.Visible()) << "without HideOnZero any change of Max shows it";
}

TEST_F(ScrollImageTest, ThumbSizeRule) {
  // Track T = 100 - 9 - 9 = 82; V / C * T = 50 / 200 * 82 = 20.5 -> 20 (ties to even).
  bar.minScrollHeight = 5;
  bar.SizeThumb(50, 200);
  EXPECT_EQ(bar.PageSize(), 20);
  bar.SizeThumb(150, 200);  // 61.5 -> 62
  EXPECT_EQ(bar.PageSize(), 62);
  bar.minScrollHeight = 30;
  bar.SizeThumb(50, 200);
  EXPECT_EQ(bar.PageSize(), 30);
  bar.SetMax(0);
  bar.SizeThumb(50, 200);
  EXPECT_EQ(bar.PageSize(), 20);
}

TEST_F(ScrollImageTest, ThumbKeepsBothEndsOfItsPicture) {
  bar.SetPageSize(40);
  bar.SetPosition(0);  // thumb rows 9..48
  Rendering r(bar);
  EXPECT_EQ(r.At(4, 0), ToTColor(kArrow));
  EXPECT_EQ(r.At(4, 95), ToTColor(kArrow));
  for (int y = 9; y < 17; ++y) EXPECT_EQ(r.At(4, y), ToTColor(kHead)) << y;
  for (int y = 17; y < 42; ++y) EXPECT_EQ(r.At(4, y), ToTColor(kMiddle)) << y;
  EXPECT_EQ(r.At(4, 41), ToTColor(kMiddle)) << "the tail starts with the middle line";
  for (int y = 42; y < 49; ++y) EXPECT_EQ(r.At(4, y), ToTColor(kTail)) << y;
  EXPECT_EQ(r.At(4, 49), MakeColor(255, 255, 255)) << "track below the thumb";
}

TEST_F(ScrollImageTest, PressedArrowLooksNormalOnceThePointerLeaves) {
  constexpr GifRgb kMove{0, 120, 120}, kDown{120, 0, 120};
  const int move = list.Add("move.gif", 0, SolidGif(9, 9, kMove));
  const int down = list.Add("pressed.gif", 0, SolidGif(9, 9, kDown));
  bar.ImageDown = {1, move, down, 1, 1};
  bar.ImagesChanged();
  HWND h = bar.Handle();
  auto arrow = [&] { return Rendering(bar).At(4, 95); };
  MouseMove(h, 4, 95);
  EXPECT_EQ(arrow(), ToTColor(kMove));
  LeftDown(h, 4, 95);
  EXPECT_EQ(arrow(), ToTColor(kDown));
  MouseMove(h, 4, 300, MK_LBUTTON);  // dragged off, button still held
  EXPECT_EQ(arrow(), ToTColor(kArrow)) << "leaving shows the normal picture";
  MouseMove(h, 4, 95, MK_LBUTTON);
  EXPECT_EQ(arrow(), ToTColor(kMove)) << "back over it: hover, not pressed";
  LeftUp(h, 4, 95);
  EXPECT_EQ(bar.Position(), 1) << "only the press stepped";
  EXPECT_EQ(changes, 1);
}

TEST_F(ScrollImageTest, WheelStepsBySmallChange) {
  bar.SmallChange = 2;
  bar.SetPosition(5);
  bar.WheelBy(-120);
  EXPECT_EQ(bar.Position(), 7);
  bar.WheelBy(240);
  EXPECT_EQ(bar.Position(), 3) << "two notches, two steps";
  EXPECT_EQ(changes, 2);
  bar.WheelBy(-60);
  EXPECT_EQ(changes, 2) << "half a notch moves nothing yet";
  bar.WheelBy(-60);
  EXPECT_EQ(bar.Position(), 5);
}

}  // namespace
}  // namespace kolo
