// The colour wheel of the harmony tab, without windows. The wheel is not the
// usual hue circle: six editable base colours sit every 60 degrees and the
// colours between neighbours are straight mixes of them. S washes a colour
// toward white, B darkens it toward black. A harmony is the base position plus
// fixed angle offsets; the tab writes the results into the colour slots.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "color/color.h"
#include "frame/settings_store.h"
#include "frame/work_picture.h"

namespace kolo {

inline constexpr int kWheelTypeCount = 8;
inline constexpr int kWheelPresetCount = 3;
inline constexpr int kWheelBaseCount = 6;

// The ring in the 256x256 picture: radius 20..120, the radius value 0..100.
inline constexpr int kWheelInner = 20;
inline constexpr int kWheelOuter = 120;

struct WheelRgb {
  double r = 0, g = 0, b = 0;
};

using WheelBaseColors = std::array<TColor, kWheelBaseCount>;

// The three presets (1..3), their hints, and the harmony buttons' hints (1..8).
const WheelBaseColors& WheelPreset(int preset);
const char* WheelPresetHint(int preset);
const char* WheelTypeHint(int type);
// How many colour slots a harmony fills (1..4) and its extra angle offsets in slot order.
int WheelSlotsUsed(int type);
int WheelOffset(int type, int extra);  // extra 0..WheelSlotsUsed-2

// Radius and angle of a point of the picture (x right, y down): angle 0 is
// straight down, 90 left, 180 up, 270 right.
struct WheelPolar {
  double r = 0, angle = 0;
};
WheelPolar WheelPolarAt(int x, int y);
// The centre of a marker at `angle` degrees and radius R, in picture coordinates.
struct WheelPoint {
  int x = 0, y = 0;
};
WheelPoint WheelMarkerAt(double angle, double radius);

class WheelModel {
 public:
  WheelModel();

  // --- state, named as the tab knows it ---
  int wheelType = 3;  // 1..8
  WheelBaseColors baseColors;
  double saturation = 0;  // 0..100
  double brightness = 0;  // 0..100
  double wheelAngle = 0;  // 0 <= a < 360
  bool isSaturation = true;

  // The colour at (angle, S, B), unrounded.
  WheelRgb ColorAt(double angle, double s, double b) const;
  TColor RoundedColorAt(double angle, double s, double b) const;
  // The base colour (slot 0's harmony colour) and the harmony's colours in slot order.
  TColor BaseColor() const { return RoundedColorAt(wheelAngle, saturation, brightness); }
  int SlotsUsed() const { return WheelSlotsUsed(wheelType); }
  double HarmonyAngle(int index) const;  // index 0 the base, then the extras
  // Writes the harmony into the slots: slot 0 only when `writeBase`; slots the
  // type does not use are left alone.
  void Recompute(std::array<TColor, 4>& slots, bool writeBase) const;

  // Moves the wheel position (angle, S, B) to the colour nearest `target`:
  // a coarse pass in steps of 10, then a fine pass of steps of 1 around the
  // best; ties keep the first found.
  void Search(TColor target);

  // The preset whose six colours are exactly the base colours (1..3), or 0.
  int MatchingPreset() const;
  void SetPreset(int preset);
  // Base colour `index` (0..5) becomes `c`; another base colour that already
  // was `c` takes the old value of this one (so a drop of a neighbour swaps).
  void SetBaseColor(int index, TColor c);

  // The radius shows S (at the fixed B) or B (at the fixed S).
  double RadiusValue() const { return isSaturation ? saturation : brightness; }
  void SetRadiusValue(double v);
  // A press or drag at a picture point: the angle and the radius value
  // (clamped to the ring) become the wheel position.
  void PointAt(int x, int y);
  static bool InRing(int x, int y);

  // The value picker's strip colour for S (tag 1) or B (tag 2) at v 0..100.
  // The strip's transparent key (16, 0, 16) is never produced.
  TColor StripColor(int tag, int v) const;

  // Paints the whole wheel into the picture: the ring, half-blended edge bands,
  // the sky-blue ground.
  void Draw(WorkPicture& picture) const;

  // "WH_" settings.
  void Load(const SettingsStore& store);
  void Save(SettingsStore& store) const;
};

}  // namespace kolo
