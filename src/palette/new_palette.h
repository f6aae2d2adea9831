// The picture of the new-palette dialog: a 149x149 preview of the palette on
// offer, sixteen swatches a row, neighbours sharing their white outline.
#pragma once

#include <span>
#include <vector>

#include "color/color.h"

namespace kolo {

inline constexpr int kNewPalettePreviewSide = 149;

// Top-down rows of colours, kNewPalettePreviewSide squared.
std::vector<TColor> NewPalettePreview(std::span<const TColor> colors);

}  // namespace kolo
