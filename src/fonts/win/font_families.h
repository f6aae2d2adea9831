// The installed font families, the ones GDI+ would list, and whether one is
// still there.
#pragma once

#include <string>
#include <vector>

namespace kolo::win {

// Every TrueType and OpenType family, once each, in the system's order.
std::vector<std::string> InstalledFontFamilies();

// Whether a family of that name is installed now.
bool FontFamilyInstalled(const std::string& name);

}  // namespace kolo::win
