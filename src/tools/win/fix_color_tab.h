// Tab 2: fixed, random, gradient and screen palettes in a 16x16 grid of the
// main image, optionally framed by a gradient border between four corner
// colours. The cells are colours to click and drag like any other; the cell
// menu copies, pastes and clears them, and palette files load into and save
// from them.
#pragma once

#include <windows.h>

#include <optional>

#include "frame/win/base_tab.h"
#include "platform/win/handles.h"
#include "tools/fix_color_model.h"
#include "widgets/action.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/popup_menu.h"
#include "widgets/win/scroll_image.h"

namespace kolo::win {

// Items of FixColorPopupMenu.
enum FixMenuId { FixMenuCopy = 1, FixMenuPast, FixMenuClear, FixMenuErase, FixMenuCopyAll, FixMenuLoad, FixMenuSave };

class TFixColorTab : public TBaseTab {
 public:
  explicit TFixColorTab(TMainFrame& main);
  ~TFixColorTab() override;

  void Activate() override;
  void Deactivate() override;
  void Repaint(bool quick) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  TColor ColorAt(int x, int y) override;
  void DragOver(HWND sender, HWND source, int x, int y, int state) override;
  void EndDrag(HWND sender, HWND source, int x, int y, int state) override;
  void LoadSettings(SettingsStore& store) override;
  void SaveSettings(SettingsStore& store) override;

  // Handlers of the tab's controls.
  void btnFixPalette1Click(int tag);
  void VMPictureButton8Click();   // random
  void VMPictureButton1Click();   // gradient of the colour slots
  void VMPictureButton6Click();   // palette from the screen
  void VMPictureButton7Click();   // the palette strip
  void VMPictureButton12Click();  // colour slots to the border's corners
  void scrFixGradCountChange();
  void scrFixCursorSizeChange();
  void acFixSaveExecute();
  void acFixLoadExecute();

  // The cell menu at a main-image point: remembers what is there, then shows it.
  void ShowCellMenu(int x, int y, int screenX, int screenY);
  void FixColorPopupMenuPopup();
  void RunMenuCommand(int id);

  // Hook event heMouseMove while the screen palette runs: sample around the
  // cursor unless it is where the last sample was taken.
  void SampleAtCursor();
  // Samples the square around a screen point, clipped to that point's monitor.
  void SampleAround(int x, int y);

  FixColorModel& Model() { return model_; }
  void UpdateControls();

  TAction acFixSave{"acFixSave"}, acFixLoad{"acFixLoad"};
  TPopupMenu FixColorPopupMenu;
  std::optional<int> menuIndex;
  TColor menuColor = clEmptyColor;
  int lastSampleX = -1, lastSampleY = -1;

  // The main window's picture lists, shared rather than loaded again.
  TVMGIFImageList& mainImages;
  TVMGIFImageList& scrollImages;
  TVMPictureButton btnFixPalette1, btnFixPalette2, btnFixPalette3, btnFixPalette4;
  TVMPictureButton VMPictureButton8, VMPictureButton1, VMPictureButton7, VMPictureButton12, VMPictureButton6;
  TVMScrollImage scrFixGradCount, scrFixCursorSize;

 private:
  // The page's controls are made the first time the tab shows: most sessions
  // start on another tab and many never come here.
  void CreateControls();
  bool controlsCreated_ = false;
  void BuildMenu();
  void Changed();
  bool clipboardHasColor() const;

  FixColorModel model_;
  bool menuAttached_ = false;
};

}  // namespace kolo::win
