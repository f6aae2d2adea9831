#include "clipboard/clipboard_colors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <set>

namespace kolo {
namespace {

ClipboardColorModel Filled(int n) {
  ClipboardColorModel m;
  for (int i = n - 1; i >= 0; --i) m.AddColor(static_cast<TColor>(i + 1));
  return m;  // entries 1, 2, ..., n from the top
}

TEST(ClipboardColors, AddingKeepsOneOfEachNewestFirstAndAtMostAThousand) {
  ClipboardColorModel m = Filled(3);
  m.ItemIndex = 2;  // colour 3
  m.AddColor(2);
  EXPECT_EQ(m.Colors, (std::vector<TColor>{2, 1, 3}));
  EXPECT_EQ(m.ItemIndex, 2) << "the selection stays on its colour";
  m.AddColor(3);
  EXPECT_EQ(m.Colors, (std::vector<TColor>{3, 2, 1}));
  EXPECT_EQ(m.ItemIndex, 0);

  ClipboardColorModel full = Filled(1000);
  full.ItemIndex = 999;  // the oldest, about to drop
  full.AddColor(0xABCDEF);
  ASSERT_EQ(full.Count(), 1000);
  EXPECT_EQ(full.Colors.front(), 0xABCDEFu);
  EXPECT_EQ(full.Colors.back(), 999u);
  EXPECT_EQ(full.ItemIndex, -1);
}

TEST(ClipboardColors, DeleteAndMoveToTopKeepASensibleSelection) {
  ClipboardColorModel m = Filled(3);
  m.ItemIndex = 2;
  m.DeleteSelected();
  EXPECT_EQ(m.Colors, (std::vector<TColor>{1, 2}));
  EXPECT_EQ(m.ItemIndex, 1) << "the new last entry";
  m.MoveSelectedToTop();
  EXPECT_EQ(m.Colors, (std::vector<TColor>{2, 1}));
  EXPECT_EQ(m.ItemIndex, 0);
  m.DeleteSelected();
  m.DeleteSelected();
  EXPECT_TRUE(m.Colors.empty());
  EXPECT_EQ(m.ItemIndex, -1);
  m.DeleteSelected();  // nothing left: no harm
  m.MoveSelectedToTop();
}

TEST(ClipboardColors, DropsReplaceInsertAndMove) {
  ClipboardColorModel m = Filled(5);  // 1 2 3 4 5
  m.ItemIndex = 3;
  EXPECT_TRUE(m.Drop(9, 1, -1, -1));  // on a swatch
  EXPECT_EQ(m.Colors, (std::vector<TColor>{1, 9, 3, 4, 5}));
  EXPECT_TRUE(m.Drop(3, -1, 2, -1));  // from elsewhere into gap 2: duplicates allowed
  EXPECT_EQ(m.Colors, (std::vector<TColor>{1, 9, 3, 3, 4, 5}));
  EXPECT_EQ(m.ItemIndex, 4) << "the selection moved down with its entry";
  // Moves inside the list: entry 4 (colour 4) up into gap 1, then entry 0 down into gap 3.
  EXPECT_TRUE(m.Drop(4, -1, 1, 4));
  EXPECT_EQ(m.Colors, (std::vector<TColor>{1, 4, 9, 3, 3, 5}));
  EXPECT_EQ(m.ItemIndex, 1);
  EXPECT_TRUE(m.Drop(1, -1, 3, 0));
  EXPECT_EQ(m.Colors, (std::vector<TColor>{4, 9, 1, 3, 3, 5}));
  EXPECT_EQ(m.ItemIndex, 2);
  EXPECT_TRUE(m.Drop(4, -1, 6, 0));  // to the end
  EXPECT_EQ(m.Colors, (std::vector<TColor>{9, 1, 3, 3, 5, 4}));
  EXPECT_FALSE(m.Drop(7, -1, -1, -1));
}

TEST(ClipboardColors, KeysMoveTheSelectionAndScrollIt) {
  ClipboardColorModel m = Filled(40);
  int top = 0;
  m.Navigate(ClipboardColorModel::Key::Up, 13, 27, top);
  EXPECT_EQ(m.ItemIndex, -1) << "Up without a selection does nothing";
  m.Navigate(ClipboardColorModel::Key::Down, 13, 27, top);
  EXPECT_EQ(m.ItemIndex, 0);
  m.Navigate(ClipboardColorModel::Key::PageDown, 13, 27, top);
  EXPECT_EQ(m.ItemIndex, 12);
  EXPECT_EQ(top, 0);
  m.Navigate(ClipboardColorModel::Key::PageDown, 13, 27, top);
  EXPECT_EQ(m.ItemIndex, 24);
  EXPECT_EQ(top, 12) << "scrolled so the selection is the last visible row";
  m.Navigate(ClipboardColorModel::Key::End, 13, 27, top);
  EXPECT_EQ(m.ItemIndex, 39);
  EXPECT_EQ(top, 27);
  EXPECT_FALSE(m.Navigate(ClipboardColorModel::Key::Down, 13, 27, top));
  m.Navigate(ClipboardColorModel::Key::PageUp, 13, 27, top);
  EXPECT_EQ(m.ItemIndex, 27);
  m.Navigate(ClipboardColorModel::Key::Up, 13, 27, top);
  EXPECT_EQ(top, 26);
  m.Navigate(ClipboardColorModel::Key::Home, 13, 27, top);
  EXPECT_EQ(m.ItemIndex, 0);
  EXPECT_EQ(top, 0);
}

TEST(ClipboardColors, RowHitTest) {
  const ClipButtonBox button{70, 16, 16, 3};
  // size 16: pitch 20; scrolled by 2 rows.
  ClipRowHit h = ClipRowHitTest(10, 25, 16, 2, 10, button);
  EXPECT_EQ(h.entry, 3);
  EXPECT_TRUE(h.onSwatch);
  EXPECT_EQ(h.gap, -1);
  EXPECT_EQ(ClipRowHitTest(40, 20, 16, 2, 10, button).gap, 3);
  EXPECT_EQ(ClipRowHitTest(40, 39, 16, 2, 10, button).gap, 4);
  h = ClipRowHitTest(75, 30, 16, 2, 10, button);
  EXPECT_TRUE(h.onButton);
  EXPECT_FALSE(h.onSwatch);
  h = ClipRowHitTest(10, 200, 16, 2, 10, button);
  EXPECT_EQ(h.entry, -1);
  EXPECT_EQ(h.gap, 10) << "below the last entry: the end of the list";
}

TEST(ClipboardColors, SettingsBytesAreBlueGreenRed) {
  ClipboardColorModel m;
  m.Colors = {0x00112233, 0x00FF0000};
  const auto bytes = m.GetColorBytes();
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x11, 0x22, 0x33, 0xFF, 0x00, 0x00}));
  ClipboardColorModel back;
  back.ItemIndex = 0;
  back.SetColorBytes(bytes, 5);  // a count larger than the bytes hold
  EXPECT_EQ(back.Colors, m.Colors);
  EXPECT_EQ(back.ItemIndex, 0);
  back.SetColorBytes(std::span<const std::uint8_t>(bytes).first(4), 2);  // a cut-off entry
  EXPECT_EQ(back.Colors, std::vector<TColor>{0x00112233});
}

// Damaged history files: the reader keeps every whole colour it can find and
// never reads outside its input (run under ASan in the sanitizer build).
TEST(ClipboardColors, MutatedHistoryFilesLoadWhatTheyCan) {
  std::vector<TColor> colors;
  for (int i = 0; i < 40; ++i) colors.push_back(static_cast<TColor>((i * 0x2F1D3B) & 0xFFFFFF));
  const std::string seed = WriteColorHistory(colors);
  ASSERT_EQ(ParseColorHistory({reinterpret_cast<const std::uint8_t*>(seed.data()), seed.size()}), colors);
  const std::set<TColor> known(colors.begin(), colors.end());

  std::mt19937 rng(1919);
  constexpr int kMutations = 120000;
  long long kept = 0;
  for (int n = 0; n < kMutations; ++n) {
    std::vector<std::uint8_t> bytes(seed.begin(), seed.end());
    const int edits = 1 + static_cast<int>(rng() % 6);
    bool onlyCuts = true;
    for (int e = 0; e < edits; ++e) {
      const unsigned kind = rng() % 5;
      onlyCuts = onlyCuts && kind == 1;
      switch (kind) {
        case 0: if (!bytes.empty()) bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng()); break;
        case 1: if (!bytes.empty()) bytes.resize(rng() % bytes.size()); break;  // truncated
        case 2: bytes.insert(bytes.begin() + static_cast<long>(rng() % (bytes.size() + 1)),
                             static_cast<std::uint8_t>("\r\n0Fa "[rng() % 6])); break;
        case 3: if (!bytes.empty()) bytes.erase(bytes.begin() + static_cast<long>(rng() % bytes.size())); break;
        case 4: bytes.insert(bytes.begin() + static_cast<long>(rng() % (bytes.size() + 1)), rng() % 3000,
                             static_cast<std::uint8_t>(rng())); break;
      }
    }
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size() ? bytes.size() : 1]);
    if (!bytes.empty()) std::memcpy(exact.get(), bytes.data(), bytes.size());
    const auto got = ParseColorHistory({exact.get(), bytes.size()});
    ASSERT_LE(got.size(), kMaxHistoryFileColors);
    for (TColor c : got) ASSERT_EQ(c & 0xFF000000u, 0u);
    if (onlyCuts) {
      // A file cut short keeps its whole lines, in order.
      const std::size_t whole = bytes.size() < seed.find('\n') + 1 ? 0 : (bytes.size() - seed.find('\n') - 1) / 8;
      ASSERT_GE(got.size(), whole);
      for (std::size_t k = 0; k < whole; ++k) ASSERT_EQ(got[k], colors[k]);
    }
    kept += static_cast<long long>(got.size());
    // What was read writes out and reads back the same.
    const std::string out = WriteColorHistory(got);
    ASSERT_EQ(ParseColorHistory({reinterpret_cast<const std::uint8_t*>(out.data()), out.size()}), got);
  }
  EXPECT_GT(kept, 0);
  std::cout << "colour history reader: " << kMutations << " mutated inputs\n";
}

TEST(ClipboardColors, PictureNamesNeverClashAndNeverWait) {
  std::set<std::time_t> taken{1000, 1001, 1003};
  auto isTaken = [&](std::time_t t) { return taken.count(t) > 0; };
  EXPECT_EQ(NextPictureTime(1000, 0, isTaken), 1002);
  EXPECT_EQ(NextPictureTime(1000, 1002, isTaken), 1004) << "after the last one handed out";
  EXPECT_EQ(NextPictureTime(2000, 1004, isTaken), 2000) << "time moved on: now again";
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 7;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 3;
  EXPECT_EQ(PictureFileName(t), "261207090503.png");
}

}  // namespace
}  // namespace kolo
