#include "widgets/win/gif_image_list.h"

#include "art_ids.h"
#include "widget_test_util.h"
#include "widgets/image_pack.h"

namespace kolo {
namespace {

using namespace kolo::testing;

// Draws entry `index` onto a 10x10 canvas of `back` and reads pixel (x, y).
TColor DrawnAt(const TVMGIFImageList& list, int index, int x, int y, TColor back = 0x010203) {
  win::WindowDc screen(nullptr);
  win::MemoryDc dc(::CreateCompatibleDC(screen));
  win::Bitmap bmp(::CreateCompatibleBitmap(screen, 10, 10));
  win::SelectScope select(dc, bmp);
  win::FillSolid(dc, RECT{0, 0, 10, 10}, back);
  list.Draw(dc, 0, 0, index);
  return ::GetPixel(dc, x, y);
}

TEST(GifImageList, MissingOrDamagedDataDrawsNothing) {
  TVMGIFImageList list;
  EXPECT_FALSE(list.LoadFromResource(L"NO_SUCH_PACK"));
  EXPECT_EQ(list.Count(), 0);

  auto good = SolidGif(4, 4, {200, 10, 10});
  std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() - 5));
  auto pack = BuildImagePack({{"good.gif", 7, good}, {"cut.gif", 0, cut}, {"none.gif", 0, {}}, {"x.gif", 0, good}});
  pack.resize(pack.size() - 3);  // the last item is cut off
  EXPECT_FALSE(list.LoadFromPack(pack));
  ASSERT_EQ(list.Count(), 3) << "the sound items before the defect stay";
  EXPECT_EQ(list.Tag(0), 7);
  EXPECT_EQ(list.IndexOfCaption("none.gif"), 2);
  EXPECT_EQ(DrawnAt(list, 0, 1, 1), MakeColor(200, 10, 10));
  for (int index : {-1, 1, 2, 3, 1000}) {
    EXPECT_EQ(DrawnAt(list, index, 1, 1), 0x010203u) << index;
    EXPECT_EQ(list.ImageSize(index).cx, 0) << index;
  }
}

TEST(GifImageList, RecolouringRedrawsAndTellsTheLinks) {
  TVMGIFImageList list;
  list.Add("two.gif", 2, SimpleGif(2, 1, {{0, 0, 0}, {255, 255, 255}}, {0, 1}));
  int notices = 0;
  ImageListLink link([&] { ++notices; });
  link.Set(&list);
  EXPECT_EQ(DrawnAt(list, 0, 1, 0), MakeColor(255, 255, 255));
  auto* table = list.Picture(0)->FirstColorTable();
  ASSERT_NE(table, nullptr);
  (*table)[1] = {10, 20, 30};
  list.PictureChanged(0);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(DrawnAt(list, 0, 1, 0), MakeColor(10, 20, 30));
  link.Set(nullptr);
  list.PictureChanged(0);
  EXPECT_EQ(notices, 1) << "an unlinked control hears nothing";
}

TEST(GifImageList, TheProgramsPacksLoadAndDecode) {
  TVMGIFImageList list;
  ASSERT_TRUE(list.LoadFromResource(KOLO_RES_IMAGES_MESSAGE));
  EXPECT_EQ(list.Count(), art::kMsgImgCount);
  for (int i = 0; i < list.Count(); ++i) EXPECT_GT(list.ImageSize(i).cx, 0) << "entry " << i << " decodes";
  EXPECT_EQ(list.ImageSize(art::kMsgImgOkNormal).cx, 64);
}

}  // namespace
}  // namespace kolo
