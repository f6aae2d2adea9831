#include "fonts/font_list_model.h"

#include <algorithm>

namespace kolo {

std::string ResolveFontName(const std::string& name, const std::function<bool(const std::string&)>& installed) {
  if (!name.empty() && (!installed || installed(name))) return name;
  return kFallbackFontName;
}

void FontListModel::SetNames(std::vector<std::string> names) {
  names_ = std::move(names);
  itemIndex = std::min(itemIndex, Count() - 1);
  SetPosition(0);
}

void FontListModel::SetViewHeight(int height) {
  viewHeight_ = std::max(0, height);
  SetPosition(position_);
}

int FontListModel::ScrollMax() const { return std::max(0, ContentHeight() - viewHeight_); }

void FontListModel::SetPosition(int position) { position_ = std::clamp(position, 0, ScrollMax()); }

bool FontListModel::ScrollToSelected() {
  const auto it = std::find(names_.begin(), names_.end(), selectFontName);
  if (it == names_.end()) return false;
  itemIndex = static_cast<int>(it - names_.begin());
  SetPosition(itemIndex * itemHeight);
  return true;
}

int FontListModel::RowAt(int y) const {
  if (itemHeight <= 0 || position_ + y < 0) return -1;
  const int row = (position_ + y) / itemHeight;
  return row < Count() ? row : -1;
}

bool FontListModel::PressAt(int y) {
  const int row = RowAt(y);
  if (row < 0) return false;
  itemIndex = row;
  selectFontName = names_[static_cast<size_t>(row)];
  return true;
}

bool FontListModel::Key(FontListKey key) {
  const int last = Count() - 1;
  const int page = itemHeight > 0 ? std::max(1, viewHeight_ / itemHeight - 1) : 1;
  switch (key) {
    case FontListKey::Enter:
    case FontListKey::Space:
      if (last < 0) return true;
      itemIndex = std::clamp(itemIndex, 0, last);
      selectFontName = names_[static_cast<size_t>(itemIndex)];
      return true;
    case FontListKey::Escape:
      return true;
    case FontListKey::Up:
    case FontListKey::Down:
    case FontListKey::PageUp:
    case FontListKey::PageDown: {
      if (last < 0) return false;
      const int step = key == FontListKey::Up ? -1 : key == FontListKey::Down ? 1 : key == FontListKey::PageUp ? -page : page;
      itemIndex = std::clamp(itemIndex + step, 0, last);
      ScrollIntoView();
      return false;
    }
    case FontListKey::Home:
      if (last < 0) return false;
      itemIndex = 0;
      SetPosition(0);
      return false;
    case FontListKey::End:
      if (last < 0) return false;
      itemIndex = last;
      SetPosition(ScrollMax());
      return false;
  }
  return false;
}

void FontListModel::ScrollIntoView() {
  const int top = itemIndex * itemHeight;
  if (top < position_)
    SetPosition(top);
  else if (top + itemHeight > position_ + viewHeight_)
    SetPosition(top - viewHeight_ + itemHeight);
}

int FontListModel::LastVisible() const {
  if (Count() == 0 || itemHeight <= 0) return -1;
  // Rows are drawn while their top is inside the view (top <= height).
  const int last = (position_ + viewHeight_) / itemHeight;
  return std::min(last, Count() - 1);
}

}  // namespace kolo
