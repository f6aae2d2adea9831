// TKOLColorList: the palette strip, a grid of 256 colour cells with a slider
// beside it, and the owner of the program's colour-drag slot. The cell rules
// live in ColorListModel; this class paints the model, feeds it the mouse and
// the colour-drag messages, and runs drags out of the grid.
//
// Every drag source of the program (the main image, the colour slots, the
// clipboard colour list) calls StartColorDrag(colour) for the drag cursor.
// DragColor is the program's one colour-drag slot (win::ColorDragSlot()), so
// the colour a target reads is that of the drag in progress whatever started it.
#pragma once

#include <filesystem>
#include <functional>
#include <span>

#include "palette/color_list_model.h"
#include "palette/palette_file.h"
#include "frame/win/color_drag.h"
#include "widgets/scroll_math.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/scroll_image.h"

namespace kolo::win {
class TPopupMenu;
}

namespace kolo {

class TKOLColorList : public TVMNotRefreshPanel {
 public:
  TKOLColorList();
  ~TKOLColorList() override;

  // --- published ---
  int RowCount() const { return model_.RowCount; }
  void SetRowCount(int count);
  int CellSize() const { return model_.size; }  // "size": the swatch side
  void SetCellSize(int size);
  TColor SelectColor() const { return selectColor_; }
  void SetSelectColor(TColor c) { selectColor_ = c; Invalidate(); }
  bool Dragging() const { return model_.Dragging; }
  void SetDragging(bool on) { model_.Dragging = on; }
  TVMGIFImageList* ImageList() const { return images_.Get(); }
  void SetImageList(TVMGIFImageList* list) { images_.Set(list); Invalidate(); }
  int TransparentImageId = -1;
  int EmptyImageId = -1;
  TVMScrollImage* VerticalScroller() const { return scroller_; }
  // The slider must outlive the list, or be unset before it goes.
  void SetVerticalScroller(TVMScrollImage* scroller);
  win::TPopupMenu* PopupMenu = nullptr;  // opens on a right click

  NotifyEvent OnSelect;
  std::function<void(TDragColor& sender)> OnStartDragPic, OnEndDragPic;

  // --- cells ---
  const std::array<TColor, kColorListCells>& Colors() const { return model_.Colors; }
  TColor Cell(int i) const { return i >= 0 && i < kColorListCells ? model_.Colors[static_cast<size_t>(i)] : clEmptyColor; }
  void SetCell(int i, TColor c);
  int ItemIndex() const { return model_.ItemIndex; }
  void SetItemIndex(int i);
  int TransparentIndex() const { return model_.TransparentIndex; }
  void SetTransparentIndex(int i);
  // The model itself, for the strip's commands and the tests.
  ColorListModel& Model() { return model_; }
  const ColorListModel& Model() const { return model_; }
  // First visible row (the slider's position, or 0 without a slider).
  int TopRow() const { return model_.topRow; }
  void SetTopRow(int row);

  TDragColor& DragColor = win::ColorDragSlot();

  // --- operations ---
  void StartColorDrag(TColor c);
  void ClearSelected();
  void DeleteSelected();
  void InsertEmpty();
  void SetColors(std::span<const TColor> colors);
  // Cells and transparent index from a palette file; nothing changes on failure.
  bool LoadFromFile(const std::filesystem::path& fileName, const ColorParser& parser);
  int HitTest(int x, int y, bool between) const { return model_.HitTest(x, y, between); }
  // After the program changed cells directly: repaint.
  void Changed() { Invalidate(); }

  // The cursor built by the last StartColorDrag (owned by the list).
  HCURSOR DragCursor() const { return dragCursor_.Get(); }
  // The window of the last move of a drag out of the grid.
  HWND LastTarget() const { return messenger_.LastTarget(); }

 protected:
  const wchar_t* ClassName() const override { return L"TKOLColorList"; }
  DWORD ExtraStyle() const override { return WS_TABSTOP; }
  void PaintContent(HDC dc, const IntRect& inner) override;
  void Resized() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  bool MouseWheel(int delta) override;
  void CaptureLost() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Apply(const GridEvent& e);
  void CoupleSlider();
  void ShowPopup(int screenX, int screenY);
  void ShowKeyboardPopup();
  void DrawImage(HDC dc, int x, int y, int index) const;
  int GridHeight() const;

  ColorListModel model_;
  TColor selectColor_ = 0;
  ImageListLink images_;
  TVMScrollImage* scroller_ = nullptr;
  win::Cursor dragCursor_;
  win::ColorDragMessenger messenger_;
  WheelAccumulator wheel_;
};

}  // namespace kolo
