// TVMScrollImage: a scroll bar drawn from pictures. Arrows at both ends, a
// thumb of PageSize in the track between them. Presses step by SmallChange
// (arrows) or LargeChange (track), the thumb drags; OnChange fires only for
// changes made by the user, never for Position set by the program.
#pragma once

#include "widgets/control_rules.h"
#include "widgets/scroll_math.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/not_refresh_panel.h"

namespace kolo {

enum class TScrollKing { Vertical, Horizontal };

class TVMScrollImage : public TVMNotRefreshPanel {
 public:
  TVMScrollImage();

  TVMGIFImageList* ImageList() const { return list_.Get(); }
  void SetImageList(TVMGIFImageList* list) { list_.Set(list); Invalidate(); }
  // Pictures of the up (left) arrow, the down (right) arrow and the thumb.
  TVMImageButtonListID ImageUp, ImageDown, ImageScroll;
  int CentralImageID = -1;  // drawn centred on the thumb
  void ImagesChanged() { Invalidate(); }

  TScrollKing King() const { return king_; }
  void SetKing(TScrollKing king) { king_ = king; Invalidate(); }

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return pageSize_; }
  void SetMin(int min);
  void SetMax(int max);
  void SetPosition(int position);  // clamped; no OnChange
  void SetPageSize(int size);
  int SmallChange = 1;
  int LargeChange = 1;
  int minScrollHeight = 8;
  bool HideOnZero = false;
  HWND FocusControl = nullptr;  // gets the focus on a press

  // PageSize for content of length `content` shown in `visible` pixels.
  void SizeThumb(int visible, int content);
  // Moves by SmallChange per whole notch of wheel delta, up for a positive
  // delta, as the owners do on the wheel; fires OnChange.
  void WheelBy(int delta);

  std::function<void(TVMScrollImage& sender)> OnChange;

  // Geometry as the arithmetic sees it (for owners and tests).
  ScrollMetrics Metrics() const;
  ScrollPart HoverPart() const { return hover_; }
  ScrollPart PressedPart() const { return pressed_; }

 protected:
  const wchar_t* ClassName() const override { return L"TVMScrollImage"; }
  void PaintContent(HDC dc, const IntRect& inner) override;
  void MouseDown(MouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(MouseButton button, unsigned shift, int x, int y) override;
  void MouseLeave() override;
  bool MouseWheel(int delta) override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int Along(int x, int y) const { return king_ == TScrollKing::Vertical ? y : x; }
  int ImageLength(int index) const;  // along the axis
  void UserSetPosition(int position);
  void DrawThumb(HDC dc, const ScrollMetrics& m, int across) const;

  ImageListLink list_;
  TScrollKing king_ = TScrollKing::Vertical;
  int min_ = 0, max_ = 0, position_ = 0, pageSize_ = 20;
  ScrollPart hover_ = ScrollPart::None;
  ScrollPart pressed_ = ScrollPart::None;
  int grab_ = 0;
  WheelAccumulator wheel_;
};

// A list's link to the scroll bar that moves it: the bar's changes reach the
// list only while both exist, and the bar forgets the list when the link goes.
class ScrollerLink {
 public:
  ScrollerLink() = default;
  ~ScrollerLink() { Set(nullptr, {}, {}); }
  ScrollerLink(const ScrollerLink&) = delete;
  ScrollerLink& operator=(const ScrollerLink&) = delete;

  // `owner` is the list's AliveToken; `onChange` gets each position the user sets.
  void Set(TVMScrollImage* scroller, std::weak_ptr<char> owner, std::function<void(int position)> onChange);
  TVMScrollImage* Get() const { return alive_.expired() ? nullptr : scroller_; }

 private:
  TVMScrollImage* scroller_ = nullptr;
  std::weak_ptr<char> alive_;
};

}  // namespace kolo
