#include "clipboard/win/clipboard_capture.h"

#include <gdiplus.h>

#include <new>

#include "clipboard/clipboard_colors.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace kolo::win {

namespace {

// A colour text is short; anything longer is not looked at.
constexpr std::size_t kMaxColorTextBytes = 4096;

bool CopyPicture(HBITMAP bitmap, long long maxPixels, ClipboardSnapshot& out) {
  BITMAP info{};
  if (!::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
  const int w = info.bmWidth, h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  if (w + h < 11) {
    out.kind = ClipboardSnapshot::Kind::TooSmall;
    return true;
  }
  if (static_cast<long long>(w) * h > maxPixels) {
    out.kind = ClipboardSnapshot::Kind::TooLarge;
    return true;
  }
  PendingPicture& p = out.picture;
  p.width = w;
  p.height = h;
  p.stride = (w * 3 + 3) & ~3;
  try {
    p.pixels.resize(static_cast<std::size_t>(p.stride) * static_cast<std::size_t>(h));
  } catch (const std::bad_alloc&) {
    out.kind = ClipboardSnapshot::Kind::TooLarge;
    return true;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  WindowDc screen(nullptr);
  if (::GetDIBits(screen, bitmap, 0, static_cast<UINT>(h), p.pixels.data(), &bi, DIB_RGB_COLORS) != h) {
    p.pixels.clear();
    return false;
  }
  out.kind = ClipboardSnapshot::Kind::Picture;
  return true;
}

bool CopyText(ClipboardSnapshot& out) {
  HANDLE h = ::GetClipboardData(CF_UNICODETEXT);
  if (!h) return false;
  const SIZE_T bytes = ::GlobalSize(h);
  if (bytes == 0 || bytes > kMaxColorTextBytes * 2) return false;
  const auto* p = static_cast<const wchar_t*>(::GlobalLock(h));
  if (!p) return false;
  std::wstring text(p, wcsnlen(p, bytes / sizeof(wchar_t)));
  ::GlobalUnlock(h);
  out.text = Narrow(text);
  out.kind = ClipboardSnapshot::Kind::Text;
  return true;
}

// FNV-1a over the rows: tells two pictures of one size and one PNG length apart.
std::uint64_t PixelHash(const std::vector<std::uint8_t>& pixels) {
  std::uint64_t h = 1469598103934665603ull;
  for (std::uint8_t b : pixels) h = (h ^ b) * 1099511628211ull;
  return h;
}

bool MarkedPrivate() {
  const PrivacyFormats& f = PrivacyFormats::Get();
  if ((f.exclude && ::IsClipboardFormatAvailable(f.exclude)) || (f.ignore && ::IsClipboardFormatAvailable(f.ignore)))
    return true;
  if (!f.canInclude || !::IsClipboardFormatAvailable(f.canInclude)) return false;
  // "CanIncludeInClipboardHistory" holds a DWORD; 0 keeps the copy out of any history.
  HANDLE h = ::GetClipboardData(f.canInclude);
  if (!h || ::GlobalSize(h) < sizeof(DWORD)) return false;
  const auto* value = static_cast<const DWORD*>(::GlobalLock(h));
  if (!value) return false;
  const bool no = *value == 0;
  ::GlobalUnlock(h);
  return no;
}

}  // namespace

const PrivacyFormats& PrivacyFormats::Get() {
  static const PrivacyFormats formats{
      ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
      ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"),
      ::RegisterClipboardFormatW(L"Clipboard Viewer Ignore")};
  return formats;
}

ClipboardSnapshot ReadClipboardForHistory(HWND owner, long long maxPixels) {
  ClipboardSnapshot out;
  if (!::OpenClipboard(owner)) {
    out.kind = ClipboardSnapshot::Kind::Busy;
    return out;
  }
  if (MarkedPrivate()) {
    out.kind = ClipboardSnapshot::Kind::Private;
  } else if (::IsClipboardFormatAvailable(CF_BITMAP)) {
    if (HANDLE h = ::GetClipboardData(CF_BITMAP)) CopyPicture(static_cast<HBITMAP>(h), maxPixels, out);
  } else if (::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT)) {
    CopyText(out);
  }
  ::CloseClipboard();
  return out;
}

// --- the worker ---

PictureWriter::PictureWriter(std::wstring folder, PictureFiles files, std::function<void()> wake)
    : folder_(std::move(folder)), files_(std::move(files)), wake_(std::move(wake)) {
  thread_ = std::thread(&PictureWriter::Run, this);
}

PictureWriter::~PictureWriter() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void PictureWriter::Push(PendingPicture picture) {
  std::unique_lock<std::mutex> guard(lock_);
  changed_.wait(guard, [&] { return queue_.empty() || pendingBytes_ + picture.Bytes() <= kPendingBudget; });
  pendingBytes_ += picture.Bytes();
  queue_.push_back(std::move(picture));
  changed_.notify_all();
}

std::vector<WrittenPicture> PictureWriter::Take() {
  std::lock_guard<std::mutex> guard(lock_);
  std::vector<WrittenPicture> out;
  out.swap(done_);
  return out;
}

void PictureWriter::WaitIdle() {
  std::unique_lock<std::mutex> guard(lock_);
  changed_.wait(guard, [&] { return queue_.empty() && !busy_; });
}

void PictureWriter::Run() {
  for (;;) {
    PendingPicture p;
    {
      std::unique_lock<std::mutex> guard(lock_);
      changed_.wait(guard, [&] { return stop_ || !queue_.empty(); });
      if (queue_.empty()) return;  // stopping, and everything is written
      p = std::move(queue_.front());
      queue_.pop_front();
      busy_ = true;
    }
    const std::size_t bytes = p.Bytes();
    WrittenPicture w = Write(p);
    p = PendingPicture{};  // the pixels go before the next picture comes in
    {
      std::lock_guard<std::mutex> guard(lock_);
      pendingBytes_ -= bytes;
      busy_ = false;
      done_.push_back(std::move(w));
    }
    changed_.notify_all();
    if (wake_) wake_();
  }
}

WrittenPicture PictureWriter::Write(PendingPicture& p) {
  WrittenPicture w;
  w.fromClipboard = p.fromClipboard;
  std::unique_ptr<Gdiplus::Bitmap> wrapped;
  Gdiplus::Bitmap* image = p.image.get();
  if (!image && !p.pixels.empty()) {
    wrapped = std::make_unique<Gdiplus::Bitmap>(p.width, p.height, p.stride, PixelFormat24bppRGB, p.pixels.data());
    image = wrapped.get();
  }
  if (!image || image->GetLastStatus() != Gdiplus::Ok || !files_.savePng) return w;
  w.width = static_cast<int>(image->GetWidth());
  w.height = static_cast<int>(image->GetHeight());

  // The next free second: never waits, never reuses a name.
  lastTime_ = NextPictureTime(clock(), lastTime_, [&](std::time_t t) {
    std::tm local{};
    localtime_s(&local, &t);
    return ::GetFileAttributesW((folder_ + Widen(PictureFileName(local))).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  std::tm local{};
  localtime_s(&local, &lastTime_);
  const std::string name = PictureFileName(local);
  const std::wstring path = folder_ + Widen(name);
  if (!files_.savePng(*image, path)) return w;

  WIN32_FILE_ATTRIBUTE_DATA fa{};
  if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &fa))
    w.fileSize = (static_cast<long long>(fa.nFileSizeHigh) << 32) | fa.nFileSizeLow;
  if (p.fromClipboard) {
    // Same size and same PNG length is not proof enough: two different
    // pictures can share both, and the second would be lost. The pixels decide.
    const std::uint64_t hash = PixelHash(p.pixels);
    w.duplicate = w.fileSize == lastFileSize_ && w.width == lastWidth_ && w.height == lastHeight_ &&
                  hash == lastPixelHash_;
    lastFileSize_ = w.fileSize;
    lastWidth_ = w.width;
    lastHeight_ = w.height;
    lastPixelHash_ = hash;
  }
  if (w.duplicate)
    ::DeleteFileW(path.c_str());
  else
    w.fileName = name;
  return w;
}

}  // namespace kolo::win
