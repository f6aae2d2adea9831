// GDI+ is started the first time something needs it (image files, font
// families), not at program start: most sessions pick colours and never do.
#pragma once

#include <windows.h>

namespace kolo::win {

// Starts GDI+ once for the process; false when it cannot be started.
bool EnsureGdiplus();
// Ends it at exit, if it was started.
void ShutdownGdiplus();
// The encoder of a picture type by its MIME type ("image/png"); false when GDI+ has none.
bool FindImageEncoder(const wchar_t* mime, CLSID& out);

}  // namespace kolo::win
