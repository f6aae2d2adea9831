// The installed font families, as GDI+ lists them, and whether one is still there.
#pragma once

#include <string>
#include <vector>

namespace kolo::win {

// Every family whose name can be read, in the system's order (empty when GDI+
// cannot start).
std::vector<std::string> InstalledFontFamilies();

// Whether a family of that name is installed now.
bool FontFamilyInstalled(const std::string& name);

}  // namespace kolo::win
