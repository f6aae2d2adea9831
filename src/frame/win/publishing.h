// The seam between the tabs that hold pictures (screenshots, clipboard
// pictures) and publishing: a tab offers its picture and its list's selected
// item as a PublishSource; the publisher the app installs does the rest.
#pragma once

#include <string>

namespace Gdiplus {
class Image;
}

namespace kolo::win {

class PublishSource {
 public:
  virtual ~PublishSource() = default;
  // The picture to send (none: nothing to publish) and its transparent colour or -1.
  virtual Gdiplus::Image* PublishImage() = 0;
  virtual long long PublishTransparent() = 0;
  // The list's selected item: its address and whether it changed since it was published.
  virtual bool HasSelectedItem() = 0;
  virtual std::string SelectedItemUrl() = 0;
  virtual bool SelectedItemModified() = 0;
  // Stores the address with the selected item, clears its modified flag and keeps the list.
  virtual void SetSelectedItemUrl(const std::string& url) = 0;
  // The current picture becomes a new list item carrying the address field's text.
  virtual void AddPublishedImage() = 0;
  virtual void UpdatePublishHint() = 0;
};

class Publisher {
 public:
  virtual ~Publisher() = default;
  virtual void ImageToWeb(PublishSource& source) = 0;
  virtual void PublishOnSite(PublishSource& source) = 0;
  virtual void ViewOnSite(PublishSource& source) = 0;
};

// The program's publisher (none in tests that do not install one).
void SetPublisher(Publisher* publisher);
Publisher* GetPublisher();

}  // namespace kolo::win
