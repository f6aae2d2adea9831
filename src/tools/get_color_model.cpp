#include "tools/get_color_model.h"

#include <algorithm>
#include <cstring>

namespace kolo {

namespace {

constexpr int kImageSide = WorkPicture::kSize;  // 256

// A colour as the three bytes of a 24-bit DIB pixel.
struct Bgr {
  std::uint8_t b, g, r;
  explicit Bgr(TColor c) : b(GetB(c)), g(GetG(c)), r(GetR(c)) {}
};

void PutBgr(std::uint8_t* p, const Bgr& c) {
  p[0] = c.b;
  p[1] = c.g;
  p[2] = c.r;
}

void FillRow(std::uint8_t* p, int count, const Bgr& c) {
  for (int i = 0; i < count; ++i, p += 3) PutBgr(p, c);
}

void FillBuffer(std::uint8_t* bits, int bytes, TColor colour) {
  const Bgr c(colour);
  for (int i = 0; i + 2 < bytes; i += 3) PutBgr(bits + i, c);
}

bool IsPixelColour(TColor c) { return (c & 0xFF000000u) == 0; }

}  // namespace

GridGeometry GridFor(int countBox) {
  const int cell = kImageSide / countBox;
  return {cell, (kImageSide - countBox * cell) / 2};
}

CursorShape PickCursorShape(int n) {
  CursorShape s;
  const int side = n > 10 ? n + 2 : n + 10;
  s.width = s.height = side;
  s.hotX = s.hotY = side / 2;
  s.inverts.assign(static_cast<std::size_t>(side) * side, false);
  if (n > 10) {
    // Four corner brackets: the outer ring without the middle of each side.
    const int gapFrom = side / 3, gapTo = side - side / 3 - 1;
    for (int i = 0; i < side; ++i) {
      if (i >= gapFrom && i <= gapTo) continue;
      s.Set(i, 0, true);
      s.Set(i, side - 1, true);
      s.Set(0, i, true);
      s.Set(side - 1, i, true);
    }
  } else {
    // Small regions: L-shaped marks whose corners sit 4 pixels in, leaving
    // the n x n square between them open.
    const int nearLine = 4, farLine = side - 5;
    for (int i = 0; i <= nearLine; ++i) {
      s.Set(i, nearLine, true);             // top left
      s.Set(nearLine, i, true);
      s.Set(side - 1 - i, nearLine, true);  // top right
      s.Set(farLine, i, true);
      s.Set(i, farLine, true);              // bottom left
      s.Set(nearLine, side - 1 - i, true);
      s.Set(side - 1 - i, farLine, true);   // bottom right
      s.Set(farLine, side - 1 - i, true);
    }
  }
  return s;
}

GetColorModel::GetColorModel() { FillCapture(clSkyBlue); }

void GetColorModel::FillCapture(TColor c) { capture_.fill(c & 0xFFFFFF); }

void GetColorModel::SetCaptureFromBgra(const std::uint32_t* pixels) {
  // 0x00RRGGBB in memory order B, G, R, A -> TColor 0x00BBGGRR.
  for (std::size_t i = 0; i < capture_.size(); ++i) {
    const std::uint32_t p = pixels[i];
    capture_[i] = MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
}

std::vector<std::uint8_t> GetColorModel::CaptureBytes() const {
  std::vector<std::uint8_t> bytes(kCaptureBytes);
  std::uint8_t* p = bytes.data();
  for (int y = kCaptureSide - 1; y >= 0; --y)
    for (int x = 0; x < kCaptureSide; ++x, p += 3) PutBgr(p, Bgr(Pixel(x, y)));
  return bytes;
}

bool GetColorModel::SetCaptureBytes(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() != static_cast<std::size_t>(kCaptureBytes)) return false;
  const std::uint8_t* p = bytes.data();
  for (int y = kCaptureSide - 1; y >= 0; --y)
    for (int x = 0; x < kCaptureSide; ++x, p += 3) SetPixel(x, y, MakeColor(p[2], p[1], p[0]));
  return true;
}

void GetColorModel::CentreRegion() { prevLeft = prevTop = CentredCorner(countBox); }

void GetColorModel::ClampRegion() {
  const int limit = kCaptureSide - countBox;
  prevLeft = std::clamp(prevLeft, 0, limit);
  prevTop = std::clamp(prevTop, 0, limit);
}

void GetColorModel::ChangeCountBox(int n) {
  n = std::clamp(n, kMinCountBox, kMaxCountBox);
  while (scaleKoef > 1 && scaleKoef * n >= kPreviewSide + 1) --scaleKoef;
  // Odd sides have a true middle pixel; step the corner so it stays on the cursor pixel.
  if (n % 2 != 0) {
    const int step = n <= countBox ? 1 : -1;
    prevLeft += step;
    prevTop += step;
  }
  countBox = n;
  ClampRegion();
}

bool GetColorModel::ZoomIn() {
  if (countBox * (scaleKoef + 1) >= kPreviewSide + 1) return false;
  ++scaleKoef;
  return true;
}

bool GetColorModel::ZoomOut() {
  if (scaleKoef <= 1) return false;
  --scaleKoef;
  return true;
}

std::string GetColorModel::CursorSizeHint() const { return "Scursor size " + std::to_string(countBox) + " px"; }
std::string GetColorModel::ZoomInHint() const { return "Szoom in (" + std::to_string(scaleKoef + 1) + "x)"; }
std::string GetColorModel::ZoomOutHint() const { return "Szoom out (" + std::to_string(scaleKoef - 1) + "x)"; }

std::optional<CapturePixel> GetColorModel::HitCell(int x, int y) const {
  const GridGeometry g = Grid();
  const int bx = x - g.off;
  const int by = kImageSide - 1 - y - g.off;
  // The far outline line and the gap of each pitch belong to no cell.
  if (bx < 0 || by < 0 || bx % g.cell >= g.cell - 2 || by % g.cell >= g.cell - 2) return std::nullopt;
  const int i = bx / g.cell, k = by / g.cell;
  if (i >= countBox || k >= countBox) return std::nullopt;
  return CapturePixel{prevLeft + i, prevTop + countBox - 1 - k};
}

TColor GetColorModel::ColorAt(int x, int y) const {
  const auto hit = HitCell(x, y);
  return hit ? Pixel(hit->x, hit->y) : clEmptyColor;
}

void GetColorModel::DrawGrid(WorkPicture& work) const {
  std::uint8_t* bits = work.Bits();
  FillBuffer(bits, WorkPicture::kBytes, clSkyBlue);
  const GridGeometry g = Grid();
  const int side = g.cell - 1;  // outline from 0 to cell - 2
  const Bgr frame(clFrame);
  for (int k = 0; k < countBox; ++k) {
    const int y0 = k * g.cell + g.off;
    for (int i = 0; i < countBox; ++i) {
      const int x0 = i * g.cell + g.off;
      const Bgr fill(Pixel(prevLeft + i, prevTop + countBox - 1 - k));
      for (int dy = 0; dy < side; ++dy) {
        std::uint8_t* row = bits + (y0 + dy) * WorkPicture::kStride + x0 * 3;
        if (dy == 0 || dy == side - 1) {
          FillRow(row, side, frame);
        } else {
          PutBgr(row, frame);
          FillRow(row + 3, side - 2, fill);
          PutBgr(row + (side - 1) * 3, frame);
        }
      }
    }
  }
}

void GetColorModel::DrawPreview(std::uint8_t* pixels) const {
  FillBuffer(pixels, kPreviewBytes, clSkyBlue);
  const int s = scaleKoef, poff = PreviewOffset();
  for (int k = 0; k < countBox; ++k) {
    const int yFrom = std::max(0, poff + k * s), yTo = std::min(kPreviewSide, poff + (k + 1) * s);
    for (int i = 0; i < countBox; ++i) {
      const int xFrom = std::max(0, poff + i * s), xTo = std::min(kPreviewSide, poff + (i + 1) * s);
      if (xFrom >= xTo) continue;
      const Bgr c(Pixel(prevLeft + i, prevTop + countBox - 1 - k));
      for (int y = yFrom; y < yTo; ++y) FillRow(pixels + y * kPreviewStride + xFrom * 3, xTo - xFrom, c);
    }
  }
  if (poff >= 3) {
    const int from = poff - 1, to = kPreviewSide - poff - (countBox * scaleKoef) % 2;
    const Bgr frame(clFrame);
    FillRow(pixels + from * kPreviewStride + from * 3, to - from + 1, frame);
    FillRow(pixels + to * kPreviewStride + from * 3, to - from + 1, frame);
    for (int y = from; y <= to; ++y) {
      PutBgr(pixels + y * kPreviewStride + from * 3, frame);
      PutBgr(pixels + y * kPreviewStride + to * 3, frame);
    }
  }
}

bool GetColorModel::CanPanAt(int x, int y) const {
  const int poff = PreviewOffset();
  return countBox < kCaptureSide && poff < x && x < kPreviewSide - poff && poff < y && y < kPreviewSide - poff;
}

bool GetColorModel::BeginPan(int x, int y) {
  if (!CanPanAt(x, y)) return false;
  const int poff = PreviewOffset();
  panning = true;
  // Integer division truncates toward zero, as the anchor arithmetic expects.
  panAnchorX = (poff - x) / scaleKoef - prevLeft;
  panAnchorY = (poff - y) / scaleKoef - prevTop;
  return true;
}

bool GetColorModel::PanTo(int x, int y) {
  if (!panning) return false;
  const int poff = PreviewOffset();
  const int oldLeft = prevLeft, oldTop = prevTop;
  prevLeft = (poff - x) / scaleKoef - panAnchorX;
  prevTop = (poff - y) / scaleKoef - panAnchorY;
  ClampRegion();
  return prevLeft != oldLeft || prevTop != oldTop;
}

bool GetColorModel::RestorePending() {
  if (paintSavedColor == -1) return false;
  SetPixel(paintCellX, paintCellY, static_cast<TColor>(paintSavedColor));
  return true;
}

bool GetColorModel::PaintDragOver(int x, int y, bool insideImage, bool shift, TColor color) {
  // Shift keeps the colour shown in the previous cell: the drag leaves a trail.
  if (shift) paintSavedColor = -1;
  // Only real colours paint; the empty and transparent markers are not pixels.
  const auto hit = insideImage && IsPixelColour(color) ? HitCell(x, y) : std::nullopt;
  if (hit) {
    if (paintSavedColor != -1 && hit->x == paintCellX && hit->y == paintCellY) return false;
    RestorePending();
    paintCellX = hit->x;
    paintCellY = hit->y;
    paintSavedColor = Pixel(hit->x, hit->y);
    SetPixel(hit->x, hit->y, color);
    return true;
  }
  const bool changed = RestorePending();
  paintSavedColor = -1;
  return changed;
}

std::vector<TColor> GetColorModel::Region() const {
  std::vector<TColor> region;
  region.reserve(static_cast<std::size_t>(countBox) * countBox);
  for (int y = 0; y < countBox; ++y)
    for (int x = 0; x < countBox; ++x) region.push_back(Pixel(prevLeft + x, prevTop + y));
  return region;
}

void GetColorModel::Load(const SettingsStore& store) {
  // Stored values are clamped so a damaged key cannot push the region off the capture.
  countBox = std::clamp(store.ReadInteger("GETC_countBox").value_or(kDefaultCountBox), kMinCountBox, kMaxCountBox);
  scaleKoef = std::clamp(store.ReadInteger("GETC_scaleKoef").value_or(1), 1, kPreviewSide / countBox);
  prevLeft = store.ReadInteger("GETC_prevLeft").value_or(CentredCorner(countBox));
  prevTop = store.ReadInteger("GETC_prevTop").value_or(CentredCorner(countBox));
  ClampRegion();
  if (auto bytes = store.ReadBinary("GETC_colors")) SetCaptureBytes(*bytes);
}

void GetColorModel::Save(SettingsStore& store) const {
  store.WriteInteger("GETC_countBox", countBox);
  store.WriteInteger("GETC_scaleKoef", scaleKoef);
  store.WriteInteger("GETC_prevLeft", prevLeft);
  store.WriteInteger("GETC_prevTop", prevTop);
  store.WriteBinary("GETC_colors", CaptureBytes());
}

}  // namespace kolo
