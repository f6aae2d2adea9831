// kolo_probe: looks at a running Kolo from another process, the way another
// program would, and prints what it sees as key=value lines.
//   kolo_probe state                 main window: found, visible, client size, count, its
//                                    process id and the version of that process's program file
//   kolo_probe wait-window SECONDS   wait until the main window exists (exit 1 on time-out)
//   kolo_probe wait-visible SECONDS  wait until it is visible
//   kolo_probe terminate             end every Kolo process that owns a main window
//   kolo_probe send-close            post WM_CLOSE to the main window
//   kolo_probe reg NAME              print a DWORD value of the settings key
//   kolo_probe viewer SECONDS [LEAVE_AFTER]
//                                    join the clipboard viewer chain, count the changes
//                                    seen (passing each on), leave after LEAVE_AFTER seconds
//                                    if given, print "changes=N" at the end
//   kolo_probe message [SECONDS]     wait up to SECONDS for a visible message box, then print
//                                    it: found, title, rect, owned (by the main window),
//                                    main_enabled (the main window takes input)
//   kolo_probe menu [SECONDS]        wait up to SECONDS for a visible pop-up menu, then print
//                                    found and its rect
//   kolo_probe focus-text TITLE      print the text of the control that has the keyboard
//                                    focus in the visible top-level window titled TITLE
//                                    ("focus=none" when there is no such window or focus)
//   kolo_probe copy-picture W H RRGGBB [MARK]
//                                    put a W x H picture of that colour on the clipboard, as
//                                    another program's copy; MARK names a format added with
//                                    the DWORD 0 (the privacy marks of password managers)
//   kolo_probe copy-text TEXT [MARK] the same with a text
//   kolo_probe control TITLE NAME    print the screen rect (x,y,w,h) of the first visible
//                                    control named NAME in the visible window titled TITLE
//                                    (or of class C for a TITLE "class:C")
//                                    ("found=0" when there is none)
//   kolo_probe add-printer NAME PPD PORT
//                                    install a PostScript printer described by the PPD file
//                                    on PORT and make it the default; print its paper size,
//                                    printable size, dpi and the printable area's corner
//   kolo_probe remove-printer NAME   remove that printer again (exit 1 when there was none)
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Found {
  std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND h, LPARAM lp) {
  wchar_t cls[64] = {}, title[64] = {};
  ::GetClassNameW(h, cls, 64);
  ::GetWindowTextW(h, title, 64);
  if (wcscmp(cls, L"TfrmMain") == 0 && wcscmp(title, L"Kolo") == 0)
    reinterpret_cast<Found*>(lp)->windows.push_back(h);
  return TRUE;
}

Found FindMain() {
  Found f;
  ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
  return f;
}

// The file version (major.minor, two digits) of the program a process runs, "" when unknown.
std::string ProgramVersion(DWORD pid) {
  HANDLE p = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!p) return "";
  wchar_t path[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  const bool named = ::QueryFullProcessImageNameW(p, 0, path, &length);
  ::CloseHandle(p);
  DWORD ignored = 0;
  const DWORD size = named ? ::GetFileVersionInfoSizeW(path, &ignored) : 0;
  if (size == 0) return "";
  std::vector<BYTE> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoLength = 0;
  if (!::GetFileVersionInfoW(path, 0, size, data.data()) ||
      !::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoLength) || !info)
    return "";
  char text[32];
  std::snprintf(text, sizeof text, "%u.%02u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS));
  return text;
}

int State() {
  Found f = FindMain();
  std::printf("count=%zu\n", f.windows.size());
  if (f.windows.empty()) {
    std::printf("found=0\n");
    return 0;
  }
  HWND h = f.windows[0];
  RECT c{}, w{};
  ::GetClientRect(h, &c);
  ::GetWindowRect(h, &w);
  const LONG ex = ::GetWindowLongW(h, GWL_EXSTYLE);
  std::printf("found=1\nvisible=%d\nclient=%ldx%ld\nrect=%ld,%ld,%ld,%ld\ntopmost=%d\n",
              ::IsWindowVisible(h) ? 1 : 0, c.right, c.bottom, w.left, w.top, w.right - w.left,
              w.bottom - w.top, (ex & WS_EX_TOPMOST) ? 1 : 0);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  std::printf("pid=%lu\nversion=%s\n", static_cast<unsigned long>(pid), ProgramVersion(pid).c_str());
  return 0;
}

int Wait(double seconds, bool visible) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
  while (::GetTickCount() < end) {
    Found f = FindMain();
    if (!f.windows.empty() && (!visible || ::IsWindowVisible(f.windows[0]))) return 0;
    ::Sleep(100);
  }
  std::fprintf(stderr, "kolo_probe: time-out waiting for the main window\n");
  return 1;
}

int Terminate() {
  for (HWND h : FindMain().windows) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (HANDLE p = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
      ::TerminateProcess(p, 0);
      ::WaitForSingleObject(p, 5000);
      ::CloseHandle(p);
    }
  }
  return 0;
}

int Reg(const char* name) {
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velmora\\Kolo", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    std::printf("missing\n");
    return 1;
  }
  DWORD type = 0, value = 0, size = sizeof(value);
  LONG r = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  ::RegCloseKey(key);
  if (r != ERROR_SUCCESS || type != REG_DWORD) {
    std::printf("missing\n");
    return 1;
  }
  std::printf("%lu\n", static_cast<unsigned long>(value));
  return 0;
}

BOOL CALLBACK CollectBox(HWND h, LPARAM lp) {
  wchar_t cls[64] = {};
  ::GetClassNameW(h, cls, 64);
  if (wcscmp(cls, L"TfrmMessage") == 0 && ::IsWindowVisible(h)) {
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

int Message(double seconds) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
  HWND box = nullptr;
  for (;;) {
    ::EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&box));
    if (box || ::GetTickCount() >= end) break;
    ::Sleep(100);
  }
  Found f = FindMain();
  HWND main = f.windows.empty() ? nullptr : f.windows[0];
  if (main) std::printf("main_enabled=%d\n", ::IsWindowEnabled(main) ? 1 : 0);
  if (!box) {
    std::printf("found=0\n");
    return 1;
  }
  char title[128] = {};
  ::GetWindowTextA(box, title, sizeof(title));
  RECT w{};
  ::GetWindowRect(box, &w);
  std::printf("found=1\ntitle=%s\nrect=%ld,%ld,%ld,%ld\nowned=%d\n", title, w.left, w.top, w.right - w.left,
              w.bottom - w.top, main && ::GetWindow(box, GW_OWNER) == main ? 1 : 0);
  return 0;
}

BOOL CALLBACK CollectMenu(HWND h, LPARAM lp) {
  wchar_t cls[16] = {};
  ::GetClassNameW(h, cls, 16);
  if (wcscmp(cls, L"#32768") == 0 && ::IsWindowVisible(h)) {
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

int Menu(double seconds) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
  HWND menu = nullptr;
  for (;;) {
    ::EnumWindows(CollectMenu, reinterpret_cast<LPARAM>(&menu));
    if (menu || ::GetTickCount() >= end) break;
    ::Sleep(100);
  }
  if (!menu) {
    std::printf("found=0\n");
    return 1;
  }
  RECT w{};
  ::GetWindowRect(menu, &w);
  std::printf("found=1\nrect=%ld,%ld,%ld,%ld\n", w.left, w.top, w.right - w.left, w.bottom - w.top);
  return 0;
}

HWND g_next = nullptr;
int FocusText(const char* title) {
  wchar_t wide[256] = {};
  ::MultiByteToWideChar(CP_UTF8, 0, title, -1, wide, 256);
  HWND top = nullptr;
  while ((top = ::FindWindowExW(nullptr, top, nullptr, wide)) && !::IsWindowVisible(top)) {
  }
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (!top || !::GetGUIThreadInfo(::GetWindowThreadProcessId(top, nullptr), &gui) ||
      !gui.hwndFocus) {
    std::printf("focus=none\n");
    return 0;
  }
  wchar_t text[1024] = {};
  DWORD_PTR got = 0;
  ::SendMessageTimeoutW(gui.hwndFocus, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &got);
  char utf8[4096] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("focus=%s\n", utf8);
  return 0;
}

struct ControlSearch {
  const wchar_t* name;
  HWND found = nullptr;
};

BOOL CALLBACK FindControl(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<ControlSearch*>(lp);
  wchar_t text[256] = {};
  ::GetWindowTextW(h, text, 256);
  if (::IsWindowVisible(h) && wcscmp(text, search->name) == 0) {
    search->found = h;
    return FALSE;
  }
  return TRUE;
}

int Control(const char* title, const char* name) {
  wchar_t wideTitle[256] = {}, wideName[256] = {};
  ::MultiByteToWideChar(CP_UTF8, 0, title, -1, wideTitle, 256);
  ::MultiByteToWideChar(CP_UTF8, 0, name, -1, wideName, 256);
  // "class:NAME" looks for a window of that class instead of a title.
  const bool byClass = wcsncmp(wideTitle, L"class:", 6) == 0;
  HWND top = nullptr;
  while ((top = ::FindWindowExW(nullptr, top, byClass ? wideTitle + 6 : nullptr, byClass ? nullptr : wideTitle)) &&
         !::IsWindowVisible(top)) {
  }
  ControlSearch search{wideName};
  if (top) ::EnumChildWindows(top, FindControl, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    std::printf("found=0\n");
    return 1;
  }
  RECT r{};
  ::GetWindowRect(search.found, &r);
  std::printf("found=1\nrect=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

// The system's edit boxes shown in the main window, one screen rectangle a
// line: the only parts of the window the system draws itself.
BOOL CALLBACK ListEdit(HWND h, LPARAM) {
  wchar_t cls[16] = {};
  ::GetClassNameW(h, cls, 16);
  if (_wcsicmp(cls, L"Edit") != 0 || !::IsWindowVisible(h)) return TRUE;
  RECT r{};
  ::GetWindowRect(h, &r);
  std::printf("%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return TRUE;
}

int Edits() {
  Found f = FindMain();
  if (f.windows.empty()) return 1;
  ::EnumChildWindows(f.windows[0], ListEdit, 0);
  return 0;
}

int g_changes = 0;

LRESULT CALLBACK ViewerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_DRAWCLIPBOARD:
      ++g_changes;
      if (g_next) ::SendMessageW(g_next, m, w, l);
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(w) == g_next)
        g_next = reinterpret_cast<HWND>(l);
      else if (g_next)
        ::SendMessageW(g_next, m, w, l);
      return 0;
    default:
      return ::DefWindowProcW(h, m, w, l);
  }
}

int Viewer(double seconds, double leaveAfter) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ViewerProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KoloProbeViewer";
  ::RegisterClassW(&wc);
  HWND h = ::CreateWindowExW(0, wc.lpszClassName, L"probe viewer", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             wc.hInstance, nullptr);
  g_next = ::SetClipboardViewer(h);
  g_changes = 0;  // joining notifies once; that is not a change
  std::printf("joined\n");
  std::fflush(stdout);
  const DWORD start = ::GetTickCount();
  bool inChain = true;
  for (;;) {
    const double t = (::GetTickCount() - start) / 1000.0;
    if (t >= seconds) break;
    if (inChain && leaveAfter > 0 && t >= leaveAfter) {
      ::ChangeClipboardChain(h, g_next);
      inChain = false;
      std::printf("left\n");
      std::fflush(stdout);
    }
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(20);
  }
  if (inChain) ::ChangeClipboardChain(h, g_next);
  std::printf("changes=%d\n", g_changes);
  ::DestroyWindow(h);
  return 0;
}

void AddMark(const char* mark) {
  if (!mark) return;
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
  *static_cast<DWORD*>(::GlobalLock(mem)) = 0;
  ::GlobalUnlock(mem);
  ::SetClipboardData(::RegisterClipboardFormatA(mark), mem);
}

int CopyPicture(int w, int h, unsigned long rgb, const char* mark) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  HBRUSH fill = ::CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  RECT all{0, 0, w, h};
  ::FillRect(dc, &all, fill);
  ::DeleteObject(fill);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  if (!::OpenClipboard(nullptr)) return 1;
  ::EmptyClipboard();
  const bool ok = ::SetClipboardData(CF_BITMAP, bmp) != nullptr;
  AddMark(mark);
  ::CloseClipboard();
  return ok ? 0 : 1;
}

int CopyText(const char* text, const char* mark) {
  const size_t n = std::strlen(text) + 1;
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, n);
  std::memcpy(::GlobalLock(mem), text, n);
  ::GlobalUnlock(mem);
  if (!::OpenClipboard(nullptr)) return 1;
  ::EmptyClipboard();
  const bool ok = ::SetClipboardData(CF_TEXT, mem) != nullptr;
  AddMark(mark);
  ::CloseClipboard();
  return ok ? 0 : 1;
}

std::wstring Wide(const char* s) {
  wchar_t w[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_UTF8, 0, s, -1, w, MAX_PATH);
  return w;
}

// Wine's PostScript driver, with the PPD copied beside the drivers first: adding
// a driver takes its files from the driver folder by name.
int AddPrinter(const char* name, const char* ppd, const char* port) {
  std::wstring printer = Wide(name), portName = Wide(port);
  wchar_t folder[MAX_PATH] = {};
  DWORD size = 0;
  if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &size))
    return 1;
  wchar_t driverFile[] = L"wineps.drv", dataFile[] = L"kolo_test.ppd";
  if (!::CopyFileW(Wide(ppd).c_str(), (std::wstring(folder) + L"\\" + dataFile).c_str(), FALSE)) {
    std::fprintf(stderr, "kolo_probe: cannot copy %s into the driver folder\n", ppd);
    return 1;
  }
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = printer.data();
  driver.pDriverPath = driverFile;
  driver.pDataFile = dataFile;
  driver.pConfigFile = driverFile;
  if (!::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) return 1;
  wchar_t processor[] = L"WinPrint", datatype[] = L"RAW";
  PRINTER_INFO_2W info{};
  info.pPrinterName = printer.data();
  info.pPortName = portName.data();
  info.pDriverName = printer.data();
  info.pPrintProcessor = processor;
  info.pDatatype = datatype;
  HANDLE h = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!h) return 1;
  ::ClosePrinter(h);
  if (!::SetDefaultPrinterW(printer.c_str())) return 1;
  HDC dc = ::CreateDCW(nullptr, printer.c_str(), nullptr, nullptr);
  if (!dc) return 1;
  std::printf("paper=%dx%d\npage=%dx%d\ndpi=%dx%d\noffset=%d,%d\n", ::GetDeviceCaps(dc, PHYSICALWIDTH),
              ::GetDeviceCaps(dc, PHYSICALHEIGHT), ::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES),
              ::GetDeviceCaps(dc, LOGPIXELSX), ::GetDeviceCaps(dc, LOGPIXELSY), ::GetDeviceCaps(dc, PHYSICALOFFSETX),
              ::GetDeviceCaps(dc, PHYSICALOFFSETY));
  ::DeleteDC(dc);
  return 0;
}

int RemovePrinter(const char* name) {
  std::wstring printer = Wide(name);
  HANDLE h = nullptr;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!::OpenPrinterW(printer.data(), &h, &access)) return 1;
  const bool removed = ::DeletePrinter(h);
  ::ClosePrinter(h);
  ::DeletePrinterDriverW(nullptr, nullptr, printer.data());
  return removed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* cmd = argv[1];
  if (!std::strcmp(cmd, "state")) return State();
  if (!std::strcmp(cmd, "edits")) return Edits();
  if (!std::strcmp(cmd, "wait-window")) return Wait(argc > 2 ? std::atof(argv[2]) : 20, false);
  if (!std::strcmp(cmd, "wait-visible")) return Wait(argc > 2 ? std::atof(argv[2]) : 20, true);
  if (!std::strcmp(cmd, "terminate")) return Terminate();
  if (!std::strcmp(cmd, "send-close")) {
    Found f = FindMain();
    if (f.windows.empty()) return 1;
    ::PostMessageW(f.windows[0], WM_CLOSE, 0, 0);
    return 0;
  }
  if (!std::strcmp(cmd, "reg") && argc > 2) return Reg(argv[2]);
  if (!std::strcmp(cmd, "message")) return Message(argc > 2 ? std::atof(argv[2]) : 0);
  if (!std::strcmp(cmd, "viewer") && argc > 2) return Viewer(std::atof(argv[2]), argc > 3 ? std::atof(argv[3]) : 0);
  if (!std::strcmp(cmd, "focus-text") && argc > 2) return FocusText(argv[2]);
  if (!std::strcmp(cmd, "control") && argc > 3) return Control(argv[2], argv[3]);
  if (!std::strcmp(cmd, "menu")) return Menu(argc > 2 ? std::atof(argv[2]) : 0);
  if (!std::strcmp(cmd, "copy-picture") && argc > 4)
    return CopyPicture(std::atoi(argv[2]), std::atoi(argv[3]), std::strtoul(argv[4], nullptr, 16),
                       argc > 5 ? argv[5] : nullptr);
  if (!std::strcmp(cmd, "copy-text") && argc > 2) return CopyText(argv[2], argc > 3 ? argv[3] : nullptr);
  if (!std::strcmp(cmd, "add-printer") && argc > 4) return AddPrinter(argv[2], argv[3], argv[4]);
  if (!std::strcmp(cmd, "remove-printer") && argc > 2) return RemovePrinter(argv[2]);
  std::fprintf(stderr, "kolo_probe: unknown command %s\n", cmd);
  return 2;
}
