// The system arrow swap of the screen tools. The system takes ownership of a
// cursor handed to SetSystemCursor, so every hand-over is a fresh copy.
#pragma once

#include <windows.h>

namespace kolo::win {

class SystemCursor {
 public:
  SystemCursor() = default;
  ~SystemCursor();
  SystemCursor(const SystemCursor&) = delete;
  SystemCursor& operator=(const SystemCursor&) = delete;

  // Keeps a copy of the standard arrow for the restore.
  void TakeArrowCopy();
  // Shows a copy of `cursor` wherever the system arrow would show.
  bool ReplaceArrow(HCURSOR cursor);
  // Gives the kept arrow back, then keeps a new copy for the next time.
  void RestoreArrow();
  bool HasCopy() const { return valid_; }

 private:
  HCURSOR copy_ = nullptr;
  bool valid_ = false;
  bool replaced_ = false;
};

// A cursor built from an inverting shape (all-white mask, white pixels invert).
HCURSOR BuildCursor(int width, int height, int hotX, int hotY, const bool* inverts);

}  // namespace kolo::win
