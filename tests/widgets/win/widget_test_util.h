// Shared pieces of the widget tests: a top-level form to put controls on,
// synthetic mouse input, in-memory pictures, and rendering for pixel checks.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "../test_gif.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/widget.h"

namespace kolo::testing {

class TestForm : public win::Window {
 public:
  TestForm(int width = 400, int height = 300) {
    RegisterClassOnce(L"KoloWidgetTestForm");
    CreateWin(L"KoloWidgetTestForm", L"widget test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 20, 20, width,
              height, nullptr);
  }
};

inline LPARAM Point(int x, int y) {
  return static_cast<LPARAM>(static_cast<std::uint16_t>(x)) | (static_cast<LPARAM>(static_cast<std::uint16_t>(y)) << 16);
}
inline void MouseMove(HWND w, int x, int y, WPARAM keys = 0) { ::SendMessageW(w, WM_MOUSEMOVE, keys, Point(x, y)); }
inline void LeftDown(HWND w, int x, int y) { ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y)); }
inline void LeftUp(HWND w, int x, int y) { ::SendMessageW(w, WM_LBUTTONUP, 0, Point(x, y)); }
inline void LeftClick(HWND w, int x, int y) {
  MouseMove(w, x, y);
  LeftDown(w, x, y);
  LeftUp(w, x, y);
}
inline void KeyDown(HWND w, WPARAM key) { ::SendMessageW(w, WM_KEYDOWN, key, 0); }
inline void KeyUp(HWND w, WPARAM key) { ::SendMessageW(w, WM_KEYUP, key, 0xC0000001); }

// A one-colour picture; `transparentCorner` makes pixel (0, 0) transparent.
inline std::vector<std::uint8_t> SolidGif(int w, int h, GifRgb color, bool transparentCorner = false) {
  std::vector<std::uint8_t> px(static_cast<size_t>(w) * h, 0);
  if (transparentCorner) px[0] = 1;
  return SimpleGif(w, h, {color, {0, 0, 0}}, px, transparentCorner ? 1 : -1);
}

inline TColor ToTColor(GifRgb c) { return MakeColor(c.r, c.g, c.b); }

// Paints a control (and its children) into a fresh bitmap; pixels read with GetPixel.
class Rendering {
 public:
  Rendering(Widget& w) : Rendering(w, w.Width(), w.Height()) {}
  Rendering(Widget& w, int width, int height) {
    win::WindowDc screen(nullptr);
    dc_.Reset(::CreateCompatibleDC(screen));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.Reset(::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    old_ = ::SelectObject(dc_, bitmap_);
    win::FillSolid(dc_, RECT{0, 0, width, height}, RGB(1, 2, 3));
    w.PaintTree(dc_);
  }
  ~Rendering() { ::SelectObject(dc_, old_); }
  TColor At(int x, int y) const { return ::GetPixel(dc_, x, y); }
  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }

 private:
  win::MemoryDc dc_;
  win::Bitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

// Handles messages that were posted (mouse leave, timers) without waiting.
inline void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace kolo::testing
