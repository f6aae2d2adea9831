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

}  // namespace kolo::layout
