#include "widgets/win/tab_order.h"

#include <algorithm>
#include <vector>

namespace kolo {

namespace {

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}

bool CanTakeFocus(HWND w) {
  return (::GetWindowLongPtrW(w, GWL_STYLE) & WS_TABSTOP) && ::IsWindowVisible(w) && ::IsWindowEnabled(w);
}

}  // namespace

HWND NextTabStop(HWND root, HWND from, bool backwards) {
  std::vector<HWND> all;
  ::EnumChildWindows(root, &Collect, reinterpret_cast<LPARAM>(&all));
  const int n = static_cast<int>(all.size());
  if (n == 0) return nullptr;
  const auto found = std::find(all.begin(), all.end(), from);
  const int step = backwards ? -1 : 1;
  // Not among them: start just outside the list, so the first step lands on an end.
  int i = found == all.end() ? (backwards ? n : -1) : static_cast<int>(found - all.begin());
  for (int k = 0; k < n; ++k) {
    i = (i + step + n) % n;
    if (CanTakeFocus(all[static_cast<size_t>(i)])) return all[static_cast<size_t>(i)];
  }
  return nullptr;
}

bool HandleTabKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !msg.hwnd) return false;
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
  if (::GetWindowThreadProcessId(msg.hwnd, nullptr) != ::GetCurrentThreadId()) return false;
  HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  HWND next = NextTabStop(root, msg.hwnd, ::GetKeyState(VK_SHIFT) < 0);
  if (!next) return false;
  ::SetFocus(next);
  return true;
}

}  // namespace kolo
