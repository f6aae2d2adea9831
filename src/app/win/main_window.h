// TfrmMain: the borderless 364x320 main window that hosts the seven tool tabs.
// Creation, tab switching and refresh are in main_window.cpp; the title strip
// and painting in main_window_paint.cpp; input, capture modes and the message
// filter in main_window_input.cpp.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/messages.h"
#include "frame/settings.h"
#include "frame/win/base_tab.h"
#include "widgets/win/image_view.h"
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

// Events of a screenshot mode besides the hook events.
inline constexpr unsigned kShotCancel = 100;
inline constexpr unsigned kShotTake = 101;

// Refresh flags of RefreshColors.
enum RefreshFlags : unsigned char {
  rfFullRepaint = 0x01,  // not set: the tab may skip rebuilding its large picture
  rfUpdateEdits = 0x02,
  rfSlotsAndEdit = 0x04,
  rfSlots = 0x08,
  rfFontSample = 0x10,
  rfNothing = 0x20,
  rfReadColor = 0x40,
};

class TfrmMain : public Window {
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
  TBaseTab& CurrentTabObject() { return *tabs_[currentTab]; }
  TBaseTab* Tab(int index) { return tabs_[static_cast<size_t>(index)].get(); }
  // Replaces a tab object (tests put recording tabs in).
  void SetTab(int index, std::unique_ptr<TBaseTab> tab);
  void ClickTabButton(int index);  // what a click on buttab<index> does
  void ShowCurrentTab();
  void RefreshColors(unsigned char flags);
  TabButton& TabButtonAt(int index) { return tabButtons_[static_cast<size_t>(index)]; }

  TColor CurrentColor() const { return ColorSlot(options_, currentSlot); }
  TColor& Slot(int index) { return ColorSlot(options_, index); }

  // --- settings ---
  TKolOptions& Options() { return options_; }
  PaletteStripState& Strip() { return strip_; }
  void LoadSettings();
  void SaveSettings();

  // --- capture modes and global input ---
  // Starts a mode; false (nothing changes) when another mode runs or there are no hooks.
  bool BeginCapture(CaptureMode mode);
  // Ends the mode; the hooks go 100 ms later, outside the notification.
  void EndCapture();
  CaptureMode Capture() const { return captureMode; }
  HookBinding& Hooks() { return hooks_; }
  SystemCursor& Cursors() { return cursors_; }
  // The application-wide message filter: true when the message was handled.
  bool FilterMessage(const MSG& msg);
  // A hook notification (WM_USER + 1).
  void HandleHookEvent(WPARAM code, LPARAM data);

  // --- chrome ---
  bool SmallMode() const { return options_.runsmall; }
  void SetSmallMode(bool small);
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

  // Colour drags started from the main image.
  void BeginColorDrag(TColor c);
  // A screen tool's cursor: kept (replacing the previous one) and shown in place of the arrow.
  void SetToolCursor(HCURSOR cursor);
  // Image controls of the screenshot and clipboard tabs (the bottom image page).
  void SetImageControls(bool enabled, const std::string& url, int height, int width);
  void CopyImageUrl();
  void ChangeSizeClicked();
  bool ImageControlsEnabled() const;
  // Tells the user that the screen tools cannot run without the hook library.
  void ReportNoHooks();

  // The window's own menu: options, help, about. Options and About act once
  // their windows give handlers.
  TPopupMenu mainPopupMenu;
  std::function<void()> onOptions;
  std::function<void()> onAbout;
  enum MainMenuItem { mmOptions = 1, mmHelp = 2, mmAbout = 3 };
  void ShowMainMenu(int screenX, int screenY);

  // The main window's pictures (its image list); controls of every tab draw from it.
  TVMGIFImageList mainImages;

  // The form: four pagers, each showing one page at a time; every tab's
  // Activate picks the pages it needs.
  TVMPagerPanel ImagePager, rightPager, subColorPager, bottomPager;
  struct Pages {
    // ImagePager: the main image (also the drag source of its colours), the
    // mixing picture, the clipboard's pictures.
    TVMNotRefreshPanel ImageTab, MixPaletteImageTab, clipboardImages;
    // rightPager: the colour tools (colour area above subColorPager), the
    // screenshot list, the clipboard's colours.
    TVMNotRefreshPanel colorChangerTab, screenShotTab, clipboardTab;
    // subColorPager: one page per colour tab.
    TVMNotRefreshPanel paletteTab, circleTab, fixColorTab, mixColorTab, getColorTab;
  } pages;
  // bottomPager's pages: the palette strip's paletteBottomTab, and this one.
  std::unique_ptr<TImageBottomPanel> imageBottomTab;
  TVMNotRefreshPanel& PaletteBottomTab();
  // Switches the pagers as a tab's Activate does; null leaves a pager alone,
  // and `sub` only matters under the colour page.
  void ShowPages(TVMNotRefreshPanel* image, TVMNotRefreshPanel* right, TVMNotRefreshPanel* bottom,
                 TVMNotRefreshPanel* sub = nullptr);

  // Shared controls.
  ImageView imgMain;
  ImageView smallPreview;  // on the screen-colour page
  ImageView& imgTransColor();
  WorkPicture work;

  // Actions on the current picture, shared by the image page's buttons and menus.
  TAction acViewImage{"acViewImage"}, acSaveImage{"acSaveImage"}, acCopyImage{"acCopyImage"},
      acPrintImage{"acPrintImage"}, acRotateLeft{"acRotateLeft"}, acRotateRight{"acRotateRight"},
      acFlipHoriz{"acFlipHoriz"}, acFlipVertical{"acFlipVertical"}, acDeleteImage{"acDeleteImage"},
      acImageToWeb{"acImageToWeb"}, acPublishOnSite{"acPublishOnSite"}, acViewOnSite{"acViewOnSite"};
  HCURSOR squareCursor() const { return squareCursor_.Get(); }

  // State named as the rest of the program knows it.
  int currentTab = 0;
  int currentSlot = 0;
  CaptureMode captureMode = CaptureMode::None;
  bool colorDragging = false;
  HWND lastDragTarget = nullptr;
  TColor dragColor = clEmptyColor;

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
  // creation
  void FormCreate();
  void CreateControls();
  void BuildSharedResources();
  // messages
  void OnActivateInstance();
  void OnClose();
  void OnDestroy();
  void OnPaint();
  LRESULT OnNcHitTest(WPARAM wp, LPARAM lp);
  void OnTimer(UINT_PTR id);
  // title strip and chrome
  void PaintTitleStrip(HDC dc);
  void KeepOnScreen();
  void ApplySmallMode();
  void LayoutTitleButtons();
  void OnEscape();
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

  CreateParams params_;
  TKolOptions options_;
  PaletteStripState strip_;
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
  bool inClipboardChain_ = false;
  HWND nextViewer_ = nullptr;
  bool trayIconShown_ = false;
};

// Puts text on the clipboard (the clipboard tab skips this change of our own).
bool CopyTextToClipboard(const std::wstring& text);
// The clipboard's text, if it holds any.
std::optional<std::string> ReadClipboardText();

// The process's main window, while it exists.
TfrmMain* MainWindow();

}  // namespace kolo::win
