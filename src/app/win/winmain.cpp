// Kolo.exe's entry point.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/win/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::vector<std::wstring> args;
  int argc = 0;
  if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc)) {
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    ::LocalFree(argv);
  }
  return kolo::win::RunKolo(args);
}
