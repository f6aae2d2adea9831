// The preview window stepping through a list of 1920x1080 screenshots: the
// time from the key to the next picture painted, once it was loaded ahead.
// bench/preview_step.sh runs it under Wine. Prints the median and the worst.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "app/win/main_window.h"
#include "frame/memory_store.h"
#include "frame/shared_store.h"
#include "frame/win/system_win.h"
#include "images/win/get_image_tab.h"
#include "images/win/image_codec.h"
#include "images/win/preview_form.h"
#include "platform/win/gdiplus_session.h"

using namespace kolo;
using namespace kolo::win;

namespace {

void Pump(DWORD ms) {
  const DWORD end = ::GetTickCount() + ms;
  do {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&m);
      ::DispatchMessageW(&m);
    }
    ::Sleep(1);
  } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

}  // namespace

int main() {
  constexpr int kPictures = 8;
  if (!EnsureGdiplus()) return 1;
  const std::wstring folder = ScreenshotFolder();
  std::mt19937 rng(3);
  for (int i = 0; i < kPictures; ++i) {
    PixelBuffer b{1920, 1080, std::vector<std::uint32_t>(1920u * 1080u)};
    const std::uint32_t base = rng() & 0xFFFFFF;
    for (std::size_t p = 0; p < b.pixels.size(); ++p)
      b.pixels[p] = 0xFF000000u | (base + static_cast<std::uint32_t>(p / 1920 / 40) * 0x030201u) & 0xFFFFFF;
    auto bitmap = BitmapFromPixels(b);
    wchar_t name[32];
    swprintf(name, 32, L"2001010000%02d.png", kPictures - i);
    if (!bitmap || !SaveImageFile(*bitmap, folder + name, SaveRequest{})) return 1;
  }
  MemoryStore memory;
  memory.WriteInteger("crntPage", 5);
  TfrmMain main;
  TfrmMain::CreateParams params;
  params.openStore = [&](bool) { return std::make_unique<kolo::testing::SharedStore>(memory); };
  params.loadHookLibrary = false;
  if (!main.Create(params)) return 1;
  ::ShowWindow(main.Handle(), SW_SHOW);
  TfrmImagePreview preview;
  preview.Create(main.Handle(), main);
  auto* tab = dynamic_cast<TGetImageTab*>(main.Tab(5));
  Pump(300);
  tab->HookImageList.SetItemIndex(0);
  tab->HookImageListSelect();
  Pump(500);
  tab->ViewImage();
  if (!preview.IsOpen()) return 1;

  LARGE_INTEGER freq, a, b;
  ::QueryPerformanceFrequency(&freq);
  std::vector<double> ms;
  for (int i = 1; i < kPictures; ++i) {
    while (!preview.NeighbourReady(true)) Pump(5);
    Pump(50);
    ::QueryPerformanceCounter(&a);
    ::SendMessageW(preview.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    ::UpdateWindow(preview.Handle());
    ::GdiFlush();
    ::QueryPerformanceCounter(&b);
    ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart));
  }
  preview.ClosePreview();
  std::sort(ms.begin(), ms.end());
  std::printf("preview step to a 1920x1080 picture loaded ahead: median %.1f ms, worst %.1f ms (%zu steps)\n",
              ms[ms.size() / 2], ms.back(), ms.size());
  for (int i = 0; i < kPictures; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"2001010000%02d.png", i + 1);
    ::DeleteFileW((folder + name).c_str());
  }
  ::DestroyWindow(main.Handle());
  return 0;
}
