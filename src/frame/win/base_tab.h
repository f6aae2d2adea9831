// The base of the seven tool tabs. The main window owns one object per tab and
// forwards every event of the shared controls to the current one; the tabs draw
// into the shared work picture and call back RefreshColors after changing the
// current colour. The virtual operations keep their historical slot order.
#pragma once

#include <windows.h>

#include <string>

#include "platform/input.h"
#include "frame/settings.h"
#include "frame/settings_store.h"
#include "frame/work_picture.h"
#include "color/color.h"
#include "frame/win/color_drag.h"
#include "platform/win/handles.h"

namespace kolo::win {

class TMainFrame;

class TBaseTab : public SettingsClient {
 public:
  explicit TBaseTab(TMainFrame& main);
  virtual ~TBaseTab();
  TBaseTab(const TBaseTab&) = delete;
  TBaseTab& operator=(const TBaseTab&) = delete;

  /* 0 */ virtual void Activate() {}
  /* 1 */ virtual void Deactivate() {}
  /* 2 */ virtual void Repaint(bool quick) {}
  /* 3 */ virtual void MouseMove(unsigned shift, int x, int y);
  /* 4 */ virtual void MouseDown(MouseButton button, unsigned shift, int x, int y);
  /* 5 */ virtual void MouseUp(MouseButton button, unsigned shift, int x, int y);
  /* 6 */ virtual void DragOver(HWND sender, HWND source, int x, int y, int state) {}
  /* 7 */ virtual void EndDrag(HWND sender, HWND source, int x, int y, int state) {}
  /* 8 */ void LoadSettings(SettingsStore& store) override {}
  /* 9 */ void SaveSettings(SettingsStore& store) override {}
  /* 10 */ virtual void Reserved10() {}
  /* 11 */ virtual void UpdateEdits() {}
  /* 12 */ virtual TColor ColorAt(int x, int y) { return clEmptyColor; }
  /* 13 */ virtual void ViewImage() {}
  /* 14 */ virtual void PublishOnSite() {}
  /* 15 */ virtual void ImageToWeb() {}
  /* 16 */ virtual void ViewOnSite() {}
  /* 17 */ virtual void SaveImage() {}
  /* 18 */ virtual void OpenImage() {}
  /* 19 */ virtual void CopyImage() {}
  /* 20 */ virtual void PrintImage() {}
  /* 21 */ virtual void ClearTransparent();
  /* 22 */ virtual void DeleteImage() {}
  /* 23 */ virtual void ChangeImageSize(int width, int height) {}
  /* 24 */ virtual void Reserved24() {}
  /* 25 */ virtual int Reserved25() { return 0; }
  /* 26 */ virtual int Reserved26() { return 0; }
  /* 27 */ virtual void RotateFlip(int code) {}
  /* 28 */ virtual void ReadCurrentColor() {}
  /* 29 */ virtual void SetHint(const std::string& text);
  /* 30 */ virtual void ImageSizeEdited(HWND edit) {}
  /* 31 */ virtual void PickFinished(bool cancelled) {}

  // The main image lost the mouse before the release: a drag from it ends
  // without a drop, a press without a click.
  void CancelColorDrag();

  // Drawing services on the shared work picture.
  void PutPixel(int x, int y, TColor c);
  void PutPixelRGB(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b);
  void PutPixelF(int x, int y, double r, double g, double b);
  TColor GetPixel(int x, int y) const;
  void ClearBuffer();
  void BlendPixel(int x, int y, double t, TColor background, TColor c);
  void DrawCell(int x, int y, bool highlight, int size, TColor c);
  void DrawCellF(int x, int y, bool highlight, int width, int height, double r, double g, double b);
  // An inverted 11x11 square on the main image; drawing it again erases it.
  void DrawMarker(int index, int x, int y);
  void DrawMarkerF(int index, double x, double y);
  void ResetMarkers();
  void SetCurrentColorRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b);
  // Hands the work picture to the main image.
  void ShowWorkPicture();

  // The one-pixel pick of the transparent colour.
  void PickTransparentColor();
  void SampleTransparentColor();
  void DrawTransparentIndicator();
  void SetImageControls(bool enabled, const std::string& url, int height, int width, long long transparent);
  void CopyUrl();

  // State shared with the subclasses.
  bool pressed = false;
  int pressX = 0, pressY = 0;
  HWND lastTarget = nullptr;
  std::string dragHint;
  int markX[5] = {-1, -1, -1, -1, -1};  // 1..4 used
  int markY[5] = {-1, -1, -1, -1, -1};
  int sampleX = -1, sampleY = -1;
  long long transparentColor = -1;  // a TColor, or -1 for none
  long long pickStartColor = -1;    // transparentColor when the current pick began
  Bitmap sampleBitmap;
  bool tracking = false;

 protected:
  TMainFrame& main_;

 private:
  void InvertSquare(int x, int y);
  ColorDragMessenger drag_;
};

}  // namespace kolo::win
