#include "app/win/color_area.h"
#include "frame/win/clipboard_text.h"

#include <commctrl.h>

#include "frame/hint_caption.h"
#include "platform/input.h"
#include "app/win/main_window.h"
#include "frame/win/system_win.h"
#include "color/color_text.h"
#include "palette/win/palette_strip.h"
#include "fonts/font_list_model.h"
#include "fonts/win/font_families.h"

namespace kolo::win {

namespace {

// Pictures of the main pack: normal, hover and down of each button.
constexpr int kImgSwap = 6;
constexpr int kImgDrop = 9;
constexpr int kImgCopy = 16;
constexpr int kImgCopyMarked = 261;
constexpr TColor clHarmonySlot = 0x8000BF;  // frames of the slots a wheel harmony fills

constexpr unsigned char kRefreshSelect = 0x77;
constexpr unsigned char kRefreshTyped = 0x73;
constexpr int kFontSlotTag = 3;  // the sample's frame acts like slot 3's frame

// The main window as the colour area's host.
class MainWindowHost : public ColorAreaHost {
 public:
  explicit MainWindowHost(TfrmMain& main) : main_(main) {}
  TKolOptions& Options() override { return main_.Options(); }
  int CurrentSlot() const override { return main_.currentSlot; }
  void SetCurrentSlot(int slot) override { main_.currentSlot = slot; }
  void RefreshColors(unsigned char flags) override { main_.RefreshColors(flags); }
  void StartColorDrag(TColor c) override { main_.BeginColorDrag(c); }
  TColor DraggedColor() const override { return main_.DraggedColor(); }
  bool ColorDragging() const override { return main_.colorDragging; }
  void SetColorDragging(bool on) override { main_.colorDragging = on; }
  LPARAM DragSource() const override { return reinterpret_cast<LPARAM>(main_.Handle()); }
  TVMGIFImageList* MainImages() override { return main_.mainImages.Count() > 0 ? &main_.mainImages : nullptr; }

 private:
  TfrmMain& main_;
};

HWND MakeEdit(HWND parent, const layout::Rect& r, DWORD style) {
  return CreateSystemControl(L"EDIT", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | style, 0, r.x, r.y, r.w, r.h, parent,
                             nullptr, DefaultWidgetFont());
}

void Place(Widget& w, HWND parent, const layout::Rect& r) { w.Create(parent, r.x, r.y, r.w, r.h); }

}  // namespace

// --- TFontSample ---

void TFontSample::SetSample(TColor background, TColor ink, HFONT font, std::wstring text) {
  background_ = background;
  ink_ = ink;
  sampleFont_.Reset(font);
  text_ = std::move(text);
  Invalidate();
}

int TFontSample::TextTop(HDC dc) const {
  SelectScope select(dc, sampleFont_ ? sampleFont_.Get() : Font());
  SIZE w{};
  ::GetTextExtentPoint32W(dc, L"W", 1, &w);
  return (Height() - w.cy) / 2;
}

void TFontSample::Paint(HDC dc, const IntRect& client) {
  FillSolid(dc, ToRect(client), ToColorRef(background_));
  const int top = TextTop(dc);
  SelectScope select(dc, sampleFont_ ? sampleFont_.Get() : Font());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(ink_));
  ::TextOutW(dc, 3, top, text_.c_str(), static_cast<int>(text_.size()));
}

// --- TColorArea ---

TColorArea::TColorArea(ColorAreaHost& host) : host_(host) {
  copyText = [](const std::string& text) { return CopyTextToClipboard(Widen(text)); };
  clipboardText = [] { return ReadClipboardText(); };
  onHelp = [] { OpenURL(std::string(kMakerSite) + "/kolo/?cl=en&m=manual"); };
  acEditText.OnExecute = [this] { acEditTextExecute(); };
  BuildMenus();
}

TColorArea::TColorArea(TfrmMain& main)
    : ownHost_(std::make_unique<MainWindowHost>(main)), host_(*ownHost_) {
  copyText = [](const std::string& text) { return CopyTextToClipboard(Widen(text)); };
  clipboardText = [] { return ReadClipboardText(); };
  onHelp = [] { OpenURL(std::string(kMakerSite) + "/kolo/?cl=en&m=manual"); };
  fontInstalled = [](const std::string& name) { return FontFamilyInstalled(name); };
  acEditText.OnExecute = [this] { acEditTextExecute(); };
  BuildMenus();
}

TColorArea::~TColorArea() = default;

void TColorArea::BuildMenus() {
  ColorPopupMenu.Add(clrMenuCopy, "Copy");
  ColorPopupMenu.Add(clrMenuPast, "Past");
  ColorPopupMenu.AddSeparator();
  ColorPopupMenu.Add(clrMenuOptions, "Options...");
  ColorPopupMenu.AddSeparator();
  ColorPopupMenu.Add(clrMenuHelp, "Help");
  ColorPopupMenu.Add(clrMenuAbout, "About...");
  ColorPopupMenu.OnPopup = [this] { UpdateColorMenu(); };
  ColorPopupMenu.OnCommand = [this](int id) { RunMenuCommand(id); };

  for (int f = 0; f < kColorTextFormatCount; ++f)
    ColorFormatPopupMenu.Add(fmtMenuFirst + f, std::string(ColorFormatCaption(f)), true);
  ColorFormatPopupMenu.OnPopup = [this] { UpdateFormatMenu(); };
  ColorFormatPopupMenu.OnCommand = [this](int id) { ChooseFormat(id - fmtMenuFirst); };

  TextPopupMenu.Add(txtMenuEditText, editTextCaption_);
  TextPopupMenu.AddSeparator();
  TextPopupMenu.Add(clrMenuOptions, "Options...");
  TextPopupMenu.AddSeparator();
  TextPopupMenu.Add(clrMenuHelp, "Help");
  TextPopupMenu.Add(clrMenuAbout, "About...");
  TextPopupMenu.OnPopup = [this] { TextPopupMenu.SetCaption(txtMenuEditText, editTextCaption_); };
  TextPopupMenu.OnCommand = [this](int id) { RunMenuCommand(id); };

  const char* visions[kColorVisionCount] = {"Normal vision", "Protanopia (red-blind)", "Deuteranopia (green-blind)",
                                            "Tritanopia (blue-blind)"};
  for (int v = 0; v < kColorVisionCount; ++v) PreviewPopupMenu.Add(visionMenuFirst + v, visions[v], true);
  PreviewPopupMenu.OnPopup = [this] {
    for (int v = 0; v < kColorVisionCount; ++v)
      PreviewPopupMenu.SetChecked(visionMenuFirst + v, v == static_cast<int>(previewVision_));
  };
  PreviewPopupMenu.OnCommand = [this](int id) { SetPreviewVision(static_cast<ColorVision>(id - visionMenuFirst)); };
}

void TColorArea::RunMenuCommand(int id) {
  switch (id) {
    case clrMenuCopy: CopyCurrentColor(); break;
    case clrMenuPast: PasteColor(); break;
    case txtMenuEditText: acEditText.Execute(); break;
    case clrMenuOptions: if (onOptions) onOptions(); break;
    case clrMenuHelp: if (onHelp) onHelp(); break;
    case clrMenuAbout: if (onAbout) onAbout(); break;
    default: break;
  }
}

bool TColorArea::Create(HWND parent) {
  if (TVMGIFImageList* shared = host_.MainImages())
    mainImages_ = shared;
  else
    ownImages_.LoadFromResource("KOLO_IMAGES_MAIN");
  PeviewImageList.LoadFromResource("KOLO_IMAGES_TEMPLATE");
  for (int i = 0; i < kSlotCount; ++i) CreateSlot(parent, i);

  TVMPictureButton* swaps[3] = {&VMPictureButton11, &VMPictureButton16, &VMPictureButton14};
  for (int pair = 0; pair < kSlotCount - 1; ++pair) {
    TVMPictureButton& b = *swaps[pair];
    b.SetImageList(mainImages_);
    b.SetImages(kImgSwap, kImgSwap + 1, kImgSwap + 2);
    b.SetHint("Sswap colors");
    b.OnClick = [this, pair](Widget&) { SwapClick(pair + 1); };
    Place(b, parent, layout::SwapButton(pair));
  }
  CreateFontSample(parent);
  CreatePreview(parent);
  // An unknown stored template number falls back to the first-start one.
  if (!PeviewImageList.Has(host_.Options().imgPreviewId)) host_.Options().imgPreviewId = kDefaultPreviewId;
  PreviewImg.SetImageListID(host_.Options().imgPreviewId);
  for (int i = 0; i < kSlotCount; ++i) ApplySlotLook(i);
  return true;
}

void TColorArea::CreateSlot(HWND parent, int index) {
  Slot& s = slots_[static_cast<size_t>(index)];
  s.pnlColor.SetBorderSize(1);
  Place(s.pnlColor, parent, layout::SlotFrame(index));
  s.pnlColor.OnMouseDown = [this, index](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) SelectSlot(index);
  };

  s.color.SetBorderSize(1);
  s.color.SetBorderColor(clFrame);
  s.color.SetColor(ColorSlot(host_.Options(), index) & 0xFFFFFF);
  s.color.SetHint(ColorHint(ColorSlot(host_.Options(), index)) + " " + SlotContrastHint(index, SlotColors(host_.Options())));
  Place(s.color, s.pnlColor.Handle(), layout::kSlotSwatch);
  s.color.SetDragHost(&host_);
  s.color.OnColorClick = [this, index](Widget&) { SelectSlot(index); };
  // A right press selects the slot before the menu opens, so the menu acts on it.
  s.color.OnMouseDown = [this, index](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) SelectSlot(index);
  };
  s.color.OnMouseUp = [this, index](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) PopupAt(ColorPopupMenu, slots_[static_cast<size_t>(index)].color);
  };
  s.color.OnColorDrop = [this, index](TColorCell&, TColor) { SwatchDrop(index); };

  s.panEditCol.SetBorderSize(1);
  s.panEditCol.SetBorderColor(clFrame);
  s.panEditCol.SetColor(clWhite);
  Place(s.panEditCol, s.pnlColor.Handle(), layout::kSlotEditPanel);
  s.panEditCol.OnMouseDown = [this, index](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) SelectSlot(index);
  };
  s.edColor = MakeEdit(s.panEditCol.Handle(), layout::kSlotEdit, WS_VISIBLE | ES_UPPERCASE);
  s.panEditCol.edit = s.edColor;
  ::SendMessageW(s.edColor, EM_LIMITTEXT, 6, 0);
  ::SetWindowSubclass(s.edColor, SlotEditProc, static_cast<UINT_PTR>(index), reinterpret_cast<DWORD_PTR>(this));
  SetEditText(index, SlotText(ColorSlot(host_.Options(), index)));

  s.btnCopyColor.SetImageList(mainImages_);
  s.btnCopyColor.SetImages(kImgCopy, kImgCopy + 1, kImgCopy + 2);
  s.btnCopyColor.SetHint("Scopy color");
  s.btnCopyColor.OnClick = [this, index](Widget&) { CopyColorClick(index); };
  s.btnCopyColor.OnMouseUp = [this, index](Widget& w, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) PopupAt(ColorFormatPopupMenu, w);
  };
  Place(s.btnCopyColor, s.pnlColor.Handle(), layout::kSlotCopyButton);
}

void TColorArea::CreateFontSample(HWND parent) {
  panFontText.SetBorderSize(1);
  panFontText.SetBorderColor(clFrame);
  panFontText.editColor = clWhite;
  Place(panFontText, parent, layout::kFontFrame);
  auto press = [this](Widget& w, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) SelectSlot(kFontSlotTag - 1);
    else if (b == MouseButton::Left && &w != &panFontText) FontSamplePressed();
  };
  auto release = [this](Widget& w, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) PopupAt(TextPopupMenu, w);
  };
  panFontText.OnMouseDown = press;
  panFontText.OnMouseUp = release;
  fonPreview.OnMouseDown = press;
  fonPreview.OnMouseUp = release;
  Place(fonPreview, panFontText.Handle(), layout::kFontSample);

  edFontText_ = MakeEdit(panFontText.Handle(), layout::kFontTextEdit, 0);
  panFontText.edit = edFontText_;
  panFontText.onEditKillFocus = [this] { CloseTextEdit(); };
  ::SetWindowSubclass(edFontText_, TextEditProc, 1, reinterpret_cast<DWORD_PTR>(this));

  VMPictureButton5.SetImageList(mainImages_);
  VMPictureButton5.SetImages(kImgDrop, kImgDrop + 1, kImgDrop + 2);
  VMPictureButton5.OnMouseDown = [this](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Left) FontSamplePressed();
  };
  Place(VMPictureButton5, parent, layout::kFontButton);
}

void TColorArea::CreatePreview(HWND parent) {
  previewPanel.SetBorderSize(TVMNotRefreshPanel::Borders{1, 1, 1, 0});
  previewPanel.SetBorderColor(clFrame);
  Place(previewPanel, parent, layout::kPreviewPanel);
  PreviewImg.SetImageList(&PeviewImageList);
  PreviewImg.OnMouseDown = [this](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Left) PreviewPressed();
  };
  PreviewImg.OnMouseUp = [this](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Right) PopupAt(PreviewPopupMenu, PreviewImg);
  };
  Place(PreviewImg, previewPanel.Handle(), layout::kPreviewImage);

  VMPictureButton4.SetImageList(mainImages_);
  VMPictureButton4.SetImages(kImgDrop, kImgDrop + 1, kImgDrop + 2);
  VMPictureButton4.OnMouseDown = [this](Widget&, MouseButton b, unsigned, int, int) {
    if (b == MouseButton::Left) PreviewPressed();
  };
  Place(VMPictureButton4, parent, layout::kPreviewButton);
}

void TColorArea::PopupAt(TPopupMenu& menu, Widget& owner) {
  POINT p;
  ::GetCursorPos(&p);
  menu.Popup(::GetAncestor(owner.Handle(), GA_ROOT), p.x, p.y);
}

// --- refresh ---

void TColorArea::RefreshSlots(bool rewriteEdit) {
  const int current = host_.CurrentSlot();
  const std::array<TColor, kSlotCount> colours = SlotColors(host_.Options());
  for (int i = 0; i < kSlotCount; ++i) {
    Slot& s = slots_[static_cast<size_t>(i)];
    const TColor c = ColorSlot(host_.Options(), i);
    s.color.SetColor(c & 0xFFFFFF);
    s.color.SetHint(ColorHint(c) + " " + SlotContrastHint(i, colours));
    s.color.Invalidate();
    if (i != current || rewriteEdit) SetEditText(i, SlotText(c));
  }
  for (int i = 0; i < kSlotCount; ++i) ApplySlotLook(i);
}

void TColorArea::ApplySlotLook(int slot) {
  Slot& s = slots_[static_cast<size_t>(slot)];
  const SlotLook look = SlotLookFor(slot == host_.CurrentSlot());
  s.pnlColor.SetColor(look.frame);
  s.pnlColor.SetBorderColor(look.border);
  s.btnCopyColor.SetColor(look.copyButton);
  s.pnlColor.Invalidate();
  s.btnCopyColor.Invalidate();
}

void TColorArea::SetEditText(int slot, const std::string& text) {
  HWND edit = slots_[static_cast<size_t>(slot)].edColor;
  if (!edit || WindowText(edit) == text) return;
  ::SetWindowTextW(edit, Widen(text).c_str());
}

void TColorArea::RefreshPictures() {
  RefreshFontSample();
  RefreshPreview();
}

void TColorArea::FontsChanged() {
  verifiedFontName_.clear();
  RefreshFontSample();
}

void TColorArea::RefreshFontSample() {
  TKolOptions& o = host_.Options();
  if (fontInstalled && o.fontName != verifiedFontName_) {
    o.fontName = ResolveFontName(o.fontName, fontInstalled);
    verifiedFontName_ = o.fontName;
  }
  LOGFONTW lf{};
  lf.lfHeight = o.fontSize;  // positive: the cell height
  lf.lfWeight = o.fontBold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = o.fontItalic ? TRUE : FALSE;
  lf.lfUnderline = o.fontUnderline ? TRUE : FALSE;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfQuality = PROOF_QUALITY;
  const std::wstring face = Widen(FontFaceName(o.fontName));
  for (size_t i = 0; i < face.size() && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  fonPreview.SetSample(o.color2 & 0xFFFFFF, o.color1 & 0xFFFFFF, ::CreateFontIndirectW(&lf),
                       Widen(FontSampleText(o)));
}

bool RecolorListTemplate(TVMGIFImageList& list, int index, const std::array<TColor, kSlotCount>& colours) {
  GifPicture* picture = list.Picture(index);
  std::vector<GifRgb>* table = picture ? picture->FirstColorTable() : nullptr;
  if (!table || !RecolorTemplate(*table, list.Tag(index), colours)) return false;
  list.PictureChanged(index);
  return true;
}

void TColorArea::RefreshPreview() {
  TKolOptions& o = host_.Options();
  const int id = o.imgPreviewId;
  if (!PeviewImageList.Has(id)) {
    // Out of the list: the preview stays as it is, and so does the number saved with it.
    o.imgPreviewId = PreviewImg.ImageListID();
    return;
  }
  std::array<TColor, kSlotCount> colours = SlotColors(o);
  for (TColor& c : colours) c = SimulateColorVision(c, previewVision_);
  RecolorListTemplate(PeviewImageList, id, colours);
  if (PreviewImg.ImageListID() != id) PreviewImg.SetImageListID(id);
  PreviewImg.Invalidate();
}

void TColorArea::SetPreviewVision(ColorVision v) {
  if (static_cast<int>(v) < 0 || static_cast<int>(v) >= kColorVisionCount) return;
  previewVision_ = v;
  PreviewImg.SetHint(v == ColorVision::Normal ? std::string()
                                              : std::string("Slayout as seen with ") + ColorVisionName(v));
  RefreshPreview();
}

bool TColorArea::SetPreviewId(int index) {
  if (!PeviewImageList.Has(index)) return false;
  host_.Options().imgPreviewId = index;
  RefreshPreview();
  return true;
}

// --- slots ---

void TColorArea::SelectSlot(int slot) {
  if (slot < 0 || slot >= kSlotCount) return;
  host_.SetCurrentSlot(slot);
  host_.RefreshColors(kRefreshSelect);
}

TColor TColorArea::ReadEdit(int slot) const { return ReadSlotText(WindowText(slots_[static_cast<size_t>(slot)].edColor)); }

void TColorArea::EditKeyReleased(int slot) {
  const TColor c = ReadEdit(slot);
  ColorSlot(host_.Options(), slot) = c;
  slots_[static_cast<size_t>(slot)].color.SetColor(c);
  host_.RefreshColors(kRefreshTyped);
}

void TColorArea::CopyColorClick(int slot) {
  if (copyText) copyText(FormatColor(ReadEdit(slot), host_.Options().ColorFormat));
}

void TColorArea::SwapClick(int tag) {
  host_.SetCurrentSlot(SwapSlots(host_.Options(), host_.CurrentSlot(), tag));
  host_.RefreshColors(0x37);
}

void TColorArea::SetSlotMarked(int slot, bool marked) {
  if (slot < 0 || slot >= kSlotCount || marked_[static_cast<size_t>(slot)] == marked) return;
  marked_[static_cast<size_t>(slot)] = marked;
  Slot& s = slots_[static_cast<size_t>(slot)];
  const int first = marked ? kImgCopyMarked : kImgCopy;
  s.btnCopyColor.SetImages(first, first + 1, first + 2);
  const TColor border = marked ? clHarmonySlot : clFrame;
  s.panEditCol.SetBorderColor(border);
  s.color.SetBorderColor(border);
  s.panEditCol.Invalidate();
  s.color.Invalidate();
}

void TColorArea::UpdateColorMenu() {
  bool parses = false;
  if (clipboardText) {
    if (auto text = clipboardText()) parses = ParseColor(*text, host_.Options().ColorFormat).has_value();
  }
  ColorPopupMenu.SetEnabled(clrMenuPast, parses);
}

void TColorArea::CopyCurrentColor() { CopyColorClick(host_.CurrentSlot()); }

bool TColorArea::PasteColor() {
  if (!clipboardText) return false;
  auto text = clipboardText();
  if (!text) return false;
  auto c = ParseColor(*text, host_.Options().ColorFormat);
  if (!c) return false;
  ColorSlot(host_.Options(), host_.CurrentSlot()) = *c;
  host_.RefreshColors(kRefreshSelect);
  return true;
}

void TColorArea::UpdateFormatMenu() {
  for (int f = 0; f < kColorTextFormatCount; ++f)
    ColorFormatPopupMenu.SetChecked(fmtMenuFirst + f, f == host_.Options().ColorFormat);
}

void TColorArea::ChooseFormat(int format) {
  if (format < 0 || format >= kColorTextFormatCount) return;
  host_.Options().ColorFormat = static_cast<std::uint8_t>(format);
}

// --- colours dropped on the swatches ---

void TColorArea::SwatchDrop(int slot) {
  const TColor dragged = host_.DraggedColor();
  if (!CanDropOnSlot(dragged)) {
    // The transparent and empty markers are not colours: the slot keeps its own.
    slots_[static_cast<size_t>(slot)].color.SetColor(ColorSlot(host_.Options(), slot) & 0xFFFFFF);
    return;
  }
  ColorSlot(host_.Options(), slot) = dragged;
  host_.RefreshColors(DropRefreshFlags(slot, host_.CurrentSlot()));
}

// --- the font sample's text ---

void TColorArea::acEditTextExecute() {
  if (textEditOpen_) {
    CloseTextEdit();
    return;
  }
  textEditOpen_ = true;
  ::SetWindowTextW(edFontText_, Widen(host_.Options().fontText).c_str());
  ::SetWindowPos(edFontText_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetFocus(edFontText_);
  ::SendMessageW(edFontText_, EM_SETSEL, 0, -1);
  editTextCaption_ = "Set text";
}

void TColorArea::CloseTextEdit() {
  if (!textEditOpen_) return;
  textEditOpen_ = false;  // first: hiding the edit moves the focus and comes back here
  editTextCaption_ = "Change text";
  host_.Options().fontText = WindowText(edFontText_);
  ::ShowWindow(edFontText_, SW_HIDE);
  RefreshFontSample();
}

void TColorArea::FontSamplePressed() {
  CloseTextEdit();
  if (fontBrowserShowing && fontBrowserShowing()) return;
  if (showFontBrowser) showFontBrowser();
}

void TColorArea::PreviewPressed() {
  CloseTextEdit();
  if (layoutPickerJustShown && layoutPickerJustShown()) return;
  if (showLayoutPicker) showLayoutPicker();
}

// --- the edits ---

LRESULT CALLBACK TColorArea::SlotEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self) {
  auto* area = reinterpret_cast<TColorArea*>(self);
  const int slot = static_cast<int>(id);
  switch (m) {
    case WM_CHAR:
      if (!IsSlotEditChar(static_cast<unsigned>(w))) return 0;
      break;
    case WM_KEYUP: {
      LRESULT r = ::DefSubclassProc(h, m, w, l);
      area->EditKeyReleased(slot);
      return r;
    }
    case WM_LBUTTONDOWN:
      if (slot != area->host_.CurrentSlot()) area->SelectSlot(slot);
      break;
    case WM_RBUTTONDOWN:
      area->SelectSlot(slot);
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(h, SlotEditProc, id);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(h, m, w, l);
}

LRESULT CALLBACK TColorArea::TextEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self) {
  auto* area = reinterpret_cast<TColorArea*>(self);
  switch (m) {
    case WM_KEYDOWN:
      if (w == VK_RETURN) {
        area->CloseTextEdit();
        return 0;
      }
      break;
    case WM_CHAR:
      if (w == '\r') return 0;  // no beep
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(h, TextEditProc, id);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(h, m, w, l);
}

}  // namespace kolo::win
