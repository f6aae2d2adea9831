#include "widgets/view_list_rules.h"

#include <algorithm>

namespace kolo {

bool ViewListLayout::Passes(int index) const {
  if (index < 0 || index >= Count()) return false;
  return tagFilter_ < 1 || items_[static_cast<size_t>(index)].tag == tagFilter_;
}

int ViewListLayout::ContentHeight() const {
  int total = 0;
  for (int i = 0; i < Count(); ++i)
    if (Passes(i)) total += items_[static_cast<size_t>(i)].height + kViewListGap;
  return total;
}

int ViewListLayout::ScrollMax(int height) const { return std::max(0, ContentHeight() - height); }

int ViewListLayout::Offset(int index) const {
  if (!Passes(index)) return -1;
  int y = 0;
  for (int i = 0; i < index; ++i)
    if (Passes(i)) y += items_[static_cast<size_t>(i)].height + kViewListGap;
  return y;
}

int ViewListLayout::At(int position, int y) const {
  int top = -position;
  for (int i = 0; i < Count(); ++i) {
    if (!Passes(i)) continue;
    const int next = top + items_[static_cast<size_t>(i)].height + kViewListGap;
    if (y >= top && y < next) return i;
    top = next;
  }
  return -1;
}

int ViewListLayout::FirstPassing() const {
  for (int i = 0; i < Count(); ++i)
    if (Passes(i)) return i;
  return -1;
}

}  // namespace kolo
