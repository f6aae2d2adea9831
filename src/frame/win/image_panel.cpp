#include "frame/win/image_panel.h"

#include <commctrl.h>

#include <initializer_list>
#include <utility>

#include "frame/main_layout.h"
#include "frame/routines.h"
#include "frame/size_edit.h"
#include "frame/win/base_tab.h"
#include "frame/win/main_frame.h"
#include "art_ids.h"
#include "platform/win/hints.h"

namespace kolo::win {

namespace ip = layout::image_panel;

namespace {

// The frame blue, faded: the sign between two disabled fields.
constexpr TColor kDimFrame = 0xE0B868;

// Only digits and the copy/backspace/paste/cut characters reach a size field;
// every key release tells the current tab, which may follow the typing.
LRESULT CALLBACK SizeEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (m == WM_CHAR && !IsSizeEditChar(static_cast<unsigned>(w))) return 0;
  if (m == WM_KEYUP) {
    LRESULT r = ::DefSubclassProc(h, m, w, l);
    if (TMainFrame* main = MainFrame()) main->CurrentTabObject().ImageSizeEdited(h);
    return r;
  }
  return ::DefSubclassProc(h, m, w, l);
}

}  // namespace

void TImageBottomPanel::PlaceButton(TVMPictureButton& b, TVMGIFImageList& images, int firstImage, int x, int y) {
  b.SetImageList(&images);
  b.SetImages(firstImage + art::kStateNormal, firstImage + art::kStateHover, firstImage + art::kStateDown,
              firstImage + art::kStateDisabled);
  b.Create(*this, x, y, ip::kButton, ip::kButton);
}

HWND TImageBottomPanel::MakeEdit(TEditPanel& panel, int x, int y, int w, int h, DWORD style) {
  panel.SetBorderSize(1);
  panel.SetBorderColor(clFrame);
  panel.SetColor(clWhite);
  panel.Create(*this, x, y, w, h);
  HWND edit = CreateSystemControl(L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | style, 0, 3, 2, w - 5,
                                  h - 4, panel.Handle(), nullptr, DefaultWidgetFont());
  panel.edit = edit;
  return edit;
}

bool TImageBottomPanel::Build(HWND pager, TVMGIFImageList& images) {
  const auto& page = layout::kBottomPager;
  if (!Create(pager, 0, 0, page.w, page.h)) return false;
  TMainFrame& m = main_;

  // Row 1: the file and clipboard tools, then rotate and flip, then publishing.
  struct Tool {
    TVMPictureButton& button;
    int image;
    TAction* action;
  };
  const Tool row[] = {
      {btnOpenImage, art::kImgOpenImageNormal, nullptr},
      {btnSaveImage, art::kImgSaveImageNormal, &m.acSaveImage},
      {btnCopyImg, art::kImgCopyPictureNormal, &m.acCopyImage},
      {btnPrintImage, art::kImgPrintImageNormal, &m.acPrintImage},
      {btnViewImage, art::kImgViewImageNormal, &m.acViewImage},
      {btnRemoveImage, art::kImgRemoveImageNormal, &m.acDeleteImage},
  };
  int x = ip::kOpenX;
  for (const Tool& t : row) {
    PlaceButton(t.button, images, t.image, x, ip::kRow1);
    if (t.action) t.button.SetAction(t.action);
    x += ip::kStep;
  }
  // The two flip buttons are named the other way about; their actions decide.
  const Tool turn[] = {
      {btnRotateLeftImage, art::kImgRotateLeftNormal, &m.acRotateLeft},
      {btnRotateRightImage, art::kImgRotateRightNormal, &m.acRotateRight},
      {btnFlipVertImage, art::kImgFlipHorizontalNormal, &m.acFlipHoriz},
      {btnFlipHorizImage, art::kImgFlipVerticalNormal, &m.acFlipVertical},
  };
  x = ip::kRotateX;
  for (const Tool& t : turn) {
    PlaceButton(t.button, images, t.image, x, ip::kRow1);
    t.button.SetAction(t.action);
    x += ip::kStep;
  }
  PlaceButton(btnUploadImage, images, art::kImgUploadImageNormal, ip::kUploadX, ip::kRow1);
  btnUploadImage.SetAction(&m.acImageToWeb);

  btnOpenImage.SetHint("Sopen image...");
  btnOpenImage.OnClick = [&m](Widget&) { m.CurrentTabObject().OpenImage(); };

  // The transparent colour: pick, its swatch, clear.
  PlaceButton(btnGetTransColorImage, images, art::kImgPickTransparentNormal, ip::kGetTransX, ip::kRow1);
  btnGetTransColorImage.SetHint("Sselect transparent color");
  btnGetTransColorImage.OnClick = [&m](Widget&) { m.CurrentTabObject().PickTransparentColor(); };
  panGetTrans.SetBorderSize(1);
  panGetTrans.SetBorderColor(clFrame);
  panGetTrans.SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  panGetTrans.Create(*this, ip::kPanGetTrans.x, ip::kPanGetTrans.y, ip::kPanGetTrans.w, ip::kPanGetTrans.h);
  panGetTrans.OnMouseDown = [&m](Widget& w, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Left && w.Enabled()) m.CurrentTabObject().PickTransparentColor();
  };
  imgTransColor.Create(panGetTrans.Handle(), ip::kImgTransColor.x, ip::kImgTransColor.y, ip::kImgTransColor.w,
                       ip::kImgTransColor.h);
  imgTransColor.SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  imgTransColor.onMouseDown = [this, &m](MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Left && panGetTrans.Enabled()) m.CurrentTabObject().PickTransparentColor();
  };
  PlaceButton(btnClearTransImage, images, art::kImgClearTransparentNormal, ip::kClearTransX, ip::kRow1);
  btnClearTransImage.SetHint("Sclear transparent color");
  btnClearTransImage.OnClick = [&m](Widget&) { m.CurrentTabObject().ClearTransparent(); };

  // Row 2: the new size, and the picture's web address.
  edWidthImage = MakeEdit(panWidth, ip::kWidthEdit.x, ip::kWidthEdit.y, ip::kWidthEdit.w, ip::kWidthEdit.h, ES_RIGHT);
  edHeightImage =
      MakeEdit(panHeight, ip::kHeightEdit.x, ip::kHeightEdit.y, ip::kHeightEdit.w, ip::kHeightEdit.h, ES_RIGHT);
  for (HWND e : {edWidthImage, edHeightImage}) {
    ::SendMessageW(e, EM_LIMITTEXT, 5, 0);
    ::SetWindowSubclass(e, SizeEditProc, 1, 0);
  }
  panWidth.SetHint("Swidth");
  panHeight.SetHint("Sheight");
  PlaceButton(btnChangeSizeImage, images, art::kImgResizeImageNormal, ip::kChangeSizeX, ip::kRow2);
  btnChangeSizeImage.SetHint("Schange image size");
  btnChangeSizeImage.OnClick = [&m](Widget&) { m.ChangeSizeClicked(); };
  edURL = MakeEdit(panUrl, ip::kUrlEdit.x, ip::kUrlEdit.y, ip::kUrlEdit.w, ip::kUrlEdit.h, ES_READONLY);
  panUrl.SetHint("Sweb address of the image");
  PlaceButton(btnCopyURLImage, images, art::kImgCopyUrlNormal, ip::kCopyUrlX, ip::kRow2);
  btnCopyURLImage.SetHint("Scopy web address");
  btnCopyURLImage.OnClick = [&m](Widget&) { m.CurrentTabObject().CopyUrl(); };

  // Accessible names: each control's hint without its kind letter.
  const std::pair<HWND, const wchar_t*> names[] = {
      {btnOpenImage.Handle(), L"open image..."},
      {btnSaveImage.Handle(), L"save image..."},
      {btnCopyImg.Handle(), L"copy image"},
      {btnPrintImage.Handle(), L"print image..."},
      {btnViewImage.Handle(), L"preview image..."},
      {btnRemoveImage.Handle(), L"remove image - Del"},
      {btnRotateLeftImage.Handle(), L"rotate 90\u00B0 left"},
      {btnRotateRightImage.Handle(), L"rotate 90\u00B0 right"},
      {btnFlipVertImage.Handle(), L"flip horizontal"},
      {btnFlipHorizImage.Handle(), L"flip vertical"},
      {btnUploadImage.Handle(), L"publish on site"},
      {btnGetTransColorImage.Handle(), L"select transparent color"},
      {panGetTrans.Handle(), L"transparent color"},
      {btnClearTransImage.Handle(), L"clear transparent color"},
      {panWidth.Handle(), L"width"},
      {panHeight.Handle(), L"height"},
      {btnChangeSizeImage.Handle(), L"change image size"},
      {panUrl.Handle(), L"web address of the image"},
      {btnCopyURLImage.Handle(), L"copy web address"},
  };
  for (const auto& [window, name] : names) ::SetWindowTextW(window, name);
  SetImageControls(false, "", 0, 0);
  return true;
}

// The "x" between width and height.
void TImageBottomPanel::PaintContent(HDC dc, const IntRect& inner) {
  TVMNotRefreshPanel::PaintContent(dc, inner);
  SelectScope font(dc, DefaultWidgetFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(enabled_ ? clFrame : kDimFrame));
  RECT r{ip::kWidthEdit.Right(), ip::kRow2, ip::kHeightEdit.x, ip::kRow2 + ip::kWidthEdit.h};
  ::DrawTextW(dc, L"\u00D7", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A field is white while it has something to take or show, else panel ground.
void TImageBottomPanel::LightField(TEditPanel& field, bool lit) {
  field.editColor = lit ? clWhite : clSkyBlue;
  field.SetColor(field.editColor);
  ::InvalidateRect(field.edit, nullptr, TRUE);
}

void TImageBottomPanel::SetImageControls(bool enabled, const std::string& url, int height, int width) {
  enabled_ = enabled;
  TMainFrame& m = main_;
  for (TAction* a : {&m.acViewImage, &m.acSaveImage, &m.acCopyImage, &m.acPrintImage, &m.acRotateLeft,
                     &m.acRotateRight, &m.acFlipHoriz, &m.acFlipVertical, &m.acDeleteImage, &m.acImageToWeb,
                     &m.acPublishOnSite})
    a->SetEnabled(enabled);
  for (Widget* w : std::initializer_list<Widget*>{&btnGetTransColorImage, &btnClearTransImage, &btnChangeSizeImage,
                                                  &panGetTrans, &panWidth, &panHeight})
    w->SetEnabled(enabled);
  ::EnableWindow(edWidthImage, enabled);
  ::EnableWindow(edHeightImage, enabled);
  ::EnableWindow(imgTransColor.Handle(), enabled);
  LightField(panWidth, enabled);
  LightField(panHeight, enabled);
  btnOpenImage.SetEnabled(true);

  SetUrl(url);
  ::SetWindowTextW(edWidthImage, width >= 1 ? std::to_wstring(width).c_str() : L"");
  ::SetWindowTextW(edHeightImage, height >= 1 ? std::to_wstring(height).c_str() : L"");
  Invalidate();
}

void TImageBottomPanel::SetUrl(const std::string& url) {
  ::SetWindowTextW(edURL, Widen(url).c_str());
  // The address field reads as empty ground until the picture has an address.
  LightField(panUrl, !url.empty());
  btnCopyURLImage.SetEnabled(!url.empty());
  main_.acViewOnSite.SetEnabled(!url.empty());
}

void TImageBottomPanel::EnableSizeFields(bool enabled, int maxChars) {
  for (TEditPanel* field : {&panWidth, &panHeight}) {
    field->SetEnabled(enabled);
    ::EnableWindow(field->edit, enabled);
    ::SendMessageW(field->edit, EM_LIMITTEXT, maxChars, 0);
    LightField(*field, enabled);
  }
}

int TImageBottomPanel::WidthValue() const { return StrToIntRange(WindowText(edWidthImage), 0, 0, kMaxImageSide); }
int TImageBottomPanel::HeightValue() const { return StrToIntRange(WindowText(edHeightImage), 0, 0, kMaxImageSide); }
std::string TImageBottomPanel::Url() const { return WindowText(edURL); }

}  // namespace kolo::win
