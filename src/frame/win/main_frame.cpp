#include "frame/win/main_frame.h"

#include "frame/win/base_tab.h"
#include "frame/win/clipboard_text.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {

namespace {
TMainFrame* g_frame = nullptr;
}  // namespace

TMainFrame* MainFrame() { return g_frame; }

TMainFrame::TMainFrame() = default;

TMainFrame::~TMainFrame() {
  if (g_frame == this) g_frame = nullptr;
}

void TMainFrame::BecomeMainFrame() { g_frame = this; }

void TMainFrame::ShowPages(TVMNotRefreshPanel* image, TVMNotRefreshPanel* right, TVMNotRefreshPanel* bottom,
                           TVMNotRefreshPanel* sub) {
  ImagePager.SetCurrentPanel(image);
  rightPager.SetCurrentPanel(right);
  bottomPager.SetCurrentPanel(bottom);
  subColorPager.SetCurrentPanel(sub);
}

TImageBottomPanel& TMainFrame::ImageBottomTab() {
  if (!imageBottomTab_) {
    imageBottomTab_ = std::make_unique<TImageBottomPanel>(*this);
    imageBottomTab_->Build(bottomPager.Handle(), mainImages);
  }
  return *imageBottomTab_;
}

void TMainFrame::SetImageControls(bool enabled, const std::string& url, int height, int width) {
  ImageBottomTab().SetImageControls(enabled, url, height, width);
}

bool TMainFrame::ImageControlsEnabled() const { return imageBottomTab_ && imageBottomTab_->ControlsEnabled(); }

void TMainFrame::CopyImageUrl() {
  if (!imageBottomTab_) return;
  const std::string url = imageBottomTab_->Url();
  if (!url.empty()) CopyTextToClipboard(Widen(url));
}

void TMainFrame::ChangeSizeClicked() {
  if (!imageBottomTab_) return;
  const int width = imageBottomTab_->WidthValue(), height = imageBottomTab_->HeightValue();
  if (width >= 1 && height >= 1)
    CurrentTabObject().ChangeImageSize(width, height);
  else
    ShowMessageBox("The image size must be greater than zero.", MessageKind::Warning, 0x04);
}

}  // namespace kolo::win
