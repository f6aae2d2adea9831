#include "images/preview_layout.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

const IntRect kMain = IntRect::FromSize(800, 400, 364, 320);

PreviewLayout LayOut(int windowW, int windowH, int imageW, int imageH, int index = 0, int count = 3) {
  PreviewLayoutInput in;
  in.viewWidth = windowW - kPreviewViewInsetX;
  in.viewHeight = windowH - kPreviewViewInsetY;
  in.hasImage = true;
  in.imageWidth = imageW;
  in.imageHeight = imageH;
  in.offsetX = CentredOffset(in.viewWidth, imageW);
  in.offsetY = CentredOffset(in.viewHeight, imageH);
  in.index = index;
  in.count = count;
  return LayOutPreview(in);
}

TEST(PreviewLayout, ASmallPictureOpensAMinimumWidthWindowAndCannotPan) {
  const IntRect b = PreviewWindowBounds(60, 50, kMain, 1920, 1080);
  EXPECT_EQ(b.Width(), 100);
  EXPECT_EQ(b.Height(), 67);
  EXPECT_EQ(b.left, 800 + 182 - 50);
  EXPECT_EQ(b.top, 400 + 160 - 33);
  const PreviewLayout l = LayOut(100, 67, 60, 50);
  EXPECT_EQ(l.offsetX, 18);
  EXPECT_EQ(l.offsetY, 0);
  EXPECT_FALSE(l.canPan);
  EXPECT_FALSE(l.cropShown);
  EXPECT_FALSE(l.labelShown);
  EXPECT_TRUE(l.stepButtonsShown);
}

TEST(PreviewLayout, ALargePictureShowsTheVisibleSizeAndCanBePanned) {
  const PreviewLayout l = LayOut(1000, 300, 2000, 500);
  EXPECT_TRUE(l.canPan);
  EXPECT_TRUE(l.cropShown);
  EXPECT_EQ(l.cropX, 42);
  EXPECT_EQ(l.label, "[996x283]");

  // A 3000x2000 screenshot on a 1920x1080 screen: a screen-sized window on its centre.
  const IntRect b = PreviewWindowBounds(3000, 2000, kMain, 1920, 1080);
  EXPECT_EQ(b, IntRect::FromSize(0, 0, 1920, 1080));
  const PreviewLayout big = LayOut(1920, 1080, 3000, 2000);
  EXPECT_EQ(big.offsetX, -542);
  EXPECT_EQ(big.offsetY, -468);  // -468.5 toward zero
  EXPECT_EQ(VisiblePart(big.offsetX, big.offsetY, 1916, 1063, 3000, 2000), IntRect::FromSize(542, 468, 1916, 1063));
  // Panning keeps the picture over the whole view.
  EXPECT_EQ(PanOffset(-542, 10000, 1916, 3000, -542), 0);
  EXPECT_EQ(PanOffset(-542, -10000, 1916, 3000, -542), 1916 - 3000);
  EXPECT_EQ(PanOffset(-10, 5, 1916, 1000, 458), 458) << "a picture narrower than the view does not pan";
  const AxisBlit ax = BlitAxis(-542, 1916, 3000);
  EXPECT_EQ(ax.source, 542);
  EXPECT_EQ(ax.dest, 0);
  EXPECT_EQ(ax.length, 1916);
  EXPECT_EQ(BlitAxis(18, 96, 60).dest, 18);
}

TEST(PreviewLayout, NarrowWindowsHideTheStepButtonsAndEdgeMovesKeepThePictureStill) {
  const PreviewLayout narrow = LayOut(110, 200, 400, 400);
  EXPECT_FALSE(narrow.stepButtonsShown);
  EXPECT_EQ(narrow.cropX, 4);
  EXPECT_EQ(narrow.captionX, 22);
  EXPECT_TRUE(narrow.labelShown);

  // Dragging the left edge 30 pixels left: the picture stays where it was on the screen.
  PreviewLayoutInput in;
  in.viewWidth = 530;
  in.viewHeight = 283;
  in.hasImage = true;
  in.imageWidth = 2000;
  in.imageHeight = 1000;
  in.offsetX = -700;
  in.offsetY = -300;
  in.moved = true;
  in.left = 70;
  in.storedLeft = 100;
  in.top = in.storedTop = 50;
  EXPECT_EQ(LayOutPreview(in).offsetX, -670);
  // Never beyond the picture's edges.
  in.offsetX = -10;
  EXPECT_EQ(LayOutPreview(in).offsetX, 0);
  in.moved = false;
  in.offsetX = -1900;
  EXPECT_EQ(LayOutPreview(in).offsetX, 530 - 2000);
}

TEST(PreviewLayout, StepButtonsFollowThePlaceInTheList) {
  EXPECT_FALSE(LayOut(400, 300, 50, 50, 0, 3).prevEnabled);
  EXPECT_TRUE(LayOut(400, 300, 50, 50, 0, 3).nextEnabled);
  EXPECT_FALSE(LayOut(400, 300, 50, 50, 2, 3).nextEnabled);
  EXPECT_TRUE(LayOut(400, 300, 50, 50, -1, 3).nextEnabled) << "the unlisted picture steps into the list";
  PreviewLayoutInput in;
  in.viewWidth = 300;
  in.viewHeight = 200;
  in.index = 0;
  in.count = 2;
  in.unlistedTabImage = true;
  EXPECT_TRUE(LayOutPreview(in).prevEnabled) << "back from the first item onto the unlisted picture";
  EXPECT_FALSE(LayOutPreview(in).canPan) << "nothing shown";
}

TEST(PreviewLayout, TheBorderlessWindowHasEdgesCornersAndACaption) {
  const int w = 400, h = 300;
  EXPECT_EQ(PreviewHitTest(399, 299, w, h, true), PreviewHit::BottomRight);
  EXPECT_EQ(PreviewHitTest(0, 299, w, h, true), PreviewHit::BottomLeft);
  EXPECT_EQ(PreviewHitTest(1, 1, w, h, true), PreviewHit::TopLeft);
  EXPECT_EQ(PreviewHitTest(398, 0, w, h, true), PreviewHit::TopRight);
  EXPECT_EQ(PreviewHitTest(200, 298, w, h, true), PreviewHit::Bottom);
  EXPECT_EQ(PreviewHitTest(200, 297, w, h, true), PreviewHit::Client) << "the bottom band is two pixels";
  EXPECT_EQ(PreviewHitTest(398, 100, w, h, true), PreviewHit::Right);
  EXPECT_EQ(PreviewHitTest(2, 100, w, h, true), PreviewHit::Left) << "the left band is three pixels";
  EXPECT_EQ(PreviewHitTest(100, 2, w, h, true), PreviewHit::Top);
  EXPECT_EQ(PreviewHitTest(100, 10, w, h, true), PreviewHit::Caption);
  EXPECT_EQ(PreviewHitTest(20, 10, w, h, true), PreviewHit::Client) << "over the step buttons";
  EXPECT_EQ(PreviewHitTest(20, 10, w, h, false), PreviewHit::Caption);
  EXPECT_EQ(PreviewHitTest(100, 16, w, h, true), PreviewHit::Client);

  // The hidden main window follows the preview and stays inside the work area.
  const IntRect work = IntRect::FromSize(0, 0, 1920, 1040);
  EXPECT_EQ(CentreMainOnPreview(IntRect::FromSize(100, 100, 564, 420), 364, 320, work), IntRect::FromSize(200, 150, 364, 320));
  EXPECT_EQ(CentreMainOnPreview(IntRect::FromSize(1800, 1000, 100, 67), 364, 320, work).right, 1920);
  EXPECT_EQ(CentreMainOnPreview(IntRect::FromSize(-500, -500, 100, 67), 364, 320, work).left, 0);
}

}  // namespace
}  // namespace kolo
