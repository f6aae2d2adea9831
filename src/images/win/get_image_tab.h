// Tab 5: screenshots.
#pragma once

#include "frame/win/base_tab.h"

namespace kolo::win {

class TGetImageTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;

  void Activate() override;
  // Draws the current picture on the main image.
  void ShowPreview();
};

}  // namespace kolo::win
