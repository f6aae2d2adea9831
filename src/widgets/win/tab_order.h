// Keyboard navigation between controls, as a dialog does it: Tab moves the
// focus to the next control with a tab stop in the same top-level window,
// Shift+Tab to the previous one, wrapping round at the ends. The order is the
// order of creation, depth first (a page's controls follow the page); hidden
// and disabled controls, and those on hidden pages, are passed over.
#pragma once

#include <windows.h>

namespace kolo {

// The tab stop after (or before) `from` among the descendants of `root`;
// from the start (or the end) when `from` is not one of them. Null when
// `root` holds no control that can take the focus.
HWND NextTabStop(HWND root, HWND from, bool backwards);

// For a message loop: a Tab key-down (without Ctrl or Alt) meant for a window
// of this thread moves the focus and is used up; everything else is left alone.
bool HandleTabKey(const MSG& msg);

}  // namespace kolo
