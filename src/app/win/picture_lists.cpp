#include "app/win/picture_lists.h"

#include <gdiplus.h>

#include "clipboard/win/clipboard_tab.h"
#include "images/win/image_codec.h"
#include "images/win/image_files.h"
#include "images/win/image_list.h"
#include "images/win/picture_commands.h"
#include "images/win/preview_form.h"

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
  friend TKOLImageList* ImageListOf(PictureList& list);
  TKOLImageList list_;
};

TKOLImageList* ImageListOf(PictureList& list) {
  auto* pictures = dynamic_cast<ImageListPictures*>(&list);
  return pictures ? &pictures->list_ : nullptr;
}

// Runs `command` on the picture read from `file`; nothing when it cannot be read.
void WithPicture(const std::wstring& file, const std::function<void(Gdiplus::Bitmap&)>& command) {
  if (auto image = LoadImageFile(file)) command(*image);
}

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

PictureOperations MakePictureOperations(TMainFrame& main) {
  PictureOperations ops;
  ops.rotateFlip = [](const std::wstring& file, int code) {
    return EditPictureFile(file, [code](Gdiplus::Bitmap& image) -> std::unique_ptr<Gdiplus::Bitmap> {
      if (image.RotateFlip(static_cast<Gdiplus::RotateFlipType>(code)) != Gdiplus::Ok) return nullptr;
      const int w = static_cast<int>(image.GetWidth()), h = static_cast<int>(image.GetHeight());
      return std::unique_ptr<Gdiplus::Bitmap>(image.Clone(0, 0, w, h, PixelFormat32bppARGB));
    });
  };
  ops.resize = [](const std::wstring& file, int width, int height) {
    return EditPictureFile(file, [width, height](Gdiplus::Bitmap& image) { return ScaledCopy(image, width, height); });
  };
  ops.save = [&main](const std::wstring& file, long long transparent) {
    WithPicture(file, [&](Gdiplus::Bitmap& image) { SavePictureCommand(main, image, transparent); });
  };
  ops.copy = [&main](const std::wstring& file, long long transparent) {
    WithPicture(file, [&](Gdiplus::Bitmap& image) { CopyPictureCommand(main, image, transparent); });
  };
  ops.print = [&main](const std::wstring& file, long long transparent) {
    WithPicture(file, [&](Gdiplus::Bitmap& image) { PrintPictureCommand(main, image, transparent); });
  };
  // The preview opens on the selected picture and reads the others from the
  // list itself; where it stood when closed becomes the selection.
  ops.preview = [](PictureList& pictures, long long transparent) {
    TfrmImagePreview* preview = ImagePreviewForm();
    TKOLImageList* list = ImageListOf(pictures);
    if (!preview || preview->IsOpen() || !list || !list->Handle()) return -1;
    TfrmImagePreview::Callbacks callbacks;
    callbacks.onRelease = [] { return std::unique_ptr<Gdiplus::Bitmap>(); };
    callbacks.onClose = [&pictures](TfrmImagePreview& p) {
      if (p.Index() >= 0 && p.Index() < pictures.Count() && p.Index() != pictures.ItemIndex()) pictures.Select(p.Index());
      if (TKOLImageList* l = ImageListOf(pictures)) l->Invalidate();
    };
    preview->Show(nullptr, pictures.ItemIndex(), std::move(callbacks), transparent, *list);
    return -1;
  };
  return ops;
}

}  // namespace kolo::win
