#include "fonts/win/font_families.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <unordered_set>

#include "platform/win/gdiplus_session.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"

namespace kolo::win {

namespace {

struct FamilyCollector {
  std::vector<std::string> names;
  std::unordered_set<std::wstring> seen;
};

int CALLBACK CollectFamily(const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM collector) {
  auto* c = reinterpret_cast<FamilyCollector*>(collector);
  const auto* ntm = reinterpret_cast<const NEWTEXTMETRICW*>(tm);
  // The families GDI+ offers: TrueType and OpenType only, each once, without
  // the vertical "@" faces of East Asian fonts.
  const bool outline = (type & TRUETYPE_FONTTYPE) || (ntm->ntmFlags & (NTM_PS_OPENTYPE | NTM_TT_OPENTYPE));
  if (!outline || lf->lfFaceName[0] == L'@' || !lf->lfFaceName[0]) return 1;
  if (c->seen.insert(lf->lfFaceName).second) c->names.push_back(Narrow(lf->lfFaceName));
  return 1;
}

}  // namespace

std::vector<std::string> InstalledFontFamilies() {
  // GDI's enumeration rather than GDI+'s collection: the same families in the
  // same order, without starting GDI+, and fast enough for a thousand fonts.
  FamilyCollector collector;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  WindowDc screen(nullptr);
  ::EnumFontFamiliesExW(screen, &lf, CollectFamily, reinterpret_cast<LPARAM>(&collector), 0);
  return std::move(collector.names);
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
