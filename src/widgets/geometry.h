// Integer rectangles and exact rounding for the controls' layout arithmetic.
#pragma once

#include <cstdint>

namespace kolo {

// Half-open rectangle [left, right) x [top, bottom).
struct IntRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  static constexpr IntRect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend constexpr bool operator==(const IntRect&, const IntRect&) = default;
};

// num / den rounded to the nearest integer, ties to even, without going through
// floating point (so a tie is really a tie). den must not be 0.
constexpr std::int64_t RoundDivHalfEven(std::int64_t num, std::int64_t den) {
  if (den < 0) { num = -num; den = -den; }
  std::int64_t q = num / den, r = num % den;  // truncated toward zero
  if (r < 0) { r += den; --q; }               // floor division, 0 <= r < den
  std::int64_t twice = 2 * r;
  if (twice > den || (twice == den && (q & 1) != 0)) ++q;
  return q;
}

}  // namespace kolo
