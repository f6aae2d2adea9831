#include "clipboard/win/clipboard_tab.h"

#include "frame/win/image_panel.h"
#include "frame/win/main_frame.h"

namespace kolo::win {

// The picture tools below follow whichever list had the focus last.
void TClipboardTab::Activate() {
  TVMNotRefreshPanel* bottom =
      FocusOnImages ? static_cast<TVMNotRefreshPanel*>(&main_.ImageBottomTab()) : &main_.PaletteBottomTab();
  main_.ShowPages(&main_.pages.clipboardImages, &main_.pages.clipboardTab, bottom);
  SetImageControls(false, "", 0, 0, transparentColor);
}

}  // namespace kolo::win
