#include "platform/win/gdiplus_session.h"

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <cwchar>
#include <vector>

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

bool FindImageEncoder(const wchar_t* mime, CLSID& out) {
  if (!EnsureGdiplus()) return false;
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<std::uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wcscmp(codecs[i].MimeType, mime) == 0) {
      out = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace kolo::win
