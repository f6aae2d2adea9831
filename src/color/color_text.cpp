#include "color/color_text.h"

#include <array>
#include <cstdint>
#include <vector>

#include "color/convert.h"

namespace kolo {

namespace {

constexpr std::array<std::string_view, kColorTextFormatCount> kCaptions = {
    "RGB hex (RRGGBB)",
    "RGB num (r,g,b)",
    "HTML (#RRGGBB)",
    "Delphi ($BBGGRR)",
    "Delphi GDI ($FFRRGGBB)",
    "Visual C++ (0xBBGGRR)",
    "Visual Basic (0&BBGGRR&)",
    "HSB (h,s,b)",
    "Lab (l,a,b)",
    "HLS (h,l,s)",
    "CMYK (c,m,y,k)",
    "CMY (c,m,y)",
    "LMS (l,m,s)",
};

// Order matters: a later name found in the text wins ("ltgray" over "gray").
constexpr std::array<NamedColor, 22> kNames = {{
    {"black", 0x000000},  {"maroon", 0x000080},     {"green", 0x008000},   {"olive", 0x008080},
    {"navy", 0x800000},   {"purple", 0x800080},     {"teal", 0x808000},    {"gray", 0x808080},
    {"silver", 0xC0C0C0}, {"red", 0x0000FF},        {"lime", 0x00FF00},    {"yellow", 0x00FFFF},
    {"blue", 0xFF0000},   {"fuchsia", 0xFF00FF},    {"aqua", 0xFFFF00},    {"ltgray", 0xC0C0C0},
    {"dkgray", 0x808080}, {"white", 0xFFFFFF},      {"moneygreen", 0xC0DCC0}, {"skyblue", 0xF0CAA6},
    {"cream", 0xF0FBFF},  {"medgray", 0xA4A0A0},
}};

constexpr char kHexDigits[] = "0123456789ABCDEF";

// At least `digits` upper-case hex digits, more when the value needs them.
std::string Hex(std::uint32_t v, int digits) {
  std::string out;
  while (v != 0 || digits > 0) {
    out.insert(out.begin(), kHexDigits[v & 0xF]);
    v >>= 4;
    --digits;
  }
  return out;
}

// Appending keeps GCC 12 quiet; "literal" + temporary string trips a false -Wrestrict.
std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) out += p;
  return out;
}

std::string JoinRounded(std::initializer_list<double> values) {
  std::string out;
  for (double v : values) {
    if (!out.empty()) out += ',';
    out += std::to_string(RoundHalfEven(v));
  }
  return out;
}

TColor SwapRedBlue(std::uint32_t v) {
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

int HexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

// Whole text as hex digits; a value past 32 bits is not a number.
std::optional<std::uint32_t> ReadHex(std::string_view s) {
  if (s.empty()) return std::nullopt;
  std::uint64_t v = 0;
  for (char ch : s) {
    int d = HexValue(ch);
    if (d < 0) return std::nullopt;
    v = v * 16 + static_cast<std::uint64_t>(d);
    if (v > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(v);
}

// Decimal integer as ordinary integer reading takes it: leading blanks and a
// sign allowed, nothing after the digits, and it must fit 32 signed bits.
std::optional<std::int32_t> ReadInt(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return std::nullopt;
  std::int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

TColor Compose(const Color3& rgb) {
  return MakeColor(RoundChannel(rgb[0]), RoundChannel(rgb[1]), RoundChannel(rgb[2]));
}

bool InRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

// Whether three numbers fit the value ranges of a notation's number form.
bool FitsFormat(int format, const std::int64_t p[3]) {
  switch (format) {
    case 1:
    case 11:
    case 12:
      return InRange(p[0], 0, 255) && InRange(p[1], 0, 255) && InRange(p[2], 0, 255);
    case 7:
    case 9:
      return InRange(p[0], 0, 360) && InRange(p[1], 0, 100) && InRange(p[2], 0, 100);
    case 8:
      return InRange(p[0], 1, 100) && InRange(p[1], -128, 127) && InRange(p[2], -128, 127);
    default:
      return false;
  }
}

// The products with 255 stay integers; only the division is real.
double Scaled(std::int64_t p, int divisor) { return static_cast<double>(p * 255) / divisor; }

TColor ReadInFormat(int format, const std::int64_t p[3]) {
  switch (format) {
    case 1:
      return MakeColor(static_cast<std::uint32_t>(p[0]), static_cast<std::uint32_t>(p[1]),
                       static_cast<std::uint32_t>(p[2]));
    case 7:
      return Compose(HSBToRGB(Scaled(p[0], 359), Scaled(p[1], 100), Scaled(p[2], 100)));
    case 8:
      return Compose(LabToRGB(Scaled(p[0], 100), static_cast<double>(p[1] + 128),
                              static_cast<double>(p[2] + 128)));
    case 9:
      return Compose(HLSToRGB(Scaled(p[0], 359), Scaled(p[1], 100), Scaled(p[2], 100)));
    case 11:
      return Compose(CMYToRGB(static_cast<double>(p[0]), static_cast<double>(p[1]),
                              static_cast<double>(p[2])));
    default:  // 12
      return Compose(LMSToRGB(static_cast<double>(p[0]), static_cast<double>(p[1]),
                              static_cast<double>(p[2])));
  }
}

std::optional<TColor> ParseNumbers(std::string_view s, int colorFormat) {
  std::vector<std::int64_t> parts;
  size_t start = 0;
  for (;;) {
    size_t comma = s.find(',', start);
    std::string_view piece = s.substr(start, comma == std::string_view::npos ? s.npos : comma - start);
    std::optional<std::int32_t> v = ReadInt(piece);
    if (!v || parts.size() == 4) return std::nullopt;
    parts.push_back(*v);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (parts.size() == 4) {
    for (std::int64_t p : parts)
      if (!InRange(p, 0, 100)) return std::nullopt;
    return Compose(CMYKToRGB(Scaled(parts[0], 100), Scaled(parts[1], 100), Scaled(parts[2], 100),
                             Scaled(parts[3], 100)));
  }
  if (parts.size() != 3) return std::nullopt;
  const std::int64_t p[3] = {parts[0], parts[1], parts[2]};
  if (FitsFormat(colorFormat, p)) return ReadInFormat(colorFormat, p);
  for (int fallback : {1, 7, 8})
    if (FitsFormat(fallback, p)) return ReadInFormat(fallback, p);
  return std::nullopt;
}

std::string Trimmed(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  std::string s(text.substr(b, e - b));
  for (char& ch : s)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return s;
}

}  // namespace

std::string_view ColorFormatCaption(int colorFormat) {
  if (colorFormat < 0 || colorFormat >= kColorTextFormatCount) return {};
  return kCaptions[colorFormat];
}

std::span<const NamedColor> NamedColors() { return kNames; }

std::string FormatColor(TColor c, int colorFormat) {
  const std::uint32_t r = GetR(c), g = GetG(c), b = GetB(c);
  const double rd = r, gd = g, bd = b;
  switch (colorFormat) {
    case 0:
      return Concat({Hex(r, 2), Hex(g, 2), Hex(b, 2)});
    case 1:
      return Concat({std::to_string(r), ",", std::to_string(g), ",", std::to_string(b)});
    case 2:
      return Concat({"#", Hex(r, 2), Hex(g, 2), Hex(b, 2)});
    case 3:
      return Concat({"$", Hex(c, 6)});
    case 4:
      return Concat({"$FF", Hex(r * 65536 + g * 256 + b, 6)});
    case 5:
      return Concat({"0x", Hex(c, 6)});
    case 6:
      return Concat({"0&", Hex(c, 6), "&"});
    case 7: {
      Color3 v = RGBToHSB(rd, gd, bd);
      return JoinRounded({v[0] * 359 / 255, v[1] * 100 / 255, v[2] * 100 / 255});
    }
    case 8: {
      Color3 v = RGBToLab(rd, gd, bd);
      return JoinRounded({v[0] * 100 / 255, v[1] - 128, v[2] - 128});
    }
    case 9: {
      Color3 v = RGBToHLS(rd, gd, bd);
      return JoinRounded({v[0] * 359 / 255, v[1] * 100 / 255, v[2] * 100 / 255});
    }
    case 10: {
      Color4 v = RGBToCMYK(rd, gd, bd);
      return JoinRounded({v[0] * 100 / 255, v[1] * 100 / 255, v[2] * 100 / 255, v[3] * 100 / 255});
    }
    case 11: {
      Color3 v = RGBToCMY(rd, gd, bd);
      return JoinRounded({v[0], v[1], v[2]});
    }
    case 12: {
      Color3 v = RGBToLMS(rd, gd, bd);
      return JoinRounded({v[0], v[1], v[2]});
    }
    default:
      return {};
  }
}

std::optional<TColor> ParseColor(std::string_view text, int colorFormat) {
  // The length limit applies to the text as given, blanks included.
  if (text.size() > 20) return std::nullopt;
  const std::string s = Trimmed(text);

  std::optional<TColor> named;
  for (const NamedColor& n : kNames)
    if (s.find(n.name) != std::string::npos) named = n.value;
  if (named) return named;

  if (s.size() < 2) return std::nullopt;

  if (s[0] == '#') {
    std::string digits = s.substr(1, 6);
    digits.resize(6, '0');
    std::optional<std::uint32_t> v = ReadHex(digits);
    if (!v) return std::nullopt;
    return SwapRedBlue(*v);
  }
  if (s[0] == '$') {
    std::optional<std::uint32_t> v = ReadHex(std::string_view(s).substr(1));
    if (!v) return std::nullopt;
    if ((*v & 0xFF000000u) != 0) return SwapRedBlue(*v & 0xFFFFFF);  // $FFRRGGBB
    return *v;
  }
  // 0xBBGGRR and 0&BBGGRR&: values past 24 bits would carry the empty and
  // transparent marker bits into the program, so they are not colours.
  if (s[1] == 'x') {
    std::optional<std::uint32_t> v = ReadHex(std::string_view(s).substr(2));
    if (!v || *v > 0xFFFFFF) return std::nullopt;
    return *v;
  }
  if (s[1] == '&') {
    std::string_view rest = std::string_view(s).substr(2);
    size_t amp = rest.find('&');
    if (amp == std::string_view::npos) return std::nullopt;
    std::optional<std::uint32_t> v = ReadHex(rest.substr(0, amp));
    if (!v || *v > 0xFFFFFF) return std::nullopt;
    return *v;
  }
  const bool hasComma = s.find(',') != std::string::npos;
  if (!hasComma && s.size() == 6 && HexValue(s[0]) >= 0) {
    std::optional<std::uint32_t> v = ReadHex(s);
    if (!v) return std::nullopt;
    return SwapRedBlue(*v);
  }
  if (hasComma) return ParseNumbers(s, colorFormat);
  return std::nullopt;
}

}  // namespace kolo
