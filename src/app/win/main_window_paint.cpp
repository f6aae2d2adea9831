// The main window's form: its controls, the title strip, painting.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>

#include "app/hint_caption.h"
#include "app/main_layout.h"
#include "app/size_edit.h"
#include "art_ids.h"
#include "app/win/color_area.h"
#include "app/win/main_window.h"
#include "palette/win/palette_strip.h"
#include "platform/win/hints.h"

namespace kolo::win {

namespace {
constexpr const char* kTabHints[7] = {"Scolor picker",       "Scolor wheel",        "Scolor palette",
                                      "Smix colors",         "Scolors from screen", "Simages from screen",
                                      "Sclipboard viewer"};
constexpr int kIdWidthEdit = 201, kIdHeightEdit = 202, kIdUrlEdit = 203, kIdChangeSize = 204;

// A plain container window: paints sky blue, passes commands to the main window.
class PanelProc {
 public:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
      case WM_ERASEBKGND: {
        RECT r;
        ::GetClientRect(h, &r);
        FillSolid(reinterpret_cast<HDC>(w), r, clSkyBlue);
        return 1;
      }
      case WM_COMMAND:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORSTATIC:
        return ::SendMessageW(::GetAncestor(h, GA_ROOT), m, w, l);
      default:
        return ::DefWindowProcW(h, m, w, l);
    }
  }
};

HWND MakePanel(HWND parent, int x, int y, int w, int h) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &PanelProc::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"KoloPanel";
    ::RegisterClassW(&wc);
    registered = true;
  }
  return ::CreateWindowExW(0, L"KoloPanel", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, w, h, parent,
                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// Only digits and the copy/backspace/paste/cut characters reach a size edit.
LRESULT CALLBACK SizeEditProc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (m == WM_CHAR && !IsSizeEditChar(static_cast<unsigned>(w))) return 0;
  if (m == WM_KEYUP) {
    LRESULT r = ::DefSubclassProc(h, m, w, l);
    if (TfrmMain* main = MainWindow()) main->CurrentTabObject().ImageSizeEdited(h);
    return r;
  }
  return ::DefSubclassProc(h, m, w, l);
}
}  // namespace

void TfrmMain::CreateControls() {
  uiFont_.Reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
  mainImages.LoadFromResource(KOLO_RES_IMAGES_MAIN);
  for (int i = 0; i < 7; ++i) {
    auto& b = tabButtons_[static_cast<size_t>(i)];
    b.Create(Handle(), layout::kTabButtonX[i], 0, layout::kTabButtonWidth, layout::kTabButtonHeight, i,
             kTabHints[i]);
    b.onClick = [this](int tag) { ClickTabButton(tag); };
    b.drawer = [this](HDC dc, int w, int h, int tag, int state) { DrawTitleGlyph(dc, w, h, tag, state); };
  }
  btnChangeSize_.Create(Handle(), 0, 3, 9, 9, 10, "Ssmall size");
  btnChangeSize_.onClick = [this](int) { ToggleSmallMode(); };
  btnMinimaze_.Create(Handle(), 0, 2, 10, 12, 11, "Sminimize to tray - ESC");
  btnMinimaze_.onClick = [this](int) { MinimiseToTray(); };
  ptnToFront_.Create(Handle(), 0, 1, 9, 13, 12, "Sstay on top");
  ptnToFront_.onClick = [this](int) { ToggleStayOnTop(); };
  btnClose_.Create(Handle(), 0, 3, 9, 10, 13, "Sclose");
  btnClose_.onClick = [this](int) { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); };
  for (TabButton* b : {&btnChangeSize_, &btnMinimaze_, &ptnToFront_, &btnClose_})
    b->drawer = [this](HDC dc, int w, int h, int tag, int state) { DrawTitleGlyph(dc, w, h, tag, state); };

  // The main image on its page; the page is the drag source of the image's colours.
  RegisterClassOnce(L"KoloPage");
  imageTab.CreateWin(L"KoloPage", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, layout::kImagePager.x,
                     layout::kImagePager.y, layout::kImagePager.w, layout::kImagePager.h, Handle());
  imgMain.Create(imageTab.Handle(), 0, 0, 256, 256);
  imgMain.SetCursor(squareCursor_.Get());  // cursor 21 until a tab says otherwise
  ForwardImageEvents();

  HWND right = MakePanel(Handle(), layout::kRightPager.x, layout::kRightPager.y, layout::kRightPager.w,
                         layout::kRightPager.h);
  smallPreview.Create(right, (layout::kRightPager.w - 76) / 2, layout::kRightPager.h - 78, 76, 76);
  colorArea = std::make_unique<TColorArea>(*this);
  colorArea->Create(right);

  HWND bottom = MakePanel(Handle(), layout::kBottomPager.x, layout::kBottomPager.y, layout::kBottomPager.w,
                          layout::kBottomPager.h);
  imgTransColor.Create(bottom, 4, 4, 9, 9);
  const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
  edWidthImage = ::CreateWindowExW(0, L"EDIT", L"", editStyle | ES_RIGHT, 20, 2, 40, 16, bottom,
                                   reinterpret_cast<HMENU>(kIdWidthEdit), Instance(), nullptr);
  edHeightImage = ::CreateWindowExW(0, L"EDIT", L"", editStyle | ES_RIGHT, 64, 2, 40, 16, bottom,
                                    reinterpret_cast<HMENU>(kIdHeightEdit), Instance(), nullptr);
  edURL = ::CreateWindowExW(0, L"EDIT", L"", editStyle | ES_READONLY, 20, 22, 300, 16, bottom,
                            reinterpret_cast<HMENU>(kIdUrlEdit), Instance(), nullptr);
  for (HWND e : {edWidthImage, edHeightImage, edURL}) ::SendMessageW(e, WM_SETFONT, (WPARAM)uiFont_.Get(), 0);
  ::SetWindowSubclass(edWidthImage, SizeEditProc, 1, 0);
  ::SetWindowSubclass(edHeightImage, SizeEditProc, 1, 0);
  SetImageControls(false, "", 0, 0);
  // The palette page of the bottom pager; the image page stays hidden until a tab asks for it.
  paletteStrip = std::make_unique<TPaletteStrip>(*this);
  paletteStrip->Create(Handle(), layout::kBottomPager.x, layout::kBottomPager.y);
  paletteStrip->commitTextEdit = [this] { colorArea->CloseTextEdit(); };
  ::ShowWindow(bottom, SW_HIDE);
  LayoutTitleButtons();
}

void TfrmMain::ForwardImageEvents() {
  imgMain.onMouseDown = [this](MouseButton b, unsigned s, int x, int y) {
    if (colorArea) colorArea->CloseTextEdit();  // the sample text is taken before the tab sees the press
    CurrentTabObject().MouseDown(b, s, x, y);
  };
  imgMain.onMouseMove = [this](unsigned s, int x, int y) { CurrentTabObject().MouseMove(s, x, y); };
  imgMain.onMouseUp = [this](MouseButton b, unsigned s, int x, int y) { CurrentTabObject().MouseUp(b, s, x, y); };
}

void TfrmMain::LayoutTitleButtons() {
  const int w = options_.runsmall ? layout::kSmallWidth : layout::kClientWidth;
  // Anchored to the right edge: stay on top, small size, minimise, close.
  ::SetWindowPos(btnClose_.Handle(), nullptr, w - 13, 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(btnMinimaze_.Handle(), nullptr, w - 26, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(btnChangeSize_.Handle(), nullptr, w - 38, 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(ptnToFront_.Handle(), nullptr, w - 50, options_.stayonTop ? 2 : 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (TabButton* b : {&btnChangeSize_, &btnMinimaze_, &ptnToFront_, &btnClose_}) b->Invalidate();
}

// Title strip buttons and tab buttons draw a picture of the main list per state
// (0 normal, 1 hover, 2 pressed, 3 disabled — the current tab's sunken look).
void TfrmMain::DrawTitleGlyph(HDC dc, int w, int h, int tag, int state) {
  RECT r{0, 0, w, h};
  FillSolid(dc, r, clFrame);
  const int s = state > 2 ? 0 : state;
  int index = -1;
  switch (tag) {
    case 10:
      index = (options_.runsmall ? art::kImgFullSizeNormal : art::kImgSmallSizeNormal) + s;
      break;
    case 11:
      index = art::kImgTrayNormal + s;
      break;
    case 12:
      index = (options_.stayonTop ? 43 : 40) + s;  // stay on top: off 40-42, on 43-45
      break;
    case 13:
      index = art::kImgCloseNormal + s;
      break;
    default:
      if (tag >= 0 && tag < 7) index = art::kImgTabButton0Normal + tag * art::kImgGroupStride + state;
      break;
  }
  mainImages.Draw(dc, 0, 0, index);
}

void TfrmMain::SetCaption(const std::wstring& text) {
  if (text == caption_) return;
  caption_ = text;
  RECT r{0, 0, layout::kClientWidth, layout::kCaptionStrip};
  ::InvalidateRect(Handle(), &r, FALSE);
}

void TfrmMain::OnApplicationHint(const std::string& hint) {
  HintCaptionState s;
  s.colorDragging = colorDragging;
  s.smallMode = options_.runsmall;
  s.viewHint = options_.viewHint;
  s.viewColorHint = options_.viewColorHint;
  if (colorFormatter) s.formatColor = colorFormatter;
  if (auto caption = CaptionForHint(hint, s)) SetCaption(Widen(*caption));
}

void TfrmMain::PaintTitleStrip(HDC dc) {
  RECT strip{0, 0, layout::kClientWidth, layout::kCaptionStrip};
  FillSolid(dc, strip, clFrame);
  SelectScope font(dc, uiFont_);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, clWhite);
  RECT text{options_.runsmall ? layout::kCaptionLeftSmall : layout::kCaptionLeftFull, 0,
            (options_.runsmall ? layout::kSmallWidth : layout::kClientWidth) - 52, layout::kCaptionStrip};
  ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void TfrmMain::OnPaint() {
  PaintDc pdc(Handle());
  RECT r = ClientRect();
  BufferedDc dc(pdc, r.right, r.bottom);
  FillSolid(dc, r, clSkyBlue);
  PaintTitleStrip(dc);
}

void TfrmMain::RefreshSlots(bool rewriteEdit) {
  // The slot controls draw from colorSlots; the palette strip follows the current colour.
  if (colorArea) colorArea->RefreshSlots(rewriteEdit);
  if (onSlotsRefresh) onSlotsRefresh(rewriteEdit);
  if (paletteStrip) paletteStrip->FollowCurrentColor();
}

void TfrmMain::RefreshFontSample() {
  if (colorArea) colorArea->RefreshPictures();
  if (onFontSampleRefresh) onFontSampleRefresh();
}

void TfrmMain::SetImageControls(bool enabled, const std::string& url, int height, int width) {
  imageControlsEnabled_ = enabled;
  ::EnableWindow(edWidthImage, enabled);
  ::EnableWindow(edHeightImage, enabled);
  ::SetWindowTextW(edURL, Widen(url).c_str());
  ::SetWindowTextW(edWidthImage, width >= 1 ? std::to_wstring(width).c_str() : L"");
  ::SetWindowTextW(edHeightImage, height >= 1 ? std::to_wstring(height).c_str() : L"");
}

void TfrmMain::CopyImageUrl() {
  const int n = ::GetWindowTextLengthW(edURL);
  if (n <= 0) return;
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  ::GetWindowTextW(edURL, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  CopyTextToClipboard(text);
}

}  // namespace kolo::win
