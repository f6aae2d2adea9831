// The palette strip's cells and the rules that edit them: selection, the
// transparent mark, clear/insert/delete, drops on cells and into the gaps
// between them, moves within the strip, the grid's hit test and painting plan,
// and the press/release/drag-threshold state of the grid. The window class
// (TKOLColorList) only turns messages into these calls and draws the plan.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "platform/input.h"
#include "color/color.h"

namespace kolo {

inline constexpr int kColorListCells = 256;

// Whole grid rows that fit a grid of `height` pixels (a row needs size + 2).
int ColorListVisibleRows(int height, int size);
// The slider's maximum: rows of 256 cells (rounded up) less the visible ones,
// never below 0.
int ColorListSliderMax(int rowCount, int visibleRows);
// A small step per whole notch (120 units) of `delta`: up (towards row 0) for
// a positive delta. The result is clamped to 0..max.
int ColorListWheelPosition(int position, int delta, int smallChange, int max);

// What one cell of the grid looks like.
enum class CellLook {
  Swatch,            // a box filled with `fill` and outlined
  EmptyImage,        // the empty-cell picture
  TransparentImage,  // the transparent-cell picture
  Beyond,            // past cell 255: a box in the background colour, pale outline
};

struct CellPaint {
  int index = 0;
  int x0 = 0, y0 = 0;     // the cell's origin; its box starts at (x0 + 2, y0 + 1)
  bool selected = false;  // box in the selection colour with a frame
  CellLook look = CellLook::Swatch;
  TColor fill = 0;        // Swatch only: 24-bit colour
  bool lineBefore = false;  // drop gap before this cell: line at x0 + 2
  bool lineAfter = false;   // drop gap after it: line at x0 + pitch + 1
};

// Result of a mouse press, release or move on the grid.
struct GridEvent {
  bool repaint = false;
  bool fireSelect = false;     // OnSelect
  bool startDrag = false;      // OnStartDragPic after StartColorDrag(dragColor)
  TColor dragColor = 0;
  bool endDrag = false;        // OnEndDragPic, then the drop message
};

// Enabled items of the strip's popup menu.
struct PaletteMenuState {
  bool copy = false;
  bool paste = false;
  bool insert = false;
  bool del = false;
  bool trans = false;
  bool clear = false;
  bool transIsUnset = false;  // caption "Unset transparent" instead of "Set transparent"
};

class ColorListModel {
 public:
  ColorListModel();

  // --- geometry ---
  int RowCount = 16;  // cells per grid row
  int size = 16;      // swatch side; the cell pitch is size + 4
  int topRow = 0;     // first visible row (the slider's position)
  int Pitch() const { return size + 4; }

  // --- cells ---
  std::array<TColor, kColorListCells> Colors{};
  int ItemIndex = -1;
  int TransparentIndex = -1;
  bool Dragging = false;  // cells may be dragged out

  // --- grid state ---
  bool LeftDown = false;
  bool DragActive = false;
  int DownX = 0, DownY = 0;
  int PressedIndex = -1;
  int DropIndex = -1;
  bool DropBetween = false;

  bool IsEmptyCell(int i) const;
  // The cell exists, is not empty and is not the transparent cell.
  bool IsPlainColorCell(int i) const;

  // Cell under (x, y) in grid coordinates, or -1. between: the gap index
  // (b = the gap before cell b) instead of the cell.
  int HitTest(int x, int y, bool between) const;

  // --- editing ---
  void ClearSelected();
  void DeleteSelected();
  void InsertEmpty();
  // Cell i := colors[i] for the first 256, empty for the rest; no selection,
  // no transparent cell, back to row 0.
  void SetColors(std::span<const TColor> colors);
  // A loaded palette: like SetColors, with the file's transparent index.
  void SetPalette(std::span<const TColor> colors, int transparentIndex);
  // "Set transparent" / "Unset transparent".
  void ToggleTransparent();
  // "Past": the selected cell takes the colour. False when nothing is selected.
  bool PasteIntoSelected(TColor c);

  // --- a colour dragged over and dropped on the grid ---
  // state: kDragEnter/kDragMove/kDragLeave. True when the drop mark changed.
  bool DragOver(unsigned state, int x, int y);
  // fromSelf: the drag came from this grid (a move within the strip when it
  // lands in a gap). Returns repaint and whether OnSelect fires.
  GridEvent Drop(int x, int y, TColor dragged, bool fromSelf);

  // --- the grid's own mouse handling ---
  GridEvent Press(MouseButton button, int x, int y);
  GridEvent Release(int x, int y);
  GridEvent Move(int x, int y);
  // The grid lost the mouse before the release: the press is forgotten and a
  // drag out of the grid ends without a drop. True when a drag was running.
  bool CancelPress();
  // "C" + six hex digits over a plain colour cell; "" elsewhere and while dragging.
  std::string HoverHint(int x, int y) const;

  // --- the popup menu ---
  PaletteMenuState MenuState(bool clipboardHasColor) const;

  // The main window's follow-up after the current colour changed: a selected
  // cell in the rows shown takes the colour, one scrolled away loses the
  // selection. True when anything changed.
  bool FollowCurrentColor(TColor current);

  // What to draw for a grid of `height` pixels: rows 0..V (the last usually cut
  // off), RowCount cells each. dragColor is shown in the drop cell.
  std::vector<CellPaint> PaintPlan(int height, TColor dragColor) const;

 private:
  // Moves colour `c` from cell s into gap g within the strip.
  void MoveWithin(int s, int g, TColor c);
  // Opens gap g (cells g..254 move up, 255 is lost) and puts c there.
  void InsertAt(int g, TColor c);
};

}  // namespace kolo
