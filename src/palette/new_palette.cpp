#include "palette/new_palette.h"

#include <algorithm>

namespace kolo {

namespace {

constexpr int kSide = kNewPalettePreviewSide;
constexpr int kPitch = 9;

// A rectangle as the dialog's canvas draws one: outline on its first and last
// pixel lines (right and bottom exclusive), fill inside.
void Rectangle(std::vector<TColor>& px, int x1, int y1, int x2, int y2, TColor pen, const TColor* fill) {
  for (int y = y1; y < y2; ++y) {
    for (int x = x1; x < x2; ++x) {
      const bool edge = x == x1 || x == x2 - 1 || y == y1 || y == y2 - 1;
      if (edge)
        px[static_cast<std::size_t>(y * kSide + x)] = pen;
      else if (fill)
        px[static_cast<std::size_t>(y * kSide + x)] = *fill;
    }
  }
}

}  // namespace

std::vector<TColor> NewPalettePreview(std::span<const TColor> colors) {
  std::vector<TColor> px(kSide * kSide, clSkyBlue);
  Rectangle(px, 0, 0, kSide, kSide, clSelectedSlot, nullptr);
  Rectangle(px, 1, 1, kSide - 1, kSide - 1, clFrame, &clSkyBlue);
  const std::size_t n = std::min<std::size_t>(colors.size(), 256);
  for (std::size_t k = 0; k < n; ++k) {
    const int r = static_cast<int>(k / 16), c = static_cast<int>(k % 16);
    const TColor fill = colors[k] & 0xFFFFFF;
    Rectangle(px, kPitch * c + 2, kPitch * r + 2, kPitch * c + 12, kPitch * r + 12, clWhite, &fill);
  }
  return px;
}

}  // namespace kolo
