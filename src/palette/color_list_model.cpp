#include "palette/color_list_model.h"

#include <algorithm>

#include "frame/hint_caption.h"
#include "platform/messages.h"
#include "widgets/scroll_math.h"

namespace kolo {

namespace {
// A cell holds a 24-bit colour or clEmptyColor, nothing else, so the menu's
// exact test for 0x10000000 and the bit-28 test always agree.
TColor CellValue(TColor c) { return IsEmptyColor(c) ? clEmptyColor : (c & 0xFFFFFF); }
}  // namespace

int ColorListVisibleRows(int height, int size) {
  const int row = size + 2;
  return row > 0 && height > 0 ? height / row : 0;
}

int ColorListSliderMax(int rowCount, int visibleRows) {
  if (rowCount <= 0) return 0;
  const int rows = (kColorListCells + rowCount - 1) / rowCount;
  return std::max(0, rows - visibleRows);
}

int ColorListWheelPosition(int position, int delta, int smallChange, int max) {
  position -= delta / kWheelDelta * smallChange;
  return std::clamp(position, 0, std::max(0, max));
}

ColorListModel::ColorListModel() { Colors.fill(0); }

bool ColorListModel::IsEmptyCell(int i) const {
  return i < 0 || i >= kColorListCells || IsEmptyColor(Colors[static_cast<size_t>(i)]);
}

bool ColorListModel::IsPlainColorCell(int i) const { return !IsEmptyCell(i) && i != TransparentIndex; }

int ColorListModel::HitTest(int x, int y, bool between) const {
  const int p = Pitch();
  if (p <= 0) return -1;
  // Truncating division, as the grid has always measured: a point just left of
  // the first cell still counts as column 0 with a negative offset.
  const int col = (x - 2) / p, row = (y - 1) / p;
  const int dx = (x - 2) % p, dy = (y - 1) % p;
  if (dy < 2 || dy >= size + 2) return -1;
  const int b = (row + topRow) * RowCount + col;
  int result;
  if (!between)
    result = (dx < 2 || dx >= size + 2) ? -1 : b;
  else if (dx < 2)
    result = b;
  else if (dx >= size + 2)
    result = b + 1;
  else
    result = -1;
  return result >= kColorListCells || result < 0 ? -1 : result;
}

void ColorListModel::ClearSelected() {
  if (ItemIndex < 0) return;
  if (TransparentIndex == ItemIndex) TransparentIndex = -1;
  Colors[static_cast<size_t>(ItemIndex)] = clEmptyColor;
  ItemIndex = -1;
}

void ColorListModel::DeleteSelected() {
  if (ItemIndex < 0) return;
  if (TransparentIndex == ItemIndex) TransparentIndex = -1;
  std::copy(Colors.begin() + ItemIndex + 1, Colors.end(), Colors.begin() + ItemIndex);
  Colors[kColorListCells - 1] = clEmptyColor;
  if (TransparentIndex > ItemIndex) --TransparentIndex;
  ItemIndex = -1;
}

void ColorListModel::InsertEmpty() {
  if (ItemIndex < 0) return;
  std::copy_backward(Colors.begin() + ItemIndex, Colors.end() - 1, Colors.end());
  Colors[static_cast<size_t>(ItemIndex)] = clEmptyColor;
  if (TransparentIndex >= ItemIndex) {
    ++TransparentIndex;
    if (TransparentIndex >= kColorListCells) TransparentIndex = -1;
  }
}

void ColorListModel::SetColors(std::span<const TColor> colors) { SetPalette(colors, -1); }

void ColorListModel::SetPalette(std::span<const TColor> colors, int transparentIndex) {
  for (size_t i = 0; i < Colors.size(); ++i) Colors[i] = i < colors.size() ? CellValue(colors[i]) : clEmptyColor;
  TransparentIndex = transparentIndex >= 0 && transparentIndex < kColorListCells ? transparentIndex : -1;
  ItemIndex = -1;
  topRow = 0;
}

void ColorListModel::ToggleTransparent() {
  TransparentIndex = ItemIndex != TransparentIndex ? ItemIndex : -1;
}

bool ColorListModel::PasteIntoSelected(TColor c) {
  if (ItemIndex < 0) return false;
  Colors[static_cast<size_t>(ItemIndex)] = CellValue(c);
  return true;
}

bool ColorListModel::DragOver(unsigned state, int x, int y) {
  const int oldIndex = DropIndex;
  const bool oldBetween = DropBetween;
  if (state == kDragLeave) {
    DropIndex = -1;
    DropBetween = false;
  } else {
    DropIndex = HitTest(x, y, false);
    DropBetween = false;
    if (DropIndex == -1) {
      DropIndex = HitTest(x, y, true);
      DropBetween = DropIndex != -1;
    }
  }
  return DropIndex != oldIndex || DropBetween != oldBetween;
}

void ColorListModel::InsertAt(int g, TColor c) {
  std::copy_backward(Colors.begin() + g, Colors.end() - 1, Colors.end());
  Colors[static_cast<size_t>(g)] = c;
  for (int* index : {&TransparentIndex, &ItemIndex}) {
    if (*index >= g && *index >= 0) {
      ++*index;
      if (*index >= kColorListCells) *index = -1;
    }
  }
}

void ColorListModel::MoveWithin(int s, int g, TColor c) {
  if (g < s) {
    for (int* index : {&TransparentIndex, &ItemIndex}) {
      if (*index == s)
        *index = g;
      else if (g <= *index && *index < s)
        ++*index;
    }
    std::copy_backward(Colors.begin() + g, Colors.begin() + s, Colors.begin() + s + 1);
    Colors[static_cast<size_t>(g)] = c;
  } else if (g > s + 1) {
    for (int* index : {&TransparentIndex, &ItemIndex}) {
      if (*index == s)
        *index = g - 1;
      else if (s < *index && *index < g)
        --*index;
    }
    std::copy(Colors.begin() + s + 1, Colors.begin() + g, Colors.begin() + s);
    Colors[static_cast<size_t>(g - 1)] = c;
  }
  // g == s or g == s + 1: the colour would land where it already is.
}

GridEvent ColorListModel::Drop(int x, int y, TColor dragged, bool fromSelf) {
  GridEvent e;
  e.repaint = true;
  DropIndex = -1;
  DropBetween = false;
  const TColor c = dragged == clTransparentColor ? clEmptyColor : CellValue(dragged);
  const int cell = HitTest(x, y, false);
  if (cell != -1) {
    Colors[static_cast<size_t>(cell)] = c;
    if (TransparentIndex == cell) TransparentIndex = -1;
    e.fireSelect = ItemIndex == cell;
    return e;
  }
  const int gap = HitTest(x, y, true);
  if (gap == -1) return e;
  if (fromSelf && PressedIndex > -1)
    MoveWithin(PressedIndex, gap, c);
  else
    InsertAt(gap, c);
  return e;
}

GridEvent ColorListModel::Press(MouseButton button, int x, int y) {
  GridEvent e;
  // A second button during a drag must not change the cell being moved.
  if (DragActive) return e;
  LeftDown = button == MouseButton::Left;
  DownX = x;
  DownY = y;
  PressedIndex = HitTest(x, y, false);
  if (button == MouseButton::Right) {
    ItemIndex = PressedIndex;
    e.fireSelect = true;
    e.repaint = true;
  }
  return e;
}

GridEvent ColorListModel::Release(int x, int y) {
  GridEvent e;
  if (LeftDown && PressedIndex > -1 && HitTest(x, y, false) == PressedIndex) {
    if (ItemIndex == PressedIndex) {
      ItemIndex = -1;
    } else {
      ItemIndex = PressedIndex;
      e.fireSelect = true;
    }
    e.repaint = true;
  }
  LeftDown = false;
  if (DragActive) {
    DragActive = false;
    e.endDrag = true;
  }
  return e;
}

GridEvent ColorListModel::Move(int x, int y) {
  GridEvent e;
  if (LeftDown && PressBecomesDrag(DownX, DownY, x, y) && IsPlainColorCell(PressedIndex) && Dragging) {
    LeftDown = false;
    DragActive = true;
    e.startDrag = true;
    e.dragColor = Colors[static_cast<size_t>(PressedIndex)];
  }
  return e;
}

bool ColorListModel::CancelPress() {
  const bool dragging = DragActive;
  LeftDown = DragActive = false;
  return dragging;
}

std::string ColorListModel::HoverHint(int x, int y) const {
  if (DragActive) return {};
  const int i = HitTest(x, y, false);
  return IsPlainColorCell(i) ? ColorHint(Colors[static_cast<size_t>(i)]) : std::string();
}

PaletteMenuState ColorListModel::MenuState(bool clipboardHasColor) const {
  PaletteMenuState m;
  const bool selected = ItemIndex != -1;
  m.copy = selected && Colors[static_cast<size_t>(ItemIndex)] != clEmptyColor;
  m.paste = selected && clipboardHasColor;
  m.insert = m.del = selected;
  m.trans = m.clear = m.copy;
  m.transIsUnset = ItemIndex == TransparentIndex;
  return m;
}

bool ColorListModel::FollowCurrentColor(TColor current) {
  if (ItemIndex < 0 || Colors[static_cast<size_t>(ItemIndex)] == current) return false;
  if (ItemIndex < topRow * RowCount)
    ItemIndex = -1;
  else if (ItemIndex <= (topRow + 2) * RowCount)
    Colors[static_cast<size_t>(ItemIndex)] = CellValue(current);
  else
    ItemIndex = -1;
  return true;
}

std::vector<CellPaint> ColorListModel::PaintPlan(int height, TColor dragColor) const {
  std::vector<CellPaint> plan;
  const int v = ColorListVisibleRows(height, size);
  const int p = Pitch();
  for (int r = 0; r <= v; ++r) {
    for (int c = 0; c < RowCount; ++c) {
      CellPaint cell;
      cell.index = (topRow + r) * RowCount + c;
      cell.x0 = c * p;
      cell.y0 = r * p;
      const int i = cell.index;
      if (i >= kColorListCells) {
        cell.look = CellLook::Beyond;
        plan.push_back(cell);
        continue;
      }
      cell.selected = i == ItemIndex;
      if (i == DropIndex && !DropBetween) {
        if (dragColor == clTransparentColor) {
          cell.look = CellLook::EmptyImage;
        } else {
          cell.look = CellLook::Swatch;
          cell.fill = dragColor & 0xFFFFFF;
        }
      } else if (IsEmptyCell(i)) {
        cell.look = CellLook::EmptyImage;
      } else if (i == TransparentIndex) {
        cell.look = CellLook::TransparentImage;
      } else {
        cell.look = CellLook::Swatch;
        cell.fill = Colors[static_cast<size_t>(i)] & 0xFFFFFF;
      }
      if (DropBetween) {
        cell.lineBefore = DropIndex == i;
        cell.lineAfter = DropIndex == i + 1;
      }
      plan.push_back(cell);
    }
  }
  return plan;
}

}  // namespace kolo
