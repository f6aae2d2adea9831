#include "widgets/action.h"

#include <vector>

namespace kolo {

void TAction::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify();
}

void TAction::SetHint(std::string hint) {
  if (hint_ == hint) return;
  hint_ = std::move(hint);
  Notify();
}

bool TAction::Execute() {
  if (!enabled_ || !OnExecute) return false;
  // A copy: the handler may replace OnExecute while it runs.
  auto handler = OnExecute;
  handler();
  return true;
}

int TAction::Subscribe(std::function<void()> onChange) {
  int token = nextToken_++;
  listeners_.emplace(token, std::move(onChange));
  return token;
}

void TAction::Unsubscribe(int token) { listeners_.erase(token); }

void TAction::Notify() {
  // A listener may unsubscribe itself or others while being told.
  std::vector<int> tokens;
  for (auto& entry : listeners_) tokens.push_back(entry.first);
  for (int token : tokens) {
    auto it = listeners_.find(token);
    if (it == listeners_.end() || !it->second) continue;
    auto fn = it->second;
    fn();
  }
}

}  // namespace kolo
