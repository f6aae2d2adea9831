#include "images/win/image_codec.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

#include "color/color.h"
#include "images/win/image_files.h"
#include "platform/win/gdiplus_session.h"

namespace kolo::win {

namespace {

// GDI+'s quality parameter (gdiplusimaging.h declares it; MinGW's library does not define it).
constexpr GUID kEncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

// Copies between the picture and a top-down 32-bit buffer through LockBits.
bool LockedCopy(Gdiplus::Bitmap& image, PixelBuffer& buffer, bool write) {
  Gdiplus::Rect r(0, 0, buffer.width, buffer.height);
  Gdiplus::BitmapData data{};
  const UINT mode = write ? Gdiplus::ImageLockModeWrite : Gdiplus::ImageLockModeRead;
  if (image.LockBits(&r, mode, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(buffer.width) * 4;
  for (int y = 0; y < buffer.height; ++y) {
    auto* row = static_cast<std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
    std::uint32_t* mine = buffer.pixels.data() + static_cast<std::size_t>(y) * buffer.width;
    if (write)
      std::memcpy(row, mine, rowBytes);
    else
      std::memcpy(mine, row, rowBytes);
  }
  return image.UnlockBits(&data) == Gdiplus::Ok;
}

std::unique_ptr<Gdiplus::Bitmap> Checked(std::unique_ptr<Gdiplus::Bitmap> b) {
  if (b && b->GetLastStatus() != Gdiplus::Ok) b.reset();
  return b;
}

}  // namespace

PixelBuffer ReadPixels(Gdiplus::Bitmap& image) {
  PixelBuffer buffer;
  const int w = static_cast<int>(image.GetWidth()), h = static_cast<int>(image.GetHeight());
  if (w <= 0 || h <= 0) return buffer;
  buffer.width = w;
  buffer.height = h;
  buffer.pixels.resize(static_cast<std::size_t>(w) * h);
  if (!LockedCopy(image, buffer, false)) buffer = {};
  return buffer;
}

std::unique_ptr<Gdiplus::Bitmap> BitmapFromPixels(const PixelBuffer& buffer) {
  if (buffer.width <= 0 || buffer.height <= 0 || !EnsureGdiplus()) return nullptr;
  auto bitmap = Checked(std::make_unique<Gdiplus::Bitmap>(buffer.width, buffer.height, PixelFormat32bppARGB));
  if (!bitmap || !LockedCopy(*bitmap, const_cast<PixelBuffer&>(buffer), true)) return nullptr;
  return bitmap;
}

std::unique_ptr<Gdiplus::Bitmap> KeyedCopy(Gdiplus::Bitmap& image, long long key) {
  PixelBuffer buffer = ReadPixels(image);
  if (buffer.pixels.empty()) return nullptr;
  if (key >= 0) {
    const auto c = static_cast<TColor>(key);
    const std::uint32_t rgb = (std::uint32_t{GetR(c)} << 16) | (std::uint32_t{GetG(c)} << 8) | GetB(c);
    for (std::uint32_t& p : buffer.pixels)
      if ((p & 0xFFFFFF) == rgb) p = 0;
  }
  return BitmapFromPixels(buffer);
}

std::unique_ptr<Gdiplus::Bitmap> ScaledCopy(Gdiplus::Bitmap& image, int width, int height) {
  if (width <= 0 || height <= 0 || !EnsureGdiplus()) return nullptr;
  auto bitmap = Checked(std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB));
  if (!bitmap) return nullptr;
  Gdiplus::Graphics g(bitmap.get());
  g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  // Mirrored edges, so the border pixels are not blended with nothing.
  Gdiplus::ImageAttributes attrs;
  attrs.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  const Gdiplus::Status s =
      g.DrawImage(&image, Gdiplus::Rect(0, 0, width, height), 0, 0, static_cast<INT>(image.GetWidth()),
                  static_cast<INT>(image.GetHeight()), Gdiplus::UnitPixel, &attrs);
  if (s != Gdiplus::Ok) return nullptr;
  g.Flush(Gdiplus::FlushIntentionSync);
  return bitmap;
}

std::unique_ptr<Gdiplus::Bitmap> CroppedCopy(Gdiplus::Bitmap& image, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  return Checked(std::unique_ptr<Gdiplus::Bitmap>(image.Clone(x, y, width, height, PixelFormat32bppARGB)));
}

BITMAPINFO TopDownInfo(int width, int height, int bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bits);
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

bool IsReadOnlyFile(const std::wstring& path) {
  const DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SaveImageFile(Gdiplus::Bitmap& image, const std::wstring& path, const SaveRequest& request) {
  CLSID encoder;
  if (request.format == ImageFormat::Gif || IsReadOnlyFile(path) || !FindEncoder(EncoderMime(request.format), encoder))
    return false;
  std::unique_ptr<Gdiplus::Bitmap> keyed;
  Gdiplus::Bitmap* source = &image;
  if (request.format == ImageFormat::Png && request.transparent >= 0) {
    keyed = KeyedCopy(image, request.transparent);
    if (!keyed) return false;
    source = keyed.get();
  }
  Gdiplus::EncoderParameters params{};
  ULONG quality = static_cast<ULONG>(request.jpegQuality);
  params.Count = 1;
  params.Parameter[0].Guid = kEncoderQuality;
  params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Value = &quality;
  const std::wstring temp = path + L".kolo-tmp";
  const bool jpeg = request.format == ImageFormat::Jpeg;
  bool ok = source->Save(temp.c_str(), &encoder, jpeg ? &params : nullptr) == Gdiplus::Ok;
  WIN32_FILE_ATTRIBUTE_DATA fa;
  ok = ok && ::GetFileAttributesExW(temp.c_str(), GetFileExInfoStandard, &fa) && (fa.nFileSizeLow || fa.nFileSizeHigh);
  ok = ok && ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) ::DeleteFileW(temp.c_str());
  return ok;
}

bool SaveBytesFile(const std::vector<std::uint8_t>& bytes, const std::wstring& path) {
  if (bytes.empty() || IsReadOnlyFile(path)) return false;
  return WriteFileReplacing(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace kolo::win
