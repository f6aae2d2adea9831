// The process: single instance, the twelve windows, the message loop.
#pragma once

#include <string>
#include <vector>

namespace kolo::win {

// Runs Kolo with the command-line arguments after the program name; returns the exit code.
int RunKolo(const std::vector<std::wstring>& args);

// True when the first argument asks to start hidden in the tray (exactly "/m").
bool StartsInTray(const std::vector<std::wstring>& args);

}  // namespace kolo::win
