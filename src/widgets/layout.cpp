#include "widgets/layout.h"

namespace kolo {

namespace {

IntRect PlaceEdge(TAlign align, const IntRect& b, IntRect& r) {
  const int w = b.Width(), h = b.Height();
  switch (align) {
    case alTop: { IntRect out{r.left, r.top, r.right, r.top + h}; r.top += h; return out; }
    case alBottom: { IntRect out{r.left, r.bottom - h, r.right, r.bottom}; r.bottom -= h; return out; }
    case alLeft: { IntRect out{r.left, r.top, r.left + w, r.bottom}; r.left += w; return out; }
    case alRight: { IntRect out{r.right - w, r.top, r.right, r.bottom}; r.right -= w; return out; }
    case alClient: return r;
    default: return b;
  }
}

IntRect PlaceCustom(TCustomAlign align, const IntRect& b, IntRect& r, int pw, int ph) {
  const int w = b.Width(), h = b.Height();
  // C++ division truncates toward zero, as the centring wants.
  const int midY = r.top + (r.Height() - h) / 2, midX = r.left + (r.Width() - w) / 2;
  switch (align) {
    case caLeft: { IntRect out = IntRect::FromSize(r.left, midY, w, h); r.left += w; return out; }
    case caRight: { IntRect out = IntRect::FromSize(r.right - w, midY, w, h); r.right = out.left; return out; }
    case caTop: { IntRect out = IntRect::FromSize(midX, r.top, w, h); r.top += h; return out; }
    case caBottom: { IntRect out = IntRect::FromSize(midX, r.bottom - h, w, h); r.bottom = out.top; return out; }
    case caCenter: return IntRect::FromSize(midX, midY, w, h);
    case caThirdLeft: { IntRect out = IntRect::FromSize(0, 0, pw / 3, ph); r.left = out.right; return out; }
    case caThirdRight: {
      IntRect out = IntRect::FromSize(pw - pw / 3, 0, pw / 3, ph);
      r.right = out.left;
      return out;
    }
    case caClient: return r;
    case caHalfLeft: return IntRect::FromSize(r.left, r.top, r.Width() / 2, r.Height());
    case caHalfRight: return IntRect::FromSize(r.right - r.Width() / 2, r.top, r.Width() / 2, r.Height());
    default: return b;
  }
}

}  // namespace

std::vector<IntRect> LayoutChildren(const IntRect& area, int parentWidth, int parentHeight,
                                    const std::vector<AlignItem>& items) {
  std::vector<IntRect> out;
  out.reserve(items.size());
  for (const auto& item : items) out.push_back(item.bounds);
  IntRect r = area;
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (std::size_t i = 0; i < items.size(); ++i)
      if (items[i].visible && items[i].align == pass) out[i] = PlaceEdge(pass, items[i].bounds, r);
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].visible && items[i].align == alCustom)
      out[i] = PlaceCustom(items[i].customAlign, items[i].bounds, r, parentWidth, parentHeight);
  }
  return out;
}

}  // namespace kolo
