// Tab 4: colours from the screen through the magnifier.
#pragma once

#include "app/win/base_tab.h"

namespace kolo::win {

class TGetColorTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;
};

}  // namespace kolo::win
