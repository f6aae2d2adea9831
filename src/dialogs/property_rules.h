// The options dialog's rules that need no window: its option lists, the JPG
// quality names, reading the digit edits, and turning what the dialog shows
// into the settings record (and back).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "frame/settings.h"

namespace kolo {

inline constexpr std::array<std::string_view, 4> kJpgQualityNames = {"Low", "Average", "High", "Maximum"};
inline constexpr std::array<std::string_view, 6> kGifPaletteNames = {"Adaptive", "Current", "Web",
                                                                     "Windows",  "Mac OS",  "Grayscale"};

// The name shown beside a JPG quality number.
std::string_view JpgQualityName(int quality);
// Where that name stands in the list (0..3).
int JpgQualityIndex(int quality);
// The number a name chosen from the list puts into the edit (3, 5, 8, 10).
int JpgQualityForChoice(int index);

// The limits of the edits.
inline constexpr int kCountEditDigits = 3;
inline constexpr int kQualityEditDigits = 2;
inline constexpr int kDefaultImageCount = 10;
inline constexpr int kMinImageCount = 10, kMaxImageCount = 999;
inline constexpr int kDefaultJpgQuality = 8;

// The digit edits take the digits and backspace, nothing else.
constexpr bool IsDigitEditChar(unsigned ch) { return (ch >= '0' && ch <= '9') || ch == 8; }

// An image-count edit read as the setting stores it: 10..999 (10 for an empty
// or unreadable text), negative when "without limit" is ticked.
int ImageCountSetting(const std::string& text, bool withoutLimit);
// The JPG quality edit read: 1..10, 8 for an empty or unreadable text.
int JpgQualityFromText(const std::string& text);

// Upload addresses must be web addresses.
bool IsUploadAddress(std::string_view url);

// Everything the dialog shows, as it shows it.
struct PropertyValues {
  int colorFormat = 0;
  std::string clipCount, screenCount;
  bool clipWithoutLimit = false, screenWithoutLimit = false;
  bool clipboardHook = false;
  std::string jpgQuality;
  int gifPalette = 0;
  bool runOnStartup = false;
  bool viewColorHint = false, viewHint = false;
  bool confirmDelete = false, confirmChange = false, confirmCrop = false, confirmClose = false;
  std::string uploadURL;

  bool operator==(const PropertyValues&) const = default;
};

// The dialog filled from the settings and the start-up entry.
PropertyValues ValuesFromOptions(const TKolOptions& options, bool runOnStartup);
// A confirmed dialog written into the settings (the start-up entry is the
// caller's). The values must have passed CheckValues.
void ApplyValues(const PropertyValues& values, TKolOptions& options);

// What is wrong with the dialog's values, for the user; nothing when OK may close.
std::optional<std::string> CheckValues(const PropertyValues& values);

}  // namespace kolo
