// Tab 5: screenshots.
#pragma once

#include "app/win/base_tab.h"

namespace kolo::win {

class TGetImageTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;
};

}  // namespace kolo::win
