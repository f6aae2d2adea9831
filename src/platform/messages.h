// Window messages Kolo's windows and its hook library exchange.
#pragma once

namespace kolo {

inline constexpr unsigned kWmUser = 0x0400;
inline constexpr unsigned WM_HOOK_EVENT = kWmUser + 1;           // hook library -> main window
inline constexpr unsigned WM_ACTIVATE_INSTANCE = kWmUser + 0x22;  // second start -> running copy
inline constexpr unsigned WM_NEWVERSION = kWmUser + 0x26;         // update check -> About window
inline constexpr unsigned WM_DRAGCOLOR_OVER = kWmUser + 0x2C;     // drag source -> window under the cursor
inline constexpr unsigned WM_DRAGCOLOR_DROP = kWmUser + 0x2D;     // drag source -> drop target
inline constexpr unsigned WM_TRAYNOTIFY = kWmUser + 0x69;         // tray icon -> main window

// Word parameter of WM_DRAGCOLOR_OVER / _DROP.
inline constexpr unsigned kDragEnter = 0;
inline constexpr unsigned kDragLeave = 1;
inline constexpr unsigned kDragMove = 2;

// What global input drives.
enum class CaptureMode : unsigned char {
  None = 0,
  ScreenPick = 1,      // magnifier pick or screen palette
  AreaShot = 2,        // area screenshot
  WindowShot = 3,      // window screenshot
  PixelPick = 4,       // one-pixel pick of the transparent colour
};


}  // namespace kolo
