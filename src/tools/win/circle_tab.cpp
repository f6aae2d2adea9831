#include "tools/win/circle_tab.h"

#include <cmath>
#include <string>

#include "art_ids.h"
#include "frame/hint_caption.h"
#include "frame/win/main_frame.h"
#include "tools/palette_model.h"
#include "tools/win/value_controls.h"
#include "widgets/win/picture_controls.h"
#include "widgets/win/value_slider_form.h"

namespace kolo::win {

namespace {

constexpr unsigned char kFullUpdate = 0x37;
constexpr unsigned char kMarkersUpdate = 0x36;
constexpr unsigned char kSearchUpdate = 0x1B;
constexpr unsigned char kSlotsOnly = 0x04;
constexpr EditRange kPercent{0, 100};

// The page (97 x 122): two rows of harmony buttons, the presets, the six base
// colours, then the S and B rows.
constexpr int kTypeRow1 = 2, kTypeRow2 = 21, kPresetRow = 42, kPanelRow = 63, kValueRow1 = 81, kValueRow2 = 101;
constexpr int kPanelSize = 14;

}  // namespace

TCircleTab::TCircleTab(TMainFrame& main) : TBaseTab(main), mainImages(main.mainImages) {}

TCircleTab::~TCircleTab() = default;

void TCircleTab::CreateControls() {
  Widget& page = main_.pages.circleTab;
  if (controlsCreated_ || !page.Handle()) return;
  controlsCreated_ = true;
  for (int i = 0; i < kWheelTypeCount; ++i) {
    auto& b = chWheelType[static_cast<size_t>(i)];
    PlacePictureButton(b, mainImages, page, art::kImgHarmony1Normal + 4 * i, 4 + 22 * (i % 4),
                       i < 4 ? kTypeRow1 : kTypeRow2, WheelTypeHint(i + 1), {}, {22, 18});
    b.OnClick = [this, tag = i + 1](Widget&) { chWheelTypeClick(tag); };
  }
  for (int i = 0; i < kWheelPresetCount; ++i) {
    auto& b = chBaseColor[static_cast<size_t>(i)];
    PlacePictureButton(b, mainImages, page, art::kImgPreset1Normal + 4 * i, 15 + 23 * i, kPresetRow,
                       WheelPresetHint(i + 1), {}, {22, 18});
    b.OnClick = [this, tag = i + 1](Widget&) { chBaseColor2Click(tag); };
  }
  for (int i = 0; i < kWheelBaseCount; ++i) {
    TColorCell& cell = panCol[static_cast<size_t>(i)];
    cell.SetBorderSize(1);
    cell.SetBorderColor(clFrame);
    cell.Create(page, 4 + 15 * i, kPanelRow, kPanelSize, kPanelSize);
    ::SetWindowTextW(cell.Handle(), (L"base color " + std::to_wstring(i + 1)).c_str());
    const int tag = i + 1;
    cell.OnColorEnter = [this, tag](TColorCell&, TColor dragged) { panColDragEnter(tag, dragged); };
    cell.OnColorLeave = [this, tag](Widget&) { panColDragLeave(tag); };
    cell.OnColorDrop = [this, tag](TColorCell&, TColor dragged) { panColEndDrag(tag, dragged); };
  }
  const char* labels[2] = {"S", "B"};
  for (int i = 0; i < 2; ++i) {
    const size_t k = static_cast<size_t>(i);
    const int top = i == 0 ? kValueRow1 : kValueRow2;
    const int tag = i + 1;
    PlaceRadioBox(chCurPalette[k], mainImages, page, 4, top + 4, 3);
    ::SetWindowTextW(chCurPalette[k].Handle(), Widen(std::string("wheel radius ") + labels[i]).c_str());
    chCurPalette[k].OnClick = [this, tag](Widget&) { chCurPalette1Click(tag); };
    lbCirPalette[k].SetCaption(labels[i]);
    lbCirPalette[k].SetFontColor(clFrame);
    lbCirPalette[k].Create(page, 18, top + 3, 9, 14);
    chCurPalette[k].SetCheckLabel(&lbCirPalette[k]);
    HWND edit = PlaceValueEdit(edCirPanel[k], page, 28, top + 1, 30, 18, Widen(labels[i]));
    FilterValueEdit(edit, [this, tag] { edCirPalette1KeyUp(tag); });
    auto& sub = btnCircleSubPalette[k];
    PlacePictureButton(sub, mainImages, page, art::kImgValueButtonTallNormal, 60, top + 2, "", L"value slider",
                       {9, 16});
    BindValueButton(sub, [this, tag] { btnCircleSubPalette1MouseDown(tag); });
  }
}

// --- refreshing the page from the state ---

void TCircleTab::UpdateControls() {
  for (int i = 0; i < kWheelTypeCount; ++i) chWheelType[static_cast<size_t>(i)].SetEnabled(i + 1 != model_.wheelType);
  const int preset = model_.MatchingPreset();
  for (int i = 0; i < kWheelPresetCount; ++i) chBaseColor[static_cast<size_t>(i)].SetEnabled(i + 1 != preset);
  for (int i = 0; i < kWheelBaseCount; ++i) {
    TColorCell& cell = panCol[static_cast<size_t>(i)];
    const TColor c = model_.baseColors[static_cast<size_t>(i)];
    cell.SetColor(c);
    cell.SetHint(ColorHint(c));
  }
  if (main_.currentTab == 1) main_.MarkHarmonySlots(model_.SlotsUsed());
}

void TCircleTab::UpdateEdits() {
  syncingEdits_ = true;
  SetValueEditText(edCirPalette(1), std::to_string(RoundHalfEven(model_.saturation)));
  SetValueEditText(edCirPalette(2), std::to_string(RoundHalfEven(model_.brightness)));
  syncingEdits_ = false;
}

std::array<TColor, 4> TCircleTab::Slots() { return {main_.Slot(0), main_.Slot(1), main_.Slot(2), main_.Slot(3)}; }

void TCircleTab::SetSlots(const std::array<TColor, 4>& slots) {
  for (int i = 0; i < 4; ++i) main_.Slot(i) = slots[static_cast<size_t>(i)];
}

void TCircleTab::Recompute(bool writeBase) {
  std::array<TColor, 4> slots = Slots();
  model_.Recompute(slots, writeBase);
  SetSlots(slots);
  // Slot 0 as it is now: a later change elsewhere is told from this one.
  lastBase = main_.Slot(0);
}

void TCircleTab::Search() {
  model_.Search(main_.Slot(0));
  Recompute(false);
}

// --- activation ---

void TCircleTab::Activate() {
  CreateControls();
  main_.imgMain.SetHint("");
  main_.ShowPages(&main_.pages.ImageTab, &main_.pages.colorChangerTab, &main_.PaletteBottomTab(),
                  &main_.pages.circleTab);
  const std::array<TColor, 4> now = Slots();
  const bool differ = now != slotSnapshot;
  slotSnapshot = now;
  chCurPalette[model_.isSaturation ? 0 : 1].SetChecked(true);
  lastBase = main_.Slot(0);
  changed = false;
  pressState = 0;
  UpdateControls();
  main_.MarkHarmonySlots(model_.SlotsUsed());
  // Unchanged slots were put back when the tab was last left: the harmony
  // goes into them again from the same place on the wheel.
  if (differ)
    Search();
  else
    Recompute(false);
  main_.RefreshColors(kFullUpdate);
}

void TCircleTab::Deactivate() {
  pressState = 0;
  if (!changed) {
    SetSlots(slotSnapshot);
    main_.RefreshColors(kSlotsOnly);
  }
  slotSnapshot = Slots();
  main_.MarkHarmonySlots(0);
}

// --- the wheel ---

void TCircleTab::Repaint(bool quick) {
  if (!quick) {
    model_.Draw(main_.work);
    ShowWorkPicture();
    ResetMarkers();
  }
  const double radius = kWheelInner + model_.RadiusValue();
  for (int i = 0; i < model_.SlotsUsed(); ++i) {
    const WheelPoint p = WheelMarkerAt(model_.HarmonyAngle(i), radius);
    DrawMarker(i + 1, p.x, p.y);
  }
}

void TCircleTab::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button != MouseButton::Left) return;
  pressState = 1;
  MouseMove(shift | ssLeft, x, y);
  if (pressState == 1) pressState = 0;
}

void TCircleTab::MouseMove(unsigned shift, int x, int y) {
  // The main image lost the mouse while pressed: the drag is over.
  if (pressState != 0 && !(shift & ssLeft)) pressState = 0;
  if (pressState == 0) {
    const bool ring = WheelModel::InRing(x, y);
    HCURSOR square = main_.SquareCursor();
    HCURSOR c = ring && square ? square : ::LoadCursorW(nullptr, IDC_ARROW);
    main_.imgMain.SetCursor(c);
    ::SetCursor(c);
    if (ring) {
      const WheelPolar p = WheelPolarAt(x, y);
      const double v = std::round(p.r) - kWheelInner;
      const TColor under = model_.isSaturation ? model_.RoundedColorAt(p.angle, v, model_.brightness)
                                               : model_.RoundedColorAt(p.angle, model_.saturation, v);
      SetHint(ColorHint(under));
    } else {
      SetHint("");
    }
    return;
  }
  model_.PointAt(x, y);
  Recompute(true);
  main_.RefreshColors(kMarkersUpdate);
  changed = true;
  if (pressState == 1) pressState = 2;
}

void TCircleTab::MouseUp(MouseButton, unsigned, int, int) { pressState = 0; }

void TCircleTab::ReadCurrentColor() {
  if (main_.Slot(0) == lastBase) return;
  Search();
  main_.RefreshColors(kSearchUpdate);
  changed = true;
}

// --- the page's controls ---

void TCircleTab::chWheelTypeClick(int tag) {
  model_.wheelType = tag;
  main_.MarkHarmonySlots(model_.SlotsUsed());
  Recompute(true);
  main_.RefreshColors(kFullUpdate);
  UpdateControls();
  changed = true;
}

void TCircleTab::chBaseColor2Click(int tag) {
  model_.SetPreset(tag);
  Search();
  main_.RefreshColors(kFullUpdate);
  UpdateControls();
  changed = true;
}

void TCircleTab::SetBase(int tag, TColor c) {
  model_.SetBaseColor(tag - 1, c);
  Search();
  main_.RefreshColors(kFullUpdate);
  UpdateControls();
  changed = true;
}

void TCircleTab::panColDragEnter(int tag, TColor dragged) {
  previewTag_ = 0;
  // Only colours: the transparent and empty markers have no place on the wheel.
  if ((dragged & 0xFF000000u) || model_.baseColors[static_cast<size_t>(tag - 1)] == dragged) return;
  previewTag_ = tag;
  previewSaved_ = model_.baseColors[static_cast<size_t>(tag - 1)];
  previewChanged_ = changed;
  SetBase(tag, dragged);
}

void TCircleTab::panColDragLeave(int tag) {
  if (previewTag_ != tag) return;
  previewTag_ = 0;
  SetBase(tag, previewSaved_);
  // A drag that only passed over changed nothing.
  changed = previewChanged_;
}

void TCircleTab::panColEndDrag(int tag, TColor dragged) {
  const bool previewed = previewTag_ == tag;
  previewTag_ = 0;
  // The preview already put the colour in; a colour the cell holds changes nothing.
  if (previewed || (dragged & 0xFF000000u) || model_.baseColors[static_cast<size_t>(tag - 1)] == dragged) return;
  SetBase(tag, dragged);
}

void TCircleTab::SetValue(int tag, double v) {
  if (tag == 1)
    model_.saturation = v;
  else
    model_.brightness = v;
}

void TCircleTab::edCirPalette1KeyUp(int tag) {
  if (syncingEdits_) return;
  HWND edit = edCirPalette(tag);
  const auto v = ParseEditValue(ValueEditText(edit), kPercent);
  if (!v) return;
  SetValueEditText(edit, std::to_string(*v));
  SetValue(tag, *v);
  Recompute(true);
  main_.RefreshColors(kFullUpdate);
  changed = true;
}

void TCircleTab::btnCircleSubPalette1MouseDown(int tag) {
  TfrmColorPrev* slider = ValueSliderForm();
  if (!slider) return;
  for (int v = 0; v <= 100; ++v) slider->SetStripRow(100, v, model_.StripColor(tag, v));
  const double current = tag == 1 ? model_.saturation : model_.brightness;
  slider->Popup(btnCircleSubPalette[static_cast<size_t>(tag - 1)], 100, [this, tag](TVMPictureButton*, int value) {
    SetValue(tag, value);
    Recompute(true);
    // The radius shows this value: only the markers move.
    main_.RefreshColors((tag == 1) == model_.isSaturation ? kMarkersUpdate : kFullUpdate);
    changed = true;
  }, static_cast<int>(RoundHalfEven(current)));
}

void TCircleTab::chCurPalette1Click(int tag) {
  model_.isSaturation = tag == 1;
  Recompute(true);
  main_.RefreshColors(kFullUpdate);
  changed = true;
}

// --- settings ---

void TCircleTab::LoadSettings(SettingsStore& store) {
  model_.Load(store);
  UpdateControls();
}

void TCircleTab::SaveSettings(SettingsStore& store) { model_.Save(store); }

}  // namespace kolo::win
