#include "app/win/main_window.h"


#include "frame/cursor_shapes.h"
#include "platform/win/ui_scale.h"
#include "widgets/win/monitors.h"
#include "color/color_text.h"
#include "frame/main_layout.h"
#include "app/win/color_area.h"
#include "app/win/picture_lists.h"
#include "widgets/win/forms.h"
#include "frame/win/image_panel.h"
#include "frame/win/registry_store_win.h"
#include "frame/win/system_win.h"
#include "clipboard/win/clipboard_tab.h"
#include "images/win/get_image_tab.h"
#include "palette/win/palette_strip.h"
#include "platform/win/hints.h"
#include "tools/win/circle_tab.h"
#include "tools/win/fix_color_tab.h"
#include "tools/win/get_color_tab.h"
#include "tools/win/mix_color_tab.h"
#include "tools/win/palette_tab.h"

namespace kolo::win {

namespace {
constexpr UINT_PTR kUnhookTimer = 1;
constexpr UINT kUnhookDelayMs = 100;

constexpr const char* kTabHints[7] = {"Scolor picker",       "Scolor wheel",        "Scolor palette",
                                      "Smix colors",         "Scolors from screen", "Simages from screen",
                                      "Sclipboard viewer"};
}  // namespace

TfrmMain* MainWindow() { return static_cast<TfrmMain*>(MainFrame()); }

TfrmMain::TfrmMain() {
  hookExtractor = [](const std::wstring& path) { ExtractHookLibrary(path); };
}

TfrmMain::~TfrmMain() = default;

bool TfrmMain::Create(const CreateParams& params) {
  params_ = params;
  HICON icon = ::LoadIconW(Instance(), MAKEINTRESOURCEW(1));
  RegisterClassOnce(kClassName, CS_DBLCLKS, nullptr, icon);
  BecomeMainFrame();
  // Made at the primary monitor's factor; FormCreate moves it to its own monitor.
  SetUiScale(ScaleForDpi(WindowDpi(nullptr)));
  RECT r = PxRect({0, 0, layout::kClientWidth, layout::kClientHeight});
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU;
  const DWORD exStyle = WS_EX_APPWINDOW;
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  CreateWin(kClassName, kTitle, style, exStyle, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
            r.bottom - r.top, nullptr);
  return Handle() != nullptr;
}

// The creation handler, step by step as the program has always started.
void TfrmMain::FormCreate() {
  captureMode = CaptureMode::None;
  colorDragging = false;
  colorFormatter = [this](TColor c) { return FormatColor(c, options_.ColorFormat); };
  ::SetWindowTextW(Handle(), kTitle);
  BuildSharedResources();
  CreateControls();

  tabs_[0] = std::make_unique<TPaletteTab>(*this);
  tabs_[1] = std::make_unique<TCircleTab>(*this);
  tabs_[2] = std::make_unique<TFixColorTab>(*this);
  tabs_[3] = std::make_unique<TMixColorTab>(*this);
  tabs_[4] = std::make_unique<TGetColorTab>(*this);
  tabs_[5] = std::make_unique<TGetImageTab>(*this);
  tabs_[6] = std::make_unique<TClipboardTab>(*this, MakePictureList(), MakePictureFiles());
  paletteTab = static_cast<TPaletteTab*>(tabs_[0].get());
  circleTab = static_cast<TCircleTab*>(tabs_[1].get());
  fixColorTab = static_cast<TFixColorTab*>(tabs_[2].get());
  mixColorTab = static_cast<TMixColorTab*>(tabs_[3].get());
  getColorTab = static_cast<TGetColorTab*>(tabs_[4].get());
  getImageTab = static_cast<TGetImageTab*>(tabs_[5].get());
  clipboardTab = static_cast<TClipboardTab*>(tabs_[6].get());
  // Screen sampling while the magnifier is not the current tab is the screen palette's.
  onScreenPickMove = [this](int) {
    if (auto* fix = dynamic_cast<TFixColorTab*>(tabs_[2].get())) fix->SampleAtCursor();
  };
  onShotEvent = [this](CaptureMode mode, unsigned event, LPARAM data) { getImageTab->ShotEvent(mode, event, data); };
  areaShotHitTest = [this](POINT p, bool press) { return getImageTab->AreaShotWants(p, press); };
  onAreaShotWindowMove = [this](bool starting) { getImageTab->AreaShotWindowMove(starting); };
  clipboardTab->operations = MakePictureOperations(*this);
  clipboardTab->SkipNextChange = true;
  onOwnClipboardWrite = [this] { clipboardTab->SkipNextChange = true; };
  onClipboardChange = [this] { clipboardTab->CaptureClipboard(); };
  clipboardTab->ClipboardColorList.CopyPopup = &colorArea->ColorFormatPopupMenu;

  RECT wr = WindowRect();
  fullWidth_ = Lg(wr.right - wr.left);
  fullHeight_ = Lg(wr.bottom - wr.top);

  LoadSettings();
  PlaceOnMonitor();
  ApplyStayOnTop();
  ApplySmallMode();
  ShowCurrentTab();
  cursors_.TakeArrowCopy();
  currentSlot = 0;
  RefreshColors(0x37);

  if (params_.loadHookLibrary) {
    const std::wstring path = DataFolder() + L"kolod.dll";
    if (hookExtractor) hookExtractor(path);
    hooks_.Load(path);
  }
  if (options_.clipboardHook) JoinClipboardChain();
  if (params_.startInTray) MinimiseToTray();
  clipboardTab->SkipNextChange = false;
  ::DeleteFileW((ProgramFolder() + L"Kolo_last.exe").c_str());
}

void TfrmMain::BuildSharedResources() {
  work.ClearBuffer();
  const CursorShape shape = SquareCursorShape();
  bool bits[13 * 13];
  for (int i = 0; i < 13 * 13; ++i) bits[i] = shape.inverts[static_cast<size_t>(i)];
  squareCursor_.Reset(BuildCursor(shape.width, shape.height, shape.hotX, shape.hotY, bits));
}

void TfrmMain::SetTab(int index, std::unique_ptr<TBaseTab> tab) {
  tabs_[static_cast<size_t>(index)] = std::move(tab);
}

void TfrmMain::ClickTabButton(int index) {
  if (index < 0 || index >= 7 || !tabButtons_[static_cast<size_t>(index)].Enabled()) return;
  tabButtons_[static_cast<size_t>(index)].SetEnabled(false);
  CurrentTabObject().Deactivate();
  currentTab = index;
  SaveSettings();
  if (onSaved) onSaved();
  ShowCurrentTab();
}

void TfrmMain::ShowCurrentTab() {
  for (int i = 0; i < 7; ++i) tabButtons_[static_cast<size_t>(i)].SetEnabled(i != currentTab);
  CurrentTabObject().Activate();
}

void TfrmMain::RefreshColors(unsigned char flags) {
  TBaseTab& tab = CurrentTabObject();
  if (flags & rfReadColor) tab.ReadCurrentColor();
  tab.Repaint((flags & rfFullRepaint) == 0);
  if (flags & rfUpdateEdits) tab.UpdateEdits();
  if (flags & (rfSlotsAndEdit | rfSlots)) RefreshSlots((flags & rfSlotsAndEdit) != 0);
  if (flags & rfFontSample) RefreshFontSample();
}

std::unique_ptr<SettingsStore> TfrmMain::OpenStore(bool forWriting) {
  if (params_.openStore) return params_.openStore(forWriting);
  return OpenRegistrySettings(forWriting);
}

std::array<SettingsClient*, 7> TfrmMain::TabClients() {
  std::array<SettingsClient*, 7> clients{};
  for (int i = 0; i < 7; ++i) clients[static_cast<size_t>(i)] = tabs_[static_cast<size_t>(i)].get();
  return clients;
}

// The kept logical position back on its monitor, at that monitor's factor.
void TfrmMain::PlaceOnMonitor() {
  const WindowPlacement place = PlaceWindow(Monitors(), {options_.x, options_.y}, {fullWidth_, fullHeight_});
  if (place.scale != UiScale()) {
    const int from = UiScale();
    SetUiScale(place.scale);
    RescaleWindows(from);
  }
  ::SetWindowPos(Handle(), nullptr, place.device.x, place.device.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window met a monitor of another density: every window is redrawn at the
// new factor, the main window where the system suggests.
void TfrmMain::OnDpiChanged(int dpi, const RECT& suggested) {
  const int scale = ScaleForDpi(dpi);
  if (scale != UiScale()) {
    const int from = UiScale();
    SetUiScale(scale);
    RescaleWindows(from);
  }
  ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::LoadSettings() {
  LoadEnvironment env = CurrentLoadEnvironment(fullWidth_, fullHeight_);
  env.placedByMonitor = true;
  // The first start centres the window on the primary monitor, in logical pixels.
  env.screenWidth = Lg(env.screenWidth);
  env.screenHeight = Lg(env.screenHeight);
  auto store = OpenStore(false);
  auto clients = TabClients();
  kolo::LoadSettings(store.get(), env, options_, strip_, clients);
  currentTab = options_.crntPage;
  if (paletteStrip) paletteStrip->LoadFromSettings();
}

void TfrmMain::SaveSettings() {
  LiveWindowState live;
  RECT wr = WindowRect();
  const IntPoint at = ToLogicalPosition(Monitors(), {wr.left, wr.top});
  live.left = at.x;
  live.top = at.y;
  live.fullWidth = fullWidth_;
  live.currentWidth = Lg(wr.right - wr.left);
  live.smallMode = options_.runsmall;
  live.imgPreviewId = options_.imgPreviewId;
  options_.crntPage = static_cast<std::uint8_t>(currentTab);
  if (paletteStrip) paletteStrip->StoreToSettings();
  auto store = OpenStore(true);
  auto clients = TabClients();
  kolo::SaveSettings(store.get(), live, options_, strip_, clients);
}

void TfrmMain::OnActivateInstance() {
  if (!IsVisible() && !IsFormVisible(SecondaryForm::ImagePreview)) {
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    RemoveTrayIcon();
  }
  if (options_.runsmall) SetSmallMode(false);
  ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!options_.stayonTop)
    ::SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  BringFirstDialogForward();
  KeepOnScreen();
}

void TfrmMain::KeepOnScreen() {
  // Inside the monitor the window is on (or nearest to): monitors may lie left
  // of or above the primary one.
  RECT r = WindowRect();
  const RECT m = MonitorRectOf(Handle());
  int x = r.left, y = r.top;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (x + w > m.right) x = m.right - w;
  if (x < m.left) x = m.left;
  if (y + h > m.bottom) y = m.bottom - h;
  if (y < m.top) y = m.top;
  if (x != r.left || y != r.top)
    ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::OnClose() {
  SaveSettings();
  if (options_.confirmClose) {
    const int answer = AskCloseQuestion();
    if (answer == kResultMinimise) MinimiseToTray();
    if (answer != kResultYes) return;
  }
  ::DestroyWindow(Handle());
}

void TfrmMain::OnDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (captureMode == CaptureMode::AreaShot) CancelAreaShot();
  for (auto& tab : tabs_) tab.reset();
  toolCursor_.Reset();
  squareCursor_.Reset();
  RemoveTrayIcon();
  cursors_.RestoreArrow();
  ::KillTimer(Handle(), kUnhookTimer);
  hooks_.Free();
  if (options_.clipboardHook) LeaveClipboardChain();
  ::PostQuitMessage(0);
}

bool TfrmMain::BeginCapture(CaptureMode mode) {
  if (captureMode != CaptureMode::None) return false;
  if (!hooks_.Loaded()) {
    ReportNoHooks();
    return false;
  }
  // A mode started within 100 ms of the last one ending must keep its hooks.
  ::KillTimer(Handle(), kUnhookTimer);
  captureMode = mode;
  // The area selection's own window must keep receiving the mouse.
  if (!hooks_.Hook(mode == CaptureMode::AreaShot)) {
    captureMode = CaptureMode::None;
    ReportNoHooks();
    return false;
  }
  return true;
}

void TfrmMain::EndCapture() {
  captureMode = CaptureMode::None;
  ::SetTimer(Handle(), kUnhookTimer, kUnhookDelayMs, nullptr);
}

void TfrmMain::OnTimer(UINT_PTR id) {
  if (id != kUnhookTimer) return;
  ::KillTimer(Handle(), kUnhookTimer);
  hooks_.Unhook();
  cursors_.RestoreArrow();
}

void TfrmMain::SetToolCursor(HCURSOR cursor) {
  toolCursor_.Reset(cursor);
  cursors_.ReplaceArrow(cursor);
}

std::vector<TColor> TfrmMain::StripColors() {
  if (!paletteStrip) return {};
  const auto& cells = paletteStrip->ColorList.Colors();
  return {cells.begin(), cells.end()};
}

int TfrmMain::StripTransparentIndex() {
  return paletteStrip ? paletteStrip->ColorList.TransparentIndex() : strip_.transparentIndex;
}

void TfrmMain::SetStripColors(std::span<const TColor> colors) {
  if (paletteStrip) paletteStrip->ColorList.SetColors(colors);
}

bool TfrmMain::OpenPaletteInto(std::span<TColor> cells, int& transparentIndex) {
  if (colorArea) colorArea->CloseTextEdit();
  return paletteStrip && paletteStrip->OpenPaletteInto(cells, transparentIndex);
}

void TfrmMain::SavePaletteCells(std::span<const TColor> cells, int transparentIndex) {
  if (colorArea) colorArea->CloseTextEdit();
  if (paletteStrip) paletteStrip->SavePaletteCells(cells, transparentIndex);
}

void TfrmMain::MarkHarmonySlots(int count) {
  if (!colorArea) return;
  for (int i = 0; i < kSlotCount; ++i) colorArea->SetSlotMarked(i, i < count);
}

// The colour goes into the program's drag slot; the palette strip builds the cursor.
void TfrmMain::BeginColorDrag(TColor c) {
  ColorDragSlot().Color = c;
  if (paletteStrip) paletteStrip->ColorList.StartColorDrag(c);
}

}  // namespace kolo::win
