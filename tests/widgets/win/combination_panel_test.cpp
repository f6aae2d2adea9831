#include "widgets/win/combination_panel.h"

#include "widget_test_util.h"

namespace kolo {
namespace {

using namespace kolo::testing;

// An 8x6 picture whose every pixel has its own colour; pixel (7, 5) is transparent.
GifRgb PixelColour(int x, int y) {
  return {static_cast<std::uint8_t>(20 + x * 25), static_cast<std::uint8_t>(20 + y * 30), 77};
}
std::vector<std::uint8_t> GridGif() {
  std::vector<GifRgb> palette;
  std::vector<std::uint8_t> px;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      px.push_back(static_cast<std::uint8_t>(palette.size()));
      palette.push_back(PixelColour(x, y));
    }
  return SimpleGif(8, 6, palette, px, 47);
}

constexpr TColor kBack = 0x102030;

TEST(CombinationPanel, NineSliceKeepsCornersAndEdgesUnstretched) {
  TestForm form;
  TVMGIFImageList list;
  list.Add("frame.gif", 0, GridGif());
  TVMCombinationPanel panel;
  panel.SetColor(kBack);
  panel.SetImageList(&list);
  panel.SetImageListID(0);
  panel.SetDilators(3, 3);
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 30, 20));
  Rendering r(panel);
  auto img = [](int x, int y) { return ToTColor(PixelColour(x, y)); };
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(r.At(x, y), img(x, y)) << x << "," << y << " top-left corner";
  for (int y = 0; y < 3; ++y)
    for (int x = 26; x < 30; ++x) {
      EXPECT_EQ(r.At(x, y), img(x - 22, y)) << x << "," << y << " top-right corner";
    }
  for (int y = 18; y < 20; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(r.At(x, y), img(x, y - 14)) << x << "," << y << " bottom-left";
  EXPECT_EQ(r.At(28, 18), img(6, 4));
  EXPECT_EQ(r.At(29, 19), kBack) << "the transparent corner pixel shows the panel colour";
  for (int x = 3; x < 26; ++x) {
    EXPECT_EQ(r.At(x, 1), img(3, 1)) << x << " top edge stretched from column 3";
    EXPECT_EQ(r.At(x, 19), img(3, 5)) << x << " bottom edge";
  }
  for (int y = 3; y < 18; ++y) {
    EXPECT_EQ(r.At(0, y), img(0, 3)) << y << " left edge stretched from row 3";
    EXPECT_EQ(r.At(29, y), img(7, 3)) << y << " right edge";
    EXPECT_EQ(r.At(15, y), img(3, 3)) << y << " centre";
  }
}

TEST(CombinationPanel, NaturalSizeWithoutDilatorsOrRoom) {
  TestForm form;
  TVMGIFImageList list;
  list.Add("frame.gif", 0, GridGif());
  TVMCombinationPanel panel;
  panel.SetColor(kBack);
  panel.SetImageList(&list);
  panel.SetImageListID(0);
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 30, 20));
  Rendering r(panel);
  EXPECT_EQ(r.At(6, 4), ToTColor(PixelColour(6, 4)));
  EXPECT_EQ(r.At(8, 1), kBack);
  EXPECT_EQ(r.At(1, 6), kBack);

  panel.SetAutoSize(true);
  EXPECT_EQ(panel.Width(), 8);
  EXPECT_EQ(panel.Height(), 6);

  panel.SetImageListID(5);  // past the end
  panel.SetAutoSize(false);
  panel.SetSize(30, 20);
  EXPECT_EQ(Rendering(panel).At(1, 1), kBack);
}

TEST(CombinationPanel, AutoSizeHoldsAtCreationAndWhenTheListChanges) {
  TestForm form;
  TVMGIFImageList list;
  list.Add("frame.gif", 0, GridGif());
  TVMCombinationPanel early;
  early.SetAutoSize(true);
  early.SetImageList(&list);
  early.SetImageListID(0);
  ASSERT_TRUE(early.Create(form.Handle(), 0, 0, 30, 20));
  EXPECT_EQ(early.Bounds(), IntRect::FromSize(0, 0, 8, 6)) << "set before creation, kept by it";

  TVMGIFImageList later;
  TVMCombinationPanel waiting;
  waiting.SetAutoSize(true);
  waiting.SetImageList(&later);
  waiting.SetImageListID(0);
  ASSERT_TRUE(waiting.Create(form.Handle(), 40, 0, 30, 20));
  EXPECT_EQ(waiting.Width(), 30) << "no picture yet: the size stays";
  later.Add("frame.gif", 0, GridGif());
  EXPECT_EQ(waiting.Width(), 8);
  EXPECT_EQ(waiting.Height(), 6);
  later.Clear();
  later.Add("wide.gif", 0, SolidGif(12, 3, {1, 2, 3}));
  EXPECT_EQ(waiting.Bounds(), IntRect::FromSize(40, 0, 12, 3));
}

TEST(CombinationPanel, MouseTransparentPanelLetsThePointerThrough) {
  TestForm form;
  TVMCombinationPanel panel;
  ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 30, 20));
  RECT wr = panel.WindowRect();
  LPARAM at = Point(wr.left + 3, wr.top + 3);
  EXPECT_EQ(::SendMessageW(panel.Handle(), WM_NCHITTEST, 0, at), HTCLIENT);
  panel.MouseTransparent = true;
  EXPECT_EQ(::SendMessageW(panel.Handle(), WM_NCHITTEST, 0, at), HTTRANSPARENT);
}

TEST(Pager, ShowsOnePageAndLeavesTheCurrentOneAlone) {
  TestForm form;
  TVMPagerPanel pager;
  ASSERT_TRUE(pager.Create(form.Handle(), 5, 5, 120, 90));
  TVMNotRefreshPanel a, b, c;
  ASSERT_TRUE(a.Create(pager, 0, 0, 10, 10));
  ASSERT_TRUE(b.Create(pager, 0, 0, 10, 10));
  ASSERT_TRUE(c.Create(pager, 0, 0, 10, 10));
  for (auto* p : {&a, &b, &c}) EXPECT_FALSE(::IsWindowVisible(p->Handle())) << "pages start hidden";

  pager.SetCurrentPanel(&b);
  EXPECT_TRUE(::IsWindowVisible(b.Handle()));
  EXPECT_FALSE(::IsWindowVisible(a.Handle()));
  EXPECT_FALSE(::IsWindowVisible(c.Handle()));
  EXPECT_EQ(b.Bounds(), IntRect::FromSize(0, 0, 120, 90)) << "the page fills the pager";

  pager.SetCurrentPanel(&a);
  EXPECT_TRUE(::IsWindowVisible(a.Handle()));
  EXPECT_FALSE(::IsWindowVisible(b.Handle()));

  // Switching to the current page changes nothing, not even a page the owner moved.
  a.SetAlign(alNone);
  a.SetBounds(3, 4, 50, 40);
  pager.SetCurrentPanel(&a);
  EXPECT_EQ(a.Bounds(), IntRect::FromSize(3, 4, 50, 40));
  pager.SetCurrentPanel(nullptr);
  EXPECT_EQ(pager.CurrentPanel(), &a);
  EXPECT_TRUE(::IsWindowVisible(a.Handle()));

  pager.SetSize(100, 70);
  pager.SetCurrentPanel(&c);
  EXPECT_EQ(c.Bounds(), IntRect::FromSize(0, 0, 100, 70));

  {
    TVMNotRefreshPanel temporary;
    ASSERT_TRUE(temporary.Create(pager, 0, 0, 10, 10));
    pager.SetCurrentPanel(&temporary);
    EXPECT_FALSE(::IsWindowVisible(c.Handle()));
  }
  EXPECT_EQ(pager.CurrentPanel(), nullptr) << "a destroyed page is no longer current";
}

}  // namespace
}  // namespace kolo
