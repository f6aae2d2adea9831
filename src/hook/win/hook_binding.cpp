#include "hook/win/hook_binding.h"

#include "platform/win/handles.h"

namespace kolo::win {

std::span<const std::uint8_t> HookLibraryResource(HMODULE module) {
  if (!module) module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, L"KOLODLL", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!info) return {};
  HGLOBAL data = ::LoadResource(module, info);
  const DWORD size = ::SizeofResource(module, info);
  const void* bytes = data ? ::LockResource(data) : nullptr;
  if (!bytes || size == 0) return {};
  return {static_cast<const std::uint8_t*>(bytes), size};
}

namespace {

enum class FileState { Missing, Unreadable, Old, Current };

FileState LibraryFileState(const std::wstring& path, DWORD cutoffHigh) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileState::Missing
                                                                           : FileState::Unreadable;
  }
  // Only the high half of the creation time is compared.
  return data.ftCreationTime.dwHighDateTime < cutoffHigh ? FileState::Old : FileState::Current;
}

bool WriteWhole(const std::wstring& path, std::span<const std::uint8_t> bytes) {
  KernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && ::FlushFileBuffers(file);
}

// Replacing a file keeps its old creation time (and NTFS even hands a recently
// deleted name's time to a new file), so the new copy would count as old at
// every start. Stamp it with the present.
void StampCreationNow(const std::wstring& path) {
  KernelHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  ::SetFileTime(file, &now, nullptr, nullptr);
}

HookFileResult WriteLibrary(const std::wstring& path, std::span<const std::uint8_t> bytes) {
  // Through a temporary file: a half-written library would otherwise count
  // as current from then on and never be repaired.
  const std::wstring temp = path + L".new";
  if (!WriteWhole(temp, bytes) || !::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ::DeleteFileW(temp.c_str());
    return HookFileResult::Failed;
  }
  StampCreationNow(path);
  return HookFileResult::Written;
}

}  // namespace

HookFileResult ExtractHookLibrary(const std::wstring& path, HMODULE module, DWORD cutoffHigh) {
  try {
    const FileState state = LibraryFileState(path, cutoffHigh);
    if (state == FileState::Unreadable || state == FileState::Current) return HookFileResult::LeftAlone;
    const auto bytes = HookLibraryResource(module);
    if (bytes.empty()) return HookFileResult::Failed;
    return WriteLibrary(path, bytes);
  } catch (...) {
    return HookFileResult::Failed;
  }
}

HookBinding::~HookBinding() { Free(); }

bool HookBinding::Load(const std::wstring& path) {
  Free();
  // A damaged or foreign file must fail quietly, not raise a system error box.
  DWORD oldMode = 0;
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
  module_ = ::LoadLibraryW(path.c_str());
  ::SetThreadErrorMode(oldMode, nullptr);
  if (!module_) return false;
  hook_ = reinterpret_cast<HookFn>(reinterpret_cast<void*>(::GetProcAddress(module_, "hook")));
  unhook_ = reinterpret_cast<UnhookFn>(reinterpret_cast<void*>(::GetProcAddress(module_, "unhook")));
  if (!hook_ || !unhook_) {
    ::FreeLibrary(module_);
    module_ = nullptr;
    hook_ = nullptr;
    unhook_ = nullptr;
    return false;
  }
  return true;
}

bool HookBinding::Hook(bool passThrough) {
  if (!Loaded()) return false;
  hook_(passThrough ? 1 : 0);
  hooked_ = true;
  return true;
}

void HookBinding::Unhook() {
  if (!Loaded()) return;
  unhook_();
  hooked_ = false;
}

void HookBinding::Free() {
  if (module_) {
    if (unhook_) unhook_();
    ::FreeLibrary(module_);
  }
  module_ = nullptr;
  hook_ = nullptr;
  unhook_ = nullptr;
  hooked_ = false;
}

}  // namespace kolo::win
