// GetImagePopupMenu: the picture menu of the screenshot list and the main
// image. Its items run the picture actions, so they are enabled exactly when
// the picture tools' buttons are.
#include "app/win/main_window.h"

namespace kolo::win {

namespace {

enum ImageMenuId : int {
  imPreview = 1, imSave, imCopy, imPrint, imDelete, imPublish, imViewOnSite,
  imRotateLeft, imRotateRight, imFlipHoriz, imFlipVertical, imOptions, imHelp, imAbout,
};

}  // namespace

void TfrmMain::SetupImagePopupMenu() {
  struct Item {
    int id;
    const char* caption;
    TAction* action;
  };
  const Item items[] = {
      {imPreview, "Preview image...", &acViewImage}, {0, "-", nullptr},
      {imSave, "Save image...", &acSaveImage},       {imCopy, "Copy image", &acCopyImage},
      {imPrint, "Print image...", &acPrintImage},    {imDelete, "Delete image", &acDeleteImage},
      {0, "-", nullptr},
      {imPublish, "Publish on site", &acPublishOnSite}, {imViewOnSite, "View on site", &acViewOnSite},
      {0, "-", nullptr},
      {imRotateLeft, "Rotate 90\u00B0 left", &acRotateLeft}, {imRotateRight, "Rotate 90\u00B0 right", &acRotateRight},
      {imFlipHoriz, "Flip horizontal", &acFlipHoriz},    {imFlipVertical, "Flip vertical", &acFlipVertical},
      {0, "-", nullptr},
      {imOptions, "Options...", &acOptions},
      {0, "-", nullptr},
      {imHelp, "Help", nullptr},                    {imAbout, "About...", nullptr},
  };
  for (const Item& i : items) {
    if (i.id == 0)
      GetImagePopupMenu.AddSeparator();
    else
      GetImagePopupMenu.Add(i.id, i.caption);
    if (i.action) imageMenuActions_[i.id] = i.action;
  }
  GetImagePopupMenu.SetDefault(imPreview, true);
  GetImagePopupMenu.OnPopup = [this] {
    for (const auto& [id, action] : imageMenuActions_) GetImagePopupMenu.SetEnabled(id, action->Enabled());
    GetImagePopupMenu.SetEnabled(imAbout, static_cast<bool>(onAbout));
  };
  GetImagePopupMenu.OnCommand = [this](int id) {
    if (auto it = imageMenuActions_.find(id); it != imageMenuActions_.end()) it->second->Execute();
    if (id == imHelp) OpenHelp();
    if (id == imAbout && onAbout) onAbout();
  };
  imagePopup = [this](int x, int y) { GetImagePopupMenu.Popup(Handle(), x, y); };
}

}  // namespace kolo::win
