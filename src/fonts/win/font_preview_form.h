// TfrmFontPreview: the drop-down of the font sample. The installed families
// in their own faces, in the colours of the first two slots, with buttons for
// the size and the bold, italic and underline styles. Choosing a family sets
// the sample's font; the pop-up closes when it loses the activation, and the
// press that closed it does not open it again.
#pragma once

#include <windows.h>

#include <functional>

#include "fonts/win/font_list.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"
#include "widgets/win/drop_down_form.h"

namespace kolo::win {

class TMainFrame;

class TfrmFontPreview : public TDropDownForm {
 public:
  static constexpr int kWidth = 96, kHeight = 179;
  static constexpr int kButtonSide = 10;

  TfrmFontPreview();
  ~TfrmFontPreview() override;
  bool Create(HWND owner, TMainFrame& main);

  // Opens under the font panel (`panel` in screen coordinates), or above it
  // near the bottom of the screen. The families are read on the first opening
  // and again after the system's fonts change.
  void ShowFontBrowser(const RECT& panel);

  // The sample must be drawn again (font, size or style changed).
  std::function<void()> onSampleChanged;

  void fontListSelect();
  void but1Click();  // size up
  void but2Click();  // size down
  void but3Click();  // bold
  void but4Click();  // italic
  void but5Click();  // underline

  TVMNotRefreshPanel mainPanel, listPanel;
  TKOLFontList fontList;
  TVMPictureButton but1, but2, but3, but4, but5;
  TVMScrollImage VMScrollImage2;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ApplyStyle();
  void Layout();

  TMainFrame* main_ = nullptr;
  TVMGIFImageList smallbut_, scrollImages_;
  bool familiesRead_ = false;
};

}  // namespace kolo::win
