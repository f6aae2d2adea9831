#include "images/image_list_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <random>

namespace kolo {
namespace {

std::vector<ListLine> Parse(const std::string& text) {
  return ParseListFile({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

TEST(ImageListModel, FilterAndNameOrder) {
  EXPECT_TRUE(AcceptedByFilter("a.png", "png"));
  EXPECT_TRUE(AcceptedByFilter("b.PNG", "png"));
  EXPECT_FALSE(AcceptedByFilter("c.jpg", "png"));
  EXPECT_TRUE(AcceptedByFilter("c.jpg", "jpg|png"));
  EXPECT_FALSE(AcceptedByFilter("x.pn", "png"));
  EXPECT_FALSE(AcceptedByFilter("png", "png"));
  EXPECT_FALSE(AcceptedByFilter("x.png|jpg", "png|jpg"));

  std::vector<std::string> names{"a.png", "b.PNG", "121231235959.png", "1212312359.png", "\xC3" "a.png", "B.png"};
  SortNamesDescending(names);
  EXPECT_EQ(names, (std::vector<std::string>{"\xC3" "a.png", "b.PNG", "a.png", "B.png", "121231235959.png",
                                             "1212312359.png"}));
  std::vector<std::string> prefix{"ab", "abc"};
  SortNamesDescending(prefix);
  EXPECT_EQ(prefix, (std::vector<std::string>{"abc", "ab"}));
}

TEST(ImageListModel, ItemFileReadsWhatItCanAndRoundTrips) {
  // The documented example, a red key with the modified flag, a published
  // item, a line for a file that is gone, a bad colour and cut-off lines.
  const std::string text =
      "121231235959|00FF00|0|\r\n"
      "  130101000000|FF|1|  \r\n"
      "130101000001||0|http://example.com/a b\r\n"
      "990101000000|123456|0|\r\n"
      "130101000002|zz|1|u\r\n"
      "130101000003|0000FF\n"
      "130101000004\r\n";
  std::vector<ImageItemAttrs> items;
  for (const char* n : {"121231235959", "130101000000", "130101000001", "130101000002", "130101000003",
                        "130101000004", "130101000005"})
    items.push_back({std::string(n) + ".png", ""});
  ApplyListLines(items, Parse(text));

  EXPECT_EQ(items[0].transparent, 0x00FF00);
  EXPECT_FALSE(items[0].modified);
  EXPECT_EQ(items[1].transparent, 0x0000FF);
  EXPECT_TRUE(items[1].modified);
  EXPECT_EQ(items[1].url, "");
  EXPECT_EQ(items[2].url, "http://example.com/a b");
  EXPECT_EQ(items[2].transparent, -1);
  EXPECT_EQ(items[3].transparent, -1);  // not hexadecimal: ignored
  EXPECT_TRUE(items[3].modified);
  EXPECT_EQ(items[4].transparent, 0x0000FF);
  EXPECT_EQ(items[5].transparent, -1);
  EXPECT_EQ(items[6].transparent, -1);

  // Written back: lines only for items with a colour or an address, the gone file dropped.
  EXPECT_EQ(WriteListFile(items),
            "121231235959|00FF00|0|\r\n"
            "130101000000|0000FF|1|\r\n"
            "130101000001||0|http://example.com/a b\r\n"
            "130101000002||1|u\r\n"
            "130101000003|0000FF|0|\r\n");
  std::vector<ImageItemAttrs> again;
  for (const auto& item : items) again.push_back({item.fileName, ""});
  const std::string written = WriteListFile(items);
  ApplyListLines(again, Parse(written));
  EXPECT_EQ(WriteListFile(again), written);

  // An address with a line break cannot split its line.
  std::vector<ImageItemAttrs> broken{{"130101000009.png", "http://x/\r\n130101000000|FF|1|"}};
  EXPECT_EQ(Parse(WriteListFile(broken)).size(), 1u);
}

TEST(ImageListModel, ThumbnailAndCellSizes) {
  EXPECT_EQ(ThumbnailSize(1000, 500), (Size{256, 128}));
  EXPECT_EQ(ThumbnailSize(100, 300), (Size{85, 256}));
  EXPECT_EQ(ThumbnailSize(200, 100), (Size{200, 100}));
  EXPECT_EQ(ThumbnailSize(1920, 1080), (Size{256, 144}));
  EXPECT_EQ(ThumbnailSize(5000, 1), (Size{256, 1}));
  EXPECT_EQ(ThumbnailSize(0, 10), (Size{}));
  EXPECT_EQ(FitInCell({100, 300}, 90), (Size{29, 86}));
  EXPECT_EQ(FitInCell({20, 10}, 90), (Size{20, 10}));
}

TEST(ImageListModel, GridScrollsHitsAndMovesLikeTheKeys) {
  ListGrid g{90, 200, 1, 7};
  EXPECT_EQ(g.CellSide(), 90);
  EXPECT_EQ(g.ScrollMax(), 7 * 90 - 200);
  EXPECT_EQ(g.IndexAt(10, 10, 0), 0);
  EXPECT_EQ(g.IndexAt(10, 10, 100), 1);
  EXPECT_EQ(g.IndexAt(10, 199, 430), 6);
  EXPECT_EQ(g.IndexAt(10, 199, 450), -1);  // below the last row
  EXPECT_EQ(g.IndexAt(95, 10, 0), -1);
  EXPECT_EQ(g.Navigate(3, ListGrid::Key::PageDown), 5);  // ceil(200/90) - 1 = 2 rows
  EXPECT_EQ(g.Navigate(6, ListGrid::Key::PageDown), 6);
  EXPECT_EQ(g.Navigate(1, ListGrid::Key::PageUp), 0);
  EXPECT_EQ(g.ScrollIntoView(5, 0), 6 * 90 - 200);
  EXPECT_EQ(g.ScrollIntoView(1, 300), 90);

  // Three columns, eight items: the last row holds two.
  ListGrid three{90, 40, 3, 8};  // cells of 30
  EXPECT_EQ(three.Navigate(7, ListGrid::Key::Right), 7);
  EXPECT_EQ(three.Navigate(6, ListGrid::Key::Right), 7);
  EXPECT_EQ(three.Navigate(2, ListGrid::Key::Right), 2);
  EXPECT_EQ(three.Navigate(3, ListGrid::Key::Left), 3);
  EXPECT_EQ(three.Navigate(5, ListGrid::Key::Down), 5);
  EXPECT_EQ(three.Navigate(4, ListGrid::Key::Down), 7);
  EXPECT_EQ(three.Navigate(1, ListGrid::Key::Up), 1);
  EXPECT_EQ(three.Navigate(0, ListGrid::Key::End), 7);
  EXPECT_EQ(three.ScrollMax(), 3 * 30 - 40);
}

TEST(ImageListModel, LimitAndTimestampNames) {
  EXPECT_EQ(ItemsOverLimit(7, 4), 0);  // below 5: no limit
  EXPECT_EQ(ItemsOverLimit(7, 5), 2);
  EXPECT_EQ(ItemsOverLimit(5, 5), 0);
  std::tm t{};
  t.tm_year = 112;
  t.tm_mon = 11;
  t.tm_mday = 31;
  t.tm_hour = 23;
  t.tm_min = 59;
  t.tm_sec = 59;
  EXPECT_EQ(TimestampName(t), "121231235959");
  t.tm_year = 100;
  t.tm_mon = 0;
  t.tm_mday = 2;
  t.tm_hour = 3;
  t.tm_min = 4;
  t.tm_sec = 5;
  EXPECT_EQ(TimestampName(t), "000102030405");
}

// Damaged item files: the reader keeps what it can and never reads outside
// its input (run under ASan in the sanitizer build).
TEST(ImageListModel, MutatedItemFilesNeverHurtTheReader) {
  std::string seed;
  for (int i = 0; i < 12; ++i)
    seed += std::to_string(130101000000LL + i) + "|" + (i % 3 ? "00FF00" : "") + "|" + (i % 2 ? "1" : "0") + "|" +
            (i % 4 ? "http://example.com/" + std::to_string(i) : "") + "\r\n";
  std::vector<ImageItemAttrs> items;
  for (int i = 0; i < 12; ++i) items.push_back({std::to_string(130101000000LL + i) + ".png", ""});

  std::mt19937 rng(1717);
  constexpr int kMutations = 100000;
  int changedItems = 0;
  for (int n = 0; n < kMutations; ++n) {
    std::vector<std::uint8_t> bytes(seed.begin(), seed.end());
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
      switch (rng() % 5) {
        case 0: if (!bytes.empty()) bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng()); break;
        case 1: if (!bytes.empty()) bytes.resize(rng() % bytes.size()); break;  // truncated
        case 2: bytes.insert(bytes.begin() + static_cast<long>(rng() % (bytes.size() + 1)),
                             static_cast<std::uint8_t>("|\r\n0F1"[rng() % 6])); break;
        case 3: if (!bytes.empty()) bytes.erase(bytes.begin() + static_cast<long>(rng() % bytes.size())); break;
        case 4: {  // a run of one byte, as a huge line would be
          const std::size_t at = rng() % (bytes.size() + 1);
          bytes.insert(bytes.begin() + static_cast<long>(at), rng() % 2000, static_cast<std::uint8_t>(rng()));
          break;
        }
      }
    }
    // Exact-size copy, so a read one past the end is caught.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size() ? bytes.size() : 1]);
    if (!bytes.empty()) std::memcpy(exact.get(), bytes.data(), bytes.size());
    const auto lines = ParseListFile({exact.get(), bytes.size()});
    ASSERT_LE(lines.size(), kMaxListLines);
    auto copy = items;
    ApplyListLines(copy, lines);
    for (const auto& item : copy) {
      ASSERT_GE(item.transparent, -1);
      ASSERT_LE(item.transparent, 0xFFFFFFFFLL);
      if (item.transparent >= 0 || !item.url.empty()) ++changedItems;
    }
    // Whatever was read is written as lines that read back the same.
    const std::string out = WriteListFile(copy);
    auto again = items;
    ApplyListLines(again, Parse(out));
    ASSERT_EQ(WriteListFile(again), out);
  }
  EXPECT_GT(changedItems, 0);
  std::cout << "list.bin reader: " << kMutations << " mutated inputs\n";
}

TEST(ImageListModel, ItemHintTellsWhenTakenHowLargeAndWhetherPublished) {
  ImageItemAttrs item{"121231235959.png"};
  EXPECT_EQ(ImageItemHint(item, 0, 0), "S2012-12-31 23:59:59");
  EXPECT_EQ(ImageItemHint(item, 1920, 1080), "S2012-12-31 23:59:59, 1920 \xC3\x97 1080");
  item.url = "http://example.com/a";
  EXPECT_EQ(ImageItemHint(item, 0, 0), "S2012-12-31 23:59:59, published");
  item.modified = true;
  EXPECT_EQ(ImageItemHint(item, 0, 0), "S2012-12-31 23:59:59, changed since published");
  // Names that are not timestamps show as they are.
  EXPECT_EQ(ImageItemHint({"holiday.png"}, 10, 20), "Sholiday.png, 10 \xC3\x97 20");
  EXPECT_EQ(ImageItemHint({"12123123595x.png"}, 0, 0), "S12123123595x.png");
}

}  // namespace
}  // namespace kolo
