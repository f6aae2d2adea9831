#include "tools/palette_plane.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kolo {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kSqrt3 = std::numbers::sqrt3;
constexpr double kHalfSide = 86.6025;  // 50·sqrt(3): half the triangle's base
constexpr double kSide = 173.205;
constexpr int kDisc = 14400;           // 120²: the wheel and the ring's outer edge
constexpr double kDiscEdge = 14280.25;  // 119.5²
constexpr int kRingInner = 10000;       // 100²
constexpr double kRingInnerEdge = 10100.25;  // 100.5²

std::size_t At(int component) { return static_cast<std::size_t>(component - 1); }

// Writes a colour into a picture pixel, optionally blended toward the background.
inline void Put(std::uint8_t* p, const Color3& rgb) {
  p[0] = static_cast<std::uint8_t>(RoundChannel(rgb[2]));
  p[1] = static_cast<std::uint8_t>(RoundChannel(rgb[1]));
  p[2] = static_cast<std::uint8_t>(RoundChannel(rgb[0]));
}

inline std::uint8_t Blend(std::uint32_t ch, std::uint32_t bg, double f) {
  const double x = ch;
  const long long v = RoundHalfEven(x - (x - bg) * f);
  return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

inline void PutBlended(std::uint8_t* p, const Color3& rgb, double f) {
  p[0] = Blend(RoundChannel(rgb[2]), GetB(clSkyBlue), f);
  p[1] = Blend(RoundChannel(rgb[1]), GetG(clSkyBlue), f);
  p[2] = Blend(RoundChannel(rgb[0]), GetR(clSkyBlue), f);
}

inline void PutBackground(std::uint8_t* p) {
  p[0] = GetB(clSkyBlue);
  p[1] = GetG(clSkyBlue);
  p[2] = GetR(clSkyBlue);
}

// Calls f with the model's conversion as its own type, so the pixel loops
// are compiled once per model without a switch per pixel.
template <class F>
void WithConversion(int model, F&& f) {
  switch (model) {
    case pmHSB: f([](const ModelValues& v) { return HSBToRGB(v[0], v[1], v[2]); }); break;
    case pmLab: f([](const ModelValues& v) { return LabToRGB(v[0], v[1], v[2]); }); break;
    case pmHLS: f([](const ModelValues& v) { return HLSToRGB(v[0], v[1], v[2]); }); break;
    case pmCMYK: f([](const ModelValues& v) { return CMYKToRGB(v[0], v[1], v[2], v[3]); }); break;
    case pmCMY: f([](const ModelValues& v) { return CMYToRGB(v[0], v[1], v[2]); }); break;
    case pmLMS: f([](const ModelValues& v) { return LMSToRGB(v[0], v[1], v[2]); }); break;
    default: f([](const ModelValues& v) { return Color3{v[0], v[1], v[2]}; }); break;
  }
}

double Mirrored(double theta) { return theta < 180 ? theta : 360 - theta; }
double HueAngle(double theta) { return theta < 270 ? 270 - theta : 630 - theta; }

// theta of a main-image point, as the tables hold it for picture pixels.
double ThetaOf(int dx, int dy) {
  if (dy == 0) return dx >= 0 ? 270 : 90;
  return std::atan2(static_cast<double>(dx), static_cast<double>(dy)) * 180 / kPi + 180;
}

// --- the wheel ---

struct WheelAxes {
  int angular = 2, radial = 3;
};
WheelAxes WheelAxesOf(int model, int fixed) {
  if (fixed == 1) return {2, 3};
  if (fixed == 2) return {1, 3};
  return {1, 2};
}

// The wheel's values at a point: angle theta, squared radius sq and radius r.
void WheelValues(int model, int fixed, double theta, double sq, double r, ModelValues& v) {
  const WheelAxes a = WheelAxesOf(model, fixed);
  if (!IsHueModel(model)) {
    v[At(a.angular)] = Mirrored(theta) * 255 / 180;
    v[At(a.radial)] = sq * 255 / kDisc;
  } else if (fixed == 1) {
    v[At(a.angular)] = Mirrored(theta) * 255 / 180;
    v[At(a.radial)] = r * 255 / 120;
  } else {
    v[At(a.angular)] = HueAngle(theta) * 255 / 359;
    v[At(a.radial)] = r * 255 / 120;
  }
}

// --- the ring and its triangle ---

// The fixed component's value drawn on the ring at angle theta.
double RingValue(int model, int fixed, double theta) {
  if (IsHueModel(model) && fixed == 1) return std::fmod(theta + 180, 360) * 255 / 359;
  return Mirrored(theta) * 255 / 180;
}

void RingColorValues(int model, int fixed, double theta, ModelValues& v) {
  const double other = model == pmHLS ? 127.5 : 255;
  if (!IsHueModel(model)) {
    v = {0, 0, 0, 0};
  } else if (fixed == 1) {
    v = {0, other, other, 0};
  } else {
    v = {255, other, other, 0};
  }
  v[At(fixed)] = RingValue(model, fixed, theta);
}

double TriangleAngle(const PaletteModel& m) {
  const double v = m.Values()[At(m.Fixed())];
  const double s = m.rightHalf ? -1 : 1;
  if (!IsHueModel(m.currentModel)) return -s * v * kPi / 255 + 2 * kPi / 3;
  if (m.Fixed() == 1) return -2 * v * kPi / 255 - kPi / 3;
  return s * v * kPi / 255;
}

// Which free component each rotated coordinate drives, and in which direction.
struct TriangleAxes {
  int fromY, fromX;
  bool yRises;      // (y' + 100)·1.7 rather than 255 minus that
  bool xFromRight;  // (86.6025 - x') rather than (x' + 86.6025)
};
TriangleAxes TriangleAxesOf(int model, int fixed) {
  if (!IsHueModel(model)) {
    if (fixed == 1) return {2, 3, false, false};
    if (fixed == 2) return {1, 3, false, false};
    return {1, 2, false, false};
  }
  if (fixed == 1) return {3, 2, true, true};
  if (fixed == 2) return {1, 3, true, false};
  return {1, 2, true, false};
}

void TriangleValues(const TriangleAxes& t, double xr, double yr, ModelValues& v) {
  const double fromY = (yr + 100) * 1.7;
  v[At(t.fromY)] = t.yRises ? fromY : 255 - fromY;
  v[At(t.fromX)] = (t.xFromRight ? kHalfSide - xr : xr + kHalfSide) * 255 / kSide;
}

bool InTriangle(double xr, double yr) {
  return yr < 50 && yr > kSqrt3 * xr - 100 && yr > -kSqrt3 * xr - 100;
}

bool OnTriangleEdge(double xr, double yr) {
  return yr >= 49.5 || yr <= kSqrt3 * xr - 99.5 || yr <= -kSqrt3 * xr - 99.5;
}

// A point brought back onto the triangle during a drag.
void ClampToTriangle(double& xr, double& yr) {
  yr = std::min(yr, 50.0);
  xr = std::clamp(xr, -kHalfSide, kHalfSide);
  if (yr < -100) {
    xr = 0;
    yr = -100;
  } else if (yr < kSqrt3 * xr - 100) {
    xr = (xr + kSqrt3 * yr + 100 * kSqrt3) / 4;
    yr = kSqrt3 * xr - 100;
  } else if (yr < -kSqrt3 * xr - 100) {
    xr = (xr - kSqrt3 * yr - 100 * kSqrt3) / 4;
    yr = -kSqrt3 * xr - 100;
  }
}

// --- drawing ---

template <class Conv>
void DrawCartesian(const PaletteModel& m, std::uint8_t* bits, Conv conv) {
  int h, vert;
  if (m.currentModel == pmCMYK) {
    const CmykPlaneAxes a = CmykAxesOf(m.cmykAxes);
    h = a.horizontal;
    vert = a.vertical;
  } else {
    const PlaneAxes a = CartesianAxes(m.currentModel, m.Fixed());
    h = a.horizontal;
    vert = a.vertical;
  }
  ModelValues v = m.Values();
  for (int row = 0; row < WorkPicture::kSize; ++row) {
    v[At(vert)] = row;
    std::uint8_t* p = bits + static_cast<std::size_t>(row) * WorkPicture::kStride;
    for (int col = 0; col < WorkPicture::kSize; ++col, p += 3) {
      v[At(h)] = col;
      Put(p, conv(v));
    }
  }
}

template <class Conv>
void DrawWheel(const PaletteModel& m, std::uint8_t* bits, Conv conv) {
  const LookupTables& t = LookupTables::Get();
  const int fixed = m.Fixed();
  ModelValues v = m.Values();
  for (int row = 0; row < WorkPicture::kSize; ++row) {
    std::uint8_t* p = bits + static_cast<std::size_t>(row) * WorkPicture::kStride;
    for (int col = 0; col < WorkPicture::kSize; ++col, p += 3) {
      const int i = LookupTables::Index(row, col);
      const int sq = t.squared[static_cast<std::size_t>(i)];
      if (sq > kDisc) {
        PutBackground(p);
        continue;
      }
      WheelValues(m.currentModel, fixed, t.angle[static_cast<std::size_t>(i)], sq, t.distance[static_cast<std::size_t>(i)], v);
      if (sq >= kDiscEdge)
        PutBlended(p, conv(v), 0.5);
      else
        Put(p, conv(v));
    }
  }
}

template <class Conv>
void DrawRing(const PaletteModel& m, std::uint8_t* bits, Conv conv) {
  const LookupTables& t = LookupTables::Get();
  const int fixed = m.Fixed();
  const double phi = TriangleAngle(m);
  const double cs = std::cos(phi), sn = std::sin(phi);
  const TriangleAxes axes = TriangleAxesOf(m.currentModel, fixed);
  ModelValues ring{}, inner = m.Values();
  for (int row = 0; row < WorkPicture::kSize; ++row) {
    std::uint8_t* p = bits + static_cast<std::size_t>(row) * WorkPicture::kStride;
    const double dy = row - 128;
    for (int col = 0; col < WorkPicture::kSize; ++col, p += 3) {
      const int i = LookupTables::Index(row, col);
      const int sq = t.squared[static_cast<std::size_t>(i)];
      if (sq > kDisc) {
        PutBackground(p);
      } else if (sq >= kRingInner) {
        RingColorValues(m.currentModel, fixed, t.angle[static_cast<std::size_t>(i)], ring);
        if (sq >= kDiscEdge || sq < kRingInnerEdge)
          PutBlended(p, conv(ring), 0.8);
        else
          Put(p, conv(ring));
      } else {
        const double dx = col - 128;
        const double yr = dy * cs - dx * sn;
        const double xr = dy * sn + dx * cs;
        if (!InTriangle(xr, yr)) {
          PutBackground(p);
          continue;
        }
        TriangleValues(axes, xr, yr, inner);
        if (OnTriangleEdge(xr, yr))
          PutBlended(p, conv(inner), 0.5);
        else
          Put(p, conv(inner));
      }
    }
  }
}

}  // namespace

PlaneAxes CartesianAxes(int model, int fixed) {
  if (!IsHueModel(model)) {
    if (fixed == 1) return {3, 2};
    if (fixed == 2) return {3, 1};
    return {1, 2};
  }
  if (fixed == 1) return {2, 3};
  if (fixed == 2) return {1, 3};
  return {1, 2};
}

void DrawPlane(const PaletteModel& m, WorkPicture& picture) {
  std::uint8_t* bits = picture.Bits();
  WithConversion(m.currentModel, [&](auto conv) {
    switch (m.View()) {
      case pvWheel: DrawWheel(m, bits, conv); break;
      case pvRing: DrawRing(m, bits, conv); break;
      default: DrawCartesian(m, bits, conv); break;
    }
  });
}

PlanePoint ValueMarker(const PaletteModel& m) {
  const ModelValues& v = m.Values();
  const int fixed = m.Fixed();
  switch (m.View()) {
    case pvWheel: {
      const WheelAxes a = WheelAxesOf(m.currentModel, fixed);
      const double angular = v[At(a.angular)], radial = v[At(a.radial)];
      double alpha, r;
      bool mirror = true;
      if (!IsHueModel(m.currentModel)) {
        alpha = angular * kPi / 255;
        r = std::sqrt(radial * kDisc / 255);
      } else {
        r = radial * 120 / 255;
        if (fixed == 1) {
          alpha = angular * kPi / 255;
        } else {
          const double theta = std::fmod(270 - angular * 359 / 255 + 720, 360);
          alpha = theta * kPi / 180;
          mirror = false;
        }
      }
      const double sx = (mirror && m.rightHalf ? 1 : -1) * r * std::sin(alpha);
      return {128 + sx, 127 + r * std::cos(alpha)};
    }
    case pvRing: {
      const double phi = TriangleAngle(m);
      const TriangleAxes t = TriangleAxesOf(m.currentModel, fixed);
      const double vy = v[At(t.fromY)], vx = v[At(t.fromX)];
      const double yr = (t.yRises ? vy : 255 - vy) / 1.7 - 100;
      const double xr = t.xFromRight ? kHalfSide - vx * kSide / 255 : vx * kSide / 255 - kHalfSide;
      const double dy = yr * std::cos(phi) + xr * std::sin(phi);
      const double dx = xr * std::cos(phi) - yr * std::sin(phi);
      return {128 + dx, 127 - dy};
    }
    default: {
      PlaneAxes a;
      if (m.currentModel == pmCMYK) {
        const CmykPlaneAxes c = CmykAxesOf(m.cmykAxes);
        a = {c.horizontal, c.vertical};
      } else {
        a = CartesianAxes(m.currentModel, fixed);
      }
      return {v[At(a.horizontal)], 255 - v[At(a.vertical)]};
    }
  }
}

std::optional<PlanePoint> RingMarker(const PaletteModel& m) {
  if (m.View() != pvRing) return std::nullopt;
  const double v = m.Values()[At(m.Fixed())];
  double alpha;
  if (IsHueModel(m.currentModel) && m.Fixed() == 1) {
    const double theta = std::fmod(v * 359 / 255 - 180 + 360, 360);
    alpha = -theta * kPi / 180;
  } else {
    alpha = -(m.rightHalf ? -1 : 1) * v * kPi / 255;
  }
  return PlanePoint{128 + static_cast<double>(RoundHalfEven(111 * std::sin(alpha))),
                    127 + static_cast<double>(RoundHalfEven(111 * std::cos(alpha)))};
}

PickEffect PickAt(PaletteModel& m, int x, int y) {
  if (m.pressState == 0) return PickEffect::None;
  ModelValues& v = m.Values();
  const int fixed = m.Fixed();
  const int dx = x - 128, dy = 127 - y;
  switch (m.View()) {
    case pvWheel: {
      const double sq = std::min(dx * dx + dy * dy, kDisc);
      const double theta = ThetaOf(dx, dy);
      WheelValues(m.currentModel, fixed, theta, sq, std::sqrt(sq), v);
      m.rightHalf = theta > 180;
      if (m.pressState == 1) m.pressState = 2;
      return PickEffect::Free;
    }
    case pvRing: {
      const int sq = dx * dx + dy * dy;
      const double phi = TriangleAngle(m);
      double yr = dy * std::cos(phi) - dx * std::sin(phi);
      double xr = dy * std::sin(phi) + dx * std::cos(phi);
      if (m.pressState == 1) {
        if (sq >= kRingInner)
          m.pressState = 3;
        else if (InTriangle(xr, yr))
          m.pressState = 2;
        else
          return PickEffect::None;
      }
      if (m.pressState == 3) {
        const double theta = ThetaOf(dx, dy);
        v[At(fixed)] = RingValue(m.currentModel, fixed, theta);
        m.rightHalf = theta > 180;
        return PickEffect::Fixed;
      }
      ClampToTriangle(xr, yr);
      TriangleValues(TriangleAxesOf(m.currentModel, fixed), xr, yr, v);
      return PickEffect::Free;
    }
    default: {
      PlaneAxes a;
      if (m.currentModel == pmCMYK) {
        const CmykPlaneAxes c = CmykAxesOf(m.cmykAxes);
        a = {c.horizontal, c.vertical};
      } else {
        a = CartesianAxes(m.currentModel, fixed);
      }
      v[At(a.horizontal)] = std::clamp(x, 0, 255);
      v[At(a.vertical)] = 255 - std::clamp(y, 0, 255);
      return PickEffect::Free;
    }
  }
}

bool SquareCursorAt(const PaletteModel& m, int x, int y) {
  const int dx = x - 128, dy = 127 - y;
  const int sq = dx * dx + dy * dy;
  switch (m.View()) {
    case pvWheel: return sq <= kDisc;
    case pvRing: {
      if (sq > kDisc) return false;
      if (sq >= kRingInner) return true;
      const double phi = TriangleAngle(m);
      return InTriangle(dy * std::sin(phi) + dx * std::cos(phi), dy * std::cos(phi) - dx * std::sin(phi));
    }
    default: return true;
  }
}

}  // namespace kolo
