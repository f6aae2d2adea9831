#include "widgets/win/scroll_image.h"

namespace kolo {

TVMScrollImage::TVMScrollImage() : list_([this] { Invalidate(); }) {}

int TVMScrollImage::ImageLength(int index) const {
  if (!list_) return 0;
  SIZE s = list_->ImageSize(index);
  return king_ == TScrollKing::Vertical ? s.cy : s.cx;
}

ScrollMetrics TVMScrollImage::Metrics() const {
  ScrollMetrics m;
  m.length = king_ == TScrollKing::Vertical ? Height() : Width();
  m.arrowBefore = ImageLength(ImageUp.Normal);
  m.arrowAfter = ImageLength(ImageDown.Normal);
  m.pageSize = pageSize_;
  m.min = min_;
  m.max = max_;
  m.position = position_;
  return m;
}

void TVMScrollImage::SetMin(int min) {
  min_ = min;
  if (position_ < min_) position_ = min_;
  Invalidate();
}

void TVMScrollImage::SetMax(int max) {
  max_ = max;
  if (position_ > max_) position_ = max_;
  if (HideOnZero) {
    SetVisible(max_ > 0);
  } else if (!Visible()) {
    SetVisible(true);
  }
  if (ParentWidget()) ParentWidget()->Realign();
  Invalidate();
}

void TVMScrollImage::SetPosition(int position) {
  int p = ClampScrollPosition(position, min_, max_);
  if (p == position_) return;
  position_ = p;
  Invalidate();
}

void TVMScrollImage::SetPageSize(int size) {
  pageSize_ = size;
  Invalidate();
}

void TVMScrollImage::SizeThumb(int visible, int content) {
  const Borders& b = BorderSize();
  const int border = king_ == TScrollKing::Vertical ? b.Top + b.Bottom : b.Left + b.Right;
  ScrollMetrics m = Metrics();
  const int track = m.length - m.arrowBefore - m.arrowAfter - border;
  SetPageSize(ScrollThumbSize(max_, content, visible, track, minScrollHeight));
}

void TVMScrollImage::UserSetPosition(int position) {
  int p = ClampScrollPosition(position, min_, max_);
  if (p == position_) return;
  position_ = p;
  Invalidate();
  if (OnChange) OnChange(*this);
}

void TVMScrollImage::WheelBy(int delta) {
  const int notches = wheel_.Add(delta);
  if (notches != 0) UserSetPosition(position_ - notches * SmallChange);
}

bool TVMScrollImage::MouseWheel(int delta) {
  if (TVMNotRefreshPanel::MouseWheel(delta)) return true;
  WheelBy(delta);
  return true;
}

void TVMScrollImage::MouseDown(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left) {
    if (FocusControl) ::SetFocus(FocusControl);
    if (max_ != min_) {
      ScrollMetrics m = Metrics();
      int p = Along(x, y);
      pressed_ = HitScrollPart(m, p);
      switch (pressed_) {
        case ScrollPart::ArrowBefore: UserSetPosition(position_ - SmallChange); break;
        case ScrollPart::ArrowAfter: UserSetPosition(position_ + SmallChange); break;
        case ScrollPart::TrackBefore: UserSetPosition(position_ - LargeChange); break;
        case ScrollPart::TrackAfter: UserSetPosition(position_ + LargeChange); break;
        case ScrollPart::Thumb: grab_ = p - ScrollThumbStart(m); break;
        case ScrollPart::None: break;
      }
      Invalidate();
    }
  }
  TVMNotRefreshPanel::MouseDown(button, shift, x, y);
}

void TVMScrollImage::MouseMove(unsigned shift, int x, int y) {
  ScrollMetrics m = Metrics();
  int p = Along(x, y);
  if (pressed_ == ScrollPart::Thumb && LeftHeld()) {
    UserSetPosition(ScrollDragPosition(m, p, grab_));
  } else {
    ScrollPart part = Hovered() ? HitScrollPart(m, p) : ScrollPart::None;
    if (part != hover_) {
      hover_ = part;
      Invalidate();
    }
  }
  TVMNotRefreshPanel::MouseMove(shift, x, y);
}

void TVMScrollImage::MouseUp(MouseButton button, unsigned shift, int x, int y) {
  if (button == MouseButton::Left && pressed_ != ScrollPart::None) {
    pressed_ = ScrollPart::None;
    Invalidate();
  }
  TVMNotRefreshPanel::MouseUp(button, shift, x, y);
}

void TVMScrollImage::MouseLeave() {
  hover_ = ScrollPart::None;
  // An arrow acted on its press already; only a thumb drag goes on outside.
  if (pressed_ != ScrollPart::Thumb) pressed_ = ScrollPart::None;
  Invalidate();
  TVMNotRefreshPanel::MouseLeave();
}

LRESULT TVMScrollImage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lp) != Handle()) {
    pressed_ = ScrollPart::None;  // a lost capture ends a thumb drag
    Invalidate();
  }
  return TVMNotRefreshPanel::HandleMessage(msg, wp, lp);
}

namespace {

int PickImage(const TVMImageButtonListID& ids, bool enabled, bool pressed, bool hover) {
  ButtonState state = pressed ? ButtonState::Pressed : hover ? ButtonState::Hover : ButtonState::Normal;
  return ChooseButtonImage(ids, enabled, false, state, false);
}

}  // namespace

void TVMScrollImage::DrawThumb(HDC dc, const ScrollMetrics& m, int across) const {
  const bool vertical = king_ == TScrollKing::Vertical;
  const int image = PickImage(ImageScroll, Enabled(), pressed_ == ScrollPart::Thumb, hover_ == ScrollPart::Thumb);
  SIZE s = list_->ImageSize(image);
  const int start = ScrollThumbStart(m);
  const int imageLen = vertical ? s.cy : s.cx, imageAcross = vertical ? s.cx : s.cy;
  // Along-axis spans to rectangles.
  auto rect = [&](int from, int length, int crossFrom, int crossLength) {
    return vertical ? IntRect::FromSize(crossFrom, from, crossLength, length)
                    : IntRect::FromSize(from, crossFrom, length, crossLength);
  };
  if (imageLen > 0) {
    const int thumb = m.pageSize;
    ThumbPieces t = SplitThumb(thumb, imageLen);
    int save = ::SaveDC(dc);
    IntRect clip = rect(start, thumb, across, imageAcross);
    ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    if (t.middleLength > 0)
      list_->DrawPart(dc, rect(start + t.middleStart, t.middleLength, across, imageAcross), image,
                      rect(t.tailSource, 1, 0, imageAcross));
    if (t.headLength > 0)
      list_->DrawPart(dc, rect(start, t.headLength, across, imageAcross), image, rect(0, t.headLength, 0, imageAcross));
    list_->DrawPart(dc, rect(start + t.tailStart, t.tailLength, across, imageAcross), image,
                    rect(t.tailSource, t.tailLength, 0, imageAcross));
    ::RestoreDC(dc, save);
  }
  SIZE c = list_->ImageSize(CentralImageID);
  if (c.cx > 0 && c.cy > 0) {
    const int cLen = vertical ? c.cy : c.cx, cAcross = vertical ? c.cx : c.cy;
    const int crossSize = vertical ? Width() : Height();
    IntRect at = rect(start + (m.pageSize - cLen) / 2, cLen, (crossSize - cAcross) / 2, cAcross);
    list_->Draw(dc, at.left, at.top, CentralImageID);
  }
}

void TVMScrollImage::PaintContent(HDC dc, const IntRect&) {
  if (!list_) return;
  const bool vertical = king_ == TScrollKing::Vertical;
  const ScrollMetrics m = Metrics();
  const int crossSize = vertical ? Width() : Height();
  auto across = [&](int index) {
    SIZE s = list_->ImageSize(index);
    return (crossSize - (vertical ? s.cx : s.cy)) / 2;
  };
  int up = PickImage(ImageUp, Enabled(), pressed_ == ScrollPart::ArrowBefore, hover_ == ScrollPart::ArrowBefore);
  int down = PickImage(ImageDown, Enabled(), pressed_ == ScrollPart::ArrowAfter, hover_ == ScrollPart::ArrowAfter);
  if (vertical) {
    list_->Draw(dc, across(up), 0, up);
    list_->Draw(dc, across(down), m.length - m.arrowAfter, down);
  } else {
    list_->Draw(dc, 0, across(up), up);
    list_->Draw(dc, m.length - m.arrowAfter, across(down), down);
  }
  const int thumbImage = ImageScroll.Normal;
  DrawThumb(dc, m, across(thumbImage));
}

void ScrollerLink::Set(TVMScrollImage* scroller, std::weak_ptr<char> owner,
                       std::function<void(int position)> onChange) {
  if (TVMScrollImage* old = Get()) old->OnChange = nullptr;
  scroller_ = scroller;
  alive_ = scroller ? scroller->AliveToken() : std::weak_ptr<char>();
  if (!scroller) return;
  scroller->OnChange = [owner, onChange = std::move(onChange)](TVMScrollImage& s) {
    if (!owner.expired() && onChange) onChange(s.Position());
  };
}

}  // namespace kolo
