// The palette strip inside the main window: its place and set-up, the cells in
// the settings, the main window's reactions, the popup menu, and the open,
// save and new palette commands through stand-in file dialogs and the real
// message box.
#include "palette/win/palette_strip.h"
#include "frame/win/clipboard_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "frame/shared_store.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../../widgets/win/widget_test_util.h"
#include "frame/main_layout.h"
#include "frame/memory_store.h"
#include "app/win/main_window.h"
#include "widgets/win/message_box_win.h"
#include "color/color_text.h"
#include "palette/palette_file.h"

namespace kolo::win {
namespace {

namespace fs = std::filesystem;
using namespace kolo::testing;
using Bytes = std::vector<std::uint8_t>;

using kolo::testing::SharedStore;

Bytes ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& p, const Bytes& b) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

class PaletteStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The cells the settings hold: 20 colours, one of them transparent.
    PaletteStripState saved;
    saved.cells.fill(clEmptyColor);
    for (int i = 0; i < 20; ++i) saved.cells[static_cast<size_t>(i)] = MakeColor(10 * i, 200 - 5 * i, 3 * i);
    saved.transparentIndex = 4;
    store_.WriteBinary("colors", EncodePaletteCells(saved.cells));
    store_.WriteInteger("TransparentId", 4);
    savedCells_ = saved.cells;

    TfrmMain::CreateParams p;
    p.openStore = [this](bool) { return std::make_unique<SharedStore>(store_); };
    p.loadHookLibrary = false;
    ASSERT_TRUE(main_.Create(p));
    ASSERT_NE(main_.paletteStrip, nullptr);
    strip().fileDialog = [this](HWND, const FileDialogRequest& r) {
      requests_.push_back(r);
      return answer_;
    };
    strip().openPage = [this](const std::wstring& path) { pagesOpened_.push_back(path); };
    SetMessageBoxShownHook([this](TfrmMessage& box) {
      messages_.push_back(box.Text());
      box.Close(boxAnswer_);
    });

    dir_ = fs::temp_directory_path() / ("kolo-strip-" + std::to_string(::GetCurrentProcessId()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetMessageBoxShownHook(nullptr);
    if (main_.Handle()) ::DestroyWindow(main_.Handle());
    Pump();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  TPaletteStrip& strip() { return *main_.paletteStrip; }
  TKOLColorList& list() { return strip().ColorList; }
  void Answer(const fs::path& p, int filterIndex = 1) { answer_ = FileDialogAnswer{p.wstring(), filterIndex}; }

  MemoryStore store_;
  TfrmMain main_;
  std::array<TColor, 256> savedCells_{};
  std::optional<FileDialogAnswer> answer_;
  std::vector<FileDialogRequest> requests_;
  std::vector<std::string> messages_;
  std::vector<std::wstring> pagesOpened_;
  int boxAnswer_ = kMrOk;
  fs::path dir_;
};

TEST_F(PaletteStripTest, SitsInTheBottomPagerSetUpAsTheMainWindowWantsIt) {
  RECT r;
  ::GetWindowRect(strip().paletteBottomTab.Handle(), &r);
  ::MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, layout::kBottomPager.x);
  EXPECT_EQ(r.top, layout::kBottomPager.y);
  EXPECT_EQ(r.right - r.left, 360);
  EXPECT_EQ(r.bottom - r.top, 42);
  EXPECT_EQ(list().Width(), 324);
  EXPECT_EQ(list().Height(), 42);
  EXPECT_EQ(list().Bounds().left, 0);
  EXPECT_EQ(strip().VMScrollImage2.Bounds().left, 324);
  EXPECT_EQ(strip().VMScrollImage2.Width(), 9);
  EXPECT_EQ(strip().VMScrollImage2.Max(), 14);
  EXPECT_EQ(strip().VMScrollImage2.SmallChange, 1);
  EXPECT_EQ(strip().VMScrollImage2.LargeChange, 2);
  EXPECT_EQ(list().RowCount(), 16);
  EXPECT_EQ(list().CellSize(), 16);
  EXPECT_EQ(list().SelectColor(), 0xF7E8D9u);
  EXPECT_EQ(list().Color(), clSkyBlue);
  EXPECT_TRUE(list().Dragging());
  EXPECT_EQ(list().EmptyImageId, 243);
  EXPECT_EQ(list().TransparentImageId, 244);
  ASSERT_NE(list().ImageList(), nullptr);
  EXPECT_EQ(list().ImageList()->Caption(243), "emptycol.gif");
  EXPECT_EQ(list().ImageList()->Caption(244), "transcol.gif");
  // The three buttons stack in the column right of the slider, top to bottom.
  EXPECT_EQ(strip().btnNewColors.Action(), &strip().acNewPalette);
  EXPECT_EQ(strip().btnSaveColors.Action(), &strip().acSavePalette);
  EXPECT_GE(strip().btnNewColors.Bounds().left, 333);
  EXPECT_LT(strip().btnNewColors.Bounds().top, strip().btnOpenColors.Bounds().top);
  EXPECT_LT(strip().btnOpenColors.Bounds().top, strip().btnSaveColors.Bounds().top);
  EXPECT_LE(strip().btnSaveColors.Bounds().bottom, 42);
  EXPECT_EQ(strip().acNewPalette.Hint(), "Snew palette...");
  EXPECT_EQ(strip().acOpenPalette.Hint(), "Sopen palette...");
  EXPECT_EQ(strip().acSavePalette.Hint(), "Ssave palette...");
}

TEST_F(PaletteStripTest, CellsComeFromAndGoBackToTheSettings) {
  EXPECT_EQ(list().Colors(), savedCells_);
  EXPECT_EQ(list().TransparentIndex(), 4);

  list().SetItemIndex(1);
  list().DeleteSelected();
  main_.SaveSettings();
  std::array<TColor, 256> stored{};
  DecodePaletteCells(*store_.ReadBinary("colors"), stored);
  EXPECT_EQ(stored, list().Colors());
  EXPECT_EQ(stored[1], savedCells_[2]);
  EXPECT_EQ(store_.ReadInteger("TransparentId"), 3);
}

TEST_F(PaletteStripTest, SelectingAColourCellMakesItTheCurrentColour) {
  main_.currentSlot = 2;
  int refreshes = 0;
  main_.onSlotsRefresh = [&](bool) { ++refreshes; };
  list().SetItemIndex(7);
  list().OnSelect(list());
  EXPECT_EQ(main_.Slot(2), savedCells_[7]);
  EXPECT_EQ(refreshes, 1);

  const TColor before = main_.Slot(2);
  list().SetCell(30, clEmptyColor);
  list().SetItemIndex(30);
  list().OnSelect(list());  // empty: nothing
  list().SetItemIndex(-1);
  list().OnSelect(list());  // a right click beside the cells: nothing
  EXPECT_EQ(main_.Slot(2), before);
  EXPECT_EQ(refreshes, 1);
}

TEST_F(PaletteStripTest, ASelectedCellInViewFollowsTheCurrentColour) {
  list().SetItemIndex(9);
  main_.Slot(main_.currentSlot) = 0x0055AA;
  main_.RefreshColors(0x37);
  EXPECT_EQ(list().Cell(9), 0x0055AAu);
  list().SetTopRow(3);  // cell 9 scrolled out of view
  main_.Slot(main_.currentSlot) = 0x112233;
  main_.RefreshColors(0x37);
  EXPECT_EQ(list().ItemIndex(), -1);
  EXPECT_EQ(list().Cell(9), 0x0055AAu);
}

TEST_F(PaletteStripTest, DragsFromAnywhereGoThroughTheStrip) {
  // A drag out of the main image builds its cursor here and parks the colour.
  main_.BeginColorDrag(0x445566);
  EXPECT_EQ(list().DragColor.Color, 0x445566u);
  EXPECT_NE(list().DragCursor(), nullptr);

  // A drag out of the grid raises and lowers the main window's flag.
  ::ShowWindow(main_.Handle(), SW_SHOWNOACTIVATE);
  POINT c{5 * 20 + 12, 11};
  LeftDown(list().Handle(), c.x, c.y);
  MouseMove(list().Handle(), c.x + 6, c.y, MK_LBUTTON);
  EXPECT_TRUE(main_.colorDragging);
  EXPECT_EQ(list().DragColor.Color, savedCells_[5]);
  LeftUp(list().Handle(), c.x + 6, c.y);
  EXPECT_FALSE(main_.colorDragging);
}

TEST_F(PaletteStripTest, MenuEnablingFollowsSelectionAndClipboard) {
  TPopupMenu& menu = strip().PalettePopupMenu;
  CopyTextToClipboard(L"not a colour");
  list().SetItemIndex(-1);
  strip().UpdatePaletteMenu();
  for (int id : {palMenuCopy, palMenuPast, palMenuInsert, palMenuDelete, palMenuTrans, palMenuClear})
    EXPECT_FALSE(menu.Enabled(id)) << id;
  EXPECT_TRUE(menu.Enabled(palMenuOptions));

  list().SetItemIndex(2);
  strip().UpdatePaletteMenu();
  for (int id : {palMenuCopy, palMenuInsert, palMenuDelete, palMenuTrans, palMenuClear})
    EXPECT_TRUE(menu.Enabled(id)) << id;
  EXPECT_FALSE(menu.Enabled(palMenuPast));
  EXPECT_EQ(menu.Caption(palMenuTrans), "Set transparent");

  CopyTextToClipboard(L"#FF8000");
  list().SetItemIndex(4);  // the transparent cell
  strip().UpdatePaletteMenu();
  EXPECT_TRUE(menu.Enabled(palMenuPast));
  EXPECT_EQ(menu.Caption(palMenuTrans), "Unset transparent");

  list().SetItemIndex(25);  // empty
  strip().UpdatePaletteMenu();
  EXPECT_FALSE(menu.Enabled(palMenuCopy));
  EXPECT_FALSE(menu.Enabled(palMenuClear));
  EXPECT_FALSE(menu.Enabled(palMenuTrans));
  EXPECT_TRUE(menu.Enabled(palMenuPast));
  EXPECT_TRUE(menu.Enabled(palMenuInsert));
}

TEST_F(PaletteStripTest, MenuCommandsCopyAndPasteInTheCurrentFormat) {
  main_.Options().ColorFormat = 0;
  list().SetItemIndex(3);
  strip().palMenuCopyClick();
  EXPECT_EQ(ReadClipboardText(), FormatColor(savedCells_[3], 0));
  main_.Options().ColorFormat = 5;
  strip().palMenuCopyClick();
  EXPECT_EQ(ReadClipboardText(), FormatColor(savedCells_[3], 5));

  // Paste: the cell takes the colour and becomes the current colour.
  CopyTextToClipboard(Widen(FormatColor(0x2080C0, 5)));
  list().SetItemIndex(25);
  strip().palMenuPastClick();
  EXPECT_EQ(list().Cell(25), 0x2080C0u);
  EXPECT_EQ(main_.CurrentColor(), 0x2080C0u);
  CopyTextToClipboard(L"nonsense");
  strip().palMenuPastClick();
  EXPECT_EQ(list().Cell(25), 0x2080C0u);

  list().SetItemIndex(6);
  strip().palMenuTransClick();
  EXPECT_EQ(list().TransparentIndex(), 6);
  strip().palMenuTransClick();
  EXPECT_EQ(list().TransparentIndex(), -1);
  strip().palMenuInsertClick();
  EXPECT_EQ(list().Cell(6), clEmptyColor);
  EXPECT_EQ(list().Cell(7), savedCells_[6]);
  strip().palMenuDeleteClick();
  EXPECT_EQ(list().Cell(6), savedCells_[6]);
  list().SetItemIndex(6);
  strip().palMenuClearClick();
  EXPECT_EQ(list().Cell(6), clEmptyColor);
  EXPECT_EQ(list().ItemIndex(), -1);
}

TEST_F(PaletteStripTest, RightClickOpensTheMenuOnTheCellJustSelected) {
  std::vector<bool> copyEnabled;
  TPopupMenu::SetShownHook([&](HMENU) {
    copyEnabled.push_back(strip().PalettePopupMenu.Enabled(palMenuCopy));
    return static_cast<int>(palMenuClear);
  });
  ::SendMessageW(list().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, Point(2 * 20 + 12, 11));
  ::SendMessageW(list().Handle(), WM_RBUTTONUP, 0, Point(2 * 20 + 12, 11));
  TPopupMenu::SetShownHook(nullptr);
  ASSERT_EQ(copyEnabled.size(), 1u);
  EXPECT_TRUE(copyEnabled[0]);
  EXPECT_EQ(list().Cell(2), clEmptyColor) << "Clear ran on cell 2";
}

TEST_F(PaletteStripTest, SaveAndOpenRoundTrip) {
  main_.Options().lastPath = Narrow(dir_.wstring());
  main_.Options().filterPaletteIndex = 1;
  const fs::path file = dir_ / "mine.act";
  Answer(file, 2);
  strip().acSavePalette.Execute();
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_TRUE(requests_[0].save);
  EXPECT_EQ(requests_[0].filter, kPaletteSaveFilter);
  EXPECT_EQ(requests_[0].filterIndex, 1);
  EXPECT_EQ(requests_[0].defaultExt, L"kpt");
  EXPECT_EQ(fs::path(requests_[0].initialFolder), dir_);
  EXPECT_EQ(main_.Options().filterPaletteIndex, 2);
  EXPECT_TRUE(messages_.empty());
  const ColorFormatter hex = [](TColor c) { return FormatColor(c, 0); };
  EXPECT_EQ(ReadAll(file), *WritePalette(PaletteFormat::Act, list().Colors(), 4, hex, {}));

  // Reopen into a changed strip: act closes the gaps, the transparent mark comes back.
  list().SetColors(std::vector<TColor>{0x010101});
  main_.Options().lastPath = "C:\\";
  Answer(file);
  strip().acOpenPalette.Execute();
  ASSERT_EQ(requests_.size(), 2u);
  EXPECT_FALSE(requests_[1].save);
  EXPECT_EQ(requests_[1].filter, kPaletteOpenFilter);
  EXPECT_EQ(fs::path(Widen(main_.Options().lastPath)), dir_);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(list().Cell(i), savedCells_[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(list().Cell(20), clEmptyColor);
  EXPECT_EQ(list().TransparentIndex(), 4);
  EXPECT_EQ(list().ItemIndex(), -1);
  EXPECT_TRUE(messages_.empty());

  // kpt keeps every cell where it is.
  list().SetCell(40, 0xABCDEF);
  const fs::path kpt = dir_ / "mine.kpt";
  Answer(kpt);
  strip().acSavePalette.Execute();
  const auto cells = list().Colors();
  list().SetColors({});
  strip().acOpenPalette.Execute();
  EXPECT_EQ(list().Colors(), cells);
}

// The pattern of a dialog filter's entry, 1-based as the dialogs count.
std::string FilterPattern(std::string_view filter, int index) {
  std::vector<std::string> pieces(1);
  for (char ch : filter) {
    if (ch == '|')
      pieces.emplace_back();
    else
      pieces.back().push_back(ch);
  }
  return 2 * index <= static_cast<int>(pieces.size()) ? pieces[2 * index - 1] : "";
}

TEST_F(PaletteStripTest, OtherToolsFormsComeAfterTheOldOnesAndRoundTrip) {
  // A remembered filter index must keep choosing the type it chose before.
  const std::vector<std::string> saveTypes{"*.kpt", "*.act", "*.pal", "*.csv", "*.html", "*.gpl", "*.ase", "*.css"};
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(FilterPattern(kPaletteSaveFilter, i), saveTypes[i - 1]) << i;
  const std::vector<std::string> openTypes{"*.kpt", "*.act", "*.pal", "*.gif", "*.csv", "*.gpl", "*.ase"};
  for (int i = 2; i <= 8; ++i) EXPECT_EQ(FilterPattern(kPaletteOpenFilter, i), openTypes[i - 2]) << i;
  for (const std::string& type : openTypes)
    EXPECT_NE((";" + FilterPattern(kPaletteOpenFilter, 1) + ";").find(";" + type + ";"), std::string::npos) << type;

  // Saved through the dialog and opened again: the gaps close, the transparent mark goes.
  main_.Options().lastPath = Narrow(dir_.wstring());
  for (const char* name : {"designer.gpl", "designer.ase"}) {
    list().SetCell(30, 0x00C0FFEE);
    Answer(dir_ / name, 7);
    strip().acSavePalette.Execute();
    EXPECT_EQ(main_.Options().filterPaletteIndex, 7);
    list().SetColors({});
    strip().acOpenPalette.Execute();
    EXPECT_TRUE(messages_.empty()) << name;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(list().Cell(i), savedCells_[static_cast<size_t>(i)]) << name << i;
    EXPECT_EQ(list().Cell(20), 0x00C0FFEEu) << name;
    EXPECT_EQ(list().TransparentIndex(), -1) << name;
  }
}

TEST_F(PaletteStripTest, CancelledDialogsChangeNothing) {
  const auto before = list().Colors();
  main_.Options().lastPath = "C:\\somewhere";
  main_.Options().filterPaletteIndex = 3;
  answer_.reset();
  strip().acOpenPalette.Execute();
  strip().acSavePalette.Execute();
  EXPECT_EQ(requests_.size(), 2u);
  EXPECT_EQ(requests_[1].filterIndex, 3);
  EXPECT_EQ(list().Colors(), before);
  EXPECT_EQ(main_.Options().lastPath, "C:\\somewhere");
  EXPECT_EQ(main_.Options().filterPaletteIndex, 3);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(PaletteStripTest, ABadFileChangesNothingAndSaysSo) {
  const auto before = list().Colors();
  for (const char* name : {"broken.kpt", "empty.csv", "words.csv", "page.html", "broken.gpl", "broken.ase", "p.css"}) {
    const fs::path f = dir_ / name;
    WriteAll(f, std::string(name) == "words.csv" ? Bytes{'r', 'e', 'd', ';', 'x', 'y', 'z'} : Bytes{'N', 'O', 'P', 'E'});
    if (std::string(name) == "empty.csv") WriteAll(f, {});
    const std::string_view badRow = "GIMP Palette\n1 2 3\n4 5\n";  // broken after a good row
    if (std::string(name) == "broken.gpl") WriteAll(f, Bytes(badRow.begin(), badRow.end()));
    Answer(f);
    messages_.clear();
    strip().acOpenPalette.Execute();
    EXPECT_EQ(messages_, std::vector<std::string>{"Failed to open file."}) << name;
    EXPECT_EQ(list().Colors(), before) << name;
    EXPECT_EQ(list().TransparentIndex(), 4) << name;
  }
}

TEST_F(PaletteStripTest, ReplacingAFileAsksFirst) {
  const fs::path file = dir_ / "old.pal";
  const Bytes old{'o', 'l', 'd'};
  WriteAll(file, old);
  Answer(file, 3);
  for (int answer : {kMrNo, kMrCancel}) {
    boxAnswer_ = answer;
    messages_.clear();
    strip().acSavePalette.Execute();
    EXPECT_EQ(messages_, std::vector<std::string>{kReplaceQuestion});
    EXPECT_EQ(ReadAll(file), old);
  }
  boxAnswer_ = kMrYes;
  messages_.clear();
  strip().acSavePalette.Execute();
  EXPECT_EQ(messages_, std::vector<std::string>{kReplaceQuestion});
  const Bytes pal = ReadAll(file);
  ASSERT_EQ(pal.size(), 24u + 4 * 20);
  EXPECT_EQ(pal[22], 20);  // the twenty colours, the transparent one among them
}

TEST_F(PaletteStripTest, AFailedSaveSaysSoAndLeavesWhatWasThere) {
  // Into a folder that does not exist.
  Answer(dir_ / "missing" / "x.kpt");
  strip().acSavePalette.Execute();
  EXPECT_EQ(messages_, std::vector<std::string>{"Failed to save file."});
  EXPECT_FALSE(fs::exists(dir_ / "missing"));

  // Over something that cannot be replaced by a file: it stays as it was.
  const fs::path blocked = dir_ / "taken.kpt";
  fs::create_directories(blocked / "inside");
  boxAnswer_ = kMrYes;
  messages_.clear();
  Answer(blocked);
  strip().acSavePalette.Execute();
  EXPECT_EQ(messages_, (std::vector<std::string>{kReplaceQuestion, "Failed to save file."}));
  EXPECT_TRUE(fs::is_directory(blocked / "inside"));

  // Over a read-only file: the file keeps its bytes.
  const fs::path locked = dir_ / "locked.act";
  const Bytes old{'k', 'e', 'e', 'p'};
  WriteAll(locked, old);
  ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  messages_.clear();
  Answer(locked);
  strip().acSavePalette.Execute();
  EXPECT_EQ(messages_, (std::vector<std::string>{kReplaceQuestion, "Failed to save file."}));
  EXPECT_EQ(ReadAll(locked), old);
  ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

  // An extension no format has.
  messages_.clear();
  Answer(dir_ / "x.txt");
  strip().acSavePalette.Execute();
  EXPECT_EQ(messages_, std::vector<std::string>{"Failed to save file."});
  EXPECT_FALSE(fs::exists(dir_ / "x.txt"));
}

TEST_F(PaletteStripTest, AnHtmlPageOpensOnceWritten) {
  const fs::path page = dir_ / "colors.html";
  Answer(page, 5);
  strip().acSavePalette.Execute();
  ASSERT_TRUE(fs::exists(page));
  ASSERT_EQ(pagesOpened_.size(), 1u);
  EXPECT_EQ(fs::path(pagesOpened_[0]), page);
  const Bytes text = ReadAll(page);
  EXPECT_NE(std::string(text.begin(), text.end()).find(std::string(kMakerSite) + "/kolo/gif/logob.png"),
            std::string::npos);
  Answer(dir_ / "colors.csv", 4);
  strip().acSavePalette.Execute();
  EXPECT_EQ(pagesOpened_.size(), 1u);
}

TEST_F(PaletteStripTest, NewPaletteGoesThroughTheDialog) {
  std::vector<std::string> order;
  strip().commitTextEdit = [&] { order.push_back("commit"); };
  strip().newPaletteDialog = [&]() -> std::optional<std::vector<TColor>> {
    order.push_back("dialog");
    return std::nullopt;  // cancelled
  };
  const auto before = list().Colors();
  strip().acNewPalette.Execute();
  EXPECT_EQ(list().Colors(), before);
  strip().newPaletteDialog = [&]() -> std::optional<std::vector<TColor>> {
    return std::vector<TColor>{0x000001, 0x000002};
  };
  list().SetItemIndex(3);
  strip().acNewPalette.Execute();
  EXPECT_EQ(order, (std::vector<std::string>{"commit", "dialog", "commit"}));
  EXPECT_EQ(list().Cell(1), 2u);
  EXPECT_EQ(list().Cell(2), clEmptyColor);
  EXPECT_EQ(list().TransparentIndex(), -1);
  EXPECT_EQ(list().ItemIndex(), -1);

  // The open and save commands close the text edit first too.
  order.clear();
  answer_.reset();
  strip().acOpenPalette.Execute();
  strip().acSavePalette.Execute();
  EXPECT_EQ(order, (std::vector<std::string>{"commit", "commit"}));
}

TEST(PaletteDialogs, FilterBecomesNulSeparated) {
  const std::wstring f = DialogFilter("A (*.a)|*.a|B|*.b;*.c");
  EXPECT_EQ(f, std::wstring(L"A (*.a)\0*.a\0B\0*.b;*.c\0\0", 23));
}

}  // namespace
}  // namespace kolo::win
