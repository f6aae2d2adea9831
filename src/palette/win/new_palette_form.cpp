#include "palette/win/new_palette_form.h"

#include <windowsx.h>

#include <algorithm>

#include "art_ids.h"
#include "color/fixed_palettes.h"
#include "frame/win/main_frame.h"
#include "palette/new_palette.h"
#include "widgets/win/list_form.h"

namespace kolo::win {

namespace {

std::function<void(TfrmNewPalette&)>& ShownHook() {
  static std::function<void(TfrmNewPalette&)> hook;
  return hook;
}

// Places in the body, which starts under the title strip.
constexpr int kComboX = 52, kComboY = 7, kComboW = 149, kComboH = 16;
constexpr int kDropW = 12, kDropH = 14;
constexpr int kPreviewX = 52, kPreviewY = 27;
constexpr int kButtonsY = 181;

void SetupButton(TVMPictureButton& b, TVMGIFImageList& images, HWND parent, int normal, int hover, int down,
                 int disabled, int x, int y, const wchar_t* name) {
  b.SetImageList(&images);
  b.SetImages(normal, hover, down, disabled);
  const SIZE size = images.ImageSize(normal);
  b.Create(parent, x, y, size.cx > 0 ? size.cx : 20, size.cy > 0 ? size.cy : 18);
  ::SetWindowTextW(b.Handle(), name);
}

}  // namespace

void TfrmNewPalette::SetShownHook(std::function<void(TfrmNewPalette&)> hook) { ShownHook() = std::move(hook); }

TfrmNewPalette::TfrmNewPalette()
    : TDialogForm(SecondaryForm::NewPalette, L"TfrmNewPalette", L"New palette"), rng_(SeededGenerator()) {}

TfrmNewPalette::~TfrmNewPalette() = default;

bool TfrmNewPalette::Create(HWND owner) {
  if (!CreateForm(owner, kWidth, kHeight)) return false;
  images_.LoadFromResource(KOLO_RES_IMAGES_DIALOG);
  BuildControls();
  SetPaletteType(0);
  return true;
}

void TfrmNewPalette::BuildControls() {
  using namespace art;
  btnClose.SetColor(clFrame);
  SetupButton(btnClose, images_, Handle(), kDlgImgCloseNormal, kDlgImgCloseHover, kDlgImgCloseDown, -2,
              kWidth - 13, 3, L"close");
  btnClose.OnClick = [this](Widget&) { btnCloseClick(); };

  body.SetColor(clSkyBlue);
  body.SetBorderColor(clFrame);
  body.SetBorderSize(TVMNotRefreshPanel::Borders{1, 0, 1, 1});
  body.Create(Handle(), 0, kTitleHeight, kWidth, kHeight - kTitleHeight);

  lbPalette.SetCaption("palette:");
  lbPalette.SetFont(TextFont());
  lbPalette.SetFontColor(clFrame);
  lbPalette.Create(body, 5, kComboY + 1, 46, 14);

  comboPalette.SetColor(clFrame);
  comboPalette.Create(body, kComboX, kComboY, kComboW, kComboH);
  ::SetWindowTextW(comboPalette.Handle(), L"palette");
  pnlColorFormat.SetColor(clWhite);
  pnlColorFormat.Create(comboPalette, 1, 1, kComboW - 3 - kDropW, kComboH - 2);
  lbPaletteFormat.SetCaption("Empty");
  lbPaletteFormat.SetFont(TextFont());
  lbPaletteFormat.SetFontColor(clFrame);
  lbPaletteFormat.Create(pnlColorFormat, 3, 0, kComboW - 10 - kDropW, kComboH - 2);
  // Opened on the click: under Wine the release of a press that opened it took the activation back.
  lbPaletteFormat.OnClick = [this](Widget&) { VMPictureButton3MouseDown(); };
  SetupButton(VMPictureButton3, images_, comboPalette.Handle(), kDlgImgDropNormal, kDlgImgDropHover,
              kDlgImgDropDown, -2, kComboW - 1 - kDropW, 1, L"choose the palette");
  VMPictureButton3.OnClick = [this](Widget&) { VMPictureButton3MouseDown(); };

  prevPalImage.Create(body.Handle(), kPreviewX, kPreviewY, kNewPalettePreviewSide, kNewPalettePreviewSide);
  ::SetWindowTextW(prevPalImage.Handle(), L"palette preview");
  SetupButton(btnRandom, images_, body.Handle(), kDlgImgRandomNormal, kDlgImgRandomHover, kDlgImgRandomDown,
              kDlgImgRandomDisabled, kPreviewX - 26, kPreviewY, L"new random colors");
  btnRandom.OnClick = [this](Widget&) { BitBtn1Click(); };

  SetupButton(VMPictureButton1, images_, body.Handle(), kDlgImgOkNormal, kDlgImgOkHover, kDlgImgOkDown, -2,
              kWidth - 8 - 64 - 6 - 64, kButtonsY, L"OK");
  VMPictureButton1.OnClick = [this](Widget&) { VMPictureButton1Click(); };
  SetupButton(VMPictureButton2, images_, body.Handle(), kDlgImgCancelNormal, kDlgImgCancelHover,
              kDlgImgCancelDown, -2, kWidth - 8 - 64, kButtonsY, L"Cancel");
  VMPictureButton2.OnClick = [this](Widget&) { btnCloseClick(); };
}

void TfrmNewPalette::SetPaletteType(int type) {
  paletteType_ = std::clamp(type, 0, kNewPaletteTypeCount - 1);
  lbPaletteFormat.SetCaption(std::string(NewPaletteName(paletteType_)));
  colors_ = NewPaletteColors(paletteType_, rng_);
  // The preview as a bottom-up 24-bit picture, rows padded to whole words.
  const std::vector<TColor> px = NewPalettePreview(colors_);
  constexpr int side = kNewPalettePreviewSide, stride = (side * 3 + 3) & ~3;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * side, 0);
  for (int y = 0; y < side; ++y) {
    std::uint8_t* row = bits.data() + static_cast<std::size_t>(side - 1 - y) * stride;
    for (int x = 0; x < side; ++x) {
      const TColor c = px[static_cast<std::size_t>(y * side + x)];
      row[3 * x] = GetB(c);
      row[3 * x + 1] = GetG(c);
      row[3 * x + 2] = GetR(c);
    }
  }
  prevPalImage.SetBits24(bits.data(), side, side);
  btnRandom.SetVisible(paletteType_ == nptRandom);
}

void TfrmNewPalette::VMPictureButton3MouseDown() {
  TfrmList* list = ListForm();
  if (!list) return;
  list->Popup(comboPalette.Handle(), 0, 0, 0, [this](int index, HWND) { SetPaletteType(index); },
              std::string(NewPaletteName(paletteType_)), NewPaletteNames());
}

std::optional<std::vector<TColor>> TfrmNewPalette::Execute(TMainFrame& main) {
  if (!Handle() || Running()) return std::nullopt;
  SetPaletteType(main.Options().newPalette);
  const bool ok = RunModal(main.Handle(), main.Options().stayonTop, [this] {
    if (auto hook = ShownHook()) hook(*this);
  });
  if (!ok) return std::nullopt;
  main.Options().newPalette = static_cast<std::uint8_t>(paletteType_);
  return colors_;
}

}  // namespace kolo::win
