#include "widgets/nine_slice.h"

namespace kolo {

namespace {

struct Span {
  int srcFrom, srcTo, dstFrom, dstTo;
};

// One axis: either the whole image at its natural size, or three spans.
std::vector<Span> AxisSpans(int image, int control, int dilator) {
  if (dilator < 0 || dilator >= image || control <= image) return {{0, image, 0, image}};
  const int after = image - dilator - 1;  // lines right of (below) the dilator
  std::vector<Span> spans;
  if (dilator > 0) spans.push_back({0, dilator, 0, dilator});
  spans.push_back({dilator, dilator + 1, dilator, control - after});
  if (after > 0) spans.push_back({dilator + 1, image, control - after, control});
  return spans;
}

}  // namespace

std::vector<SlicePiece> SliceImage(int imageW, int imageH, int controlW, int controlH,
                                   int xDilator, int yDilator, TFillType fill) {
  std::vector<SlicePiece> out;
  if (imageW <= 0 || imageH <= 0) return out;
  const IntRect whole{0, 0, imageW, imageH};
  if (xDilator == -1 && yDilator == -1 && fill != ftNormal) {
    if (controlW <= 0 || controlH <= 0) return out;
    switch (fill) {
      case ftStretch:
        out.push_back({whole, {0, 0, controlW, controlH}});
        break;
      case ftCopy:
        for (int y = 0; y < controlH; y += imageH)
          for (int x = 0; x < controlW; x += imageW) out.push_back({whole, IntRect::FromSize(x, y, imageW, imageH)});
        break;
      default:
        out.push_back({whole, IntRect::FromSize((controlW - imageW) / 2, (controlH - imageH) / 2, imageW, imageH)});
        break;
    }
    return out;
  }
  if (fill != ftNormal) xDilator = yDilator = -1;  // dilators only slice a normal fill
  for (const Span& v : AxisSpans(imageH, controlH, yDilator))
    for (const Span& h : AxisSpans(imageW, controlW, xDilator))
      out.push_back({{h.srcFrom, v.srcFrom, h.srcTo, v.srcTo}, {h.dstFrom, v.dstFrom, h.dstTo, v.dstTo}});
  return out;
}

}  // namespace kolo
