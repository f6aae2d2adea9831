// Tab 6: the clipboard history. Pictures copied anywhere become PNG files in
// "clipbrd" and entries of a picture list on the main image's page; text that
// reads as a colour becomes a row of the colour list on the right-hand page.
// Both histories survive restarts: the pictures are files, the colours are
// written to "colors.txt" after every change (and to the settings when they
// are saved).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "clipboard/win/clipboard_capture.h"
#include "clipboard/win/clipboard_list.h"
#include "frame/win/base_tab.h"
#include "frame/win/picture_list.h"
#include "frame/win/publishing.h"
#include "platform/win/window.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/popup_menu.h"
#include "widgets/win/scroll_image.h"

namespace kolo::win {

// The image operations on a picture file, for the clipboard's pictures. The
// main window fills in those the screenshot folder's code offers; a missing
// one leaves its command without effect.
struct PictureOperations {
  // Rotate or flip (the Part's codes) the file in place, written back as PNG.
  std::function<bool(const std::wstring& file, int code)> rotateFlip;
  // Scale the file to the new size in place (32-bit ARGB, high-quality interpolation).
  std::function<bool(const std::wstring& file, int width, int height)> resize;
  std::function<void(const std::wstring& file, long long transparent)> save, copy, print;
  // The preview on the list at its selected picture; the index it showed last.
  std::function<int(PictureList& list, long long transparent)> preview;
};

class TClipboardTab : public TBaseTab, public PublishSource {
 public:
  // The picture list and its files come from the main window (they belong to
  // the screenshot folder's code).
  TClipboardTab(TMainFrame& main, std::unique_ptr<PictureList> pictures, PictureFiles files);
  ~TClipboardTab() override;

  // Set while the program itself changes the clipboard: that change is not recorded.
  bool SkipNextChange = false;
  // The picture list, not the colour list, had the focus last.
  bool FocusOnImages = true;
  int LastWidth = -1, LastHeight = -1;
  long long LastFileSize = -1;

  // Called on every clipboard change while the program is a clipboard viewer.
  void CaptureClipboard();
  void UpdateImageControls();

  void Activate() override;
  void LoadSettings(SettingsStore& store) override;
  void SaveSettings(SettingsStore& store) override;
  void ViewImage() override;
  void OpenImage() override;
  void DeleteImage() override;
  void ChangeImageSize(int width, int height) override;
  void RotateFlip(int code) override;
  void ClearTransparent() override;
  void PickFinished(bool cancelled) override;
  void SaveImage() override;
  void CopyImage() override;
  void PrintImage() override;
  void PublishOnSite() override;
  void ImageToWeb() override;
  void ViewOnSite() override;

  // The colour list's commands (its pop-up menu).
  enum ColorCommand { ccMoveTop = 1, ccCopy, ccDelete, ccDeleteAll };
  void ColorCommand(int command);
  enum ImageCommand { icMoveTop = 1, icDeleteAll };
  void ImageCommand(int command);
  void SetColumn(int column);

  // Where the pictures and the colour file live.
  std::wstring Folder() const { return folder_; }
  std::wstring ColorFile() const { return folder_ + L"colors.txt"; }
  PictureList& ClipboardList() { return *pictures_; }
  PictureWriter& Writer() { return *writer_; }
  // Takes what the writer finished (it also arrives by message).
  void TakeWrittenPictures();

  PictureOperations operations;
  // Refuses larger clipboard pictures (tests lower it).
  long long maxPicturePixels = kMaxClipPicturePixels;
  // Tries to open a clipboard another program holds, this often, this far apart.
  int openAttempts = 8;
  UINT openRetryMs = 40;

  // The sliders outlive the lists that scroll with them.
  TVMScrollImage colorScroller, pictureScroller;
  TKOLClipboardList ClipboardColorList;
  TVMPictureButton btnClipColumn1, btnClipColumn2, btnClipColumn3;
  TPopupMenu ClipColorPopupMenu, ClipImagePopupMenu;

 private:
  // Receives the writer's news and runs the retry timer, on the window thread.
  class Mailbox : public Window {
   public:
    explicit Mailbox(TClipboardTab& tab) : tab_(tab) {}
    bool Make();

   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    TClipboardTab& tab_;
  };

  void BuildControls();
  void TryCapture();
  void AddColor(TColor c);
  void WriteColorFile();
  void LoadColorFile(SettingsStore* store);
  void CopyColor(TColor c);
  std::wstring SelectedFile() const;

  // Publishing sends the selected picture, read from its file.
  Gdiplus::Image* PublishImage() override;
  long long PublishTransparent() override { return transparentColor; }
  bool HasSelectedItem() override { return pictures_->Selected().has_value(); }
  std::string SelectedItemUrl() override;
  bool SelectedItemModified() override;
  void SetSelectedItemUrl(const std::string& url) override;
  void AddPublishedImage() override {}  // the picture is an item already
  void UpdatePublishHint() override { UpdateImageControls(); }
  std::unique_ptr<Gdiplus::Bitmap> publishImage_;
  void PictureChanged();

  std::unique_ptr<PictureList> pictures_;
  PictureFiles files_;
  std::wstring folder_;
  std::unique_ptr<PictureWriter> writer_;
  Mailbox mailbox_{*this};
  TVMGIFImageList scrollImages_;
  bool built_ = false;
  int column_ = 2;
  int attemptsLeft_ = 0;
};

}  // namespace kolo::win
