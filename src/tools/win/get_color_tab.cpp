#include "tools/win/get_color_tab.h"

#include "widgets/win/picture_controls.h"

#include <memory>

#include "platform/messages.h"
#include "frame/win/main_frame.h"
#include "frame/win/system_cursor.h"
#include "art_ids.h"
#include "widgets/win/gif_image_list.h"

namespace kolo::win {

namespace {

constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;  // 0x40CC0020: layered windows too

}  // namespace

HCURSOR BuildPickCursor(int countBox) {
  const CursorShape shape = PickCursorShape(countBox);
  auto bits = std::make_unique<bool[]>(shape.inverts.size());
  for (std::size_t i = 0; i < shape.inverts.size(); ++i) bits[i] = shape.inverts[i];
  return BuildCursor(shape.width, shape.height, shape.hotX, shape.hotY, bits.get());
}

TGetColorTab::TGetColorTab(TMainFrame& main)
    : TBaseTab(main), mainImages(main.mainImages), scrollImages(main.scrollImages) {
  dragHint = kDrawHint;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = kCaptureSide;
  bi.bmiHeader.biHeight = -kCaptureSide;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  captureBitmap.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  captureBits_ = static_cast<std::uint32_t*>(bits);
  captureDc_.Reset(::CreateCompatibleDC(nullptr));
  if (captureDc_ && captureBitmap) captureOld_ = ::SelectObject(captureDc_, captureBitmap);
  UpdateHints();
}

TGetColorTab::~TGetColorTab() {
  if (captureDc_ && captureOld_) ::SelectObject(captureDc_, captureOld_);
  main_.smallPreview.onMouseDown = nullptr;
  main_.smallPreview.onMouseMove = nullptr;
  main_.smallPreview.onMouseUp = nullptr;
}

void TGetColorTab::CreateControls() {
  Widget& getColorTab = main_.pages.getColorTab;
  if (controlsCreated_ || !getColorTab.Handle()) return;
  controlsCreated_ = true;
  const int width = getColorTab.Width();

  PlacePictureButton(btnGetColor, mainImages, getColorTab, art::kImgGetColorNormal, 4, 0, "",
                     L"get colors from screen");
  PlacePictureButton(btnZoomIn, mainImages, getColorTab, art::kImgZoomInNormal, 31, 2, "", L"zoom in");
  PlacePictureButton(btnZoomOut, mainImages, getColorTab, art::kImgZoomOutNormal, 52, 2, "", L"zoom out");
  PlacePictureButton(btnCopyImage, mainImages, getColorTab, art::kImgCopyImageNormal, 73, 2, "", L"copy image");
  btnGetColor.SetHint("Sget colors from screen");
  btnCopyImage.SetHint("Scopy image");
  btnGetColor.OnClick = [this](Widget&) { btnGetColorClick(); };
  btnZoomIn.OnClick = [this](Widget&) { btnZoomInClick(); };
  btnZoomOut.OnClick = [this](Widget&) { btnZoomOutClick(); };
  // The form left this button unbound; copying is what its picture promises.
  btnCopyImage.OnClick = [this](Widget&) { CopyImage(); };

  PlaceHorizontalSlider(cursorSize, scrollImages, getColorTab, kMinCountBox, kMaxCountBox, 1, 4, 28, width - 8,
                        L"cursor size");
  cursorSize.SetPosition(model_.countBox);
  cursorSize.OnChange = [this](TVMScrollImage&) { cursorSizeChange(); };

  main_.smallPreview.onMouseDown = [this](MouseButton b, unsigned s, int x, int y) { smallPreviewMouseDown(b, s, x, y); };
  main_.smallPreview.onMouseMove = [this](unsigned s, int x, int y) { smallPreviewMouseMove(s, x, y); };
  main_.smallPreview.onMouseUp = [this](MouseButton b, unsigned s, int x, int y) { smallPreviewMouseUp(b, s, x, y); };
}

void TGetColorTab::Activate() {
  CreateControls();
  main_.imgMain.SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  main_.ShowPages(&main_.pages.ImageTab, &main_.pages.colorChangerTab, &main_.PaletteBottomTab(),
                  &main_.pages.getColorTab);
  Repaint(false);
  UpdateHints();
}

void TGetColorTab::UpdateHints() {
  cursorSize.SetHint(model_.CursorSizeHint());
  btnZoomIn.SetHint(model_.ZoomInHint());
  btnZoomIn.SetEnabled(model_.CanZoomIn());
  btnZoomOut.SetHint(model_.ZoomOutHint());
  btnZoomOut.SetEnabled(model_.CanZoomOut());
}

void TGetColorTab::Repaint(bool) {
  model_.DrawGrid(main_.work);
  ShowWorkPicture();
  model_.DrawPreview(previewPixels_.data());
  main_.smallPreview.SetBits24(previewPixels_.data(), kPreviewSide, kPreviewSide);
}

TColor TGetColorTab::ColorAt(int x, int y) { return model_.ColorAt(x, y); }

// --- the pick ---

void TGetColorTab::btnGetColorClick() {
  if (!main_.BeginCapture(CaptureMode::ScreenPick)) return;
  model_.CentreRegion();
  main_.SetToolCursor(BuildPickCursor(model_.countBox));
  // The region may have moved: the grid must show what a click on it takes.
  Repaint(false);
}

void TGetColorTab::CaptureAtCursor() {
  POINT p;
  if (!::GetCursorPos(&p)) return;
  if (p.x == lastCursorX && p.y == lastCursorY) return;
  lastCursorX = p.x;
  lastCursorY = p.y;
  CaptureAround(p.x, p.y);
  Repaint(false);
}

void TGetColorTab::CaptureAround(int x, int y) {
  if (!captureBits_) return;
  // Parts of the square off the screen keep the background colour.
  const std::uint32_t sky = (GetR(clSkyBlue) << 16) | (GetG(clSkyBlue) << 8) | GetB(clSkyBlue);
  for (int i = 0; i < kCaptureSide * kCaptureSide; ++i) captureBits_[i] = sky;
  WindowDc screen(nullptr);
  ::BitBlt(captureDc_, 0, 0, kCaptureSide, kCaptureSide, screen, x - kCaptureSide / 2, y - kCaptureSide / 2,
           kCaptureRop);
  ::GdiFlush();
  model_.SetCaptureFromBgra(captureBits_);
}

// --- zoom, size, pan ---

void TGetColorTab::btnZoomInClick() {
  if (!model_.ZoomIn()) return;
  Repaint(false);
  UpdateHints();
}

void TGetColorTab::btnZoomOutClick() {
  if (!model_.ZoomOut()) return;
  Repaint(false);
  UpdateHints();
}

void TGetColorTab::cursorSizeChange() {
  model_.ChangeCountBox(cursorSize.Position());
  Repaint(false);
  UpdateHints();
}

void TGetColorTab::smallPreviewMouseDown(MouseButton, unsigned, int x, int y) { model_.BeginPan(x, y); }

void TGetColorTab::smallPreviewMouseMove(unsigned, int x, int y) {
  if (model_.panning) {
    if (model_.PanTo(x, y)) Repaint(false);
    return;
  }
  HCURSOR cursor = ::LoadCursorW(nullptr, model_.CanPanAt(x, y) ? IDC_SIZEALL : IDC_ARROW);
  main_.smallPreview.SetCursor(cursor);
  ::SetCursor(cursor);
}

void TGetColorTab::smallPreviewMouseUp(MouseButton, unsigned, int, int) { model_.EndPan(); }

// --- painting by drag ---

TColor TGetColorTab::DraggedColor() const { return main_.DraggedColor(); }

void TGetColorTab::DragOver(HWND, HWND, int x, int y, int state) {
  SetHint(kDrawHint);
  const bool inside = state != kDragLeave && x >= 0 && y >= 0 && x < WorkPicture::kSize && y < WorkPicture::kSize;
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  if (model_.PaintDragOver(x, y, inside, shift, DraggedColor())) Repaint(false);
}

void TGetColorTab::EndDrag(HWND, HWND, int, int, int) { model_.CommitPaint(); }

// --- copy ---

void TGetColorTab::CopyImage() {
  const int n = model_.countBox;
  const auto region = model_.Region();
  std::vector<std::uint32_t> pixels(region.size());
  for (std::size_t i = 0; i < region.size(); ++i)
    pixels[i] = (GetR(region[i]) << 16) | (GetG(region[i]) << 8) | GetB(region[i]);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = n;
  bi.bmiHeader.biHeight = -n;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  WindowDc screen(nullptr);
  Bitmap picture(::CreateCompatibleBitmap(screen, n, n));
  if (!picture || !::SetDIBits(screen, picture, 0, static_cast<UINT>(n), pixels.data(), &bi, DIB_RGB_COLORS)) return;
  if (!::OpenClipboard(main_.Handle())) return;
  ::EmptyClipboard();
  // The clipboard owns the bitmap once it takes it. The history records it like any copy.
  if (::SetClipboardData(CF_BITMAP, picture.Get())) picture.Release();
  ::CloseClipboard();
}

// --- settings ---

void TGetColorTab::LoadSettings(SettingsStore& store) {
  model_.Load(store);
  cursorSize.SetPosition(model_.countBox);
  UpdateHints();
}

void TGetColorTab::SaveSettings(SettingsStore& store) { model_.Save(store); }

}  // namespace kolo::win
