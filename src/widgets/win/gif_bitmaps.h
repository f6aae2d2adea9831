// A decoded GIF ready to draw: every composed frame as a 32-bit premultiplied
// DIB section, drawn with AlphaBlend so the transparent colour shows what lies
// below. Decoding happens on first use; a GIF that does not decode draws nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/win/handles.h"
#include "widgets/geometry.h"
#include "widgets/gif_decode.h"

namespace kolo {

class GifBitmaps {
 public:
  GifBitmaps() = default;
  explicit GifBitmaps(std::vector<std::uint8_t> data) : data_(std::move(data)) {}
  GifBitmaps(GifBitmaps&&) noexcept = default;
  GifBitmaps& operator=(GifBitmaps&&) noexcept = default;

  void SetData(std::vector<std::uint8_t> data);
  // Reads a GIF file; a missing or unreadable file leaves no picture.
  bool LoadFile(const std::wstring& path);
  const std::vector<std::uint8_t>& Data() const { return data_; }

  bool Valid() const;
  int Width() const;
  int Height() const;
  int FrameCount() const;
  int FrameDelay(int frame) const;  // hundredths of a second; 0 for a bad frame

  // The decoded picture, editable (recolouring); call Changed() afterwards.
  GifPicture* Picture();
  void Changed();

  // Frame `frame` at (x, y) at natural size. False when there is nothing to draw.
  bool Draw(HDC dc, int x, int y, int frame = 0) const;
  // Part `source` of the frame into `target`, stretched when the sizes differ.
  bool DrawPart(HDC dc, const IntRect& target, const IntRect& source, int frame = 0) const;
  // The composed ARGB pixels of a frame (nullptr when none).
  const GifCanvas* Canvas(int frame) const;

 private:
  void Decode() const;
  void Compose() const;
  HBITMAP FrameBitmap(int frame) const;

  std::vector<std::uint8_t> data_;
  mutable bool decoded_ = false;
  mutable std::optional<GifPicture> picture_;
  mutable bool composed_ = false;
  mutable std::vector<GifCanvas> canvases_;
  mutable std::vector<win::Bitmap> bitmaps_;
};

}  // namespace kolo
