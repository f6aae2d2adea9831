#include "widgets/win/image_checkbox.h"

#include "widget_test_util.h"
#include "widgets/win/label.h"
#include "widgets/win/not_refresh_panel.h"

namespace kolo {
namespace {

using namespace kolo::testing;

struct Box {
  TVMImageCheckbox box;
  int changes = 0, clicks = 0;
  Box(Widget& parent, int checkIndex, int x) : Box(parent.Handle(), checkIndex, x) {}
  Box(HWND parent, int checkIndex, int x) {
    box.SetCheckIndex(checkIndex);
    box.OnChange = [this](TVMImageCheckbox&) { ++changes; };
    box.OnClick = [this](Widget&) { ++clicks; };
    box.Create(parent, x, 0, 11, 11);
  }
  void Click() { LeftClick(box.Handle(), 5, 5); }
};

TEST(ImageCheckbox, RadioGroupsArePerParentAndIndex) {
  TestForm form;
  TVMNotRefreshPanel panelA, panelB;
  ASSERT_TRUE(panelA.Create(form.Handle(), 0, 0, 100, 20));
  ASSERT_TRUE(panelB.Create(form.Handle(), 0, 30, 100, 20));
  Box a1(panelA, 1, 0), a2(panelA, 1, 20), a3(panelA, 2, 40), plain(panelA, -1, 60), b1(panelB, 1, 0);

  a1.Click();
  EXPECT_TRUE(a1.box.Checked());
  a2.Click();
  EXPECT_TRUE(a2.box.Checked());
  EXPECT_FALSE(a1.box.Checked()) << "never two of a group checked";
  EXPECT_EQ(a1.changes, 2) << "the box that lost its check hears about it";
  b1.Click();
  a3.Click();
  plain.Click();
  EXPECT_TRUE(b1.box.Checked());
  EXPECT_TRUE(a2.box.Checked()) << "another parent and another index are other groups";
  EXPECT_TRUE(a3.box.Checked());

  a2.Click();
  EXPECT_TRUE(a2.box.Checked()) << "clicking a checked radio box leaves it checked";
  a2.box.SetChecked(false);
  EXPECT_TRUE(a2.box.Checked()) << "the program cannot uncheck a radio box either";
  EXPECT_EQ(a2.clicks, 2);

  plain.Click();
  EXPECT_FALSE(plain.box.Checked());
  EXPECT_TRUE(a3.box.Checked());
}

TEST(ImageCheckbox, RadioGroupsOnAPlainParentWindow) {
  TestForm form, other;  // parents that are not controls of ours
  Box a1(form.Handle(), 1, 0), a2(form.Handle(), 1, 20), a3(form.Handle(), 2, 40), b1(other.Handle(), 1, 0);
  a1.Click();
  b1.Click();
  a3.Click();
  a2.Click();
  EXPECT_TRUE(a2.box.Checked());
  EXPECT_FALSE(a1.box.Checked()) << "never two of a group checked";
  EXPECT_EQ(a1.changes, 2);
  EXPECT_TRUE(a3.box.Checked()) << "another index is another group";
  EXPECT_TRUE(b1.box.Checked()) << "another window is another group";
  a1.box.SetChecked(false);
  EXPECT_TRUE(a1.box.Checked());
  EXPECT_FALSE(a2.box.Checked());
}

TEST(ImageCheckbox, ChangeFiresOnEverySetAndSpaceTogglesWithoutClick) {
  TestForm form;
  TVMNotRefreshPanel panel;
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 100, 20));
  Box b(panel, -1, 0);
  b.box.SetChecked(false);
  b.box.SetChecked(false);
  EXPECT_EQ(b.changes, 2);
  KeyDown(b.box.Handle(), VK_SPACE);
  EXPECT_FALSE(b.box.Checked()) << "Space toggles on release";
  KeyUp(b.box.Handle(), VK_SPACE);
  EXPECT_TRUE(b.box.Checked());
  EXPECT_EQ(b.clicks, 0);
  EXPECT_EQ(b.changes, 3);

  b.box.SetEnabled(false);
  b.box.Click();
  KeyUp(b.box.Handle(), VK_SPACE);
  EXPECT_TRUE(b.box.Checked()) << "a disabled box does not toggle";
  EXPECT_EQ(b.clicks, 0);
}

TEST(ImageCheckbox, LabelAndInvisibleButtonClickTheBox) {
  TestForm form;
  TVMNotRefreshPanel panel;
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 200, 20));
  Box b(panel, -1, 0);
  TVMLabel label;
  label.SetCaption("Option");
  ASSERT_TRUE(label.Create(panel, 15, 0, 50, 15));
  auto button = std::make_unique<TVMInvisibleButton>();
  ASSERT_TRUE(button->Create(panel, 70, 0, 50, 15));
  b.box.SetCheckLabel(&label);
  b.box.SetInvisibleButton(button.get());

  LeftClick(label.Handle(), 5, 5);
  EXPECT_TRUE(b.box.Checked());
  LeftClick(button->Handle(), 5, 5);
  EXPECT_FALSE(b.box.Checked());
  EXPECT_EQ(b.clicks, 2);

  // Companions may go first; the box then simply forgets them.
  button.reset();
  b.box.SetInvisibleButton(nullptr);
  {
    auto temporary = std::make_unique<TVMImageCheckbox>();
    ASSERT_TRUE(temporary->Create(panel, 130, 0, 11, 11));
    temporary->SetCheckLabel(&label);
  }
  LeftClick(label.Handle(), 5, 5);  // its box is gone: nothing happens
  EXPECT_FALSE(b.box.Checked());
}

TEST(ImageCheckbox, PictureFollowsCheckedFocusHoverAndEnabled) {
  TestForm form;
  TVMGIFImageList list;
  const GifRgb colours[8] = {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}, {6, 0, 0}, {7, 0, 0}, {8, 0, 0}};
  for (GifRgb c : colours) list.Add("c.gif", 0, SolidGif(11, 11, c));
  TVMImageCheckbox box;
  box.SetImageList(&list);
  box.SetImageListID({0, 1, 2, 3, 4, 5, 6, 7});
  ASSERT_TRUE(box.Create(form.Handle(), 0, 0, 11, 11));
  auto shown = [&] { return Rendering(box).At(5, 5); };
  EXPECT_EQ(shown(), ToTColor(colours[1]));  // UnCheckedNotSelected
  box.SetChecked(true);
  EXPECT_EQ(shown(), ToTColor(colours[3]));  // CheckedNotSelected
  MouseMove(box.Handle(), 3, 3);
  EXPECT_EQ(shown(), ToTColor(colours[7]));  // CheckedMove
  ::SetFocus(box.Handle());
  EXPECT_EQ(shown(), ToTColor(colours[0]));  // CheckedSelected
  box.SetChecked(false);
  EXPECT_EQ(shown(), ToTColor(colours[2]));  // UnCheckedSelected
  ::SetFocus(form.Handle());
  EXPECT_EQ(shown(), ToTColor(colours[6]));  // UnCheckedMove
  box.SetEnabled(false);
  EXPECT_EQ(shown(), ToTColor(colours[4]));  // DisableUnChecked
  box.SetChecked(true);
  EXPECT_EQ(shown(), ToTColor(colours[5]));  // DisableChecked
}

}  // namespace
}  // namespace kolo
