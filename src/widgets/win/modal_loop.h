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

// A borderless dialog's modal run: centred over `owner` (both made topmost when
// `topmost`), every other window of the program disabled, the dialog shown and
// focused; `shown` runs once it is up; Escape on it calls `cancel`; the loop
// ends when `done` answers true (or, after a `cancel`, when the program is
// ending). Then it is hidden and the owner comes back to the front.
void RunModalForm(HWND form, HWND owner, bool topmost, const std::function<bool()>& done,
                  const std::function<void()>& cancel, const std::function<void()>& shown = {});

}  // namespace kolo::win
