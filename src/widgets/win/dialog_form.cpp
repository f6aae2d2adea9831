#include "widgets/win/dialog_form.h"

#include "color/color.h"
#include "widgets/win/list_form.h"
#include "widgets/win/modal_loop.h"
#include "widgets/win/widget.h"

namespace kolo::win {

bool TDialogForm::CreateForm(HWND owner, int width, int height) {
  if (!TSecondaryForm::Create(owner, width, height)) return false;
  width_ = width;
  ::SetWindowTextW(Handle(), title_.c_str());
  titleFont_.Reset(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Comic Sans MS"));
  textFont_.Reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
  return true;
}

bool TDialogForm::RunModal(HWND owner, bool topmost, const std::function<void()>& shown,
                           const std::function<bool(const MSG&)>& keys) {
  if (!Handle() || running_) return false;
  RECT mr{}, own = WindowRect();
  ::GetWindowRect(owner, &mr);
  const int w = own.right - own.left, h = own.bottom - own.top;
  const int left = mr.left + ((mr.right - mr.left) - w) / 2;
  const int top = mr.top + ((mr.bottom - mr.top) - h) / 2;
  if (topmost) ::SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_TOP, left, top, w, h, SWP_NOACTIVATE);

  // The command usually comes from a button or menu that still holds the
  // mouse: the dialog must get the next click, not that control.
  if (::GetCapture()) ::ReleaseCapture();
  running_ = true;
  ok_ = false;
  {
    ProgramWindowsDisabled others(Handle());
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    ::SetFocus(Handle());
    if (shown) shown();
    const bool keepRunning = RunModalLoop([this] { return !running_; }, [this, &keys](const MSG& msg) {
      if (keys && keys(msg)) return true;
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE &&
          (msg.hwnd == Handle() || ::IsChild(Handle(), msg.hwnd))) {
        Finish(false);
        return true;
      }
      return false;
    });
    if (!keepRunning) ok_ = false;  // the program is ending
    if (TfrmList* list = ListForm()) list->Hide();
  }
  running_ = false;
  ::ShowWindow(Handle(), SW_HIDE);
  ::SetForegroundWindow(owner);
  return ok_;
}

void TDialogForm::Finish(bool ok) {
  ok_ = ok;
  running_ = false;
}

void TDialogForm::PaintTitle(HDC dc) {
  RECT strip{0, 0, width_, kTitleHeight};
  FillSolid(dc, strip, clFrame);
  SelectScope font(dc, titleFont_.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(clSelectedSlot));
  RECT text{5, 0, width_ - 28, kTitleHeight};
  ::DrawTextW(dc, title_.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TDialogForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PaintDc pdc(Handle());
      BufferedDc buffer(pdc, width_, kTitleHeight);
      PaintTitle(buffer);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) Finish(false);
      return 0;
    case WM_CLOSE:
      Finish(false);
      return 0;
    default:
      return TSecondaryForm::HandleMessage(msg, wp, lp);
  }
}

}  // namespace kolo::win
