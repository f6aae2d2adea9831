// kolod.dll: the system-wide input hooks of Kolo's screen tools. While they
// are installed, mouse, wheel, key and activation input is reported to the
// window titled "Kolo" as WM_USER + 1 (event code in the word parameter), and
// most mouse input is swallowed so the click that ends a pick reaches nobody.
//
// The library is mapped into every process that receives mouse or activation
// input; its variables are per process, so outside the program they keep their
// initial values. It links against user32 and kernel32 only and has no C
// runtime: nothing here may need one.
#include <windows.h>

#include "hook/hook_events.h"

namespace {

constexpr UINT kHookEvent = WM_USER + 1;
constexpr LRESULT kSwallow = 2;

HINSTANCE module = nullptr;
BYTE passThrough = 0;
HHOOK mouseHook = nullptr;
HHOOK keyboardHook = nullptr;
HHOOK activationHook = nullptr;
HHOOK lowMouseHook = nullptr;

// Looked up on every call: the program may have been restarted or renamed its window.
HWND MainWindow() { return ::FindWindowA(nullptr, "Kolo"); }

void Report(HWND target, kolo::HookEvent event, LPARAM data) {
  ::SendMessageA(target, kHookEvent, static_cast<WPARAM>(event), data);
}

LRESULT CALLBACK ActivationProc(int code, WPARAM wp, LPARAM lp) {
  if (code < 0) return ::CallNextHookEx(activationHook, code, wp, lp);
  HWND target = MainWindow();
  if (passThrough) return ::CallNextHookEx(activationHook, code, wp, lp);
  if (target && code == HCBT_ACTIVATE) {
    Report(target, kolo::heActivate, 0);
    return kSwallow;  // no window gets activated while the hooks are in force
  }
  if (target && code == HCBT_CLICKSKIPPED) {
    Report(target, kolo::heClickSkipped, 0);
    return kSwallow;
  }
  return ::CallNextHookEx(activationHook, code, wp, lp);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wp, LPARAM lp) {
  if (code < 0) return ::CallNextHookEx(mouseHook, code, wp, lp);
  HWND target = MainWindow();
  if (!target || passThrough) return ::CallNextHookEx(mouseHook, code, wp, lp);
  switch (wp) {
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
      Report(target, kolo::heLeftDown, 0);
      break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
      Report(target, kolo::heLeftUp, 0);
      break;
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      Report(target, kolo::heRightDown, 0);
      break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
      Report(target, kolo::heRightUp, 0);
      break;
    default:
      break;
  }
  // Every mouse message is discarded, reported or not.
  return kSwallow;
}

// Keys are reported but never swallowed.
LRESULT CALLBACK KeyboardProc(int code, WPARAM wp, LPARAM lp) {
  if (code < 0) return ::CallNextHookEx(keyboardHook, code, wp, lp);
  const LRESULT result = ::CallNextHookEx(keyboardHook, code, wp, lp);
  if (HWND target = MainWindow()) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
    Report(target, kolo::heKey, static_cast<LPARAM>(key->vkCode));
  }
  return result;
}

LRESULT CALLBACK LowMouseProc(int code, WPARAM wp, LPARAM lp) {
  if (code < 0) return ::CallNextHookEx(lowMouseHook, code, wp, lp);
  if (HWND target = MainWindow()) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lp);
    switch (wp) {
      case WM_LBUTTONUP:
        Report(target, kolo::heLeftUp, 0);
        break;
      case WM_MOUSEMOVE:
        // The move itself is dropped so nothing under the cursor sees hover
        // input, but the cursor still has to follow the mouse.
        ::SetCursorPos(event->pt.x, event->pt.y);
        Report(target, kolo::heMouseMove, 0);
        return kSwallow;
      case WM_MOUSEWHEEL:
        Report(target, kolo::heWheel, static_cast<LPARAM>(event->mouseData));
        return kSwallow;
      default:
        break;
    }
  }
  return ::CallNextHookEx(lowMouseHook, code, wp, lp);
}

void Remove(HHOOK& handle) {
  if (handle) ::UnhookWindowsHookEx(handle);
  handle = nullptr;
}

void RemoveAll() {
  Remove(mouseHook);
  Remove(keyboardHook);
  Remove(activationHook);
  Remove(lowMouseHook);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  return TRUE;
}

void WINAPI hook(BYTE pass) {
  // A second hook before the first unhook would leave the first set installed
  // for good, swallowing the mouse system-wide; replace it instead.
  RemoveAll();
  passThrough = pass;
  activationHook = ::SetWindowsHookExA(WH_CBT, ActivationProc, module, 0);
  mouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseProc, module, 0);
  keyboardHook = ::SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, module, 0);
  lowMouseHook = ::SetWindowsHookExA(WH_MOUSE_LL, LowMouseProc, module, 0);
}

void WINAPI unhook() { RemoveAll(); }

}  // extern "C"
