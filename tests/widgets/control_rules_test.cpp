#include "widgets/control_rules.h"

#include <gtest/gtest.h>

#include "widgets/action.h"

namespace kolo {
namespace {

TEST(ButtonPress, ClickOnlyWithoutLeaving) {
  ButtonPressTracker b;
  b.Enter();
  b.Press();
  EXPECT_EQ(b.State(), ButtonState::Pressed);
  EXPECT_TRUE(b.Release());
  EXPECT_EQ(b.State(), ButtonState::Hover);

  // Press, drag off, release.
  b.Press();
  b.Leave();
  EXPECT_EQ(b.State(), ButtonState::Normal);
  EXPECT_FALSE(b.Release());

  // Press, off and back, release.
  b.Enter();
  b.Press();
  b.Leave();
  b.Enter();
  EXPECT_EQ(b.State(), ButtonState::Hover);
  EXPECT_FALSE(b.Release());

  // A release with no press is no click.
  EXPECT_FALSE(b.Release());
}

TEST(ButtonPress, ImagePriority) {
  TVMImageButtonListID ids{1, 2, 3, 4, 5};  // Disable, Move, Down, Normal, Selected
  EXPECT_EQ(ChooseButtonImage(ids, false, true, ButtonState::Pressed, true), 1);
  EXPECT_EQ(ChooseButtonImage(ids, true, true, ButtonState::Normal, true), 3) << "Down property";
  EXPECT_EQ(ChooseButtonImage(ids, true, false, ButtonState::Pressed, true), 3);
  EXPECT_EQ(ChooseButtonImage(ids, true, false, ButtonState::Hover, true), 5) << "focus beats hover";
  EXPECT_EQ(ChooseButtonImage(ids, true, false, ButtonState::Hover, false), 2);
  EXPECT_EQ(ChooseButtonImage(ids, true, false, ButtonState::Normal, false), 4);

  TVMCheckboxListID c{10, 11, 12, 13, 14, 15, 16, 17};
  EXPECT_EQ(ChooseCheckboxImage(c, true, false, true, true), 15);
  EXPECT_EQ(ChooseCheckboxImage(c, false, false, true, true), 14);
  EXPECT_EQ(ChooseCheckboxImage(c, true, true, true, true), 10);
  EXPECT_EQ(ChooseCheckboxImage(c, false, true, true, false), 12);
  EXPECT_EQ(ChooseCheckboxImage(c, true, true, false, true), 17);
  EXPECT_EQ(ChooseCheckboxImage(c, false, true, false, true), 16);
  EXPECT_EQ(ChooseCheckboxImage(c, true, true, false, false), 13);
  EXPECT_EQ(ChooseCheckboxImage(c, false, true, false, false), 11);
}

TEST(RadioRule, GroupsArePerParentAndIndex) {
  int panelA = 0, panelB = 0;
  std::vector<CheckBoxState> boxes = {
      {&panelA, 1, true},  {&panelA, 1, false}, {&panelA, 2, true},
      {&panelB, 1, true},  {&panelA, -1, true},
  };
  auto changed = ApplyCheck(boxes, 1, false);  // either value checks a radio box
  EXPECT_EQ(changed, std::vector<size_t>{0});
  EXPECT_TRUE(boxes[1].checked);
  EXPECT_FALSE(boxes[0].checked);
  EXPECT_TRUE(boxes[2].checked) << "another group";
  EXPECT_TRUE(boxes[3].checked) << "another parent";
  EXPECT_TRUE(boxes[4].checked) << "plain check box";

  EXPECT_TRUE(ApplyCheck(boxes, 1, true).empty()) << "checking the checked one changes nobody";
  EXPECT_TRUE(boxes[1].checked);

  ApplyCheck(boxes, 4, false);
  EXPECT_FALSE(boxes[4].checked) << "a plain box takes the value";
  EXPECT_TRUE(boxes[1].checked);
}

TEST(ListBoxRows, RowsInsideAndScrollRange) {
  EXPECT_EQ(ListRowAt(0, 0, 13), 0);
  EXPECT_EQ(ListRowAt(0, 12, 13), 0);
  EXPECT_EQ(ListRowAt(0, 13, 13), 1);
  EXPECT_EQ(ListRowAt(5, 27, 13), 7);

  EXPECT_FALSE(InsideListBox(0, 5, 50, 50));
  EXPECT_FALSE(InsideListBox(5, 0, 50, 50));
  EXPECT_FALSE(InsideListBox(49, 5, 50, 50));
  EXPECT_FALSE(InsideListBox(5, 49, 50, 50));
  EXPECT_TRUE(InsideListBox(1, 1, 50, 50));
  EXPECT_TRUE(InsideListBox(48, 48, 50, 50));

  EXPECT_EQ(ListScrollMax(13, 10, 130), 0) << "everything fits";
  EXPECT_EQ(ListScrollMax(13, 10, 65), 5);
  EXPECT_EQ(ListScrollMax(13, 10, 125), 1) << "a row cut by 5 pixels can still be scrolled into view";
  EXPECT_EQ(ListScrollMax(13, 0, 10), 0);
}

TEST(Action, RunsWhenEnabledAndTellsItsControls) {
  TAction action("acTest");
  int runs = 0, notices = 0;
  action.OnExecute = [&] { ++runs; };
  int token = action.Subscribe([&] { ++notices; });
  EXPECT_TRUE(action.Execute());
  action.SetEnabled(false);
  EXPECT_FALSE(action.Execute());
  EXPECT_EQ(runs, 1);
  action.SetEnabled(false);
  EXPECT_EQ(notices, 1) << "no notice without a change";

  // A listener that drops another one while being told.
  int second = 0;
  int token2 = 0;
  action.Unsubscribe(token);
  action.Subscribe([&] { action.Unsubscribe(token2); });
  token2 = action.Subscribe([&] { ++second; });
  action.SetEnabled(true);
  EXPECT_EQ(second, 0);
}

}  // namespace
}  // namespace kolo
