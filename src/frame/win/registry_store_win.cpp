#include "frame/win/registry_store_win.h"

#include <cstring>

#include "platform/win/window.h"

namespace kolo::win {

namespace {

std::optional<DWORD> QueryDword(HKEY key, const std::string& name) {
  auto v = QueryRegValue(key, Widen(name).c_str(), sizeof(DWORD));
  if (!v || v->type != REG_DWORD || v->data.size() != sizeof(DWORD)) return std::nullopt;
  DWORD d;
  std::memcpy(&d, v->data.data(), sizeof d);
  return d;
}

bool SetValue(HKEY key, const std::string& name, DWORD type, const void* data, std::size_t size) {
  return ::RegSetValueExW(key, Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

}  // namespace

std::optional<std::int32_t> RegistryStore::ReadInteger(const std::string& name) const {
  auto d = QueryDword(key_.Get(), name);
  if (!d) return std::nullopt;
  return static_cast<std::int32_t>(*d);
}

std::optional<bool> RegistryStore::ReadBool(const std::string& name) const {
  auto d = QueryDword(key_.Get(), name);
  if (!d) return std::nullopt;
  return *d != 0;
}

std::optional<std::string> RegistryStore::ReadString(const std::string& name) const {
  auto v = QueryRegValue(key_.Get(), Widen(name).c_str(), kMaxStringBytes);
  if (!v) return std::nullopt;
  auto text = RegValueText(*v);
  if (!text) return std::nullopt;
  return Narrow(*text);
}

std::optional<std::vector<std::uint8_t>> RegistryStore::ReadBinary(const std::string& name) const {
  auto v = QueryRegValue(key_.Get(), Widen(name).c_str(), kMaxBinaryBytes);
  if (!v || v->type != REG_BINARY) return std::nullopt;
  return std::vector<std::uint8_t>(v->data.begin(), v->data.end());
}

bool RegistryStore::WriteInteger(const std::string& name, std::int32_t value) {
  DWORD d = static_cast<DWORD>(value);
  return SetValue(key_.Get(), name, REG_DWORD, &d, sizeof d);
}

bool RegistryStore::WriteBool(const std::string& name, bool value) {
  DWORD d = value ? 1 : 0;
  return SetValue(key_.Get(), name, REG_DWORD, &d, sizeof d);
}

bool RegistryStore::WriteString(const std::string& name, const std::string& value) {
  std::wstring w = Widen(value);
  return SetValue(key_.Get(), name, REG_SZ, w.c_str(), (w.size() + 1) * sizeof(wchar_t));
}

bool RegistryStore::WriteBinary(const std::string& name, const std::vector<std::uint8_t>& value) {
  return SetValue(key_.Get(), name, REG_BINARY, value.data(), value.size());
}

bool RegistryStore::DeleteValue(const std::string& name) {
  LONG rc = ::RegDeleteValueW(key_.Get(), Widen(name).c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

std::unique_ptr<SettingsStore> OpenRegistrySettings(bool forWriting, HKEY root, const std::wstring& path) {
  RegKey key = forWriting ? RegKey::Create(root, path) : RegKey::Open(root, path, KEY_READ);
  if (!key) return nullptr;
  return std::make_unique<RegistryStore>(std::move(key));
}

}  // namespace kolo::win
