// Is a pair of colours legible? The WCAG 2.x contrast ratio between two
// colours with its pass marks, and how colours look to the three kinds of
// dichromat (for previews only: the colours themselves never change).
#pragma once

#include <string>

#include "color/color.h"

namespace kolo {

// Relative luminance 0..1 of an sRGB colour.
double RelativeLuminance(TColor c);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(TColor a, TColor b);

// WCAG 2.x success criteria 1.4.3 (AA) and 1.4.6 (AAA): normal text needs
// 4.5 and 7, large text (18 pt, or 14 pt bold) 3 and 4.5.
struct ContrastVerdict {
  bool aaNormal, aaLarge, aaaNormal, aaaLarge;
};
ContrastVerdict JudgeContrast(double ratio);

// The ratio cut (never rounded up, so a shown 4.50 always passes AA) to
// `decimals` places.
std::string ContrastText(double ratio, int decimals);
// Short form for the title strip, judged for normal text: "4.6 AA", "21 AAA",
// "3.2" (no pass).
std::string ContrastSummary(double ratio);

enum class ColorVision { Normal = 0, Protanopia, Deuteranopia, Tritanopia };
inline constexpr int kColorVisionCount = 4;
const char* ColorVisionName(ColorVision v);
// The colour as a dichromat of that kind sees it.
TColor SimulateColorVision(TColor c, ColorVision v);

}  // namespace kolo
