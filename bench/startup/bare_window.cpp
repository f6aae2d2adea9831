// The yardstick of the start-up benchmark: a bare borderless 364x320 Win32
// window, built and linked the way Kolo.exe is, doing nothing else.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    HBRUSH sky = ::CreateSolidBrush(0xF0CAA6);
    ::FillRect(dc, &ps.rcPaint, sky);
    ::DeleteObject(sky);
    ::EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"KoloBareWindow";
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowExW(WS_EX_APPWINDOW, L"KoloBareWindow", L"Bare", WS_POPUP | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 364, 320, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  ::UpdateWindow(hwnd);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
