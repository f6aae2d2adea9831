#include "widgets/win/message_box_win.h"

#include "widgets/win/forms.h"
#include "widgets/win/modal_loop.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>

#include "art_ids.h"

namespace kolo::win {

namespace {

// Indices in the message pack.
constexpr int kIconOfKind[] = {3, 1, 0, 2, -1};
constexpr const char* kTitleOfKind[] = {"Warning", "Error", "Information", "Confirmation", ""};
constexpr int kCloseNormal = 19, kCloseHover = 20, kCloseDown = 21;

struct ButtonSpec {
  unsigned flag;
  int result, normal, hover, down;
  const char* caption;  // drawn only when the glyphs are missing
};
constexpr ButtonSpec kButtonSpecs[] = {
    {kMbYes, kMrYes, 4, 5, 6, "Yes"},
    {kMbNo, kMrNo, 10, 11, 12, "No"},
    {kMbOk, kMrOk, 7, 8, 9, "OK"},
    {kMbCancel, kMrCancel, 13, 14, 15, "Cancel"},
    {kMbMinimise, kMrMinimise, 18, 17, 16, "Minimise"},
};
constexpr int kFallbackButtonW = 64, kFallbackButtonH = 20;

constexpr int kIconX = 9, kIconY = 5, kIconSize = 40;
constexpr int kLabelX = 54;
constexpr int kButtonGap = 10;
constexpr TColor kTextColor = 0x804000;

struct BoxSettings {
  HWND owner = nullptr;
  std::function<bool()> stayOnTop;
  TVMGIFImageList* images = nullptr;
  std::function<void(TfrmMessage&)> shownHook;
};

BoxSettings& Settings() {
  static BoxSettings s;
  return s;
}

TVMGIFImageList* DefaultImages() {
  static TVMGIFImageList list;
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
#ifdef KOLO_RES_IMAGES_MESSAGE
    list.LoadFromResource(KOLO_RES_IMAGES_MESSAGE);
#endif
  }
  return &list;
}

// The body's first row still belongs to the strip that moves the window.
class MessageBody : public TVMNotRefreshPanel {
 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_NCHITTEST) {
      const POINT pt = win::ScreenToLogical(Handle(), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      if (pt.y < TfrmMessage::kDragHeight - TfrmMessage::kTitleHeight) return HTTRANSPARENT;
    }
    return TVMNotRefreshPanel::HandleMessage(msg, wp, lp);
  }
};

// A message button; without its glyphs it still shows a framed caption.
class MessageButton : public TVMPictureButton {
 public:
  explicit MessageButton(std::string caption) : caption_(std::move(caption)) {}

 protected:
  void Paint(HDC dc, const IntRect& client) override {
    TVMPictureButton::Paint(dc, client);
    if (ImageList() && ImageList()->ImageSize(ImageListID().Normal).cx > 0) return;
    bool pressed = ImageButton().State() == ButtonState::Pressed;
    win::FillSolid(dc, ToRect(client), ToColorRef(pressed ? clFrame : clWhite));
    win::Brush frame = win::MakeSolidBrush(ToColorRef(clFrame));
    RECT r = ToRect(client);
    ::FrameRect(dc, &r, frame);
    win::SelectScope font(dc, Font());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(pressed ? clWhite : clFrame));
    std::wstring text = win::Widen(caption_);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }

 private:
  std::string caption_;
};

}  // namespace

void SetMessageBoxOwner(HWND owner, std::function<bool()> stayOnTop) {
  Settings().owner = owner;
  Settings().stayOnTop = std::move(stayOnTop);
}

void SetMessageBoxImages(TVMGIFImageList* images) { Settings().images = images; }

void SetMessageBoxShownHook(std::function<void(TfrmMessage&)> hook) { Settings().shownHook = std::move(hook); }

int ShowMessageBox(const std::string& text, MessageKind kind, unsigned buttons) {
  BoxSettings& s = Settings();
  HWND owner = s.owner && ::IsWindow(s.owner) ? s.owner : nullptr;
  bool topmost = false;
  if (owner) {
    topmost = s.stayOnTop ? s.stayOnTop() : (::GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }
  TfrmMessage box(text, kind, buttons, s.images ? s.images : DefaultImages());
  return box.ShowModal(owner, topmost);
}

TfrmMessage::TfrmMessage(std::string text, MessageKind kind, unsigned buttons, TVMGIFImageList* images)
    : text_(std::move(text)),
      kind_(static_cast<int>(kind) >= 0 && static_cast<int>(kind) <= 4 ? static_cast<int>(kind) : 4),
      // A box without any button could only be left with Escape.
      buttonFlags_((buttons & (kMbYes | kMbNo | kMbOk | kMbCancel | kMbMinimise)) ? buttons : kMbOk),
      images_(images),
      body_(std::make_unique<MessageBody>()) {
  title_ = kTitleOfKind[kind_];
}

TfrmMessage::~TfrmMessage() = default;

HWND TfrmMessage::ButtonHandle(unsigned flag) const {
  for (const Button& b : buttons_)
    if (b.flag == flag) return b.control->Handle();
  return nullptr;
}

HWND TfrmMessage::CloseButtonHandle() const { return close_.Handle(); }

int TfrmMessage::DefaultResult() const { return buttons_.empty() ? kMrCancel : buttons_.front().result; }

SIZE TfrmMessage::TextSize(const std::string& text) const {
  win::WindowDc screen(nullptr);
  win::SelectScope font(screen, DefaultWidgetFont());
  std::wstring w = win::Widen(text);
  RECT r{0, 0, 0, 0};
  if (w.empty()) w = L" ";
  ::DrawTextW(screen, w.c_str(), static_cast<int>(w.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  return SIZE{text.empty() ? 0 : r.right - r.left, r.bottom - r.top};
}

void TfrmMessage::Layout() {
  SIZE text = TextSize(text_);
  const int labelWidth = text.cx + 5;
  int total = 0, buttonHeight = 0;
  for (const ButtonSpec& spec : kButtonSpecs) {
    if (!(buttonFlags_ & spec.flag)) continue;
    SIZE g = images_ ? images_->ImageSize(spec.normal) : SIZE{0, 0};
    if (g.cx <= 0 || g.cy <= 0) g = SIZE{kFallbackButtonW, kFallbackButtonH};
    total += g.cx + (total > 0 ? kButtonGap : 0);
    buttonHeight = std::max<int>(buttonHeight, g.cy);
  }
  width_ = std::max(kLabelX + labelWidth + 10, total + 20);
  // Room for the title and the close button, so the strip never cuts them.
  SIZE close = images_ ? images_->ImageSize(kCloseNormal) : SIZE{0, 0};
  width_ = std::max<int>(width_, TextSize(title_).cx + close.cx + 16);

  const int labelTop = text.cy < kIconSize ? kIconY + (kIconSize - text.cy) / 2 : kIconY;
  const int contentBottom = std::max(kIconY + kIconSize, labelTop + static_cast<int>(text.cy));
  const int buttonsTop = contentBottom + 8;
  const int bodyHeight = buttonsTop + buttonHeight + 9;
  height_ = kTitleHeight + bodyHeight;

  body_->SetBounds(0, kTitleHeight, width_, bodyHeight);
  icon_.SetBounds(kIconX, kIconY, kIconSize, kIconSize);
  label_.SetBounds(kLabelX, labelTop, labelWidth, text.cy);
  int x = (width_ - total) / 2;
  for (Button& b : buttons_) {
    SIZE g = images_ ? images_->ImageSize(b.control->ImageListID().Normal) : SIZE{0, 0};
    if (g.cx <= 0 || g.cy <= 0) g = SIZE{kFallbackButtonW, kFallbackButtonH};
    b.control->SetBounds(x, buttonsTop, g.cx, g.cy);
    x += g.cx + kButtonGap;
  }
  close_.SetBounds(width_ - close.cx - 3, (kTitleHeight - close.cy) / 2, close.cx, close.cy);
}

void TfrmMessage::BuildControls() {
  body_->SetColor(clSkyBlue);
  body_->SetBorderColor(clFrame);
  body_->SetBorderSize({1, 0, 1, 1});
  body_->Create(Handle(), 0, kTitleHeight, 10, 10);

  icon_.SetImageList(images_);
  icon_.SetImageListID(kIconOfKind[kind_]);
  icon_.Create(*body_, kIconX, kIconY, kIconSize, kIconSize);

  label_.SetCaption(text_);
  label_.SetAlignment(DT_CENTER);
  label_.SetFontColor(kTextColor);
  label_.Create(*body_, kLabelX, kIconY, 10, 10);

  for (const ButtonSpec& spec : kButtonSpecs) {
    if (!(buttonFlags_ & spec.flag)) continue;
    auto button = std::make_unique<MessageButton>(spec.caption);
    button->SetImageList(images_);
    button->SetImages(spec.normal, spec.hover, spec.down);
    const int result = spec.result;
    button->OnClick = [this, result](kolo::Widget&) { Close(result); };
    button->Create(*body_, 0, 0, kFallbackButtonW, kFallbackButtonH);
    // Named like the program's other picture buttons, for screen readers.
    const std::string_view caption = spec.caption;
    ::SetWindowTextW(button->Handle(), std::wstring(caption.begin(), caption.end()).c_str());
    buttons_.push_back({spec.flag, spec.result, std::move(button)});
  }

  close_.SetColor(clFrame);
  close_.SetImageList(images_);
  close_.SetImages(kCloseNormal, kCloseHover, kCloseDown);
  close_.OnClick = [this](kolo::Widget&) { Close(kMrCancel); };
  close_.Create(Handle(), 0, 0, 9, 10);
  Layout();
}

int TfrmMessage::ShowModal(HWND owner, bool topmost) {
  RegisterClassOnce(L"TfrmMessage", CS_DBLCLKS);
  // The owner joins the topmost band before its box exists: done afterwards,
  // the call has no effect under Wine.
  if (topmost && owner) ::SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DWORD ex = owner ? WS_EX_TOOLWINDOW : WS_EX_APPWINDOW;
  if (topmost) ex |= WS_EX_TOPMOST;
  std::wstring caption = win::Widen(title_.empty() ? std::string("Kolo") : title_);
  if (!CreateWin(L"TfrmMessage", caption.c_str(), WS_POPUP | WS_CLIPCHILDREN, ex, 0, 0, 100, 100, owner))
    return kMrCancel;
  BuildControls();

  // Centred over the main window when it is on screen, else on the screen;
  // kept inside the work area either way.
  RECT anchor{};
  bool useOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner) && ::GetWindowRect(owner, &anchor);
  HMONITOR monitor = useOwner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                              : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoW(monitor, &mi);
  if (!useOwner) anchor = mi.rcWork;
  const int width = win::Px(width_), height = win::Px(height_);
  int left = anchor.left + ((anchor.right - anchor.left) - width) / 2;
  int top = anchor.top + ((anchor.bottom - anchor.top) - height) / 2;
  left = std::clamp<int>(left, mi.rcWork.left, std::max<int>(mi.rcWork.left, mi.rcWork.right - width));
  top = std::clamp<int>(top, mi.rcWork.top, std::max<int>(mi.rcWork.top, mi.rcWork.bottom - height));
  ::SetWindowPos(Handle(), topmost ? HWND_TOPMOST : nullptr, left, top, width, height,
                 SWP_NOACTIVATE | (topmost ? 0 : SWP_NOZORDER));

  // Asked from a click, the clicked button still holds the mouse until its
  // handler returns: the box must get the next click, not that button.
  if (::GetCapture()) ::ReleaseCapture();
  // Every other window of the program waits for the answer.
  auto disabled = std::make_unique<ProgramWindowsDisabled>(Handle());
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());
  // A second start of the program brings an open box forward.
  RegisterForm(SecondaryForm::Message, Handle());

  if (Settings().shownHook) {
    auto hook = Settings().shownHook;
    hook(*this);
  }

  if (!RunModalLoop([this] { return done_ || !Handle(); }, [this](const MSG& m) { return HandleKey(m); }))
    result_ = kMrCancel;

  RegisterForm(SecondaryForm::Message, nullptr);
  // Give the windows back their input before this one goes, so the owner gets the activation.
  disabled.reset();
  if (Handle()) {
    ::ShowWindow(Handle(), SW_HIDE);
    Destroy();
  }
  return result_;
}

bool TfrmMessage::HandleKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !Handle()) return false;
  if (msg.hwnd != Handle() && !::IsChild(Handle(), msg.hwnd)) return false;
  if (msg.wParam == VK_ESCAPE) {
    Close(kMrCancel);
    return true;
  }
  if (msg.wParam == VK_RETURN) {
    Close(DefaultResult());
    return true;
  }
  return false;
}

void TfrmMessage::Close(int result) {
  result_ = result;
  done_ = true;
}

void TfrmMessage::PaintTitle(HDC dc) {
  RECT strip{0, 0, width_, kTitleHeight};
  win::FillSolid(dc, strip, ToColorRef(clFrame));
  win::SelectScope font(dc, DefaultWidgetFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(clWhite));
  std::wstring title = win::Widen(title_);
  RECT text{5, 0, width_ - 16, kTitleHeight};
  ::DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TfrmMessage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      win::PaintDc pdc(Handle());
      win::BufferedDc buffer(pdc, width_, kTitleHeight);
      PaintTitle(buffer);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST: {
      const POINT pt = win::ScreenToLogical(Handle(), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      if (pt.y >= 0 && pt.y < kDragHeight) return HTCAPTION;
      break;
    }
    case WM_CLOSE:
      Close(kMrCancel);
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace kolo::win
