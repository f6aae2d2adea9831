// Arithmetic of the image scroll bar, along its axis: arrows of length a
// (before) and b (after), the track between them, a thumb of PageSize that
// travels the track as Position goes from Min to Max.
#pragma once

namespace kolo {

struct ScrollMetrics {
  int length = 0;       // L: the control's length along the axis
  int arrowBefore = 0;  // a
  int arrowAfter = 0;   // b
  int pageSize = 20;    // thumb length
  int min = 0, max = 0, position = 0;
};

enum class ScrollPart { None, ArrowBefore, TrackBefore, Thumb, TrackAfter, ArrowAfter };

// Thumb length for content of length `content` shown in `visible`, on a track
// of `track` pixels (control length less arrows and borders).
int ScrollThumbSize(int max, int content, int visible, int track, int minScrollHeight);

int ClampScrollPosition(int position, int min, int max);

// Where the thumb starts along the axis (inverse of the drag rule).
int ScrollThumbStart(const ScrollMetrics& m);

ScrollPart HitScrollPart(const ScrollMetrics& m, int p);

// Position while dragging the thumb: p is the pointer, grab its offset inside
// the thumb at the press. Clamped; the current position when the track leaves
// the thumb no room to travel.
int ScrollDragPosition(const ScrollMetrics& m, int p, int grab);

// The thumb is drawn from its image in three pieces so both ends keep their
// look at any length: image lines [0, mid) at the thumb's start, lines
// [mid, image) at its end, and line mid stretched over the gap between.
struct ThumbPieces {
  int headLength;    // image lines 0..headLength-1 at thumb offset 0
  int tailSource;    // first image line of the tail (= mid)
  int tailStart;     // thumb offset of the tail
  int tailLength;
  int middleStart;   // thumb offset of the stretched line; middleLength may be 0
  int middleLength;
};
ThumbPieces SplitThumb(int thumbLength, int imageLength);

// One notch of a mouse wheel, in wheel-delta units.
inline constexpr int kWheelDelta = 120;

// Turns wheel deltas into whole notches. Fine-grained wheels and touch pads
// send a fraction of a notch per message: the fractions add up until they
// make a notch, and what is left over is dropped when the direction turns.
class WheelAccumulator {
 public:
  // The whole notches this delta completes, with the delta's sign
  // (positive: away from the user).
  int Add(int delta);

 private:
  int rest_ = 0;
};

}  // namespace kolo
