// A panel holding a plain edit control: colours the edit and reports its
// focus loss.
#pragma once

#include <windows.h>

#include <functional>

#include "color/color.h"
#include "platform/win/handles.h"
#include "widgets/win/not_refresh_panel.h"

namespace kolo::win {

class TEditPanel : public TVMNotRefreshPanel {
 public:
  HWND edit = nullptr;
  TColor editColor = clWhite;
  TColor editTextColor = clFrame;
  std::function<void()> onEditKillFocus;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Brush brush_;
  TColor brushColor_ = 0xFFFFFFFF;
};

}  // namespace kolo::win
