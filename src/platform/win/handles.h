// RAII owners for the Win32 and GDI handles Kolo uses: one type per kind,
// movable, never copied. Feature code never calls DeleteObject itself.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/win/ui_scale.h"

namespace kolo::win {

template <typename H, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : handle_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : handle_(std::exchange(o.handle_, H{})) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.handle_, H{}));
    return *this;
  }
  void Reset(H h = H{}) {
    if (handle_ && handle_ != h) Traits::Close(handle_);
    handle_ = h;
  }
  H Release() { return std::exchange(handle_, H{}); }
  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != H{}; }
  operator H() const { return handle_; }

 private:
  H handle_{};
};

struct GdiObjectTraits { static void Close(HGDIOBJ h) { ::DeleteObject(h); } };
struct DcTraits { static void Close(HDC h) { ::DeleteDC(h); } };
struct IconTraits { static void Close(HICON h) { ::DestroyIcon(h); } };
struct CursorTraits { static void Close(HCURSOR h) { ::DestroyCursor(h); } };
struct MenuTraits { static void Close(HMENU h) { ::DestroyMenu(h); } };
struct ModuleTraits { static void Close(HMODULE h) { ::FreeLibrary(h); } };
struct KernelTraits { static void Close(HANDLE h) { if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h); } };

using Pen = UniqueHandle<HPEN, GdiObjectTraits>;
using Brush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using Font = UniqueHandle<HFONT, GdiObjectTraits>;
using Bitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using Region = UniqueHandle<HRGN, GdiObjectTraits>;
using MemoryDc = UniqueHandle<HDC, DcTraits>;
using Icon = UniqueHandle<HICON, IconTraits>;
using Cursor = UniqueHandle<HCURSOR, IconTraits>;  // cursors from CreateIconIndirect are icons
using Menu = UniqueHandle<HMENU, MenuTraits>;
using Module = UniqueHandle<HMODULE, ModuleTraits>;
using KernelHandle = UniqueHandle<HANDLE, KernelTraits>;

// A window DC from GetDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() { if (dc_) ::ReleaseDC(hwnd_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  operator HDC() const { return dc_; }
  const RECT& Dirty() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// SelectObject for the length of a scope.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ~SelectScope() { if (old_) ::SelectObject(dc_, old_); }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Double buffering: paint into a compatible bitmap, copy it out at the end.
// Painting is done in logical pixels; at a factor above 1 the buffer is
// enlarged onto the target pixel for pixel (nearest-neighbour).
class BufferedDc {
 public:
  BufferedDc(HDC target, int width, int height, int scale = UiScale())
      : target_(target), width_(width), height_(height), scale_(scale),
        dc_(::CreateCompatibleDC(target)),
        bitmap_(::CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
        select_(dc_, bitmap_) {}
  ~BufferedDc() {
    if (scale_ <= 1) {
      ::BitBlt(target_, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
      return;
    }
    const int oldMode = ::SetStretchBltMode(target_, COLORONCOLOR);
    ::StretchBlt(target_, 0, 0, width_ * scale_, height_ * scale_, dc_, 0, 0, width_, height_, SRCCOPY);
    ::SetStretchBltMode(target_, oldMode);
  }
  BufferedDc(const BufferedDc&) = delete;
  BufferedDc& operator=(const BufferedDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC target_;
  int width_, height_, scale_;
  MemoryDc dc_;
  Bitmap bitmap_;
  SelectScope select_;
};

inline Brush MakeSolidBrush(COLORREF c) { return Brush(::CreateSolidBrush(c)); }
inline Pen MakePen(COLORREF c, int width = 1, int style = PS_SOLID) { return Pen(::CreatePen(style, width, c)); }

inline void FillSolid(HDC dc, const RECT& r, COLORREF c) {
  // ExtTextOut with ETO_OPAQUE fills without creating a brush.
  COLORREF old = ::SetBkColor(dc, c);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

}  // namespace kolo::win
