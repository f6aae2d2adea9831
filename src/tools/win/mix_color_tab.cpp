#include "tools/win/mix_color_tab.h"

#include "art_ids.h"
#include "frame/main_layout.h"
#include "frame/win/main_frame.h"
#include "platform/messages.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/picture_controls.h"

namespace kolo::win {

namespace {

constexpr char kClearQuestion[] = "Are you sure you want to clear all colors?";
const int kTypeImages[kMixTypeCount] = {art::kImgMixAverageNormal, art::kImgMixAndNormal, art::kImgMixOrNormal,
                                        art::kImgMixXorNormal, art::kImgMixReplaceNormal};

// The page (97 x 122): the mix types in rows of three and two, then the
// pictures in rows of four and three with the clear button closing the second.
struct Spot {
  int x, y;
};
constexpr Spot kTypeSpots[kMixTypeCount] = {{12, 8}, {38, 8}, {64, 8}, {25, 27}, {51, 27}};
constexpr Spot kPictureSpots[kMixPictureCount] = {{8, 56}, {29, 56}, {50, 56}, {71, 56},
                                                  {8, 77}, {29, 77}, {50, 77}};
constexpr Spot kClearSpot{70, 76};

}  // namespace

TMixColorTab::TMixColorTab(TMainFrame& main) : TBaseTab(main), mainImages(main.mainImages) {}

TMixColorTab::~TMixColorTab() = default;

void TMixColorTab::CreateControls() {
  Widget& page = main_.pages.mixColorTab;
  if (controlsCreated_ || !page.Handle()) return;
  controlsCreated_ = true;
  // The pictures load the first time the tab shows: many sessions never come here.
  MixImageList.LoadFromResource(KOLO_RES_IMAGES_MIX);
  for (int n = 0; n < kMixPictureCount && n < MixImageList.Count(); ++n) {
    const GifPicture* picture = MixImageList.Picture(n);
    if (!picture || picture->frames.empty()) continue;
    const GifFrame& f = picture->frames.front();
    model_.SetPixels(n, f.indices, f.width, f.height);
  }
  MixPaletteImg.SetImageList(&MixImageList);
  const layout::Rect r = layout::kImgMain;
  MixPaletteImg.Create(main_.pages.MixPaletteImageTab, r.x, r.y, r.w, r.h);
  ::SetWindowTextW(MixPaletteImg.Handle(), L"mixing picture");
  // The base class picks, clicks and drags from the picture as from the main image.
  MixPaletteImg.OnMouseDown = [this](Widget&, MouseButton b, unsigned s, int x, int y) { MouseDown(b, s, x, y); };
  MixPaletteImg.OnMouseMove = [this](Widget&, unsigned s, int x, int y) { MouseMove(s, x, y); };
  MixPaletteImg.OnMouseUp = [this](Widget&, MouseButton b, unsigned s, int x, int y) { MouseUp(b, s, x, y); };
  MixPaletteImg.OnCaptureLost = [this](Widget&) { CancelColorDrag(); };

  for (int i = 0; i < kMixTypeCount; ++i) {
    auto& b = butMixType[static_cast<size_t>(i)];
    PlacePictureButton(b, mainImages, page, kTypeImages[i], kTypeSpots[i].x, kTypeSpots[i].y, MixTypeHint(i), {},
                       {20, 15});
    b.OnClick = [this, tag = i + 1](Widget&) { butMixTypeClick(tag); };
  }
  for (int i = 0; i < kMixPictureCount; ++i) {
    auto& b = butImage[static_cast<size_t>(i)];
    PlacePictureButton(b, mainImages, page, art::kImgMixPicture1Normal + 4 * i, kPictureSpots[i].x,
                       kPictureSpots[i].y, MixPictureHint(i), {}, {17, 17});
    b.OnClick = [this, tag = i + 1](Widget&) { MixSetImageClick(tag); };
  }
  PlacePictureButton(VMPictureButton9, mainImages, page, art::kImgClearMixNormal, kClearSpot.x, kClearSpot.y,
                     "Sclear all colors");
  VMPictureButton9.OnClick = [this](Widget&) { VMPictureButton9Click(); };
}

void TMixColorTab::UpdateButtons() {
  for (int i = 0; i < kMixTypeCount; ++i) butMixType[static_cast<size_t>(i)].SetEnabled(i != model_.mixType);
  for (int i = 0; i < kMixPictureCount; ++i) butImage[static_cast<size_t>(i)].SetEnabled(i != model_.imageId);
}

void TMixColorTab::Activate() {
  CreateControls();
  main_.ShowPages(&main_.pages.MixPaletteImageTab, &main_.pages.colorChangerTab, &main_.PaletteBottomTab(),
                  &main_.pages.mixColorTab);
  UpdateButtons();
  ShowPicture();
  MixPaletteImg.SetHint("");
}

void TMixColorTab::ShowPicture() {
  const int n = model_.imageId;
  if (GifPicture* picture = MixImageList.Picture(n)) {
    if (std::vector<GifRgb>* table = picture->FirstColorTable()) {
      const MixTable& colours = model_.Shown();
      // The fixed entries (swatches, ground, lines, eraser) stay as drawn.
      for (int e = kMixFirstArea; e < kMixTableSize && e < static_cast<int>(table->size()); ++e) {
        const TColor c = colours[static_cast<size_t>(e)];
        (*table)[static_cast<size_t>(e)] = GifRgb{GetR(c), GetG(c), GetB(c)};
      }
      MixImageList.PictureChanged(n);
    }
  }
  if (MixPaletteImg.ImageListID() != n) MixPaletteImg.SetImageListID(n);
  MixPaletteImg.Invalidate();
}

TColor TMixColorTab::ColorAt(int x, int y) { return model_.ColorAt(x, y); }

void TMixColorTab::DragOver(HWND, HWND, int x, int y, int state) {
  if (model_.DragOver(x, y, state == static_cast<int>(kDragLeave), main_.DraggedColor())) ShowPicture();
}

void TMixColorTab::EndDrag(HWND, HWND, int, int, int) { model_.EndDrag(); }

void TMixColorTab::SetHint(const std::string& text) { MixPaletteImg.SetHint(text); }

void TMixColorTab::butMixTypeClick(int tag) {
  model_.mixType = tag - 1;
  UpdateButtons();
}

void TMixColorTab::MixSetImageClick(int tag) {
  model_.imageId = tag - 1;
  ShowPicture();
  UpdateButtons();
}

void TMixColorTab::VMPictureButton9Click() {
  if (ShowMessageBox(kClearQuestion, MessageKind::Confirmation, kMbYes | kMbNo) != kMrYes) return;
  model_.ClearAll();
  ShowPicture();
}

void TMixColorTab::LoadSettings(SettingsStore& store) {
  model_.Load(store);
  UpdateButtons();
}

void TMixColorTab::SaveSettings(SettingsStore& store) { model_.Save(store); }

}  // namespace kolo::win
