// The colour-space tab's planes: the current model drawn in the 256x256 work
// picture with one component held fixed, as a cartesian square, a colour wheel
// or a colour ring around a triangle; where the markers of the current values
// sit; and what a press or drag at a main-image point picks.
//
// Geometry: for a picture pixel (row from the bottom, col) dy = row - 128 and
// dx = col - 128; for a main-image point (x, y from the top) dx = x - 128 and
// dy = 127 - y. The angle theta = atan2(dx, dy) in degrees + 180 is 0 straight
// down, 90 left, 180 up, 270 right. Families: RGB, CMY, Lab and LMS lay out
// their three components alike; HSB and HLS have a hue as component 1.
#pragma once

#include <optional>

#include "frame/work_picture.h"
#include "tools/palette_model.h"

namespace kolo {

// Draws the current model and view, every pixel through the colour core's conversion.
void DrawPlane(const PaletteModel& model, WorkPicture& picture);

struct PlanePoint {
  double x = 0, y = 0;  // main-image coordinates
};
// Where marker 1 (the current values) sits.
PlanePoint ValueMarker(const PaletteModel& model);
// The ring view's marker of the fixed component (whole pixels); none in the other views.
std::optional<PlanePoint> RingMarker(const PaletteModel& model);

// The cartesian axes of a three-component model: component numbers 1..3.
struct PlaneAxes {
  int horizontal = 3, vertical = 2;
};
PlaneAxes CartesianAxes(int model, int fixed);

enum class PickEffect {
  None,   // nothing changed
  Free,   // the free components changed: the plane stays, markers move
  Fixed,  // the fixed component changed on the ring: the triangle must be redrawn
};
// A press (pressState 1) or drag at a main-image point; the caller stores the colour.
PickEffect PickAt(PaletteModel& model, int x, int y);
// Whether the pointer at a main-image point, no button held, shows the square cursor.
bool SquareCursorAt(const PaletteModel& model, int x, int y);

}  // namespace kolo
