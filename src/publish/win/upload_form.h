// TfrmUpload: the small modal window that shows an upload's progress, and
// TUploadThread, the worker that encodes the picture as PNG and sends it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "platform/win/handles.h"
#include "publish/http_client.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/dialog_form.h"
#include "widgets/win/not_refresh_panel.h"

namespace Gdiplus {
class Image;
class Bitmap;
}

namespace kolo::win {

class TMainFrame;

// The worker's state. The dialog and the thread share it, so a cancelled
// worker may finish on its own after the dialog has moved on.
struct TUploadThread {
  long long transparent = -1;
  std::string url;        // the image's existing address, or empty
  std::string uploadUrl;  // the service's upload address
  int widthLimit = 1500;
  std::unique_ptr<Gdiplus::Image> image;  // the worker's own copy
  HttpRequest request;
  std::atomic<long long> total{0}, sent{0};
  std::atomic<bool> stop{false}, finished{false};
  bool success = false;
  std::string answer;  // the new address on success

  void Execute();
};

// The PNG sent for a picture: at most `limit` pixels wide, the transparent
// colour (when not -1) made fully transparent. Empty when encoding failed.
std::string EncodeUploadPng(Gdiplus::Image& image, long long transparent, int limit);

class TfrmUpload : public TDialogForm {
 public:
  static constexpr int kWidth = 305, kHeight = 118;
  static constexpr int kBarWidth = 259, kBarHeight = 25;

  TfrmUpload();
  ~TfrmUpload() override;
  bool Create(HWND owner);

  // Sends the picture; 1 done (URL holds the new address), 2 cancelled, 7 failed
  // (after "There was an error loading the image.").
  int Execute(TMainFrame& main, Gdiplus::Image& image, long long transparent, const std::string& url);
  std::string URL;
  // Opens the new address (the default browser unless a test says otherwise).
  std::function<void(const std::string&)> openPage;

  void btnCloseClick();
  // Width in pixels of the filled part of the bar.
  int ProgressWidth() const { return progress_; }
  using TDialogForm::Running;

  // Called once the window is showing, before it waits (tests act from here).
  static void SetShownHook(std::function<void(TfrmUpload&)> hook);

  TVMPictureButton btnClose, btnCloseBottom;
  // pntProgress: the framed bar; imgProgress: its filled part.
  TVMNotRefreshPanel pntProgress, imgProgress;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void ProgressTimer();
  void SetProgress(int width);
  void End(int result);

  TVMGIFImageList images_;
  std::shared_ptr<TUploadThread> worker_;
  UINT_PTR timer_ = 0;
  int progress_ = 0;
  int result_ = 0;
};

}  // namespace kolo::win
