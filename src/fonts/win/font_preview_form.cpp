#include "fonts/win/font_preview_form.h"

#include "art_ids.h"
#include "fonts/win/font_families.h"
#include "frame/win/main_frame.h"
#include "widgets/popup_rules.h"
#include "widgets/win/picture_controls.h"

namespace kolo::win {

namespace {
constexpr TColor kOuterOutline = 0xF7E8D9;
}  // namespace

TfrmFontPreview::TfrmFontPreview() : TDropDownForm(SecondaryForm::FontPreview, L"TfrmFontPreview") {}

TfrmFontPreview::~TfrmFontPreview() { fontList.SetVerticalScroller(nullptr); }

bool TfrmFontPreview::Create(HWND owner, TMainFrame& main) {
  if (!TSecondaryForm::Create(owner, kWidth, kHeight)) return false;
  main_ = &main;
  ::SetWindowTextW(Handle(), L"Fonts");
  smallbut_.LoadFromResource(KOLO_RES_IMAGES_FONTBAR);
  scrollImages_.LoadFromResource(KOLO_RES_IMAGES_SCROLL);

  mainPanel.SetBorderSize(1);
  mainPanel.SetBorderColor(kOuterOutline);
  mainPanel.Create(Handle(), 0, 0, kWidth, kHeight);
  listPanel.SetBorderColor(clFrame);
  listPanel.Create(mainPanel, 1, 1, kWidth - 2, kHeight - 2);
  ::SetWindowTextW(mainPanel.Handle(), L"fonts");
  ::SetWindowTextW(listPanel.Handle(), L"fonts");

  fontList.SelectColor = clFrame;
  fontList.Create(listPanel, 0, 0, kWidth - 2 - kButtonSide, kHeight - 2);
  ::SetWindowTextW(fontList.Handle(), L"font list");
  fontList.OnSelect = [this](Widget&) { fontListSelect(); };

  struct Spec {
    TVMPictureButton& button;
    int first;
    const wchar_t* name;
    std::function<void()> click;
  };
  const Spec buttons[] = {
      {but1, art::kFontImgSizeUpNormal, L"font size up", [this] { but1Click(); }},
      {but2, art::kFontImgSizeDownNormal, L"font size down", [this] { but2Click(); }},
      {but3, art::kFontImgBoldNormal, L"bold", [this] { but3Click(); }},
      {but4, art::kFontImgItalicNormal, L"italic", [this] { but4Click(); }},
      {but5, art::kFontImgUnderlineNormal, L"underline", [this] { but5Click(); }},
  };
  int y = 0;
  for (const Spec& s : buttons) {
    // Four pictures per button: normal, "on" (or disabled), hover, down.
    s.button.SetImageList(&smallbut_);
    s.button.SetImages(s.first, s.first + 2, s.first + 3, s.first + 1);
    s.button.Create(listPanel, 0, y, kButtonSide, kButtonSide);
    ::SetWindowTextW(s.button.Handle(), s.name);
    s.button.OnClick = [click = s.click](Widget&) { click(); };
    y += kButtonSide;
  }

  VMScrollImage2.SetColor(clSkyBlue);
  PlaceVerticalSlider(VMScrollImage2, scrollImages_, listPanel, 22, 0, y, kHeight - 2 - y, L"scroll the fonts");
  fontList.SetItemHeight(22);
  fontList.SetVerticalScroller(&VMScrollImage2);
  Layout();
  return true;
}

void TfrmFontPreview::Layout() {
  // The side that meets the font panel stays open.
  listPanel.SetBorderSize(TVMNotRefreshPanel::Borders{1, OpenedAbove() ? 1 : 0, 1, OpenedAbove() ? 0 : 1});
  const int innerTop = OpenedAbove() ? 1 : 0;
  const int innerH = kHeight - 2 - 1;
  const int listW = kWidth - 2 - 2 - kButtonSide;
  fontList.SetBounds(1, innerTop, listW, innerH);
  int y = innerTop;
  for (TVMPictureButton* b : {&but1, &but2, &but3, &but4, &but5}) {
    b->SetBounds(1 + listW, y, kButtonSide, kButtonSide);
    y += kButtonSide;
  }
  VMScrollImage2.SetBounds(1 + listW, y, kButtonSide, innerTop + innerH - y);
}

void TfrmFontPreview::ShowFontBrowser(const RECT& panel) {
  if (!Handle() || !main_) return;
  if (!familiesRead_) {
    fontList.SetNames(InstalledFontFamilies());
    familiesRead_ = true;
  }
  TKolOptions& o = main_->Options();
  fontList.BgColor = main_->Slot(1) & 0xFFFFFF;
  fontList.FontColor = main_->Slot(0) & 0xFFFFFF;
  ApplyStyle();
  fontList.SetSelectFontName(o.fontName);

  const DropPlacement place = Place(panel, kWidth, kHeight);
  Layout();
  fontList.ScrollToSelected();
  ShowPlaced(place);
  fontList.FocusRows();
}

void TfrmFontPreview::ApplyStyle() {
  const TKolOptions& o = main_->Options();
  auto look = [](TVMPictureButton& b, int first, bool on) { b.SetImages(on ? first + 1 : first, first + 2, first + 3, first + 1); };
  look(but3, art::kFontImgBoldNormal, o.fontBold);
  look(but4, art::kFontImgItalicNormal, o.fontItalic);
  look(but5, art::kFontImgUnderlineNormal, o.fontUnderline);
  but1.SetEnabled(o.fontSize < kMaxFontSize);
  but2.SetEnabled(o.fontSize > kMinFontSize);
  fontList.SetStyle(o.fontSize, o.fontBold, o.fontItalic, o.fontUnderline);
  fontList.Invalidate();
  if (onSampleChanged) onSampleChanged();
}

void TfrmFontPreview::fontListSelect() {
  if (main_ && !fontList.SelectFontName().empty()) main_->Options().fontName = fontList.SelectFontName();
  Hide();
  if (onSampleChanged) onSampleChanged();
}

void TfrmFontPreview::but1Click() {
  main_->Options().fontSize = ClampFontSize(main_->Options().fontSize + 1);
  ApplyStyle();
}

void TfrmFontPreview::but2Click() {
  main_->Options().fontSize = ClampFontSize(main_->Options().fontSize - 1);
  ApplyStyle();
}

void TfrmFontPreview::but3Click() {
  main_->Options().fontBold = !main_->Options().fontBold;
  ApplyStyle();
}

void TfrmFontPreview::but4Click() {
  main_->Options().fontItalic = !main_->Options().fontItalic;
  ApplyStyle();
}

void TfrmFontPreview::but5Click() {
  main_->Options().fontUnderline = !main_->Options().fontUnderline;
  ApplyStyle();
}

LRESULT TfrmFontPreview::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_FONTCHANGE) {
    familiesRead_ = false;
    return 0;
  }
  return TDropDownForm::HandleMessage(msg, wp, lp);
}

}  // namespace kolo::win
