// The main window's messages: input, hook notifications, capture modes and the
// application-wide message filter.
#include <windowsx.h>

#include "frame/main_layout.h"
#include "frame/routines.h"
#include "frame/size_edit.h"
#include "widgets/win/forms.h"
#include "frame/win/image_panel.h"
#include "app/win/main_window.h"
#include "app/win/color_area.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/tab_order.h"
#include "clipboard/win/clipboard_tab.h"
#include "hook/hook_events.h"
#include "platform/win/hints.h"
#include "tools/win/get_color_tab.h"

namespace kolo::win {

LRESULT TfrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return OnNcHitTest(wp, lp);
    case WM_NCLBUTTONDBLCLK:
      ToggleSmallMode();
      return 0;
    case WM_NCRBUTTONDOWN:
      // Default processing of a right press on the caption waits for the
      // release itself and then asks its own hit test, which sees no caption on
      // a frameless window (Wine drops the release). Keep the press: the
      // release below opens the menu, on Windows and under Wine alike.
      if (wp == HTCAPTION) return 0;
      break;
    case WM_NCRBUTTONUP:  // the title strip
      if (wp == HTCAPTION) {
        ShowMainMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      // A right release on the window's own background or on a title-strip
      // button (default processing turns it into this), or the keyboard (-1).
      OnContextMenu(lp);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_TIMER:
      OnTimer(wp);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      ::SetBkColor(reinterpret_cast<HDC>(wp), clWhite);
      ::SetTextColor(reinterpret_cast<HDC>(wp), clFrame);
      return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    case WM_SYSCOMMAND:
      // Restoring from the taskbar leaves small mode.
      if ((wp & 0xFFF0) == SC_RESTORE) {
        LRESULT r = Default(msg, wp, lp);
        SetSmallMode(false);
        return r;
      }
      break;
    case WM_ACTIVATEAPP:
      if (!wp) OnApplicationDeactivate();
      break;
    case WM_FONTCHANGE:
      if (colorArea) colorArea->FontsChanged();
      break;
    case WM_HOOK_EVENT:
      HandleHookEvent(wp, lp);
      return 0;
    case WM_ACTIVATE_INSTANCE:
      OnActivateInstance();
      return 0;
    case WM_TRAYNOTIFY:
      if (lp == WM_LBUTTONUP || lp == WM_RBUTTONUP) RestoreFromTray();
      return 0;
    case WM_DRAWCLIPBOARD:
      if (nextViewer_) ::SendMessageW(nextViewer_, WM_DRAWCLIPBOARD, 0, 0);
      if (onClipboardChange) onClipboardChange();
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wp) == nextViewer_)
        nextViewer_ = reinterpret_cast<HWND>(lp);
      else if (nextViewer_)
        ::SendMessageW(nextViewer_, msg, wp, lp);
      return 0;
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
      if (captureMode == CaptureMode::AreaShot && onAreaShotWindowMove) onAreaShotWindowMove(msg == WM_ENTERSIZEMOVE);
      break;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

// Another program took the activation: the pop-ups close, as menus do.
void TfrmMain::OnApplicationDeactivate() {
  for (SecondaryForm f : {SecondaryForm::FontPreview, SecondaryForm::ColorPrev, SecondaryForm::Preview})
    if (IsFormVisible(f)) ::ShowWindow(FormWindow(f), SW_HIDE);
  for (const auto& handler : deactivationHandlers_) handler();
}

LRESULT TfrmMain::OnNcHitTest(WPARAM wp, LPARAM lp) {
  LRESULT hit = Default(WM_NCHITTEST, wp, lp);
  if (hit == HTCLIENT) {
    RECT r = WindowRect();
    if (GET_Y_LPARAM(lp) - r.top < Px(layout::kMoveBand)) return HTCAPTION;
  }
  return hit;
}

void TfrmMain::HandleHookEvent(WPARAM code, LPARAM data) {
  switch (captureMode) {
    case CaptureMode::None:
      return;
    case CaptureMode::ScreenPick:
      if (code == heMouseMove) {
        // The magnifier when it is the current tab, else the screen palette.
        auto* picker = currentTab == 4 ? dynamic_cast<TGetColorTab*>(tabs_[4].get()) : nullptr;
        if (picker)
          picker->CaptureAtCursor();
        else if (onScreenPickMove)
          onScreenPickMove(currentTab);
      } else if (code == heLeftDown || code == heLeftUp || code == heRightUp || code == heActivate) {
        EndCapture();
        if (onScreenPickEnd) onScreenPickEnd(currentTab);
      }
      return;
    case CaptureMode::AreaShot:
    case CaptureMode::WindowShot:
      // The hook reports a key before its message arrives: the key that ends
      // an area shot must not then also press a button or hide the window.
      if (captureMode == CaptureMode::AreaShot && code == heKey &&
          (data == VK_RETURN || data == VK_ESCAPE || data == VK_SPACE))
        areaEndKey_ = static_cast<WPARAM>(data);
      if (onShotEvent) onShotEvent(captureMode, static_cast<unsigned>(code), data);
      return;
    case CaptureMode::PixelPick:
      if (code == heMouseMove) {
        CurrentTabObject().SampleTransparentColor();
      } else if (code == heLeftDown || code == heLeftUp || code == heRightUp || code == heActivate) {
        CurrentTabObject().PickFinished(code == heRightUp || code == heActivate);
        EndCapture();
      }
      return;
  }
}

bool TfrmMain::FilterMessage(const MSG& msg) {
  if (areaEndKey_ && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == areaEndKey_) {
    if (msg.message == WM_KEYUP) areaEndKey_ = 0;
    return true;
  }
  if (captureMode != CaptureMode::AreaShot) {
    if (HandleTabKey(msg)) return true;
    // While a screen tool runs, its keys end it and nothing else: the control
    // with the focus must not also press or toggle on them.
    const bool toolKey = (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && IsScreenToolKey(msg.wParam);
    if (msg.message == WM_KEYUP) {
      const WPARAM key = msg.wParam;
      if (captureMode == CaptureMode::ScreenPick && (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE)) {
        EndCapture();
        if (onScreenPickEnd) onScreenPickEnd(currentTab);
      } else if (captureMode == CaptureMode::WindowShot && (key == VK_ESCAPE || key == VK_RETURN || key == VK_SPACE)) {
        if (onShotEvent) onShotEvent(captureMode, key == VK_ESCAPE ? kShotCancel : kShotTake, 0);
      } else if (captureMode == CaptureMode::PixelPick && key == VK_ESCAPE) {
        CurrentTabObject().PickFinished(true);
        EndCapture();
      }
    } else if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && IsMenuKey(msg.wParam) &&
               captureMode == CaptureMode::None && ::GetAncestor(msg.hwnd, GA_ROOT) == Handle()) {
      // The menu key and Shift+F10 ask the focused control for its menu; one
      // without a menu of its own passes the request up to this window.
      ::SendMessageW(msg.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(msg.hwnd), -1);
      return true;
    } else if (msg.message == WM_KEYDOWN) {
      if (msg.wParam == VK_F1) {
        OpenHelp();
      } else if (msg.wParam == VK_ESCAPE && captureMode == CaptureMode::None) {
        // During a screen tool Escape only ends the tool (on its key-up), it
        // does not also hide the window.
        OnEscape();
      }
    }
    return toolKey;
  }
  // Area screenshot: presses and releases over the overlay belong to the selection.
  switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: {
      POINT p;
      ::GetCursorPos(&p);
      if (areaShotHitTest && areaShotHitTest(p, true)) {
        ::SendMessageW(Handle(), WM_HOOK_EVENT, heLeftDown, 0);
        return true;
      }
      return false;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: {
      POINT p;
      ::GetCursorPos(&p);
      if (areaShotHitTest && areaShotHitTest(p, false)) {
        ::SendMessageW(Handle(), WM_HOOK_EVENT, heLeftUp, 0);
        return true;
      }
      return false;
    }
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
      // The release that ends the shot is used up: it must not also open a menu.
      CancelAreaShot();
      return true;
    default:
      return false;
  }
}

bool TfrmMain::IsScreenToolKey(WPARAM key) const {
  switch (captureMode) {
    case CaptureMode::ScreenPick:
    case CaptureMode::WindowShot:
      return key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE;
    case CaptureMode::PixelPick:
      return key == VK_ESCAPE;
    default:
      return false;
  }
}

bool TfrmMain::IsMenuKey(WPARAM key) {
  return key == VK_APPS || (key == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000));
}

void TfrmMain::OnContextMenu(LPARAM lp) {
  if (!ContextMenuFromKeyboard(lp)) {
    ShowMainMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    return;
  }
  // From the keyboard: below the title strip, where the caption begins.
  const POINT p = LogicalToScreen(Handle(), {SmallMode() ? layout::kCaptionLeftSmall : layout::kCaptionLeftFull,
                                             layout::kCaptionStrip});
  ShowMainMenu(p.x, p.y);
}

void TfrmMain::OnEscape() {
  // Escape hides the main window when it is the active form, and cancels a dialog otherwise.
  HWND active = ::GetActiveWindow();
  if (active == Handle()) {
    MinimiseToTray();
    return;
  }
  for (SecondaryForm f : {SecondaryForm::About, SecondaryForm::Property, SecondaryForm::NewPalette}) {
    if (FormWindow(f) == active) {
      ::PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
      return;
    }
  }
}

void TfrmMain::CancelAreaShot() {
  if (onShotEvent) onShotEvent(CaptureMode::AreaShot, kShotCancel, 0);
  if (captureMode == CaptureMode::AreaShot) EndCapture();
}

}  // namespace kolo::win
