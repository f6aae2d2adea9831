// The clipboard history's picture operations: the screenshot code's edits run
// on a picture file and write it back in place.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/win/main_window.h"
#include "app/win/picture_lists.h"
#include "clipboard/win/clipboard_tab.h"
#include "frame/memory_store.h"
#include "images/win/image_files.h"
#include "platform/win/gdiplus_session.h"

namespace kolo::win {
namespace {

TEST(PictureOperationsTest, RotateAndResizeRewriteTheFileAndAMissingFileIsLeftAlone) {
  ASSERT_TRUE(EnsureGdiplus());
  TfrmMain main;
  TfrmMain::CreateParams p;
  p.openStore = [](bool) { return std::make_unique<MemoryStore>(); };
  p.loadHookLibrary = false;
  ASSERT_TRUE(main.Create(p));
  const PictureOperations ops = MakePictureOperations(main);

  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"kolo-picture-ops.png";
  {
    Gdiplus::Bitmap two(2, 1, PixelFormat32bppARGB);
    two.SetPixel(0, 0, Gdiplus::Color(255, 255, 0, 0));
    two.SetPixel(1, 0, Gdiplus::Color(255, 0, 0, 255));
    ASSERT_TRUE(SaveImagePng(two, file));
  }
  // A quarter turn clockwise: the left pixel ends on top.
  ASSERT_TRUE(ops.rotateFlip(file, Gdiplus::Rotate90FlipNone));
  {
    auto turned = LoadImageFile(file);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->GetWidth(), 1u);
    EXPECT_EQ(turned->GetHeight(), 2u);
    Gdiplus::Color top, bottom;
    turned->GetPixel(0, 0, &top);
    turned->GetPixel(0, 1, &bottom);
    EXPECT_EQ(top.GetR(), 255);
    EXPECT_EQ(bottom.GetB(), 255);
  }
  ASSERT_TRUE(ops.resize(file, 4, 6));
  {
    auto bigger = LoadImageFile(file);
    ASSERT_TRUE(bigger);
    EXPECT_EQ(bigger->GetWidth(), 4u);
    EXPECT_EQ(bigger->GetHeight(), 6u);
  }
  ::DeleteFileW(file.c_str());
  EXPECT_FALSE(ops.rotateFlip(file, Gdiplus::Rotate90FlipNone));
  EXPECT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
  ::DestroyWindow(main.Handle());
}

}  // namespace
}  // namespace kolo::win
