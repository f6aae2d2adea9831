// Where Kolo meets Windows: start with Windows, the default browser, its own
// version, the user's and the program's folders, desktop composition, and a
// stretched bitmap copy. Paths are UTF-16 throughout so folder names outside
// the system code page survive.
#pragma once

#include <windows.h>

#include <optional>
#include <functional>
#include <string>

#include "frame/settings.h"

namespace kolo::win {

inline constexpr wchar_t kAutorunName[] = L"kolo";
inline constexpr wchar_t kAutorunParams[] = L"/m";
inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Full path of the running executable, and its folder ending with '\'.
std::wstring ExecutablePath();
std::wstring ProgramFolder();

// True when the current user's Run key has `name` and it holds this
// executable's path in double quotes (paths compare without regard to case).
bool IsAutorun(const std::wstring& name);
// Writes "\"exe\"" plus " params" (params not empty), creating the Run key
// when a fresh profile lacks it, or deletes the value when `enable` is false.
void SetAutorun(const std::wstring& name, bool enable, const std::wstring& params);

// Opens the address in the default browser (the file-class command for .htm or
// .html, looked up once). Only http, https and file addresses and local paths
// are opened, made safe first so they stay one argument (BrowserSafeUrl).
void OpenURL(const std::string& url);
void OpenURL(const std::wstring& url);
// The open command of the class that ".htm" (else ".html") names under
// `classesRoot`; empty when neither extension key exists or no command is set.
// Expandable commands are expanded.
std::optional<std::wstring> ReadBrowserCommand(HKEY classesRoot);
// Starts `command` with the address put in; false when the address is refused
// or the process could not start.
bool RunBrowserCommand(const std::wstring& command, const std::string& url);

// Major + minor / 100 of the file version in the executable's version
// resource (2.1 gives 2.01); 0 without one.
double GetProgramVersion();
double GetFileProgramVersion(const std::wstring& path);

// A shell folder by CSIDL number (5: documents); empty when unknown.
std::wstring GetSpecialFolder(int csidl);

// Where the program keeps what it writes ("scrn", "clipbrd", "kolod.dll"):
// the program folder when it can be written, else the per-user local data
// folder "Kolo" (created when missing). Decided once per run.
std::wstring DataFolder();
// Testing: the folder DataFolder would choose for this program folder.
std::wstring ChooseDataFolder(const std::wstring& programFolder,
                              const std::function<std::wstring()>& localAppData);
// "scrn\" and "clipbrd\" in the data folder, created when missing.
std::wstring ScreenshotFolder();
std::wstring ClipboardFolder();
// parent + name + '\', creating that one folder when it does not exist.
std::wstring EnsureSubfolder(const std::wstring& parent, const std::wstring& name);

// DwmIsCompositionEnabled, with dwmapi.dll loaded at run time; false without it.
bool IsCompositionEnabled();

// Copies the bitmap's pixels stretched into `rect` of `dc` (straight copy).
// The bitmap must not be selected into a DC.
void DrawBitmapStretched(HDC dc, const RECT& rect, HBITMAP bitmap);

// The user's documents folder (the shell's "Personal" folder).
std::wstring DocumentsFolder();

// Screen size and documents folder for LoadSettings; the caller gives its
// window's full size.
LoadEnvironment CurrentLoadEnvironment(int windowWidth, int windowHeight);

}  // namespace kolo::win
