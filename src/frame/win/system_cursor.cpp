#include "frame/win/system_cursor.h"

#include <vector>

#include "platform/win/handles.h"

namespace kolo::win {

namespace {
constexpr DWORD kArrow = 32512;  // OCR_NORMAL
}

SystemCursor::~SystemCursor() {
  if (copy_) ::DestroyCursor(copy_);
}

void SystemCursor::TakeArrowCopy() {
  HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR copy = arrow ? reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(arrow))) : nullptr;
  if (copy_) ::DestroyCursor(copy_);
  copy_ = copy;
  valid_ = copy != nullptr;
}

bool SystemCursor::ReplaceArrow(HCURSOR cursor) {
  if (!cursor) return false;
  HCURSOR fresh = reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(cursor)));
  if (!fresh) return false;
  if (!::SetSystemCursor(fresh, kArrow)) {
    ::DestroyCursor(fresh);
    return false;
  }
  replaced_ = true;
  return true;
}

void SystemCursor::RestoreArrow() {
  if (!valid_) return;
  // The system owns the copy from here on.
  if (::SetSystemCursor(copy_, kArrow)) copy_ = nullptr;
  replaced_ = false;
  TakeArrowCopy();
}

HCURSOR BuildCursor(int width, int height, int hotX, int hotY, const bool* inverts) {
  // Two 24-bit bitmaps: the mask all white, the colour image white where the
  // screen is inverted and black where it is left alone.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> mask(static_cast<size_t>(stride) * height, 0xFF);
  std::vector<unsigned char> color(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (inverts[y * width + x])
        for (int k = 0; k < 3; ++k) color[static_cast<size_t>(y) * stride + x * 3 + k] = 0xFF;
  WindowDc screen(nullptr);
  Bitmap maskBmp(::CreateDIBitmap(screen, &bi.bmiHeader, CBM_INIT, mask.data(), &bi, DIB_RGB_COLORS));
  Bitmap colorBmp(::CreateDIBitmap(screen, &bi.bmiHeader, CBM_INIT, color.data(), &bi, DIB_RGB_COLORS));
  ICONINFO ii{};
  ii.fIcon = FALSE;
  ii.xHotspot = static_cast<DWORD>(hotX);
  ii.yHotspot = static_cast<DWORD>(hotY);
  ii.hbmMask = maskBmp;
  ii.hbmColor = colorBmp;
  return reinterpret_cast<HCURSOR>(::CreateIconIndirect(&ii));
}

}  // namespace kolo::win
