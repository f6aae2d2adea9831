#include "tools/win/fix_color_tab.h"

#include "widgets/win/picture_controls.h"

#include "art_ids.h"
#include "color/color_text.h"
#include "frame/win/clipboard_text.h"
#include "frame/win/main_frame.h"
#include "color/fixed_palettes.h"
#include "platform/messages.h"
#include "tools/win/get_color_tab.h"

namespace kolo::win {

namespace {

constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;  // layered windows too

}  // namespace

TFixColorTab::TFixColorTab(TMainFrame& main)
    : TBaseTab(main), mainImages(main.mainImages), scrollImages(main.scrollImages) {
  acFixSave.SetHint("Save palette..");
  acFixLoad.SetHint("Open palette...");
  acFixSave.OnExecute = [this] { acFixSaveExecute(); };
  acFixLoad.OnExecute = [this] { acFixLoadExecute(); };
  BuildMenu();
  UpdateControls();
}

TFixColorTab::~TFixColorTab() = default;

void TFixColorTab::CreateControls() {
  Widget& page = main_.pages.fixColorTab;
  if (controlsCreated_ || !page.Handle()) return;
  controlsCreated_ = true;
  using namespace art;
  struct Fixed {
    TVMPictureButton& button;
    int image;
    const char* hint;
  };
  const Fixed fixed[] = {{btnFixPalette1, kImgFixedWebNormal, "Sset Web palette"},
                         {btnFixPalette2, kImgFixedGrayNormal, "Sset grayscale palette"},
                         {btnFixPalette3, kImgFixedWinNormal, "Sset windows palette"},
                         {btnFixPalette4, kImgFixedMacNormal, "Sset Mac palette"}};
  for (int i = 0; i < 4; ++i) {
    PlacePictureButton(fixed[i].button, mainImages, page, fixed[i].image, 1 + 24 * i, 3, fixed[i].hint);
    fixed[i].button.OnClick = [this, tag = i + 1](Widget&) { btnFixPalette1Click(tag); };
  }
  PlacePictureButton(VMPictureButton8, mainImages, page, kImgRandomPaletteNormal, 4, 21, "Sset random palette");
  PlacePictureButton(VMPictureButton1, mainImages, page, kImgGradientPaletteNormal, 27, 21, "Sset gradient palette");
  PlacePictureButton(VMPictureButton7, mainImages, page, kImgStripPaletteNormal, 50, 21, "Sset bottom palette");
  PlacePictureButton(VMPictureButton12, mainImages, page, kImgCornerColorsNormal, 73, 21,
                     "Bset colors to gradient border");
  VMPictureButton8.OnClick = [this](Widget&) { VMPictureButton8Click(); };
  VMPictureButton1.OnClick = [this](Widget&) { VMPictureButton1Click(); };
  VMPictureButton7.OnClick = [this](Widget&) { VMPictureButton7Click(); };
  VMPictureButton12.OnClick = [this](Widget&) { VMPictureButton12Click(); };

  PlaceHorizontalSlider(scrFixGradCount, scrollImages, page, 0, kMaxGradCount, 2, 4, 44, page.Width() - 8,
                        L"gradient colors");
  scrFixGradCount.OnChange = [this](TVMScrollImage&) { scrFixGradCountChange(); };

  PlacePictureButton(VMPictureButton6, mainImages, page, kImgScreenPaletteNormal, 4, 60, "Sget palette from screen");
  VMPictureButton6.OnClick = [this](Widget&) { VMPictureButton6Click(); };
  PlaceHorizontalSlider(scrFixCursorSize, scrollImages, page, kMinScreenBox, kMaxScreenBox, 10, 27, 65,
                        page.Width() - 31, L"cursor size");
  scrFixCursorSize.OnChange = [this](TVMScrollImage&) { scrFixCursorSizeChange(); };
}

void TFixColorTab::BuildMenu() {
  FixColorPopupMenu.Add(FixMenuCopy, "Copy");
  FixColorPopupMenu.Add(FixMenuPast, "Past");
  FixColorPopupMenu.Add(FixMenuClear, "Clear");
  FixColorPopupMenu.AddSeparator();
  FixColorPopupMenu.Add(FixMenuErase, "Erase not unique");
  FixColorPopupMenu.Add(FixMenuCopyAll, "Copy palette to bottom ");
  FixColorPopupMenu.AddSeparator();
  FixColorPopupMenu.Add(FixMenuLoad, acFixLoad.Hint());
  FixColorPopupMenu.Add(FixMenuSave, acFixSave.Hint());
  FixColorPopupMenu.OnPopup = [this] { FixColorPopupMenuPopup(); };
  FixColorPopupMenu.OnCommand = [this](int id) { RunMenuCommand(id); };
}

void TFixColorTab::UpdateControls() {
  TVMPictureButton* fixed[] = {&btnFixPalette1, &btnFixPalette2, &btnFixPalette3, &btnFixPalette4};
  for (int i = 0; i < 4; ++i) fixed[i]->SetEnabled(i != model_.paletteType);
  scrFixGradCount.SetPosition(model_.gradCount);
  scrFixGradCount.SetHint(model_.GradCountHint());
  scrFixCursorSize.SetPosition(model_.screenBoxSize);
  scrFixCursorSize.SetHint(model_.CursorSizeHint());
}

void TFixColorTab::Changed() {
  UpdateControls();
  Repaint(false);
}

void TFixColorTab::Activate() {
  CreateControls();
  main_.imgMain.SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  main_.ShowPages(&main_.pages.ImageTab, &main_.pages.colorChangerTab, &main_.PaletteBottomTab(),
                  &main_.pages.fixColorTab);
  menuAttached_ = true;
  UpdateControls();
  Repaint(false);
}

void TFixColorTab::Deactivate() { menuAttached_ = false; }

void TFixColorTab::Repaint(bool) {
  model_.Draw(main_.work, main_.CurrentColor());
  ShowWorkPicture();
}

TColor TFixColorTab::ColorAt(int x, int y) { return model_.ColorAt(x, y); }

void TFixColorTab::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  TBaseTab::MouseUp(button, shift, x, y);
  if (button != MouseButton::Right || !menuAttached_) return;
  const POINT screen = LogicalToScreen(main_.imgMain.Handle(), {x, y});
  ShowCellMenu(x, y, screen.x, screen.y);
}

// --- the buttons ---

void TFixColorTab::btnFixPalette1Click(int tag) {
  model_.SetStandard(tag - 1);
  Changed();
}

void TFixColorTab::VMPictureButton8Click() {
  static std::mt19937 rng = SeededGenerator();
  model_.SetRandom(rng);
  Changed();
}

void TFixColorTab::VMPictureButton1Click() {
  model_.SetGradient({main_.Slot(0), main_.Slot(1), main_.Slot(2), main_.Slot(3)});
  Changed();
}

void TFixColorTab::VMPictureButton7Click() {
  const std::vector<TColor> strip = main_.StripColors();
  model_.SetCells(strip);
  Changed();
}

void TFixColorTab::VMPictureButton12Click() {
  model_.SlotsToCorners({main_.Slot(0), main_.Slot(1), main_.Slot(2), main_.Slot(3)});
  Changed();
}

void TFixColorTab::scrFixGradCountChange() {
  model_.SetGradCount(scrFixGradCount.Position());
  scrFixGradCount.SetHint(model_.GradCountHint());
  Repaint(false);
}

void TFixColorTab::scrFixCursorSizeChange() {
  model_.SetScreenBoxSize(scrFixCursorSize.Position());
  scrFixCursorSize.SetHint(model_.CursorSizeHint());
}

// --- palette from the screen ---

void TFixColorTab::VMPictureButton6Click() {
  if (!main_.BeginCapture(CaptureMode::ScreenPick)) return;
  model_.paletteType = fptCustom;
  lastSampleX = lastSampleY = -1;
  main_.SetToolCursor(BuildPickCursor(model_.screenBoxSize));
  UpdateControls();
}

void TFixColorTab::SampleAtCursor() {
  POINT p;
  if (!::GetCursorPos(&p)) return;
  if (p.x == lastSampleX && p.y == lastSampleY) return;
  lastSampleX = p.x;
  lastSampleY = p.y;
  SampleAround(p.x, p.y);
}

void TFixColorTab::SampleAround(int x, int y) {
  // Only the monitor the point is on: a square at its edge never reads a neighbour's pixels.
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (::GetMonitorInfoW(::MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &mi)) screen = mi.rcMonitor;
  const SampleArea area =
      ClipSampleSquare(x, y, model_.screenBoxSize, screen.left, screen.top, screen.right, screen.bottom);
  if (area.width <= 0 || area.height <= 0) return;

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = kMaxScreenBox;
  bi.bmiHeader.biHeight = -kMaxScreenBox;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  Bitmap screenBitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!screenBitmap || !dc || !bits) return;
  SelectScope select(dc, screenBitmap.Get());
  WindowDc desktop(nullptr);
  if (!::BitBlt(dc, 0, 0, area.width, area.height, desktop, area.left, area.top, kCaptureRop)) return;
  ::GdiFlush();
  model_.SetScreenColors(MostFrequentColors(static_cast<const std::uint32_t*>(bits), area.width, area.height,
                                            kMaxScreenBox));
  Repaint(false);
}

// --- the cell menu ---

bool TFixColorTab::clipboardHasColor() const {
  auto text = ReadClipboardText();
  return text && ParseColor(*text, main_.Options().ColorFormat).has_value();
}

void TFixColorTab::ShowCellMenu(int x, int y, int screenX, int screenY) {
  menuIndex = model_.HitAt(x, y);
  menuColor = model_.ColorAt(x, y);
  FixColorPopupMenu.Popup(main_.Handle(), screenX, screenY);
}

void TFixColorTab::FixColorPopupMenuPopup() {
  const FixMenuState s = model_.MenuState(menuIndex, menuColor, menuIndex.has_value() && clipboardHasColor());
  FixColorPopupMenu.SetEnabled(FixMenuCopy, s.copy);
  FixColorPopupMenu.SetEnabled(FixMenuPast, s.paste);
  FixColorPopupMenu.SetEnabled(FixMenuClear, s.clear);
}

void TFixColorTab::RunMenuCommand(int id) {
  switch (id) {
    case FixMenuCopy:
      if (!IsEmptyColor(menuColor)) CopyTextToClipboard(Widen(FormatColor(menuColor, main_.Options().ColorFormat)));
      break;
    case FixMenuPast: {
      auto text = ReadClipboardText();
      auto c = text ? ParseColor(*text, main_.Options().ColorFormat) : std::nullopt;
      if (menuIndex && c && model_.Paste(*menuIndex, *c)) Changed();
      break;
    }
    case FixMenuClear:
      if (menuIndex && model_.Clear(*menuIndex)) Changed();
      break;
    case FixMenuErase:
      model_.EraseNotUnique();
      Changed();
      break;
    case FixMenuCopyAll:
      main_.SetStripColors(model_.cells);
      break;
    case FixMenuLoad: acFixLoad.Execute(); break;
    case FixMenuSave: acFixSave.Execute(); break;
    default: break;
  }
}

void TFixColorTab::acFixLoadExecute() {
  FixCells loaded = model_.cells;
  int transparent = -1;
  if (!main_.OpenPaletteInto(loaded, transparent)) return;
  model_.SetCells(loaded);
  Changed();
}

void TFixColorTab::acFixSaveExecute() { main_.SavePaletteCells(model_.cells, -1); }

// --- painting by drag ---

void TFixColorTab::DragOver(HWND, HWND, int x, int y, int state) {
  const bool inside = state != kDragLeave && x >= 0 && y >= 0 && x < WorkPicture::kSize && y < WorkPicture::kSize;
  if (model_.PaintDragOver(x, y, inside, main_.DraggedColor())) Repaint(false);
}

void TFixColorTab::EndDrag(HWND, HWND, int, int, int) {
  model_.CommitPaint();
  UpdateControls();
}

// --- settings ---

void TFixColorTab::LoadSettings(SettingsStore& store) {
  model_.Load(store);
  UpdateControls();
}

void TFixColorTab::SaveSettings(SettingsStore& store) { model_.Save(store); }

}  // namespace kolo::win
