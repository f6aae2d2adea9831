// TfrmColorPrev: the pop-up value slider. It opens just outside the main
// window's right edge beside a picture button (its anchor), shows a colour
// strip the caller prepared, and reports the value while the user drags the
// arrows; release, a click or losing the activation close it. While it is
// open the anchor shows its "open" picture.
//
//   TfrmColorPrev& s = *ValueSliderForm();
//   for (int v = 0; v <= 255; ++v) s.SetStripRow(255, v, ColourFor(v));
//   s.Popup(button, 255, [this](TVMPictureButton*, int v) { SetValue(v); }, value);
//
// The anchor's own mouse events feed AnchorMouseMove and AnchorMouseUp (see
// BindValueButton), so a press on the button can drag straight on.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "color/color.h"
#include "widgets/popup_rules.h"
#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/secondary_form.h"

namespace kolo::win {

class TfrmColorPrev : public TSecondaryForm {
 public:
  using Callback = std::function<void(TVMPictureButton* anchor, int value)>;
  static constexpr int kStripWidth = 8;
  static constexpr int kStripRows = 360;  // the largest range
  static constexpr TColor kTransparentKey = 0x100010;
  // The anchors' picture while the slider is open (main list), by button height.
  static constexpr int kOpenImageSmall = 252;  // buttons lower than 15 pixels
  static constexpr int kOpenImageTall = 191;

  TfrmColorPrev();
  ~TfrmColorPrev() override;
  bool Create(HWND mainWindow);

  // The strip: 8 x 360 pixels, 24 bits, rows of 24 bytes, the bottom row first.
  std::uint8_t* Pixels() { return pixels_.data(); }
  const BITMAPINFOHEADER& Header() const { return header_; }
  // Writes the row of value v (0..range) in one colour.
  void SetStripRow(int range, int value, TColor c);

  void Popup(TVMPictureButton& anchor, int range, Callback callback, int current);
  void CloseSlider();

  // The anchor's mouse, while it is held: once it has moved 2 pixels from the
  // press the slider drags; the release ends a drag by closing.
  void AnchorMouseMove(int dxFromPress, int dyFromPress);
  void AnchorMouseUp();

  TVMPictureButton* Anchor() const { return anchor_; }
  bool Dragging() const { return dragging_; }
  int Range() const { return range_; }
  int ArrowTop() const { return arrowTop_; }
  // Follows the pointer while dragging (the arrows' and the strip's handler).
  void leftCursorMouseMove();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc);
  void RestoreAnchor();

  TVMGIFImageList images_;
  std::array<std::uint8_t, kStripWidth * 3 * kStripRows> pixels_{};
  BITMAPINFOHEADER header_{};
  HWND main_ = nullptr;
  TVMPictureButton* anchor_ = nullptr;
  std::weak_ptr<char> anchorAlive_;
  TVMImageButtonListID savedImages_;
  Callback callback_;
  int range_ = 0;
  int arrowTop_ = 0;
  bool dragging_ = false;
};

// The program's value slider, once it is created.
TfrmColorPrev* ValueSliderForm();

// Wires a picture button to the slider: a left press calls `open` (which
// prepares the strip and calls Popup), and the held button's moves and release
// reach the slider.
void BindValueButton(TVMPictureButton& button, std::function<void()> open);

}  // namespace kolo::win
