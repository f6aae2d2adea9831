// The picture commands that work on any picture in memory, with their
// questions and messages: the screenshot tab runs them on its current picture,
// the clipboard history on a picture read from its folder.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <functional>
#include <memory>
#include <string>

#include "frame/win/main_frame.h"

namespace kolo::win {

// Stands in for the save dialog in tests: fills the file and the filter index.
using SaveDialogHook = std::function<bool(std::wstring& file, int& filterIndex)>;

// The save dialog, the overwrite question and the file in the chosen format
// ("Unable to save image." when it cannot be written).
void SavePictureCommand(TMainFrame& main, Gdiplus::Bitmap& image, long long transparent,
                        const SaveDialogHook& dialog = {});
void CopyPictureCommand(TMainFrame& main, Gdiplus::Bitmap& image, long long transparent);
void PrintPictureCommand(TMainFrame& main, Gdiplus::Bitmap& image, long long transparent);

// Edits a picture file in place: loads it, applies `edit` and writes the
// result back as PNG under the same name (through a temporary file). False
// when the file cannot be read, the edit fails or the file cannot be written.
bool EditPictureFile(const std::wstring& file,
                     const std::function<std::unique_ptr<Gdiplus::Bitmap>(Gdiplus::Bitmap&)>& edit);

}  // namespace kolo::win
