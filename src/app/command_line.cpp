#include "app/command_line.h"

namespace kolo {

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
  size_t i = 0;
  // The program's name: no backslash rules there.
  if (i < line.size() && line[i] == L'"') {
    const size_t close = line.find(L'"', 1);
    i = close == std::wstring_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i])) ++i;

  std::vector<std::wstring> args;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::wstring arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      if (line[i] == L'\\') {
        size_t n = 0;
        while (i < line.size() && line[i] == L'\\') ++n, ++i;
        if (i < line.size() && line[i] == L'"') {
          arg.append(n / 2, L'\\');
          if (n % 2) {
            arg += L'"';
            ++i;
          }
        } else {
          arg.append(n, L'\\');
        }
      } else if (line[i] == L'"') {
        // "" inside a quoted argument is one literal quote.
        if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
          arg += L'"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += line[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace kolo
