// TVMLabel: a line (or lines) of text over its parent's background.
#pragma once

#include <string>

#include "widgets/win/widget.h"

namespace kolo {

class TVMLabel : public Widget {
 public:
  TVMLabel();

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // DT_LEFT, DT_CENTER or DT_RIGHT.
  void SetAlignment(UINT alignment) { alignment_ = alignment; Invalidate(); }
  // With Transparent (the default) the parent shows through; else the colour.
  bool Transparent = true;
  // Size of the caption in the label's font (lines split at '\n').
  SIZE TextSize() const;

 protected:
  const wchar_t* ClassName() const override { return L"TVMLabel"; }
  void Paint(HDC dc, const IntRect& client) override;

 private:
  std::string caption_;
  UINT alignment_ = DT_LEFT;
};

}  // namespace kolo
