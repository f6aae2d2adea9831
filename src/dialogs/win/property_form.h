// TfrmProperty: the modal "Options" dialog. It shows a part of the settings
// and the start-with-Windows entry; OK applies everything at once, Cancel,
// the close button and Escape change nothing.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/property_rules.h"
#include "widgets/win/edit_panel.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/image_checkbox.h"
#include "widgets/win/label.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/dialog_form.h"

namespace kolo::win {

class TMainFrame;

// A white box showing the chosen text, with a drop button at its right end;
// both open the program's drop-down list.
class TChoiceBox {
 public:
  void Create(Widget& parent, TVMGIFImageList& images, HFONT font, int x, int y, int width, const wchar_t* name);
  void SetTexts(std::vector<std::string> texts) { texts_ = std::move(texts); }
  void SetIndex(int index);
  int Index() const { return index_; }
  std::string Text() const { return label.Caption(); }
  // Opens the list under the box; the choice sets the index and calls OnChoose.
  void Drop();
  std::function<void(int index)> OnChoose;

  TVMNotRefreshPanel frame, box;
  TVMLabel label;
  TVMPictureButton button;

 private:
  std::vector<std::string> texts_;
  int index_ = 0;
};

// A digits-only edit on its white panel.
struct TDigitEdit {
  TEditPanel panel;
  HWND edit = nullptr;
  void Create(Widget& parent, int x, int y, int width, int digits, const wchar_t* name);
  std::string Text() const { return WindowText(edit); }
  void SetText(const std::string& text);
  void SetReadOnly(bool readOnly);
};

class TfrmProperty : public TDialogForm {
 public:
  static constexpr int kWidth = 300, kHeight = 257;

  TfrmProperty();
  ~TfrmProperty() override;
  bool Create(HWND owner);

  // Fills the controls, centres the dialog over the main window and runs it
  // modally; on OK the start-up entry and the settings are written. True when
  // confirmed.
  bool Execute(TMainFrame& main);

  // The controls as a value and back.
  PropertyValues Values();
  void Fill(const PropertyValues& values);

  void btnOKClick();
  void btnCancelClick() { Finish(false); }
  void btnHelpClick();

  // The start-with-Windows entry (the Run key; tests may replace it).
  std::function<bool()> isAutorun;
  std::function<void(bool)> setAutorun;
  // Called once the dialog is showing, before it waits (tests answer it from here).
  static void SetShownHook(std::function<void(TfrmProperty&)> hook);

  TVMNotRefreshPanel body;
  TVMPictureButton btnClose, btnHelp, btnOK, btnCancel;
  TChoiceBox cbColorFormat, cbJpgQuality, cbGifPalette;
  TDigitEdit edClipImages, edScreenImages, edJpgQuality;
  TEditPanel panUploadURL;
  HWND edUploadURL = nullptr;
  TVMImageCheckbox chkClipUnlimited, chkScreenUnlimited, chkClipboardHook, chkRunOnStartup, chkViewColorHint,
      chkViewHint, chkConfirmDelete, chkConfirmChange, chkConfirmCrop, chkConfirmClose;

 private:
  std::array<std::pair<TVMImageCheckbox*, bool PropertyValues::*>, 10> Boxes();
  void BuildControls();
  void MakeCheckbox(TVMImageCheckbox& box, TVMLabel& label, int x, int y, const char* caption);
  TVMLabel& MakeLabel(int x, int y, int width, const char* caption);
  void ApplyWithoutLimit(TDigitEdit& edit, bool withoutLimit);
  void JpgQualityKeyUp();
  void NormaliseCount(TDigitEdit& edit);
  static LRESULT CALLBACK DigitEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self);

  TVMGIFImageList images_;
  std::vector<std::unique_ptr<TVMLabel>> labels_;
  std::array<TVMLabel, 10> checkLabels_;
};

}  // namespace kolo::win
