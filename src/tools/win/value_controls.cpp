#include "tools/win/value_controls.h"

#include "art_ids.h"

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
  HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 5, 2, 20, h - 4,
                                panel.Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultWidgetFont()), 0);
  ::SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  // Three digits fill the 20 pixels: no inner margins.
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  panel.edit = edit;
  return edit;
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
