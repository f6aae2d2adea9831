// Clipboard text, as every copy and paste command of the program reads and writes it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kolo::win {

// Puts text on the clipboard; false when the clipboard could not be opened or
// written. The clipboard history records it like any other program's text,
// except with `ownHistoryCopy` (a colour copied back out of the history
// itself): then, once the text is there, the main frame is told so the history
// skips this one change (nothing is skipped when the write failed).
bool CopyTextToClipboard(const std::wstring& text, bool ownHistoryCopy = false);
// The clipboard's text, if it holds any.
std::optional<std::string> ReadClipboardText();

}  // namespace kolo::win
