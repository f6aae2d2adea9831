// A store for tests that forwards to one MemoryStore, so that every time the
// program "opens the key" it sees the same values.
#pragma once

#include "frame/memory_store.h"
#include "frame/settings_store.h"

namespace kolo::testing {

class SharedStore : public SettingsStore {
 public:
  explicit SharedStore(MemoryStore& m) : m_(m) {}
  std::optional<std::int32_t> ReadInteger(const std::string& n) const override { return m_.ReadInteger(n); }
  std::optional<bool> ReadBool(const std::string& n) const override { return m_.ReadBool(n); }
  std::optional<std::string> ReadString(const std::string& n) const override { return m_.ReadString(n); }
  std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& n) const override { return m_.ReadBinary(n); }
  bool WriteInteger(const std::string& n, std::int32_t v) override { return m_.WriteInteger(n, v); }
  bool WriteBool(const std::string& n, bool v) override { return m_.WriteBool(n, v); }
  bool WriteString(const std::string& n, const std::string& v) override { return m_.WriteString(n, v); }
  bool WriteBinary(const std::string& n, const std::vector<std::uint8_t>& v) override { return m_.WriteBinary(n, v); }
  bool DeleteValue(const std::string& n) override { return m_.DeleteValue(n); }

 private:
  MemoryStore& m_;
};

}  // namespace kolo::testing
