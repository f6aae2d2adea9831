#include "images/image_ops.h"

#include <gtest/gtest.h>

#include <string>

namespace kolo {
namespace {

TEST(ImageOps, TheExtensionInAnyCaseChoosesTheFormatAndUnknownOnesSaveAsBmp) {
  const std::pair<const char*, ImageFormat> cases[] = {
      {"a.jpg", ImageFormat::Jpeg},  {"A.JPEG", ImageFormat::Jpeg}, {"b.Jpe", ImageFormat::Jpeg},
      {"c.png", ImageFormat::Png},   {"d.TIF", ImageFormat::Tiff},  {"e.tiff", ImageFormat::Tiff},
      {"f.GIF", ImageFormat::Gif},   {"g.bmp", ImageFormat::Bmp},   {"h.webp", ImageFormat::Bmp},
      {"noext", ImageFormat::Bmp},   {"C:\\x.png\\y", ImageFormat::Bmp},
  };
  for (const auto& [name, format] : cases) EXPECT_EQ(FormatForFileName(name), format) << name;
  EXPECT_STREQ(EncoderMime(ImageFormat::Jpeg), L"image/jpeg");
  EXPECT_STREQ(EncoderMime(ImageFormat::Tiff), L"image/tiff");
}

TEST(ImageOps, ASizeFieldKeepsTheShapeAndNeverGrowsThePicture) {
  // A 300x200 picture.
  SizeFollow f = FollowSizeField(5000, 300, 200);
  EXPECT_EQ(f.rewrite, 300);
  EXPECT_EQ(f.other, 200);
  f = FollowSizeField(150, 300, 200);
  EXPECT_FALSE(f.rewrite);
  EXPECT_EQ(f.other, 100);
  EXPECT_EQ(FollowSizeField(151, 300, 200).other, 101);  // 100.67
  EXPECT_EQ(FollowSizeField(3, 300, 200).other, 2);       // 2.0
  EXPECT_EQ(FollowSizeField(300, 300, 200).rewrite, std::nullopt);
  EXPECT_EQ(FollowSizeField(0, 300, 200).other, 0);
  // The height field of the same picture: 50 -> 75; ties go to the even number.
  EXPECT_EQ(FollowSizeField(50, 200, 300).other, 75);
  EXPECT_EQ(FollowSizeField(1, 4, 2).other, 0);  // 0.5
  EXPECT_EQ(FollowSizeField(3, 4, 2).other, 2);  // 1.5
}

TEST(ImageOps, APrintIsAsLargeAsOnTheScreenShrunkToThePageAndCentred) {
  // 100x100 at 96 dpi on a 600 dpi printer with a 4800x6600 printable area.
  PrintPlacement p = PlaceOnPage(100, 100, 600, 600, 96, 96, 4800, 6600);
  EXPECT_EQ(p.width, 625);
  EXPECT_EQ(p.height, 625);
  EXPECT_EQ(p.x, 2088);  // 2087.5 to even
  EXPECT_EQ(p.y, 2988);
  // Too wide: the page width, the height in proportion.
  p = PlaceOnPage(2000, 1000, 600, 600, 96, 96, 4800, 6600);
  EXPECT_EQ(p.width, 4800);
  EXPECT_EQ(p.height, 2400);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 2100);
  // Too tall after that: the page height decides.
  p = PlaceOnPage(1000, 3000, 600, 600, 96, 96, 4800, 6600);
  EXPECT_EQ(p.height, 6600);
  EXPECT_EQ(p.width, 2200);
}

TEST(ImageOps, TheCurrentPaletteSkipsEmptyCellsButKeepsTheTransparentOne) {
  const std::vector<TColor> cells = {0x0000FF, clEmptyColor, 0x00FF00, clEmptyColor | 0x808080, 0xFF0000};
  GifPalette p = PaletteFromCells(cells, 3);
  ASSERT_EQ(p.colors.size(), 4u);
  EXPECT_EQ(RgbOf(p.colors[0]), 0xFF0000u);  // TColor red
  EXPECT_EQ(RgbOf(p.colors[2]), 0x808080u);
  EXPECT_EQ(p.transparentIndex, 2);
  EXPECT_EQ(RgbOf(p.colors[3]), 0x0000FFu);
  p = PaletteFromCells(std::vector<TColor>{0x123456, clEmptyColor}, -1);
  EXPECT_EQ(p.colors.size(), 1u) << "fewer than two: the caller refuses to write";
  EXPECT_EQ(p.transparentIndex, -1);

  EXPECT_EQ(FixedGifPalette(gpWeb).colors.size(), 216u);
  EXPECT_EQ(FixedGifPalette(gpWindows).colors.size(), 256u);
  EXPECT_EQ(FixedGifPalette(gpMacOS).colors.size(), 256u);
  const GifPalette grey = FixedGifPalette(gpGrayscale);
  ASSERT_EQ(grey.colors.size(), 256u);
  EXPECT_EQ(RgbOf(grey.colors[77]), 0x4D4D4Du);
  EXPECT_EQ(GifPaletteName(gpMacOS), "Mac OS");
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> b) { return {b.begin(), b.end()}; }
void Append(std::vector<std::uint8_t>& v, std::initializer_list<int> b) { v.insert(v.end(), b.begin(), b.end()); }

std::vector<std::uint8_t> Png(std::uint32_t w, std::uint32_t h, bool end) {
  auto v = Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
  for (std::uint32_t s : {w, h}) Append(v, {int(s >> 24), int(s >> 16 & 255), int(s >> 8 & 255), int(s & 255)});
  Append(v, {8, 2, 0, 0, 0, 1, 2, 3, 4});
  if (end) Append(v, {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82});
  return v;
}

TEST(ImageOps, PictureFilesAreJudgedByTheirHeadersBeforeDecoding) {
  EXPECT_TRUE(AcceptableImageFile(Png(1920, 1080, true)));
  EXPECT_FALSE(AcceptableImageFile(Png(30000, 30000, true))) << "a huge picture";
  EXPECT_FALSE(AcceptableImageFile(Png(1920, 1080, false))) << "cut short";
  EXPECT_FALSE(AcceptableImageFile(Png(0, 10, true)));
  auto png = Png(5, 5, true);
  png.resize(14);
  EXPECT_FALSE(AcceptableImageFile(png)) << "the header itself cut";

  // JPEG: markers walked to the frame header; the end marker must be there.
  auto jpeg = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xC0, 0, 11, 8, 0x01, 0x2C, 0x02, 0x58, 3});
  Append(jpeg, {0xFF, 0xDA, 0, 2, 1, 2, 3, 0xFF, 0xD9});
  auto d = ReadImageHeader(jpeg);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->format, ImageFormat::Jpeg);
  EXPECT_EQ(d->width, 600);
  EXPECT_EQ(d->height, 300);
  EXPECT_TRUE(AcceptableImageFile(jpeg));
  jpeg.resize(jpeg.size() - 2);
  EXPECT_FALSE(AcceptableImageFile(jpeg));

  auto gif = Bytes({'G', 'I', 'F', '8', '9', 'a', 0x30, 0x75, 0x30, 0x75, 0, 0, 0, ';'});
  EXPECT_FALSE(AcceptableImageFile(gif)) << "30000x30000";
  gif[6] = 10, gif[7] = 0, gif[8] = 10, gif[9] = 0;
  EXPECT_TRUE(AcceptableImageFile(gif));

  auto bmp = Bytes({'B', 'M', 54, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 64, 0, 0, 0, 0xC0, 0xFF, 0xFF, 0xFF});
  bmp.resize(54);
  d = ReadImageHeader(bmp);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->width, 64);
  EXPECT_EQ(d->height, 64) << "a top-down picture has a negative height";

  auto tiff = Bytes({'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0, 0, 1, 3, 0, 1, 0, 0, 0, 0x20, 0, 0, 0, 1, 1, 4, 0, 1, 0, 0, 0,
                     0x10, 0, 0, 0});
  d = ReadImageHeader(tiff);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->width, 32);
  EXPECT_EQ(d->height, 16);

  EXPECT_FALSE(ReadImageHeader(Bytes({'h', 'e', 'l', 'l', 'o'})));
  EXPECT_FALSE(ReadImageHeader({}));
}

}  // namespace
}  // namespace kolo
