#include "widgets/win/picture_button.h"

#include "widget_test_util.h"

namespace kolo {
namespace {

using namespace kolo::testing;

constexpr GifRgb kNormal{10, 20, 30}, kMove{40, 50, 60}, kDown{70, 80, 90}, kDisable{100, 110, 120},
    kSelected{130, 140, 150};

class PictureButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (GifRgb c : {kDisable, kMove, kDown, kNormal, kSelected}) list.Add("b.gif", 0, SolidGif(20, 10, c));
    button.SetImageList(&list);
    button.SetImageListID({0, 1, 2, 3, 4});
    button.OnClick = [this](Widget&) { ++clicks; };
    ASSERT_TRUE(button.Create(form.Handle(), 10, 10, 20, 10));
  }
  TColor Shown() { return Rendering(button).At(5, 5); }

  TestForm form;
  TVMGIFImageList list;
  TVMPictureButton button;
  int clicks = 0;
};

TEST_F(PictureButtonTest, ClickNeedsPressAndReleaseWithoutLeaving) {
  HWND h = button.Handle();
  LeftClick(h, 5, 5);
  EXPECT_EQ(clicks, 1);

  // Pressed, dragged off, released outside.
  LeftDown(h, 5, 5);
  MouseMove(h, 50, 50, MK_LBUTTON);
  LeftUp(h, 50, 50);
  EXPECT_EQ(clicks, 1);

  // Pressed, off and back, released inside.
  MouseMove(h, 5, 5);
  LeftDown(h, 5, 5);
  MouseMove(h, -3, 5, MK_LBUTTON);
  MouseMove(h, 6, 5, MK_LBUTTON);
  LeftUp(h, 6, 5);
  EXPECT_EQ(clicks, 1);

  // Released outside without a move first.
  LeftDown(h, 5, 5);
  LeftUp(h, 25, 5);
  EXPECT_EQ(clicks, 1);

  LeftClick(h, 2, 2);
  EXPECT_EQ(clicks, 2) << "the button still works after the cancelled presses";
}

TEST_F(PictureButtonTest, PictureFollowsTheState) {
  HWND h = button.Handle();
  EXPECT_EQ(Shown(), ToTColor(kNormal));
  MouseMove(h, 5, 5);
  EXPECT_EQ(Shown(), ToTColor(kMove));
  LeftDown(h, 5, 5);
  EXPECT_EQ(Shown(), ToTColor(kDown));
  LeftUp(h, 5, 5);
  EXPECT_EQ(Shown(), ToTColor(kMove));
  MouseMove(h, 40, 5);  // outside while not captured: the leave message ends the hover
  ::SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Shown(), ToTColor(kNormal));

  button.SetDown(true);
  EXPECT_EQ(Shown(), ToTColor(kDown));
  button.SetDown(false);
  ::SetFocus(h);
  EXPECT_EQ(Shown(), ToTColor(kSelected));
  ::SetFocus(form.Handle());
  button.SetEnabled(false);
  EXPECT_EQ(Shown(), ToTColor(kDisable));
  button.SetEnabled(true);

  // Callers restyle a button by changing its indices.
  button.SetImageListID({0, 1, 2, 4, 4});
  EXPECT_EQ(Shown(), ToTColor(kSelected));
}

TEST_F(PictureButtonTest, SpaceAndEnterShowThePressedPictureAndClickOnRelease) {
  HWND h = button.Handle();
  ::SetFocus(h);
  EXPECT_EQ(Shown(), ToTColor(kSelected)) << "the focus picture";
  KeyDown(h, VK_SPACE);
  EXPECT_EQ(Shown(), ToTColor(kDown));
  EXPECT_EQ(clicks, 0);
  KeyUp(h, VK_SPACE);
  EXPECT_EQ(Shown(), ToTColor(kSelected));
  EXPECT_EQ(clicks, 1);
  KeyDown(h, VK_RETURN);
  KeyUp(h, VK_RETURN);
  EXPECT_EQ(clicks, 2);
  // A release without its press here (the key went down elsewhere) does nothing,
  // and neither does a press that loses the focus before its release.
  KeyUp(h, VK_SPACE);
  KeyDown(h, VK_SPACE);
  ::SetFocus(form.Handle());
  ::SetFocus(h);
  KeyUp(h, VK_SPACE);
  EXPECT_EQ(clicks, 2);
  button.SetEnabled(false);
  KeyDown(h, VK_SPACE);
  KeyUp(h, VK_SPACE);
  EXPECT_EQ(clicks, 2);
  ::SetFocus(form.Handle());
}

TEST_F(PictureButtonTest, ActionRunsInsteadOfOnClickAndRulesEnabled) {
  TAction action;
  int runs = 0;
  action.OnExecute = [&] { ++runs; };
  button.SetAction(&action);
  LeftClick(button.Handle(), 5, 5);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(clicks, 0);
  action.SetEnabled(false);
  EXPECT_FALSE(button.Enabled());
  EXPECT_FALSE(::IsWindowEnabled(button.Handle()));
  EXPECT_EQ(Shown(), ToTColor(kDisable));
  button.SetAction(nullptr);

  // An action that goes first is forgotten: clicks fall back to OnClick.
  auto shortLived = std::make_unique<TAction>();
  shortLived->OnExecute = [&] { ++runs; };
  button.SetAction(shortLived.get());
  button.SetEnabled(true);
  shortLived.reset();
  EXPECT_EQ(button.Action(), nullptr);
  LeftClick(button.Handle(), 5, 5);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(PictureButtonTest, MissingPicturesDrawNothingAndADeadListIsForgotten) {
  auto doomed = std::make_unique<TVMGIFImageList>();
  doomed->Add("bad.gif", 0, {'G', 'I', 'F', '8', '9', 'a', 1});  // truncated
  TVMPictureButton other;
  other.SetColor(MakeColor(200, 0, 0));
  other.SetImageList(doomed.get());
  other.SetImageListID({-1, 5, 0, 0, 99});
  ASSERT_TRUE(other.Create(form.Handle(), 40, 10, 20, 10));
  EXPECT_EQ(Rendering(other).At(3, 3), MakeColor(200, 0, 0)) << "a broken GIF draws nothing";
  other.SetEnabled(false);
  EXPECT_EQ(Rendering(other).At(3, 3), MakeColor(200, 0, 0)) << "index -1 draws nothing";
  doomed.reset();
  EXPECT_EQ(other.ImageList(), nullptr);
  EXPECT_EQ(Rendering(other).At(3, 3), MakeColor(200, 0, 0));
}

}  // namespace
}  // namespace kolo
