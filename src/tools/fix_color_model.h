// The fixed-palette tab without its windows: the 256 cells, the standard,
// random, gradient and screen palettes, the gradient border around the grid,
// hit testing, the cell menu's edits, painting by drag and the stored settings.
//
// Coordinates: mouse points count y from the top of the main image; drawing
// goes into the bottom-up work picture (y from the bottom).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "color/color.h"
#include "frame/settings_store.h"
#include "frame/work_picture.h"

namespace kolo {

inline constexpr int kFixCells = 256;
using FixCells = std::array<TColor, kFixCells>;

// Palette types of the tab (the order of its four standard buttons).
enum FixPaletteType : std::uint8_t { fptWeb = 0, fptGray = 1, fptWindows = 2, fptMac = 3, fptCustom = 4 };

inline constexpr int kMaxGradCount = 20;
inline constexpr int kDefaultGradCount = 20;
inline constexpr int kMinScreenBox = 2;
inline constexpr int kMaxScreenBox = 100;
inline constexpr int kDefaultScreenBox = 32;

// Hit indices of the four corners (corner k is bottom-left 0, bottom-right 1,
// top-right 2, top-left 3).
inline constexpr int kHitTopLeft = -2, kHitTopRight = -3, kHitBottomRight = -4, kHitBottomLeft = -5;
constexpr bool IsCornerHit(int index) { return index <= kHitTopLeft && index >= kHitBottomLeft; }
constexpr int CornerOfHit(int index) { return index + 5; }

// A standard palette in 256 cells (Web leaves 216..255 empty).
FixCells StandardFixPalette(int type);
// Each cell a weighted mean of the four slots by distance from the grid's
// corners: slot 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left.
FixCells GradientPalette(const std::array<TColor, 4>& slots);
// Per channel round(a - (a - b)·f).
TColor ColorBetween(TColor a, TColor b, double f);

// The gradient border for n cells a side: their side and where cell i (1..n) sits.
int BorderCellSide(int n);
int BorderCellPosition(int n, int i);

// A screen square around (x, y), clipped to the screen [left, right) x [top, bottom).
struct SampleArea {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const SampleArea&, const SampleArea&) = default;
};
SampleArea ClipSampleSquare(int x, int y, int size, int screenLeft, int screenTop, int screenRight, int screenBottom);

// The most frequent colours of a picture (top-down rows of 0x00RRGGBB words as
// a 32-bit DIB holds them), counted column by column, top to bottom; ties keep
// that order. The first 256 fill the cells, the rest stay empty.
FixCells MostFrequentColors(const std::uint32_t* topDownPixels, int width, int height, int stride);

// What the cell menu offers for the point it opened on.
struct FixMenuState {
  bool copy = false, paste = false, clear = false;
};

class FixColorModel {
 public:
  FixColorModel();

  std::uint8_t paletteType = fptWeb;
  int gradCount = kDefaultGradCount;
  int screenBoxSize = kDefaultScreenBox;
  FixCells cells;
  // Corner 0 bottom-left, 1 bottom-right, 2 top-right, 3 top-left.
  std::array<TColor, 4> cornerColors;

  void SetStandard(int type);
  void SetRandom(std::mt19937& rng);
  void SetGradient(const std::array<TColor, 4>& slots);
  // Any number of colours; cells past them become empty.
  void SetCells(std::span<const TColor> colors);
  void SetScreenColors(const FixCells& colors);
  // Corners 0..3 := slots 3..0; a hidden border comes back with 15 cells.
  void SlotsToCorners(const std::array<TColor, 4>& slots);
  void SetGradCount(int n);
  void SetScreenBoxSize(int n);

  std::string GradCountHint() const;
  std::string CursorSizeHint() const;
  bool BorderShown() const { return gradCount > 0; }

  // --- the picture ---
  void Draw(WorkPicture& work, TColor current) const;
  // The colour at a mouse point: a grid cell, a corner or a border cell; else clEmptyColor.
  TColor ColorAt(int x, int y) const;
  // A grid cell (0..255) or a corner (-2..-5) under a mouse point.
  std::optional<int> HitAt(int x, int y) const;
  TColor ColorOfHit(int index) const;
  void SetColorOfHit(int index, TColor c);

  // --- the cell menu ---
  FixMenuState MenuState(std::optional<int> hit, TColor colorAtPoint, bool clipboardHasColor) const;
  bool Paste(int index, TColor c);
  bool Clear(int index);
  // Every cell whose colour an earlier cell already holds becomes empty.
  void EraseNotUnique();

  // --- painting by drag ---
  // One drag-over event; true when a cell or corner changed.
  bool PaintDragOver(int x, int y, bool insideImage, TColor color);
  // The drop keeps the preview; a grid cell makes the palette custom.
  void CommitPaint();
  int paintIndex = -1;
  long long paintSaved = -1;  // the previewed place's own colour, or -1 for none

  // --- settings ("FX_") ---
  void Load(const SettingsStore& store);
  void Save(SettingsStore& store) const;

 private:
  void DrawBorder(WorkPicture& work, TColor current) const;
  bool RestorePending();
};

}  // namespace kolo
