// How a combination panel lays its picture over a control: natural size, or
// cut at the dilator column/row with that one line stretched, so corners and
// edges keep their pixels at any size.
#pragma once

#include <vector>

#include "widgets/geometry.h"

namespace kolo {

enum TFillType { ftNormal, ftStretch, ftCopy, ftCenter };

struct SlicePiece {
  IntRect source;  // in the image
  IntRect target;  // in the control
  friend bool operator==(const SlicePiece&, const SlicePiece&) = default;
};

// Pieces to draw for an image of imageW x imageH on a control of controlW x
// controlH. ftStretch fills the control, ftCopy tiles it, ftCenter centres the
// image; ftNormal draws it at the top left, sliced by the dilators where they
// lie inside the image and the control is larger along that axis.
std::vector<SlicePiece> SliceImage(int imageW, int imageH, int controlW, int controlH,
                                   int xDilator, int yDilator, TFillType fill);

}  // namespace kolo
