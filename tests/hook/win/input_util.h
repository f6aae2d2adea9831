// Real input for the hook tests: SendInput goes through the system's input
// path, so the low-level and message hooks see it as they see a user's.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace kolo::testing {

// Runs the thread's messages for `ms` milliseconds (the low-level hooks are
// called through this thread's queue). `filter` may take a message first, as
// the program's own loop does.
inline void Pump(int ms, const std::function<bool(const MSG&)>& filter = {}) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (filter && filter(m)) continue;
      ::TranslateMessage(&m);
      ::DispatchMessageW(&m);
    }
    ::Sleep(1);
  } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

// Pumps until `done` holds or `ms` pass; true when it held.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 2000,
                      const std::function<bool(const MSG&)>& filter = {}) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<LONG>(::GetTickCount() - end) < 0) {
    Pump(5, filter);
    if (done()) return true;
  }
  return done();
}

inline void SendMouse(DWORD flags, int x = 0, int y = 0, DWORD data = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((x * 65536LL + w / 2) / w);
    in.mi.dy = static_cast<LONG>((y * 65536LL + h / 2) / h);
  }
  in.mi.dwFlags = flags;
  in.mi.mouseData = data;
  ::SendInput(1, &in, sizeof(in));
}

inline void MoveMouseTo(int x, int y) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y); }
inline void LeftClickAt(int x, int y) {
  MoveMouseTo(x, y);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
}
inline void Wheel(int delta) { SendMouse(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(delta)); }

inline void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &in, sizeof(in));
}
inline void TapKey(WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
}

// A top-level window that writes down the mouse and key messages it gets.
class InputTarget {
 public:
  InputTarget(int x, int y, int w, int h, const wchar_t* title = L"hook test target") {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &InputTarget::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"KoloHookTestTarget";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(WS_EX_TOPMOST, L"KoloHookTestTarget", title, WS_POPUP | WS_VISIBLE, x, y, w, h,
                             nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    ::SetForegroundWindow(hwnd);
    ::SetFocus(hwnd);
    Pump(50);
  }
  ~InputTarget() { ::DestroyWindow(hwnd); }
  InputTarget(const InputTarget&) = delete;
  InputTarget& operator=(const InputTarget&) = delete;

  int Count(UINT msg) const {
    int n = 0;
    for (UINT m : messages) n += m == msg;
    return n;
  }
  void Clear() { messages.clear(); keys.clear(); }

  HWND hwnd = nullptr;
  std::vector<UINT> messages;
  std::vector<WPARAM> keys;  // virtual keys of WM_KEYDOWN
  std::function<void(HDC, const RECT&)> paint;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCREATE) {
      ::SetWindowLongPtrW(h, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    }
    auto* self = reinterpret_cast<InputTarget*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self) {
      switch (m) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
        case WM_KEYUP:
          self->messages.push_back(m);
          break;
        case WM_KEYDOWN:
          self->messages.push_back(m);
          self->keys.push_back(w);
          break;
        case WM_PAINT:
          if (self->paint) {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(h, &ps);
            RECT r;
            ::GetClientRect(h, &r);
            self->paint(dc, r);
            ::EndPaint(h, &ps);
            return 0;
          }
          break;
        default:
          break;
      }
    }
    return ::DefWindowProcW(h, m, w, l);
  }
};

}  // namespace kolo::testing
