#include "palette/win/color_list.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/messages.h"
#include "widgets/win/popup_menu.h"

namespace kolo {

namespace {
constexpr int kDragCursorSize = 20;
constexpr int kDragSwatch = 4;  // the swatch covers (4, 4)-(20, 20)
}  // namespace

TKOLColorList::TKOLColorList() : images_([this] { Invalidate(); }) {
  SetColor(clSkyBlue);
}

TKOLColorList::~TKOLColorList() {
  if (scroller_) scroller_->OnChange = nullptr;
}

void TKOLColorList::SetRowCount(int count) {
  model_.RowCount = std::max(1, count);
  CoupleSlider();
  Invalidate();
}

void TKOLColorList::SetCellSize(int size) {
  model_.size = std::max(1, size);
  CoupleSlider();
  Invalidate();
}

void TKOLColorList::SetVerticalScroller(TVMScrollImage* scroller) {
  if (scroller_) scroller_->OnChange = nullptr;
  scroller_ = scroller;
  if (scroller_) {
    scroller_->OnChange = [this](TVMScrollImage& s) { SetTopRow(s.Position()); };
    CoupleSlider();
  } else {
    SetTopRow(0);
  }
}

void TKOLColorList::SetTopRow(int row) {
  if (scroller_) {
    scroller_->SetPosition(row);
    row = scroller_->Position();
  } else {
    row = 0;  // without a slider the grid starts at the first row
  }
  if (row == model_.topRow) return;
  model_.topRow = row;
  Invalidate();
}

int TKOLColorList::GridHeight() const { return Height(); }

// The slider always covers the rows the grid cannot show at once.
void TKOLColorList::CoupleSlider() {
  if (!scroller_) return;
  const int v = ColorListVisibleRows(GridHeight(), model_.size);
  const int max = ColorListSliderMax(model_.RowCount, v);
  scroller_->SetMax(max);
  scroller_->SizeThumb(v, max);
  scroller_->LargeChange = v;
  model_.topRow = scroller_->Position();
  if (scroller_->Position() == max) Invalidate();
}

void TKOLColorList::Resized() { CoupleSlider(); }

void TKOLColorList::SetCell(int i, TColor c) {
  if (i < 0 || i >= kColorListCells) return;
  model_.Colors[static_cast<size_t>(i)] = IsEmptyColor(c) ? clEmptyColor : (c & 0xFFFFFF);
  Invalidate();
}

void TKOLColorList::SetItemIndex(int i) {
  model_.ItemIndex = i >= 0 && i < kColorListCells ? i : -1;
  Invalidate();
}

void TKOLColorList::SetTransparentIndex(int i) {
  model_.TransparentIndex = i >= 0 && i < kColorListCells ? i : -1;
  Invalidate();
}

void TKOLColorList::ClearSelected() {
  model_.ClearSelected();
  Invalidate();
}

void TKOLColorList::DeleteSelected() {
  model_.DeleteSelected();
  Invalidate();
}

void TKOLColorList::InsertEmpty() {
  model_.InsertEmpty();
  Invalidate();
}

void TKOLColorList::SetColors(std::span<const TColor> colors) {
  model_.SetColors(colors);
  SetTopRow(0);
  Invalidate();
}

bool TKOLColorList::LoadFromFile(const std::filesystem::path& fileName, const ColorParser& parser) {
  std::array<TColor, kColorListCells> cells{};
  int transparent = -1;
  if (!LoadPaletteFile(fileName, parser, transparent, kColorListCells - 1, cells)) return false;
  model_.SetPalette(cells, transparent);
  SetTopRow(0);
  Invalidate();
  return true;
}

// --- painting ---

void TKOLColorList::DrawImage(HDC dc, int x, int y, int index) const {
  if (TVMGIFImageList* list = images_.Get()) list->Draw(dc, x, y, index);
}

void TKOLColorList::PaintContent(HDC dc, const IntRect& inner) {
  const COLORREF back = ToColorRef(EffectiveColor());
  win::FillSolid(dc, ToRect(inner), back);
  const int p = model_.Pitch(), size = model_.size;
  win::Pen frame = win::MakePen(clFrame);
  win::Pen pale = win::MakePen(clSelectedSlot);
  win::Brush backBrush = win::MakeSolidBrush(back);
  win::Brush selectBrush = win::MakeSolidBrush(ToColorRef(selectColor_));
  const int saved = ::SaveDC(dc);
  for (const CellPaint& cell : model_.PaintPlan(GridHeight(), DragColor.Color)) {
    const int x0 = cell.x0, y0 = cell.y0;
    if (cell.selected) {
      ::SelectObject(dc, frame);
      ::SelectObject(dc, selectBrush);
      ::Rectangle(dc, x0 + 2, y0 + 1, x0 + 2 + p, y0 + 1 + p);
    } else {
      win::FillSolid(dc, RECT{x0 + 2, y0 + 1, x0 + 2 + p, y0 + 1 + p}, back);
    }
    switch (cell.look) {
      case CellLook::Swatch: {
        win::Brush fill = win::MakeSolidBrush(ToColorRef(cell.fill));
        ::SelectObject(dc, frame);
        ::SelectObject(dc, fill);
        ::Rectangle(dc, x0 + 4, y0 + 3, x0 + 4 + size, y0 + 3 + size);
        ::SelectObject(dc, backBrush);  // before `fill` goes
        break;
      }
      case CellLook::EmptyImage:
        DrawImage(dc, x0 + 4, y0 + 3, EmptyImageId);
        break;
      case CellLook::TransparentImage:
        DrawImage(dc, x0 + 4, y0 + 3, TransparentImageId);
        break;
      case CellLook::Beyond:
        ::SelectObject(dc, pale);
        ::SelectObject(dc, backBrush);
        ::Rectangle(dc, x0 + 4, y0 + 3, x0 + 4 + size, y0 + 3 + size);
        break;
    }
    if (cell.lineBefore || cell.lineAfter) {
      ::SelectObject(dc, frame);
      const int x = cell.lineBefore ? x0 + 2 : x0 + p + 1;
      ::MoveToEx(dc, x, y0 + 1, nullptr);
      ::LineTo(dc, x, y0 + 1 + p);
      if (cell.lineBefore && cell.lineAfter) {
        ::MoveToEx(dc, x0 + p + 1, y0 + 1, nullptr);
        ::LineTo(dc, x0 + p + 1, y0 + 1 + p);
      }
    }
  }
  ::RestoreDC(dc, saved);
}

// --- the drag cursor ---

void TKOLColorList::StartColorDrag(TColor c) {
  DragColor.Color = c;
  win::WindowDc screen(nullptr);
  win::MemoryDc dc(::CreateCompatibleDC(screen));
  win::Bitmap colour(::CreateCompatibleBitmap(screen, kDragCursorSize, kDragCursorSize));
  win::Bitmap mask(::CreateBitmap(kDragCursorSize, kDragCursorSize, 1, 1, nullptr));
  const RECT all{0, 0, kDragCursorSize, kDragCursorSize};
  const RECT swatch{kDragSwatch, kDragSwatch, kDragCursorSize, kDragCursorSize};
  {
    win::SelectScope sel(dc, colour);
    // Black where the mask lets the screen through: the screen stays as it is.
    win::FillSolid(dc, all, 0);
    if (c == clTransparentColor) {
      win::FillSolid(dc, swatch, ToColorRef(EffectiveColor()));
      DrawImage(dc, kDragSwatch, kDragSwatch, TransparentImageId);
    } else {
      win::Pen frame = win::MakePen(clFrame);
      win::Brush fill = win::MakeSolidBrush(ToColorRef(c));
      win::SelectScope pen(dc, frame);
      win::SelectScope brush(dc, fill);
      ::Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
    }
    win::Pen white = win::MakePen(clWhite);
    win::SelectScope pen(dc, white);
    ::MoveToEx(dc, 6, 0, nullptr);
    ::LineTo(dc, 0, 0);
    ::LineTo(dc, 0, 7);
  }
  {
    win::SelectScope sel(dc, mask);
    win::FillSolid(dc, all, clWhite);
    win::FillSolid(dc, swatch, 0);
  }
  ICONINFO info{};
  info.fIcon = FALSE;
  info.xHotspot = 0;
  info.yHotspot = 0;
  info.hbmMask = mask;
  info.hbmColor = colour;
  HCURSOR cursor = ::CreateIconIndirect(&info);
  if (!cursor) return;
  ::SetCursor(cursor);
  dragCursor_.Reset(cursor);  // the previous one goes now that it is no longer shown
}

// --- mouse ---

void TKOLColorList::Apply(const GridEvent& e) {
  if (e.repaint) Invalidate();
  if (e.fireSelect && OnSelect) OnSelect(*this);
}

void TKOLColorList::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  SetFocus();
  Apply(model_.Press(button, x, y));
  TVMNotRefreshPanel::MouseDown(button, shift, x, y);
}

void TKOLColorList::MouseMove(unsigned shift, int x, int y) {
  const GridEvent e = model_.Move(x, y);
  if (e.startDrag) {
    messenger_.Begin(reinterpret_cast<LPARAM>(hwnd()), e.dragColor);
    StartColorDrag(e.dragColor);
    if (OnStartDragPic) OnStartDragPic(DragColor);
  }
  if (model_.DragActive) {
    SetHint("");
    messenger_.Move();
    if (dragCursor_) ::SetCursor(dragCursor_.Get());
  } else {
    SetHint(model_.HoverHint(x, y));
  }
  TVMNotRefreshPanel::MouseMove(shift, x, y);
}

void TKOLColorList::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  auto alive = AliveToken();
  const GridEvent e = model_.Release(x, y);
  Apply(e);
  if (alive.expired()) return;
  if (e.endDrag) {
    if (OnEndDragPic) OnEndDragPic(DragColor);
    if (alive.expired()) return;
    messenger_.Drop();
    if (alive.expired()) return;
    SetHint(model_.HoverHint(x, y));
  }
  TVMNotRefreshPanel::MouseUp(button, shift, x, y);
  if (alive.expired()) return;
  if (button == MouseButton::Right && PopupMenu) {
    const POINT p = win::LogicalToScreen(hwnd(), {x, y});
    ShowPopup(p.x, p.y);
  }
}

bool TKOLColorList::MouseWheel(int delta) {
  if (!scroller_) return TVMNotRefreshPanel::MouseWheel(delta);
  const int notches = wheel_.Add(delta);
  const int before = scroller_->Position();
  const int after = ColorListWheelPosition(before, notches * kWheelDelta, scroller_->SmallChange, scroller_->Max());
  if (after != before) SetTopRow(after);
  return true;
}

void TKOLColorList::CaptureLost() {
  // No release will come: a drag ends here without a drop, a press without a click.
  if (model_.CancelPress()) {
    auto alive = AliveToken();
    messenger_.Cancel();
    if (alive.expired()) return;
    if (OnEndDragPic) OnEndDragPic(DragColor);
    if (alive.expired()) return;
  }
  TVMNotRefreshPanel::CaptureLost();
}

void TKOLColorList::ShowKeyboardPopup() {
  // On the selected cell when it is in view, else at the strip's corner.
  POINT p{4, 4};
  const int i = model_.ItemIndex;
  const int row = i >= 0 ? i / model_.RowCount - model_.topRow : -1;
  if (row >= 0 && row <= ColorListVisibleRows(GridHeight(), model_.size)) {
    p.x = (i % model_.RowCount) * model_.Pitch() + 4 + model_.size / 2;
    p.y = row * model_.Pitch() + 3 + model_.size / 2;
  }
  p = win::LogicalToScreen(hwnd(), p);
  ShowPopup(p.x, p.y);
}

void TKOLColorList::ShowPopup(int screenX, int screenY) { PopupMenu->Popup(hwnd(), screenX, screenY); }

LRESULT TKOLColorList::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The menu key and Shift+F10 open the menu on the selected cell.
  if (msg == WM_CONTEXTMENU && PopupMenu) {
    if (win::ContextMenuFromKeyboard(lp))
      ShowKeyboardPopup();
    else
      ShowPopup(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    return 0;
  }
  if (msg == WM_DRAGCOLOR_OVER || msg == WM_DRAGCOLOR_DROP) {
    POINT pt{};
    ::GetCursorPos(&pt);
    const RECT wr = WindowRect();
    const int x = Lg(pt.x - wr.left), y = Lg(pt.y - wr.top);
    if (msg == WM_DRAGCOLOR_OVER) {
      if (model_.DragOver(static_cast<unsigned>(wp & 0xFF), x, y)) Invalidate();
    } else {
      const bool fromSelf = lp == reinterpret_cast<LPARAM>(hwnd());
      Apply(model_.Drop(x, y, DragColor.Color, fromSelf));
    }
    return 0;
  }
  return TVMNotRefreshPanel::HandleMessage(msg, wp, lp);
}

}  // namespace kolo
