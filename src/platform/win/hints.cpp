#include "platform/win/hints.h"

namespace kolo::win {

namespace {
std::string& Current() {
  static std::string hint;
  return hint;
}
std::function<void(const std::string&)>& Handler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}
const void*& Owner() {
  static const void* owner = nullptr;
  return owner;
}
}  // namespace

void SetApplicationHint(const std::string& hint) {
  if (hint == Current()) return;
  Current() = hint;
  if (Handler()) Handler()(hint);
}

const std::string& ApplicationHint() { return Current(); }

void SetHintHandler(std::function<void(const std::string&)> handler) { Handler() = std::move(handler); }

void SetHintOwner(const void* owner) { Owner() = owner; }
const void* HintOwner() { return Owner(); }

}  // namespace kolo::win
