#include "tools/mix_model.h"

#include <algorithm>
#include <string>

namespace kolo {

namespace {

constexpr int kEraserA = 8, kEraserB = 9;
constexpr int kSwatchCount = 6;

const char* const kTypeHints[kMixTypeCount] = {"Saverage color", "Blogical AND between colors",
                                               "Blogical OR between colors", "Blogical XOR between colors",
                                               "Sreplace old color"};
const char* const kPictureHints[kMixPictureCount] = {"Sshapes in a grid", "Sa house in a landscape",
                                                     "Sa flower in a pot",  "Sa web page",
                                                     "Sa fish under water", "Sa round ornament",
                                                     "Sa butterfly"};

std::string SettingName(int picture) { return "MX_ColorsImg" + std::to_string(picture + 1); }

}  // namespace

TColor MixColors(int type, TColor held, TColor dropped) {
  held &= 0xFFFFFF;
  dropped &= 0xFFFFFF;
  TColor out;
  switch (type) {
    case mtAverage:
      out = MakeColor((GetR(held) + GetR(dropped)) / 2, (GetG(held) + GetG(dropped)) / 2,
                      (GetB(held) + GetB(dropped)) / 2);
      break;
    case mtAnd: out = held & dropped; break;
    case mtOr: out = held | dropped; break;
    case mtXor: out = held ^ dropped; break;
    default: out = dropped; break;
  }
  // The empty marker is not a colour an area can hold: the nearest one is white.
  return out == kMixEmpty ? 0xFFFFFFu : out;
}

const char* MixTypeHint(int type) { return kTypeHints[std::clamp(type, 0, kMixTypeCount - 1)]; }
const char* MixPictureHint(int picture) { return kPictureHints[std::clamp(picture, 0, kMixPictureCount - 1)]; }

MixTable InitialMixTable() {
  MixTable t{};
  const TColor fixed[kMixFirstArea] = {MakeColor(255, 255, 255), MakeColor(0, 0, 0),       MakeColor(255, 0, 0),
                                       MakeColor(0, 255, 0),     MakeColor(0, 0, 255),     MakeColor(255, 255, 0),
                                       clSkyBlue,                MakeColor(0, 128, 192),   MakeColor(187, 187, 187),
                                       MakeColor(255, 255, 253)};
  std::copy(std::begin(fixed), std::end(fixed), t.begin());
  for (int k = 0; k < kMixAreaCount; ++k) {
    t[static_cast<std::size_t>(kMixFirstArea + k)] = kMixEmpty;
    t[static_cast<std::size_t>(kMixFirstCompanion + k)] = clSkyBlue;
  }
  return t;
}

MixModel::MixModel() { tables.fill(InitialMixTable()); }

void MixModel::SetPixels(int picture, std::vector<std::uint8_t> indices, int width, int height) {
  if (picture < 0 || picture >= kMixPictureCount || width <= 0 || height <= 0) return;
  if (indices.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return;
  pixels_[static_cast<std::size_t>(picture)] = Pixels{std::move(indices), width, height};
}

int MixModel::IndexAt(int x, int y) const {
  const Pixels& p = pixels_[static_cast<std::size_t>(imageId)];
  if (x < 0 || y < 0 || x >= kMixSize || y >= kMixSize || x >= p.width || y >= p.height) return -1;
  return p.indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)];
}

TColor MixModel::ColorAt(int x, int y) const {
  int i = IndexAt(x, y);
  if (i < 0 || i >= kMixTableSize) return clEmptyColor;
  if (i >= kMixFirstCompanion) i -= kMixAreaCount;
  const TColor entry = Shown()[static_cast<std::size_t>(i)];
  if ((i >= kMixFirstArea || i < kSwatchCount) && entry != kMixEmpty) return entry;
  if (i == kEraserA || i == kEraserB) return clTransparentColor;
  return clEmptyColor;
}

bool MixModel::IsEmptyArea(int area) const { return Shown()[static_cast<std::size_t>(kMixFirstArea + area)] == kMixEmpty; }

void MixModel::Restore() {
  MixTable& t = Shown();
  t[static_cast<std::size_t>(previewArea)] = static_cast<TColor>(previewSaved);
  t[static_cast<std::size_t>(previewArea + kMixAreaCount)] = previewSavedCompanion;
}

bool MixModel::DragOver(int x, int y, bool leaving, TColor dragged) {
  int i = leaving ? -1 : IndexAt(x, y);
  // Only colours and the eraser paint; the empty marker is nothing to drop.
  const bool paints = dragged == clTransparentColor || (dragged & 0xFF000000u) == 0;
  if (paints && i >= kMixFirstArea && i < kMixTableSize) {
    if (i >= kMixFirstCompanion) i -= kMixAreaCount;
    if (i == previewArea && previewSaved != -1) return false;
    if (previewSaved != -1) Restore();
    MixTable& t = Shown();
    previewArea = i;
    previewSaved = t[static_cast<std::size_t>(i)];
    previewSavedCompanion = t[static_cast<std::size_t>(i + kMixAreaCount)];
    if (dragged == clTransparentColor) {
      t[static_cast<std::size_t>(i)] = kMixEmpty;
      t[static_cast<std::size_t>(i + kMixAreaCount)] = clSkyBlue;
    } else {
      const TColor held = static_cast<TColor>(previewSaved);
      const TColor result = held != kMixEmpty ? MixColors(mixType, held, dragged) : MixColors(mtReplace, 0, dragged);
      t[static_cast<std::size_t>(i)] = result;
      t[static_cast<std::size_t>(i + kMixAreaCount)] = result;
    }
    return true;
  }
  if (previewSaved == -1) return false;
  Restore();
  previewSaved = -1;
  return true;
}

void MixModel::ClearAll() {
  MixTable& t = Shown();
  for (int k = 0; k < kMixAreaCount; ++k) {
    t[static_cast<std::size_t>(kMixFirstArea + k)] = kMixEmpty;
    t[static_cast<std::size_t>(kMixFirstCompanion + k)] = clSkyBlue;
  }
  previewSaved = -1;
}

void MixModel::Load(const SettingsStore& store) {
  mixType = std::clamp(store.ReadInteger("MX_mixType").value_or(0), 0, kMixTypeCount - 1);
  imageId = std::clamp(store.ReadInteger("MX_selectImageId").value_or(0), 0, kMixPictureCount - 1);
  for (int n = 0; n < kMixPictureCount; ++n) {
    auto raw = store.ReadBinary(SettingName(n));
    if (!raw || raw->size() != 4 * kMixAreaCount) continue;
    MixTable& t = tables[static_cast<std::size_t>(n)];
    for (int k = 0; k < kMixAreaCount; ++k) {
      const std::uint8_t* b = raw->data() + 4 * k;
      // Colour bytes only: a marker value is no area colour.
      const TColor c = static_cast<TColor>(b[0] | (b[1] << 8) | (b[2] << 16));
      t[static_cast<std::size_t>(kMixFirstArea + k)] = c;
      if (c != kMixEmpty) t[static_cast<std::size_t>(kMixFirstCompanion + k)] = c;
    }
  }
}

void MixModel::Save(SettingsStore& store) const {
  store.WriteInteger("MX_mixType", mixType);
  store.WriteInteger("MX_selectImageId", imageId);
  for (int n = 0; n < kMixPictureCount; ++n) {
    std::vector<std::uint8_t> raw;
    raw.reserve(4 * kMixAreaCount);
    for (int k = 0; k < kMixAreaCount; ++k) {
      const TColor c = tables[static_cast<std::size_t>(n)][static_cast<std::size_t>(kMixFirstArea + k)];
      for (int s = 0; s < 32; s += 8) raw.push_back(static_cast<std::uint8_t>(c >> s));
    }
    store.WriteBinary(SettingName(n), raw);
  }
}

}  // namespace kolo
