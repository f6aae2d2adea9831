#include "app/color_slot.h"

#include "color/legibility.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "frame/routines.h"

namespace kolo {

namespace {

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

// The whole text as a hexadecimal number of at most 32 bits.
std::optional<std::uint32_t> ReadHex32(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t v = 0;
  for (char c : text) {
    auto d = HexDigit(c);
    if (!d) return std::nullopt;
    v = v << 4 | static_cast<std::uint32_t>(*d);
  }
  return v;
}

// Length of the UTF-8 sequence a lead byte starts (1 for anything stray).
std::size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::string SlotText(TColor c) { return ColorToHex(c); }

TColor ReadSlotText(std::string_view text) {
  const std::uint32_t v = ReadHex32(text).value_or(0);
  // The edit shows red first; a TColor keeps red in the low byte.
  return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
}

bool IsSlotEditChar(unsigned ch) {
  if (ch == 3 || ch == 8 || ch == 22 || ch == 24) return true;
  return ch < 128 && HexDigit(static_cast<char>(ch)).has_value();
}

int SwapSlots(TKolOptions& options, int currentSlot, int tag) {
  if (tag < 1 || tag > kSlotCount - 1) return currentSlot;
  const int a = tag - 1, b = tag;
  std::swap(ColorSlot(options, a), ColorSlot(options, b));
  if (currentSlot == a) return b;
  if (currentSlot == b) return a;
  return currentSlot;
}

std::string FontFaceName(std::string_view name) {
  std::size_t pos = 0;
  for (int chars = 0; chars < kFaceNameLimit && pos < name.size(); ++chars)
    pos += Utf8Length(static_cast<unsigned char>(name[pos]));
  return std::string(name.substr(0, pos));
}

std::string FontSampleText(const TKolOptions& options) {
  return options.fontText.empty() ? options.fontName : options.fontText;
}

bool RecolorTemplate(std::vector<GifRgb>& table, int tag, const std::array<TColor, kSlotCount>& slots) {
  if (tag < 2 || tag > kSlotCount || static_cast<int>(table.size()) < tag) return false;
  for (int slot = 0; slot < tag; ++slot) {
    const TColor c = slots[static_cast<size_t>(slot)];
    table[static_cast<size_t>(tag - 1 - slot)] = GifRgb{GetR(c), GetG(c), GetB(c)};
  }
  return true;
}

std::array<TColor, kSlotCount> SlotColors(const TKolOptions& options) {
  return {options.color1, options.color2, options.color3, options.color4};
}

std::string SlotContrastHint(int slot, const std::array<TColor, kSlotCount>& slots) {
  std::string text;
  for (int other = 0; other < kSlotCount; ++other) {
    if (other == slot) continue;
    if (!text.empty()) text += " \u00B7 ";
    text += std::to_string(other + 1) + ": " +
            ContrastSummary(ContrastRatio(slots[static_cast<std::size_t>(slot)], slots[static_cast<std::size_t>(other)]));
  }
  return text;
}

}  // namespace kolo
