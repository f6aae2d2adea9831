#include "tools/fix_color_model.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "color/fixed_palettes.h"

namespace kolo {

namespace {

constexpr TColor kDefaultCorners[4] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFF0000};  // red, yellow, green, blue

// Grid geometry, buffer coordinates (y from the bottom).
constexpr int kPlainPitch = 16, kPlainSide = 14;
constexpr int kBorderedPitch = 13, kBorderedSide = 11, kBorderedOrigin = 25;
constexpr int kFrameLow = 19, kFrameHigh = 237;
constexpr int kCornerSide = 12;
constexpr int kCornerNear = 3, kCornerFar = 241;

// Buffer positions of corners 0..3.
constexpr int kCornerX[4] = {kCornerNear, kCornerFar, kCornerFar, kCornerNear};
constexpr int kCornerY[4] = {kCornerNear, kCornerNear, kCornerFar, kCornerFar};

TColor Stored(TColor c) { return IsEmptyColor(c) || c == clTransparentColor ? clEmptyColor : c & 0xFFFFFF; }

void PutLE(std::vector<std::uint8_t>& out, TColor c) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(c >> (8 * k)));
}

TColor GetLE(const std::vector<std::uint8_t>& in, std::size_t at) {
  return static_cast<TColor>(in[at]) | static_cast<TColor>(in[at + 1]) << 8 | static_cast<TColor>(in[at + 2]) << 16 |
         static_cast<TColor>(in[at + 3]) << 24;
}

bool Within(int v, int low, int high) { return v >= low && v <= high; }

}  // namespace

FixCells StandardFixPalette(int type) {
  std::vector<TColor> colors;
  switch (type) {
    case fptGray: colors = GrayscalePalette(); break;
    case fptWindows: colors = WindowsPalette(); break;
    case fptMac: colors = MacPalette(); break;
    default: colors = WebPalette(); break;
  }
  FixCells cells;
  cells.fill(clEmptyColor);
  std::copy_n(colors.begin(), std::min<std::size_t>(colors.size(), kFixCells), cells.begin());
  return cells;
}

FixCells GradientPalette(const std::array<TColor, 4>& slots) {
  FixCells cells;
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) {
      const double w[4] = {
          std::max(0.0, 15 - std::sqrt(double(r * r + c * c))),
          std::max(0.0, 15 - std::sqrt(double(r * r + (c - 15) * (c - 15)))),
          std::max(0.0, 15 - std::sqrt(double((r - 15) * (r - 15) + (c - 15) * (c - 15)))),
          std::max(0.0, 15 - std::sqrt(double((r - 15) * (r - 15) + c * c))),
      };
      const double sum = w[0] + w[1] + w[2] + w[3];
      double ch[3] = {0, 0, 0};
      for (int k = 0; k < 4; ++k) {
        ch[0] += GetR(slots[k]) * w[k];
        ch[1] += GetG(slots[k]) * w[k];
        ch[2] += GetB(slots[k]) * w[k];
      }
      // Every cell lies closer than 15 to some corner, so the sum is never 0.
      cells[static_cast<std::size_t>(r * 16 + c)] =
          MakeColor(RoundChannel(ch[0] / sum), RoundChannel(ch[1] / sum), RoundChannel(ch[2] / sum));
    }
  }
  return cells;
}

TColor ColorBetween(TColor a, TColor b, double f) {
  auto mix = [f](int x, int y) { return RoundChannel(x - (x - y) * f); };
  return MakeColor(mix(GetR(a), GetR(b)), mix(GetG(a), GetG(b)), mix(GetB(a), GetB(b)));
}

int BorderCellSide(int n) { return n <= 16 ? 12 : (n <= 18 ? 10 : 9); }

int BorderCellPosition(int n, int i) {
  const int s = BorderCellSide(n);
  const double step = (s + 226.0) / (n + 1);
  return static_cast<int>(RoundHalfEven(i * step + 15 - s));
}

SampleArea ClipSampleSquare(int x, int y, int size, int screenLeft, int screenTop, int screenRight, int screenBottom) {
  const int left = std::max(x - size / 2, screenLeft);
  const int top = std::max(y - size / 2, screenTop);
  const int right = std::min(x - size / 2 + size, screenRight);
  const int bottom = std::min(y - size / 2 + size, screenBottom);
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

FixCells MostFrequentColors(const std::uint32_t* topDownPixels, int width, int height, int stride) {
  struct Entry {
    TColor color;
    int count;
  };
  std::vector<Entry> found;
  std::unordered_map<TColor, std::size_t> where;
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      const std::uint32_t p = topDownPixels[static_cast<std::size_t>(y) * stride + x];
      const TColor c = MakeColor(p >> 16, p >> 8, p);
      auto [it, added] = where.try_emplace(c, found.size());
      if (added)
        found.push_back({c, 1});
      else
        ++found[it->second].count;
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) { return a.count > b.count; });
  FixCells cells;
  cells.fill(clEmptyColor);
  for (std::size_t i = 0; i < found.size() && i < cells.size(); ++i) cells[i] = found[i].color;
  return cells;
}

// --- the model ---

FixColorModel::FixColorModel() {
  cells.fill(clEmptyColor);
  std::copy(std::begin(kDefaultCorners), std::end(kDefaultCorners), cornerColors.begin());
}

void FixColorModel::SetStandard(int type) {
  paletteType = static_cast<std::uint8_t>(std::clamp(type, 0, 3));
  cells = StandardFixPalette(paletteType);
}

void FixColorModel::SetRandom(std::mt19937& rng) {
  const std::vector<TColor> colors = RandomPalette(rng, kFixCells, 0xFFFFFF);
  std::copy(colors.begin(), colors.end(), cells.begin());
  paletteType = fptCustom;
}

void FixColorModel::SetGradient(const std::array<TColor, 4>& slots) {
  cells = GradientPalette(slots);
  paletteType = fptCustom;
}

void FixColorModel::SetCells(std::span<const TColor> colors) {
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = i < colors.size() ? Stored(colors[i]) : clEmptyColor;
  paletteType = fptCustom;
}

void FixColorModel::SetScreenColors(const FixCells& colors) {
  cells = colors;
  paletteType = fptCustom;
}

void FixColorModel::SlotsToCorners(const std::array<TColor, 4>& slots) {
  for (int k = 0; k < 4; ++k) cornerColors[static_cast<std::size_t>(k)] = slots[static_cast<std::size_t>(3 - k)] & 0xFFFFFF;
  if (gradCount == 0) gradCount = 15;
}

void FixColorModel::SetGradCount(int n) { gradCount = std::clamp(n, 0, kMaxGradCount); }
void FixColorModel::SetScreenBoxSize(int n) { screenBoxSize = std::clamp(n, kMinScreenBox, kMaxScreenBox); }

std::string FixColorModel::GradCountHint() const {
  return gradCount == 0 ? "Sgradient hidden" : "S" + std::to_string(gradCount) + " gradient colors";
}

std::string FixColorModel::CursorSizeHint() const { return "Scursor size " + std::to_string(screenBoxSize) + " px"; }

// --- the picture ---

void FixColorModel::Draw(WorkPicture& work, TColor current) const {
  work.ClearBuffer();
  if (!BorderShown()) {
    for (int i = 0; i < kFixCells; ++i) {
      const int r = i / 16, c = i % 16;
      work.DrawCell(kPlainPitch * c + 1, kPlainPitch * (15 - r), true, kPlainSide, Stored(cells[i]), current);
    }
    return;
  }
  for (int v = kFrameLow; v <= kFrameHigh; ++v) {
    work.PutPixel(kFrameLow, v, clFrame);
    work.PutPixel(kFrameHigh, v, clFrame);
    work.PutPixel(v, kFrameLow, clFrame);
    work.PutPixel(v, kFrameHigh, clFrame);
  }
  for (int i = 0; i < kFixCells; ++i) {
    const int r = i / 16, c = i % 16;
    work.DrawCell(kBorderedPitch * c + kBorderedOrigin, kBorderedPitch * (15 - r) + kBorderedOrigin, true,
                  kBorderedSide, Stored(cells[i]), current);
  }
  for (int k = 0; k < 4; ++k) work.DrawCell(kCornerX[k], kCornerY[k], true, kCornerSide, cornerColors[k], current);
  DrawBorder(work, current);
}

void FixColorModel::DrawBorder(WorkPicture& work, TColor current) const {
  const int n = gradCount, s = BorderCellSide(n);
  const auto& k = cornerColors;
  for (int i = 1; i <= n; ++i) {
    const int p = BorderCellPosition(n, i);
    const double f = double(i) / (n + 1);
    work.DrawCell(3, p, true, s, ColorBetween(k[0], k[3], f), current);
    work.DrawCell(p, 3, true, s, ColorBetween(k[0], k[1], f), current);
    work.DrawCell(p, 253 - s, true, s, ColorBetween(k[3], k[2], f), current);
    work.DrawCell(253 - s, p, true, s, ColorBetween(k[1], k[2], f), current);
  }
}

std::optional<int> FixColorModel::HitAt(int x, int y) const {
  if (!BorderShown()) {
    if (!Within(x, 1, 255) || !Within(y, 1, 255)) return std::nullopt;
    const int xp = x - 1, yp = y - 1;
    if (xp % 16 >= 15 || yp % 16 >= 15) return std::nullopt;
    return (yp / 16) * 16 + xp / 16;
  }
  if (Within(x, 25, 231) && Within(y, 24, 230)) {
    if ((x - 25) % 13 < 12 && (y - 24) % 13 < 12) return ((y - 24) / 13) * 16 + (x - 25) / 13;
    return std::nullopt;
  }
  const bool nearX = Within(x, 3, 15), farX = Within(x, 241, 253);
  const bool nearY = Within(y, 3, 15), farY = Within(y, 241, 253);
  if (nearX && nearY) return kHitTopLeft;
  if (farX && nearY) return kHitTopRight;
  if (farX && farY) return kHitBottomRight;
  if (nearX && farY) return kHitBottomLeft;
  return std::nullopt;
}

TColor FixColorModel::ColorOfHit(int index) const {
  if (index >= 0 && index < kFixCells) return Stored(cells[static_cast<std::size_t>(index)]);
  if (IsCornerHit(index)) return cornerColors[static_cast<std::size_t>(CornerOfHit(index))];
  return clEmptyColor;
}

void FixColorModel::SetColorOfHit(int index, TColor c) {
  if (index >= 0 && index < kFixCells) cells[static_cast<std::size_t>(index)] = Stored(c);
  // A corner always holds a colour: the border is drawn between them.
  if (IsCornerHit(index) && !IsEmptyColor(c) && c != clTransparentColor)
    cornerColors[static_cast<std::size_t>(CornerOfHit(index))] = c & 0xFFFFFF;
}

TColor FixColorModel::ColorAt(int x, int y) const {
  if (auto hit = HitAt(x, y)) return ColorOfHit(*hit);
  if (!BorderShown()) return clEmptyColor;
  // The border cells, where they are drawn (buffer rows count from the bottom).
  const int n = gradCount, s = BorderCellSide(n), by = 255 - y;
  const auto& k = cornerColors;
  for (int i = 1; i <= n; ++i) {
    const int p = BorderCellPosition(n, i);
    const double f = double(i) / (n + 1);
    auto in = [&](int cx, int cy) { return Within(x, cx, cx + s) && Within(by, cy, cy + s); };
    if (in(3, p)) return ColorBetween(k[0], k[3], f);
    if (in(p, 3)) return ColorBetween(k[0], k[1], f);
    if (in(p, 253 - s)) return ColorBetween(k[3], k[2], f);
    if (in(253 - s, p)) return ColorBetween(k[1], k[2], f);
  }
  return clEmptyColor;
}

// --- the cell menu ---

FixMenuState FixColorModel::MenuState(std::optional<int> hit, TColor colorAtPoint, bool clipboardHasColor) const {
  FixMenuState s;
  s.copy = !IsEmptyColor(colorAtPoint) && colorAtPoint != clTransparentColor;
  s.paste = hit.has_value() && clipboardHasColor;
  s.clear = hit.has_value() && *hit >= 0 && !IsEmptyColor(cells[static_cast<std::size_t>(*hit)]);
  return s;
}

bool FixColorModel::Paste(int index, TColor c) {
  if (!(index >= 0 && index < kFixCells) && !IsCornerHit(index)) return false;
  SetColorOfHit(index, c);
  paletteType = fptCustom;
  return true;
}

bool FixColorModel::Clear(int index) {
  if (index < 0 || index >= kFixCells || IsEmptyColor(cells[static_cast<std::size_t>(index)])) return false;
  cells[static_cast<std::size_t>(index)] = clEmptyColor;
  paletteType = fptCustom;
  return true;
}

void FixColorModel::EraseNotUnique() {
  std::unordered_map<TColor, bool> seen;
  bool erased = false;
  for (TColor& c : cells) {
    if (IsEmptyColor(c)) continue;
    if (!seen.emplace(c, true).second) {
      c = clEmptyColor;
      erased = true;
    }
  }
  // The standard palettes come back whole from the settings: an edited one is custom.
  if (erased) paletteType = fptCustom;
}

// --- painting by drag ---

bool FixColorModel::RestorePending() {
  if (paintSaved == -1) return false;
  const TColor saved = static_cast<TColor>(paintSaved);
  if (paintIndex >= 0 && paintIndex < kFixCells)
    cells[static_cast<std::size_t>(paintIndex)] = saved;
  else if (IsCornerHit(paintIndex))
    cornerColors[static_cast<std::size_t>(CornerOfHit(paintIndex))] = saved;
  paintSaved = -1;
  return true;
}

bool FixColorModel::PaintDragOver(int x, int y, bool insideImage, TColor color) {
  std::optional<int> hit = insideImage ? HitAt(x, y) : std::nullopt;
  // A corner cannot be emptied: the transparent colour paints grid cells only.
  if (hit && IsCornerHit(*hit) && (IsEmptyColor(color) || color == clTransparentColor)) hit.reset();
  if (hit) {
    if (*hit == paintIndex && paintSaved != -1) return false;
    RestorePending();
    paintIndex = *hit;
    paintSaved = *hit >= 0 ? cells[static_cast<std::size_t>(*hit)] : cornerColors[static_cast<std::size_t>(CornerOfHit(*hit))];
    SetColorOfHit(*hit, color);
    return true;
  }
  const bool changed = RestorePending();
  paintIndex = -1;
  return changed;
}

void FixColorModel::CommitPaint() {
  if (paintSaved != -1 && paintIndex >= 0) paletteType = fptCustom;
  paintSaved = -1;
  paintIndex = -1;
}

// --- settings ---

void FixColorModel::Load(const SettingsStore& store) {
  const int type = std::clamp(store.ReadInteger("FX_paletteType").value_or(fptWeb), 0, int(fptCustom));
  SetGradCount(store.ReadInteger("FX_gradCount").value_or(kDefaultGradCount));
  SetScreenBoxSize(store.ReadInteger("FX_cursorSize").value_or(kDefaultScreenBox));
  if (auto corners = store.ReadBinary("FX_sideColors"); corners && corners->size() == 16) {
    for (std::size_t k = 0; k < 4; ++k) cornerColors[k] = GetLE(*corners, 4 * k) & 0xFFFFFF;
  }
  if (type == fptCustom) {
    // A custom palette without its whole cells would come back as garbage: the Web palette stands in.
    auto custom = store.ReadBinary("FX_customColors");
    if (custom && custom->size() == 4 * kFixCells) {
      for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = Stored(GetLE(*custom, 4 * i));
      paletteType = fptCustom;
      return;
    }
    SetStandard(fptWeb);
    return;
  }
  SetStandard(type);
}

void FixColorModel::Save(SettingsStore& store) const {
  store.WriteInteger("FX_paletteType", paletteType);
  store.WriteInteger("FX_gradCount", gradCount);
  store.WriteInteger("FX_cursorSize", screenBoxSize);
  std::vector<std::uint8_t> corners;
  for (TColor c : cornerColors) PutLE(corners, c);
  store.WriteBinary("FX_sideColors", corners);
  if (paletteType == fptCustom) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(4 * kFixCells);
    for (TColor c : cells) PutLE(bytes, c);
    store.WriteBinary("FX_customColors", bytes);
  } else {
    store.DeleteValue("FX_customColors");
  }
}

}  // namespace kolo
