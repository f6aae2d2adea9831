// The colour-space tab inside a real main window: typing, pasting and
// stepping in the value edits, and the current colour they make.
#include "tools/win/palette_tab.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../../hook/win/input_util.h"
#include "app/win/main_window.h"
#include "frame/memory_store.h"
#include "frame/shared_store.h"
#include "frame/win/clipboard_text.h"

namespace kolo::win {
namespace {

using kolo::testing::Pump;
using kolo::testing::SharedStore;

std::string Text(HWND h) {
  char buf[32] = {};
  ::GetWindowTextA(h, buf, sizeof(buf));
  return buf;
}

void Type(HWND edit, const std::string& keys) {
  for (char ch : keys) ::SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), 0);
  ::SendMessageW(edit, WM_KEYUP, 'X', 0);
}

void Retype(HWND edit, const std::string& keys) {
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  Type(edit, keys);
}

TEST(PaletteTabWindow, EditsFilterClampStepAndMakeTheCurrentColour) {
  MemoryStore store;
  store.WriteInteger("crntPage", 0);
  store.WriteInteger("PAL_crntPalette", pmLab);
  auto main = std::make_unique<TfrmMain>();
  TfrmMain::CreateParams p;
  p.openStore = [&store](bool) { return std::make_unique<SharedStore>(store); };
  p.loadHookLibrary = false;
  ASSERT_TRUE(main->Create(p));
  auto* tab = dynamic_cast<TPaletteTab*>(main->Tab(0));
  ASSERT_NE(tab, nullptr);
  ASSERT_EQ(tab->Model().currentModel, pmLab);

  // Lab: letters never reach the edit, a takes four characters and clamps.
  HWND a = tab->EditOf(2);
  Retype(a, "-2x0z0");
  EXPECT_EQ(Text(a), "-128");
  EXPECT_EQ(tab->Model().DisplayValue(2), -128);
  const ModelValues lab = tab->Model().Values();
  EXPECT_EQ(main->CurrentColor(), RoundedColor(LabToRGB(lab[0], 0, lab[2])));

  // Pasting keeps only what could be typed; a non-number counts as 0.
  HWND l = tab->EditOf(1);
  ASSERT_TRUE(CopyTextToClipboard(L"4 5%"));
  ::SendMessageW(l, EM_SETSEL, 0, -1);
  ::SendMessageW(l, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(l), "45");
  EXPECT_EQ(tab->Model().DisplayValue(1), 45);
  Retype(l, "4-");
  EXPECT_EQ(Text(l), "0");

  // HSB: 400 typed into H shows 359, and the up button leaves it there.
  tab->butPalette[1].Click();
  ASSERT_EQ(tab->Model().currentModel, pmHSB);
  HWND h = tab->EditOf(1);
  Retype(h, "400");
  EXPECT_EQ(Text(h), "359");
  tab->btnud1MouseDown(1);
  tab->btnud1MouseUp();
  EXPECT_EQ(Text(h), "359");

  // Holding S's down button steps once at once, then repeats until released.
  HWND s = tab->EditOf(2);
  Retype(s, "90");
  HWND down = tab->btnud[3].Handle();
  ::SendMessageW(down, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(Text(s), "89");
  Pump(900);
  const int held = std::stoi(Text(s));
  EXPECT_LT(held, 88);
  ::SendMessageW(down, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_FALSE(tab->TypeTimerRunning());
  Pump(300);
  EXPECT_EQ(std::stoi(Text(s)), held);
  EXPECT_EQ(main->CurrentColor(), tab->Model().Store());

  // A colour set elsewhere is taken over; H of a grey then stays as typed.
  Retype(h, "120");
  main->Slot(main->currentSlot) = 0x808080;
  main->RefreshColors(0x77);
  EXPECT_EQ(Text(s), "0");
  Retype(h, "200");
  main->RefreshColors(0x77);
  EXPECT_EQ(Text(h), "200");

  ::DestroyWindow(main->Handle());
  main.reset();
  Pump(10);
}

}  // namespace
}  // namespace kolo::win
