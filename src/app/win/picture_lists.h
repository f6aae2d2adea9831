// The screenshot folder's picture list and picture files, handed to the tabs
// that see them only through the frame (the clipboard history).
#pragma once

#include <memory>

#include "frame/win/picture_list.h"

namespace kolo::win {

std::unique_ptr<PictureList> MakePictureList();
PictureFiles MakePictureFiles();

}  // namespace kolo::win
