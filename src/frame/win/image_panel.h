// The bottom pager's image page (imageBottomTab): the picture tools of the
// screenshot and clipboard tabs. Its buttons run the main window's image
// actions or the current tab's operations; the tab sets what is enabled
// through SetImageControls.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/win/edit_panel.h"
#include "widgets/win/image_view.h"
#include "widgets/action.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"
#include "widgets/win/picture_button.h"

namespace kolo::win {

class TMainFrame;

class TImageBottomPanel : public TVMNotRefreshPanel {
 public:
  explicit TImageBottomPanel(TMainFrame& main) : main_(main) {}

  // Builds the page and its controls inside `pager`, pictures from `images`.
  bool Build(HWND pager, TVMGIFImageList& images);

  // Enables the tools with a picture (open is always there), shows the
  // address and the size; a side below 1 shows an empty field.
  void SetImageControls(bool enabled, const std::string& url, int height, int width);
  bool ControlsEnabled() const { return enabled_; }
  // The size fields alone, and how many characters they take (an area shot types its size there).
  void EnableSizeFields(bool enabled, int maxChars);
  // The two size fields as numbers: 0 for empty or unreadable, at most 5000.
  int WidthValue() const;
  int HeightValue() const;
  std::string Url() const;

  TVMPictureButton btnOpenImage, btnSaveImage, btnCopyImg, btnPrintImage, btnViewImage, btnRemoveImage;
  TVMPictureButton btnRotateLeftImage, btnRotateRightImage, btnFlipVertImage, btnFlipHorizImage;
  TVMPictureButton btnUploadImage;
  TVMPictureButton btnGetTransColorImage, btnClearTransImage, btnChangeSizeImage, btnCopyURLImage;
  // The transparent colour's swatch; a click on it picks, as the button does.
  TVMNotRefreshPanel panGetTrans;
  ImageView imgTransColor;
  TEditPanel panWidth, panHeight, panUrl;
  HWND edWidthImage = nullptr;
  HWND edHeightImage = nullptr;
  HWND edURL = nullptr;

 protected:
  const wchar_t* ClassName() const override { return L"TImageBottomPanel"; }
  void PaintContent(HDC dc, const IntRect& inner) override;

 private:
  void PlaceButton(TVMPictureButton& b, TVMGIFImageList& images, int firstImage, int x, int y);
  HWND MakeEdit(TEditPanel& panel, int x, int y, int w, int h, DWORD style);
  static void LightField(TEditPanel& field, bool lit);

  TMainFrame& main_;
  bool enabled_ = false;
};

}  // namespace kolo::win
