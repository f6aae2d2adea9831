#include "images/image_list_model.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace kolo {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view Trim(std::string_view s) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

// Hexadecimal of at most eight digits; -1 for anything else.
long long ParseHexColor(std::string_view s) {
  if (s.empty() || s.size() > 8) return -1;
  long long v = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return -1;
    v = v * 16 + d;
  }
  return v;
}

std::string Stem(const std::string& fileName) {
  return fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

}  // namespace

bool AcceptedByFilter(std::string_view fileName, std::string_view filter) {
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string_view::npos) return false;
  const std::string ext = Lower(fileName.substr(dot + 1));
  if (ext.empty() || ext.find('|') != std::string::npos) return false;
  return ("|" + Lower(filter) + "|").find("|" + ext + "|") != std::string::npos;
}

void SortNamesDescending(std::vector<std::string>& names) {
  // std::string compares as unsigned bytes, and a prefix compares less.
  std::sort(names.begin(), names.end(), std::greater<>());
}

std::vector<ListLine> ParseListFile(std::span<const std::uint8_t> bytes) {
  std::vector<ListLine> lines;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::size_t pos = 0;
  while (pos < text.size() && lines.size() < kMaxListLines) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;
    ListLine out;
    std::size_t bar = line.find('|');
    out.name = std::string(line.substr(0, bar));
    if (bar != std::string_view::npos) {
      line.remove_prefix(bar + 1);
      bar = line.find('|');
      const std::string_view colour = Trim(line.substr(0, bar));
      if (!colour.empty()) out.transparent = ParseHexColor(colour);
      if (bar != std::string_view::npos) {
        line.remove_prefix(bar + 1);
        bar = line.find('|');
        out.modified = line.substr(0, bar) == "1";
        if (bar != std::string_view::npos) out.url = std::string(Trim(line.substr(bar + 1)));
      }
    }
    lines.push_back(std::move(out));
  }
  return lines;
}

void ApplyListLines(std::vector<ImageItemAttrs>& items, const std::vector<ListLine>& lines) {
  std::unordered_map<std::string, ImageItemAttrs*> byName;
  for (auto& item : items) byName.emplace(Stem(item.fileName), &item);
  for (const ListLine& line : lines) {
    auto it = byName.find(line.name);
    if (it == byName.end() || line.name.empty()) continue;
    it->second->transparent = line.transparent;
    it->second->modified = line.modified;
    it->second->url = line.url;
  }
}

std::string WriteListFile(const std::vector<ImageItemAttrs>& items) {
  std::string out;
  for (const auto& item : items) {
    if (item.url.empty() && item.transparent < 0) continue;
    out += Stem(item.fileName);
    out += '|';
    if (item.transparent >= 0) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%06llX", item.transparent & 0xFFFFFFFFLL);
      out += hex;
    }
    out += '|';
    out += item.modified ? '1' : '0';
    out += '|';
    // A line break inside the address would split the line.
    for (char c : item.url)
      if (c != '\r' && c != '\n') out += c;
    out += "\r\n";
  }
  return out;
}

Size ThumbnailSize(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  if (width <= 256 && height <= 256) return {width, height};
  if (width >= height)
    return {256, static_cast<int>(std::max(1LL, RoundHalfEven(static_cast<double>(height) * 256 / width)))};
  return {static_cast<int>(std::max(1LL, RoundHalfEven(static_cast<double>(width) * 256 / height))), 256};
}

Size FitInCell(Size thumb, int cell) {
  const int room = cell - 4;
  if (thumb.w <= 0 || thumb.h <= 0 || room <= 0) return {};
  if (thumb.w <= room && thumb.h <= room) return thumb;
  if (thumb.w >= thumb.h)
    return {room, static_cast<int>(std::max(1LL, RoundHalfEven(static_cast<double>(thumb.h) * room / thumb.w)))};
  return {static_cast<int>(std::max(1LL, RoundHalfEven(static_cast<double>(thumb.w) * room / thumb.h))), room};
}

int ListGrid::ScrollMax() const { return std::max(0, Rows() * CellSide() - height); }

int ListGrid::IndexAt(int x, int y, int scroll) const {
  const int side = CellSide();
  if (side <= 0 || x < 0 || y < 0 || x >= side * column) return -1;
  const int row = (y + scroll) / side;
  const int index = row * column + x / side;
  return index < count ? index : -1;
}

int ListGrid::Navigate(int index, Key key) const {
  if (count <= 0) return index;
  const int side = std::max(1, CellSide());
  const int page = std::max(0, (height + side - 1) / side - 1) * column;
  switch (key) {
    case Key::PageUp: return std::max(0, index - page);
    case Key::PageDown: return std::min(count - 1, index + page);
    case Key::Home: return 0;
    case Key::End: return count - 1;
    case Key::Left: return index > 0 && index % column != 0 ? index - 1 : index;
    case Key::Right: return index % column != column - 1 && index + 1 < count ? index + 1 : index;
    case Key::Up: return index - column >= 0 ? index - column : index;
    case Key::Down: return index + column < count ? index + column : index;
  }
  return index;
}

int ListGrid::ScrollIntoView(int index, int scroll) const {
  if (index < 0) return scroll;
  const int side = CellSide();
  const int top = (index / column) * side;
  if (top < scroll) return top;
  if (top + side > scroll + height) return std::min(ScrollMax(), top + side - height);
  return scroll;
}

int ItemsOverLimit(int count, int limit) { return limit >= 5 && count > limit ? count - limit : 0; }

std::string TimestampName(const std::tm& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d%02d%02d", (t.tm_year + 1900) % 100, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}

std::string ImageItemHint(const ImageItemAttrs& item, int width, int height) {
  const std::string& n = item.fileName;
  const std::size_t dot = n.rfind('.');
  std::string text;
  if (dot == 12 && std::all_of(n.begin(), n.begin() + 12, [](char c) { return c >= '0' && c <= '9'; })) {
    // yymmddhhnnss: the shot's own date and time.
    text = "20" + n.substr(0, 2) + "-" + n.substr(2, 2) + "-" + n.substr(4, 2) + " " + n.substr(6, 2) + ":" +
           n.substr(8, 2) + ":" + n.substr(10, 2);
  } else {
    text = n;
  }
  if (width > 0 && height > 0) text += ", " + std::to_string(width) + " \xC3\x97 " + std::to_string(height);
  if (!item.url.empty()) text += item.modified ? ", changed since published" : ", published";
  return "S" + text;
}

}  // namespace kolo
