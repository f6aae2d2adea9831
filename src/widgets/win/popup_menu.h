// Kolo's pop-up menus: owner-drawn in the program's colours (sky-blue items,
// the frame colour for the highlight and the text, pale green-grey when
// disabled, bold default, underlined white checked items, square radio marks).
//
//   TPopupMenu menu;
//   menu.Add(kCopy, "Copy");
//   menu.AddSeparator();
//   menu.OnPopup = [&] { menu.SetEnabled(kCopy, something); };
//   int id = menu.Popup(ownerHwnd, screenX, screenY);  // 0 when dismissed
//
// While it is shown the menu hooks its owner window for WM_MEASUREITEM and
// WM_DRAWITEM, so any window can show it without forwarding them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "color/color.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace kolo::win {

// How one item looks; the drawing follows it exactly.
struct MenuItemLook {
  TColor background = clSkyBlue;
  TColor text = clFrame;
  bool bold = false;
  bool underline = false;
  int textX = 8;          // caption offset from the item's left edge
  bool radioMark = false;  // white 6x6 square at x + 6, centred vertically
};

struct MenuItemState {
  bool separator = false;
  bool enabled = true;
  bool selected = false;  // highlighted by the pointer or the keyboard
  bool checked = false;
  bool radio = false;
  bool isDefault = false;
};

MenuItemLook LookOfMenuItem(const MenuItemState& s);

class TPopupMenu {
 public:
  TPopupMenu();
  ~TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  // ids must be positive and unique; "-" as a caption makes a separator too.
  void Add(int id, std::string caption, bool radio = false);
  void AddSeparator();
  void Clear();

  void SetEnabled(int id, bool enabled);
  bool Enabled(int id) const;
  void SetCaption(int id, std::string caption);
  std::string Caption(int id) const;
  void SetChecked(int id, bool checked);
  bool Checked(int id) const;
  void SetDefault(int id, bool isDefault);
  int Count() const { return static_cast<int>(items_.size()); }

  // Runs OnPopup, shows the menu at a screen point, and returns the chosen id
  // (0 when dismissed). OnCommand, if set, also gets the id.
  int Popup(HWND owner, int x, int y);
  std::function<void()> OnPopup;
  std::function<void(int id)> OnCommand;

  // Size of an item as the menu measures it (for tests and layout).
  SIZE MeasureItem(int index) const;
  // Draws item `index` in `rect` of `dc` in the given state.
  void DrawItem(HDC dc, const RECT& rect, int index, bool selected) const;
  void DrawScaledItem(HDC dc, const RECT& rect, int index, bool selected) const;
  // Shown while Popup runs (tests close it from the hook).
  static HMENU ShowingMenu();
  // Called once the menu is on screen and idle. The hook returns the id of the
  // item to choose (0 dismisses); like a user, it cannot choose a disabled
  // item. Tests answer menus with it; empty removes it.
  static void SetShownHook(std::function<int(HMENU menu)> hook);

 private:
  struct Item {
    int id = 0;
    std::string caption;
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    bool isDefault = false;
  };
  Item* Find(int id);
  const Item* Find(int id) const;
  MenuItemState StateOf(const Item& item, bool selected) const;
  HFONT FontFor(bool bold, bool underline) const;
  Menu Build() const;

  std::vector<Item> items_;
  mutable Font font_, boldFont_, underFont_, boldUnderFont_;
};

}  // namespace kolo::win
