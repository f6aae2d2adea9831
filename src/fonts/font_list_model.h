// The font list's rules without a window: the family names, the highlighted
// row and the chosen name, the scroll position in pixels, what presses and keys
// do, and which rows a paint has to draw.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kolo {

inline constexpr int kMinFontSize = 5, kMaxFontSize = 22;
inline constexpr char kFallbackFontName[] = "Arial";

constexpr int ClampFontSize(int size) { return size < kMinFontSize ? kMinFontSize : size > kMaxFontSize ? kMaxFontSize : size; }

// The family the sample uses: the stored one while it is installed, else Arial.
std::string ResolveFontName(const std::string& name, const std::function<bool(const std::string&)>& installed);

enum class FontListKey { Up, Down, PageUp, PageDown, Home, End, Enter, Space, Escape };

class FontListModel {
 public:
  void SetNames(std::vector<std::string> names);
  const std::vector<std::string>& Names() const { return names_; }
  int Count() const { return static_cast<int>(names_.size()); }

  int itemHeight = 22;
  // The list's height in pixels.
  void SetViewHeight(int height);
  int ViewHeight() const { return viewHeight_; }

  // The slider: a pixel offset in 0..ScrollMax.
  int Position() const { return position_; }
  void SetPosition(int position);
  int ScrollMax() const;
  int ContentHeight() const { return Count() * itemHeight; }

  int itemIndex = -1;         // the highlighted row
  std::string selectFontName;  // the chosen family

  // The first name equal to selectFontName is highlighted and brought to the
  // top of the view (as far as the list scrolls); false when there is none.
  bool ScrollToSelected();

  // The row under y (in the view), or -1 when no row is there.
  int RowAt(int y) const;
  // A press (and each move with the button held): highlights the row under y
  // and chooses its name; false when no row is there.
  bool PressAt(int y);
  // True when the key confirms the choice (the list fires OnSelect).
  bool Key(FontListKey key);

  // Rows a paint draws: from First(), each RowTop(i) until past the height.
  int FirstVisible() const { return itemHeight > 0 ? position_ / itemHeight : 0; }
  int RowTop(int row) const { return row * itemHeight - position_; }
  int LastVisible() const;  // the last row with any part in view, or -1

 private:
  void ScrollIntoView();

  std::vector<std::string> names_;
  int viewHeight_ = 0;
  int position_ = 0;
};

}  // namespace kolo
