#include "widgets/win/not_refresh_panel.h"

namespace kolo {

void TVMNotRefreshPanel::SetBorderSize(const Borders& borders) {
  borders_ = borders;
  Realign();
  Invalidate();
}

void TVMNotRefreshPanel::SetBorderColor(TColor color) {
  borderColor_ = color;
  Invalidate();
}

void TVMNotRefreshPanel::SetNotRefresh(bool on) {
  notRefresh_ = on;
  Invalidate();
}

IntRect TVMNotRefreshPanel::AlignArea() const {
  IntRect r = Widget::AlignArea();
  return {r.left + borders_.Left, r.top + borders_.Top, r.right - borders_.Right, r.bottom - borders_.Bottom};
}

void TVMNotRefreshPanel::PaintBorders(HDC dc, const IntRect& c, int scale) {
  if (borderColor_ == EffectiveColor()) return;
  COLORREF bc = ToColorRef(borderColor_);
  const Borders& b = borders_;
  auto fill = [&](RECT r) {
    win::FillSolid(dc, RECT{r.left * scale, r.top * scale, r.right * scale, r.bottom * scale}, bc);
  };
  if (b.Top > 0) fill(RECT{c.left, c.top, c.right, c.top + b.Top});
  if (b.Bottom > 0) fill(RECT{c.left, c.bottom - b.Bottom, c.right, c.bottom});
  if (b.Left > 0) fill(RECT{c.left, c.top, c.left + b.Left, c.bottom});
  if (b.Right > 0) fill(RECT{c.right - b.Right, c.top, c.right, c.bottom});
}

void TVMNotRefreshPanel::PaintContent(HDC, const IntRect&) {}

void TVMNotRefreshPanel::Paint(HDC dc, const IntRect& client) {
  if (!notRefresh_) {
    // Bands in the panel colour first, so borders of that colour need no pass.
    win::FillSolid(dc, ToRect(client), ToColorRef(EffectiveColor()));
    PaintContent(dc, AlignArea());
  }
  PaintBorders(dc, client);
}

LRESULT TVMNotRefreshPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (eraseBkgnd_ && !notRefresh_) {
        RECT rc = DeviceClientRect();
        win::FillSolid(reinterpret_cast<HDC>(wp), rc, ToColorRef(EffectiveColor()));
      }
      return 1;
    case WM_PAINT:
      if (notRefresh_) {
        // Nothing to buffer: only the borders are the panel's own.
        win::PaintDc pdc(Handle());
        RECT rc = ClientRect();
        PaintBorders(pdc, {rc.left, rc.top, rc.right, rc.bottom}, Scale());
        return 0;
      }
      break;
  }
  return Widget::HandleMessage(msg, wp, lp);
}

}  // namespace kolo
