// The colour area inside the real main window: the refresh flags reach it, the
// palette strip follows the current colour it sets, the sample text edit
// closes when the main image or the palette commands are used, and a colour
// dragged out of a slot lands in the palette strip.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../../widgets/win/widget_test_util.h"
#include "frame/main_layout.h"
#include "frame/memory_store.h"
#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "palette/win/palette_strip.h"
#include "tools/win/get_color_tab.h"

namespace kolo::win {
namespace {

using namespace kolo::testing;

class ColorAreaInMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<MemoryStore>(); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ASSERT_NE(main_.colorArea, nullptr);
    ASSERT_NE(main_.paletteStrip, nullptr);
    area().clipboardText = [this] { return clipboard_; };
  }
  void TearDown() override {
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
    Pump();
  }
  TColorArea& area() { return *main_.colorArea; }
  TKOLColorList& list() { return main_.paletteStrip->ColorList; }
  std::string EditText(int slot) {
    wchar_t buf[16] = {};
    ::GetWindowTextW(area().SlotControls(slot).edColor, buf, 16);
    return Narrow(buf);
  }

  TfrmMain main_;
  std::optional<std::string> clipboard_;
};

TEST_F(ColorAreaInMainWindowTest, SitsInTheRightHandColumnAboveTheSmallPreview) {
  RECT r = area().SlotControls(0).pnlColor.WindowRect();
  ::MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, layout::kRightPager.x + layout::SlotFrame(0).x);
  EXPECT_EQ(r.top, layout::kRightPager.y + layout::SlotFrame(0).y);
  RECT p = area().PreviewImg.WindowRect();
  ::MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&p), 2);
  EXPECT_EQ(p.right - p.left, 80);
  EXPECT_EQ(p.bottom - p.top, 40);
  RECT s = main_.smallPreview.WindowRect();
  ::MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&s), 2);
  EXPECT_LE(p.bottom, s.top);
  EXPECT_LE(p.bottom, layout::kRightPager.y + layout::kColorAreaBottom);
  // The screen colour tab's page starts below it.
  RECT page = main_.pages.getColorTab.WindowRect();
  ::MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&page), 2);
  EXPECT_GE(page.top, p.bottom);
  EXPECT_EQ(area().ShownPreviewId(), 33);
}

TEST_F(ColorAreaInMainWindowTest, RefreshFlagsReachTheSlotsAndThePictures) {
  main_.currentSlot = 1;
  main_.RefreshColors(0x77);
  main_.Slot(0) = 0x0000FF;
  main_.Slot(1) = 0x00FF00;
  main_.RefreshColors(0x20);
  EXPECT_EQ(EditText(0), "FFFFFF") << "0x20 touches no slot";
  main_.RefreshColors(0x08);
  EXPECT_EQ(EditText(0), "FF0000");
  EXPECT_EQ(EditText(1), "000000") << "0x08 leaves the current slot's edit";
  EXPECT_EQ(area().SwatchColor(1), 0x00FF00u);
  main_.RefreshColors(0x04);
  EXPECT_EQ(EditText(1), "00FF00");
  main_.Options().fontText = "Sample";
  main_.RefreshColors(0x08);
  EXPECT_NE(area().fonPreview.Text(), L"Sample");
  main_.RefreshColors(0x10);
  EXPECT_EQ(area().fonPreview.Text(), L"Sample");
  EXPECT_EQ(area().fonPreview.Background(), 0x00FF00u);
}

TEST_F(ColorAreaInMainWindowTest, AStripCellInViewFollowsWhatTheSlotsDo) {
  // Pasting into the selected slot rewrites the selected cell.
  list().SetItemIndex(20);
  clipboard_ = "#102030";
  ASSERT_TRUE(area().PasteColor());
  EXPECT_EQ(list().Cell(20), 0x302010u);
  EXPECT_EQ(list().ItemIndex(), 20);

  // A swap changes the current colour too; the cell follows again.
  area().SwapClick(1);
  EXPECT_EQ(main_.currentSlot, 1);
  EXPECT_EQ(list().Cell(20), 0x302010u) << "the selection moved with its colour";
  main_.currentSlot = 0;
  area().SelectSlot(0);
  EXPECT_EQ(list().Cell(20), main_.Slot(0));

  // Rows shown are T, T+1 and the first cell of T+2; outside them the selection drops.
  for (int i : {15, 48, 49}) list().SetCell(i, 0x010203);
  list().SetTopRow(1);
  list().SetItemIndex(48);  // the first cell of row 3
  area().SelectSlot(2);
  EXPECT_EQ(list().Cell(48), main_.Slot(2));
  list().SetItemIndex(49);
  const TColor before49 = list().Cell(49);
  area().SelectSlot(3);
  EXPECT_EQ(list().ItemIndex(), -1);
  EXPECT_EQ(list().Cell(49), before49);
  list().SetItemIndex(15);  // row 0, above the shown ones
  const TColor before15 = list().Cell(15);
  area().SelectSlot(0);
  EXPECT_EQ(list().ItemIndex(), -1);
  EXPECT_EQ(list().Cell(15), before15);

  // Typing refreshes with 0x73: no slot flag, so the strip does not follow.
  list().SetTopRow(0);
  list().SetCell(3, 0x010203);
  list().SetItemIndex(3);
  const TColor before3 = list().Cell(3);
  HWND edit = area().SlotControls(0).edColor;
  ::SetWindowTextW(edit, L"");
  ::SendMessageW(edit, WM_CHAR, 'F', 0);
  ::SendMessageW(edit, WM_KEYUP, 'F', 0xC0000001);
  EXPECT_EQ(main_.Slot(0), 0x0F0000u);
  EXPECT_EQ(list().Cell(3), before3);
}

TEST_F(ColorAreaInMainWindowTest, TheMainImageAndThePaletteCommandsCloseTheTextEdit) {
  main_.Options().fontText = "One";
  area().acEditText.Execute();
  ::SetWindowTextW(area().panFontText.edit, L"Two");
  ::SendMessageW(main_.imgMain.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 10));
  ::SendMessageW(main_.imgMain.Handle(), WM_LBUTTONUP, 0, Point(10, 10));
  EXPECT_FALSE(area().TextEditOpen());
  EXPECT_EQ(main_.Options().fontText, "Two");

  area().acEditText.Execute();
  ::SetWindowTextW(area().panFontText.edit, L"Three");
  main_.paletteStrip->fileDialog = [](HWND, const FileDialogRequest&) { return std::optional<FileDialogAnswer>(); };
  main_.paletteStrip->acOpenPalette.Execute();
  EXPECT_FALSE(area().TextEditOpen());
  EXPECT_EQ(main_.Options().fontText, "Three");
}

TEST_F(ColorAreaInMainWindowTest, AColourDraggedOutOfASlotLandsInThePaletteStrip) {
  ::SetWindowPos(main_.Handle(), HWND_TOPMOST, 30, 30, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Pump();
  main_.Slot(2) = 0x00AA55;
  main_.RefreshColors(0x37);
  HWND swatch = area().SlotControls(2).color.Handle();
  POINT press{8, 8};
  ::ClientToScreen(swatch, &press);
  ASSERT_TRUE(::SetCursorPos(press.x, press.y));
  LeftDown(swatch, 8, 8);
  MouseMove(swatch, 8, 13, MK_LBUTTON);
  EXPECT_TRUE(main_.colorDragging);
  EXPECT_EQ(list().DragColor.Color, 0x00AA55u);

  // Cell 5: (5 * 20 + 12, 11) in the grid.
  POINT cell{5 * 20 + 12, 11};
  ::ClientToScreen(list().Handle(), &cell);
  ASSERT_TRUE(::SetCursorPos(cell.x, cell.y));
  POINT rel = cell;
  ::ScreenToClient(swatch, &rel);
  MouseMove(swatch, rel.x, rel.y, MK_LBUTTON);
  LeftUp(swatch, rel.x, rel.y);
  EXPECT_FALSE(main_.colorDragging);
  EXPECT_EQ(list().Cell(5), 0x00AA55u);
  EXPECT_EQ(main_.currentSlot, 0) << "a drag does not select its slot";
}

// The keyboard alone, through the program's message filter: Tab and Shift+Tab
// walk round the controls that can be used now, Space on a picture button
// clicks it, and while a screen tool runs Space ends the tool without also
// pressing the focused button.
TEST_F(ColorAreaInMainWindowTest, TheKeyboardReachesAndUsesTheControls) {
  ::SetWindowPos(main_.Handle(), HWND_TOPMOST, 30, 30, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Pump();
  std::vector<std::string> copied;
  area().copyText = [&](const std::string& text) {
    copied.push_back(text);
    return true;
  };
  auto key = [&](UINT message, WPARAM vk) {
    MSG m{::GetFocus(), message, vk, message == WM_KEYUP ? LPARAM(0xC0000001) : LPARAM(1), 0, {}};
    if (!main_.FilterMessage(m)) ::DispatchMessageW(&m);
  };
  auto shift = [](bool down) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
  };

  TImageBottomPanel& imagePage = main_.ImageBottomTab();  // made now, hidden on a colour tab
  const HWND edit = area().SlotControls(0).edColor;
  ::SetFocus(edit);
  ASSERT_EQ(::GetFocus(), edit);
  std::vector<HWND> ring{edit};
  for (int i = 0; i < 100 && ring.size() == static_cast<size_t>(i) + 1; ++i) {
    key(WM_KEYDOWN, VK_TAB);
    if (::GetFocus() != edit) ring.push_back(::GetFocus());
  }
  ASSERT_EQ(::GetFocus(), edit) << "Tab comes round again";
  auto inRing = [&](Widget& w) { return std::find(ring.begin(), ring.end(), w.Handle()) != ring.end(); };
  ASSERT_GE(ring.size(), 2u);
  EXPECT_EQ(ring[1], area().SlotControls(0).btnCopyColor.Handle()) << "the slot's copy button follows its edit";
  EXPECT_TRUE(inRing(area().SlotControls(3).btnCopyColor));
  EXPECT_TRUE(inRing(area().VMPictureButton11));
  EXPECT_TRUE(inRing(list()));
  EXPECT_TRUE(inRing(main_.paletteStrip->btnSaveColors));
  EXPECT_FALSE(inRing(imagePage.btnSaveImage)) << "the screenshot tools are hidden now";
  for (HWND h : ring) EXPECT_TRUE(::IsWindowVisible(h) && ::IsWindowEnabled(h));
  shift(true);
  key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(::GetFocus(), ring.back());
  key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(::GetFocus(), ring[ring.size() - 2]);
  shift(false);

  main_.Slot(0) = 0x0000FF;
  main_.RefreshColors(0x37);
  ::SetFocus(ring[1]);
  key(WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(copied.empty()) << "the press only shows";
  key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(copied, std::vector<std::string>{"FF0000"});

  // The tab buttons are in the ring too, and Space switches the tab.
  HWND screenTab = main_.TabButtonAt(4).Handle();
  ASSERT_NE(std::find(ring.begin(), ring.end(), screenTab), ring.end());
  ::SetFocus(screenTab);
  key(WM_KEYDOWN, VK_SPACE);
  EXPECT_NE(main_.currentTab, 4) << "the press only shows";
  key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(main_.currentTab, 4);

  main_.captureMode = CaptureMode::ScreenPick;
  key(WM_KEYDOWN, VK_SPACE);
  key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(main_.captureMode, CaptureMode::None);
  EXPECT_EQ(copied.size(), 1u) << "the key that ended the pick pressed nothing";
}

TEST_F(ColorAreaInMainWindowTest, ASlotDragThatLosesTheMouseEndsWithoutADrop) {
  ::SetWindowPos(main_.Handle(), HWND_TOPMOST, 30, 30, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Pump();
  main_.Slot(0) = 0x101010;
  main_.Slot(2) = 0x00AA55;
  main_.RefreshColors(0x37);
  HWND source = area().SlotControls(2).color.Handle();
  TVMNotRefreshPanel& target = area().SlotControls(0).color;
  POINT at{8, 8};
  ::ClientToScreen(source, &at);
  ASSERT_TRUE(::SetCursorPos(at.x, at.y));
  LeftDown(source, 8, 8);
  MouseMove(source, 8, 13, MK_LBUTTON);
  POINT over{8, 8};
  ::ClientToScreen(target.Handle(), &over);
  ASSERT_TRUE(::SetCursorPos(over.x, over.y));
  POINT rel = over;
  ::ScreenToClient(source, &rel);
  MouseMove(source, rel.x, rel.y, MK_LBUTTON);
  ASSERT_EQ(target.Color(), 0x00AA55u) << "slot 1 shows the colour dragged over it";

  // Alt+Tab, or another window taking the mouse, cancels the mode.
  ::SendMessageW(source, WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(main_.colorDragging);
  EXPECT_EQ(target.Color(), 0x101010u) << "the leave puts slot 1's own colour back";
  LeftUp(source, rel.x, rel.y);
  EXPECT_EQ(main_.Slot(0), 0x101010u) << "the release after it drops nothing";
  EXPECT_EQ(main_.currentSlot, 0);
}

}  // namespace
}  // namespace kolo::win
