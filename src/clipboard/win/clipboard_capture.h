// Reading a clipboard change for the history, and writing its pictures.
//
// The window thread only copies what the clipboard holds (a picture as 24-bit
// rows, or a short text) and lets go of the clipboard at once; PNG encoding,
// the name and the duplicate rule run on one worker thread in arrival order,
// which posts back what it wrote. So a burst of copies never freezes the
// window, and no picture is lost or overwrites another.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frame/win/picture_list.h"

namespace kolo::win {

// Pixels in 24-bit top-down rows (blue, green, red), rows padded to 4 bytes,
// or a decoded picture file.
struct PendingPicture {
  int width = 0, height = 0, stride = 0;
  std::vector<std::uint8_t> pixels;
  std::unique_ptr<Gdiplus::Bitmap> image;  // instead of the pixels
  bool fromClipboard = true;               // the duplicate rule applies
  std::size_t Bytes() const { return pixels.size(); }
};

struct ClipboardSnapshot {
  enum class Kind { Nothing, Private, Busy, Picture, TooSmall, TooLarge, Text } kind = Kind::Nothing;
  PendingPicture picture;
  std::string text;
};

// The formats by which programs (password managers) ask clipboard monitors and
// histories to leave their copy alone.
struct PrivacyFormats {
  UINT exclude = 0;     // "ExcludeClipboardContentFromMonitorProcessing"
  UINT canInclude = 0;  // "CanIncludeInClipboardHistory": a DWORD, 0 means no
  UINT ignore = 0;      // "Clipboard Viewer Ignore"
  static const PrivacyFormats& Get();
};

// Pictures above this many pixels are refused (a copy of 24-bit rows stays
// under 200 MB).
inline constexpr long long kMaxClipPicturePixels = 64LL * 1024 * 1024;

// One look at the clipboard. Busy when another program holds it open.
ClipboardSnapshot ReadClipboardForHistory(HWND owner, long long maxPixels = kMaxClipPicturePixels);

// What the worker did with one picture.
struct WrittenPicture {
  std::string fileName;  // empty when nothing was added
  bool fromClipboard = true;
  bool duplicate = false;
  int width = 0, height = 0;
  long long fileSize = -1;
};

class PictureWriter {
 public:
  // `wake` is called on the worker after each picture (it posts to the window).
  PictureWriter(std::wstring folder, PictureFiles files, std::function<void()> wake);
  // Writes what is still queued, then ends: nothing copied is lost at exit.
  ~PictureWriter();
  PictureWriter(const PictureWriter&) = delete;
  PictureWriter& operator=(const PictureWriter&) = delete;

  // Queues a picture. Waits only while more than kPendingBudget bytes are
  // already waiting (a burst of huge pictures), so memory stays bounded.
  static constexpr std::size_t kPendingBudget = 256u * 1024 * 1024;
  void Push(PendingPicture picture);
  std::vector<WrittenPicture> Take();
  // Tests: waits until every queued picture is written.
  void WaitIdle();
  // The clock the names come from (tests fix it).
  std::function<std::time_t()> clock = [] { return std::time(nullptr); };

 private:
  void Run();
  WrittenPicture Write(PendingPicture& p);

  std::wstring folder_;
  PictureFiles files_;
  std::function<void()> wake_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<PendingPicture> queue_;
  std::vector<WrittenPicture> done_;
  std::size_t pendingBytes_ = 0;
  bool busy_ = false, stop_ = false;
  // The worker's own: the last name handed out and the last recorded picture.
  std::time_t lastTime_ = 0;
  int lastWidth_ = -1, lastHeight_ = -1;
  long long lastFileSize_ = -1;
  std::uint64_t lastPixelHash_ = 0;
  std::thread thread_;
};

}  // namespace kolo::win
