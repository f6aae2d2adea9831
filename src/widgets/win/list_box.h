// TVMListBox: a plain text list with one selected row, scrolled by an external
// TVMScrollImage whose position counts rows.
#pragma once

#include <string>
#include <vector>

#include "widgets/win/scroll_image.h"
#include "widgets/win/widget.h"

namespace kolo {

class TVMListBox : public Widget {
 public:
  TVMListBox();
  ~TVMListBox() override;

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  int SelectItem() const { return selectItem_; }
  void SetSelectItem(int index);
  TColor SelectColor = clFrame;
  TColor SelectFontColor = clWhite;
  bool SelectOnMove = false;
  int LeftMargin = 3;

  TVMScrollImage* VerticalScroller() const { return scroller_; }
  // The list takes over the scroller's OnChange.
  void SetVerticalScroller(TVMScrollImage* scroller);
  int TopRow() const { return scroller_ ? scroller_->Position() : 0; }
  int RowHeight() const;
  // Recomputes the scroller's range after a change of items, font or size.
  void UpdateScroller();

  std::function<void(TVMListBox& sender)> OnSelectItem;

 protected:
  const wchar_t* ClassName() const override { return L"TVMListBox"; }
  void Paint(HDC dc, const IntRect& client) override;
  void Resized() override { UpdateScroller(); }
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  bool MouseWheel(int delta) override;

 private:
  void SelectAt(int y);

  std::vector<std::string> items_;
  int selectItem_ = -1;
  TVMScrollImage* scroller_ = nullptr;
  std::weak_ptr<char> scrollerAlive_;
  WheelAccumulator wheel_;
};

}  // namespace kolo
