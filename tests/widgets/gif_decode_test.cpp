#include "widgets/gif_decode.h"

#include <gtest/gtest.h>

#include <random>

#include "test_gif.h"

namespace kolo {
namespace {

using testing::SimpleGif;
using testing::TestFrame;
using testing::WriteGif;

const std::vector<GifRgb> kPalette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};

TEST(GifDecode, SingleFrameWithTransparency) {
  auto data = SimpleGif(3, 2, kPalette, {0, 1, 2, 3, 2, 1}, 3);
  auto pic = DecodeGif(data);
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->width, 3);
  EXPECT_EQ(pic->height, 2);
  ASSERT_EQ(pic->frames.size(), 1u);
  EXPECT_EQ(pic->frames[0].transparentIndex, 3);
  EXPECT_EQ(pic->frames[0].indices, (std::vector<std::uint8_t>{0, 1, 2, 3, 2, 1}));

  auto canvases = ComposeGifFrames(*pic);
  ASSERT_EQ(canvases.size(), 1u);
  EXPECT_EQ(canvases[0].At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(canvases[0].At(1, 0), 0xFF00FF00u);
  EXPECT_EQ(canvases[0].At(2, 0), 0xFF0000FFu);
  EXPECT_EQ(canvases[0].At(0, 1), 0u) << "transparent pixels are all zero";
}

TEST(GifDecode, InterlacedRowsComeBackInDisplayOrder) {
  TestFrame f;
  f.width = 1;
  f.height = 11;
  for (int r = 0; r < 11; ++r) f.pixels.push_back(static_cast<std::uint8_t>(r % 4));
  f.interlace = true;
  auto pic = DecodeGif(WriteGif(1, 11, kPalette, {f}));
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->frames[0].indices, f.pixels);
}

TEST(GifDecode, FramesKeepDelaysPalettesAndDisposal) {
  TestFrame a;  // whole screen red, kept
  a.width = 4; a.height = 4; a.pixels.assign(16, 0); a.delay = 7; a.disposal = 1;
  TestFrame b;  // a green 2x2 patch at (1,1), cleared afterwards, own table
  b.left = 1; b.top = 1; b.width = 2; b.height = 2; b.pixels = {0, 0, 0, 1};
  b.local = {{0, 255, 0}, {9, 9, 9}}; b.transparent = 1; b.delay = 25; b.disposal = 2;
  TestFrame c;  // a blue pixel at (3,3), restored afterwards
  c.left = 3; c.top = 3; c.width = 1; c.height = 1; c.pixels = {2}; c.disposal = 3; c.delay = 0;
  TestFrame d;  // one transparent pixel: shows what remains
  d.width = 1; d.height = 1; d.pixels = {3}; d.transparent = 3;
  auto pic = DecodeGif(WriteGif(4, 4, kPalette, {a, b, c, d}));
  ASSERT_TRUE(pic);
  ASSERT_EQ(pic->frames.size(), 4u);
  EXPECT_EQ(pic->frames[0].delay, 7);
  EXPECT_EQ(pic->frames[1].delay, 25);
  EXPECT_EQ(pic->frames[1].left, 1);
  EXPECT_EQ(pic->frames[1].disposal, 2);
  EXPECT_EQ(pic->PaletteOf(pic->frames[1])[0], (GifRgb{0, 255, 0}));
  EXPECT_EQ(pic->PaletteOf(pic->frames[2])[2], (GifRgb{0, 0, 255}));

  auto f = ComposeGifFrames(*pic);
  ASSERT_EQ(f.size(), 4u);
  EXPECT_EQ(f[1].At(1, 1), 0xFF00FF00u);
  EXPECT_EQ(f[1].At(2, 2), 0xFFFF0000u) << "transparent index of the patch shows the frame below";
  EXPECT_EQ(f[1].At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(f[2].At(1, 1), 0u) << "disposal 2 cleared the patch to transparent";
  EXPECT_EQ(f[2].At(3, 3), 0xFF0000FFu);
  EXPECT_EQ(f[3].At(3, 3), 0xFFFF0000u) << "disposal 3 restored the pixel under the blue one";
  EXPECT_EQ(f[3].At(1, 1), 0u);
}

TEST(GifDecode, RecolouringTheFirstTableChangesThePicture) {
  auto pic = DecodeGif(SimpleGif(2, 1, {{1, 1, 1}, {2, 2, 2}}, {0, 1}));
  ASSERT_TRUE(pic);
  auto* table = pic->FirstColorTable();
  ASSERT_NE(table, nullptr);
  (*table)[1] = {200, 100, 50};
  EXPECT_EQ(ComposeGifFrames(*pic)[0].At(1, 0), 0xFFC86432u);

  TestFrame own;
  own.width = 1; own.pixels = {0}; own.local = {{7, 7, 7}};
  auto local = DecodeGif(WriteGif(1, 1, {}, {own}));
  ASSERT_TRUE(local);
  EXPECT_EQ(local->FirstColorTable(), &local->frames[0].localPalette);
}

TEST(GifDecode, ScreenOfZeroTakesTheFramesExtent) {
  TestFrame f;
  f.left = 2; f.width = 3; f.height = 2; f.pixels.assign(6, 1);
  auto pic = DecodeGif(WriteGif(0, 0, kPalette, {f}));
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->width, 5);
  EXPECT_EQ(pic->height, 2);
  EXPECT_EQ(ComposeGifFrames(*pic)[0].At(4, 1), 0xFF00FF00u);
}

TEST(GifDecode, FrameOutsideTheScreenIsClipped) {
  TestFrame f;
  f.left = 1; f.top = 1; f.width = 3; f.height = 3; f.pixels.assign(9, 2);
  auto pic = DecodeGif(WriteGif(2, 2, kPalette, {f}));
  ASSERT_TRUE(pic);
  auto c = ComposeGifFrames(*pic);
  EXPECT_EQ(c[0].At(1, 1), 0xFF0000FFu);
  EXPECT_EQ(c[0].At(0, 0), 0u);
}

// Many tiny frames: each costs a record even when its pixels are few.
std::vector<std::uint8_t> TinyFrames(int screen, int count) {
  std::vector<TestFrame> frames(static_cast<size_t>(count));
  for (auto& f : frames) f.pixels = {1};
  return WriteGif(screen, screen, kPalette, frames);
}

TEST(GifDecode, FrameCountAndComposedSizeAreBounded) {
  auto most = DecodeGif(TinyFrames(1, kGifMaxFrames));
  ASSERT_TRUE(most);
  EXPECT_EQ(most->frames.size(), static_cast<size_t>(kGifMaxFrames));
  EXPECT_FALSE(DecodeGif(TinyFrames(1, kGifMaxFrames + 1)));
  // A 512x512 screen leaves room for 64 composed frames.
  const int fit = static_cast<int>(kGifMaxComposedPixels / (512 * 512));
  EXPECT_TRUE(DecodeGif(TinyFrames(512, fit)));
  EXPECT_FALSE(DecodeGif(TinyFrames(512, fit + 1)));
}

TEST(GifDecode, BadInputGivesNothing) {
  EXPECT_FALSE(DecodeGif({}));
  std::vector<std::uint8_t> junk(100, 0x47);
  EXPECT_FALSE(DecodeGif(junk));

  // No colour table anywhere.
  TestFrame bare;
  bare.pixels = {0};
  EXPECT_FALSE(DecodeGif(WriteGif(1, 1, {}, {bare})));

  // A header that asks for a giant frame.
  TestFrame big;
  big.width = 1; big.height = 1; big.pixels = {0};
  auto data = WriteGif(1, 1, kPalette, {big});
  // Image descriptor: ',' left top width height; patch width and height to 60000.
  auto pos = std::find(data.begin() + 13 + 3 * 4 + 8, data.end(), 0x2C);
  ASSERT_NE(pos, data.end());
  size_t at = static_cast<size_t>(pos - data.begin());
  data[at + 5] = 0x60; data[at + 6] = 0xEA;
  data[at + 7] = 0x60; data[at + 8] = 0xEA;
  EXPECT_FALSE(DecodeGif(data));
}

std::vector<std::uint8_t> TwoFrameGif() {
  TestFrame a, b;
  a.width = 8; a.height = 8;
  for (int i = 0; i < 64; ++i) a.pixels.push_back(static_cast<std::uint8_t>(i % 4));
  b = a;
  b.local = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  b.interlace = true;
  b.delay = 3;
  return WriteGif(8, 8, kPalette, {a, b});
}

TEST(GifDecode, EveryTruncationFailsCleanly) {
  auto data = TwoFrameGif();
  ASSERT_TRUE(DecodeGif(data));
  for (size_t n = 0; n < data.size(); ++n) {
    std::vector<std::uint8_t> cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(DecodeGif(cut)) << "truncated to " << n << " bytes";
  }
}

TEST(GifDecode, CorruptBytesNeverCrash) {
  auto data = TwoFrameGif();
  std::mt19937 rng(1234);
  int decoded = 0;
  for (int round = 0; round < 3000; ++round) {
    auto bad = data;
    int flips = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < flips; ++i) bad[rng() % bad.size()] = static_cast<std::uint8_t>(rng());
    auto pic = DecodeGif(bad);
    if (!pic) continue;
    ++decoded;
    // Whatever survives must be self-consistent enough to compose.
    for (const auto& f : pic->frames) ASSERT_EQ(f.indices.size(), static_cast<size_t>(f.width) * f.height);
    auto canvases = ComposeGifFrames(*pic);
    ASSERT_EQ(canvases.size(), pic->frames.size());
  }
  EXPECT_GT(decoded, 0) << "some flips only touch pixel data and still decode";
}

}  // namespace
}  // namespace kolo
