// TfrmImagePreview: a screenshot at full size in a window of its own. The
// user pans it, crops it to the visible part, steps through the screenshot
// list (keys, wheel, buttons, menu) and deletes pictures. Neighbours are
// loaded ahead on worker threads (TLoadImgThread). While it is open the main
// window is hidden. Pictures are never scaled.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "images/preview_layout.h"
#include "platform/win/handles.h"
#include "widgets/scroll_math.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/label.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/popup_menu.h"
#include "widgets/win/secondary_form.h"

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

class TMainFrame;
class TKOLImageList;

// One look-ahead load: the thread fills `image` once and signals; a stopped
// load throws its picture away. Shared by the thread and the window.
struct TLoadImgThread {
  std::atomic<bool> stop{false};
  std::mutex lock;
  std::unique_ptr<Gdiplus::Bitmap> image;
  bool done = false;
  HANDLE finished = nullptr;  // manual-reset event
  int index = -1;
  ~TLoadImgThread();
  static std::shared_ptr<TLoadImgThread> Start(const std::wstring& path, int index);
};

class TfrmImagePreview : public TSecondaryForm {
 public:
  TfrmImagePreview();
  ~TfrmImagePreview() override;
  bool Create(HWND owner, TMainFrame& main);

  struct Callbacks {
    // The tab lets go of its picture: the preview frees it.
    std::function<std::unique_ptr<Gdiplus::Bitmap>()> onRelease;
    // After the window closed.
    std::function<void(TfrmImagePreview&)> onClose;
  };
  // Opens on the tab's picture (borrowed; may be null) and list index. False
  // when nothing could be shown: the window then does not open.
  bool Show(Gdiplus::Bitmap* image, int index, Callbacks callbacks, long long colour, TKOLImageList& list);
  bool IsOpen() const { return open_; }

  // The commands.
  void Next();
  void Previous();
  void Home();
  void End();
  void Crop();
  void Delete();
  void ClosePreview();
  void ToggleFullScreen();

  // What the tab reads when the preview closes.
  int Index() const { return index_; }
  Gdiplus::Bitmap* TabImage() const { return tabImage_; }
  // A crop of the unlisted tab picture made a new one: the tab adopts it.
  std::unique_ptr<Gdiplus::Bitmap> TakeAdoptedImage();

  // State, for tests.
  Gdiplus::Bitmap* ShownImage() const { return shown_.image; }
  long long ShownColour() const { return shownColour_; }
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  int ViewWidth() const;
  int ViewHeight() const;
  const PreviewLayout& Layout() const { return layout_; }
  bool NeighbourReady(bool next) const;

  TVMPictureButton btnPrevImage, btnNextImage, btnCrop, btnClose;
  TVMLabel lbCaption;
  TPopupMenu PreviewPopupMenu;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // A picture in a slot: the tab's (borrowed) or one of our own.
  struct Slot {
    Gdiplus::Bitmap* image = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> owned;
  };
  Slot TabSlot() const;
  void Load();
  void StartLoader(bool next, int index);
  void StopLoaders();
  void DiscardNeighbours();
  Slot Await(std::shared_ptr<TLoadImgThread>& loader);
  void Step(bool forward);
  void JumpTo(int target);
  void SizeWindow();
  void LayOut(bool moved);
  void Draw();
  void Paint(HDC dc);
  void ShowMenu(int x, int y);
  bool KeyDown(WPARAM key);
  long long ItemColour(int index, long long fallback) const;
  bool ItemFileExists(int index) const;
  std::wstring ItemPath(int index) const;
  void Release(Slot& slot);
  int Count() const;
  void PrepareDisplay();
  void FollowWithMainWindow();

  TMainFrame* main_ = nullptr;
  TKOLImageList* list_ = nullptr;
  Callbacks callbacks_;
  TVMGIFImageList images_;
  Font captionFont_;

  Gdiplus::Bitmap* tabImage_ = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> adopted_;
  int tabIndex_ = -1;
  long long tabColour_ = -1;
  int index_ = -1;
  bool openedOnUnlisted_ = false;
  Slot shown_, next_, prev_;
  long long shownColour_ = -1;
  std::shared_ptr<TLoadImgThread> nextLoader_, prevLoader_;

  int offsetX_ = 0, offsetY_ = 0;
  bool panning_ = false;
  int grabX_ = 0, grabY_ = 0;
  bool userSized_ = false;
  RECT savedBounds_{};
  int storedLeft_ = 0, storedTop_ = 0;
  PreviewLayout layout_;
  bool open_ = false;
  bool busy_ = false;          // waiting for a loader: further steps wait their turn
  bool closePending_ = false;  // asked to close while waiting
  bool sizing_ = false;        // our own SetWindowPos
  WheelAccumulator wheel_;
  DWORD lastCaptionPress_ = 0;
  POINT lastCaptionAt_{};
  // The shown picture ready for 1:1 copies.
  struct Display {
    Bitmap bitmap;
    int width = 0, height = 0;
    const Gdiplus::Bitmap* source = nullptr;
    long long colour = -1;
  } display_;
};

// The preview window of the program (null before it is created).
TfrmImagePreview* ImagePreviewForm();

}  // namespace kolo::win
