#include "images/image_ops.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "color/fixed_palettes.h"
#include "widgets/geometry.h"

namespace kolo {

namespace {

std::string LowerExtension(std::string_view name) {
  const std::size_t dot = name.find_last_of('.');
  const std::size_t slash = name.find_last_of("\\/");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot)) return {};
  std::string ext(name.substr(dot));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

GifPalette FromColors(const std::vector<TColor>& colors) {
  GifPalette p;
  p.colors.reserve(colors.size());
  for (TColor c : colors) p.colors.push_back({GetR(c), GetG(c), GetB(c)});
  return p;
}

// Little- and big-endian reads that never step past the span.
struct Reader {
  std::span<const std::uint8_t> b;
  bool big = false;
  bool Has(std::size_t at, std::size_t n) const { return at <= b.size() && n <= b.size() - at; }
  std::uint32_t U16(std::size_t at) const {
    return big ? (b[at] << 8 | b[at + 1]) : (b[at] | b[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    return big ? (std::uint32_t{b[at]} << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3])
               : (b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24);
  }
};

bool TailHolds(std::span<const std::uint8_t> bytes, std::string_view what, std::size_t tail) {
  const std::size_t from = bytes.size() > tail ? bytes.size() - tail : 0;
  auto it = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), what.begin(), what.end(),
                        [](std::uint8_t a, char c) { return a == static_cast<std::uint8_t>(c); });
  return it != bytes.end();
}

std::optional<DeclaredImage> PngHeader(const Reader& r) {
  if (!r.Has(16, 8) || r.b[12] != 'I' || r.b[13] != 'H' || r.b[14] != 'D' || r.b[15] != 'R') return std::nullopt;
  DeclaredImage d{ImageFormat::Png, r.U32(16), r.U32(20), TailHolds(r.b, "IEND", 64)};
  return d;
}

std::optional<DeclaredImage> JpegHeader(const Reader& r) {
  std::size_t at = 2;
  while (r.Has(at, 4)) {
    if (r.b[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = r.b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;
      continue;
    }
    const std::size_t length = r.U16(at + 2);
    if (length < 2) return std::nullopt;
    const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (sof) {
      if (!r.Has(at + 4, 5)) return std::nullopt;
      DeclaredImage d{ImageFormat::Jpeg, r.U16(at + 7), r.U16(at + 5), TailHolds(r.b, "\xFF\xD9", 1024)};
      return d;
    }
    if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // image data before any frame header
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<DeclaredImage> BmpHeader(const Reader& r) {
  if (!r.Has(14, 4)) return std::nullopt;
  const std::uint32_t headerSize = r.U32(14);
  DeclaredImage d{ImageFormat::Bmp};
  if (headerSize == 12) {
    if (!r.Has(18, 4)) return std::nullopt;
    d.width = r.U16(18);
    d.height = r.U16(20);
  } else {
    if (headerSize < 40 || !r.Has(18, 8)) return std::nullopt;
    d.width = static_cast<std::int32_t>(r.U32(18));
    const auto h = static_cast<std::int32_t>(r.U32(22));
    d.height = h < 0 ? -static_cast<std::int64_t>(h) : h;  // negative: rows top-down
  }
  d.complete = r.U32(2) <= r.b.size() || r.U32(2) == 0;
  return d;
}

std::optional<DeclaredImage> TiffHeader(const Reader& r) {
  if (!r.Has(4, 4)) return std::nullopt;
  const std::size_t ifd = r.U32(4);
  if (!r.Has(ifd, 2)) return std::nullopt;
  const std::size_t entries = r.U16(ifd);
  DeclaredImage d{ImageFormat::Tiff};
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t e = ifd + 2 + 12 * i;
    if (!r.Has(e, 12)) return std::nullopt;
    const std::uint32_t tag = r.U16(e), type = r.U16(e + 2);
    if (tag != 256 && tag != 257) continue;
    const std::int64_t v = type == 3 ? r.U16(e + 8) : type == 4 ? r.U32(e + 8) : -1;
    if (v < 0) return std::nullopt;
    (tag == 256 ? d.width : d.height) = v;
  }
  if (d.width == 0 || d.height == 0) return std::nullopt;
  return d;
}

}  // namespace

ImageFormat FormatForFileName(std::string_view fileName) {
  const std::string ext = LowerExtension(fileName);
  if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe") return ImageFormat::Jpeg;
  if (ext == ".png") return ImageFormat::Png;
  if (ext == ".tif" || ext == ".tiff") return ImageFormat::Tiff;
  if (ext == ".gif") return ImageFormat::Gif;
  return ImageFormat::Bmp;
}

const wchar_t* EncoderMime(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return L"image/png";
    case ImageFormat::Jpeg: return L"image/jpeg";
    case ImageFormat::Tiff: return L"image/tiff";
    case ImageFormat::Bmp: return L"image/bmp";
    case ImageFormat::Gif: return L"image/gif";
  }
  return L"image/bmp";
}

std::string_view GifPaletteName(int kind) {
  static constexpr std::array<std::string_view, 6> kNames{"Adaptive", "Current", "Web", "Windows", "Mac OS",
                                                          "Grayscale"};
  return kNames[static_cast<std::size_t>(std::clamp(kind, 0, 5))];
}

GifPalette PaletteFromCells(std::span<const TColor> cells, int transparentIndex) {
  GifPalette p;
  for (int i = 0; i < static_cast<int>(cells.size()) && p.colors.size() < 256; ++i) {
    const TColor c = cells[static_cast<std::size_t>(i)];
    const bool transparent = i == transparentIndex;
    if (IsEmptyColor(c) && !transparent) continue;
    if (transparent) p.transparentIndex = static_cast<int>(p.colors.size());
    p.colors.push_back({GetR(c), GetG(c), GetB(c)});
  }
  return p;
}

GifPalette FixedGifPalette(int kind) {
  switch (kind) {
    case gpWeb: return FromColors(WebPalette());
    case gpWindows: return FromColors(WindowsPalette());
    case gpMacOS: return FromColors(MacPalette());
    default: return FromColors(GrayscalePalette());
  }
}

SizeFollow FollowSizeField(int typed, int side, int otherSide) {
  SizeFollow f;
  if (side <= 0) return f;
  f.typed = std::clamp(typed, 0, side + 1);
  if (f.typed == side + 1) {
    f.typed = side;
    f.rewrite = side;
  }
  f.other = static_cast<int>(RoundDivHalfEven(static_cast<std::int64_t>(otherSide) * f.typed, side));
  return f;
}

PrintPlacement PlaceOnPage(int imageWidth, int imageHeight, int printerDpiX, int printerDpiY, int screenDpiX,
                           int screenDpiY, int pageWidth, int pageHeight) {
  PrintPlacement p;
  if (imageWidth <= 0 || imageHeight <= 0 || screenDpiX <= 0 || screenDpiY <= 0) return p;
  std::int64_t w = RoundDivHalfEven(std::int64_t{imageWidth} * printerDpiX, screenDpiX);
  std::int64_t h = RoundDivHalfEven(std::int64_t{imageHeight} * printerDpiY, screenDpiY);
  if (w > pageWidth) {
    w = pageWidth;
    h = RoundDivHalfEven(std::int64_t{pageWidth} * imageHeight, imageWidth);
  }
  if (h > pageHeight) {
    h = pageHeight;
    w = RoundDivHalfEven(std::int64_t{pageHeight} * imageWidth, imageHeight);
  }
  p.width = static_cast<int>(w);
  p.height = static_cast<int>(h);
  p.x = static_cast<int>(RoundDivHalfEven(pageWidth - w, 2));
  p.y = static_cast<int>(RoundDivHalfEven(pageHeight - h, 2));
  return p;
}

std::optional<DeclaredImage> ReadImageHeader(std::span<const std::uint8_t> bytes) {
  Reader le{bytes, false}, be{bytes, true};
  static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (bytes.size() >= 8 && std::equal(std::begin(kPng), std::end(kPng), bytes.begin())) return PngHeader(be);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return JpegHeader(be);
  if (bytes.size() >= 10 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F' && bytes[3] == '8') {
    DeclaredImage d{ImageFormat::Gif, le.U16(6), le.U16(8), TailHolds(bytes, ";", 16)};
    return d;
  }
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return BmpHeader(le);
  if (bytes.size() >= 4 && bytes[0] == 'I' && bytes[1] == 'I' && bytes[2] == 42 && bytes[3] == 0) return TiffHeader(le);
  if (bytes.size() >= 4 && bytes[0] == 'M' && bytes[1] == 'M' && bytes[2] == 0 && bytes[3] == 42) return TiffHeader(be);
  return std::nullopt;
}

bool AcceptableImageFile(std::span<const std::uint8_t> bytes) {
  const auto d = ReadImageHeader(bytes);
  return d && d->complete && d->width >= 1 && d->height >= 1 && d->width <= kMaxOpenSide &&
         d->height <= kMaxOpenSide && d->width * d->height <= kMaxOpenPixels;
}

}  // namespace kolo
