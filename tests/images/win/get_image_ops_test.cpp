// The screenshot tab's picture operations inside a real main window: rotate
// and flip through the picture tools' buttons, saving in every format (the
// save dialog answered by the test), the size fields and resizing, the
// transparent colour, copying, and the preview window stepping, cropping and
// deleting over a real screenshot folder.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../../hook/win/input_util.h"
#include "app/win/main_window.h"
#include "frame/memory_store.h"
#include "frame/shared_store.h"
#include "frame/win/system_win.h"
#include "images/win/get_image_tab.h"
#include "images/win/image_codec.h"
#include "images/win/image_files.h"
#include "images/win/preview_form.h"
#include "platform/win/gdiplus_session.h"
#include "platform/win/ui_scale.h"
#include "widgets/gif_decode.h"
#include "widgets/win/message_box_win.h"

namespace kolo::win {
namespace {

using kolo::testing::Pump;
using kolo::testing::PumpUntil;
using kolo::testing::SharedStore;

std::uint32_t Pixel(int x, int y) { return 0xFF000000u | (x * 0x30 + 0x10) << 16 | (y * 0x30 + 0x10) << 8 | 0x55; }

std::unique_ptr<Gdiplus::Bitmap> Picture(int w, int h) {
  PixelBuffer b{w, h, {}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.pixels.push_back(Pixel(x % 5, y % 5));
  return BitmapFromPixels(b);
}

std::vector<std::uint8_t> FileBytes(const std::wstring& path) {
  std::ifstream f(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

class GetImageOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EnsureGdiplus());
    folder_ = ScreenshotFolder();
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    ClearFolder(folder_);
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    out_ = std::wstring(temp) + L"kolo_image_ops\\";
    ::CreateDirectoryW(out_.c_str(), nullptr);
    ClearFolder(out_);
  }
  void TearDown() override {
    if (preview_) preview_->ClosePreview();
    Close();
    SetMessageBoxShownHook({});
    ClearFolder(folder_);
  }
  static void ClearFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((folder + L"*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      ::SetFileAttributesW((folder + fd.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW((folder + fd.cFileName).c_str());
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
  }
  void Open() {
    Answer(kResultCancel);  // no box may wait for a person
    main_ = std::make_unique<TfrmMain>();
    store_.WriteInteger("crntPage", 5);
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<SharedStore>(store_); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_->Create(p));
    ::ShowWindow(main_->Handle(), SW_SHOW);
    tab_ = dynamic_cast<TGetImageTab*>(main_->Tab(5));
    ASSERT_NE(tab_, nullptr);
    preview_ = std::make_unique<TfrmImagePreview>();
    ASSERT_TRUE(preview_->Create(main_->Handle(), *main_));
    Pump(50);
  }
  void Close() {
    preview_.reset();
    if (main_ && main_->Handle()) ::DestroyWindow(main_->Handle());
    main_.reset();
    Pump(10);
  }
  void Click(Widget& b) {
    ::SendMessageW(b.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ::SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(b.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  // Answers every message box with `answer` and remembers the texts.
  void Answer(int answer) {
    SetMessageBoxShownHook([this, answer](TfrmMessage& m) {
      messages_.push_back(m.Text());
      m.Close(answer);
    });
  }
  PixelBuffer Current() { return ReadPixels(*tab_->CurrentImage()); }
  // Saves through SaveImage with the dialog answered by `name`.
  void SaveAs(const std::wstring& name, int filterIndex = 1) {
    tab_->saveDialogHook = [&](std::wstring& file, int& index) {
      file = out_ + name;
      index = filterIndex;
      return true;
    };
    tab_->SaveImage();
  }
  void Seed(const std::wstring& name, int w, int h) {
    auto p = Picture(w, h);
    ASSERT_TRUE(SaveImageFile(*p, folder_ + name, SaveRequest{}));
  }
  void SelectAndLoad(int index) {
    tab_->HookImageList.SetItemIndex(index);
    tab_->HookImageListSelect();
    ASSERT_TRUE(PumpUntil([&] { return tab_->HasImage() && main_->ImageControlsEnabled(); }, 3000));
  }

  std::wstring folder_, out_;
  MemoryStore store_;
  std::unique_ptr<TfrmMain> main_;
  std::unique_ptr<TfrmImagePreview> preview_;
  TGetImageTab* tab_ = nullptr;
  std::vector<std::string> messages_;
};

TEST_F(GetImageOpsTest, RotateAndFlipButtonsMoveThePixelsAndAListedPictureIsRewritten) {
  Open();
  tab_->SetCurrentImage(Picture(3, 2));
  tab_->Activate();
  TImageBottomPanel& panel = main_->ImageBottomTab();
  struct Case {
    TVMPictureButton& button;
    int w, h;
    std::function<std::uint32_t(int, int)> was;  // the old pixel a new place shows
  };
  const Case cases[] = {
      {panel.btnRotateRightImage, 2, 3, [](int x, int y) { return Pixel(y, 1 - x); }},
      {panel.btnRotateLeftImage, 2, 3, [](int x, int y) { return Pixel(2 - y, x); }},
      {panel.btnFlipVertImage, 3, 2, [](int x, int y) { return Pixel(2 - x, y); }},   // carries "flip horizontal"
      {panel.btnFlipHorizImage, 3, 2, [](int x, int y) { return Pixel(x, 1 - y); }},  // carries "flip vertical"
  };
  for (const Case& c : cases) {
    tab_->SetCurrentImage(Picture(3, 2));
    Click(c.button);
    const PixelBuffer b = Current();
    ASSERT_EQ(b.width, c.w);
    ASSERT_EQ(b.height, c.h);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) EXPECT_EQ(b.pixels[y * c.w + x], c.was(x, y)) << x << "," << y;
  }
  EXPECT_EQ(::GetWindowTextLengthW(panel.edWidthImage), 1) << "the size fields follow the turned picture";

  // A picture of the list: the turn rewrites its file and marks it changed since publishing.
  tab_->SetCurrentImage(Picture(30, 10));
  tab_->AddImageToList(true);
  TKOLImgobj* item = tab_->HookImageList.Select();
  ASSERT_NE(item, nullptr);
  item->attrs.url = "http://example.test/a.png";
  tab_->UpdatePublishHint();
  EXPECT_EQ(main_->acImageToWeb.Hint(), "Sview on site");
  Click(panel.btnRotateLeftImage);
  auto onDisk = LoadImageFile(folder_ + Widen(item->attrs.fileName));
  ASSERT_TRUE(onDisk);
  EXPECT_EQ(onDisk->GetWidth(), 10u);
  EXPECT_EQ(onDisk->GetHeight(), 30u);
  EXPECT_TRUE(item->attrs.modified);
  EXPECT_EQ(main_->acImageToWeb.Hint(), "Spublish on site");
}

TEST_F(GetImageOpsTest, SavingFollowsTheExtensionAndNeverHarmsAnExistingFile) {
  Open();
  tab_->SetCurrentImage(Picture(5, 4));
  tab_->Activate();
  const auto keyed = static_cast<long long>(MakeColor(0x40, 0x40, 0x55));  // Pixel(1, 1)
  tab_->transparentColor = keyed;
  main_->Options().saveJPGQuality = 7;

  SaveAs(L"a.PNG", 1);
  auto png = LoadImageFile(out_ + L"a.PNG");
  ASSERT_TRUE(png);
  const PixelBuffer p = ReadPixels(*png);
  EXPECT_EQ(p.pixels[1 * 5 + 1] >> 24, 0u) << "the transparent colour is see-through in a PNG";
  EXPECT_EQ(p.pixels[0], Pixel(0, 0));
  EXPECT_EQ(Narrow(out_), main_->Options().lastPath);

  SaveAs(L"b.JPEG", 2);
  EXPECT_EQ(main_->Options().filterImageIndex, 2);
  auto bytes = FileBytes(out_ + L"b.JPEG");
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  SaveAs(L"c.xyz");
  bytes = FileBytes(out_ + L"c.xyz");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), "BM") << "an unknown extension is a BMP";
  auto bmp = LoadImageFile(out_ + L"c.xyz");
  ASSERT_TRUE(bmp);
  EXPECT_EQ(ReadPixels(*bmp).pixels[6] | 0xFF000000u, Pixel(1, 1)) << "BMP ignores the transparent colour";

  // GIF, adaptive: the transparent colour is the table's last entry.
  SaveAs(L"d.gif", 4);
  bytes = FileBytes(out_ + L"d.gif");
  auto gif = DecodeGif(bytes);
  ASSERT_TRUE(gif);
  const GifFrame& f = gif->frames.at(0);
  EXPECT_EQ(f.transparentIndex, 19) << "nineteen colours, then the transparent one";
  EXPECT_EQ(f.indices[1 * 5 + 1], f.transparentIndex);
  EXPECT_EQ(0xFF000000u | RgbOf(gif->globalPalette.at(f.indices[0])), Pixel(0, 0));

  // GIF, current palette of one colour: a warning and no file.
  Answer(kResultOk);
  main_->Options().saveGIFPalette = 1;
  const TColor one[] = {0x123456};
  main_->SetStripColors(one);
  SaveAs(L"e.gif", 4);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "In the current palette of colors is less than two.");
  EXPECT_EQ(::GetFileAttributesW((out_ + L"e.gif").c_str()), INVALID_FILE_ATTRIBUTES);

  // An existing file: No keeps it, and a read-only one is refused even after Yes.
  messages_.clear();
  const auto before = FileBytes(out_ + L"c.xyz");
  tab_->RotateFlip(1);
  Answer(kResultNo);
  SaveAs(L"c.xyz");
  EXPECT_EQ(messages_.at(0), "c.xyz already exists. Overwrite?");
  EXPECT_EQ(FileBytes(out_ + L"c.xyz"), before);
  ::SetFileAttributesW((out_ + L"c.xyz").c_str(), FILE_ATTRIBUTE_READONLY);
  Answer(kResultYes);
  SaveAs(L"c.xyz");
  EXPECT_EQ(messages_.back(), "Unable to save image.");
  EXPECT_EQ(FileBytes(out_ + L"c.xyz"), before);
  ::SetFileAttributesW((out_ + L"c.xyz").c_str(), FILE_ATTRIBUTE_NORMAL);
  SaveAs(L"c.xyz");
  EXPECT_NE(FileBytes(out_ + L"c.xyz"), before) << "Yes replaces a writable file";
}

TEST_F(GetImageOpsTest, SizeFieldsFollowEachOtherAndTheButtonReducesAfterTheQuestion) {
  Open();
  tab_->SetCurrentImage(Picture(300, 200));
  tab_->Activate();
  TImageBottomPanel& panel = main_->ImageBottomTab();
  auto type = [&](HWND edit, const wchar_t* text) {
    ::SetWindowTextW(edit, text);
    tab_->ImageSizeEdited(edit);
  };
  type(panel.edWidthImage, L"5000");
  EXPECT_EQ(WindowText(panel.edWidthImage), "300");
  EXPECT_EQ(WindowText(panel.edHeightImage), "200");
  type(panel.edWidthImage, L"151");
  EXPECT_EQ(WindowText(panel.edHeightImage), "101");
  type(panel.edHeightImage, L"100");
  EXPECT_EQ(WindowText(panel.edWidthImage), "150");

  Answer(kResultNo);
  Click(panel.btnChangeSizeImage);
  EXPECT_EQ(messages_.at(0), "Are you sure you want to reduce this image?");
  EXPECT_EQ(tab_->CurrentImage()->GetWidth(), 300u);
  Answer(kResultYes);
  Click(panel.btnChangeSizeImage);
  EXPECT_EQ(tab_->CurrentImage()->GetWidth(), 150u);
  EXPECT_EQ(tab_->CurrentImage()->GetHeight(), 100u);

  messages_.clear();
  Answer(kResultOk);
  ::SetWindowTextW(panel.edWidthImage, L"");
  Click(panel.btnChangeSizeImage);
  EXPECT_EQ(messages_.at(0), "The image size must be greater than zero.");
  EXPECT_EQ(tab_->CurrentImage()->GetWidth(), 150u);
}

TEST_F(GetImageOpsTest, TransparentColourGoesIntoTheItemAndCopyLeavesItsPixelsUnpainted) {
  Open();
  tab_->SetCurrentImage(Picture(6, 4));
  tab_->Activate();
  const auto sampled = static_cast<long long>(MakeColor(0x40, 0x10, 0x55));  // Pixel(1, 0)
  // A cancelled pick without a list item leaves the colour it had.
  tab_->pickStartColor = -1;
  tab_->transparentColor = sampled;
  tab_->PickFinished(true);
  EXPECT_EQ(tab_->transparentColor, -1);

  tab_->AddImageToList(true);
  TKOLImgobj* item = tab_->HookImageList.Select();
  ASSERT_NE(item, nullptr);
  tab_->transparentColor = sampled;
  tab_->PickFinished(false);
  EXPECT_EQ(item->attrs.transparent, sampled);
  EXPECT_TRUE(item->attrs.modified);
  item->attrs.modified = false;
  tab_->transparentColor = 0x0000FF;
  tab_->PickFinished(true);
  EXPECT_EQ(tab_->transparentColor, sampled) << "a cancelled pick takes the item's colour back";

  tab_->CopyImage();
  ASSERT_TRUE(::OpenClipboard(main_->Handle()));
  HBITMAP clip = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  ASSERT_NE(clip, nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 6;
  bi.bmiHeader.biHeight = -4;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> px(24);
  WindowDc screen(nullptr);
  EXPECT_EQ(::GetDIBits(screen, clip, 0, 4, px.data(), &bi, DIB_RGB_COLORS), 4);
  ::CloseClipboard();
  EXPECT_EQ(px[1] & 0xFFFFFF, 0u) << "the transparent colour's pixels stay unpainted";
  EXPECT_EQ(px[0] & 0xFFFFFF, Pixel(0, 0) & 0xFFFFFF);

  tab_->ClearTransparent();
  EXPECT_EQ(item->attrs.transparent, -1);
  EXPECT_TRUE(item->attrs.modified);
}

TEST_F(GetImageOpsTest, PreviewStepsCropsAndDeletesThroughTheList) {
  // Newest first: a screen-filling picture, a 200x100 one and a 60x50 one.
  const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  Seed(L"200101000003.png", sw + 300, sh + 200);
  Seed(L"200101000002.png", 200, 100);
  Seed(L"200101000001.png", 60, 50);
  store_.WriteBool("confirmCrop", false);
  store_.WriteBool("confirmDelete", false);
  Open();
  main_->Options().confirmCrop = false;
  main_->Options().confirmDelete = false;
  ASSERT_EQ(tab_->HookImageList.Count(), 3);
  SelectAndLoad(0);
  Gdiplus::Bitmap* tabImage = tab_->CurrentImage();

  tab_->ViewImage();
  ASSERT_TRUE(preview_->IsOpen());
  EXPECT_FALSE(::IsWindowVisible(main_->Handle())) << "the main window hides while the preview is open";
  EXPECT_EQ(preview_->ShownImage(), tabImage);
  RECT r = preview_->WindowRect();
  EXPECT_EQ(r.right - r.left, sw);
  EXPECT_EQ(r.bottom - r.top, sh);
  EXPECT_TRUE(preview_->Layout().canPan);
  EXPECT_TRUE(PumpUntil([&] { return preview_->NeighbourReady(true); }, 3000)) << "the next picture loads ahead";

  ::SendMessageW(preview_->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(preview_->Index(), 1);
  r = preview_->WindowRect();
  EXPECT_EQ(r.right - r.left, 204);
  EXPECT_EQ(r.bottom - r.top, 117);
  ::SendMessageW(preview_->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(preview_->Index(), 2) << "the wheel turned up steps to the next picture";
  r = preview_->WindowRect();
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 67);
  EXPECT_EQ(preview_->OffsetX(), 18);
  EXPECT_FALSE(preview_->btnCrop.Visible());
  EXPECT_FALSE(preview_->btnNextImage.Enabled());
  ::SendMessageW(preview_->Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(preview_->Index(), 0);
  EXPECT_EQ(preview_->ShownImage(), tabImage);

  // Crop the big picture to the view: the tab lets go of it, the file shrinks.
  const int vw = preview_->ViewWidth(), vh = preview_->ViewHeight();
  Click(preview_->btnCrop);
  EXPECT_EQ(tab_->CurrentImage(), nullptr);
  auto cropped = LoadImageFile(folder_ + L"200101000003.png");
  ASSERT_TRUE(cropped);
  EXPECT_EQ(static_cast<int>(cropped->GetWidth()), vw);
  EXPECT_EQ(static_cast<int>(cropped->GetHeight()), vh);
  EXPECT_TRUE(tab_->HookImageList.Item(0).attrs.modified);

  // Delete the last one; then close with Escape: the list follows the preview.
  ::SendMessageW(preview_->Handle(), WM_KEYDOWN, VK_END, 0);
  ::SendMessageW(preview_->Handle(), WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(tab_->HookImageList.Count(), 2);
  EXPECT_EQ(::GetFileAttributesW((folder_ + L"200101000001.png").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(preview_->Index(), 1);
  ::SendMessageW(preview_->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(preview_->IsOpen());
  EXPECT_TRUE(::IsWindowVisible(main_->Handle()));
  EXPECT_EQ(tab_->HookImageList.ItemIndex(), 1);
  ASSERT_TRUE(PumpUntil([&] { return tab_->HasImage(); }, 3000));
  EXPECT_EQ(tab_->CurrentImage()->GetWidth(), 200u);
}

TEST_F(GetImageOpsTest, OnADenseScreenThePreviewShowsThePictureOneToOneInADoubledFrame) {
  Seed(L"200101000001.png", 200, 100);
  struct BackToOne {
    ~BackToOne() { SetUiScale(1); }
  } backToOne;
  Open();
  SetUiScale(2);  // as after a move to a 192 dpi monitor
  RescaleWindows(1);
  SelectAndLoad(0);
  tab_->ViewImage();
  ASSERT_TRUE(preview_->IsOpen());
  const RECT r = preview_->WindowRect();
  EXPECT_EQ(r.right - r.left, 200 + 2 * 4);
  EXPECT_EQ(r.bottom - r.top, 100 + 2 * 17);
  RECT close{};
  ::GetWindowRect(preview_->btnClose.Handle(), &close);
  EXPECT_EQ(close.right - close.left, 2 * preview_->btnClose.Width()) << "the caption's controls are doubled";
  EXPECT_EQ(close.left - r.left, 2 * (Lg(r.right - r.left) - 13));

  // What the screen shows: the caption strip 30 pixels tall, then the picture
  // pixel for pixel (neighbouring pixels differ, so any enlargement shows).
  ::UpdateWindow(preview_->Handle());
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32};
  void* bits = nullptr;
  Bitmap section(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc mem(::CreateCompatibleDC(nullptr));
  {
    SelectScope sel(mem, section.Get());
    WindowDc screen(nullptr);
    ASSERT_TRUE(::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY));
  }
  const auto* px = static_cast<const std::uint32_t*>(bits);
  auto at = [&](int x, int y) { return px[y * w + x] & 0xFFFFFF; };
  const COLORREF frame = ToColorRef(clFrame);
  EXPECT_EQ(at(100, 29), std::uint32_t{GetRValue(frame)} << 16 | GetGValue(frame) << 8 | GetBValue(frame));
  for (int y : {0, 1, 2, 99})
    for (int x : {0, 1, 2, 3, 199}) EXPECT_EQ(at(4 + x, 30 + y), Pixel(x % 5, y % 5) & 0xFFFFFF) << x << "," << y;
  preview_->ClosePreview();
}

TEST_F(GetImageOpsTest, AnUnlistedPictureIsWhereHomeReturnsAndDeletingTheLastListedOneCloses) {
  Seed(L"200101000001.png", 40, 30);
  Open();
  tab_->SetCurrentImage(Picture(70, 20));
  tab_->Activate();
  Gdiplus::Bitmap* unlisted = tab_->CurrentImage();
  tab_->ViewImage();
  ASSERT_TRUE(preview_->IsOpen());
  EXPECT_EQ(preview_->Index(), -1);
  EXPECT_FALSE(preview_->btnPrevImage.Enabled());
  preview_->Next();
  EXPECT_EQ(preview_->Index(), 0);
  EXPECT_TRUE(preview_->btnPrevImage.Enabled()) << "back onto the unlisted picture";
  preview_->Home();
  EXPECT_EQ(preview_->Index(), -1);
  EXPECT_EQ(preview_->ShownImage(), unlisted);
  preview_->ClosePreview();
  EXPECT_EQ(tab_->CurrentImage(), unlisted) << "the tab keeps its picture";

  // Opened on the only list item: deleting it (Yes) closes the preview.
  Answer(kResultYes);
  SelectAndLoad(0);
  tab_->ViewImage();
  ASSERT_TRUE(preview_->IsOpen());
  preview_->Delete();
  EXPECT_FALSE(preview_->IsOpen());
  EXPECT_EQ(tab_->HookImageList.Count(), 0);
  EXPECT_TRUE(::IsWindowVisible(main_->Handle()));
}

TEST_F(GetImageOpsTest, DamagedAndHugeFilesAreRefusedBeforeDecoding) {
  Open();
  auto good = Picture(20, 20);
  ASSERT_TRUE(SaveImageFile(*good, out_ + L"good.png", SaveRequest{}));
  auto bytes = FileBytes(out_ + L"good.png");
  ASSERT_TRUE(LoadImageFile(out_ + L"good.png"));
  {
    std::ofstream cut((out_ + L"cut.png").c_str(), std::ios::binary);
    cut.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size() / 2));
  }
  EXPECT_FALSE(LoadImageFile(out_ + L"cut.png"));
  // The same file claiming 30000x30000 in its header.
  for (int i : {16, 20}) {
    bytes[i] = 0, bytes[i + 1] = 0, bytes[i + 2] = 0x75, bytes[i + 3] = 0x30;
  }
  {
    std::ofstream huge((out_ + L"huge.png").c_str(), std::ios::binary);
    huge.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_FALSE(LoadImageFile(out_ + L"huge.png"));
}

}  // namespace
}  // namespace kolo::win
