// TfrmNewPalette: the modal dialog behind "new palette". It offers the six
// built-in palettes with a preview; OK hands back the colours and keeps the
// choice in the settings, Cancel changes nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "color/color.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/image_view.h"
#include "widgets/win/label.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/dialog_form.h"

namespace kolo::win {

class TMainFrame;

class TfrmNewPalette : public TDialogForm {
 public:
  static constexpr int kWidth = 209, kHeight = 222;

  TfrmNewPalette();
  ~TfrmNewPalette() override;
  bool Create(HWND owner);

  // Centred over the main window, shown modally; the colours on OK.
  std::optional<std::vector<TColor>> Execute(TMainFrame& main);

  void SetPaletteType(int type);
  int PaletteType() const { return paletteType_; }
  const std::vector<TColor>& Colors() const { return colors_; }

  void VMPictureButton1Click() { Finish(true); }  // OK
  void btnCloseClick() { Finish(false); }         // close and Cancel
  void VMPictureButton3MouseDown();               // opens the list of palettes
  void BitBtn1Click() { SetPaletteType(5); }      // new random colours

  // Called once the dialog is showing, before it waits (tests answer it from here).
  static void SetShownHook(std::function<void(TfrmNewPalette&)> hook);

  TVMNotRefreshPanel body, comboPalette, pnlColorFormat;
  TVMLabel lbPalette, lbPaletteFormat;
  TVMPictureButton btnClose, VMPictureButton1, VMPictureButton2, VMPictureButton3, btnRandom;
  ImageView prevPalImage;

 private:
  void BuildControls();

  TVMGIFImageList images_;
  std::mt19937 rng_;
  int paletteType_ = 0;
  std::vector<TColor> colors_;
};

}  // namespace kolo::win
