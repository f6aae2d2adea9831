// Base of every window of Kolo: one window-procedure thunk binds the HWND to its
// C++ object at WM_NCCREATE; subclasses handle messages in small members.
#pragma once

#include <windows.h>

#include <string>

namespace kolo::win {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  // Registers the class on first use (a null background brush: every window paints itself).
  static bool RegisterClassOnce(const wchar_t* className, UINT style = CS_DBLCLKS,
                                HCURSOR cursor = nullptr, HICON icon = nullptr);

  HWND CreateWin(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                 int x, int y, int w, int h, HWND parent, HMENU idOrMenu = nullptr);

  void Destroy();
  void Invalidate() const { if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE); }
  bool IsVisible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }
  // The client area in logical pixels (see ui_scale.h), and in device pixels.
  RECT ClientRect() const;
  RECT DeviceClientRect() const;
  RECT WindowRect() const;  // screen coordinates, device pixels

  static Window* FromHandle(HWND hwnd);
  static HINSTANCE Instance();

 protected:
  // Every message arrives here; the default passes to DefWindowProc.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }
  // Called after WM_NCDESTROY: the object stays alive, the handle is gone.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// A window's text (an edit's contents) as UTF-8; empty for no window.
std::string WindowText(HWND window);

// A WM_CONTEXTMENU position of (-1, -1): the keyboard asked for the menu.
inline bool ContextMenuFromKeyboard(LPARAM position) {
  return static_cast<short>(LOWORD(position)) == -1 && static_cast<short>(HIWORD(position)) == -1;
}

}  // namespace kolo::win
