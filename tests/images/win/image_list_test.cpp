// The image list window in-process: a folder of real PNG files loaded with its
// item file, thumbnails from the loader thread, selection by keys and mouse,
// scrolling, hints and the right-click menu; the item file never half-written.
#include "images/win/image_list.h"

#include <gdiplus.h>

#include <chrono>
#include <string>
#include <vector>

#include "../../widgets/win/widget_test_util.h"
#include "images/win/image_files.h"
#include "platform/win/gdiplus_session.h"

namespace kolo::win {
namespace {

using namespace kolo::testing;

std::wstring TempFolder() {
  wchar_t base[MAX_PATH];
  ::GetTempPathW(MAX_PATH, base);
  const std::wstring folder =
      std::wstring(base) + L"kolo_image_list_" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::string ReadText(const std::wstring& path) {
  auto bytes = ReadWholeFile(path, 1 << 20);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EnsureGdiplus());
    folder = TempFolder();
    // Six pictures, oldest first; a stray file of another kind.
    for (int i = 1; i <= 6; ++i) {
      Gdiplus::Bitmap picture(40, 30, PixelFormat24bppRGB);
      Gdiplus::Graphics(&picture).Clear(Gdiplus::Color(255, static_cast<BYTE>(i * 40), 20, 30));
      ASSERT_TRUE(SaveImagePng(picture, folder + L"13010100000" + std::to_wstring(i) + L".png"));
    }
    ASSERT_TRUE(WriteFileReplacing(folder + L"notes.txt", "not a picture"));
    listFile = folder + L"list.bin";
    ASSERT_TRUE(WriteFileReplacing(listFile, "130101000003|00FF00|0|http://example.com/3\r\n"));

    list.Column = 1;
    list.Filter = "png";
    list.Path = folder;
    ASSERT_TRUE(list.Create(form.Handle(), 0, 0, 60, 150));  // cells of 60: two and a half rows
    ASSERT_TRUE(scroller.Create(form.Handle(), 60, 0, 9, 150));
    list.SetVerticalScroller(&scroller);
    list.OnSelect = [this](TKOLImageList&) { ++selects; };
    list.OnDeletePress = [this](TKOLImageList&) { ++deletes; };
    list.OnPopup = [this](TKOLImageList&, int x, int y) { popups.push_back({x, y}); };
    list.OnHintItem = [this](TKOLImageList&, const std::string& name) { hints.push_back(name); };
    list.LoadFromFile(listFile);
    // The loader hands its thumbnails over through the message queue.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!list.LoaderDone() && std::chrono::steady_clock::now() < until) {
      MSG m;
      while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
      ::Sleep(5);
    }
  }
  void TearDown() override {
    list.Destroy();
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring p = folder + fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          if (fd.cFileName[0] != L'.') ::RemoveDirectoryW(p.c_str());
        } else {
          ::DeleteFileW(p.c_str());
        }
      } while (::FindNextFileW(find, &fd));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
  }
  void Wheel(int delta) {
    const RECT r = list.WindowRect();
    ::SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), Point(r.left + 5, r.top + 5));
  }

  TestForm form;
  TKOLImageList list;
  TVMScrollImage scroller;
  std::wstring folder, listFile;
  int selects = 0, deletes = 0;
  std::vector<POINT> popups;
  std::vector<std::string> hints;
};

TEST_F(ImageListTest, LoadsNewestFirstWithThumbnailsAndAttributes) {
  ASSERT_TRUE(list.LoaderDone()) << "the loader did not finish";
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list.Item(0).attrs.fileName, "130101000006.png");
  EXPECT_EQ(list.Item(5).attrs.fileName, "130101000001.png");
  EXPECT_EQ(list.ItemIndex(), -1);
  const TKOLImgobj& third = list.Item(3);
  EXPECT_EQ(third.attrs.url, "http://example.com/3");
  EXPECT_EQ(third.attrs.transparent, 0x00FF00);
  for (int i = 0; i < list.Count(); ++i) {
    ASSERT_TRUE(list.Item(i).thumbnail) << i;
    EXPECT_EQ(list.Item(i).imageWidth, 40);
    EXPECT_EQ(list.Item(i).imageHeight, 30);
  }
  EXPECT_EQ(scroller.Max(), 6 * 60 - 150);
  // The newest picture is painted in the first cell: red 240 from the sixth file.
  Rendering shot(list);
  const TColor c = shot.At(30, 30);
  EXPECT_GT(GetR(c), 200);
  EXPECT_LT(GetG(c), 60);
}

TEST_F(ImageListTest, KeysSelectAndKeepTheSelectionInView) {
  HWND w = list.Handle();
  KeyDown(w, VK_HOME);
  EXPECT_EQ(list.ItemIndex(), 0);
  KeyDown(w, VK_DOWN);
  KeyDown(w, VK_DOWN);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(list.ScrollPos(), 30) << "the third row is scrolled up into view";
  KeyDown(w, VK_END);
  EXPECT_EQ(list.ItemIndex(), 5);
  EXPECT_EQ(list.ScrollPos(), 210);
  KeyDown(w, VK_DOWN);
  KeyDown(w, VK_RIGHT);
  EXPECT_EQ(list.ItemIndex(), 5) << "nothing after the last";
  KeyDown(w, VK_PRIOR);  // a page is the rows in view less one: two
  EXPECT_EQ(list.ItemIndex(), 3);
  EXPECT_EQ(list.ScrollPos(), 180);
  KeyDown(w, VK_UP);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(list.ScrollPos(), 120);
  EXPECT_EQ(scroller.Position(), 120) << "the scroll bar follows";
  EXPECT_EQ(selects, 6);
  KeyDown(w, VK_DELETE);
  EXPECT_EQ(deletes, 1);
}

TEST_F(ImageListTest, MouseSelectsHintsScrollsAndAsksForTheMenu) {
  HWND w = list.Handle();
  LeftClick(w, 30, 70);
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(selects, 1);
  LeftClick(w, 30, 75);
  EXPECT_EQ(selects, 1) << "the selected item again is no new selection";
  ASSERT_FALSE(hints.empty());
  EXPECT_EQ(hints.back(), "130101000005.png");
  MouseMove(w, 30, 130);
  EXPECT_EQ(hints.back(), "130101000004.png");
  ::SendMessageW(w, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(hints.back(), "130101000005.png") << "leaving shows the selected item again";

  // A right press selects the cell under it, then asks for the menu there.
  ::SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, Point(30, 130));
  EXPECT_EQ(list.ItemIndex(), 2);
  ASSERT_EQ(popups.size(), 1u);
  ::SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, Point(30, 149));
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(popups.size(), 2u);

  Wheel(-120);
  EXPECT_EQ(list.ScrollPos(), 60) << "a notch scrolls one cell";
  Wheel(-40);
  Wheel(-40);
  EXPECT_EQ(list.ScrollPos(), 60) << "parts of a notch wait for the rest";
  Wheel(-40);
  EXPECT_EQ(list.ScrollPos(), 120);
  for (int i = 0; i < 5; ++i) Wheel(-120);
  EXPECT_EQ(list.ScrollPos(), 210);
  // The cell under a point counts the scrolling.
  LeftClick(w, 30, 5);
  EXPECT_EQ(list.ItemIndex(), 3);
  Wheel(120);
  EXPECT_EQ(scroller.Position(), 150);
}

// The item file is written beside itself and renamed: when the new file cannot
// be made (disk full, folder read-only) the old one stays whole.
TEST_F(ImageListTest, ItemFileIsNeverHalfWritten) {
  const std::string before = ReadText(listFile);
  list.Item(0).attrs.url = "http://example.com/6";
  ASSERT_TRUE(::CreateDirectoryW((listFile + L".tmp").c_str(), nullptr));
  EXPECT_FALSE(list.SaveToFile(listFile));
  EXPECT_EQ(ReadText(listFile), before);
  ::RemoveDirectoryW((listFile + L".tmp").c_str());
  EXPECT_TRUE(list.SaveToFile(listFile));
  EXPECT_EQ(ReadText(listFile),
            "130101000006||0|http://example.com/6\r\n130101000003|00FF00|0|http://example.com/3\r\n");
  EXPECT_EQ(::GetFileAttributesW((listFile + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace kolo::win
