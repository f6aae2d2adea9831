#include "widgets/win/list_form.h"

#include "widgets/win/picture_controls.h"

#include <algorithm>

namespace kolo::win {

namespace {

TfrmList* g_list = nullptr;

constexpr int kSliderWidth = 9;


int ScreenBottomOf(HWND anchor) {
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  HMONITOR monitor = ::MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST);
  if (monitor && ::GetMonitorInfoW(monitor, &mi)) return mi.rcMonitor.bottom;
  return ::GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace

TfrmList* ListForm() { return g_list; }

TfrmList::TfrmList() : TSecondaryForm(SecondaryForm::List, L"TfrmList") {}

TfrmList::~TfrmList() {
  list.SetVerticalScroller(nullptr);
  if (g_list == this) g_list = nullptr;
}

bool TfrmList::Create(HWND owner) {
  if (!TSecondaryForm::Create(owner, 120, kListScrolledHeight)) return false;
  g_list = this;
  scrollImages_.LoadFromResource("KOLO_IMAGES_SCROLL");
  font_.Reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));

  pnlForm.SetColor(clWhite);
  pnlForm.SetBorderColor(clFrame);
  pnlForm.Create(Handle(), 0, 0, 120, kListScrolledHeight);
  pnlBackground.SetColor(clWhite);
  pnlBackground.Create(pnlForm, 0, 0, 120, kListScrolledHeight);

  list.SetFont(font_.Get());
  list.SetFontColor(clFrame);
  list.SelectColor = clFrame;
  list.SelectFontColor = clWhite;
  list.SelectOnMove = true;
  list.LeftMargin = 3;
  list.SetDblBuffered(true);
  list.OnSelectItem = [this](TVMListBox&) { listSelectItem(); };
  list.Create(pnlBackground, 0, 0, 100, kListScrolledHeight);
  ::SetWindowTextW(list.Handle(), L"list");

  scroller.SetImageList(&scrollImages_);
  scroller.ImageUp = ScrollPartStates(0);
  scroller.ImageDown = ScrollPartStates(4);
  scroller.ImageScroll = ScrollPartStates(8);
  scroller.CentralImageID = 12;
  scroller.SetKing(TScrollKing::Vertical);
  scroller.SmallChange = 1;
  scroller.FocusControl = list.Handle();
  scroller.Create(pnlBackground, 100, 0, kSliderWidth, kListScrolledHeight);
  ::SetWindowTextW(scroller.Handle(), L"scroll the list");
  list.SetVerticalScroller(&scroller);
  return true;
}

void TfrmList::Layout() {
  const int w = placement_.bounds.Width(), h = placement_.bounds.Height();
  // The side that touches the anchor stays open.
  pnlForm.SetBorderSize(
      TVMNotRefreshPanel::Borders{1, placement_.above ? 1 : 0, 1, placement_.above ? 0 : 1});
  pnlForm.SetBounds(0, 0, w, h);
  const int innerTop = placement_.above ? 1 : 0;
  const int innerW = std::max(0, w - 2), innerH = std::max(0, h - 1);
  pnlBackground.SetBounds(1, innerTop, innerW, innerH);
  const int listW = placement_.slider ? std::max(0, innerW - kSliderWidth) : innerW;
  list.SetBounds(0, 0, listW, innerH);
  scroller.SetBounds(listW, 0, kSliderWidth, innerH);
}

void TfrmList::Popup(HWND anchor, int extraWidth, int gap, int moreWidth, Callback callback,
                     const std::string& current, const std::vector<std::string>& texts) {
  if (!Handle() || !anchor) return;
  anchor_ = anchor;
  callback_ = std::move(callback);
  RECT ar{};
  ::GetWindowRect(anchor, &ar);
  // Worked out in logical pixels around the anchor's corner.
  const POINT origin{ar.left, ar.top};
  ar = LgRectAround(ar, origin);
  placement_ = PlaceList(IntRect{ar.left, ar.top, ar.right, ar.bottom}, extraWidth, gap, moreWidth,
                         static_cast<int>(texts.size()), LgAround(ScreenBottomOf(anchor), origin.y));
  // Owned by the anchor's window, so it stays above it when that window takes the input.
  HWND root = ::GetAncestor(anchor, GA_ROOT);
  if (root && root != Handle()) ::SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(root));
  // A modal dialog disabled the other windows; its own drop-down must take the mouse.
  ::EnableWindow(Handle(), TRUE);
  const RECT device = PxRectAround({placement_.bounds.left, placement_.bounds.top, placement_.bounds.right,
                                    placement_.bounds.bottom}, origin);
  const IntRect b{device.left, device.top, device.right, device.bottom};
  // Above every window; the placement itself activates nothing.
  Layout();
  list.SetItems(texts);
  // After the items: a new range would show the slider again.
  scroller.SetVisible(placement_.slider);
  const auto it = std::find(texts.begin(), texts.end(), current);
  const int selected = it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
  list.SetSelectItem(selected);
  ::SetWindowPos(Handle(), HWND_TOPMOST, b.left, b.top, b.Width(), b.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(list.Handle());
  // The chosen text at the top of the view, as far as the list scrolls.
  if (selected >= 0) scroller.SetPosition(selected);
  list.Invalidate();
}

void TfrmList::Hide() {
  if (Handle() && ::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_HIDE);
}

void TfrmList::listSelectItem() {
  const int index = list.SelectItem();
  // Hidden first: the callback may open other windows.
  Callback callback = callback_;
  HWND anchor = anchor_;
  Hide();
  if (index >= 0 && callback) callback(index, anchor);
}

LRESULT TfrmList::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
          if (LOWORD(wp) == WA_INACTIVE) Hide();
      return 0;
    case WM_NCHITTEST:
      return Default(msg, wp, lp);  // no title band to move it by

    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) Hide();
      return 0;
    default:
      return TSecondaryForm::HandleMessage(msg, wp, lp);
  }
}

}  // namespace kolo::win
