#include "images/win/image_files.h"

#include <gdiplus.h>
#include <objidl.h>

#include <ctime>

#include "images/image_list_model.h"
#include "images/image_ops.h"
#include "platform/win/gdiplus_session.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace kolo::win {

bool FindEncoder(const wchar_t* mime, CLSID& out) {
  if (!EnsureGdiplus()) return false;
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<std::uint8_t> buf(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, mime) == 0) {
      out = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

bool WithDecodedImage(const std::wstring& path, const std::function<void(Gdiplus::Bitmap&)>& use) {
  if (!EnsureGdiplus()) return false;
  // Decoded from memory, so the file is neither locked nor needed afterwards.
  auto bytes = ReadWholeFile(path, 512u * 1024 * 1024);
  // Truncated files and headers that ask for gigabytes are refused before GDI+ sees them.
  if (!bytes || !AcceptableImageFile(*bytes)) return false;
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes->size());
  if (!mem) return false;
  void* p = ::GlobalLock(mem);
  memcpy(p, bytes->data(), bytes->size());
  ::GlobalUnlock(mem);
  bytes.reset();
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(mem, TRUE, &stream))) {
    ::GlobalFree(mem);
    return false;
  }
  bool ok = false;
  {
    std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream));
    if (decoded && decoded->GetLastStatus() == Gdiplus::Ok && decoded->GetWidth() > 0 && decoded->GetHeight() > 0) {
      use(*decoded);
      ok = true;
    }
  }
  stream->Release();
  return ok;
}

std::unique_ptr<Gdiplus::Bitmap> LoadImageFile(const std::wstring& path) {
  std::unique_ptr<Gdiplus::Bitmap> copy;
  // A copy that owns its pixels: the decoded picture lives only as long as its stream.
  WithDecodedImage(path, [&copy](Gdiplus::Bitmap& decoded) {
    const int w = static_cast<int>(decoded.GetWidth()), h = static_cast<int>(decoded.GetHeight());
    const Gdiplus::PixelFormat format =
        (decoded.GetPixelFormat() & PixelFormatAlpha) ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    copy.reset(decoded.Clone(0, 0, w, h, format));
    if (copy && copy->GetLastStatus() != Gdiplus::Ok) copy.reset();
  });
  return copy;
}

bool SaveImagePng(Gdiplus::Bitmap& image, const std::wstring& path) {
  CLSID png;
  if (!FindEncoder(L"image/png", png)) return false;
  if (image.Save(path.c_str(), &png, nullptr) != Gdiplus::Ok) {
    ::DeleteFileW(path.c_str());  // a half-written file is worse than none
    return false;
  }
  WIN32_FILE_ATTRIBUTE_DATA fa;
  return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &fa) && (fa.nFileSizeLow || fa.nFileSizeHigh);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path, std::size_t limit) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  KernelHandle owner(h);
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(h, &size) || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit)
    return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
    if (!::ReadFile(h, bytes.data() + done, want, &got, nullptr) || got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

bool WriteFileReplacing(const std::wstring& path, const std::string& bytes) {
  const std::wstring temp = path + L".tmp";
  HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() || (::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                              written == bytes.size());
  ok = ::FlushFileBuffers(h) && ok;
  ::CloseHandle(h);
  if (ok) ok = ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) ::DeleteFileW(temp.c_str());
  return ok;
}

std::string UnusedTimestampName(const std::wstring& folder, const std::string& ext) {
  for (;;) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    const std::string name = TimestampName(local) + ext;
    if (::GetFileAttributesW((folder + Widen(name)).c_str()) == INVALID_FILE_ATTRIBUTES) return name;
    ::Sleep(1000);
  }
}

}  // namespace kolo::win
