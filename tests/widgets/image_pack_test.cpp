#include "widgets/image_pack.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

std::vector<ImagePackItem> SampleItems() {
  return {
      {"emptycol.gif", 0, {'G', 'I', 'F', '8', '9', 'a', 1, 2, 3}},
      {"", -5, {}},  // an item without a picture
      {"naïve.gif", 0x7FFFFFFF, std::vector<std::uint8_t>(300, 0xAB)},
  };
}

void ExpectSame(const std::vector<ImagePackItem>& a, const std::vector<ImagePackItem>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].caption, b[i].caption) << i;
    EXPECT_EQ(a[i].tag, b[i].tag) << i;
    EXPECT_EQ(a[i].gif, b[i].gif) << i;
  }
}

TEST(ImagePack, RoundTripKeepsOrderCaptionsTagsAndData) {
  auto items = SampleItems();
  auto bytes = BuildImagePack(items);
  // The layout is a contract with the art build: check the header bytes themselves.
  ASSERT_GE(bytes.size(), 12u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "KGIL");
  EXPECT_EQ(bytes[4], 1); EXPECT_EQ(bytes[5], 0);
  EXPECT_EQ(bytes[8], 3); EXPECT_EQ(bytes[9], 0);
  EXPECT_EQ(bytes[12], 12); EXPECT_EQ(bytes[13], 0);  // caption length of item 0
  std::vector<ImagePackItem> back;
  EXPECT_TRUE(ParseImagePack(bytes, back));
  ExpectSame(items, back);
}

TEST(ImagePack, TruncationKeepsTheCompleteItemsOnly) {
  auto items = SampleItems();
  auto bytes = BuildImagePack(items);
  const size_t firstEnd = 12 + 2 + 12 + 4 + 4 + 9;
  const size_t secondEnd = firstEnd + 2 + 0 + 4 + 4;
  for (size_t n = 0; n < bytes.size(); ++n) {
    std::vector<ImagePackItem> back;
    EXPECT_FALSE(ParseImagePack(std::span(bytes.data(), n), back)) << n;
    size_t expected = n >= secondEnd ? 2 : n >= firstEnd ? 1 : 0;
    EXPECT_EQ(back.size(), expected) << n;
  }
}

TEST(ImagePack, RejectsForeignOrDamagedHeaders) {
  auto bytes = BuildImagePack(SampleItems());
  std::vector<ImagePackItem> back;

  auto magic = bytes;
  magic[0] = 'X';
  EXPECT_FALSE(ParseImagePack(magic, back));
  EXPECT_TRUE(back.empty());

  auto version = bytes;
  version[4] = 2;
  EXPECT_FALSE(ParseImagePack(version, back));

  auto trailing = bytes;
  trailing.push_back(0);
  EXPECT_FALSE(ParseImagePack(trailing, back));
  EXPECT_EQ(back.size(), 3u) << "the items before the junk are still usable";
}

TEST(ImagePack, HugeCountsAndLengthsDoNotOverRead) {
  // Count 0xFFFFFFFF with one tiny item: must stop at the end of the data.
  auto bytes = BuildImagePack({{"a", 1, {}}});
  bytes[8] = bytes[9] = bytes[10] = bytes[11] = 0xFF;
  std::vector<ImagePackItem> back;
  EXPECT_FALSE(ParseImagePack(bytes, back));
  EXPECT_EQ(back.size(), 1u);

  // A GIF length far past the end.
  auto longGif = BuildImagePack({{"b", 2, {1, 2, 3}}});
  size_t lenAt = 12 + 2 + 1 + 4;
  longGif[lenAt + 3] = 0x7F;
  EXPECT_FALSE(ParseImagePack(longGif, back));
  EXPECT_TRUE(back.empty());
}

}  // namespace
}  // namespace kolo
