// The clipboard history in-process: changes made by another window, read as
// the real clipboard viewer chain delivers them.
#include "clipboard/win/clipboard_tab.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../../hook/win/input_util.h"
#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "color/color_text.h"
#include "frame/memory_store.h"
#include "frame/shared_store.h"
#include "frame/win/clipboard_text.h"
#include "palette/win/palette_strip.h"
#include "platform/win/handles.h"
#include "widgets/win/message_box_win.h"
#include "widgets/win/popup_menu.h"

namespace kolo::win {
namespace {

namespace fs = std::filesystem;
using kolo::testing::Pump;
using kolo::testing::PumpUntil;
using kolo::testing::SharedStore;

LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }

// Another program's clipboard writes.
class OtherProgram {
 public:
  OtherProgram() { hwnd_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr); }
  ~OtherProgram() { ::DestroyWindow(hwnd_); }
  HWND Handle() const { return hwnd_; }

  // Everything `fill` puts there arrives as one change.
  bool Put(const std::function<void()>& fill) {
    if (!::OpenClipboard(hwnd_)) return false;
    ::EmptyClipboard();
    fill();
    ::CloseClipboard();
    return true;
  }
  static void Text(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(::GlobalLock(mem), text.c_str(), bytes);
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_UNICODETEXT, mem);
  }
  static void Picture(int w, int h, TColor c, int stripe = 0) {
    WindowDc screen(nullptr);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
    MemoryDc dc(::CreateCompatibleDC(screen));
    HGDIOBJ old = ::SelectObject(dc.Get(), bmp);
    Brush fill(::CreateSolidBrush(c));
    RECT all{0, 0, w, h};
    ::FillRect(dc.Get(), &all, fill.Get());
    // A stripe makes pictures of one size differ in their PNG bytes.
    RECT band{0, 0, stripe, h};
    Brush black(::CreateSolidBrush(0));
    if (stripe > 0) ::FillRect(dc.Get(), &band, black.Get());
    ::SelectObject(dc.Get(), old);
    ::SetClipboardData(CF_BITMAP, bmp);
  }
  static void Format(const wchar_t* name, DWORD value) {
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    *static_cast<DWORD*>(::GlobalLock(mem)) = value;
    ::GlobalUnlock(mem);
    ::SetClipboardData(::RegisterClipboardFormatW(name), mem);
  }

 private:
  HWND hwnd_ = nullptr;
};

class ClipboardTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Open();
    // Each test starts from an empty history.
    for (const auto& e : fs::directory_iterator(tab_->Folder())) fs::remove(e.path());
    tab_->ClipboardList().LoadFromFile(tab_->Folder() + L"list.bin");
    tab_->ClipboardColorList.Clear();
    SetMessageBoxShownHook([this](TfrmMessage& box) {
      messages_.push_back(box.Text());
      box.Close(kMrYes);
    });
  }
  void TearDown() override {
    SetMessageBoxShownHook(nullptr);
    TPopupMenu::SetShownHook(nullptr);
    Close();
  }
  void Open() {
    main_ = std::make_unique<TfrmMain>();
    store_.WriteInteger("crntPage", 6);
    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<SharedStore>(store_); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_->Create(p));
    tab_ = main_->clipboardTab;
    ASSERT_EQ(main_->currentTab, 6);
    Pump(20);
  }
  void Close() {
    if (main_ && main_->Handle()) {
      main_->SaveSettings();  // as closing the window does
      ::DestroyWindow(main_->Handle());
    }
    main_.reset();
    Pump(10);
  }
  // Waits until the writer wrote every picture and the list took them.
  void Settle() {
    Pump(30);
    tab_->Writer().WaitIdle();
    Pump(30);
  }
  std::vector<std::string> PngFiles() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(tab_->Folder()))
      if (e.path().extension() == ".png") names.push_back(e.path().filename().string());
    return names;
  }
  TKOLClipboardList& colors() { return tab_->ClipboardColorList; }

  MemoryStore store_;
  std::unique_ptr<TfrmMain> main_;
  TClipboardTab* tab_ = nullptr;
  OtherProgram other_;
  std::vector<std::string> messages_;
};

TEST_F(ClipboardTabTest, PicturesBecomeFilesAndItemsOnceEach) {
  PictureList& list = tab_->ClipboardList();
  ASSERT_TRUE(other_.Put([] { OtherProgram::Picture(40, 30, 0x3366CC); }));
  Settle();
  ASSERT_EQ(list.Count(), 1);
  const std::string first = list.Selected()->fileName;
  EXPECT_EQ(first.size(), 16u) << first;  // yymmddhhnnss.png
  EXPECT_EQ(PngFiles(), std::vector<std::string>{first});
  EXPECT_EQ(tab_->LastWidth, 40);
  EXPECT_EQ(tab_->LastHeight, 30);
  EXPECT_GT(tab_->LastFileSize, 0);

  // The same picture again: recorded once. Another one, then the first again: both recorded.
  other_.Put([] { OtherProgram::Picture(40, 30, 0x3366CC); });
  Settle();
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(PngFiles().size(), 1u) << "the duplicate's file is gone again";
  other_.Put([] { OtherProgram::Picture(50, 30, 0x00FF00); });
  other_.Put([] { OtherProgram::Picture(40, 30, 0x3366CC); });
  Settle();
  EXPECT_EQ(list.Count(), 3);

  // Too small (width + height below 11) and too large leave nothing.
  other_.Put([] { OtherProgram::Picture(5, 5, 0xFF0000); });
  tab_->maxPicturePixels = 1000;
  other_.Put([] { OtherProgram::Picture(100, 100, 0xFF0000); });
  Settle();
  tab_->maxPicturePixels = kMaxClipPicturePixels;
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(PngFiles().size(), 3u);

  // A burst within the same second or two: every picture gets its own name, in order, at once.
  for (int i = 1; i <= 25; ++i) other_.Put([i] { OtherProgram::Picture(60, 20, 0x808080, i); });
  Settle();
  EXPECT_EQ(list.Count(), 28);
  const auto names = PngFiles();
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 28u);
  EXPECT_EQ(list.Selected()->fileName, *std::max_element(names.begin(), names.end())) << "newest on top";

  // The limit keeps the newest.
  main_->Options().maxClipImages = 10;
  other_.Put([] { OtherProgram::Picture(70, 20, 0x123456); });
  Settle();
  EXPECT_EQ(list.Count(), 10);
  EXPECT_EQ(PngFiles().size(), 10u);
}

TEST_F(ClipboardTabTest, ColourTextsBecomeRows) {
  other_.Put([] { OtherProgram::Text(L"#FF0000"); });
  other_.Put([] { OtherProgram::Text(L"hello"); });
  other_.Put([] { OtherProgram::Text(L"#00FF00"); });
  Pump(30);
  ASSERT_EQ(colors().Count(), 2);
  EXPECT_EQ(colors().Colors()[0], 0x00FF00u);
  other_.Put([] { OtherProgram::Text(Widen(FormatColor(0x0000FF, 0))); });
  Pump(30);
  EXPECT_EQ(colors().Colors(), (std::vector<TColor>{0x0000FF, 0x00FF00})) << "red again moves to the top";

  // The privacy marks that refuse a copy are driven end to end; a mark that allows it changes nothing.
  other_.Put([] {
    OtherProgram::Text(L"#123456");
    OtherProgram::Format(L"CanIncludeInClipboardHistory", 1);
  });
  Pump(30);
  EXPECT_EQ(colors().Colors()[0], 0x563412u) << "allowed explicitly";
}

TEST_F(ClipboardTabTest, AClipboardHeldOpenIsRetriedThenLetGo) {
  other_.Put([] { OtherProgram::Text(L"#0A0B0C"); });
  Pump(30);
  colors().Clear();
  // Held open briefly: the change is read once the other program lets go.
  ASSERT_TRUE(::OpenClipboard(other_.Handle()));
  tab_->CaptureClipboard();
  Pump(60);
  ::CloseClipboard();
  EXPECT_TRUE(PumpUntil([&] { return colors().Count() == 1; }, 1000));
  // Held for good: given up, and the next change is recorded as usual.
  colors().Clear();
  ASSERT_TRUE(::OpenClipboard(other_.Handle()));
  tab_->CaptureClipboard();
  Pump(tab_->openAttempts * static_cast<int>(tab_->openRetryMs) + 200);
  ::CloseClipboard();
  Pump(100);
  EXPECT_EQ(colors().Count(), 0);
  other_.Put([] { OtherProgram::Text(L"#0D0E0F"); });
  Pump(30);
  ASSERT_EQ(colors().Count(), 1);
  EXPECT_EQ(colors().Colors()[0], 0x0F0E0Du);
}

TEST_F(ClipboardTabTest, HistoriesSurviveARestartAndACrash) {
  other_.Put([] { OtherProgram::Text(L"#010203"); });
  other_.Put([] { OtherProgram::Text(L"#040506"); });
  other_.Put([] { OtherProgram::Picture(40, 30, 0x3366CC); });
  Settle();
  // Written at once, before any save: a crash now loses nothing.
  std::ifstream in(fs::path(tab_->ColorFile()));
  std::string header, a, b;
  std::getline(in, header);
  std::getline(in, a);
  std::getline(in, b);
  EXPECT_EQ(a.substr(0, 6), "040506");
  EXPECT_EQ(b.substr(0, 6), "010203");
  in.close();

  Close();
  EXPECT_EQ(store_.ReadInteger("CLP_countcol"), 2);
  EXPECT_EQ(store_.ReadBinary("CLP_colors"), (std::vector<std::uint8_t>{6, 5, 4, 3, 2, 1}));
  Open();
  EXPECT_EQ(colors().Colors(), (std::vector<TColor>{0x060504, 0x030201}));
  EXPECT_EQ(tab_->ClipboardList().Count(), 1);

  // Without the file, the settings' copy is read.
  const fs::path colorFile(tab_->ColorFile());
  Close();
  fs::remove(colorFile);
  store_.WriteBinary("CLP_colors", {0xFF, 0, 0});  // blue, green, red
  store_.WriteInteger("CLP_countcol", 1);
  Open();
  EXPECT_EQ(colors().Colors(), std::vector<TColor>{0xFF0000});

  // An empty history removes its bytes from the settings.
  colors().Clear();
  Close();
  EXPECT_EQ(store_.ReadInteger("CLP_countcol"), 0);
  EXPECT_FALSE(store_.ReadBinary("CLP_colors").has_value());
}

TEST_F(ClipboardTabTest, RowsSelectCopyAndOpenTheirMenus) {
  for (TColor c : {0x112233u, 0x222222u, 0x333333u}) colors().AddColor(c);  // 33 on top
  HWND h = colors().Handle();
  const ClipButtonBox button = colors().ButtonBox();
  ASSERT_GT(button.width, 0);
  const int p = colors().Pitch();
  // The swatch names its colour in the title strip (BBGGRR after the kind letter).
  colors().SetItemIndex(-1);
  ::SendMessageW(h, WM_MOUSEMOVE, 0, Pt(10, 2 * p + 8));
  EXPECT_EQ(colors().Hint(), "C112233");
  ::SendMessageW(h, WM_MOUSEMOVE, 0, Pt(40, 2 * p + 8));
  EXPECT_EQ(colors().Hint(), "");
  // A press on a row selects it; a press on its copy button copies without selecting.
  ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(30, p + 5));
  ::SendMessageW(h, WM_LBUTTONUP, 0, Pt(30, p + 5));
  EXPECT_EQ(colors().ItemIndex(), 1);
  const int bx = button.left + 3, by = 2 * p + button.offsetY + 3;
  ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(bx, by));
  ::SendMessageW(h, WM_LBUTTONUP, 0, Pt(bx, by));
  EXPECT_EQ(colors().ItemIndex(), 1);
  EXPECT_EQ(ReadClipboardText(), FormatColor(0x112233, main_->Options().ColorFormat));
  Pump(30);
  EXPECT_EQ(colors().Count(), 3) << "our own copy does not come back";
  // Released away from the button: nothing is copied.
  CopyTextToClipboard(L"x");
  Pump(30);
  ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pt(bx, by));
  ::SendMessageW(h, WM_LBUTTONUP, 0, Pt(10, 5));
  EXPECT_EQ(ReadClipboardText(), "x");

  // Right clicks: the text format menu on a copy button, the list's menu elsewhere.
  std::vector<HMENU> shown;
  TPopupMenu::SetShownHook([&](HMENU m) {
    shown.push_back(m);
    return 0;
  });
  ::SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, Pt(bx, by));
  ::SendMessageW(h, WM_RBUTTONUP, 0, Pt(bx, by));
  const HMENU formatMenu = shown.empty() ? nullptr : shown.back();
  TPopupMenu::SetShownHook([&](HMENU m) {
    shown.push_back(m);
    return static_cast<int>(TClipboardTab::ccDeleteAll);
  });
  ::SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, Pt(30, 5));
  ::SendMessageW(h, WM_RBUTTONUP, 0, Pt(30, 5));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_NE(formatMenu, nullptr);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Are you sure you want to delete all colors?");
  EXPECT_EQ(colors().Count(), 0);
}

// A 50-megapixel picture is recorded on the writer thread; the copy the window
// thread takes is bounded (24-bit rows).
TEST_F(ClipboardTabTest, AFiftyMegapixelPictureIsRecorded) {
  ASSERT_TRUE(other_.Put([] { OtherProgram::Picture(8000, 6250, 0x202020, 100); }));
  tab_->Writer().WaitIdle();
  Settle();
  ASSERT_EQ(tab_->ClipboardList().Count(), 1);
  EXPECT_EQ(tab_->LastWidth, 8000);
  EXPECT_EQ(tab_->LastHeight, 6250);
  ::OpenClipboard(other_.Handle());
  ::EmptyClipboard();
  ::CloseClipboard();
}

}  // namespace
}  // namespace kolo::win

namespace kolo::win {
namespace {

// Stands in for the program's publisher: publishes at once under a fixed address.
class InstantPublisher : public Publisher {
 public:
  void ImageToWeb(PublishSource& s) override { PublishOnSite(s); }
  void PublishOnSite(PublishSource& s) override {
    Gdiplus::Image* image = s.PublishImage();
    sentWidth = image ? static_cast<int>(image->GetWidth()) : -1;
    s.SetSelectedItemUrl("https://img.example/kolo/p1");
  }
  void ViewOnSite(PublishSource&) override {}
  int sentWidth = 0;
};

TEST_F(ClipboardTabTest, ASelectedPictureIsPublishedFromItsFileAndKeepsItsAddress) {
  InstantPublisher publisher;
  SetPublisher(&publisher);
  ASSERT_TRUE(other_.Put([] { OtherProgram::Picture(44, 30, 0x3366CC); }));
  Settle();
  ASSERT_TRUE(tab_->ClipboardList().Selected());
  tab_->PublishOnSite();
  SetPublisher(nullptr);
  EXPECT_EQ(publisher.sentWidth, 44);
  EXPECT_EQ(tab_->ClipboardList().Selected()->url, "https://img.example/kolo/p1");
  EXPECT_FALSE(tab_->ClipboardList().Selected()->modified);
  // Kept in the list file at once, before any save of the settings.
  std::ifstream list(fs::path(tab_->Folder() + L"list.bin"), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(list)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("https://img.example/kolo/p1"), std::string::npos) << text;
}

}  // namespace
}  // namespace kolo::win
