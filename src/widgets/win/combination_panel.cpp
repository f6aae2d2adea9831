#include "widgets/win/combination_panel.h"

namespace kolo {

bool TVMCombinationGIF::SetFileName(const std::wstring& path) {
  fileName_ = path;
  bool ok = path.empty() ? true : file_.LoadFile(path);
  if (path.empty()) file_.SetData({});
  Changed();
  return ok;
}

const GifBitmaps* TVMCombinationGIF::Source() const {
  if (!fileName_.empty()) return &file_;
  return list_ ? list_->Image(id_) : nullptr;
}

SIZE TVMCombinationGIF::ImageSize() const {
  const GifBitmaps* src = Source();
  if (!src || !src->Valid()) return SIZE{0, 0};
  return SIZE{src->Width(), src->Height()};
}

void TVMCombinationGIF::Paint(HDC dc, int width, int height) const {
  const GifBitmaps* src = Source();
  if (!src || !src->Valid()) return;
  for (const SlicePiece& p : SliceImage(src->Width(), src->Height(), width, height, Xdilator, Ydilator, FillType))
    src->DrawPart(dc, p.target, p.source);
}

// Any change of the picture, also the list loading or changing later, sizes the panel again.
TVMCombinationPanel::TVMCombinationPanel() : gif_([this] { ApplyAutoSize(); Invalidate(); }) {}

bool TVMCombinationPanel::SetFileName(const std::wstring& path) { return gif_.SetFileName(path); }

void TVMCombinationPanel::ApplyAutoSize() {
  if (!autoSize_) return;
  SIZE s = gif_.ImageSize();
  if (s.cx > 0 && s.cy > 0) SetSize(s.cx, s.cy);
}

void TVMCombinationPanel::PaintContent(HDC dc, const IntRect&) {
  gif_.Paint(dc, Width(), Height());
}

LRESULT TVMCombinationPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCHITTEST && MouseTransparent) return HTTRANSPARENT;
  return TVMNotRefreshPanel::HandleMessage(msg, wp, lp);
}

TVMPagerPanel::TVMPagerPanel() { SetNotRefresh(true); }

void TVMPagerPanel::ChildAdded(Widget& child) {
  // Pages start hidden; only the current one shows.
  if (dynamic_cast<TVMNotRefreshPanel*>(&child) && &child != current_) child.SetVisible(false);
}

void TVMPagerPanel::ChildRemoved(Widget& child) {
  if (&child == current_) current_ = nullptr;
}

void TVMPagerPanel::SetCurrentPanel(TVMNotRefreshPanel* panel) {
  if (!panel || panel == current_ || panel->ParentWidget() != this) return;
  current_ = panel;
  for (Widget* child : Children()) {
    if (child != panel && dynamic_cast<TVMNotRefreshPanel*>(child)) child->SetVisible(false);
  }
  panel->SetAlign(alClient);
  panel->SetVisible(true);
  Realign();
}

}  // namespace kolo
