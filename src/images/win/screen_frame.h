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

// The screen's pixels of a rectangle as 0x00RRGGBB, row by row; false when it cannot be read.
bool ReadScreen(const RECT& r, std::vector<std::uint32_t>& px);

// A frame drawn by inverting screen pixels, strip by strip: the window shot's
// two-pixel frame inside a rectangle, or any shape given as masked strips.
class InvertedFrame {
 public:
  struct Strip {
    RECT r{};
    std::vector<std::uint8_t> mask;  // which pixels are inverted; empty: all of them
    std::vector<std::uint32_t> saved;  // as last written to the screen
  };
  void Draw(const RECT& r);
  void Draw(std::vector<Strip> strips);
  // Inverts back only the pixels that still show the frame.
  void Erase();
  // Puts the frame back where a window painted over it.
  void Refresh();
  bool Shown() const { return shown_; }
  // Forgets the frame without touching the screen (a grab has just read it clean).
  void Forget() {
    strips_.clear();
    shown_ = false;
  }

 private:
  static void Write(const RECT& r, const std::vector<std::uint32_t>& px);
  std::vector<Strip> strips_;
  bool shown_ = false;
};

}  // namespace kolo::win
