#include "widgets/win/gif_image.h"

#include "widget_test_util.h"

namespace kolo {
namespace {

using namespace kolo::testing;

constexpr GifRgb kFrame[3] = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}};
constexpr int kDelays[3] = {5, 7, 9};

std::vector<std::uint8_t> ThreeFrames(bool noDelays = false) {
  std::vector<TestFrame> frames;
  for (int i = 0; i < 3; ++i) {
    TestFrame f;
    f.width = 6;
    f.height = 4;
    f.pixels.assign(24, static_cast<std::uint8_t>(i));
    f.delay = noDelays ? 0 : kDelays[i];
    frames.push_back(f);
  }
  return WriteGif(6, 4, {kFrame[0], kFrame[1], kFrame[2]}, frames);
}

std::wstring WriteTempFile(const wchar_t* name, const std::vector<std::uint8_t>& data) {
  wchar_t dir[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, dir);
  std::wstring path = std::wstring(dir) + name;
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (f != INVALID_HANDLE_VALUE) {
    ::WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    ::CloseHandle(f);
  }
  return path;
}

class GifImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.Add("anim.gif", 0, ThreeFrames());
    list.Add("still.gif", 0, SolidGif(6, 4, {9, 9, 9}));
    image.SetImageList(&list);
    image.SetImageListID(0);
    ASSERT_TRUE(image.Create(form.Handle(), 0, 0, 20, 10));
  }
  TColor Shown(int x = 1, int y = 1) { return Rendering(image).At(x, y); }
  void Tick() { ::SendMessageW(image.Handle(), WM_TIMER, 1, 0); }

  TestForm form;
  TVMGIFImageList list;
  TVMGIFImage image;
};

TEST_F(GifImageTest, AnimationStepsThroughTheFramesWithTheirDelays) {
  EXPECT_EQ(Shown(), ToTColor(kFrame[0]));
  image.SetIsRun(true);
  EXPECT_EQ(image.PendingStepDelay(), 100) << "the first step comes after 100 ms";
  Tick();
  EXPECT_EQ(image.SubImageId(), 1);
  EXPECT_EQ(image.PendingStepDelay(), 70);
  EXPECT_EQ(Shown(), ToTColor(kFrame[1]));
  Tick();
  EXPECT_EQ(image.SubImageId(), 2);
  EXPECT_EQ(image.PendingStepDelay(), 90);
  Tick();
  EXPECT_EQ(image.SubImageId(), 0) << "back to the first frame after the last";
  EXPECT_EQ(image.PendingStepDelay(), 50);
  image.SetIsRun(false);
  EXPECT_EQ(image.PendingStepDelay(), 0);
  Tick();
  EXPECT_EQ(image.SubImageId(), 0) << "a late timer after switching off does nothing";
}

TEST_F(GifImageTest, TheRealTimerDrivesIt) {
  image.SetIsRun(true);
  DWORD until = ::GetTickCount() + 3000;
  while (image.SubImageId() == 0 && ::GetTickCount() < until) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
  EXPECT_NE(image.SubImageId(), 0);
  image.SetIsRun(false);
}

TEST_F(GifImageTest, SingleFramesDoNotAnimate) {
  image.SetImageListID(1);
  image.SetIsRun(true);
  Tick();
  EXPECT_EQ(image.SubImageId(), 0);
  EXPECT_EQ(image.PendingStepDelay(), 0);
  image.SetImageListID(0);  // a picture that can animate starts again
  EXPECT_EQ(image.PendingStepDelay(), 100);
  Tick();
  EXPECT_EQ(image.SubImageId(), 1);
}

TEST_F(GifImageTest, ZeroDelayFramesKeepRunning) {
  list.Add("fast.gif", 0, ThreeFrames(true));  // 2
  image.SetImageListID(2);
  image.SetIsRun(true);
  Tick();
  EXPECT_EQ(image.SubImageId(), 1);
  EXPECT_EQ(image.PendingStepDelay(), TVMGIFImage::kMinStepMs) << "running, not idle";
  list.Add("other.gif", 0, SolidGif(2, 2, {1, 1, 1}));  // the list tells its users
  EXPECT_EQ(image.PendingStepDelay(), TVMGIFImage::kMinStepMs) << "a list notice does not restart the wait";
  Tick();
  EXPECT_EQ(image.SubImageId(), 2);
  image.SetIsRun(false);
  EXPECT_EQ(image.PendingStepDelay(), 0);
}

TEST_F(GifImageTest, ANewPictureStartsAtItsFirstFrame) {
  image.SetSubImageId(2);
  image.SetImageListID(0);  // the same entry again: nothing changes
  EXPECT_EQ(image.SubImageId(), 2);
  image.SetImageListID(1);
  EXPECT_EQ(image.SubImageId(), 0);
  EXPECT_EQ(Shown(), MakeColor(9, 9, 9)) << "the still picture shows";

  TVMGIFImageList other;
  other.Add("anim.gif", 0, ThreeFrames());
  image.SetImageListID(0);
  image.SetSubImageId(2);
  image.SetImageList(&other);
  EXPECT_EQ(image.SubImageId(), 0);

  image.SetSubImageId(2);
  const std::wstring path = WriteTempFile(L"kolo_gif_image_test.gif", SolidGif(6, 4, {7, 7, 7}));
  EXPECT_TRUE(image.SetFileName(path));
  EXPECT_EQ(image.SubImageId(), 0);
  EXPECT_EQ(Shown(), MakeColor(7, 7, 7));
  image.SetFileName(L"");
  ::DeleteFileW(path.c_str());
}

TEST_F(GifImageTest, AutoSizeSetBeforeCreationHolds) {
  TVMGIFImage sized;
  sized.SetAutoSize(true);
  sized.SetImageList(&list);
  sized.SetImageListID(1);
  ASSERT_TRUE(sized.Create(form.Handle(), 30, 0, 20, 10));
  EXPECT_EQ(sized.Bounds(), IntRect::FromSize(30, 0, 6, 4));
}

TEST_F(GifImageTest, FrameChoiceAndAlignment) {
  image.SetSubImageId(-3);
  EXPECT_EQ(image.SubImageId(), 0);
  image.SetSubImageId(2);
  EXPECT_EQ(Shown(), ToTColor(kFrame[2]));
  image.SetSubImageId(7);  // no such frame
  EXPECT_NE(Shown(), ToTColor(kFrame[0]));

  image.SetSubImageId(0);
  image.SetImageAlign(iaRight);
  image.SetImageVAlign(ivaBottom);
  EXPECT_EQ(Shown(14, 6), ToTColor(kFrame[0]));
  EXPECT_NE(Shown(13, 6), ToTColor(kFrame[0]));
  EXPECT_NE(Shown(14, 5), ToTColor(kFrame[0]));
  image.SetImageAlign(iaCenter);
  image.SetImageVAlign(ivaCenter);
  EXPECT_EQ(Shown(7, 3), ToTColor(kFrame[0]));
  EXPECT_NE(Shown(6, 3), ToTColor(kFrame[0]));

  image.SetAutoSize(true);
  EXPECT_EQ(image.Width(), 6);
  EXPECT_EQ(image.Height(), 4);
}

}  // namespace
}  // namespace kolo
