// Builds small GIF files in memory for the widget tests (giflib's encoder).
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <vector>

#include "widgets/gif_decode.h"

namespace kolo::testing {

struct TestFrame {
  int left = 0, top = 0, width = 1, height = 1;
  std::vector<std::uint8_t> pixels;  // width*height, top-down, in display order
  int transparent = -1;
  int delay = 0;
  int disposal = 0;
  std::vector<GifRgb> local;  // empty: the global table
  bool interlace = false;
  bool withControlBlock = true;
};

inline ColorMapObject* MakeMap(const std::vector<GifRgb>& colors) {
  int n = 2;
  while (n < static_cast<int>(colors.size())) n *= 2;
  std::vector<GifColorType> c(static_cast<size_t>(n), GifColorType{0, 0, 0});
  for (size_t i = 0; i < colors.size(); ++i) c[i] = {colors[i].r, colors[i].g, colors[i].b};
  return GifMakeMapObject(n, c.data());
}

inline int AppendOutput(GifFileType* gif, const GifByteType* data, int len) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + len);
  return len;
}

// A GIF89a file; an empty `global` writes no global colour table.
inline std::vector<std::uint8_t> WriteGif(int width, int height, const std::vector<GifRgb>& global,
                                          std::vector<TestFrame> frames) {
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, &AppendOutput, &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* gmap = global.empty() ? nullptr : MakeMap(global);
  EGifPutScreenDesc(gif, width, height, 8, 0, gmap);
  for (auto& f : frames) {
    if (f.withControlBlock) {
      GraphicsControlBlock gcb{};
      gcb.DisposalMode = f.disposal;
      gcb.DelayTime = f.delay;
      gcb.TransparentColor = f.transparent;
      GifByteType ext[4];
      size_t n = EGifGCBToExtension(&gcb, ext);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
    }
    ColorMapObject* lmap = f.local.empty() ? nullptr : MakeMap(f.local);
    // giflib's encoder drops the previous frame's table without freeing it.
    if (!lmap && gif->Image.ColorMap) {
      GifFreeMapObject(gif->Image.ColorMap);
      gif->Image.ColorMap = nullptr;
    }
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, lmap);
    if (lmap) GifFreeMapObject(lmap);
    std::vector<int> order;
    if (f.interlace) {
      const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
      for (int p = 0; p < 4; ++p)
        for (int r = start[p]; r < f.height; r += step[p]) order.push_back(r);
    } else {
      for (int r = 0; r < f.height; ++r) order.push_back(r);
    }
    for (int r : order) EGifPutLine(gif, f.pixels.data() + static_cast<size_t>(r) * f.width, f.width);
  }
  if (gmap) GifFreeMapObject(gmap);
  EGifCloseFile(gif, &error);
  return out;
}

// A one-frame picture of the given indices.
inline std::vector<std::uint8_t> SimpleGif(int w, int h, const std::vector<GifRgb>& palette,
                                           const std::vector<std::uint8_t>& pixels, int transparent = -1) {
  TestFrame f;
  f.width = w;
  f.height = h;
  f.pixels = pixels;
  f.transparent = transparent;
  return WriteGif(w, h, palette, {f});
}

}  // namespace kolo::testing
