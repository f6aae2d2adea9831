// The screen as the screenshot tools see it: monitor bounds, grabbing a
// rectangle, and frames drawn by inverting screen pixels that are taken back
// only where nobody painted over them meanwhile.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

// The primary monitor: (0, 0) to its size.
RECT PrimaryScreenRect();
// Every monitor together; left and top are negative when a monitor lies left of or above the primary.
RECT VirtualScreenRect();

// The rectangle's pixels from the desktop (layered windows included, the
// cursor not) as a 24-bit picture of its size; null for an empty rectangle.
std::unique_ptr<Gdiplus::Bitmap> GrabScreen(const RECT& r);

// A two-pixel frame inside a rectangle, drawn by inverting the screen.
class InvertedFrame {
 public:
  void Draw(const RECT& r);
  // Inverts back only the pixels that still show the frame.
  void Erase();
  // Puts the frame back where a window painted over it.
  void Refresh();
  bool Shown() const { return shown_; }

 private:
  struct Strip {
    RECT r{};
    std::vector<std::uint32_t> saved;
  };
  static bool Read(const RECT& r, std::vector<std::uint32_t>& px);
  static void Write(const RECT& r, const std::vector<std::uint32_t>& px);
  std::vector<Strip> strips_;
  bool shown_ = false;
};

}  // namespace kolo::win
