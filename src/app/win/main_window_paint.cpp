// The main window's form: its controls, the title strip, painting.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>

#include "frame/hint_caption.h"
#include "frame/main_layout.h"
#include "art_ids.h"
#include "app/win/color_area.h"
#include "frame/win/image_panel.h"
#include "app/win/main_window.h"
#include "palette/win/palette_strip.h"
#include "platform/win/hints.h"

namespace kolo::win {

namespace {
constexpr const char* kTabHints[7] = {"Scolor picker",       "Scolor wheel",        "Scolor palette",
                                      "Smix colors",         "Scolors from screen", "Simages from screen",
                                      "Sclipboard viewer"};

void MakePage(TVMNotRefreshPanel& page, TVMPagerPanel& pager) {
  page.Create(pager, 0, 0, pager.Width(), pager.Height());
}
}  // namespace

void TfrmMain::CreateControls() {
  uiFont_.Reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
  mainImages.LoadFromResource(KOLO_RES_IMAGES_MAIN);
  scrollImages.LoadFromResource(KOLO_RES_IMAGES_SCROLL);
  for (int i = 0; i < 7; ++i) {
    auto& b = tabButtons_[static_cast<size_t>(i)];
    b.Create(Handle(), layout::kTabButtonX[i], 0, layout::kTabButtonWidth, layout::kTabButtonHeight, i,
             kTabHints[i]);
    b.onClick = [this](int tag) { ClickTabButton(tag); };
    b.drawer = [this](HDC dc, int w, int h, int tag, int state) { DrawTitleGlyph(dc, w, h, tag, state); };
  }
  btnChangeSize_.Create(Handle(), 0, 3, 9, 9, 10, "Ssmall size");
  btnChangeSize_.onClick = [this](int) { ToggleSmallMode(); };
  btnMinimaze_.Create(Handle(), 0, 2, 10, 12, 11, "Sminimize to tray - ESC");
  btnMinimaze_.onClick = [this](int) { MinimiseToTray(); };
  ptnToFront_.Create(Handle(), 0, 1, 9, 13, 12, "Sstay on top");
  ptnToFront_.onClick = [this](int) { ToggleStayOnTop(); };
  btnClose_.Create(Handle(), 0, 3, 9, 10, 13, "Sclose");
  btnClose_.onClick = [this](int) { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); };
  for (TabButton* b : {&btnChangeSize_, &btnMinimaze_, &ptnToFront_, &btnClose_})
    b->drawer = [this](HDC dc, int w, int h, int tag, int state) { DrawTitleGlyph(dc, w, h, tag, state); };

  CreatePages();

  // The main image on its page; the page is the drag source of the image's colours.
  imgMain.Create(pages.ImageTab.Handle(), layout::kImgMain.x, layout::kImgMain.y, layout::kImgMain.w,
                 layout::kImgMain.h);
  imgMain.SetCursor(squareCursor_.Get());  // cursor 21 until a tab says otherwise
  ForwardImageEvents();

  colorArea = std::make_unique<TColorArea>(*this);
  colorArea->Create(pages.colorChangerTab.Handle());
  smallPreview.Create(pages.getColorTab.Handle(), layout::kSmallPreview.x, layout::kSmallPreview.y,
                      layout::kSmallPreview.w, layout::kSmallPreview.h);

  paletteStrip = std::make_unique<TPaletteStrip>(*this);
  paletteStrip->Create(bottomPager.Handle(), 0, 0);
  paletteStrip->commitTextEdit = [this] { colorArea->CloseTextEdit(); };
  SetupImageActions();
  SetupOptionsAction();
  SetupImagePopupMenu();
  LayoutTitleButtons();
}

// The pagers and their (hidden) pages; the tabs' Activate shows them.
void TfrmMain::CreatePages() {
  auto place = [this](TVMPagerPanel& pager, HWND parent, const layout::Rect& r) {
    pager.Create(parent, r.x, r.y, r.w, r.h);
  };
  place(ImagePager, Handle(), layout::kImagePager);
  place(rightPager, Handle(), layout::kRightPager);
  place(bottomPager, Handle(), layout::kBottomPager);
  for (auto* page : {&pages.ImageTab, &pages.MixPaletteImageTab, &pages.clipboardImages}) MakePage(*page, ImagePager);
  for (auto* page : {&pages.colorChangerTab, &pages.screenShotTab, &pages.clipboardTab}) MakePage(*page, rightPager);
  place(subColorPager, pages.colorChangerTab.Handle(), layout::kSubColorPager);
  for (auto* page : {&pages.paletteTab, &pages.circleTab, &pages.fixColorTab, &pages.mixColorTab, &pages.getColorTab})
    MakePage(*page, subColorPager);

  // Colours dragged over the main image or the mixing picture reach the current tab
  // in the picture's own coordinates.
  for (auto* page : {&pages.ImageTab, &pages.MixPaletteImageTab}) {
    page->OnDragOver = [this](Widget& sender, LPARAM source, int x, int y, int state) {
      CurrentTabObject().DragOver(sender.Handle(), reinterpret_cast<HWND>(source), x - layout::kImgMain.x,
                                  y - layout::kImgMain.y, state);
    };
    page->OnEndDrag = [this](Widget& sender, LPARAM source, int x, int y, int state) {
      CurrentTabObject().EndDrag(sender.Handle(), reinterpret_cast<HWND>(source), x - layout::kImgMain.x,
                                 y - layout::kImgMain.y, state);
    };
  }
}

TVMNotRefreshPanel& TfrmMain::PaletteBottomTab() { return paletteStrip->paletteBottomTab; }

// Each action runs the current tab's operation on its picture.
void TfrmMain::SetupImageActions() {
  struct Def {
    TAction& action;
    const char* hint;
    std::function<void(TBaseTab&)> run;
  };
  const Def defs[] = {
      {acViewImage, "Spreview image...", [](TBaseTab& t) { t.ViewImage(); }},
      {acSaveImage, "Ssave image...", [](TBaseTab& t) { t.SaveImage(); }},
      {acCopyImage, "Scopy image", [](TBaseTab& t) { t.CopyImage(); }},
      {acPrintImage, "Sprint image...", [](TBaseTab& t) { t.PrintImage(); }},
      {acRotateLeft, "Srotate 90\u00B0 left", [](TBaseTab& t) { t.RotateFlip(3); }},
      {acRotateRight, "Srotate 90\u00B0 right", [](TBaseTab& t) { t.RotateFlip(1); }},
      {acFlipHoriz, "Sflip horizontal", [](TBaseTab& t) { t.RotateFlip(4); }},
      {acFlipVertical, "Sflip vertical", [](TBaseTab& t) { t.RotateFlip(6); }},
      {acDeleteImage, "Sremove image - Del", [](TBaseTab& t) { t.DeleteImage(); }},
      {acImageToWeb, "Sview on site", [](TBaseTab& t) { t.ImageToWeb(); }},
      {acPublishOnSite, "", [](TBaseTab& t) { t.PublishOnSite(); }},
      {acViewOnSite, "", [](TBaseTab& t) { t.ViewOnSite(); }},
  };
  for (const Def& d : defs) {
    d.action.SetHint(d.hint);
    d.action.OnExecute = [this, run = d.run] { run(CurrentTabObject()); };
  }
}

void TfrmMain::ForwardImageEvents() {
  imgMain.onMouseDown = [this](MouseButton b, unsigned s, int x, int y) {
    if (colorArea) colorArea->CloseTextEdit();  // the sample text is taken before the tab sees the press
    CurrentTabObject().MouseDown(b, s, x, y);
  };
  imgMain.onMouseMove = [this](unsigned s, int x, int y) { CurrentTabObject().MouseMove(s, x, y); };
  imgMain.onMouseUp = [this](MouseButton b, unsigned s, int x, int y) { CurrentTabObject().MouseUp(b, s, x, y); };
  imgMain.onCaptureLost = [this] { CurrentTabObject().CancelColorDrag(); };
  // A double click previews the picture whenever the preview button could.
  imgMain.onDblClick = [this](MouseButton, unsigned, int, int) {
    if (ImageBottomTabBuilt() && ImageBottomTab().btnViewImage.Enabled()) CurrentTabObject().ViewImage();
  };
}

void TfrmMain::LayoutTitleButtons() {
  const int w = options_.runsmall ? layout::kSmallWidth : layout::kClientWidth;
  // Anchored to the right edge: stay on top, small size, minimise, close.
  auto place = [](TabButton& b, int x, int y) {
    ::SetWindowPos(b.Handle(), nullptr, Px(x), Px(y), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(btnClose_, w - 13, 3);
  place(btnMinimaze_, w - 26, 2);
  place(btnChangeSize_, w - 38, 3);
  place(ptnToFront_, w - 50, options_.stayonTop ? 2 : 1);
  for (TabButton* b : {&btnChangeSize_, &btnMinimaze_, &ptnToFront_, &btnClose_}) b->Invalidate();
}

// Title strip buttons and tab buttons draw a picture of the main list per state
// (0 normal, 1 hover, 2 pressed, 3 disabled — the current tab's sunken look).
void TfrmMain::DrawTitleGlyph(HDC dc, int w, int h, int tag, int state) {
  RECT r{0, 0, w, h};
  FillSolid(dc, r, clFrame);
  const int s = state > 2 ? 0 : state;
  int index = -1;
  switch (tag) {
    case 10:
      index = (options_.runsmall ? art::kImgFullSizeNormal : art::kImgSmallSizeNormal) + s;
      break;
    case 11:
      index = art::kImgTrayNormal + s;
      break;
    case 12:
      index = (options_.stayonTop ? 43 : 40) + s;  // stay on top: off 40-42, on 43-45
      break;
    case 13:
      index = art::kImgCloseNormal + s;
      break;
    default:
      if (tag >= 0 && tag < 7) index = art::kImgTabButton0Normal + tag * art::kImgGroupStride + state;
      break;
  }
  mainImages.Draw(dc, 0, 0, index);
}

void TfrmMain::SetCaption(const std::wstring& text) {
  if (text == caption_) return;
  caption_ = text;
  const RECT r = PxRect({0, 0, layout::kClientWidth, layout::kCaptionStrip});
  ::InvalidateRect(Handle(), &r, FALSE);
}

void TfrmMain::OnApplicationHint(const std::string& hint) {
  HintCaptionState s;
  s.colorDragging = colorDragging;
  s.smallMode = options_.runsmall;
  s.viewHint = options_.viewHint;
  s.viewColorHint = options_.viewColorHint;
  if (colorFormatter) s.formatColor = colorFormatter;
  if (auto caption = CaptionForHint(hint, s)) SetCaption(Widen(*caption));
}

void TfrmMain::PaintTitleStrip(HDC dc) {
  RECT strip{0, 0, layout::kClientWidth, layout::kCaptionStrip};
  FillSolid(dc, strip, clFrame);
  SelectScope font(dc, uiFont_);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, clWhite);
  RECT text{options_.runsmall ? layout::kCaptionLeftSmall : layout::kCaptionLeftFull, 0,
            (options_.runsmall ? layout::kSmallWidth : layout::kClientWidth) - 52, layout::kCaptionStrip};
  ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void TfrmMain::OnPaint() {
  PaintDc pdc(Handle());
  RECT r = ClientRect();
  BufferedDc dc(pdc, r.right, r.bottom);
  FillSolid(dc, r, clSkyBlue);
  PaintTitleStrip(dc);
}

void TfrmMain::RefreshSlots(bool rewriteEdit) {
  // The slot controls draw from colorSlots; the palette strip follows the current colour.
  if (colorArea) colorArea->RefreshSlots(rewriteEdit);
  if (onSlotsRefresh) onSlotsRefresh(rewriteEdit);
  if (paletteStrip) paletteStrip->FollowCurrentColor();
}

void TfrmMain::RefreshFontSample() {
  if (colorArea) colorArea->RefreshPictures();
  if (onFontSampleRefresh) onFontSampleRefresh();
}

}  // namespace kolo::win
