#include "frame/settings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "frame/memory_store.h"

namespace kolo {
namespace {

// A tab that keeps one value of its own, so the order of tab calls shows in
// the store's logs.
class FakeTab final : public SettingsClient {
 public:
  explicit FakeTab(int index) : name_("TAB" + std::to_string(index)) {}
  void LoadSettings(SettingsStore& store) override {
    ++loads;
    value = store.ReadInteger(name_).value_or(-1);
  }
  void SaveSettings(SettingsStore& store) override {
    ++saves;
    store.WriteInteger(name_, value);
  }
  int loads = 0, saves = 0, value = -1;

 private:
  std::string name_;
};

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    for (int i = 0; i < kTabCount; ++i) {
      fakes_.emplace_back(i);
    }
    for (auto& f : fakes_) tabs_.push_back(&f);
    env_.screenWidth = 1280;
    env_.screenHeight = 1024;
    env_.windowWidth = 364;
    env_.windowHeight = 335;
    env_.documentsFolder = "C:\\Users\\Дизайнер\\Documents";
  }

  void Load(SettingsStore* s) { LoadSettings(s, env_, options_, strip_, tabs_); }

  std::vector<FakeTab> fakes_;
  std::vector<SettingsClient*> tabs_;
  LoadEnvironment env_;
  TKolOptions options_;
  PaletteStripState strip_;
  MemoryStore store_;
};

const std::vector<std::string> kHeadNames = {
    "fontSize", "fontName", "fontText", "fontBold", "fontItalic", "fontUnderline",
    "color1", "color2", "color3", "color4", "imgPreviewId", "x", "y",
    "runsmall", "stayonTop", "crntPage", "proxy"};
const std::set<std::string> kStringNames = {"fontName", "fontText", "proxy", "uploadURL", "lastPath"};
const std::vector<std::string> kTailNames = {
    "newPalette", "ColorFormat", "clipboardHook", "maxClipImages", "maxScreenImages",
    "viewColorHint", "viewHint", "saveJPGQuality", "saveGIFPalette", "uploadURL",
    "confirmDelete", "confirmChange", "confirmCrop", "confirmClose", "lastPath",
    "filterPaletteIndex", "filterImageIndex"};

TKolOptions Unusual() {
  TKolOptions o;
  o.fontSize = 9;
  o.fontName = "Žofia Sans";
  o.fontText = "Příliš žluťoučký kůň";
  o.fontBold = o.fontItalic = o.fontUnderline = true;
  o.color1 = 0x123456;
  o.color2 = 0xABCDEF;
  o.color3 = 0x000001;
  o.color4 = 0x10000000;
  o.imgPreviewId = 5;
  o.x = 17;
  o.y = 23;
  o.runsmall = o.stayonTop = true;
  o.crntPage = 5;
  o.proxy = "proxy.local:3128";
  o.newPalette = 4;
  o.ColorFormat = 12;
  o.clipboardHook = false;
  o.maxClipImages = -250;
  o.maxScreenImages = 999;
  o.viewColorHint = o.viewHint = false;
  o.saveJPGQuality = 3;
  o.saveGIFPalette = 5;
  o.uploadURL = "http://127.0.0.1:8080/up.php";
  o.confirmDelete = o.confirmChange = o.confirmCrop = o.confirmClose = false;
  o.lastPath = "D:\\Дизайнер\\палитры";
  o.filterPaletteIndex = 4;
  o.filterImageIndex = 2;
  return o;
}

TEST_F(SettingsTest, FirstRunCentresTheWindowAndFillsTheWebPalette) {
  for (bool keyExists : {false, true}) {
    SCOPED_TRACE(keyExists);
    options_ = Unusual();
    Load(keyExists ? &store_ : nullptr);
    EXPECT_EQ(options_.x, (1280 - 364) / 2);
    EXPECT_EQ(options_.y, (1024 - 335) / 2);
    EXPECT_EQ(options_.crntPage, 0);
    EXPECT_EQ(options_.ColorFormat, 0);
    EXPECT_EQ(options_.fontName, "Arial");
    EXPECT_EQ(options_.fontSize, 15);
    EXPECT_EQ(options_.color3, 0xC08000u);
    EXPECT_EQ(options_.color4, 0xFF99FFu);
    EXPECT_EQ(options_.imgPreviewId, 33);
    EXPECT_TRUE(options_.clipboardHook);
    EXPECT_TRUE(options_.confirmClose);
    EXPECT_EQ(options_.saveJPGQuality, 8);
    EXPECT_EQ(options_.lastPath, env_.documentsFolder);
    EXPECT_NE(options_.uploadURL.find("/kolo/img.php"), std::string::npos);
    EXPECT_EQ(options_, DefaultOptions(env_));

    EXPECT_EQ(strip_.transparentIndex, -1);
    EXPECT_EQ(strip_.cells[0], 0xFFFFFFu);
    EXPECT_EQ(strip_.cells[1], 0xCCFFFFu);    // blue steps fastest
    EXPECT_EQ(strip_.cells[6], 0xFFCCFFu);    // then green
    EXPECT_EQ(strip_.cells[36], 0xFFFFCCu);   // then red
    EXPECT_EQ(strip_.cells[43], 0xCCCCCCu);
    EXPECT_EQ(strip_.cells[215], 0x000000u);
    for (int i = 216; i < kPaletteCells; ++i) EXPECT_EQ(strip_.cells[i], clEmptyColor) << i;
  }
  // Tabs set their own defaults on a first run too.
  for (auto& f : fakes_) {
    EXPECT_EQ(f.loads, 2);
    EXPECT_EQ(f.value, -1);
  }
}

TEST_F(SettingsTest, SaveThenLoadRestoresEveryField) {
  TKolOptions saved = Unusual();
  LiveWindowState live{saved.x, saved.y, 364, 364, false, saved.imgPreviewId};
  PaletteStripState strip;
  for (int i = 0; i < kPaletteCells; ++i) strip.cells[i] = static_cast<TColor>(i * 0x010203) & 0xFFFFFF;
  strip.cells[200] = clEmptyColor;
  strip.transparentIndex = 77;
  for (int i = 0; i < kTabCount; ++i) fakes_[i].value = 100 + i;

  TKolOptions working = saved;
  ASSERT_TRUE(SaveSettings(&store_, live, working, strip, tabs_));
  EXPECT_EQ(working, saved);

  for (auto& f : fakes_) f.value = 0;
  Load(&store_);
  EXPECT_EQ(options_, saved);
  EXPECT_EQ(strip_, strip);
  for (int i = 0; i < kTabCount; ++i) EXPECT_EQ(fakes_[i].value, 100 + i);
}

TEST_F(SettingsTest, ValuesAreStoredWithTheirTypes) {
  TKolOptions o = Unusual();
  ASSERT_TRUE(SaveSettings(&store_, LiveWindowState{}, o, DefaultPaletteStrip(), {}));
  const auto& v = store_.values();
  EXPECT_EQ(std::get<std::int32_t>(v.at("fontBold")), 1);
  EXPECT_EQ(std::get<std::int32_t>(v.at("clipboardHook")), 0);
  EXPECT_EQ(std::get<std::string>(v.at("fontName")), o.fontName);
  EXPECT_EQ(std::get<std::int32_t>(v.at("color4")), 0x10000000);
  EXPECT_EQ(std::get<std::int32_t>(v.at("crntPage")), 5);
  EXPECT_EQ(std::get<std::int32_t>(v.at("TransparentId")), -1);
  const auto& colors = std::get<std::vector<std::uint8_t>>(v.at("colors"));
  ASSERT_EQ(colors.size(), 1024u);
  // Cell 1 (0xCCFFFF) little-endian, cell 216 empty.
  EXPECT_EQ(std::vector<std::uint8_t>(colors.begin() + 4, colors.begin() + 8),
            (std::vector<std::uint8_t>{0xFF, 0xFF, 0xCC, 0x00}));
  EXPECT_EQ(std::vector<std::uint8_t>(colors.begin() + 864, colors.begin() + 868),
            (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x10}));
}

TEST_F(SettingsTest, WritesHeadThenPaletteThenTabsThenTheRest) {
  TKolOptions o;
  ASSERT_TRUE(SaveSettings(&store_, LiveWindowState{}, o, DefaultPaletteStrip(), tabs_));
  std::vector<std::string> expected = kHeadNames;
  expected.push_back("colors");
  expected.push_back("TransparentId");
  for (int i = 0; i < kTabCount; ++i) expected.push_back("TAB" + std::to_string(i));
  expected.insert(expected.end(), kTailNames.begin(), kTailNames.end());
  EXPECT_EQ(store_.writeLog(), expected);
}

TEST_F(SettingsTest, ReadsHeadThenPaletteThenTabsThenTheRest) {
  Load(&store_);
  std::vector<std::string> expected = kHeadNames;
  expected.push_back("colors");
  expected.push_back("TransparentId");
  for (int i = 0; i < kTabCount; ++i) expected.push_back("TAB" + std::to_string(i));
  expected.insert(expected.end(), kTailNames.begin(), kTailNames.end());
  EXPECT_EQ(store_.readLog(), expected);
}

TEST_F(SettingsTest, EveryValueOfTheWrongTypeFallsBackToItsDefault) {
  for (const auto& names : {kHeadNames, kTailNames}) {
    for (const auto& name : names) {
      // Strings get an integer, everything else a string.
      if (kStringNames.count(name)) store_.WriteInteger(name, 7);
      else store_.WriteString(name, "7");
    }
  }
  store_.WriteInteger("colors", 0);
  store_.WriteString("TransparentId", "12");
  Load(&store_);
  EXPECT_EQ(options_, DefaultOptions(env_));
  EXPECT_EQ(strip_, DefaultPaletteStrip());

  MemoryStore bytes;
  std::vector<std::uint8_t> four = {1, 0, 0, 0};
  for (const auto& names : {kHeadNames, kTailNames})
    for (const auto& name : names) bytes.WriteBinary(name, four);
  bytes.WriteBinary("TransparentId", four);
  Load(&bytes);
  EXPECT_EQ(options_, DefaultOptions(env_));
  EXPECT_EQ(strip_, DefaultPaletteStrip());
}

TEST_F(SettingsTest, EmptyStringsLoadAsTheirDefaults) {
  store_.WriteString("fontName", "");
  store_.WriteString("uploadURL", "");
  store_.WriteString("lastPath", "");
  store_.WriteString("fontText", "");
  Load(&store_);
  EXPECT_EQ(options_.fontName, "Arial");
  EXPECT_EQ(options_.uploadURL, TKolOptions{}.uploadURL);
  EXPECT_EQ(options_.lastPath, env_.documentsFolder);
  EXPECT_EQ(options_.fontText, "");
}

TEST_F(SettingsTest, PositionIsKeptOnTheScreen) {
  struct Case {
    int x, y, wantX, wantY;
  };
  for (Case c : {Case{2000, 900, 1280 - 364, 1024 - 335}, Case{-40, -1, 0, 0}, Case{1000, 700, 916, 689},
                 Case{916, 689, 916, 689}, Case{0, 0, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    store_.WriteInteger("x", c.x);
    store_.WriteInteger("y", c.y);
    Load(&store_);
    EXPECT_EQ(options_.x, c.wantX);
    EXPECT_EQ(options_.y, c.wantY);
  }
  // A window larger than the screen keeps its caption visible.
  env_.screenWidth = 300;
  env_.screenHeight = 200;
  store_.WriteInteger("x", 50);
  store_.WriteInteger("y", -5);
  Load(&store_);
  EXPECT_EQ(options_.x, 0);
  EXPECT_EQ(options_.y, 0);
}

TEST_F(SettingsTest, SmallModeStoresTheFullWindowsLeftEdge) {
  TKolOptions o;
  LiveWindowState live{900, 40, 364, 120, true, 12};
  ASSERT_TRUE(SaveSettings(&store_, live, o, DefaultPaletteStrip(), tabs_));
  EXPECT_EQ(o.x, 900 - 364 + 120);
  EXPECT_EQ(store_.ReadInteger("x"), 656);
  EXPECT_EQ(store_.ReadInteger("y"), 40);
  EXPECT_EQ(store_.ReadInteger("imgPreviewId"), 12);

  live.smallMode = false;
  live.currentWidth = 364;
  ASSERT_TRUE(SaveSettings(&store_, live, o, DefaultPaletteStrip(), tabs_));
  EXPECT_EQ(store_.ReadInteger("x"), 900);
}

TEST_F(SettingsTest, OutOfRangeChoicesAreBroughtIntoRange) {
  struct Case {
    int stored, wantPage, wantFormat;
  };
  for (Case c : {Case{7, 6, 7}, Case{13, 6, 12}, Case{-1, 0, 0}, Case{100000, 6, 12}, Case{3, 3, 3}}) {
    SCOPED_TRACE(c.stored);
    store_.WriteInteger("crntPage", c.stored);
    store_.WriteInteger("ColorFormat", c.stored);
    Load(&store_);
    EXPECT_EQ(options_.crntPage, c.wantPage);
    EXPECT_EQ(options_.ColorFormat, c.wantFormat);
  }
  store_.WriteInteger("fontSize", 400);
  store_.WriteInteger("saveJPGQuality", 0);
  store_.WriteInteger("saveGIFPalette", 9);
  store_.WriteInteger("newPalette", 6);
  Load(&store_);
  EXPECT_EQ(options_.fontSize, 22);
  EXPECT_EQ(options_.saveJPGQuality, 1);
  EXPECT_EQ(options_.saveGIFPalette, 5);
  EXPECT_EQ(options_.newPalette, 5);
}

TEST_F(SettingsTest, OddPaletteLengthsNeitherCrashNorOverrun) {
  const PaletteStripState def = DefaultPaletteStrip();

  store_.WriteBinary("colors", {0x11, 0x22, 0x33});
  Load(&store_);
  EXPECT_EQ(strip_.cells, def.cells);  // not even one whole cell

  store_.WriteBinary("colors", {0x11, 0x22, 0x33, 0x00, 0x44, 0x55});
  Load(&store_);
  EXPECT_EQ(strip_.cells[0], 0x332211u);
  EXPECT_EQ(strip_.cells[1], def.cells[1]);

  std::vector<std::uint8_t> big(5000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i / 4);
  store_.WriteBinary("colors", big);
  Load(&store_);
  EXPECT_EQ(strip_.cells[0], 0x000000u);
  EXPECT_EQ(strip_.cells[2], 0x020202u);
  EXPECT_EQ(strip_.cells[100], 0x646464u);
  EXPECT_EQ(strip_.cells[255], clEmptyColor);  // 0xFFFFFFFF has the empty bit

  store_.WriteBinary("colors", {});
  Load(&store_);
  EXPECT_EQ(strip_.cells, def.cells);

  // Marker bits other than "empty" are not colours; any empty bit is empty.
  store_.WriteBinary("colors", {1, 2, 3, 0x20, 1, 2, 3, 0xFF});
  Load(&store_);
  EXPECT_EQ(strip_.cells[0], 0x030201u);
  EXPECT_EQ(strip_.cells[1], clEmptyColor);
}

TEST_F(SettingsTest, TransparentIndexOutsideTheStripMeansNone) {
  for (int stored : {-7, 256, 1 << 30}) {
    store_.WriteInteger("TransparentId", stored);
    Load(&store_);
    EXPECT_EQ(strip_.transparentIndex, -1) << stored;
  }
  store_.WriteInteger("TransparentId", 255);
  Load(&store_);
  EXPECT_EQ(strip_.transparentIndex, 255);
}

TEST_F(SettingsTest, FailedKeyStillTakesLiveStateAndSavesTabs) {
  TKolOptions o;
  LiveWindowState live{300, 200, 364, 364, false, 40};
  EXPECT_FALSE(SaveSettings(nullptr, live, o, DefaultPaletteStrip(), tabs_));
  EXPECT_EQ(o.x, 300);
  EXPECT_EQ(o.imgPreviewId, 40);
  for (auto& f : fakes_) EXPECT_EQ(f.saves, 1);

  store_.SetReadOnly(true);
  EXPECT_FALSE(SaveSettings(&store_, live, o, DefaultPaletteStrip(), tabs_));
  EXPECT_EQ(store_.size(), 0u);
}

TEST(MemoryStoreTest, FollowsTheRegistrysTypeRules) {
  MemoryStore s;
  s.WriteBool("b", true);
  EXPECT_EQ(s.ReadInteger("b"), 1);  // a bool is an integer underneath
  s.WriteInteger("i", -3);
  EXPECT_EQ(s.ReadBool("i"), true);
  EXPECT_EQ(s.ReadString("i"), std::nullopt);
  EXPECT_EQ(s.ReadBinary("i"), std::nullopt);
  s.WriteString("s", "");
  EXPECT_EQ(s.ReadString("s"), "");  // the store keeps empty strings; readers decide
  EXPECT_EQ(s.ReadInteger("s"), std::nullopt);
  EXPECT_TRUE(s.DeleteValue("s"));
  EXPECT_FALSE(s.Contains("s"));
  EXPECT_TRUE(s.DeleteValue("never"));
}

}  // namespace
}  // namespace kolo
