#include "widgets/gif_encode.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace kolo {

namespace {

constexpr int kGridSide = 32;                 // the mapping grid: top 5 bits of each channel
constexpr int kGridCells = kGridSide * kGridSide * kGridSide;
constexpr std::size_t kMaxCountedColors = 50000;  // the last resort of the palette reduction

int GridCell(std::uint32_t rgb) {
  return static_cast<int>(((rgb >> 19) & 31) << 10 | ((rgb >> 11) & 31) << 5 | ((rgb >> 3) & 31));
}

int Distance(std::uint32_t a, const GifRgb& b) {
  return std::abs(static_cast<int>((a >> 16) & 0xFF) - b.r) + std::abs(static_cast<int>((a >> 8) & 0xFF) - b.g) +
         std::abs(static_cast<int>(a & 0xFF) - b.b);
}

// Nearest to even, as the program rounds everywhere.
std::uint8_t RoundedMean(std::uint64_t sum, std::uint64_t n) {
  std::uint64_t q = sum / n;
  const std::uint64_t twice = 2 * (sum % n);
  if (twice > n || (twice == n && (q & 1))) ++q;
  return static_cast<std::uint8_t>(std::min<std::uint64_t>(q, 255));
}

// Up to `limit` distinct colours with the place each first appears when the
// picture is read column by column from the left, every column bottom-up; nothing
// when there are more. Reading row by row and keeping the smallest place gives
// the same answer without striding through memory.
std::optional<std::vector<GifRgb>> DistinctColors(const GifPixels& px, std::optional<std::uint32_t> skip,
                                                  std::size_t limit) {
  struct Slot {
    std::uint32_t rgb = 0;
    std::uint64_t first = 0;
    bool used = false;
  };
  constexpr std::size_t kSlots = 1024;  // more than twice the largest limit (256)
  std::array<Slot, kSlots> table{};
  std::size_t count = 0;
  const std::uint64_t h = static_cast<std::uint64_t>(px.height);
  for (int y = 0; y < px.height; ++y) {
    std::uint32_t last = 0xFFFFFFFF;
    Slot* lastSlot = nullptr;
    for (int x = 0; x < px.width; ++x) {
      const std::uint32_t rgb = px.At(x, y);
      if (skip && rgb == *skip) continue;
      const std::uint64_t place = static_cast<std::uint64_t>(x) * h + (h - 1 - static_cast<std::uint64_t>(y));
      if (rgb == last) {
        lastSlot->first = std::min(lastSlot->first, place);
        continue;
      }
      std::size_t i = (rgb * 2654435761u) >> 22 & (kSlots - 1);
      while (table[i].used && table[i].rgb != rgb) i = (i + 1) & (kSlots - 1);
      Slot& s = table[i];
      if (!s.used) {
        if (++count > limit) return std::nullopt;
        s = {rgb, place, true};
      } else {
        s.first = std::min(s.first, place);
      }
      last = rgb;
      lastSlot = &s;
    }
  }
  std::vector<const Slot*> found;
  for (const Slot& s : table)
    if (s.used) found.push_back(&s);
  std::sort(found.begin(), found.end(), [](const Slot* a, const Slot* b) { return a->first < b->first; });
  std::vector<GifRgb> colors;
  colors.reserve(found.size());
  for (const Slot* s : found) colors.push_back(GifRgbOf(s->rgb));
  return colors;
}

struct Counted {
  GifRgb color;
  std::uint64_t count;
};

// Most frequent first; equal counts keep their order.
std::vector<GifRgb> MostFrequent(std::vector<Counted> entries, std::size_t limit) {
  std::stable_sort(entries.begin(), entries.end(), [](const Counted& a, const Counted& b) { return a.count > b.count; });
  std::vector<GifRgb> colors;
  for (std::size_t i = 0; i < entries.size() && i < limit; ++i) colors.push_back(entries[i].color);
  return colors;
}

// Pixels summed per grid cell of side d; the occupied cells' mean colours in cell order.
std::vector<Counted> CellMeans(const GifPixels& px, std::optional<std::uint32_t> skip, int d) {
  struct Cell {
    std::uint64_t n = 0, r = 0, g = 0, b = 0;
  };
  std::vector<Cell> cells(kGridCells);
  for (int y = 0; y < px.height; ++y) {
    for (int x = 0; x < px.width; ++x) {
      const std::uint32_t rgb = px.At(x, y);
      if (skip && rgb == *skip) continue;
      const unsigned r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
      Cell& c = cells[(r / d) * 1024 + (g / d) * 32 + b / d];
      ++c.n;
      c.r += r;
      c.g += g;
      c.b += b;
    }
  }
  std::vector<Counted> out;
  for (const Cell& c : cells)
    if (c.n) out.push_back({{RoundedMean(c.r, c.n), RoundedMean(c.g, c.n), RoundedMean(c.b, c.n)}, c.n});
  return out;
}

// The colours with their counts, in colour order, until more than kMaxCountedColors
// turn up (read column by column, bottom-up, as the palette rules have it).
std::vector<Counted> CountedColors(const GifPixels& px, std::optional<std::uint32_t> skip) {
  std::unordered_map<std::uint32_t, std::uint64_t> counts;
  counts.reserve(kMaxCountedColors * 2);
  for (int x = 0; x < px.width; ++x) {
    for (int y = px.height - 1; y >= 0; --y) {
      const std::uint32_t rgb = px.At(x, y);
      if (skip && rgb == *skip) continue;
      auto it = counts.find(rgb);
      if (it != counts.end()) {
        ++it->second;
        continue;
      }
      if (counts.size() >= kMaxCountedColors) goto done;
      counts.emplace(rgb, 1);
    }
  }
done:
  std::vector<Counted> out;
  out.reserve(counts.size());
  for (const auto& [rgb, n] : counts) out.push_back({GifRgbOf(rgb), n});
  std::sort(out.begin(), out.end(), [](const Counted& a, const Counted& b) { return RgbOf(a.color) < RgbOf(b.color); });
  return out;
}

std::vector<GifRgb> ReducedColors(const GifPixels& px, std::optional<std::uint32_t> skip, std::size_t limit) {
  for (int d : {16, 8}) {
    std::vector<Counted> cells = CellMeans(px, skip, d);
    if (cells.size() >= limit) return MostFrequent(std::move(cells), limit);
  }
  return MostFrequent(CountedColors(px, skip), limit);
}

int WriteToVector(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + length);
  return length;
}

struct MapDeleter {
  void operator()(ColorMapObject* m) const { GifFreeMapObject(m); }
};

}  // namespace

GifPalette AdaptivePalette(const GifPixels& pixels, int bits, std::optional<std::uint32_t> transparent) {
  GifPalette palette;
  if (transparent) *transparent &= 0xFFFFFF;
  const int limit = (1 << std::clamp(bits, 1, 8)) - (transparent ? 1 : 0);
  if (pixels.data && pixels.width > 0 && pixels.height > 0 && limit > 0) {
    const auto n = static_cast<std::size_t>(limit);
    if (auto exact = DistinctColors(pixels, transparent, n))
      palette.colors = std::move(*exact);
    else
      palette.colors = ReducedColors(pixels, transparent, n);
  }
  if (transparent) {
    palette.transparentIndex = static_cast<int>(palette.colors.size());
    palette.colors.push_back(GifRgbOf(*transparent));
  }
  return palette;
}

std::vector<std::uint8_t> MapToPalette(const GifPixels& px, const GifPalette& palette, bool exactTransparent) {
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(std::max(0, px.width)) *
                                    static_cast<std::size_t>(std::max(0, px.height)));
  const int n = static_cast<int>(std::min<std::size_t>(palette.colors.size(), 256));
  const int reserved = exactTransparent && palette.transparentIndex >= 0 && palette.transparentIndex < n
                           ? palette.transparentIndex
                           : -1;
  std::vector<int> candidates;
  for (int i = 0; i < n; ++i)
    if (i != reserved) candidates.push_back(i);
  if (candidates.empty() || !px.data) {
    std::fill(indices.begin(), indices.end(), static_cast<std::uint8_t>(std::max(reserved, 0)));
    return indices;
  }

  // Each cell: the one entry in it (or the one remembered for an empty cell),
  // kUnresolved for an empty cell not met yet, kSeveral when several share it.
  constexpr int kUnresolved = -1, kSeveral = -2;
  std::vector<std::int16_t> resolved(kGridCells, kUnresolved);
  std::vector<std::vector<std::uint8_t>> shared;  // the entries of the crowded cells
  std::vector<std::int32_t> sharedOf(kGridCells, -1);
  for (int i : candidates) {
    const int cell = GridCell(RgbOf(palette.colors[static_cast<std::size_t>(i)]));
    if (resolved[cell] == kUnresolved) {
      resolved[cell] = static_cast<std::int16_t>(i);
      continue;
    }
    if (resolved[cell] >= 0) {
      sharedOf[cell] = static_cast<std::int32_t>(shared.size());
      shared.push_back({static_cast<std::uint8_t>(resolved[cell])});
      resolved[cell] = kSeveral;
    }
    shared[static_cast<std::size_t>(sharedOf[cell])].push_back(static_cast<std::uint8_t>(i));
  }
  auto nearest = [&](std::uint32_t rgb, const auto& among) {
    int best = among[0], bestDistance = 1 << 30;
    for (int i : among) {
      const int d = Distance(rgb, palette.colors[static_cast<std::size_t>(i)]);
      if (d < bestDistance) {  // on a tie the first entry stays
        best = i;
        bestDistance = d;
      }
    }
    return best;
  };
  const std::uint32_t transparentRgb = reserved >= 0 ? RgbOf(palette.colors[static_cast<std::size_t>(reserved)]) : 0;

  for (int y = 0; y < px.height; ++y) {
    std::uint8_t* out = indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(px.width);
    std::uint32_t last = 0xFFFFFFFF;
    std::uint8_t lastIndex = 0;
    for (int x = 0; x < px.width; ++x) {
      const std::uint32_t rgb = px.At(x, y);
      if (rgb != last) {
        last = rgb;
        if (reserved >= 0 && rgb == transparentRgb) {
          lastIndex = static_cast<std::uint8_t>(reserved);
        } else {
          const int cell = GridCell(rgb);
          int index = resolved[cell];
          if (index == kSeveral) {
            index = nearest(rgb, shared[static_cast<std::size_t>(sharedOf[cell])]);
          } else if (index == kUnresolved) {
            index = nearest((rgb & 0xF8F8F8) + 0x040404, candidates);
            resolved[cell] = static_cast<std::int16_t>(index);
          }
          lastIndex = static_cast<std::uint8_t>(index);
        }
      }
      out[x] = lastIndex;
    }
  }
  return indices;
}

std::optional<std::vector<std::uint8_t>> EncodeGif(int width, int height, std::span<const std::uint8_t> indices,
                                                   const GifPalette& palette) {
  const std::size_t n = palette.colors.size();
  if (width < 1 || height < 1 || width > 65535 || height > 65535 || n < 1 || n > 256) return std::nullopt;
  if (indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return std::nullopt;
  if (palette.transparentIndex >= static_cast<int>(n)) return std::nullopt;
  for (std::uint8_t i : indices)
    if (i >= n) return std::nullopt;

  int bits = 1;
  while ((std::size_t{1} << bits) < n) ++bits;
  std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(1 << bits, nullptr));
  if (!map) return std::nullopt;
  for (int i = 0; i < (1 << bits); ++i) {
    const GifRgb c = i < static_cast<int>(n) ? palette.colors[static_cast<std::size_t>(i)] : GifRgb{};
    map->Colors[i] = {c.r, c.g, c.b};
  }

  std::vector<std::uint8_t> out;
  out.reserve(indices.size() / 4 + 1024);
  int error = 0;
  GifFileType* gif = EGifOpen(&out, &WriteToVector, &error);
  if (!gif) return std::nullopt;
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, width, height, bits, 0, map.get()) == GIF_OK;
  if (ok && palette.transparentIndex >= 0) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.DelayTime = 0;
    gcb.TransparentColor = palette.transparentIndex;
    GifByteType ext[4];
    const std::size_t len = EGifGCBToExtension(&gcb, ext);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  // giflib masks the line it is given in place, so each row goes through a copy.
  std::vector<GifPixelType> row(static_cast<std::size_t>(width));
  for (int y = 0; ok && y < height; ++y) {
    std::copy_n(indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width), width, row.data());
    ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
  }
  if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
  if (!ok) return std::nullopt;
  return out;
}

std::optional<std::vector<std::uint8_t>> WriteGif(const GifPixels& pixels, const GifPalette& palette,
                                                  bool exactTransparent) {
  if (!pixels.data || pixels.width < 1 || pixels.height < 1) return std::nullopt;
  const std::vector<std::uint8_t> indices = MapToPalette(pixels, palette, exactTransparent);
  return EncodeGif(pixels.width, pixels.height, indices, palette);
}

}  // namespace kolo
