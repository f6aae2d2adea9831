#include "frame/routines.h"

#include <climits>
#include <cstddef>

namespace kolo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whole-text decimal integer with an optional sign; saturates on overflow.
std::optional<long long> ParseInteger(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  if (b == e) return std::nullopt;
  bool negative = false;
  if (text[b] == '+' || text[b] == '-') {
    negative = text[b] == '-';
    ++b;
  }
  if (b == e) return std::nullopt;
  long long value = 0;
  for (std::size_t i = b; i < e; ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    if (value <= LLONG_MAX / 20) value = value * 10 + (c - '0');  // past int range we only need "big"
  }
  return negative ? -value : value;
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
  std::size_t i = 0;
  for (; prefix[i] != '\0'; ++i) {
    if (i >= s.size()) return false;
    char a = s[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (a != prefix[i]) return false;
  }
  return true;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void AppendEscaped(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

// Bytes that may split or end a command-line argument, or that are not valid
// in an address at all.
bool NeedsEscape(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  switch (c) {
    case '"': case '\\': case '<': case '>': case '^': case '`': case '|': case '{': case '}':
      return true;
    default:
      return false;
  }
}

std::string EscapeUrl(const std::string& url) {
  std::string out;
  out.reserve(url.size());
  for (unsigned char c : url) {
    if (NeedsEscape(c)) AppendEscaped(out, c);
    else out += static_cast<char>(c);
  }
  return out;
}

// C:\dir\file.html or \\server\share\file.html -> file:///C:/dir/file.html.
// Here '%', '#' and '?' are plain file-name characters and must be escaped too.
std::string PathToFileUrl(const std::string& path) {
  std::string out;
  std::size_t start = 0;
  if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/')) {
    out = "file://";
    start = 2;
  } else {
    out = "file:///";
  }
  for (std::size_t i = start; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (c == '\\') out += '/';
    else if (c == '%' || c == '#' || c == '?' || NeedsEscape(c)) AppendEscaped(out, c);
    else out += static_cast<char>(c);
  }
  return out;
}

}  // namespace

int StrToIntRange(const std::string& text, int def, int min, int max) {
  std::optional<long long> n = ParseInteger(text);
  if (!n) return def;
  long long v = *n;
  if (max != -1 && v > max) v = max;
  if (min != -1 && v < min) v = min;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  return static_cast<int>(v);
}

std::string ColorToHex(TColor c) {
  static const char kHex[] = "0123456789ABCDEF";
  const unsigned bytes[3] = {GetR(c), GetG(c), GetB(c)};
  std::string out;
  for (unsigned b : bytes) {
    out += kHex[b >> 4];
    out += kHex[b & 0x0F];
  }
  return out;
}

std::int32_t ReadIntegerDef(const SettingsStore& store, const std::string& name, std::int32_t def) {
  return store.ReadInteger(name).value_or(def);
}

bool ReadBoolDef(const SettingsStore& store, const std::string& name, bool def) {
  return store.ReadBool(name).value_or(def);
}

std::string ReadStringDef(const SettingsStore& store, const std::string& name, const std::string& def) {
  std::optional<std::string> v = store.ReadString(name);
  return v && !v->empty() ? *v : def;
}

std::optional<std::string> BrowserSafeUrl(const std::string& url) {
  if (StartsWithNoCase(url, "http://") || StartsWithNoCase(url, "https://")) {
    if (url.find_first_not_of(' ', url.find("//") + 2) == std::string::npos) return std::nullopt;
    return EscapeUrl(url);
  }
  if (StartsWithNoCase(url, "file:")) return EscapeUrl(url);
  // Long-path forms name the same files as the plain ones.
  if (url.rfind("\\\\?\\UNC\\", 0) == 0) return BrowserSafeUrl("\\\\" + url.substr(8));
  if (url.rfind("\\\\?\\", 0) == 0) return BrowserSafeUrl(url.substr(4));
  bool drivePath = url.size() >= 3 && IsAsciiLetter(url[0]) && url[1] == ':' && (url[2] == '\\' || url[2] == '/');
  bool uncPath = url.size() >= 3 && url[0] == '\\' && url[1] == '\\' && url[2] != '\\';
  if (drivePath || uncPath) return PathToFileUrl(url);
  return std::nullopt;
}

std::string BuildBrowserCommandLine(const std::string& command, const std::string& url) {
  std::size_t at = command.find("%1");
  if (at == std::string::npos) return command + " " + url;
  std::string out = command;
  out.replace(at, 2, url);
  return out;
}

}  // namespace kolo
