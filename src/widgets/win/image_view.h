// A picture control with a persistent canvas (what a form's image component is):
// the owner draws into Canvas(), the control paints it. Mouse input is handed
// to the owner's callbacks in the control's own coordinates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/input.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace kolo::win {

class ImageView : public Window {
 public:
  using MouseHandler = std::function<void(MouseButton, unsigned shift, int x, int y)>;
  using MoveHandler = std::function<void(unsigned shift, int x, int y)>;

  bool Create(HWND parent, int x, int y, int width, int height, int id = 0);

  // Resizes the canvas (contents become sky blue).
  void SetCanvasSize(int width, int height);
  HDC Canvas() const { return dc_; }
  int CanvasWidth() const { return width_; }
  int CanvasHeight() const { return height_; }
  // Top-down 32-bit pixels of the canvas, for tests and pixel work.
  const std::uint32_t* Pixels() const { return pixels_; }
  // Copies a bottom-up 24-bit buffer (the work picture's layout) onto the canvas.
  void SetBits24(const void* bits, int width, int height);
  void Refresh() { Invalidate(); }

  void SetHint(const std::string& hint);
  const std::string& Hint() const { return hint_; }
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
  HCURSOR CursorHandle() const { return cursor_; }

  MouseHandler onMouseDown, onMouseUp, onDblClick;
  MoveHandler onMouseMove;
  std::function<void()> onMouseLeave;
  // Someone else took the mouse while a button was held here: no release will come.
  std::function<void()> onCaptureLost;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint();
  void Track();
  static unsigned ShiftFromKeys(WPARAM wp);

  MemoryDc dc_;
  Bitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0, height_ = 0;
  std::string hint_;
  HCURSOR cursor_ = nullptr;
  bool tracking_ = false;
  bool releasing_ = false;  // our own release of the capture is no loss
};

}  // namespace kolo::win
