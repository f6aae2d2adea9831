// Small routines many windows share: numbers read from edit text with a range,
// colour hex text, rectangle tests, reads from the settings store with
// defaults, and the browser command line built for an address.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "frame/settings_store.h"
#include "color/color.h"

namespace kolo {

// Empty or unreadable text gives `def`; otherwise the number brought into
// min..max. A bound of -1 means "no bound" on that side. Digits too many for an
// int saturate before the bounds apply, so "99999999999" with max 5000 is 5000.
int StrToIntRange(const std::string& text, int def, int min, int max);

// "RRGGBB": red, green, blue as two upper-case hex digits each.
std::string ColorToHex(TColor c);

// Strictly inside: the edges themselves are outside. Works with any rectangle
// type that has left, top, right and bottom members.
template <class R>
constexpr bool PointInRect(int x, int y, const R& r) {
  return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

constexpr int IfThen(bool b, int a, int c) { return b ? a : c; }
inline std::string IfThen(bool b, const std::string& a, const std::string& c) { return b ? a : c; }

// The stored value, or `def` when it is missing or of another type.
std::int32_t ReadIntegerDef(const SettingsStore& store, const std::string& name, std::int32_t def);
bool ReadBoolDef(const SettingsStore& store, const std::string& name, bool def);
// Strings also fall back to `def` when stored empty.
std::string ReadStringDef(const SettingsStore& store, const std::string& name, const std::string& def);

// Turns an address into one that is safe to put on a browser's command line:
// only http, https and file addresses (or an absolute local path, turned into
// a file address) pass; blanks, quotes, backslashes, control and non-ASCII
// bytes are percent-encoded, so the address always stays one argument and
// can neither end the quoting nor add arguments. Empty when refused.
std::optional<std::string> BrowserSafeUrl(const std::string& url);

// The browser command with the first "%1" replaced by the address, or the
// address appended after a blank when the command has no "%1".
std::string BuildBrowserCommandLine(const std::string& command, const std::string& url);

}  // namespace kolo
