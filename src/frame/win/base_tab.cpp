#include "frame/win/base_tab.h"

#include <cmath>

#include "frame/cursor_shapes.h"
#include "frame/hint_caption.h"
#include "platform/messages.h"
#include "frame/win/image_panel.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_cursor.h"

namespace kolo::win {

TBaseTab::TBaseTab(TMainFrame& main) : main_(main) {}
TBaseTab::~TBaseTab() = default;

void TBaseTab::MouseMove(unsigned shift, int x, int y) {
  if (pressed && PressBecomesDrag(pressX, pressY, x, y)) {
    pressed = false;
    const TColor c = ColorAt(pressX, pressY);
    if (c != clEmptyColor) {
      main_.colorDragging = true;
      lastTarget = nullptr;
      // The main image's page is the source the targets are told about.
      drag_.Begin(reinterpret_cast<LPARAM>(main_.pages.ImageTab.Handle()), c);
      main_.BeginColorDrag(c);
    }
  }
  if (main_.colorDragging) {
    drag_.Move();
    lastTarget = drag_.LastTarget();
    main_.imgMain.SetHint(dragHint);
    return;
  }
  const TColor c = ColorAt(x, y);
  SetHint(IsSpecialColor(c) ? std::string() : ColorHint(c));
}

void TBaseTab::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  pressed = button == MouseButton::Left;
  pressX = x;
  pressY = y;
}

void TBaseTab::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (pressed) {
    const TColor c = ColorAt(pressX, pressY);
    if (!IsSpecialColor(c)) {
      main_.Slot(main_.currentSlot) = c;
      main_.RefreshColors(0x37);
    }
  }
  pressed = false;
  if (main_.colorDragging) {
    main_.colorDragging = false;
    drag_.Drop();
  }
}

void TBaseTab::CancelColorDrag() {
  pressed = false;
  if (!main_.colorDragging) return;
  main_.colorDragging = false;
  drag_.Cancel();
  lastTarget = nullptr;
}

void TBaseTab::ClearTransparent() {
  transparentColor = -1;
  DrawTransparentIndicator();
}

void TBaseTab::SetHint(const std::string& text) { main_.imgMain.SetHint(text); }

void TBaseTab::PutPixel(int x, int y, TColor c) { main_.work.PutPixel(x, y, c); }
void TBaseTab::PutPixelRGB(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  main_.work.PutPixelRGB(x, y, r, g, b);
}
void TBaseTab::PutPixelF(int x, int y, double r, double g, double b) { main_.work.PutPixelF(x, y, r, g, b); }
TColor TBaseTab::GetPixel(int x, int y) const { return main_.work.GetPixel(x, y); }
void TBaseTab::ClearBuffer() { main_.work.ClearBuffer(); }
void TBaseTab::BlendPixel(int x, int y, double t, TColor background, TColor c) {
  main_.work.BlendPixel(x, y, t, background, c);
}
void TBaseTab::DrawCell(int x, int y, bool highlight, int size, TColor c) {
  main_.work.DrawCell(x, y, highlight, size, c, main_.CurrentColor());
}
void TBaseTab::DrawCellF(int x, int y, bool highlight, int width, int height, double r, double g, double b) {
  main_.work.DrawCellF(x, y, highlight, width, height, r, g, b, main_.CurrentColor());
}

void TBaseTab::ShowWorkPicture() {
  main_.imgMain.SetBits24(main_.work.Bits(), WorkPicture::kSize, WorkPicture::kSize);
}

void TBaseTab::InvertSquare(int x, int y) {
  HDC dc = main_.imgMain.Canvas();
  const int oldRop = ::SetROP2(dc, R2_NOT);
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  ::Rectangle(dc, x - 5, y - 5, x + 6, y + 6);
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBrush);
  ::SetROP2(dc, oldRop);
}

void TBaseTab::DrawMarker(int index, int x, int y) {
  if (index < 1 || index > 4) return;
  if (markX[index] != -1 || markY[index] != -1) InvertSquare(markX[index], markY[index]);
  markX[index] = x;
  markY[index] = y;
  InvertSquare(x, y);
  main_.imgMain.Refresh();
}

void TBaseTab::DrawMarkerF(int index, double x, double y) {
  DrawMarker(index, static_cast<int>(RoundHalfEven(x)), static_cast<int>(RoundHalfEven(y)));
}

void TBaseTab::ResetMarkers() {
  for (int i = 0; i < 5; ++i) markX[i] = markY[i] = -1;
}

void TBaseTab::SetCurrentColorRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  main_.Slot(main_.currentSlot) = MakeColor(r, g, b);
}

void TBaseTab::PickTransparentColor() {
  if (!sampleBitmap) {
    WindowDc screen(nullptr);
    sampleBitmap.Reset(::CreateCompatibleBitmap(screen, 1, 1));
  }
  if (!main_.BeginCapture(CaptureMode::PixelPick)) return;
  pickStartColor = transparentColor;
  const CursorShape shape = GappedCrossShape();
  bool bits[20 * 20];
  for (int i = 0; i < shape.width * shape.height; ++i) bits[i] = shape.inverts[static_cast<size_t>(i)];
  main_.SetToolCursor(BuildCursor(shape.width, shape.height, shape.hotX, shape.hotY, bits));
}

void TBaseTab::SampleTransparentColor() {
  POINT p;
  if (!::GetCursorPos(&p)) return;
  if (p.x == sampleX && p.y == sampleY) return;
  sampleX = p.x;
  sampleY = p.y;
  WindowDc screen(nullptr);
  MemoryDc mem(::CreateCompatibleDC(screen));
  SelectScope sel(mem, sampleBitmap);
  ::BitBlt(mem, 0, 0, 1, 1, screen, p.x, p.y, SRCCOPY | CAPTUREBLT);
  transparentColor = ::GetPixel(mem, 0, 0) & 0xFFFFFF;
  DrawTransparentIndicator();
}

void TBaseTab::DrawTransparentIndicator() {
  if (!main_.ImageBottomTabBuilt()) return;
  ImageView& swatch = main_.imgTransColor();
  Widget& panel = main_.ImageBottomTab().panGetTrans;
  HDC dc = swatch.Canvas();
  if (!dc) return;
  RECT r{0, 0, 9, 9};
  if (transparentColor != -1) {
    FillSolid(dc, r, static_cast<COLORREF>(transparentColor));
    panel.SetHint(ColorHint(static_cast<TColor>(transparentColor)));
    swatch.SetHint(panel.Hint());
  } else {
    FillSolid(dc, r, clSkyBlue);
    for (int i = 1; i <= 7; ++i) {
      ::SetPixelV(dc, i, i, clFrame);
      ::SetPixelV(dc, i, 8 - i, clFrame);
    }
    panel.SetHint("");
    swatch.SetHint("");
  }
  swatch.Refresh();
}

void TBaseTab::SetImageControls(bool enabled, const std::string& url, int height, int width,
                                long long transparent) {
  main_.SetImageControls(enabled, url, height, width);
  transparentColor = transparent;
  DrawTransparentIndicator();
}

void TBaseTab::CopyUrl() { main_.CopyImageUrl(); }

}  // namespace kolo::win
