#include "frame/work_picture.h"

#include <cmath>

namespace kolo {

WorkPicture::WorkPicture() : bits_(kBytes, 0) { ClearBuffer(); }

void WorkPicture::PutPixel(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= kSize || y >= kSize) return;
  std::uint8_t* p = &bits_[static_cast<size_t>(y) * kStride + static_cast<size_t>(x) * 3];
  p[0] = GetB(c);
  p[1] = GetG(c);
  p[2] = GetR(c);
}

void WorkPicture::PutPixelRGB(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  PutPixel(x, y, MakeColor(r, g, b));
}

void WorkPicture::PutPixelF(int x, int y, double r, double g, double b) {
  // Half to even, and kept in 0..255: a channel a hair over 255 must stay bright
  // rather than wrap round to black.
  PutPixel(x, y, MakeColor(RoundChannel(r), RoundChannel(g), RoundChannel(b)));
}

TColor WorkPicture::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= kSize || y >= kSize) return clEmptyColor;
  const std::uint8_t* p = &bits_[static_cast<size_t>(y) * kStride + static_cast<size_t>(x) * 3];
  return MakeColor(p[2], p[1], p[0]);
}

void WorkPicture::ClearBuffer() {
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) PutPixel(x, y, clSkyBlue);
}

void WorkPicture::BlendPixel(int x, int y, double t, TColor background, TColor c) {
  auto mix = [t](double ch, double bg) {
    long long v = RoundHalfEven(ch - (ch - bg) * t);
    return static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
  };
  PutPixel(x, y, MakeColor(mix(GetR(c), GetR(background)), mix(GetG(c), GetG(background)),
                           mix(GetB(c), GetB(background))));
}

void WorkPicture::FillRect(int x, int y, int w, int h, TColor c) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) PutPixel(x + i, y + j, c);
}

void WorkPicture::FrameRect(int x, int y, int w, int h, TColor c) {
  for (int i = 0; i < w; ++i) {
    PutPixel(x + i, y, c);
    PutPixel(x + i, y + h - 1, c);
  }
  for (int j = 0; j < h; ++j) {
    PutPixel(x, y + j, c);
    PutPixel(x + w - 1, y + j, c);
  }
}

void WorkPicture::DrawCell(int x, int y, bool highlight, int size, TColor c, TColor current) {
  if (c == clEmptyColor) return;
  FillRect(x + 1, y + 1, size - 1, size - 1, c);
  FrameRect(x, y, size + 1, size + 1, highlight && c == current ? clBlack : clFrame);
}

void WorkPicture::DrawCellF(int x, int y, bool highlight, int width, int height, double r, double g,
                            double b, TColor current) {
  TColor c = MakeColor(RoundChannel(r), RoundChannel(g), RoundChannel(b));
  FillRect(x + 1, y + 1, width - 1, height - 1, c);
  FrameRect(x, y, width + 1, height + 1, highlight && c == current ? clBlack : clFrame);
}

const LookupTables& LookupTables::Get() {
  static const LookupTables tables;
  return tables;
}

LookupTables::LookupTables() : distance(65536), squared(65536), angle(65536) {
  constexpr double kPi = 3.14159265358979323846;
  for (int i = 0; i < 256; ++i) {
    for (int j = 0; j < 256; ++j) {
      const int a = i - 128, b = j - 128;
      const int k = Index(i, j);
      squared[k] = a * a + b * b;
      distance[k] = static_cast<float>(RoundHalfEven(std::sqrt(static_cast<double>(squared[k]))));
      if (a == 0)
        angle[k] = b >= 0 ? 270.0f : 90.0f;
      else
        angle[k] = static_cast<float>(std::atan2(static_cast<double>(b), static_cast<double>(a)) * 180.0 / kPi + 180.0);
    }
  }
}

}  // namespace kolo
