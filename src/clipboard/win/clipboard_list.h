// TKOLClipboardList: the colours that went through the clipboard, newest
// first, one row each: a swatch, the colour as six hex digits and a copy
// button. Rows are selected with the mouse or the keys, colours are dragged
// out to every colour drop target and in from any source (or moved inside),
// and the rows scroll with a slider. The entries' rules live in
// ClipboardColorModel; this control paints them and takes the input.
#pragma once

#include <functional>

#include "clipboard/clipboard_colors.h"
#include "frame/win/color_drag.h"
#include "widgets/control_rules.h"
#include "widgets/scroll_math.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/scroll_image.h"

namespace kolo::win {
class TPopupMenu;
}

namespace kolo {

class TKOLClipboardList : public TVMNotRefreshPanel {
 public:
  TKOLClipboardList();
  ~TKOLClipboardList() override;

  // --- published ---
  // A drag from a row begins: the drag cursor of the colour (the main window's strip makes it).
  std::function<void(TColor)> StartColorDrag;
  std::function<void(TDragColor& sender)> OnEndDragPic;
  TVMGIFImageList* ImageList() const { return images_.Get(); }
  void SetImageList(TVMGIFImageList* list) { images_.Set(list); Invalidate(); }
  TVMImageButtonListID ImageListID;
  TVMScrollImage* VerticalScroller() const { return scroller_; }
  // The slider must outlive the list, or be unset before it goes.
  void SetVerticalScroller(TVMScrollImage* scroller);
  int size = 16;
  TColor SelectColor = 0;
  NotifyEvent OnSetFocus;
  bool DrawSelected() const { return drawSelected_; }
  void SetDrawSelected(bool on);
  std::function<void(TColor)> OnCopyColor;
  win::TPopupMenu* CopyPopup = nullptr;
  win::TPopupMenu* DefaultPopup = nullptr;

  // --- entries ---
  const std::vector<TColor>& Colors() const { return model_.Colors; }
  int Count() const { return model_.Count(); }
  int ItemIndex() const { return model_.ItemIndex; }
  void SetItemIndex(int index);
  void AddColor(TColor c);
  void Clear();
  void DeleteSelected();
  void MoveSelectedToTop();
  void SetColorBytes(std::span<const std::uint8_t> bytes, int count);
  std::vector<std::uint8_t> GetColorBytes() const { return model_.GetColorBytes(); }
  void SetColors(std::vector<TColor> colors);
  // Called after every change of the entries (not of the selection): the history is written.
  std::function<void()> OnChange;

  int TopRow() const { return scroller_ ? scroller_->Position() : 0; }
  int VisibleRows() const { return Height() / (size + 4); }
  int Pitch() const { return size + 4; }
  // Where the copy button sits in a row (from the Normal picture).
  ClipButtonBox ButtonBox() const;
  int ButtonHover() const { return buttonHover_; }
  int DropIndex() const { return dropIndex_; }
  int InsertIndex() const { return insertIndex_; }

 protected:
  const wchar_t* ClassName() const override { return L"TKOLClipboardList"; }
  DWORD ExtraStyle() const override { return WS_TABSTOP; }
  void PaintContent(HDC dc, const IntRect& inner) override;
  void Resized() override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void MouseLeave() override;
  bool MouseWheel(int delta) override;
  void CaptureLost() override;
  void KeyDown(WORD key, unsigned shift) override;
  void FocusChanged() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  ClipRowHit Hit(int x, int y) const;
  void EntriesChanged();
  void UpdateSlider();
  void SetTop(int top);
  void ShowMenu(win::TPopupMenu* menu, int screenX, int screenY);
  void DragMessage(UINT msg, WPARAM wp, LPARAM lp);

  ClipboardColorModel model_;
  bool drawSelected_ = true;
  ImageListLink images_;
  TVMScrollImage* scroller_ = nullptr;
  WheelAccumulator wheel_;
  win::ColorDragMessenger messenger_;

  // The rows' input state.
  bool leftDown_ = false, dragActive_ = false;
  int downX_ = 0, downY_ = 0;
  int pressedIndex_ = -1, dropIndex_ = -1, insertIndex_ = -1;
  int buttonDown_ = -1, buttonHover_ = -1;
  win::TPopupMenu* pendingMenu_ = nullptr;
};

}  // namespace kolo
