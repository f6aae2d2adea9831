#include "frame/hint_caption.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

TEST(HintCaption, KindsWithHintsShown) {
  HintCaptionState s;
  EXPECT_EQ(CaptionForHint("Scolor wheel", s), "Kolo [color wheel]");
  EXPECT_EQ(CaptionForHint("Bjust text", s), "[just text]");
  EXPECT_EQ(CaptionForHint("Ddrop here", s), "Kolo [drop here]");
  EXPECT_EQ(CaptionForHint("C0080C0", s), "Kolo [0080C0]");
  EXPECT_EQ(CaptionForHint("", s), "Kolo");
  EXPECT_EQ(CaptionForHint("Xunknown", s), std::nullopt);
}

TEST(HintCaption, ColourHintsUseTheCurrentFormat) {
  HintCaptionState s;
  s.formatColor = [](TColor c) { return "#" + std::to_string(GetR(c)) + "," + std::to_string(GetB(c)); };
  EXPECT_EQ(CaptionForHint("C0080C0", s), "Kolo [#192,0]");
  EXPECT_EQ(ColorHint(0x0080C0), "C0080C0");
  EXPECT_EQ(ColorHint(0xA), "C00000A");
  // A note after the colour (a slot's contrasts) takes the strip's whole room.
  EXPECT_EQ(CaptionForHint("C0080C0 2: 21 AAA", s), "2: 21 AAA");
  EXPECT_EQ(CaptionForHint("C0080C0 ", s), "Kolo [#192,0]");
}

TEST(HintCaption, SettingsOffKeepThePreviousCaption) {
  HintCaptionState s;
  s.viewColorHint = false;
  EXPECT_EQ(CaptionForHint("C112233", s), std::nullopt);
  EXPECT_EQ(CaptionForHint("Splain", s), "Kolo [plain]");
  s.viewHint = false;
  EXPECT_EQ(CaptionForHint("Splain", s), std::nullopt);
  EXPECT_EQ(CaptionForHint("Bplain", s), std::nullopt);
  EXPECT_EQ(CaptionForHint("Dplain", s), std::nullopt);
  EXPECT_EQ(CaptionForHint("", s), "Kolo");
}

TEST(HintCaption, DraggingAcceptsOnlyDragHints) {
  HintCaptionState s;
  s.colorDragging = true;
  EXPECT_EQ(CaptionForHint("Scolor wheel", s), "Kolo");
  EXPECT_EQ(CaptionForHint("C112233", s), "Kolo");
  EXPECT_EQ(CaptionForHint("Ddrop on a cell", s), "Kolo [drop on a cell]");
}

TEST(HintCaption, SmallModeOnlyResets) {
  HintCaptionState s;
  s.smallMode = true;
  EXPECT_EQ(CaptionForHint("Scolor wheel", s), std::nullopt);
  EXPECT_EQ(CaptionForHint("C112233", s), std::nullopt);
  EXPECT_EQ(CaptionForHint("", s), "Kolo");
  s.colorDragging = true;
  EXPECT_EQ(CaptionForHint("Sx", s), "Kolo");
  EXPECT_EQ(CaptionForHint("Dx", s), std::nullopt);
}

}  // namespace
}  // namespace kolo
