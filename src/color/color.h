// The colour word and the few colour constants every part of Kolo shares.
#pragma once

#include <cmath>
#include <cstdint>

namespace kolo {

// 0x00BBGGRR: red in the low byte. Bits 28 and 29 mark values that are not colours.
using TColor = std::uint32_t;

inline constexpr TColor clEmptyColor = 0x10000000;        // no colour here (an empty cell)
inline constexpr TColor clTransparentColor = 0x20000000;  // the transparent pseudo-colour
inline constexpr TColor clSkyBlue = 0xF0CAA6;             // background of every picture and panel
inline constexpr TColor clFrame = 0xC08000;               // frames, lines and title strips
inline constexpr TColor clSelectedSlot = 0xF7E8D9;        // frame of the selected slot
inline constexpr TColor clDisabledText = 0xC0DCC0;        // disabled menu text
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

// Any value with bit 28 set counts as empty.
constexpr bool IsEmptyColor(TColor c) { return (c & clEmptyColor) != 0; }
constexpr bool IsSpecialColor(TColor c) { return c == clEmptyColor || c == clTransparentColor; }

constexpr std::uint8_t GetR(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GetG(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t GetB(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr TColor MakeColor(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

// Kolo rounds reals half to even everywhere (the processor's default mode).
inline long long RoundHalfEven(double v) { return std::llrint(v); }

// A real channel rounded half to even and kept in 0..255.
inline std::uint32_t RoundChannel(double v) {
  long long r = std::llrint(v);
  return static_cast<std::uint32_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
}

}  // namespace kolo
