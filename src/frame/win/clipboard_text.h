// Clipboard text, as every copy and paste command of the program reads and writes it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kolo::win {

// Puts text on the clipboard; once it is there the main frame is told, so the
// clipboard history skips this change of our own. False when the clipboard
// could not be opened or written (nothing is skipped then).
bool CopyTextToClipboard(const std::wstring& text);
// The clipboard's text, if it holds any.
std::optional<std::string> ReadClipboardText();

}  // namespace kolo::win
