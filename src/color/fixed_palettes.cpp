#include "color/fixed_palettes.h"

#include <array>
#include <string>

namespace kolo {

namespace {

constexpr std::array<std::string_view, kNewPaletteTypeCount> kNames = {"Empty",  "Web",       "Windows",
                                                                       "Mac OS", "Grayscale", "Random"};

// The Windows system palette as RRGGBB, index order.
constexpr std::uint32_t kWindowsRgb[256] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0DCC0, 0xA6CAF0, 0x2A3FAA, 0x2A3FFF, 0x2A5F00, 0x2A5F55, 0x2A5FAA, 0x2A5FFF,
    0x2A7F00, 0x2A7F55, 0x2A7FAA, 0x2A7FFF, 0x2A9F00, 0x2A9F55, 0x2A9FAA, 0x2A9FFF,
    0x2ABF00, 0x2ABF55, 0x2ABFAA, 0x2ABFFF, 0x2ADF00, 0x2ADF55, 0x2ADFAA, 0x2ADFFF,
    0x2AFF00, 0x2AFF55, 0x2AFFAA, 0x2AFFFF, 0x550000, 0x550055, 0x5500AA, 0x5500FF,
    0x551F00, 0x551F55, 0x551FAA, 0x551FFF, 0x553F00, 0x553F55, 0x553FAA, 0x553FFF,
    0x555F00, 0x555F55, 0x555FAA, 0x555FFF, 0x557F00, 0x557F55, 0x557FAA, 0x557FFF,
    0x559F00, 0x559F55, 0x559FAA, 0x559FFF, 0x55BF00, 0x55BF55, 0x55BFAA, 0x55BFFF,
    0x55DF00, 0x55DF55, 0x55DFAA, 0x55DFFF, 0x55FF00, 0x55FF55, 0x55FFAA, 0x55FFFF,
    0x7F0000, 0x7F0055, 0x7F00AA, 0x7F00FF, 0x7F1F00, 0x7F1F55, 0x7F1FAA, 0x7F1FFF,
    0x7F3F00, 0x7F3F55, 0x7F3FAA, 0x7F3FFF, 0x7F5F00, 0x7F5F55, 0x7F5FAA, 0x7F5FFF,
    0x7F7F00, 0x7F7F55, 0x7F7FAA, 0x7F7FFF, 0x7F9F00, 0x7F9F55, 0x7F9FAA, 0x7F9FFF,
    0x7FBF00, 0x7FBF55, 0x7FBFAA, 0x7FBFFF, 0x7FDF00, 0x7FDF55, 0x7FDFAA, 0x7FDFFF,
    0x7FFF00, 0x7FFF55, 0x7FFFAA, 0x7FFFFF, 0xAA0000, 0xAA0055, 0xAA00AA, 0xAA00FF,
    0xAA1F00, 0xAA1F55, 0xAA1FAA, 0xAA1FFF, 0xAA3F00, 0xAA3F55, 0xAA3FAA, 0xAA3FFF,
    0xAA5F00, 0xAA5F55, 0xAA5FAA, 0xAA5FFF, 0xAA7F00, 0xAA7F55, 0xAA7FAA, 0xAA7FFF,
    0xAA9F00, 0xAA9F55, 0xAA9FAA, 0xAA9FFF, 0xAABF00, 0xAABF55, 0xAABFAA, 0xAABFFF,
    0xAADF00, 0xAADF55, 0xAADFAA, 0xAADFFF, 0xAAFF00, 0xAAFF55, 0xAAFFAA, 0xAAFFFF,
    0xD40000, 0xD40055, 0xD400AA, 0xD400FF, 0xD41F00, 0xD41F55, 0xD41FAA, 0xD41FFF,
    0xD43F00, 0xD43F55, 0xD43FAA, 0xD43FFF, 0xD45F00, 0xD45F55, 0xD45FAA, 0xD45FFF,
    0xD47F00, 0xD47F55, 0xD47FAA, 0xD47FFF, 0xD49F00, 0xD49F55, 0xD49FAA, 0xD49FFF,
    0xD4BF00, 0xD4BF55, 0xD4BFAA, 0xD4BFFF, 0xD4DF00, 0xD4DF55, 0xD4DFAA, 0xD4DFFF,
    0xD4FF00, 0xD4FF55, 0xD4FFAA, 0xD4FFFF, 0xFF0055, 0xFF00AA, 0xFF1F00, 0xFF1F55,
    0xFF1FAA, 0xFF1FFF, 0xFF3F00, 0xFF3F55, 0xFF3FAA, 0xFF3FFF, 0xFF5F00, 0xFF5F55,
    0xFF5FAA, 0xFF5FFF, 0xFF7F00, 0xFF7F55, 0xFF7FAA, 0xFF7FFF, 0xFF9F00, 0xFF9F55,
    0xFF9FAA, 0xFF9FFF, 0xFFBF00, 0xFFBF55, 0xFFBFAA, 0xFFBFFF, 0xFFDF00, 0xFFDF55,
    0xFFDFAA, 0xFFDFFF, 0xFFFF55, 0xFFFFAA, 0xCCCCFF, 0xFFCCFF, 0x33FFFF, 0x66FFFF,
    0x99FFFF, 0xCCFFFF, 0x007F00, 0x007F55, 0x007FAA, 0x007FFF, 0x009F00, 0x009F55,
    0x009FAA, 0x009FFF, 0x00BF00, 0x00BF55, 0x00BFAA, 0x00BFFF, 0x00DF00, 0x00DF55,
    0x00DFAA, 0x00DFFF, 0x00FF55, 0x00FFAA, 0x2A0000, 0x2A0055, 0x2A00AA, 0x2A00FF,
    0x2A1F00, 0x2A1F55, 0x2A1FAA, 0x2A1FFF, 0x2A3F00, 0x2A3F55, 0xFFFBF0, 0xA0A0A4,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr TColor FromRgb(std::uint32_t rgb) { return MakeColor(rgb >> 16, rgb >> 8, rgb); }

// The ten levels of the Mac palette's pure ramps.
constexpr int kMacLevels[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};

}  // namespace

std::string_view NewPaletteName(int type) {
  return type >= 0 && type < kNewPaletteTypeCount ? kNames[static_cast<std::size_t>(type)] : std::string_view{};
}

std::vector<std::string> NewPaletteNames() { return {kNames.begin(), kNames.end()}; }

std::vector<TColor> WebPalette() {
  std::vector<TColor> out;
  out.reserve(216);
  for (int i = 0; i < 216; ++i) out.push_back(MakeColor(255 - 51 * (i / 36), 255 - 51 * (i / 6 % 6), 255 - 51 * (i % 6)));
  return out;
}

std::vector<TColor> WindowsPalette() {
  std::vector<TColor> out;
  out.reserve(256);
  for (std::uint32_t rgb : kWindowsRgb) out.push_back(FromRgb(rgb));
  return out;
}

std::vector<TColor> MacPalette() {
  std::vector<TColor> out = WebPalette();
  out.pop_back();  // black comes last
  for (int channel = 0; channel < 4; ++channel) {
    for (int level : kMacLevels) {
      const int r = channel == 0 || channel == 3 ? level : 0;
      const int g = channel == 1 || channel == 3 ? level : 0;
      const int b = channel == 2 || channel == 3 ? level : 0;
      out.push_back(MakeColor(r, g, b));
    }
  }
  out.push_back(clBlack);
  return out;
}

std::vector<TColor> GrayscalePalette() {
  std::vector<TColor> out;
  out.reserve(256);
  for (int i = 0; i < 256; ++i) out.push_back(MakeColor(i, i, i));
  return out;
}

std::vector<TColor> RandomPalette(std::mt19937& rng, int count, TColor maxValue) {
  std::uniform_int_distribution<TColor> pick(0, maxValue);
  std::vector<TColor> out;
  out.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i) out.push_back(pick(rng));
  return out;
}

std::vector<TColor> NewPaletteColors(int type, std::mt19937& rng) {
  switch (type) {
    case nptWeb: return WebPalette();
    case nptWindows: return WindowsPalette();
    case nptMacOS: return MacPalette();
    case nptGrayscale: return GrayscalePalette();
    case nptRandom: return RandomPalette(rng, 256, 0xFFFFFE);
    default: return {};
  }
}

std::mt19937 SeededGenerator() {
  std::random_device device;
  std::seed_seq seed{device(), device(), device(), device()};
  return std::mt19937(seed);
}

}  // namespace kolo
