#include "widgets/win/gif_bitmaps.h"

#include <cstring>

namespace kolo {

void GifBitmaps::SetData(std::vector<std::uint8_t> data) {
  data_ = std::move(data);
  decoded_ = composed_ = false;
  picture_.reset();
  canvases_.clear();
  bitmaps_.clear();
}

bool GifBitmaps::LoadFile(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  win::KernelHandle owner(file);
  if (file != INVALID_HANDLE_VALUE) {
    LARGE_INTEGER size{};
    // Pictures of the interface are small; refuse anything absurd.
    if (::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 64 * 1024 * 1024) {
      bytes.resize(static_cast<size_t>(size.QuadPart));
      DWORD read = 0;
      if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        bytes.clear();
    }
  }
  SetData(std::move(bytes));
  return Valid();
}

void GifBitmaps::Decode() const {
  if (decoded_) return;
  decoded_ = true;
  if (!data_.empty()) picture_ = DecodeGif(data_);
}

void GifBitmaps::Compose() const {
  Decode();
  if (composed_) return;
  composed_ = true;
  canvases_.clear();
  bitmaps_.clear();
  if (!picture_) return;
  canvases_ = ComposeGifFrames(*picture_);
  bitmaps_.resize(canvases_.size());
}

bool GifBitmaps::Valid() const {
  Decode();
  return picture_.has_value();
}

int GifBitmaps::Width() const { return Valid() ? picture_->width : 0; }
int GifBitmaps::Height() const { return Valid() ? picture_->height : 0; }
int GifBitmaps::FrameCount() const { return Valid() ? static_cast<int>(picture_->frames.size()) : 0; }

int GifBitmaps::FrameDelay(int frame) const {
  if (frame < 0 || frame >= FrameCount()) return 0;
  return picture_->frames[static_cast<size_t>(frame)].delay;
}

GifPicture* GifBitmaps::Picture() {
  Decode();
  return picture_ ? &*picture_ : nullptr;
}

void GifBitmaps::Changed() {
  composed_ = false;
  canvases_.clear();
  bitmaps_.clear();
}

const GifCanvas* GifBitmaps::Canvas(int frame) const {
  Compose();
  if (frame < 0 || frame >= static_cast<int>(canvases_.size())) return nullptr;
  return &canvases_[static_cast<size_t>(frame)];
}

HBITMAP GifBitmaps::FrameBitmap(int frame) const {
  const GifCanvas* canvas = Canvas(frame);
  if (!canvas) return nullptr;
  win::Bitmap& bmp = bitmaps_[static_cast<size_t>(frame)];
  if (!bmp) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = canvas->width;
    bi.bmiHeader.biHeight = -canvas->height;  // top-down, like the canvas
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp || !bits) return nullptr;
    std::memcpy(bits, canvas->pixels.data(), canvas->pixels.size() * sizeof(std::uint32_t));
    ::GdiFlush();
  }
  return bmp;
}

bool GifBitmaps::Draw(HDC dc, int x, int y, int frame) const {
  if (!Valid()) return false;
  return DrawPart(dc, IntRect::FromSize(x, y, Width(), Height()), {0, 0, Width(), Height()}, frame);
}

bool GifBitmaps::DrawPart(HDC dc, const IntRect& target, const IntRect& source, int frame) const {
  if (target.Empty() || source.Empty()) return false;
  HBITMAP bmp = FrameBitmap(frame);
  if (!bmp) return false;
  const GifCanvas* canvas = Canvas(frame);
  // Keep the source inside the picture: AlphaBlend refuses to read outside it.
  if (source.left < 0 || source.top < 0 || source.right > canvas->width || source.bottom > canvas->height)
    return false;
  win::MemoryDc mem(::CreateCompatibleDC(dc));
  if (!mem) return false;
  win::SelectScope select(mem, bmp);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return ::AlphaBlend(dc, target.left, target.top, target.Width(), target.Height(), mem, source.left, source.top,
                      source.Width(), source.Height(), blend) != FALSE;
}

}  // namespace kolo
