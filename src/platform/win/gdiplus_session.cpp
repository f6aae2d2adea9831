#include "platform/win/gdiplus_session.h"

#include <windows.h>
#include <gdiplus.h>

namespace kolo::win {

namespace {
ULONG_PTR g_token = 0;
bool g_tried = false;
}  // namespace

bool EnsureGdiplus() {
  if (!g_tried) {
    g_tried = true;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok) g_token = 0;
  }
  return g_token != 0;
}

void ShutdownGdiplus() {
  if (g_token) Gdiplus::GdiplusShutdown(g_token);
  g_token = 0;
  g_tried = false;
}

}  // namespace kolo::win
