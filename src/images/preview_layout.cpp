#include "images/preview_layout.h"

#include <algorithm>

namespace kolo {

IntRect PreviewWindowBounds(int imageWidth, int imageHeight, const IntRect& mainWindow, int screenWidth,
                            int screenHeight, int scale) {
  const int width = std::min(std::max(imageWidth + kPreviewViewInsetX * scale, 100 * scale), screenWidth);
  const int height = std::min(imageHeight + (kPreviewCaptionHeight + 2) * scale, screenHeight);
  int left = std::max(0, mainWindow.left + mainWindow.Width() / 2 - width / 2);
  int top = std::max(0, mainWindow.top + mainWindow.Height() / 2 - height / 2);
  if (top + height > screenHeight) top = screenHeight - height;
  if (left + width > screenWidth) left = screenWidth - width;
  return IntRect::FromSize(left, top, width, height);
}

PreviewLayout LayOutPreview(const PreviewLayoutInput& in) {
  PreviewLayout out;
  out.offsetX = in.offsetX;
  out.offsetY = in.offsetY;
  const int vw = in.viewWidth, vh = in.viewHeight;
  const int iw = in.imageWidth, ih = in.imageHeight;
  if (in.hasImage) {
    const bool wide = iw > vw, tall = ih > vh;
    if (!wide) out.offsetX = CentredOffset(vw, iw);
    if (!tall) out.offsetY = CentredOffset(vh, ih);
    // The picture stays still on the screen while the window's edge moves over it.
    if (in.moved && in.left != in.storedLeft && wide) out.offsetX -= in.left - in.storedLeft;
    if (in.moved && in.top != in.storedTop && tall) out.offsetY -= in.top - in.storedTop;
    if (out.offsetY > 0 && tall) out.offsetY = 0;
    if (out.offsetX > 0 && wide) out.offsetX = 0;
    if (vw - iw - out.offsetX > 0 && wide) out.offsetX = vw - iw;
    if (vh - ih - out.offsetY > 0 && tall) out.offsetY = vh - ih;
    out.canPan = wide || tall;
  }
  out.cropShown = out.canPan;
  if (vw < 125 * in.scale && out.canPan) {
    out.stepButtonsShown = false;
    out.cropX = 4;
    out.captionX = 22;
  }
  out.labelShown = vw > 80 * in.scale && out.canPan;
  if (out.labelShown)
    out.label = "[" + std::to_string(std::min(iw, vw)) + "x" + std::to_string(std::min(ih, vh)) + "]";
  out.nextEnabled = in.index < in.count - 1;
  out.prevEnabled = in.index > 0 || (in.index == 0 && in.unlistedTabImage);
  return out;
}

int PanOffset(int grab, int cursor, int view, int image, int current) {
  if (image <= view) return current;
  return std::clamp(grab + cursor, view - image, 0);
}

IntRect VisiblePart(int offsetX, int offsetY, int viewWidth, int viewHeight, int imageWidth, int imageHeight) {
  return IntRect::FromSize(std::max(0, -offsetX), std::max(0, -offsetY), std::min(imageWidth, viewWidth),
                           std::min(imageHeight, viewHeight));
}

AxisBlit BlitAxis(int offset, int view, int image) {
  AxisBlit a;
  a.length = std::min(image, view);
  if (offset >= 0) {
    a.dest = offset;
  } else {
    a.source = -offset;
  }
  return a;
}

PreviewHit PreviewHitTest(int x, int y, int width, int height, bool prevButtonShown) {
  const bool left = x < 3, right = x > width - 3, top = y < 3, bottom = y > height - 3;
  if (bottom && right) return PreviewHit::BottomRight;
  if (left && bottom) return PreviewHit::BottomLeft;
  if (top && left) return PreviewHit::TopLeft;
  if (top && right) return PreviewHit::TopRight;
  if (bottom) return PreviewHit::Bottom;
  if (right) return PreviewHit::Right;
  if (left) return PreviewHit::Left;
  if (top) return PreviewHit::Top;
  if (y < 16 && !(x < 33 && prevButtonShown)) return PreviewHit::Caption;
  return PreviewHit::Client;
}

IntRect CentreMainOnPreview(const IntRect& preview, int mainWidth, int mainHeight, const IntRect& workArea) {
  int left = std::max(0, preview.left + (preview.Width() - mainWidth) / 2);
  int top = std::max(0, preview.top + (preview.Height() - mainHeight) / 2);
  if (left + mainWidth > workArea.right) left = std::max(workArea.left, workArea.right - mainWidth);
  if (top + mainHeight > workArea.bottom) top = std::max(workArea.top, workArea.bottom - mainHeight);
  return IntRect::FromSize(left, top, mainWidth, mainHeight);
}

}  // namespace kolo
