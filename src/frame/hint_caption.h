// What the title strip says for a hint. Every hint starts with a kind letter
// that is never shown: S plain, B plain without the program name, C a colour
// (six hex digits of a TColor follow, then optionally a space and a note that
// is shown instead of the colour), D shown during a colour drag.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "color/color.h"

namespace kolo {

struct HintCaptionState {
  bool colorDragging = false;
  bool smallMode = false;
  bool viewHint = true;
  bool viewColorHint = true;
  // Writes a colour in the current colour format.
  std::function<std::string(TColor)> formatColor;
};

inline constexpr char kProgramCaption[] = "Kolo";

// The new caption, or nothing when the caption keeps its previous text.
std::optional<std::string> CaptionForHint(const std::string& hint, const HintCaptionState& state);

// "C" hint text for a colour: six upper-case hex digits of the TColor value.
std::string ColorHint(TColor c);

}  // namespace kolo
