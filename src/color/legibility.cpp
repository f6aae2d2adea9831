// Contrast: W3C, Web Content Accessibility Guidelines 2.2, definitions of
// "relative luminance" and "contrast ratio" (sRGB linearisation, Rec. 709
// weights). Colour vision: G. M. Machado, M. M. Oliveira, L. A. F. Fernandes,
// "A Physiologically-based Model for Simulation of Color Vision Deficiency",
// IEEE TVCG 15(6), 2009 — the severity 1.0 matrices, applied to linear RGB.
#include "color/legibility.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kolo {

namespace {

double ToLinear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int FromLinear(double v) {
  v = std::clamp(v, 0.0, 1.0);
  const double c = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
  return static_cast<int>(RoundHalfEven(c * 255));
}

using Matrix = double[3][3];
const Matrix kMachado[3] = {
    // protanopia
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
    // deuteranopia
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
    // tritanopia
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},
};

}  // namespace

double RelativeLuminance(TColor c) {
  return 0.2126 * ToLinear(GetR(c)) + 0.7152 * ToLinear(GetG(c)) + 0.0722 * ToLinear(GetB(c));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ContrastVerdict JudgeContrast(double ratio) { return {ratio >= 4.5, ratio >= 3, ratio >= 7, ratio >= 4.5}; }

std::string ContrastText(double ratio, int decimals) {
  const double scale = std::pow(10.0, decimals);
  // A hair of tolerance so that 21 stays 21 and not 20.99 after the division.
  const double cut = std::floor(ratio * scale + 1e-9) / scale;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, cut);
  return buf;
}

std::string ContrastSummary(double ratio) {
  std::string text = ContrastText(ratio, ratio >= 10 ? 0 : 1);
  const ContrastVerdict v = JudgeContrast(ratio);
  if (v.aaaNormal) return text + " AAA";
  if (v.aaNormal) return text + " AA";
  return text;
}

const char* ColorVisionName(ColorVision v) {
  switch (v) {
    case ColorVision::Protanopia: return "protanopia";
    case ColorVision::Deuteranopia: return "deuteranopia";
    case ColorVision::Tritanopia: return "tritanopia";
    default: return "normal vision";
  }
}

TColor SimulateColorVision(TColor c, ColorVision v) {
  if (v == ColorVision::Normal) return c;
  const Matrix& m = kMachado[static_cast<int>(v) - 1];
  const double in[3] = {ToLinear(GetR(c)), ToLinear(GetG(c)), ToLinear(GetB(c))};
  int out[3];
  for (int row = 0; row < 3; ++row) out[row] = FromLinear(m[row][0] * in[0] + m[row][1] * in[1] + m[row][2] * in[2]);
  return MakeColor(out[0], out[1], out[2]);
}

}  // namespace kolo
