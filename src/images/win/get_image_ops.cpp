// The screenshot tab's picture operations: transparent colour, rotate and
// flip, resize, copy, print, save, delete and the preview window.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "frame/win/image_panel.h"
#include "frame/win/main_frame.h"
#include "images/image_ops.h"
#include "images/win/get_image_tab.h"
#include "images/win/image_codec.h"
#include "images/win/image_output.h"
#include "images/win/picture_commands.h"
#include "images/win/image_files.h"
#include "images/win/preview_form.h"
#include "platform/win/window.h"
#include "widgets/win/forms.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {

namespace {

constexpr unsigned kYesNoCancel = kMbYes | kMbNo | kMbCancel;

bool Confirmed(bool ask, const std::string& question) {
  return !ask || ShowMessageBox(question, MessageKind::Confirmation, kYesNoCancel) == kResultYes;
}

std::optional<std::uint32_t> RgbOfColour(long long colour) {
  if (colour < 0) return std::nullopt;
  const auto c = static_cast<TColor>(colour);
  return (std::uint32_t{GetR(c)} << 16) | (std::uint32_t{GetG(c)} << 8) | GetB(c);
}

// "A|a|B|b" as the common dialogs want it: every bar a NUL, two at the end.
std::wstring DialogFilter(std::string_view filter) {
  std::wstring out = Widen(std::string(filter));
  std::replace(out.begin(), out.end(), L'|', L'\0');
  out.push_back(L'\0');
  return out;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

void TGetImageTab::ReplaceCurrentImage(std::unique_ptr<Gdiplus::Bitmap> image) { currentImage_ = std::move(image); }

// The common tail of an edit: the selected item's file, thumbnail, modified flag and hint.
void TGetImageTab::StoreIntoSelectedItem(bool saveFile) {
  TKOLImgobj* item = HookImageList.Select();
  if (!item || !currentImage_) return;
  if (saveFile && !SaveImageFile(*currentImage_, folder_ + Widen(item->attrs.fileName), SaveRequest{}))
    ShowMessageBox("Unable to save image.", MessageKind::Error, kMbOk);
  HookImageList.RefreshThumbnail(HookImageList.ItemIndex(), *currentImage_);
  item->attrs.modified = true;
  HookImageList.Invalidate();
  UpdatePublishHint();
}

// --- the transparent colour ---

void TGetImageTab::PickFinished(bool cancelled) {
  if (TKOLImgobj* item = HookImageList.Select()) {
    if (cancelled) {
      transparentColor = item->attrs.transparent;
      DrawTransparentIndicator();
    } else {
      item->attrs.transparent = transparentColor;
      StoreIntoSelectedItem(false);
    }
  } else if (cancelled) {
    // A cancelled pick leaves the colour as it was before the pick.
    transparentColor = pickStartColor;
    DrawTransparentIndicator();
  }
  ShowPreview(true);
}

void TGetImageTab::ClearTransparent() {
  transparentColor = -1;
  DrawTransparentIndicator();
  TKOLImgobj* item = HookImageList.Handle() ? HookImageList.Select() : nullptr;
  if (item && item->attrs.transparent != -1) {
    item->attrs.transparent = -1;
    if (currentImage_) HookImageList.RefreshThumbnail(HookImageList.ItemIndex(), *currentImage_);
    item->attrs.modified = true;
    HookImageList.Invalidate();
    UpdatePublishHint();
  }
  ShowPreview(true);
}

// --- rotate, flip and size ---

void TGetImageTab::RotateFlip(int code) {
  if (!currentImage_) return;
  if (currentImage_->RotateFlip(static_cast<Gdiplus::RotateFlipType>(code)) != Gdiplus::Ok) return;
  if (HookImageList.Select()) StoreIntoSelectedItem(true);
  UpdatePublishHint();
  ShowPreview(true);
}

void TGetImageTab::ChangeImageSize(int width, int height) {
  if (!currentImage_ || width < 1 || height < 1) return;
  if (!Confirmed(main_.Options().confirmChange, "Are you sure you want to reduce this image?")) return;
  auto scaled = ScaledCopy(*currentImage_, width, height);
  if (!scaled) return;
  currentImage_ = std::move(scaled);
  if (HookImageList.Select()) StoreIntoSelectedItem(true);
  ShowPreview(true);
}

void TGetImageTab::FollowSizeFields(HWND edit) {
  if (main_.captureMode == CaptureMode::AreaShot || !currentImage_) return;
  TImageBottomPanel& panel = main_.ImageBottomTab();
  const bool width = edit == panel.edWidthImage;
  if (!width && edit != panel.edHeightImage) return;
  const int w = static_cast<int>(currentImage_->GetWidth()), h = static_cast<int>(currentImage_->GetHeight());
  const SizeFollow f = FollowSizeField(width ? panel.WidthValue() : panel.HeightValue(), width ? w : h, width ? h : w);
  if (f.rewrite) {
    ::SetWindowTextW(edit, std::to_wstring(*f.rewrite).c_str());
    ::SendMessageW(edit, EM_SETSEL, 32767, 32767);
  }
  ::SetWindowTextW(width ? panel.edHeightImage : panel.edWidthImage, std::to_wstring(f.other).c_str());
}

// --- copy and print ---

void CopyPictureCommand(TMainFrame& main, Gdiplus::Bitmap& image, long long transparent) {
  if (!CopyPictureToClipboard(main.Handle(), image, transparent, [&main] { main.NoteOwnClipboardWrite(); }))
    ShowMessageBox("Unable to copy image: the clipboard is in use by another program.", MessageKind::Error, kMbOk);
}

void PrintPictureCommand(TMainFrame& main, Gdiplus::Bitmap& image, long long transparent) {
  switch (PrintPicture(main.Handle(), image, transparent)) {
    case PrintResult::NoPrinter:
      ShowMessageBox("Unable to print image: no printer is installed.", MessageKind::Warning, kMbOk);
      break;
    case PrintResult::Failed:
      ShowMessageBox("Unable to print image.", MessageKind::Error, kMbOk);
      break;
    default:
      break;
  }
}

void TGetImageTab::CopyImage() {
  if (currentImage_) CopyPictureCommand(main_, *currentImage_, transparentColor);
}

void TGetImageTab::PrintImage() {
  if (currentImage_) PrintPictureCommand(main_, *currentImage_, transparentColor);
}

// --- saving ---

namespace {

// The save dialog: in the last folder, on the last file type, with an empty name.
bool AskSaveFile(HWND owner, const std::string& folder, std::wstring& path, int& filterIndex) {
  const std::wstring initial = Widen(folder);
  const std::wstring filter = DialogFilter(kSaveImageFilter);
  wchar_t file[MAX_PATH * 4] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::clamp(filterIndex, 1, 5));
  ofn.lpstrDefExt = L"png";
  ofn.lpstrFile = file;
  ofn.nMaxFile = static_cast<DWORD>(std::size(file));
  ofn.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&ofn)) return false;
  path = file;
  filterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

}  // namespace

void TGetImageTab::SaveImage() {
  if (currentImage_) SavePictureCommand(main_, *currentImage_, transparentColor, saveDialogHook);
}

void SavePictureCommand(TMainFrame& main, Gdiplus::Bitmap& image, long long transparentColor,
                        const SaveDialogHook& saveDialogHook) {
  TKolOptions& options = main.Options();
  std::wstring path;
  int filterIndex = options.filterImageIndex;
  const bool chosen = saveDialogHook ? saveDialogHook(path, filterIndex)
                                     : AskSaveFile(main.Handle(), options.lastPath, path, filterIndex);
  if (!chosen) return;
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    const std::wstring name = path.substr(FolderOf(path).size());
    if (!Confirmed(true, Narrow(name) + " already exists. Overwrite?")) return;
  }
  options.lastPath = Narrow(FolderOf(path));
  options.filterImageIndex = filterIndex;

  const ImageFormat format = FormatForFileName(Narrow(path));
  bool ok = false;
  if (format == ImageFormat::Gif) {
    const PixelBuffer pixels = ReadPixels(image);
    GifPalette palette;
    bool reserved = false;
    switch (options.saveGIFPalette) {
      case gpAdaptive:
        palette = AdaptivePalette(pixels.AsGif(), 8, RgbOfColour(transparentColor));
        reserved = true;
        break;
      case gpCurrent:
        palette = PaletteFromCells(main.StripColors(), main.StripTransparentIndex());
        if (palette.colors.size() < 2) {
          ShowMessageBox("In the current palette of colors is less than two.", MessageKind::Warning, kMbOk);
          return;
        }
        break;
      default:
        palette = FixedGifPalette(options.saveGIFPalette);
        break;
    }
    const auto bytes = pixels.pixels.empty() ? std::nullopt : WriteGif(pixels.AsGif(), palette, reserved);
    ok = bytes && SaveBytesFile(*bytes, path);
  } else {
    SaveRequest request;
    request.format = format;
    request.jpegQuality = std::clamp(options.saveJPGQuality, 1, 10) * 10;
    request.transparent = transparentColor;
    ok = SaveImageFile(image, path, request);
  }
  if (!ok) ShowMessageBox("Unable to save image.", MessageKind::Error, kMbOk);
}

bool EditPictureFile(const std::wstring& file,
                     const std::function<std::unique_ptr<Gdiplus::Bitmap>(Gdiplus::Bitmap&)>& edit) {
  auto image = LoadImageFile(file);
  if (!image) return false;
  auto edited = edit(*image);
  if (!edited) return false;
  SaveRequest request;
  request.format = ImageFormat::Png;
  return SaveImageFile(*edited, file, request);
}

// --- deleting ---

void TGetImageTab::DeleteImage() {
  if (!Confirmed(main_.Options().confirmDelete, "Are you sure you want to delete this image?")) return;
  currentImage_.reset();
  if (HookImageList.Handle() && HookImageList.Select()) HookImageList.DeleteSelected();
  SetImageControls(false, "", 0, 0, -1);
  UpdatePublishHint();
  ShowPreview(true);
}

// --- the picture menu ---

// A right click on the main image opens the picture menu, as one on the list does.
void TGetImageTab::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Right && main_.captureMode == CaptureMode::None && main_.imagePopup) {
    POINT p;
    ::GetCursorPos(&p);
    main_.imagePopup(p.x, p.y);
    return;
  }
  TBaseTab::MouseUp(button, shift, x, y);
}

// --- the preview window ---

void TGetImageTab::ViewImage() {
  TfrmImagePreview* preview = ImagePreviewForm();
  if (!preview || preview->IsOpen() || !HookImageList.Handle()) return;
  // A selection still loading is finished first, so the preview opens on it.
  if (loadTimer_) LoadTimerTick();
  TfrmImagePreview::Callbacks callbacks;
  callbacks.onRelease = [this] { return std::move(currentImage_); };
  callbacks.onClose = [this](TfrmImagePreview& p) { PreviewClosed(p); };
  previewTabIndex_ = HookImageList.ItemIndex();
  preview->Show(currentImage_.get(), previewTabIndex_, std::move(callbacks), transparentColor, HookImageList);
}

void TGetImageTab::PreviewClosed(TfrmImagePreview& preview) {
  HookImageList.Invalidate();
  if (auto adopted = preview.TakeAdoptedImage()) {
    currentImage_ = std::move(adopted);
    ShowPreview(true);
  } else if (!currentImage_ && (HookImageList.ItemIndex() < 0 || preview.Index() == previewTabIndex_)) {
    ShowPreview(true);
  } else if (HookImageList.ItemIndex() >= 0) {
    HookImageList.SetItemIndex(preview.Index());
    HookImageList.ScrollToSelected();
  }
  if (HookImageList.Select()) {
    HookImageListSelect();
  } else {
    const bool has = currentImage_ != nullptr;
    SetImageControls(has, "", has ? static_cast<int>(currentImage_->GetHeight()) : 0,
                     has ? static_cast<int>(currentImage_->GetWidth()) : 0, transparentColor);
    UpdatePublishHint();
  }
}

}  // namespace kolo::win
