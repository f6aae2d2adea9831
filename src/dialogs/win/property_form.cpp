#include "dialogs/win/property_form.h"

#include <commctrl.h>

#include <algorithm>

#include "art_ids.h"
#include "color/color_text.h"
#include "frame/settings.h"
#include "frame/win/clipboard_text.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_win.h"
#include "widgets/win/list_form.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/picture_controls.h"

namespace kolo::win {

namespace {

std::function<void(TfrmProperty&)>& ShownHook() {
  static std::function<void(TfrmProperty&)> hook;
  return hook;
}

constexpr TColor kReadOnlyText = 0xC0C0C0;
constexpr int kRowH = 16;
constexpr int kLabelX = 8, kFieldX = 140, kFieldW = 150;
constexpr int kDropW = 12;
// Rows of the body, which starts under the title strip.
constexpr int kRowFormat = 10, kRowClip = 30, kRowScreen = 50, kRowJpg = 70, kRowGif = 90, kRowUrl = 110;
constexpr int kChecksY = 138, kCheckPitch = 18, kCheckCol2 = 162;
constexpr int kButtonsY = 214;

enum DigitEditId : UINT_PTR { kEditClip = 1, kEditScreen, kEditJpg };

std::vector<std::string> Strings(auto&& views) {
  std::vector<std::string> out;
  for (std::string_view v : views) out.emplace_back(v);
  return out;
}

std::vector<std::string> FormatNames() {
  std::vector<std::string> out;
  for (int f = 0; f < kColorTextFormatCount; ++f) out.emplace_back(ColorFormatCaption(f));
  return out;
}

}  // namespace

// --- TChoiceBox ---

void TChoiceBox::Create(Widget& parent, TVMGIFImageList& images, HFONT font, int x, int y, int width,
                        const wchar_t* name) {
  frame.SetColor(clFrame);
  frame.Create(parent, x, y, width, kRowH);
  ::SetWindowTextW(frame.Handle(), name);
  box.SetColor(clWhite);
  box.Create(frame, 1, 1, width - 3 - kDropW, kRowH - 2);
  ::SetWindowTextW(box.Handle(), name);
  label.SetFont(font);
  label.SetFontColor(clFrame);
  label.Create(box, 3, 0, width - 10 - kDropW, kRowH - 2);
  ::SetWindowTextW(label.Handle(), name);
  // Opened on the click: under Wine the release of a press that opened it took the activation back.
  label.OnClick = [this](Widget&) { Drop(); };
  button.SetImageList(&images);
  button.SetImages(art::kDlgImgDropNormal, art::kDlgImgDropHover, art::kDlgImgDropDown);
  button.Create(frame, width - 1 - kDropW, 1, kDropW, kRowH - 2);
  ::SetWindowTextW(button.Handle(), (L"choose " + std::wstring(name)).c_str());
  button.OnClick = [this](Widget&) { Drop(); };
}

void TChoiceBox::SetIndex(int index) {
  if (texts_.empty()) return;
  index_ = std::clamp(index, 0, static_cast<int>(texts_.size()) - 1);
  label.SetCaption(texts_[static_cast<size_t>(index_)]);
}

void TChoiceBox::Drop() {
  TfrmList* list = ListForm();
  if (!list || texts_.empty()) return;
  list->Popup(frame.Handle(), 0, 0, 0, [this](int index, HWND) {
    SetIndex(index);
    if (OnChoose) OnChoose(index_);
  }, label.Caption(), texts_);
}

// --- TDigitEdit ---

void TDigitEdit::Create(Widget& parent, int x, int y, int width, int digits, const wchar_t* name) {
  panel.SetBorderSize(1);
  panel.SetBorderColor(clFrame);
  panel.SetColor(clWhite);
  panel.Create(parent, x, y, width, kRowH);
  edit = CreateSystemControl(L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 2, 1, width - 4, kRowH - 2,
                             panel.Handle(), nullptr, DefaultWidgetFont());
  ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(digits), 0);
  ::SetWindowTextW(panel.Handle(), name);
  panel.edit = edit;
}

void TDigitEdit::SetText(const std::string& text) {
  if (WindowText(edit) == text) return;
  ::SetWindowTextW(edit, Widen(text).c_str());
  const auto end = static_cast<WPARAM>(text.size());
  ::SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void TDigitEdit::SetReadOnly(bool readOnly) {
  ::SendMessageW(edit, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  panel.editTextColor = readOnly ? kReadOnlyText : clFrame;
  ::InvalidateRect(edit, nullptr, TRUE);
}

// --- TfrmProperty ---

void TfrmProperty::SetShownHook(std::function<void(TfrmProperty&)> hook) { ShownHook() = std::move(hook); }

TfrmProperty::TfrmProperty() : TDialogForm(SecondaryForm::Property, L"TfrmProperty", L"Options") {
  isAutorun = [] { return IsAutorun(L"kolo"); };
  setAutorun = [](bool on) { SetAutorun(L"kolo", on, L"/m"); };
}

TfrmProperty::~TfrmProperty() = default;

bool TfrmProperty::Create(HWND owner) {
  if (!CreateForm(owner, kWidth, kHeight)) return false;
  images_.LoadFromResource(KOLO_RES_IMAGES_DIALOG);
  BuildControls();
  return true;
}

TVMLabel& TfrmProperty::MakeLabel(int x, int y, int width, const char* caption) {
  auto label = std::make_unique<TVMLabel>();
  label->SetCaption(caption);
  label->SetFont(TextFont());
  label->SetFontColor(clFrame);
  label->Create(body, x, y + 1, std::max(width, static_cast<int>(label->TextSize().cx) + 4), kRowH - 2);
  ::SetWindowTextW(label->Handle(), Widen(caption).c_str());
  labels_.push_back(std::move(label));
  return *labels_.back();
}

void TfrmProperty::MakeCheckbox(TVMImageCheckbox& box, TVMLabel& label, int x, int y, const char* caption) {
  using namespace art;
  TVMCheckboxListID ids;
  ids.CheckedSelected = kDlgImgCheckCheckedFocus;
  ids.UnCheckedNotSelected = kDlgImgCheckUnchecked;
  ids.UnCheckedSelected = kDlgImgCheckUncheckedFocus;
  ids.CheckedNotSelected = kDlgImgCheckChecked;
  ids.DisableUnChecked = kDlgImgCheckDisabledUnchecked;
  ids.DisableChecked = kDlgImgCheckDisabledChecked;
  ids.UnCheckedMove = kDlgImgCheckUncheckedHover;
  ids.CheckedMove = kDlgImgCheckCheckedHover;
  box.SetImageList(&images_);
  box.SetImageListID(ids);
  box.Create(body, x, y + 2, 11, 11);
  ::SetWindowTextW(box.Handle(), Widen(caption).c_str());
  label.SetCaption(caption);
  label.SetFont(TextFont());
  label.SetFontColor(clFrame);
  label.Create(body, x + 15, y, label.TextSize().cx + 4, kRowH - 1);
  ::SetWindowTextW(label.Handle(), Widen(caption).c_str());
  box.SetCheckLabel(&label);
}

void TfrmProperty::BuildControls() {
  using namespace art;
  body.SetColor(clSkyBlue);
  body.SetBorderColor(clFrame);
  body.SetBorderSize(TVMNotRefreshPanel::Borders{1, 0, 1, 1});
  body.Create(Handle(), 0, kTitleHeight, kWidth, kHeight - kTitleHeight);
  ::SetWindowTextW(body.Handle(), L"options");

  MakeLabel(kLabelX, kRowFormat, 120, "color format:");
  cbColorFormat.SetTexts(FormatNames());
  cbColorFormat.Create(body, images_, TextFont(), kFieldX, kRowFormat, kFieldW, L"color format");

  auto countRow = [this](TDigitEdit& edit, TVMImageCheckbox& box, TVMLabel& boxLabel, int y, const char* caption,
                         const wchar_t* name, UINT_PTR id) {
    MakeLabel(kLabelX, y, 120, caption);
    edit.Create(body, kFieldX, y, 34, kCountEditDigits, name);
    ::SetWindowSubclass(edit.edit, DigitEditProc, id, reinterpret_cast<DWORD_PTR>(this));
    edit.panel.onEditKillFocus = [this, &edit] { NormaliseCount(edit); };
    MakeCheckbox(box, boxLabel, kFieldX + 42, y, "without limit");
    box.OnChange = [this, &edit](TVMImageCheckbox& b) { ApplyWithoutLimit(edit, b.Checked()); };
  };
  countRow(edClipImages, chkClipUnlimited, checkLabels_[0], kRowClip, "max clipboart images:", L"max clipboard images",
           kEditClip);
  countRow(edScreenImages, chkScreenUnlimited, checkLabels_[1], kRowScreen, "max screen images:", L"max screen images",
           kEditScreen);

  MakeLabel(kLabelX, kRowJpg, 120, "JPG save quality:");
  edJpgQuality.Create(body, kFieldX, kRowJpg, 26, kQualityEditDigits, L"JPG save quality");
  ::SetWindowSubclass(edJpgQuality.edit, DigitEditProc, kEditJpg, reinterpret_cast<DWORD_PTR>(this));
  cbJpgQuality.SetTexts(Strings(kJpgQualityNames));
  cbJpgQuality.Create(body, images_, TextFont(), kFieldX + 32, kRowJpg, kFieldW - 32, L"JPG quality name");
  cbJpgQuality.OnChoose = [this](int index) { edJpgQuality.SetText(std::to_string(JpgQualityForChoice(index))); };

  MakeLabel(kLabelX, kRowGif, 120, "GIF save palette:");
  cbGifPalette.SetTexts(Strings(kGifPaletteNames));
  cbGifPalette.Create(body, images_, TextFont(), kFieldX, kRowGif, kFieldW, L"GIF save palette");

  MakeLabel(kLabelX, kRowUrl, 0, "upload URL:");
  panUploadURL.SetBorderSize(1);
  panUploadURL.SetBorderColor(clFrame);
  panUploadURL.SetColor(clWhite);
  const int urlX = kLabelX + labels_.back()->Width() + 2;
  panUploadURL.Create(body, urlX, kRowUrl, kFieldX + kFieldW - urlX, kRowH);
  ::SetWindowTextW(panUploadURL.Handle(), L"upload URL");
  edUploadURL = CreateSystemControl(L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 2, 1,
                                    panUploadURL.Width() - 4, kRowH - 2, panUploadURL.Handle(), nullptr,
                                    DefaultWidgetFont());
  ::SendMessageW(edUploadURL, EM_LIMITTEXT, 2048, 0);
  panUploadURL.edit = edUploadURL;

  struct CheckSpec {
    TVMImageCheckbox& box;
    const char* caption;
  };
  const CheckSpec column1[] = {{chkClipboardHook, "clipboard hook"},
                               {chkRunOnStartup, "run on startup windows"},
                               {chkViewColorHint, "show color hints"},
                               {chkViewHint, "show hints"}};
  const CheckSpec column2[] = {{chkConfirmDelete, "confirm delete"},
                               {chkConfirmChange, "confirm change size"},
                               {chkConfirmCrop, "confirm crop"},
                               {chkConfirmClose, "confirm close"}};
  size_t label = 2;
  for (int row = 0; row < 4; ++row) {
    MakeCheckbox(column1[row].box, checkLabels_[label++], kLabelX, kChecksY + row * kCheckPitch, column1[row].caption);
    MakeCheckbox(column2[row].box, checkLabels_[label++], kCheckCol2, kChecksY + row * kCheckPitch,
                 column2[row].caption);
  }

  auto dialogButton = [this](TVMPictureButton& b, int first, int x, const wchar_t* name) {
    b.SetImageList(&images_);
    b.SetImages(first, first + 1, first + 2);
    b.Create(body, x, kButtonsY, 64, 20);
    ::SetWindowTextW(b.Handle(), name);
  };
  dialogButton(btnOK, kDlgImgOkNormal, kWidth - 8 - 64 - 6 - 64, L"OK");
  btnOK.OnClick = [this](Widget&) { btnOKClick(); };
  dialogButton(btnCancel, kDlgImgCancelNormal, kWidth - 8 - 64, L"Cancel");
  btnCancel.OnClick = [this](Widget&) { btnCancelClick(); };

  // The title strip's buttons come last in the Tab order.
  auto titleButton = [this](TVMPictureButton& b, int first, int x, const wchar_t* name) {
    b.SetColor(clFrame);
    b.SetImageList(&images_);
    b.SetImages(first, first + 1, first + 2);
    b.Create(Handle(), x, 3, 9, 10);
    ::SetWindowTextW(b.Handle(), name);
  };
  titleButton(btnClose, kDlgImgCloseNormal, kWidth - 13, L"close");
  btnClose.OnClick = [this](Widget&) { btnCancelClick(); };
  titleButton(btnHelp, kDlgImgHelpNormal, kWidth - 25, L"help");
  btnHelp.OnClick = [this](Widget&) { btnHelpClick(); };
}

// The plain check boxes and the values they show.
std::array<std::pair<TVMImageCheckbox*, bool PropertyValues::*>, 10> TfrmProperty::Boxes() {
  return {{{&chkClipUnlimited, &PropertyValues::clipWithoutLimit},
           {&chkScreenUnlimited, &PropertyValues::screenWithoutLimit},
           {&chkClipboardHook, &PropertyValues::clipboardHook},
           {&chkRunOnStartup, &PropertyValues::runOnStartup},
           {&chkViewColorHint, &PropertyValues::viewColorHint},
           {&chkViewHint, &PropertyValues::viewHint},
           {&chkConfirmDelete, &PropertyValues::confirmDelete},
           {&chkConfirmChange, &PropertyValues::confirmChange},
           {&chkConfirmCrop, &PropertyValues::confirmCrop},
           {&chkConfirmClose, &PropertyValues::confirmClose}}};
}

void TfrmProperty::Fill(const PropertyValues& v) {
  cbColorFormat.SetIndex(v.colorFormat);
  edClipImages.SetText(v.clipCount);
  edScreenImages.SetText(v.screenCount);
  edJpgQuality.SetText(v.jpgQuality);
  cbJpgQuality.SetIndex(JpgQualityIndex(JpgQualityFromText(v.jpgQuality)));
  cbGifPalette.SetIndex(v.gifPalette);
  for (auto [box, field] : Boxes()) box->SetChecked(v.*field);
  ::SetWindowTextW(edUploadURL, Widen(v.uploadURL).c_str());
}

PropertyValues TfrmProperty::Values() {
  PropertyValues v;
  v.colorFormat = cbColorFormat.Index();
  v.clipCount = edClipImages.Text();
  v.screenCount = edScreenImages.Text();
  v.jpgQuality = edJpgQuality.Text();
  v.gifPalette = cbGifPalette.Index();
  for (auto [box, field] : Boxes()) v.*field = box->Checked();
  v.uploadURL = WindowText(edUploadURL);
  return v;
}

void TfrmProperty::ApplyWithoutLimit(TDigitEdit& edit, bool withoutLimit) { edit.SetReadOnly(withoutLimit); }

void TfrmProperty::NormaliseCount(TDigitEdit& edit) {
  edit.SetText(std::to_string(ImageCountSetting(edit.Text(), false)));
}

void TfrmProperty::JpgQualityKeyUp() {
  const int q = JpgQualityFromText(edJpgQuality.Text());
  edJpgQuality.SetText(std::to_string(q));
  cbJpgQuality.SetIndex(JpgQualityIndex(q));
}

void TfrmProperty::btnOKClick() {
  if (auto problem = CheckValues(Values())) {
    ShowMessageBox(*problem, MessageKind::Warning, kMbOk);
    if (Running()) {
      ::SetFocus(edUploadURL);
      ::SendMessageW(edUploadURL, EM_SETSEL, 0, -1);
    }
    return;
  }
  // What will be stored is what the dialog shows as it closes.
  NormaliseCount(edClipImages);
  NormaliseCount(edScreenImages);
  JpgQualityKeyUp();
  Finish(true);
}

void TfrmProperty::btnHelpClick() { OpenURL(std::string(kMakerSite) + "/kolo/?cl=en&m=manual&s=options"); }

bool TfrmProperty::Execute(TMainFrame& main) {
  if (!Handle() || Running()) return false;
  Fill(ValuesFromOptions(main.Options(), isAutorun && isAutorun()));
  const bool ok = RunModal(main.Handle(), main.Options().stayonTop, [this] {
    if (auto hook = ShownHook()) hook(*this);
  }, [this](const MSG& msg) {
    // Enter in an edit confirms, as in any dialog.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
    for (HWND edit : {edUploadURL, edClipImages.edit, edScreenImages.edit, edJpgQuality.edit}) {
      if (msg.hwnd != edit) continue;
      btnOKClick();
      return true;
    }
    return false;
  });
  if (!ok) return false;
  const PropertyValues values = Values();
  if (setAutorun) setAutorun(values.runOnStartup);
  ApplyValues(values, main.Options());
  return true;
}

LRESULT CALLBACK TfrmProperty::DigitEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self) {
  auto* form = reinterpret_cast<TfrmProperty*>(self);
  switch (m) {
    case WM_CHAR:
      if (!IsDigitEditChar(static_cast<unsigned>(w))) return 0;
      break;
    case WM_PASTE:
      // Typing takes digits only; so does pasting.
      if (auto text = ReadClipboardText()) {
        std::wstring digits;
        for (char c : *text)
          if (c >= '0' && c <= '9') digits += static_cast<wchar_t>(c);
        ::SendMessageW(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
      }
      return 0;
    case WM_KEYUP:
      if (id == kEditJpg) {
        LRESULT r = ::DefSubclassProc(h, m, w, l);
        form->JpgQualityKeyUp();
        return r;
      }
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(h, DigitEditProc, id);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(h, m, w, l);
}

}  // namespace kolo::win
