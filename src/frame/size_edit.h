// Typing rules of the image size edits: digits and the clipboard/backspace
// control characters only.
#pragma once

namespace kolo {

constexpr bool IsSizeEditChar(unsigned ch) {
  return (ch >= '0' && ch <= '9') || ch == 3 || ch == 8 || ch == 22 || ch == 24;
}

inline constexpr int kMaxImageSide = 5000;

}  // namespace kolo
