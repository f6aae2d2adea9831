// The screen colour picker tab inside a real main window: what the main image
// and the small preview show, its controls, the pick through the hook library
// with real input, copying and the stored settings.
#include "tools/win/get_color_tab.h"

#include <gtest/gtest.h>

#include "frame/shared_store.h"

#include <memory>
#include <string>
#include <vector>

#include "../../hook/win/input_util.h"
#include "frame/memory_store.h"
#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "palette/win/palette_strip.h"
#include "widgets/win/message_box_win.h"
#include "clipboard/win/clipboard_tab.h"
#include "frame/win/clipboard_text.h"
#include "hook/hook_events.h"

namespace kolo::win {
namespace {

using kolo::testing::InputTarget;
using kolo::testing::MoveMouseTo;
using kolo::testing::Pump;
using kolo::testing::PumpUntil;

using kolo::testing::SharedStore;

TColor Distinct(int x, int y) { return MakeColor(x * 7 + 3, y * 7 + 5, (x * 32 + y) & 0xFF); }

// Top-down 0x00RRGGBB canvas pixels as a TColor.
TColor CanvasAt(const ImageView& v, int x, int y) {
  const std::uint32_t p = v.Pixels()[y * v.CanvasWidth() + x];
  return MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }

class GetColorTabTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(false); }
  void TearDown() override {
    Close();
    SetMessageBoxShownHook({});
  }
  void Open(bool withHooks) {
    main_ = std::make_unique<TfrmMain>();
    store_.WriteInteger("crntPage", 4);
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<SharedStore>(store_); };
    p.loadHookLibrary = withHooks;
    ASSERT_TRUE(main_->Create(p));
    tab_ = dynamic_cast<TGetColorTab*>(main_->Tab(4));
    ASSERT_NE(tab_, nullptr);
    ASSERT_EQ(main_->currentTab, 4);
  }
  void Close() {
    if (main_ && main_->Handle()) ::DestroyWindow(main_->Handle());
    main_.reset();
    Pump(10);
  }
  void FillDistinct() {
    for (int y = 0; y < kCaptureSide; ++y)
      for (int x = 0; x < kCaptureSide; ++x) tab_->Model().SetPixel(x, y, Distinct(x, y));
  }
  void SetSize(int n) {
    tab_->cursorSize.SetPosition(n);
    tab_->cursorSizeChange();
  }
  void ClickImage(int x, int y) {
    HWND img = main_->imgMain.Handle();
    ::SendMessageW(img, WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y));
    ::SendMessageW(img, WM_LBUTTONUP, 0, Pt(x, y));
  }
  void ClickButton(Widget& b) {
    ::SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, Pt(3, 3));
    ::SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(3, 3));
    ::SendMessageW(b.Handle(), WM_LBUTTONUP, 0, Pt(3, 3));
  }

  MemoryStore store_;
  std::unique_ptr<TfrmMain> main_;
  TGetColorTab* tab_ = nullptr;
};

TEST_F(GetColorTabTest, GridOnTheMainImageAndClickingACell) {
  FillDistinct();
  for (int n : {2, 7, 15, 16, 32}) {
    SCOPED_TRACE(n);
    SetSize(n);
    const GetColorModel& m = tab_->Model();
    const int cell = 256 / n, off = (256 - n * cell) / 2;
    // Region row r (0 at the top) is on screen from y = 255 - off - (n - r) * cell + 1 down.
    for (int r : {0, n - 1}) {
      for (int i : {0, n / 2, n - 1}) {
        const int left = off + i * cell;
        const int top = 255 - (off + (n - 1 - r) * cell + cell - 2);  // the cell's top outline on screen
        const TColor pixel = Distinct(m.prevLeft + i, m.prevTop + r);
        EXPECT_EQ(CanvasAt(main_->imgMain, left, top), clFrame);
        EXPECT_EQ(CanvasAt(main_->imgMain, left + cell - 2, top + cell - 2), clFrame);
        EXPECT_EQ(CanvasAt(main_->imgMain, left + 1, top + 1), pixel);
        EXPECT_EQ(CanvasAt(main_->imgMain, left + cell - 3, top + cell - 3), pixel);
        if (top > 0) EXPECT_EQ(CanvasAt(main_->imgMain, left + 1, top - 1), clSkyBlue) << "gap above";
        EXPECT_EQ(tab_->ColorAt(left + 1, top + 1), pixel);
        EXPECT_EQ(tab_->ColorAt(left + 1, top), clEmptyColor) << "the top outline is the far line";
        EXPECT_EQ(tab_->ColorAt(left + cell - 2, top + 2), clEmptyColor);
      }
    }
  }
  // A click on a cell makes its colour the current colour.
  SetSize(7);
  const GetColorModel& m = tab_->Model();
  ClickImage(2 + 36 + 10, 2 + 10);  // region column 1, top row
  EXPECT_EQ(main_->CurrentColor(), Distinct(m.prevLeft + 1, m.prevTop));
  const TColor before = main_->CurrentColor();
  ClickImage(2 + 36 + 35, 2 + 10);  // the gap: no colour, nothing changes
  EXPECT_EQ(main_->CurrentColor(), before);
}

TEST_F(GetColorTabTest, PreviewFrameAndBlocks) {
  FillDistinct();
  SetSize(16);  // 1x: blocks 30..45, frame 29 and 46
  const auto& pv = main_->smallPreview;
  const GetColorModel& m = tab_->Model();
  // Buffer row b is screen row 75 - b.
  EXPECT_EQ(CanvasAt(pv, 29, 75 - 29), clFrame);
  EXPECT_EQ(CanvasAt(pv, 46, 75 - 46), clFrame);
  EXPECT_EQ(CanvasAt(pv, 28, 75 - 29), clSkyBlue);
  EXPECT_EQ(CanvasAt(pv, 30, 75 - 30), Distinct(m.prevLeft, m.prevTop + 15)) << "lowest row at the bottom";
  EXPECT_EQ(CanvasAt(pv, 45, 75 - 45), Distinct(m.prevLeft + 15, m.prevTop));
  tab_->btnZoomInClick();  // 2x: poff 22, blocks of 2
  EXPECT_EQ(CanvasAt(pv, 21, 75 - 21), clFrame);
  EXPECT_EQ(CanvasAt(pv, 23, 75 - 23), Distinct(m.prevLeft, m.prevTop + 15));
  EXPECT_EQ(CanvasAt(pv, 24, 75 - 22), Distinct(m.prevLeft + 1, m.prevTop + 15));
}

TEST_F(GetColorTabTest, SliderRegionAndZoomControls) {
  EXPECT_EQ(tab_->cursorSize.Min(), 2);
  EXPECT_EQ(tab_->cursorSize.Max(), 32);
  EXPECT_EQ(tab_->cursorSize.Position(), 16);
  EXPECT_EQ(tab_->cursorSize.Hint(), "Scursor size 16 px");
  SetSize(15);
  EXPECT_EQ(tab_->Model().prevLeft, 9);
  EXPECT_EQ(tab_->cursorSize.Hint(), "Scursor size 15 px");
  SetSize(13);
  tab_->Model().CentreRegion();
  SetSize(14);
  EXPECT_EQ(tab_->Model().prevLeft, 10);
  EXPECT_EQ(tab_->Model().prevTop, 10);

  SetSize(16);
  EXPECT_FALSE(tab_->btnZoomOut.Enabled());
  EXPECT_EQ(tab_->btnZoomOut.Hint(), "Szoom out (0x)");
  tab_->btnZoomOutClick();
  EXPECT_EQ(tab_->Model().scaleKoef, 1);
  for (int i = 0; i < 3; ++i) ClickButton(tab_->btnZoomIn);
  EXPECT_EQ(tab_->Model().scaleKoef, 4);
  EXPECT_FALSE(tab_->btnZoomIn.Enabled()) << "5 x 16 > 76";
  EXPECT_EQ(tab_->btnZoomIn.Hint(), "Szoom in (5x)");
  tab_->btnZoomInClick();
  EXPECT_EQ(tab_->Model().scaleKoef, 4);
  EXPECT_TRUE(tab_->btnZoomOut.Enabled());
  EXPECT_EQ(tab_->btnZoomOut.Hint(), "Szoom out (3x)");
  // A bigger region brings the zoom down with it.
  SetSize(32);
  EXPECT_EQ(tab_->Model().scaleKoef, 2);
  EXPECT_FALSE(tab_->btnZoomIn.Enabled());
}

TEST_F(GetColorTabTest, PickCursorSizes) {
  for (auto [n, side] : {std::pair{10, 20}, std::pair{11, 13}, std::pair{2, 12}, std::pair{32, 34}}) {
    Cursor c(BuildPickCursor(n));
    ASSERT_TRUE(c) << n;
    ICONINFO ii{};
    ASSERT_TRUE(::GetIconInfo(c, &ii));
    Bitmap mask(ii.hbmMask), color(ii.hbmColor);
    BITMAP bm{};
    ::GetObjectW(color ? color.Get() : mask.Get(), sizeof(bm), &bm);
    EXPECT_FALSE(ii.fIcon);
    EXPECT_EQ(bm.bmWidth, side) << n;
    EXPECT_EQ(ii.xHotspot, static_cast<DWORD>(side / 2));
    EXPECT_EQ(ii.yHotspot, static_cast<DWORD>(side / 2));
  }
}

TEST_F(GetColorTabTest, PanningTheSmallPreview) {
  HWND pv = main_->smallPreview.Handle();
  ::SendMessageW(pv, WM_MOUSEMOVE, 0, Pt(40, 40));
  EXPECT_EQ(main_->smallPreview.CursorHandle(), ::LoadCursorW(nullptr, IDC_SIZEALL));
  ::SendMessageW(pv, WM_MOUSEMOVE, 0, Pt(5, 40));
  EXPECT_EQ(main_->smallPreview.CursorHandle(), ::LoadCursorW(nullptr, IDC_ARROW));
  ::SendMessageW(pv, WM_LBUTTONDOWN, MK_LBUTTON, Pt(40, 40));
  ::SendMessageW(pv, WM_MOUSEMOVE, MK_LBUTTON, Pt(43, 38));
  EXPECT_EQ(tab_->Model().prevLeft, 5);
  EXPECT_EQ(tab_->Model().prevTop, 10);
  ::SendMessageW(pv, WM_LBUTTONUP, 0, Pt(43, 38));
  ::SendMessageW(pv, WM_MOUSEMOVE, 0, Pt(60, 60));
  EXPECT_EQ(tab_->Model().prevLeft, 5) << "released: no more panning";
}

TEST_F(GetColorTabTest, PaintingByDragShowsOnTheGrid) {
  FillDistinct();
  ColorDragSlot().Color = 0x00FF00;
  tab_->DragOver(nullptr, nullptr, 5, 5, kDragEnter);
  EXPECT_EQ(main_->imgMain.Hint(), "Dpress shift for draw");
  EXPECT_EQ(CanvasAt(main_->imgMain, 5, 5), 0x00FF00u);
  tab_->DragOver(nullptr, nullptr, 5, 5, kDragLeave);
  EXPECT_EQ(CanvasAt(main_->imgMain, 5, 5), Distinct(8, 8)) << "leaving takes the preview back";
  tab_->DragOver(nullptr, nullptr, 21, 5, kDragMove);
  tab_->EndDrag(nullptr, nullptr, 21, 5, kDragMove);
  tab_->DragOver(nullptr, nullptr, 21, 5, kDragLeave);
  EXPECT_EQ(tab_->Model().Pixel(9, 8), 0x00FF00u) << "dropped pixels stay";
}

// Only a colour copied back out of the clipboard history skips the next change,
// and only once it reached the clipboard: the picker's "Copy image" and every
// other copy command enter the history like any other program's copy.
TEST_F(GetColorTabTest, OnlyTheHistorysOwnCopySkipsTheNextChange) {
  FillDistinct();
  TKOLClipboardList& history = main_->clipboardTab->ClipboardColorList;
  history.Clear();
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(::OpenClipboard(other));
  main_->clipboardTab->SkipNextChange = false;
  const bool textCopied = CopyTextToClipboard(L"#102030", true);
  const bool skippedText = main_->clipboardTab->SkipNextChange;
  ::CloseClipboard();
  ::DestroyWindow(other);
  EXPECT_FALSE(textCopied);
  EXPECT_FALSE(skippedText) << "a copy that never reached the clipboard skips nothing";
  ClickButton(tab_->btnCopyImage);
  Pump(50);
  EXPECT_FALSE(main_->clipboardTab->SkipNextChange);
  EXPECT_TRUE(CopyTextToClipboard(L"#102030"));
  Pump(50);
  ASSERT_EQ(history.Count(), 1) << "another copy command's colour enters the history";
  EXPECT_EQ(history.Colors()[0], 0x302010u);
  EXPECT_TRUE(CopyTextToClipboard(L"#405060", true));
  Pump(50);
  EXPECT_EQ(history.Count(), 1) << "the history's own copy does not come back";
  EXPECT_FALSE(main_->clipboardTab->SkipNextChange) << "the skip is used up by that one change";
  history.Clear();
}

// Real drags, each driven by mouse messages on its source: a slot's colour,
// then a palette cell's, dropped on the same grid cell. The grid paints the
// colour of the drag in progress, never that of an earlier drag.
TEST_F(GetColorTabTest, EveryDragSourcePaintsItsOwnColourOnTheGrid) {
  FillDistinct();
  ::SetWindowPos(main_->Handle(), HWND_TOPMOST, 30, 30, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Pump(20);
  POINT target{21, 5};  // the grid cell of region pixel (9, 8)
  ::ClientToScreen(main_->imgMain.Handle(), &target);
  auto dragOntoGrid = [&](Widget& source, POINT press) {
    HWND h = source.Handle();
    POINT at = press;
    ::ClientToScreen(h, &at);
    ASSERT_TRUE(::SetCursorPos(at.x, at.y));
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(press.x, press.y));
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pt(press.x + 6, press.y));
    ASSERT_TRUE(::SetCursorPos(target.x, target.y));
    POINT rel = target;
    ::ScreenToClient(h, &rel);
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pt(rel.x, rel.y));
    ::SendMessageW(h, WM_LBUTTONUP, 0, Pt(rel.x, rel.y));
  };
  main_->Slot(2) = 0x00AA55;
  main_->RefreshColors(0x37);
  dragOntoGrid(main_->colorArea->SlotControls(2).color, {8, 8});
  EXPECT_EQ(tab_->Model().Pixel(9, 8), 0x00AA55u);

  TKOLColorList& strip = main_->paletteStrip->ColorList;
  strip.SetCell(5, 0x3366CC);
  dragOntoGrid(strip, {5 * 20 + 12, 11});
  EXPECT_EQ(tab_->Model().Pixel(9, 8), 0x3366CCu) << "the palette cell's colour, not the slot's before it";
  EXPECT_FALSE(main_->colorDragging);
}

TEST_F(GetColorTabTest, CopyImagePutsTheRegionOnTheClipboard) {
  FillDistinct();
  SetSize(7);
  const GetColorModel& m = tab_->Model();
  main_->clipboardTab->SkipNextChange = false;
  ClickButton(tab_->btnCopyImage);
  EXPECT_FALSE(main_->clipboardTab->SkipNextChange) << "the history records the copied picture";
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HBITMAP bmp = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  ASSERT_NE(bmp, nullptr);
  BITMAP info{};
  ::GetObjectW(bmp, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 7);
  EXPECT_EQ(info.bmHeight, 7);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 7;
  bi.bmiHeader.biHeight = -7;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> px(49);
  WindowDc screen(nullptr);
  ::GetDIBits(screen, bmp, 0, 7, px.data(), &bi, DIB_RGB_COLORS);
  ::CloseClipboard();
  auto at = [&](int x, int y) {
    const std::uint32_t p = px[static_cast<size_t>(y * 7 + x)];
    return MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  EXPECT_EQ(at(0, 0), Distinct(m.prevLeft, m.prevTop));
  EXPECT_EQ(at(6, 2), Distinct(m.prevLeft + 6, m.prevTop + 2));
}

TEST_F(GetColorTabTest, SettingsSurviveARestartAndAShortCaptureIsIgnored) {
  FillDistinct();
  SetSize(9);
  tab_->btnZoomInClick();
  tab_->Model().prevLeft = 3;
  main_->SaveSettings();
  EXPECT_EQ(store_.ReadBinary("GETC_colors")->size(), 3072u);
  Close();
  Open(false);
  EXPECT_EQ(tab_->Model().countBox, 9);
  EXPECT_EQ(tab_->Model().scaleKoef, 2);
  EXPECT_EQ(tab_->Model().prevLeft, 3);
  EXPECT_EQ(tab_->cursorSize.Position(), 9);
  EXPECT_EQ(tab_->Model().Pixel(31, 0), Distinct(31, 0));
  EXPECT_EQ(CanvasAt(main_->imgMain, 128, 128), tab_->ColorAt(128, 128)) << "shown after the start";

  store_.WriteBinary("GETC_colors", std::vector<std::uint8_t>(3000, 0));
  Close();
  Open(false);
  EXPECT_EQ(tab_->Model().Pixel(5, 5), clSkyBlue) << "a capture of the wrong length is not taken";
}

TEST_F(GetColorTabTest, WithoutTheLibraryThePickTellsWhy) {
  std::string shown;
  SetMessageBoxShownHook([&](TfrmMessage& box) {
    shown = box.Text();
    box.Close(kMrOk);
  });
  ClickButton(tab_->btnGetColor);
  Pump(20);
  EXPECT_EQ(main_->captureMode, CaptureMode::None);
  EXPECT_NE(shown.find("kolod.dll"), std::string::npos) << "the user must be told";
}

TEST_F(GetColorTabTest, MovesCaptureOnlyAtANewPositionAndOnlyOnThisTab) {
  // Drive the notifications directly: the hook library is not needed for the routing.
  main_->captureMode = CaptureMode::ScreenPick;
  ::SetCursorPos(300, 300);
  main_->HandleHookEvent(heMouseMove, 0);
  EXPECT_EQ(tab_->lastCursorX, 300);
  tab_->Model().SetPixel(16, 16, 0x123456);
  main_->HandleHookEvent(heMouseMove, 0);
  EXPECT_EQ(tab_->Model().Pixel(16, 16), 0x123456u) << "same place: no new capture";
  ::SetCursorPos(301, 300);
  main_->HandleHookEvent(heMouseMove, 0);
  EXPECT_NE(tab_->Model().Pixel(16, 16), 0x123456u);

  // Another tab current: the screen palette gets the move, the magnifier does not.
  int routed = -1;
  main_->onScreenPickMove = [&](int tab) { routed = tab; };
  main_->currentTab = 2;
  ::SetCursorPos(310, 300);
  main_->HandleHookEvent(heMouseMove, 0);
  EXPECT_EQ(routed, 2);
  EXPECT_EQ(tab_->lastCursorX, 301);
  main_->currentTab = 4;

  main_->HandleHookEvent(heWheel, 120 << 16);
  EXPECT_EQ(main_->captureMode, CaptureMode::ScreenPick) << "the wheel is ignored";
  main_->HandleHookEvent(heRightUp, 0);
  EXPECT_EQ(main_->captureMode, CaptureMode::None);
}

// The whole pick with the real library and real input: a window paints a
// pattern whose every pixel tells where it is; the grid must show it.
class GetColorPickTest : public GetColorTabTest {
 protected:
  void SetUp() override { Open(true); }
  static TColor PatternAt(int x, int y) { return MakeColor(x & 0xFF, y & 0xFF, 0x5A); }
  std::unique_ptr<InputTarget> MakeTarget() {
    auto t = std::make_unique<InputTarget>(kLeft, kTop, 120, 120);
    t->paint = [](HDC dc, const RECT& r) {
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) ::SetPixelV(dc, x, y, PatternAt(kLeft + x, kTop + y));
    };
    ::InvalidateRect(t->hwnd, nullptr, FALSE);
    ::UpdateWindow(t->hwnd);
    Pump(50);
    t->Clear();
    return t;
  }
  bool Filter(const MSG& m) { return main_->FilterMessage(m); }
  static constexpr int kLeft = 400, kTop = 300;
};

TEST_F(GetColorPickTest, PickShowsTheScreenAndTheEndingClickReachesNobody) {
  ASSERT_TRUE(main_->Hooks().Loaded()) << "the library was not written beside the test program";
  auto target = MakeTarget();
  MoveMouseTo(kLeft + 20, kTop + 20);
  Pump(30);
  tab_->btnGetColorClick();
  ASSERT_EQ(main_->captureMode, CaptureMode::ScreenPick);
  EXPECT_EQ(tab_->Model().prevLeft, 8) << "the region is centred on the cursor";

  auto filter = [this](const MSG& m) { return Filter(m); };
  MoveMouseTo(kLeft + 60, kTop + 50);
  ASSERT_TRUE(PumpUntil([&] { return tab_->lastCursorX == kLeft + 60 && tab_->lastCursorY == kTop + 50; }, 2000,
                        filter));
  const GetColorModel& m = tab_->Model();
  for (auto [x, y] : {std::pair{0, 0}, std::pair{16, 16}, std::pair{31, 31}, std::pair{5, 27}})
    EXPECT_EQ(m.Pixel(x, y), PatternAt(kLeft + 60 - 16 + x, kTop + 50 - 16 + y)) << x << "," << y;
  // The grid's middle cells show the cursor's neighbourhood.
  EXPECT_EQ(tab_->ColorAt(5, 5), PatternAt(kLeft + 60 - 8, kTop + 50 - 8));
  EXPECT_EQ(CanvasAt(main_->imgMain, 5, 5), PatternAt(kLeft + 60 - 8, kTop + 50 - 8));

  // The click ends the pick and is swallowed; the hooks go 100 ms later.
  kolo::testing::SendMouse(MOUSEEVENTF_LEFTDOWN);
  kolo::testing::SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return main_->captureMode == CaptureMode::None; }, 2000, filter));
  EXPECT_TRUE(main_->Hooks().Hooked());
  EXPECT_TRUE(PumpUntil([&] { return !main_->Hooks().Hooked(); }, 2000, filter)) << "the unhook timer did not fire";
  EXPECT_EQ(target->Count(WM_LBUTTONDOWN), 0);
  EXPECT_EQ(target->Count(WM_LBUTTONUP), 0);

  // Afterwards clicks flow again, and the grid keeps the last capture.
  kolo::testing::LeftClickAt(kLeft + 10, kTop + 10);
  EXPECT_TRUE(PumpUntil([&] { return target->Count(WM_LBUTTONUP) > 0; }, 2000, filter));
  EXPECT_EQ(tab_->lastCursorX, kLeft + 60);
}

// The one-pixel pick of every tab runs on the same hooks.
TEST_F(GetColorPickTest, OnePixelPickSamplesUnderTheCursor) {
  ASSERT_TRUE(main_->Hooks().Loaded());
  auto target = MakeTarget();
  auto filter = [this](const MSG& m) { return Filter(m); };
  tab_->PickTransparentColor();
  ASSERT_EQ(main_->captureMode, CaptureMode::PixelPick);
  MoveMouseTo(kLeft + 33, kTop + 71);
  ASSERT_TRUE(PumpUntil([&] { return tab_->sampleX == kLeft + 33 && tab_->sampleY == kTop + 71; }, 2000, filter));
  EXPECT_EQ(tab_->transparentColor, static_cast<long long>(PatternAt(kLeft + 33, kTop + 71)));
  kolo::testing::SendMouse(MOUSEEVENTF_LEFTDOWN);
  kolo::testing::SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return main_->captureMode == CaptureMode::None; }, 2000, filter));
  EXPECT_TRUE(PumpUntil([&] { return !main_->Hooks().Hooked(); }, 2000, filter));
  EXPECT_EQ(target->Count(WM_LBUTTONDOWN), 0);
}

TEST_F(GetColorPickTest, EscapeEndsThePickAndKeysStillReachTheirWindow) {
  ASSERT_TRUE(main_->Hooks().Loaded());
  auto target = MakeTarget();
  auto filter = [this](const MSG& m) { return Filter(m); };
  tab_->btnGetColorClick();
  ASSERT_EQ(main_->captureMode, CaptureMode::ScreenPick);
  ::SetFocus(target->hwnd);
  kolo::testing::TapKey('Q');
  EXPECT_TRUE(PumpUntil([&] { return target->Count(WM_KEYDOWN) > 0; }, 2000, filter)) << "keys were swallowed";
  EXPECT_EQ(main_->captureMode, CaptureMode::ScreenPick) << "other keys do not end the pick";
  kolo::testing::TapKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return main_->captureMode == CaptureMode::None; }, 2000, filter));
  EXPECT_TRUE(PumpUntil([&] { return !main_->Hooks().Hooked(); }, 2000, filter));

  // A new pick right after the last one ended keeps its hooks past the old timer.
  tab_->btnGetColorClick();
  main_->EndCapture();
  tab_->btnGetColorClick();
  ASSERT_EQ(main_->captureMode, CaptureMode::ScreenPick);
  Pump(250, filter);
  EXPECT_TRUE(main_->Hooks().Hooked()) << "the previous pick's timer removed the new pick's hooks";
  main_->EndCapture();
  EXPECT_TRUE(PumpUntil([&] { return !main_->Hooks().Hooked(); }, 2000, filter));
}

}  // namespace
}  // namespace kolo::win
