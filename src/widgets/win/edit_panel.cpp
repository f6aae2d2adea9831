#include "widgets/win/edit_panel.h"

namespace kolo::win {

LRESULT TEditPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      if (!brush_ || brushColor_ != editColor) {
        brush_ = MakeSolidBrush(ToColorRef(editColor));
        brushColor_ = editColor;
      }
      HDC dc = reinterpret_cast<HDC>(wp);
      ::SetBkColor(dc, ToColorRef(editColor));
      ::SetTextColor(dc, ToColorRef(editTextColor));
      return reinterpret_cast<LRESULT>(brush_.Get());
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == edit && HIWORD(wp) == EN_KILLFOCUS && onEditKillFocus) onEditKillFocus();
      return 0;
    default:
      return TVMNotRefreshPanel::HandleMessage(msg, wp, lp);
  }
}

}  // namespace kolo::win
