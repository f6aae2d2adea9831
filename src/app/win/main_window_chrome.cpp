// The main window's chrome: small mode, stay on top, the tray icon, the
// clipboard viewer chain, bringing dialogs forward, the close question.
#include <windows.h>
#include <shellapi.h>

#include "frame/main_layout.h"
#include "widgets/win/forms.h"
#include "app/win/main_window.h"
#include "widgets/win/message_box_win.h"
#include "frame/win/system_win.h"

namespace kolo::win {

namespace {
constexpr UINT kTrayId = 1;

void TrimWorkingSet() {
  ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}
}  // namespace

void TfrmMain::SetSmallMode(bool small) {
  if (options_.runsmall == small) return;
  options_.runsmall = small;
  SetCaption(L"Kolo");
  ApplySmallMode();
}

void TfrmMain::ApplySmallMode() {
  for (auto& b : tabButtons_) ::ShowWindow(b.Handle(), options_.runsmall ? SW_HIDE : SW_SHOW);
  RECT r = WindowRect();
  // Device pixels here: the full size is kept in logical ones.
  const int width = r.right - r.left, fullWidth = Px(fullWidth_), fullHeight = Px(fullHeight_);
  if (options_.runsmall) {
    if (width != Px(layout::kSmallWidth))
      ::SetWindowPos(Handle(), nullptr, r.left + fullWidth - Px(layout::kSmallWidth), r.top, Px(layout::kSmallWidth),
                     Px(layout::kSmallHeight), SWP_NOZORDER | SWP_NOACTIVATE);
    TrimWorkingSet();
  } else if (width != fullWidth || r.bottom - r.top != fullHeight) {
    ::SetWindowPos(Handle(), nullptr, r.left - fullWidth + width, r.top, fullWidth, fullHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayoutTitleButtons();
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmMain::ToggleSmallMode() { SetSmallMode(!options_.runsmall); }

void TfrmMain::ApplyStayOnTop() {
  ::SetWindowPos(Handle(), options_.stayonTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  LayoutTitleButtons();
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmMain::ToggleStayOnTop() {
  options_.stayonTop = !options_.stayonTop;
  ApplyStayOnTop();
}

void TfrmMain::MinimiseToTray() {
  ::ShowWindow(Handle(), SW_HIDE);
  SaveSettings();
  AddTrayIcon();
  if (!trayIconShown_) {
    // Hidden with no icon the program could not be reached again: stay visible instead.
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    return;
  }
  TrimWorkingSet();
}

void TfrmMain::RestoreFromTray() {
  SetSmallMode(false);
  ::ShowWindow(Handle(), SW_SHOW);
  RemoveTrayIcon();
}

void TfrmMain::AddTrayIcon() {
  // Already there (minimised again from the tray): a second add would fail
  // and leave a stale icon behind a window that comes back.
  if (trayIconShown_) return;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = Handle();
  nid.uID = kTrayId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = WM_TRAYNOTIFY;
  nid.hIcon = ::LoadIconW(Instance(), MAKEINTRESOURCEW(1));
  if (!nid.hIcon) nid.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(nid.szTip, L"Kolo", ARRAYSIZE(nid.szTip));
  trayIconShown_ = ::Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

void TfrmMain::RemoveTrayIcon() {
  // Asked for always: harmless when no icon is shown.
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = Handle();
  nid.uID = kTrayId;
  ::Shell_NotifyIconW(NIM_DELETE, &nid);
  trayIconShown_ = false;
}

void TfrmMain::JoinClipboardChain() {
  if (inClipboardChain_) return;
  nextViewer_ = ::SetClipboardViewer(Handle());
  inClipboardChain_ = true;
}

void TfrmMain::LeaveClipboardChain() {
  if (!inClipboardChain_) return;
  ::ChangeClipboardChain(Handle(), nextViewer_);
  nextViewer_ = nullptr;
  inClipboardChain_ = false;
}

void TfrmMain::SetClipboardWatch(bool on) {
  if (on)
    JoinClipboardChain();
  else
    LeaveClipboardChain();
}

void TfrmMain::BringFirstDialogForward() {
  static constexpr SecondaryForm kOrder[] = {SecondaryForm::Message, SecondaryForm::NewPalette,
                                             SecondaryForm::About,   SecondaryForm::Upload,
                                             SecondaryForm::Property, SecondaryForm::ImagePreview};
  for (SecondaryForm f : kOrder) {
    if (!IsFormVisible(f)) continue;
    HWND h = FormWindow(f);
    ::SetForegroundWindow(h);
    ::BringWindowToTop(h);
    ::SetFocus(h);
    return;
  }
}

int TfrmMain::AskCloseQuestion() {
  return ShowMessageBox("Do you want to close the Kolo?", MessageKind::Confirmation, 0x83);
}

void TfrmMain::ReportNoHooks() {
  ShowMessageBox(
      "The screen tools need the file \"kolod.dll\" next to Kolo.exe, and it could not be loaded. "
      "Check that the program's folder is writable and that no security program blocks the file.",
      MessageKind::Error, 0x04);
}

}  // namespace kolo::win

namespace kolo::win {

std::string TfrmMain::HelpUrl() const {
  static constexpr const char* kPages[7] = {"colorpicker",      "colorwheel",       "colorpalette",
                                            "mixcolors",        "colorsfromscreen", "imagesfromscreen",
                                            "clipboardviewer"};
  const std::string page = IsFormVisible(SecondaryForm::Property) ? "options" : kPages[currentTab];
  return std::string(kMakerSite) + "/kolo/?cl=en&m=manual&s=" + page;
}

void TfrmMain::OpenHelp() { OpenURL(HelpUrl()); }

void TfrmMain::ShowMainMenu(int screenX, int screenY) {
  if (mainPopupMenu.Count() == 0) {
    mainPopupMenu.Add(mmOptions, "Options...");
    mainPopupMenu.AddSeparator();
    mainPopupMenu.Add(mmHelp, "Help");
    mainPopupMenu.Add(mmAbout, "About...");
    mainPopupMenu.OnPopup = [this] {
      mainPopupMenu.SetEnabled(mmOptions, static_cast<bool>(onOptions));
      mainPopupMenu.SetEnabled(mmAbout, static_cast<bool>(onAbout));
    };
    mainPopupMenu.OnCommand = [this](int id) {
      if (id == mmOptions && onOptions) onOptions();
      if (id == mmHelp) OpenHelp();
      if (id == mmAbout && onAbout) onAbout();
    };
  }
  mainPopupMenu.Popup(Handle(), screenX, screenY);
}

}  // namespace kolo::win
