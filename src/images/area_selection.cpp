#include "images/area_selection.h"

#include <algorithm>
#include <cstdlib>

namespace kolo {

namespace {

int Sign(int v) { return v < 0 ? -1 : 1; }

bool Near(int x, int y, int px, int py, int h) { return px - h <= x && x <= px + h && py - h <= y && y <= py + h; }

}  // namespace

void AreaSelection::Start(int box) {
  boxSize = box;
  dragMode = ahFirstPress;
}

AreaRect AreaSelection::Ordered() const {
  return {std::min(selX1, selX2), std::min(selY1, selY2), std::max(selX1, selX2), std::max(selY1, selY2)};
}

int AreaSelection::HitTest(int x, int y) const {
  const int h = boxSize / 2;
  if (Near(x, y, selX2, selY2, h)) return ahRightBottom;
  if (Near(x, y, selX1, selY1, h)) return ahLeftTop;
  if (Near(x, y, selX1, selY2, h)) return ahLeftBottom;
  if (Near(x, y, selX2, selY1, h)) return ahRightTop;
  if (selX2 - selX1 >= 2 * boxSize + 2) {
    const int mx = (selX1 + selX2) / 2;
    if (Near(x, y, mx, selY2, h)) return ahBottom;
    if (Near(x, y, mx, selY1, h)) return ahTop;
  }
  if (selY2 - selY1 >= 2 * boxSize + 2) {
    const int my = (selY1 + selY2) / 2;
    if (Near(x, y, selX1, my, h)) return ahLeft;
    if (Near(x, y, selX2, my, h)) return ahRight;
  }
  if (selX1 < x && x < selX2 && selY1 < y && y < selY2) return ahMove;
  return ahNone;
}

AreaSelection::PressResult AreaSelection::Press(int x, int y) {
  PressResult r;
  if (dragMode == ahFirstPress) {
    selX1 = x;
    selX2 = x + MinGap();
    selY1 = y;
    selY2 = y + MinGap();
    dragMode = r.mode = ahRightBottom;
    return r;
  }
  if (dragMode != ahNone) return r;
  const int c = HitTest(x, y);
  if (c < ahMove) return r;
  dragMode = r.mode = c;
  if (c == ahMove) {
    dragOffsetX = x - selX1;
    dragOffsetY = y - selY1;
    return r;
  }
  r.snap = true;
  switch (c) {
    case ahLeftTop: r.to = {selX1, selY1}; break;
    case ahLeftBottom: r.to = {selX1, selY2}; break;
    case ahLeft: r.to = {selX1, y}; break;
    case ahRight: r.to = {selX2, y}; break;
    case ahRightTop: r.to = {selX2, selY1}; break;
    case ahRightBottom: r.to = {selX2, selY2}; break;
    case ahTop: r.to = {x, selY1}; break;
    default: r.to = {x, selY2}; break;
  }
  return r;
}

void AreaSelection::KeepMinimum(int& moved, int fixed) const {
  if (std::abs(moved - fixed) < MinGap()) moved = moved > fixed ? fixed + MinGap() : fixed - MinGap();
}

int AreaSelection::Drag(int x, int y, bool shift, const AreaBounds& screen) {
  if (dragMode == ahMove) {
    const int w = selX2 - selX1, h = selY2 - selY1;
    int nx = std::max(screen.left, x - dragOffsetX), ny = std::max(screen.top, y - dragOffsetY);
    if (nx + w > screen.right - 1) nx = screen.right - 1 - w;
    if (ny + h > screen.bottom - 1) ny = screen.bottom - 1 - h;
    selX1 = nx;
    selX2 = nx + w;
    selY1 = ny;
    selY2 = ny + h;
    return ahMove;
  }
  if (dragMode < ahLeftTop || dragMode > ahBottom) return ahNone;
  const int code = dragMode;
  // The edges this handle owns, and the ones across from them.
  int* movedX = nullptr;
  int* movedY = nullptr;
  int fixedX = 0, fixedY = 0;
  switch (code) {
    case ahLeftTop: movedX = &selX1, movedY = &selY1, fixedX = selX2, fixedY = selY2; break;
    case ahLeftBottom: movedX = &selX1, movedY = &selY2, fixedX = selX2, fixedY = selY1; break;
    case ahRightTop: movedX = &selX2, movedY = &selY1, fixedX = selX1, fixedY = selY2; break;
    case ahRightBottom: movedX = &selX2, movedY = &selY2, fixedX = selX1, fixedY = selY1; break;
    case ahLeft: movedX = &selX1, fixedX = selX2; break;
    case ahRight: movedX = &selX2, fixedX = selX1; break;
    case ahTop: movedY = &selY1, fixedY = selY2; break;
    default: movedY = &selY2, fixedY = selY1; break;
  }
  if (movedX) *movedX = x;
  if (movedY) *movedY = y;
  if (movedX && movedY) {
    if (shift) {
      // Square: the shorter extent wins.
      const int dx = std::abs(*movedX - fixedX), dy = std::abs(*movedY - fixedY);
      if (dx < dy)
        *movedY = fixedY + Sign(y - fixedY) * dx;
      else
        *movedX = fixedX + Sign(x - fixedX) * dy;
    }
    KeepMinimum(*movedX, fixedX);
    KeepMinimum(*movedY, fixedY);
  } else if (movedX) {
    KeepMinimum(*movedX, fixedX);
    if (shift) {
      const int span = std::abs(selX1 - selX2);
      const int cy = (selY1 + selY2) / 2;
      selY1 = cy - span / 2;
      selY2 = selY1 + span;
    }
  } else {
    KeepMinimum(*movedY, fixedY);
    if (shift) {
      const int span = std::abs(selY1 - selY2);
      const int cx = (selX1 + selX2) / 2;
      selX1 = cx - span / 2;
      selX2 = selX1 + span;
    }
  }
  return SwapCrossedHandle(code, selX2 < selX1, selY2 < selY1);
}

bool AreaSelection::Release() {
  if (dragMode < ahMove || dragMode > ahBottom) return false;
  dragMode = ahNone;
  if (selX2 < selX1) std::swap(selX1, selX2);
  if (selY2 < selY1) std::swap(selY1, selY2);
  return true;
}

bool AreaSelection::SetBoxSize(int n) {
  boxSize = n;
  bool grew = false;
  if (selX2 - selX1 < MinGap()) {
    selX2 = selX1 + MinGap();
    grew = true;
  }
  if (selY2 - selY1 < MinGap()) {
    selY2 = selY1 + MinGap();
    grew = true;
  }
  return grew;
}

void AreaSelection::TypeSize(int width, int height, const AreaBounds& screen) {
  width = std::max(width, MinGap());
  height = std::max(height, MinGap());
  selX1 = std::min(selX1, selX2);
  selY1 = std::min(selY1, selY2);
  selX2 = selX1 + width - 1;
  selY2 = selY1 + height - 1;
  if (selX2 > screen.right - 1) {
    selX1 = screen.right - width;
    selX2 = screen.right - 1;
  }
  if (selY2 > screen.bottom - 1) {
    selY1 = screen.bottom - height;
    selY2 = screen.bottom - 1;
  }
}

bool AreaSelection::GrowOver(const std::vector<AreaBounds>& windows, const AreaBounds& screen) {
  const AreaRect before = Ordered();
  AreaRect r = before;
  for (const AreaBounds& w : windows) {
    if (w.right == w.left) continue;
    r.left = std::min(r.left, w.left);
    r.top = std::min(r.top, w.top);
    r.right = std::max(r.right, w.right - 1);
    r.bottom = std::max(r.bottom, w.bottom - 1);
  }
  r.left = std::max(r.left, screen.left);
  r.top = std::max(r.top, screen.top);
  r.right = std::min(r.right, screen.right - 1);
  r.bottom = std::min(r.bottom, screen.bottom - 1);
  selX1 = r.left, selY1 = r.top, selX2 = r.right, selY2 = r.bottom;
  return !(r == before);
}

int SwapCrossedHandle(int code, bool xCrossed, bool yCrossed) {
  if (xCrossed) {
    switch (code) {
      case ahLeftTop: code = ahRightTop; break;
      case ahRightTop: code = ahLeftTop; break;
      case ahLeftBottom: code = ahRightBottom; break;
      case ahRightBottom: code = ahLeftBottom; break;
      case ahLeft: code = ahRight; break;
      case ahRight: code = ahLeft; break;
      default: break;
    }
  }
  if (yCrossed) {
    switch (code) {
      case ahLeftTop: code = ahLeftBottom; break;
      case ahLeftBottom: code = ahLeftTop; break;
      case ahRightTop: code = ahRightBottom; break;
      case ahRightBottom: code = ahRightTop; break;
      case ahTop: code = ahBottom; break;
      case ahBottom: code = ahTop; break;
      default: break;
    }
  }
  return code;
}

bool HasMiddleHandles(int sideSpan, int box) { return sideSpan >= 2 * box + 2; }

// Inside a handle box only its outline is frame; elsewhere the one-pixel side lines are.
bool IsAreaFramePixel(const AreaRect& r, int box, int x, int y) {
  const int h = box / 2;
  const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
  const bool middlesX = HasMiddleHandles(r.right - r.left, box);
  const bool middlesY = HasMiddleHandles(r.bottom - r.top, box);
  const AreaPoint centres[] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.top}, {r.right, r.bottom},
                               {mx, r.top},     {mx, r.bottom},     {r.left, my},    {r.right, my}};
  for (int i = 0; i < 8; ++i) {
    if ((i == 4 || i == 5) && !middlesX) continue;
    if ((i == 6 || i == 7) && !middlesY) continue;
    const int dx = std::abs(x - centres[i].x), dy = std::abs(y - centres[i].y);
    if (dx <= h && dy <= h) return dx == h || dy == h;
  }
  return ((x == r.left || x == r.right) && y > r.top && y < r.bottom) ||
         ((y == r.top || y == r.bottom) && x > r.left && x < r.right);
}

namespace {

FrameStrip MakeStrip(const AreaRect& r, int box, AreaBounds s, const AreaBounds& screen) {
  s.left = std::max(s.left, screen.left);
  s.top = std::max(s.top, screen.top);
  s.right = std::min(s.right, screen.right);
  s.bottom = std::min(s.bottom, screen.bottom);
  FrameStrip strip;
  if (s.right <= s.left || s.bottom <= s.top) return strip;
  strip.left = s.left;
  strip.top = s.top;
  strip.width = s.right - s.left;
  strip.height = s.bottom - s.top;
  strip.mask.resize(static_cast<std::size_t>(strip.width) * strip.height);
  std::size_t i = 0;
  for (int y = s.top; y < s.bottom; ++y)
    for (int x = s.left; x < s.right; ++x) strip.mask[i++] = IsAreaFramePixel(r, box, x, y) ? 1 : 0;
  return strip;
}

}  // namespace

std::vector<FrameStrip> AreaFrameStrips(const AreaRect& r, int box, const AreaBounds& screen) {
  const int h = box / 2;
  // The right strip never reaches into the left one, even on a rectangle too narrow for its boxes.
  const int rightFrom = std::max(r.right - h, r.left + h + 1);
  return {MakeStrip(r, box, {r.left - h, r.top - h, r.left + h + 1, r.bottom + h + 1}, screen),
          MakeStrip(r, box, {rightFrom, r.top - h, r.right + h + 1, r.bottom + h + 1}, screen),
          MakeStrip(r, box, {r.left + h + 1, r.top - h, r.right - h, r.top + h + 1}, screen),
          MakeStrip(r, box, {r.left + h + 1, r.bottom - h, r.right - h, r.bottom + h + 1}, screen)};
}

int HandleStrip(int code) {
  switch (code) {
    case ahLeftTop:
    case ahLeftBottom:
    case ahLeft: return 0;
    case ahRight:
    case ahRightTop:
    case ahRightBottom: return 1;
    case ahTop: return 2;
    case ahBottom: return 3;
    default: return -1;
  }
}

AreaPoint HandlePoint(const AreaRect& r, int code) {
  const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
  switch (code) {
    case ahLeftTop: return {r.left, r.top};
    case ahLeftBottom: return {r.left, r.bottom};
    case ahLeft: return {r.left, my};
    case ahRight: return {r.right, my};
    case ahRightTop: return {r.right, r.top};
    case ahRightBottom: return {r.right, r.bottom};
    case ahTop: return {mx, r.top};
    case ahBottom: return {mx, r.bottom};
    default: return {mx, my};
  }
}

MagnifierLayout Magnifier(int side, int box) {
  if (box <= 0) return {};
  const int cell = side / box;
  return {cell, (side - box * cell) / 2};
}

std::vector<AreaBounds> MagnifierMarks(int side, int box, int code) {
  const MagnifierLayout m = Magnifier(side, box);
  const int centre = box / 2;
  // The background line before and after the centre cell, 3 pixels wide.
  const int before = m.offset + centre * m.cell - 1;
  const int after = m.offset + (centre + 1) * m.cell - 1;
  const bool left = code == ahLeftTop || code == ahLeftBottom || code == ahLeft;
  const bool right = code == ahRightTop || code == ahRightBottom || code == ahRight;
  const bool top = code == ahLeftTop || code == ahRightTop || code == ahTop;
  const bool bottom = code == ahLeftBottom || code == ahRightBottom || code == ahBottom;
  const bool corner = (left || right) && (top || bottom);
  std::vector<AreaBounds> marks;
  // A vertical mark runs the whole height for a side handle, from the corner
  // into the selection for a corner; likewise the horizontal one.
  auto vertical = [&](int x) {
    int y0 = 0, y1 = side;
    if (corner) (top ? y0 : y1) = top ? before : after + 3;
    marks.push_back({x, y0, x + 3, y1});
  };
  auto horizontal = [&](int y) {
    int x0 = 0, x1 = side;
    if (corner) (left ? x0 : x1) = left ? before : after + 3;
    marks.push_back({x0, y, x1, y + 3});
  };
  if (left) vertical(before);
  if (right) vertical(after);
  if (top) horizontal(before);
  if (bottom) horizontal(after);
  return marks;
}

}  // namespace kolo
