// The palette strip's grid in a window: painting against pixels worked out
// here from the cells, the mouse, the wheel, the drag cursor and the colour
// drag between windows.
#include "palette/win/color_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "../../widgets/win/widget_test_util.h"
#include "platform/messages.h"
#include "platform/win/hints.h"

namespace kolo {
namespace {

using namespace kolo::testing;

constexpr int kEmptyImage = 243, kTransparentImage = 244;

TVMGIFImageList& MainImages() {
  static TVMGIFImageList list;
  if (list.Count() == 0) list.LoadFromResource("KOLO_IMAGES_MAIN");
  return list;
}

// Pixel (x, y) of a picture of the pack as its GIF says, nothing where it is transparent.
std::optional<TColor> ImagePixel(int index, int x, int y) {
  const GifPicture* pic = MainImages().Picture(index);
  if (!pic || pic->frames.empty()) return std::nullopt;
  const GifFrame& f = pic->frames[0];
  const int fx = x - f.left, fy = y - f.top;
  if (fx < 0 || fy < 0 || fx >= f.width || fy >= f.height) return std::nullopt;
  const int i = f.indices[static_cast<size_t>(fy) * f.width + fx];
  if (i == f.transparentIndex) return std::nullopt;
  const GifRgb c = pic->PaletteOf(f)[static_cast<size_t>(i)];
  return MakeColor(c.r, c.g, c.b);
}

// The grid as the program has always drawn it, pixel by pixel.
class ExpectedGrid {
 public:
  ExpectedGrid(const TKOLColorList& list, int width, int height)
      : w_(width), h_(height), px_(static_cast<size_t>(width) * height, list.Color()), list_(list) {
    const ColorListModel& m = list.Model();
    const int p = m.size + 4, size = m.size, v = height / (size + 2);
    for (int r = 0; r <= v; ++r) {
      for (int c = 0; c < m.RowCount; ++c) {
        const int i = (m.topRow + r) * m.RowCount + c, x0 = c * p, y0 = r * p;
        if (i < 256 && i == m.ItemIndex) {
          Fill(x0 + 2, y0 + 1, p, p, list.SelectColor());
          Frame(x0 + 2, y0 + 1, p, p, clFrame);
        } else {
          Fill(x0 + 2, y0 + 1, p, p, list.Color());
        }
        if (i >= 256) {
          Fill(x0 + 4, y0 + 3, size, size, list.Color());
          Frame(x0 + 4, y0 + 3, size, size, clSelectedSlot);
          continue;
        }
        const TColor cell = m.Colors[static_cast<size_t>(i)];
        if (i == m.DropIndex && !m.DropBetween) {
          if (list.DragColor.Color == clTransparentColor)
            Image(x0 + 4, y0 + 3, kEmptyImage);
          else
            Swatch(x0 + 4, y0 + 3, size, list.DragColor.Color);
        } else if (cell & 0x10000000) {
          Image(x0 + 4, y0 + 3, kEmptyImage);
        } else if (i == m.TransparentIndex) {
          Image(x0 + 4, y0 + 3, kTransparentImage);
        } else {
          Swatch(x0 + 4, y0 + 3, size, cell);
        }
        if (m.DropBetween && m.DropIndex == i) Fill(x0 + 2, y0 + 1, 1, p, clFrame);
        if (m.DropBetween && m.DropIndex == i + 1) Fill(x0 + p + 1, y0 + 1, 1, p, clFrame);
      }
    }
  }
  TColor At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

 private:
  void Set(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y) * w_ + x] = c & 0xFFFFFF;
  }
  void Fill(int x, int y, int w, int h, TColor c) {
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) Set(x + i, y + j, c);
  }
  void Frame(int x, int y, int w, int h, TColor c) {
    Fill(x, y, w, 1, c);
    Fill(x, y + h - 1, w, 1, c);
    Fill(x, y, 1, h, c);
    Fill(x + w - 1, y, 1, h, c);
  }
  void Swatch(int x, int y, int size, TColor c) {
    Fill(x, y, size, size, c);
    Frame(x, y, size, size, clFrame);
  }
  void Image(int x, int y, int index) {
    for (int j = 0; j < 16; ++j)
      for (int i = 0; i < 16; ++i)
        if (auto c = ImagePixel(index, i, j)) Set(x + i, y + j, *c);
  }
  int w_, h_;
  std::vector<TColor> px_;
  const TKOLColorList& list_;
};

void ExpectPixelsMatch(TKOLColorList& list, const char* what) {
  Rendering r(list);
  ExpectedGrid e(list, list.Width(), list.Height());
  int wrong = 0;
  for (int y = 0; y < list.Height(); ++y)
    for (int x = 0; x < list.Width(); ++x)
      if (r.At(x, y) != e.At(x, y) && wrong++ < 5)
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << std::hex << r.At(x, y) << " not "
                      << e.At(x, y);
  EXPECT_EQ(wrong, 0) << what;
}

// A form with the strip's grid and slider, as the main window sets them up.
class ColorListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.SetColor(clSkyBlue);
    list.SetSelectColor(clSelectedSlot);
    list.SetDragging(true);
    list.SetImageList(&MainImages());
    list.EmptyImageId = kEmptyImage;
    list.TransparentImageId = kTransparentImage;
    ASSERT_TRUE(list.Create(form.Handle(), 10, 10, 324, 42));
    ASSERT_TRUE(slider.Create(form.Handle(), 334, 10, 9, 42));
    slider.SmallChange = 1;
    list.SetVerticalScroller(&slider);
    for (int i = 0; i < 256; ++i) list.SetCell(i, MakeColor(i, 255 - i, (i * 7) & 0xFF));
    list.OnSelect = [this](Widget&) { ++selects; };
  }
  // Centre of cell i in the list's coordinates (rows relative to the top row).
  POINT Centre(int i) const {
    return {(i % 16) * 20 + 12, (i / 16 - list.TopRow()) * 20 + 11};
  }

  TestForm form{360, 70};
  TVMScrollImage slider;  // outlives the list that scrolls with it
  TKOLColorList list;
  int selects = 0;
};

TEST(ColorListArt, CellPicturesLookAsDescribed) {
  // Empty cell: a 10x10 pale square with three sky-blue pixels round it.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool inner = x >= 3 && x < 13 && y >= 3 && y < 13;
      ASSERT_EQ(ImagePixel(kEmptyImage, x, y).value_or(clSkyBlue), inner ? clSelectedSlot : clSkyBlue) << x << "," << y;
    }
  // Transparent cell: a frame, and inside only white and light grey, both present.
  int white = 0, grey = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const TColor c = ImagePixel(kTransparentImage, x, y).value_or(0x123456);
      if (x == 0 || y == 0 || x == 15 || y == 15) {
        ASSERT_EQ(c, clFrame) << x << "," << y;
      } else {
        ASSERT_TRUE(c == clWhite || c == 0xBBBBBB) << x << "," << y;
        (c == clWhite ? white : grey)++;
      }
    }
  EXPECT_GT(white, 50);
  EXPECT_GT(grey, 50);
}

TEST_F(ColorListTest, DefaultsAndSlider) {
  EXPECT_EQ(list.RowCount(), 16);
  EXPECT_EQ(list.CellSize(), 16);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.TransparentIndex(), -1);
  EXPECT_EQ(slider.Max(), 14);
  EXPECT_EQ(slider.LargeChange, 2);
  TKOLColorList fresh;
  EXPECT_EQ(fresh.Colors()[0], 0u);
  EXPECT_FALSE(fresh.Dragging());
  EXPECT_EQ(fresh.SelectColor(), 0u);
  EXPECT_EQ(fresh.EmptyImageId, -1);
}

TEST_F(ColorListTest, PaintsCellsSelectionMarksAndDropTargets) {
  list.SetCell(7, clEmptyColor);
  list.SetItemIndex(3);
  list.SetTransparentIndex(5);
  ExpectPixelsMatch(list, "plain");

  // A colour dragged over cell 9, then over the gap before cell 20.
  list.DragColor.Color = 0x3366CC;
  list.Model().DropIndex = 9;
  ExpectPixelsMatch(list, "drop on a cell");
  list.DragColor.Color = clTransparentColor;
  ExpectPixelsMatch(list, "transparent drop on a cell");
  list.Model().DropIndex = 20;
  list.Model().DropBetween = true;
  ExpectPixelsMatch(list, "drop in a gap");

  // Scrolled, and with the selected cell being the transparent one.
  list.Model().DropIndex = -1;
  list.Model().DropBetween = false;
  list.SetTopRow(7);
  list.SetItemIndex(7 * 16 + 2);
  list.SetTransparentIndex(7 * 16 + 2);
  ExpectPixelsMatch(list, "scrolled");

  // A few pixels said outright, so the reference cannot drift with the code.
  Rendering r(list);
  const TColor cell = list.Cell(7 * 16 + 1);
  EXPECT_EQ(r.At(24, 3), clFrame);         // swatch outline, top-left
  EXPECT_EQ(r.At(25, 4), cell);            // swatch inside
  EXPECT_EQ(r.At(38, 17), cell);
  EXPECT_EQ(r.At(39, 18), clFrame);        // bottom-right of the outline
  EXPECT_EQ(r.At(22, 2), clSkyBlue);       // between box edge and swatch
  EXPECT_EQ(r.At(42, 1), clFrame);         // the selected box's frame
  EXPECT_EQ(r.At(43, 2), clSelectedSlot);  // and its fill
  EXPECT_EQ(r.At(0, 0), clSkyBlue);
}

TEST_F(ColorListTest, CellsPastTheLastOneArePale) {
  list.SetRowCount(10);  // 26 rows: the last shows cells 250..259
  EXPECT_EQ(slider.Max(), 24);
  list.SetTopRow(24);
  ExpectPixelsMatch(list, "past cell 255");
  Rendering r(list);
  EXPECT_EQ(r.At(6 * 20 + 4, 20 + 3), clSelectedSlot);  // cell 256's outline
  EXPECT_EQ(r.At(6 * 20 + 5, 20 + 4), clSkyBlue);
}

TEST_F(ColorListTest, HoverHintsNameColourCellsOnly) {
  list.SetCell(1, 0x0A0B0C);
  list.SetTransparentIndex(2);
  list.SetCell(3, clEmptyColor);
  POINT c = Centre(1);
  MouseMove(list.Handle(), c.x, c.y);
  EXPECT_EQ(list.Hint(), "C0A0B0C");
  EXPECT_EQ(win::ApplicationHint(), "C0A0B0C");
  for (int i : {2, 3}) {
    c = Centre(i);
    MouseMove(list.Handle(), c.x, c.y);
    EXPECT_EQ(list.Hint(), "") << i;
  }
  MouseMove(list.Handle(), 23, 10);  // a gap
  EXPECT_EQ(list.Hint(), "");
  MouseMove(list.Handle(), 400, 10);
}

TEST_F(ColorListTest, RightPressSelectsEvenNothingAndFocuses) {
  ::SetFocus(form.Handle());
  POINT c = Centre(17);
  ::SendMessageW(list.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, Point(c.x, c.y));
  ::SendMessageW(list.Handle(), WM_RBUTTONUP, 0, Point(c.x, c.y));
  EXPECT_EQ(list.ItemIndex(), 17);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(::GetFocus(), list.Handle());
  ::SendMessageW(list.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, Point(22, 10));
  ::SendMessageW(list.Handle(), WM_RBUTTONUP, 0, Point(22, 10));
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(selects, 2);
}

TEST_F(ColorListTest, LeftClickToggles) {
  POINT c = Centre(4);
  LeftClick(list.Handle(), c.x, c.y);
  EXPECT_EQ(list.ItemIndex(), 4);
  EXPECT_EQ(selects, 1);
  LeftClick(list.Handle(), c.x, c.y);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(selects, 1) << "unselecting fires nothing";
  // A press on one cell and a release on another selects nothing.
  LeftDown(list.Handle(), c.x, c.y);
  LeftUp(list.Handle(), c.x + 20, c.y);
  EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(ColorListTest, DragStartsAtFourPixels) {
  int starts = 0, ends = 0;
  list.OnStartDragPic = [&](TDragColor& d) { ++starts; EXPECT_EQ(&d, &list.DragColor); };
  list.OnEndDragPic = [&](TDragColor&) { ++ends; };
  const POINT c = Centre(6);
  LeftDown(list.Handle(), c.x, c.y);
  MouseMove(list.Handle(), c.x + 3, c.y + 3, MK_LBUTTON);
  MouseMove(list.Handle(), c.x - 3, c.y - 3, MK_LBUTTON);
  EXPECT_EQ(starts, 0);
  LeftUp(list.Handle(), c.x - 3, c.y - 3);
  EXPECT_EQ(list.ItemIndex(), 6) << "a 3-pixel wobble is still a click";

  LeftDown(list.Handle(), c.x, c.y);
  MouseMove(list.Handle(), c.x - 4, c.y, MK_LBUTTON);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(list.DragColor.Color, list.Cell(6));
  EXPECT_NE(list.DragCursor(), nullptr);
  EXPECT_EQ(list.Hint(), "");
  LeftUp(list.Handle(), c.x, c.y);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(list.ItemIndex(), 6) << "a drag is not a click";

  // Not out of the transparent cell, nor with dragging off.
  list.SetTransparentIndex(6);
  LeftDown(list.Handle(), c.x, c.y);
  MouseMove(list.Handle(), c.x + 9, c.y, MK_LBUTTON);
  LeftUp(list.Handle(), c.x + 9, c.y);
  list.SetTransparentIndex(-1);
  list.SetDragging(false);
  LeftDown(list.Handle(), c.x, c.y);
  MouseMove(list.Handle(), c.x + 9, c.y, MK_LBUTTON);
  LeftUp(list.Handle(), c.x + 9, c.y);
  EXPECT_EQ(starts, 1);
}

TEST_F(ColorListTest, WheelScrollsByRows) {
  RECT wr = list.WindowRect();
  const LPARAM at = Point(wr.left + 5, wr.top + 5);
  ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at);
  ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at);
  EXPECT_EQ(slider.Position(), 2);
  EXPECT_EQ(list.TopRow(), 2);
  ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
  EXPECT_EQ(list.TopRow(), 1);
  // A high-resolution wheel sends a notch in parts: a row per whole notch.
  for (int i = 0; i < 4; ++i) ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -30), at);
  EXPECT_EQ(list.TopRow(), 2);
  ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -60), at);
  EXPECT_EQ(list.TopRow(), 2);
  ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
  EXPECT_EQ(list.TopRow(), 1);
  for (int i = 0; i < 20; ++i) ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at);
  EXPECT_EQ(list.TopRow(), 14);
  // The hit test follows the rows shown.
  EXPECT_EQ(list.HitTest(12, 11, false), 14 * 16);
  // Replacing the palette goes back to the first row.
  list.SetColors(std::vector<TColor>{0x112233});
  EXPECT_EQ(list.TopRow(), 0);
  EXPECT_EQ(slider.Position(), 0);
}

TEST_F(ColorListTest, DragCursorShowsTheSwatchWithItsHotSpotTopLeft) {
  auto check = [&](TColor dragged) {
    list.StartColorDrag(dragged);
    EXPECT_EQ(list.DragColor.Color, dragged);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(list.DragCursor(), &info));
    win::Bitmap colour(info.hbmColor), mask(info.hbmMask);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    BITMAP bm{};
    ::GetObjectW(colour, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 20);
    EXPECT_EQ(bm.bmHeight, 20);
    win::WindowDc screen(nullptr);
    win::MemoryDc dc(::CreateCompatibleDC(screen));
    {
      win::SelectScope sel(dc, colour);
      EXPECT_EQ(::GetPixel(dc, 0, 0), clWhite);
      EXPECT_EQ(::GetPixel(dc, 6, 0), clWhite);
      EXPECT_EQ(::GetPixel(dc, 0, 6), clWhite);
      EXPECT_EQ(::GetPixel(dc, 7, 0), 0u);
      EXPECT_EQ(::GetPixel(dc, 1, 1), 0u);
      if (dragged == clTransparentColor) {
        for (int y = 0; y < 16; ++y)
          for (int x = 0; x < 16; ++x)
            if (auto c = ImagePixel(kTransparentImage, x, y)) {
              ASSERT_EQ(::GetPixel(dc, 4 + x, 4 + y), *c) << x << "," << y;
            }
      } else {
        EXPECT_EQ(::GetPixel(dc, 4, 4), clFrame);
        EXPECT_EQ(::GetPixel(dc, 19, 19), clFrame);
        EXPECT_EQ(::GetPixel(dc, 5, 5), dragged);
        EXPECT_EQ(::GetPixel(dc, 18, 18), dragged);
      }
    }
    win::SelectScope sel(dc, mask);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool swatch = x >= 4 && y >= 4;
        ASSERT_EQ(::GetPixel(dc, x, y), swatch ? 0u : clWhite) << x << "," << y;
      }
  };
  check(0x2040F0);
  HCURSOR first = list.DragCursor();
  check(clTransparentColor);
  EXPECT_NE(list.DragCursor(), first);
}

// A top-level window that writes down the colour-drag messages it hears.
class DragTarget : public win::Window {
 public:
  struct Heard {
    UINT msg;
    WPARAM state;
    LPARAM source;
    TColor color;
    bool operator==(const Heard&) const = default;
  };
  DragTarget(int x, int y, const TKOLColorList& list) : list_(list) {
    RegisterClassOnce(L"KoloDragTarget");
    CreateWin(L"KoloDragTarget", L"target", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, x, y, 80, 60, nullptr);
  }
  std::vector<Heard> heard;
  POINT Middle() const {
    RECT r = WindowRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_DRAGCOLOR_OVER || msg == WM_DRAGCOLOR_DROP) {
      Heard h{msg, wp, lp, list_.DragColor.Color};
      // Real pointer moves may repeat a move; one is enough to know.
      if (heard.empty() || !(heard.back() == h) || msg != WM_DRAGCOLOR_OVER || wp != kDragMove) heard.push_back(h);
      return 0;
    }
    return Default(msg, wp, lp);
  }

 private:
  const TKOLColorList& list_;
};

class ColorDragTest : public ColorListTest {
 protected:
  void SetUp() override {
    ColorListTest::SetUp();
    ::SetWindowPos(form.Handle(), HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // Moves the real pointer and tells the list, as the system would.
  void PointerTo(POINT screen) {
    ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
    POINT client = screen;
    ::ScreenToClient(list.Handle(), &client);
    MouseMove(list.Handle(), client.x, client.y, MK_LBUTTON);
  }
  POINT Screen(POINT client) const {
    ::ClientToScreen(list.Handle(), &client);
    return client;
  }
  void PressOn(int cell) {
    const POINT c = Screen(Centre(cell));
    ASSERT_TRUE(::SetCursorPos(c.x, c.y));
    POINT client = Centre(cell);
    LeftDown(list.Handle(), client.x, client.y);
  }
  void ReleaseAtPointer() {
    POINT p;
    ::GetCursorPos(&p);
    ::ScreenToClient(list.Handle(), &p);
    LeftUp(list.Handle(), p.x, p.y);
  }
};

TEST_F(ColorDragTest, MovesTellTheWindowsUnderThePointerAndTheReleaseDrops) {
  DragTarget a(40, 200, list), b(200, 200, list);
  const TColor colour = list.Cell(3);
  const LPARAM self = reinterpret_cast<LPARAM>(list.Handle());
  PressOn(3);
  PointerTo(a.Middle());
  PointerTo({a.Middle().x + 5, a.Middle().y});
  PointerTo(b.Middle());
  ReleaseAtPointer();

  using H = DragTarget::Heard;
  const std::vector<H> wantA{{WM_DRAGCOLOR_OVER, kDragEnter, self, colour},
                             {WM_DRAGCOLOR_OVER, kDragMove, self, colour},
                             {WM_DRAGCOLOR_OVER, kDragLeave, self, colour}};
  const std::vector<H> wantB{{WM_DRAGCOLOR_OVER, kDragEnter, self, colour},
                             {WM_DRAGCOLOR_DROP, kDragMove, self, colour}};
  EXPECT_EQ(a.heard, wantA);
  // The release may come with one more real move over b.
  ASSERT_GE(b.heard.size(), 2u);
  EXPECT_EQ(b.heard.front(), wantB.front());
  EXPECT_EQ(b.heard.back(), wantB.back());
  EXPECT_FALSE(list.Model().DragActive);
}

TEST_F(ColorDragTest, LosingTheMouseEndsTheDragWithoutADrop) {
  DragTarget a(40, 200, list), other(200, 200, list);
  int ends = 0;
  list.OnEndDragPic = [&](TDragColor&) { ++ends; };
  const LPARAM self = reinterpret_cast<LPARAM>(list.Handle());
  const auto before = list.Colors();

  // WM_CANCELMODE over a target: the target hears the leave and nothing after it.
  PressOn(3);
  PointerTo(a.Middle());
  ::SendMessageW(list.Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(list.Model().DragActive);
  EXPECT_EQ(ends, 1);
  ASSERT_FALSE(a.heard.empty());
  EXPECT_EQ(a.heard.back(), (DragTarget::Heard{WM_DRAGCOLOR_OVER, kDragLeave, self, before[3]}));
  EXPECT_NE(::GetCursor(), list.DragCursor()) << "the drag cursor goes with the drag";
  const size_t heard = a.heard.size();
  ReleaseAtPointer();
  EXPECT_EQ(a.heard.size(), heard) << "the release after it drops nothing";

  // Another window takes the mouse during a move within the strip: the drop
  // mark goes and no cell moves.
  PressOn(2);
  PointerTo(Screen({Centre(2).x + 10, Centre(2).y}));
  PointerTo(Screen({Centre(6).x - 9, Centre(6).y}));
  ASSERT_TRUE(list.Model().DropBetween);
  ::SetCapture(other.Handle());
  EXPECT_EQ(list.Model().DropIndex, -1);
  ::ReleaseCapture();
  ReleaseAtPointer();
  EXPECT_EQ(list.Colors(), before);
  EXPECT_EQ(ends, 2);
  // The next press starts afresh.
  LeftClick(list.Handle(), Centre(7).x, Centre(7).y);
  EXPECT_EQ(list.ItemIndex(), 7);
}

TEST_F(ColorDragTest, DropOnAnotherCellCopiesAndIntoAGapMoves) {
  const auto before = list.Colors();
  PressOn(2);
  PointerTo(Screen({Centre(2).x + 10, Centre(2).y}));
  PointerTo(Screen(Centre(9)));
  EXPECT_EQ(list.Model().DropIndex, 9);
  EXPECT_FALSE(list.Model().DropBetween);
  ReleaseAtPointer();
  EXPECT_EQ(list.Cell(9), before[2]);
  EXPECT_EQ(list.Cell(2), before[2]);
  EXPECT_EQ(list.Model().DropIndex, -1);

  // Cell 2 into the gap before cell 6: cells 3..5 close up behind it.
  const auto now = list.Colors();
  PressOn(2);
  const POINT gap{Centre(6).x - 9, Centre(6).y};
  PointerTo(Screen({Centre(2).x + 10, Centre(2).y}));
  PointerTo(Screen(gap));
  EXPECT_EQ(list.Model().DropIndex, 6);
  EXPECT_TRUE(list.Model().DropBetween);
  ReleaseAtPointer();
  EXPECT_EQ(list.Cell(2), now[3]);
  EXPECT_EQ(list.Cell(4), now[5]);
  EXPECT_EQ(list.Cell(5), now[2]);
  EXPECT_EQ(list.Cell(6), now[6]);
}

TEST_F(ColorDragTest, DropsFromElsewhereInsertAndLeaveClearsTheMark) {
  DragTarget source(40, 200, list);
  list.DragColor.Color = 0x00FF00;
  const LPARAM other = reinterpret_cast<LPARAM>(source.Handle());
  const POINT gap = Screen({Centre(4).x - 9, Centre(4).y});
  ASSERT_TRUE(::SetCursorPos(gap.x, gap.y));
  const auto before = list.Colors();
  ::SendMessageW(list.Handle(), WM_DRAGCOLOR_OVER, kDragEnter, other);
  EXPECT_EQ(list.Model().DropIndex, 4);
  ::SendMessageW(list.Handle(), WM_DRAGCOLOR_OVER, kDragLeave, other);
  EXPECT_EQ(list.Model().DropIndex, -1);
  ::SendMessageW(list.Handle(), WM_DRAGCOLOR_OVER, kDragEnter, other);
  ::SendMessageW(list.Handle(), WM_DRAGCOLOR_DROP, kDragMove, other);
  EXPECT_EQ(list.Cell(4), 0x00FF00u);
  EXPECT_EQ(list.Cell(5), before[4]);
  EXPECT_EQ(list.Cell(255), before[254]);
  EXPECT_EQ(list.Model().DropIndex, -1);

  // Dropped on the selected cell: it takes the colour and OnSelect fires.
  list.SetItemIndex(8);
  const POINT cell = Screen(Centre(8));
  ASSERT_TRUE(::SetCursorPos(cell.x, cell.y));
  ::SendMessageW(list.Handle(), WM_DRAGCOLOR_DROP, kDragMove, other);
  EXPECT_EQ(list.Cell(8), 0x00FF00u);
  EXPECT_EQ(selects, 1);
}

}  // namespace
}  // namespace kolo
