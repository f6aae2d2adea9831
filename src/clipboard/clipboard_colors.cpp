#include "clipboard/clipboard_colors.h"

#include <algorithm>

namespace kolo {

void ClipboardColorModel::AddColor(TColor c) {
  const TColor selected = ItemIndex >= 0 && ItemIndex < Count() ? Colors[static_cast<size_t>(ItemIndex)] : clEmptyColor;
  std::erase(Colors, c);
  Colors.insert(Colors.begin(), c);
  if (Count() > kMaxEntries) Colors.resize(kMaxEntries);
  if (ItemIndex >= 0) {
    auto it = std::find(Colors.begin(), Colors.end(), selected);
    ItemIndex = it == Colors.end() ? -1 : static_cast<int>(it - Colors.begin());
  }
}

void ClipboardColorModel::Clear() {
  Colors.clear();
  ItemIndex = -1;
}

void ClipboardColorModel::DeleteSelected() {
  if (ItemIndex < 0 || ItemIndex >= Count()) return;
  Colors.erase(Colors.begin() + ItemIndex);
  if (ItemIndex >= Count()) ItemIndex = Count() - 1;
}

void ClipboardColorModel::MoveSelectedToTop() {
  if (ItemIndex < 0 || ItemIndex >= Count()) return;
  std::rotate(Colors.begin(), Colors.begin() + ItemIndex, Colors.begin() + ItemIndex + 1);
  ItemIndex = 0;
}

bool ClipboardColorModel::Drop(TColor c, int dropIndex, int gap, int pressedIndex) {
  if (dropIndex >= 0 && dropIndex < Count()) {
    Colors[static_cast<size_t>(dropIndex)] = c;
    return true;
  }
  if (gap < 0 || gap > Count()) return false;
  if (pressedIndex < 0 || pressedIndex >= Count()) {
    Colors.insert(Colors.begin() + gap, c);
    if (ItemIndex > gap) ++ItemIndex;
    return true;
  }
  // A move inside the list: the entry leaves its place and lands in the gap.
  const int s = pressedIndex;
  int g = gap;
  if (g < s) {
    std::rotate(Colors.begin() + g, Colors.begin() + s, Colors.begin() + s + 1);
  } else if (s < g) {
    std::rotate(Colors.begin() + s, Colors.begin() + s + 1, Colors.begin() + g);
    --g;
  }
  g = std::min(g, Count() - 1);
  Colors[static_cast<size_t>(g)] = c;
  ItemIndex = g;
  return true;
}

bool ClipboardColorModel::Navigate(Key key, int visible, int topMax, int& top) {
  const int n = Count();
  const int before = ItemIndex;
  const int page = std::max(1, visible - 1);
  bool scrollIntoView = true;
  switch (key) {
    case Key::Up:
      if (ItemIndex > 0) --ItemIndex;
      break;
    case Key::Down:
      if (ItemIndex < n - 1) ++ItemIndex;
      break;
    case Key::PageUp:
      if (ItemIndex > 0) ItemIndex = std::max(0, ItemIndex - page);
      break;
    case Key::PageDown:
      if (ItemIndex < n - 1) ItemIndex = std::min(n - 1, ItemIndex + page);
      break;
    case Key::Home:
      scrollIntoView = false;
      if (ItemIndex > 0) {
        ItemIndex = 0;
        top = 0;
      }
      break;
    case Key::End:
      scrollIntoView = false;
      if (ItemIndex < n - 1) {
        ItemIndex = n - 1;
        top = std::max(0, topMax);
      }
      break;
  }
  if (scrollIntoView && ItemIndex >= 0) {
    if (top > ItemIndex) top = ItemIndex;
    if (visible + top <= ItemIndex) top = ItemIndex - visible + 1;
  }
  return ItemIndex != before;
}

void ClipboardColorModel::SetColorBytes(std::span<const std::uint8_t> bytes, int count) {
  const std::size_t n = std::min<std::size_t>(count < 0 ? 0 : static_cast<std::size_t>(count), bytes.size() / 3);
  Colors.resize(n);
  for (std::size_t i = 0; i < n; ++i)
    Colors[i] = MakeColor(bytes[3 * i + 2], bytes[3 * i + 1], bytes[3 * i]);
}

std::vector<std::uint8_t> ClipboardColorModel::GetColorBytes() const {
  std::vector<std::uint8_t> out;
  out.reserve(Colors.size() * 3);
  for (TColor c : Colors) {
    out.push_back(GetB(c));
    out.push_back(GetG(c));
    out.push_back(GetR(c));
  }
  return out;
}

ClipRowHit ClipRowHitTest(int x, int y, int size, int top, int count, const ClipButtonBox& button) {
  ClipRowHit hit;
  const int p = size + 4;
  if (y < 0 || p <= 0) return hit;
  const int r = y / p;
  const int i = r + top;
  if (i >= count) {
    hit.gap = count;
    return hit;
  }
  hit.entry = i;
  if (y - r * p < 2)
    hit.gap = i;
  else if ((r + 1) * p - y < 2)
    hit.gap = i + 1;
  hit.onSwatch = x >= 5 && x < size + 5 && y >= r * p + 2 && y < r * p + 2 + size;
  const int by = r * p + button.offsetY;
  hit.onButton = button.width > 0 && x >= button.left && x < button.left + button.width && y >= by &&
                 y < by + button.height;
  return hit;
}

namespace {

constexpr char kHistoryHeader[] = "Kolo clipboard colours 1";

int HexDigit(std::uint8_t ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

}  // namespace

std::string WriteColorHistory(std::span<const TColor> colors) {
  static const char* hex = "0123456789ABCDEF";
  std::string out = std::string(kHistoryHeader) + "\r\n";
  out.reserve(out.size() + colors.size() * 8);
  for (TColor c : colors) {
    for (std::uint8_t v : {GetR(c), GetG(c), GetB(c)}) {
      out += hex[v >> 4];
      out += hex[v & 15];
    }
    out += "\r\n";
  }
  return out;
}

std::vector<TColor> ParseColorHistory(std::span<const std::uint8_t> bytes) {
  std::vector<TColor> colors;
  std::size_t i = 0;
  while (i < bytes.size() && colors.size() < kMaxHistoryFileColors) {
    std::size_t end = i;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    // A line holds a colour when it is six hex digits, spaces around allowed.
    std::size_t a = i, b = end;
    while (a < b && (bytes[a] == ' ' || bytes[a] == '\t')) ++a;
    while (b > a && (bytes[b - 1] == ' ' || bytes[b - 1] == '\t')) --b;
    if (b - a == 6) {
      std::uint32_t v = 0;
      bool ok = true;
      for (std::size_t k = a; k < b && ok; ++k) {
        const int d = HexDigit(bytes[k]);
        ok = d >= 0;
        v = (v << 4) | static_cast<std::uint32_t>(d < 0 ? 0 : d);
      }
      if (ok) colors.push_back(MakeColor(v >> 16, v >> 8, v));
    }
    i = end + 1;
  }
  return colors;
}

std::time_t NextPictureTime(std::time_t now, std::time_t lastUsed, const std::function<bool(std::time_t)>& taken) {
  std::time_t t = std::max(now, lastUsed + 1);
  // Bounded: a folder cannot hold more names than this in a row.
  for (int guard = 0; guard < 1000000 && taken && taken(t); ++guard) ++t;
  return t;
}

std::string PictureFileName(const std::tm& local) {
  char buf[32];
  if (std::strftime(buf, sizeof buf, "%y%m%d%H%M%S", &local) == 0) return "000000000000.png";
  return std::string(buf) + ".png";
}

}  // namespace kolo
