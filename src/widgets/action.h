// A named command shared by several controls (a button, a menu item): it runs
// one handler and carries the enabled state all its controls follow.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kolo {

class TAction {
 public:
  explicit TAction(std::string name = {}) : name_(std::move(name)) {}
  TAction(const TAction&) = delete;
  TAction& operator=(const TAction&) = delete;

  std::function<void()> OnExecute;

  const std::string& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);

  // Runs the handler when enabled; returns whether it ran.
  bool Execute();

  // Controls linked to the action hear about changes of Enabled and Hint.
  int Subscribe(std::function<void()> onChange);
  void Unsubscribe(int token);
  // Expires with the action, so a control never calls back into a dead one.
  std::weak_ptr<char> AliveToken() const { return alive_; }

 private:
  void Notify();
  std::string name_;
  std::string hint_;
  bool enabled_ = true;
  int nextToken_ = 1;
  std::map<int, std::function<void()>> listeners_;
  std::shared_ptr<char> alive_ = std::make_shared<char>(0);
};

}  // namespace kolo
