// The publishing protocol's rules, apart from any transport: where an upload
// goes, the multipart body byte for byte, what counts as an answer, the check
// address, proxy texts, version numbers and the update's addresses.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kolo {

inline constexpr char kUserAgent[] = "Mozilla/5.0 (compatible; YandexDirect/3.0)";
inline constexpr char kBoundarySuffix[] = "_Synapse_boundary";

// The upload's address: re-publishing posts to the image's own address
// ("&" + query), a new picture to the service's upload address ("?" + query).
// The query is "t=1" for a picture with a transparent colour.
std::string UploadAddress(const std::string& existingUrl, const std::string& uploadUrl, bool transparent);

// Eight upper-case hexadecimal digits of `random` (0..0x7FFFFFFE) and the suffix.
std::string MakeBoundary(std::uint32_t random);
std::string UploadContentType(const std::string& boundary);
// The multipart body around the PNG bytes.
std::string UploadBody(const std::string& boundary, std::span<const std::uint8_t> png);

// The image's address from the service's answer: the trimmed body when it
// begins with "http" in any case; nothing otherwise.
std::optional<std::string> UploadAnswer(std::string_view body);

// The check address: the first "id=" becomes "ch=". Nothing when there is none.
std::optional<std::string> CheckAddress(const std::string& url);

// "scheme://host[:port]" of an http(s) address, lower-cased; empty when it is not one.
std::string OriginOf(std::string_view url);
// True for an http(s) address on the same host as `serviceUrl`: the only
// addresses from the service that the program opens in the browser.
bool IsServiceAddress(std::string_view url, std::string_view serviceUrl);

// The process-wide proxy as the program keeps it: host and port texts.
struct ProxySetting {
  std::string host;
  std::string port;
};
// "" -> no proxy (port "8080"); "host" -> port "80"; "host:port". A Windows
// per-protocol list ("http=a:1;https=b:2") gives its http entry, or its first.
ProxySetting ParseProxy(std::string_view text);
std::string ProxyString(const ProxySetting& proxy);

// Versions are reals compared to two decimals: "2.1" is 2.10 and newer than 2.01.
std::optional<double> ParseVersion(std::string_view text);
bool IsNewerVersion(double found, double running);
// The version with `separator` for the decimal point, to two decimals and no trailing
// zero: 2.01 -> "2.01" or "2_01", 2.1 -> "2.1".
std::string VersionText(double version, char separator);
// site + "/kolo/prg/kolo" + version with "_" + ".bin".
std::string DownloadAddress(const std::string& site, double version);

// The width and height a picture is sent at: at most `limit` pixels wide,
// height scaled and rounded half to even.
struct SentSize {
  int width, height;
  bool scaled;
};
SentSize UploadSize(int width, int height, int limit);

}  // namespace kolo
