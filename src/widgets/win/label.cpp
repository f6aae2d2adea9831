#include "widgets/win/label.h"

namespace kolo {

TVMLabel::TVMLabel() = default;

void TVMLabel::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Invalidate();
}

SIZE TVMLabel::TextSize() const {
  win::WindowDc screen(nullptr);
  win::SelectScope font(screen, Font());
  std::wstring text = win::Widen(caption_);
  RECT r{0, 0, 0, 0};
  if (text.empty()) {
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen, &tm);
    return SIZE{0, tm.tmHeight};
  }
  ::DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TVMLabel::Paint(HDC dc, const IntRect& client) {
  if (Transparent) PaintParentBackground(dc);
  else Widget::Paint(dc, client);
  win::SelectScope font(dc, Font());
  ::SetBkMode(dc, TRANSPARENT);
  // Disabled text: the frame colour half faded into the sky blue, still legible.
  constexpr TColor kDisabledLabel = 0xD8A553;
  ::SetTextColor(dc, ToColorRef(Enabled() ? FontColor() : kDisabledLabel));
  std::wstring text = win::Widen(caption_);
  RECT r = ToRect(client);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, alignment_ | DT_NOPREFIX);
}

}  // namespace kolo
