// The program's side of the hook library kolod.dll: writing it beside the
// program from the embedded copy, loading it by path, and calling its two
// entry points, resolved by name.
//
// Faults: g++ cannot catch a hardware fault raised inside the library (its
// catch does not see SEH exceptions), so nothing here pretends to. What can be
// made safe is: a missing, damaged or foreign file fails to load quietly (no
// system error box), a library without both entry points is not used, and no
// C++ exception leaves these functions; the program then runs without hooks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace kolo::win {

// A file created before this moment (the high half of its FILETIME) is an old
// library and gets replaced.
inline constexpr DWORD kHookLibraryCutoffHigh = 0x01CC08BC;

// The library as the program carries it: the raw-data resource "KOLODLL" of
// `module` (the program when null). Empty when the resource is missing.
std::span<const std::uint8_t> HookLibraryResource(HMODULE module = nullptr);

enum class HookFileResult { Written, LeftAlone, Failed };

// Writes the embedded library to `path` when no file is there or the file
// there was created before the cut-off. A file whose attributes cannot be read
// is left alone. Tests move the cut-off: Wine cannot back-date a creation time.
HookFileResult ExtractHookLibrary(const std::wstring& path, HMODULE module = nullptr,
                                  DWORD cutoffHigh = kHookLibraryCutoffHigh);

class HookBinding {
 public:
  HookBinding() = default;
  ~HookBinding();
  HookBinding(const HookBinding&) = delete;
  HookBinding& operator=(const HookBinding&) = delete;

  // Loads the library by full path and resolves "hook" and "unhook"; false
  // (and nothing kept) when either is missing.
  bool Load(const std::wstring& path);
  bool Loaded() const { return module_ && hook_ && unhook_; }
  HMODULE Module() const { return module_; }
  // hook(passThrough); false without the library.
  bool Hook(bool passThrough);
  void Unhook();
  bool Hooked() const { return hooked_; }
  // unhook, then free the library.
  void Free();

 private:
  using HookFn = void(WINAPI*)(BYTE passThrough);
  using UnhookFn = void(WINAPI*)();
  HMODULE module_ = nullptr;
  HookFn hook_ = nullptr;
  UnhookFn unhook_ = nullptr;
  bool hooked_ = false;
};

}  // namespace kolo::win
