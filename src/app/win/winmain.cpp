// Kolo.exe's entry point.
#include <windows.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/win/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return kolo::win::RunKolo(kolo::SplitCommandLine(::GetCommandLineW()));
}
