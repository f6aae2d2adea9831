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

}  // namespace kolo::win
