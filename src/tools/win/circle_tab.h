// Tab 1: harmonies on the colour wheels.
#pragma once

#include "frame/win/base_tab.h"

namespace kolo::win {

class TCircleTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;

  void Activate() override;
};

}  // namespace kolo::win
