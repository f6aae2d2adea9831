// TVMViewImageList: a scrolling column of the pictures of an image list, each
// at its own size, 2 pixels apart, filtered by their tag (TagFilter below 1
// shows them all). The selected picture sits on a band of SelectColor; a
// click selects the picture under it and fires OnSelect.
#pragma once

#include "widgets/view_list_rules.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/scroll_image.h"

namespace kolo {

class TVMViewImageList;

// The painting child that fills the list and takes its mouse.
class TViewListGraphic : public Widget {
 public:
  explicit TViewListGraphic(TVMViewImageList& list) : list_(list) {}

 protected:
  const wchar_t* ClassName() const override { return L"TViewListGraphic"; }
  void Paint(HDC dc, const IntRect& client) override;
  void Resized() override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  bool MouseWheel(int delta) override;

 private:
  TVMViewImageList& list_;
};

class TVMViewImageList : public TVMNotRefreshPanel {
 public:
  TVMViewImageList();

  TColor SelectColor = clFrame;
  NotifyEvent OnSelect;

  TVMGIFImageList* ImageList() const { return list_.Get(); }
  void SetImageList(TVMGIFImageList* list);
  int TagFilter() const { return layout_.TagFilter(); }
  void SetTagFilter(int filter);
  void SetVerticalScroller(TVMScrollImage* scroller);

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // Scrolls so the selected picture is at the top (as far as the list scrolls).
  void ScrollToSelected();
  int Position() const { return position_; }
  // Whether picture `index` passes the filter and shows in the view now.
  bool Shows(int index) const;
  // A click at y in the view: selects what is there and fires OnSelect.
  void ClickAt(int y);

 protected:
  const wchar_t* ClassName() const override { return L"TVMViewImageList"; }
  void Created() override;

 private:
  friend class TViewListGraphic;
  void ReadItems();
  void SetPosition(int position);
  void SyncScroller();
  int ViewHeight() const { return graphic_.Height(); }
  void PaintItems(HDC dc, const IntRect& client);

  ImageListLink list_;
  ViewListLayout layout_;
  TViewListGraphic graphic_{*this};
  ScrollerLink scroller_;
  int itemIndex_ = -1;
  int position_ = 0;
};

}  // namespace kolo
