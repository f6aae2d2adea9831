#include "tools/palette_model.h"

#include <algorithm>
#include <cmath>

namespace kolo {

namespace {

constexpr std::size_t Index(int model) { return static_cast<std::size_t>(model); }

bool IsPercent(int model, int component) {
  switch (model) {
    case pmHSB:
    case pmHLS: return component != 1;
    case pmLab: return component == 1;
    case pmCMYK: return true;
    default: return false;
  }
}

bool IsHue(int model, int component) { return IsHueModel(model) && component == 1; }
bool IsLabOpponent(int model, int component) { return model == pmLab && component != 1; }

// "PAL_<name>PaletteView" and "PAL_<name>Type" for the three-component models.
const char* SettingName(int model) {
  switch (model) {
    case pmRGB: return "RGB";
    case pmHSB: return "HSB";
    case pmLab: return "Lab";
    case pmHLS: return "HLS";
    case pmCMY: return "CMY";
    case pmLMS: return "LMS";
    default: return nullptr;
  }
}

}  // namespace

int ComponentCount(int model) { return model == pmCMYK ? 4 : 3; }

bool IsHueModel(int model) { return model == pmHSB || model == pmHLS; }

EditRange ComponentRange(int model, int component) {
  if (IsHue(model, component)) return {0, 359};
  if (IsLabOpponent(model, component)) return {-128, 127};
  if (IsPercent(model, component)) return {0, 100};
  return {0, 255};
}

double EditToInternal(int model, int component, int edit) {
  if (IsHue(model, component)) return edit * 255.0 / 359;
  if (IsLabOpponent(model, component)) return edit + 128.0;
  if (IsPercent(model, component)) return edit * 2.55;
  return edit;
}

int InternalToDisplay(int model, int component, double internal) {
  if (IsHue(model, component)) {
    const long long h = RoundHalfEven(internal * 359 / 255);
    return h == 360 ? 0 : static_cast<int>(h);
  }
  if (IsLabOpponent(model, component)) return static_cast<int>(RoundHalfEven(internal - 128));
  if (IsPercent(model, component)) return static_cast<int>(RoundHalfEven(internal * 100 / 255));
  return static_cast<int>(RoundHalfEven(internal));
}

const char* ModelHint(int model) {
  switch (model) {
    case pmRGB: return "SRed Green Blue";
    case pmHSB: return "BHue Saturation Brightness";
    case pmLab: return "SCIE Lightness a b";
    case pmHLS: return "BHue Lightness Saturation";
    case pmCMYK: return "BCyan Magenta Yellow Key";
    case pmCMY: return "SCyan Magenta Yellow";
    case pmLMS: return "SLong Middle Short";
    default: return "";
  }
}

const char* ComponentLabel(int model, int component) {
  static const char* const kLabels[8][4] = {{"", "", "", ""},         {"R", "G", "B", ""}, {"H", "S", "B", ""},
                                            {"L", "a", "b", ""},      {"H", "L", "S", ""}, {"C", "M", "Y", "K"},
                                            {"C", "M", "Y", ""},      {"L", "M", "S", ""}};
  if (model < 1 || model > kPaletteModels || component < 1 || component > ComponentCount(model)) return "";
  return kLabels[model][component - 1];
}

Color3 ModelToRGB(int model, const ModelValues& v) {
  switch (model) {
    case pmHSB: return HSBToRGB(v[0], v[1], v[2]);
    case pmLab: return LabToRGB(v[0], v[1], v[2]);
    case pmHLS: return HLSToRGB(v[0], v[1], v[2]);
    case pmCMYK: return CMYKToRGB(v[0], v[1], v[2], v[3]);
    case pmCMY: return CMYToRGB(v[0], v[1], v[2]);
    case pmLMS: return LMSToRGB(v[0], v[1], v[2]);
    default: return {v[0], v[1], v[2]};
  }
}

ModelValues RGBToModel(int model, TColor c) {
  const double r = GetR(c), g = GetG(c), b = GetB(c);
  auto three = [](const Color3& x) { return ModelValues{x[0], x[1], x[2], 0}; };
  switch (model) {
    case pmHSB: return three(RGBToHSB(r, g, b));
    case pmLab: return three(RGBToLab(r, g, b));
    case pmHLS: return three(RGBToHLS(r, g, b));
    case pmCMYK: return RGBToCMYK(r, g, b);
    case pmCMY: return three(RGBToCMY(r, g, b));
    case pmLMS: return three(RGBToLMS(r, g, b));
    default: return {r, g, b, 0};
  }
}

TColor RoundedColor(const Color3& rgb) {
  return MakeColor(RoundChannel(rgb[0]), RoundChannel(rgb[1]), RoundChannel(rgb[2]));
}

std::string FilterValueText(std::string_view text) {
  std::string out;
  for (char ch : text)
    if (ch >= 32 && IsValueEditChar(static_cast<unsigned char>(ch))) out += ch;
  return out;
}

std::optional<int> ParseEditValue(std::string_view text, EditRange range) {
  if (text.empty() || text == "-") return std::nullopt;
  std::size_t i = text[0] == '-' ? 1 : 0;
  long long n = 0;
  bool number = i < text.size();
  for (; i < text.size() && number; ++i) {
    if (text[i] < '0' || text[i] > '9') number = false;
    else n = std::min<long long>(n * 10 + (text[i] - '0'), 1'000'000'000);
  }
  if (!number) n = 0;
  if (text[0] == '-') n = -n;
  return static_cast<int>(std::clamp<long long>(n, range.lo, range.hi));
}

int StepEditValue(int value, EditRange range, bool up) {
  return up ? std::min(std::max(value, range.lo), range.hi - 1) + 1
            : std::max(std::min(value, range.hi), range.lo + 1) - 1;
}

CmykPlaneAxes CmykAxesOf(int type) {
  // C 1, M 2, Y 3, K 4.
  switch (type) {
    case 2: return {3, 2};
    case 3: return {4, 3};
    case 4: return {4, 1};
    case 5: return {4, 2};
    case 6: return {3, 1};
    default: return {2, 1};
  }
}

const char* CmykAxesHint(int type) {
  switch (type) {
    case 2: return "SX - yellow; Y - magenta";
    case 3: return "SX - key; Y - yellow";
    case 4: return "SX - key; Y - cyan";
    case 5: return "SX - key; Y - magenta";
    case 6: return "SX - yellow; Y - cyan";
    default: return "SX - magenta; Y - cyan";
  }
}

PaletteModel::PaletteModel() { lastColor.fill(-1); }

int PaletteModel::DisplayValue(int component) const {
  return InternalToDisplay(currentModel, component, Values()[static_cast<std::size_t>(component - 1)]);
}

void PaletteModel::ReadCurrentColor(TColor current) {
  long long& last = lastColor[Index(currentModel)];
  if (last == static_cast<long long>(current)) return;
  Values() = RGBToModel(currentModel, current);
  last = current;
}

TColor PaletteModel::Store() {
  const TColor c = RoundedColor(ModelToRGB(currentModel, Values()));
  lastColor[Index(currentModel)] = c;
  return c;
}

TColor PaletteModel::SetFromEdits(std::span<const int> editValues) {
  const int n = std::min<int>(ComponentCount(currentModel), static_cast<int>(editValues.size()));
  for (int c = 1; c <= n; ++c) {
    const EditRange r = ComponentRange(currentModel, c);
    const int e = std::clamp(editValues[static_cast<std::size_t>(c - 1)], r.lo, r.hi);
    Values()[static_cast<std::size_t>(c - 1)] = EditToInternal(currentModel, c, e);
  }
  return Store();
}

TColor PaletteModel::SetComponent(int component, int editValue) {
  const EditRange r = ComponentRange(currentModel, component);
  Values()[static_cast<std::size_t>(component - 1)] =
      EditToInternal(currentModel, component, std::clamp(editValue, r.lo, r.hi));
  return Store();
}

TColor PaletteModel::StripColor(int component, int editValue) const {
  ModelValues v = Values();
  v[static_cast<std::size_t>(component - 1)] = EditToInternal(currentModel, component, editValue);
  const TColor c = RoundedColor(ModelToRGB(currentModel, v));
  return c == MakeColor(16, 0, 16) ? MakeColor(16, 1, 16) : c;
}

void PaletteModel::Load(const SettingsStore& store) {
  auto read = [&store](const std::string& name, int def, int lo, int hi) {
    return std::clamp(store.ReadInteger(name).value_or(def), lo, hi);
  };
  const PaletteModel defaults;
  currentModel = read("PAL_crntPalette", pmRGB, 1, kPaletteModels);
  cmykAxes = read("PAL_CMYKType", 1, 1, 6);
  for (int m = 1; m <= kPaletteModels; ++m) {
    const char* name = SettingName(m);
    if (!name) continue;
    viewType[Index(m)] = read(std::string("PAL_") + name + "PaletteView", defaults.viewType[Index(m)], 1, 3);
    fixedComponent[Index(m)] = read(std::string("PAL_") + name + "Type", defaults.fixedComponent[Index(m)], 1, 3);
  }
}

void PaletteModel::Save(SettingsStore& store) const {
  store.WriteInteger("PAL_crntPalette", currentModel);
  store.WriteInteger("PAL_CMYKType", cmykAxes);
  for (int m = 1; m <= kPaletteModels; ++m) {
    const char* name = SettingName(m);
    if (!name) continue;
    store.WriteInteger(std::string("PAL_") + name + "PaletteView", viewType[Index(m)]);
    store.WriteInteger(std::string("PAL_") + name + "Type", fixedComponent[Index(m)]);
  }
}

}  // namespace kolo
