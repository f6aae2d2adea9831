// The colour slots, the font sample and the layout preview, driven in-process
// through a stand-in main window that writes down every refresh it is asked for.
#include "app/win/color_area.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../../widgets/win/widget_test_util.h"
#include "frame/hint_caption.h"
#include "frame/main_layout.h"
#include "color/color_text.h"

namespace kolo::win {
namespace {

using namespace kolo::testing;

// Refreshes the area the way the main window does, and keeps a log.
class FakeHost : public ColorAreaHost {
 public:
  TKolOptions& Options() override { return options; }
  int CurrentSlot() const override { return current; }
  void SetCurrentSlot(int slot) override { current = slot; }
  void RefreshColors(unsigned char flags) override {
    refreshes.push_back(flags);
    if (!area) return;
    if (flags & 0x0C) area->RefreshSlots((flags & 0x04) != 0);
    if (flags & 0x10) area->RefreshPictures();
  }
  void StartColorDrag(TColor c) override {
    dragged = c;
    dragStarts.push_back(c);
  }
  TColor DraggedColor() const override { return dragged; }
  bool ColorDragging() const override { return dragging; }
  void SetColorDragging(bool on) override { dragging = on; }
  LPARAM DragSource() const override { return 77; }

  TKolOptions options;
  int current = 0;
  std::vector<int> refreshes;
  TColor dragged = clEmptyColor;
  bool dragging = false;
  std::vector<TColor> dragStarts;
  TColorArea* area = nullptr;
};

std::string Text(HWND edit) {
  wchar_t buf[64] = {};
  ::GetWindowTextW(edit, buf, 64);
  return Narrow(buf);
}

void Type(HWND edit, const std::string& keys) {
  for (char ch : keys) {
    ::SendMessageW(edit, WM_CHAR, static_cast<unsigned char>(ch), 0);
    ::SendMessageW(edit, WM_KEYUP, 'A', 0xC0000001);
  }
}

void RightPress(HWND w, int x, int y) {
  ::SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, Point(x, y));
  ::SendMessageW(w, WM_RBUTTONUP, 0, Point(x, y));
}

class ColorAreaTest : public ::testing::Test {
 protected:
  ColorAreaTest() : form(layout::kRightPager.w, layout::kRightPager.h), area(host) {}
  void SetUp() override {
    host.area = &area;
    host.options.color1 = 0xFFFFFF;
    host.options.color2 = 0x000000;
    host.options.color3 = 0xC08000;
    host.options.color4 = 0xFF99FF;
    area.copyText = [this](const std::string& t) {
      copied.push_back(t);
      return true;
    };
    area.clipboardText = [this] { return clipboard; };
    area.showFontBrowser = [this] { ++fontBrowserOpened; };
    area.fontBrowserShowing = [this] { return fontBrowserShowing; };
    area.showLayoutPicker = [this] { ++pickerOpened; };
    area.layoutPickerJustShown = [this] { return pickerJustShown; };
    ASSERT_TRUE(area.Create(form.Handle()));
    host.RefreshColors(0x37);
    host.refreshes.clear();
  }
  void TearDown() override { TPopupMenu::SetShownHook(nullptr); }

  HWND Edit(int slot) { return area.SlotControls(slot).edColor; }
  HWND Swatch(int slot) { return area.SlotControls(slot).color.Handle(); }
  TColor SlotColor(int slot) { return ColorSlot(host.options, slot); }
  std::vector<int> Refreshes() { return std::exchange(host.refreshes, {}); }

  TestForm form;
  FakeHost host;
  TColorArea area;
  std::vector<std::string> copied;
  std::optional<std::string> clipboard;
  int fontBrowserOpened = 0, pickerOpened = 0;
  bool fontBrowserShowing = false, pickerJustShown = false;
};

TEST_F(ColorAreaTest, TypingReadsTheEditAsRedGreenBlue) {
  HWND edit = Edit(1);
  ::SetWindowTextW(edit, L"");
  Type(edit, "FF");
  EXPECT_EQ(SlotColor(1), 0xFF0000u) << "FF is 0000FF: pure blue";
  EXPECT_EQ(area.SwatchColor(1), 0xFF0000u) << "the swatch shows it at once";
  Type(edit, "0000");
  EXPECT_EQ(Text(edit), "FF0000");
  EXPECT_EQ(SlotColor(1), 0x0000FFu) << "FF0000 is pure red";
  EXPECT_EQ(Refreshes(), std::vector<int>(6, 0x73));

  // Only hex digits and the editing keys get in; lower case shows in upper case.
  ::SetWindowTextW(edit, L"");
  Type(edit, "g#x a1");
  EXPECT_EQ(Text(edit), "A1");
  EXPECT_EQ(SlotColor(1), 0xA10000u);

  // Cleared: black.
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SendMessageW(edit, WM_CHAR, 8, 0);
  ::SendMessageW(edit, WM_KEYUP, VK_BACK, 0xC0000001);
  EXPECT_EQ(Text(edit), "");
  EXPECT_EQ(SlotColor(1), 0u);
  // At most six digits.
  Type(edit, "1234567");
  EXPECT_EQ(Text(edit), "123456");
}

TEST_F(ColorAreaTest, RefreshRewritesTheCurrentEditOnlyWithFlag4) {
  host.current = 2;
  ::SetWindowTextW(Edit(2), L"12");  // being typed
  host.options.color1 = 0x0080FF;
  host.options.color4 = 0x123456;
  host.RefreshColors(0x08);
  EXPECT_EQ(Text(Edit(0)), "FF8000");
  EXPECT_EQ(Text(Edit(3)), "563412");
  EXPECT_EQ(Text(Edit(2)), "12") << "0x08 leaves the edit being typed in";
  EXPECT_EQ(area.SwatchColor(0), 0x0080FFu);
  // The swatch's hint is its colour, then its contrast with the other slots.
  EXPECT_EQ(area.SlotControls(3).color.Hint().rfind(ColorHint(0x123456) + " 1: ", 0), 0u)
      << area.SlotControls(3).color.Hint();
  host.RefreshColors(0x04);
  EXPECT_EQ(Text(Edit(2)), "0080C0");

  // The selected slot's frame and copy button are pale with a frame-coloured border.
  for (int i = 0; i < 4; ++i) {
    auto& s = area.SlotControls(i);
    EXPECT_EQ(s.pnlColor.Color(), i == 2 ? clSelectedSlot : clSkyBlue) << i;
    EXPECT_EQ(s.pnlColor.BorderColor(), i == 2 ? clFrame : clSkyBlue) << i;
    EXPECT_EQ(s.btnCopyColor.Color(), i == 2 ? 0xF7E8D9u : clSkyBlue) << i;
  }
}

TEST_F(ColorAreaTest, SlotsAreSelectedByClicksRightPressesAndTheirEdits) {
  LeftClick(Swatch(2), 8, 8);
  EXPECT_EQ(host.current, 2);
  EXPECT_EQ(Refreshes(), std::vector<int>{0x77});

  // A right press on a frame, an edit panel or the font sample's frame (tag 3).
  TPopupMenu::SetShownHook([](HMENU) { return 0; });
  RightPress(area.SlotControls(3).pnlColor.Handle(), 1, 1);
  EXPECT_EQ(host.current, 3);
  RightPress(area.SlotControls(1).panEditCol.Handle(), 0, 0);
  EXPECT_EQ(host.current, 1);
  RightPress(area.panFontText.Handle(), 0, 0);
  EXPECT_EQ(host.current, 2);
  EXPECT_EQ(Refreshes(), (std::vector<int>{0x77, 0x77, 0x77}));

  // A press in another slot's edit selects it; in the selected one it does nothing more.
  LeftDown(Edit(0), 3, 3);
  LeftUp(Edit(0), 3, 3);
  EXPECT_EQ(host.current, 0);
  LeftDown(Edit(0), 5, 3);
  LeftUp(Edit(0), 5, 3);
  EXPECT_EQ(Refreshes(), std::vector<int>{0x77});
}

TEST_F(ColorAreaTest, RightClickOnASwatchSelectsItBeforeItsMenuOpens) {
  std::vector<int> selectedWhenShown;
  TPopupMenu::SetShownHook([&](HMENU) {
    selectedWhenShown.push_back(host.current);
    return static_cast<int>(clrMenuCopy);
  });
  host.options.ColorFormat = 2;
  RightPress(Swatch(2), 8, 8);
  ASSERT_EQ(selectedWhenShown, std::vector<int>{2});
  EXPECT_EQ(copied, std::vector<std::string>{"#0080C0"}) << "Copy took slot 3's colour";
}

TEST_F(ColorAreaTest, PasteOnlyWhenTheClipboardTextIsAColour) {
  host.current = 1;
  std::vector<bool> pasteEnabled;
  TPopupMenu::SetShownHook([&](HMENU) {
    pasteEnabled.push_back(area.ColorPopupMenu.Enabled(clrMenuPast));
    return static_cast<int>(clrMenuPast);
  });
  clipboard = "not a colour";
  RightPress(Swatch(1), 8, 8);
  EXPECT_EQ(SlotColor(1), 0x000000u);
  clipboard = std::nullopt;
  RightPress(Swatch(1), 8, 8);
  EXPECT_EQ(SlotColor(1), 0x000000u);
  clipboard = "#FF8000";
  RightPress(Swatch(1), 8, 8);
  EXPECT_EQ(pasteEnabled, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(SlotColor(1), 0x0080FFu);
  EXPECT_EQ(Text(Edit(1)), "FF8000");
  EXPECT_EQ(host.refreshes.back(), 0x77);

  // Called directly with a bad text it changes nothing either.
  clipboard = "12,34";
  host.refreshes.clear();
  EXPECT_FALSE(area.PasteColor());
  EXPECT_EQ(SlotColor(1), 0x0080FFu);
  EXPECT_TRUE(host.refreshes.empty());
}

TEST_F(ColorAreaTest, CopyButtonsCopyTheEditInTheChosenFormat) {
  ::SetWindowTextW(Edit(3), L"FF8000");  // typed, key not yet released: the edit counts
  LeftClick(area.SlotControls(3).btnCopyColor.Handle(), 8, 8);
  EXPECT_EQ(copied, std::vector<std::string>{"FF8000"});

  std::vector<std::vector<bool>> checks;
  TPopupMenu::SetShownHook([&](HMENU menu) {
    std::vector<bool> c;
    for (int f = 0; f < 13; ++f)
      c.push_back((::GetMenuState(menu, fmtMenuFirst + f, MF_BYCOMMAND) & MF_CHECKED) != 0);
    checks.push_back(c);
    return fmtMenuFirst + 7;
  });
  RightPress(area.SlotControls(3).btnCopyColor.Handle(), 8, 8);
  ASSERT_EQ(checks.size(), 1u);
  EXPECT_TRUE(checks[0][0]);
  EXPECT_EQ(std::count(checks[0].begin(), checks[0].end(), true), 1);
  EXPECT_EQ(area.ColorFormatPopupMenu.Count(), 13);
  EXPECT_EQ(area.ColorFormatPopupMenu.Caption(fmtMenuFirst + 12), "LMS (l,m,s)");
  EXPECT_EQ(host.options.ColorFormat, 7);
  LeftClick(area.SlotControls(3).btnCopyColor.Handle(), 8, 8);
  EXPECT_EQ(copied.back(), "30,100,100");
  RightPress(area.SlotControls(0).btnCopyColor.Handle(), 8, 8);
  EXPECT_TRUE(checks[1][7]);
}

TEST_F(ColorAreaTest, SwapButtonsMoveTheSelectionWithItsColour) {
  host.current = 0;
  LeftClick(area.VMPictureButton11.Handle(), 5, 3);
  EXPECT_EQ(SlotColor(0), 0x000000u);
  EXPECT_EQ(SlotColor(1), 0xFFFFFFu);
  EXPECT_EQ(host.current, 1);
  EXPECT_EQ(Text(Edit(1)), "FFFFFF");
  EXPECT_EQ(area.SlotControls(1).pnlColor.Color(), clSelectedSlot);
  LeftClick(area.VMPictureButton14.Handle(), 5, 3);  // slots 3 and 4: the selection stays
  EXPECT_EQ(host.current, 1);
  EXPECT_EQ(SlotColor(2), 0xFF99FFu);
  EXPECT_EQ(SlotColor(3), 0xC08000u);
  LeftClick(area.VMPictureButton16.Handle(), 5, 3);
  EXPECT_EQ(host.current, 2);
  EXPECT_EQ(SlotColor(2), 0xFFFFFFu);
  EXPECT_EQ(Refreshes(), (std::vector<int>{0x37, 0x37, 0x37}));
}

TEST_F(ColorAreaTest, DropsOnTheSelectedAndOnAnotherSlot) {
  host.current = 1;
  host.dragged = 0x123456;
  ::SendMessageW(Swatch(3), WM_DRAGCOLOR_OVER, kDragEnter, 5);
  EXPECT_EQ(area.SwatchColor(3), 0x123456u);
  ::SendMessageW(Swatch(3), WM_DRAGCOLOR_OVER, kDragLeave, 5);
  EXPECT_EQ(area.SwatchColor(3), 0xFF99FFu);
  ::SendMessageW(Swatch(3), WM_DRAGCOLOR_OVER, kDragEnter, 5);
  ::SendMessageW(Swatch(3), WM_DRAGCOLOR_DROP, kDragMove, 5);
  EXPECT_EQ(SlotColor(3), 0x123456u);
  EXPECT_EQ(host.current, 1) << "the selection does not move";
  EXPECT_EQ(Text(Edit(3)), "563412");

  host.dragged = 0x00FF00;
  ::SendMessageW(Swatch(1), WM_DRAGCOLOR_DROP, kDragMove, 5);
  EXPECT_EQ(SlotColor(1), 0x00FF00u);
  EXPECT_EQ(Refreshes(), (std::vector<int>{0x54, 0x77}));

  // The transparent pseudo-colour shows nothing on entering and never lands in a slot.
  host.dragged = clTransparentColor;
  ::SendMessageW(Swatch(0), WM_DRAGCOLOR_OVER, kDragEnter, 5);
  EXPECT_EQ(area.SwatchColor(0), 0xFFFFFFu);
  ::SendMessageW(Swatch(0), WM_DRAGCOLOR_DROP, kDragMove, 5);
  EXPECT_EQ(SlotColor(0), 0xFFFFFFu);
  EXPECT_EQ(area.SwatchColor(0), 0xFFFFFFu);
  EXPECT_TRUE(Refreshes().empty());
}

TEST_F(ColorAreaTest, DraggingFromASwatchAfterFourPixelsAndDroppingOnAnother) {
  ::SetWindowPos(form.Handle(), HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  Pump();
  auto screenOf = [](HWND w, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(w, &p);
    return p;
  };
  const POINT press = screenOf(Swatch(0), 8, 8);
  ASSERT_TRUE(::SetCursorPos(press.x, press.y));
  LeftDown(Swatch(0), 8, 8);
  MouseMove(Swatch(0), 11, 11, MK_LBUTTON);  // three pixels: still a click
  EXPECT_TRUE(host.dragStarts.empty());
  MouseMove(Swatch(0), 12, 8, MK_LBUTTON);
  ASSERT_EQ(host.dragStarts, std::vector<TColor>{0xFFFFFF});
  EXPECT_TRUE(host.dragging);

  // Over slot 3's swatch: it shows the dragged colour; the release drops it there.
  const POINT over = screenOf(Swatch(2), 8, 8);
  ASSERT_TRUE(::SetCursorPos(over.x, over.y));
  POINT rel = over;
  ::ScreenToClient(Swatch(0), &rel);
  MouseMove(Swatch(0), rel.x, rel.y, MK_LBUTTON);
  EXPECT_EQ(area.SwatchColor(2), 0xFFFFFFu);
  LeftUp(Swatch(0), rel.x, rel.y);
  EXPECT_FALSE(host.dragging);
  EXPECT_EQ(SlotColor(2), 0xFFFFFFu);
  EXPECT_EQ(host.current, 0) << "a drag is not a click";
  EXPECT_EQ(Refreshes(), std::vector<int>{0x54});
}

TEST_F(ColorAreaTest, FontSampleUsesTheSlotsAndTheSettingsFont) {
  host.options.fontName = "A Font Family Name Longer Than Thirty-One";
  host.options.fontSize = 18;
  host.options.fontBold = true;
  host.options.fontItalic = true;
  host.options.color1 = 0x00FFFF;
  host.options.color2 = 0x800000;
  host.RefreshColors(0x10);
  LOGFONTW lf{};
  ASSERT_TRUE(::GetObjectW(area.fonPreview.SampleFont(), sizeof(lf), &lf));
  EXPECT_EQ(Narrow(lf.lfFaceName), "A Font Family Name Longer Than ");
  EXPECT_EQ(lf.lfHeight, 18);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_FALSE(lf.lfUnderline);
  EXPECT_EQ(lf.lfCharSet, 0);
  EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
  EXPECT_EQ(area.fonPreview.Text(), Widen(host.options.fontName)) << "no text of its own: the name";

  host.options.fontName = "Arial";
  host.options.fontText = "Wonder";
  host.RefreshColors(0x10);
  EXPECT_EQ(area.fonPreview.Text(), L"Wonder");
  Rendering r(area.fonPreview);
  EXPECT_EQ(r.At(0, 0), 0x800000u);
  int ink = 0;
  for (int y = 0; y < area.fonPreview.Height(); ++y)
    for (int x = 0; x < area.fonPreview.Width(); ++x) ink += r.At(x, y) == 0x00FFFFu;
  EXPECT_GT(ink, 20) << "the text is written in slot 1's colour";
}

TEST_F(ColorAreaTest, TheSampleTextEditOpensAndEveryWayOfClosingKeepsTheText) {
  host.options.fontText = "Old";
  HWND other = Edit(0);
  auto editOf = [&] { return area.panFontText.edit; };
  area.acEditText.Execute();
  ASSERT_TRUE(area.TextEditOpen());
  EXPECT_TRUE(::IsWindowVisible(editOf()));
  EXPECT_EQ(Text(editOf()), "Old");
  EXPECT_EQ(area.EditTextCaption(), "Set text");
  ::SetWindowTextW(editOf(), L"New one");
  area.acEditText.Execute();
  EXPECT_FALSE(area.TextEditOpen());
  EXPECT_FALSE(::IsWindowVisible(editOf()));
  EXPECT_EQ(area.EditTextCaption(), "Change text");
  EXPECT_EQ(host.options.fontText, "New one");
  EXPECT_EQ(area.fonPreview.Text(), L"New one");

  // Losing the focus closes it.
  area.acEditText.Execute();
  ::SetWindowTextW(editOf(), L"Focus");
  ::SetFocus(other);
  EXPECT_FALSE(area.TextEditOpen());
  EXPECT_EQ(host.options.fontText, "Focus");

  // So does a press on the layout preview, which then opens the picker.
  area.acEditText.Execute();
  ::SetWindowTextW(editOf(), L"Preview");
  LeftClick(area.PreviewImg.Handle(), 10, 10);
  EXPECT_FALSE(area.TextEditOpen());
  EXPECT_EQ(host.options.fontText, "Preview");
  EXPECT_EQ(pickerOpened, 1);

  // And the text menu's item, whose caption follows the state.
  std::vector<std::string> captions;
  TPopupMenu::SetShownHook([&](HMENU) {
    captions.push_back(area.TextPopupMenu.Caption(txtMenuEditText));
    return static_cast<int>(txtMenuEditText);
  });
  RightPress(area.fonPreview.Handle(), 10, 10);
  EXPECT_TRUE(area.TextEditOpen());
  RightPress(area.fonPreview.Handle(), 10, 10);
  EXPECT_FALSE(area.TextEditOpen());
  EXPECT_EQ(captions, (std::vector<std::string>{"Change text", "Set text"}));
}

TEST_F(ColorAreaTest, PressesOpenTheFontBrowserAndThePickerUnlessJustShown) {
  LeftClick(area.fonPreview.Handle(), 10, 10);
  LeftClick(area.VMPictureButton5.Handle(), 4, 4);
  EXPECT_EQ(fontBrowserOpened, 2);
  fontBrowserShowing = true;
  LeftClick(area.fonPreview.Handle(), 10, 10);
  EXPECT_EQ(fontBrowserOpened, 2);

  LeftClick(area.VMPictureButton4.Handle(), 4, 4);
  EXPECT_EQ(pickerOpened, 1);
  pickerJustShown = true;
  LeftClick(area.PreviewImg.Handle(), 10, 10);
  EXPECT_EQ(pickerOpened, 1);
}

// The first colour table of template `index` as the program holds it now.
std::vector<GifRgb> TableOf(TVMGIFImageList& list, int index) {
  GifPicture* p = list.Picture(index);
  return p && p->FirstColorTable() ? *p->FirstColorTable() : std::vector<GifRgb>{};
}

GifRgb Rgb(TColor c) { return GifRgb{GetR(c), GetG(c), GetB(c)}; }

TEST_F(ColorAreaTest, TheLayoutPreviewIsRecolouredFromTheSlotsByItsTag) {
  TVMGIFImageList& list = area.PeviewImageList;
  ASSERT_GE(list.Count(), 34);
  EXPECT_EQ(area.ShownPreviewId(), 33);
  ASSERT_EQ(list.Tag(33), 4);
  auto groundPixels = [&](TColor ground) {
    Rendering r(area.PreviewImg);
    int n = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 80; ++x) n += r.At(x, y) == ground;
    return n;
  };
  EXPECT_GT(groundPixels(0x000000), 80 * 40 / 4) << "shown in the first-start colours";
  host.options.color1 = 0x0000FF;
  host.options.color2 = 0x00FF00;
  host.options.color3 = 0xFF0000;
  host.options.color4 = 0x808080;
  host.RefreshColors(0x10);
  auto t = TableOf(list, 33);
  ASSERT_GE(t.size(), 4u);
  EXPECT_EQ(t[3], Rgb(0x0000FF));
  EXPECT_EQ(t[2], Rgb(0x00FF00));
  EXPECT_EQ(t[1], Rgb(0xFF0000));
  EXPECT_EQ(t[0], Rgb(0x808080));
  // The picture on screen follows: the ground of the template is slot 2.
  EXPECT_GT(groundPixels(0x00FF00), 80 * 40 / 4);
  EXPECT_EQ(groundPixels(0x000000), 0);

  // Every tag: the picker's choice shows a two- and a three-colour template.
  int two = -1, three = -1;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Tag(i) == 2 && two < 0) two = i;
    if (list.Tag(i) == 3 && three < 0) three = i;
  }
  ASSERT_TRUE(two >= 0 && three >= 0);
  ASSERT_TRUE(area.SetPreviewId(two));
  EXPECT_EQ(area.ShownPreviewId(), two);
  EXPECT_EQ(host.options.imgPreviewId, two);
  t = TableOf(list, two);
  EXPECT_EQ(t[1], Rgb(0x0000FF));
  EXPECT_EQ(t[0], Rgb(0x00FF00));
  ASSERT_TRUE(area.SetPreviewId(three));
  t = TableOf(list, three);
  EXPECT_EQ(t[2], Rgb(0x0000FF));
  EXPECT_EQ(t[1], Rgb(0x00FF00));
  EXPECT_EQ(t[0], Rgb(0xFF0000));

  // A number outside the list changes nothing on screen.
  const auto before = TableOf(list, three);
  EXPECT_FALSE(area.SetPreviewId(list.Count()));
  EXPECT_FALSE(area.SetPreviewId(-1));
  host.options.imgPreviewId = 999;
  host.options.color1 = 0x445566;
  host.RefreshColors(0x10);
  EXPECT_EQ(area.ShownPreviewId(), three);
  EXPECT_EQ(host.options.imgPreviewId, three) << "the number saved is the one shown";
  EXPECT_EQ(TableOf(list, three), before);
}

TEST_F(ColorAreaTest, UnknownStoredTemplateStartsOnTheDefaultAndMarksSwitchCopyPictures) {
  FakeHost other;
  other.options.imgPreviewId = 5000;
  TestForm form2(layout::kRightPager.w, layout::kRightPager.h);
  TColorArea second(other);
  ASSERT_TRUE(second.Create(form2.Handle()));
  EXPECT_EQ(second.ShownPreviewId(), 33);
  EXPECT_EQ(other.options.imgPreviewId, 33);

  EXPECT_EQ(area.SlotControls(2).btnCopyColor.ImageListID().Normal, 16);
  area.SetSlotMarked(2, true);
  EXPECT_EQ(area.SlotControls(2).btnCopyColor.ImageListID().Normal, 261);
  EXPECT_EQ(area.SlotControls(2).btnCopyColor.ImageListID().Down, 263);
  EXPECT_EQ(area.SlotControls(2).color.BorderColor(), 0x8000BFu);
  EXPECT_EQ(area.SlotControls(2).panEditCol.BorderColor(), 0x8000BFu);
  area.SetSlotMarked(2, false);
  EXPECT_EQ(area.SlotControls(2).btnCopyColor.ImageListID().Normal, 16);
  EXPECT_EQ(area.SlotControls(2).color.BorderColor(), clFrame);
}

TEST_F(ColorAreaTest, ThePreviewsRightClickMenuShowsItAsADichromatSeesIt) {
  TVMGIFImageList& list = area.PeviewImageList;
  host.options.color1 = 0x0000FF;
  host.options.color2 = 0x00FF00;
  host.RefreshColors(0x10);
  int chosen = visionMenuFirst + static_cast<int>(ColorVision::Deuteranopia);
  TPopupMenu::SetShownHook([&](HMENU) { return chosen; });
  RightPress(area.PreviewImg.Handle(), 10, 10);
  EXPECT_EQ(area.PreviewVision(), ColorVision::Deuteranopia);
  auto t = TableOf(list, 33);
  ASSERT_GE(t.size(), 4u);
  EXPECT_EQ(t[3], Rgb(SimulateColorVision(0x0000FF, ColorVision::Deuteranopia)));
  EXPECT_EQ(t[2], Rgb(SimulateColorVision(0x00FF00, ColorVision::Deuteranopia)));
  EXPECT_NE(t[3], Rgb(0x0000FF));
  EXPECT_EQ(area.PreviewImg.Hint(), "Slayout as seen with deuteranopia");
  // The slots stay as they are, and the view follows them while it is on.
  EXPECT_EQ(host.options.color1, 0x0000FFu);
  host.options.color2 = 0xFF0000;
  host.RefreshColors(0x10);
  EXPECT_EQ(TableOf(list, 33)[2], Rgb(SimulateColorVision(0xFF0000, ColorVision::Deuteranopia)));
  chosen = visionMenuFirst;
  RightPress(area.PreviewImg.Handle(), 10, 10);
  EXPECT_EQ(TableOf(list, 33)[3], Rgb(0x0000FF));
  EXPECT_EQ(area.PreviewImg.Hint(), "");
}

}  // namespace
}  // namespace kolo::win
