// TfrmPreview: the drop-down of the layout preview. Every layout template in
// the four current colours, filtered by its number of colours with the four
// buttons beside the list; a click on a template shows it in the preview and
// closes the picker, which also closes when it loses the activation.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "color/color.h"
#include "widgets/win/drop_down_form.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"
#include "widgets/win/view_image_list.h"

namespace kolo::win {

class TfrmPreview : public TDropDownForm {
 public:
  // The templates are 80 wide; the filter column and the slider stand beside them.
  static constexpr int kWidth = 114, kHeight = 171;

  TfrmPreview();
  ~TfrmPreview() override;
  bool Create(HWND owner);

  // Opens under the preview panel (`panel` in screen coordinates), or above it
  // near the bottom of the screen, with `selected` at the top. The templates
  // are recoloured first when the colours changed since the last opening.
  void ShowPicker(const RECT& panel, const std::array<TColor, 4>& colors, int selected);

  // Writes the current colours into template `index` of the list (the main
  // window's rule).
  std::function<void(TVMGIFImageList& list, int index)> recolorTemplate;
  // The picker's own copy of the templates: the preview's copy may show them
  // as a dichromat sees them.
  TVMGIFImageList templates;
  // The template chosen: the preview shows it.
  std::function<void(int index)> onChoose;

  void ViewImageListSelect();
  void but1Click(int tag);  // the four filter buttons: 0 (all), 2, 3, 4 colours
  int Recolorings() const { return recolorings_; }

  TVMNotRefreshPanel mainPanel;
  TVMViewImageList ViewImageList;
  TVMScrollImage VMScrollImage2;
  TVMPictureButton but1, but2, but3, but4;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Layout();
  void EnableFilters();

  TVMGIFImageList images_, scrollImages_;
  std::array<TColor, 4> lastColors_{0x000000, 0xFFFFFF, 0xC08000, 0xFF99FF};
  bool recolored_ = false;  // the templates still show their drawn colours until the first opening
  int recolorings_ = 0;
};

}  // namespace kolo::win
