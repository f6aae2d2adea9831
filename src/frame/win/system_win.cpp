#include "frame/win/system_win.h"

#include <shlobj.h>

#include <mutex>
#include <vector>

#include "frame/routines.h"
#include "platform/win/handles.h"
#include "platform/win/reg_key.h"
#include "platform/win/window.h"

namespace kolo::win {

namespace {

std::wstring Lower(std::wstring s) {
  if (!s.empty()) ::CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

std::wstring WithSeparator(std::wstring path) {
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path;
}

}  // namespace

std::wstring ExecutablePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return std::wstring(buf.data(), n);
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);  // truncated: long path
  }
}

std::wstring ProgramFolder() {
  std::wstring exe = ExecutablePath();
  std::size_t slash = exe.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash + 1);
}

bool IsAutorun(const std::wstring& name) {
  RegKey run = RegKey::Open(HKEY_CURRENT_USER, kRunKeyPath, KEY_QUERY_VALUE);
  if (!run) return false;
  auto value = ReadRegText(run, name.c_str());
  std::wstring exe = ExecutablePath();
  if (!value || exe.empty()) return false;
  return Lower(*value).find(Lower(L"\"" + exe + L"\"")) != std::wstring::npos;
}

void SetAutorun(const std::wstring& name, bool enable, const std::wstring& params) {
  if (!enable) {
    RegKey run = RegKey::Open(HKEY_CURRENT_USER, kRunKeyPath, KEY_SET_VALUE);
    if (run) ::RegDeleteValueW(run, name.c_str());
    return;
  }
  // A fresh profile may lack the Run key; ticking "start with Windows" must
  // still take effect.
  RegKey run = RegKey::Create(HKEY_CURRENT_USER, kRunKeyPath, KEY_SET_VALUE);
  if (!run) return;
  std::wstring value = L"\"" + ExecutablePath() + L"\"";
  if (!params.empty()) value += L" " + params;
  ::RegSetValueExW(run, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

namespace {

// %VARIABLES% replaced; the text as it was when that fails.
std::wstring ExpandEnvironment(const std::wstring& text) {
  const DWORD n = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  std::wstring expanded(n, L'\0');
  if (n == 0 || ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(), n) != n) return text;
  expanded.resize(n - 1);
  return expanded;
}

// The open command of the class an extension names, if both are there.
std::optional<std::wstring> ExtensionOpenCommand(HKEY classesRoot, const wchar_t* ext) {
  RegKey k = RegKey::Open(classesRoot, ext, KEY_QUERY_VALUE);
  if (!k) return std::nullopt;
  const std::wstring className = ReadRegText(k, nullptr).value_or(L"");
  if (className.empty()) return std::nullopt;
  RegKey cmdKey = RegKey::Open(classesRoot, className + L"\\shell\\open\\command", KEY_QUERY_VALUE);
  if (!cmdKey) return std::nullopt;
  auto v = QueryRegValue(cmdKey, nullptr, 64 * 1024);
  if (!v) return std::nullopt;
  auto command = RegValueText(*v);
  if (!command || command->empty()) return std::nullopt;
  if (v->type == REG_EXPAND_SZ) command = ExpandEnvironment(*command);
  return command;
}

}  // namespace

// ".htm" first; a ".htm" that leads to no command does not hide a usable ".html".
std::optional<std::wstring> ReadBrowserCommand(HKEY classesRoot) {
  for (const wchar_t* ext : {L".htm", L".html"})
    if (auto command = ExtensionOpenCommand(classesRoot, ext)) return command;
  return std::nullopt;
}

bool RunBrowserCommand(const std::wstring& command, const std::string& url) {
  auto safe = BrowserSafeUrl(url);
  if (!safe) return false;
  std::wstring line = Widen(BuildBrowserCommandLine(Narrow(command), *safe));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return false;
  }
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

void OpenURL(const std::string& url) {
  static std::mutex lock;
  static std::optional<std::wstring> command;
  std::wstring found;
  {
    std::lock_guard<std::mutex> guard(lock);
    if (!command) command = ReadBrowserCommand(HKEY_CLASSES_ROOT);  // kept once found
    if (command) found = *command;
  }
  if (found.empty()) {
    ::MessageBoxW(nullptr, L"Не могу найти браузер.", L"Kolo", MB_OK);
    return;
  }
  RunBrowserCommand(found, url);
}

void OpenURL(const std::wstring& url) { OpenURL(Narrow(url)); }

double GetFileProgramVersion(const std::wstring& path) {
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return 0;
  std::vector<BYTE> data(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return 0;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || info == nullptr ||
      len < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != 0xFEEF04BD) {
    return 0;
  }
  return HIWORD(info->dwFileVersionMS) + LOWORD(info->dwFileVersionMS) / 100.0;
}

double GetProgramVersion() { return GetFileProgramVersion(ExecutablePath()); }

std::wstring GetSpecialFolder(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf))) return {};
  return buf;
}

std::wstring EnsureSubfolder(const std::wstring& parent, const std::wstring& name) {
  std::wstring folder = WithSeparator(parent) + name;
  DWORD attrs = ::GetFileAttributesW(folder.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L'\\';
}

namespace {

// Whether files can be created in `folder`: a probe file is made and removed.
bool FolderWritable(const std::wstring& folder) {
  const std::wstring probe = folder + L"kolo-write-test.tmp";
  HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_EXISTS;
  ::CloseHandle(h);
  return true;
}

}  // namespace

std::wstring ChooseDataFolder(const std::wstring& programFolder,
                              const std::function<std::wstring()>& localAppData) {
  if (programFolder.empty() || FolderWritable(WithSeparator(programFolder)))
    return programFolder.empty() ? programFolder : WithSeparator(programFolder);
  const std::wstring perUser = localAppData ? localAppData() : std::wstring();
  if (perUser.empty()) return WithSeparator(programFolder);
  return EnsureSubfolder(perUser, L"Kolo");
}

std::wstring DataFolder() {
  // The shell (a megabyte of libraries) is asked only when the program folder
  // cannot be written.
  static const std::wstring folder =
      ChooseDataFolder(ProgramFolder(), [] { return GetSpecialFolder(CSIDL_LOCAL_APPDATA); });
  return folder;
}

std::wstring ScreenshotFolder() { return EnsureSubfolder(DataFolder(), L"scrn"); }
std::wstring ClipboardFolder() { return EnsureSubfolder(DataFolder(), L"clipbrd"); }

bool IsCompositionEnabled() {
  using IsEnabledFn = HRESULT(WINAPI*)(BOOL*);
  // Loaded once and kept; from the system folder only, never from beside the exe.
  static const IsEnabledFn isEnabled = []() -> IsEnabledFn {
    wchar_t sys[MAX_PATH];
    UINT n = ::GetSystemDirectoryW(sys, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    HMODULE dwm = ::LoadLibraryW((std::wstring(sys, n) + L"\\dwmapi.dll").c_str());
    if (dwm == nullptr) return nullptr;
    FARPROC proc = ::GetProcAddress(dwm, "DwmIsCompositionEnabled");
    return reinterpret_cast<IsEnabledFn>(reinterpret_cast<void*>(proc));
  }();
  if (isEnabled == nullptr) return false;
  BOOL enabled = FALSE;
  return SUCCEEDED(isEnabled(&enabled)) && enabled;
}

void DrawBitmapStretched(HDC dc, const RECT& rect, HBITMAP bitmap) {
  BITMAP bm{};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight == 0) {
    return;
  }
  const int w = bm.bmWidth;
  const int h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
  MemoryDc scratch(::CreateCompatibleDC(nullptr));
  if (!scratch || ::GetDIBits(scratch, bitmap, 0, h, pixels.data(), &bi, DIB_RGB_COLORS) != h) return;
  int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, w, h,
                  pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  if (oldMode != 0) ::SetStretchBltMode(dc, oldMode);
}

// The user's documents folder as the shell keeps it, read without loading the
// shell library at start; the shell is asked only when the key says nothing.
std::wstring DocumentsFolder() {
  RegKey k = RegKey::Open(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                          KEY_QUERY_VALUE);
  if (k) {
    if (auto v = QueryRegValue(k, L"Personal", 64 * 1024)) {
      if (auto text = RegValueText(*v); text && !text->empty()) {
        const std::wstring folder = ExpandEnvironment(*text);
        if (::GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return folder;
      }
    }
  }
  return GetSpecialFolder(CSIDL_PERSONAL);
}

LoadEnvironment CurrentLoadEnvironment(int windowWidth, int windowHeight) {
  LoadEnvironment env;
  env.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  env.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  env.windowWidth = windowWidth;
  env.windowHeight = windowHeight;
  env.documentsFolder = Narrow(DocumentsFolder());
  return env;
}

}  // namespace kolo::win
