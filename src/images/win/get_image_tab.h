// Tab 5: screenshots. The current picture is shown on the main image, the
// screenshot list on the right-hand page, the picture tools below. Pictures
// come from the whole screen, one window chosen by pointing at it, or a file.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "frame/win/base_tab.h"
#include "images/area_selection.h"
#include "frame/win/publishing.h"
#include "images/win/image_list.h"
#include "images/win/screen_frame.h"
#include "images/win/transp_form.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

class TfrmImagePreview;

class TGetImageTab : public TBaseTab, public PublishSource {
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
  void PickFinished(bool cancelled) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void ImageSizeEdited(HWND edit) override;
  void PublishOnSite() override;
  void ImageToWeb() override;
  void ViewOnSite() override;

  // What publishing sees of the tab.
  Gdiplus::Image* PublishImage() override;
  long long PublishTransparent() override { return transparentColor; }
  bool HasSelectedItem() override { return HookImageList.Select() != nullptr; }
  std::string SelectedItemUrl() override;
  bool SelectedItemModified() override;
  void SetSelectedItemUrl(const std::string& url) override;
  void AddPublishedImage() override;

  // Draws the current picture on the main image; with updateSizes the size fields follow.
  void ShowPreview(bool updateSizes = false);

  // The main window's screenshot events: hook notifications and the keys of the filter.
  void ShotEvent(CaptureMode mode, unsigned event, LPARAM data);

  // Button handlers. A full shot takes the primary monitor, or every monitor with Shift held.
  void btnPrintScreenClick(bool allMonitors);
  void btnGetWindowShotClick();
  // Starts an area shot, or finishes the one running.
  void btnGetImageClick();
  void btnAddImageClick() { AddImageToList(true); }
  void AddImageToList(bool clearUrl);
  void HookImageListSelect();
  void ClearListSelection();
  void UpdatePublishHint() override;

  bool HasImage() const { return currentImage_ != nullptr; }
  Gdiplus::Bitmap* CurrentImage() const { return currentImage_.get(); }
  // Takes a picture as the current one (tests, and every capture).
  void SetCurrentImage(std::unique_ptr<Gdiplus::Bitmap> image);
  // Where the list and its pictures live.
  std::wstring Folder() const { return folder_; }

  // Tests answer the save dialog here: the chosen file and filter index, false for Cancel.
  std::function<bool(std::wstring& file, int& filterIndex)> saveDialogHook;
  // The area shot, for the main window: whether a press or release at a screen
  // point belongs to the selection, and the main window being moved or sized.
  bool AreaShotWants(POINT p, bool press) const;
  void AreaShotWindowMove(bool starting);
  const AreaSelection& Area() const { return area_; }
  bool AreaUsesOverlay() const { return useOverlay_; }
  // Decides whether frames go on the overlay (desktop composition); tests pick either path.
  static bool (*compositionProbe)();

  int boxSize = 7;
  TVMPictureButton btnPrintScreen, btnGetWindowShot, btnGetImage, btnAddImage;
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
  // Outside an area selection a size field typed into sets the other one (keeping the shape).
  void FollowSizeFields(HWND edit);
  TfrmTransp& Overlay();
  HWND WindowUnder(POINT p);
  void ShowSizeFields(int width, int height);
  void SetShotButtons(bool areaRunning);
  // The area shot (get_image_tab_area.cpp).
  void StartAreaSelection();
  void AreaEvent(unsigned event, LPARAM data);
  void AreaPress(POINT p);
  void AreaMove(POINT p);
  void AreaRelease(POINT p);
  void FinishAreaSelection();
  void UpdateSelection(bool sizing, int handle, bool refreshOnly);
  void GrabArea();
  void FinishPendingGrab();
  void DeferGrab(std::function<void()> grab);
  void DrawAreaFrame();
  void ShowMagnifier(int code);
  void SetAreaCursor(int hit);
  void AlignToWindows();
  void SetBoxSize(int n);
  void SetFrameTimer(bool on);
  static HCURSOR CrossCursor();
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);

  std::unique_ptr<Gdiplus::Bitmap> currentImage_;
  std::wstring folder_;
  bool listLoaded_ = false;
  bool listSaveFailed_ = false;
  TVMGIFImageList scrollImages_;

  // The window shot.
  HWND hoverWindow_ = nullptr, framedWindow_ = nullptr;
  RECT hoverRect_{}, frameRect_{};
  int parentLevel_ = 0;
  InvertedFrame frame_;
  UINT_PTR frameTimer_ = 0, loadTimer_ = 0;
  bool loadRestarted_ = false;
  int previewTabIndex_ = -1;  // the list index the preview was opened on

  // The area shot.
  AreaSelection area_;
  bool useOverlay_ = false;
  InvertedFrame areaFrame_;
  AreaRect shownRect_{};
  int drawnBoxSize_ = -1;
  int cursorShape_ = -1;
  UINT_PTR grabTimer_ = 0;  // a grab waiting for the screen to show the overlay cleared
  std::function<void()> pendingGrab_;
  std::unique_ptr<TfrmTransp> ownOverlay_;  // when the program's forms table has none (tests)
};

}  // namespace kolo::win
