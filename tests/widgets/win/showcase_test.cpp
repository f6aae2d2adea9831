// A form with one of every control, drawn with the program's own artwork and
// written to widgets_form.bmp beside the test program, to look at.
#include <cstdio>
#include <fstream>

#include "widgets/win/message_box_win.h"
#include "art_ids.h"
#include "widget_test_util.h"
#include "widgets/win/combination_panel.h"
#include "widgets/win/gif_image.h"
#include "widgets/win/image_checkbox.h"
#include "widgets/win/label.h"
#include "widgets/win/list_box.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"

namespace kolo {
namespace {

using namespace kolo::testing;

// A 12x12 rounded frame in the theme colours, to stretch nine ways.
std::vector<std::uint8_t> FrameGif() {
  const char* rows[12] = {
      "..########..", ".#oooooooo#.", "#oiiiiiiiio#", "#oiiiiiiiio#", "#oiiiiiiiio#", "#oiiiiiiiio#",
      "#oiiiiiiiio#", "#oiiiiiiiio#", "#oiiiiiiiio#", "#oiiiiiiiio#", ".#oooooooo#.", "..########..",
  };
  std::vector<std::uint8_t> px;
  for (const char* r : rows)
    for (int x = 0; x < 12; ++x) px.push_back(r[x] == '#' ? 0 : r[x] == 'o' ? 1 : r[x] == 'i' ? 2 : 3);
  return SimpleGif(12, 12, {{0, 128, 192}, {255, 255, 255}, {226, 238, 250}, {0, 0, 0}}, px, 3);
}

// Beside the test program, so a run from any folder leaves the source tree alone.
std::wstring OutputPath(const wchar_t* name) {
  wchar_t exe[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

bool WriteBmp(HDC dc, HBITMAP bmp, int w, int h, const wchar_t* name) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files are
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<std::uint8_t> bits(static_cast<size_t>(w) * h * 4);
  if (!::GetDIBits(dc, bmp, 0, h, bits.data(), &bi, DIB_RGB_COLORS)) return false;
  // GDI leaves the fourth byte at 0; viewers would take it for transparency.
  for (size_t i = 3; i < bits.size(); i += 4) bits[i] = 255;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
  std::ofstream out(OutputPath(name).c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
  out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
  out.write(reinterpret_cast<const char*>(bits.data()), static_cast<std::streamsize>(bits.size()));
  return out.good();
}

TEST(Showcase, EveryControlOnOneForm) {
  TVMGIFImageList main, scroll, dialog, message, local;
  ASSERT_TRUE(main.LoadFromResource(KOLO_RES_IMAGES_MAIN));
  ASSERT_TRUE(scroll.LoadFromResource(KOLO_RES_IMAGES_SCROLL));
  ASSERT_TRUE(dialog.LoadFromResource(KOLO_RES_IMAGES_DIALOG));
  ASSERT_TRUE(message.LoadFromResource(KOLO_RES_IMAGES_MESSAGE));
  local.Add("frame.gif", 0, FrameGif());

  const int W = 364, H = 200;
  TestForm form(W, H);
  TVMNotRefreshPanel root;
  root.SetColor(clSkyBlue);
  root.SetBorderColor(clFrame);
  root.SetBorderSize(1);
  ASSERT_TRUE(root.Create(form.Handle(), 0, 0, W, H));

  // Title strip with the seven tab buttons and the close button.
  TVMNotRefreshPanel strip;
  strip.SetColor(clFrame);
  strip.SetAlign(alTop);
  ASSERT_TRUE(strip.Create(root, 0, 0, W, 15));
  std::vector<std::unique_ptr<TVMPictureButton>> tabs;
  for (int i = 0; i < 7; ++i) {
    auto b = std::make_unique<TVMPictureButton>();
    int base = art::kImgTabButton0Normal + 4 * i;
    b->SetImageList(&main);
    b->SetImages(base, base + 1, base + 2, base + 3);
    b->SetParentColor(true);
    ASSERT_TRUE(b->Create(strip, 4 + i * 21, 0, 19, 15));
    tabs.push_back(std::move(b));
  }
  tabs[2]->SetEnabled(false);  // the current tab
  MouseMove(tabs[4]->Handle(), 5, 5);
  TVMPictureButton close;
  close.SetImageList(&main);
  close.SetImages(0, 1, 2);
  close.SetParentColor(true);
  ASSERT_TRUE(close.Create(strip, W - 13, 2, 9, 10));
  TVMLabel caption;
  caption.SetCaption("Kolo [widgets]");
  caption.SetFontColor(clWhite);
  ASSERT_TRUE(caption.Create(strip, 160, 1, 120, 13));

  // A framed panel stretched nine ways, holding picture buttons and an animation.
  TVMCombinationPanel framed;
  framed.SetImageList(&local);
  framed.SetImageListID(0);
  framed.SetDilators(5, 5);
  ASSERT_TRUE(framed.Create(root, 6, 20, 150, 70));
  TVMPictureButton getColor, addImage, copy;
  getColor.SetImageList(&main);
  getColor.SetImages(27, 28, 29, 30);
  ASSERT_TRUE(getColor.Create(framed, 8, 8, 24, 22));
  addImage.SetImageList(&main);
  addImage.SetImages(35, 36, 37, 38);
  ASSERT_TRUE(addImage.Create(framed, 36, 8, 24, 22));
  LeftDown(addImage.Handle(), 3, 3);  // shown pressed
  copy.SetImageList(&main);
  copy.SetImages(16, 17, 18);
  ASSERT_TRUE(copy.Create(framed, 64, 11, 16, 16));
  for (auto* b : {&getColor, &addImage, &copy}) b->SetColor(MakeColor(226, 238, 250));
  TVMGIFImage about;
  about.SetImageList(&dialog);
  about.SetImageListID(art::kDlgImgAboutPicture);
  about.SetSubImageId(3);
  ASSERT_TRUE(about.Create(framed, 92, 11, 48, 48));
  TVMLabel framedText;
  framedText.SetCaption("Nine-slice panel");
  ASSERT_TRUE(framedText.Create(framed, 8, 44, 84, 14));

  // A pager whose current page carries check boxes and radio boxes.
  TVMPagerPanel pager;
  ASSERT_TRUE(pager.Create(root, 6, 96, 150, 98));
  TVMNotRefreshPanel page1, page2;
  page1.SetColor(clSkyBlue);
  page1.SetBorderColor(clFrame);
  page1.SetBorderSize(1);
  ASSERT_TRUE(page1.Create(pager, 0, 0, 10, 10));
  ASSERT_TRUE(page2.Create(pager, 0, 0, 10, 10));
  pager.SetCurrentPanel(&page1);
  TVMCheckboxListID checkIds{art::kDlgImgCheckCheckedFocus,    art::kDlgImgCheckUnchecked,
                             art::kDlgImgCheckUncheckedFocus,  art::kDlgImgCheckChecked,
                             art::kDlgImgCheckDisabledUnchecked, art::kDlgImgCheckDisabledChecked,
                             art::kDlgImgCheckUncheckedHover,  art::kDlgImgCheckCheckedHover};
  TVMCheckboxListID radioIds{art::kImgRadioCheckedFocus,     art::kImgRadioUnchecked,
                             art::kImgRadioUncheckedFocus,   art::kImgRadioChecked,
                             art::kImgRadioDisabledUnchecked, art::kImgRadioDisabledChecked,
                             art::kImgRadioUncheckedHover,   art::kImgRadioCheckedHover};
  const char* names[6] = {"Check box", "Checked", "Disabled", "Radio one", "Radio two", "Radio three"};
  std::vector<std::unique_ptr<TVMImageCheckbox>> boxes;
  std::vector<std::unique_ptr<TVMLabel>> labels;
  for (int i = 0; i < 6; ++i) {
    auto box = std::make_unique<TVMImageCheckbox>();
    bool radio = i >= 3;
    box->SetImageList(radio ? &main : &dialog);
    box->SetImageListID(radio ? radioIds : checkIds);
    box->SetCheckIndex(radio ? 1 : -1);
    ASSERT_TRUE(box->Create(page1, 8, 6 + i * 15, 11, 11));
    auto label = std::make_unique<TVMLabel>();
    label->SetCaption(names[i]);
    ASSERT_TRUE(label->Create(page1, 24, 5 + i * 15, 100, 13));
    box->SetCheckLabel(label.get());
    boxes.push_back(std::move(box));
    labels.push_back(std::move(label));
  }
  boxes[1]->SetChecked(true);
  boxes[2]->SetChecked(true);
  boxes[2]->SetEnabled(false);
  labels[2]->SetEnabled(false);
  boxes[4]->SetChecked(true);
  MouseMove(boxes[5]->Handle(), 3, 3);

  // A list box with its slider, and a horizontal slider.
  TVMListBox list;
  list.SetColor(clWhite);
  list.SelectColor = clFrame;
  ASSERT_TRUE(list.Create(root, 164, 20, 120, 120));
  TVMScrollImage vbar;
  vbar.SetImageList(&scroll);
  vbar.ImageUp = {art::kScrollImgArrowUpDisabled, art::kScrollImgArrowUpHover, art::kScrollImgArrowUpDown,
                  art::kScrollImgArrowUpNormal, art::kScrollImgArrowUpNormal};
  vbar.ImageDown = {art::kScrollImgArrowDownDisabled, art::kScrollImgArrowDownHover, art::kScrollImgArrowDownDown,
                    art::kScrollImgArrowDownNormal, art::kScrollImgArrowDownNormal};
  vbar.ImageScroll = {art::kScrollImgThumbVerticalDisabled, art::kScrollImgThumbVerticalHover,
                      art::kScrollImgThumbVerticalDown, art::kScrollImgThumbVerticalNormal,
                      art::kScrollImgThumbVerticalNormal};
  vbar.CentralImageID = art::kScrollImgGripVertical;
  ASSERT_TRUE(vbar.Create(root, 285, 20, 9, 120));
  list.SetVerticalScroller(&vbar);
  std::vector<std::string> items;
  for (const char* s : {"Arial", "Courier New", "Georgia", "Tahoma", "Times New Roman", "Trebuchet MS", "Verdana",
                        "Wingdings", "Symbol", "Impact", "Comic Sans MS", "Lucida Console"})
    items.push_back(s);
  list.SetItems(items);
  list.SetSelectItem(3);
  vbar.SetPosition(1);

  TVMScrollImage hbar;
  hbar.SetKing(TScrollKing::Horizontal);
  hbar.SetImageList(&scroll);
  hbar.ImageUp = {art::kScrollImgArrowLeftDisabled, art::kScrollImgArrowLeftHover, art::kScrollImgArrowLeftDown,
                  art::kScrollImgArrowLeftNormal, art::kScrollImgArrowLeftNormal};
  hbar.ImageDown = {art::kScrollImgArrowRightDisabled, art::kScrollImgArrowRightHover,
                    art::kScrollImgArrowRightDown, art::kScrollImgArrowRightNormal, art::kScrollImgArrowRightNormal};
  hbar.ImageScroll = {art::kScrollImgThumbHorizontalDisabled, art::kScrollImgThumbHorizontalHover,
                      art::kScrollImgThumbHorizontalDown, art::kScrollImgThumbHorizontalNormal,
                      art::kScrollImgThumbHorizontalNormal};
  hbar.CentralImageID = art::kScrollImgGripHorizontal;
  ASSERT_TRUE(hbar.Create(root, 164, 146, 130, 9));
  hbar.SetMax(100);
  hbar.SetPageSize(45);
  hbar.SetPosition(60);

  // The message icons on an invisible click area.
  std::vector<std::unique_ptr<TVMGIFImage>> icons;
  for (int i = 0; i < 4; ++i) {
    auto icon = std::make_unique<TVMGIFImage>();
    icon->SetImageList(&message);
    icon->SetImageListID(i);
    ASSERT_TRUE(icon->Create(root, 300, 20 + i * 43, 40, 40));
    icons.push_back(std::move(icon));
  }
  TVMInvisibleButton invisible;
  ASSERT_TRUE(invisible.Create(root, 164, 160, 130, 30));
  TVMLabel invisibleText;
  invisibleText.SetCaption("A label on a click area");
  ASSERT_TRUE(invisibleText.Create(root, 164, 170, 135, 14));

  Rendering r(root);
  // The artwork really is there: the tab strip and the list's selection are drawn.
  EXPECT_EQ(r.At(1, 1), clFrame);
  EXPECT_EQ(r.At(166, 20 + 2 * list.RowHeight() + 1), clFrame) << "selected row (3, scrolled by 1)";
  int drawn = 0;
  for (int x = 4; x < 23; ++x)
    for (int y = 0; y < 15; ++y) drawn += r.At(x, y) != clFrame;
  EXPECT_GT(drawn, 20) << "the first tab button shows its picture";
  EXPECT_TRUE(WriteBmp(r.Dc(), r.Bitmap(), W, H, L"widgets_form.bmp"));
}

TEST(Showcase, MessageBoxOnTheScreen) {
  // Captured from the screen while it waits: the real window, as a user sees it.
  std::vector<TColor> probes;
  bool saved = false;
  win::SetMessageBoxShownHook([&](win::TfrmMessage& box) {
    ::UpdateWindow(box.Handle());
    for (const auto& b : box.Buttons()) ::UpdateWindow(b.control->Handle());
    ::GdiFlush();
    ::Sleep(100);  // let the X server show it
    RECT r;
    ::GetWindowRect(box.Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    win::WindowDc screen(nullptr);
    win::MemoryDc dc(::CreateCompatibleDC(screen));
    win::Bitmap bmp(::CreateCompatibleBitmap(screen, w, h));
    {
      win::SelectScope select(dc, bmp);
      ::BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
      probes = {::GetPixel(dc, 3, 3), ::GetPixel(dc, 3, 20), ::GetPixel(dc, 0, 30)};
    }
    saved = WriteBmp(dc, bmp, w, h, L"message_box.bmp");
    ::PostMessageW(box.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  int result = win::ShowMessageBox("Do you want to close the Kolo?", win::MessageKind::Confirmation, 0x83);
  win::SetMessageBoxShownHook({});
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(saved);
  ASSERT_EQ(probes.size(), 3u);
  EXPECT_EQ(probes[0], clFrame) << "title strip";
  EXPECT_EQ(probes[1], clSkyBlue) << "panel";
  EXPECT_EQ(probes[2], clFrame) << "frame line";
}

}  // namespace
}  // namespace kolo
