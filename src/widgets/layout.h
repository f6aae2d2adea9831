// Child placement inside a panel: the ordinary edge alignment and the custom
// alignment table of the widget set.
#pragma once

#include <cstddef>
#include <vector>

#include "widgets/geometry.h"

namespace kolo {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TCustomAlign {
  caNone, caLeft, caRight, caTop, caBottom, caCenter,
  caThirdLeft, caThirdRight, caClient, caHalfLeft, caHalfRight
};

struct AlignItem {
  TAlign align = alNone;
  TCustomAlign customAlign = caNone;  // used when align is alCustom
  bool visible = true;
  IntRect bounds;  // current position and size, in the parent's client coordinates
};

// New bounds for every item. `area` is the parent's client area less its
// borders; `parentWidth`/`parentHeight` its whole size (the thirds use it).
// Edge-aligned children go first (top, bottom, left, right, client, each group
// in list order), then the custom ones in list order; hidden and unaligned
// children keep their bounds and take no room.
std::vector<IntRect> LayoutChildren(const IntRect& area, int parentWidth, int parentHeight,
                                    const std::vector<AlignItem>& items);

}  // namespace kolo
