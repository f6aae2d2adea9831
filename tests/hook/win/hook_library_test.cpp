// kolod.dll and its binding: the file beside the program, the library's shape
// (exports, imports), and what its hooks report and swallow with real input.
#include "hook/win/hook_binding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "hook/hook_events.h"
#include "input_util.h"

namespace kolo::win {
namespace {

using kolo::testing::InputTarget;
using kolo::testing::LeftClickAt;
using kolo::testing::MoveMouseTo;
using kolo::testing::Pump;
using kolo::testing::PumpUntil;

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path, n);
  return s.substr(0, s.find_last_of(L"\\/") + 1);
}

std::vector<std::uint8_t> ReadFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::wstring& path, const std::string& text) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out << text;
}

std::vector<std::uint8_t> ResourceBytes() {
  auto span = HookLibraryResource();
  return {span.begin(), span.end()};
}

DWORD CreationHigh(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d);
  return d.ftCreationTime.dwHighDateTime;
}

class HookFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    const DWORD n = ::GetTempPathW(MAX_PATH, tmp);
    folder_ = std::wstring(tmp, n) + L"kolo-hookfile-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    path_ = folder_ + L"kolod.dll";
  }
  void TearDown() override {
    ::DeleteFileW(path_.c_str());
    ::DeleteFileW((path_ + L".new").c_str());
    ::RemoveDirectoryW(folder_.c_str());
  }
  std::wstring folder_, path_;
};

TEST_F(HookFileTest, TheResourceIsTheBuiltLibrary) {
  const auto resource = ResourceBytes();
  ASSERT_GT(resource.size(), 1000u);
  EXPECT_EQ(resource[0], 'M');
  EXPECT_EQ(resource[1], 'Z');
  // The build puts kolod.dll in the build folder, one up from the test program.
  const auto built = ReadFile(ExeFolder() + L"..\\kolod.dll");
  ASSERT_FALSE(built.empty());
  EXPECT_TRUE(built == resource) << "the embedded library differs from kolod.dll";
}

TEST_F(HookFileTest, MissingFileIsWrittenByteForByte) {
  EXPECT_EQ(ExtractHookLibrary(path_), HookFileResult::Written);
  EXPECT_TRUE(ReadFile(path_) == ResourceBytes());
  EXPECT_EQ(::GetFileAttributesW((path_ + L".new").c_str()), INVALID_FILE_ATTRIBUTES) << "no temporary left";
  // Written now, so it is current from here on.
  EXPECT_GE(CreationHigh(path_), kHookLibraryCutoffHigh);
  EXPECT_EQ(ExtractHookLibrary(path_), HookFileResult::LeftAlone);
}

TEST_F(HookFileTest, NewerFileIsLeftAloneOlderFileReplaced) {
  WriteFile(path_, "someone else's library");
  EXPECT_EQ(ExtractHookLibrary(path_), HookFileResult::LeftAlone);
  EXPECT_EQ(ReadFile(path_).size(), 22u);

  // Moving the cut-off past the file's creation makes it old.
  const DWORD created = CreationHigh(path_);
  EXPECT_EQ(ExtractHookLibrary(path_, nullptr, created), HookFileResult::LeftAlone) << "equal high part is not older";
  EXPECT_EQ(ExtractHookLibrary(path_, nullptr, created + 1), HookFileResult::Written);
  EXPECT_TRUE(ReadFile(path_) == ResourceBytes());
}

TEST_F(HookFileTest, FileCreatedBeforeTheCutoffIsReplaced) {
  WriteFile(path_, "old");
  {
    HANDLE f = ::CreateFileW(path_.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    FILETIME old{0xFFFFFFFF, kHookLibraryCutoffHigh - 1};  // the last moment before the cut-off
    ::SetFileTime(f, &old, nullptr, nullptr);
    ::CloseHandle(f);
  }
  if (CreationHigh(path_) != kHookLibraryCutoffHigh - 1)
    GTEST_SKIP() << "Wine limitation: a file's creation time is the Unix birth time and SetFileTime "
                    "cannot change it (the cut-off rule is covered above with a moved cut-off)";
  EXPECT_EQ(ExtractHookLibrary(path_), HookFileResult::Written);
  EXPECT_TRUE(ReadFile(path_) == ResourceBytes());
  EXPECT_GE(CreationHigh(path_), kHookLibraryCutoffHigh) << "the new copy must not count as old next time";
}

TEST_F(HookFileTest, UnreadableAttributesLeaveEverythingAlone) {
  // A name the file system refuses: its attributes cannot be read.
  const std::wstring bad = folder_ + L"kolo?d.dll";
  EXPECT_EQ(ExtractHookLibrary(bad), HookFileResult::LeftAlone);
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW((folder_ + L"*.dll").c_str(), &fd);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "nothing may be written";
  if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
}

TEST_F(HookFileTest, BindingNeedsBothEntryPoints) {
  HookBinding binding;
  EXPECT_FALSE(binding.Load(folder_ + L"missing.dll"));
  EXPECT_FALSE(binding.Loaded());
  EXPECT_FALSE(binding.Hook(false));
  binding.Unhook();  // harmless without a library

  // Not a library at all: fails quietly.
  WriteFile(path_, "not a library");
  EXPECT_FALSE(binding.Load(path_));
  // A real library without the two exports.
  wchar_t system[MAX_PATH];
  const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_FALSE(binding.Load(std::wstring(system, n) + L"\\version.dll"));
  EXPECT_FALSE(binding.Loaded());
  EXPECT_EQ(binding.Module(), nullptr);

  ::DeleteFileW(path_.c_str());
  ASSERT_EQ(ExtractHookLibrary(path_), HookFileResult::Written);
  ASSERT_TRUE(binding.Load(path_));
  EXPECT_TRUE(binding.Loaded());
  binding.Free();
  EXPECT_FALSE(binding.Loaded());
  EXPECT_TRUE(::DeleteFileW(path_.c_str())) << "the library is no longer in use";
}

// The library's own shape: two undecorated exports, imports from user32 and kernel32 only.
TEST_F(HookFileTest, ExportsAndImports) {
  ASSERT_EQ(ExtractHookLibrary(path_), HookFileResult::Written);
  HookBinding binding;
  ASSERT_TRUE(binding.Load(path_));
  const auto* base = reinterpret_cast<const std::uint8_t*>(binding.Module());
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
  const auto& dirs = nt->OptionalHeader.DataDirectory;

  const auto* exports =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dirs[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress);
  std::vector<std::string> names;
  const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
  EXPECT_EQ(names, (std::vector<std::string>{"hook", "unhook"}));

  std::vector<std::string> imports;
  const auto* desc =
      reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dirs[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
  for (; desc->Name; ++desc) {
    std::string name(reinterpret_cast<const char*>(base + desc->Name));
    for (char& c : name) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    imports.push_back(name);
  }
  ASSERT_FALSE(imports.empty());
  for (const auto& name : imports) EXPECT_TRUE(name == "user32.dll" || name == "kernel32.dll") << name;
}

// A stand-in for the main window: a top-level window titled "Kolo" that writes
// down every hook notification.
class Recorder {
 public:
  Recorder() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Recorder::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KoloHookRecorder";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(0, L"KoloHookRecorder", L"Kolo", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), this);
  }
  ~Recorder() { ::DestroyWindow(hwnd); }
  bool Has(HookEvent e) const {
    for (auto& ev : events)
      if (ev.first == e) return true;
    return false;
  }
  LPARAM DataOf(HookEvent e) const {
    for (auto& ev : events)
      if (ev.first == e) return ev.second;
    return -1;
  }
  HWND hwnd = nullptr;
  std::vector<std::pair<unsigned, LPARAM>> events;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCREATE)
      ::SetWindowLongPtrW(h, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    auto* self = reinterpret_cast<Recorder*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self && m == WM_USER + 1) {
      self->events.emplace_back(static_cast<unsigned>(w), l);
      return 0;
    }
    return ::DefWindowProcW(h, m, w, l);
  }
};

class HookEventsTest : public HookFileTest {
 protected:
  void SetUp() override {
    HookFileTest::SetUp();
    ASSERT_EQ(ExtractHookLibrary(path_), HookFileResult::Written);
    ASSERT_TRUE(binding_.Load(path_));
    target_ = std::make_unique<InputTarget>(200, 200, 120, 120);
    MoveMouseTo(50, 50);
    Pump(50);
    target_->Clear();
  }
  void TearDown() override {
    binding_.Free();
    target_.reset();
    Pump(20);
    HookFileTest::TearDown();
  }
  HookBinding binding_;
  Recorder recorder_;
  std::unique_ptr<InputTarget> target_;
};

TEST_F(HookEventsTest, MovesAreReportedClicksSwallowedKeysPassed) {
  binding_.Hook(false);
  MoveMouseTo(230, 240);
  ASSERT_TRUE(PumpUntil([&] { return recorder_.Has(heMouseMove); })) << "no move reported";
  POINT p;
  ::GetCursorPos(&p);
  EXPECT_NEAR(p.x, 230, 1) << "the cursor still follows the mouse";
  EXPECT_NEAR(p.y, 240, 1);

  LeftClickAt(250, 250);
  ASSERT_TRUE(PumpUntil([&] { return recorder_.Has(heLeftDown) && recorder_.Has(heLeftUp); }));
  kolo::testing::SendMouse(MOUSEEVENTF_RIGHTDOWN);
  kolo::testing::SendMouse(MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(PumpUntil([&] { return recorder_.Has(heRightDown) && recorder_.Has(heRightUp); }));
  kolo::testing::Wheel(-WHEEL_DELTA);
  ASSERT_TRUE(PumpUntil([&] { return recorder_.Has(heWheel); }));
  EXPECT_EQ(static_cast<short>(HIWORD(recorder_.DataOf(heWheel))), -WHEEL_DELTA);
  Pump(50);
  EXPECT_EQ(target_->Count(WM_LBUTTONDOWN), 0) << "the click reached the window under the cursor";
  EXPECT_EQ(target_->Count(WM_LBUTTONUP), 0);
  EXPECT_EQ(target_->Count(WM_RBUTTONUP), 0);
  EXPECT_EQ(target_->Count(WM_MOUSEWHEEL), 0);

  // Keys are reported and still reach the focused window.
  ::SetFocus(target_->hwnd);
  kolo::testing::TapKey('K');
  ASSERT_TRUE(PumpUntil([&] { return recorder_.Has(heKey); }));
  EXPECT_EQ(recorder_.DataOf(heKey), 'K');
  EXPECT_TRUE(PumpUntil([&] { return target_->Count(WM_KEYDOWN) > 0; })) << "the key was swallowed";

  binding_.Unhook();
  recorder_.events.clear();
  LeftClickAt(250, 250);
  EXPECT_TRUE(PumpUntil([&] { return target_->Count(WM_LBUTTONUP) > 0; })) << "clicks flow again";
  EXPECT_TRUE(recorder_.events.empty());
}

TEST_F(HookEventsTest, WithoutTheWindowNothingIsReportedOrSwallowed) {
  ::SetWindowTextW(recorder_.hwnd, L"Kolo (renamed)");
  binding_.Hook(false);
  LeftClickAt(250, 250);
  EXPECT_TRUE(PumpUntil([&] { return target_->Count(WM_LBUTTONUP) > 0; }));
  EXPECT_EQ(target_->Count(WM_LBUTTONDOWN), 1);
  EXPECT_TRUE(recorder_.events.empty());
  binding_.Unhook();
}

TEST_F(HookEventsTest, PassThroughLetsThisProcessesClicksThrough) {
  binding_.Hook(true);
  LeftClickAt(250, 250);
  EXPECT_TRUE(PumpUntil([&] { return target_->Count(WM_LBUTTONUP) > 0; }));
  EXPECT_EQ(target_->Count(WM_LBUTTONDOWN), 1);
  // The low-level hook still reports the release.
  EXPECT_TRUE(recorder_.Has(heLeftUp));
  EXPECT_FALSE(recorder_.Has(heLeftDown));
  binding_.Unhook();
}

TEST_F(HookEventsTest, ActivationIsReportedAndRefused) {
  InputTarget other(360, 200, 60, 60, L"hook test other");
  ::SetForegroundWindow(target_->hwnd);
  ::SetActiveWindow(target_->hwnd);
  Pump(30);
  ASSERT_EQ(::GetActiveWindow(), target_->hwnd);
  binding_.Hook(false);
  ::SetActiveWindow(other.hwnd);
  Pump(30);
  EXPECT_TRUE(recorder_.Has(heActivate));
  EXPECT_EQ(::GetActiveWindow(), target_->hwnd) << "no window may be activated while the hooks are in force";
  binding_.Unhook();
  recorder_.events.clear();
  ::SetActiveWindow(other.hwnd);
  Pump(30);
  EXPECT_EQ(::GetActiveWindow(), other.hwnd);
  EXPECT_TRUE(recorder_.events.empty());
}

TEST_F(HookEventsTest, HookingTwiceLeavesNothingBehind) {
  binding_.Hook(false);
  binding_.Hook(false);
  binding_.Unhook();
  LeftClickAt(250, 250);
  EXPECT_TRUE(PumpUntil([&] { return target_->Count(WM_LBUTTONUP) > 0; })) << "a first set of hooks survived";
  EXPECT_TRUE(recorder_.events.empty());
}

}  // namespace
}  // namespace kolo::win
