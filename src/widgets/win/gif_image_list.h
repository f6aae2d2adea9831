// TVMGIFImageList: the store of the interface's pictures, addressed by index.
// Loaded from a pack resource made by the art build; index -1 or past the end
// draws nothing, as does an item whose GIF is missing or broken.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "widgets/image_pack.h"
#include "widgets/win/gif_bitmaps.h"

namespace kolo {

class TVMGIFImageList;

// A control's reference to an image list. The list tells its links when its
// pictures change and when it is destroyed; the link then forgets it.
class ImageListLink {
 public:
  explicit ImageListLink(std::function<void()> onChange = {}) : onChange_(std::move(onChange)) {}
  ~ImageListLink() { Set(nullptr); }
  ImageListLink(const ImageListLink&) = delete;
  ImageListLink& operator=(const ImageListLink&) = delete;

  void Set(TVMGIFImageList* list);
  TVMGIFImageList* Get() const { return list_; }
  TVMGIFImageList* operator->() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }

 private:
  friend class TVMGIFImageList;
  void Notify() { if (onChange_) onChange_(); }
  TVMGIFImageList* list_ = nullptr;
  std::function<void()> onChange_;
};

class TVMGIFImageList {
 public:
  struct Item {
    std::string Caption;   // the image's file name
    std::string FileName;
    int Tag = 0;
    GifBitmaps Image;
  };

  TVMGIFImageList() = default;
  ~TVMGIFImageList();
  TVMGIFImageList(const TVMGIFImageList&) = delete;
  TVMGIFImageList& operator=(const TVMGIFImageList&) = delete;

  // Replaces the items with a pack's (RCDATA resource `name` of `module`, the
  // program itself when null). False when the resource is missing or damaged;
  // the sound items before a defect are kept.
  bool LoadFromResource(const wchar_t* name, HMODULE module = nullptr);
  bool LoadFromResource(const char* name, HMODULE module = nullptr);
  bool LoadFromPack(std::span<const std::uint8_t> pack);

  int Add(std::string caption, int tag, std::vector<std::uint8_t> gif);
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  const Item* At(int index) const { return Has(index) ? &items_[static_cast<size_t>(index)] : nullptr; }
  std::string Caption(int index) const { return Has(index) ? items_[static_cast<size_t>(index)].Caption : std::string(); }
  int Tag(int index) const { return Has(index) ? items_[static_cast<size_t>(index)].Tag : 0; }
  int IndexOfCaption(const std::string& caption) const;

  SIZE ImageSize(int index) const;
  int FrameCount(int index) const;
  int FrameDelay(int index, int frame) const;
  const GifBitmaps* Image(int index) const { return Has(index) ? &items_[static_cast<size_t>(index)].Image : nullptr; }

  bool Draw(HDC dc, int x, int y, int index, int frame = 0) const;
  bool DrawPart(HDC dc, const IntRect& target, int index, const IntRect& source, int frame = 0) const;

  // For recolouring: edit the decoded picture, then call PictureChanged.
  GifPicture* Picture(int index);
  void PictureChanged(int index);

 private:
  friend class ImageListLink;
  void NotifyLinks();
  std::vector<Item> items_;
  std::vector<ImageListLink*> links_;
};

}  // namespace kolo
