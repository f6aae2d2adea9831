#include "widgets/win/picture_controls.h"

#include "art_ids.h"
#include "platform/win/window.h"

namespace kolo::win {

TVMImageButtonListID ButtonStates(int first) {
  TVMImageButtonListID ids;
  ids.Normal = first + art::kStateNormal;
  ids.Move = first + art::kStateHover;
  ids.Down = first + art::kStateDown;
  ids.Disable = first + art::kStateDisabled;
  ids.Selected = ids.Move;
  return ids;
}

TVMImageButtonListID ScrollPartStates(int first) {
  TVMImageButtonListID ids = ButtonStates(first);
  ids.Selected = ids.Normal;
  return ids;
}

void PlacePictureButton(TVMPictureButton& button, TVMGIFImageList& images, Widget& parent, int first, int x, int y,
                        const std::string& hint, const std::wstring& name, SIZE fallback) {
  button.SetImageList(&images);
  button.SetImageListID(ButtonStates(first));
  const SIZE size = images.ImageSize(first);
  button.Create(parent, x, y, size.cx > 0 ? size.cx : fallback.cx, size.cy > 0 ? size.cy : fallback.cy);
  if (!hint.empty()) button.SetHint(hint);
  const std::wstring text = !name.empty() ? name : hint.size() > 1 ? Widen(hint.substr(1)) : std::wstring();
  ::SetWindowTextW(button.Handle(), text.c_str());
}

void PlaceHorizontalSlider(TVMScrollImage& slider, TVMGIFImageList& scrollImages, Widget& parent, int min, int max,
                           int largeChange, int x, int y, int width, const std::wstring& name) {
  slider.SetKing(TScrollKing::Horizontal);
  slider.SetImageList(&scrollImages);
  slider.ImageUp = ButtonStates(art::kScrollImgArrowLeftNormal);
  slider.ImageDown = ButtonStates(art::kScrollImgArrowRightNormal);
  slider.ImageScroll = ButtonStates(art::kScrollImgThumbHorizontalNormal);
  slider.CentralImageID = art::kScrollImgGripHorizontal;
  slider.SetMin(min);
  slider.SetMax(max);
  slider.SmallChange = 1;
  slider.LargeChange = largeChange;
  slider.SetPageSize(16);
  slider.Create(parent, x, y, width, 9);
  ::SetWindowTextW(slider.Handle(), name.c_str());
}

void PlaceVerticalSlider(TVMScrollImage& slider, TVMGIFImageList& scrollImages, Widget& parent, int smallChange,
                         int x, int y, int height, const std::wstring& name) {
  slider.SetKing(TScrollKing::Vertical);
  slider.SetImageList(&scrollImages);
  slider.ImageUp = ScrollPartStates(art::kScrollImgArrowUpNormal);
  slider.ImageDown = ScrollPartStates(art::kScrollImgArrowDownNormal);
  slider.ImageScroll = ScrollPartStates(art::kScrollImgThumbVerticalNormal);
  slider.CentralImageID = art::kScrollImgGripVertical;
  slider.SmallChange = smallChange;
  slider.Create(parent, x, y, 9, height);
  ::SetWindowTextW(slider.Handle(), name.c_str());
}

}  // namespace kolo::win
