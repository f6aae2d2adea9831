// The colour-space tab's models and planes: what the edits show and take,
// switching models without drift, plane pixels against the conversions, and
// picking in each view.
#include "tools/palette_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "frame/memory_store.h"
#include "tools/palette_plane.h"

namespace kolo {
namespace {

PaletteModel In(int model, int view = pvCartesian, int fixed = 0) {
  PaletteModel m;
  m.currentModel = model;
  if (model != pmCMYK) m.viewType[static_cast<std::size_t>(model)] = view;
  if (fixed) m.fixedComponent[static_cast<std::size_t>(model)] = fixed;
  return m;
}

TColor Pixel(const WorkPicture& p, int x, int yFromTop) { return p.GetPixel(x, 255 - yFromTop); }

TEST(PaletteValues, DisplayRoundingAtTheEdgesAndTypedValues) {
  // A hue just under a full turn rounds to 360 and shows as 0; 359 stays.
  EXPECT_EQ(InternalToDisplay(pmHSB, 1, 255.0), 359);
  EXPECT_EQ(InternalToDisplay(pmHSB, 1, 255.5), 0);
  EXPECT_EQ(InternalToDisplay(pmHLS, 1, EditToInternal(pmHLS, 1, 359)), 359);
  EXPECT_EQ(InternalToDisplay(pmLab, 2, EditToInternal(pmLab, 2, -128)), -128);
  EXPECT_EQ(InternalToDisplay(pmLab, 3, EditToInternal(pmLab, 3, 127)), 127);
  for (int e = 0; e <= 100; ++e) EXPECT_EQ(InternalToDisplay(pmCMYK, 4, EditToInternal(pmCMYK, 4, e)), e);
  for (int e = 0; e <= 359; ++e) EXPECT_EQ(InternalToDisplay(pmHSB, 1, EditToInternal(pmHSB, 1, e)), e);

  EXPECT_EQ(ParseEditValue("400", ComponentRange(pmHSB, 1)), 359);
  EXPECT_EQ(ParseEditValue("-200", ComponentRange(pmLab, 2)), -128);
  EXPECT_EQ(ParseEditValue("-5", ComponentRange(pmRGB, 1)), 0);
  EXPECT_EQ(ParseEditValue("1-2", ComponentRange(pmRGB, 1)), 0);  // not a number
  EXPECT_EQ(ParseEditValue("99999999999999", ComponentRange(pmRGB, 2)), 255);
  EXPECT_FALSE(ParseEditValue("", ComponentRange(pmRGB, 1)));
  EXPECT_FALSE(ParseEditValue("-", ComponentRange(pmLab, 2)));
  EXPECT_EQ(FilterValueText("\t-12a3 %\r\n"), "-123");

  // Stepping never leaves the range, and a value outside it comes back in.
  const EditRange h = ComponentRange(pmHSB, 1);
  EXPECT_EQ(StepEditValue(359, h, true), 359);
  EXPECT_EQ(StepEditValue(0, h, false), 0);
  EXPECT_EQ(StepEditValue(500, h, false), 358);
  EXPECT_EQ(StepEditValue(-3, h, true), 1);
}

TEST(PaletteValues, SwitchingModelsKeepsValuesTheColourDoesNotDetermine) {
  PaletteModel m = In(pmHSB);
  // A grey with a typed hue: the hue survives a trip through CMYK and back.
  const int hsb[] = {200, 0, 50};
  const TColor grey = m.SetFromEdits(hsb);
  EXPECT_EQ(grey, MakeColor(127, 127, 127));
  m.currentModel = pmCMYK;
  m.ReadCurrentColor(grey);
  EXPECT_EQ(m.DisplayValue(4), 50);
  EXPECT_EQ(m.Store(), grey);
  m.currentModel = pmHSB;
  m.ReadCurrentColor(grey);
  EXPECT_EQ(m.DisplayValue(1), 200);
  // A colour changed elsewhere is taken over.
  m.ReadCurrentColor(MakeColor(0, 0, 255));
  EXPECT_EQ(m.DisplayValue(1), 240);
  EXPECT_EQ(m.DisplayValue(2), 100);

  // Models whose conversions invert store back the colour they read (HLS and
  // LMS do not: their inverses drift by design, which lastColor guards against).
  for (int model : {pmRGB, pmHSB, pmLab, pmCMYK, pmCMY}) {
    PaletteModel k = In(model);
    for (TColor c : {0x000000u, 0xFFFFFFu, 0x2A7FD4u, 0x10F0A0u}) {
      k.ReadCurrentColor(c);
      EXPECT_EQ(k.Store(), c) << model;
    }
  }
  // The value strip never uses the slider's transparent key.
  PaletteModel rgb = In(pmRGB);
  rgb.ReadCurrentColor(MakeColor(16, 0, 0));
  EXPECT_EQ(rgb.StripColor(3, 16), MakeColor(16, 1, 16));
  EXPECT_EQ(rgb.StripColor(3, 17), MakeColor(16, 0, 17));
}

TEST(PaletteValues, SettingsRoundTripDefaultsAndClamps) {
  MemoryStore store;
  PaletteModel m;
  m.Load(store);
  EXPECT_EQ(m.currentModel, pmRGB);
  EXPECT_EQ(m.viewType[pmHSB], pvRing);
  EXPECT_EQ(m.fixedComponent[pmLMS], 3);
  m.currentModel = pmLab;
  m.viewType[pmLab] = pvWheel;
  m.fixedComponent[pmCMY] = 2;
  m.cmykAxes = 6;
  m.Save(store);
  PaletteModel back;
  back.Load(store);
  EXPECT_EQ(back.currentModel, pmLab);
  EXPECT_EQ(back.viewType[pmLab], pvWheel);
  EXPECT_EQ(back.fixedComponent[pmCMY], 2);
  EXPECT_EQ(back.cmykAxes, 6);
  store.WriteInteger("PAL_crntPalette", 9);
  store.WriteInteger("PAL_HLSPaletteView", 0);
  back.Load(store);
  EXPECT_EQ(back.currentModel, pmLMS);
  EXPECT_EQ(back.viewType[pmHLS], pvCartesian);
}

// The planes: pixels come from the model's conversion at the values the
// layout puts there.
TEST(PalettePlane, PixelsAgreeWithTheConversions) {
  WorkPicture p;
  PaletteModel rgb = In(pmRGB);
  rgb.Values() = {255, 0, 0, 0};
  DrawPlane(rgb, p);
  EXPECT_EQ(Pixel(p, 255, 0), MakeColor(255, 255, 255));
  EXPECT_EQ(Pixel(p, 0, 255), MakeColor(255, 0, 0));
  EXPECT_EQ(Pixel(p, 30, 255 - 200), MakeColor(255, 200, 30));

  // Lab with b fixed: L across, a upward.
  PaletteModel lab = In(pmLab, pvCartesian, 3);
  lab.Values() = {0, 0, 77.5, 0};
  DrawPlane(lab, p);
  EXPECT_EQ(Pixel(p, 140, 255 - 60), RoundedColor(LabToRGB(140, 60, 77.5)));

  PaletteModel cmyk = In(pmCMYK);
  cmyk.cmykAxes = 3;  // K across, Y upward
  cmyk.Values() = {10, 200, 0, 0};
  DrawPlane(cmyk, p);
  EXPECT_EQ(Pixel(p, 90, 255 - 33), RoundedColor(CMYKToRGB(10, 200, 33, 90)));

  // HSB with the hue fixed in the wheel: black centre, full saturation straight up.
  PaletteModel hsb = In(pmHSB, pvWheel, 1);
  hsb.Values() = {100, 0, 0, 0};
  DrawPlane(hsb, p);
  EXPECT_EQ(Pixel(p, 128, 127), MakeColor(0, 0, 0));
  EXPECT_EQ(Pixel(p, 128, 127 - 100), RoundedColor(HSBToRGB(100, 255, 100 * 255.0 / 120)));
  EXPECT_EQ(Pixel(p, 0, 0), clSkyBlue);

  // Family A wheel: area-true radius, mirrored angle. Point 60 left, 40 up.
  PaletteModel cmy = In(pmCMY, pvWheel, 2);
  cmy.Values() = {0, 90, 0, 0};
  DrawPlane(cmy, p);
  const double theta = std::atan2(-60.0, 40.0) * 180 / std::numbers::pi + 180;
  EXPECT_EQ(Pixel(p, 68, 87), RoundedColor(CMYToRGB(static_cast<float>(theta) * 255 / 180, 90, 5200.0 * 255 / 14400)));

  // HLS wheel with L fixed: the hue runs counter-clockwise from the right.
  PaletteModel hls = In(pmHLS, pvWheel, 2);
  hls.Values() = {0, 127.5, 0, 0};
  DrawPlane(hls, p);
  EXPECT_EQ(Pixel(p, 128, 127 - 90), RoundedColor(HLSToRGB(90 * 255.0 / 359, 127.5, 90 * 255.0 / 120)));

  // Ring of RGB with R fixed: a ramp from black at the bottom to red at the top.
  PaletteModel ring = In(pmRGB, pvRing, 1);
  ring.Values() = {128, 0, 0, 0};
  DrawPlane(ring, p);
  EXPECT_EQ(Pixel(p, 128, 127 + 110), MakeColor(0, 0, 0));
  EXPECT_EQ(Pixel(p, 128, 127 - 110), MakeColor(255, 0, 0));
  EXPECT_EQ(Pixel(p, 128, 127 - 95), clSkyBlue);  // between ring and triangle
}

TEST(PalettePlane, PickingTakesWhatTheViewDrawsAndMarkersComeBackToThePoint) {
  WorkPicture p;
  for (int model : {pmRGB, pmHSB, pmLab, pmHLS, pmCMY, pmLMS}) {
    for (int view : {pvCartesian, pvWheel, pvRing}) {
      for (int fixed = 1; fixed <= 3; ++fixed) {
        PaletteModel m = In(model, view, fixed);
        m.ReadCurrentColor(0x3080C0);
        DrawPlane(m, p);
        const int x = view == pvCartesian ? 200 : 120, y = view == pvCartesian ? 40 : 150;
        m.pressState = 1;
        ASSERT_EQ(PickAt(m, x, y), PickEffect::Free) << model << view << fixed;
        // The colour picked is the one drawn at that point, and the marker sits
        // on it. The hue wheels draw whole radii but pick the exact one: there
        // the colours may differ by a unit or two per channel.
        const TColor picked = m.Store(), drawn = Pixel(p, x, y);
        const bool exact = !(view == pvWheel && IsHueModel(model));
        if (exact) {
          EXPECT_EQ(picked, drawn) << model << " " << view << " " << fixed;
        } else {
          EXPECT_NEAR(GetR(picked), GetR(drawn), 3) << model << " " << fixed;
          EXPECT_NEAR(GetG(picked), GetG(drawn), 3) << model << " " << fixed;
          EXPECT_NEAR(GetB(picked), GetB(drawn), 3) << model << " " << fixed;
        }
        const PlanePoint mk = ValueMarker(m);
        EXPECT_NEAR(mk.x, x, 1e-6) << model << view << fixed;
        EXPECT_NEAR(mk.y, y, 1e-6) << model << view << fixed;
      }
    }
  }
}

TEST(PalettePlane, DragsOutsideTheShapesStayOnTheirEdges) {
  // Family A wheel: outside the disc picks the rim, on the side pressed.
  PaletteModel w = In(pmRGB, pvWheel, 1);
  w.pressState = 1;
  PickAt(w, 255, 127);
  EXPECT_EQ(w.pressState, 2);
  EXPECT_DOUBLE_EQ(w.Values()[2], 255);
  EXPECT_TRUE(w.rightHalf);
  EXPECT_GT(ValueMarker(w).x, 128);
  PickAt(w, 0, 127);
  EXPECT_FALSE(w.rightHalf);
  EXPECT_LT(ValueMarker(w).x, 128);

  // Ring: a press inside the triangle drags it, and far outside stays on the edge.
  PaletteModel r = In(pmLMS, pvRing, 3);
  r.ReadCurrentColor(0x808080);
  const PlanePoint inside = ValueMarker(r);
  r.pressState = 1;
  EXPECT_EQ(PickAt(r, static_cast<int>(inside.x), static_cast<int>(inside.y)), PickEffect::Free);
  EXPECT_EQ(r.pressState, 2);
  const double fixedBefore = r.Values()[2];
  for (auto [x, y] : {std::pair{-400, 127}, {128, 600}, {700, -300}, {128, -900}}) {
    EXPECT_EQ(PickAt(r, x, y), PickEffect::Free);
    EXPECT_DOUBLE_EQ(r.Values()[2], fixedBefore);
    for (int c : {0, 1}) {
      EXPECT_GE(r.Values()[c], -1e-9);
      EXPECT_LE(r.Values()[c], 255 + 1e-9);
    }
    const PlanePoint mk = ValueMarker(r);
    EXPECT_LE(std::hypot(mk.x - 128, mk.y - 127), 100.0 + 1e-6);  // on the triangle, never on the ring
  }

  // A press on the ring band turns the fixed component and redraws the triangle.
  PaletteModel h = In(pmHSB, pvRing, 1);
  h.pressState = 1;
  EXPECT_EQ(PickAt(h, 128, 127 - 110), PickEffect::Fixed);  // straight up: red
  EXPECT_EQ(h.pressState, 3);
  EXPECT_NEAR(h.Values()[0], 0, 1e-9);
  EXPECT_EQ(PickAt(h, 128 + 300, 127), PickEffect::Fixed);  // keeps following outside
  EXPECT_NEAR(h.Values()[0], 90 * 255.0 / 359, 1e-9);
  const auto ringMarker = RingMarker(h);
  ASSERT_TRUE(ringMarker);
  EXPECT_EQ(ringMarker->x, 128 + 111);
  EXPECT_EQ(ringMarker->y, 127);
  EXPECT_TRUE(SquareCursorAt(h, 128, 127 - 110));
  EXPECT_FALSE(SquareCursorAt(h, 2, 2));
}

}  // namespace
}  // namespace kolo
