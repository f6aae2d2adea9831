// The font browser from opening to the end of its first paint: the first
// opening of the process (every installed family read, as in Kolo), then later openings with the families read again (as after a change
// of the system's fonts). With a folder, its .ttf files are installed first.
//   kolo_font_bench [FONT_FOLDER] [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/win/main_window.h"
#include "fonts/win/font_families.h"
#include "fonts/win/font_preview_form.h"
#include "frame/memory_store.h"

namespace {

double Now() {
  LARGE_INTEGER f, t;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::vector<std::wstring> AddFonts(const std::wstring& folder) {
  std::vector<std::wstring> added;
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW((folder + L"\\*.ttf").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return added;
  do {
    const std::wstring path = folder + L"\\" + fd.cFileName;
    if (::AddFontResourceExW(path.c_str(), 0, nullptr) > 0) added.push_back(path);
  } while (::FindNextFileW(find, &fd));
  ::FindClose(find);
  return added;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace kolo::win;
  const std::vector<std::wstring> added = argc > 1 && argv[1][0] ? AddFonts(argv[1]) : std::vector<std::wstring>{};
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 9;

  TfrmMain main;
  TfrmMain::CreateParams p;
  p.openStore = [](bool) -> std::unique_ptr<kolo::SettingsStore> { return std::make_unique<kolo::MemoryStore>(); };
  p.loadHookLibrary = false;
  if (!main.Create(p)) return 1;
  ::ShowWindow(main.Handle(), SW_SHOW);
  TfrmFontPreview form;
  if (!form.Create(main.Handle(), main)) return 1;

  const RECT panel{100, 100, 182, 119};
  auto open = [&] {
    const double t0 = Now();
    form.ShowFontBrowser(panel);
    ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double ms = Now() - t0;
    form.Hide();
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    return ms;
  };
  const double first = open();
  std::vector<double> opens, reads;
  for (int i = 0; i < runs; ++i) {
    ::SendMessageW(form.Handle(), WM_FONTCHANGE, 0, 0);  // the families are read again on opening
    opens.push_back(open());
    const double r0 = Now();
    InstalledFontFamilies();
    reads.push_back(Now() - r0);
  }
  const size_t families = form.fontList.Names().size();
  std::printf("fonts added %zu, families listed %zu\n", added.size(), families);
  std::printf("first opening to first paint (every family read): %.1f ms\n", first);
  std::printf("later openings, families read again: median %.1f ms, worst %.1f ms over %d; reading alone %.1f ms\n",
              Median(opens), *std::max_element(opens.begin(), opens.end()), runs, Median(reads));
  std::printf("faces built for the rows drawn: %d\n", form.fontList.FacesBuilt() / runs);
  form.Destroy();
  ::DestroyWindow(main.Handle());
  for (const std::wstring& path : added) ::RemoveFontResourceExW(path.c_str(), 0, nullptr);
  return 0;
}
