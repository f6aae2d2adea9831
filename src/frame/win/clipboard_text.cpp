#include "frame/win/clipboard_text.h"

#include <cstring>

#include "frame/win/main_frame.h"

namespace kolo::win {

std::optional<std::string> ReadClipboardText() {
  if (!::OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
      text = Narrow(std::wstring(p, wcsnlen(p, ::GlobalSize(h) / sizeof(wchar_t))));
      ::GlobalUnlock(h);
    }
  }
  ::CloseClipboard();
  return text;
}

bool CopyTextToClipboard(const std::wstring& text, bool ownHistoryCopy) {
  TMainFrame* main = MainFrame();
  if (!::OpenClipboard(main ? main->Handle() : nullptr)) return false;
  ::EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool ok = false;
  if (mem) {
    if (void* p = ::GlobalLock(mem)) {
      memcpy(p, text.c_str(), bytes);
      ::GlobalUnlock(mem);
      ok = ::SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    }
    if (!ok) ::GlobalFree(mem);
  }
  // Marked before closing: the viewers hear of the change when the clipboard closes.
  if (ok && ownHistoryCopy && main) main->NoteOwnClipboardWrite();
  ::CloseClipboard();
  return ok;
}

}  // namespace kolo::win
