#include "platform/win/ui_scale.h"

#include <map>
#include <utility>
#include <vector>

#include "platform/win/handles.h"

namespace kolo::win {

namespace {

int scale = 1;

// The logical font a system control was given, kept on the control for rescaling.
constexpr wchar_t kFontProp[] = L"KoloLogicalFont";

using DpiForWindowFn = UINT(WINAPI*)(HWND);

DpiForWindowFn DpiForWindow() {
  // Windows 10's call; older systems (and tests) fall back to the screen's dpi.
  static const DpiForWindowFn fn = [] {
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<DpiForWindowFn>(reinterpret_cast<void*>(::GetProcAddress(user, "GetDpiForWindow")))
                : nullptr;
  }();
  return fn;
}

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : 96;
}

int FloorDiv(int a, int b) {
  const int q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int UiScale() { return scale; }

void SetUiScale(int s) { scale = s < 1 ? 1 : s; }

int WindowDpi(HWND window) {
  if (window) {
    if (DpiForWindowFn fn = DpiForWindow()) {
      const UINT dpi = fn(window);
      if (dpi > 0) return static_cast<int>(dpi);
    }
  }
  return ScreenDpi();
}

int Lg(int device) { return FloorDiv(device, scale); }

RECT PxRect(const RECT& r) { return {Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)}; }

RECT LgRect(const RECT& r) { return {Lg(r.left), Lg(r.top), Lg(r.right), Lg(r.bottom)}; }

POINT LgPoint(LPARAM lp) {
  return {Lg(static_cast<short>(LOWORD(lp))), Lg(static_cast<short>(HIWORD(lp)))};
}

POINT LogicalToScreen(HWND window, POINT p) {
  POINT d{Px(p.x), Px(p.y)};
  ::ClientToScreen(window, &d);
  return d;
}

POINT ScreenToLogical(HWND window, POINT p) {
  ::ScreenToClient(window, &p);
  return {Lg(p.x), Lg(p.y)};
}

RECT LgRectAround(const RECT& r, POINT o) {
  return {LgAround(r.left, o.x), LgAround(r.top, o.y), LgAround(r.right, o.x), LgAround(r.bottom, o.y)};
}

RECT PxRectAround(const RECT& r, POINT o) {
  return {PxAround(r.left, o.x), PxAround(r.top, o.y), PxAround(r.right, o.x), PxAround(r.bottom, o.y)};
}

HFONT ScaledFont(HFONT logical, int factor) {
  if (!logical || factor <= 1) return logical;
  static std::map<std::pair<HFONT, int>, Font> cache;
  auto& slot = cache[{logical, factor}];
  if (!slot) {
    LOGFONTW lf{};
    if (!::GetObjectW(logical, sizeof(lf), &lf)) return logical;
    lf.lfHeight *= factor;
    lf.lfWidth *= factor;
    slot.Reset(::CreateFontIndirectW(&lf));
  }
  return slot ? slot.Get() : logical;
}

HWND CreateSystemControl(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y, int width,
                         int height, HWND parent, HMENU id, HFONT font) {
  HWND control = ::CreateWindowExW(exStyle, className, L"", style, Px(x), Px(y), Px(width), Px(height), parent, id,
                                   ::GetModuleHandleW(nullptr), nullptr);
  if (!control) return nullptr;
  if (font) {
    ::SetPropW(control, kFontProp, font);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(ScaledFont(font, scale)), FALSE);
  }
  return control;
}

void MoveSystemControl(HWND control, int x, int y, int width, int height) {
  ::SetWindowPos(control, nullptr, Px(x), Px(y), Px(width), Px(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

struct Placed {
  HWND window;
  RECT rect;  // in its parent's client area
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  RECT rc{};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  reinterpret_cast<std::vector<Placed>*>(data)->push_back({child, rc});
  return TRUE;
}

BOOL CALLBACK CollectTop(HWND top, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(top);
  return TRUE;
}

}  // namespace

namespace {
bool anyMarked = false;
}  // namespace

void MarkDevicePixels(HWND window) {
  anyMarked = true;
  ::SetPropW(window, kDevicePixelsProp, reinterpret_cast<HANDLE>(1));
}

bool InDevicePixelWindow(HWND window) {
  if (!anyMarked || !window) return false;
  HWND root = ::GetAncestor(window, GA_ROOT);
  return root && ::GetPropW(root, kDevicePixelsProp);
}

void RescaleWindows(int from) {
  from = from < 1 ? 1 : from;
  const int to = scale;
  if (from == to) return;
  // Device sizes are whole multiples of the old factor, so the division is exact.
  auto convert = [&](int v) { return FloorDiv(v, from) * to; };
  std::vector<HWND> tops;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectTop, reinterpret_cast<LPARAM>(&tops));
  for (HWND top : tops) {
    if (::GetPropW(top, kDevicePixelsProp)) continue;
    // Every place is read before anything moves: a panel that is resized lays
    // out its children itself, and they must not be converted twice.
    std::vector<Placed> children;
    ::EnumChildWindows(top, &CollectChild, reinterpret_cast<LPARAM>(&children));
    RECT rc{};
    ::GetWindowRect(top, &rc);
    // Only shown windows stop drawing: turning drawing back on marks a window
    // visible, and a hidden one must stay hidden.
    const bool shown = ::IsWindowVisible(top) != FALSE;
    if (shown) ::SendMessageW(top, WM_SETREDRAW, FALSE, 0);
    ::SetWindowPos(top, nullptr, 0, 0, convert(rc.right - rc.left), convert(rc.bottom - rc.top),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Placed& c : children) {
      const RECT& r = c.rect;
      ::SetWindowPos(c.window, nullptr, convert(r.left), convert(r.top), convert(r.right - r.left),
                     convert(r.bottom - r.top), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
      if (auto font = static_cast<HFONT>(::GetPropW(c.window, kFontProp)))
        ::SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(ScaledFont(font, to)), FALSE);
    }
    if (!shown) continue;
    ::SendMessageW(top, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

}  // namespace kolo::win
