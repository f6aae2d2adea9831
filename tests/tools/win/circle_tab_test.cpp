// The wheel tab inside a real main window: a drag on the wheel, a colour typed
// into another slot afterwards, colours dragged over and dropped on the
// base-colour cells, and what leaving the tab puts back.
#include "tools/win/circle_tab.h"

#include <gtest/gtest.h>

#include <memory>

#include "../../hook/win/input_util.h"
#include "app/win/main_window.h"
#include "frame/hint_caption.h"
#include "frame/memory_store.h"
#include "frame/shared_store.h"
#include "frame/win/color_drag.h"
#include "platform/messages.h"

namespace kolo::win {
namespace {

using kolo::testing::SharedStore;

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class CircleTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store.WriteInteger("crntPage", 1);
    store.WriteInteger("color1", 0x0000FF);  // red
    store.WriteInteger("color2", 0x111111);
    store.WriteInteger("color3", 0x222222);
    store.WriteInteger("color4", 0x333333);
    main = std::make_unique<TfrmMain>();
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<SharedStore>(store); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main->Create(p));
    tab = dynamic_cast<TCircleTab*>(main->Tab(1));
    ASSERT_NE(tab, nullptr);
  }
  void TearDown() override { main.reset(); }

  // A colour dragged from elsewhere over cell `tag` (1..6): enter, then leave or drop.
  void DragOverCell(int tag, TColor c, bool drop) {
    ColorDragSlot().Color = c;
    HWND cell = tab->panCol[static_cast<size_t>(tag - 1)].Handle();
    ::SendMessageW(cell, WM_DRAGCOLOR_OVER, kDragEnter, 0);
    if (drop)
      ::SendMessageW(cell, WM_DRAGCOLOR_DROP, kDragMove, 0);
    else
      ::SendMessageW(cell, WM_DRAGCOLOR_OVER, kDragLeave, 0);
  }

  MemoryStore store;
  std::unique_ptr<TfrmMain> main;
  TCircleTab* tab = nullptr;
};

TEST_F(CircleTabTest, DragOnTheWheelThenTypingInAnotherSlotKeepsWhatWasTyped) {
  EXPECT_EQ(main->Slot(1), MakeColor(0, 0, 255)) << "triads of red";
  EXPECT_EQ(main->Slot(3), 0x333333u) << "a slot the harmony does not use";
  tab->chWheelTypeClick(5);  // tetrad: all four slots

  // Press on the wheel and drag up: slot 1 follows the pointer.
  HWND img = main->imgMain.Handle();
  ::SendMessageW(img, WM_LBUTTONDOWN, MK_LBUTTON, Point(228, 127));
  ::SendMessageW(img, WM_MOUSEMOVE, MK_LBUTTON, Point(128, 57));
  ::SendMessageW(img, WM_LBUTTONUP, 0, Point(128, 57));
  EXPECT_EQ(tab->pressState, 0);
  EXPECT_EQ(tab->Model().wheelAngle, 180);
  EXPECT_EQ(tab->Model().saturation, 50);
  EXPECT_EQ(main->Slot(0), MakeColor(192, 255, 128));

  // The user then types a colour into slot 4, as its edit does: the wheel
  // stays where it was and the typed colour is kept.
  main->currentSlot = 3;
  main->Slot(3) = 0xABCDEF;
  main->RefreshColors(0x73);
  EXPECT_EQ(main->Slot(3), 0xABCDEFu);
  EXPECT_EQ(tab->Model().wheelAngle, 180);

  // A colour typed into slot 1 is found on the wheel and the others follow.
  main->currentSlot = 0;
  main->Slot(0) = MakeColor(0, 255, 255);
  main->RefreshColors(0x73);
  EXPECT_EQ(tab->Model().wheelAngle, 90);
  EXPECT_EQ(main->Slot(1), MakeColor(255, 0, 0)) << "the complement of cyan on the RGB wheel";
}

TEST_F(CircleTabTest, BaseCellsPreviewSwapOnDropAndLeavingUntouchedRestoresTheSlots) {
  const WheelBaseColors preset = tab->Model().baseColors;
  // Passing over cell 3 with a new colour shows it live, then puts it all back.
  DragOverCell(3, 0x808080, false);
  EXPECT_EQ(tab->Model().baseColors, preset);
  EXPECT_EQ(tab->panCol[2].Color(), preset[2]);
  EXPECT_FALSE(tab->changed) << "a drag that only passed over changed nothing";
  EXPECT_FALSE(tab->chBaseColor[0].Enabled()) << "the RGB preset is still the one shown";
  // A cell's own colour dropped back on it (a drag that went nowhere) changes nothing either.
  DragOverCell(4, preset[3], true);
  EXPECT_FALSE(tab->changed);

  // Leaving now puts the slots back as they were before the tab was opened.
  main->ClickTabButton(2);
  EXPECT_EQ(main->Slot(1), 0x111111u);
  EXPECT_EQ(main->Slot(2), 0x222222u);
  main->ClickTabButton(1);
  EXPECT_EQ(main->Slot(1), MakeColor(0, 0, 255));

  // Dropping cell 5's colour (blue) on cell 1 swaps the two; the markers are
  // no colours and change nothing.
  DragOverCell(1, preset[4], true);
  EXPECT_EQ(tab->Model().baseColors[0], preset[4]);
  EXPECT_EQ(tab->Model().baseColors[4], preset[0]);
  EXPECT_EQ(tab->panCol[0].Color(), preset[4]);
  EXPECT_EQ(tab->panCol[0].Hint(), ColorHint(preset[4]));
  EXPECT_TRUE(tab->chBaseColor[0].Enabled());
  EXPECT_TRUE(tab->changed);
  DragOverCell(2, clTransparentColor, true);
  EXPECT_EQ(tab->Model().baseColors[1], preset[1]);

  // Red is now where blue was on the wheel: the search moved slot 0's place.
  EXPECT_EQ(tab->Model().wheelAngle, 30);
  // Changed: leaving keeps the harmony.
  const TColor second = main->Slot(1);
  main->ClickTabButton(2);
  EXPECT_EQ(main->Slot(1), second);

  // The settings keep the cells.
  main->SaveSettings();
  ASSERT_TRUE(store.ReadBinary("WH_basecolors"));
  EXPECT_EQ((*store.ReadBinary("WH_basecolors"))[0], GetR(preset[4]));
}

}  // namespace
}  // namespace kolo::win
