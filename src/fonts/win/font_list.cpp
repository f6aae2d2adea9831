#include "fonts/win/font_list.h"

#include <algorithm>

namespace kolo {

namespace {
// Faces kept for rows scrolled past; more than a few screens' worth is dropped.
constexpr std::size_t kFaceCacheLimit = 96;
}  // namespace

// --- the rows ---

void TFontListRows::Paint(HDC dc, const IntRect& client) { list_.PaintRows(dc, client); }

void TFontListRows::Resized() {
  list_.model_.SetViewHeight(Height());
  list_.SyncScroller();
}

void TFontListRows::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left) {
    SetFocus();
    list_.Press(y);
  }
  Widget::MouseDown(button, shift, x, y);
}

void TFontListRows::MouseMove(unsigned shift, int x, int y) {
  if (LeftHeld()) list_.Press(y);
  Widget::MouseMove(shift, x, y);
}

void TFontListRows::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  auto alive = AliveToken();
  if (button == MouseButton::Left) list_.Release();
  if (!alive.expired()) Widget::MouseUp(button, shift, x, y);
}

bool TFontListRows::MouseWheel(int delta) {
  if (Widget::MouseWheel(delta)) return true;
  if (TVMScrollImage* s = list_.scroller_.Get()) s->WheelBy(delta);
  return true;
}

void TFontListRows::KeyDown(WORD key, unsigned shift) {
  switch (key) {
    case VK_UP: list_.Key(FontListKey::Up); break;
    case VK_DOWN: list_.Key(FontListKey::Down); break;
    case VK_PRIOR: list_.Key(FontListKey::PageUp); break;
    case VK_NEXT: list_.Key(FontListKey::PageDown); break;
    case VK_HOME: list_.Key(FontListKey::Home); break;
    case VK_END: list_.Key(FontListKey::End); break;
    case VK_RETURN: list_.Key(FontListKey::Enter); return;
    case VK_SPACE: list_.Key(FontListKey::Space); return;
    case VK_ESCAPE: list_.Key(FontListKey::Escape); return;
    default: break;
  }
  Widget::KeyDown(key, shift);
}

LRESULT TFontListRows::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETDLGCODE) return DLGC_WANTARROWS | DLGC_WANTCHARS;
  return Widget::HandleMessage(msg, wp, lp);
}

// --- the list ---

TKOLFontList::TKOLFontList() { SetColor(clSkyBlue); }

void TKOLFontList::Created() {
  rows_.SetAlign(alClient);
  const IntRect area = AlignArea();
  rows_.Create(*this, area.left, area.top, area.Width(), area.Height());
  ::SetWindowTextW(rows_.Handle(), L"font families");
  model_.SetViewHeight(rows_.Height());
  SyncScroller();
}

void TKOLFontList::SetVerticalScroller(TVMScrollImage* scroller) {
  scroller_.Set(scroller, AliveToken(), [this](int position) {
    model_.SetPosition(position);
    rows_.Invalidate();
  });
  SyncScroller();
}

void TKOLFontList::SyncScroller() {
  TVMScrollImage* s = scroller_.Get();
  if (!s) return;
  s->SetMax(model_.ScrollMax());
  s->SizeThumb(model_.ViewHeight(), model_.ContentHeight());
  s->LargeChange = std::max(1, model_.ViewHeight());
  s->SetPosition(model_.Position());
  s->Invalidate();
}

void TKOLFontList::ViewChanged() {
  SyncScroller();
  rows_.Invalidate();
}

void TKOLFontList::SetNames(std::vector<std::string> names) {
  model_.SetNames(std::move(names));
  faces_.clear();
  ViewChanged();
}

void TKOLFontList::SetItemHeight(int height) {
  model_.itemHeight = std::max(1, height);
  model_.SetPosition(model_.Position());
  ViewChanged();
}

void TKOLFontList::SetStyle(int size, bool bold, bool italic, bool underline) {
  if (size == fontSize_ && bold == bold_ && italic == italic_ && underline == underline_) return;
  fontSize_ = size;
  bold_ = bold;
  italic_ = italic;
  underline_ = underline;
  faces_.clear();
  rows_.Invalidate();
}

void TKOLFontList::ScrollToSelected() {
  model_.ScrollToSelected();
  ViewChanged();
}

void TKOLFontList::Press(int y) {
  if (model_.PressAt(y)) rows_.Invalidate();
}

void TKOLFontList::Release() {
  if (OnSelect) OnSelect(*this);
}

void TKOLFontList::Key(FontListKey key) {
  const bool confirm = model_.Key(key);
  ViewChanged();
  if (confirm) Release();
}

HFONT TKOLFontList::FaceFor(int row) {
  auto it = faces_.find(row);
  if (it != faces_.end()) return it->second.Get();
  if (faces_.size() >= kFaceCacheLimit) faces_.clear();
  LOGFONTW lf{};
  lf.lfHeight = fontSize_;  // positive: the cell height
  lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = italic_ ? TRUE : FALSE;
  lf.lfUnderline = underline_ ? TRUE : FALSE;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfQuality = PROOF_QUALITY;
  // Face names hold 31 characters; a longer family is asked for by its first 31.
  const std::wstring face = win::Widen(model_.Names()[static_cast<size_t>(row)]);
  face.copy(lf.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
  ++facesBuilt_;
  return faces_.emplace(row, win::Font(::CreateFontIndirectW(&lf))).first->second.Get();
}

void TKOLFontList::PaintRows(HDC dc, const IntRect& client) {
  win::FillSolid(dc, ToRect(client), ToColorRef(BgColor));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(FontColor));
  win::Brush outline = win::MakeSolidBrush(ToColorRef(Color()));
  const int h = model_.itemHeight;
  for (int row = model_.FirstVisible(), y = model_.RowTop(row); row < model_.Count() && y <= client.bottom;
       ++row, y += h) {
    if (row == model_.itemIndex) win::FillSolid(dc, RECT{0, y, client.right, y + h}, ToColorRef(SelectColor));
    win::SelectScope face(dc, FaceFor(row));
    SIZE w{};
    ::GetTextExtentPoint32W(dc, L"W", 1, &w);
    const std::wstring name = win::Widen(model_.Names()[static_cast<size_t>(row)]);
    ::TextOutW(dc, 4, y + (h - w.cy - 1) / 2, name.c_str(), static_cast<int>(name.size()));
    RECT frame{0, y, client.right, y + h + 1};
    ::FrameRect(dc, &frame, outline.Get());
  }
}

}  // namespace kolo
