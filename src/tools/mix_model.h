// The mixing tab without windows: seven colouring pictures whose areas take
// dropped colours, alone or mixed with the colour already there. A picture is
// drawn with a 64-entry colour table and its state is that table:
//   0..5   swatches that can be picked      6 background, 7 outlines
//   8, 9   the eraser                       10..36 the 27 areas
//   37..63 each area's companion (area + 27), hatched with it
// An empty area holds kMixEmpty with a sky-blue companion; a filled area has
// its colour in both.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "color/color.h"
#include "frame/settings_store.h"

namespace kolo {

inline constexpr int kMixPictureCount = 7;
inline constexpr int kMixAreaCount = 27;
inline constexpr int kMixFirstArea = 10;
inline constexpr int kMixFirstCompanion = kMixFirstArea + kMixAreaCount;  // 37
inline constexpr int kMixTableSize = kMixFirstCompanion + kMixAreaCount;  // 64
inline constexpr int kMixSize = 256;
inline constexpr TColor kMixEmpty = 0xFFFFFE;  // red 254, green 255, blue 255

enum MixType { mtAverage = 0, mtAnd, mtOr, mtXor, mtReplace, kMixTypeCount };

// What dropping `dropped` on an area holding `held` gives.
TColor MixColors(int type, TColor held, TColor dropped);
const char* MixTypeHint(int type);
const char* MixPictureHint(int picture);

using MixTable = std::array<TColor, kMixTableSize>;
// A picture's table as it is drawn: the fixed entries and every area empty.
MixTable InitialMixTable();

class MixModel {
 public:
  MixModel();

  int mixType = mtAverage;  // 0..4
  int imageId = 0;          // 0..6
  std::array<MixTable, kMixPictureCount> tables;
  // The area previewing a dragged colour and what it held; previewSaved -1: none.
  int previewArea = 0;
  long long previewSaved = -1;
  TColor previewSavedCompanion = 0;

  // The pixels of picture `picture`: palette indexes, rows top-down.
  void SetPixels(int picture, std::vector<std::uint8_t> indices, int width, int height);
  // The palette index at a point of the shown picture, or -1 outside it.
  int IndexAt(int x, int y) const;

  MixTable& Shown() { return tables[static_cast<std::size_t>(imageId)]; }
  const MixTable& Shown() const { return tables[static_cast<std::size_t>(imageId)]; }

  // The colour to pick at a point: a swatch, a filled area, the eraser
  // (clTransparentColor), or clEmptyColor.
  TColor ColorAt(int x, int y) const;
  // A drag of `dragged` over a point (`leaving`: it left the picture). True
  // when the shown picture's colours changed and it must be drawn again.
  bool DragOver(int x, int y, bool leaving, TColor dragged);
  // The drop keeps the preview as the area's colour.
  void EndDrag() { previewSaved = -1; }
  // Empties every area of the shown picture.
  void ClearAll();
  bool IsEmptyArea(int area) const;  // area 0..26 of the shown picture

  // "MX_" settings.
  void Load(const SettingsStore& store);
  void Save(SettingsStore& store) const;

 private:
  void Restore();
  struct Pixels {
    std::vector<std::uint8_t> indices;
    int width = 0, height = 0;
  };
  std::array<Pixels, kMixPictureCount> pixels_;
};

}  // namespace kolo
