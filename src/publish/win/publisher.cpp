#include "publish/win/publisher.h"

#include <string>

#include "frame/win/main_frame.h"
#include "frame/win/system_win.h"
#include "publish/http_client.h"
#include "publish/win/connection.h"
#include "publish/win/upload_form.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {

namespace {

bool IsOne(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return first != std::string::npos && text.substr(first, last - first + 1) == "1";
}

}  // namespace

void TPublisher::OpenPage(const std::string& url) {
  if (upload_.openPage) upload_.openPage(url);
  else OpenURL(url);
}

bool TPublisher::Reach() {
  if (ConnectedFlag()) return true;
  std::string proxy = main_.Options().proxy;
  if (!ConnectToService(proxy, ProbeAddress(main_.Options().uploadURL))) return false;
  main_.Options().proxy = proxy;
  return true;
}

bool TPublisher::Send(PublishSource& source, const std::string& url) {
  Gdiplus::Image* image = source.PublishImage();
  if (!image) return false;
  return upload_.Execute(main_, *image, source.PublishTransparent(), url) == kResultOk && !upload_.URL.empty();
}

void TPublisher::ImageToWeb(PublishSource& source) {
  if (Reach()) {
    const std::string itemUrl = source.HasSelectedItem() ? source.SelectedItemUrl() : std::string();
    if (itemUrl.find("id=") != std::string::npos) {
      bool resend = source.SelectedItemModified();
      if (!resend) {
        // Still on the service? Then it is only shown again.
        std::string answer;
        ConnectedFlag() = HttpGetText(*CheckAddress(itemUrl), answer);
        if (ConnectedFlag()) {
          if (IsOne(answer)) OpenPage(itemUrl);
          else resend = true;
        }
      }
      if (resend && Send(source, itemUrl)) {
        source.SetSelectedItemUrl(upload_.URL);
        main_.ImageBottomTab().SetUrl(upload_.URL);
      }
    } else if (Send(source, "")) {
      main_.ImageBottomTab().SetUrl(upload_.URL);
      if (source.HasSelectedItem()) source.SetSelectedItemUrl(upload_.URL);
      else source.AddPublishedImage();
    }
  }
  Finish(source);
}

void TPublisher::PublishOnSite(PublishSource& source) {
  if (!source.HasSelectedItem()) source.AddPublishedImage();
  if (Reach()) {
    std::string url = source.HasSelectedItem() ? source.SelectedItemUrl() : std::string();
    const std::string& service = main_.Options().uploadURL;
    if (url.compare(0, service.size(), service) != 0) url.clear();
    if (Send(source, url)) {
      source.SetSelectedItemUrl(upload_.URL);
      main_.ImageBottomTab().SetUrl(upload_.URL);
    }
  }
  Finish(source);
}

void TPublisher::ViewOnSite(PublishSource& source) {
  if (source.HasSelectedItem() && !source.SelectedItemUrl().empty()) OpenPage(source.SelectedItemUrl());
}

void TPublisher::Finish(PublishSource& source) {
  source.UpdatePublishHint();
  if (main_.ImageBottomTabBuilt()) main_.ImageBottomTab().SetUrl(main_.ImageBottomTab().Url());
  if (!ConnectedFlag()) ShowMessageBox("Unable to connect to the site.", MessageKind::Warning, kMbOk);
}

}  // namespace kolo::win
