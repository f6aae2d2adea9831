// The whole factor Kolo's windows are drawn at on a high-DPI screen.
//
// Every layout number in the code is a logical pixel: the size the window has
// at 96 dpi. On a denser screen each logical pixel becomes a square of
// UiScale() x UiScale() device pixels: windows are that much larger, and
// everything Kolo draws itself is drawn at the logical size and enlarged with
// nearest-neighbour, so the pixel art and the text stay crisp and in place.
// The conversion happens here and in the window and control bases; feature
// code keeps logical numbers. Screen coordinates (the cursor, window
// rectangles, screen reads) stay in device pixels everywhere.
#pragma once

#include <windows.h>

namespace kolo::win {

// The factor for the main window's monitor (1 at 96 dpi).
int UiScale();
// Set at start and when the main window meets a monitor of another density.
void SetUiScale(int scale);

// The dpi of a window's monitor (the screen's when the system cannot say).
int WindowDpi(HWND window);

// Logical to device pixels and back (floor, so -1 device pixel is logical -1).
inline int Px(int logical) { return logical * UiScale(); }
int Lg(int device);
RECT PxRect(const RECT& logical);
RECT LgRect(const RECT& device);
// A mouse message's client position in logical pixels.
POINT LgPoint(LPARAM lp);
// A point of a window's client area, in logical pixels, on the screen (device pixels), and back.
POINT LogicalToScreen(HWND window, POINT logical);
POINT ScreenToLogical(HWND window, POINT screen);

// Placements on the screen worked out in logical pixels: screen coordinates
// shrunk around an origin on the screen (an anchor's corner), and back.
inline int LgAround(int device, int origin) { return origin + Lg(device - origin); }
inline int PxAround(int logical, int origin) { return origin + Px(logical - origin); }
RECT LgRectAround(const RECT& device, POINT origin);
RECT PxRectAround(const RECT& logical, POINT origin);

// The same font `scale` times as tall: for the system's own controls (edit
// boxes), which draw their text themselves. Cached for the run.
HFONT ScaledFont(HFONT logical, int scale);

// A system control (an edit box) inside one of Kolo's windows, placed in
// logical pixels and given `font` at the current factor. RescaleWindows keeps
// it right when the factor changes.
HWND CreateSystemControl(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y, int width,
                         int height, HWND parent, HMENU id, HFONT font);
void MoveSystemControl(HWND control, int x, int y, int width, int height);

// Windows that stay in device pixels whatever the factor (the screen overlay).
inline constexpr wchar_t kDevicePixelsProp[] = L"KoloDevicePixels";
void MarkDevicePixels(HWND window);
// Whether `window`'s top-level window is so marked (no window-system call
// while no window ever was).
bool InDevicePixelWindow(HWND window);

// The factor changed: every window of this thread is resized from `from` to
// the current factor (top-level windows keep their top-left corner), system
// controls get their font again, and everything is repainted once.
void RescaleWindows(int from);

}  // namespace kolo::win
