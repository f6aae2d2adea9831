// Damaged palette files: every loader must either fail cleanly or produce a
// sane palette, and never read outside its input (run under ASan too).
#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "color/color_text.h"
#include "palette/palette_file.h"
#include "palette_file_test_util.h"

namespace kolo {
namespace {

using Bytes = std::vector<std::uint8_t>;

const ColorParser kParser = [](std::string_view t) { return ParseColor(t, 1); };
const ColorFormatter kFormatter = [](TColor c) { return FormatColor(c, 1); };

constexpr int kMutationsPerFormat = 3000;

struct Stats {
  int loaded = 0;
  int failed = 0;
};

// What any successful load must look like, whatever the input was.
void ExpectSane(PaletteFormat format, const std::optional<LoadedPalette>& p, Stats& stats) {
  if (!p) {
    ++stats.failed;
    return;
  }
  ++stats.loaded;
  ASSERT_FALSE(p->colors.empty());
  ASSERT_GE(p->transparentIndex, -1);
  const size_t n = p->colors.size();
  switch (format) {
    case PaletteFormat::Kpt: ASSERT_EQ(n, 256u); break;
    case PaletteFormat::Pal:
    case PaletteFormat::Gif: ASSERT_LE(n, 256u); break;
    case PaletteFormat::Act: ASSERT_LE(n, 65535u); break;
    case PaletteFormat::Gpl:
    case PaletteFormat::Ase: ASSERT_EQ(p->transparentIndex, -1); break;
    default: break;
  }
  for (TColor c : p->colors) ASSERT_TRUE(c <= 0xFFFFFF || c == clEmptyColor) << std::hex << c;
}

Bytes Mutate(const Bytes& seed, std::mt19937& rng) {
  Bytes b = seed;
  std::uniform_int_distribution<int> kind(0, 6);
  auto pick = [&rng](size_t n) { return std::uniform_int_distribution<size_t>(0, n ? n - 1 : 0)(rng); };
  switch (kind(rng)) {
    case 0:  // flipped bits here and there
      for (int i = 0, n = 1 + static_cast<int>(pick(8)); i < n && !b.empty(); ++i)
        b[pick(b.size())] ^= static_cast<std::uint8_t>(1u << pick(8));
      break;
    case 1:  // cut short
      b.resize(pick(b.size() + 1));
      break;
    case 2:  // random bytes overwritten
      for (int i = 0, n = 1 + static_cast<int>(pick(32)); i < n && !b.empty(); ++i)
        b[pick(b.size())] = static_cast<std::uint8_t>(rng());
      break;
    case 3:  // 0xFF runs: huge counts and sizes
      if (!b.empty()) {
        size_t at = pick(b.size());
        for (size_t i = at; i < b.size() && i < at + 1 + pick(4); ++i) b[i] = 0xFF;
      }
      break;
    case 4:  // bytes inserted or appended
      b.insert(b.begin() + static_cast<std::ptrdiff_t>(pick(b.size() + 1)), 1 + pick(16),
               static_cast<std::uint8_t>(rng()));
      break;
    case 6:  // a big-endian NaN, infinity, 1.5, -1 or INT_MIN: bad floats, counts and lengths
      if (b.size() >= 4) {
        constexpr std::uint32_t kValues[] = {0x7FC00000, 0x7F800000, 0x3FC00000, ~0u, 1u << 31};
        const std::uint32_t v = kValues[pick(std::size(kValues))];
        const size_t at = pick(b.size() - 3);
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
      }
      break;
    default:  // cut and flipped
      b.resize(pick(b.size() + 1));
      if (!b.empty()) b[pick(b.size())] ^= 0x80;
      break;
  }
  return b;
}

std::array<TColor, 256> SampleCells() {
  std::array<TColor, 256> cells;
  for (int i = 0; i < 256; ++i) cells[i] = i % 7 == 3 ? clEmptyColor : static_cast<TColor>(i * 0x010305) & 0xFFFFFF;
  return cells;
}

Bytes Seed(PaletteFormat format) {
  if (format == PaletteFormat::Gif) {
    std::vector<TColor> global(16), local(8);
    for (int i = 0; i < 16; ++i) global[i] = static_cast<TColor>(i * 0x0A0B0C);
    for (int i = 0; i < 8; ++i) local[i] = static_cast<TColor>(0xFFFFFF - i * 0x0A0B0C);
    return testing_palette::MakeGif(global, local, 5);
  }
  return *WritePalette(format, SampleCells(), 10, kFormatter, {"a", "b"});
}

TEST(PaletteFileRobust, MutatedFilesFailCleanlyOrLoadSanely) {
  std::mt19937 rng(20240601);
  for (PaletteFormat f : {PaletteFormat::Kpt, PaletteFormat::Act, PaletteFormat::Pal, PaletteFormat::Csv,
                          PaletteFormat::Gif}) {
    const Bytes seed = Seed(f);
    Stats stats;
    ExpectSane(f, ReadPalette(f, seed, kParser), stats);
    ASSERT_EQ(stats.loaded, 1) << "seed of format " << static_cast<int>(f);
    for (int i = 0; i < kMutationsPerFormat; ++i) {
      Bytes b = Mutate(seed, rng);
      ExpectSane(f, ReadPalette(f, b, kParser), stats);
      if (HasFatalFailure()) return;
    }
    // Every cut length of the seed as well.
    for (size_t n = 0; n < seed.size(); ++n)
      ExpectSane(f, ReadPalette(f, Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(n)), kParser),
                 stats);
    // Both outcomes must actually happen, or the mutations test nothing.
    EXPECT_GT(stats.failed, 0) << static_cast<int>(f);
    EXPECT_GT(stats.loaded, 1) << static_cast<int>(f);
  }
}

// The readers of other tools' files parse lengths, counts, floats and free
// text: they take the most mutations.
TEST(PaletteFileRobust, ExchangeFormsSurviveAHundredThousandMutationsEach) {
  constexpr int kMutations = 100000;
  std::mt19937 rng(20261207);
  std::vector<TColor> cells(24);
  for (size_t i = 0; i < cells.size(); ++i) cells[i] = i % 5 == 2 ? clEmptyColor : static_cast<TColor>(i * 0x0B0D11);
  const Bytes gpl = *WritePalette(PaletteFormat::Gpl, cells, -1, nullptr, {}, "seed");
  const Bytes ase = *WritePalette(PaletteFormat::Ase, cells, -1, nullptr, {});
  const Bytes mixed = testing_palette::MixedModelsAse();
  for (auto [format, seeds] : {std::pair{PaletteFormat::Gpl, std::vector<Bytes>{gpl}},
                               std::pair{PaletteFormat::Ase, std::vector<Bytes>{ase, mixed}}}) {
    Stats stats;
    for (int i = 0; i < kMutations && !HasFatalFailure(); ++i) {
      Bytes b = Mutate(seeds[static_cast<size_t>(i) % seeds.size()], rng);
      if (i % 4 == 0) b = Mutate(b, rng);  // some take two mutations
      ExpectSane(format, ReadPalette(format, b, nullptr), stats);
    }
    std::cout << (format == PaletteFormat::Gpl ? "gpl: " : "ase: ") << stats.loaded + stats.failed
              << " mutated inputs, " << stats.loaded << " loaded, " << stats.failed << " refused\n";
    EXPECT_EQ(stats.loaded + stats.failed, kMutations);
    EXPECT_GT(stats.failed, kMutations / 10);
    EXPECT_GT(stats.loaded, kMutations / 10);
  }
}

TEST(PaletteFileRobust, ExtremeCountsAndSizes) {
  Stats stats;
  Bytes pal = Seed(PaletteFormat::Pal);
  pal[22] = 0xFF, pal[23] = 0xFF;  // 65,535 entries announced
  EXPECT_FALSE(ReadPalette(PaletteFormat::Pal, pal, kParser));

  Bytes act = Seed(PaletteFormat::Act);
  act.resize(772);
  act[768] = 0, act[769] = 0;
  EXPECT_FALSE(ReadPalette(PaletteFormat::Act, act, kParser));
  act[768] = 0x01, act[769] = 0x2C;  // 300
  act[770] = 0x01, act[771] = 0x2C;
  std::optional<LoadedPalette> p = ReadPalette(PaletteFormat::Act, act, kParser);
  ExpectSane(PaletteFormat::Act, p, stats);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors.size(), 300u);
  act[768] = 0xFF, act[769] = 0xFF;
  ExpectSane(PaletteFormat::Act, ReadPalette(PaletteFormat::Act, act, kParser), stats);

  // 10,000 pieces: all of them are read; a bad one at the very end still fails.
  std::string csv;
  for (int i = 0; i < 10000; ++i) csv += std::to_string(i % 256) + ",1,2;";
  p = ReadPalette(PaletteFormat::Csv, Bytes(csv.begin(), csv.end()), kParser);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->colors.size(), 10000u);
  csv += "x";
  EXPECT_FALSE(ReadPalette(PaletteFormat::Csv, Bytes(csv.begin(), csv.end()), kParser));
  std::string longPiece(100000, '1');
  EXPECT_FALSE(ReadPalette(PaletteFormat::Csv, Bytes(longPiece.begin(), longPiece.end()), kParser));

  // A GIF whose image claims 65535 x 65535 pixels is not decoded pixel by pixel.
  Bytes gif = Seed(PaletteFormat::Gif);
  for (size_t i = 0; i + 9 < gif.size(); ++i) {
    if (gif[i] == 0x2C) {  // image separator: width and height follow left/top
      gif[i + 5] = gif[i + 6] = gif[i + 7] = gif[i + 8] = 0xFF;
      break;
    }
  }
  ExpectSane(PaletteFormat::Gif, ReadPalette(PaletteFormat::Gif, gif, kParser), stats);
  for (PaletteFormat f : {PaletteFormat::Kpt, PaletteFormat::Act, PaletteFormat::Pal, PaletteFormat::Csv,
                          PaletteFormat::Gif, PaletteFormat::Html, PaletteFormat::Unknown})
    EXPECT_FALSE(ReadPalette(f, Bytes{}, kParser)) << static_cast<int>(f);
}

TEST(PaletteFileRobust, FilesThatAreNotFiles) {
  testing_palette::TempDir dir;
  std::array<TColor, 256> cells;
  cells.fill(0x445566);
  const auto before = cells;
  int transparent = 9;
  for (const char* name : {"e.kpt", "e.act", "e.pal", "e.csv", "e.gif"}) {
    dir.WriteFile(name, "");
    EXPECT_FALSE(LoadPaletteFile(dir.Path(name), kParser, transparent, 255, cells)) << name;
    std::string folder = std::string("d") + name;
    std::filesystem::create_directory(dir.Path(folder));
    EXPECT_FALSE(LoadPaletteFile(dir.Path(folder), kParser, transparent, 255, cells)) << folder;
  }
  EXPECT_EQ(cells, before);
  EXPECT_EQ(transparent, 9);
}

}  // namespace
}  // namespace kolo
