// A settings store held in memory, with the registry's typing rules: integers
// and bools share one type (as a registry DWORD does), strings and byte strings
// are their own. It remembers the order of reads and writes so tests can check
// the order in which settings are stored.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "frame/settings_store.h"

namespace kolo {

class MemoryStore final : public SettingsStore {
 public:
  using Value = std::variant<std::int32_t, std::string, std::vector<std::uint8_t>>;

  std::optional<std::int32_t> ReadInteger(const std::string& name) const override;
  std::optional<bool> ReadBool(const std::string& name) const override;
  std::optional<std::string> ReadString(const std::string& name) const override;
  std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& name) const override;

  bool WriteInteger(const std::string& name, std::int32_t value) override;
  bool WriteBool(const std::string& name, bool value) override;
  bool WriteString(const std::string& name, const std::string& value) override;
  bool WriteBinary(const std::string& name, const std::vector<std::uint8_t>& value) override;
  bool DeleteValue(const std::string& name) override;

  bool Contains(const std::string& name) const { return values_.count(name) != 0; }
  std::size_t size() const { return values_.size(); }
  const std::map<std::string, Value>& values() const { return values_; }

  // Names in the order they were read or written (every call, repeats included).
  const std::vector<std::string>& readLog() const { return readLog_; }
  const std::vector<std::string>& writeLog() const { return writeLog_; }
  void ClearLogs() {
    readLog_.clear();
    writeLog_.clear();
  }

  // While read-only every write fails and changes nothing (a key that could
  // not be opened for writing).
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

 private:
  const Value* Find(const std::string& name) const;
  bool Put(const std::string& name, Value value);

  std::map<std::string, Value> values_;
  mutable std::vector<std::string> readLog_;
  std::vector<std::string> writeLog_;
  bool readOnly_ = false;
};

}  // namespace kolo
