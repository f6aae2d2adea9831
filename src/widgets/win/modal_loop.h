// The program's message loops: the main loop and every modal loop (message
// box, dialogs) pass each message through one application-wide filter, and a
// modal window disables every other window of the program while it is up.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace kolo::win {

// The application-wide filter (F1, Escape, the capture-mode keys...): true
// when it handled the message. Empty removes it.
void SetApplicationMessageFilter(std::function<bool(const MSG&)> filter);
// Runs the filter on one message taken from the queue.
bool FilterApplicationMessage(const MSG& msg);

// While alive, every enabled top-level window of this thread except `modal`
// (and the windows it owns) is disabled; they are enabled again, in reverse
// order, when it goes.
class ProgramWindowsDisabled {
 public:
  explicit ProgramWindowsDisabled(HWND modal);
  ~ProgramWindowsDisabled();
  ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
  ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

 private:
  std::vector<HWND> disabled_;
};

// Takes messages until `done` answers true. `preTranslate` sees each message
// after the application filter (true: handled). A WM_QUIT is put back for the
// main loop and ends this one; the return value is false then.
bool RunModalLoop(const std::function<bool()>& done, const std::function<bool(const MSG&)>& preTranslate = {});

}  // namespace kolo::win
