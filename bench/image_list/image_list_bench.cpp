// The screenshot list with a long history: a folder of 100 screenshots of
// 1920x1080 is loaded into the list window, timing LoadFromFile until the first
// five thumbnails are painted and until all are loaded, with the process's peak
// memory, and what one picture's decoding costs. Runs under Wine (GDI+ and the loader thread are Windows code), so it
// is a plain program printing medians rather than a Google Benchmark.
//   kolo_image_list_bench FOLDER [RUNS]   (the folder is filled on the first run)
#include <windows.h>
#include <gdiplus.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "images/win/image_files.h"
#include "images/win/image_list.h"
#include "platform/win/gdiplus_session.h"

using namespace kolo::win;

namespace {

constexpr int kShots = 100, kWidth = 1920, kHeight = 1080;

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Screenshot-like pictures: flat panels, text-like noise rows, a gradient, so
// the files have the size real screenshots have (PNG compresses flat areas).
bool MakeShots(const std::wstring& folder) {
  for (int i = 0; i < kShots; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"1301%02d%06d.png", 1 + i / 50, i);
    const std::wstring path = folder + name;
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    Gdiplus::Bitmap shot(kWidth, kHeight, PixelFormat24bppRGB);
    Gdiplus::Rect all(0, 0, kWidth, kHeight);
    Gdiplus::BitmapData data{};
    if (shot.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data) != Gdiplus::Ok) return false;
    unsigned seed = 12345u + static_cast<unsigned>(i);
    for (int y = 0; y < kHeight; ++y) {
      auto* row = static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
      const bool textRow = (y / 14) % 3 == 1 && y % 14 < 10;
      for (int x = 0; x < kWidth; ++x) {
        BYTE r = static_cast<BYTE>(200 + (x * 40) / kWidth), g = static_cast<BYTE>(210 + i % 40), b = 230;
        if (x < 300) r = g = b = static_cast<BYTE>(60 + (y * 60) / kHeight);
        if (textRow && x > 320 && x < 1800) {
          seed = seed * 1103515245u + 12345u;
          if ((seed >> 16) % 3 == 0) r = g = b = 30;
        }
        row[x * 3] = b;
        row[x * 3 + 1] = g;
        row[x * 3 + 2] = r;
      }
    }
    shot.UnlockBits(&data);
    if (!SaveImagePng(shot, path)) return false;
  }
  return true;
}

struct Run {
  double first5 = 0, all = 0, cpu = 0;
};

// User and kernel time of the whole process: what the load cost, whatever else the machine runs.
double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kolo_image_list_bench FOLDER [RUNS]\n");
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\') folder += L'\\';
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  if (!EnsureGdiplus() || !MakeShots(folder)) {
    std::fprintf(stderr, "could not make the screenshots\n");
    return 1;
  }
  PROCESS_MEMORY_COUNTERS before{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &before, sizeof before);

  {
    // Where a thumbnail's time goes: decoding the file, or making the thumbnail.
    double t0 = Now();
    for (int i = 0; i < 20; ++i) {
      wchar_t name[32];
      swprintf(name, 32, L"1301%02d%06d.png", 1 + i / 50, i);
      WithDecodedImage(folder + name, [](Gdiplus::Bitmap&) {});
    }
    double t1 = Now();
    for (int i = 0; i < 20; ++i) {
      wchar_t name[32];
      swprintf(name, 32, L"1301%02d%06d.png", 1 + i / 50, i);
      WithDecodedImage(folder + name, [](Gdiplus::Bitmap& b) { MakeThumbnail(b, -1); });
    }
    double t2 = Now();
    std::printf("per picture: decoding %.1f ms, decoding and the thumbnail %.1f ms\n", (t1 - t0) / 20 * 1000,
                (t2 - t1) / 20 * 1000);
  }
  HWND form = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 120, 300, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
  std::vector<Run> results;
  for (int r = 0; r < runs; ++r) {
    TKOLImageList list;
    list.Column = 1;
    list.Filter = "png";
    list.Path = folder;
    list.Create(form, 0, 0, 88, 256);  // the screenshot tab's list
    Run run;
    double start = 0;
    bool done = false;
    list.onLoaderRepaint = [&](int delivered) {
      if (delivered >= 5 && run.first5 == 0) run.first5 = Now() - start;
      if (list.LoaderDone()) {
        run.all = Now() - start;
        done = true;
      }
    };
    const double cpuStart = CpuSeconds();
    start = Now();
    list.LoadFromFile(folder + L"list.bin");
    MSG msg;
    while (!done && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (list.Count() != kShots) {
      std::fprintf(stderr, "the list holds %d pictures, not %d\n", list.Count(), kShots);
      return 1;
    }
    run.cpu = CpuSeconds() - cpuStart;
    results.push_back(run);
    list.Destroy();
  }
  PROCESS_MEMORY_COUNTERS after{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &after, sizeof after);

  auto median = [&](double Run::*field) {
    std::vector<double> v;
    for (const Run& r : results) v.push_back(r.*field);
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("%d screenshots of %dx%d, %d runs (medians)\n", kShots, kWidth, kHeight, runs);
  std::printf("first 5 thumbnails painted: %.3f s\n", median(&Run::first5));
  std::printf("all %d thumbnails loaded:   %.3f s\n", kShots, median(&Run::all));
  std::printf("processor time of a load:   %.3f s (what the times above come to on an idle machine)\n",
              median(&Run::cpu));
  std::printf("peak working set: %.1f MB (%.1f MB before loading; %.1f MB for the full pictures would be needed)\n",
              Megabytes(after.PeakWorkingSetSize), Megabytes(before.WorkingSetSize),
              Megabytes(static_cast<SIZE_T>(kShots) * kWidth * kHeight * 4));
  std::printf("peak committed memory: %.1f MB\n", Megabytes(after.PeakPagefileUsage));
  return 0;
}
