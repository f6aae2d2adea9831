#include "dialogs/property_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "frame/routines.h"

namespace kolo {

std::string_view JpgQualityName(int quality) {
  if (quality < 5) return kJpgQualityNames[0];
  if (quality < 8) return kJpgQualityNames[1];
  if (quality < 10) return kJpgQualityNames[2];
  return kJpgQualityNames[3];
}

int JpgQualityIndex(int quality) {
  const auto it = std::find(kJpgQualityNames.begin(), kJpgQualityNames.end(), JpgQualityName(quality));
  return static_cast<int>(it - kJpgQualityNames.begin());
}

int JpgQualityForChoice(int index) {
  static constexpr int kQualities[] = {3, 5, 8, 10};
  return kQualities[std::clamp(index, 0, 3)];
}

int ImageCountSetting(const std::string& text, bool withoutLimit) {
  const int n = StrToIntRange(text, kDefaultImageCount, kMinImageCount, kMaxImageCount);
  return withoutLimit ? -n : n;
}

int JpgQualityFromText(const std::string& text) { return StrToIntRange(text, kDefaultJpgQuality, 1, 10); }

bool IsUploadAddress(std::string_view url) {
  auto startsWith = [&](std::string_view scheme) {
    if (url.size() <= scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(url[i])) != scheme[i]) return false;
    return true;
  };
  if (!startsWith("http://") && !startsWith("https://")) return false;
  // A host must follow, and nothing that could split a request line.
  const std::size_t host = url.find("//") + 2;
  if (host >= url.size() || url[host] == '/' || url[host] == '?' || url[host] == '#') return false;
  return std::none_of(url.begin(), url.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' || u == 0x7F;
  });
}

PropertyValues ValuesFromOptions(const TKolOptions& o, bool runOnStartup) {
  PropertyValues v;
  v.colorFormat = o.ColorFormat;
  v.clipCount = std::to_string(std::abs(o.maxClipImages));
  v.clipWithoutLimit = o.maxClipImages < 0;
  v.screenCount = std::to_string(std::abs(o.maxScreenImages));
  v.screenWithoutLimit = o.maxScreenImages < 0;
  v.clipboardHook = o.clipboardHook;
  v.jpgQuality = std::to_string(o.saveJPGQuality);
  v.gifPalette = std::clamp(o.saveGIFPalette, 0, static_cast<int>(kGifPaletteNames.size()) - 1);
  v.runOnStartup = runOnStartup;
  v.viewColorHint = o.viewColorHint;
  v.viewHint = o.viewHint;
  v.confirmDelete = o.confirmDelete;
  v.confirmChange = o.confirmChange;
  v.confirmCrop = o.confirmCrop;
  v.confirmClose = o.confirmClose;
  v.uploadURL = o.uploadURL;
  return v;
}

void ApplyValues(const PropertyValues& v, TKolOptions& o) {
  o.clipboardHook = v.clipboardHook;
  o.ColorFormat = static_cast<std::uint8_t>(std::clamp(v.colorFormat, 0, kColorFormatCount - 1));
  o.maxClipImages = ImageCountSetting(v.clipCount, v.clipWithoutLimit);
  o.maxScreenImages = ImageCountSetting(v.screenCount, v.screenWithoutLimit);
  o.viewColorHint = v.viewColorHint;
  o.viewHint = v.viewHint;
  o.saveJPGQuality = JpgQualityFromText(v.jpgQuality);
  o.saveGIFPalette = std::clamp(v.gifPalette, 0, static_cast<int>(kGifPaletteNames.size()) - 1);
  o.uploadURL = v.uploadURL;
  o.confirmDelete = v.confirmDelete;
  o.confirmChange = v.confirmChange;
  o.confirmClose = v.confirmClose;
  o.confirmCrop = v.confirmCrop;
}

std::optional<std::string> CheckValues(const PropertyValues& v) {
  if (!IsUploadAddress(v.uploadURL))
    return "The upload URL must be a web address that begins with http:// or https://, for example " +
           std::string(kMakerSite) + "/kolo/img.php.";
  return std::nullopt;
}

}  // namespace kolo
