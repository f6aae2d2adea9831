#include "frame/hint_caption.h"

#include <cstdio>
#include <cstdlib>

namespace kolo {

namespace {
std::string Hex6(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c & 0xFFFFFF));
  return buf;
}
}  // namespace

std::string ColorHint(TColor c) { return "C" + Hex6(c); }

std::optional<std::string> CaptionForHint(const std::string& hint, const HintCaptionState& s) {
  if (hint.empty() || (s.colorDragging && hint[0] != 'D')) return std::string(kProgramCaption);
  if (s.smallMode) return std::nullopt;
  const std::string text = hint.substr(1);
  switch (hint[0]) {
    case 'S':
    case 'D':
      if (s.viewHint) return std::string(kProgramCaption) + " [" + text + "]";
      break;
    case 'B':
      if (s.viewHint) return "[" + text + "]";
      break;
    case 'C': {
      if (!s.viewColorHint) break;
      char* end = nullptr;
      unsigned long v = std::strtoul(text.c_str(), &end, 16);
      if (text.empty() || end == text.c_str()) break;  // not a colour after all
      const TColor c = static_cast<TColor>(v);
      const std::string shown = s.formatColor ? s.formatColor(c) : Hex6(c);
      // A colour with a note after it (a slot's contrasts): the note needs all
      // the strip's room, and the colour is in the slot's edit anyway.
      if (*end == ' ' && end[1] != '\0') return std::string(end + 1);
      return std::string(kProgramCaption) + " [" + shown + "]";
    }
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace kolo
