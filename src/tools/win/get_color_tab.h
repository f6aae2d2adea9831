// Tab 4: colours from the screen through the magnifier. A pick captures the
// 32x32 screen square around the cursor on every mouse move and shows the
// middle of it as a grid of cells in the main image; afterwards the capture
// stays, and its cells are colours to click, drag, pan, zoom, copy or paint.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "frame/win/base_tab.h"
#include "platform/win/handles.h"
#include "tools/get_color_model.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"
#include "widgets/win/widget.h"

namespace kolo::win {

// The pick cursor for a region side (its previous copy is the caller's to destroy).
HCURSOR BuildPickCursor(int countBox);

class TGetColorTab : public TBaseTab {
 public:
  static constexpr const char* kDrawHint = "Dpress shift for draw";

  explicit TGetColorTab(TMainFrame& main);
  ~TGetColorTab() override;

  void Activate() override;
  void Repaint(bool quick) override;
  TColor ColorAt(int x, int y) override;
  void DragOver(HWND sender, HWND source, int x, int y, int state) override;
  void EndDrag(HWND sender, HWND source, int x, int y, int state) override;
  void CopyImage() override;
  void LoadSettings(SettingsStore& store) override;
  void SaveSettings(SettingsStore& store) override;

  // Handlers of the tab's controls (the main window's buttons reach them too).
  void btnGetColorClick();
  void btnZoomInClick();
  void btnZoomOutClick();
  void cursorSizeChange();
  void smallPreviewMouseDown(MouseButton button, unsigned shift, int x, int y);
  void smallPreviewMouseMove(unsigned shift, int x, int y);
  void smallPreviewMouseUp(MouseButton button, unsigned shift, int x, int y);

  // Hook event heMouseMove while picking: capture around the cursor unless it
  // is where the last capture was taken.
  void CaptureAtCursor();
  // Captures the 32x32 square whose pixel 16, 16 is the screen point (x, y).
  void CaptureAround(int x, int y);

  GetColorModel& Model() { return model_; }
  const std::uint8_t* PreviewPixels() const { return previewPixels_.data(); }
  void UpdateHints();

  int lastCursorX = -1, lastCursorY = -1;

  // Pictures of the controls below; declared first so they outlive them.
  // The main window's picture lists, shared rather than loaded again.
  TVMGIFImageList& mainImages;
  TVMGIFImageList& scrollImages;
  // Its controls, on the main window's getColorTab page above smallPreview.
  TVMPictureButton btnGetColor, btnZoomIn, btnZoomOut, btnCopyImage;
  TVMScrollImage cursorSize;

 private:
  // The page's controls are made the first time the tab shows: most sessions
  // start on another tab and many never come here.
  void CreateControls();
  bool controlsCreated_ = false;
  TColor DraggedColor() const;

  GetColorModel model_;
  std::array<std::uint8_t, kPreviewBytes> previewPixels_{};
  // 32x32 top-down 32-bit section the screen is copied into.
  MemoryDc captureDc_;
  Bitmap captureBitmap;
  HGDIOBJ captureOld_ = nullptr;
  std::uint32_t* captureBits_ = nullptr;
};

}  // namespace kolo::win
