// Making the common controls of a tool page from the interface's pictures:
// picture buttons sized to their pictures and horizontal sliders. Each gets
// its accessible name (the hint without its kind letter, or the name given).
#pragma once

#include <string>

#include "widgets/win/gif_image_list.h"
#include "widgets/win/picture_button.h"
#include "widgets/win/scroll_image.h"
#include "widgets/win/widget.h"

namespace kolo::win {

// A button's pictures when its four states (normal, hover, down, disabled)
// follow each other from `first`; the keyboard focus shows the hover picture.
TVMImageButtonListID ButtonStates(int first);
// The same for the parts of a scroll bar (arrows, thumb), which take no focus.
TVMImageButtonListID ScrollPartStates(int first);

// A picture button at (x, y) in `parent`, as large as its picture (the
// fallback size when the picture is missing). `hint` may be empty; `name`
// empty takes the hint without its kind letter.
void PlacePictureButton(TVMPictureButton& button, TVMGIFImageList& images, Widget& parent, int first, int x, int y,
                        const std::string& hint, const std::wstring& name = {}, SIZE fallback = {20, 18});

// A horizontal slider, 9 pixels high, with the scroll list's arrows, thumb and grip.
void PlaceHorizontalSlider(TVMScrollImage& slider, TVMGIFImageList& scrollImages, Widget& parent, int min, int max,
                           int largeChange, int x, int y, int width, const std::wstring& name);

// A vertical scroll bar of a list, 9 pixels wide, with the scroll list's
// arrows, thumb and grip, stepping by `smallChange`.
void PlaceVerticalSlider(TVMScrollImage& slider, TVMGIFImageList& scrollImages, Widget& parent, int smallChange,
                         int x, int y, int height, const std::wstring& name);

}  // namespace kolo::win
