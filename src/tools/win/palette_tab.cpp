#include "tools/win/palette_tab.h"

#include "widgets/win/picture_controls.h"
#include "tools/win/value_controls.h"

#include <string>

#include "art_ids.h"
#include "frame/hint_caption.h"
#include "frame/win/clipboard_text.h"
#include "frame/win/main_frame.h"
#include "tools/palette_plane.h"
#include "widgets/win/value_slider_form.h"

namespace kolo::win {

namespace {

constexpr UINT_PTR kTypeTimer = 1;
constexpr UINT kTypeFirstDelayMs = 500;
constexpr UINT kTypeRepeatMs = 50;

// The page's layout (97 x 122): model buttons, view buttons, then the pager
// with the value rows.
constexpr int kModelRow1 = 3, kModelRow2 = 17, kViewRow = 32, kValuesTop = 52;
constexpr int kRowHeight = 22, kCmykRowHeight = 17;

TPaletteTab* gTypeTimerTab = nullptr;

}  // namespace

TPaletteTab::TPaletteTab(TMainFrame& main) : TBaseTab(main), mainImages(main.mainImages) { CreateControls(); }

TPaletteTab::~TPaletteTab() {
  if (gTypeTimerTab == this) gTypeTimerTab = nullptr;
}

void TPaletteTab::CreateControls() {
  Widget& page = main_.pages.paletteTab;
  if (!page.Handle()) return;
  using namespace art;
  const int modelImages[7] = {kImgModel1Normal, kImgModel1Normal + 4,  kImgModel1Normal + 8, kImgModel1Normal + 12,
                              kImgModel1Normal + 16, kImgModel1Normal + 20, kImgModel1Normal + 24};
  int x = 1;
  for (int i = 0; i < 7; ++i) {
    if (i == 4) x = 1;
    const std::string hint = ModelHint(i + 1);
    PlacePictureButton(butPalette[static_cast<size_t>(i)], mainImages, page, modelImages[i], x,
                       i < 4 ? kModelRow1 : kModelRow2, hint, {}, {9, 7});
    x += butPalette[static_cast<size_t>(i)].Width();
    butPalette[static_cast<size_t>(i)].OnClick = [this, tag = i + 1](Widget&) { butPalette1Click(tag); };
  }
  const char* viewHints[3] = {"Scartesian coordinate", "Scolor wheel", "Scolor ring"};
  for (int i = 0; i < 3; ++i) {
    auto& b = butViewType[static_cast<size_t>(i)];
    PlacePictureButton(b, mainImages, page, kImgViewCartesianNormal + 4 * i, 20 + 19 * i, kViewRow, viewHints[i], {},
                       {9, 7});
    b.OnClick = [this, tag = i + 1](Widget&) { butViewType1Click(tag); };
  }
  paletteTypePager.Create(page, 0, kValuesTop, page.Width(), page.Height() - kValuesTop);
  ThreeSubTab.Create(paletteTypePager, 0, 0, paletteTypePager.Width(), paletteTypePager.Height());
  FourSubTab.Create(paletteTypePager, 0, 0, paletteTypePager.Width(), paletteTypePager.Height());
  CreateThreeSubTab();
  CreateFourSubTab();
}

void TPaletteTab::CreateThreeSubTab() {
  using namespace art;
  for (int i = 0; i < 3; ++i) {
    const size_t k = static_cast<size_t>(i);
    const int top = 2 + kRowHeight * i;
    PlaceRadioBox(chPalette[k], mainImages, ThreeSubTab, 2, top + 4, 1);
    chPalette[k].OnClick = [this, c = i + 1](Widget&) { chPalette1Click(c); };
    lbPalette[k].SetFontColor(clFrame);
    lbPalette[k].Create(ThreeSubTab, 15, top + 3, 10, 14);
    chPalette[k].SetCheckLabel(&lbPalette[k]);
    HWND edit = PlaceValueEdit(edPanel[k], ThreeSubTab, 26, top + 1, 30, 18, L"value " + std::to_wstring(i + 1));
    FilterValueEdit(edit, [this, edit] { edPalette1KeyUp(edit); });
    for (int up = 0; up < 2; ++up) {
      auto& b = btnud[k * 2 + static_cast<size_t>(up)];
      const int tag = 2 * i + 1 + up;  // odd up, even down
      PlacePictureButton(b, mainImages, ThreeSubTab, up == 0 ? kImgStepUpNormal : kImgStepDownNormal, 58,
                         top + 2 + 8 * up, "", up == 0 ? L"step up" : L"step down", {9, 7});
      b.OnMouseDown = [this, tag](Widget&, MouseButton mb, unsigned, int, int) {
        if (mb == MouseButton::Left) btnud1MouseDown(tag);
      };
      b.OnMouseUp = [this](Widget&, MouseButton, unsigned, int, int) { btnud1MouseUp(); };
    }
    auto& sub = btnSubPalette[k];
    PlacePictureButton(sub, mainImages, ThreeSubTab, kImgValueButtonSmallNormal, 70, top + 3, "", L"value slider",
                       {9, 7});
    BindValueButton(sub, [this, c = i + 1, &sub] { btnSubPalette1MouseDown(c, sub); });
  }
}

void TPaletteTab::CreateFourSubTab() {
  using namespace art;
  const char* names[4] = {"C", "M", "Y", "K"};
  for (int i = 0; i < 4; ++i) {
    const size_t k = static_cast<size_t>(i);
    const int top = 1 + kCmykRowHeight * i;
    lbCMYK[k].SetCaption(names[i]);
    lbCMYK[k].Create(FourSubTab, 4, top + 2, 10, 14);
    HWND edit = PlaceValueEdit(edCmykPanel[k], FourSubTab, 15, top, 30, 16, Widen(std::string("value ") + names[i]));
    FilterValueEdit(edit, [this, edit] { edPalette1KeyUp(edit); });
    auto& sub = btnCmykSub[k];
    PlacePictureButton(sub, mainImages, FourSubTab, kImgValueButtonSmallNormal, 47, top + 1, "", L"value slider",
                       {9, 7});
    BindValueButton(sub, [this, c = i + 1, &sub] { btnSubPalette1MouseDown(c, sub); });
  }
  for (int i = 0; i < 6; ++i) {
    auto& box = chCMYK[static_cast<size_t>(i)];
    PlaceRadioBox(box, mainImages, FourSubTab, 62 + 18 * (i % 2), 6 + 22 * (i / 2), 2);
    box.SetHint(CmykAxesHint(i + 1));
    ::SetWindowTextW(box.Handle(), Widen(std::string(CmykAxesHint(i + 1) + 1)).c_str());
    box.OnClick = [this, tag = i + 1](Widget&) { chCMYK1Click(tag); };
  }
}

HWND TPaletteTab::EditOf(int component) const {
  if (model_.currentModel == pmCMYK) return component >= 1 && component <= 4 ? edCmykPanel[static_cast<size_t>(component - 1)].edit : nullptr;
  return component >= 1 && component <= 3 ? edPanel[static_cast<size_t>(component - 1)].edit : nullptr;
}

// --- activation and the choice buttons ---

void TPaletteTab::Activate() {
  main_.ShowPages(&main_.pages.ImageTab, &main_.pages.colorChangerTab, &main_.PaletteBottomTab(),
                  &main_.pages.paletteTab);
  const bool cmyk = model_.currentModel == pmCMYK;
  paletteTypePager.SetCurrentPanel(cmyk ? &FourSubTab : &ThreeSubTab);
  UpdateButtons();
  if (cmyk) {
    chCMYK[static_cast<size_t>(model_.cmykAxes - 1)].SetChecked(true);
    UpdateCmykLabels();
  } else {
    for (int c = 1; c <= 3; ++c) {
      lbPalette[static_cast<size_t>(c - 1)].SetCaption(ComponentLabel(model_.currentModel, c));
      ::SetWindowTextW(edPanel[static_cast<size_t>(c - 1)].Handle(),
                       Widen(std::string(ComponentLabel(model_.currentModel, c))).c_str());
      ::SetWindowTextW(chPalette[static_cast<size_t>(c - 1)].Handle(),
                       Widen(std::string("fixed ") + ComponentLabel(model_.currentModel, c)).c_str());
    }
    LayoutEdits();
    chPalette[static_cast<size_t>(model_.Fixed() - 1)].SetChecked(true);
  }
  UpdateCursor();
  ReadCurrentColor();
  Repaint(false);
  UpdateEdits();
}

void TPaletteTab::Deactivate() {
  btnud1MouseUp();
  model_.pressState = 0;
}

void TPaletteTab::UpdateButtons() {
  for (int i = 0; i < 7; ++i) butPalette[static_cast<size_t>(i)].SetEnabled(i + 1 != model_.currentModel);
  const bool cmyk = model_.currentModel == pmCMYK;
  for (int i = 0; i < 3; ++i) {
    auto& b = butViewType[static_cast<size_t>(i)];
    b.SetEnabled(i + 1 != model_.View());
    b.SetVisible(!cmyk);  // CMYK has the cartesian plane only
  }
}

// Lab's a and b need a fourth character for the sign.
void TPaletteTab::LayoutEdits() {
  for (int c = 1; c <= 3; ++c) {
    const bool wide = model_.currentModel == pmLab && c > 1;
    HWND edit = edPanel[static_cast<size_t>(c - 1)].edit;
    RECT r;
    ::GetClientRect(edit, &r);
    MoveSystemControl(edit, wide ? 3 : 5, 2, wide ? 23 : 20, Lg(r.bottom));
    ::SendMessageW(edit, EM_LIMITTEXT, wide ? 4 : 3, 0);
  }
}

void TPaletteTab::UpdateCursor() {
  HCURSOR square = main_.SquareCursor();
  main_.imgMain.SetCursor(model_.View() == pvCartesian && square ? square : ::LoadCursorW(nullptr, IDC_ARROW));
}

void TPaletteTab::UpdateCmykLabels() {
  const CmykPlaneAxes a = CmykAxesOf(model_.cmykAxes);
  for (int c = 1; c <= 4; ++c)
    lbCMYK[static_cast<size_t>(c - 1)].SetFontColor(c == a.horizontal || c == a.vertical ? clWhite : clFrame);
}

void TPaletteTab::butPalette1Click(int tag) {
  model_.currentModel = tag;
  Activate();
}

void TPaletteTab::butViewType1Click(int tag) {
  if (model_.currentModel == pmCMYK) return;
  model_.viewType[static_cast<size_t>(model_.currentModel)] = tag;
  UpdateButtons();
  Repaint(false);
  UpdateCursor();
}

void TPaletteTab::chPalette1Click(int component) {
  if (model_.currentModel == pmCMYK) return;
  model_.fixedComponent[static_cast<size_t>(model_.currentModel)] = component;
  Repaint(false);
}

void TPaletteTab::chCMYK1Click(int tag) {
  model_.cmykAxes = tag;
  UpdateCmykLabels();
  Repaint(false);
}

// --- the plane ---

void TPaletteTab::Repaint(bool quick) {
  if (!quick) {
    DrawPlane(model_, main_.work);
    ShowWorkPicture();
    ResetMarkers();
    if (auto ring = RingMarker(model_)) DrawMarkerF(2, ring->x, ring->y);
  }
  const PlanePoint p = ValueMarker(model_);
  DrawMarkerF(1, p.x, p.y);
  SetHint(ColorHint(main_.CurrentColor()));
}

void TPaletteTab::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button != MouseButton::Left) return;
  model_.pressState = 1;
  MouseMove(shift, x, y);
}

void TPaletteTab::MouseMove(unsigned, int x, int y) {
  if (model_.pressState == 0) {
    if (model_.View() != pvCartesian) {
      HCURSOR square = main_.SquareCursor();
      HCURSOR c = SquareCursorAt(model_, x, y) && square ? square : ::LoadCursorW(nullptr, IDC_ARROW);
      main_.imgMain.SetCursor(c);
      ::SetCursor(c);
    }
    return;
  }
  const PickEffect effect = PickAt(model_, x, y);
  if (effect == PickEffect::None) return;
  StoreColor(model_.Store());
  main_.RefreshColors(effect == PickEffect::Fixed ? 0x37 : 0x36);
}

void TPaletteTab::MouseUp(MouseButton, unsigned, int, int) { model_.pressState = 0; }

void TPaletteTab::StoreColor(TColor c) {
  main_.Slot(main_.currentSlot) = c;
  SetHint(ColorHint(c));
}

void TPaletteTab::ReadCurrentColor() { model_.ReadCurrentColor(main_.CurrentColor()); }

// --- the values ---

void TPaletteTab::UpdateEdits() {
  syncingEdits_ = true;
  for (int c = 1; c <= ComponentCount(model_.currentModel); ++c)
    SetValueEditText(EditOf(c), std::to_string(model_.DisplayValue(c)));
  syncingEdits_ = false;
}

void TPaletteTab::EditsChanged() {
  std::array<int, 4> values{};
  for (int c = 1; c <= ComponentCount(model_.currentModel); ++c) {
    const auto v = ParseEditValue(ValueEditText(EditOf(c)), ComponentRange(model_.currentModel, c));
    values[static_cast<size_t>(c - 1)] = v ? *v : model_.DisplayValue(c);
  }
  StoreColor(model_.SetFromEdits(values));
  main_.RefreshColors(0x35);
}

void TPaletteTab::edPalette1KeyUp(HWND edit) {
  if (syncingEdits_) return;
  int component = 0;
  for (int c = 1; c <= ComponentCount(model_.currentModel); ++c)
    if (EditOf(c) == edit) component = c;
  if (!component) return;
  const auto v = ParseEditValue(ValueEditText(edit), ComponentRange(model_.currentModel, component));
  if (!v) return;
  SetValueEditText(edit, std::to_string(*v));
  EditsChanged();
}

void TPaletteTab::btnud1MouseDown(int tag) {
  typeTimerTag_ = tag;
  StepOnce();
  gTypeTimerTab = this;
  ::SetTimer(main_.pages.paletteTab.Handle(), kTypeTimer, kTypeFirstDelayMs, TypeTimerProc);
}

void TPaletteTab::btnud1MouseUp() {
  if (!typeTimerTag_) return;
  typeTimerTag_ = 0;
  ::KillTimer(main_.pages.paletteTab.Handle(), kTypeTimer);
}

void TPaletteTab::TypeTimerTimer() {
  if (!typeTimerTag_) return;
  // The held button lost the mouse (another window took it): its release
  // will never come, so the repeat ends here.
  if (::GetCapture() != btnud[static_cast<size_t>(typeTimerTag_ - 1)].Handle()) {
    btnud1MouseUp();
    return;
  }
  StepOnce();
  ::SetTimer(main_.pages.paletteTab.Handle(), kTypeTimer, kTypeRepeatMs, TypeTimerProc);
}

void CALLBACK TPaletteTab::TypeTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (gTypeTimerTab) gTypeTimerTab->TypeTimerTimer();
}

void TPaletteTab::StepOnce() {
  if (model_.currentModel == pmCMYK) return;
  const int component = (typeTimerTag_ + 1) / 2;
  HWND edit = EditOf(component);
  const EditRange r = ComponentRange(model_.currentModel, component);
  const int value = ParseEditValue(ValueEditText(edit), r).value_or(model_.DisplayValue(component));
  SetValueEditText(edit, std::to_string(StepEditValue(value, r, typeTimerTag_ % 2 == 1)));
  EditsChanged();
}

void TPaletteTab::btnSubPalette1MouseDown(int component, TVMPictureButton& button) {
  TfrmColorPrev* slider = ValueSliderForm();
  if (!slider) return;
  const EditRange r = ComponentRange(model_.currentModel, component);
  const int range = r.hi - r.lo;
  for (int i = 0; i <= range; ++i) slider->SetStripRow(range, i, model_.StripColor(component, r.lo + i));
  slider->Popup(button, range, [this, component, lo = r.lo](TVMPictureButton*, int value) {
    StoreColor(model_.SetComponent(component, lo + value));
    main_.RefreshColors(0x37);
  }, model_.DisplayValue(component) - r.lo);
}

// --- settings ---

void TPaletteTab::LoadSettings(SettingsStore& store) { model_.Load(store); }

void TPaletteTab::SaveSettings(SettingsStore& store) { model_.Save(store); }

}  // namespace kolo::win
