// The pages each colour tab shows when it becomes current.
#include "frame/win/main_frame.h"
#include "tools/win/mix_color_tab.h"

namespace kolo::win {

void TMixColorTab::Activate() {
  main_.ShowPages(&main_.pages.MixPaletteImageTab, &main_.pages.colorChangerTab, &main_.PaletteBottomTab(),
                  &main_.pages.mixColorTab);
}

}  // namespace kolo::win
