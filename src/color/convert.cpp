// Colour-model conversions.
//
// Formula sources: hexcone HSB/HSV and double-hexcone HLS after A. R. Smith,
// "Color Gamut Transform Pairs" (SIGGRAPH 1978) and Foley & van Dam; CMY/CMYK
// as the usual subtractive complements; Lab through sRGB (IEC 61966-2-1, D65)
// and CIE 1976 L*a*b*; LMS with the RGB<->LMS matrix of Reinhard et al.,
// "Color Transfer between Images" (IEEE CG&A 2001).
//
// Every function keeps the order of operations and the constants exactly as
// written here: the tools show values that users compare against earlier
// results, so "equivalent" rewrites that change the last bit are not welcome.
// Only the Lab and LMS inverses clamp; the others leave out-of-range input alone.
#include "color/convert.h"

#include <cmath>

namespace kolo {

namespace {

double Max3(double a, double b, double c) {
  double m = a > b ? a : b;
  return m > c ? m : c;
}

double Min3(double a, double b, double c) {
  double m = a < b ? a : b;
  return m < c ? m : c;
}

// Hue sextant position in -1..5 (tests in this order, exact equality), then
// onto the 256-unit circle.
double HueOf(double r, double g, double b, double mx, double mn) {
  double h;
  if (r == mx)
    h = (g - b) / (mx - mn);
  else if (g == mx)
    h = (b - r) / (mx - mn) + 2;
  else
    h = (r - g) / (mx - mn) + 4;
  double hue = h * (256.0 / 6.0) + 256;
  return hue - 256 * std::floor(hue / 256);
}

// min with 255, then max with 0 (NaN ends as 255, never as garbage).
double Clamp255(double v) {
  v = v < 255 ? v : 255;
  return v > 0 ? v : 0;
}

std::array<float, kGammaTableSize> BuildGammaTable() {
  std::array<float, kGammaTableSize> t{};
  for (int i = 0; i < kGammaTableSize; ++i)
    t[i] = static_cast<float>(std::pow(i / 1000.0, 1 / 2.4));
  return t;
}

double Linearise(double c) {
  return c > 0.04045 ? std::pow((c + 0.055) / 1.055, 2.4) : c / 12.92;
}

// Whole channel values are by far the common input; their linear values come
// from a table built with the very same expression, so results do not change.
double LineariseChannel(double v) {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = Linearise(static_cast<double>(i) / 255);
    return t;
  }();
  if (v >= 0 && v <= 255) {
    int i = static_cast<int>(v);
    if (i == v) return table[i];
  }
  return Linearise(v / 255);
}

double LabF(double t) {
  return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0;
}

double LabFInv(double v) {
  double v3 = v * v * v;
  return v3 > 0.008856 ? v3 : v * 0.1284191601386927 - 0.017712987605336922;
}

// sRGB companding through the table; the argument goes through single
// precision first. Anything past the table's 5.0 is far above white anyway.
double Compand(double c, const float* gamma) {
  if (!(c > 0.0031308)) return 12.92 * c;
  double scaled = static_cast<double>(static_cast<float>(c)) * 1000.0;
  if (!(scaled < kGammaTableSize - 0.5)) return 1.0;  // white; the caller's clamp keeps it
  long long index = std::llrint(scaled);
  return 1.055 * gamma[index] - 0.055;
}

}  // namespace

std::span<const float, kGammaTableSize> GammaTable() {
  static const std::array<float, kGammaTableSize> table = BuildGammaTable();
  return table;
}

Color3 RGBToHSB(double r, double g, double b) {
  double mx = Max3(r, g, b);
  double mn = Min3(r, g, b);
  if (mx == mn) return {0, 0, mx};
  double s = (mx - mn) * 255 / mx;
  return {HueOf(r, g, b, mx, mn), s, mx};
}

Color3 HSBToRGB(double h, double s, double v) {
  if (s == 0) return {v, v, v};
  double x = h * 0.0234375;  // 6/256
  double i = std::floor(x);
  double f = x - i;
  double p = (255 - s) * v / 255;
  double q = (255 - f * s) * v / 255;
  double t = (255 - (1 - f) * s) * v / 255;
  // Compare as reals: a huge hue must not overflow an integer conversion.
  if (i == 0) return {v, t, p};
  if (i == 1) return {q, v, p};
  if (i == 2) return {p, v, t};
  if (i == 3) return {p, q, v};
  if (i == 4) return {t, p, v};
  return {v, p, q};
}

Color3 RGBToHLS(double r, double g, double b) {
  constexpr double kInv255 = 1.0 / 255;
  r *= kInv255;
  g *= kInv255;
  b *= kInv255;
  double mx = Max3(r, g, b);
  double mn = Min3(r, g, b);
  double l = (mx + mn) / 2;
  double s;
  if (mx == mn || l == 0)
    s = 0;
  else if (l <= 0.5)
    s = (mx - mn) / (mx + mn);
  else
    s = (mx - mn) / (2 - (mx + mn));
  double h = mx == mn ? 0 : HueOf(r, g, b, mx, mn);
  return {h, l * 255, s * 255};
}

Color3 HLSToRGB(double h, double l, double s) {
  h = h / 255;
  l = l / 255;
  s = s / 255;
  double m2 = l < 0.5 ? (1 + s) * l : l + s - l * s;
  double m1 = 2 * l - m2;
  auto value = [m1, m2](double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return m1 + (m2 - m1) * 6 * t;
    if (t < 1.0 / 2) return m2;
    if (t < 2.0 / 3) return m1 + (m2 - m1) * (2.0 / 3 - t) * 6;
    return m1;
  };
  return {value(h + 1.0 / 3) * 255, value(h) * 255, value(h - 1.0 / 3) * 255};
}

Color3 RGBToCMY(double r, double g, double b) { return {255 - r, 255 - g, 255 - b}; }

Color3 CMYToRGB(double c, double m, double y) { return {255 - c, 255 - m, 255 - y}; }

Color4 RGBToCMYK(double r, double g, double b) {
  double mx = Max3(r, g, b);
  if (mx > 0) return {(1 - r / mx) * 255, (1 - g / mx) * 255, (1 - b / mx) * 255, 255 - mx};
  return {0, 0, 0, 255 - mx};
}

Color3 CMYKToRGB(double c, double m, double y, double k) {
  return {c * k / 255 + 255 - k - c, m * k / 255 + 255 - k - m, y * k / 255 + 255 - k - y};
}

Color3 RGBToLab(double r, double g, double b) {
  r = LineariseChannel(r);
  g = LineariseChannel(g);
  b = LineariseChannel(b);
  double x = (0.412453 * r + 0.35758 * g + 0.180423 * b) * 100 / 95.047;
  double y = 0.212671 * r + 0.71516 * g + 0.072169 * b;
  double z = (0.019334 * r + 0.119193 * g + 0.950227 * b) * 100 / 108.883;
  double fx = LabF(x), fy = LabF(y), fz = LabF(z);
  return {(116 * fy - 16) * 255 / 100, (fx - fy) * 500 + 128, (fy - fz) * 200 + 128};
}

Color3 LabToRGB(double l, double a, double b) {
  double fy = l * 0.0033806626098715348 + 0.13793103448275862;
  double fx = a * 0.002 - 0.256 + fy;
  double fz = fy - b * 0.005 + 0.64;
  double x = LabFInv(fx) * 0.950456;
  double y = LabFInv(fy);
  double z = LabFInv(fz) * 1.088754;
  double rl = 3.240479 * x - 1.53715 * y - 0.498535 * z;
  double gl = -0.969256 * x + 1.875992 * y + 0.041556 * z;
  double bl = 0.055648 * x - 0.204043 * y + 1.057311 * z;
  const float* gamma = GammaTable().data();
  return {Clamp255(Compand(rl, gamma) * 255), Clamp255(Compand(gl, gamma) * 255),
          Clamp255(Compand(bl, gamma) * 255)};
}

Color3 RGBToLMS(double r, double g, double b) {
  return {0.3811 * r + 0.5783 * g + 0.0402 * b, 0.1967 * r + 0.7244 * g + 0.0782 * b,
          0.0241 * r + 0.1288 * g + 0.8444 * b};
}

Color3 LMSToRGB(double l, double m, double s) {
  return {Clamp255(4.4679 * l - 3.5873 * m + 0.1193 * s),
          Clamp255(-1.2186 * l + 2.3809 * m - 0.1624 * s),
          Clamp255(0.0497 * l - 0.2439 * m + 1.2045 * s)};
}

}  // namespace kolo
