// kolo_picker_helper: the other program of the screen picker scenario.
//   paint X Y W H LOG   a topmost window at (X, Y), W x H, painted in four
//                       vertical stripes of known colours; writes to LOG every
//                       click, key and the F9 hot key that reaches it; runs
//                       until closed
//   locate-size W H     screen rectangle "x y w h" of the first visible control
//                       of Kolo's main window with a W x H client area
//   locate-text TEXT    the same for the control whose window text is TEXT
//   slot-copy N         the copy button of colour slot N (1..4)
//   close               ends a running `paint`
// Exit code 1 when nothing is found.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// RGB stripes, left to right.
constexpr COLORREF kStripes[4] = {RGB(200, 30, 40), RGB(30, 170, 60), RGB(20, 40, 220), RGB(240, 210, 30)};

FILE* logFile = nullptr;

void Log(const char* fmt, int a = 0, int b = 0) {
  if (!logFile) return;
  std::fprintf(logFile, fmt, a, b);
  std::fputc('\n', logFile);
  std::fflush(logFile);
}

LRESULT CALLBACK PaintProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(h, &ps);
      RECT r;
      ::GetClientRect(h, &r);
      for (int i = 0; i < 4; ++i) {
        RECT s{r.right * i / 4, 0, r.right * (i + 1) / 4, r.bottom};
        HBRUSH b = ::CreateSolidBrush(kStripes[i]);
        ::FillRect(dc, &s, b);
        ::DeleteObject(b);
      }
      ::EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      Log("down %d %d", static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
      return 0;
    case WM_LBUTTONUP:
      Log("up %d %d", static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
      return 0;
    case WM_KEYDOWN:
      Log("key %d", static_cast<int>(w));
      return 0;
    case WM_HOTKEY:
      Log("hotkey %d", static_cast<int>(w));
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(h, m, w, l);
  }
}

int Paint(int x, int y, int w, int h, const char* log) {
  logFile = std::fopen(log, "w");
  WNDCLASSW wc{};
  wc.lpfnWndProc = PaintProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"KoloPickerTarget";
  ::RegisterClassW(&wc);
  HWND win = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"picker target", WS_POPUP | WS_VISIBLE, x, y, w,
                               h, nullptr, nullptr, wc.hInstance, nullptr);
  // A key that reaches this program wherever the focus is: proof that keys pass the hooks.
  ::RegisterHotKey(win, 1, 0, VK_F9);
  Log("ready");
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

HWND MainWindow() { return ::FindWindowW(L"TfrmMain", L"Kolo"); }

struct Search {
  int w = -1, h = -1;
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (!::IsWindowVisible(h)) return TRUE;
  if (s->w >= 0) {
    RECT c;
    ::GetClientRect(h, &c);
    if (c.right == s->w && c.bottom == s->h) s->found = h;
  } else {
    wchar_t buf[256] = {};
    ::GetWindowTextW(h, buf, 256);
    if (s->text == buf) s->found = h;
  }
  return s->found ? FALSE : TRUE;
}

int PrintRect(HWND h) {
  if (!h) {
    std::fprintf(stderr, "kolo_picker_helper: not found\n");
    return 1;
  }
  RECT r;
  ::GetWindowRect(h, &r);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

// The slot edits are the upper-case EDIT controls, in slot order.
BOOL CALLBACK CollectEdits(HWND h, LPARAM lp) {
  wchar_t cls[16] = {};
  ::GetClassNameW(h, cls, 16);
  if (_wcsicmp(cls, L"EDIT") == 0 && (::GetWindowLongW(h, GWL_STYLE) & ES_UPPERCASE))
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

int SlotCopy(int slot) {
  HWND main = MainWindow();
  std::vector<HWND> edits;
  if (main) ::EnumChildWindows(main, CollectEdits, reinterpret_cast<LPARAM>(&edits));
  if (slot < 1 || slot > static_cast<int>(edits.size())) return PrintRect(nullptr);
  // The edit sits on its panel; the copy button is the panel's right-hand neighbour.
  HWND panel = ::GetParent(edits[static_cast<size_t>(slot - 1)]);
  HWND frame = ::GetParent(panel);
  RECT pr;
  ::GetWindowRect(panel, &pr);
  POINT beside{pr.right + 8, (pr.top + pr.bottom) / 2};
  ::ScreenToClient(frame, &beside);
  HWND button = ::ChildWindowFromPointEx(frame, beside, CWP_SKIPINVISIBLE);
  return PrintRect(button && button != frame ? button : nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 7 && std::strcmp(argv[1], "paint") == 0)
    return Paint(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), argv[6]);
  if (argc >= 4 && std::strcmp(argv[1], "locate-size") == 0) {
    Search s;
    s.w = std::atoi(argv[2]);
    s.h = std::atoi(argv[3]);
    if (HWND main = MainWindow()) ::EnumChildWindows(main, Visit, reinterpret_cast<LPARAM>(&s));
    return PrintRect(s.found);
  }
  if (argc >= 3 && std::strcmp(argv[1], "locate-text") == 0) {
    Search s;
    const std::string t = argv[2];
    s.text.assign(t.begin(), t.end());
    if (HWND main = MainWindow()) ::EnumChildWindows(main, Visit, reinterpret_cast<LPARAM>(&s));
    return PrintRect(s.found);
  }
  if (argc >= 3 && std::strcmp(argv[1], "slot-copy") == 0) return SlotCopy(std::atoi(argv[2]));
  if (argc >= 2 && std::strcmp(argv[1], "close") == 0) {
    HWND target = ::FindWindowW(L"KoloPickerTarget", nullptr);
    if (target) ::PostMessageW(target, WM_CLOSE, 0, 0);
    return target ? 0 : 1;
  }
  std::fprintf(stderr,
               "usage: kolo_picker_helper paint X Y W H LOG | locate-size W H | locate-text TEXT | slot-copy N | "
               "close\n");
  return 2;
}
