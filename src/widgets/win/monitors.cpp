#include "widgets/win/monitors.h"

#include "platform/win/ui_scale.h"

namespace kolo::win {

namespace {

IntRect ToIntRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// shcore's per-monitor dpi; loaded only when there is more than one monitor.
int MonitorDpi(HMONITOR monitor, int fallback) {
  using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const Fn fn = [] {
    HMODULE shcore = ::LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  UINT x = 0, y = 0;
  if (fn && SUCCEEDED(fn(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x > 0) return static_cast<int>(x);
  return fallback;
}

struct Collect {
  std::vector<MonitorArea> list;
  int systemDpi;
  bool several;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& c = *reinterpret_cast<Collect*>(data);
  MONITORINFO mi{sizeof(mi)};
  if (!::GetMonitorInfoW(monitor, &mi)) return TRUE;
  const int dpi = c.several ? MonitorDpi(monitor, c.systemDpi) : c.systemDpi;
  c.list.push_back({ToIntRect(mi.rcMonitor), ToIntRect(mi.rcWork), ScaleForDpi(dpi), (mi.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

}  // namespace

std::vector<MonitorArea> Monitors() {
  Collect c{{}, WindowDpi(nullptr), ::GetSystemMetrics(SM_CMONITORS) > 1};
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&c));
  if (c.list.empty()) {
    const IntRect screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    c.list.push_back({screen, screen, ScaleForDpi(c.systemDpi), true});
  }
  return c.list;
}

RECT MonitorRectOf(HWND window, bool workArea) {
  MONITORINFO mi{sizeof(mi)};
  if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi)) return workArea ? mi.rcWork : mi.rcMonitor;
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace kolo::win
