#include "tools/wheel_model.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kolo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kOuterSquared = kWheelOuter * kWheelOuter;  // 14400
constexpr int kInnerSquared = kWheelInner * kWheelInner;  // 400
// The edge bands blended half-way into the ground.
constexpr int kOuterBand = 120;
constexpr int kInnerBand = 420;
constexpr double kNoDistance = 100000;

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

const WheelBaseColors kPresets[kWheelPresetCount] = {
    {Rgb(255, 0, 0), Rgb(255, 255, 0), Rgb(0, 255, 0), Rgb(0, 255, 255), Rgb(0, 0, 255), Rgb(255, 0, 255)},
    {Rgb(255, 0, 0), Rgb(255, 0, 255), Rgb(0, 191, 255), Rgb(0, 128, 0), Rgb(255, 255, 0), Rgb(255, 128, 0)},
    {Rgb(223, 26, 25), Rgb(97, 46, 128), Rgb(32, 101, 167), Rgb(0, 131, 78), Rgb(243, 226, 0), Rgb(239, 131, 20)},
};
const char* const kPresetHints[kWheelPresetCount] = {"SRGB primary colors", "SRBY primary colors",
                                                     "SJohannes Itten colors"};

struct Harmony {
  const char* hint;
  int slots;
  int offsets[3];
};
const Harmony kHarmonies[kWheelTypeCount] = {
    {"Ssingle color", 1, {0, 0, 0}},
    {"Scomplementary", 2, {180, 0, 0}},
    {"Striads", 3, {120, -120, 0}},
    {"Ssplit complement", 3, {150, 210, 0}},
    {"Stetrad", 4, {180, 90, -90}},
    {"Salternate complement", 4, {180, 120, -120}},
    {"Sdouble complement", 4, {180, 60, -120}},
    {"Sanalogous", 4, {30, 90, 60}},
};

int TypeIndex(int type) { return std::clamp(type, 1, kWheelTypeCount) - 1; }

double Wrap360(double a) {
  a = std::fmod(a, 360.0);
  if (a < 0) a += 360.0;
  return a;
}

int Round(double v) { return static_cast<int>(RoundHalfEven(v)); }

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(Round(v), 0, 255)); }

// One channel washed toward white by S and darkened by B.
double Shade(int x, double s, double b) { return ((255 - x) * (1 - 0.01 * s) + x) * 0.01 * b; }

TColor ToColor(const WheelRgb& c) { return MakeColor(Channel(c.r), Channel(c.g), Channel(c.b)); }

double Distance(const WheelRgb& c, TColor t) {
  const double dr = c.r - GetR(t), dg = c.g - GetG(t), db = c.b - GetB(t);
  return dr * dr + dg * dg + db * db;
}

}  // namespace

const WheelBaseColors& WheelPreset(int preset) { return kPresets[std::clamp(preset, 1, kWheelPresetCount) - 1]; }
const char* WheelPresetHint(int preset) { return kPresetHints[std::clamp(preset, 1, kWheelPresetCount) - 1]; }
const char* WheelTypeHint(int type) { return kHarmonies[TypeIndex(type)].hint; }
int WheelSlotsUsed(int type) { return kHarmonies[TypeIndex(type)].slots; }
int WheelOffset(int type, int extra) { return kHarmonies[TypeIndex(type)].offsets[std::clamp(extra, 0, 2)]; }

WheelPolar WheelPolarAt(int x, int y) {
  const double dx = x - 128, dy = 127 - y;
  WheelPolar p;
  p.r = std::sqrt(dx * dx + dy * dy);
  if (dy != 0)
    p.angle = std::atan2(dx, dy) * 180 / kPi + 180;
  else
    p.angle = dx >= 0 ? 270 : 90;
  return p;
}

WheelPoint WheelMarkerAt(double angle, double radius) {
  const double t = angle * 2 * kPi / 360;
  return {Round(128 - radius * std::sin(t)), Round(127 + radius * std::cos(t))};
}

WheelModel::WheelModel() : baseColors(kPresets[0]) {}

WheelRgb WheelModel::ColorAt(double angle, double s, double b) const {
  const double a = std::fmod(630 - angle, 360.0);
  const int k = std::clamp(static_cast<int>(a / 60), 0, 5);
  const double f = (a - 60 * k) / 60;
  const TColor c0 = baseColors[static_cast<std::size_t>(k)];
  const TColor c1 = baseColors[static_cast<std::size_t>((k + 1) % 6)];
  auto mix = [f](int x0, int x1) { return Round(x0 - (x0 - x1) * f); };
  return {Shade(mix(GetR(c0), GetR(c1)), s, b), Shade(mix(GetG(c0), GetG(c1)), s, b),
          Shade(mix(GetB(c0), GetB(c1)), s, b)};
}

TColor WheelModel::RoundedColorAt(double angle, double s, double b) const { return ToColor(ColorAt(angle, s, b)); }

double WheelModel::HarmonyAngle(int index) const {
  if (index <= 0) return wheelAngle;
  return Wrap360(wheelAngle + WheelOffset(wheelType, index - 1));
}

void WheelModel::Recompute(std::array<TColor, 4>& slots, bool writeBase) const {
  if (writeBase) slots[0] = BaseColor();
  for (int i = 1; i < SlotsUsed(); ++i)
    slots[static_cast<std::size_t>(i)] = RoundedColorAt(HarmonyAngle(i), saturation, brightness);
}

void WheelModel::Search(TColor target) {
  double best = kNoDistance;
  // Returns true when the target was met exactly: the search ends there.
  auto consider = [&](int a, int s, int b) {
    const double d = Distance(ColorAt(a, s, b), target);
    if (d < best) {
      best = d;
      wheelAngle = a;
      saturation = s;
      brightness = b;
    }
    return best == 0;
  };
  auto pass = [&](int a0, int a1, int s0, int s1, int b0, int b1, int step) {
    for (int a = a0; a < a1; a += step)
      for (int s = s0; s < s1; s += step)
        for (int b = b0; b < b1; b += step)
          if (consider(a, s, b)) return;
  };
  pass(0, 360, 0, 101, 0, 101, 10);
  if (best == 0) return;
  const int a = Round(wheelAngle), s = Round(saturation), b = Round(brightness);
  pass(std::max(0, a - 9), std::min(360, a + 10), std::max(0, s - 9), std::min(101, s + 10), std::max(0, b - 9),
       std::min(101, b + 10), 1);
}

int WheelModel::MatchingPreset() const {
  for (int p = 1; p <= kWheelPresetCount; ++p)
    if (kPresets[p - 1] == baseColors) return p;
  return 0;
}

void WheelModel::SetPreset(int preset) { baseColors = WheelPreset(preset); }

void WheelModel::SetBaseColor(int index, TColor c) {
  if (index < 0 || index >= kWheelBaseCount) return;
  const std::size_t i = static_cast<std::size_t>(index);
  for (std::size_t j = 0; j < baseColors.size(); ++j) {
    if (j != i && baseColors[j] == c) {
      baseColors[j] = baseColors[i];
      break;
    }
  }
  baseColors[i] = c;
}

void WheelModel::SetRadiusValue(double v) {
  (isSaturation ? saturation : brightness) = std::clamp(v, 0.0, 100.0);
}

void WheelModel::PointAt(int x, int y) {
  const WheelPolar p = WheelPolarAt(x, y);
  SetRadiusValue(std::clamp(p.r, double(kWheelInner), double(kWheelOuter)) - kWheelInner);
  wheelAngle = Wrap360(p.angle);
}

bool WheelModel::InRing(int x, int y) {
  const double r = WheelPolarAt(x, y).r;
  return r >= kWheelInner && r <= kWheelOuter;
}

TColor WheelModel::StripColor(int tag, int v) const {
  TColor c = tag == 1 ? RoundedColorAt(wheelAngle, v, brightness) : RoundedColorAt(wheelAngle, saturation, v);
  if (c == MakeColor(16, 0, 16)) c = MakeColor(16, 1, 16);  // the strip's transparent key
  return c;
}

void WheelModel::Draw(WorkPicture& picture) const {
  const LookupTables& t = LookupTables::Get();
  const std::uint8_t bg[3] = {GetB(clSkyBlue), GetG(clSkyBlue), GetR(clSkyBlue)};
  // The six neighbours' mixes depend on the angle only; the shading on the
  // radius value only: both are worked out per pixel as the formula says, but
  // the radius factors once per radius.
  double wash[101], dark[101];
  for (int v = 0; v <= 100; ++v) {
    const double s = isSaturation ? v : saturation, b = isSaturation ? brightness : v;
    wash[v] = 1 - 0.01 * s;
    dark[v] = 0.01 * b;
  }
  std::uint8_t* bits = picture.Bits();
  for (int row = 0; row < WorkPicture::kSize; ++row) {
    std::uint8_t* p = bits + static_cast<std::size_t>(row) * WorkPicture::kStride;
    for (int col = 0; col < WorkPicture::kSize; ++col, p += 3) {
      const std::size_t i = static_cast<std::size_t>(LookupTables::Index(row, col));
      const int sq = t.squared[i];
      if (sq > kOuterSquared || sq < kInnerSquared) {
        p[0] = bg[0];
        p[1] = bg[1];
        p[2] = bg[2];
        continue;
      }
      const int v = static_cast<int>(t.distance[i]) - kWheelInner;
      const double a = std::fmod(630 - static_cast<double>(t.angle[i]), 360.0);
      const int k = std::clamp(static_cast<int>(a / 60), 0, 5);
      const double f = (a - 60 * k) / 60;
      const TColor c0 = baseColors[static_cast<std::size_t>(k)];
      const TColor c1 = baseColors[static_cast<std::size_t>((k + 1) % 6)];
      const int mixed[3] = {Round(GetB(c0) - (GetB(c0) - GetB(c1)) * f), Round(GetG(c0) - (GetG(c0) - GetG(c1)) * f),
                            Round(GetR(c0) - (GetR(c0) - GetR(c1)) * f)};
      const bool edge = kOuterSquared - sq < kOuterBand || sq < kInnerBand;
      for (int ch = 0; ch < 3; ++ch) {
        const int x = mixed[ch];
        int out = Channel(((255 - x) * wash[v] + x) * dark[v]);
        if (edge) out = Round(out - (out - bg[ch]) * 0.5);
        p[ch] = static_cast<std::uint8_t>(out);
      }
    }
  }
}

void WheelModel::Load(const SettingsStore& store) {
  wheelType = std::clamp(store.ReadInteger("WH_wheelType").value_or(3), 1, kWheelTypeCount);
  if (auto raw = store.ReadBinary("WH_basecolors"); raw && raw->size() == 4 * kWheelBaseCount) {
    for (std::size_t k = 0; k < baseColors.size(); ++k) {
      const std::uint8_t* b = raw->data() + 4 * k;
      // Only the colour bytes: a marker value is not a wheel colour.
      baseColors[k] = static_cast<TColor>(b[0] | (b[1] << 8) | (b[2] << 16));
    }
  }
  isSaturation = store.ReadBool("WH_IsSaturation").value_or(true);
}

void WheelModel::Save(SettingsStore& store) const {
  store.WriteInteger("WH_wheelType", wheelType);
  std::vector<std::uint8_t> raw;
  for (TColor c : baseColors)
    for (int s = 0; s < 32; s += 8) raw.push_back(static_cast<std::uint8_t>(c >> s));
  store.WriteBinary("WH_basecolors", raw);
  store.WriteBool("WH_IsSaturation", isSaturation);
}

}  // namespace kolo
