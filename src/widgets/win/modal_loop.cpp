#include "widgets/win/modal_loop.h"

#include <utility>

namespace kolo::win {

namespace {

std::function<bool(const MSG&)>& Filter() {
  static std::function<bool(const MSG&)> filter;
  return filter;
}

struct EnumState {
  HWND modal;
  std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<EnumState*>(lp);
  if (hwnd == s->modal || !::IsWindowEnabled(hwnd)) return TRUE;
  // Windows the modal one owns (its own pop-ups) stay usable.
  for (HWND owner = ::GetWindow(hwnd, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER))
    if (owner == s->modal) return TRUE;
  ::EnableWindow(hwnd, FALSE);
  s->disabled->push_back(hwnd);
  return TRUE;
}

}  // namespace

void SetApplicationMessageFilter(std::function<bool(const MSG&)> filter) { Filter() = std::move(filter); }

bool FilterApplicationMessage(const MSG& msg) { return Filter() && Filter()(msg); }

ProgramWindowsDisabled::ProgramWindowsDisabled(HWND modal) {
  EnumState state{modal, &disabled_};
  ::EnumThreadWindows(::GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&state));
}

ProgramWindowsDisabled::~ProgramWindowsDisabled() {
  for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
    if (::IsWindow(*it)) ::EnableWindow(*it, TRUE);
}

bool RunModalLoop(const std::function<bool()>& done, const std::function<bool(const MSG&)>& preTranslate) {
  MSG msg;
  while (!done()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: leave the quit for the main loop.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (got < 0) return false;
    if (FilterApplicationMessage(msg)) continue;
    if (preTranslate && preTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return true;
}

void RunModalForm(HWND form, HWND owner, bool topmost, const std::function<bool()>& done,
                  const std::function<void()>& cancel, const std::function<void()>& shown) {
  RECT mine{}, theirs{};
  ::GetWindowRect(form, &mine);
  ::GetWindowRect(owner, &theirs);
  const int width = mine.right - mine.left, height = mine.bottom - mine.top;
  const int left = theirs.left + ((theirs.right - theirs.left) - width) / 2;
  const int top = theirs.top + ((theirs.bottom - theirs.top) - height) / 2;
  if (topmost) ::SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowPos(form, topmost ? HWND_TOPMOST : HWND_TOP, left, top, width, height, SWP_NOACTIVATE);
  // The command usually comes from a button's click, whose window still holds
  // the mouse: the dialog must get the next click, not that button.
  if (::GetCapture()) ::ReleaseCapture();
  {
    ProgramWindowsDisabled others(form);
    ::ShowWindow(form, SW_SHOW);
    ::SetForegroundWindow(form);
    ::SetFocus(form);
    if (shown) shown();
    const bool running = RunModalLoop(done, [form, &cancel](const MSG& msg) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && (msg.hwnd == form || ::IsChild(form, msg.hwnd))) {
        cancel();
        return true;
      }
      return false;
    });
    if (!running && !done()) cancel();  // the program is ending
  }
  ::ShowWindow(form, SW_HIDE);
  ::SetForegroundWindow(owner);
}

}  // namespace kolo::win
