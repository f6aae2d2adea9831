// The fixed palettes Kolo offers: Web, Windows, Mac OS, grey and random. The
// new-palette dialog, the fixed-palette tab and kolocli all take them from here.
#pragma once

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

#include "color/color.h"

namespace kolo {

// Palette types of the new-palette dialog, in the order its list shows them.
enum NewPaletteType : int {
  nptEmpty = 0,
  nptWeb = 1,
  nptWindows = 2,
  nptMacOS = 3,
  nptGrayscale = 4,
  nptRandom = 5,
};
inline constexpr int kNewPaletteTypeCount = 6;

// "Empty", "Web", "Windows", "Mac OS", "Grayscale", "Random".
std::string_view NewPaletteName(int type);
// The names in type order, as the dialog's list shows them.
std::vector<std::string> NewPaletteNames();

// 216 colours: red, green and blue each run FF, CC, 99, 66, 33, 00; blue fastest.
std::vector<TColor> WebPalette();
// The 256 colours of the Windows system palette.
std::vector<TColor> WindowsPalette();
// 256: the Web colours but black, ten reds, greens, blues and greys, then black.
std::vector<TColor> MacPalette();
// 256: grey i is (i, i, i).
std::vector<TColor> GrayscalePalette();
// `count` colours, each uniform over 0..maxValue.
std::vector<TColor> RandomPalette(std::mt19937& rng, int count, TColor maxValue);

// The colours of a new-palette type (Empty: none; Random: 256 drawn from 0..0xFFFFFE).
std::vector<TColor> NewPaletteColors(int type, std::mt19937& rng);

// A generator seeded from the system's entropy source.
std::mt19937 SeededGenerator();

}  // namespace kolo
