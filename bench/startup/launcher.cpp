// Starts a program, waits until its main window is visible, reads its memory
// counters 1.5 s later and ends it. Prints one line per program with the
// median, minimum and maximum over the runs:
//
//   kolo_launch RUNS NAME=PATH [NAME=PATH...]
//
// The programs are started in turn (a, b, a, b...) so both see the same warm
// Wine and the same load on the machine.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double visibleMs = 0;
  double workingSetMb = 0;
};

struct FindState {
  DWORD pid;
  bool found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<FindState*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && ::IsWindowVisible(hwnd) && ::GetWindow(hwnd, GW_OWNER) == nullptr) {
    s->found = true;
    return FALSE;
  }
  return TRUE;
}

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

bool RunOnce(const std::wstring& path, Sample& out) {
  std::wstring line = L"\"" + path + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = Now();
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  bool visible = false;
  while (Now() - start < 20000) {
    FindState state{pi.dwProcessId, false};
    ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&state));
    if (state.found) {
      visible = true;
      break;
    }
    if (::WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  out.visibleMs = Now() - start;
  if (visible) {
    ::Sleep(1500);
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (::GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc)) {
      out.workingSetMb = static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
    }
  }
  ::TerminateProcess(pi.hProcess, 0);
  ::WaitForSingleObject(pi.hProcess, 5000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return visible;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: kolo_launch RUNS NAME=PATH [NAME=PATH...]\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  struct Program {
    std::wstring name, path;
    std::vector<double> ms, ws;
  };
  std::vector<Program> programs;
  for (int i = 2; i < argc; ++i) {
    std::wstring a = argv[i];
    const size_t eq = a.find(L'=');
    if (eq == std::wstring::npos) return 2;
    programs.push_back({a.substr(0, eq), a.substr(eq + 1), {}, {}});
  }
  // One start of each first, not counted: the first start of a program pays for
  // reading it from disk.
  for (auto& p : programs) {
    Sample s;
    RunOnce(p.path, s);
  }
  for (int r = 0; r < runs; ++r) {
    for (auto& p : programs) {
      Sample s;
      if (!RunOnce(p.path, s)) {
        std::fwprintf(stderr, L"%ls: no visible window\n", p.name.c_str());
        return 1;
      }
      p.ms.push_back(s.visibleMs);
      p.ws.push_back(s.workingSetMb);
    }
  }
  for (auto& p : programs) {
    std::wprintf(L"%-8ls start to visible window: median %.0f ms (min %.0f, max %.0f); working set %.1f MB\n",
                 p.name.c_str(), Median(p.ms), *std::min_element(p.ms.begin(), p.ms.end()),
                 *std::max_element(p.ms.begin(), p.ms.end()), Median(p.ws));
  }
  if (programs.size() >= 2) {
    std::wprintf(L"ratio    %ls/%ls start %.2fx; working set +%.1f MB\n", programs[0].name.c_str(),
                 programs[1].name.c_str(), Median(programs[0].ms) / Median(programs[1].ms),
                 Median(programs[0].ws) - Median(programs[1].ws));
  }
  return 0;
}
