// The program's command line split into arguments the way Windows programs
// split it, without loading the shell library for it at start.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolo {

// The arguments after the program's name. Blanks separate arguments, quotes
// group them; 2n backslashes before a quote give n backslashes and the quote
// groups, 2n+1 give n backslashes and a literal quote; other backslashes are
// literal. The program name itself ends at the next quote when it starts with
// one, else at the first blank.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

}  // namespace kolo
