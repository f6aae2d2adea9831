// The palette strip of the main window: the panel paletteBottomTab with the
// grid ColorList, its slider and the new/open/save buttons, the strip's
// popup menu, and the palette commands (file dialogs, the replace question,
// the error messages). The main window owns one and hands it its cells from
// the settings and back.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "widgets/win/popup_menu.h"
#include "palette/palette_file.h"
#include "palette/win/color_list.h"
#include "widgets/action.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"

namespace kolo::win {

class TMainFrame;

// New types go after the old ones: the remembered filterPaletteIndex and the
// old indexes must keep pointing at the same types.
inline constexpr char kPaletteOpenFilter[] =
    "All (*.pal;*.act;*.gif;*.csv;*.gpl;*.ase)|*.pal;*.act;*.gif;*.csv;*.kpt;*.gpl;*.ase|Kolo Palette (*.kpt)|*.kpt|"
    "Adobe Color Table (*.act)|*.act|Microsoft Palette (*.pal)|*.pal|GIF (*.gif)|*.gif|"
    "Comma Separated Values (*.csv)|*.csv|GIMP Palette (*.gpl)|*.gpl|Adobe Swatch Exchange (*.ase)|*.ase";
inline constexpr char kPaletteSaveFilter[] =
    "Kolo Palette (*.kpt)|*.kpt|Adobe Color Table (*.act)|*.act|Microsoft Palette (*.pal)|*.pal|"
    "Comma Separated Values (*.csv)|*.csv|HTML (*.html)|*.html|GIMP Palette (*.gpl)|*.gpl|"
    "Adobe Swatch Exchange (*.ase)|*.ase|CSS Custom Properties (*.css)|*.css";
inline constexpr char kFailedToOpen[] = "Failed to open file.";
inline constexpr char kFailedToSave[] = "Failed to save file.";
inline constexpr char kReplaceQuestion[] = "The file already exists. Do you want to replace the existing file?";

// A file dialog as the palette commands ask for it.
struct FileDialogRequest {
  bool save = false;
  std::wstring initialFolder;
  std::string filter;        // "Caption|pattern|Caption|pattern..."
  int filterIndex = 1;       // 1-based
  std::wstring defaultExt;   // save only, without the dot
};
struct FileDialogAnswer {
  std::wstring path;
  int filterIndex = 1;
};
using FileDialogFn = std::function<std::optional<FileDialogAnswer>(HWND owner, const FileDialogRequest&)>;

// The system's open and save dialogs; nullopt when cancelled.
std::optional<FileDialogAnswer> ShowCommonFileDialog(HWND owner, const FileDialogRequest& request);
// "A|b|C|d" as the dialogs want it: pieces ended by NUL, one more NUL at the end.
std::wstring DialogFilter(const std::string& filter);
// The clipboard's text (UTF-8), or nothing.

// Items of PalettePopupMenu.
enum PaletteMenuId {
  palMenuCopy = 1,
  palMenuPast,
  palMenuInsert,
  palMenuClear,
  palMenuDelete,
  palMenuTrans,
  palMenuOptions,
  palMenuHelp,
  palMenuAbout,
};

class TPaletteStrip {
  // Declared before the controls that use them, so they outlive the controls.
  TMainFrame& main_;
  TVMGIFImageList scrollImages_;  // the pictures come from the main window's list, the slider's from this

 public:
  TAction acNewPalette{"acNewPalette"}, acOpenPalette{"acOpenPalette"}, acSavePalette{"acSavePalette"};
  TPopupMenu PalettePopupMenu;

  explicit TPaletteStrip(TMainFrame& main);
  ~TPaletteStrip();
  TPaletteStrip(const TPaletteStrip&) = delete;
  TPaletteStrip& operator=(const TPaletteStrip&) = delete;

  // Builds the 360x42 panel with its controls at (x, y) of `parent`.
  bool Create(HWND parent, int x, int y);

  TVMNotRefreshPanel paletteBottomTab;
  TKOLColorList ColorList;
  TVMScrollImage VMScrollImage2;
  TVMPictureButton btnNewColors, btnOpenColors, btnSaveColors;

  // The main window's reactions to the strip.
  void ColorListSelect();
  void ColorListStartDragPic();
  void ColorListEndDragPic();

  // The menu: enabling when it opens, then the commands.
  void UpdatePaletteMenu();
  void palMenuCopyClick();
  void palMenuPastClick();
  void palMenuInsertClick() { ColorList.InsertEmpty(); }
  void palMenuClearClick() { ColorList.ClearSelected(); }
  void palMenuDeleteClick() { ColorList.DeleteSelected(); }
  void palMenuTransClick();

  void acNewPaletteExecute();
  void acOpenPaletteExecute();
  void acSavePaletteExecute();

  // The open and save commands for any cells (the fixed-palette tab's too):
  // the file dialogs, the replace question and the failure messages. Loading
  // changes nothing when it fails.
  bool OpenPaletteInto(std::span<TColor> cells, int& transparentIndex);
  void SavePaletteCells(std::span<const TColor> cells, int transparentIndex);

  // Cells and transparent index to and from the settings record.
  void LoadFromSettings();
  void StoreToSettings() const;
  // A selected cell in view follows the current colour; called on every slot refresh.
  void FollowCurrentColor();

  // --- seams (set by the main window; tests replace them) ---
  FileDialogFn fileDialog = ShowCommonFileDialog;
  // Closes the main window's open text edit first.
  std::function<void()> commitTextEdit;
  // The new-palette dialog: the confirmed palette, or nothing.
  std::function<std::optional<std::vector<TColor>>()> newPaletteDialog;
  // Opens a just-saved html page (the default browser by default).
  std::function<void(const std::wstring& path)> openPage;
  // The shared end of every menu of the main window.
  std::function<void()> onOptions, onHelp, onAbout;

 private:
  void BuildMenu();
  void RunMenuCommand(int id);
  std::string FormatCurrent(TColor c) const;
  std::optional<std::filesystem::path> AskPaletteToOpen();
  ColorParser CurrentParser() const;
};

}  // namespace kolo::win
