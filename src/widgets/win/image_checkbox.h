// TVMImageCheckbox: a check box (or, with CheckIndex >= 0, a radio box) drawn
// from pictures. TVMInvisibleButton: a picture-less click area with the hand
// cursor, e.g. to make a caption next to a check box clickable. The box is a
// tab stop and shows its Selected pictures while it has the focus.
#pragma once

#include "widgets/control_rules.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/widget.h"

namespace kolo {

class TVMInvisibleButton : public Widget {
 public:
  TVMInvisibleButton();

 protected:
  const wchar_t* ClassName() const override { return L"TVMInvisibleButton"; }
  void Paint(HDC dc, const IntRect& client) override { PaintParentBackground(dc); }
};

class TVMImageCheckbox : public Widget {
 public:
  TVMImageCheckbox();
  ~TVMImageCheckbox() override;

  TVMGIFImageList* ImageList() const { return list_.Get(); }
  void SetImageList(TVMGIFImageList* list) { list_.Set(list); Invalidate(); }
  const TVMCheckboxListID& ImageListID() const { return ids_; }
  void SetImageListID(const TVMCheckboxListID& ids) { ids_ = ids; Invalidate(); }

  bool Checked() const { return checked_; }
  // Fires OnChange every time, even for the current value. A radio box is
  // checked whatever the value and unchecks its group on the same parent.
  void SetChecked(bool checked);
  int CheckIndex() const { return checkIndex_; }
  void SetCheckIndex(int index) { checkIndex_ = index; }

  // Clicks on these toggle the box too. The box takes over their OnClick;
  // they may be destroyed before or after the box.
  void SetCheckLabel(Widget* label) { Adopt(label, checkLabel_); }
  void SetInvisibleButton(TVMInvisibleButton* button) { Adopt(button, invisibleButton_); }

  // A click: toggle when enabled, then the action or OnClick.
  void Click() override;

  std::function<void(TVMImageCheckbox& sender)> OnChange;

 protected:
  const wchar_t* ClassName() const override { return L"TVMImageCheckbox"; }
  DWORD ExtraStyle() const override { return WS_TABSTOP; }
  void Paint(HDC dc, const IntRect& client) override;
  void MouseEnter() override { Invalidate(); Widget::MouseEnter(); }
  void MouseLeave() override { Invalidate(); Widget::MouseLeave(); }
  void KeyUp(WORD key, unsigned shift) override;

 private:
  struct Companion {
    Widget* widget = nullptr;
    std::weak_ptr<char> alive;
  };
  void Adopt(Widget* widget, Companion& slot);
  void Release(Companion& slot);
  void SetCheckedField(bool checked);

  ImageListLink list_;
  TVMCheckboxListID ids_;
  bool checked_ = false;
  int checkIndex_ = -1;
  Companion checkLabel_, invisibleButton_;
};

}  // namespace kolo
