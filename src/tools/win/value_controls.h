// Controls the colour tabs build the same way: the radio boxes that choose a
// value, and the short number edits on their white panels.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "widgets/win/edit_panel.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/image_checkbox.h"

namespace kolo::win {

// An 11x11 radio box of group `group` at (x, y) in `parent`.
void PlaceRadioBox(TVMImageCheckbox& box, TVMGIFImageList& images, Widget& parent, int x, int y, int group);

// A number edit of up to three digits on its panel at (x, y), w x h; the
// panel's window text `name` is the edit's accessible name.
HWND PlaceValueEdit(TEditPanel& panel, Widget& parent, int x, int y, int w, int h, const std::wstring& name);

// Keeps typed and pasted text to what a number edit takes (digits, "-", the
// editing keys) and calls `released` after every key release and paste.
void FilterValueEdit(HWND edit, std::function<void()> released);

std::string ValueEditText(HWND edit);
// Writes the text (caret at its end) unless the edit already shows it.
void SetValueEditText(HWND edit, const std::string& text);

}  // namespace kolo::win
