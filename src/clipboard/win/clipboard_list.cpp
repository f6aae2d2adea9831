#include "clipboard/win/clipboard_list.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "platform/messages.h"
#include "platform/win/window.h"
#include "widgets/win/popup_menu.h"

namespace kolo {

TKOLClipboardList::TKOLClipboardList() : images_([this] { Invalidate(); }) {
  SetColor(clWhite);
  SetDblBuffered(true);
}

TKOLClipboardList::~TKOLClipboardList() { SetVerticalScroller(nullptr); }

void TKOLClipboardList::SetVerticalScroller(TVMScrollImage* scroller) {
  if (scroller_) scroller_->OnChange = nullptr;
  scroller_ = scroller;
  if (scroller_) {
    scroller_->OnChange = [this](TVMScrollImage&) { Invalidate(); };
    UpdateSlider();
  }
}

void TKOLClipboardList::SetDrawSelected(bool on) {
  if (on == drawSelected_) return;
  drawSelected_ = on;
  Invalidate();
}

void TKOLClipboardList::SetItemIndex(int index) {
  model_.ItemIndex = index >= 0 && index < Count() ? index : -1;
  Invalidate();
}

// --- entries ---

void TKOLClipboardList::EntriesChanged() {
  UpdateSlider();
  Invalidate();
  if (OnChange) OnChange();
}

void TKOLClipboardList::AddColor(TColor c) {
  model_.AddColor(c);
  EntriesChanged();
}

void TKOLClipboardList::Clear() {
  model_.Clear();
  EntriesChanged();
}

void TKOLClipboardList::DeleteSelected() {
  if (model_.ItemIndex < 0) return;
  model_.DeleteSelected();
  EntriesChanged();
}

void TKOLClipboardList::MoveSelectedToTop() {
  if (model_.ItemIndex < 0) return;
  model_.MoveSelectedToTop();
  EntriesChanged();
}

void TKOLClipboardList::SetColorBytes(std::span<const std::uint8_t> bytes, int count) {
  model_.SetColorBytes(bytes, count);
  if (model_.ItemIndex >= Count()) model_.ItemIndex = -1;
  UpdateSlider();
  Invalidate();
}

void TKOLClipboardList::SetColors(std::vector<TColor> colors) {
  model_.Colors = std::move(colors);
  if (model_.ItemIndex >= Count()) model_.ItemIndex = -1;
  UpdateSlider();
  Invalidate();
}

// --- the slider ---

void TKOLClipboardList::UpdateSlider() {
  if (!scroller_) return;
  const int v = VisibleRows();
  scroller_->SetMax(std::max(0, Count() - v));
  scroller_->SizeThumb(Height(), Count() * Pitch());
  scroller_->LargeChange = std::max(1, v);
  if (scroller_->Position() == scroller_->Max()) Invalidate();
}

void TKOLClipboardList::SetTop(int top) {
  if (!scroller_) return;
  scroller_->SetPosition(top);
  Invalidate();
}

void TKOLClipboardList::Resized() {
  UpdateSlider();
  Invalidate();
}

bool TKOLClipboardList::MouseWheel(int delta) {
  if (!scroller_) return TVMNotRefreshPanel::MouseWheel(delta);
  const int notches = wheel_.Add(delta);
  if (notches == 0) return true;
  const int before = scroller_->Position();
  scroller_->SetPosition(before - notches * scroller_->SmallChange);
  if (scroller_->Position() != before) Invalidate();
  return true;
}

// --- painting ---

ClipButtonBox TKOLClipboardList::ButtonBox() const {
  ClipButtonBox box;
  TVMGIFImageList* list = images_.Get();
  if (!list || !list->Has(ImageListID.Normal)) return box;
  const SIZE s = list->ImageSize(ImageListID.Normal);
  box.width = s.cx;
  box.height = s.cy;
  box.left = Width() - s.cx - 2;
  box.offsetY = (Pitch() - s.cy) / 2 + 1;
  return box;
}

void TKOLClipboardList::PaintContent(HDC dc, const IntRect& inner) {
  win::FillSolid(dc, ToRect(inner), ToColorRef(EffectiveColor()));
  const int p = Pitch(), top = TopRow(), v = VisibleRows();
  const ClipButtonBox button = ButtonBox();
  win::Pen frame = win::MakePen(ToColorRef(clFrame));
  win::SelectScope penScope(dc, frame.Get());
  win::SelectScope fontScope(dc, Font());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(FontColor()));
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  for (int r = 0; r <= v; ++r) {
    const int i = top + r;
    if (i >= Count()) break;
    const int y = r * p;
    if (drawSelected_ && i == model_.ItemIndex) win::FillSolid(dc, RECT{1, y, Width() - 1, y + p}, ToColorRef(SelectColor));
    const TColor c = i == dropIndex_ ? win::ColorDragSlot().Color : model_.Colors[static_cast<size_t>(i)];
    win::Brush swatch(::CreateSolidBrush(ToColorRef(IsEmptyColor(c) ? clWhite : c)));
    {
      win::SelectScope brushScope(dc, swatch.Get());
      ::Rectangle(dc, 5, y + 2, size + 5, y + 2 + size);
    }
    const TColor shown = model_.Colors[static_cast<size_t>(i)];
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetR(shown), GetG(shown), GetB(shown));
    ::TextOutA(dc, size + 11, y + (p - tm.tmHeight) / 2, text, 6);
    if (TVMGIFImageList* list = images_.Get()) {
      const int id = i == buttonDown_ ? ImageListID.Down : (i == buttonHover_ ? ImageListID.Move : ImageListID.Normal);
      list->Draw(dc, button.left, y + button.offsetY, id);
    }
    if (i == insertIndex_) {
      ::MoveToEx(dc, 3, y, nullptr);
      ::LineTo(dc, p + 3, y);
    }
    if (i + 1 == insertIndex_) {
      ::MoveToEx(dc, 3, y + p - 1, nullptr);
      ::LineTo(dc, p + 3, y + p - 1);
    }
  }
}

// --- mouse ---

ClipRowHit TKOLClipboardList::Hit(int x, int y) const {
  return ClipRowHitTest(x, y, size, TopRow(), Count(), ButtonBox());
}

void TKOLClipboardList::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  leftDown_ = button == MouseButton::Left;
  downX_ = x;
  downY_ = y;
  const ClipRowHit h = Hit(x, y);
  pressedIndex_ = h.onSwatch ? h.entry : -1;
  const int b = h.onButton ? h.entry : -1;
  if (button == MouseButton::Right) pendingMenu_ = b != -1 ? CopyPopup : DefaultPopup;
  if (button == MouseButton::Left && b != buttonDown_) {
    // A press on a copy button never changes the selection.
    buttonDown_ = b;
    Invalidate();
  } else if (h.entry >= 0 && h.entry != model_.ItemIndex) {
    model_.ItemIndex = h.entry;
    Invalidate();
  }
  SetFocus();
  TVMNotRefreshPanel::MouseDown(button, shift, x, y);
}

void TKOLClipboardList::MouseMove(unsigned shift, int x, int y) {
  if (leftDown_ && pressedIndex_ > -1 && pressedIndex_ < Count() &&
      (std::abs(x - downX_) >= 4 || std::abs(y - downY_) >= 4)) {
    leftDown_ = false;
    dragActive_ = true;
    const TColor c = model_.Colors[static_cast<size_t>(pressedIndex_)];
    messenger_.Begin(reinterpret_cast<LPARAM>(hwnd()), c);
    if (StartColorDrag) StartColorDrag(c);
  }
  const ClipRowHit h = Hit(x, y);
  if (dragActive_) {
    SetHint("");
    messenger_.Move();
  } else if (h.onSwatch) {
    const TColor c = model_.Colors[static_cast<size_t>(h.entry)];
    char hint[8];
    std::snprintf(hint, sizeof hint, "C%06X", static_cast<unsigned>(c & 0xFFFFFF));
    SetHint(hint);
  } else {
    SetHint("");
  }
  const int hover = h.onButton ? h.entry : -1;
  if (hover != buttonHover_) {
    buttonHover_ = hover;
    Invalidate();
  }
  TVMNotRefreshPanel::MouseMove(shift, x, y);
}

void TKOLClipboardList::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  auto alive = AliveToken();
  if (buttonDown_ != -1) {
    const ClipRowHit h = Hit(x, y);
    const int pressed = buttonDown_;
    buttonDown_ = -1;
    Invalidate();
    if (h.onButton && h.entry == pressed && pressed < Count() && OnCopyColor)
      OnCopyColor(model_.Colors[static_cast<size_t>(pressed)]);
    if (alive.expired()) return;
  }
  leftDown_ = false;
  if (dragActive_) {
    dragActive_ = false;
    if (OnEndDragPic) OnEndDragPic(win::ColorDragSlot());
    if (alive.expired()) return;
    messenger_.Drop();
    if (alive.expired()) return;
  }
  TVMNotRefreshPanel::MouseUp(button, shift, x, y);
  if (alive.expired()) return;
  if (button == MouseButton::Right && pendingMenu_) {
    win::TPopupMenu* menu = pendingMenu_;
    pendingMenu_ = nullptr;
    const POINT pt = win::LogicalToScreen(hwnd(), {x, y});
    ShowMenu(menu, pt.x, pt.y);
  }
}

void TKOLClipboardList::MouseLeave() {
  if (buttonHover_ != -1) {
    buttonHover_ = -1;
    Invalidate();
  }
  TVMNotRefreshPanel::MouseLeave();
}

void TKOLClipboardList::CaptureLost() {
  leftDown_ = false;
  buttonDown_ = -1;
  if (dragActive_) {
    dragActive_ = false;
    auto alive = AliveToken();
    messenger_.Cancel();
    if (alive.expired()) return;
    if (OnEndDragPic) OnEndDragPic(win::ColorDragSlot());
    if (alive.expired()) return;
  }
  Invalidate();
  TVMNotRefreshPanel::CaptureLost();
}

void TKOLClipboardList::ShowMenu(win::TPopupMenu* menu, int screenX, int screenY) {
  if (menu) menu->Popup(hwnd(), screenX, screenY);
}

// --- colours dragged over the rows ---

void TKOLClipboardList::DragMessage(UINT msg, WPARAM wp, LPARAM lp) {
  POINT pt{};
  ::GetCursorPos(&pt);
  pt = win::ScreenToLogical(hwnd(), pt);
  const ClipRowHit h = Hit(pt.x, pt.y);
  if (msg == WM_DRAGCOLOR_OVER) {
    const bool leave = (wp & 0xFF) == kDragLeave;
    const int drop = leave || !h.onSwatch ? -1 : h.entry;
    const int insert = leave ? -1 : h.gap;
    if (drop != dropIndex_ || insert != insertIndex_) {
      dropIndex_ = drop;
      insertIndex_ = insert;
      Invalidate();
    }
    return;
  }
  const bool fromSelf = lp == reinterpret_cast<LPARAM>(hwnd());
  const bool changed = model_.Drop(win::ColorDragSlot().Color, dropIndex_ < Count() ? dropIndex_ : -1, insertIndex_,
                                   fromSelf ? pressedIndex_ : -1);
  dropIndex_ = -1;
  insertIndex_ = -1;
  if (changed)
    EntriesChanged();
  else
    Invalidate();
}

// --- keys ---

void TKOLClipboardList::KeyDown(WORD key, unsigned shift) {
  using Key = ClipboardColorModel::Key;
  Key k;
  switch (key) {
    case VK_UP: k = Key::Up; break;
    case VK_DOWN: k = Key::Down; break;
    case VK_PRIOR: k = Key::PageUp; break;
    case VK_NEXT: k = Key::PageDown; break;
    case VK_HOME: k = Key::Home; break;
    case VK_END: k = Key::End; break;
    case VK_DELETE:
      DeleteSelected();
      return;
    default:
      TVMNotRefreshPanel::KeyDown(key, shift);
      return;
  }
  int top = TopRow();
  const int topMax = scroller_ ? scroller_->Max() : 0;
  model_.Navigate(k, VisibleRows(), topMax, top);
  SetTop(top);
  Invalidate();
}

void TKOLClipboardList::FocusChanged() {
  if (Focused() && OnSetFocus) OnSetFocus(*this);
  TVMNotRefreshPanel::FocusChanged();
}

LRESULT TKOLClipboardList::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_CONTEXTMENU:
      if (win::ContextMenuFromKeyboard(lp)) {
        // The menu key: the list's menu beside the selected row (or its top).
        const int row = std::max(0, model_.ItemIndex - TopRow());
        const POINT pt =
            win::LogicalToScreen(hwnd(), {size + 11, std::min(row, VisibleRows()) * Pitch() + Pitch() / 2});
        ShowMenu(DefaultPopup, pt.x, pt.y);
      }
      return 0;
    case WM_DRAGCOLOR_OVER:
    case WM_DRAGCOLOR_DROP:
      DragMessage(msg, wp, lp);
      return 0;
  }
  return TVMNotRefreshPanel::HandleMessage(msg, wp, lp);
}

}  // namespace kolo
