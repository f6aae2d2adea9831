#include "frame/win/color_cell.h"

#include "frame/win/main_frame.h"
#include "platform/input.h"
#include "platform/messages.h"

namespace kolo::win {

namespace {

// The drag markers (empty, transparent) are values, not colours to show.
constexpr bool IsPlainColor(TColor c) { return (c & 0xFF000000u) == 0; }

class FrameDragHost final : public ColorDragHost {
 public:
  void StartColorDrag(TColor c) override {
    if (TMainFrame* m = MainFrame()) m->BeginColorDrag(c);
  }
  TColor DraggedColor() const override { return ColorDragSlot().Color; }
  bool ColorDragging() const override { return MainFrame() && MainFrame()->colorDragging; }
  void SetColorDragging(bool on) override {
    if (TMainFrame* m = MainFrame()) m->colorDragging = on;
  }
  LPARAM DragSource() const override {
    return MainFrame() ? reinterpret_cast<LPARAM>(MainFrame()->Handle()) : 0;
  }
};

}  // namespace

ColorDragHost& MainFrameDragHost() {
  static FrameDragHost host;
  return host;
}

TColorCell::TColorCell() : host_(&MainFrameDragHost()) {
  OnDragOver = [this](Widget&, LPARAM, int, int, int state) { DragOver(state); };
  OnEndDrag = [this](Widget&, LPARAM, int, int, int) { Dropped(); };
}

void TColorCell::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left) {
    pressed_ = true;
    pressPoint_ = POINT{x, y};
  }
  TVMNotRefreshPanel::MouseDown(button, shift, x, y);
}

void TColorCell::MouseMove(unsigned shift, int x, int y) {
  if (pressed_ && PressBecomesDrag(pressPoint_.x, pressPoint_.y, x, y)) {
    pressed_ = false;
    dragging_ = true;
    const TColor colour = CellColor();
    messenger_.Begin(host_->DragSource(), colour);
    host_->StartColorDrag(colour);
    host_->SetColorDragging(true);
  }
  if (dragging_ && host_->ColorDragging()) messenger_.Move();
  TVMNotRefreshPanel::MouseMove(shift, x, y);
}

void TColorCell::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left) {
    const bool clicked = pressed_;
    pressed_ = false;
    auto alive = AliveToken();
    if (clicked && OnColorClick) OnColorClick(*this);
    if (alive.expired()) return;
    if (dragging_) {
      dragging_ = false;
      if (host_->ColorDragging()) {
        host_->SetColorDragging(false);
        messenger_.Drop();
      }
    }
  }
  TVMNotRefreshPanel::MouseUp(button, shift, x, y);
}

void TColorCell::CaptureLost() {
  pressed_ = false;  // no click either
  if (dragging_) {
    dragging_ = false;
    if (host_->ColorDragging()) {
      host_->SetColorDragging(false);
      messenger_.Cancel();
    }
  }
  TVMNotRefreshPanel::CaptureLost();
}

void TColorCell::DragOver(int state) {
  if (state == kDragEnter) {
    savedColor_ = Color();
    previewing_ = true;
    const TColor dragged = host_->DraggedColor();
    if (IsPlainColor(dragged)) SetColor(dragged & 0xFFFFFF);
    if (OnColorEnter) OnColorEnter(*this, dragged);
  } else if (state == kDragLeave) {
    if (previewing_) SetColor(savedColor_);
    previewing_ = false;
    if (OnColorLeave) OnColorLeave(*this);
  }
}

void TColorCell::Dropped() {
  const TColor dragged = host_->DraggedColor();
  // Not a colour (the transparent or empty marker): the cell keeps its own.
  if (previewing_ && !IsPlainColor(dragged)) SetColor(savedColor_);
  previewing_ = false;
  if (OnColorDrop) OnColorDrop(*this, dragged);
}

}  // namespace kolo::win
