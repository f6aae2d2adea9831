// The main window's chrome: moving band, small mode, stay on top, tray, clipboard chain, help.
#include <gtest/gtest.h>

#include <memory>

#include "frame/memory_store.h"
#include "widgets/win/forms.h"
#include "app/win/main_window.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/popup_menu.h"
#include "widgets/win/secondary_form.h"

namespace kolo::win {
namespace {

class ChromeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) -> std::unique_ptr<SettingsStore> {
      ++opens_;
      return std::make_unique<MemoryStore>();
    };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ::SetWindowPos(main_.Handle(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(main_.Handle(), SW_SHOW);
    Pump();
  }
  void TearDown() override {
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
    Pump();
  }
  static void Pump() {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
  }
  RECT Rect() const { return main_.WindowRect(); }

  int opens_ = 0;
  TfrmMain main_;
};

TEST_F(ChromeTest, TheTopSixteenPixelsMoveTheWindow) {
  RECT r = Rect();
  auto hit = [&](int dy) {
    return ::SendMessageW(main_.Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 200, r.top + dy));
  };
  EXPECT_EQ(hit(0), HTCAPTION);
  EXPECT_EQ(hit(15), HTCAPTION);
  EXPECT_EQ(hit(16), HTCLIENT);
  EXPECT_EQ(hit(17), HTCLIENT);
  EXPECT_EQ(hit(100), HTCLIENT);
}

TEST_F(ChromeTest, SmallModeKeepsTheRightEdgeAndComesBackExactly) {
  const RECT full = Rect();
  main_.ToggleSmallMode();
  RECT small = Rect();
  EXPECT_EQ(small.right - small.left, 100);
  EXPECT_EQ(small.bottom - small.top, 15);
  EXPECT_EQ(small.right, full.right);
  EXPECT_EQ(small.top, full.top);
  EXPECT_FALSE(::IsWindowVisible(main_.TabButtonAt(0).Handle()));
  main_.ToggleSmallMode();
  RECT back = Rect();
  EXPECT_TRUE(::EqualRect(&back, &full));
  EXPECT_TRUE(::IsWindowVisible(main_.TabButtonAt(6).Handle()));
  // A double click on the caption strip toggles it too.
  ::SendMessageW(main_.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_TRUE(main_.SmallMode());
  // In small mode hints leave the caption alone; only a reset shows.
  main_.OnApplicationHint("Sclose");
  EXPECT_EQ(main_.Caption(), L"Kolo");
  main_.SetSmallMode(false);
  back = Rect();
  EXPECT_TRUE(::EqualRect(&back, &full));
}

TEST_F(ChromeTest, StayOnTopChangesTheBandOnly) {
  const RECT before = Rect();
  main_.ToggleStayOnTop();
  EXPECT_TRUE(::GetWindowLongW(main_.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT after = Rect();
  EXPECT_TRUE(::EqualRect(&before, &after));
  main_.ToggleStayOnTop();
  EXPECT_FALSE(::GetWindowLongW(main_.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ChromeTest, TrayHidesSavesAndAClickRestoresFullSize) {
  main_.ToggleSmallMode();
  const int opensBefore = opens_;
  main_.MinimiseToTray();
  EXPECT_GT(opens_, opensBefore);  // settings saved at that moment
  if (!main_.TrayIconShown()) {
    // No notification area: the window must stay reachable.
    EXPECT_TRUE(main_.IsVisible());
    return;
  }
  EXPECT_FALSE(main_.IsVisible());
  ::SendMessageW(main_.Handle(), WM_TRAYNOTIFY, 1, WM_MOUSEMOVE);
  EXPECT_FALSE(main_.IsVisible());
  ::SendMessageW(main_.Handle(), WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
  EXPECT_TRUE(main_.IsVisible());
  EXPECT_FALSE(main_.SmallMode());
  EXPECT_FALSE(main_.TrayIconShown());
  RECT r = Rect();
  EXPECT_EQ(r.right - r.left, 364);
}

// Closing from the tray and answering "Minimise" keeps the program in the tray
// with one icon, instead of a window back on screen next to a stale icon.
TEST_F(ChromeTest, MinimiseAnsweredWhileInTheTrayStaysInTheTray) {
  main_.Options().confirmClose = true;
  main_.MinimiseToTray();
  if (!main_.TrayIconShown()) GTEST_SKIP() << "no notification area here";
  SetMessageBoxShownHook([](TfrmMessage& box) { box.Close(kMrMinimise); });
  ::SendMessageW(main_.Handle(), WM_CLOSE, 0, 0);
  SetMessageBoxShownHook({});
  EXPECT_FALSE(main_.IsVisible());
  EXPECT_TRUE(main_.TrayIconShown());
  ::SendMessageW(main_.Handle(), WM_TRAYNOTIFY, 1, WM_LBUTTONUP);
  EXPECT_TRUE(main_.IsVisible());
  EXPECT_FALSE(main_.TrayIconShown());
}

// Losing the activation to another program hides the pop-ups, and only those.
TEST_F(ChromeTest, DeactivationHidesThePopups) {
  TSecondaryForm fonts(SecondaryForm::FontPreview, L"KoloTestFonts"), slider(SecondaryForm::ColorPrev, L"KoloTestSlider"),
      layouts(SecondaryForm::Preview, L"KoloTestLayouts"), about(SecondaryForm::About, L"KoloTestAbout");
  for (TSecondaryForm* f : {&fonts, &slider, &layouts, &about}) {
    ASSERT_TRUE(f->Create(main_.Handle(), 50, 50));
    ::ShowWindow(f->Handle(), SW_SHOWNOACTIVATE);
  }
  int told = 0;
  main_.OnProgramDeactivated([&] { ++told; });
  ::SendMessageW(main_.Handle(), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_TRUE(fonts.IsVisible());
  ::SendMessageW(main_.Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(fonts.IsVisible());
  EXPECT_FALSE(slider.IsVisible());
  EXPECT_FALSE(layouts.IsVisible());
  EXPECT_TRUE(about.IsVisible()) << "a dialog is not a pop-up";
  EXPECT_EQ(told, 1);
  for (TSecondaryForm* f : {&fonts, &slider, &layouts, &about}) ::DestroyWindow(f->Handle());
}

TEST_F(ChromeTest, EscapeInTheActiveMainWindowHidesIt) {
  ::SetActiveWindow(main_.Handle());
  if (::GetActiveWindow() != main_.Handle()) GTEST_SKIP() << "the test process could not activate its window";
  MSG m{};
  m.hwnd = main_.Handle();
  m.message = WM_KEYDOWN;
  m.wParam = VK_ESCAPE;
  const int opensBefore = opens_;
  EXPECT_FALSE(main_.FilterMessage(m));
  EXPECT_GT(opens_, opensBefore);
  EXPECT_EQ(main_.IsVisible(), !main_.TrayIconShown());
}

// A window that records what reaches it.
class Recorder {
 public:
  Recorder() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KoloTestRecorder";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(0, L"KoloTestRecorder", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Recorder() { ::DestroyWindow(hwnd); }
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (auto* self = reinterpret_cast<Recorder*>(::GetWindowLongPtrW(h, GWLP_USERDATA))) {
      if (m == WM_CHANGECBCHAIN) self->changes.push_back({w, l});
      if (m == WM_DRAWCLIPBOARD) ++self->draws;
    }
    return ::DefWindowProcW(h, m, w, l);
  }
  HWND hwnd;
  std::vector<std::pair<WPARAM, LPARAM>> changes;
  int draws = 0;
};

TEST_F(ChromeTest, ClipboardChainMessagesArePassedOn) {
  Recorder next, other;
  int changes = 0;
  main_.onClipboardChange = [&] { ++changes; };
  // Make `next` the window after Kolo by telling Kolo its next viewer went away.
  ::SendMessageW(main_.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(main_.NextViewer()),
                 reinterpret_cast<LPARAM>(next.hwnd));
  EXPECT_EQ(main_.NextViewer(), next.hwnd);
  ::SendMessageW(main_.Handle(), WM_DRAWCLIPBOARD, 0, 0);
  EXPECT_EQ(next.draws, 1);
  EXPECT_EQ(changes, 1);
  // Another window leaving the chain: passed on unchanged.
  ::SendMessageW(main_.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(other.hwnd), 1234);
  ASSERT_EQ(next.changes.size(), 1u);
  EXPECT_EQ(next.changes[0].first, reinterpret_cast<WPARAM>(other.hwnd));
  EXPECT_EQ(next.changes[0].second, 1234);
  // Our next viewer leaving with none after it: nothing to forward to, and no crash.
  ::SendMessageW(main_.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(next.hwnd), 0);
  EXPECT_EQ(main_.NextViewer(), nullptr);
  ::SendMessageW(main_.Handle(), WM_DRAWCLIPBOARD, 0, 0);
  ::SendMessageW(main_.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(other.hwnd), 0);
  EXPECT_EQ(changes, 2);
}

TEST_F(ChromeTest, TheWindowMenuOffersOptionsHelpAndAbout) {
  int asked = 0;
  bool optionsEnabled = true;
  TPopupMenu::SetShownHook([&](HMENU) {
    optionsEnabled = main_.mainPopupMenu.Enabled(TfrmMain::mmOptions);
    return 0;  // dismissed
  });
  RECT r = Rect();
  ::SendMessageW(main_.Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(r.left + 200, r.top + 5));
  EXPECT_TRUE(optionsEnabled);  // acOptions is always there
  main_.onOptions = [&] { ++asked; };
  TPopupMenu::SetShownHook([&](HMENU) {
    optionsEnabled = main_.mainPopupMenu.Enabled(TfrmMain::mmOptions);
    return static_cast<int>(TfrmMain::mmOptions);
  });
  ::SendMessageW(main_.Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(r.left + 200, r.top + 5));
  TPopupMenu::SetShownHook(nullptr);
  EXPECT_TRUE(optionsEnabled);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(main_.mainPopupMenu.Count(), 4);
  EXPECT_EQ(main_.mainPopupMenu.Caption(TfrmMain::mmOptions), "Options...");
  EXPECT_EQ(main_.mainPopupMenu.Caption(TfrmMain::mmAbout), "About...");
}

TEST_F(ChromeTest, HelpPageFollowsTheTabAndTheOptionsDialog) {
  EXPECT_NE(main_.HelpUrl().find("/kolo/?cl=en&m=manual&s=colorpicker"), std::string::npos);
  main_.currentTab = 5;
  EXPECT_NE(main_.HelpUrl().find("&s=imagesfromscreen"), std::string::npos);
  HWND options = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 5, 5, nullptr, nullptr,
                                   nullptr, nullptr);
  RegisterForm(SecondaryForm::Property, options);
  EXPECT_NE(main_.HelpUrl().find("&s=options"), std::string::npos);
  ::DestroyWindow(options);
  RegisterForm(SecondaryForm::Property, nullptr);
}

}  // namespace
}  // namespace kolo::win
