// Writes a binary PPM (P6) as a GIF with the adaptive palette, the way Kolo
// saves a screenshot, optionally with a transparent colour. The Pillow check
// (tests/host/gif_pillow_test.sh) reads its files back; bench/gif_write.sh
// times it as a whole process against ImageMagick.
// Usage: kolo_gif_write IN.ppm OUT.gif [RRGGBB]
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "widgets/gif_encode.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: kolo_gif_write IN.ppm OUT.gif [RRGGBB]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::string magic;
  int w = 0, h = 0, maxval = 0;
  in >> magic >> w >> h >> maxval;
  in.get();
  if (magic != "P6" || w <= 0 || h <= 0 || maxval != 255) return 1;
  std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
  in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < px.size(); ++i) px[i] = 0xFF000000u | rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
  rgb = {};
  const kolo::GifPixels view{px.data(), w, h, w};
  std::optional<std::uint32_t> transparent;
  if (argc == 4) transparent = static_cast<std::uint32_t>(std::stoul(argv[3], nullptr, 16));
  const auto gif = kolo::WriteGif(view, kolo::AdaptivePalette(view, 8, transparent), true);
  if (!gif) return 1;
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(gif->data()), static_cast<std::streamsize>(gif->size()));
  return out ? 0 : 1;
}
