// TfrmMain: the borderless 364x320 main window that hosts the seven tool tabs.
// Creation, tab switching and refresh are in main_window.cpp; the title strip
// and painting in main_window_paint.cpp; input, capture modes and the message
// filter in main_window_input.cpp.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "frame/settings.h"
#include "frame/win/base_tab.h"
#include "widgets/win/image_view.h"
#include "frame/win/main_frame.h"
#include "widgets/win/popup_menu.h"
#include "frame/win/system_cursor.h"
#include "app/win/tab_button.h"
#include "hook/win/hook_binding.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"
#include "widgets/action.h"
#include "widgets/win/combination_panel.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"

namespace kolo::win {

class TPaletteTab;
class TCircleTab;
class TFixColorTab;
class TMixColorTab;
class TGetColorTab;
class TGetImageTab;
class TClipboardTab;
class TPaletteStrip;
class TColorArea;
class TImageBottomPanel;

class TfrmMain : public TMainFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TfrmMain";
  static constexpr wchar_t kTitle[] = L"Kolo";

  // Where settings come from; the program uses the registry, tests a memory store.
  using StoreFactory = std::function<std::unique_ptr<SettingsStore>(bool forWriting)>;

  struct CreateParams {
    bool startInTray = false;    // "/m"
    StoreFactory openStore;      // null: the registry
    bool loadHookLibrary = true;
  };

  TfrmMain();
  ~TfrmMain() override;

  bool Create(const CreateParams& params);

  // --- the tab frame ---
  TBaseTab& CurrentTabObject() override { return *tabs_[currentTab]; }
  TBaseTab* Tab(int index) { return tabs_[static_cast<size_t>(index)].get(); }
  // Replaces a tab object (tests put recording tabs in).
  void SetTab(int index, std::unique_ptr<TBaseTab> tab);
  void ClickTabButton(int index);  // what a click on buttab<index> does
  void ShowCurrentTab();
  void RefreshColors(unsigned char flags) override;
  TabButton& TabButtonAt(int index) { return tabButtons_[static_cast<size_t>(index)]; }

  // --- settings ---
  void LoadSettings();
  void SaveSettings();

  // --- capture modes and global input ---
  bool BeginCapture(CaptureMode mode) override;
  void EndCapture() override;
  HookBinding& Hooks() { return hooks_; }
  SystemCursor& Cursors() { return cursors_; }
  // The application-wide message filter: true when the message was handled.
  bool FilterMessage(const MSG& msg);
  // A hook notification (WM_USER + 1).
  void HandleHookEvent(WPARAM code, LPARAM data);

  // --- chrome ---
  bool SmallMode() const { return options_.runsmall; }
  void SetSmallMode(bool small);
  void LeaveSmallMode() override { SetSmallMode(false); }
  void ToggleSmallMode();
  void ToggleStayOnTop();
  void MinimiseToTray();
  void RestoreFromTray();
  void SetClipboardWatch(bool on);
  bool InClipboardChain() const { return inClipboardChain_; }
  bool TrayIconShown() const { return trayIconShown_; }
  // The help page for what is on screen now.
  std::string HelpUrl() const;
  HWND NextViewer() const { return nextViewer_; }
  void SetCaption(const std::wstring& text);
  const std::wstring& Caption() const { return caption_; }
  void OnApplicationHint(const std::string& hint);

  void BeginColorDrag(TColor c) override;
  std::vector<TColor> StripColors() override;
  int StripTransparentIndex() override;
  void SetStripColors(std::span<const TColor> colors) override;
  bool OpenPaletteInto(std::span<TColor> cells, int& transparentIndex) override;
  void SavePaletteCells(std::span<const TColor> cells, int transparentIndex) override;
  void SetToolCursor(HCURSOR cursor) override;
  // Tells the user that the screen tools cannot run without the hook library.
  void ReportNoHooks();

  // The window's own menu: options, help, about. Options and About act once
  // their windows give handlers.
  TPopupMenu mainPopupMenu;
  // The picture menu of the screenshot list and the main image.
  TPopupMenu GetImagePopupMenu;
  std::function<void()> onOptions;
  std::function<void()> onAbout;
  enum MainMenuItem { mmOptions = 1, mmHelp = 2, mmAbout = 3 };
  // acOptions: runs the options dialog (true when confirmed), then saves the
  // settings, joins or leaves the clipboard chain and passes on the capacities.
  std::function<bool()> optionsDialog;
  void acOptionsExecute();
  void ShowMainMenu(int screenX, int screenY);

  TVMNotRefreshPanel& PaletteBottomTab() override;
  void OnProgramDeactivated(std::function<void()> handler) override {
    deactivationHandlers_.push_back(std::move(handler));
  }

  void MarkHarmonySlots(int count) override;

  HCURSOR squareCursor() const { return squareCursor_.Get(); }
  HCURSOR SquareCursor() const override { return squareCursor_.Get(); }

  // The palette strip (ColorList and its commands) in the bottom pager.
  std::unique_ptr<TPaletteStrip> paletteStrip;
  // The colour slots, the font sample and the layout preview in the right-hand column.
  std::unique_ptr<TColorArea> colorArea;

  // Tabs reach each other through these typed references.
  TPaletteTab* paletteTab = nullptr;
  TCircleTab* circleTab = nullptr;
  TFixColorTab* fixColorTab = nullptr;
  TMixColorTab* mixColorTab = nullptr;
  TGetColorTab* getColorTab = nullptr;
  TGetImageTab* getImageTab = nullptr;
  TClipboardTab* clipboardTab = nullptr;

  // Test probe: called at the save point of a tab switch.
  std::function<void()> onSaved;
  // Colour text in the current format for "C" hints (plain hex until set).
  std::function<std::string(TColor)> colorFormatter;
  // The colour slots and the font sample redraw through these.
  std::function<void(bool rewriteEdit)> onSlotsRefresh;
  std::function<void()> onFontSampleRefresh;
  // Seams the screen tools and the clipboard tab plug into.
  std::function<void()> onClipboardChange;
  std::function<void(int tab)> onScreenPickMove;
  std::function<void(int tab)> onScreenPickEnd;
  std::function<void(CaptureMode, unsigned event, LPARAM data)> onShotEvent;
  std::function<void(bool starting)> onAreaShotWindowMove;
  std::function<bool(POINT, bool press)> areaShotHitTest;
  // Writes the hook library beside the program when it is missing or outdated.
  std::function<void(const std::wstring& path)> hookExtractor;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::map<int, TAction*> imageMenuActions_;  // GetImagePopupMenu's items and their actions
  // creation
  void FormCreate();
  void CreateControls();
  void BuildSharedResources();
  // messages
  void OnActivateInstance();
  void OnApplicationDeactivate();
  void OnClose();
  void OnDestroy();
  void OnPaint();
  LRESULT OnNcHitTest(WPARAM wp, LPARAM lp);
  void OnContextMenu(LPARAM lp);
  static bool IsMenuKey(WPARAM key);
  void OnTimer(UINT_PTR id);
  // title strip and chrome
  void PaintTitleStrip(HDC dc);
  void KeepOnScreen();
  void PlaceOnMonitor();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void ApplySmallMode();
  void LayoutTitleButtons();
  void OnEscape();
  // Keys a running screen tool takes for itself.
  bool IsScreenToolKey(WPARAM key) const;
  void OpenHelp();
  void DrawTitleGlyph(HDC dc, int w, int h, int tag, int state);
  void ApplyStayOnTop();
  void AddTrayIcon();
  void RemoveTrayIcon();
  void JoinClipboardChain();
  void LeaveClipboardChain();
  void BringFirstDialogForward();
  int AskCloseQuestion();
  void CancelAreaShot();
  // colour controls
  void RefreshSlots(bool rewriteEdit);
  void RefreshFontSample();
  // settings
  std::unique_ptr<SettingsStore> OpenStore(bool forWriting);
  std::array<SettingsClient*, 7> TabClients();
  // tabs
  void ForwardImageEvents();
  void CreatePages();
  void SetupImageActions();
  void SetupOptionsAction();
  void SetupImagePopupMenu();

  CreateParams params_;
  std::array<std::unique_ptr<TBaseTab>, 7> tabs_;
  std::array<TabButton, 7> tabButtons_;
  // Title strip buttons: small size, minimise to tray, stay on top, close.
  TabButton btnChangeSize_, btnMinimaze_, ptnToFront_, btnClose_;

  std::wstring caption_ = L"Kolo";
  int fullWidth_ = 0, fullHeight_ = 0;
  HookBinding hooks_;
  SystemCursor cursors_;
  Cursor squareCursor_;
  Cursor toolCursor_;
  Font uiFont_;
  bool destroyed_ = false;
  // The key that ended an area shot: its own key messages, still to come, reach no control.
  WPARAM areaEndKey_ = 0;
  bool inClipboardChain_ = false;
  HWND nextViewer_ = nullptr;
  bool trayIconShown_ = false;
  std::vector<std::function<void()>> deactivationHandlers_;
};

// The process's main window, while it exists.
TfrmMain* MainWindow();

}  // namespace kolo::win
