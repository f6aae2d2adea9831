// Tab 2: fixed, random, gradient and screen palettes.
#pragma once

#include "frame/win/base_tab.h"

namespace kolo::win {

class TFixColorTab : public TBaseTab {
 public:
  using TBaseTab::TBaseTab;

  void Activate() override;
};

}  // namespace kolo::win
