// The magnifier of the screen colour picker without its windows: the 32x32
// capture, the region of it that is shown, the grid in the main image, the
// small preview, panning, painting by drag and the stored settings.
//
// Coordinates: the capture has row 0 at the top. The main image and the
// preview are drawn into bottom-up buffers, so their (x, y) below count y from
// the bottom, except for mouse points, which count from the top as the
// controls report them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frame/cursor_shapes.h"
#include "frame/settings_store.h"
#include "frame/work_picture.h"
#include "color/color.h"

namespace kolo {

inline constexpr int kCaptureSide = 32;
inline constexpr int kCaptureBytes = kCaptureSide * kCaptureSide * 3;  // 3,072
inline constexpr int kPreviewSide = 76;
inline constexpr int kPreviewStride = kPreviewSide * 3;                // 228, already 4-aligned
inline constexpr int kPreviewBytes = kPreviewStride * kPreviewSide;    // 17,328
inline constexpr int kMinCountBox = 2;
inline constexpr int kMaxCountBox = 32;
inline constexpr int kDefaultCountBox = 16;

// Cell pitch and margin of the main-image grid for a region side.
struct GridGeometry {
  int cell;
  int off;
};
GridGeometry GridFor(int countBox);

// Top-left corner that puts the cursor pixel (index 16) in the middle of the region.
constexpr int CentredCorner(int countBox) { return (kCaptureSide - countBox + 1) / 2; }

// The pick cursor for a region side: corner brackets around the captured area.
CursorShape PickCursorShape(int countBox);

// A pixel of the capture, column x and row y (0 at the top).
struct CapturePixel {
  int x;
  int y;
  bool operator==(const CapturePixel&) const = default;
};

class GetColorModel {
 public:
  GetColorModel();

  // --- the capture ---
  TColor Pixel(int x, int y) const { return capture_[Index(x, y)]; }
  void SetPixel(int x, int y, TColor c) { capture_[Index(x, y)] = c & 0xFFFFFF; }
  void FillCapture(TColor c);
  // 32 rows of 32 pixels, top row first, each 0x00RRGGBB as a 32-bit DIB holds them.
  void SetCaptureFromBgra(const std::uint32_t* topDownPixels);
  // The stored form: rows bottom first, three bytes a pixel, blue-green-red.
  std::vector<std::uint8_t> CaptureBytes() const;
  bool SetCaptureBytes(const std::vector<std::uint8_t>& bytes);  // false (unchanged) unless 3,072 bytes

  // --- region and zoom ---
  int countBox = kDefaultCountBox;
  int scaleKoef = 1;
  int prevLeft = CentredCorner(kDefaultCountBox);
  int prevTop = CentredCorner(kDefaultCountBox);

  void CentreRegion();
  // The slider moved to n: the region keeps its middle as well as integer steps allow.
  void ChangeCountBox(int n);
  bool CanZoomIn() const { return (scaleKoef + 1) * countBox <= kPreviewSide; }
  bool CanZoomOut() const { return scaleKoef > 1; }
  bool ZoomIn();
  bool ZoomOut();
  std::string CursorSizeHint() const;
  std::string ZoomInHint() const;
  std::string ZoomOutHint() const;

  // --- main image ---
  GridGeometry Grid() const { return GridFor(countBox); }
  // The capture pixel under a main-image point (y from the top), if it is inside a cell.
  std::optional<CapturePixel> HitCell(int x, int y) const;
  TColor ColorAt(int x, int y) const;
  void DrawGrid(WorkPicture& work) const;

  // --- small preview ---
  int PreviewOffset() const { return (kPreviewSide - countBox * scaleKoef) / 2; }
  void DrawPreview(std::uint8_t* pixels) const;  // kPreviewBytes, bottom row first
  // Whether a press at (x, y) of the preview may start a pan.
  bool CanPanAt(int x, int y) const;
  bool BeginPan(int x, int y);
  bool PanTo(int x, int y);  // true when the region moved
  void EndPan() { panning = false; }
  bool panning = false;
  int panAnchorX = 0, panAnchorY = 0;

  // --- painting single pixels by dropping colours ---
  // One drag-over event; true when the capture changed and needs repainting.
  bool PaintDragOver(int x, int y, bool insideImage, bool shift, TColor color);
  void CommitPaint() { paintSavedColor = -1; }
  int paintCellX = 0, paintCellY = 0;
  long long paintSavedColor = -1;  // a TColor, or -1 for no pending preview

  // The shown region, top row first, for copying it out as a picture.
  std::vector<TColor> Region() const;

  // --- settings ("GETC_") ---
  void Load(const SettingsStore& store);
  void Save(SettingsStore& store) const;

 private:
  static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y) * kCaptureSide + x; }
  void ClampRegion();
  bool RestorePending();
  std::array<TColor, kCaptureSide * kCaptureSide> capture_{};
};

}  // namespace kolo
