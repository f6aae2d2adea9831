// The font browser in-process: the size and style buttons within their range,
// choosing by key, drawing only the rows in view, where it opens, the flag that
// keeps the closing press from reopening it, and the sample's fall-back family.
#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <memory>

#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "art_ids.h"
#include "fonts/win/font_families.h"
#include "fonts/win/font_preview_form.h"
#include "frame/memory_store.h"
#include "platform/win/gdiplus_session.h"

namespace kolo::win {
namespace {

class FontBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [](bool) -> std::unique_ptr<SettingsStore> { return std::make_unique<MemoryStore>(); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ::ShowWindow(main_.Handle(), SW_SHOW);
    ASSERT_TRUE(form_.Create(main_.Handle(), main_));
    form_.onSampleChanged = [this] { ++sampleRedraws_; };
  }
  void TearDown() override {
    form_.Destroy();
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
  }
  static void Pump(DWORD ms = 0) {
    const DWORD end = ::GetTickCount() + ms;
    do {
      MSG m;
      while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
      if (ms) ::Sleep(5);
    } while (ms && static_cast<int>(end - ::GetTickCount()) > 0);
  }
  RECT PanelAt(int left, int top) { return RECT{left, top, left + 82, top + 19}; }
  HWND Rows() { return ::GetWindow(form_.fontList.Handle(), GW_CHILD); }

  TfrmMain main_;
  TfrmFontPreview form_;
  int sampleRedraws_ = 0;
};

TEST_F(FontBrowserTest, SizeAndStyleButtonsStayInRangeAndShowTheirState) {
  main_.Options().fontSize = 21;
  form_.ShowFontBrowser(PanelAt(100, 100));
  form_.but1.Click();
  EXPECT_EQ(main_.Options().fontSize, 22);
  EXPECT_FALSE(form_.but1.Enabled());
  form_.but1.Click();
  EXPECT_EQ(main_.Options().fontSize, 22);
  EXPECT_EQ(form_.fontList.FontSize(), 22);
  main_.Options().fontSize = 6;
  form_.but2.Click();
  form_.but2.Click();
  EXPECT_EQ(main_.Options().fontSize, 5);
  EXPECT_TRUE(form_.but1.Enabled());

  form_.but3.Click();
  form_.but5.Click();
  EXPECT_TRUE(main_.Options().fontBold);
  EXPECT_TRUE(main_.Options().fontUnderline);
  EXPECT_FALSE(main_.Options().fontItalic);
  EXPECT_TRUE(form_.fontList.FontIsBold());
  EXPECT_EQ(form_.but3.ImageListID().Normal, art::kFontImgBoldOn);
  EXPECT_EQ(form_.but4.ImageListID().Normal, art::kFontImgItalicNormal);
  form_.but3.Click();
  EXPECT_EQ(form_.but3.ImageListID().Normal, art::kFontImgBoldNormal);
  EXPECT_EQ(sampleRedraws_, 6);  // on opening, then once for each press that changed something
}

TEST_F(FontBrowserTest, KeysMoveTheHighlightAndEnterOrEscapeChoose) {
  ASSERT_GE(InstalledFontFamilies().size(), 3u);
  form_.ShowFontBrowser(PanelAt(100, 100));
  const std::vector<std::string> names = form_.fontList.Names();
  main_.Options().fontName = "Arial";
  ::SendMessageW(Rows(), WM_KEYDOWN, VK_HOME, 0);
  ::SendMessageW(Rows(), WM_KEYDOWN, VK_DOWN, 0);
  ::SendMessageW(Rows(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form_.fontList.ItemIndex(), 2);
  ::SendMessageW(Rows(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(main_.Options().fontName, names[2]);
  EXPECT_FALSE(::IsWindowVisible(form_.Handle()));

  // Escape keeps the last choice, whatever is highlighted.
  form_.ShowFontBrowser(PanelAt(100, 100));
  EXPECT_EQ(form_.fontList.ItemIndex(), 2);  // opened on the current family
  ::SendMessageW(Rows(), WM_KEYDOWN, VK_UP, 0);
  ::SendMessageW(Rows(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(main_.Options().fontName, names[2]);
  EXPECT_FALSE(::IsWindowVisible(form_.Handle()));
}

TEST_F(FontBrowserTest, AThousandFamiliesDrawOnlyTheRowsInView) {
  form_.ShowFontBrowser(PanelAt(100, 100));
  std::vector<std::string> names;
  for (int i = 0; i < 1000; ++i) names.push_back(i % 2 ? "Tahoma" : "Courier New");
  form_.fontList.SetNames(names);
  ::UpdateWindow(Rows());
  const int before = form_.fontList.FacesBuilt();
  ::RedrawWindow(Rows(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // 176 pixels of 22-pixel rows: nine rows, the faces of the first paint reused.
  EXPECT_LE(before, 9);
  EXPECT_EQ(form_.fontList.FacesBuilt(), before);
  form_.VMScrollImage2.WheelBy(-120 * 3);
  ::RedrawWindow(Rows(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(form_.fontList.Position(), 66);
  EXPECT_LE(form_.fontList.FacesBuilt(), before + 3);
}

TEST_F(FontBrowserTest, OpensUnderThePanelOrAboveItNearTheBottom) {
  form_.ShowFontBrowser(PanelAt(100, 100));
  RECT r = form_.WindowRect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 117);
  EXPECT_FALSE(form_.OpenedAbove());
  const int bottom = ::GetSystemMetrics(SM_CYSCREEN);
  form_.ShowFontBrowser(PanelAt(100, bottom - 40));
  r = form_.WindowRect();
  EXPECT_TRUE(form_.OpenedAbove());
  EXPECT_EQ(r.bottom, bottom - 40 + 2);
}

TEST_F(FontBrowserTest, TheCloseByDeactivationKeepsItShowingForAMoment) {
  form_.ShowFontBrowser(PanelAt(100, 100));
  EXPECT_TRUE(form_.IsShowing());
  ::SendMessageW(form_.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(::IsWindowVisible(form_.Handle()));
  EXPECT_TRUE(form_.IsShowing());  // the press that took the activation must not reopen it
  Pump(250);
  EXPECT_FALSE(form_.IsShowing());
}

TEST_F(FontBrowserTest, TheSampleFallsBackToArialWhenItsFamilyIsMissing) {
  ASSERT_TRUE(main_.colorArea);
  main_.Options().fontName = "No Such Family 4711";
  main_.colorArea->RefreshFontSample();
  EXPECT_EQ(main_.Options().fontName, "Arial");
  EXPECT_EQ(main_.colorArea->fonPreview.Text(), L"Arial");
  EXPECT_TRUE(FontFamilyInstalled("Tahoma"));
  EXPECT_FALSE(FontFamilyInstalled("No Such Family 4711"));

  // A family uninstalled while the program runs: the system's font change is heard.
  main_.Options().fontName = "Tahoma";
  main_.colorArea->RefreshFontSample();
  EXPECT_EQ(main_.Options().fontName, "Tahoma");
  main_.colorArea->fontInstalled = [](const std::string& name) { return name != "Tahoma"; };
  ::SendMessageW(main_.Handle(), WM_FONTCHANGE, 0, 0);
  EXPECT_EQ(main_.Options().fontName, "Arial");
}

TEST(FontFamiliesTest, TheListHoldsTheFamiliesGdiplusOffers) {
  ASSERT_TRUE(EnsureGdiplus());
  Gdiplus::InstalledFontCollection installed;
  std::vector<Gdiplus::FontFamily> families(static_cast<size_t>(installed.GetFamilyCount()));
  INT found = 0;
  installed.GetFamilies(static_cast<INT>(families.size()), families.data(), &found);
  std::vector<std::string> expected;
  for (INT i = 0; i < found; ++i) {
    WCHAR name[LF_FACESIZE] = {};
    families[static_cast<size_t>(i)].GetFamilyName(name, LANG_NEUTRAL);
    expected.push_back(Narrow(name));
  }
  std::vector<std::string> listed = InstalledFontFamilies();
  ASSERT_FALSE(listed.empty());
  std::sort(expected.begin(), expected.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace kolo::win
