// A folder's picture list (thumbnails in columns, attributes in "list.bin")
// and the picture-file routines, as a tab sees them that does not own the
// screenshot folder's classes: the clipboard history keeps its pictures in the
// same kind of list. The main window makes both and hands them over.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "widgets/win/scroll_image.h"
#include "widgets/win/widget.h"

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

// One picture of a list.
struct PictureInfo {
  std::string fileName;  // in the list's folder
  std::string url;       // empty: not published
  long long transparent = -1;
  bool modified = false;
  int width = 0, height = 0;  // 0 until its thumbnail is made
};

class PictureList {
 public:
  virtual ~PictureList() = default;

  // The list's window (create it on a page with Create, then Setup).
  virtual Widget& Control() = 0;
  virtual void Setup(const std::wstring& folder, int column, TVMScrollImage* scroller) = 0;
  virtual int Column() const = 0;
  virtual void SetColumn(int column) = 0;
  virtual void SetDrawSelected(bool on) = 0;

  virtual void LoadFromFile(const std::wstring& file) = 0;
  virtual bool SaveToFile(const std::wstring& file) const = 0;
  virtual void Add(const std::string& fileName, long long transparent, const std::string& url) = 0;
  // Removes the oldest pictures (and their files) beyond `limit`; below 5 means no limit.
  virtual void ApplyLimit(int limit) = 0;
  virtual void DeleteSelected() = 0;
  virtual void Clear() = 0;
  virtual bool MoveSelectedToTop() = 0;

  virtual int Count() const = 0;
  virtual int ItemIndex() const = 0;
  // Selects (no select event) and scrolls the picture into view.
  virtual void Select(int index) = 0;
  virtual std::optional<PictureInfo> Selected() const = 0;
  // The selected picture's attributes change.
  virtual void SetSelectedAttrs(long long transparent, bool modified, const std::string& url) = 0;
  // Its file changed: the thumbnail is made again from it.
  virtual void RefreshSelectedThumbnail() = 0;

  std::function<void()> onSelect, onDeletePress, onSetFocus, onDblClick;
  std::function<void(int screenX, int screenY)> onPopup;
};

// Picture files. Any thread may call load, savePng and writeReplacing.
struct PictureFiles {
  // Null when the file is missing or not a picture.
  std::function<std::unique_ptr<Gdiplus::Bitmap>(const std::wstring& path)> load;
  // False on any failure; no half-written file is left.
  std::function<bool(Gdiplus::Bitmap& image, const std::wstring& path)> savePng;
  // A temporary file renamed over `path`, so a crash leaves the old file whole.
  std::function<bool(const std::wstring& path, const std::string& bytes)> writeReplacing;
  std::function<std::optional<std::vector<std::uint8_t>>(const std::wstring& path, std::size_t limit)> readWhole;
};

}  // namespace kolo::win
