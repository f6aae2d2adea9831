#include "widgets/gif_encode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace kolo {
namespace {

struct Picture {
  int width, height;
  std::vector<std::uint32_t> px;
  GifPixels View() const { return {px.data(), width, height, width}; }
  std::uint32_t At(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
};

// Writes, reads back with our decoder and returns each pixel's colour (or 0xFF000000 when transparent).
std::vector<std::uint32_t> RoundTrip(const Picture& p, const GifPalette& palette, bool reserved,
                                     GifPicture* decoded = nullptr) {
  auto bytes = WriteGif(p.View(), palette, reserved);
  EXPECT_TRUE(bytes);
  if (!bytes) return {};
  EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 6), "GIF89a");
  auto pic = DecodeGif(*bytes);
  EXPECT_TRUE(pic);
  if (!pic) return {};
  EXPECT_EQ(pic->width, p.width);
  EXPECT_EQ(pic->height, p.height);
  const GifFrame& f = pic->frames.at(0);
  std::vector<std::uint32_t> out;
  for (std::uint8_t i : f.indices)
    out.push_back(i == f.transparentIndex ? 0xFF000000u : RgbOf(pic->PaletteOf(f).at(i)));
  if (decoded) *decoded = *pic;
  return out;
}

TEST(GifEncode, TenColoursAndATransparentOneMakeAnElevenEntryTable) {
  Picture p{5, 4, {}};
  const std::uint32_t transparent = 0x00FF00;
  for (int i = 0; i < 20; ++i) p.px.push_back(i % 5 == 4 ? transparent : static_cast<std::uint32_t>(0x101010 * (i % 11) + 1));
  const GifPalette palette = AdaptivePalette(p.View(), 8, transparent);
  ASSERT_EQ(palette.colors.size(), 11u);
  EXPECT_EQ(palette.transparentIndex, 10);
  EXPECT_EQ(RgbOf(palette.colors[10]), transparent);

  GifPicture decoded;
  const auto got = RoundTrip(p, palette, true, &decoded);
  EXPECT_EQ(decoded.frames[0].transparentIndex, 10);
  ASSERT_GE(decoded.globalPalette.size(), 11u);
  for (std::size_t i = 0; i < 20; ++i)
    EXPECT_EQ(got[i], p.px[i] == transparent ? 0xFF000000u : p.px[i]) << "pixel " << i;
}

TEST(GifEncode, FewColoursKeepTheOrderTheyFirstAppearColumnByColumnFromTheBottom) {
  // A C
  // B D   read as B, A, D, C
  const Picture p{2, 2, {0xAA0000, 0xCC0000, 0xBB0000, 0xDD0000}};
  const GifPalette palette = AdaptivePalette(p.View(), 8, std::nullopt);
  ASSERT_EQ(palette.colors.size(), 4u);
  EXPECT_EQ(RgbOf(palette.colors[0]), 0xBB0000u);
  EXPECT_EQ(RgbOf(palette.colors[1]), 0xAA0000u);
  EXPECT_EQ(RgbOf(palette.colors[2]), 0xDD0000u);
  EXPECT_EQ(RgbOf(palette.colors[3]), 0xCC0000u);
  EXPECT_EQ(palette.transparentIndex, -1);
  EXPECT_EQ(RoundTrip(p, palette, true), p.px);
}

TEST(GifEncode, ManyColoursAreReducedToTheMostFrequentCellsAndMapNearby) {
  // A smooth 128x128 picture of 16,384 colours: the palette holds 255 cell
  // averages plus the transparent entry, and no pixel lands far away.
  Picture p{128, 128, {}};
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) p.px.push_back(static_cast<std::uint32_t>((x * 2) << 16 | (y * 2) << 8 | 0x40));
  p.px[0] = 0x123456;  // the transparent colour appears once
  const GifPalette palette = AdaptivePalette(p.View(), 8, 0x123456);
  ASSERT_EQ(palette.colors.size(), 256u);
  EXPECT_EQ(palette.transparentIndex, 255);
  const auto got = RoundTrip(p, palette, true);
  ASSERT_EQ(got.size(), p.px.size());
  EXPECT_EQ(got[0], 0xFF000000u);
  long total = 0;
  int worst = 0;
  for (std::size_t i = 1; i < got.size(); ++i) {
    ASSERT_NE(got[i], 0xFF000000u) << "only the transparent colour may become transparent";
    int d = 0;
    for (int s = 0; s < 24; s += 8) d += std::abs(static_cast<int>((got[i] >> s) & 0xFF) - static_cast<int>((p.px[i] >> s) & 0xFF));
    total += d;
    worst = std::max(worst, d);
  }
  EXPECT_LT(total / static_cast<long>(got.size()), 12) << "mean distance";
  EXPECT_LT(worst, 48);
}

TEST(GifEncode, FixedTablesMapEachPixelAndCarryNoTransparentIndex) {
  // Greys onto a grey table are exact; other colours go to a near entry.
  GifPalette greys;
  for (int i = 0; i < 256; ++i) greys.colors.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i)});
  Picture p{16, 16, {}};
  for (int i = 0; i < 256; ++i) p.px.push_back(static_cast<std::uint32_t>(i * 0x010101));
  GifPicture decoded;
  EXPECT_EQ(RoundTrip(p, greys, false, &decoded), p.px);
  EXPECT_EQ(decoded.frames[0].transparentIndex, -1);

  // A cell without entries takes the entry nearest its centre, first on a tie.
  GifPalette two{{{0, 0, 0}, {255, 255, 255}}, -1};
  const Picture q{3, 1, {0x101010, 0xF0F0F0, 0x7C7C7C}};
  EXPECT_EQ(RoundTrip(q, two, false), (std::vector<std::uint32_t>{0x000000, 0xFFFFFF, 0x000000}));
}

TEST(GifEncode, AnOrdinaryTransparentEntryIsACandidateButAReservedOneIsNot) {
  GifPalette palette{{{0, 0, 0}, {250, 250, 250}}, 1};
  const Picture p{2, 1, {0xFFFFFF, 0x000000}};
  // A palette's own transparent colour (the strip's): white-ish pixels go transparent.
  EXPECT_EQ(RoundTrip(p, palette, false), (std::vector<std::uint32_t>{0xFF000000, 0x000000}));
  // Reserved: only the exact colour does; white maps to black, the only other entry.
  EXPECT_EQ(RoundTrip(p, palette, true), (std::vector<std::uint32_t>{0x000000, 0x000000}));
}

TEST(GifEncode, RefusesWhatCannotBeAGif) {
  const GifPalette one{{{1, 2, 3}}, -1};
  const std::vector<std::uint8_t> zeros(4, 0);
  EXPECT_TRUE(EncodeGif(2, 2, zeros, one)) << "a single colour is padded to a two-entry table";
  EXPECT_FALSE(EncodeGif(2, 2, std::vector<std::uint8_t>{0, 1, 0, 0}, one)) << "index beyond the table";
  EXPECT_FALSE(EncodeGif(3, 2, zeros, one)) << "too few indices";
  EXPECT_FALSE(EncodeGif(0, 2, {}, one));
  EXPECT_FALSE(EncodeGif(2, 2, zeros, GifPalette{}));
  EXPECT_FALSE(EncodeGif(2, 2, zeros, GifPalette{{{1, 2, 3}}, 4})) << "transparent index beyond the table";
  EXPECT_FALSE(WriteGif(GifPixels{}, one, false));
}

}  // namespace
}  // namespace kolo
