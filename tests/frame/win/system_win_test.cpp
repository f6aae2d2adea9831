#include "frame/win/system_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/win/handles.h"
#include "platform/win/reg_key.h"
#include "platform/win/window.h"

namespace kolo::win {
namespace {

const wchar_t kTestRunName[] = L"kolo-test-autorun";

std::wstring TempFolder(const std::wstring& name) {
  wchar_t tmp[MAX_PATH];
  DWORD n = ::GetTempPathW(MAX_PATH, tmp);
  return std::wstring(tmp, n) + name + std::to_wstring(::GetCurrentProcessId());
}

std::optional<std::wstring> RunValue(const wchar_t* name) {
  RegKey run = RegKey::Open(HKEY_CURRENT_USER, kRunKeyPath);
  return run ? ReadRegText(run, name) : std::nullopt;
}

void PutRunValue(const wchar_t* name, const std::wstring& value) {
  RegKey run = RegKey::Create(HKEY_CURRENT_USER, kRunKeyPath);
  ASSERT_TRUE(run);
  ::RegSetValueExW(run, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool RunKeyIsEmpty() {
  RegKey run = RegKey::Open(HKEY_CURRENT_USER, kRunKeyPath);
  DWORD values = 0, subkeys = 0;
  return run && ::RegQueryInfoKeyW(run, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                   nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         values == 0 && subkeys == 0;
}

TEST(AutorunTest, RoundTripAndAnotherCopy) {
  // Wine's fresh prefixes have no Run key: enabling must create it. An empty
  // key is removed first to show that (a key with entries is left alone).
  if (RunKeyIsEmpty()) ::RegDeleteKeyW(HKEY_CURRENT_USER, kRunKeyPath);
  SetAutorun(kTestRunName, false, L"");
  EXPECT_FALSE(IsAutorun(kTestRunName));

  SetAutorun(kTestRunName, true, L"/m");
  EXPECT_EQ(RunValue(kTestRunName), L"\"" + ExecutablePath() + L"\" /m");
  EXPECT_TRUE(IsAutorun(kTestRunName));

  SetAutorun(kTestRunName, true, L"");
  EXPECT_EQ(RunValue(kTestRunName), L"\"" + ExecutablePath() + L"\"");

  // Windows paths ignore case.
  std::wstring upper = ExecutablePath();
  ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  PutRunValue(kTestRunName, L"\"" + upper + L"\" /m");
  EXPECT_TRUE(IsAutorun(kTestRunName));

  PutRunValue(kTestRunName, L"\"C:\\Other copy\\Kolo.exe\" /m");
  EXPECT_FALSE(IsAutorun(kTestRunName));
  // The bare path without quotes is another command line, not ours.
  PutRunValue(kTestRunName, ExecutablePath() + L" /m");
  EXPECT_FALSE(IsAutorun(kTestRunName));

  SetAutorun(kTestRunName, false, L"/m");
  EXPECT_EQ(RunValue(kTestRunName), std::nullopt);
  EXPECT_FALSE(IsAutorun(kTestRunName));
}

// A file-class root of our own, so the machine's associations stay untouched.
class BrowserClassTest : public ::testing::Test {
 protected:
  BrowserClassTest() : path_(L"Software\\Velmora\\KoloTestClasses" + std::to_wstring(::GetCurrentProcessId())) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    root_ = RegKey::Create(HKEY_CURRENT_USER, path_);
  }
  ~BrowserClassTest() override {
    root_.Reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  void SetDefault(const std::wstring& sub, const std::wstring& value, DWORD type = REG_SZ) {
    RegKey k = RegKey::Create(root_, sub);
    ASSERT_TRUE(k);
    ::RegSetValueExW(k, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  std::wstring path_;
  RegKey root_;
};

TEST_F(BrowserClassTest, FoundThroughTheHtmClass) {
  EXPECT_EQ(ReadBrowserCommand(root_), std::nullopt);  // neither extension

  SetDefault(L".html", L"KoloTestPage");
  SetDefault(L"KoloTestPage\\shell\\open\\command", L"\"C:\\html.exe\" %1");
  EXPECT_EQ(ReadBrowserCommand(root_), L"\"C:\\html.exe\" %1");

  // A .htm whose class has no command does not hide the .html browser...
  SetDefault(L".htm", L"KoloTestHtm");
  EXPECT_EQ(ReadBrowserCommand(root_), L"\"C:\\html.exe\" %1");
  // ...and .htm wins once its class has one.
  SetDefault(L"KoloTestHtm\\shell\\open\\command", L"%SystemRoot%\\browse.exe -url", REG_EXPAND_SZ);
  wchar_t root[MAX_PATH];
  DWORD n = ::GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(ReadBrowserCommand(root_), std::wstring(root, n) + L"\\browse.exe -url");
}

// Starts cmd.exe as the "browser" and reads back the argument it was given.
TEST(RunBrowserCommandTest, TheAddressArrivesAsOneHarmlessArgument) {
  std::wstring out = TempFolder(L"kolo-browser-") + L".txt";
  ::DeleteFileW(out.c_str());
  wchar_t sys[MAX_PATH];
  UINT n = ::GetSystemDirectoryW(sys, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(sys, n) + L"\\cmd.exe\" /c echo %1>\"" + out + L"\"";

  EXPECT_FALSE(RunBrowserCommand(command, "notepad.exe"));
  ASSERT_TRUE(RunBrowserCommand(command, "http://host/a b\"c"));
  std::string text;
  for (int i = 0; i < 100 && text.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::ifstream f{std::filesystem::path(out)};
    std::getline(f, text);
  }
  ::DeleteFileW(out.c_str());
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
  EXPECT_EQ(text, "http://host/a%20b%22c");
}

TEST(FoldersTest, SubfoldersAreCreatedOnDemandUnderUnicodeNames) {
  std::wstring base = TempFolder(L"Дизайнер-Žofia-");
  ASSERT_TRUE(::CreateDirectoryW(base.c_str(), nullptr));
  std::wstring scrn = EnsureSubfolder(base, L"scrn");
  EXPECT_EQ(scrn, base + L"\\scrn\\");
  DWORD attrs = ::GetFileAttributesW(scrn.c_str());
  ASSERT_NE(attrs, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attrs & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(EnsureSubfolder(base + L"\\", L"scrn"), scrn);  // again: nothing changes

  // Only one level is created; a missing parent is not an error.
  std::wstring deep = EnsureSubfolder(base + L"\\missing", L"clipbrd");
  EXPECT_EQ(::GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);

  ::RemoveDirectoryW(scrn.c_str());
  ::RemoveDirectoryW(base.c_str());
}

TEST(FoldersTest, ProgramFoldersSitBesideTheExecutable) {
  std::wstring folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(ExecutablePath().rfind(folder, 0), 0u);
  for (auto [name, get] : {std::pair{L"clipbrd", &ClipboardFolder}, std::pair{L"scrn", &ScreenshotFolder}}) {
    std::wstring expected = folder + name + L"\\";
    bool existed = ::GetFileAttributesW(expected.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(get(), expected);
    EXPECT_NE(::GetFileAttributesW(expected.c_str()), INVALID_FILE_ATTRIBUTES);
    if (!existed) ::RemoveDirectoryW(expected.c_str());
  }
}

TEST(FoldersTest, TheDataFolderMovesToThePerUserFolderOnlyWhenTheProgramFolderIsReadOnly) {
  std::wstring base = TempFolder(L"kolo-data-");
  ASSERT_TRUE(::CreateDirectoryW(base.c_str(), nullptr));
  int asked = 0;
  auto perUser = [&] { ++asked; return base; };
  // A writable program folder keeps its files and never asks the shell.
  EXPECT_EQ(ChooseDataFolder(base, perUser), base + L"\\");
  EXPECT_EQ(asked, 0);
  // One that cannot be written (here: it does not exist) moves to "Kolo" there.
  EXPECT_EQ(ChooseDataFolder(base + L"\\gone", perUser), base + L"\\Kolo\\");
  EXPECT_EQ(asked, 1);
  EXPECT_NE(::GetFileAttributesW((base + L"\\Kolo").c_str()), INVALID_FILE_ATTRIBUTES);
  ::RemoveDirectoryW((base + L"\\Kolo").c_str());
  ::RemoveDirectoryW(base.c_str());
}

TEST(FoldersTest, SpecialFolders) {
  std::wstring docs = GetSpecialFolder(5);
  ASSERT_FALSE(docs.empty());
  EXPECT_NE(::GetFileAttributesW(docs.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetSpecialFolder(0x7F), L"");
  LoadEnvironment env = CurrentLoadEnvironment(364, 335);
  EXPECT_EQ(env.documentsFolder, Narrow(docs));
  EXPECT_GT(env.screenWidth, 0);
}

TEST(VersionTest, MissingResourceGivesZero) {
  EXPECT_EQ(GetFileProgramVersion(L"C:\\no such folder\\Kolo.exe"), 0.0);
  std::wstring plain = TempFolder(L"kolo-noversion-") + L".exe";
  {
    std::ofstream f(std::filesystem::path(plain), std::ios::binary);
    f << "MZ not really a program";
  }
  EXPECT_EQ(GetFileProgramVersion(plain), 0.0);
  ::DeleteFileW(plain.c_str());
}

TEST(VersionTest, TheProgramReadsItsOwnVersionResource) {
  // The tests carry the program's resources, version block included.
  double v = GetProgramVersion();
  EXPECT_GE(v, 1.0);
  double hundredths = (v - static_cast<int>(v)) * 100;
  EXPECT_NEAR(hundredths, std::round(hundredths), 1e-9);
}

TEST(DrawBitmapStretchedTest, EachSourcePixelFillsItsShareOfTheRect) {
  // A 2x2 source: red, green / blue, white (top row first).
  MemoryDc src(::CreateCompatibleDC(nullptr));
  WindowDc screen(nullptr);
  Bitmap bmp(::CreateCompatibleBitmap(screen, 2, 2));
  Bitmap target(::CreateCompatibleBitmap(screen, 10, 10));
  ASSERT_TRUE(src && bmp && target);
  {
    HGDIOBJ old = ::SelectObject(src, bmp);
    ::SetPixel(src, 0, 0, RGB(255, 0, 0));
    ::SetPixel(src, 1, 0, RGB(0, 255, 0));
    ::SetPixel(src, 0, 1, RGB(0, 0, 255));
    ::SetPixel(src, 1, 1, RGB(255, 255, 255));
    ::SelectObject(src, old);
  }
  MemoryDc dst(::CreateCompatibleDC(nullptr));
  HGDIOBJ old = ::SelectObject(dst, target);
  RECT all{0, 0, 10, 10};
  ::FillRect(dst, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  DrawBitmapStretched(dst, RECT{2, 2, 10, 10}, bmp);
  EXPECT_EQ(::GetPixel(dst, 1, 1), RGB(0, 0, 0));  // outside the rect
  EXPECT_EQ(::GetPixel(dst, 3, 3), RGB(255, 0, 0));
  EXPECT_EQ(::GetPixel(dst, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(::GetPixel(dst, 8, 3), RGB(0, 255, 0));
  EXPECT_EQ(::GetPixel(dst, 3, 8), RGB(0, 0, 255));
  EXPECT_EQ(::GetPixel(dst, 9, 9), RGB(255, 255, 255));
  ::SelectObject(dst, old);
}

}  // namespace
}  // namespace kolo::win
