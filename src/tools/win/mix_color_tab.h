// Tab 3: mixing colours on line drawings.
#pragma once

#include "frame/win/base_tab.h"

namespace kolo::win {

class TMixColorTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;

  void Activate() override;
};

}  // namespace kolo::win
