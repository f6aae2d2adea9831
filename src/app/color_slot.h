// The four colour slots of the main window and the two pictures painted in
// their colours: the rules that do not need a window. The slot edits, their
// typing and reading back, swapping neighbours, dropping a dragged colour,
// the slot frames' look, the font sample's face and text, and the layout
// templates recoloured from the slots.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "frame/main_layout.h"
#include "frame/settings.h"
#include "color/color.h"
#include "widgets/gif_decode.h"

namespace kolo {

inline constexpr int kSlotCount = 4;

// --- the slot edits ---

// What a slot's edit shows: "RRGGBB".
std::string SlotText(TColor c);
// An edit read back as "RRGGBB" with missing leading digits taken as zero
// ("FF" is pure blue). Empty, unreadable or too long for 32 bits gives black.
TColor ReadSlotText(std::string_view text);
// Typed characters an edit keeps: hex digits, and copy, backspace, paste, cut.
bool IsSlotEditChar(unsigned ch);

// --- moving colours between slots ---

// The swap button with `tag` 1..3 exchanges slots tag-1 and tag; a selected
// slot of the pair moves with its colour. Returns the selected slot after.
int SwapSlots(TKolOptions& options, int currentSlot, int tag);
// Whether a dragged value can become a slot colour: the markers cannot.
constexpr bool CanDropOnSlot(TColor dragged) { return (dragged & 0xFF000000u) == 0; }
// The refresh after a drop on `slot`: the selected slot also redraws its edit
// and the tab's own colour; another slot only the slots and the pictures.
constexpr unsigned char DropRefreshFlags(int slot, int currentSlot) { return slot == currentSlot ? 0x77 : 0x54; }

// What hovering a slot's swatch adds to its colour hint: its contrast ratio
// against each other slot, numbered from 1 as the user sees them; for slot 2
// "1: 4.6 AA \u00B7 3: 1.2 \u00B7 4: 21 AAA" (UTF-8 middle dots).
std::string SlotContrastHint(int slot, const std::array<TColor, kSlotCount>& slots);

// Colours of a slot's frame panel, its border and its copy button.
struct SlotLook {
  TColor frame, border, copyButton;
};
constexpr SlotLook SlotLookFor(bool selected) {
  return selected ? SlotLook{clSelectedSlot, clFrame, clSelectedSlot} : SlotLook{clSkyBlue, clSkyBlue, clSkyBlue};
}

// --- the font sample ---

inline constexpr int kFaceNameLimit = 31;
// The face a font is asked for: the first 31 characters of the name.
std::string FontFaceName(std::string_view name);
// The sample's text: the user's text, or the font's name when there is none.
std::string FontSampleText(const TKolOptions& options);

// --- the layout templates ---

// The template the preview shows at first start.
inline constexpr int kDefaultPreviewId = 33;

// Writes the slots into a template's colour table by its tag (its number of
// colours): entry tag-1 takes slot 1, entry tag-2 slot 2 and so on. Other tags,
// and tables too short for the tag, are left alone (false).
bool RecolorTemplate(std::vector<GifRgb>& table, int tag, const std::array<TColor, kSlotCount>& slots);
std::array<TColor, kSlotCount> SlotColors(const TKolOptions& options);

// --- where everything sits in the right-hand column ---
// The area keeps to the top of the column (kColorAreaBottom, main_layout.h):
// below it the colour tabs show their own pages.
namespace layout {
inline constexpr int kSlotRowPitch = 18;
// pnlColor1..4: the frame of a slot; inside it the swatch, the edit panel and
// the copy button.
constexpr Rect SlotFrame(int slot) { return Rect{2, slot * kSlotRowPitch, 82, 18}; }
inline constexpr Rect kSlotSwatch{1, 1, 16, 16};
inline constexpr Rect kSlotEditPanel{18, 1, 46, 16};
inline constexpr Rect kSlotEdit{2, 1, 42, 14};  // inside the edit panel
inline constexpr Rect kSlotCopyButton{65, 1, 16, 16};
// The swap button between slot `pair` and the next, beside the row boundary.
constexpr Rect SwapButton(int pair) { return Rect{84, (pair + 1) * kSlotRowPitch - 4, 13, 7}; }
// The font sample on its frame (tag 3), with its drop-down button.
inline constexpr Rect kFontFrame{2, 73, 82, 19};
inline constexpr Rect kFontSample{1, 1, 80, 17};  // inside the frame
inline constexpr Rect kFontTextEdit{1, 2, 80, 15};
inline constexpr Rect kFontButton{86, 74, 10, 16};
// The layout preview on previewPanel (open at the bottom: the column goes on
// below it), with its drop-down button.
inline constexpr Rect kPreviewPanel{2, 93, 82, 41};
inline constexpr Rect kPreviewImage{1, 1, 80, 40};  // inside the panel
inline constexpr Rect kPreviewButton{86, 105, 10, 16};
}  // namespace layout

}  // namespace kolo
