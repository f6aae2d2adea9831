// The 256x256 picture every tab draws into, and the lookup tables the wheel and
// colour-space tabs share. Rows are stored bottom-up, three bytes a pixel in
// blue-green-red order, exactly as a 24-bit DIB expects them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "color/color.h"

namespace kolo {

class WorkPicture {
 public:
  static constexpr int kSize = 256;
  static constexpr int kStride = kSize * 3;
  static constexpr int kBytes = kStride * kSize;  // 196,608

  WorkPicture();

  // x from the left, y from the bottom, both 0..255; anything else is ignored.
  void PutPixel(int x, int y, TColor c);
  void PutPixelRGB(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b);
  void PutPixelF(int x, int y, double r, double g, double b);
  TColor GetPixel(int x, int y) const;
  void ClearBuffer();
  void BlendPixel(int x, int y, double t, TColor background, TColor c);
  // Frame of (size+1)x(size+1) from (x, y), fill of (size-1)x(size-1) from (x+1, y+1).
  void DrawCell(int x, int y, bool highlight, int size, TColor c, TColor current);
  void DrawCellF(int x, int y, bool highlight, int width, int height, double r, double g, double b,
                 TColor current);

  const std::uint8_t* Bits() const { return bits_.data(); }
  std::uint8_t* Bits() { return bits_.data(); }

 private:
  void FillRect(int x, int y, int w, int h, TColor c);
  void FrameRect(int x, int y, int w, int h, TColor c);
  std::vector<std::uint8_t> bits_;
};

// The header a 24-bit bottom-up DIB of the work picture carries (BITMAPINFOHEADER layout).
struct WorkPictureHeader {
  std::uint32_t size = 40;
  std::int32_t width = WorkPicture::kSize;
  std::int32_t height = WorkPicture::kSize;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
};

// Entry (i, j) at i*256 + j with a = i - 128, b = j - 128.
struct LookupTables {
  std::vector<float> distance;          // round(sqrt(a^2 + b^2)), half to even
  std::vector<std::int32_t> squared;    // a^2 + b^2
  std::vector<float> angle;             // degrees 0..360 from atan2(b, a)

  static const LookupTables& Get();
  static int Index(int i, int j) { return i * 256 + j; }

 private:
  LookupTables();
};

inline TColor MixColors(TColor a, TColor b) {
  return MakeColor((GetR(a) + GetR(b)) / 2, (GetG(a) + GetG(b)) / 2, (GetB(a) + GetB(b)) / 2);
}

}  // namespace kolo
