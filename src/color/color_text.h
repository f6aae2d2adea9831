// Colours as text: the thirteen notations the program writes, and the reader
// that accepts any of them plus a small set of colour names.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "color/color.h"

namespace kolo {

inline constexpr int kColorTextFormatCount = 13;

// Menu caption of a notation ("RGB hex (RRGGBB)" ...); empty outside 0..12.
std::string_view ColorFormatCaption(int colorFormat);

// The colour in notation colorFormat; empty text outside 0..12.
std::string FormatColor(TColor color, int colorFormat);

// Text to colour. colorFormat only decides how three plain numbers are read.
// nullopt when the text is not a colour.
std::optional<TColor> ParseColor(std::string_view text, int colorFormat);

struct NamedColor {
  std::string_view name;
  TColor value;
};

// The names ParseColor knows, in the order it tries them (later wins).
std::span<const NamedColor> NamedColors();

}  // namespace kolo
