// The image list's rules that are not Windows: which files of a folder belong
// to a list, their order, the item file "list.bin" beside them, the thumbnail
// and cell sizes, the grid's scrolling and keyboard moves, trimming to a limit
// and the timestamp names of new files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "color/color.h"

namespace kolo {

// The attributes "list.bin" keeps for one file.
struct ImageItemAttrs {
  std::string fileName;      // relative to the list's folder
  std::string url;           // empty: not published
  long long transparent = -1;  // a TColor, or -1 for none
  bool modified = false;     // changed after it was published
};

// True when the file's extension (without its dot, any case) is one of the
// bar-separated extensions of `filter`.
bool AcceptedByFilter(std::string_view fileName, std::string_view filter);

// Newest first: names descending, byte by byte; a prefix of another name sorts after it.
void SortNamesDescending(std::vector<std::string>& names);

// One line of "list.bin": the name is the file name without its last four characters.
struct ListLine {
  std::string name;
  long long transparent = -1;
  bool modified = false;
  std::string url;
};

// Reads every line it can. Lines are split at CR or LF; each is trimmed; a line
// without its bars keeps the fields before the missing bar. Never reads past
// `bytes`; at most kMaxListLines lines are taken from a huge file.
inline constexpr std::size_t kMaxListLines = 100000;
std::vector<ListLine> ParseListFile(std::span<const std::uint8_t> bytes);

// Applies the lines to the items whose name (without the last four characters)
// matches; lines naming no item are dropped.
void ApplyListLines(std::vector<ImageItemAttrs>& items, const std::vector<ListLine>& lines);

// The file's text: one CR LF line per item with a URL or a transparent colour, in list order.
std::string WriteListFile(const std::vector<ImageItemAttrs>& items);

struct Size {
  int w = 0, h = 0;
  bool operator==(const Size&) const = default;
};

// At most 256 on the longer side, the other side rounded half to even.
Size ThumbnailSize(int width, int height);
// A thumbnail drawn in a cell: fits a square of cell - 4, never enlarged.
Size FitInCell(Size thumb, int cell);

// The grid: `column` cells per row, cell side width / column, scrolled by a pixel offset.
struct ListGrid {
  int width = 0, height = 0, column = 1, count = 0;
  int CellSide() const { return column > 0 ? width / column : 0; }
  int Rows() const { return column > 0 ? (count + column - 1) / column : 0; }
  // The scroller's maximum (never below 0).
  int ScrollMax() const;
  // Item index at a point of the control, or -1.
  int IndexAt(int x, int y, int scroll) const;
  // Top-left of item `index`'s cell in the control.
  int CellLeft(int index) const { return (index % column) * CellSide(); }
  int CellTop(int index, int scroll) const { return (index / column) * CellSide() - scroll; }
  // The selection after a navigation key, or `index` when the key does not move it.
  enum class Key { PageUp, PageDown, Home, End, Left, Right, Up, Down };
  int Navigate(int index, Key key) const;
  // Scroll offset that shows item `index` (the current one when already visible).
  int ScrollIntoView(int index, int scroll) const;
};

// How many of the oldest items ApplyLimit(limit) removes from a list of `count`.
int ItemsOverLimit(int count, int limit);

// "yymmddhhnnss" of a local time.
std::string TimestampName(const std::tm& t);

// The title strip's hint for an item under the pointer: when it was taken
// (from a timestamp name, else the file name), its size once known, and
// whether it is published.
std::string ImageItemHint(const ImageItemAttrs& item, int width, int height);

}  // namespace kolo
