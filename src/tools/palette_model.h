// The colour-space tab without its windows: the seven models with their
// component ranges and scales, the values the edits show, the per-model state
// (fixed component, view, values, the colour they came from) and the settings.
// The planes drawn from this state and the picking in them: palette_plane.h.
//
// Every model value is kept on the internal 0..255 scale of the colour core;
// the edits show the user's units (degrees, per cent, a* and b*).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "color/color.h"
#include "color/convert.h"
#include "frame/settings_store.h"

namespace kolo {

// Models in button order; the numbers are the buttons' tags and the stored setting.
enum PaletteModelKind : int { pmRGB = 1, pmHSB, pmLab, pmHLS, pmCMYK, pmCMY, pmLMS };
inline constexpr int kPaletteModels = 7;
enum PaletteView : int { pvCartesian = 1, pvWheel, pvRing };

using ModelValues = std::array<double, 4>;  // three used, CMYK four

struct EditRange {
  int lo = 0, hi = 255;
};

int ComponentCount(int model);
// HSB and HLS: component 1 is a hue, and the planes lay them out their own way.
bool IsHueModel(int model);
EditRange ComponentRange(int model, int component);  // component 1..3 (CMYK 1..4)
double EditToInternal(int model, int component, int edit);
// Rounded half to even; a hue that comes out at 360 shows as 0.
int InternalToDisplay(int model, int component, double internal);
const char* ModelHint(int model);
const char* ComponentLabel(int model, int component);

Color3 ModelToRGB(int model, const ModelValues& v);
ModelValues RGBToModel(int model, TColor c);
// Each channel rounded half to even and kept in 0..255.
TColor RoundedColor(const Color3& rgb);

// The edits: digits, "-", Backspace and the copy/paste/cut control characters.
constexpr bool IsValueEditChar(unsigned ch) {
  return (ch >= '0' && ch <= '9') || ch == '-' || ch == 8 || ch == 3 || ch == 22 || ch == 24;
}
// Pasted text keeps only what could have been typed.
std::string FilterValueText(std::string_view text);
// The value a typed text stands for, clamped; none while the text is empty or
// a lone "-" (the user is still typing). Anything that is not a number is 0.
std::optional<int> ParseEditValue(std::string_view text, EditRange range);
// One step of an up/down button; at the end of the range the value stays.
int StepEditValue(int value, EditRange range, bool up);

// The CMYK plane: which components lie across and upward for each choice 1..6.
struct CmykPlaneAxes {
  int horizontal = 2, vertical = 1;
};
CmykPlaneAxes CmykAxesOf(int type);
const char* CmykAxesHint(int type);

class PaletteModel {
 public:
  PaletteModel();

  int currentModel = pmRGB;
  // Indexed by model (1..7); CMYK's entries are unused.
  std::array<int, 8> fixedComponent{0, 1, 1, 1, 2, 0, 1, 3};
  std::array<int, 8> viewType{0, pvCartesian, pvRing, pvCartesian, pvWheel, pvCartesian, pvCartesian, pvCartesian};
  int cmykAxes = 1;
  std::array<ModelValues, 8> values{};
  std::array<long long, 8> lastColor{};  // -1: not derived from any colour yet
  // The last pick in a wheel or ring was on the right half: markers go there.
  bool rightHalf = false;
  // 0 idle, 1 pressed, 2 dragging in the plane or the triangle, 3 on the ring.
  int pressState = 0;

  ModelValues& Values() { return values[static_cast<std::size_t>(currentModel)]; }
  const ModelValues& Values() const { return values[static_cast<std::size_t>(currentModel)]; }
  int Fixed() const { return fixedComponent[static_cast<std::size_t>(currentModel)]; }
  // CMYK has the cartesian view only.
  int View() const { return currentModel == pmCMYK ? pvCartesian : viewType[static_cast<std::size_t>(currentModel)]; }
  int DisplayValue(int component) const;

  // The current colour changed elsewhere: the current model takes it over
  // unless it is the colour its values already stand for (so the hue of a grey
  // survives a round trip).
  void ReadCurrentColor(TColor current);
  // The values as a colour; that colour is what they now stand for.
  TColor Store();
  // All of the model's components from edit values (component order).
  TColor SetFromEdits(std::span<const int> editValues);
  // One component from an edit value; the others keep their values.
  TColor SetComponent(int component, int editValue);
  // The value strip's entry for component c at edit value e; never the strip's transparent key.
  TColor StripColor(int component, int editValue) const;

  void Load(const SettingsStore& store);
  void Save(SettingsStore& store) const;
};

}  // namespace kolo
