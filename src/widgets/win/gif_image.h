// TVMGIFImage: shows one frame of a GIF (a file or an image-list entry) over
// its parent, aligned inside the control, and animates it with IsRun: the
// first step 100 ms after switching on, then each frame for its own delay.
#pragma once

#include <string>

#include "widgets/win/gif_image_list.h"
#include "widgets/win/widget.h"

namespace kolo {

enum TImageAlign { iaLeft, iaCenter, iaRight };
enum TImageVAlign { ivaTop, ivaCenter, ivaBottom };

class TVMGIFImage : public Widget {
 public:
  TVMGIFImage();
  ~TVMGIFImage() override;

  TVMGIFImageList* ImageList() const { return list_.Get(); }
  void SetImageList(TVMGIFImageList* list);
  int ImageListID() const { return id_; }
  void SetImageListID(int id);
  const std::wstring& FileName() const { return fileName_; }
  bool SetFileName(const std::wstring& path);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on) { autoSize_ = on; ApplyAutoSize(); }
  TImageAlign ImageAlign() const { return align_; }
  void SetImageAlign(TImageAlign a) { align_ = a; Invalidate(); }
  TImageVAlign ImageVAlign() const { return valign_; }
  void SetImageVAlign(TImageVAlign a) { valign_ = a; Invalidate(); }

  // A new picture (file, list or entry) starts at frame 0.
  int SubImageId() const { return subImage_; }
  void SetSubImageId(int id) { subImage_ = id < 0 ? 0 : id; Invalidate(); }
  bool IsRun() const { return running_; }
  void SetIsRun(bool on);

  int FrameCount() const;
  SIZE ImageSize() const;
  // The delay the running animation waits before its next step (ms); 0 when idle.
  int PendingStepDelay() const { return stepping_ ? pendingDelay_ : 0; }
  // One animation step, as the timer runs it.
  void Step();
  // Shortest wait between steps: a frame delay of 0 steps at the next tick.
  static constexpr int kMinStepMs = 10;

 protected:
  const wchar_t* ClassName() const override { return L"TVMGIFImage"; }
  void Paint(HDC dc, const IntRect& client) override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Created() override { ApplyAutoSize(); }

 private:
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr int kFirstStepMs = 100;
  const GifBitmaps* Source() const;
  void ImageChanged();
  void ApplyAutoSize();
  void Schedule(int ms);
  void StopTimer();

  ImageListLink list_;
  int id_ = -1;
  std::wstring fileName_;
  GifBitmaps file_;
  bool autoSize_ = false;
  TImageAlign align_ = iaLeft;
  TImageVAlign valign_ = ivaTop;
  int subImage_ = 0;
  bool running_ = false;
  bool stepping_ = false;  // a step is scheduled
  int pendingDelay_ = 0;
};

}  // namespace kolo
