// The program's own message box: every question, warning and error goes
// through ShowMessageBox. Always modal, owned by the main window.
#pragma once

#include <string>

namespace kolo::win {

enum class MessageKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, None = 4 };

// Button flags, left to right in this order.
inline constexpr unsigned kMbYes = 0x01;
inline constexpr unsigned kMbNo = 0x02;
inline constexpr unsigned kMbOk = 0x04;
inline constexpr unsigned kMbCancel = 0x08;
inline constexpr unsigned kMbMinimise = 0x80;

// The pressed button's result (Yes 6, No 7, OK 1, Cancel 2, Minimise 8); 2 for
// Escape and the close button.
int ShowMessageBox(const std::string& text, MessageKind kind, unsigned buttons);

}  // namespace kolo::win
