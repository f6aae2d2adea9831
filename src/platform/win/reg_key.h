// Registry key owner and raw value reads. Keys opened here are closed by their
// owner; the predefined roots (HKEY_CURRENT_USER ...) are never owned.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/handles.h"

namespace kolo::win {

struct RegKeyTraits {
  static void Close(HKEY h) { ::RegCloseKey(h); }
};

class RegKey : public UniqueHandle<HKEY, RegKeyTraits> {
 public:
  using UniqueHandle::UniqueHandle;

  // Opens an existing key; empty when it is missing or not accessible.
  static RegKey Open(HKEY root, const std::wstring& path, REGSAM access = KEY_READ) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, access, &h) != ERROR_SUCCESS) return RegKey();
    return RegKey(h);
  }

  // Opens the key, creating it (and missing parents) when needed.
  static RegKey Create(HKEY root, const std::wstring& path, REGSAM access = KEY_READ | KEY_WRITE) {
    HKEY h = nullptr;
    if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &h,
                          nullptr) != ERROR_SUCCESS) {
      return RegKey();
    }
    return RegKey(h);
  }
};

struct RegValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// A value's type and bytes; empty when it is missing or larger than maxBytes.
// `name` null or empty reads the key's default value.
inline std::optional<RegValue> QueryRegValue(HKEY key, const wchar_t* name, std::size_t maxBytes) {
  RegValue v;
  DWORD size = 0;
  LONG rc = ::RegQueryValueExW(key, name, nullptr, &v.type, nullptr, &size);
  // The value may change between the two calls; a few rounds settle it.
  for (int round = 0; round < 4 && rc == ERROR_SUCCESS; ++round) {
    if (size > maxBytes) return std::nullopt;
    v.data.resize(size);
    DWORD got = size;
    rc = ::RegQueryValueExW(key, name, nullptr, &v.type, v.data.empty() ? nullptr : v.data.data(), &got);
    if (rc == ERROR_SUCCESS) {
      v.data.resize(got);
      return v;
    }
    if (rc == ERROR_MORE_DATA) {
      size = got > size ? got : size * 2 + 2;
      rc = ERROR_SUCCESS;
    }
  }
  return std::nullopt;
}

// REG_SZ / REG_EXPAND_SZ text up to its first NUL (stored text need not end
// with one); empty for other types. Expandable text is returned unexpanded.
inline std::optional<std::wstring> RegValueText(const RegValue& v) {
  if (v.type != REG_SZ && v.type != REG_EXPAND_SZ) return std::nullopt;
  std::size_t chars = v.data.size() / sizeof(wchar_t);
  std::wstring text(chars, L'\0');
  if (chars != 0) std::memcpy(text.data(), v.data.data(), chars * sizeof(wchar_t));
  std::size_t nul = text.find(L'\0');
  if (nul != std::wstring::npos) text.resize(nul);
  return text;
}

// A string value of `key` (the default value for null or empty `name`).
inline std::optional<std::wstring> ReadRegText(HKEY key, const wchar_t* name, std::size_t maxBytes = 1 << 16) {
  auto v = QueryRegValue(key, name, maxBytes);
  if (!v) return std::nullopt;
  return RegValueText(*v);
}

}  // namespace kolo::win
