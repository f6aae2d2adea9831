// Pixel work on GDI+ pictures and saving them in the five file formats.
// Every save goes to a temporary file beside the target and is renamed over
// it, so a failed save never destroys what was there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "images/image_ops.h"

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

// The picture's pixels as 0xAARRGGBB, rows top-down; empty when it has none.
struct PixelBuffer {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  GifPixels AsGif() const { return {pixels.data(), width, height, width}; }
};
PixelBuffer ReadPixels(Gdiplus::Bitmap& image);
// A 32-bit ARGB picture of the buffer.
std::unique_ptr<Gdiplus::Bitmap> BitmapFromPixels(const PixelBuffer& buffer);

// A 32-bit ARGB copy in which pixels of `key` (a TColor) are fully
// transparent (alpha 0 and black, as unpainted pixels are).
std::unique_ptr<Gdiplus::Bitmap> KeyedCopy(Gdiplus::Bitmap& image, long long key);
// The picture drawn scaled into a new w x h 32-bit ARGB bitmap, smoothing high quality.
std::unique_ptr<Gdiplus::Bitmap> ScaledCopy(Gdiplus::Bitmap& image, int width, int height);
// The visible part (x, y, w, h) as a new 32-bit ARGB bitmap.
std::unique_ptr<Gdiplus::Bitmap> CroppedCopy(Gdiplus::Bitmap& image, int x, int y, int width, int height);

struct SaveRequest {
  ImageFormat format = ImageFormat::Png;
  int jpegQuality = 80;         // 0..100
  long long transparent = -1;   // applied to PNG only
};
// Saves in a GDI+ format (not GIF) through a temporary file. False when the
// target is read-only or anything failed; the old file is then untouched.
bool SaveImageFile(Gdiplus::Bitmap& image, const std::wstring& path, const SaveRequest& request);
// The same for bytes already encoded (our GIFs).
bool SaveBytesFile(const std::vector<std::uint8_t>& bytes, const std::wstring& path);
// The file exists and is marked read-only.
bool IsReadOnlyFile(const std::wstring& path);

// A top-down device-independent bitmap header of `bits` per pixel.
BITMAPINFO TopDownInfo(int width, int height, int bits);

}  // namespace kolo::win
