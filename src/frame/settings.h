// The settings record and its load/save rules over a SettingsStore.
//
// Order matters to the tabs: the head fields, "colors" and "TransparentId" come
// first, then every tab's own values (tab 0 to 6), then the remaining fields.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "frame/settings_store.h"
#include "color/color.h"

namespace kolo {

// The maker's web site: help pages, upload service and update check live here.
#ifndef KOLO_MAKER_SITE
#define KOLO_MAKER_SITE "https://www.velmora.example"
#endif
inline constexpr char kMakerSite[] = KOLO_MAKER_SITE;

inline constexpr int kTabCount = 7;
inline constexpr int kColorFormatCount = 13;
inline constexpr int kPaletteCells = 256;

struct TKolOptions {
  int fontSize = 15;
  std::string fontName = "Arial";
  std::string fontText;
  bool fontBold = false;
  bool fontItalic = false;
  bool fontUnderline = false;
  TColor color1 = 0xFFFFFF;
  TColor color2 = 0x000000;
  TColor color3 = 0xC08000;
  TColor color4 = 0xFF99FF;
  int imgPreviewId = 33;
  int x = 0;  // default: centred on the screen (DefaultOptions)
  int y = 0;
  bool runsmall = false;
  bool stayonTop = false;
  std::uint8_t crntPage = 0;
  std::string proxy;
  std::uint8_t newPalette = 0;
  std::uint8_t ColorFormat = 0;
  bool clipboardHook = true;
  int maxClipImages = 100;
  int maxScreenImages = 100;
  bool viewColorHint = true;
  bool viewHint = true;
  int saveJPGQuality = 8;
  int saveGIFPalette = 0;
  std::string uploadURL = std::string(kMakerSite) + "/kolo/img.php";
  bool confirmDelete = true;
  bool confirmChange = true;
  bool confirmCrop = true;
  bool confirmClose = true;
  std::string lastPath;  // default: the user's documents folder (DefaultOptions)
  int filterPaletteIndex = 1;
  int filterImageIndex = 1;

  bool operator==(const TKolOptions&) const = default;
};

// The four colour slots live in color1..color4; index 0..3.
TColor& ColorSlot(TKolOptions& options, int index);
TColor ColorSlot(const TKolOptions& options, int index);

// What the palette strip keeps in the settings.
struct PaletteStripState {
  std::array<TColor, kPaletteCells> cells{};
  int transparentIndex = -1;  // -1: no transparent cell

  bool operator==(const PaletteStripState&) const = default;
};

// 216 web-safe colours from white to black, then 40 empty cells.
PaletteStripState DefaultPaletteStrip();

// "colors": 4 bytes per cell, little-endian, cell 0 first.
std::vector<std::uint8_t> EncodePaletteCells(const std::array<TColor, kPaletteCells>& cells);
// Whole cells of `bytes` (at most 256; a trailing part-cell is ignored) replace
// the first cells; cells the bytes do not reach keep their colour. A cell with
// the empty bit set becomes clEmptyColor, any other keeps its 24 colour bits.
void DecodePaletteCells(const std::vector<std::uint8_t>& bytes, std::array<TColor, kPaletteCells>& cells);

// What loading needs to know about the system.
struct LoadEnvironment {
  int screenWidth = 0;
  int screenHeight = 0;
  int windowWidth = 0;   // the window's full size (not the small-mode strip)
  int windowHeight = 0;
  std::string documentsFolder;  // UTF-8; the default of lastPath
  // The window keeps the position on its own monitor (any monitor, any
  // factor): the primary screen's clamp is not applied.
  bool placedByMonitor = false;
};

// The window as it is when saving.
struct LiveWindowState {
  int left = 0;
  int top = 0;
  int fullWidth = 0;     // width of the full-size window
  int currentWidth = 0;  // width now (smaller in small mode)
  bool smallMode = false;
  int imgPreviewId = 33;  // the layout template the preview shows
};

// Each tool tab keeps its own values in the same store.
class SettingsClient {
 public:
  virtual ~SettingsClient() = default;
  virtual void LoadSettings(SettingsStore& store) = 0;
  virtual void SaveSettings(SettingsStore& store) = 0;
};

// Every field at its default: the window centred, lastPath the documents folder.
TKolOptions DefaultOptions(const LoadEnvironment& env);

// Keeps a window of `size` on a screen of `screen`: negative -> 0, past the far
// edge -> moved back so it ends at the edge, never left of 0.
int ClampWindowPos(int pos, int size, int screen);

// Loads the record and the strip. `store` is null when the settings key could
// not be opened: everything stays at its default, and the tabs load from an
// empty store so they set their own defaults the same way. Null tab entries are
// skipped.
void LoadSettings(SettingsStore* store, const LoadEnvironment& env, TKolOptions& options,
                  PaletteStripState& strip, std::span<SettingsClient* const> tabs);

// Takes the position and preview number from `live` into the record, then
// writes everything. `store` is null when the key could not be opened or
// created: nothing reaches the store, but the tabs still get their
// SaveSettings call (with a store that refuses writes) because some of them
// also save files there. False when anything was not written.
bool SaveSettings(SettingsStore* store, const LiveWindowState& live, TKolOptions& options,
                  const PaletteStripState& strip, std::span<SettingsClient* const> tabs);

}  // namespace kolo
