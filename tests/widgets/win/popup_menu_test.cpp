// The program's owner-drawn pop-up menus: their look, their measures, and a
// real menu answered through the shown hook.
#include "widgets/win/popup_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/handles.h"

namespace kolo::win {
namespace {

TEST(PopupMenuLook, ColoursFollowTheItemState) {
  MenuItemState s;
  MenuItemLook l = LookOfMenuItem(s);
  EXPECT_EQ(l.background, clSkyBlue);
  EXPECT_EQ(l.text, clFrame);
  EXPECT_EQ(l.textX, 8);
  EXPECT_FALSE(l.bold || l.underline || l.radioMark);

  s.selected = true;
  l = LookOfMenuItem(s);
  EXPECT_EQ(l.background, clFrame);
  EXPECT_EQ(l.text, clWhite);

  s.enabled = false;  // a disabled item is never highlighted
  l = LookOfMenuItem(s);
  EXPECT_EQ(l.background, clSkyBlue);
  EXPECT_EQ(l.text, clDisabledText);

  s = {};
  s.isDefault = true;
  EXPECT_TRUE(LookOfMenuItem(s).bold);
  s = {};
  s.checked = true;
  l = LookOfMenuItem(s);
  EXPECT_TRUE(l.underline);
  EXPECT_EQ(l.text, clWhite);
  s.radio = true;
  l = LookOfMenuItem(s);
  EXPECT_EQ(l.textX, 18);
  EXPECT_TRUE(l.radioMark);
  s.checked = false;
  EXPECT_FALSE(LookOfMenuItem(s).radioMark);
}

class Canvas {
 public:
  Canvas(int w, int h) {
    WindowDc screen(nullptr);
    dc_.Reset(::CreateCompatibleDC(screen));
    bmp_.Reset(::CreateCompatibleBitmap(screen, w, h));
    old_ = ::SelectObject(dc_, bmp_);
    FillSolid(dc_, RECT{0, 0, w, h}, 0x010203);
  }
  ~Canvas() { ::SelectObject(dc_, old_); }
  HDC Dc() const { return dc_; }
  TColor At(int x, int y) const { return ::GetPixel(dc_, x, y); }
  int Count(const RECT& r, TColor c) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    return n;
  }

 private:
  MemoryDc dc_;
  Bitmap bmp_;
  HGDIOBJ old_;
};

TEST(PopupMenuLook, MeasuresAndDrawsItems) {
  TPopupMenu menu;
  menu.Add(1, "Copy");
  menu.AddSeparator();
  menu.Add(2, "RGB hex", true);
  menu.Add(3, "Delete");
  menu.SetChecked(2, true);
  menu.SetEnabled(3, false);

  EXPECT_EQ(menu.MeasureItem(1).cy, 3);
  const SIZE copy = menu.MeasureItem(0);
  {
    // Arial 8: the caption's width plus 16, the height of "W" plus 4.
    WindowDc screen(nullptr);
    Font arial(::CreateFontW(-::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    SelectScope sel(screen, arial);
    SIZE text{}, w{};
    ::GetTextExtentPoint32W(screen, L"Copy", 4, &text);
    ::GetTextExtentPoint32W(screen, L"W", 1, &w);
    EXPECT_EQ(copy.cx, text.cx + 16);
    EXPECT_EQ(copy.cy, w.cy + 4);
  }

  Canvas c(120, 80);
  const int h = copy.cy;
  const RECT plain{0, 0, 120, h}, hot{0, h, 120, 2 * h}, sep{0, 2 * h, 120, 2 * h + 3}, radio{0, 40, 120, 40 + h},
      off{0, 60, 120, 60 + h};
  menu.DrawItem(c.Dc(), plain, 0, false);
  menu.DrawItem(c.Dc(), hot, 0, true);
  menu.DrawItem(c.Dc(), sep, 1, false);
  menu.DrawItem(c.Dc(), radio, 2, false);
  menu.DrawItem(c.Dc(), off, 3, true);

  EXPECT_EQ(c.At(1, 1), clSkyBlue);
  EXPECT_GT(c.Count(plain, clFrame), 5) << "caption in the frame colour";
  EXPECT_EQ(c.Count(RECT{0, 0, 8, h}, clFrame), 0) << "caption starts at x + 8";
  EXPECT_EQ(c.At(1, h + 1), clFrame);
  EXPECT_GT(c.Count(hot, clWhite), 5);
  EXPECT_EQ(c.At(5, 2 * h), clSkyBlue);
  EXPECT_EQ(c.At(5, 2 * h + 1), clFrame) << "separator line across the middle";
  EXPECT_EQ(c.At(100, 2 * h + 1), clFrame);
  EXPECT_EQ(c.At(5, 2 * h + 2), clSkyBlue);
  // The checked radio item: a white 6x6 square at x + 6, centred vertically.
  const int top = 40 + (h - 6) / 2;
  EXPECT_EQ(c.Count(RECT{6, top, 12, top + 6}, clWhite), 36);
  EXPECT_EQ(c.At(5, top), clSkyBlue);
  EXPECT_EQ(c.At(12, top), clSkyBlue);
  EXPECT_EQ(c.Count(RECT{12, 40, 18, 40 + h}, clWhite), 0) << "radio caption starts at x + 18";
  // Disabled, even when the pointer is on it.
  EXPECT_EQ(c.At(1, 61), clSkyBlue);
  EXPECT_GT(c.Count(off, clDisabledText), 5);
  EXPECT_EQ(c.Count(off, clFrame), 0);
}

class MenuOwner : public Window {
 public:
  MenuOwner() {
    RegisterClassOnce(L"KoloMenuOwner");
    CreateWin(L"KoloMenuOwner", L"menu owner", WS_POPUP | WS_VISIBLE, 0, 50, 50, 100, 100, nullptr);
  }
};

TEST(PopupMenuShow, PopsUpRunsOnPopupAndReturnsTheChoice) {
  MenuOwner owner;
  TPopupMenu menu;
  menu.Add(1, "One");
  menu.Add(2, "Two");
  menu.AddSeparator();
  menu.Add(3, "Three");
  bool blocked = true;
  menu.OnPopup = [&] { menu.SetEnabled(2, !blocked); };
  std::vector<int> commands;
  menu.OnCommand = [&](int id) { commands.push_back(id); };
  int items = -1;
  HMENU shown = nullptr;
  int answer = 3;
  TPopupMenu::SetShownHook([&](HMENU m) {
    shown = m;
    items = ::GetMenuItemCount(m);
    EXPECT_EQ(TPopupMenu::ShowingMenu(), m);
    return answer;
  });

  EXPECT_EQ(menu.Popup(owner.Handle(), 60, 60), 3);
  EXPECT_NE(shown, nullptr) << "the menu never came up";
  EXPECT_EQ(items, 4);
  answer = 2;  // disabled by OnPopup: cannot be chosen
  EXPECT_EQ(menu.Popup(owner.Handle(), 60, 60), 0);
  EXPECT_FALSE(menu.Enabled(2));
  blocked = false;
  EXPECT_EQ(menu.Popup(owner.Handle(), 60, 60), 2);
  answer = 0;
  EXPECT_EQ(menu.Popup(owner.Handle(), 60, 60), 0);
  TPopupMenu::SetShownHook(nullptr);
  EXPECT_EQ(commands, (std::vector<int>{3, 2}));
  EXPECT_EQ(TPopupMenu::ShowingMenu(), nullptr);
}

}  // namespace
}  // namespace kolo::win
