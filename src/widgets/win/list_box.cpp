#include "widgets/win/list_box.h"

#include "widgets/control_rules.h"

namespace kolo {

TVMListBox::TVMListBox() { SetColor(clWhite); }

TVMListBox::~TVMListBox() { SetVerticalScroller(nullptr); }

void TVMListBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (selectItem_ >= static_cast<int>(items_.size())) selectItem_ = -1;
  UpdateScroller();
  Invalidate();
}

void TVMListBox::SetSelectItem(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  if (selectItem_ == index) return;
  selectItem_ = index;
  Invalidate();
}

void TVMListBox::SetVerticalScroller(TVMScrollImage* scroller) {
  if (scroller_ && !scrollerAlive_.expired()) scroller_->OnChange = nullptr;
  scroller_ = scroller;
  scrollerAlive_ = scroller ? scroller->AliveToken() : std::weak_ptr<char>();
  if (!scroller_) return;
  std::weak_ptr<char> self = AliveToken();
  scroller_->OnChange = [this, self](TVMScrollImage&) {
    if (!self.expired()) Invalidate();
  };
  UpdateScroller();
}

int TVMListBox::RowHeight() const {
  win::WindowDc dc(Handle());
  win::SelectScope font(dc, Font());
  SIZE s{};
  ::GetTextExtentPoint32W(dc, L"W", 1, &s);
  return s.cy > 0 ? s.cy : 13;
}

void TVMListBox::UpdateScroller() {
  if (!scroller_ || scrollerAlive_.expired() || !Handle()) return;
  const int h = RowHeight();
  const int count = static_cast<int>(items_.size());
  const int max = ListScrollMax(h, count, Height());
  scroller_->SetMax(max);
  // Also at max 0: the rule then falls back to its default length.
  scroller_->SizeThumb(Height(), h * count);
  if (max > 0) scroller_->LargeChange = Height() / h > 0 ? Height() / h : 1;
  Invalidate();
}

void TVMListBox::Paint(HDC dc, const IntRect& client) {
  Widget::Paint(dc, client);
  const int h = RowHeight();
  win::SelectScope font(dc, Font());
  ::SetBkMode(dc, TRANSPARENT);
  const int first = TopRow();
  for (int row = first, y = 0; row < static_cast<int>(items_.size()) && y < client.bottom; ++row, y += h) {
    const bool selected = row == selectItem_;
    if (selected) win::FillSolid(dc, RECT{0, y, client.right, y + h}, ToColorRef(SelectColor));
    ::SetTextColor(dc, ToColorRef(selected ? SelectFontColor : FontColor()));
    std::wstring text = win::Widen(items_[static_cast<size_t>(row)]);
    ::TextOutW(dc, LeftMargin, y, text.c_str(), static_cast<int>(text.size()));
  }
}

void TVMListBox::SelectAt(int y) {
  int row = ListRowAt(TopRow(), y, RowHeight());
  if (row >= 0 && row < static_cast<int>(items_.size())) SetSelectItem(row);
}

void TVMListBox::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left) {
    SetFocus();
    SelectAt(y);
  }
  Widget::MouseDown(button, shift, x, y);
}

void TVMListBox::MouseMove(unsigned shift, int x, int y) {
  if ((LeftHeld() || SelectOnMove) && InsideListBox(x, y, Width(), Height())) SelectAt(y);
  Widget::MouseMove(shift, x, y);
}

void TVMListBox::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  auto alive = AliveToken();
  if (button == MouseButton::Left && inside && OnSelectItem) {
    OnSelectItem(*this);
    if (alive.expired()) return;
  }
  Widget::MouseUp(button, shift, x, y);
}

bool TVMListBox::MouseWheel(int delta) {
  if (Widget::MouseWheel(delta)) return true;
  if (!scroller_ || scrollerAlive_.expired() || delta == 0) return true;
  const int notches = wheel_.Add(delta);
  if (notches == 0) return true;
  scroller_->SetPosition(scroller_->Position() - notches);
  Invalidate();
  return true;
}

}  // namespace kolo
