// The options command: every menu that ends with "Options..." runs acOptions.
#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "clipboard/win/clipboard_tab.h"
#include "images/win/get_image_tab.h"
#include "palette/win/palette_strip.h"

namespace kolo::win {

void TfrmMain::SetupOptionsAction() {
  acOptions.SetHint("SOptions...");
  acOptions.OnExecute = [this] { acOptionsExecute(); };
  auto run = [this] { acOptions.Execute(); };
  onOptions = run;
  colorArea->onOptions = run;
  paletteStrip->onOptions = run;
  // A screenshot list that was never shown is not loaded; it keeps to the limit on its next addition.
  OnOptionsConfirmed([this] {
    if (getImageTab && getImageTab->HookImageList.Handle())
      getImageTab->HookImageList.ApplyLimit(options_.maxScreenImages);
    if (clipboardTab) clipboardTab->ClipboardList().ApplyLimit(options_.maxClipImages);
  });
}

void TfrmMain::acOptionsExecute() {
  if (colorArea) colorArea->CloseTextEdit();
  const bool watchedClipboard = options_.clipboardHook;
  if (!optionsDialog || !optionsDialog()) return;
  SaveSettings();
  if (options_.clipboardHook != watchedClipboard) SetClipboardWatch(options_.clipboardHook);
  for (const auto& handler : optionsConfirmedHandlers_) handler();
  // The format and hint choices show at once.
  RefreshColors(rfSlots | rfFontSample);
}

}  // namespace kolo::win
