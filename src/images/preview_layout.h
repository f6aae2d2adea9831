// The picture preview window's arithmetic: its size and place when a picture
// is shown, where the picture sits in the view and how far it may be panned,
// the caption bar's controls, the crop rectangle, and the borderless window's
// edges. The view is the window less 4 pixels across and 17 down.
#pragma once

#include <string>

#include "widgets/geometry.h"

namespace kolo {

inline constexpr int kPreviewCaptionHeight = 15;
inline constexpr int kPreviewViewInsetX = 4, kPreviewViewInsetY = 17;
inline constexpr int kPreviewMinWidth = 54, kPreviewMinHeight = 67;

// The window's bounds for a picture of w x h, centred on the main window and
// kept on the screen. The picture is in screen pixels; the frame around it is
// `scale` times its logical size.
IntRect PreviewWindowBounds(int imageWidth, int imageHeight, const IntRect& mainWindow, int screenWidth,
                            int screenHeight, int scale = 1);

// (view - image) / 2, the quotient rounded toward zero.
constexpr int CentredOffset(int view, int image) { return (view - image) / 2; }

struct PreviewLayoutInput {
  int viewWidth = 0, viewHeight = 0;
  bool hasImage = false;
  int imageWidth = 0, imageHeight = 0;
  int offsetX = 0, offsetY = 0;
  // The window was moved or sized: its left/top now and at the last lay-out.
  bool moved = false;
  int left = 0, top = 0, storedLeft = 0, storedTop = 0;
  int index = -1, count = 0;
  bool unlistedTabImage = false;  // opened on a picture that is no list item
  int scale = 1;  // the view is in screen pixels, the caption's controls are `scale` times larger
};

struct PreviewLayout {
  int offsetX = 0, offsetY = 0;
  bool canPan = false;
  bool cropShown = false;
  int cropX = 42;
  bool stepButtonsShown = true;
  int captionX = 60;
  bool labelShown = false;
  std::string label;  // "[WxH]" of the visible part
  bool nextEnabled = false, prevEnabled = false;
};

PreviewLayout LayOutPreview(const PreviewLayoutInput& in);

// A pan step along one axis: grab + cursor, kept so the picture covers the view.
int PanOffset(int grab, int cursor, int view, int image, int current);

// The visible part of the picture, in picture coordinates.
IntRect VisiblePart(int offsetX, int offsetY, int viewWidth, int viewHeight, int imageWidth, int imageHeight);

// Where the picture is drawn along one axis: destination and source start, and the drawn length.
struct AxisBlit {
  int dest = 0, source = 0, length = 0;
};
AxisBlit BlitAxis(int offset, int view, int image);

// Hit codes, numbered as the window system's.
enum class PreviewHit : int {
  Client = 1, Caption = 2, Left = 10, Right = 11, Top = 12, TopLeft = 13, TopRight = 14, Bottom = 15,
  BottomLeft = 16, BottomRight = 17,
};
// A point of the window (x, y from its top-left corner) in a W x H window.
PreviewHit PreviewHitTest(int x, int y, int width, int height, bool prevButtonShown);

// The hidden main window follows the preview: centred on it, kept inside the work area.
IntRect CentreMainOnPreview(const IntRect& preview, int mainWidth, int mainHeight, const IntRect& workArea);

}  // namespace kolo
