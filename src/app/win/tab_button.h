// A tab button of the title strip: a picture per state (normal, hover, pressed,
// disabled), a click only when pressed and released without leaving. Tab
// reaches it from the keyboard (a dotted frame shows the focus); Space or
// Enter press it and click on release.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win/window.h"

namespace kolo::win {

class TabButton : public Window {
 public:
  bool Create(HWND parent, int x, int y, int w, int h, int tag, const std::string& hint);
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  bool Hovered() const { return hover_; }
  int Tag() const { return tag_; }
  const std::string& Hint() const { return hint_; }
  // Picture drawer: (dc, width, height, tag, state) with state 0 normal, 1 hover, 2 down, 3 disabled.
  std::function<void(HDC, int, int, int, int)> drawer;
  std::function<void(int tag)> onClick;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint();
  bool enabled_ = true;
  bool hover_ = false;
  bool down_ = false;
  bool keyDown_ = false;  // Space or Enter held
  bool focused_ = false;
  bool tracking_ = false;
  void TrackLeave();
  int tag_ = 0;
  std::string hint_;
};

}  // namespace kolo::win
