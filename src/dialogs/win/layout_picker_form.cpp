#include "dialogs/win/layout_picker_form.h"

#include "art_ids.h"
#include "widgets/win/picture_controls.h"

namespace kolo::win {

namespace {
// Inside the one-pixel border: the filter column, the list, the slider.
constexpr int kFilterW = 18, kFilterH = 14, kFilterPitch = 15;
constexpr int kSliderW = 9;
constexpr int kListX = 1 + kFilterW + 1;
constexpr int kListW = TfrmPreview::kWidth - kListX - kSliderW - 1;
constexpr int kFilterTags[4] = {0, 2, 3, 4};
}  // namespace

TfrmPreview::TfrmPreview() : TDropDownForm(SecondaryForm::Preview, L"TfrmPreview") {}

TfrmPreview::~TfrmPreview() { ViewImageList.SetVerticalScroller(nullptr); }

bool TfrmPreview::Create(HWND owner) {
  if (!TSecondaryForm::Create(owner, kWidth, kHeight)) return false;
  ::SetWindowTextW(Handle(), L"Layouts");
  images_.LoadFromResource(KOLO_RES_IMAGES_DIALOG);
  scrollImages_.LoadFromResource(KOLO_RES_IMAGES_SCROLL);
  templates.LoadFromResource(KOLO_RES_IMAGES_TEMPLATE);

  mainPanel.SetBorderColor(clFrame);
  mainPanel.Create(Handle(), 0, 0, kWidth, kHeight);
  ::SetWindowTextW(mainPanel.Handle(), L"layout templates");

  ViewImageList.SelectColor = clFrame;
  ViewImageList.Create(mainPanel, kListX, 0, kListW, kHeight - 1);
  ::SetWindowTextW(ViewImageList.Handle(), L"layout list");
  ViewImageList.OnSelect = [this](Widget&) { ViewImageListSelect(); };

  TVMPictureButton* buttons[4] = {&but1, &but2, &but3, &but4};
  const int firsts[4] = {art::kDlgImgFilterAllNormal, art::kDlgImgFilter2Normal, art::kDlgImgFilter3Normal,
                         art::kDlgImgFilter4Normal};
  const char* hints[4] = {"Sall layouts", "Slayouts of 2 colors", "Slayouts of 3 colors", "Slayouts of 4 colors"};
  for (int i = 0; i < 4; ++i) {
    // The "active" picture doubles as the disabled one: the current filter looks pressed in.
    PlacePictureButton(*buttons[i], images_, mainPanel, firsts[i], 1, 1 + i * kFilterPitch, hints[i], {},
                       SIZE{kFilterW, kFilterH});
    buttons[i]->OnClick = [this, tag = kFilterTags[i]](Widget&) { but1Click(tag); };
  }

  // One step is one template and its gap.
  PlaceVerticalSlider(VMScrollImage2, scrollImages_, mainPanel, 42, kListX + kListW, 0, kHeight - 1,
                      L"scroll the layouts");
  ViewImageList.SetVerticalScroller(&VMScrollImage2);
  Layout();
  return true;
}

void TfrmPreview::Layout() {
  // The one-pixel border runs on the side away from the preview panel.
  const bool above = OpenedAbove();
  mainPanel.SetBorderSize(TVMNotRefreshPanel::Borders{1, above ? 1 : 0, 1, above ? 0 : 1});
  const int top = above ? 1 : 0;
  const int height = kHeight - 1;
  ViewImageList.SetBounds(kListX, top, kListW, height);
  VMScrollImage2.SetBounds(kListX + kListW, top, kSliderW, height);
  TVMPictureButton* buttons[4] = {&but1, &but2, &but3, &but4};
  for (int i = 0; i < 4; ++i) buttons[i]->SetBounds(1, top + 1 + i * kFilterPitch, kFilterW, kFilterH);
}

void TfrmPreview::EnableFilters() {
  TVMPictureButton* buttons[4] = {&but1, &but2, &but3, &but4};
  for (int i = 0; i < 4; ++i) buttons[i]->SetEnabled(kFilterTags[i] != ViewImageList.TagFilter());
}

void TfrmPreview::ShowPicker(const RECT& panel, const std::array<TColor, 4>& colors, int selected) {
  if (!Handle()) return;
  if (ViewImageList.ImageList() != &templates) ViewImageList.SetImageList(&templates);
  if (!recolored_ || colors != lastColors_) {
    lastColors_ = colors;
    recolored_ = true;
    ++recolorings_;
    if (recolorTemplate)
      for (int i = 0; i < templates.Count(); ++i) recolorTemplate(templates, i);
  }
  EnableFilters();
  const DropPlacement place = Place(panel, kWidth, kHeight);
  Layout();
  ViewImageList.SetItemIndex(selected);
  ViewImageList.ScrollToSelected();
  ShowPlaced(place);
  ::SetFocus(Handle());
}

void TfrmPreview::ViewImageListSelect() {
  const int index = ViewImageList.ItemIndex();
  Hide();
  if (index >= 0 && onChoose) onChoose(index);
}

void TfrmPreview::but1Click(int tag) {
  ViewImageList.SetTagFilter(tag);
  EnableFilters();
}

LRESULT TfrmPreview::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
    Hide();
    return 0;
  }
  return TDropDownForm::HandleMessage(msg, wp, lp);
}

}  // namespace kolo::win
