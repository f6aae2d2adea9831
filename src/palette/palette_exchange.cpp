#include "palette/palette_exchange.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "color/convert.h"

namespace kolo {

namespace {

constexpr size_t kMaxCells = 256;

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A channel of a colour row: decimal digits, 0..255.
std::optional<std::uint32_t> TakeChannel(std::string_view& line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  std::uint32_t v = 0;
  size_t digits = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') {
    v = v * 10 + static_cast<std::uint32_t>(line[digits] - '0');
    if (v > 255) return std::nullopt;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  line.remove_prefix(digits);
  // The number must end here: "12x" is not a channel.
  if (!line.empty() && !IsBlank(line.front())) return std::nullopt;
  return v;
}

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

std::string Hex6(TColor c) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string s = "#";
  for (std::uint32_t v : {GetR(c), GetG(c), GetB(c)}) s += kDigits[v >> 4], s += kDigits[v & 0xF];
  return s;
}

// --- Adobe Swatch Exchange: big-endian blocks after a 12-byte head ---

constexpr std::uint16_t kAseColorBlock = 0x0001;
constexpr size_t kAseHeadSize = 12;      // "ASEF", version 1.0, block count
constexpr size_t kAseBlockHeadSize = 6;  // type, length of the rest
constexpr std::uint16_t kAseNormalColor = 2;

std::uint16_t Be16(std::span<const std::uint8_t> b, size_t at) {
  return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}
std::uint32_t Be32(std::span<const std::uint8_t> b, size_t at) {
  return (static_cast<std::uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}
float BeFloat(std::span<const std::uint8_t> b, size_t at) {
  const std::uint32_t bits = Be32(b, at);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

bool InRange(float v, float lo, float hi) { return std::isfinite(v) && v >= lo && v <= hi; }

TColor FromChannels(double r, double g, double b) {
  return MakeColor(RoundChannel(r), RoundChannel(g), RoundChannel(b));
}

// One colour block after its head: name length in UTF-16 units (with the
// closing zero), the name, the model, its values and the colour type.
std::optional<TColor> ReadAseColor(std::span<const std::uint8_t> block) {
  if (block.size() < 2) return std::nullopt;
  const size_t nameUnits = Be16(block, 0);
  size_t pos = 2 + 2 * nameUnits;
  if (pos > block.size()) return std::nullopt;                          // name past the block
  if (nameUnits > 0 && Be16(block, pos - 2) != 0) return std::nullopt;  // name never ends
  if (block.size() - pos < 4) return std::nullopt;
  const std::string_view model(reinterpret_cast<const char*>(block.data() + pos), 4);
  pos += 4;
  const size_t values = model == "RGB " || model == "LAB " ? 3 : model == "CMYK" ? 4 : model == "Gray" ? 1 : 0;
  if (values == 0) return std::nullopt;
  if (block.size() - pos < 4 * values + 2) return std::nullopt;  // the values and the colour type
  float v[4] = {};
  for (size_t i = 0; i < values; ++i) v[i] = BeFloat(block, pos + 4 * i);
  // RGB, CMYK and Gray run 0..1; Lab's L is L*/100 and a, b are a* and b*.
  if (model == "LAB ") {
    if (!InRange(v[0], 0, 1) || !InRange(v[1], -128, 127) || !InRange(v[2], -128, 127)) return std::nullopt;
    const Color3 rgb = LabToRGB(v[0] * 255.0, v[1] + 128.0, v[2] + 128.0);
    return FromChannels(rgb[0], rgb[1], rgb[2]);
  }
  for (size_t i = 0; i < values; ++i)
    if (!InRange(v[i], 0, 1)) return std::nullopt;
  if (model == "Gray") return FromChannels(v[0] * 255.0, v[0] * 255.0, v[0] * 255.0);
  if (model == "CMYK") {
    const Color3 rgb = CMYKToRGB(v[0] * 255.0, v[1] * 255.0, v[2] * 255.0, v[3] * 255.0);
    return FromChannels(rgb[0], rgb[1], rgb[2]);
  }
  return FromChannels(v[0] * 255.0, v[1] * 255.0, v[2] * 255.0);
}

class BeWriter {
 public:
  void Raw(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
  void U16(std::uint32_t v) {
    out_.push_back(static_cast<std::uint8_t>(v >> 8)), out_.push_back(static_cast<std::uint8_t>(v));
  }
  void U32(std::uint32_t v) { U16(v >> 16), U16(v & 0xFFFF); }
  void Float(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    U32(bits);
  }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

template <typename Fn>
void ForEachColor(std::span<const TColor> cells, Fn fn) {
  for (size_t i = 0; i < cells.size() && i < kMaxCells; ++i)
    if (!IsEmptyColor(cells[i])) fn(static_cast<int>(i), cells[i] & 0xFFFFFF);
}

std::string SwatchName(int index) { return "Kolo " + std::to_string(index); }

}  // namespace

std::optional<std::vector<TColor>> ReadGpl(std::span<const std::uint8_t> bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark left by a Windows editor
  std::vector<TColor> colors;
  bool first = true;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (first) {
      if (!line.starts_with("GIMP Palette")) return std::nullopt;
      first = false;
      continue;
    }
    if (line.empty() || line.front() == '#' || line.starts_with("Name:") || line.starts_with("Columns:")) continue;
    const std::optional<std::uint32_t> r = TakeChannel(line);
    const std::optional<std::uint32_t> g = r ? TakeChannel(line) : std::nullopt;
    const std::optional<std::uint32_t> b = g ? TakeChannel(line) : std::nullopt;
    if (!b) return std::nullopt;
    colors.push_back(MakeColor(*r, *g, *b));  // whatever follows is the colour's name
  }
  if (colors.empty()) return std::nullopt;
  return colors;
}

std::optional<std::vector<TColor>> ReadAse(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kAseHeadSize || std::memcmp(bytes.data(), "ASEF", 4) != 0) return std::nullopt;
  if (Be16(bytes, 4) != 1) return std::nullopt;  // major version
  const std::uint32_t count = Be32(bytes, 8);
  // Every block has at least its head: a count the file cannot hold is not believed.
  if (count > (bytes.size() - kAseHeadSize) / kAseBlockHeadSize) return std::nullopt;
  std::vector<TColor> colors;
  size_t pos = kAseHeadSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (bytes.size() - pos < kAseBlockHeadSize) return std::nullopt;
    const std::uint16_t type = Be16(bytes, pos);
    const std::uint32_t length = Be32(bytes, pos + 2);
    pos += kAseBlockHeadSize;
    if (length > bytes.size() - pos) return std::nullopt;
    const std::span<const std::uint8_t> block = bytes.subspan(pos, length);
    pos += length;
    // Group starts and ends (0xC001, 0xC002) and any other block carry no colour.
    if (type != kAseColorBlock) continue;
    std::optional<TColor> c = ReadAseColor(block);
    if (!c) return std::nullopt;
    colors.push_back(*c);
  }
  if (colors.empty()) return std::nullopt;
  return colors;
}

std::vector<std::uint8_t> WriteGpl(std::span<const TColor> cells, std::string_view paletteName) {
  std::string name;
  for (char ch : paletteName) name += static_cast<unsigned char>(ch) < 32 ? ' ' : ch;
  name = std::string(TrimBlanks(name));
  // Lines end in LF, as GIMP writes them; the rows are aligned the same way.
  std::string out = "GIMP Palette\nName: " + (name.empty() ? std::string("Kolo") : name) + "\nColumns: 16\n#\n";
  ForEachColor(cells, [&out](int i, TColor c) {
    char row[16];
    std::snprintf(row, sizeof row, "%3u %3u %3u\t", unsigned{GetR(c)}, unsigned{GetG(c)}, unsigned{GetB(c)});
    out += row + SwatchName(i) + "\n";
  });
  return Bytes(out);
}

std::vector<std::uint8_t> WriteAse(std::span<const TColor> cells) {
  std::vector<std::pair<int, TColor>> entries;
  ForEachColor(cells, [&entries](int i, TColor c) { entries.emplace_back(i, c); });
  BeWriter w;
  w.Raw("ASEF");
  w.U16(1), w.U16(0);
  w.U32(static_cast<std::uint32_t>(entries.size()));
  for (auto [index, c] : entries) {
    const std::string name = SwatchName(index);
    const std::uint32_t units = static_cast<std::uint32_t>(name.size() + 1);
    w.U16(kAseColorBlock);
    w.U32(2 + 2 * units + 4 + 3 * 4 + 2);
    w.U16(units);
    for (char ch : name) w.U16(static_cast<unsigned char>(ch));
    w.U16(0);
    w.Raw("RGB ");
    for (std::uint32_t v : {GetR(c), GetG(c), GetB(c)}) w.Float(static_cast<float>(v) / 255.0f);
    w.U16(kAseNormalColor);
  }
  return w.Take();
}

std::vector<std::uint8_t> WriteCss(std::span<const TColor> cells, int transparentIndex) {
  std::string out = ":root {\n";
  for (size_t i = 0; i < cells.size() && i < kMaxCells; ++i) {
    const std::string property = "--kolo-" + std::to_string(i);
    const bool transparent = static_cast<int>(i) == transparentIndex;
    if (!IsEmptyColor(cells[i]))
      out += "  " + property + ": " + Hex6(cells[i]) + ";" + (transparent ? " /* transparent */" : "") + "\n";
    else if (transparent)
      out += "  /* " + property + ": transparent, no colour */\n";
  }
  out += "}\n";
  return Bytes(out);
}

}  // namespace kolo
