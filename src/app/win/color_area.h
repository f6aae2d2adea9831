// TColorArea: the main window's colour controls in its right-hand column. The
// four colour slots (frame pnlColorN, swatch colorN, edit edColorN on its
// panel panEditColN, copy button btnCopyColorN), the swap buttons between
// them, the font sample fonPreview with its inline text edit, and the layout
// preview PreviewImg recoloured from the slots; with their menus
// ColorPopupMenu, ColorFormatPopupMenu and the sample's text menu.
//
// The area reads and writes the slots through its host (the main window);
// the main window calls RefreshSlots for refresh flags 0x04 / 0x08 and
// RefreshPictures for 0x10.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/color_slot.h"
#include "color/legibility.h"
#include "frame/settings.h"
#include "widgets/win/popup_menu.h"
#include "frame/win/color_cell.h"
#include "frame/win/color_drag.h"
#include "widgets/action.h"
#include "widgets/win/edit_panel.h"
#include "widgets/win/gif_image.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"

namespace kolo::win {

class TfrmMain;

// What the colour area needs from the window it sits in.
// The program's colour drag (ColorDragHost): the palette strip shows the
// cursor; the colour is in the program's drag slot, DraggedColor().
class ColorAreaHost : public ColorDragHost {
 public:
  virtual TKolOptions& Options() = 0;
  virtual int CurrentSlot() const = 0;
  virtual void SetCurrentSlot(int slot) = 0;
  virtual void RefreshColors(unsigned char flags) = 0;
  // The window's own picture list, when it has one loaded; else the area loads its own.
  virtual TVMGIFImageList* MainImages() { return nullptr; }
};

// Items of the area's menus.
enum ColorMenuId {
  clrMenuCopy = 1,
  clrMenuPast,
  clrMenuOptions,
  clrMenuHelp,
  clrMenuAbout,
  txtMenuEditText,
  // ColorFormatPopupMenu: the format index + this.
  fmtMenuFirst = 100,
  // PreviewPopupMenu: the colour vision (ColorVision) + this.
  visionMenuFirst = 200,
};

// The font sample: a picture filled with slot 2 and written in slot 1.
class TFontSample : public Widget {
 public:
  void SetSample(TColor background, TColor ink, HFONT font, std::wstring text);
  TColor Background() const { return background_; }
  TColor Ink() const { return ink_; }
  const std::wstring& Text() const { return text_; }
  HFONT SampleFont() const { return sampleFont_.Get(); }
  // Top of the text: the picture's height less the height of "W", halved.
  int TextTop(HDC dc) const;

 protected:
  const wchar_t* ClassName() const override { return L"TFontSample"; }
  void Paint(HDC dc, const IntRect& client) override;

 private:
  TColor background_ = clSkyBlue, ink_ = clFrame;
  ::kolo::win::Font sampleFont_;
  std::wstring text_;
};

class TColorArea {
 public:
  struct Slot {
    TVMNotRefreshPanel pnlColor;   // frame, tag N
    TColorCell color;              // 16x16 swatch: drag source and drop target
    TEditPanel panEditCol;
    HWND edColor = nullptr;
    TVMPictureButton btnCopyColor;
  };

  explicit TColorArea(ColorAreaHost& host);
  explicit TColorArea(TfrmMain& main);
  ~TColorArea();
  TColorArea(const TColorArea&) = delete;
  TColorArea& operator=(const TColorArea&) = delete;

  // Builds every control on `parent` (the right-hand column) by layout::.
  bool Create(HWND parent);

  // Refresh flags 0x04 / 0x08 (the current slot's edit is rewritten only
  // with rewriteEdit), and 0x10.
  void RefreshSlots(bool rewriteEdit);
  void RefreshPictures();
  void RefreshFontSample();
  void RefreshPreview();

  // --- the slots ---
  Slot& SlotControls(int slot) { return slots_[static_cast<size_t>(slot)]; }
  void SelectSlot(int slot);                // currentSlot := slot, RefreshColors(0x77)
  TColor ReadEdit(int slot) const;          // the slot's edit read back
  void CopyColorClick(int slot);            // btnCopyColorN
  void SwapClick(int tag);                  // VMPictureButton11/16/14, tags 1..3
  void SetSlotMarked(int slot, bool marked);  // copy button shows the harmony mark
  // A colour dropped on a slot swatch.
  void SwatchDrop(int slot);
  TColor SwatchColor(int slot) const { return slots_[static_cast<size_t>(slot)].color.Color(); }
  // "Copy" and "Past" of ColorPopupMenu, and the enabling when it opens.
  void UpdateColorMenu();
  void CopyCurrentColor();
  bool PasteColor();
  // ColorFormatPopupMenu: checks the current format; choosing sets ColorFormat.
  void UpdateFormatMenu();
  void ChooseFormat(int format);

  // --- the font sample ---
  void acEditTextExecute();   // opens or closes the inline edit
  void CloseTextEdit();       // every moment that ends the editing
  bool TextEditOpen() const { return textEditOpen_; }
  const std::string& EditTextCaption() const { return editTextCaption_; }

  // --- the layout preview ---
  // The picker's choice: shows template `index` recoloured; false (nothing
  // changes) for a number outside the list.
  bool SetPreviewId(int index);
  int ShownPreviewId() const { return PreviewImg.ImageListID(); }
  // The preview as a dichromat sees it (its right-click menu): only the picture
  // shown changes, never the slots or the stored template.
  void SetPreviewVision(ColorVision v);
  ColorVision PreviewVision() const { return previewVision_; }

  // Controls known by these names elsewhere.
  TVMPictureButton VMPictureButton11, VMPictureButton16, VMPictureButton14;  // swap, tags 1, 2, 3
  TEditPanel panFontText;  // the sample's frame, tag 3
  TFontSample fonPreview;
  TVMPictureButton VMPictureButton5;  // opens the font browser
  TVMNotRefreshPanel previewPanel;
  TVMGIFImage PreviewImg;
  TVMPictureButton VMPictureButton4;  // opens the layout picker
  TVMGIFImageList PeviewImageList;
  TAction acEditText{"acEditText"};
  TPopupMenu ColorPopupMenu, ColorFormatPopupMenu, TextPopupMenu, PreviewPopupMenu;

  // --- seams the main window sets (tests replace them) ---
  // The font browser pop-up and its IsShowing flag; the layout picker and its
  // just-shown flag.
  std::function<void()> showFontBrowser;
  std::function<bool()> fontBrowserShowing;
  std::function<void()> showLayoutPicker;
  std::function<bool()> layoutPickerJustShown;
  // The shared end of the menus.
  std::function<void()> onOptions, onHelp, onAbout;
  // Whether a font family is installed; the sample falls back to Arial when
  // its family is not (uninstalled, or a name stored on another machine).
  std::function<bool(const std::string&)> fontInstalled;
  // The system's fonts changed: the family is checked again.
  void FontsChanged();
  // Where a colour text goes and comes from.
  std::function<bool(const std::string&)> copyText;
  std::function<std::optional<std::string>()> clipboardText;

 private:
  void CreateSlot(HWND parent, int index);
  void CreateFontSample(HWND parent);
  void CreatePreview(HWND parent);
  void BuildMenus();
  void ApplySlotLook(int slot);
  void SetEditText(int slot, const std::string& text);
  void EditKeyReleased(int slot);
  void PopupAt(TPopupMenu& menu, Widget& owner);
  void FontSamplePressed();
  void PreviewPressed();
  void RunMenuCommand(int id);
  static LRESULT CALLBACK SlotEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK TextEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self);

  std::unique_ptr<ColorAreaHost> ownHost_;
  ColorAreaHost& host_;
  std::array<Slot, kSlotCount> slots_;
  std::array<bool, kSlotCount> marked_{};
  HWND edFontText_ = nullptr;
  bool textEditOpen_ = false;
  std::string editTextCaption_ = "Change text";
  ColorVision previewVision_ = ColorVision::Normal;
  std::string verifiedFontName_;  // the family last found installed
  TVMGIFImageList ownImages_;
  TVMGIFImageList* mainImages_ = &ownImages_;
};

// The clipboard's text, or nothing.

// Writes `colours` (slots 1..4) into template `index` of a template list by its
// number of colours; false when the template has no table for them.
bool RecolorListTemplate(TVMGIFImageList& list, int index, const std::array<TColor, kSlotCount>& colours);

}  // namespace kolo::win
