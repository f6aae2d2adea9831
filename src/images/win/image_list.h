// TKOLImageList: the thumbnails of one folder's image files as a grid, with
// the per-image attributes kept in "list.bin" beside them. Thumbnails are made
// on a worker thread (TKOLLoader) from a snapshot of the items' paths and
// handed to the window thread through a queue, so the list may change while
// the loader runs and the painter only ever sees finished thumbnails.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "images/image_list_model.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/scroll_math.h"
#include "widgets/win/scroll_image.h"

namespace Gdiplus {
class Image;
}

namespace kolo::win {

// A finished thumbnail: premultiplied 32-bit pixels in a DIB section.
struct Thumbnail {
  Bitmap bitmap;
  int width = 0, height = 0;
  int imageWidth = 0, imageHeight = 0;
};

// Makes the thumbnail of an image (drawn with `transparent` as a colour key
// when it is not -1). Null for an image without pixels. Any thread.
std::shared_ptr<Thumbnail> MakeThumbnail(Gdiplus::Image& image, long long transparent);
// The same from a file; null when it is missing or cannot be decoded.
std::shared_ptr<Thumbnail> MakeThumbnailFromFile(const std::wstring& path, long long transparent);

struct TKOLImgobj {
  ImageItemAttrs attrs;
  std::uint64_t id = 0;  // stays with the item while it moves; the loader addresses it by this
  std::shared_ptr<Thumbnail> thumbnail;
  int imageWidth = 0, imageHeight = 0;
};

class TKOLImageList : public TVMNotRefreshPanel {
 public:
  TKOLImageList();
  ~TKOLImageList() override;

  std::wstring Path;  // ends with a backslash
  int Column = 2;
  std::string Filter = "jpg";
  TColor SelectColor = 0xE0B868;
  bool DrawSelected = true;
  std::function<void(TKOLImageList&)> OnSelect, OnDeletePress, OnSetFocus;
  // Right button: after the selection, at the cursor (screen coordinates).
  std::function<void(TKOLImageList&, int x, int y)> OnPopup;
  std::function<void(TKOLImageList&, const std::string& fileName)> OnHintItem;

  void SetVerticalScroller(TVMScrollImage* scroller);

  // Lists the folder, reads the item file and starts the loader.
  void LoadFromFile(const std::wstring& file);
  // Writes the item file through a temporary file; false when it could not be written.
  bool SaveToFile(const std::wstring& file) const;

  void Add(const std::string& fileName, long long colour, const std::string& url);
  void ApplyLimit(int n);
  void DeleteSelected();
  // Removes one item and its file without OnSelect; the selection stays on its item where it can.
  void DeleteAt(int index);
  void Clear();
  // False when the file could not be renamed (the item takes the new name anyway).
  bool MoveSelectedToTop();
  void RefreshThumbnail(int index, Gdiplus::Image& image);
  void ScrollToSelected();

  int Count() const { return static_cast<int>(items_.size()); }
  TKOLImgobj& Item(int index) { return items_[static_cast<size_t>(index)]; }
  TKOLImgobj* Select() { return itemIndex_ >= 0 && itemIndex_ < Count() ? &Item(itemIndex_) : nullptr; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);  // no OnSelect
  int ScrollPos() const { return scroll_; }
  ListGrid Grid() const { return {Width(), Height(), Column, Count()}; }
  // The loader has delivered every thumbnail of the last load.
  bool LoaderDone() const { return loaderDone_; }
  // Test and benchmark probe: called after the loader's repaints (5th and last).
  std::function<void(int delivered)> onLoaderRepaint;

 protected:
  const wchar_t* ClassName() const override { return L"TKOLImageList"; }
  void PaintContent(HDC dc, const IntRect& inner) override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseLeave() override;
  bool MouseWheel(int delta) override;
  void KeyDown(WORD key, unsigned shift) override;
  void Resized() override;
  void FocusChanged() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Job {
    std::uint64_t id;
    std::wstring path;
    long long transparent;
  };
  struct Delivery {
    std::uint64_t id;
    std::shared_ptr<Thumbnail> thumbnail;
  };
  void StopLoader();
  void StartLoader();
  // What the loader shares with the window; it outlives either of them.
  // Shared by the load's workers: they take the jobs in list order.
  struct LoaderState {
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::vector<Delivery> queue;
    HWND window = nullptr;
    std::vector<Job> jobs;
    std::atomic<std::size_t> next{0}, done{0};
  };
  static void LoaderRun(std::shared_ptr<LoaderState> state, std::uint64_t generation);
  void TakeDeliveries();
  void Layout();
  void SetScroll(int pos);
  void Changed(int newIndex);
  void RemoveAt(int index, bool deleteFile);
  std::wstring FullPath(const std::string& fileName) const;

  std::vector<TKOLImgobj> items_;
  int itemIndex_ = -1;
  int scroll_ = 0;
  int hoverIndex_ = -2;
  std::uint64_t nextId_ = 1;
  TVMScrollImage* scroller_ = nullptr;
  WheelAccumulator wheel_;

  std::shared_ptr<LoaderState> loader_;
  std::atomic<bool> loaderDone_{true};
  std::uint64_t generation_ = 0;
  int delivered_ = 0;
};

}  // namespace kolo::win
