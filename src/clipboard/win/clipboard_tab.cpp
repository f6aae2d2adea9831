#include "clipboard/win/clipboard_tab.h"

#include "frame/win/picture_dialog.h"

#include <gdiplus.h>
#include <commdlg.h>

#include "art_ids.h"
#include "clipboard/clipboard_colors.h"
#include "color/color_text.h"
#include "frame/win/clipboard_text.h"
#include "frame/win/image_panel.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_win.h"
#include "platform/win/gdiplus_session.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/picture_controls.h"

namespace kolo::win {

namespace {

constexpr UINT kMsgPicturesWritten = WM_APP + 0x19;
constexpr UINT_PTR kRetryTimer = 1;
constexpr int kScrollerWidth = 9;
constexpr int kColumnBarHeight = 16;
constexpr std::size_t kMaxColorFileBytes = 1024 * 1024;

void SetupScroller(TVMScrollImage& s, TVMGIFImageList& images, HWND focus) {
  s.SetImageList(&images);
  s.ImageUp = ScrollPartStates(art::kScrollImgArrowUpNormal);
  s.ImageDown = ScrollPartStates(art::kScrollImgArrowDownNormal);
  s.ImageScroll = ScrollPartStates(art::kScrollImgThumbVerticalNormal);
  s.CentralImageID = art::kScrollImgGripVertical;
  s.SetKing(TScrollKing::Vertical);
  s.FocusControl = focus;
}

}  // namespace

bool TClipboardTab::Mailbox::Make() {
  RegisterClassOnce(L"KoloClipboardMailbox", 0);
  return CreateWin(L"KoloClipboardMailbox", L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE) != nullptr;
}

LRESULT TClipboardTab::Mailbox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kMsgPicturesWritten) {
    tab_.TakeWrittenPictures();
    return 0;
  }
  if (msg == WM_TIMER && wp == kRetryTimer) {
    ::KillTimer(Handle(), kRetryTimer);
    tab_.TryCapture();
    return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

TClipboardTab::TClipboardTab(TMainFrame& main, std::unique_ptr<PictureList> pictures, PictureFiles files)
    : TBaseTab(main), pictures_(std::move(pictures)), files_(std::move(files)), folder_(ClipboardFolder()) {
  mailbox_.Make();
  HWND box = mailbox_.Handle();
  writer_ = std::make_unique<PictureWriter>(folder_, files_, [box] { ::PostMessageW(box, kMsgPicturesWritten, 0, 0); });
}

TClipboardTab::~TClipboardTab() {
  writer_.reset();  // writes what is still queued
  mailbox_.Destroy();
}

// --- controls ---

void TClipboardTab::BuildControls() {
  if (built_ || !main_.pages.clipboardTab.Handle() || !main_.pages.clipboardImages.Handle()) return;
  built_ = true;

  // The colour history fills the right-hand page, its slider beside it.
  Widget& right = main_.pages.clipboardTab;
  const int listW = right.Width() - kScrollerWidth - 1;
  ClipboardColorList.SetImageList(&main_.mainImages);
  ClipboardColorList.ImageListID.Normal = art::kImgCopyNormal;
  ClipboardColorList.ImageListID.Move = art::kImgCopyNormal + 1;
  ClipboardColorList.ImageListID.Down = art::kImgCopyNormal + 2;
  ClipboardColorList.SelectColor = 0xF7E8D9;
  ClipboardColorList.Create(right, 0, 0, listW, right.Height());
  ::SetWindowTextW(ClipboardColorList.Handle(), L"clipboard colors");
  SetupScroller(colorScroller, main_.scrollImages, ClipboardColorList.Handle());
  colorScroller.Create(right, listW + 1, 0, kScrollerWidth, right.Height());
  ::SetWindowTextW(colorScroller.Handle(), L"clipboard colors scroll bar");
  ClipboardColorList.SetVerticalScroller(&colorScroller);
  ClipboardColorList.StartColorDrag = [this](TColor c) { main_.BeginColorDrag(c); };
  ClipboardColorList.OnCopyColor = [this](TColor c) { CopyColor(c); };
  ClipboardColorList.OnChange = [this] { WriteColorFile(); };
  ClipboardColorList.OnSetFocus = [this](Widget&) {
    FocusOnImages = false;
    if (&main_.CurrentTabObject() == this) Activate();
  };
  ClipboardColorList.DefaultPopup = &ClipColorPopupMenu;
  ClipColorPopupMenu.Add(ccMoveTop, "Move to top");
  ClipColorPopupMenu.Add(ccCopy, "Copy");
  ClipColorPopupMenu.Add(ccDelete, "Delete");
  ClipColorPopupMenu.AddSeparator();
  ClipColorPopupMenu.Add(ccDeleteAll, "Delete all");
  ClipColorPopupMenu.OnPopup = [this] {
    const bool selected = ClipboardColorList.ItemIndex() >= 0;
    ClipColorPopupMenu.SetEnabled(ccMoveTop, selected);
    ClipColorPopupMenu.SetEnabled(ccCopy, selected);
    ClipColorPopupMenu.SetEnabled(ccDelete, selected);
    ClipColorPopupMenu.SetEnabled(ccDeleteAll, ClipboardColorList.Count() > 0);
  };
  ClipColorPopupMenu.OnCommand = [this](int id) { ColorCommand(id); };

  // The pictures: the column buttons above, the list and its slider below.
  Widget& page = main_.pages.clipboardImages;
  TVMPictureButton* columns[] = {&btnClipColumn1, &btnClipColumn2, &btnClipColumn3};
  const int firsts[] = {art::kImgColumns1Normal, art::kImgColumns2Normal, art::kImgColumns3Normal};
  const char* hints[] = {"S1 Column", "S2 Columns", "S3 Columns"};
  const wchar_t* names[] = {L"1 column", L"2 columns", L"3 columns"};
  for (int i = 0; i < 3; ++i) {
    PlacePictureButton(*columns[i], main_.mainImages, page, firsts[i], page.Width() - 3 * 17 + i * 17, 1, hints[i],
                       names[i]);
    columns[i]->OnClick = [this, i](Widget&) { SetColumn(i + 1); };
  }
  const int picturesW = page.Width() - kScrollerWidth - 1;
  const int picturesH = page.Height() - kColumnBarHeight;
  Widget& list = pictures_->Control();
  list.SetHint("Sclipboard images");
  list.Create(page, 0, kColumnBarHeight, picturesW, picturesH);
  ::SetWindowTextW(list.Handle(), L"clipboard images");
  SetupScroller(pictureScroller, main_.scrollImages, list.Handle());
  pictureScroller.Create(page, picturesW + 1, kColumnBarHeight, kScrollerWidth, picturesH);
  ::SetWindowTextW(pictureScroller.Handle(), L"clipboard images scroll bar");
  pictures_->Setup(folder_, column_, &pictureScroller);
  pictures_->onSelect = [this] { UpdateImageControls(); };
  pictures_->onDblClick = [this] {
    if (pictures_->Selected()) ViewImage();
  };
  pictures_->onDeletePress = [this] { main_.CurrentTabObject().DeleteImage(); };
  pictures_->onSetFocus = [this] {
    FocusOnImages = true;
    if (&main_.CurrentTabObject() == this) Activate();
  };
  pictures_->onPopup = [this](int x, int y) { ClipImagePopupMenu.Popup(pictures_->Control().Handle(), x, y); };
  ClipImagePopupMenu.Add(icMoveTop, "Move to top");
  ClipImagePopupMenu.AddSeparator();
  ClipImagePopupMenu.Add(icDeleteAll, "Delete all");
  ClipImagePopupMenu.OnPopup = [this] {
    ClipImagePopupMenu.SetEnabled(icMoveTop, pictures_->Selected().has_value());
    ClipImagePopupMenu.SetEnabled(icDeleteAll, pictures_->Count() > 0);
  };
  ClipImagePopupMenu.OnCommand = [this](int id) { ImageCommand(id); };
  pictures_->LoadFromFile(folder_ + L"list.bin");
}

void TClipboardTab::SetColumn(int column) {
  column_ = std::clamp(column, 1, 3);
  if (built_) pictures_->SetColumn(column_);
  UpdateImageControls();
}

void TClipboardTab::UpdateImageControls() {
  if (!built_) return;
  btnClipColumn1.SetEnabled(column_ != 1);
  btnClipColumn2.SetEnabled(column_ != 2);
  btnClipColumn3.SetEnabled(column_ != 3);
  // The shared picture tools belong to whichever tab shows them.
  if (&main_.CurrentTabObject() != this || !FocusOnImages) return;
  const auto item = pictures_->Selected();
  main_.acImageToWeb.SetHint(item && !item->url.empty() && !item->modified ? "Sview on site" : "Spublish on site");
  if (item)
    SetImageControls(true, item->url, item->height, item->width, item->transparent);
  else
    SetImageControls(false, "", 0, 0, -1);
}

// --- the tab frame ---

void TClipboardTab::Activate() {
  BuildControls();
  TVMNotRefreshPanel* bottom =
      FocusOnImages ? static_cast<TVMNotRefreshPanel*>(&main_.ImageBottomTab()) : &main_.PaletteBottomTab();
  main_.ShowPages(&main_.pages.clipboardImages, &main_.pages.clipboardTab, bottom);
  pictures_->SetDrawSelected(FocusOnImages);
  ClipboardColorList.SetDrawSelected(!FocusOnImages);
  UpdateImageControls();
}

void TClipboardTab::LoadSettings(SettingsStore& store) {
  column_ = std::clamp(store.ReadInteger("CLP_column").value_or(2), 1, 3);
  BuildControls();
  if (built_) pictures_->SetColumn(column_);
  LoadColorFile(&store);
  UpdateImageControls();
}

void TClipboardTab::SaveSettings(SettingsStore& store) {
  store.WriteInteger("CLP_column", column_);
  store.WriteInteger("CLP_countcol", ClipboardColorList.Count());
  if (ClipboardColorList.Count() == 0)
    store.DeleteValue("CLP_colors");
  else
    store.WriteBinary("CLP_colors", ClipboardColorList.GetColorBytes());
  if (built_) pictures_->SaveToFile(folder_ + L"list.bin");
  WriteColorFile();
}

// The colour file is written after every change, so a crash loses nothing;
// the settings keep the same entries for older copies of the program. The file
// wins when both exist: it is never older.
void TClipboardTab::LoadColorFile(SettingsStore* store) {
  if (files_.readWhole) {
    if (auto bytes = files_.readWhole(ColorFile(), kMaxColorFileBytes)) {
      ClipboardColorList.SetColors(ParseColorHistory(*bytes));
      return;
    }
  }
  if (!store) return;
  const int count = store->ReadInteger("CLP_countcol").value_or(0);
  const auto bytes = store->ReadBinary("CLP_colors").value_or(std::vector<std::uint8_t>{});
  ClipboardColorList.SetColorBytes(bytes, count);
}

void TClipboardTab::WriteColorFile() {
  if (files_.writeReplacing) files_.writeReplacing(ColorFile(), WriteColorHistory(ClipboardColorList.Colors()));
}

// --- capture ---

void TClipboardTab::CaptureClipboard() {
  if (SkipNextChange) {
    SkipNextChange = false;
    return;
  }
  // A newer change replaces one still waiting for the clipboard.
  ::KillTimer(mailbox_.Handle(), kRetryTimer);
  attemptsLeft_ = openAttempts;
  TryCapture();
}

void TClipboardTab::TryCapture() {
  BuildControls();
  ClipboardSnapshot snap = ReadClipboardForHistory(main_.Handle(), maxPicturePixels);
  using Kind = ClipboardSnapshot::Kind;
  switch (snap.kind) {
    case Kind::Busy:
      // Another program holds the clipboard open: a little later, a few times, then let it go.
      if (--attemptsLeft_ > 0) ::SetTimer(mailbox_.Handle(), kRetryTimer, openRetryMs, nullptr);
      break;
    case Kind::Picture:
      // GDI+ starts on this thread before the writer uses it.
      if (EnsureGdiplus()) writer_->Push(std::move(snap.picture));
      break;
    case Kind::TooSmall:
    case Kind::TooLarge:
      pictures_->ApplyLimit(main_.Options().maxClipImages);
      UpdateImageControls();
      break;
    case Kind::Text:
      if (auto c = ParseColor(snap.text, main_.Options().ColorFormat)) AddColor(*c);
      break;
    case Kind::Private:
    case Kind::Nothing:
      break;
  }
  SkipNextChange = false;
}

void TClipboardTab::TakeWrittenPictures() {
  for (const WrittenPicture& w : writer_->Take()) {
    if (w.fromClipboard && w.width > 0) {
      LastWidth = w.width;
      LastHeight = w.height;
      LastFileSize = w.fileSize;
    }
    if (w.fileName.empty()) continue;
    pictures_->Add(w.fileName, -1, "");
  }
  pictures_->ApplyLimit(main_.Options().maxClipImages);
  UpdateImageControls();
}

void TClipboardTab::AddColor(TColor c) { ClipboardColorList.AddColor(c); }

void TClipboardTab::CopyColor(TColor c) {
  // The history's own copy: it must not come back as a new entry.
  CopyTextToClipboard(Widen(FormatColor(c, main_.Options().ColorFormat)), true);
}

void TClipboardTab::ColorCommand(int command) {
  switch (command) {
    case ccMoveTop:
      ClipboardColorList.MoveSelectedToTop();
      break;
    case ccCopy:
      if (ClipboardColorList.ItemIndex() >= 0)
        CopyColor(ClipboardColorList.Colors()[static_cast<size_t>(ClipboardColorList.ItemIndex())]);
      break;
    case ccDelete:
      ClipboardColorList.DeleteSelected();
      break;
    case ccDeleteAll:
      if (ShowMessageBox("Are you sure you want to delete all colors?", MessageKind::Confirmation,
                         kMbYes | kMbNo | kMbCancel) == kMrYes)
        ClipboardColorList.Clear();
      break;
  }
}

void TClipboardTab::ImageCommand(int command) {
  if (command == icMoveTop) {
    pictures_->MoveSelectedToTop();
  } else if (command == icDeleteAll) {
    if (ShowMessageBox("Are you sure you want to delete all images?", MessageKind::Confirmation,
                       kMbYes | kMbNo | kMbCancel) != kMrYes)
      return;
    pictures_->Clear();
  }
  UpdateImageControls();
}

// --- the selected picture ---

std::wstring TClipboardTab::SelectedFile() const {
  const auto item = pictures_->Selected();
  return item ? folder_ + Widen(item->fileName) : std::wstring();
}

void TClipboardTab::PictureChanged() {
  const auto item = pictures_->Selected();
  if (!item) return;
  pictures_->RefreshSelectedThumbnail();
  pictures_->SetSelectedAttrs(item->transparent, true, item->url);
  UpdateImageControls();
}

void TClipboardTab::ViewImage() {
  if (!pictures_->Selected() || !operations.preview) return;
  const int shown = operations.preview(*pictures_, transparentColor);
  if (shown >= 0 && shown != pictures_->ItemIndex()) pictures_->Select(shown);
  UpdateImageControls();
}

void TClipboardTab::OpenImage() {
  const std::wstring file = AskOpenPictureFile(main_);
  if (file.empty()) return;
  std::unique_ptr<Gdiplus::Bitmap> image = files_.load ? files_.load(file) : nullptr;
  if (!image) {
    ShowMessageBox("Unable to load image.", MessageKind::Error, kMbOk);
    return;
  }
  PendingPicture p;
  p.image = std::move(image);
  p.fromClipboard = false;
  writer_->Push(std::move(p));
}

void TClipboardTab::DeleteImage() {
  if (!pictures_->Selected()) return;
  if (main_.Options().confirmDelete &&
      ShowMessageBox("Are you sure you want to delete this image?", MessageKind::Confirmation,
                     kMbYes | kMbNo | kMbCancel) != kMrYes)
    return;
  transparentColor = -1;
  pictures_->DeleteSelected();
  UpdateImageControls();
}

void TClipboardTab::ChangeImageSize(int width, int height) {
  const std::wstring file = SelectedFile();
  if (file.empty() || !operations.resize) return;
  if (main_.Options().confirmChange &&
      ShowMessageBox("Are you sure you want to reduce this image?", MessageKind::Confirmation,
                     kMbYes | kMbNo | kMbCancel) != kMrYes)
    return;
  if (operations.resize(file, width, height)) PictureChanged();
}

void TClipboardTab::RotateFlip(int code) {
  const std::wstring file = SelectedFile();
  if (!file.empty() && operations.rotateFlip && operations.rotateFlip(file, code)) PictureChanged();
}

void TClipboardTab::ClearTransparent() {
  TBaseTab::ClearTransparent();
  const auto item = pictures_->Selected();
  if (!item || item->transparent < 0) return;
  pictures_->SetSelectedAttrs(-1, true, item->url);
  pictures_->RefreshSelectedThumbnail();
  UpdateImageControls();
}

void TClipboardTab::PickFinished(bool cancelled) {
  const auto item = pictures_->Selected();
  if (!item) return;
  if (cancelled) {
    transparentColor = item->transparent;
    DrawTransparentIndicator();
    return;
  }
  pictures_->SetSelectedAttrs(transparentColor, true, item->url);
  pictures_->RefreshSelectedThumbnail();
  UpdateImageControls();
}

void TClipboardTab::SaveImage() {
  const std::wstring file = SelectedFile();
  if (!file.empty() && operations.save) operations.save(file, transparentColor);
}

void TClipboardTab::CopyImage() {
  const std::wstring file = SelectedFile();
  if (!file.empty() && operations.copy) operations.copy(file, transparentColor);
}

void TClipboardTab::PrintImage() {
  const std::wstring file = SelectedFile();
  if (!file.empty() && operations.print) operations.print(file, transparentColor);
}

void TClipboardTab::PublishOnSite() {
  if (Publisher* p = GetPublisher(); p && pictures_->Selected()) p->PublishOnSite(*this);
}

Gdiplus::Image* TClipboardTab::PublishImage() {
  const std::wstring file = SelectedFile();
  publishImage_ = file.empty() || !files_.load ? nullptr : files_.load(file);
  return publishImage_.get();
}

std::string TClipboardTab::SelectedItemUrl() {
  const auto item = pictures_->Selected();
  return item ? item->url : std::string();
}

bool TClipboardTab::SelectedItemModified() {
  const auto item = pictures_->Selected();
  return item && item->modified;
}

void TClipboardTab::SetSelectedItemUrl(const std::string& url) {
  const auto item = pictures_->Selected();
  if (!item) return;
  pictures_->SetSelectedAttrs(item->transparent, false, url);
  // The address is kept at once: a crash must not lose a published picture's link.
  pictures_->SaveToFile(folder_ + L"list.bin");
  UpdateImageControls();
}

// The same publisher as the screenshot tab's: it checks with the service
// before it shows an address and publishes again what changed.
void TClipboardTab::ImageToWeb() {
  if (Publisher* p = GetPublisher(); p && pictures_->Selected()) p->ImageToWeb(*this);
}

void TClipboardTab::ViewOnSite() {
  if (Publisher* p = GetPublisher(); p && pictures_->Selected()) p->ViewOnSite(*this);
}

}  // namespace kolo::win
