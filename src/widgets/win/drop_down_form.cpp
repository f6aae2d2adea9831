#include "widgets/win/drop_down_form.h"

#include "platform/win/ui_scale.h"

namespace kolo::win {

namespace {

constexpr UINT kIsRunMs = 100;

int ScreenBottomAt(const RECT& r) {
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  HMONITOR monitor = ::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
  if (monitor && ::GetMonitorInfoW(monitor, &mi)) return mi.rcMonitor.bottom;
  return ::GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace

DropPlacement TDropDownForm::Place(const RECT& panel, int width, int height) {
  // Worked out in logical pixels around the panel's corner; the result is on the screen.
  const POINT origin{panel.left, panel.top};
  const RECT lp = LgRectAround(panel, origin);
  DropPlacement place = PlaceDropPanel(IntRect{lp.left, lp.top, lp.right, lp.bottom}, width, height,
                                       LgAround(ScreenBottomAt(panel), origin.y));
  const RECT d = PxRectAround({place.bounds.left, place.bounds.top, place.bounds.right, place.bounds.bottom}, origin);
  place.bounds = {d.left, d.top, d.right, d.bottom};
  above_ = place.above;
  return place;
}

void TDropDownForm::ShowPlaced(const DropPlacement& place) {
  isShowing_ = true;
  closing_ = false;
  ::KillTimer(Handle(), kIsRunTimer);
  const IntRect& b = place.bounds;
  ::SetWindowPos(Handle(), HWND_TOPMOST, b.left, b.top, b.Width(), b.Height(), SWP_SHOWWINDOW);
  ::SetForegroundWindow(Handle());
}

void TDropDownForm::Hide() {
  if (Handle() && ::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_HIDE);
  isShowing_ = false;
}

void TDropDownForm::FormDeactivate() {
  closing_ = true;
  ::SetTimer(Handle(), kIsRunTimer, kIsRunMs, nullptr);
  ::ShowWindow(Handle(), SW_HIDE);
}

LRESULT TDropDownForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE && ::IsWindowVisible(Handle())) FormDeactivate();
      return 0;
    case WM_SHOWWINDOW:
      // Hidden by the main window (another program took the activation): no press to swallow.
      if (!wp && !closing_) isShowing_ = false;
      break;
    case WM_TIMER:
      if (wp == kIsRunTimer) {
        ::KillTimer(Handle(), kIsRunTimer);
        closing_ = false;
        isShowing_ = false;
        return 0;
      }
      break;
    case WM_NCHITTEST:
      return Default(msg, wp, lp);  // no title band to move it by
    default:
      break;
  }
  return TSecondaryForm::HandleMessage(msg, wp, lp);
}

}  // namespace kolo::win
