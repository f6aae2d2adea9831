#include "hook/win/hook_binding.h"

namespace kolo::win {

HookBinding::~HookBinding() { Free(); }

bool HookBinding::Load(const std::wstring& path) {
  Free();
  module_ = ::LoadLibraryW(path.c_str());
  if (!module_) return false;
  hook_ = reinterpret_cast<HookFn>(reinterpret_cast<void*>(::GetProcAddress(module_, "hook")));
  unhook_ = reinterpret_cast<UnhookFn>(reinterpret_cast<void*>(::GetProcAddress(module_, "unhook")));
  if (!hook_ || !unhook_) {
    Free();
    return false;
  }
  return true;
}

bool HookBinding::Hook(bool passThrough) {
  if (!Loaded()) return false;
  try {
    hook_(passThrough ? 1 : 0);
    hooked_ = true;
  } catch (...) {
    return false;
  }
  return true;
}

void HookBinding::Unhook() {
  if (!Loaded()) return;
  try {
    unhook_();
  } catch (...) {
  }
  hooked_ = false;
}

void HookBinding::Free() {
  if (module_) {
    if (unhook_) Unhook();
    ::FreeLibrary(module_);
  }
  module_ = nullptr;
  hook_ = nullptr;
  unhook_ = nullptr;
}

}  // namespace kolo::win
