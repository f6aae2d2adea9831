// Tab 0: slices through the colour models.
#pragma once

#include "frame/win/base_tab.h"

namespace kolo::win {

class TPaletteTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;

  void Activate() override;
};

}  // namespace kolo::win
