// Palette forms of other designers' tools: GIMP palettes (gpl, also read and
// written by Inkscape and Krita), Adobe Swatch Exchange (ase) and CSS custom
// properties (css, written only). palette_file.cpp picks them by extension.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "color/color.h"

namespace kolo {

// Colours of the file in order; names are not kept. nullopt when the bytes
// are not a well-formed palette of that kind (an empty one included).
std::optional<std::vector<TColor>> ReadGpl(std::span<const std::uint8_t> bytes);
std::optional<std::vector<TColor>> ReadAse(std::span<const std::uint8_t> bytes);

// Each non-empty cell as a colour named "Kolo N" (N = its cell index). Neither
// form has a transparent colour: the transparent cell is written as a plain
// colour when it holds one and left out when it is empty.
std::vector<std::uint8_t> WriteGpl(std::span<const TColor> cells, std::string_view paletteName);
std::vector<std::uint8_t> WriteAse(std::span<const TColor> cells);
// ":root { --kolo-N: #RRGGBB; ... }" with the transparent cell marked by a comment.
std::vector<std::uint8_t> WriteCss(std::span<const TColor> cells, int transparentIndex);

}  // namespace kolo
