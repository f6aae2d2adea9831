// Geometry of the main window's client area (364x320). Kept in one place so
// the form, the hit tests and the tests agree.
#pragma once

namespace kolo::layout {

struct Rect {
  int x, y, w, h;
  constexpr int Right() const { return x + w; }
  constexpr int Bottom() const { return y + h; }
  constexpr bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

inline constexpr int kClientWidth = 364;
inline constexpr int kClientHeight = 320;
inline constexpr int kCaptionStrip = 15;    // title strip height
inline constexpr int kMoveBand = 16;        // the top band that moves the window
inline constexpr int kSmallWidth = 100;
inline constexpr int kSmallHeight = 15;

// Tab buttons of the title strip.
inline constexpr int kTabButtonWidth = 19;
inline constexpr int kTabButtonHeight = 17;
inline constexpr int kTabButtonX[7] = {6, 27, 48, 69, 90, 111, 132};
inline constexpr int kCaptionLeftFull = 154;
inline constexpr int kCaptionLeftSmall = 5;

inline constexpr Rect kImagePager{4, 19, 256, 256};
inline constexpr Rect kImgMain{0, 0, 256, 256};  // inside its page
inline constexpr Rect kRightPager{264, 19, 97, 256};
inline constexpr Rect kBottomPager{2, 277, 360, 42};

// Inside the right-hand pager's colour page: the colour area fills the top,
// the tools of the colour tabs share the rest.
inline constexpr int kColorAreaBottom = 134;
inline constexpr Rect kSubColorPager{0, kColorAreaBottom, kRightPager.w, kRightPager.h - kColorAreaBottom};
// The magnifier's preview, at the foot of the screen-colour page.
inline constexpr int kSmallPreviewSide = 76;
inline constexpr Rect kSmallPreview{(kSubColorPager.w - kSmallPreviewSide) / 2, kSubColorPager.h - kSmallPreviewSide - 2,
                                    kSmallPreviewSide, kSmallPreviewSide};

// The picture tools of the bottom pager's image page: a row of 18x18 buttons
// above the size and address fields.
namespace image_panel {
inline constexpr int kButton = 18;
inline constexpr int kRow1 = 2, kRow2 = 22;
inline constexpr int kStep = 19;  // neighbouring buttons
// Row 1, from the left: open, save, copy, print, preview, delete; rotate and
// flip; publish. From the right: pick, swatch, clear the transparent colour.
inline constexpr int kOpenX = 3;
inline constexpr int kRotateX = kOpenX + 6 * kStep + 6;
inline constexpr int kUploadX = kRotateX + 4 * kStep + 6;
inline constexpr int kClearTransX = kBottomPager.w - 3 - kButton;
inline constexpr Rect kPanGetTrans{kClearTransX - 3 - 13, kRow1 + 2, 13, 13};
inline constexpr Rect kImgTransColor{2, 2, 9, 9};  // inside the swatch frame
inline constexpr int kGetTransX = kPanGetTrans.x - 3 - kButton;
// Row 2: width x height and the resize button; the address and its copy button.
inline constexpr Rect kWidthEdit{3, kRow2, 40, 18};
inline constexpr Rect kHeightEdit{kWidthEdit.Right() + 11, kRow2, 40, 18};
inline constexpr int kChangeSizeX = kHeightEdit.Right() + 3;
inline constexpr int kCopyUrlX = kClearTransX;
inline constexpr Rect kUrlEdit{kChangeSizeX + kButton + 6, kRow2, kCopyUrlX - 3 - (kChangeSizeX + kButton + 6), 18};
}  // namespace image_panel

}  // namespace kolo::layout
