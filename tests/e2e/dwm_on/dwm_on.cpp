// A stand-in for dwmapi.dll that says desktop composition is on, so the area
// shot scenario can run its overlay path under Wine (whose own dwmapi says
// off). Only DwmIsCompositionEnabled is asked for; the rest answer "no".
#include <windows.h>

extern "C" __declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return E_INVALIDARG;
  *enabled = TRUE;
  return S_OK;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DwmFlush() { return S_OK; }

extern "C" __declspec(dllexport) HRESULT WINAPI DwmGetWindowAttribute(HWND, DWORD, void*, DWORD) {
  return E_NOTIMPL;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DwmSetWindowAttribute(HWND, DWORD, const void*, DWORD) {
  return E_NOTIMPL;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, void*) { return TRUE; }
