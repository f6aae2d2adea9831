#include "widgets/win/gif_image_list.h"

#include <algorithm>

#include "platform/win/window.h"

namespace kolo {

void ImageListLink::Set(TVMGIFImageList* list) {
  if (list_ == list) return;
  if (list_) {
    auto& links = list_->links_;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
  }
  list_ = list;
  if (list_) list_->links_.push_back(this);
}

TVMGIFImageList::~TVMGIFImageList() {
  // Links forget the list before hearing about it, so they draw nothing.
  auto links = links_;
  links_.clear();
  for (ImageListLink* link : links) link->list_ = nullptr;
  for (ImageListLink* link : links) link->Notify();
}

void TVMGIFImageList::NotifyLinks() {
  auto links = links_;
  for (ImageListLink* link : links) {
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Notify();
  }
}

bool TVMGIFImageList::LoadFromResource(const wchar_t* name, HMODULE module) {
  if (!module) module = ::GetModuleHandleW(nullptr);
  HRSRC res = ::FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  const std::uint8_t* bytes = nullptr;
  DWORD size = 0;
  if (res) {
    HGLOBAL global = ::LoadResource(module, res);
    size = ::SizeofResource(module, res);
    if (global) bytes = static_cast<const std::uint8_t*>(::LockResource(global));
  }
  if (!bytes) {
    Clear();
    return false;
  }
  return LoadFromPack({bytes, size});
}

bool TVMGIFImageList::LoadFromResource(const char* name, HMODULE module) {
  return LoadFromResource(win::Widen(name).c_str(), module);
}

bool TVMGIFImageList::LoadFromPack(std::span<const std::uint8_t> pack) {
  std::vector<ImagePackItem> parsed;
  bool sound = ParseImagePack(pack, parsed);
  items_.clear();
  items_.reserve(parsed.size());
  for (auto& p : parsed) items_.push_back({std::move(p.caption), {}, p.tag, GifBitmaps(std::move(p.gif))});
  NotifyLinks();
  return sound;
}

int TVMGIFImageList::Add(std::string caption, int tag, std::vector<std::uint8_t> gif) {
  items_.push_back({std::move(caption), {}, tag, GifBitmaps(std::move(gif))});
  NotifyLinks();
  return Count() - 1;
}

void TVMGIFImageList::Clear() {
  items_.clear();
  NotifyLinks();
}

int TVMGIFImageList::IndexOfCaption(const std::string& caption) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)].Caption == caption) return i;
  return -1;
}

SIZE TVMGIFImageList::ImageSize(int index) const {
  const GifBitmaps* img = Image(index);
  if (!img || !img->Valid()) return SIZE{0, 0};
  return SIZE{img->Width(), img->Height()};
}

int TVMGIFImageList::FrameCount(int index) const {
  const GifBitmaps* img = Image(index);
  return img ? img->FrameCount() : 0;
}

int TVMGIFImageList::FrameDelay(int index, int frame) const {
  const GifBitmaps* img = Image(index);
  return img ? img->FrameDelay(frame) : 0;
}

bool TVMGIFImageList::Draw(HDC dc, int x, int y, int index, int frame) const {
  const GifBitmaps* img = Image(index);
  return img && img->Draw(dc, x, y, frame);
}

bool TVMGIFImageList::DrawPart(HDC dc, const IntRect& target, int index, const IntRect& source, int frame) const {
  const GifBitmaps* img = Image(index);
  return img && img->DrawPart(dc, target, source, frame);
}

GifPicture* TVMGIFImageList::Picture(int index) {
  return Has(index) ? items_[static_cast<size_t>(index)].Image.Picture() : nullptr;
}

void TVMGIFImageList::PictureChanged(int index) {
  if (!Has(index)) return;
  items_[static_cast<size_t>(index)].Image.Changed();
  NotifyLinks();
}

}  // namespace kolo
