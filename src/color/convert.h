// Conversions between RGB and the colour models the tools show: HSB, HLS,
// CMY, CMYK, Lab and LMS, all on Kolo's internal 0..255 scales.
#pragma once

#include <array>
#include <span>

namespace kolo {

// Model values in the model's own component order (HSB: H, S, B; Lab: L, a, b ...).
using Color3 = std::array<double, 3>;
using Color4 = std::array<double, 4>;  // CMYK

// H in 0 <= H < 256 (256 units per turn); S, B 0..255.
Color3 RGBToHSB(double r, double g, double b);
Color3 HSBToRGB(double h, double s, double v);

// H, L, S; the inverse takes the hue on 0..255, so a round trip drifts by 256/255.
Color3 RGBToHLS(double r, double g, double b);
Color3 HLSToRGB(double h, double l, double s);

Color3 RGBToCMY(double r, double g, double b);
Color3 CMYToRGB(double c, double m, double y);

Color4 RGBToCMYK(double r, double g, double b);
Color3 CMYKToRGB(double c, double m, double y, double k);

// L is L* * 255/100; a and b are a* + 128 and b* + 128. The inverse clamps to 0..255.
Color3 RGBToLab(double r, double g, double b);
Color3 LabToRGB(double l, double a, double b);

// The inverse clamps to 0..255.
Color3 RGBToLMS(double r, double g, double b);
Color3 LMSToRGB(double l, double m, double s);

// 5001 entries: entry i = (i/1000)^(1/2.4) in single precision, used by the
// Lab inverse instead of a power function. Built on first use.
inline constexpr int kGammaTableSize = 5001;
std::span<const float, kGammaTableSize> GammaTable();

}  // namespace kolo
