// GIF decoding from a byte span through giflib, and composing the frames into
// whole 32-bit pictures the way a browser shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kolo {

struct GifRgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const GifRgb&, const GifRgb&) = default;
};

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;  // within the logical screen
  std::vector<std::uint8_t> indices;             // width*height, rows top-down, de-interlaced
  std::vector<GifRgb> localPalette;              // empty: the global table applies
  int transparentIndex = -1;                     // -1: none
  int delay = 0;                                 // hundredths of a second
  int disposal = 0;                              // 0/1 keep, 2 clear, 3 restore previous
};

struct GifPicture {
  int width = 0, height = 0;  // logical screen
  std::vector<GifRgb> globalPalette;
  std::vector<GifFrame> frames;

  const std::vector<GifRgb>& PaletteOf(const GifFrame& f) const {
    return f.localPalette.empty() ? globalPalette : f.localPalette;
  }
  // The first colour table of the file (global, else the first frame's own):
  // the one a recolouring rewrites.
  std::vector<GifRgb>* FirstColorTable();
};

// Limits that keep a hostile file from asking for gigabytes.
inline constexpr int kGifMaxSide = 8192;
inline constexpr std::int64_t kGifMaxPixels = 32 * 1024 * 1024;  // decoded, over all frames
inline constexpr std::int64_t kGifMaxComposedPixels = 16 * 1024 * 1024;  // screen x frames
// Every frame costs a record and a composed canvas however small it is; no
// interface animation comes near this many.
inline constexpr int kGifMaxFrames = 4096;

// Decodes a whole GIF. Anything truncated, corrupt or without a colour table
// gives nullopt: such a picture is shown as nothing.
std::optional<GifPicture> DecodeGif(std::span<const std::uint8_t> data);

// One composed frame: width*height pixels, rows top-down, each 0xAARRGGBB with
// alpha 0 or 255 and transparent pixels all zero (premultiplied, ready for a
// 32-bit DIB and AlphaBlend).
struct GifCanvas {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Composes every frame over the previous ones, honouring transparency and the
// disposal methods. Disposal 2 clears to transparent (as browsers do), not to
// the background colour.
std::vector<GifCanvas> ComposeGifFrames(const GifPicture& picture);

}  // namespace kolo
