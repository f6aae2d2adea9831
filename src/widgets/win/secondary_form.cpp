#include "widgets/win/secondary_form.h"

#include <windowsx.h>

#include "color/color.h"
#include "platform/win/handles.h"

namespace kolo::win {

bool TSecondaryForm::Create(HWND owner, int width, int height) {
  RegisterClassOnce(className_, CS_DBLCLKS);
  CreateWin(className_, L"", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 0, 0, Px(width), Px(height), owner);
  RegisterForm(which_, Handle());
  return Handle() != nullptr;
}

LRESULT TSecondaryForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r = DeviceClientRect();
      FillSolid(reinterpret_cast<HDC>(wp), r, clSkyBlue);
      return 1;
    }
    case WM_NCHITTEST: {
      // The program's borderless dialogs move by their top 16 pixels.
      LRESULT hit = Default(msg, wp, lp);
      RECT r = WindowRect();
      if (hit == HTCLIENT && GET_Y_LPARAM(lp) - r.top < Px(16)) return HTCAPTION;
      return hit;
    }
    case WM_CLOSE:
      ::ShowWindow(Handle(), SW_HIDE);
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace kolo::win
