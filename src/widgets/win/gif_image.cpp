#include "widgets/win/gif_image.h"

#include <algorithm>

namespace kolo {

TVMGIFImage::TVMGIFImage() : list_([this] { ImageChanged(); }) {}

TVMGIFImage::~TVMGIFImage() { StopTimer(); }

void TVMGIFImage::SetImageList(TVMGIFImageList* list) {
  if (list != list_.Get()) subImage_ = 0;
  list_.Set(list);
  ImageChanged();
}

void TVMGIFImage::SetImageListID(int id) {
  if (id != id_) subImage_ = 0;
  id_ = id;
  ImageChanged();
}

bool TVMGIFImage::SetFileName(const std::wstring& path) {
  fileName_ = path;
  subImage_ = 0;  // another picture: the old frame number may not exist in it
  bool ok = true;
  if (path.empty()) file_.SetData({});
  else ok = file_.LoadFile(path);
  ImageChanged();
  return ok;
}

const GifBitmaps* TVMGIFImage::Source() const {
  if (!fileName_.empty()) return &file_;
  return list_ ? list_->Image(id_) : nullptr;
}

int TVMGIFImage::FrameCount() const {
  const GifBitmaps* src = Source();
  return src ? src->FrameCount() : 0;
}

SIZE TVMGIFImage::ImageSize() const {
  const GifBitmaps* src = Source();
  if (!src || !src->Valid()) return SIZE{0, 0};
  return SIZE{src->Width(), src->Height()};
}

void TVMGIFImage::ImageChanged() {
  ApplyAutoSize();
  Invalidate();
  // A new picture may animate where the old one could not.
  if (running_ && !stepping_) Schedule(kFirstStepMs);
}

void TVMGIFImage::ApplyAutoSize() {
  if (!autoSize_) return;
  SIZE s = ImageSize();
  if (s.cx > 0 && s.cy > 0) SetSize(s.cx, s.cy);
}

void TVMGIFImage::Schedule(int ms) {
  pendingDelay_ = std::max(ms, kMinStepMs);
  stepping_ = true;
  if (Handle()) ::SetTimer(Handle(), kTimerId, static_cast<UINT>(pendingDelay_), nullptr);
}

void TVMGIFImage::StopTimer() {
  pendingDelay_ = 0;
  stepping_ = false;
  if (Handle()) ::KillTimer(Handle(), kTimerId);
}

void TVMGIFImage::SetIsRun(bool on) {
  if (running_ == on) return;
  running_ = on;
  if (on) Schedule(kFirstStepMs);
  else StopTimer();
}

void TVMGIFImage::Step() {
  const int frames = FrameCount();
  if (frames < 2) {
    StopTimer();  // nothing to animate; a new picture starts it again
    return;
  }
  subImage_ = subImage_ + 1 >= frames ? 0 : subImage_ + 1;
  Invalidate();
  // Delays are in hundredths of a second; the system timer has its own floor.
  Schedule(Source()->FrameDelay(subImage_) * 10);
}

void TVMGIFImage::Paint(HDC dc, const IntRect& client) {
  PaintParentBackground(dc);
  const GifBitmaps* src = Source();
  if (!src || !src->Valid()) return;
  const int w = src->Width(), h = src->Height();
  int x = align_ == iaLeft ? 0 : align_ == iaCenter ? (client.Width() - w) / 2 : client.Width() - w;
  int y = valign_ == ivaTop ? 0 : valign_ == ivaCenter ? (client.Height() - h) / 2 : client.Height() - h;
  src->Draw(dc, x, y, subImage_);
}

LRESULT TVMGIFImage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kTimerId) {
    if (running_) Step();
    else StopTimer();
    return 0;
  }
  if (msg == WM_CREATE && running_) Schedule(kFirstStepMs);
  return Widget::HandleMessage(msg, wp, lp);
}

}  // namespace kolo
