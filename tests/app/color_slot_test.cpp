#include "app/color_slot.h"

#include <gtest/gtest.h>

#include <string>

namespace kolo {
namespace {

TEST(SlotEdit, ReadsRedGreenBlueWithMissingLeadingDigitsAsZero) {
  EXPECT_EQ(ReadSlotText("FF"), 0xFF0000u);  // 0000FF: pure blue
  EXPECT_EQ(ReadSlotText("FF0000"), 0x0000FFu);
  EXPECT_EQ(ReadSlotText("ff8000"), 0x0080FFu);
  EXPECT_EQ(ReadSlotText("8000"), 0x008000u);  // 008000: green
  EXPECT_EQ(ReadSlotText("1"), 0x010000u);
  // More than six digits still read as one number; red and blue come from its low bytes.
  EXPECT_EQ(ReadSlotText("12345678"), 0x785634u);
  for (TColor c : {0x000000u, 0xFFFFFFu, 0x0080FFu, 0xC08000u, 0x123456u, 0xABCDEFu})
    EXPECT_EQ(ReadSlotText(SlotText(c)), c) << SlotText(c);
  EXPECT_EQ(SlotText(0x0080FF), "FF8000");
}

TEST(SlotEdit, EmptyOrUnreadableTextIsBlack) {
  for (const char* text : {"", "G", "12 34", " FF", "#FF0000", "-1", "123456789", "0x12"})
    EXPECT_EQ(ReadSlotText(text), 0u) << '"' << text << '"';
}

TEST(SlotEdit, KeepsOnlyHexDigitsAndTheEditingKeys) {
  int accepted = 0;
  for (unsigned ch = 0; ch < 0x10000; ++ch)
    if (IsSlotEditChar(ch)) ++accepted;
  EXPECT_EQ(accepted, 22 + 4);
  // 0 9 A F a f, then the editing keys
  for (unsigned ch : {0x30u, 0x39u, 0x41u, 0x46u, 0x61u, 0x66u, 3u, 8u, 22u, 24u})
    EXPECT_TRUE(IsSlotEditChar(ch)) << ch;
  for (unsigned ch : {0x47u, 0x67u, 0x78u, 0x20u, 0x23u, 0x24u, 13u, 27u, 1u, 127u, 0xFF10u, 0x146u})  // G g x blank # $
    EXPECT_FALSE(IsSlotEditChar(ch)) << ch;
}

TKolOptions Numbered() {
  TKolOptions o;
  o.color1 = 0x111111;
  o.color2 = 0x222222;
  o.color3 = 0x333333;
  o.color4 = 0x444444;
  return o;
}

TEST(SlotSwap, ExchangesNeighboursAndTheSelectionMovesWithItsColour) {
  TKolOptions o = Numbered();
  EXPECT_EQ(SwapSlots(o, 0, 1), 1);
  EXPECT_EQ(o.color1, 0x222222u);
  EXPECT_EQ(o.color2, 0x111111u);
  EXPECT_EQ(o.color3, 0x333333u);

  o = Numbered();
  EXPECT_EQ(SwapSlots(o, 2, 2), 1);  // slot 3 selected, swapped with slot 2
  EXPECT_EQ(o.color2, 0x333333u);
  EXPECT_EQ(o.color3, 0x222222u);
  EXPECT_EQ(ColorSlot(o, 1), 0x333333u);  // the selected colour is still the current one

  o = Numbered();
  EXPECT_EQ(SwapSlots(o, 0, 3), 0);  // selection outside the pair stays
  EXPECT_EQ(o.color3, 0x444444u);
  EXPECT_EQ(o.color4, 0x333333u);
  EXPECT_EQ(SwapSlots(o, 3, 3), 2);
  EXPECT_EQ(o.color3, 0x333333u);  // twice is back where it was

  o = Numbered();
  for (int tag : {0, 4, -1}) EXPECT_EQ(SwapSlots(o, 1, tag), 1);
  EXPECT_EQ(SlotColors(o), SlotColors(Numbered()));
}

TEST(SlotDrop, MarkersNeverBecomeSlotColoursAndTheRefreshFollowsTheSelection) {
  EXPECT_TRUE(CanDropOnSlot(0x000000));
  EXPECT_TRUE(CanDropOnSlot(0xFFFFFF));
  EXPECT_FALSE(CanDropOnSlot(clTransparentColor));
  EXPECT_FALSE(CanDropOnSlot(clEmptyColor));
  EXPECT_FALSE(CanDropOnSlot(0x1F00FF00));
  EXPECT_EQ(DropRefreshFlags(2, 2), 0x77);
  EXPECT_EQ(DropRefreshFlags(1, 2), 0x54);
  EXPECT_EQ(SlotLookFor(true).border, clFrame);
  EXPECT_EQ(SlotLookFor(true).copyButton, 0xF7E8D9u);
  EXPECT_EQ(SlotLookFor(false).frame, clSkyBlue);
  EXPECT_EQ(SlotLookFor(false).border, clSkyBlue);
}

TEST(SlotContrast, EachOtherSlotNumberedAsTheUserSeesThem) {
  const std::array<TColor, kSlotCount> slots = {clWhite, clBlack, 0x767676, clWhite};
  EXPECT_EQ(SlotContrastHint(0, slots), "2: 21 AAA \u00B7 3: 4.5 AA \u00B7 4: 1.0");
  EXPECT_EQ(SlotContrastHint(2, slots), "1: 4.5 AA \u00B7 2: 4.6 AA \u00B7 4: 4.5 AA");
}

TEST(FontSample, FaceNameIsCutAfter31CharactersNotInsideOne) {
  const std::string longName = "Extraordinarily Long Font Family Name Bold";
  EXPECT_EQ(FontFaceName(longName), longName.substr(0, 31));
  EXPECT_EQ(FontFaceName("Arial"), "Arial");
  EXPECT_EQ(FontFaceName(longName.substr(0, 31)), longName.substr(0, 31));
  EXPECT_EQ(FontFaceName(""), "");
  std::string accents;
  for (int i = 0; i < 40; ++i) accents += "\xC3\xA9";  // é
  EXPECT_EQ(FontFaceName(accents), accents.substr(0, 62));
  std::string mixed = std::string(30, 'a') + "\xE2\x82\xAC" + "bc";  // the euro sign is the 31st
  EXPECT_EQ(FontFaceName(mixed), std::string(30, 'a') + "\xE2\x82\xAC");

  TKolOptions o;
  o.fontName = "Tahoma";
  EXPECT_EQ(FontSampleText(o), "Tahoma");
  o.fontText = "Sample";
  EXPECT_EQ(FontSampleText(o), "Sample");
}

TEST(TemplateRecolour, SlotsGoIntoTheTableFromTheTopEntryDown) {
  const std::array<TColor, 4> slots{0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
  const GifRgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, grey{128, 128, 128}, keep{1, 2, 3};

  std::vector<GifRgb> two(2, keep);
  ASSERT_TRUE(RecolorTemplate(two, 2, slots));
  EXPECT_EQ(two[1], red);
  EXPECT_EQ(two[0], green);

  std::vector<GifRgb> three(4, keep);  // a GIF table holds a power of two
  ASSERT_TRUE(RecolorTemplate(three, 3, slots));
  EXPECT_EQ(three[2], red);
  EXPECT_EQ(three[1], green);
  EXPECT_EQ(three[0], blue);
  EXPECT_EQ(three[3], keep);

  std::vector<GifRgb> four(4, keep);
  ASSERT_TRUE(RecolorTemplate(four, 4, slots));
  EXPECT_EQ(four[3], red);
  EXPECT_EQ(four[2], green);
  EXPECT_EQ(four[1], blue);
  EXPECT_EQ(four[0], grey);

  for (int tag : {0, 1, 5, -2}) {
    std::vector<GifRgb> t(8, keep);
    EXPECT_FALSE(RecolorTemplate(t, tag, slots)) << tag;
    EXPECT_EQ(t, std::vector<GifRgb>(8, keep));
  }
  std::vector<GifRgb> shortTable(2, keep);
  EXPECT_FALSE(RecolorTemplate(shortTable, 4, slots));
  EXPECT_EQ(shortTable, std::vector<GifRgb>(2, keep));
}

TEST(ColorAreaLayout, KeepsAboveTheToolPagesWithoutOverlaps) {
  using layout::Rect;
  const int column = layout::kRightPager.w;
  EXPECT_LE(layout::kColorAreaBottom, layout::kRightPager.h - 78) << "above the small preview";
  std::vector<Rect> parts;
  for (int i = 0; i < kSlotCount; ++i) parts.push_back(layout::SlotFrame(i));
  for (int i = 0; i < kSlotCount - 1; ++i) parts.push_back(layout::SwapButton(i));
  for (Rect r : {layout::kFontFrame, layout::kFontButton, layout::kPreviewPanel, layout::kPreviewButton})
    parts.push_back(r);
  auto overlap = [](Rect a, Rect b) { return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom(); };
  for (size_t i = 0; i < parts.size(); ++i) {
    EXPECT_GE(parts[i].x, 0);
    EXPECT_GE(parts[i].y, 0);
    EXPECT_LE(parts[i].Right(), column) << i;
    EXPECT_LE(parts[i].Bottom(), layout::kColorAreaBottom) << i;
    for (size_t j = i + 1; j < parts.size(); ++j) EXPECT_FALSE(overlap(parts[i], parts[j])) << i << " " << j;
  }
  // Inside a slot frame: swatch, edit panel and copy button side by side within the border.
  const Rect frame = layout::SlotFrame(0);
  EXPECT_FALSE(overlap(layout::kSlotSwatch, layout::kSlotEditPanel));
  EXPECT_FALSE(overlap(layout::kSlotEditPanel, layout::kSlotCopyButton));
  EXPECT_LE(layout::kSlotCopyButton.Right(), frame.w - 1);
  EXPECT_LE(layout::kSlotEdit.Right(), layout::kSlotEditPanel.w - 1);
  EXPECT_EQ(layout::kPreviewImage.w, 80);
  EXPECT_EQ(layout::kPreviewImage.h, 40);
  EXPECT_LE(layout::kPreviewImage.Right(), layout::kPreviewPanel.w);
  EXPECT_LE(layout::kFontSample.Bottom(), layout::kFontFrame.h);
}

}  // namespace
}  // namespace kolo
