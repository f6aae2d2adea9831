#include "tools/win/value_controls.h"

#include <commctrl.h>

#include "art_ids.h"
#include "frame/win/clipboard_text.h"
#include "tools/palette_model.h"

namespace kolo::win {

void PlaceRadioBox(TVMImageCheckbox& box, TVMGIFImageList& images, Widget& parent, int x, int y, int group) {
  TVMCheckboxListID ids;
  ids.CheckedSelected = art::kImgRadioCheckedFocus;
  ids.CheckedNotSelected = art::kImgRadioChecked;
  ids.UnCheckedSelected = art::kImgRadioUncheckedFocus;
  ids.UnCheckedNotSelected = art::kImgRadioUnchecked;
  ids.DisableUnChecked = art::kImgRadioDisabledUnchecked;
  ids.DisableChecked = art::kImgRadioDisabledChecked;
  ids.UnCheckedMove = art::kImgRadioUncheckedHover;
  ids.CheckedMove = art::kImgRadioCheckedHover;
  box.SetImageList(&images);
  box.SetImageListID(ids);
  box.SetCheckIndex(group);
  box.Create(parent, x, y, 11, 11);
}

HWND PlaceValueEdit(TEditPanel& panel, Widget& parent, int x, int y, int w, int h, const std::wstring& name) {
  panel.SetBorderSize(1);
  panel.SetBorderColor(clFrame);
  panel.SetColor(clWhite);
  panel.Create(parent, x, y, w, h);
  ::SetWindowTextW(panel.Handle(), name.c_str());
  HWND edit = CreateSystemControl(L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5, 2, 20, h - 4,
                                  panel.Handle(), nullptr, DefaultWidgetFont());
  ::SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  // Three digits fill the 20 pixels: no inner margins.
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  panel.edit = edit;
  return edit;
}

namespace {

LRESULT CALLBACK ValueEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR data) {
  auto* released = reinterpret_cast<std::function<void()>*>(data);
  switch (m) {
    case WM_CHAR:
      if (!IsValueEditChar(static_cast<unsigned>(w))) return 0;
      break;
    case WM_KEYUP: {
      LRESULT r = ::DefSubclassProc(h, m, w, l);
      (*released)();
      return r;
    }
    case WM_PASTE: {
      // Pasted text passes the same filter as typing.
      if (const auto text = ReadClipboardText()) {
        const std::wstring clean = Widen(FilterValueText(*text));
        ::SendMessageW(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(clean.c_str()));
        (*released)();
      }
      return 0;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(h, ValueEditProc, id);
      delete released;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(h, m, w, l);
}

}  // namespace

void FilterValueEdit(HWND edit, std::function<void()> released) {
  if (!edit) return;
  ::SetWindowSubclass(edit, ValueEditProc, 1, reinterpret_cast<DWORD_PTR>(new std::function<void()>(std::move(released))));
}

std::string ValueEditText(HWND edit) {
  char buf[32] = {};
  ::GetWindowTextA(edit, buf, sizeof(buf));
  return buf;
}

void SetValueEditText(HWND edit, const std::string& text) {
  if (!edit || ValueEditText(edit) == text) return;
  ::SetWindowTextA(edit, text.c_str());
  const int end = static_cast<int>(text.size());
  ::SendMessageW(edit, EM_SETSEL, end, end);
}

}  // namespace kolo::win
