// The program's side of the hook library: the module handle and its two entry
// points, resolved by name. Calls into the library never let a fault escape.
#pragma once

#include <windows.h>

#include <string>

namespace kolo::win {

class HookBinding {
 public:
  HookBinding() = default;
  ~HookBinding();
  HookBinding(const HookBinding&) = delete;
  HookBinding& operator=(const HookBinding&) = delete;

  // Loads the library by full path and resolves "hook" and "unhook".
  bool Load(const std::wstring& path);
  bool Loaded() const { return module_ && hook_ && unhook_; }
  bool Hook(bool passThrough);
  void Unhook();
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
