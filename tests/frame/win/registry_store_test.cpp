#include "frame/win/registry_store_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/settings.h"
#include "platform/win/reg_key.h"

namespace kolo::win {
namespace {

// Each run uses its own key beside the program's, removed before and after.
class RegistryStoreTest : public ::testing::Test {
 protected:
  RegistryStoreTest() : path_(L"Software\\Velmora\\KoloTest" + std::to_wstring(::GetCurrentProcessId())) {
    Clean();
  }
  ~RegistryStoreTest() override { Clean(); }
  void Clean() { ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }

  std::unique_ptr<SettingsStore> Open(bool forWriting) {
    return OpenRegistrySettings(forWriting, HKEY_CURRENT_USER, path_);
  }
  // Puts a value of any registry type, bypassing the store's typing.
  void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    RegKey k = RegKey::Create(HKEY_CURRENT_USER, path_);
    ASSERT_TRUE(k);
    ASSERT_EQ(::RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  DWORD TypeOf(const wchar_t* name) {
    RegKey k = RegKey::Open(HKEY_CURRENT_USER, path_);
    auto v = k ? QueryRegValue(k, name, 1 << 20) : std::nullopt;
    return v ? v->type : REG_NONE;
  }

  std::wstring path_;
};

TEST_F(RegistryStoreTest, ReadingNeverCreatesTheKeyWritingDoes) {
  EXPECT_EQ(Open(false), nullptr);
  EXPECT_FALSE(RegKey::Open(HKEY_CURRENT_USER, path_));
  auto w = Open(true);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(RegKey::Open(HKEY_CURRENT_USER, path_));
  EXPECT_NE(Open(false), nullptr);
}

TEST_F(RegistryStoreTest, ValuesRoundTripWithTheirRegistryTypes) {
  auto s = Open(true);
  ASSERT_NE(s, nullptr);
  const std::string unicode = "C:\\Users\\Дизайнер\\Žofia 東京";
  const std::vector<std::uint8_t> bytes = {0, 1, 0xFF, 0x10, 0};
  ASSERT_TRUE(s->WriteInteger("int", -123456789));
  ASSERT_TRUE(s->WriteInteger("max", static_cast<std::int32_t>(0xFFFFFFFF)));
  ASSERT_TRUE(s->WriteBool("yes", true));
  ASSERT_TRUE(s->WriteBool("no", false));
  ASSERT_TRUE(s->WriteString("text", unicode));
  ASSERT_TRUE(s->WriteString("empty", ""));
  ASSERT_TRUE(s->WriteBinary("bytes", bytes));
  ASSERT_TRUE(s->WriteBinary("nothing", {}));

  auto r = Open(false);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->ReadInteger("int"), -123456789);
  EXPECT_EQ(r->ReadInteger("max"), -1);
  EXPECT_EQ(r->ReadBool("yes"), true);
  EXPECT_EQ(r->ReadBool("no"), false);
  EXPECT_EQ(r->ReadInteger("yes"), 1);
  EXPECT_EQ(r->ReadString("text"), unicode);
  EXPECT_EQ(r->ReadString("empty"), "");
  EXPECT_EQ(r->ReadBinary("bytes"), bytes);
  EXPECT_EQ(r->ReadBinary("nothing"), std::vector<std::uint8_t>{});
  EXPECT_EQ(r->ReadInteger("missing"), std::nullopt);

  EXPECT_EQ(TypeOf(L"int"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(TypeOf(L"yes"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(TypeOf(L"text"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(TypeOf(L"bytes"), static_cast<DWORD>(REG_BINARY));
  // The registry holds UTF-16: other programs see the same text.
  RegKey k = RegKey::Open(HKEY_CURRENT_USER, path_);
  EXPECT_EQ(ReadRegText(k, L"text"), L"C:\\Users\\\u0414\u0438\u0437\u0430\u0439\u043D\u0435\u0440\\\u017Dofia \u6771\u4EAC");

  EXPECT_TRUE(s->DeleteValue("int"));
  EXPECT_TRUE(s->DeleteValue("int"));
  EXPECT_EQ(r->ReadInteger("int"), std::nullopt);
}

TEST_F(RegistryStoreTest, WrongTypesAndMalformedDataReadAsAbsent) {
  const DWORD five = 5;
  const unsigned long long wide = 5;
  const wchar_t text[] = L"5";
  const BYTE twoBytes[2] = {5, 0};
  PutRaw(L"binInt", REG_BINARY, &five, sizeof five);
  PutRaw(L"strInt", REG_SZ, text, sizeof text);
  PutRaw(L"qword", REG_QWORD, &wide, sizeof wide);
  PutRaw(L"shortDword", REG_DWORD, twoBytes, sizeof twoBytes);
  PutRaw(L"dwordStr", REG_DWORD, &five, sizeof five);
  PutRaw(L"multi", REG_MULTI_SZ, L"a\0b\0", 10);
  auto s = Open(false);
  ASSERT_NE(s, nullptr);
  for (const char* name : {"binInt", "strInt", "qword", "shortDword"}) {
    EXPECT_EQ(s->ReadInteger(name), std::nullopt) << name;
    EXPECT_EQ(s->ReadBool(name), std::nullopt) << name;
  }
  EXPECT_EQ(s->ReadString("dwordStr"), std::nullopt);
  EXPECT_EQ(s->ReadString("multi"), std::nullopt);
  EXPECT_EQ(s->ReadBinary("dwordStr"), std::nullopt);
  EXPECT_EQ(s->ReadBinary("strInt"), std::nullopt);
}

TEST_F(RegistryStoreTest, OddStringDataIsReadSafely) {
  // No terminating NUL, an odd byte count, text after an inner NUL.
  const wchar_t abc[] = {L'a', L'b', L'c'};
  PutRaw(L"unterminated", REG_SZ, abc, sizeof abc);
  PutRaw(L"odd", REG_SZ, abc, sizeof abc - 1);
  const wchar_t inner[] = L"ab\0cd";
  PutRaw(L"inner", REG_SZ, inner, sizeof inner);
  PutRaw(L"expand", REG_EXPAND_SZ, L"%TEMP%", 14);
  std::wstring huge(RegistryStore::kMaxStringBytes, L'x');
  PutRaw(L"huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
  std::vector<BYTE> bigBlob(RegistryStore::kMaxBinaryBytes + 1, 7);
  PutRaw(L"bigBlob", REG_BINARY, bigBlob.data(), static_cast<DWORD>(bigBlob.size()));

  auto s = Open(false);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->ReadString("unterminated"), "abc");
  EXPECT_EQ(s->ReadString("odd"), "ab");
  EXPECT_EQ(s->ReadString("inner"), "ab");
  EXPECT_EQ(s->ReadString("expand"), "%TEMP%");
  EXPECT_EQ(s->ReadString("huge"), std::nullopt);
  EXPECT_EQ(s->ReadBinary("bigBlob"), std::nullopt);
}

// The whole settings record through the real registry.
TEST_F(RegistryStoreTest, SettingsSurviveSaveAndLoadBitForBit) {
  LoadEnvironment env{1280, 1024, 364, 335, "C:\\Users\\Дизайнер"};
  TKolOptions saved = DefaultOptions(env);
  saved.fontName = "Žofia";
  saved.fontText = "Дизайнер";
  saved.fontItalic = true;
  saved.color1 = 0x00ABCDEF;
  saved.color4 = 0x10000000;
  saved.x = 900;
  saved.y = 10;
  saved.crntPage = 6;
  saved.ColorFormat = 12;
  saved.maxClipImages = -100;
  saved.clipboardHook = false;
  saved.lastPath = "D:\\Дизайнер\\Žofia";
  saved.filterImageIndex = 3;
  PaletteStripState strip = DefaultPaletteStrip();
  strip.cells[3] = 0x123456;
  strip.cells[255] = 0xFEDCBA;
  strip.transparentIndex = 200;

  TKolOptions working = saved;
  {
    auto w = Open(true);
    ASSERT_TRUE(SaveSettings(w.get(), LiveWindowState{900, 10, 364, 364, false, saved.imgPreviewId}, working,
                             strip, {}));
  }
  EXPECT_EQ(TypeOf(L"fontItalic"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(TypeOf(L"lastPath"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(TypeOf(L"colors"), static_cast<DWORD>(REG_BINARY));

  TKolOptions loaded;
  PaletteStripState loadedStrip;
  auto r = Open(false);
  LoadSettings(r.get(), env, loaded, loadedStrip, {});
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(loadedStrip, strip);
}

TEST_F(RegistryStoreTest, GarbageInEverySettingFallsBackValueByValue) {
  LoadEnvironment env{1280, 1024, 364, 335, "C:\\docs"};
  TKolOptions names;  // only for the value names: save once, then spoil each value
  {
    auto w = Open(true);
    ASSERT_TRUE(SaveSettings(w.get(), LiveWindowState{1, 2, 364, 364, false, 3}, names,
                             DefaultPaletteStrip(), {}));
  }
  RegKey k = RegKey::Open(HKEY_CURRENT_USER, path_, KEY_READ);
  ASSERT_TRUE(k);
  std::vector<std::wstring> valueNames;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD len = 256;
    if (::RegEnumValueW(k, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    valueNames.emplace_back(name, len);
  }
  ASSERT_GE(valueNames.size(), 36u);
  const DWORD number = 77;
  std::wstring huge(40000, L'Z');
  for (const auto& n : valueNames) {
    if (TypeOf(n.c_str()) == REG_SZ) {
      PutRaw(n.c_str(), REG_BINARY, &number, sizeof number);
    } else {
      PutRaw(n.c_str(), REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    }
  }
  TKolOptions loaded;
  PaletteStripState strip;
  auto r = Open(false);
  LoadSettings(r.get(), env, loaded, strip, {});
  EXPECT_EQ(loaded, DefaultOptions(env));
  EXPECT_EQ(strip, DefaultPaletteStrip());
}

}  // namespace
}  // namespace kolo::win
