#include "frame/settings.h"

#include <algorithm>
#include <type_traits>
#include <utility>

#include "frame/routines.h"

namespace kolo {

namespace {

// Visits the fields stored before the tabs, in declaration order.
template <class Options, class F>
void VisitHeadFields(Options& o, F&& f) {
  f("fontSize", o.fontSize);
  f("fontName", o.fontName);
  f("fontText", o.fontText);
  f("fontBold", o.fontBold);
  f("fontItalic", o.fontItalic);
  f("fontUnderline", o.fontUnderline);
  f("color1", o.color1);
  f("color2", o.color2);
  f("color3", o.color3);
  f("color4", o.color4);
  f("imgPreviewId", o.imgPreviewId);
  f("x", o.x);
  f("y", o.y);
  f("runsmall", o.runsmall);
  f("stayonTop", o.stayonTop);
  f("crntPage", o.crntPage);
  f("proxy", o.proxy);
}

// Visits the fields stored after the tabs.
template <class Options, class F>
void VisitTailFields(Options& o, F&& f) {
  f("newPalette", o.newPalette);
  f("ColorFormat", o.ColorFormat);
  f("clipboardHook", o.clipboardHook);
  f("maxClipImages", o.maxClipImages);
  f("maxScreenImages", o.maxScreenImages);
  f("viewColorHint", o.viewColorHint);
  f("viewHint", o.viewHint);
  f("saveJPGQuality", o.saveJPGQuality);
  f("saveGIFPalette", o.saveGIFPalette);
  f("uploadURL", o.uploadURL);
  f("confirmDelete", o.confirmDelete);
  f("confirmChange", o.confirmChange);
  f("confirmCrop", o.confirmCrop);
  f("confirmClose", o.confirmClose);
  f("lastPath", o.lastPath);
  f("filterPaletteIndex", o.filterPaletteIndex);
  f("filterImageIndex", o.filterImageIndex);
}

// Reads one value over the default already in `field`.
struct FieldReader {
  const SettingsStore& store;
  template <class T>
  void operator()(const char* name, T& field) const {
    if constexpr (std::is_same_v<T, std::string>) {
      field = ReadStringDef(store, name, field);
    } else if constexpr (std::is_same_v<T, bool>) {
      field = ReadBoolDef(store, name, field);
    } else if constexpr (std::is_same_v<T, std::uint8_t>) {
      // Bytes are stored as integers; anything outside a byte is garbage.
      std::int32_t v = ReadIntegerDef(store, name, field);
      field = static_cast<std::uint8_t>(std::clamp<std::int32_t>(v, 0, 255));
    } else if constexpr (std::is_same_v<T, TColor>) {
      field = static_cast<TColor>(ReadIntegerDef(store, name, static_cast<std::int32_t>(field)));
    } else {
      static_assert(std::is_same_v<T, int>);
      field = ReadIntegerDef(store, name, field);
    }
  }
};

struct FieldWriter {
  SettingsStore& store;
  bool& ok;
  template <class T>
  void operator()(const char* name, const T& field) const {
    bool written;
    if constexpr (std::is_same_v<T, std::string>) {
      written = store.WriteString(name, field);
    } else if constexpr (std::is_same_v<T, bool>) {
      written = store.WriteBool(name, field);
    } else {
      written = store.WriteInteger(name, static_cast<std::int32_t>(field));
    }
    ok = written && ok;
  }
};

// Stands in for a key that could not be opened: reads find nothing, writes fail.
class NoStore final : public SettingsStore {
 public:
  std::optional<std::int32_t> ReadInteger(const std::string&) const override { return std::nullopt; }
  std::optional<bool> ReadBool(const std::string&) const override { return std::nullopt; }
  std::optional<std::string> ReadString(const std::string&) const override { return std::nullopt; }
  std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string&) const override {
    return std::nullopt;
  }
  bool WriteInteger(const std::string&, std::int32_t) override { return false; }
  bool WriteBool(const std::string&, bool) override { return false; }
  bool WriteString(const std::string&, const std::string&) override { return false; }
  bool WriteBinary(const std::string&, const std::vector<std::uint8_t>&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }
};

template <class T>
T ClampInto(T v, T lo, T hi) {
  return std::clamp(v, lo, hi);
}

// Values other windows index with: brought into their ranges, so a stray
// registry edit cannot send them off the end of a table.
void KeepInRange(TKolOptions& o) {
  o.crntPage = ClampInto<std::uint8_t>(o.crntPage, 0, kTabCount - 1);
  o.ColorFormat = ClampInto<std::uint8_t>(o.ColorFormat, 0, kColorFormatCount - 1);
  o.newPalette = ClampInto<std::uint8_t>(o.newPalette, 0, 5);
  o.fontSize = ClampInto(o.fontSize, 5, 22);
  o.saveJPGQuality = ClampInto(o.saveJPGQuality, 1, 10);
  o.saveGIFPalette = ClampInto(o.saveGIFPalette, 0, 5);
}

}  // namespace

TColor& ColorSlot(TKolOptions& o, int index) {
  switch (index) {
    case 1: return o.color2;
    case 2: return o.color3;
    case 3: return o.color4;
    default: return o.color1;
  }
}

TColor ColorSlot(const TKolOptions& o, int index) {
  return ColorSlot(const_cast<TKolOptions&>(o), index);
}

PaletteStripState DefaultPaletteStrip() {
  PaletteStripState s;
  for (int i = 0; i < kPaletteCells; ++i) {
    if (i < 216) {
      s.cells[i] = MakeColor(255 - 51 * (i / 36), 255 - 51 * ((i / 6) % 6), 255 - 51 * (i % 6));
    } else {
      s.cells[i] = clEmptyColor;
    }
  }
  s.transparentIndex = -1;
  return s;
}

std::vector<std::uint8_t> EncodePaletteCells(const std::array<TColor, kPaletteCells>& cells) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(cells.size() * 4);
  for (TColor c : cells) {
    for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<std::uint8_t>(c >> (8 * k)));
  }
  return bytes;
}

void DecodePaletteCells(const std::vector<std::uint8_t>& bytes, std::array<TColor, kPaletteCells>& cells) {
  std::size_t n = std::min<std::size_t>(bytes.size() / 4, cells.size());
  for (std::size_t i = 0; i < n; ++i) {
    TColor c = 0;
    for (int k = 0; k < 4; ++k) c |= static_cast<TColor>(bytes[i * 4 + k]) << (8 * k);
    cells[i] = IsEmptyColor(c) ? clEmptyColor : (c & 0xFFFFFF);
  }
}

TKolOptions DefaultOptions(const LoadEnvironment& env) {
  TKolOptions o;
  o.x = (env.screenWidth - env.windowWidth) / 2;
  o.y = (env.screenHeight - env.windowHeight) / 2;
  o.lastPath = env.documentsFolder;
  return o;
}

int ClampWindowPos(int pos, int size, int screen) {
  if (pos < 0) pos = 0;
  if (pos + size > screen) pos = screen - size;
  // A window wider than the screen keeps its left edge (the caption) visible.
  return pos < 0 ? 0 : pos;
}

void LoadSettings(SettingsStore* store, const LoadEnvironment& env, TKolOptions& options,
                  PaletteStripState& strip, std::span<SettingsClient* const> tabs) {
  options = DefaultOptions(env);
  strip = DefaultPaletteStrip();
  NoStore noStore;
  SettingsStore& s = store != nullptr ? *store : noStore;

  if (store != nullptr) {
    VisitHeadFields(options, FieldReader{s});
    if (auto colors = s.ReadBinary("colors")) DecodePaletteCells(*colors, strip.cells);
    if (!env.placedByMonitor) {
      options.x = ClampWindowPos(options.x, env.windowWidth, env.screenWidth);
      options.y = ClampWindowPos(options.y, env.windowHeight, env.screenHeight);
    }
    std::int32_t t = ReadIntegerDef(s, "TransparentId", -1);
    strip.transparentIndex = (t >= 0 && t < kPaletteCells) ? t : -1;
  }
  for (SettingsClient* tab : tabs) {
    if (tab != nullptr) tab->LoadSettings(s);
  }
  if (store != nullptr) {
    VisitTailFields(options, FieldReader{s});
    KeepInRange(options);
  }
}

bool SaveSettings(SettingsStore* store, const LiveWindowState& live, TKolOptions& options,
                  const PaletteStripState& strip, std::span<SettingsClient* const> tabs) {
  options.imgPreviewId = live.imgPreviewId;
  // In small mode remember where the full-size window's left edge will be, so
  // the right edge stays put when it is restored.
  options.x = live.smallMode ? live.left - live.fullWidth + live.currentWidth : live.left;
  options.y = live.top;

  NoStore noStore;
  SettingsStore& s = store != nullptr ? *store : noStore;
  bool ok = store != nullptr;
  if (store != nullptr) {
    VisitHeadFields(std::as_const(options), FieldWriter{s, ok});
    ok = s.WriteBinary("colors", EncodePaletteCells(strip.cells)) && ok;
    ok = s.WriteInteger("TransparentId", strip.transparentIndex) && ok;
  }
  for (SettingsClient* tab : tabs) {
    if (tab != nullptr) tab->SaveSettings(s);
  }
  if (store != nullptr) VisitTailFields(std::as_const(options), FieldWriter{s, ok});
  return ok;
}

}  // namespace kolo
