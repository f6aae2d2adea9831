#include "images/win/screen_frame.h"

#include <gdiplus.h>

#include "platform/win/gdiplus_session.h"
#include "platform/win/handles.h"

namespace kolo::win {

namespace {

constexpr DWORD kGrabRop = SRCCOPY | CAPTUREBLT;  // 0x40CC0020: layered windows too
constexpr std::uint32_t kRgb = 0x00FFFFFF;

// A top-down 32-bit section of w x h; its pixels through `bits`.
HBITMAP MakeSection(int w, int h, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  return ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

RECT PrimaryScreenRect() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

RECT VirtualScreenRect() {
  const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (w <= 0 || h <= 0) return PrimaryScreenRect();
  return {x, y, x + w, y + h};
}

std::unique_ptr<Gdiplus::Bitmap> GrabScreen(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0 || !EnsureGdiplus()) return nullptr;
  void* bits = nullptr;
  Bitmap section(MakeSection(w, h, &bits));
  if (!section || !bits) return nullptr;
  {
    MemoryDc mem(::CreateCompatibleDC(nullptr));
    SelectScope sel(mem.Get(), section.Get());
    HWND desktop = ::GetDesktopWindow();
    HDC screen = ::GetWindowDC(desktop);
    ::BitBlt(mem.Get(), 0, 0, w, h, screen, r.left, r.top, kGrabRop);
    ::ReleaseDC(desktop, screen);
  }
  ::GdiFlush();
  // The picture owns its pixels: a 24-bit copy of the section.
  auto image = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat24bppRGB);
  if (image->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data{};
  if (image->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data) != Gdiplus::Ok) return nullptr;
  const auto* src = static_cast<const std::uint8_t*>(bits);
  for (int y = 0; y < h; ++y) {
    auto* dst = static_cast<std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
    const std::uint8_t* row = src + static_cast<std::size_t>(y) * w * 4;
    for (int x = 0; x < w; ++x) {
      dst[x * 3] = row[x * 4];
      dst[x * 3 + 1] = row[x * 4 + 1];
      dst[x * 3 + 2] = row[x * 4 + 2];
    }
  }
  image->UnlockBits(&data);
  return image;
}

bool ReadScreen(const RECT& r, std::vector<std::uint32_t>& px) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  void* bits = nullptr;
  Bitmap section(MakeSection(w, h, &bits));
  if (!section || !bits) return false;
  {
    MemoryDc mem(::CreateCompatibleDC(nullptr));
    SelectScope sel(mem.Get(), section.Get());
    HWND desktop = ::GetDesktopWindow();
    HDC screen = ::GetWindowDC(desktop);
    ::BitBlt(mem.Get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::ReleaseDC(desktop, screen);
  }
  ::GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  px.assign(p, p + static_cast<std::size_t>(w) * h);
  for (auto& v : px) v &= kRgb;
  return true;
}

void InvertedFrame::Write(const RECT& r, const std::vector<std::uint32_t>& px) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  void* bits = nullptr;
  Bitmap section(MakeSection(w, h, &bits));
  if (!section || !bits) return;
  std::copy(px.begin(), px.end(), static_cast<std::uint32_t*>(bits));
  MemoryDc mem(::CreateCompatibleDC(nullptr));
  SelectScope sel(mem.Get(), section.Get());
  HWND desktop = ::GetDesktopWindow();
  HDC screen = ::GetWindowDC(desktop);
  ::BitBlt(screen, r.left, r.top, w, h, mem.Get(), 0, 0, SRCCOPY);
  ::ReleaseDC(desktop, screen);
}

void InvertedFrame::Draw(const RECT& r) {
  const RECT sides[4] = {{r.left, r.top, r.left + 2, r.bottom},
                         {r.right - 2, r.top, r.right, r.bottom},
                         {r.left + 2, r.top, r.right - 2, r.top + 2},
                         {r.left + 2, r.bottom - 2, r.right - 2, r.bottom}};
  std::vector<Strip> strips;
  for (const RECT& s : sides) strips.push_back({s, {}, {}});
  Draw(std::move(strips));
}

void InvertedFrame::Draw(std::vector<Strip> strips) {
  strips_.clear();
  for (Strip& s : strips) {
    if (s.r.right <= s.r.left || s.r.bottom <= s.r.top) continue;
    if (!ReadScreen(s.r, s.saved)) continue;
    if (!s.mask.empty() && s.mask.size() != s.saved.size()) continue;
    for (std::size_t i = 0; i < s.saved.size(); ++i)
      if (s.mask.empty() || s.mask[i]) s.saved[i] ^= kRgb;
    Write(s.r, s.saved);
    strips_.push_back(std::move(s));
  }
  shown_ = true;
}

void InvertedFrame::Erase() {
  if (!shown_) return;
  std::vector<std::uint32_t> now;
  for (const Strip& s : strips_) {
    if (!ReadScreen(s.r, now) || now.size() != s.saved.size()) continue;
    bool changed = false;
    for (std::size_t i = 0; i < now.size(); ++i) {
      if ((s.mask.empty() || s.mask[i]) && now[i] == s.saved[i]) {
        now[i] ^= kRgb;
        changed = true;
      }
    }
    if (changed) Write(s.r, now);
  }
  strips_.clear();
  shown_ = false;
}

void InvertedFrame::Refresh() {
  if (!shown_) return;
  std::vector<std::uint32_t> now;
  for (Strip& s : strips_) {
    if (!ReadScreen(s.r, now) || now.size() != s.saved.size()) continue;
    bool changed = false;
    for (std::size_t i = 0; i < now.size(); ++i) {
      if ((s.mask.empty() || s.mask[i]) && now[i] != s.saved[i]) {
        now[i] ^= kRgb;
        changed = true;
      }
    }
    if (changed) {
      s.saved = now;
      Write(s.r, now);
    }
  }
}

}  // namespace kolo::win
