#include "publish/publish_rules.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace kolo {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The host of an http(s) address, lower-cased, without port or user; empty when none.
std::string HostOf(std::string_view url) {
  std::string origin = OriginOf(url);
  if (origin.empty()) return {};
  std::string_view rest = std::string_view(origin).substr(origin.find("://") + 3);
  if (!rest.empty() && rest.front() == '[') return std::string(rest.substr(0, rest.find(']') + 1));
  return std::string(rest.substr(0, rest.find(':')));
}

}  // namespace

std::string UploadAddress(const std::string& existingUrl, const std::string& uploadUrl, bool transparent) {
  const std::string query = transparent ? "t=1" : "";
  if (!existingUrl.empty()) return query.empty() ? existingUrl : existingUrl + "&" + query;
  return query.empty() ? uploadUrl : uploadUrl + "?" + query;
}

std::string MakeBoundary(std::uint32_t random) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(random % 0x7FFFFFFFu));
  return std::string(hex) + kBoundarySuffix;
}

std::string UploadContentType(const std::string& boundary) { return "multipart/form-data; boundary=" + boundary; }

std::string UploadBody(const std::string& boundary, std::span<const std::uint8_t> png) {
  std::string body;
  body.reserve(png.size() + 200);
  body += "--" + boundary + "\r\n";
  body += "content-disposition: form-data; name=\"image\"; filename=\"test.png\"\r\n";
  body += "Content-Type: Application/octet-string\r\n\r\n";
  body.append(reinterpret_cast<const char*>(png.data()), png.size());
  body += "\r\n--" + boundary + "--\r\n";
  return body;
}

std::optional<std::string> UploadAnswer(std::string_view body) {
  if (body.size() < 4 || Lower(body.substr(0, 4)) != "http") return std::nullopt;
  return std::string(Trim(body));
}

std::optional<std::string> CheckAddress(const std::string& url) {
  const std::size_t at = url.find("id=");
  if (at == std::string::npos) return std::nullopt;
  std::string check = url;
  check.replace(at, 2, "ch");
  return check;
}

std::string OriginOf(std::string_view url) {
  const std::string lower = Lower(Trim(url));
  std::size_t start;
  if (lower.rfind("http://", 0) == 0) {
    start = 7;
  } else if (lower.rfind("https://", 0) == 0) {
    start = 8;
  } else {
    return {};
  }
  std::size_t end = lower.find_first_of("/?#\\", start);
  std::string authority = lower.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (const std::size_t at = authority.rfind('@'); at != std::string::npos) authority.erase(0, at + 1);
  if (authority.empty()) return {};
  for (char c : authority) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != ':' && c != '[' && c != ']')
      return {};
  }
  return lower.substr(0, start) + authority;
}

bool IsServiceAddress(std::string_view url, std::string_view serviceUrl) {
  const std::string host = HostOf(url);
  return !host.empty() && host == HostOf(serviceUrl);
}

ProxySetting ParseProxy(std::string_view text) {
  text = Trim(text);
  if (text.find('=') != std::string_view::npos) {
    // "http=host:port;https=host:port;...": the http entry, else the first.
    std::string_view pick;
    std::string_view rest = text;
    while (!rest.empty()) {
      const std::size_t semi = rest.find(';');
      std::string_view entry = Trim(rest.substr(0, semi));
      rest = semi == std::string_view::npos ? std::string_view{} : rest.substr(semi + 1);
      const std::size_t eq = entry.find('=');
      if (eq == std::string_view::npos) continue;
      if (pick.empty()) pick = entry.substr(eq + 1);
      if (Lower(Trim(entry.substr(0, eq))) == "http") {
        pick = entry.substr(eq + 1);
        break;
      }
    }
    text = Trim(pick);
  }
  if (text.empty()) return {"", "8080"};
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {std::string(text), "80"};
  return {std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

std::string ProxyString(const ProxySetting& proxy) {
  if (proxy.host.empty() && proxy.port == "8080") return {};
  if (proxy.port == "80") return proxy.host;
  return proxy.host + ":" + proxy.port;
}

std::optional<double> ParseVersion(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.size() > 12) return std::nullopt;
  double whole = 0, fraction = 0, scale = 1;
  bool dot = false, digits = false;
  for (char c : text) {
    if (c == '.' && !dot) {
      dot = true;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (dot) {
        scale /= 10;
        fraction += (c - '0') * scale;
      } else {
        whole = whole * 10 + (c - '0');
      }
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return whole + fraction;
}

bool IsNewerVersion(double found, double running) {
  return std::nearbyint(found * 100) > std::nearbyint(running * 100);
}

std::string VersionText(double version, char separator) {
  const long long hundredths = std::llround(version * 100);
  // Written as the shortest decimal, as people write versions: 2.10 is "2.1", 2.00 is "2".
  std::string text = std::to_string(hundredths / 100);
  const long long cents = hundredths % 100;
  if (cents != 0) {
    text += separator;
    text += static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
  }
  return text;
}

std::string DownloadAddress(const std::string& site, double version) {
  return site + "/kolo/prg/kolo" + VersionText(version, '_') + ".bin";
}

SentSize UploadSize(int width, int height, int limit) {
  if (width <= limit || width <= 0) return {width, height, false};
  return {limit, static_cast<int>(std::nearbyint(static_cast<double>(height) * limit / width)), true};
}

}  // namespace kolo
