#include "fonts/win/font_families.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "platform/win/gdiplus_session.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace kolo::win {

std::vector<std::string> InstalledFontFamilies() {
  std::vector<std::string> names;
  if (!EnsureGdiplus()) return names;
  Gdiplus::InstalledFontCollection installed;
  const INT count = installed.GetFamilyCount();
  if (count <= 0) return names;
  auto families = std::make_unique<Gdiplus::FontFamily[]>(static_cast<size_t>(count));
  INT found = 0;
  if (installed.GetFamilies(count, families.get(), &found) != Gdiplus::Ok) return names;
  names.reserve(static_cast<size_t>(found));
  for (INT i = 0; i < found; ++i) {
    WCHAR name[LF_FACESIZE] = {};
    if (families[i].GetFamilyName(name, LANG_NEUTRAL) != Gdiplus::Ok || !name[0]) continue;
    names.push_back(Narrow(name));
  }
  return names;
}

namespace {
int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}
}  // namespace

bool FontFamilyInstalled(const std::string& name) {
  if (name.empty()) return false;
  const std::wstring wide = Widen(name);
  if (wide.size() >= LF_FACESIZE) {
    // Too long for GDI's face names: ask GDI+, which knows whole family names.
    if (!EnsureGdiplus()) return true;  // cannot tell: keep the user's choice
    Gdiplus::FontFamily family(wide.c_str());
    return family.GetLastStatus() == Gdiplus::Ok;
  }
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  wide.copy(lf.lfFaceName, wide.size());
  bool found = false;
  WindowDc screen(nullptr);
  ::EnumFontFamiliesExW(screen, &lf, CountFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace kolo::win
