#include "app/win/picture_lists.h"

#include <gdiplus.h>

#include "images/win/image_files.h"
#include "images/win/image_list.h"

namespace kolo::win {

namespace {

class ImageListPictures : public PictureList {
 public:
  ImageListPictures() {
    list_.OnSelect = [this](TKOLImageList&) { if (onSelect) onSelect(); };
    list_.OnDeletePress = [this](TKOLImageList&) { if (onDeletePress) onDeletePress(); };
    list_.OnSetFocus = [this](TKOLImageList&) { if (onSetFocus) onSetFocus(); };
    list_.OnDblClick = [this](Widget&) { if (onDblClick) onDblClick(); };
    list_.OnPopup = [this](TKOLImageList&, int x, int y) { if (onPopup) onPopup(x, y); };
  }

  Widget& Control() override { return list_; }
  void Setup(const std::wstring& folder, int column, TVMScrollImage* scroller) override {
    list_.Path = folder;
    list_.Filter = "png";
    SetColumn(column);
    list_.SetVerticalScroller(scroller);
  }
  int Column() const override { return list_.Column; }
  void SetColumn(int column) override {
    list_.Column = column;
    // The cells follow the column count on the next layout.
    if (list_.Handle()) ::SendMessageW(list_.Handle(), WM_SIZE, 0, MAKELPARAM(list_.Width(), list_.Height()));
  }
  void SetDrawSelected(bool on) override {
    list_.DrawSelected = on;
    list_.Invalidate();
  }
  void LoadFromFile(const std::wstring& file) override { list_.LoadFromFile(file); }
  bool SaveToFile(const std::wstring& file) const override { return list_.SaveToFile(file); }
  void Add(const std::string& fileName, long long transparent, const std::string& url) override {
    list_.Add(fileName, transparent, url);
  }
  void ApplyLimit(int limit) override { list_.ApplyLimit(limit); }
  void DeleteSelected() override { list_.DeleteSelected(); }
  void Clear() override { list_.Clear(); }
  bool MoveSelectedToTop() override { return list_.MoveSelectedToTop(); }
  int Count() const override { return list_.Count(); }
  int ItemIndex() const override { return list_.ItemIndex(); }
  void Select(int index) override {
    list_.SetItemIndex(index);
    list_.ScrollToSelected();
  }
  std::optional<PictureInfo> Selected() const override {
    const int i = list_.ItemIndex();
    if (i < 0 || i >= list_.Count()) return std::nullopt;
    const TKOLImgobj& item = const_cast<TKOLImageList&>(list_).Item(i);
    return PictureInfo{item.attrs.fileName, item.attrs.url, item.attrs.transparent, item.attrs.modified,
                       item.imageWidth, item.imageHeight};
  }
  void SetSelectedAttrs(long long transparent, bool modified, const std::string& url) override {
    if (TKOLImgobj* item = list_.Select()) {
      item->attrs.transparent = transparent;
      item->attrs.modified = modified;
      item->attrs.url = url;
    }
  }
  void RefreshSelectedThumbnail() override {
    const TKOLImgobj* item = list_.Select();
    if (!item) return;
    if (auto image = LoadImageFile(list_.Path + Widen(item->attrs.fileName)))
      list_.RefreshThumbnail(list_.ItemIndex(), *image);
  }

 private:
  TKOLImageList list_;
};

}  // namespace

std::unique_ptr<PictureList> MakePictureList() { return std::make_unique<ImageListPictures>(); }

PictureFiles MakePictureFiles() {
  PictureFiles f;
  f.load = [](const std::wstring& path) { return LoadImageFile(path); };
  f.savePng = [](Gdiplus::Bitmap& image, const std::wstring& path) { return SaveImagePng(image, path); };
  f.writeReplacing = [](const std::wstring& path, const std::string& bytes) { return WriteFileReplacing(path, bytes); };
  f.readWhole = [](const std::wstring& path, std::size_t limit) { return ReadWholeFile(path, limit); };
  return f;
}

}  // namespace kolo::win
