// The program's secondary windows. They exist for the whole run and are only
// shown and hidden; the main window reaches them through this table.
#pragma once

#include <windows.h>

namespace kolo::win {

enum class SecondaryForm {
  Preview,       // layout template picker
  FontPreview,   // font browser
  ColorPrev,     // value slider pop-up
  Property,      // options dialog
  ImagePreview,
  Upload,
  List,          // drop-down list
  About,
  NewPalette,
  Message,       // message box
  Transp,        // area selection overlay
  Count,
};

void RegisterForm(SecondaryForm form, HWND hwnd);
HWND FormWindow(SecondaryForm form);
bool IsFormVisible(SecondaryForm form);

// Message box answers.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;
inline constexpr int kResultMinimise = 8;

}  // namespace kolo::win
