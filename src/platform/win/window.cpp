#include "platform/win/window.h"

#include <exception>

#include "platform/win/ui_scale.h"

namespace kolo::win {

// The object of each of our windows is kept in its user data, set when the
// window is made: reading it is a plain memory read, where a window property
// costs a trip to the window server (under Wine) on every message.

Window::~Window() {
  if (hwnd_) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND h = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(h);
  }
}

HINSTANCE Window::Instance() { return ::GetModuleHandleW(nullptr); }

bool Window::RegisterClassOnce(const wchar_t* className, UINT style, HCURSOR cursor, HICON icon) {
  WNDCLASSEXW wc{};
  if (::GetClassInfoExW(Instance(), className, &wc)) return true;
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = &Window::Thunk;
  wc.hInstance = Instance();
  wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = icon;
  wc.lpszClassName = className;
  return ::RegisterClassExW(&wc) != 0;
}

HWND Window::CreateWin(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                       int x, int y, int w, int h, HWND parent, HMENU idOrMenu) {
  return ::CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, idOrMenu,
                           Instance(), this);
}

void Window::Destroy() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

RECT Window::ClientRect() const { return LgRect(DeviceClientRect()); }

RECT Window::DeviceClientRect() const {
  RECT r{};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return r;
}

RECT Window::WindowRect() const {
  RECT r{};
  if (hwnd_) ::GetWindowRect(hwnd_, &r);
  return r;
}

Window* Window::FromHandle(HWND hwnd) {
  // Only windows of our own classes in this process carry an object there.
  if (!hwnd || ::GetClassLongPtrW(hwnd, GCLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Window::Thunk)) return nullptr;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != ::GetCurrentProcessId()) return nullptr;
  return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    // Only our classes come here, so the user data is ours.
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT result = 0;
  // No exception may cross the window procedure.
  try {
    result = self->HandleMessage(msg, wp, lp);
  } catch (const std::exception&) {
    result = ::DefWindowProcW(hwnd, msg, wp, lp);
  } catch (...) {
    result = ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  return result;
}

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::string WindowText(HWND window) {
  if (!window) return {};
  const int n = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  const int got = ::GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return Narrow(text);
}

}  // namespace kolo::win
