#include "widgets/scroll_math.h"

#include <algorithm>

#include "widgets/geometry.h"

namespace kolo {

int ScrollThumbSize(int max, int content, int visible, int track, int minScrollHeight) {
  if (max < 1 || content < 1) return 20;
  auto size = RoundDivHalfEven(static_cast<std::int64_t>(visible) * track, content);
  return static_cast<int>(std::max<std::int64_t>(minScrollHeight, size));
}

int ClampScrollPosition(int position, int min, int max) {
  // A range given upside down pins to Max, like setting Max below Min would.
  if (position > max) return max;
  if (position < min) return min;
  return position;
}

int ScrollThumbStart(const ScrollMetrics& m) {
  const int travel = m.length - m.pageSize - m.arrowAfter - m.arrowBefore;
  if (m.max <= m.min || travel <= 0) return m.arrowBefore;
  const int pos = ClampScrollPosition(m.position, m.min, m.max);
  return m.arrowBefore +
         static_cast<int>(RoundDivHalfEven(static_cast<std::int64_t>(pos - m.min) * travel, m.max - m.min));
}

ScrollPart HitScrollPart(const ScrollMetrics& m, int p) {
  if (p < 0 || p >= m.length) return ScrollPart::None;
  if (p < m.arrowBefore) return ScrollPart::ArrowBefore;
  if (p >= m.length - m.arrowAfter) return ScrollPart::ArrowAfter;
  const int start = ScrollThumbStart(m);
  if (p < start) return ScrollPart::TrackBefore;
  if (p < start + m.pageSize) return ScrollPart::Thumb;
  return ScrollPart::TrackAfter;
}

int ScrollDragPosition(const ScrollMetrics& m, int p, int grab) {
  const int travel = m.length - m.pageSize - m.arrowAfter - m.arrowBefore;
  if (travel <= 0) return m.position;
  auto pos = RoundDivHalfEven(static_cast<std::int64_t>(m.max - m.min) * (p - grab - m.arrowBefore), travel);
  pos += m.min;
  return static_cast<int>(std::clamp<std::int64_t>(pos, m.min, std::max(m.min, m.max)));
}

ThumbPieces SplitThumb(int thumbLength, int imageLength) {
  ThumbPieces t{};
  const int mid = imageLength / 2;
  t.headLength = std::min(mid, thumbLength);
  t.tailSource = mid;
  t.tailLength = imageLength - mid;
  t.tailStart = thumbLength - t.tailLength;
  t.middleStart = mid;
  t.middleLength = std::max(0, t.tailStart - mid);
  return t;
}

int WheelAccumulator::Add(int delta) {
  if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
  rest_ += delta;
  const int notches = rest_ / kWheelDelta;  // truncates toward zero, as the rest keeps its sign
  rest_ -= notches * kWheelDelta;
  return notches;
}

}  // namespace kolo
