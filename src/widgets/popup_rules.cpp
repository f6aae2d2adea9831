#include "widgets/popup_rules.h"

#include <algorithm>

namespace kolo {

ListPlacement PlaceList(const IntRect& anchor, int extraWidth, int gap, int moreWidth, int count, int screenBottom) {
  ListPlacement p;
  p.slider = count >= kListSliderFrom;
  const int height = p.slider ? kListScrolledHeight : kListRowHeight * count + 2;
  const int left = anchor.left - extraWidth;
  const int width = anchor.Width() + extraWidth + moreWidth;
  int top = anchor.bottom + gap;
  if (top + height > screenBottom) {
    top = anchor.top - gap - height;
    p.above = true;
  }
  p.bounds = IntRect::FromSize(left, top, width, height);
  return p;
}

SliderPlacement PlaceValueSlider(const IntRect& mainWindow, const IntRect& anchor, int range, int value,
                                 int screenHeight) {
  SliderPlacement p;
  value = std::clamp(value, 0, range);
  p.arrowTop = range - value;
  const int height = range + 3 + 4;
  int top = anchor.top + anchor.Height() / 2 - p.arrowTop + 1;
  top = std::max(0, std::min(top, screenHeight - height));
  p.bounds = IntRect::FromSize(mainWindow.right - kSliderArrowWidth, top, kSliderFormWidth, height);
  return p;
}

SliderDrag DragValueSlider(int screenY, int windowTop, int windowHeight, int range) {
  SliderDrag d;
  d.arrowTop = std::clamp(screenY - windowTop - 3, 0, std::max(0, windowHeight - kSliderArrowHeight));
  d.value = range - d.arrowTop;
  return d;
}

DropPlacement PlaceDropPanel(const IntRect& panel, int width, int height, int screenBottom) {
  DropPlacement p;
  int top = panel.bottom - 2;
  if (top + height > screenBottom) {
    top = panel.top + 2 - height;
    p.above = true;
  }
  p.bounds = IntRect{panel.left, top, panel.left + width, top + height};
  return p;
}

}  // namespace kolo
