// Palette files: the own format (kpt), Adobe Color Table (act), RIFF palette
// (pal), GIF (read only), csv, an html page (write only), GIMP palettes (gpl),
// Adobe Swatch Exchange (ase) and CSS custom properties (css, write only).
// The format is chosen by the file name's extension alone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "color/color.h"

namespace kolo {

enum class PaletteFormat { Unknown, Kpt, Act, Pal, Gif, Csv, Html, Gpl, Ase, Css };

// By the lower-cased extension; Unknown for anything else.
PaletteFormat PaletteFormatOf(const std::filesystem::path& fileName);
bool CanReadPalette(PaletteFormat format);
bool CanWritePalette(PaletteFormat format);

// Text to colour (ParseColor with the current notation) for csv.
using ColorParser = std::function<std::optional<TColor>(std::string_view)>;
// Colour to text (FormatColor with the current notation) for csv and html.
using ColorFormatter = std::function<std::string(TColor)>;

struct LoadedPalette {
  std::vector<TColor> colors;  // never empty
  int transparentIndex = -1;
};

// Reads a palette from the bytes of a file. Bytes missing at the end of a
// fixed-layout file read as 0. nullopt when the bytes are not a palette.
std::optional<LoadedPalette> ReadPalette(PaletteFormat format, std::span<const std::uint8_t> bytes,
                                         const ColorParser& parser);

// Links of the html page's logo: the product page and its picture.
struct HtmlPageLinks {
  std::string siteLink;
  std::string logoAddress;
};

// The file's bytes for up to 256 cells (empty cells hold clEmptyColor,
// transparentIndex -1 = none). paletteName is the gpl file's "Name:" ("Kolo"
// when empty). nullopt for formats that cannot be written.
std::optional<std::vector<std::uint8_t>> WritePalette(PaletteFormat format, std::span<const TColor> cells,
                                                      int transparentIndex, const ColorFormatter& formatter,
                                                      const HtmlPageLinks& links, std::string_view paletteName = {});

// Fills cells[0..highestIndex]: loaded colours first, clEmptyColor after them.
// On failure neither the cells nor transparentIndex change.
bool LoadPaletteFile(const std::filesystem::path& fileName, const ColorParser& parser, int& transparentIndex,
                     int highestIndex, std::span<TColor> cells);

// Writes the whole file beside the target first and then replaces the target,
// so a failed save leaves any earlier file as it was and no partial file.
// Opening a saved html page in a browser is the caller's business.
bool SavePaletteFile(std::span<const TColor> cells, int transparentIndex, const std::filesystem::path& fileName,
                     const ColorFormatter& formatter, std::string_view siteLink, std::string_view logoAddress);

}  // namespace kolo
