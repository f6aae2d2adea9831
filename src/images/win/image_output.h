// A picture leaving the program other than as a file: on the clipboard as a
// bitmap, or on a printer page.
#pragma once

#include <windows.h>

#include <functional>

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

// A bitmap of the picture's size at 1:1: 32 bits with the pixels of
// `transparent` left unpainted when it is a colour, else 24 bits. Null on failure.
HBITMAP PictureBitmap(Gdiplus::Bitmap& image, long long transparent);

// Puts the picture on the clipboard as a bitmap. `written` runs once the data
// is on it, before the clipboard closes. False when the clipboard could not be had.
bool CopyPictureToClipboard(HWND owner, Gdiplus::Bitmap& image, long long transparent,
                            const std::function<void()>& written);

enum class PrintResult { Printed, Cancelled, NoPrinter, Failed };
// Asks for a printer and prints the picture as large as on the screen (shrunk
// to the page, centred) in a job titled "Kolo image".
PrintResult PrintPicture(HWND owner, Gdiplus::Bitmap& image, long long transparent);
// The page part, for a printer device context already chosen. False when the
// job could not be made or handed on.
bool PrintPictureOn(HDC printer, Gdiplus::Bitmap& image, long long transparent);

}  // namespace kolo::win
