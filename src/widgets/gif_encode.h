// Writing a single-image GIF89a: the adaptive palette of a picture, mapping
// pixels onto any palette through a 32x32x32 grid, and the file itself through
// giflib (palette indices, one colour table, an optional transparent index).
// Screenshots and the clipboard history both save their GIFs through here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "widgets/gif_decode.h"

namespace kolo {

// A picture to write: 32-bit pixels 0x..RRGGBB (the top byte is ignored), rows
// top-down, `stride` pixels from one row to the next.
struct GifPixels {
  const std::uint32_t* data = nullptr;
  int width = 0, height = 0;
  int stride = 0;
  std::uint32_t At(int x, int y) const {
    return data[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + x] & 0xFFFFFF;
  }
};

struct GifPalette {
  std::vector<GifRgb> colors;  // 1..256 entries
  int transparentIndex = -1;   // -1: none
};

inline constexpr std::uint32_t RgbOf(const GifRgb& c) {
  return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}
inline constexpr GifRgb GifRgbOf(std::uint32_t rgb) {
  return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

// The palette of a picture, at most 2^min(bits, 8) entries. With a transparent
// colour (0xRRGGBB) its pixels are not counted, one entry fewer is used for
// the picture and the colour is appended as the last entry, the transparent
// index. Fewer colours than the maximum keep their exact values in the order
// they first appear column by column from the left, each column bottom-up;
// more are reduced to the most frequent cells of a colour grid.
GifPalette AdaptivePalette(const GifPixels& pixels, int bits, std::optional<std::uint32_t> transparent);

// The palette index of every pixel, rows top-down. When `exactTransparent`,
// only pixels of exactly the transparent entry's colour take the transparent
// index, and no other pixel ever does (the adaptive palette reserves it);
// otherwise the transparent entry is an ordinary candidate.
std::vector<std::uint8_t> MapToPalette(const GifPixels& pixels, const GifPalette& palette, bool exactTransparent);

// The GIF file of width x height indices (rows top-down). Nothing when the
// sizes or the palette are unusable or giflib fails.
std::optional<std::vector<std::uint8_t>> EncodeGif(int width, int height, std::span<const std::uint8_t> indices,
                                                   const GifPalette& palette);

// Maps and encodes in one go (the adaptive palette reserves its transparent entry).
std::optional<std::vector<std::uint8_t>> WriteGif(const GifPixels& pixels, const GifPalette& palette,
                                                  bool exactTransparent);

}  // namespace kolo
