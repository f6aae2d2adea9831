#include "images/win/transp_form.h"

#include <algorithm>
#include <vector>

#include "platform/win/handles.h"
#include "images/win/screen_frame.h"

namespace kolo::win {

namespace {
// Long enough for the windows below to repaint what the overlay uncovered.
}  // namespace

bool TfrmTransp::Create(HWND owner) {
  RegisterClassOnce(L"TfrmTransp", 0);
  CreateWin(L"TfrmTransp", L"", WS_POPUP, WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, 0, 0,
            100, 100, owner);
  if (!Handle()) return false;
  // The selection is drawn on the screen's own pixels, whatever the factor.
  MarkDevicePixels(Handle());
  ::SetLayeredWindowAttributes(Handle(), kKeyColor, 255, LWA_COLORKEY | LWA_ALPHA);
  RegisterForm(SecondaryForm::Transp, Handle());
  return true;
}

TfrmTransp* TfrmTransp::Find() { return dynamic_cast<TfrmTransp*>(Window::FromHandle(FormWindow(SecondaryForm::Transp))); }

POINT TfrmTransp::Origin() const {
  const RECT r = WindowRect();
  return {r.left, r.top};
}

void TfrmTransp::ShowOverlay() {
  kind_ = Kind::None;
  handleSize_ = -1;
  const RECT v = VirtualScreenRect();
  ::SetWindowPos(Handle(), HWND_TOPMOST, v.left, v.top, v.right - v.left, v.bottom - v.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(Handle(), nullptr, FALSE);
  ::UpdateWindow(Handle());
}

void TfrmTransp::HideOverlay() {
  Erase();
  ::ShowWindow(Handle(), SW_HIDE);
}

void TfrmTransp::BringToTop() {
  ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Only the bands along the drawing's sides are repainted, never the whole screen.
void TfrmTransp::InvalidateDrawing() {
  if (kind_ == Kind::None) return;
  const POINT o = Origin();
  RECT r = rect_;
  ::OffsetRect(&r, -o.x, -o.y);
  const int m = kind_ == Kind::Handles ? handleSize_ / 2 + 2 : 1;
  const RECT bands[4] = {{r.left - m, r.top - m, r.left + m + 1, r.bottom + m},
                         {r.right - m - 1, r.top - m, r.right + m, r.bottom + m},
                         {r.left - m, r.top - m, r.right + m, r.top + m + 1},
                         {r.left - m, r.bottom - m - 1, r.right + m, r.bottom + m}};
  for (const RECT& b : bands) ::InvalidateRect(Handle(), &b, FALSE);
}

void TfrmTransp::DrawPlainFrame(const RECT& r) {
  InvalidateDrawing();
  kind_ = Kind::Plain;
  rect_ = r;
  handleSize_ = 1;
  InvalidateDrawing();
  ::UpdateWindow(Handle());
}

void TfrmTransp::DrawHandleFrame(const AreaRect& r, int box) {
  InvalidateDrawing();
  kind_ = Kind::Handles;
  rect_ = {r.left, r.top, r.right + 1, r.bottom + 1};
  handleSize_ = box + 2;
  InvalidateDrawing();
  ::UpdateWindow(Handle());
}

void TfrmTransp::Erase(bool now) {
  InvalidateDrawing();
  kind_ = Kind::None;
  handleSize_ = -1;
  if (!now) return;
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW);
  ::GdiFlush();
}

void TfrmTransp::Paint() {
  PAINTSTRUCT ps;
  HDC paint = ::BeginPaint(Handle(), &ps);
  FillSolid(paint, ps.rcPaint, kKeyColor);
  if (kind_ != Kind::None) {
    const POINT o = Origin();
    RECT r = rect_;
    ::OffsetRect(&r, -o.x, -o.y);
    // Boxes on the corners, and on the middles of sides long enough for three.
    std::vector<RECT> boxes;
    if (kind_ == Kind::Handles) {
      const int h = handleSize_ / 2;
      const int x1 = r.left, y1 = r.top, x2 = r.right - 1, y2 = r.bottom - 1;
      const int mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
      std::vector<POINT> centres{{x1, y1}, {x1, y2}, {x2, y1}, {x2, y2}};
      if (x2 - x1 >= 2 * handleSize_ + 2) centres.insert(centres.end(), {{mx, y1}, {mx, y2}});
      if (y2 - y1 >= 2 * handleSize_ + 2) centres.insert(centres.end(), {{x1, my}, {x2, my}});
      for (const POINT& c : centres) boxes.push_back({c.x - h, c.y - h, c.x + h + 1, c.y + h + 1});
    }
    Pen black = MakePen(RGB(0, 0, 0));
    Pen dots = MakePen(RGB(255, 255, 255), 1, PS_DOT);
    Brush key = MakeSolidBrush(kKeyColor);
    ::SetBkMode(paint, TRANSPARENT);
    // Black solid first, then white dots over it: a line that shows on any ground.
    for (HPEN pen : {black.Get(), dots.Get()}) {
      SelectScope p(paint, pen);
      SelectScope b(paint, ::GetStockObject(NULL_BRUSH));
      ::Rectangle(paint, r.left, r.top, r.right, r.bottom);
      SelectScope fill(paint, pen == black.Get() ? static_cast<HGDIOBJ>(key.Get()) : ::GetStockObject(NULL_BRUSH));
      for (const RECT& box : boxes) ::Rectangle(paint, box.left, box.top, box.right, box.bottom);
    }
  }
  ::EndPaint(Handle(), &ps);
}

LRESULT TfrmTransp::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return seeThrough ? HTTRANSPARENT : HTCLIENT;  // no moving band: the whole form is drawing surface
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SETCURSOR:
      if (cursor) {
        ::SetCursor(cursor);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return TSecondaryForm::HandleMessage(msg, wp, lp);
}

}  // namespace kolo::win
