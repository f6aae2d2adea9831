#include "widgets/win/view_image_list.h"

#include <algorithm>

namespace kolo {

// --- the painting child ---

void TViewListGraphic::Paint(HDC dc, const IntRect& client) { list_.PaintItems(dc, client); }

void TViewListGraphic::Resized() {
  list_.SetPosition(list_.position_);
  list_.SyncScroller();
}

void TViewListGraphic::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  auto alive = AliveToken();
  if (button == MouseButton::Left && x >= 0 && y >= 0 && x < Width() && y < Height()) list_.ClickAt(y);
  if (!alive.expired()) Widget::MouseUp(button, shift, x, y);
}

bool TViewListGraphic::MouseWheel(int delta) {
  if (Widget::MouseWheel(delta)) return true;
  if (TVMScrollImage* s = list_.scroller_.Get()) s->WheelBy(delta);
  return true;
}

// --- the list ---

TVMViewImageList::TVMViewImageList() : list_([this] { ReadItems(); }) {}

void TVMViewImageList::Created() {
  graphic_.SetAlign(alClient);
  const IntRect area = AlignArea();
  graphic_.Create(*this, area.left, area.top, area.Width(), area.Height());
  ::SetWindowTextW(graphic_.Handle(), L"layouts");
  SyncScroller();
}

void TVMViewImageList::ReadItems() {
  std::vector<ViewListLayout::Item> items;
  if (TVMGIFImageList* list = list_.Get()) {
    for (int i = 0; i < list->Count(); ++i) items.push_back({static_cast<int>(list->ImageSize(i).cy), list->Tag(i)});
  }
  layout_.SetItems(std::move(items));
  SetPosition(position_);
  SyncScroller();
  graphic_.Invalidate();
}

void TVMViewImageList::SetImageList(TVMGIFImageList* list) {
  list_.Set(list);
  position_ = 0;
  ReadItems();
}

void TVMViewImageList::SetTagFilter(int filter) {
  layout_.SetTagFilter(filter);
  // The first passing picture at the top again.
  SetPosition(0);
  SyncScroller();
  graphic_.Invalidate();
}

void TVMViewImageList::SetVerticalScroller(TVMScrollImage* scroller) {
  scroller_.Set(scroller, AliveToken(), [this](int position) {
    position_ = position;
    graphic_.Invalidate();
  });
  SyncScroller();
}

void TVMViewImageList::SyncScroller() {
  TVMScrollImage* s = scroller_.Get();
  if (!s) return;
  const int h = ViewHeight();
  s->SetMax(layout_.ScrollMax(h));
  s->SizeThumb(h, layout_.ContentHeight());
  s->LargeChange = std::max(1, h);
  s->SetPosition(position_);
  s->Invalidate();
}

void TVMViewImageList::SetPosition(int position) {
  position_ = std::clamp(position, 0, layout_.ScrollMax(ViewHeight()));
}

void TVMViewImageList::SetItemIndex(int index) {
  itemIndex_ = index;
  graphic_.Invalidate();
}

void TVMViewImageList::ScrollToSelected() {
  const int offset = layout_.Offset(itemIndex_);
  SetPosition(offset < 0 ? 0 : offset);
  SyncScroller();
  graphic_.Invalidate();
}

bool TVMViewImageList::Shows(int index) const {
  const int offset = layout_.Offset(index);
  if (offset < 0) return false;
  const int top = offset + kViewListGap - position_;
  const int height = list_ ? static_cast<int>(list_->ImageSize(index).cy) : 0;
  return top < ViewHeight() && top + height > 0;
}

void TVMViewImageList::ClickAt(int y) {
  const int index = layout_.At(position_, y);
  if (index < 0) return;
  SetItemIndex(index);
  if (OnSelect) OnSelect(*this);
}

void TVMViewImageList::PaintItems(HDC dc, const IntRect& client) {
  win::FillSolid(dc, ToRect(client), ToColorRef(Color()));
  TVMGIFImageList* list = list_.Get();
  if (!list) return;
  int top = kViewListGap - position_;
  for (int i = 0; i < list->Count() && top < client.bottom; ++i) {
    if (!layout_.Passes(i)) continue;
    const SIZE size = list->ImageSize(i);
    if (top + size.cy > 0) {
      if (i == itemIndex_)
        win::FillSolid(dc, RECT{0, top - kViewListGap, client.right, top + size.cy + kViewListGap},
                       ToColorRef(SelectColor));
      list->Draw(dc, (client.right - size.cx) / 2, top, i);
    }
    top += size.cy + kViewListGap;
  }
}

}  // namespace kolo
