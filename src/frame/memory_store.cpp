#include "frame/memory_store.h"

namespace kolo {

const MemoryStore::Value* MemoryStore::Find(const std::string& name) const {
  readLog_.push_back(name);
  auto it = values_.find(name);
  return it == values_.end() ? nullptr : &it->second;
}

bool MemoryStore::Put(const std::string& name, Value value) {
  if (readOnly_) return false;
  writeLog_.push_back(name);
  values_[name] = std::move(value);
  return true;
}

std::optional<std::int32_t> MemoryStore::ReadInteger(const std::string& name) const {
  const Value* v = Find(name);
  if (v == nullptr || !std::holds_alternative<std::int32_t>(*v)) return std::nullopt;
  return std::get<std::int32_t>(*v);
}

std::optional<bool> MemoryStore::ReadBool(const std::string& name) const {
  const Value* v = Find(name);
  if (v == nullptr || !std::holds_alternative<std::int32_t>(*v)) return std::nullopt;
  return std::get<std::int32_t>(*v) != 0;
}

std::optional<std::string> MemoryStore::ReadString(const std::string& name) const {
  const Value* v = Find(name);
  if (v == nullptr || !std::holds_alternative<std::string>(*v)) return std::nullopt;
  return std::get<std::string>(*v);
}

std::optional<std::vector<std::uint8_t>> MemoryStore::ReadBinary(const std::string& name) const {
  const Value* v = Find(name);
  if (v == nullptr || !std::holds_alternative<std::vector<std::uint8_t>>(*v)) return std::nullopt;
  return std::get<std::vector<std::uint8_t>>(*v);
}

bool MemoryStore::WriteInteger(const std::string& name, std::int32_t value) { return Put(name, value); }

bool MemoryStore::WriteBool(const std::string& name, bool value) {
  return Put(name, static_cast<std::int32_t>(value ? 1 : 0));
}

bool MemoryStore::WriteString(const std::string& name, const std::string& value) { return Put(name, value); }

bool MemoryStore::WriteBinary(const std::string& name, const std::vector<std::uint8_t>& value) {
  return Put(name, value);
}

bool MemoryStore::DeleteValue(const std::string& name) {
  if (readOnly_) return false;
  writeLog_.push_back(name);
  values_.erase(name);
  return true;
}

}  // namespace kolo
