// The picture list's arithmetic (the layout picker's list): pictures filtered
// by their tag, stacked at their own heights 2 pixels apart, scrolled by a
// pixel position, and the picture under a point.
#pragma once

#include <vector>

namespace kolo {

inline constexpr int kViewListGap = 2;

class ViewListLayout {
 public:
  struct Item {
    int height = 0;
    int tag = 0;
  };

  void SetItems(std::vector<Item> items) { items_ = std::move(items); }
  // Below 1 every picture passes; otherwise only those with that tag.
  void SetTagFilter(int filter) { tagFilter_ = filter; }
  int TagFilter() const { return tagFilter_; }
  bool Passes(int index) const;
  int Count() const { return static_cast<int>(items_.size()); }

  // All passing pictures with their gaps, and how far that scrolls in a view of `height`.
  int ContentHeight() const;
  int ScrollMax(int height) const;
  // Where the place of picture `index` starts in the content (its gap above
  // it, then the picture); -1 for one that does not pass.
  int Offset(int index) const;
  // The picture whose place (its gap included) holds view y, or -1.
  int At(int position, int y) const;
  // The first passing picture (-1 when none passes).
  int FirstPassing() const;

 private:
  std::vector<Item> items_;
  int tagFilter_ = 0;
};

}  // namespace kolo
