#include "widgets/win/list_box.h"

#include "widget_test_util.h"

namespace kolo {
namespace {

using namespace kolo::testing;

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(box.Create(form.Handle(), 0, 0, 80, 10));
    h = box.RowHeight();
    ASSERT_GT(h, 5);
    box.SetSize(80, h * 5 + h / 2);  // five and a half rows
    ASSERT_TRUE(scroller.Create(form.Handle(), 80, 0, 9, box.Height()));
    box.SetVerticalScroller(&scroller);
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) items.push_back("item " + std::to_string(i));
    box.SetItems(items);
    box.OnSelectItem = [this](TVMListBox&) { ++selects; };
  }

  TestForm form;
  TVMListBox box;
  TVMScrollImage scroller;
  int h = 0;
  int selects = 0;
};

TEST_F(ListBoxTest, PressMoveAndReleaseSelect) {
  HWND w = box.Handle();
  LeftDown(w, 10, 2 * h + 1);
  EXPECT_EQ(box.SelectItem(), 2);
  MouseMove(w, 10, 3 * h + 1, MK_LBUTTON);
  EXPECT_EQ(box.SelectItem(), 3) << "dragging with the button held follows the pointer";
  MouseMove(w, 10, 0, MK_LBUTTON);
  EXPECT_EQ(box.SelectItem(), 3) << "the edge pixel does not count as inside";
  EXPECT_EQ(selects, 0);
  LeftUp(w, 10, 3 * h + 1);
  EXPECT_EQ(selects, 1);

  MouseMove(w, 10, h + 1);
  EXPECT_EQ(box.SelectItem(), 3) << "a plain move changes nothing";
  box.SelectOnMove = true;
  MouseMove(w, 10, h + 1);
  EXPECT_EQ(box.SelectItem(), 1);

  LeftDown(w, 10, 1);
  LeftUp(w, 10, 500);
  EXPECT_EQ(selects, 1) << "a release outside selects nothing";
}

TEST_F(ListBoxTest, ScrollRangeWheelAndRowsBelowTheTop) {
  // 20 rows of h in 5.5 rows: (20h - 5.5h) / h = 14.5, rounded up so the last row shows.
  EXPECT_EQ(scroller.Max(), 15);
  HWND w = box.Handle();
  RECT wr = box.WindowRect();
  ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, -240), Point(wr.left + 5, wr.top + 5));
  EXPECT_EQ(box.TopRow(), 2) << "one row per notch";
  for (int i = 0; i < 3; ++i) ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 40), Point(wr.left + 5, wr.top + 5));
  EXPECT_EQ(box.TopRow(), 1) << "a fine wheel's three thirds make one notch";
  ::SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), Point(wr.left + 5, wr.top + 5));
  LeftDown(w, 10, h + 1);
  EXPECT_EQ(box.SelectItem(), 3);
  LeftUp(w, 10, h + 1);

  scroller.minScrollHeight = 30;
  box.UpdateScroller();
  EXPECT_EQ(scroller.PageSize(), 30);
  box.SetItems({"a", "b"});
  EXPECT_EQ(scroller.Max(), 0);
  EXPECT_EQ(scroller.PageSize(), 20) << "the thumb does not keep its length once the rows fit";
  LeftDown(w, 10, 4 * h);
  LeftUp(w, 10, 4 * h);
  EXPECT_EQ(box.SelectItem(), -1) << "no row there";
}

TEST_F(ListBoxTest, SelectedRowIsDrawnInTheSelectionColours) {
  box.SelectColor = MakeColor(0, 0, 200);
  box.SetSelectItem(1);
  Rendering r(box);
  EXPECT_EQ(r.At(1, h + 1), MakeColor(0, 0, 200));
  EXPECT_EQ(r.At(1, 1), box.Color());
}

}  // namespace
}  // namespace kolo
