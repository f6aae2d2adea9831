// Tab 5: screenshots. The current picture is shown on the main image, the
// screenshot list on the right-hand page, the picture tools below. Pictures
// come from the whole screen, one window chosen by pointing at it, or a file.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "frame/win/base_tab.h"
#include "images/win/image_list.h"
#include "images/win/screen_frame.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

class TfrmImagePreview;

class TGetImageTab : public TBaseTab {
 public:
  explicit TGetImageTab(TMainFrame& main);
  ~TGetImageTab() override;

  void Activate() override;
  void Deactivate() override;
  void LoadSettings(SettingsStore& store) override;
  void SaveSettings(SettingsStore& store) override;
  void OpenImage() override;
  // The picture operations (get_image_ops.cpp).
  void ViewImage() override;
  void SaveImage() override;
  void CopyImage() override;
  void PrintImage() override;
  void ClearTransparent() override;
  void DeleteImage() override;
  void ChangeImageSize(int width, int height) override;
  void RotateFlip(int code) override;
  void ImageSizeEdited(HWND edit) override;
  void PickFinished(bool cancelled) override;

  // Draws the current picture on the main image; with updateSizes the size fields follow.
  void ShowPreview(bool updateSizes = false);

  // The main window's screenshot events: hook notifications and the keys of the filter.
  void ShotEvent(CaptureMode mode, unsigned event, LPARAM data);

  // Button handlers. A full shot takes the primary monitor, or every monitor with Shift held.
  void btnPrintScreenClick(bool allMonitors);
  void btnGetWindowShotClick();
  void btnAddImageClick() { AddImageToList(true); }
  void AddImageToList(bool clearUrl);
  void HookImageListSelect();
  void ClearListSelection();
  void UpdatePublishHint();

  bool HasImage() const { return currentImage_ != nullptr; }
  Gdiplus::Bitmap* CurrentImage() const { return currentImage_.get(); }
  // Takes a picture as the current one (tests, and every capture).
  void SetCurrentImage(std::unique_ptr<Gdiplus::Bitmap> image);
  // Where the list and its pictures live.
  std::wstring Folder() const { return folder_; }

  // Tests answer the save dialog here: the chosen file and filter index, false for Cancel.
  std::function<bool(std::wstring& file, int& filterIndex)> saveDialogHook;

  int boxSize = 7;
  TVMPictureButton btnPrintScreen, btnGetWindowShot, btnAddImage;
  TVMScrollImage BoxSizeScroll, listScroller;
  TKOLImageList HookImageList;

 private:
  void CreateControls();
  void SetBoxSizeFromSlider();
  void BoxSizeHint();
  void HideMainWindow();
  void ShowMainWindow();
  void WindowShotTrack();
  void WindowShotClimb(bool up);
  void WindowShotFinish(bool take);
  void ShowWindowFrame();
  void LoadTimerTick();
  // After an edit: the picture goes back into the selected item's file and thumbnail.
  void StoreIntoSelectedItem(bool saveFile);
  void ReplaceCurrentImage(std::unique_ptr<Gdiplus::Bitmap> image);
  void PreviewClosed(TfrmImagePreview& preview);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);

  std::unique_ptr<Gdiplus::Bitmap> currentImage_;
  std::wstring folder_;
  bool listLoaded_ = false;
  TVMGIFImageList scrollImages_;

  // The window shot.
  HWND hoverWindow_ = nullptr, framedWindow_ = nullptr;
  RECT hoverRect_{}, frameRect_{};
  int parentLevel_ = 0;
  InvertedFrame frame_;
  UINT_PTR frameTimer_ = 0, loadTimer_ = 0;
  bool loadRestarted_ = false;
  int previewTabIndex_ = -1;  // the list index the preview was opened on
};

}  // namespace kolo::win
