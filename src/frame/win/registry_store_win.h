// The settings store of the program: one registry key of the current user.
// Integers and bools are REG_DWORD (bools 0/1, any non-zero reads as true),
// strings REG_SZ in UTF-16 (UTF-8 on the C++ side), byte strings REG_BINARY.
// A value of another registry type reads as absent.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "frame/settings_store.h"
#include "platform/win/reg_key.h"

namespace kolo::win {

inline constexpr wchar_t kSettingsKeyPath[] = L"Software\\Velmora\\Kolo";

class RegistryStore final : public SettingsStore {
 public:
  // Values larger than these read as absent: garbage, not settings.
  static constexpr std::size_t kMaxStringBytes = 64 * 1024;
  static constexpr std::size_t kMaxBinaryBytes = 1024 * 1024;

  explicit RegistryStore(RegKey key) : key_(std::move(key)) {}

  std::optional<std::int32_t> ReadInteger(const std::string& name) const override;
  std::optional<bool> ReadBool(const std::string& name) const override;
  std::optional<std::string> ReadString(const std::string& name) const override;
  std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& name) const override;

  bool WriteInteger(const std::string& name, std::int32_t value) override;
  bool WriteBool(const std::string& name, bool value) override;
  bool WriteString(const std::string& name, const std::string& value) override;
  bool WriteBinary(const std::string& name, const std::vector<std::uint8_t>& value) override;
  bool DeleteValue(const std::string& name) override;

  HKEY Key() const { return key_.Get(); }

 private:
  RegKey key_;
};

// The settings key opened for reading (never created) or for writing (created
// when missing); null when that fails. Fits TfrmMain::StoreFactory.
std::unique_ptr<SettingsStore> OpenRegistrySettings(bool forWriting, HKEY root = HKEY_CURRENT_USER,
                                                    const std::wstring& path = kSettingsKeyPath);

}  // namespace kolo::win
