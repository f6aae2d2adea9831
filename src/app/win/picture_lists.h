// The screenshot folder's picture list and picture files, handed to the tabs
// that see them only through the frame (the clipboard history).
#pragma once

#include <memory>

#include "frame/win/picture_list.h"

namespace kolo::win {

class TMainFrame;
struct PictureOperations;

std::unique_ptr<PictureList> MakePictureList();
PictureFiles MakePictureFiles();
// The picture operations of the screenshot folder's code, on the clipboard
// history's picture files.
PictureOperations MakePictureOperations(TMainFrame& main);

}  // namespace kolo::win
