// The publishing operations of the picture tabs: ImageToWeb (the upload
// button), PublishOnSite (the menu) and ViewOnSite, over a tab's PublishSource.
#pragma once

#include <string>

#include "frame/win/publishing.h"

namespace kolo::win {

class TMainFrame;
class TfrmUpload;

class TPublisher : public Publisher {
 public:
  TPublisher(TMainFrame& main, TfrmUpload& upload) : main_(main), upload_(upload) {}

  void ImageToWeb(PublishSource& source) override;
  void PublishOnSite(PublishSource& source) override;
  void ViewOnSite(PublishSource& source) override;

 private:
  // Reaches the service unless it was reached already; false when it cannot be.
  bool Reach();
  // Sends the picture (to `url` when re-publishing); true with the new address in the upload window.
  bool Send(PublishSource& source, const std::string& url);
  // The address field's buttons, the hint, and the message when the site was not reached.
  void Finish(PublishSource& source);
  // In the browser, or where the upload window's openPage sends its addresses.
  void OpenPage(const std::string& url);

  TMainFrame& main_;
  TfrmUpload& upload_;
};

}  // namespace kolo::win
