// The tab frame of the main window, driven in-process.
#include "app/win/main_window.h"

#include <gtest/gtest.h>

#include "frame/shared_store.h"

#include <memory>
#include <string>
#include <vector>

#include "frame/memory_store.h"
#include "frame/win/image_panel.h"
#include "widgets/win/message_box_win.h"
#include "platform/win/hints.h"
#include "platform/win/ui_scale.h"
#include "widgets/win/secondary_form.h"
#include "app/win/color_area.h"

namespace kolo::win {
namespace {

using kolo::testing::SharedStore;

// A tab that writes down what the main window asks of it.
class RecordingTab : public TBaseTab {
 public:
  RecordingTab(TfrmMain& main, std::vector<std::string>& log, int id) : TBaseTab(main), log_(log), id_(id) {}
  void Activate() override { Note("Activate"); }
  void Deactivate() override { Note("Deactivate"); }
  void Repaint(bool quick) override { Note(quick ? "Repaint(quick)" : "Repaint(full)"); }
  void UpdateEdits() override { Note("UpdateEdits"); }
  void ReadCurrentColor() override { Note("ReadCurrentColor"); }
  void SaveSettings(SettingsStore&) override { Note("SaveSettings"); }
  TColor ColorAt(int x, int y) override { return x < 128 ? colorLeft : clEmptyColor; }
  TColor colorLeft = 0x123456;

 private:
  void Note(const std::string& what) { log_.push_back(std::to_string(id_) + ":" + what); }
  std::vector<std::string>& log_;
  int id_;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<SharedStore>(store_); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    // Any box the window shows is answered at once and remembered.
    SetMessageBoxShownHook([this](TfrmMessage& box) {
      boxes_.push_back(box.Text());
      box.Close(kMrOk);
    });
    for (int i = 0; i < 7; ++i) main_.SetTab(i, std::make_unique<RecordingTab>(main_, log_, i));
    log_.clear();
  }
  void TearDown() override {
    SetMessageBoxShownHook(nullptr);
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
  }
  RecordingTab& Tab(int i) { return static_cast<RecordingTab&>(*main_.Tab(i)); }

  MemoryStore store_;
  std::vector<std::string> log_;
  std::vector<std::string> boxes_;
  TfrmMain main_;
};

TEST_F(MainWindowTest, WindowIsBorderlessWithTheFixedClientArea) {
  RECT c;
  ::GetClientRect(main_.Handle(), &c);
  EXPECT_EQ(c.right, 364);
  EXPECT_EQ(c.bottom, 320);
  wchar_t cls[32], title[32];
  ::GetClassNameW(main_.Handle(), cls, 32);
  ::GetWindowTextW(main_.Handle(), title, 32);
  EXPECT_STREQ(cls, L"TfrmMain");
  EXPECT_STREQ(title, L"Kolo");
  EXPECT_FALSE(::GetWindowLongW(main_.Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
}

// Every window of the program, as (window, place in its parent) in device pixels.
std::vector<std::pair<HWND, RECT>> Places(HWND top) {
  std::vector<std::pair<HWND, RECT>> places;
  ::EnumChildWindows(
      top,
      [](HWND h, LPARAM data) {
        RECT r{};
        ::GetWindowRect(h, &r);
        ::MapWindowPoints(nullptr, ::GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        reinterpret_cast<std::vector<std::pair<HWND, RECT>>*>(data)->push_back({h, r});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&places));
  return places;
}

int FontHeight(HWND control) {
  LOGFONTW lf{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  return lf.lfHeight;
}

TEST_F(MainWindowTest, AMonitorOfAnotherDensityRedrawsEveryWindowAtItsFactorAndBack) {
  const auto before = Places(main_.Handle());
  HWND edit = main_.colorArea->SlotControls(0).panEditCol.edit;
  ASSERT_TRUE(edit);
  const int fontBefore = FontHeight(edit);
  const IntRect pagerBounds = main_.ImagePager.Bounds();
  TSecondaryForm hidden(SecondaryForm::About, L"KoloHiddenForm");  // a dialog not shown now
  ASSERT_TRUE(hidden.Create(main_.Handle(), 100, 50));

  RECT suggested{300, 200, 300 + 728, 200 + 640};
  ::SendMessageW(main_.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(UiScale(), 2);
  RECT w{};
  ::GetWindowRect(main_.Handle(), &w);
  EXPECT_EQ(w.left, 300);
  EXPECT_EQ(w.top, 200);
  EXPECT_EQ(w.right - w.left, 728);
  EXPECT_EQ(w.bottom - w.top, 640);
  const auto doubled = Places(main_.Handle());
  ASSERT_EQ(doubled.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    const RECT& a = before[i].second;
    const RECT& b = doubled[i].second;
    EXPECT_TRUE(b.left == 2 * a.left && b.top == 2 * a.top && b.right == 2 * a.right && b.bottom == 2 * a.bottom)
        << "window " << i << " is at " << b.left << "," << b.top << "-" << b.right << "," << b.bottom;
  }
  EXPECT_EQ(FontHeight(edit), 2 * fontBefore);
  EXPECT_EQ(main_.ImagePager.Bounds(), pagerBounds);  // controls keep their logical places
  EXPECT_FALSE(::IsWindowVisible(hidden.Handle())) << "a hidden window stays hidden";
  const RECT hr = hidden.WindowRect();
  EXPECT_EQ(hr.right - hr.left, 200);

  ::SendMessageW(main_.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(UiScale(), 1);
  const auto back = Places(main_.Handle());
  ASSERT_EQ(back.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(::EqualRect(&back[i].second, &before[i].second)) << i;
  EXPECT_EQ(FontHeight(edit), fontBefore);
}

TEST_F(MainWindowTest, SwitchingSavesBeforeActivatingAndDisablesOnlyTheCurrentButton) {
  main_.onSaved = [this] { log_.push_back("saved"); };
  main_.ClickTabButton(3);
  const std::vector<std::string> expected = {"0:Deactivate", "0:SaveSettings", "1:SaveSettings", "2:SaveSettings",
                                             "3:SaveSettings", "4:SaveSettings", "5:SaveSettings",
                                             "6:SaveSettings", "saved", "3:Activate"};
  EXPECT_EQ(log_, expected);
  EXPECT_EQ(main_.currentTab, 3);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(main_.TabButtonAt(i).Enabled(), i != 3) << i;
  // The stored page follows the switch.
  EXPECT_EQ(store_.ReadInteger("crntPage"), 3);
  // The current tab's button is disabled: clicking it does nothing.
  log_.clear();
  main_.ClickTabButton(3);
  EXPECT_TRUE(log_.empty());
}

TEST_F(MainWindowTest, RefreshCallsTheTabPerFlag) {
  main_.RefreshColors(0x20);
  EXPECT_EQ(log_, std::vector<std::string>{"0:Repaint(quick)"});
  log_.clear();
  main_.RefreshColors(0x43);
  EXPECT_EQ(log_, (std::vector<std::string>{"0:ReadCurrentColor", "0:Repaint(full)", "0:UpdateEdits"}));
  log_.clear();
  int slotRefreshes = 0, rewrites = 0, fontRefreshes = 0;
  main_.onSlotsRefresh = [&](bool rewrite) { ++slotRefreshes; rewrites += rewrite; };
  main_.onFontSampleRefresh = [&] { ++fontRefreshes; };
  main_.RefreshColors(0x37);
  EXPECT_EQ(log_, (std::vector<std::string>{"0:Repaint(full)", "0:UpdateEdits"}));
  EXPECT_EQ(slotRefreshes, 1);
  EXPECT_EQ(rewrites, 1);
  EXPECT_EQ(fontRefreshes, 1);
  main_.RefreshColors(0x08);
  EXPECT_EQ(slotRefreshes, 2);
  EXPECT_EQ(rewrites, 1);  // 0x08 alone leaves the current edit alone
}

TEST_F(MainWindowTest, ThreePixelsIsAClickFourPixelsIsADrag) {
  main_.currentSlot = 1;
  main_.Slot(1) = 0;
  TBaseTab& tab = *main_.Tab(0);
  tab.MouseDown(MouseButton::Left, ssLeft, 10, 10);
  tab.MouseMove(ssLeft, 13, 13);
  EXPECT_FALSE(main_.colorDragging);
  tab.MouseUp(MouseButton::Left, 0, 13, 13);
  EXPECT_EQ(main_.Slot(1), 0x123456u);

  main_.Slot(1) = 0;
  tab.MouseDown(MouseButton::Left, ssLeft, 10, 10);
  tab.MouseMove(ssLeft, 14, 10);
  EXPECT_TRUE(main_.colorDragging);
  EXPECT_EQ(main_.DraggedColor(), 0x123456u);
  tab.MouseUp(MouseButton::Left, 0, 14, 10);
  EXPECT_FALSE(main_.colorDragging);
  EXPECT_EQ(main_.Slot(1), 0u);  // a drag does not pick

  // No colour under the press: neither a pick nor a drag.
  tab.MouseDown(MouseButton::Left, ssLeft, 200, 10);
  tab.MouseMove(ssLeft, 210, 10);
  EXPECT_FALSE(main_.colorDragging);
  tab.MouseUp(MouseButton::Left, 0, 210, 10);
  EXPECT_EQ(main_.Slot(1), 0u);
  // A right press never picks.
  tab.MouseDown(MouseButton::Right, ssRight, 10, 10);
  tab.MouseUp(MouseButton::Right, 0, 10, 10);
  EXPECT_EQ(main_.Slot(1), 0u);

  // A drag out of the main image that loses the mouse is over: its release neither drops nor picks.
  HWND img = main_.imgMain.Handle();
  ::SendMessageW(img, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ::SendMessageW(img, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(14, 10));
  ASSERT_TRUE(main_.colorDragging);
  ::SendMessageW(img, WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(main_.colorDragging);
  ::SendMessageW(img, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(main_.Slot(1), 0u);
}

TEST_F(MainWindowTest, HoverHintsReachTheCaption) {
  main_.Tab(0)->MouseMove(0, 5, 5);
  EXPECT_EQ(main_.imgMain.Hint(), "C123456");
  // The TColor 0x123456 has red 0x56: the default format writes it as RRGGBB.
  main_.OnApplicationHint("C123456");
  EXPECT_EQ(main_.Caption(), L"Kolo [563412]");
  main_.colorFormatter = [](TColor c) { return "#" + std::to_string(c & 0xFF); };
  main_.OnApplicationHint("C000010");
  EXPECT_EQ(main_.Caption(), L"Kolo [#16]");
  main_.OnApplicationHint("Smix colors");
  EXPECT_EQ(main_.Caption(), L"Kolo [mix colors]");
  main_.Options().viewHint = false;
  main_.OnApplicationHint("Sclose");
  EXPECT_EQ(main_.Caption(), L"Kolo [mix colors]");
  main_.OnApplicationHint("");
  EXPECT_EQ(main_.Caption(), L"Kolo");
  main_.Tab(0)->MouseMove(0, 200, 5);  // nothing there: the hint is cleared
  EXPECT_EQ(main_.imgMain.Hint(), "");
}

TEST_F(MainWindowTest, CaptureModesNeedTheHookLibrary) {
  // Loaded without the library: a mode must not start, and nothing breaks.
  EXPECT_FALSE(main_.BeginCapture(CaptureMode::ScreenPick));
  EXPECT_EQ(main_.captureMode, CaptureMode::None);
  // ... and the user is told why.
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("kolod.dll"), std::string::npos);
  main_.Tab(0)->PickTransparentColor();
  EXPECT_EQ(main_.captureMode, CaptureMode::None);
  // Hook events outside a mode are ignored.
  main_.HandleHookEvent(1, 0);
  EXPECT_EQ(main_.captureMode, CaptureMode::None);
}

TEST_F(MainWindowTest, SizeEditsTakeDigitsOnly) {
  HWND edit = main_.ImageBottomTab().edWidthImage;
  ::SetWindowTextW(edit, L"");
  for (wchar_t ch : std::wstring(L"1a2-3 ")) ::SendMessageW(edit, WM_CHAR, ch, 0);
  wchar_t buf[16];
  ::GetWindowTextW(edit, buf, 16);
  EXPECT_STREQ(buf, L"123");
}

}  // namespace
}  // namespace kolo::win
