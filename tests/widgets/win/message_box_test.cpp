#include "widgets/win/message_box_win.h"
#include "widgets/win/modal_loop.h"

#include <functional>

#include "widget_test_util.h"

namespace kolo::win {
namespace {

using kolo::testing::Point;

// Answers each box with `act` once it shows; records what the box looked like.
class MessageBoxTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetMessageBoxShownHook({});
    SetMessageBoxOwner(nullptr);
  }
  int Show(const std::string& text, MessageKind kind, unsigned buttons, std::function<void(TfrmMessage&)> act) {
    SetMessageBoxShownHook([&, act](TfrmMessage& box) {
      shown = true;
      width = box.ClientWidth();
      title = box.Title();
      label = box.LabelBounds();
      handle = box.Handle();
      exStyle = ::GetWindowLongPtrW(box.Handle(), GWL_EXSTYLE);
      ::GetWindowRect(box.Handle(), &rect);
      order.clear();
      bounds.clear();
      for (const auto& b : box.Buttons()) {
        order.push_back(b.flag);
        bounds.push_back(b.control->Bounds());
      }
      act(box);
    });
    return ShowMessageBox(text, kind, buttons);
  }
  static void Key(TfrmMessage& box, WPARAM key) { ::PostMessageW(box.Handle(), WM_KEYDOWN, key, 0); }
  static void Press(HWND button) {
    // The real pointer goes there too, so a move the system makes up stays inside.
    RECT r;
    ::GetWindowRect(button, &r);
    ::SetCursorPos(r.left + 3, r.top + 3);
    ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    ::PostMessageW(button, WM_LBUTTONUP, 0, Point(3, 3));
  }

  bool shown = false;
  int width = 0;
  std::string title;
  IntRect label;
  HWND handle = nullptr;
  LONG_PTR exStyle = 0;
  RECT rect{};
  std::vector<unsigned> order;
  std::vector<IntRect> bounds;
};

TEST_F(MessageBoxTest, EachButtonAnswersWithItsResult) {
  const std::pair<unsigned, int> cases[] = {{kMbYes, 6}, {kMbNo, 7}, {kMbOk, 1}, {kMbCancel, 2}, {kMbMinimise, 8}};
  for (auto [flag, result] : cases) {
    int got = Show("Pick one", MessageKind::Confirmation, 0x8F,
                   [flag = flag](TfrmMessage& box) { Press(box.ButtonHandle(flag)); });
    EXPECT_EQ(got, result) << "button " << flag;
  }
  EXPECT_EQ(order, (std::vector<unsigned>{kMbYes, kMbNo, kMbOk, kMbCancel, kMbMinimise})) << "left to right";
  EXPECT_FALSE(::IsWindow(handle)) << "the box is gone afterwards";
}

TEST_F(MessageBoxTest, KeysAndTheCloseButton) {
  EXPECT_EQ(Show("Save?", MessageKind::Confirmation, 0x0B, [](TfrmMessage& b) { Key(b, VK_RETURN); }), 6)
      << "Enter answers with the leftmost button";
  EXPECT_EQ(Show("Close?", MessageKind::Confirmation, 0x83, [](TfrmMessage& b) { Key(b, VK_RETURN); }), 6);
  EXPECT_EQ(Show("Minimise?", MessageKind::Warning, kMbMinimise | kMbCancel,
                 [](TfrmMessage& b) { Key(b, VK_RETURN); }), 2);
  EXPECT_EQ(Show("Fine.", MessageKind::Information, kMbOk, [](TfrmMessage& b) { Key(b, VK_ESCAPE); }), 2)
      << "Escape answers 2 without a Cancel button";
  EXPECT_EQ(Show("Close?", MessageKind::Confirmation, 0x83, [](TfrmMessage& b) { Key(b, VK_ESCAPE); }), 2);
  EXPECT_EQ(Show("Fine.", MessageKind::Error, kMbOk, [](TfrmMessage& b) { Press(b.CloseButtonHandle()); }), 2);
  EXPECT_EQ(Show("Fine.", MessageKind::Error, kMbYes | kMbNo,
                 [](TfrmMessage& b) { ::PostMessageW(b.Handle(), WM_CLOSE, 0, 0); }), 2);
  // Keys that reach a button (it has the focus) count the same.
  EXPECT_EQ(Show("Save?", MessageKind::Confirmation, 0x0B,
                 [](TfrmMessage& b) {
                   ::SetFocus(b.ButtonHandle(kMbCancel));
                   ::PostMessageW(b.ButtonHandle(kMbCancel), WM_KEYDOWN, VK_RETURN, 0);
                 }), 6);
}

TEST_F(MessageBoxTest, WidthRules) {
  int okWidth = 0;
  Show("Hi", MessageKind::Information, kMbOk, [&](TfrmMessage& b) {
    okWidth = b.Buttons().front().control->Width();
    Key(b, VK_ESCAPE);
  });
  ASSERT_GT(okWidth, 0);
  EXPECT_GE(width, okWidth + 20) << "a short text: as wide as the button plus 20";
  EXPECT_EQ(bounds.front().left, (width - okWidth) / 2) << "buttons centred";
  const int shortWidth = width;

  std::string longText(120, 'W');
  Show(longText, MessageKind::Information, kMbOk, [](TfrmMessage& b) { Key(b, VK_ESCAPE); });
  EXPECT_GT(width, shortWidth + 200) << "a long text widens it";
  EXPECT_EQ(label.left, 54);
  EXPECT_EQ(width, label.right + 10) << "label right edge + 10";

  Show("Hi", MessageKind::Confirmation, 0x8F, [](TfrmMessage& b) { Key(b, VK_ESCAPE); });
  int total = bounds.back().right - bounds.front().left;
  EXPECT_GE(width, total + 20);
  for (size_t i = 1; i < bounds.size(); ++i) EXPECT_EQ(bounds[i].left, bounds[i - 1].right + 10);
}

TEST_F(MessageBoxTest, KindsGiveTitles) {
  const std::pair<MessageKind, const char*> kinds[] = {{MessageKind::Warning, "Warning"},
                                                      {MessageKind::Error, "Error"},
                                                      {MessageKind::Information, "Information"},
                                                      {MessageKind::Confirmation, "Confirmation"},
                                                      {MessageKind::None, ""}};
  for (auto [kind, expected] : kinds) {
    Show("x", kind, kMbOk, [](TfrmMessage& b) { Key(b, VK_ESCAPE); });
    EXPECT_EQ(title, expected);
  }
  // No buttons at all would leave only Escape: an OK button appears.
  Show("x", MessageKind::None, 0, [](TfrmMessage& b) { Key(b, VK_RETURN); });
  EXPECT_EQ(order, std::vector<unsigned>{kMbOk});
}

TEST_F(MessageBoxTest, ModalOverTheOwnerAndTopmostWithIt) {
  testing::TestForm owner(360, 320);
  bool stayOnTop = false;
  SetMessageBoxOwner(owner.Handle(), [&] { return stayOnTop; });
  bool ownerEnabledDuring = true;
  HWND ownerOfBox = nullptr;
  Show("x", MessageKind::Warning, kMbOk, [&](TfrmMessage& b) {
    ownerEnabledDuring = ::IsWindowEnabled(owner.Handle());
    ownerOfBox = ::GetWindow(b.Handle(), GW_OWNER);
    Key(b, VK_ESCAPE);
  });
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(ownerOfBox, owner.Handle());
  RECT o = owner.WindowRect();
  EXPECT_EQ(rect.left, o.left + ((o.right - o.left) - (rect.right - rect.left)) / 2);
  EXPECT_EQ(rect.top, o.top + ((o.bottom - o.top) - (rect.bottom - rect.top)) / 2);
  EXPECT_FALSE(exStyle & WS_EX_TOPMOST);

  stayOnTop = true;
  Show("x", MessageKind::Warning, kMbOk, [](TfrmMessage& b) { Key(b, VK_ESCAPE); });
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(::GetWindowLongPtrW(owner.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "the owner joins the band";
}

// Every window of the program waits for the answer, and the program's own
// filter (F1, the capture keys) still sees what the box's loop takes.
TEST_F(MessageBoxTest, DisablesEveryProgramWindowAndRunsTheProgramFilter) {
  testing::TestForm owner(360, 320), dialog(200, 100), alreadyDisabled(50, 50);
  ::EnableWindow(alreadyDisabled.Handle(), FALSE);
  SetMessageBoxOwner(owner.Handle());
  std::vector<UINT> filtered;
  SetApplicationMessageFilter([&](const MSG& m) {
    if (m.message == WM_KEYDOWN && m.wParam == VK_F1) filtered.push_back(m.message);
    return false;
  });
  bool ownerDuring = true, dialogDuring = true, boxDuring = false;
  Show("x", MessageKind::Warning, kMbOk, [&](TfrmMessage& b) {
    ownerDuring = ::IsWindowEnabled(owner.Handle());
    dialogDuring = ::IsWindowEnabled(dialog.Handle());
    boxDuring = ::IsWindowEnabled(b.Handle());
    Key(b, VK_F1);
    Key(b, VK_ESCAPE);
  });
  SetApplicationMessageFilter(nullptr);
  EXPECT_FALSE(ownerDuring);
  EXPECT_FALSE(dialogDuring) << "a second window of the program stayed usable under the box";
  EXPECT_TRUE(boxDuring);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  EXPECT_TRUE(::IsWindowEnabled(dialog.Handle()));
  EXPECT_FALSE(::IsWindowEnabled(alreadyDisabled.Handle())) << "a window disabled before stays disabled";
  EXPECT_EQ(filtered.size(), 1u) << "the box's loop skipped the program's filter";
}

TEST_F(MessageBoxTest, TopStripMovesTheWindow) {
  LRESULT top = 0, strip = 0, body = 0;
  Show("x", MessageKind::Warning, kMbOk, [&](TfrmMessage& b) {
    RECT r;
    ::GetWindowRect(b.Handle(), &r);
    top = ::SendMessageW(b.Handle(), WM_NCHITTEST, 0, Point(r.left + 20, r.top + 2));
    POINT p{r.left + 20, r.top + 15};
    HWND under = ::ChildWindowFromPoint(b.Handle(), POINT{20, 15});
    strip = ::SendMessageW(under, WM_NCHITTEST, 0, Point(p.x, p.y));
    body = ::SendMessageW(under, WM_NCHITTEST, 0, Point(r.left + 20, r.top + 16));
    Key(b, VK_ESCAPE);
  });
  EXPECT_EQ(top, HTCAPTION);
  EXPECT_EQ(strip, HTTRANSPARENT) << "row 15 still belongs to the strip";
  EXPECT_EQ(body, HTCLIENT);
}

}  // namespace
}  // namespace kolo::win
