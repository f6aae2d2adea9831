// The open dialog for a picture file, shared by the tabs that open pictures.
#pragma once

#include <string>

#include "frame/win/main_frame.h"

namespace kolo::win {

// Asks for a picture file in the last folder used; on OK that folder is
// remembered and the file returned. Empty when the user cancels.
std::wstring AskOpenPictureFile(TMainFrame& main);

}  // namespace kolo::win
