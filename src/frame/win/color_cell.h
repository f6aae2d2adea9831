// TColorCell: a colour swatch that is both a colour-drag source and a drop
// target. A left press and release is a click; a press moved 4 pixels drags
// the cell's colour to whatever window is under the pointer. A colour dragged
// in shows on the cell while the pointer is over it and goes back when it
// leaves; the owner hears the enter, the leave and the drop. The colour slots
// and the wheel's base colours are such cells.
#pragma once

#include <windows.h>

#include <functional>

#include "color/color.h"
#include "frame/win/color_drag.h"
#include "widgets/win/not_refresh_panel.h"

namespace kolo::win {

// How a cell's drags reach the rest of the program: the colour drag cursor and
// the flag that one runs. The main window is the default.
class ColorDragHost {
 public:
  virtual ~ColorDragHost() = default;
  virtual void StartColorDrag(TColor c) = 0;
  virtual TColor DraggedColor() const = 0;
  virtual bool ColorDragging() const = 0;
  virtual void SetColorDragging(bool on) = 0;
  // The lParam of the drag messages the cell sends.
  virtual LPARAM DragSource() const = 0;
};

// The main window as the drag host (nothing happens while there is none).
ColorDragHost& MainFrameDragHost();

class TColorCell : public TVMNotRefreshPanel {
 public:
  TColorCell();

  void SetDragHost(ColorDragHost* host) { host_ = host ? host : &MainFrameDragHost(); }
  // The colour the cell shows (a preview while a drag is over it).
  TColor CellColor() const { return Color(); }
  bool DraggingFrom() const { return dragging_; }

  // A left press and release without a drag.
  NotifyEvent OnColorClick;
  // A dragged value entered (the cell already shows it when it is a colour),
  // left without a drop (the cell shows what it showed before), was dropped.
  std::function<void(TColorCell&, TColor dragged)> OnColorEnter;
  NotifyEvent OnColorLeave;
  std::function<void(TColorCell&, TColor dragged)> OnColorDrop;

 protected:
  const wchar_t* ClassName() const override { return L"TColorCell"; }
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void CaptureLost() override;

 private:
  void DragOver(int state);
  void Dropped();

  ColorDragHost* host_;
  ColorDragMessenger messenger_;
  bool pressed_ = false;
  POINT pressPoint_{};
  bool dragging_ = false;
  TColor savedColor_ = 0;
  bool previewing_ = false;
};

}  // namespace kolo::win
