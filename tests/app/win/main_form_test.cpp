// The main window's form: which pages each tab shows, where the shared
// controls sit, the picture tools of the bottom image page, and colour drags
// over the main image reaching the current tab.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../widgets/win/widget_test_util.h"
#include "frame/main_layout.h"
#include "frame/memory_store.h"
#include "platform/messages.h"
#include "app/win/color_area.h"
#include "frame/win/image_panel.h"
#include "app/win/main_window.h"
#include "widgets/win/message_box_win.h"
#include "clipboard/win/clipboard_tab.h"
#include "palette/win/palette_strip.h"

namespace kolo::win {
namespace {

using namespace kolo::testing;

// Writes down the picture operations the main window asks of it.
class PictureTab : public TBaseTab {
 public:
  PictureTab(TfrmMain& main, std::vector<std::string>& log) : TBaseTab(main), log_(log) {}
  void ViewImage() override { log_.push_back("ViewImage"); }
  void SaveImage() override { log_.push_back("SaveImage"); }
  void OpenImage() override { log_.push_back("OpenImage"); }
  void CopyImage() override { log_.push_back("CopyImage"); }
  void PrintImage() override { log_.push_back("PrintImage"); }
  void DeleteImage() override { log_.push_back("DeleteImage"); }
  void ImageToWeb() override { log_.push_back("ImageToWeb"); }
  void ClearTransparent() override { log_.push_back("ClearTransparent"); }
  void RotateFlip(int code) override { log_.push_back("RotateFlip(" + std::to_string(code) + ")"); }
  void ChangeImageSize(int w, int h) override {
    log_.push_back("ChangeImageSize(" + std::to_string(w) + "," + std::to_string(h) + ")");
  }
  void DragOver(HWND sender, HWND, int x, int y, int state) override {
    log_.push_back("DragOver(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(state) + ")");
    lastSender = sender;
  }
  void EndDrag(HWND sender, HWND, int x, int y, int state) override {
    log_.push_back("EndDrag(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(state) + ")");
    lastSender = sender;
  }
  HWND lastSender = nullptr;

 private:
  std::vector<std::string>& log_;
};

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TfrmMain::CreateParams p;
    p.openStore = [](bool) { return std::make_unique<MemoryStore>(); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ASSERT_NE(main_.ImageBottomTab().Handle(), nullptr);
    SetMessageBoxShownHook([this](TfrmMessage& box) {
      boxes_.push_back(box.Text());
      box.Close(kMrOk);
    });
  }
  void TearDown() override {
    SetMessageBoxShownHook(nullptr);
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
    Pump();
  }
  TImageBottomPanel& panel() { return main_.ImageBottomTab(); }
  // A control's rectangle in the main window's client area.
  RECT InMain(HWND w) {
    RECT r;
    ::GetWindowRect(w, &r);
    ::MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  PictureTab& UsePictureTab() {
    auto tab = std::make_unique<PictureTab>(main_, log_);
    PictureTab& ref = *tab;
    main_.SetTab(main_.currentTab, std::move(tab));
    return ref;
  }
  // Visible up to the main window, which the tests leave hidden.
  static bool Shown(HWND w) {
    for (; w && (::GetWindowLongW(w, GWL_STYLE) & WS_CHILD); w = ::GetParent(w))
      if (!(::GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) return false;
    return w != nullptr;
  }
  void SetText(HWND edit, const wchar_t* text) { ::SetWindowTextW(edit, text); }
  std::wstring Text(HWND edit) {
    wchar_t buf[256] = {};
    ::GetWindowTextW(edit, buf, 256);
    return buf;
  }

  TfrmMain main_;
  std::vector<std::string> log_;
  std::vector<std::string> boxes_;
};

TEST_F(MainFormTest, EachTabShowsItsPagesAndOnlyThose) {
  auto& pg = main_.pages;
  TVMNotRefreshPanel* palette = &main_.PaletteBottomTab();
  TVMNotRefreshPanel* image = &main_.ImageBottomTab();
  struct Expect {
    TVMNotRefreshPanel *image, *right, *bottom, *sub;
  };
  const Expect expected[7] = {
      {&pg.ImageTab, &pg.colorChangerTab, palette, &pg.paletteTab},
      {&pg.ImageTab, &pg.colorChangerTab, palette, &pg.circleTab},
      {&pg.ImageTab, &pg.colorChangerTab, palette, &pg.fixColorTab},
      {&pg.MixPaletteImageTab, &pg.colorChangerTab, palette, &pg.mixColorTab},
      {&pg.ImageTab, &pg.colorChangerTab, palette, &pg.getColorTab},
      {&pg.ImageTab, &pg.screenShotTab, image, nullptr},
      {&pg.clipboardImages, &pg.clipboardTab, image, nullptr},
  };
  // From the start tab through every other one, and back to the first.
  for (int step = 0; step < 8; ++step) {
    const int tab = step % 7;
    if (tab != main_.currentTab) main_.ClickTabButton(tab);
    ASSERT_EQ(main_.currentTab, tab);
    const Expect& e = expected[tab];
    EXPECT_EQ(main_.ImagePager.CurrentPanel(), e.image) << "tab " << tab;
    EXPECT_EQ(main_.rightPager.CurrentPanel(), e.right) << "tab " << tab;
    EXPECT_EQ(main_.bottomPager.CurrentPanel(), e.bottom) << "tab " << tab;
    if (e.sub) EXPECT_EQ(main_.subColorPager.CurrentPanel(), e.sub) << "tab " << tab;
    // Exactly one page of each pager is on screen.
    for (TVMPagerPanel* pager : {&main_.ImagePager, &main_.rightPager, &main_.bottomPager}) {
      int shown = 0;
      for (Widget* child : pager->Children()) shown += Shown(child->Handle()) ? 1 : 0;
      EXPECT_EQ(shown, 1) << "tab " << tab;
    }
  }
  // The clipboard tab follows the list that had the focus last.
  auto* clip = dynamic_cast<TClipboardTab*>(main_.Tab(6));
  ASSERT_NE(clip, nullptr);
  main_.ClickTabButton(6);
  clip->FocusOnImages = false;
  clip->Activate();
  EXPECT_EQ(main_.bottomPager.CurrentPanel(), palette);
  EXPECT_TRUE(Shown(main_.PaletteBottomTab().Handle()));
  EXPECT_FALSE(Shown(main_.ImageBottomTab().Handle()));
}

TEST_F(MainFormTest, SharedControlsKeepTheirPlaces) {
  main_.ClickTabButton(4);
  RECT client;
  ::GetClientRect(main_.Handle(), &client);
  EXPECT_EQ(client.right, 364);
  EXPECT_EQ(client.bottom, 320);

  const RECT img = InMain(main_.imgMain.Handle());
  EXPECT_EQ(img.left, layout::kImagePager.x);
  EXPECT_EQ(img.top, layout::kImagePager.y);
  EXPECT_EQ(img.right - img.left, 256);
  EXPECT_EQ(img.bottom - img.top, 256);

  // Every page fills its pager.
  for (TVMPagerPanel* pager : {&main_.ImagePager, &main_.rightPager, &main_.bottomPager, &main_.subColorPager}) {
    pager->SetCurrentPanel(nullptr);
    for (Widget* child : pager->Children()) {
      auto* page = dynamic_cast<TVMNotRefreshPanel*>(child);
      ASSERT_NE(page, nullptr);
      pager->SetCurrentPanel(page);
      EXPECT_EQ(page->Width(), pager->Width());
      EXPECT_EQ(page->Height(), pager->Height());
    }
  }
  const RECT bottom = InMain(main_.bottomPager.Handle());
  EXPECT_EQ(bottom.right - bottom.left, 360);
  EXPECT_EQ(bottom.bottom - bottom.top, 42);
  EXPECT_LE(bottom.bottom, 320);
  EXPECT_GE(bottom.top, img.bottom);

  // The colour tabs' pages sit under the colour area; the small preview at the
  // foot of the screen-colour page, inside the column.
  main_.ClickTabButton(0);
  main_.ClickTabButton(4);
  const RECT sub = InMain(main_.subColorPager.Handle());
  const RECT layoutPreview = InMain(main_.colorArea->PreviewImg.Handle());
  EXPECT_GE(sub.top, layoutPreview.bottom);
  const RECT preview = InMain(main_.smallPreview.Handle());
  EXPECT_EQ(preview.right - preview.left, 76);
  EXPECT_EQ(preview.bottom - preview.top, 76);
  EXPECT_GE(preview.top, sub.top);
  EXPECT_LE(preview.bottom, layout::kRightPager.Bottom());
  EXPECT_GE(preview.left, layout::kRightPager.x);
  EXPECT_LE(preview.right, layout::kRightPager.Right());
  EXPECT_TRUE(Shown(main_.smallPreview.Handle()));
  main_.ClickTabButton(1);
  EXPECT_FALSE(Shown(main_.smallPreview.Handle()));

  // The picture tools stay inside their page and never overlap.
  auto& p = panel();
  std::vector<HWND> tools = {p.btnOpenImage.Handle(),        p.btnSaveImage.Handle(),    p.btnCopyImg.Handle(),
                             p.btnPrintImage.Handle(),       p.btnViewImage.Handle(),    p.btnRemoveImage.Handle(),
                             p.btnRotateLeftImage.Handle(),  p.btnRotateRightImage.Handle(),
                             p.btnFlipVertImage.Handle(),    p.btnFlipHorizImage.Handle(), p.btnUploadImage.Handle(),
                             p.btnGetTransColorImage.Handle(), p.panGetTrans.Handle(), p.btnClearTransImage.Handle(),
                             p.panWidth.Handle(),            p.panHeight.Handle(),       p.btnChangeSizeImage.Handle(),
                             p.panUrl.Handle(),              p.btnCopyURLImage.Handle()};
  std::vector<RECT> rects;
  for (HWND h : tools) {
    RECT r;
    ::GetWindowRect(h, &r);
    ::MapWindowPoints(nullptr, p.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, 360);
    EXPECT_LE(r.bottom, 42);
    for (const RECT& o : rects) {
      RECT both;
      EXPECT_FALSE(::IntersectRect(&both, &r, &o)) << "overlapping tools";
    }
    rects.push_back(r);
  }
  RECT swatch;
  ::GetClientRect(p.imgTransColor.Handle(), &swatch);
  EXPECT_EQ(swatch.right, 9);
  EXPECT_EQ(swatch.bottom, 9);
}

TEST_F(MainFormTest, ImageControlsFollowThePicture) {
  auto& p = panel();
  main_.SetImageControls(true, "https://example.org/a.png", 30, 40);
  for (TAction* a : {&main_.acViewImage, &main_.acSaveImage, &main_.acCopyImage, &main_.acPrintImage,
                     &main_.acRotateLeft, &main_.acRotateRight, &main_.acFlipHoriz, &main_.acFlipVertical,
                     &main_.acDeleteImage, &main_.acImageToWeb, &main_.acPublishOnSite, &main_.acViewOnSite})
    EXPECT_TRUE(a->Enabled()) << a->Name();
  EXPECT_TRUE(p.btnSaveImage.Enabled());
  EXPECT_TRUE(p.btnChangeSizeImage.Enabled());
  EXPECT_TRUE(p.btnCopyURLImage.Enabled());
  EXPECT_TRUE(::IsWindowEnabled(p.edWidthImage));
  EXPECT_EQ(Text(p.edWidthImage), L"40");
  EXPECT_EQ(Text(p.edHeightImage), L"30");
  EXPECT_EQ(Text(p.edURL), L"https://example.org/a.png");

  // No picture: only "open" is left; sides below 1 show nothing.
  main_.SetImageControls(false, "", 0, -3);
  for (TAction* a : {&main_.acViewImage, &main_.acSaveImage, &main_.acDeleteImage, &main_.acImageToWeb,
                     &main_.acPublishOnSite, &main_.acViewOnSite})
    EXPECT_FALSE(a->Enabled()) << a->Name();
  EXPECT_FALSE(p.btnSaveImage.Enabled());
  EXPECT_FALSE(p.btnRotateLeftImage.Enabled());
  EXPECT_FALSE(p.btnGetTransColorImage.Enabled());
  EXPECT_FALSE(p.panGetTrans.Enabled());
  EXPECT_FALSE(p.btnCopyURLImage.Enabled());
  EXPECT_TRUE(p.btnOpenImage.Enabled());
  EXPECT_FALSE(::IsWindowEnabled(p.edHeightImage));
  EXPECT_EQ(Text(p.edWidthImage), L"");
  EXPECT_EQ(Text(p.edHeightImage), L"");
  EXPECT_EQ(Text(p.edURL), L"");

  // An address without a picture still offers its copy.
  main_.SetImageControls(false, "https://example.org/b.png", 0, 0);
  EXPECT_TRUE(p.btnCopyURLImage.Enabled());
  EXPECT_TRUE(main_.acViewOnSite.Enabled());
}

TEST_F(MainFormTest, PictureToolsRunTheCurrentTabsOperations) {
  main_.ClickTabButton(5);
  UsePictureTab();
  auto& p = panel();
  main_.SetImageControls(true, "", 10, 10);
  for (TVMPictureButton* b : {&p.btnOpenImage, &p.btnSaveImage, &p.btnCopyImg, &p.btnPrintImage, &p.btnViewImage,
                              &p.btnRemoveImage, &p.btnRotateLeftImage, &p.btnRotateRightImage, &p.btnFlipVertImage,
                              &p.btnFlipHorizImage, &p.btnUploadImage, &p.btnClearTransImage})
    LeftClick(b->Handle(), 5, 5);
  const std::vector<std::string> expected = {"OpenImage",     "SaveImage",     "CopyImage",     "PrintImage",
                                             "ViewImage",     "DeleteImage",   "RotateFlip(3)", "RotateFlip(1)",
                                             "RotateFlip(4)", "RotateFlip(6)", "ImageToWeb",    "ClearTransparent"};
  EXPECT_EQ(log_, expected);

  // Disabled tools do nothing; opening a picture is always possible.
  log_.clear();
  main_.SetImageControls(false, "", 0, 0);
  for (TVMPictureButton* b : {&p.btnSaveImage, &p.btnRotateLeftImage, &p.btnClearTransImage, &p.btnOpenImage})
    LeftClick(b->Handle(), 5, 5);
  EXPECT_EQ(log_, std::vector<std::string>{"OpenImage"});
  // The shortcut keys and menus go through the same actions.
  EXPECT_FALSE(main_.acDeleteImage.Execute());

  // A double click on the main image previews only while the preview button could.
  log_.clear();
  ::SendMessageW(main_.imgMain.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
  main_.SetImageControls(true, "", 10, 10);
  ::SendMessageW(main_.imgMain.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(log_, std::vector<std::string>{"ViewImage"});
}

TEST_F(MainFormTest, ChangeSizeReadsBothFieldsOrWarns) {
  main_.ClickTabButton(5);
  UsePictureTab();
  auto& p = panel();
  main_.SetImageControls(true, "", 10, 10);
  SetText(p.edWidthImage, L"7000");
  SetText(p.edHeightImage, L"20");
  LeftClick(p.btnChangeSizeImage.Handle(), 5, 5);
  EXPECT_EQ(log_, std::vector<std::string>{"ChangeImageSize(5000,20)"});
  EXPECT_TRUE(boxes_.empty());
  for (const wchar_t* width : {L"0", L""}) {
    log_.clear();
    SetText(p.edWidthImage, width);
    LeftClick(p.btnChangeSizeImage.Handle(), 5, 5);
    EXPECT_TRUE(log_.empty());
  }
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0], "The image size must be greater than zero.");
}

TEST_F(MainFormTest, TransparentSwatchShowsTheColourOrACross) {
  main_.ClickTabButton(5);
  TBaseTab& tab = main_.CurrentTabObject();
  auto& p = panel();
  tab.transparentColor = 0x336699;
  tab.DrawTransparentIndicator();
  const std::uint32_t* px = p.imgTransColor.Pixels();
  EXPECT_EQ(px[0] & 0xFFFFFF, 0x996633u);  // the canvas is BGRA; the colour is 0xBBGGRR
  EXPECT_EQ(px[4 * 9 + 4] & 0xFFFFFF, 0x996633u);
  EXPECT_EQ(p.panGetTrans.Hint(), "C336699");

  tab.ClearTransparent();
  EXPECT_EQ(tab.transparentColor, -1);
  auto at = [&](int x, int y) { return px[y * 9 + x] & 0xFFFFFF; };
  const std::uint32_t frame = 0x0080C0, sky = 0xA6CAF0;
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(at(i, i), frame);
    EXPECT_EQ(at(i, 8 - i), frame);
  }
  EXPECT_EQ(at(0, 0), sky);
  EXPECT_EQ(at(8, 8), sky);
  EXPECT_EQ(at(4, 1), sky);
  EXPECT_EQ(p.panGetTrans.Hint(), "");
}

TEST_F(MainFormTest, ColourDragsOverTheMainImageReachTheCurrentTab) {
  main_.ClickTabButton(4);
  PictureTab& tab = UsePictureTab();
  ::ShowWindow(main_.Handle(), SW_SHOWNOACTIVATE);
  POINT origin{0, 0};
  ::ClientToScreen(main_.pages.ImageTab.Handle(), &origin);
  if (!::SetCursorPos(origin.x + 30, origin.y + 40)) GTEST_SKIP() << "the pointer cannot be moved here";
  POINT at;
  ::GetCursorPos(&at);
  const int x = at.x - origin.x, y = at.y - origin.y;
  const LPARAM source = reinterpret_cast<LPARAM>(main_.Handle());
  // The picture hands the messages to its page, which converts to picture coordinates.
  ::SendMessageW(main_.imgMain.Handle(), WM_DRAGCOLOR_OVER, kDragEnter, source);
  ::SendMessageW(main_.imgMain.Handle(), WM_DRAGCOLOR_OVER, kDragMove, source);
  ::SendMessageW(main_.imgMain.Handle(), WM_DRAGCOLOR_DROP, kDragMove, source);
  const std::string xy = std::to_string(x) + "," + std::to_string(y);
  const std::vector<std::string> expected = {"DragOver(" + xy + ",0)", "DragOver(" + xy + ",2)",
                                             "EndDrag(" + xy + ",2)"};
  EXPECT_EQ(log_, expected);
  EXPECT_EQ(tab.lastSender, main_.pages.ImageTab.Handle());
}

// A press that comes without a move first (the pointer already rested on the
// button) still ends the hover look once the pointer goes elsewhere.
TEST_F(MainFormTest, TitleButtonPressedWithoutAMoveForgetsItsHover) {
  ::ShowWindow(main_.Handle(), SW_SHOWNOACTIVATE);
  main_.ClickTabButton(4);
  Pump();
  TabButton& b = main_.TabButtonAt(2);
  RECT br;
  ::GetWindowRect(b.Handle(), &br);
  // No pumping in between: the button hears the press before any move.
  if (!::SetCursorPos(br.left + 5, br.top + 5)) GTEST_SKIP() << "the pointer cannot be moved here";
  ::SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(b.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(main_.currentTab, 2);
  ::SetCursorPos(br.left + 5, br.bottom + 200);
  for (int i = 0; i < 150 && b.Hovered(); ++i) {  // the leave check runs on a timer
    ::Sleep(10);
    Pump();
  }
  EXPECT_FALSE(b.Hovered());
}

}  // namespace
}  // namespace kolo::win
