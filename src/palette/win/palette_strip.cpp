#include "palette/win/palette_strip.h"

#include "widgets/win/picture_controls.h"
#include "frame/win/clipboard_text.h"

#include <commdlg.h>

#include <filesystem>
#include <system_error>

#include "frame/main_layout.h"
#include "frame/settings.h"
#include "frame/win/main_frame.h"
#include "widgets/win/message_box_win.h"
#include "frame/win/system_win.h"
#include "color/color_text.h"
#include "palette/palette_file.h"

namespace kolo::win {

namespace {

// Sizes of the strip's panel and its parts, left to right.
constexpr int kListWidth = 324;
constexpr int kSliderWidth = 9;
constexpr int kButtonColumn = 26;
constexpr int kStripHeight = 42;
constexpr int kButtonWidth = 24, kButtonHeight = 13;

// Pictures of the main pack: the two cell images and the three buttons
// (normal, hover, down, disabled each).
constexpr int kImgEmptyCell = 243;
constexpr int kImgTransparentCell = 244;
constexpr int kImgNewPalette = 312;
constexpr int kImgOpenPalette = 316;
constexpr int kImgSavePalette = 320;

std::string HtmlSiteLink() { return std::string(kMakerSite) + "/kolo/"; }

}  // namespace

std::wstring DialogFilter(const std::string& filter) {
  std::wstring out = Widen(filter);
  for (wchar_t& c : out)
    if (c == L'|') c = L'\0';
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

std::optional<FileDialogAnswer> ShowCommonFileDialog(HWND owner, const FileDialogRequest& request) {
  std::wstring buffer(4096, L'\0');
  const std::wstring filter = DialogFilter(request.filter);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
  // The program asks about replacing files itself.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  BOOL ok;
  if (request.save) {
    ok = ::GetSaveFileNameW(&ofn);
  } else {
    ofn.Flags |= OFN_FILEMUSTEXIST;
    ok = ::GetOpenFileNameW(&ofn);
  }
  if (!ok) return std::nullopt;
  FileDialogAnswer answer;
  answer.path = buffer.c_str();
  answer.filterIndex = static_cast<int>(ofn.nFilterIndex);
  return answer;
}

TPaletteStrip::TPaletteStrip(TMainFrame& main) : main_(main) {
  openPage = [](const std::wstring& path) { OpenURL(path); };
  acNewPalette.SetHint("Snew palette...");
  acOpenPalette.SetHint("Sopen palette...");
  acSavePalette.SetHint("Ssave palette...");
  acNewPalette.OnExecute = [this] { acNewPaletteExecute(); };
  acOpenPalette.OnExecute = [this] { acOpenPaletteExecute(); };
  acSavePalette.OnExecute = [this] { acSavePaletteExecute(); };
  BuildMenu();
}

TPaletteStrip::~TPaletteStrip() { ColorList.SetVerticalScroller(nullptr); }

bool TPaletteStrip::Create(HWND parent, int x, int y) {
  TVMGIFImageList* images = &main_.mainImages;
  scrollImages_.LoadFromResource("KOLO_IMAGES_SCROLL");

  paletteBottomTab.SetColor(clSkyBlue);
  if (!paletteBottomTab.Create(parent, x, y, kListWidth + kSliderWidth + kButtonColumn + 1, kStripHeight))
    return false;

  ColorList.SetColor(clSkyBlue);
  ColorList.SetSelectColor(clSelectedSlot);
  ColorList.SetDragging(true);
  ColorList.SetImageList(images);
  ColorList.EmptyImageId = kImgEmptyCell;
  ColorList.TransparentImageId = kImgTransparentCell;
  ColorList.PopupMenu = &PalettePopupMenu;
  ColorList.OnSelect = [this](Widget&) { ColorListSelect(); };
  ColorList.OnStartDragPic = [this](TDragColor&) { ColorListStartDragPic(); };
  ColorList.OnEndDragPic = [this](TDragColor&) { ColorListEndDragPic(); };
  ColorList.Create(paletteBottomTab, 0, 0, kListWidth, kStripHeight);

  VMScrollImage2.SetImageList(&scrollImages_);
  // The slider pack: up arrow, down arrow and thumb, four pictures each, then the grip.
  VMScrollImage2.ImageUp = ScrollPartStates(0);
  VMScrollImage2.ImageDown = ScrollPartStates(4);
  VMScrollImage2.ImageScroll = ScrollPartStates(8);
  VMScrollImage2.CentralImageID = 12;
  VMScrollImage2.SetKing(TScrollKing::Vertical);
  VMScrollImage2.SmallChange = 1;
  VMScrollImage2.LargeChange = 2;
  VMScrollImage2.FocusControl = ColorList.Handle();
  VMScrollImage2.Create(paletteBottomTab, kListWidth, 0, kSliderWidth, kStripHeight);
  ColorList.SetVerticalScroller(&VMScrollImage2);

  const int bx = kListWidth + kSliderWidth + (kButtonColumn - kButtonWidth) / 2 + 1;
  struct Spec {
    TVMPictureButton& button;
    TAction& action;
    int image;
  };
  int by = (kStripHeight - 3 * kButtonHeight) / 3;
  for (Spec s : {Spec{btnNewColors, acNewPalette, kImgNewPalette}, Spec{btnOpenColors, acOpenPalette, kImgOpenPalette},
                 Spec{btnSaveColors, acSavePalette, kImgSavePalette}}) {
    s.button.SetImageList(images);
    s.button.SetImages(s.image, s.image + 1, s.image + 2, s.image + 3);
    s.button.SetAction(&s.action);
    s.button.Create(paletteBottomTab, bx, by, kButtonWidth, kButtonHeight);
    by += kButtonHeight + 1;
  }
  return true;
}

void TPaletteStrip::BuildMenu() {
  PalettePopupMenu.Add(palMenuCopy, "Copy");
  PalettePopupMenu.Add(palMenuPast, "Past");
  PalettePopupMenu.AddSeparator();
  PalettePopupMenu.Add(palMenuInsert, "Insert");
  PalettePopupMenu.Add(palMenuClear, "Clear");
  PalettePopupMenu.Add(palMenuDelete, "Delete");
  PalettePopupMenu.AddSeparator();
  PalettePopupMenu.Add(palMenuTrans, "Set transparent");
  PalettePopupMenu.AddSeparator();
  PalettePopupMenu.Add(palMenuOptions, "Options...");
  PalettePopupMenu.AddSeparator();
  PalettePopupMenu.Add(palMenuHelp, "Help");
  PalettePopupMenu.Add(palMenuAbout, "About...");
  PalettePopupMenu.OnPopup = [this] { UpdatePaletteMenu(); };
  PalettePopupMenu.OnCommand = [this](int id) { RunMenuCommand(id); };
}

void TPaletteStrip::RunMenuCommand(int id) {
  switch (id) {
    case palMenuCopy: palMenuCopyClick(); break;
    case palMenuPast: palMenuPastClick(); break;
    case palMenuInsert: palMenuInsertClick(); break;
    case palMenuClear: palMenuClearClick(); break;
    case palMenuDelete: palMenuDeleteClick(); break;
    case palMenuTrans: palMenuTransClick(); break;
    case palMenuOptions: if (onOptions) onOptions(); break;
    case palMenuHelp:
      if (onHelp)
        onHelp();
      else
        OpenURL(std::string(kMakerSite) + "/kolo/?cl=en&m=manual");
      break;
    case palMenuAbout: if (onAbout) onAbout(); break;
    default: break;
  }
}

std::string TPaletteStrip::FormatCurrent(TColor c) const { return FormatColor(c, main_.Options().ColorFormat); }

// --- the main window's reactions ---

void TPaletteStrip::ColorListSelect() {
  const int i = ColorList.ItemIndex();
  if (i == -1 || IsEmptyColor(ColorList.Cell(i))) return;
  main_.Slot(main_.currentSlot) = ColorList.Cell(i);
  main_.RefreshColors(0x77);
}

void TPaletteStrip::ColorListStartDragPic() { main_.colorDragging = true; }
void TPaletteStrip::ColorListEndDragPic() { main_.colorDragging = false; }

void TPaletteStrip::FollowCurrentColor() {
  if (ColorList.Model().FollowCurrentColor(main_.CurrentColor())) ColorList.Changed();
}

// --- the menu ---

void TPaletteStrip::UpdatePaletteMenu() {
  bool clipboardColor = false;
  if (ColorList.ItemIndex() != -1) {
    if (auto text = ReadClipboardText()) clipboardColor = ParseColor(*text, main_.Options().ColorFormat).has_value();
  }
  const PaletteMenuState s = ColorList.Model().MenuState(clipboardColor);
  PalettePopupMenu.SetEnabled(palMenuCopy, s.copy);
  PalettePopupMenu.SetEnabled(palMenuPast, s.paste);
  PalettePopupMenu.SetEnabled(palMenuInsert, s.insert);
  PalettePopupMenu.SetEnabled(palMenuDelete, s.del);
  PalettePopupMenu.SetEnabled(palMenuTrans, s.trans);
  PalettePopupMenu.SetCaption(palMenuTrans, s.transIsUnset ? "Unset transparent" : "Set transparent");
  PalettePopupMenu.SetEnabled(palMenuClear, s.clear);
}

void TPaletteStrip::palMenuCopyClick() {
  const int i = ColorList.ItemIndex();
  if (i < 0 || ColorList.Cell(i) == clEmptyColor) return;
  CopyTextToClipboard(Widen(FormatCurrent(ColorList.Cell(i))));
}

void TPaletteStrip::palMenuPastClick() {
  if (ColorList.ItemIndex() < 0) return;
  auto text = ReadClipboardText();
  if (!text) return;
  auto c = ParseColor(*text, main_.Options().ColorFormat);
  if (!c) return;
  ColorList.Model().PasteIntoSelected(*c);
  ColorList.Changed();
  ColorListSelect();
}

void TPaletteStrip::palMenuTransClick() {
  ColorList.Model().ToggleTransparent();
  ColorList.Changed();
}

// --- palette commands ---

void TPaletteStrip::acNewPaletteExecute() {
  if (commitTextEdit) commitTextEdit();
  if (!newPaletteDialog) return;
  if (auto colors = newPaletteDialog()) ColorList.SetColors(*colors);
}

std::optional<std::filesystem::path> TPaletteStrip::AskPaletteToOpen() {
  TKolOptions& o = main_.Options();
  FileDialogRequest request;
  request.initialFolder = Widen(o.lastPath);
  request.filter = kPaletteOpenFilter;
  auto answer = fileDialog(main_.Handle(), request);
  if (!answer) return std::nullopt;
  const std::filesystem::path file(answer->path);
  o.lastPath = Narrow(file.parent_path().wstring());
  return file;
}

ColorParser TPaletteStrip::CurrentParser() const {
  const int format = main_.Options().ColorFormat;
  return [format](std::string_view t) { return ParseColor(t, format); };
}

void TPaletteStrip::acOpenPaletteExecute() {
  if (commitTextEdit) commitTextEdit();
  auto file = AskPaletteToOpen();
  if (!file) return;
  if (!ColorList.LoadFromFile(*file, CurrentParser())) ShowMessageBox(kFailedToOpen, MessageKind::Error, kMbOk);
}

bool TPaletteStrip::OpenPaletteInto(std::span<TColor> cells, int& transparentIndex) {
  auto file = AskPaletteToOpen();
  if (!file || cells.empty()) return false;
  if (LoadPaletteFile(*file, CurrentParser(), transparentIndex, static_cast<int>(cells.size()) - 1, cells)) return true;
  ShowMessageBox(kFailedToOpen, MessageKind::Error, kMbOk);
  return false;
}

void TPaletteStrip::acSavePaletteExecute() {
  if (commitTextEdit) commitTextEdit();
  SavePaletteCells(ColorList.Colors(), ColorList.TransparentIndex());
}

void TPaletteStrip::SavePaletteCells(std::span<const TColor> cells, int transparentIndex) {
  TKolOptions& o = main_.Options();
  FileDialogRequest request;
  request.save = true;
  request.initialFolder = Widen(o.lastPath);
  request.filter = kPaletteSaveFilter;
  request.filterIndex = o.filterPaletteIndex;
  request.defaultExt = L"kpt";
  auto answer = fileDialog(main_.Handle(), request);
  if (!answer) return;
  const std::filesystem::path file(answer->path);
  o.lastPath = Narrow(file.parent_path().wstring());
  o.filterPaletteIndex = answer->filterIndex;
  std::error_code ec;
  if (std::filesystem::exists(file, ec) &&
      ShowMessageBox(kReplaceQuestion, MessageKind::Confirmation, kMbYes | kMbNo | kMbCancel) != kMrYes)
    return;
  const int format = o.ColorFormat;
  const ColorFormatter formatter = [format](TColor c) { return FormatColor(c, format); };
  const std::string site = HtmlSiteLink();
  // The file is written beside the target and then moved over it, which would
  // also replace a file the user marked read-only: refuse that here.
  const bool readOnly = std::filesystem::exists(file, ec) &&
                        (std::filesystem::status(file, ec).permissions() & std::filesystem::perms::owner_write) ==
                            std::filesystem::perms::none;
  if (readOnly ||
      !SavePaletteFile(cells, transparentIndex, file, formatter, site, site + "gif/logob.png")) {
    ShowMessageBox(kFailedToSave, MessageKind::Error, kMbOk);
    return;
  }
  if (PaletteFormatOf(file) == PaletteFormat::Html && openPage) openPage(file.wstring());
}

// --- settings ---

void TPaletteStrip::LoadFromSettings() {
  const PaletteStripState& s = main_.Strip();
  ColorList.Model().SetPalette(s.cells, s.transparentIndex);
  ColorList.SetTopRow(0);
  ColorList.Changed();
}

void TPaletteStrip::StoreToSettings() const {
  PaletteStripState& s = main_.Strip();
  s.cells = ColorList.Colors();
  s.transparentIndex = ColorList.TransparentIndex();
}

}  // namespace kolo::win
