// The key-value store the settings are kept in. Its rules follow the registry's:
// typed values; a missing value or one of another type reads as "absent"
// (callers then use their default).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kolo {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Absent when missing or stored with another type.
  virtual std::optional<std::int32_t> ReadInteger(const std::string& name) const = 0;
  virtual std::optional<bool> ReadBool(const std::string& name) const = 0;
  virtual std::optional<std::string> ReadString(const std::string& name) const = 0;
  virtual std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& name) const = 0;

  // False when the value could not be written.
  virtual bool WriteInteger(const std::string& name, std::int32_t value) = 0;
  virtual bool WriteBool(const std::string& name, bool value) = 0;
  virtual bool WriteString(const std::string& name, const std::string& value) = 0;
  virtual bool WriteBinary(const std::string& name, const std::vector<std::uint8_t>& value) = 0;

  // Removes the value; true when it is gone afterwards (also when it never existed).
  virtual bool DeleteValue(const std::string& name) = 0;
};

}  // namespace kolo
