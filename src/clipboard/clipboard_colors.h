// The colour history's rules that are not Windows: the entries and their
// selection, additions, moves and drops, keyboard moves, the row hit test, the
// stored forms (3 bytes per entry in the settings; a text file beside the
// pictures), and the timestamp names of new clipboard pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "color/color.h"

namespace kolo {

class ClipboardColorModel {
 public:
  static constexpr int kMaxEntries = 1000;  // after an addition

  std::vector<TColor> Colors;  // index 0 at the top
  int ItemIndex = -1;

  int Count() const { return static_cast<int>(Colors.size()); }

  // Equal entries go, the colour goes to the top, the oldest beyond the limit
  // drop; the selection follows the colour it was on.
  void AddColor(TColor c);
  void Clear();
  void DeleteSelected();
  void MoveSelectedToTop();

  // A dragged colour dropped on an entry's swatch (dropIndex), else into the
  // gap `gap`. `pressedIndex` is the entry a drag from this list started on
  // (-1 for another source). False when nothing changed.
  bool Drop(TColor c, int dropIndex, int gap, int pressedIndex);

  enum class Key { Up, Down, PageUp, PageDown, Home, End };
  // Moves the selection; `top` is the first shown row, `visible` the rows that
  // fit, `topMax` the scroller's maximum. False when the key moved nothing.
  bool Navigate(Key key, int visible, int topMax, int& top);

  // The settings' form: blue, green and red bytes per entry.
  void SetColorBytes(std::span<const std::uint8_t> bytes, int count);
  std::vector<std::uint8_t> GetColorBytes() const;
};

// Where a point of the rows falls. Row pitch is size + 4.
struct ClipRowHit {
  int entry = -1;  // -1: past the last entry
  int gap = -1;    // insertion gap under the point, or -1
  bool onSwatch = false;
  bool onButton = false;
};
struct ClipButtonBox {
  int left = 0, width = 0, height = 0, offsetY = 0;  // in a row
};
ClipRowHit ClipRowHitTest(int x, int y, int size, int top, int count, const ClipButtonBox& button);

// The history file: a header line, then one colour a line as RRGGBB. The
// reader keeps every well-formed line it finds and never reads past `bytes`.
inline constexpr std::size_t kMaxHistoryFileColors = 65536;
std::string WriteColorHistory(std::span<const TColor> colors);
std::vector<TColor> ParseColorHistory(std::span<const std::uint8_t> bytes);

// The time of a new clipboard picture's name: `now`, or a second after the
// last one handed out when that is later, then on past every taken second.
// Equal to waiting a second per clash, without the wait.
std::time_t NextPictureTime(std::time_t now, std::time_t lastUsed, const std::function<bool(std::time_t)>& taken);
// "yymmddhhnnss.png" of a local time.
std::string PictureFileName(const std::tm& local);

}  // namespace kolo
