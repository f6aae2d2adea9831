#include "images/win/preview_form.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "art_ids.h"
#include "frame/win/main_frame.h"
#include "images/win/image_codec.h"
#include "images/win/image_files.h"
#include "images/win/image_list.h"
#include "platform/win/handles.h"
#include "widgets/scroll_math.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {

namespace {

TfrmImagePreview* g_preview = nullptr;

enum MenuId : int { kMenuPrevious = 1, kMenuNext, kMenuCrop, kMenuDelete, kMenuClose };

constexpr std::uint32_t kViewGround = 0xA6CAF0;  // clSkyBlue as 0xRRGGBB
constexpr int kButtonY = 1, kPrevX = 4, kNextX = 19;

void SetupButton(TVMPictureButton& b, TVMGIFImageList& images, HWND parent, int first, bool hasDisabled, int x, int y,
                 const wchar_t* name) {
  b.SetColor(clFrame);
  b.SetImageList(&images);
  b.SetImages(first, first + 1, first + 2, hasDisabled ? first + 3 : -2);
  const SIZE size = images.ImageSize(first);
  b.Create(parent, x, y, size.cx > 0 ? size.cx : 13, size.cy > 0 ? size.cy : 13);
  ::SetWindowTextW(b.Handle(), name);
}

bool Confirmed(bool ask, const char* question) {
  return !ask || ShowMessageBox(question, MessageKind::Confirmation, kMbYes | kMbNo | kMbCancel) == kResultYes;
}

}  // namespace

TfrmImagePreview* ImagePreviewForm() { return g_preview; }

// --- the look-ahead loads ---

TLoadImgThread::~TLoadImgThread() {
  if (finished) ::CloseHandle(finished);
}

std::shared_ptr<TLoadImgThread> TLoadImgThread::Start(const std::wstring& path, int index) {
  auto job = std::make_shared<TLoadImgThread>();
  job->finished = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  job->index = index;
  if (!job->finished) return nullptr;
  // Detached: the thread holds its own share, so a stopped load never holds up the window.
  std::thread([job, path] {
    std::unique_ptr<Gdiplus::Bitmap> image;
    if (!job->stop && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) image = LoadImageFile(path);
    {
      std::lock_guard<std::mutex> hold(job->lock);
      if (!job->stop) job->image = std::move(image);
      job->done = true;
    }
    image.reset();
    ::SetEvent(job->finished);
  }).detach();
  return job;
}

// --- the window ---

TfrmImagePreview::TfrmImagePreview() : TSecondaryForm(SecondaryForm::ImagePreview, L"TfrmImagePreview") {}

TfrmImagePreview::~TfrmImagePreview() {
  StopLoaders();
  if (g_preview == this) g_preview = nullptr;
}

bool TfrmImagePreview::Create(HWND owner, TMainFrame& main) {
  main_ = &main;
  // The picture is shown in the screen's own pixels; the frame and the caption
  // with its controls are drawn at the program's factor like every window.
  if (!TSecondaryForm::Create(owner, 400, 300)) return false;
  ::SetWindowTextW(Handle(), L"Image preview");
  images_.LoadFromResource(KOLO_RES_IMAGES_DIALOG);
  captionFont_.Reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Comic Sans MS"));
  using namespace art;
  SetupButton(btnPrevImage, images_, Handle(), kDlgImgPreviousNormal, true, kPrevX, kButtonY, L"previous image");
  SetupButton(btnNextImage, images_, Handle(), kDlgImgNextNormal, true, kNextX, kButtonY, L"next image");
  SetupButton(btnCrop, images_, Handle(), kDlgImgCropNormal, true, 42, kButtonY, L"crop");
  SetupButton(btnClose, images_, Handle(), kDlgImgCloseNormal, false, 400 - 13, 3, L"close");
  btnPrevImage.SetHint("Sprevious image");
  btnNextImage.SetHint("Snext image");
  btnCrop.SetHint("Scrop to the visible part");
  // The buttons keep the pointer over themselves when the window changes size.
  auto stepKeepingPointer = [this](bool forward) {
    POINT p;
    ::GetCursorPos(&p);
    const RECT before = WindowRect();
    Step(forward);
    const RECT after = WindowRect();
    if (!userSized_ && (after.left != before.left || after.top != before.top))
      ::SetCursorPos(p.x + after.left - before.left, p.y + after.top - before.top);
  };
  btnPrevImage.OnClick = [stepKeepingPointer](Widget&) { stepKeepingPointer(false); };
  btnNextImage.OnClick = [stepKeepingPointer](Widget&) { stepKeepingPointer(true); };
  btnCrop.OnClick = [this](Widget&) { Crop(); };
  btnClose.OnClick = [this](Widget&) { ClosePreview(); };

  lbCaption.Transparent = false;
  lbCaption.SetColor(clFrame);
  lbCaption.SetFont(captionFont_.Get());
  lbCaption.SetFontColor(clWhite);
  lbCaption.Create(Handle(), 60, 0, 120, kPreviewCaptionHeight);
  lbCaption.SetVisible(false);

  PreviewPopupMenu.Add(kMenuPrevious, "Previous Image");
  PreviewPopupMenu.Add(kMenuNext, "Next Image");
  PreviewPopupMenu.AddSeparator();
  PreviewPopupMenu.Add(kMenuCrop, "Crop");
  PreviewPopupMenu.Add(kMenuDelete, "Delete");
  PreviewPopupMenu.AddSeparator();
  PreviewPopupMenu.Add(kMenuClose, "Close");
  PreviewPopupMenu.SetDefault(kMenuClose, true);
  PreviewPopupMenu.OnPopup = [this] {
    PreviewPopupMenu.SetEnabled(kMenuNext, btnNextImage.Enabled());
    PreviewPopupMenu.SetEnabled(kMenuPrevious, btnPrevImage.Enabled());
    PreviewPopupMenu.SetEnabled(kMenuCrop, layout_.canPan);
    PreviewPopupMenu.SetEnabled(kMenuDelete, index_ >= 0);
  };
  g_preview = this;
  return true;
}

int TfrmImagePreview::ViewWidth() const {
  const RECT r = WindowRect();
  return (r.right - r.left) - Px(kPreviewViewInsetX);
}

int TfrmImagePreview::ViewHeight() const {
  const RECT r = WindowRect();
  return (r.bottom - r.top) - Px(kPreviewViewInsetY);
}

bool TfrmImagePreview::NeighbourReady(bool next) const {
  const auto& loader = next ? nextLoader_ : prevLoader_;
  const Slot& slot = next ? next_ : prev_;
  if (!loader) return slot.image != nullptr;
  std::lock_guard<std::mutex> hold(loader->lock);
  return loader->done;
}

int TfrmImagePreview::Count() const { return list_ ? list_->Count() : 0; }

std::wstring TfrmImagePreview::ItemPath(int index) const {
  return list_->Path + Widen(list_->Item(index).attrs.fileName);
}

bool TfrmImagePreview::ItemFileExists(int index) const {
  return index >= 0 && index < Count() && ::GetFileAttributesW(ItemPath(index).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TfrmImagePreview::Release(Slot& slot) { slot = {}; }

TfrmImagePreview::Slot TfrmImagePreview::TabSlot() const { return {tabImage_, nullptr}; }

std::unique_ptr<Gdiplus::Bitmap> TfrmImagePreview::TakeAdoptedImage() { return std::move(adopted_); }

// --- opening and closing ---

bool TfrmImagePreview::Show(Gdiplus::Bitmap* image, int index, Callbacks callbacks, long long colour,
                            TKOLImageList& list) {
  if (open_ || !Handle() || !main_) return false;
  list_ = &list;
  callbacks_ = std::move(callbacks);
  tabImage_ = image;
  adopted_.reset();
  tabIndex_ = index;
  tabColour_ = colour;
  index_ = index;
  if (!tabImage_ && index_ == -1) index_ = 0;
  shown_ = {};
  Load();
  if (!shown_.image) {
    StopLoaders();
    DiscardNeighbours();
    tabImage_ = nullptr;
    return false;
  }
  userSized_ = false;
  SizeWindow();
  LayOut(false);
  Draw();

  // The preview stands in for the main window (taskbar button) while it is open.
  HWND h = Handle();
  ::SetWindowLongPtrW(h, GWL_EXSTYLE, (::GetWindowLongPtrW(h, GWL_EXSTYLE) & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW);
  open_ = true;
  // Shown and activated while the program still has the foreground, then the main window goes.
  ::SetWindowPos(h, main_->Options().stayonTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetForegroundWindow(h);
  ::SetFocus(h);
  ::ShowWindow(main_->Handle(), SW_HIDE);
  ::SetFocus(h);
  return true;
}

void TfrmImagePreview::ClosePreview() {
  if (!open_) return;
  if (busy_) {
    closePending_ = true;
    return;
  }
  StopLoaders();
  DiscardNeighbours();
  Release(shown_);
  display_ = {};
  panning_ = false;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  open_ = false;
  HWND h = Handle();
  ::ShowWindow(h, SW_HIDE);
  ::SetWindowLongPtrW(h, GWL_EXSTYLE, (::GetWindowLongPtrW(h, GWL_EXSTYLE) & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
  ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  ::ShowWindow(main_->Handle(), SW_SHOW);
  ::SetForegroundWindow(main_->Handle());
  if (callbacks_.onClose) callbacks_.onClose(*this);
  callbacks_ = {};
  tabImage_ = nullptr;
  adopted_.reset();
}

// --- loading ---

void TfrmImagePreview::StartLoader(bool next, int index) {
  Slot& slot = next ? next_ : prev_;
  auto& loader = next ? nextLoader_ : prevLoader_;
  slot = {};
  if (loader) loader->stop = true;
  loader.reset();
  if (index == tabIndex_ && tabImage_) {
    slot = TabSlot();
  } else if (index >= 0 && index < Count()) {
    loader = TLoadImgThread::Start(ItemPath(index), index);
  }
}

void TfrmImagePreview::StopLoaders() {
  for (auto* loader : {&nextLoader_, &prevLoader_}) {
    if (*loader) (*loader)->stop = true;
    loader->reset();
  }
}

void TfrmImagePreview::DiscardNeighbours() {
  Release(next_);
  Release(prev_);
}

void TfrmImagePreview::Load() {
  Release(shown_);
  if (index_ == tabIndex_ && tabImage_) {
    shown_ = TabSlot();
    shownColour_ = tabColour_;
  } else if (ItemFileExists(index_)) {
    shown_.owned = LoadImageFile(ItemPath(index_));
    shown_.image = shown_.owned.get();
    shownColour_ = shown_.image ? list_->Item(index_).attrs.transparent : -1;
  } else {
    shownColour_ = -1;
  }
  StartLoader(true, index_ + 1);
  StartLoader(false, index_ - 1);
}

TfrmImagePreview::Slot TfrmImagePreview::Await(std::shared_ptr<TLoadImgThread>& loader) {
  std::shared_ptr<TLoadImgThread> job = loader;
  loader.reset();
  // The window keeps answering while the file loads.
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(job->lock);
      if (job->done) {
        Slot s;
        s.owned = std::move(job->image);
        s.image = s.owned.get();
        return s;
      }
    }
    const DWORD r = ::MsgWaitForMultipleObjects(1, &job->finished, FALSE, INFINITE, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0 + 1) {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          ::PostQuitMessage(static_cast<int>(msg.wParam));
          job->stop = true;
          return {};
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    } else if (r != WAIT_OBJECT_0) {
      job->stop = true;
      return {};
    }
  }
}

long long TfrmImagePreview::ItemColour(int index, long long fallback) const {
  if (index == tabIndex_ && tabImage_) return tabColour_;
  if (ItemFileExists(index)) return list_->Item(index).attrs.transparent;
  return fallback;
}

void TfrmImagePreview::Step(bool forward) {
  if (!open_ || busy_) return;
  const bool can = forward ? index_ < Count() - 1 : (index_ > 0 || (index_ == 0 && tabIndex_ == -1 && tabImage_));
  if (!can) return;
  index_ += forward ? 1 : -1;
  Slot& ahead = forward ? next_ : prev_;
  Slot& behind = forward ? prev_ : next_;
  auto& aheadLoader = forward ? nextLoader_ : prevLoader_;
  auto& behindLoader = forward ? prevLoader_ : nextLoader_;
  if (behindLoader) behindLoader->stop = true;
  behindLoader.reset();
  behind = std::move(shown_);
  shown_ = {};
  if (aheadLoader) {
    busy_ = true;
    ahead = Await(aheadLoader);
    busy_ = false;
  }
  shown_ = std::move(ahead);
  ahead = {};
  StartLoader(forward, index_ + (forward ? 1 : -1));
  shownColour_ = ItemColour(index_, shownColour_);
  SizeWindow();
  LayOut(false);
  Draw();
  if (closePending_) {
    closePending_ = false;
    ClosePreview();
  }
}

void TfrmImagePreview::Next() { Step(true); }
void TfrmImagePreview::Previous() { Step(false); }

void TfrmImagePreview::Home() { JumpTo(tabIndex_ == -1 && tabImage_ ? -1 : 0); }

void TfrmImagePreview::End() { JumpTo(Count() - 1); }

// Home and End: both loads stop and the neighbours go before the jump.
void TfrmImagePreview::JumpTo(int target) {
  if (!open_ || busy_ || index_ == target || target >= Count() || target < -1 || (target == -1 && !tabImage_)) return;
  StopLoaders();
  DiscardNeighbours();
  index_ = target;
  Load();
  SizeWindow();
  LayOut(false);
  Draw();
}

// --- crop and delete ---

void TfrmImagePreview::Crop() {
  if (!open_ || busy_ || !shown_.image || !layout_.canPan) return;
  if (!Confirmed(main_->Options().confirmCrop, "Are you sure you want to crop this image?")) return;
  Gdiplus::Bitmap& image = *shown_.image;
  const IntRect part = VisiblePart(offsetX_, offsetY_, ViewWidth(), ViewHeight(), static_cast<int>(image.GetWidth()),
                                   static_cast<int>(image.GetHeight()));
  auto cropped = CroppedCopy(*shown_.image, part.left, part.top, part.Width(), part.Height());
  if (!cropped) return;
  const bool isTab = tabImage_ && shown_.image == tabImage_;
  if (isTab && index_ < 0) {
    // The unlisted picture: the tab adopts the crop when the preview closes.
    adopted_ = std::move(cropped);
    tabImage_ = adopted_.get();
    shown_ = TabSlot();
  } else {
    if (isTab) {
      if (callbacks_.onRelease) callbacks_.onRelease().reset();
      tabImage_ = nullptr;
    }
    shown_ = {};
    shown_.owned = std::move(cropped);
    shown_.image = shown_.owned.get();
  }
  if (index_ >= 0 && index_ < Count()) {
    TKOLImgobj& item = list_->Item(index_);
    if (!SaveImageFile(*shown_.image, ItemPath(index_), SaveRequest{}))
      ShowMessageBox("Unable to save image.", MessageKind::Error, kMbOk);
    list_->RefreshThumbnail(index_, *shown_.image);
    item.attrs.modified = true;
  }
  SizeWindow();
  LayOut(false);
  Draw();
}

void TfrmImagePreview::Delete() {
  if (!open_ || busy_ || index_ < 0 || index_ >= Count()) return;
  if (!Confirmed(main_->Options().confirmDelete, "Are you sure you want to delete this image?")) return;
  StopLoaders();
  DiscardNeighbours();
  if (tabImage_ && shown_.image == tabImage_) {
    shown_ = {};
    if (callbacks_.onRelease) callbacks_.onRelease().reset();
    tabImage_ = nullptr;
  }
  Release(shown_);
  display_ = {};
  // The tab's item moves up when one above it goes.
  if (index_ < tabIndex_) --tabIndex_;
  else if (index_ == tabIndex_) tabIndex_ = -2;
  list_->DeleteAt(index_);
  index_ = std::min(index_, Count() - 1);
  if (index_ == -1 && !(tabIndex_ == -1 && tabImage_)) {
    ClosePreview();
    return;
  }
  Load();
  SizeWindow();
  LayOut(false);
  Draw();
}

// --- geometry ---

void TfrmImagePreview::SizeWindow() {
  if (!shown_.image) return;
  const int iw = static_cast<int>(shown_.image->GetWidth()), ih = static_cast<int>(shown_.image->GetHeight());
  if (!userSized_) {
    const RECT m = main_->WindowRect();
    const IntRect b = PreviewWindowBounds(iw, ih, {m.left, m.top, m.right, m.bottom}, ::GetSystemMetrics(SM_CXSCREEN),
                                          ::GetSystemMetrics(SM_CYSCREEN), UiScale());
    sizing_ = true;
    ::SetWindowPos(Handle(), nullptr, b.left, b.top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    sizing_ = false;
  }
  offsetX_ = CentredOffset(ViewWidth(), iw);
  offsetY_ = CentredOffset(ViewHeight(), ih);
  savedBounds_ = WindowRect();
}

void TfrmImagePreview::LayOut(bool moved) {
  const RECT r = WindowRect();
  PreviewLayoutInput in;
  in.viewWidth = ViewWidth();
  in.viewHeight = ViewHeight();
  in.hasImage = shown_.image != nullptr;
  in.imageWidth = in.hasImage ? static_cast<int>(shown_.image->GetWidth()) : 0;
  in.imageHeight = in.hasImage ? static_cast<int>(shown_.image->GetHeight()) : 0;
  in.offsetX = offsetX_;
  in.offsetY = offsetY_;
  in.moved = moved;
  in.left = r.left;
  in.top = r.top;
  in.storedLeft = storedLeft_;
  in.storedTop = storedTop_;
  in.index = index_;
  in.count = Count();
  in.unlistedTabImage = tabIndex_ == -1 && tabImage_;
  in.scale = UiScale();
  layout_ = LayOutPreview(in);
  offsetX_ = layout_.offsetX;
  offsetY_ = layout_.offsetY;

  btnCrop.SetVisible(layout_.cropShown);
  btnCrop.SetBounds(layout_.cropX, kButtonY, btnCrop.Width(), btnCrop.Height());
  btnPrevImage.SetVisible(layout_.stepButtonsShown);
  btnNextImage.SetVisible(layout_.stepButtonsShown);
  btnNextImage.SetEnabled(layout_.nextEnabled);
  btnPrevImage.SetEnabled(layout_.prevEnabled);
  const int width = Lg(r.right - r.left);  // the caption's controls are placed in logical pixels
  btnClose.SetBounds(width - 13, 3, btnClose.Width(), btnClose.Height());
  lbCaption.SetVisible(layout_.labelShown);
  lbCaption.SetCaption(layout_.label);
  lbCaption.SetBounds(layout_.captionX, 0, std::max(0, width - 16 - layout_.captionX), kPreviewCaptionHeight);
  storedLeft_ = r.left;
  storedTop_ = r.top;
}

// --- drawing ---

// The shown picture over the sky-blue ground, its transparent colour keyed
// out, ready to be copied 1:1; rebuilt only when the picture or colour changes.
void TfrmImagePreview::PrepareDisplay() {
  if (!shown_.image) {
    display_ = {};
    return;
  }
  if (display_.source == shown_.image && display_.colour == shownColour_ && display_.bitmap) return;
  PixelBuffer px = ReadPixels(*shown_.image);
  display_ = {};
  if (px.pixels.empty()) return;
  std::uint32_t key = 0xFFFFFFFF;
  if (shownColour_ >= 0) {
    const auto c = static_cast<TColor>(shownColour_);
    key = (std::uint32_t{GetR(c)} << 16) | (std::uint32_t{GetG(c)} << 8) | GetB(c);
  }
  for (std::uint32_t& p : px.pixels) {
    const std::uint32_t a = p >> 24;
    if ((p & 0xFFFFFF) == key) {
      p = kViewGround;
    } else if (a != 255) {
      std::uint32_t out = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t c = (p >> shift) & 0xFF, g = (kViewGround >> shift) & 0xFF;
        out |= ((c * a + g * (255 - a) + 127) / 255) << shift;
      }
      p = out;
    }
  }
  const BITMAPINFO bi = TopDownInfo(px.width, px.height, 32);
  void* bits = nullptr;
  display_.bitmap.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!display_.bitmap || !bits) {
    display_ = {};
    return;
  }
  std::memcpy(bits, px.pixels.data(), px.pixels.size() * 4);
  display_.width = px.width;
  display_.height = px.height;
  display_.source = shown_.image;
  display_.colour = shownColour_;
}

void TfrmImagePreview::Draw() {
  PrepareDisplay();
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmImagePreview::Paint(HDC dc) {
  // In screen pixels: the picture is copied 1:1, the frame is its logical size times the factor.
  const RECT c = DeviceClientRect();
  const int w = c.right, h = c.bottom, captionH = Px(kPreviewCaptionHeight), side = Px(2);
  RECT caption{0, 0, w, captionH};
  FillSolid(dc, caption, clFrame);
  // The panel's 2-pixel sides and foot in the frame colour.
  RECT left{0, captionH, side, h}, right{w - side, captionH, w, h}, foot{0, h - side, w, h};
  FillSolid(dc, left, clFrame);
  FillSolid(dc, right, clFrame);
  FillSolid(dc, foot, clFrame);
  const int vw = ViewWidth(), vh = ViewHeight();
  RECT view{side, captionH, side + vw, captionH + vh};
  if (!display_.bitmap) {
    FillSolid(dc, view, clSkyBlue);
    return;
  }
  const AxisBlit ax = BlitAxis(offsetX_, vw, display_.width), ay = BlitAxis(offsetY_, vh, display_.height);
  // Ground only where the picture leaves some.
  const RECT pic{view.left + ax.dest, view.top + ay.dest, view.left + ax.dest + ax.length,
                 view.top + ay.dest + ay.length};
  Region ground(::CreateRectRgnIndirect(&view));
  Region picture(::CreateRectRgnIndirect(&pic));
  ::CombineRgn(ground, ground, picture, RGN_DIFF);
  Brush sky(::CreateSolidBrush(ToColorRef(clSkyBlue)));
  ::FillRgn(dc, ground, sky);
  MemoryDc mem(::CreateCompatibleDC(dc));
  SelectScope sel(mem, display_.bitmap.Get());
  ::BitBlt(dc, pic.left, pic.top, ax.length, ay.length, mem, ax.source, ay.source, SRCCOPY);
}

// --- input ---

bool TfrmImagePreview::KeyDown(WPARAM key) {
  switch (key) {
    case VK_ESCAPE: ClosePreview(); return true;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN: Next(); return true;
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP: Previous(); return true;
    case VK_HOME: Home(); return true;
    case VK_END: End(); return true;
    case VK_DELETE: Delete(); return true;
    default: return false;
  }
}

void TfrmImagePreview::ShowMenu(int x, int y) {
  if (x == -1 && y == -1) {
    const RECT r = WindowRect();
    x = r.left + Px(4);
    y = r.top + Px(kPreviewCaptionHeight + 4);
  }
  switch (PreviewPopupMenu.Popup(Handle(), x, y)) {
    case kMenuNext: Next(); break;
    case kMenuPrevious: Previous(); break;
    case kMenuCrop: Crop(); break;
    case kMenuDelete: Delete(); break;
    case kMenuClose: ClosePreview(); break;
    default: break;
  }
}

void TfrmImagePreview::ToggleFullScreen() {
  const RECT r = WindowRect();
  const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  if (r.right - r.left == sw && r.bottom - r.top == sh) {
    const RECT b = savedBounds_;
    ::SetWindowPos(Handle(), nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top, SWP_NOZORDER);
  } else {
    savedBounds_ = r;
    ::SetWindowPos(Handle(), nullptr, 0, 0, sw, sh, SWP_NOZORDER);
  }
}

LRESULT TfrmImagePreview::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(Handle());
      const RECT c = DeviceClientRect();
      BufferedDc buffer(paint, c.right, c.bottom, 1);
      Paint(buffer);
      return 0;
    }
    case WM_NCHITTEST: {
      const RECT r = WindowRect();
      const PreviewHit hit = PreviewHitTest(Lg(GET_X_LPARAM(lp) - r.left), Lg(GET_Y_LPARAM(lp) - r.top),
                                            Lg(r.right - r.left), Lg(r.bottom - r.top), btnPrevImage.Visible());
      return static_cast<LRESULT>(hit);
    }
    case WM_NCLBUTTONDBLCLK:
      if (wp == HTCAPTION) {
        ToggleFullScreen();
        return 0;
      }
      break;
    case WM_NCLBUTTONDOWN:
      // The move loop a caption press starts can swallow the double click, so
      // the second press of a double click is recognised here as well.
      if (wp == HTCAPTION) {
        const DWORD now = static_cast<DWORD>(::GetMessageTime());
        const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        const bool second = now - lastCaptionPress_ <= ::GetDoubleClickTime() &&
                            std::abs(at.x - lastCaptionAt_.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) &&
                            std::abs(at.y - lastCaptionAt_.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK);
        lastCaptionPress_ = second ? 0 : now;
        lastCaptionAt_ = at;
        if (second) {
          ToggleFullScreen();
          return 0;
        }
      }
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {Px(kPreviewMinWidth), Px(kPreviewMinHeight)};
      return 0;
    }
    case WM_SIZING:
      userSized_ = true;
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      if (open_ && !sizing_) {
        if (!(pos->flags & SWP_NOSIZE)) {
          LayOut(true);
          Draw();
        } else if (!(pos->flags & SWP_NOMOVE)) {
          storedLeft_ = pos->x;
          storedTop_ = pos->y;
        }
        if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) FollowWithMainWindow();
      }
      break;
    }
    case WM_KEYDOWN:
      if (open_ && KeyDown(wp)) return 0;
      break;
    case WM_MOUSEWHEEL: {
      const int notches = wheel_.Add(GET_WHEEL_DELTA_WPARAM(wp));
      for (int i = 0; i < notches; ++i) Next();
      for (int i = 0; i > notches; --i) Previous();
      return 0;
    }
    case WM_LBUTTONDOWN:
      ::SetFocus(Handle());
      if (layout_.canPan && GET_Y_LPARAM(lp) >= Px(kPreviewCaptionHeight)) {
        panning_ = true;
        grabX_ = offsetX_ - GET_X_LPARAM(lp);
        grabY_ = offsetY_ - GET_Y_LPARAM(lp);
        ::SetCapture(Handle());
      }
      return 0;
    case WM_MOUSEMOVE:
      if (panning_ && shown_.image) {
        const int x = PanOffset(grabX_, GET_X_LPARAM(lp), ViewWidth(), static_cast<int>(shown_.image->GetWidth()),
                                offsetX_);
        const int y = PanOffset(grabY_, GET_Y_LPARAM(lp), ViewHeight(), static_cast<int>(shown_.image->GetHeight()),
                                offsetY_);
        if (x != offsetX_ || y != offsetY_) {
          offsetX_ = x;
          offsetY_ = y;
          layout_.offsetX = x;
          layout_.offsetY = y;
          ::InvalidateRect(Handle(), nullptr, FALSE);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (panning_) {
        panning_ = false;
        ::ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      panning_ = false;
      break;
    case WM_LBUTTONDBLCLK:
      if (GET_Y_LPARAM(lp) >= Px(kPreviewCaptionHeight)) ClosePreview();
      return 0;
    case WM_CONTEXTMENU:
      if (open_) ShowMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == Handle()) {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(Handle(), &p);
        const bool overView = p.y >= Px(kPreviewCaptionHeight);
        ::SetCursor(::LoadCursorW(nullptr, overView && layout_.canPan ? IDC_SIZEALL : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      ClosePreview();
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

// While the user moves or sizes the preview, the hidden main window follows it,
// so the program comes back where the user left it.
void TfrmImagePreview::FollowWithMainWindow() {
  HWND mainWindow = main_->Handle();
  RECT m;
  ::GetWindowRect(mainWindow, &m);
  RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT p = WindowRect();
  const IntRect to = CentreMainOnPreview({p.left, p.top, p.right, p.bottom}, m.right - m.left, m.bottom - m.top,
                                         {work.left, work.top, work.right, work.bottom});
  ::SetWindowPos(mainWindow, nullptr, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kolo::win
