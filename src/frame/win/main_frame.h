// TMainFrame: what the tabs, the palette strip and the picture tools see of the
// main window. It holds the shared controls (pagers and their pages, the main
// image, the work picture, the image actions), the settings record and the
// program's transient state; the main window (TMainFrame) derives from it and
// alone knows the concrete tabs.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "color/color.h"
#include "frame/settings.h"
#include "frame/win/color_drag.h"
#include "frame/work_picture.h"
#include "frame/win/image_panel.h"
#include "platform/messages.h"
#include "platform/win/window.h"
#include "widgets/action.h"
#include "widgets/win/combination_panel.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/image_view.h"
#include "widgets/win/not_refresh_panel.h"

namespace kolo::win {

class TBaseTab;

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

class TMainFrame : public Window {
 public:
  TMainFrame();
  ~TMainFrame() override;

  // --- the tab frame ---
  virtual TBaseTab& CurrentTabObject() = 0;
  virtual void RefreshColors(unsigned char flags) = 0;

  TColor CurrentColor() const { return ColorSlot(options_, currentSlot); }
  TColor& Slot(int index) { return ColorSlot(options_, index); }

  // --- settings ---
  TKolOptions& Options() { return options_; }
  PaletteStripState& Strip() { return strip_; }

  // --- capture modes and global input ---
  // Starts a mode; false (nothing changes) when another mode runs or there are no hooks.
  virtual bool BeginCapture(CaptureMode mode) = 0;
  // Ends the mode; the hooks go 100 ms later, outside the notification.
  virtual void EndCapture() = 0;
  CaptureMode Capture() const { return captureMode; }
  // A screen tool's cursor: kept (replacing the previous one) and shown in place of the arrow.
  virtual void SetToolCursor(HCURSOR cursor) = 0;

  // Called when another program takes the activation (after the font browser,
  // the value slider and the layout picker are hidden): pop-ups close here.
  virtual void OnProgramDeactivated(std::function<void()> handler) = 0;

  // The options dialog ("Options..." at the end of every menu). After a
  // confirmed dialog the settings are saved and these handlers run: the image
  // lists take their new capacities here.
  TAction acOptions{"acOptions"};
  void OnOptionsConfirmed(std::function<void()> handler) { optionsConfirmedHandlers_.push_back(std::move(handler)); }
  // The window leaves small mode (an area shot ends with the whole window shown).
  virtual void LeaveSmallMode() {}
  // The picture menu at a screen point (the image lists' right click); set by whoever builds it.
  std::function<void(int x, int y)> imagePopup;
  // Marks colour slots 0..count-1 as the wheel's harmony (their frames and copy
  // buttons change); 0 marks none.
  virtual void MarkHarmonySlots(int count) {}

  // Cursor 21, the main image's square cursor (none until the main window built it).
  virtual HCURSOR SquareCursor() const { return nullptr; }

  // Colour drags started from the main image.
  virtual void BeginColorDrag(TColor c) = 0;
  // The colour of the drag in progress, whatever its source: what drop targets paint.
  TColor DraggedColor() const { return ColorDragSlot().Color; }

  // --- the palette strip, for tabs that exchange whole palettes with it ---
  virtual std::vector<TColor> StripColors() = 0;
  // The strip's transparent cell, or -1.
  virtual int StripTransparentIndex() { return strip_.transparentIndex; }
  // Replaces the strip's cells; its selection and transparent mark go and it scrolls to the top.
  virtual void SetStripColors(std::span<const TColor> colors) = 0;
  // The palette open and save commands for any cells, dialogs and messages included;
  // a failed open changes nothing.
  virtual bool OpenPaletteInto(std::span<TColor> cells, int& transparentIndex) = 0;
  virtual void SavePaletteCells(std::span<const TColor> cells, int transparentIndex) = 0;

  // The program wrote the clipboard itself: the clipboard history skips the change.
  std::function<void()> onOwnClipboardWrite;
  void NoteOwnClipboardWrite() {
    if (onOwnClipboardWrite) onOwnClipboardWrite();
  }

  // Image controls of the screenshot and clipboard tabs (the bottom image page).
  void SetImageControls(bool enabled, const std::string& url, int height, int width);
  void CopyImageUrl();
  void ChangeSizeClicked();
  bool ImageControlsEnabled() const;

  // The main window's pictures and the scroll bars' (image lists); controls of
  // every tab draw from them.
  TVMGIFImageList mainImages, scrollImages;

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
  // bottomPager's pages: the palette strip's paletteBottomTab, and the picture
  // tools, built the first time a tab shows them (most sessions never do).
  TImageBottomPanel& ImageBottomTab();
  bool ImageBottomTabBuilt() const { return imageBottomTab_ != nullptr; }
  virtual TVMNotRefreshPanel& PaletteBottomTab() = 0;
  // Switches the pagers as a tab's Activate does; null leaves a pager alone,
  // and `sub` only matters under the colour page.
  void ShowPages(TVMNotRefreshPanel* image, TVMNotRefreshPanel* right, TVMNotRefreshPanel* bottom,
                 TVMNotRefreshPanel* sub = nullptr);

  // Shared controls.
  ImageView imgMain;
  ImageView smallPreview;  // on the screen-colour page
  ImageView& imgTransColor() { return ImageBottomTab().imgTransColor; }
  WorkPicture work;

  // Actions on the current picture, shared by the image page's buttons and menus.
  TAction acViewImage{"acViewImage"}, acSaveImage{"acSaveImage"}, acCopyImage{"acCopyImage"},
      acPrintImage{"acPrintImage"}, acRotateLeft{"acRotateLeft"}, acRotateRight{"acRotateRight"},
      acFlipHoriz{"acFlipHoriz"}, acFlipVertical{"acFlipVertical"}, acDeleteImage{"acDeleteImage"},
      acImageToWeb{"acImageToWeb"}, acPublishOnSite{"acPublishOnSite"}, acViewOnSite{"acViewOnSite"};

  // State named as the rest of the program knows it.
  int currentTab = 0;
  int currentSlot = 0;
  CaptureMode captureMode = CaptureMode::None;
  bool colorDragging = false;
  HWND lastDragTarget = nullptr;

 protected:
  // Makes this the window MainFrame() answers (the main window, once created).
  void BecomeMainFrame();

  TKolOptions options_;
  PaletteStripState strip_;
  std::unique_ptr<TImageBottomPanel> imageBottomTab_;
  std::vector<std::function<void()>> optionsConfirmedHandlers_;
};

// The process's main window, while it exists.
TMainFrame* MainFrame();

}  // namespace kolo::win
