// The rules of the picture operations that are arithmetic rather than Windows:
// which format a file name asks for, the GIF palettes, how the size fields
// follow each other, where a print lands on the page, and how large a picture
// file claims to be before anything decodes it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "color/color.h"
#include "widgets/gif_encode.h"

namespace kolo {

enum class ImageFormat { Png, Jpeg, Bmp, Gif, Tiff };

// By the extension in lower case: .jpg/.jpeg/.jpe, .png, .tif/.tiff, .gif; anything else BMP.
ImageFormat FormatForFileName(std::string_view fileName);
// The GDI+ encoder's MIME type ("image/png", ...). GIF has none: we write it ourselves.
const wchar_t* EncoderMime(ImageFormat format);

// The save dialog's filter (entries 1..5) and the open dialog's.
inline constexpr std::string_view kSaveImageFilter =
    "PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|BMP (*.bmp)|*.bmp|GIF (*.gif)|*.gif|TIFF (*.tif)|*.tif";
inline constexpr std::string_view kOpenImageFilter =
    "All (*.png;*.jpg;*.bmp;*.gif;*.tif)|*.png;*.jpg;*.bmp;*.gif;*.tif|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg|"
    "BMP (*.bmp)|*.bmp|GIF (*.gif)|*.gif|TIFF (*.tif)|*.tif";

// GIF palette kinds of the "saveGIFPalette" setting.
enum GifPaletteKind : int { gpAdaptive = 0, gpCurrent = 1, gpWeb = 2, gpWindows = 3, gpMacOS = 4, gpGrayscale = 5 };
// "Adaptive", "Current", "Web", "Windows", "Mac OS", "Grayscale".
std::string_view GifPaletteName(int kind);

// The palette strip's cells in order, the empty ones left out except the
// transparent cell, whose place in the result is the transparent index.
GifPalette PaletteFromCells(std::span<const TColor> cells, int transparentIndex);
// The table of a fixed kind (Web, Windows, Mac OS, Grayscale); no transparent index.
GifPalette FixedGifPalette(int kind);

// One size field was typed into: what the other shows so the picture keeps its
// shape without growing. `rewrite` is set when the typed field must be put
// back to the picture's side (a number above it was typed).
struct SizeFollow {
  int typed = 0;                   // the typed field's value after clamping
  std::optional<int> rewrite;      // the typed field's new text, when it changes
  int other = 0;                   // the other field's value
};
// `typed` is the edited field's number (0 when empty or unreadable); side and
// otherSide are the picture's sides along the edited field and the other one.
SizeFollow FollowSizeField(int typed, int side, int otherSide);

// Where a picture goes on a printer page: printed as large as on the screen,
// shrunk to fit the printable area keeping its shape, centred.
struct PrintPlacement {
  int x = 0, y = 0, width = 0, height = 0;
};
PrintPlacement PlaceOnPage(int imageWidth, int imageHeight, int printerDpiX, int printerDpiY, int screenDpiX,
                           int screenDpiY, int pageWidth, int pageHeight);

// The size a PNG, JPEG, GIF, BMP or TIFF file declares, read from its first
// bytes; nothing for another or a damaged header. `complete` is false when the
// file visibly ends early (a PNG without IEND, a JPEG without its end marker,
// a GIF without its trailer).
struct DeclaredImage {
  ImageFormat format = ImageFormat::Png;
  std::int64_t width = 0, height = 0;
  bool complete = true;
};
std::optional<DeclaredImage> ReadImageHeader(std::span<const std::uint8_t> bytes);

// Pictures above these are refused before decoding: a 30000x30000 header must not cost gigabytes.
inline constexpr std::int64_t kMaxOpenPixels = 64ll * 1024 * 1024;
inline constexpr std::int64_t kMaxOpenSide = 32767;
// True when the bytes name a picture we are willing to decode.
bool AcceptableImageFile(std::span<const std::uint8_t> bytes);

}  // namespace kolo
