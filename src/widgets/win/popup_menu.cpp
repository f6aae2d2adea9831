#include "widgets/win/popup_menu.h"

#include <commctrl.h>

#include <utility>

namespace kolo::win {

namespace {

constexpr UINT_PTR kSubclassId = 0x4B6D;  // one menu at a time per owner
constexpr int kSeparatorHeight = 3;

HMENU g_showing = nullptr;
std::function<int(HMENU)> g_shownHook;  // returns the id to choose, 0 to dismiss

struct Running {
  TPopupMenu* menu = nullptr;
  HMENU handle = nullptr;
  bool hookCalled = false;
  int chosen = 0;
};

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref) {
  auto* run = reinterpret_cast<Running*>(ref);
  switch (m) {
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      if (mis->CtlType != ODT_MENU) break;
      const SIZE s = run->menu->MeasureItem(static_cast<int>(mis->itemData));
      mis->itemWidth = static_cast<UINT>(Px(s.cx));
      mis->itemHeight = static_cast<UINT>(Px(s.cy));
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      if (dis->CtlType != ODT_MENU) break;
      run->menu->DrawScaledItem(dis->hDC, dis->rcItem, static_cast<int>(dis->itemData),
                                (dis->itemState & ODS_SELECTED) != 0);
      return TRUE;
    }
    case WM_ENTERIDLE:
      // The menu is on screen and waiting: the moment a test may answer it.
      if (w == MSGF_MENU && !run->hookCalled && g_shownHook) {
        run->hookCalled = true;
        run->chosen = g_shownHook(run->handle);
        ::EndMenu();
      }
      break;
    default:
      break;
  }
  return ::DefSubclassProc(h, m, w, l);
}

}  // namespace

MenuItemLook LookOfMenuItem(const MenuItemState& s) {
  MenuItemLook look;
  look.background = s.selected && s.enabled && !s.separator ? clFrame : clSkyBlue;
  if (!s.enabled)
    look.text = clDisabledText;
  else if (s.selected || s.checked)
    look.text = clWhite;
  else
    look.text = clFrame;
  look.bold = s.isDefault;
  look.underline = s.checked;
  look.textX = s.radio ? 18 : 8;
  look.radioMark = s.radio && s.checked;
  return look;
}

TPopupMenu::TPopupMenu() = default;
TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Add(int id, std::string caption, bool radio) {
  Item item;
  item.id = id;
  item.separator = caption == "-";
  item.caption = std::move(caption);
  item.radio = radio;
  items_.push_back(std::move(item));
}

void TPopupMenu::AddSeparator() { Add(0, "-"); }
void TPopupMenu::Clear() { items_.clear(); }

TPopupMenu::Item* TPopupMenu::Find(int id) {
  for (Item& i : items_)
    if (!i.separator && i.id == id) return &i;
  return nullptr;
}

const TPopupMenu::Item* TPopupMenu::Find(int id) const { return const_cast<TPopupMenu*>(this)->Find(id); }

void TPopupMenu::SetEnabled(int id, bool enabled) {
  if (Item* i = Find(id)) i->enabled = enabled;
}
bool TPopupMenu::Enabled(int id) const {
  const Item* i = Find(id);
  return i && i->enabled;
}
void TPopupMenu::SetCaption(int id, std::string caption) {
  if (Item* i = Find(id)) i->caption = std::move(caption);
}
std::string TPopupMenu::Caption(int id) const {
  const Item* i = Find(id);
  return i ? i->caption : std::string();
}
void TPopupMenu::SetChecked(int id, bool checked) {
  if (Item* i = Find(id)) i->checked = checked;
}
bool TPopupMenu::Checked(int id) const {
  const Item* i = Find(id);
  return i && i->checked;
}
void TPopupMenu::SetDefault(int id, bool isDefault) {
  for (Item& i : items_) i.isDefault = isDefault && !i.separator && i.id == id;
}

HFONT TPopupMenu::FontFor(bool bold, bool underline) const {
  Font& slot = bold ? (underline ? boldUnderFont_ : boldFont_) : (underline ? underFont_ : font_);
  if (!slot) {
    WindowDc screen(nullptr);
    LOGFONTW lf{};
    // 8 pt at the screen's density, less the factor the item is enlarged by.
    lf.lfHeight = -::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72 * UiScale());
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Arial");
    slot.Reset(::CreateFontIndirectW(&lf));
  }
  return slot.Get();
}

MenuItemState TPopupMenu::StateOf(const Item& item, bool selected) const {
  MenuItemState s;
  s.separator = item.separator;
  s.enabled = item.enabled;
  s.selected = selected;
  s.checked = item.checked;
  s.radio = item.radio;
  s.isDefault = item.isDefault;
  return s;
}

SIZE TPopupMenu::MeasureItem(int index) const {
  if (index < 0 || index >= Count()) return SIZE{0, 0};
  const Item& item = items_[static_cast<size_t>(index)];
  if (item.separator) return SIZE{0, kSeparatorHeight};
  WindowDc screen(nullptr);
  SelectScope font(screen, FontFor(item.isDefault, false));
  const std::wstring text = Widen(item.caption);
  SIZE caption{}, w{};
  ::GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &caption);
  ::GetTextExtentPoint32W(screen, L"W", 1, &w);
  return SIZE{caption.cx + 16, w.cy + 4};
}

void TPopupMenu::DrawItem(HDC dc, const RECT& rect, int index, bool selected) const {
  if (index < 0 || index >= Count()) return;
  const Item& item = items_[static_cast<size_t>(index)];
  const MenuItemLook look = LookOfMenuItem(StateOf(item, selected));
  FillSolid(dc, rect, look.background);
  if (item.separator) {
    Pen pen = MakePen(clFrame);
    SelectScope sel(dc, pen);
    const int y = rect.top + (rect.bottom - rect.top) / 2;
    ::MoveToEx(dc, rect.left, y, nullptr);
    ::LineTo(dc, rect.right, y);
    return;
  }
  if (look.radioMark) {
    const int top = rect.top + (rect.bottom - rect.top - 6) / 2;
    RECT square{rect.left + 6, top, rect.left + 12, top + 6};
    FillSolid(dc, square, clWhite);
  }
  SelectScope font(dc, FontFor(look.bold, look.underline));
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc, look.text);
  const std::wstring text = Widen(item.caption);
  ::TextOutW(dc, rect.left + look.textX, rect.top + 2, text.c_str(), static_cast<int>(text.size()));
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}

// Items are drawn in logical pixels and enlarged like every other control.
void TPopupMenu::DrawScaledItem(HDC dc, const RECT& rect, int index, bool selected) const {
  if (UiScale() == 1) {
    DrawItem(dc, rect, index, selected);
    return;
  }
  const int w = Lg(rect.right - rect.left), h = Lg(rect.bottom - rect.top);
  MemoryDc buffer(::CreateCompatibleDC(dc));
  Bitmap bitmap(::CreateCompatibleBitmap(dc, w > 0 ? w : 1, h > 0 ? h : 1));
  {
    SelectScope select(buffer, bitmap);
    DrawItem(buffer, RECT{0, 0, w, h}, index, selected);
    const int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, rect.left, rect.top, Px(w), Px(h), buffer, 0, 0, w, h, SRCCOPY);
    ::SetStretchBltMode(dc, mode);
  }
}

Menu TPopupMenu::Build() const {
  Menu menu(::CreatePopupMenu());
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    UINT flags = MF_OWNERDRAW;
    if (item.separator) flags |= MF_SEPARATOR;
    if (!item.enabled) flags |= MF_GRAYED;
    if (item.checked) flags |= MF_CHECKED;
    ::AppendMenuW(menu, flags, item.separator ? 0 : static_cast<UINT_PTR>(item.id),
                  reinterpret_cast<LPCWSTR>(i));
    if (item.isDefault) ::SetMenuDefaultItem(menu, static_cast<UINT>(item.id), FALSE);
  }
  return menu;
}

int TPopupMenu::Popup(HWND owner, int x, int y) {
  if (OnPopup) OnPopup();
  if (items_.empty() || !owner) return 0;
  Menu menu = Build();
  Running run;
  run.menu = this;
  run.handle = menu.Get();
  ::SetWindowSubclass(owner, OwnerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&run));
  HMENU previous = std::exchange(g_showing, menu.Get());
  int id = static_cast<int>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                             x, y, 0, owner, nullptr));
  g_showing = previous;
  ::RemoveWindowSubclass(owner, OwnerProc, kSubclassId);
  if (run.hookCalled) {
    // Only what a user could pick: an existing, enabled item.
    const Item* item = Find(run.chosen);
    id = item && item->enabled ? run.chosen : 0;
  }
  if (id != 0 && OnCommand) OnCommand(id);
  return id;
}

HMENU TPopupMenu::ShowingMenu() { return g_showing; }

void TPopupMenu::SetShownHook(std::function<int(HMENU menu)> hook) { g_shownHook = std::move(hook); }

}  // namespace kolo::win
