// Event codes the hook library sends with WM_USER + 1 (word parameter).
#pragma once

namespace kolo {

enum HookEvent : unsigned {
  heMouseMove = 0,
  heLeftDown = 1,
  heLeftUp = 2,
  heRightDown = 3,
  heRightUp = 4,
  heActivate = 5,
  heClickSkipped = 6,
  heWheel = 7,   // long parameter: the mouse data, signed wheel delta in the high word
  heKey = 8,     // long parameter: the virtual-key code
};

}  // namespace kolo
