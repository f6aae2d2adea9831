// The drop-down list and the value slider as windows, driven by real input
// (SendInput): the list opens under its anchor or above it, preselects the
// current text, reports a click and hides; the slider opens from a press on
// its anchor button, follows a drag that starts on the button, reports
// range - y and gives the button its pictures back.
#include <gtest/gtest.h>

#include <vector>

#include "../../hook/win/input_util.h"
#include "art_ids.h"
#include "widgets/win/list_form.h"
#include "widgets/win/value_slider_form.h"
#include "widget_test_util.h"

namespace kolo {
namespace {

using namespace kolo::testing;
using win::TfrmColorPrev;
using win::TfrmList;

// A visible top-level window at a known place on the screen.
class Owner : public win::Window {
 public:
  Owner(int x, int y, int w, int h) {
    RegisterClassOnce(L"KoloPopupTestOwner");
    CreateWin(L"KoloPopupTestOwner", L"popup test", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, x, y, w, h, nullptr);
    ::SetForegroundWindow(Handle());
    testing::Pump(50);
  }
};

TEST(DropDownList, OpensUnderOrAboveItsAnchorAndReportsTheClick) {
  Owner owner(100, 100, 300, 200);
  TVMNotRefreshPanel anchor;
  ASSERT_TRUE(anchor.Create(owner.Handle(), 20, 20, 149, 16));
  TfrmList list;
  ASSERT_TRUE(list.Create(owner.Handle()));
  const std::vector<std::string> six = {"Empty", "Web", "Windows", "Mac OS", "Grayscale", "Random"};
  int chosen = -1;
  HWND reported = nullptr;
  list.Popup(anchor.Handle(), 0, 0, 0, [&](int i, HWND a) {
    chosen = i;
    reported = a;
  }, "Windows", six);
  testing::Pump(100);
  RECT r{};
  ::GetWindowRect(list.Handle(), &r);
  EXPECT_EQ(r.left, 120);
  EXPECT_EQ(r.top, 136);
  EXPECT_EQ(r.bottom - r.top, 86);
  EXPECT_FALSE(list.scroller.Visible());
  EXPECT_EQ(list.list.SelectItem(), 2);

  // A real click on the fifth row.
  const int row = list.list.RowHeight();
  LeftClickAt(r.left + 30, r.top + 4 * row + row / 2);
  ASSERT_TRUE(PumpUntil([&] { return chosen != -1; }));
  EXPECT_EQ(chosen, 4);
  EXPECT_EQ(reported, anchor.Handle());
  EXPECT_FALSE(::IsWindowVisible(list.Handle()));

  // Seven texts near the screen's foot: 100 high, with the slider, above the anchor.
  const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
  ::SetWindowPos(owner.Handle(), nullptr, 100, screenH - 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  std::vector<std::string> seven = six;
  seven.push_back("Seventh");
  list.Popup(anchor.Handle(), 0, 2, 0, [](int, HWND) {}, "none", seven);
  testing::Pump(100);
  ::GetWindowRect(list.Handle(), &r);
  RECT ar{};
  ::GetWindowRect(anchor.Handle(), &ar);
  EXPECT_EQ(r.bottom - r.top, 100);
  EXPECT_EQ(r.bottom, ar.top - 2);
  EXPECT_TRUE(list.scroller.Visible());
  EXPECT_TRUE(list.Placement().above);
  EXPECT_EQ(list.list.SelectItem(), -1);

  // Losing the activation hides it.
  ::SetForegroundWindow(owner.Handle());
  testing::Pump(100);
  EXPECT_FALSE(::IsWindowVisible(list.Handle()));
}

TEST(ValueSlider, PressOnTheAnchorDragsStraightOnAndRestoresItsPictures) {
  Owner owner(100, 100, 364, 320);
  TVMGIFImageList images;
  ASSERT_TRUE(images.LoadFromResource(KOLO_RES_IMAGES_MAIN));
  TVMPictureButton button;
  button.SetImageList(&images);
  button.SetImages(art::kImgValueButtonSmallNormal, art::kImgValueButtonSmallHover, art::kImgValueButtonSmallDown);
  ASSERT_TRUE(button.Create(owner.Handle(), 300, 150, 9, 13));
  TfrmColorPrev slider;
  ASSERT_TRUE(slider.Create(owner.Handle()));
  for (int v = 0; v <= 255; ++v) slider.SetStripRow(255, v, MakeColor(v, 0, 255 - v));
  std::vector<int> values;
  win::BindValueButton(button, [&] {
    slider.Popup(button, 255, [&](TVMPictureButton* a, int v) {
      EXPECT_EQ(a, &button);
      values.push_back(v);
    }, 100);
  });

  RECT br{};
  ::GetWindowRect(button.Handle(), &br);
  MoveMouseTo(br.left + 4, br.top + 6);
  testing::Pump(50);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(slider.Handle()) != 0; }));
  RECT sr{};
  ::GetWindowRect(slider.Handle(), &sr);
  EXPECT_EQ(sr.left, 100 + 364 - 6);
  EXPECT_EQ(sr.right - sr.left, 27);
  EXPECT_EQ(sr.bottom - sr.top, 262);
  EXPECT_EQ(slider.ArrowTop(), 155);
  EXPECT_EQ(button.ImageListID().Normal, TfrmColorPrev::kOpenImageSmall);
  EXPECT_EQ(button.ImageListID().Down, TfrmColorPrev::kOpenImageSmall);

  // Without releasing: down the strip, then far above it.
  MoveMouseTo(br.left + 4, sr.top + 3 + 200);
  testing::Pump(60);
  MoveMouseTo(br.left + 4, sr.top + 3 + 201);
  testing::Pump(60);
  MoveMouseTo(br.left + 4, sr.top - 50);
  testing::Pump(60);
  ASSERT_GE(values.size(), 3u);
  EXPECT_EQ(values[values.size() - 3], 55);
  EXPECT_EQ(values[values.size() - 2], 54);
  EXPECT_EQ(values.back(), 255);
  EXPECT_EQ(slider.ArrowTop(), 0);

  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(slider.Handle()); }));
  EXPECT_EQ(button.ImageListID().Normal, art::kImgValueButtonSmallNormal);
  EXPECT_EQ(button.ImageListID().Move, art::kImgValueButtonSmallHover);
  EXPECT_EQ(button.ImageListID().Down, art::kImgValueButtonSmallDown);
  EXPECT_EQ(slider.Anchor(), nullptr);
}

}  // namespace
}  // namespace kolo
