#include "frame/win/picture_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include <iterator>

#include "platform/win/window.h"

namespace kolo::win {

std::wstring AskOpenPictureFile(TMainFrame& main) {
  const std::wstring initial = Widen(main.Options().lastPath);
  wchar_t file[MAX_PATH * 4] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = main.Handle();
  ofn.lpstrFilter =
      L"All (*.png;*.jpg;*.bmp;*.gif;*.tif)\0*.png;*.jpg;*.bmp;*.gif;*.tif\0PNG (*.png)\0*.png\0JPEG (*.jpg)\0*.jpg\0"
      L"BMP (*.bmp)\0*.bmp\0GIF (*.gif)\0*.gif\0TIFF (*.tif)\0*.tif\0";
  ofn.lpstrDefExt = L"png";
  ofn.lpstrFile = file;
  ofn.nMaxFile = static_cast<DWORD>(std::size(file));
  ofn.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&ofn)) return {};
  const std::wstring path(file);
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) main.Options().lastPath = Narrow(path.substr(0, slash + 1));
  return path;
}

}  // namespace kolo::win
