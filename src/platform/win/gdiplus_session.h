// GDI+ is started the first time something needs it (image files, font
// families), not at program start: most sessions pick colours and never do.
#pragma once

namespace kolo::win {

// Starts GDI+ once for the process; false when it cannot be started.
bool EnsureGdiplus();
// Ends it at exit, if it was started.
void ShutdownGdiplus();

}  // namespace kolo::win
