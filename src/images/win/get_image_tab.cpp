#include "images/win/get_image_tab.h"

#include "frame/win/image_panel.h"
#include "frame/win/main_frame.h"
#include "platform/win/handles.h"

namespace kolo::win {

// The picture on the main image, the screenshot list on the right, the
// picture tools below; with no picture yet only "open" is offered.
void TGetImageTab::Activate() {
  main_.imgMain.SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  main_.ShowPages(&main_.pages.ImageTab, &main_.pages.screenShotTab, &main_.ImageBottomTab());
  SetImageControls(false, "", 0, 0, transparentColor);
  ShowPreview();
}

// No picture yet: the main image is empty ground.
void TGetImageTab::ShowPreview() {
  HDC dc = main_.imgMain.Canvas();
  if (!dc) return;
  RECT r{0, 0, main_.imgMain.CanvasWidth(), main_.imgMain.CanvasHeight()};
  FillSolid(dc, r, clSkyBlue);
  main_.imgMain.Refresh();
}

}  // namespace kolo::win
