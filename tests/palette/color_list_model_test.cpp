#include "palette/color_list_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/messages.h"

namespace kolo {
namespace {

// Every cell a different colour, so a colour tells where a cell went.
ColorListModel Numbered() {
  ColorListModel m;
  for (int i = 0; i < kColorListCells; ++i) m.Colors[static_cast<size_t>(i)] = 0x010000u * static_cast<TColor>(i) + 7;
  return m;
}

// Centre of cell i's swatch in grid coordinates (row relative to topRow).
struct Pt { int x, y; };
Pt CellCentre(const ColorListModel& m, int i) {
  const int row = i / m.RowCount - m.topRow, col = i % m.RowCount;
  return {col * m.Pitch() + 4 + m.size / 2, row * m.Pitch() + 3 + m.size / 2};
}
// A point in the gap before cell i (the two pixels left of its swatch).
Pt GapBefore(const ColorListModel& m, int i) {
  const Pt c = CellCentre(m, i);
  return {c.x - m.size / 2 - 1, c.y};
}

TEST(ColorListGeometry, RowsSliderAndWheel) {
  EXPECT_EQ(ColorListVisibleRows(42, 16), 2);
  EXPECT_EQ(ColorListVisibleRows(53, 16), 2);
  EXPECT_EQ(ColorListVisibleRows(54, 16), 3);
  EXPECT_EQ(ColorListVisibleRows(0, 16), 0);
  EXPECT_EQ(ColorListSliderMax(16, 2), 14);  // the main window's strip
  EXPECT_EQ(ColorListSliderMax(10, 2), 24);  // 25.6 rows round up to 26
  EXPECT_EQ(ColorListSliderMax(256, 2), 0);  // never below zero
  EXPECT_EQ(ColorListWheelPosition(5, 120, 1, 14), 4);
  EXPECT_EQ(ColorListWheelPosition(5, -120, 1, 14), 6);
  EXPECT_EQ(ColorListWheelPosition(0, 120, 1, 14), 0);
  EXPECT_EQ(ColorListWheelPosition(14, -240, 1, 14), 14);
  EXPECT_EQ(ColorListWheelPosition(3, 0, 1, 14), 3);
}

// The exact hit area of a cell is the swatch box the painting draws.
TEST(ColorListHitTest, ExactHitsAreTheSwatchBoxes) {
  for (int top : {0, 3, 14}) {
    ColorListModel m;
    m.topRow = top;
    const auto plan = m.PaintPlan(42, 0);
    for (int y = -3; y < 45; ++y) {
      for (int x = -3; x < 324; ++x) {
        int expected = -1;
        for (const CellPaint& c : plan)
          if (c.index < 256 && x >= c.x0 + 4 && x < c.x0 + 4 + m.size && y >= c.y0 + 3 && y < c.y0 + 3 + m.size)
            expected = c.index;
        ASSERT_EQ(m.HitTest(x, y, false), expected) << x << "," << y << " top " << top;
      }
    }
  }
}

TEST(ColorListHitTest, GapsAndLimits) {
  ColorListModel m;
  // Cell 0 swatch spans x 4..19; the gap before it is x 2..3, after it x 20..21.
  EXPECT_EQ(m.HitTest(2, 10, true), 0);
  EXPECT_EQ(m.HitTest(3, 10, true), 0);
  EXPECT_EQ(m.HitTest(4, 10, true), -1);
  EXPECT_EQ(m.HitTest(19, 10, true), -1);
  EXPECT_EQ(m.HitTest(20, 10, true), 1);
  EXPECT_EQ(m.HitTest(21, 10, true), 1);
  EXPECT_EQ(m.HitTest(22, 10, true), 1);  // next column's leading gap
  // Just left of the first cell still measures as column 0.
  EXPECT_EQ(m.HitTest(0, 10, true), 0);
  EXPECT_EQ(m.HitTest(0, 10, false), -1);
  // Rows: the gap lines between rows hit nothing, in either mode.
  EXPECT_EQ(m.HitTest(10, 2, false), -1);
  EXPECT_EQ(m.HitTest(10, 3, false), 0);
  EXPECT_EQ(m.HitTest(10, 18, false), 0);
  EXPECT_EQ(m.HitTest(10, 19, false), -1);
  EXPECT_EQ(m.HitTest(2, 19, true), -1);
  EXPECT_EQ(m.HitTest(10, 23, false), 16);
  // The column is not clamped: right of the last column is the next row's start.
  EXPECT_EQ(m.HitTest(322, 10, true), 16);
  EXPECT_EQ(m.HitTest(322, 10, false), -1);
  // Past cell 255 nothing is hit.
  m.topRow = 15;
  EXPECT_EQ(m.HitTest(310, 10, false), 255);
  EXPECT_EQ(m.HitTest(318, 10, true), -1);  // the gap after 255 would be 256
  EXPECT_EQ(m.HitTest(10, 23, false), -1);  // row 16
  // Another shape: 10 columns of 8-pixel swatches.
  m.RowCount = 10;
  m.size = 8;
  m.topRow = 2;
  EXPECT_EQ(m.HitTest(12 * 3 + 6, 12 + 5, false), 2 * 10 + 10 + 3);
  EXPECT_EQ(m.HitTest(12 * 3 + 2, 12 + 5, true), 33);
  EXPECT_EQ(m.HitTest(12 * 3 + 12, 12 + 5, true), 34);
}

TEST(ColorListEditing, ClearDeleteInsert) {
  ColorListModel m = Numbered();
  const auto before = m.Colors;

  m.ClearSelected();  // nothing selected: nothing happens
  m.DeleteSelected();
  m.InsertEmpty();
  EXPECT_EQ(m.Colors, before);

  m.ItemIndex = 4;
  m.TransparentIndex = 4;
  m.ClearSelected();
  EXPECT_EQ(m.Colors[4], clEmptyColor);
  EXPECT_EQ(m.ItemIndex, -1);
  EXPECT_EQ(m.TransparentIndex, -1);
  EXPECT_EQ(m.Colors[5], before[5]);

  // Transparent 5, selected 2: Insert keeps the mark on the same colour.
  m = Numbered();
  m.TransparentIndex = 5;
  m.ItemIndex = 2;
  m.InsertEmpty();
  EXPECT_EQ(m.ItemIndex, 2);
  EXPECT_EQ(m.Colors[2], clEmptyColor);
  EXPECT_EQ(m.TransparentIndex, 6);
  EXPECT_EQ(m.Colors[6], before[5]);
  EXPECT_EQ(m.Colors[255], before[254]);  // the last colour is gone
  EXPECT_EQ(m.Colors[1], before[1]);

  // ... and Delete at 2 moves it to 4.
  m = Numbered();
  m.TransparentIndex = 5;
  m.ItemIndex = 2;
  m.DeleteSelected();
  EXPECT_EQ(m.ItemIndex, -1);
  EXPECT_EQ(m.TransparentIndex, 4);
  EXPECT_EQ(m.Colors[4], before[5]);
  EXPECT_EQ(m.Colors[2], before[3]);
  EXPECT_EQ(m.Colors[254], before[255]);
  EXPECT_EQ(m.Colors[255], clEmptyColor);

  // Deleting the transparent cell drops the mark; a mark before it stays.
  m = Numbered();
  m.TransparentIndex = 9;
  m.ItemIndex = 9;
  m.DeleteSelected();
  EXPECT_EQ(m.TransparentIndex, -1);
  m.TransparentIndex = 3;
  m.ItemIndex = 9;
  m.DeleteSelected();
  EXPECT_EQ(m.TransparentIndex, 3);

  // Inserting at or before the transparent cell 255 pushes the mark off.
  m = Numbered();
  m.TransparentIndex = 255;
  m.ItemIndex = 255;
  m.InsertEmpty();
  EXPECT_EQ(m.TransparentIndex, -1);
  EXPECT_EQ(m.Colors[255], clEmptyColor);
  // Inserting after the transparent cell leaves it alone.
  m = Numbered();
  m.TransparentIndex = 3;
  m.ItemIndex = 4;
  m.InsertEmpty();
  EXPECT_EQ(m.TransparentIndex, 3);
}

TEST(ColorListEditing, SetColorsAndPalettes) {
  ColorListModel m = Numbered();
  m.ItemIndex = 3;
  m.TransparentIndex = 7;
  m.topRow = 9;
  const std::vector<TColor> three{0x112233, 0x10ABCDEF, 0x40445566};
  m.SetColors(three);
  EXPECT_EQ(m.Colors[0], 0x112233u);
  EXPECT_EQ(m.Colors[1], clEmptyColor);  // any value with the empty bit is an empty cell
  EXPECT_EQ(m.Colors[2], 0x445566u);     // stray high bits are not part of a colour
  for (int i = 3; i < 256; ++i) ASSERT_EQ(m.Colors[static_cast<size_t>(i)], clEmptyColor) << i;
  EXPECT_EQ(m.ItemIndex, -1);
  EXPECT_EQ(m.TransparentIndex, -1);
  EXPECT_EQ(m.topRow, 0);

  std::vector<TColor> many(300);
  for (size_t i = 0; i < many.size(); ++i) many[i] = static_cast<TColor>(i);
  m.SetColors(many);
  EXPECT_EQ(m.Colors[255], 255u);
  m.SetColors({});
  EXPECT_TRUE(std::all_of(m.Colors.begin(), m.Colors.end(), [](TColor c) { return c == clEmptyColor; }));

  m.SetPalette(three, 2);
  EXPECT_EQ(m.TransparentIndex, 2);
  m.SetPalette(three, 256);  // an act trailer may name a cell that does not exist
  EXPECT_EQ(m.TransparentIndex, -1);
  m.SetPalette(three, 0xFFFF);
  EXPECT_EQ(m.TransparentIndex, -1);
}

TEST(ColorListEditing, TransparentToggleAndPaste) {
  ColorListModel m = Numbered();
  m.ItemIndex = 6;
  m.ToggleTransparent();
  EXPECT_EQ(m.TransparentIndex, 6);
  m.ToggleTransparent();
  EXPECT_EQ(m.TransparentIndex, -1);
  m.TransparentIndex = 2;
  m.ToggleTransparent();  // moves the mark to the selected cell
  EXPECT_EQ(m.TransparentIndex, 6);

  EXPECT_TRUE(m.PasteIntoSelected(0xABCDEF));
  EXPECT_EQ(m.Colors[6], 0xABCDEFu);
  m.ItemIndex = -1;
  const auto before = m.Colors;
  EXPECT_FALSE(m.PasteIntoSelected(0x111111));
  EXPECT_EQ(m.Colors, before);
}

TEST(ColorListMenu, EnablingRules) {
  ColorListModel m = Numbered();
  PaletteMenuState s = m.MenuState(true);
  EXPECT_FALSE(s.copy || s.paste || s.insert || s.del || s.trans || s.clear);

  m.ItemIndex = 3;
  s = m.MenuState(false);
  EXPECT_TRUE(s.copy && s.insert && s.del && s.trans && s.clear);
  EXPECT_FALSE(s.paste);
  EXPECT_FALSE(s.transIsUnset);
  EXPECT_TRUE(m.MenuState(true).paste);

  m.TransparentIndex = 3;
  EXPECT_TRUE(m.MenuState(false).transIsUnset);

  // An empty selected cell: only paste, insert and delete make sense.
  m.Colors[3] = clEmptyColor;
  s = m.MenuState(true);
  EXPECT_FALSE(s.copy || s.trans || s.clear);
  EXPECT_TRUE(s.paste && s.insert && s.del);
}

TEST(ColorListDrop, OnACell) {
  ColorListModel m = Numbered();
  const auto before = m.Colors;
  m.PressedIndex = 1;  // a drag from this grid onto a cell copies
  Pt p = CellCentre(m, 9);
  GridEvent e = m.Drop(p.x, p.y, before[1], true);
  EXPECT_TRUE(e.repaint);
  EXPECT_FALSE(e.fireSelect);
  EXPECT_EQ(m.Colors[9], before[1]);
  EXPECT_EQ(m.Colors[1], before[1]);

  // Dropping the transparent pseudo-colour empties the cell; onto the transparent
  // cell it removes the mark; onto the selected cell it fires OnSelect.
  m.TransparentIndex = 9;
  m.ItemIndex = 9;
  e = m.Drop(p.x, p.y, clTransparentColor, false);
  EXPECT_EQ(m.Colors[9], clEmptyColor);
  EXPECT_EQ(m.TransparentIndex, -1);
  EXPECT_TRUE(e.fireSelect);

  // No hit: nothing changes, the drop mark goes.
  m.DropIndex = 4;
  const auto now = m.Colors;
  e = m.Drop(10, 20, 0x123456, false);
  EXPECT_TRUE(e.repaint);
  EXPECT_EQ(m.Colors, now);
  EXPECT_EQ(m.DropIndex, -1);
}

// Reference: a gap insertion is "insert before g, keep 256".
TEST(ColorListDrop, InsertionFromAnotherSourceMatchesAListInsert) {
  for (int g = 0; g < 256; g += 5) {
    for (int mark : {-1, 0, 100, 254, 255}) {
      ColorListModel m = Numbered();
      m.TransparentIndex = mark;
      m.ItemIndex = mark >= 0 ? 255 - mark : -1;
      m.PressedIndex = 3;  // stale; the source is not this grid
      std::vector<TColor> ref(m.Colors.begin(), m.Colors.end());
      ref.insert(ref.begin() + g, 0xABCDEF);
      const TColor markColor = mark >= 0 ? m.Colors[static_cast<size_t>(mark)] : 0;
      const TColor itemColor = m.ItemIndex >= 0 ? m.Colors[static_cast<size_t>(m.ItemIndex)] : 0;
      const int item = m.ItemIndex;
      // Put the gap's row in view, as the user would scroll to it.
      m.topRow = g / 16;
      const Pt p = GapBefore(m, g);
      GridEvent e = m.Drop(p.x, p.y, 0xABCDEF, false);
      EXPECT_FALSE(e.fireSelect);
      for (int i = 0; i < 256; ++i) ASSERT_EQ(m.Colors[static_cast<size_t>(i)], ref[static_cast<size_t>(i)]) << g;
      auto follows = [&](int oldIndex, int newIndex, TColor colour) {
        if (oldIndex < 0 || oldIndex == 255) {  // none, or pushed off the end
          EXPECT_EQ(newIndex, -1) << g;
        } else {
          ASSERT_GE(newIndex, 0) << g;
          EXPECT_EQ(m.Colors[static_cast<size_t>(newIndex)], colour) << g;
        }
      };
      follows(mark, m.TransparentIndex, markColor);
      follows(item, m.ItemIndex, itemColor);
    }
  }
}

TEST(ColorListDrop, InsertingTheTransparentColourMakesAnEmptyCell) {
  ColorListModel m = Numbered();
  m.Colors[255] = 0x777777;
  const Pt p = GapBefore(m, 5);
  m.Drop(p.x, p.y, clTransparentColor, false);
  EXPECT_EQ(m.Colors[5], clEmptyColor);
  EXPECT_NE(m.Colors[255], 0x777777u);
}

// Reference: a move is "take the colour out of s, put it back before g".
TEST(ColorListDrop, MovesWithinTheStripMatchAListMove) {
  for (int s = 0; s < 256; s += 3) {
    for (int g = 0; g < 256; ++g) {
      ColorListModel m = Numbered();
      m.TransparentIndex = (s * 7 + 11) % 256;
      m.ItemIndex = (g * 5 + 3) % 256;
      if (m.TransparentIndex == s) m.TransparentIndex = -1;  // the transparent cell cannot be dragged
      const TColor markColor = m.TransparentIndex >= 0 ? m.Colors[static_cast<size_t>(m.TransparentIndex)] : 0;
      const TColor itemColor = m.Colors[static_cast<size_t>(m.ItemIndex)];
      std::vector<TColor> ref(m.Colors.begin(), m.Colors.end());
      const TColor moved = ref[static_cast<size_t>(s)];
      ref.erase(ref.begin() + s);
      ref.insert(ref.begin() + (g > s ? g - 1 : g), moved);

      m.PressedIndex = s;
      m.topRow = g / 16;
      const Pt p = GapBefore(m, g);
      ASSERT_EQ(m.HitTest(p.x, p.y, true), g);
      GridEvent e = m.Drop(p.x, p.y, moved, true);
      EXPECT_FALSE(e.fireSelect);
      for (int i = 0; i < 256; ++i)
        ASSERT_EQ(m.Colors[static_cast<size_t>(i)], ref[static_cast<size_t>(i)]) << "s=" << s << " g=" << g;
      if (markColor) {
        EXPECT_EQ(m.Colors[static_cast<size_t>(m.TransparentIndex)], markColor);
      }
      EXPECT_EQ(m.Colors[static_cast<size_t>(m.ItemIndex)], itemColor) << "s=" << s << " g=" << g;
    }
  }
}

TEST(ColorListDrop, MoveOntoItsOwnGapsChangesNothing) {
  ColorListModel m = Numbered();
  m.ItemIndex = 20;
  m.TransparentIndex = 21;
  const auto before = m.Colors;
  m.PressedIndex = 20;
  m.topRow = 1;
  for (int g : {20, 21}) {
    const Pt p = GapBefore(m, g);
    m.Drop(p.x, p.y, before[20], true);
    EXPECT_EQ(m.Colors, before);
    EXPECT_EQ(m.ItemIndex, 20);
    EXPECT_EQ(m.TransparentIndex, 21);
  }
  // The selected cell moved along with its colour, both directions.
  const Pt left = GapBefore(m, 17);
  m.Drop(left.x, left.y, before[20], true);
  EXPECT_EQ(m.ItemIndex, 17);
  EXPECT_EQ(m.Colors[17], before[20]);
  EXPECT_EQ(m.TransparentIndex, 21);  // 17 <= 21 but not below the source any more
}

TEST(ColorListDragOver, MarksCellsAndGaps) {
  ColorListModel m;
  const Pt c = CellCentre(m, 3);
  EXPECT_TRUE(m.DragOver(kDragEnter, c.x, c.y));
  EXPECT_EQ(m.DropIndex, 3);
  EXPECT_FALSE(m.DropBetween);
  EXPECT_FALSE(m.DragOver(kDragMove, c.x + 1, c.y));  // same cell: no repaint
  const Pt g = GapBefore(m, 4);
  EXPECT_TRUE(m.DragOver(kDragMove, g.x, g.y));
  EXPECT_EQ(m.DropIndex, 4);
  EXPECT_TRUE(m.DropBetween);
  EXPECT_TRUE(m.DragOver(kDragMove, g.x, 1));  // between rows: nothing
  EXPECT_EQ(m.DropIndex, -1);
  EXPECT_FALSE(m.DropBetween);
  m.DragOver(kDragMove, c.x, c.y);
  EXPECT_TRUE(m.DragOver(kDragLeave, c.x, c.y));  // leave clears even over a cell
  EXPECT_EQ(m.DropIndex, -1);
  EXPECT_FALSE(m.DragOver(kDragLeave, 0, 0));
}

TEST(ColorListMouse, RightPressSelectsAnythingAndFiresSelect) {
  ColorListModel m = Numbered();
  const Pt c = CellCentre(m, 7);
  GridEvent e = m.Press(MouseButton::Right, c.x, c.y);
  EXPECT_TRUE(e.fireSelect && e.repaint);
  EXPECT_EQ(m.ItemIndex, 7);
  EXPECT_FALSE(m.LeftDown);
  // A gap: no selection, still an OnSelect.
  const Pt g = GapBefore(m, 8);
  e = m.Press(MouseButton::Right, g.x, g.y);
  EXPECT_TRUE(e.fireSelect);
  EXPECT_EQ(m.ItemIndex, -1);
  // The release of a right press selects nothing more.
  e = m.Release(g.x, g.y);
  EXPECT_FALSE(e.fireSelect);
  EXPECT_EQ(m.ItemIndex, -1);
}

TEST(ColorListMouse, LeftClickToggles) {
  ColorListModel m = Numbered();
  const Pt c = CellCentre(m, 5);
  m.Press(MouseButton::Left, c.x, c.y);
  EXPECT_TRUE(m.LeftDown);
  GridEvent e = m.Release(c.x + 3, c.y - 3);  // still the same cell
  EXPECT_TRUE(e.fireSelect);
  EXPECT_EQ(m.ItemIndex, 5);
  m.Press(MouseButton::Left, c.x, c.y);
  e = m.Release(c.x, c.y);
  EXPECT_FALSE(e.fireSelect);  // unselecting fires nothing
  EXPECT_TRUE(e.repaint);
  EXPECT_EQ(m.ItemIndex, -1);

  // Released on another cell or a gap: nothing.
  m.Press(MouseButton::Left, c.x, c.y);
  const Pt other = CellCentre(m, 6);
  e = m.Release(other.x, other.y);
  EXPECT_FALSE(e.fireSelect || e.repaint);
  EXPECT_EQ(m.ItemIndex, -1);
  const Pt g = GapBefore(m, 5);
  m.Press(MouseButton::Left, g.x, g.y);
  e = m.Release(g.x, g.y);
  EXPECT_FALSE(e.fireSelect || e.repaint);

  // An empty cell can be selected by a click too (pasting into it needs that).
  m.Colors[5] = clEmptyColor;
  m.Press(MouseButton::Left, c.x, c.y);
  e = m.Release(c.x, c.y);
  EXPECT_TRUE(e.fireSelect);
  EXPECT_EQ(m.ItemIndex, 5);
}

TEST(ColorListMouse, DragThresholdAndWhatMayBeDragged) {
  ColorListModel m = Numbered();
  m.Dragging = true;
  const Pt c = CellCentre(m, 2);
  m.Press(MouseButton::Left, c.x, c.y);
  EXPECT_FALSE(m.Move(c.x + 3, c.y + 3).startDrag);
  EXPECT_FALSE(m.Move(c.x - 3, c.y - 3).startDrag);
  GridEvent e = m.Move(c.x, c.y - 4);
  EXPECT_TRUE(e.startDrag);
  EXPECT_EQ(e.dragColor, m.Colors[2]);
  EXPECT_TRUE(m.DragActive);
  EXPECT_FALSE(m.LeftDown);
  EXPECT_FALSE(m.Move(c.x + 20, c.y).startDrag);  // once per press
  EXPECT_EQ(m.HoverHint(c.x, c.y), "");           // no colour hints while dragging
  // Another button during the drag changes neither the source cell nor the selection.
  const Pt other = CellCentre(m, 9);
  EXPECT_FALSE(m.Press(MouseButton::Right, other.x, other.y).fireSelect);
  EXPECT_EQ(m.PressedIndex, 2);
  EXPECT_EQ(m.ItemIndex, -1);
  // The release ends the drag; it does not toggle the selection.
  e = m.Release(c.x, c.y);
  EXPECT_TRUE(e.endDrag);
  EXPECT_FALSE(e.fireSelect);
  EXPECT_FALSE(m.DragActive);
  EXPECT_EQ(m.ItemIndex, -1);
  EXPECT_FALSE(m.Release(c.x, c.y).endDrag);

  m.Press(MouseButton::Left, c.x, c.y);
  EXPECT_TRUE(m.Move(c.x + 4, c.y).startDrag);
  m.Release(c.x, c.y);

  // Not from an empty cell, the transparent cell, a gap, a right press, or with dragging off.
  auto starts = [&](ColorListModel& model, MouseButton b, Pt p) {
    model.Press(b, p.x, p.y);
    const bool s = model.Move(p.x + 10, p.y).startDrag;
    model.Release(p.x + 10, p.y);
    return s;
  };
  ColorListModel n = Numbered();
  n.Dragging = true;
  n.Colors[2] = clEmptyColor;
  EXPECT_FALSE(starts(n, MouseButton::Left, c));
  n = Numbered();
  n.Dragging = true;
  n.TransparentIndex = 2;
  EXPECT_FALSE(starts(n, MouseButton::Left, c));
  n.TransparentIndex = -1;
  EXPECT_FALSE(starts(n, MouseButton::Left, GapBefore(n, 2)));
  EXPECT_FALSE(starts(n, MouseButton::Right, c));
  n.Dragging = false;
  EXPECT_FALSE(starts(n, MouseButton::Left, c));
  n.Dragging = true;
  EXPECT_TRUE(starts(n, MouseButton::Left, c));
}

TEST(ColorListMouse, HoverHints) {
  ColorListModel m = Numbered();
  m.Colors[1] = 0x00A0B0;
  const Pt c = CellCentre(m, 1);
  EXPECT_EQ(m.HoverHint(c.x, c.y), "C00A0B0");
  const Pt g = GapBefore(m, 1);
  EXPECT_EQ(m.HoverHint(g.x, g.y), "");
  m.TransparentIndex = 1;
  EXPECT_EQ(m.HoverHint(c.x, c.y), "");
  m.TransparentIndex = -1;
  m.Colors[1] = clEmptyColor;
  EXPECT_EQ(m.HoverHint(c.x, c.y), "");
}

TEST(ColorListFollow, SelectedCellTakesTheCurrentColourWhileShown) {
  ColorListModel m = Numbered();
  EXPECT_FALSE(m.FollowCurrentColor(0x123456));  // nothing selected
  m.topRow = 3;
  m.ItemIndex = 50;  // row 3
  EXPECT_TRUE(m.FollowCurrentColor(0x123456));
  EXPECT_EQ(m.Colors[50], 0x123456u);
  EXPECT_FALSE(m.FollowCurrentColor(0x123456));  // same colour: nothing to do
  m.ItemIndex = 47;  // row 2, scrolled away
  EXPECT_TRUE(m.FollowCurrentColor(0x654321));
  EXPECT_EQ(m.ItemIndex, -1);
  EXPECT_NE(m.Colors[47], 0x654321u);
  m.ItemIndex = 81;  // row 5: below the rows shown
  EXPECT_TRUE(m.FollowCurrentColor(0x654321));
  EXPECT_EQ(m.ItemIndex, -1);
}

TEST(ColorListPaint, PlanFollowsTheCellsAndTheDropMark) {
  ColorListModel m = Numbered();
  m.topRow = 1;
  m.ItemIndex = 17;
  m.TransparentIndex = 18;
  m.Colors[19] = clEmptyColor;
  auto plan = m.PaintPlan(42, 0x0000FF);
  ASSERT_EQ(plan.size(), 48u);  // rows 0..2 of 16
  EXPECT_EQ(plan[0].index, 16);
  EXPECT_EQ(plan[1].index, 17);
  EXPECT_TRUE(plan[1].selected);
  EXPECT_EQ(plan[1].x0, 20);
  EXPECT_EQ(plan[17].y0, 20);
  EXPECT_EQ(plan[1].look, CellLook::Swatch);
  EXPECT_EQ(plan[1].fill, m.Colors[17]);
  EXPECT_EQ(plan[2].look, CellLook::TransparentImage);
  EXPECT_EQ(plan[3].look, CellLook::EmptyImage);

  m.DropIndex = 20;
  plan = m.PaintPlan(42, 0x0000FF);
  EXPECT_EQ(plan[4].look, CellLook::Swatch);
  EXPECT_EQ(plan[4].fill, 0x0000FFu);
  plan = m.PaintPlan(42, clTransparentColor);
  EXPECT_EQ(plan[4].look, CellLook::EmptyImage);

  m.DropBetween = true;
  plan = m.PaintPlan(42, 0x0000FF);
  EXPECT_EQ(plan[4].fill, m.Colors[20]);  // a gap mark leaves the cell as it is
  EXPECT_TRUE(plan[4].lineBefore);
  EXPECT_TRUE(plan[3].lineAfter);
  EXPECT_EQ(std::count_if(plan.begin(), plan.end(), [](const CellPaint& c) { return c.lineBefore || c.lineAfter; }), 2);

  m.topRow = 14;
  plan = m.PaintPlan(42, 0);
  EXPECT_EQ(plan.back().index, 16 * 16 + 15);
  EXPECT_EQ(plan.back().look, CellLook::Beyond);
  EXPECT_EQ(plan[31].look, CellLook::Swatch);
}

}  // namespace
}  // namespace kolo
