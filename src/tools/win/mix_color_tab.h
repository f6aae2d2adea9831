// Tab 3: mixing colours on line drawings. Colours dragged onto an area of the
// picture fill it, or mix with the colour already there; the swatches, filled
// areas and the eraser can be clicked and dragged like any colour. The rules
// live in tools/mix_model.h.
#pragma once

#include <windows.h>

#include <array>

#include "frame/win/base_tab.h"
#include "tools/mix_model.h"
#include "widgets/win/gif_image.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"

namespace kolo::win {

class TMixColorTab : public TBaseTab {
 public:
  explicit TMixColorTab(TMainFrame& main);
  ~TMixColorTab() override;

  void Activate() override;
  TColor ColorAt(int x, int y) override;
  void DragOver(HWND sender, HWND source, int x, int y, int state) override;
  void EndDrag(HWND sender, HWND source, int x, int y, int state) override;
  void SetHint(const std::string& text) override;
  void LoadSettings(SettingsStore& store) override;
  void SaveSettings(SettingsStore& store) override;

  // Handlers of the page's controls (tags from 1).
  void butMixTypeClick(int tag);
  void MixSetImageClick(int tag);
  void VMPictureButton9Click();

  MixModel& Model() { return model_; }
  // Writes the model's colours into the shown picture and draws it again.
  void ShowPicture();

  TVMGIFImageList& mainImages;
  TVMGIFImageList MixImageList;  // its own copy: the pictures are recoloured
  TVMGIFImage MixPaletteImg;
  std::array<TVMPictureButton, kMixTypeCount> butMixType;
  std::array<TVMPictureButton, kMixPictureCount> butImage;
  TVMPictureButton VMPictureButton9;

 private:
  void CreateControls();
  bool controlsCreated_ = false;
  void UpdateButtons();

  MixModel model_;
};

}  // namespace kolo::win
