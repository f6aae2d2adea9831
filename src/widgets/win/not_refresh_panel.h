// TVMNotRefreshPanel: the program's panel. Borders, colour-drag events, custom
// alignment of its children, and no flicker: double-buffered, and with
// NotRefresh it leaves its background to the children that cover it.
#pragma once

#include "widgets/win/widget.h"

namespace kolo {

class TVMNotRefreshPanel : public Widget {
 public:
  struct Borders {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
  };

  const Borders& BorderSize() const { return borders_; }
  void SetBorderSize(const Borders& borders);
  void SetBorderSize(int all) { SetBorderSize(Borders{all, all, all, all}); }
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  bool NotRefresh() const { return notRefresh_; }
  void SetNotRefresh(bool on);
  bool EraseBkgnd() const { return eraseBkgnd_; }
  void SetEraseBkgnd(bool on) { eraseBkgnd_ = on; }

 protected:
  const wchar_t* ClassName() const override { return L"TVMNotRefreshPanel"; }
  void Paint(HDC dc, const IntRect& client) override;
  // What the panel draws inside its borders, over its colour.
  virtual void PaintContent(HDC dc, const IntRect& inner);
  // `scale` enlarges the borders onto a device-pixel dc.
  void PaintBorders(HDC dc, const IntRect& client, int scale = 1);
  IntRect AlignArea() const override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Borders borders_;
  TColor borderColor_ = clSkyBlue;
  bool notRefresh_ = false;
  bool eraseBkgnd_ = true;
};

}  // namespace kolo
