#include "widgets/win/not_refresh_panel.h"

#include <string>

#include "platform/win/hints.h"
#include "widget_test_util.h"
#include "widgets/win/label.h"

namespace kolo {
namespace {

using namespace kolo::testing;

struct DragCall {
  Widget* sender;
  LPARAM source;
  int x, y, state;
};

TEST(Panel, ColourDragMessagesBecomeEventsWithPanelCoordinates) {
  TestForm form;
  TVMNotRefreshPanel panel;
  ASSERT_TRUE(panel.Create(form.Handle(), 30, 40, 100, 80));
  TVMLabel child;  // no drag handlers: passes the messages on
  ASSERT_TRUE(child.Create(panel, 10, 10, 30, 20));
  std::vector<DragCall> over, drop;
  panel.OnDragOver = [&](Widget& s, LPARAM src, int x, int y, int st) { over.push_back({&s, src, x, y, st}); };
  panel.OnEndDrag = [&](Widget& s, LPARAM src, int x, int y, int st) { drop.push_back({&s, src, x, y, st}); };

  RECT wr = panel.WindowRect();
  ASSERT_TRUE(::SetCursorPos(wr.left + 7, wr.top + 9));
  POINT at{};
  ::GetCursorPos(&at);
  ASSERT_EQ(at.x, wr.left + 7) << "the display must let the test place the pointer";

  ::SendMessageW(panel.Handle(), WM_DRAGCOLOR_OVER, 0, 1234);
  ::SendMessageW(panel.Handle(), WM_DRAGCOLOR_OVER, 0x0302, 1234);  // only the low byte is the state
  ::SendMessageW(child.Handle(), WM_DRAGCOLOR_OVER, 1, 99);
  ::SendMessageW(child.Handle(), WM_DRAGCOLOR_DROP, 2, 77);
  ASSERT_EQ(over.size(), 3u);
  EXPECT_EQ(over[0].sender, &panel);
  EXPECT_EQ(over[0].source, 1234);
  EXPECT_EQ(over[0].x, 7);
  EXPECT_EQ(over[0].y, 9);
  EXPECT_EQ(over[0].state, 0);
  EXPECT_EQ(over[1].state, 2);
  EXPECT_EQ(over[2].state, 1);
  EXPECT_EQ(over[2].x, 7) << "a child passes the drag on; coordinates stay the panel's";
  ASSERT_EQ(drop.size(), 1u);
  EXPECT_EQ(drop[0].source, 77);
  EXPECT_EQ(drop[0].state, 2);
  EXPECT_EQ(drop[0].y, 9);
}

TEST(Panel, ColourDragMessageWithoutItsOwnHandlerGoesToTheParent) {
  TestForm form;
  TVMNotRefreshPanel panel;
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 100, 80));
  TVMNotRefreshPanel overOnly, dropOnly;
  ASSERT_TRUE(overOnly.Create(panel, 0, 0, 30, 20));
  ASSERT_TRUE(dropOnly.Create(panel, 40, 0, 30, 20));
  std::vector<Widget*> panelOver, panelDrop, childOver, childDrop;
  panel.OnDragOver = [&](Widget& s, LPARAM, int, int, int) { panelOver.push_back(&s); };
  panel.OnEndDrag = [&](Widget& s, LPARAM, int, int, int) { panelDrop.push_back(&s); };
  overOnly.OnDragOver = [&](Widget& s, LPARAM, int, int, int) { childOver.push_back(&s); };
  dropOnly.OnEndDrag = [&](Widget& s, LPARAM, int, int, int) { childDrop.push_back(&s); };

  ::SendMessageW(overOnly.Handle(), WM_DRAGCOLOR_OVER, 2, 1);
  ::SendMessageW(overOnly.Handle(), WM_DRAGCOLOR_DROP, 2, 1);
  ::SendMessageW(dropOnly.Handle(), WM_DRAGCOLOR_OVER, 2, 1);
  ::SendMessageW(dropOnly.Handle(), WM_DRAGCOLOR_DROP, 2, 1);
  EXPECT_EQ(childOver, std::vector<Widget*>{&overOnly});
  EXPECT_EQ(childDrop, std::vector<Widget*>{&dropOnly});
  EXPECT_EQ(panelOver, std::vector<Widget*>{&panel}) << "the move over the drop-only child";
  EXPECT_EQ(panelDrop, std::vector<Widget*>{&panel}) << "the drop on the move-only child";
}

TEST(Panel, EnterLeaveAndWheelEvents) {
  TestForm form;
  TVMNotRefreshPanel panel;
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 50, 50));
  int enters = 0, leaves = 0, wheel = 0;
  Widget* wheelSender = nullptr;
  panel.OnMouseEnter = [&](Widget&) { ++enters; };
  panel.OnMouseLeave = [&](Widget&) { ++leaves; };
  panel.OnMouseWheel = [&](Widget& s, int d) { wheel += d; wheelSender = &s; };
  MouseMove(panel.Handle(), 5, 5);
  MouseMove(panel.Handle(), 6, 5);
  EXPECT_EQ(enters, 1);
  ::SendMessageW(panel.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves, 1);
  MouseMove(panel.Handle(), 6, 6);
  EXPECT_EQ(enters, 2);

  RECT wr = panel.WindowRect();
  ::SendMessageW(panel.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -240), Point(wr.left + 10, wr.top + 10));
  EXPECT_EQ(wheel, -240);
  EXPECT_EQ(wheelSender, &panel);
}

TEST(Panel, BordersAreFilledOnlyInAnotherColour) {
  TestForm form;
  TVMNotRefreshPanel panel;
  panel.SetColor(MakeColor(10, 10, 10));
  panel.SetBorderColor(MakeColor(200, 0, 0));
  panel.SetBorderSize({1, 2, 3, 4});
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 20, 20));
  Rendering r(panel);
  EXPECT_EQ(r.At(0, 10), MakeColor(200, 0, 0));
  EXPECT_EQ(r.At(1, 10), MakeColor(10, 10, 10));
  EXPECT_EQ(r.At(10, 1), MakeColor(200, 0, 0));
  EXPECT_EQ(r.At(10, 2), MakeColor(10, 10, 10));
  EXPECT_EQ(r.At(17, 10), MakeColor(200, 0, 0));
  EXPECT_EQ(r.At(16, 10), MakeColor(10, 10, 10));
  EXPECT_EQ(r.At(10, 16), MakeColor(200, 0, 0));
  EXPECT_EQ(r.At(10, 15), MakeColor(10, 10, 10));

  panel.SetNotRefresh(true);
  Rendering bare(panel);
  EXPECT_EQ(bare.At(10, 10), RGB(1, 2, 3)) << "NotRefresh leaves the background alone";
  EXPECT_EQ(bare.At(0, 10), MakeColor(200, 0, 0));
}

TEST(Panel, CustomAlignmentPlacesTheChildWindows) {
  TestForm form;
  TVMNotRefreshPanel panel;
  panel.SetBorderSize(2);
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 100, 60));
  TVMNotRefreshPanel left, right, centre;
  left.SetCustomAlign(caLeft);
  right.SetCustomAlign(caRight);
  centre.SetCustomAlign(caCenter);
  ASSERT_TRUE(left.Create(panel, 0, 0, 10, 20));
  ASSERT_TRUE(right.Create(panel, 0, 0, 12, 21));
  ASSERT_TRUE(centre.Create(panel, 0, 0, 6, 6));
  auto pos = [](Widget& w) {
    RECT r = w.WindowRect();
    ::MapWindowPoints(nullptr, ::GetParent(w.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return IntRect{r.left, r.top, r.right, r.bottom};
  };
  EXPECT_EQ(pos(left), IntRect::FromSize(2, 2 + (56 - 20) / 2, 10, 20));
  EXPECT_EQ(pos(right), IntRect::FromSize(98 - 12, 2 + (56 - 21) / 2, 12, 21));
  EXPECT_EQ(pos(centre), IntRect::FromSize(12 + (74 - 6) / 2, 2 + 25, 6, 6));

  // Resizing the parent lays the children out again; hiding one frees its room.
  panel.SetSize(120, 60);
  EXPECT_EQ(pos(right).left, 118 - 12);
  left.SetVisible(false);
  EXPECT_EQ(pos(centre).left, 2 + (104 - 6) / 2);
}

TEST(Panel, HintOfTheControlUnderThePointer) {
  TestForm form;
  std::vector<std::string> shown;
  win::SetApplicationHint("");
  win::SetHintHandler([&](const std::string& h) { shown.push_back(h); });
  TVMNotRefreshPanel panel;
  panel.SetHint("Spanel");
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 100, 60));
  TVMLabel own, inherits;
  own.SetHint("C0000FF");
  ASSERT_TRUE(own.Create(panel, 0, 0, 20, 20));
  ASSERT_TRUE(inherits.Create(panel, 30, 0, 20, 20));

  MouseMove(panel.Handle(), 60, 40);
  MouseMove(own.Handle(), 5, 5);
  // The panel's leave arrives after the child's enter: it must not clear the child's hint.
  ::SendMessageW(panel.Handle(), WM_MOUSELEAVE, 0, 0);
  own.SetHint("C00FF00");  // changes while under the pointer
  ::SendMessageW(own.Handle(), WM_MOUSELEAVE, 0, 0);
  MouseMove(inherits.Handle(), 5, 5);
  ::SendMessageW(inherits.Handle(), WM_MOUSELEAVE, 0, 0);
  own.SetHint("Snot shown");  // not under the pointer: no change
  win::SetHintHandler(nullptr);

  std::vector<std::string> expected = {"Spanel", "C0000FF", "C00FF00", "", "Spanel", ""};
  EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace kolo
