// Tab 6: the clipboard history.
#pragma once

#include "frame/win/base_tab.h"

namespace kolo::win {

class TClipboardTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;

  // Set while the program itself changes the clipboard: that change is not recorded.
  bool SkipNextChange = false;
  // The picture list, not the colour list, had the focus last.
  bool FocusOnImages = true;

  void Activate() override;
};

}  // namespace kolo::win
