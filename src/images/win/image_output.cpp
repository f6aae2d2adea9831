#include "images/win/image_output.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <commdlg.h>
#include <cderr.h>
#include <winspool.h>

#include <cstring>

#include "color/color.h"
#include "images/image_ops.h"
#include "images/win/image_codec.h"
#include "platform/win/gdiplus_session.h"
#include "platform/win/handles.h"

namespace kolo::win {

namespace {

int ScreenDpi(int index) {
  WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen, index);
  return dpi > 0 ? dpi : 96;
}

bool AnyPrinterInstalled() {
  DWORD needed = 0, count = 0;
  ::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
  return needed > 0;
}

}  // namespace

HBITMAP PictureBitmap(Gdiplus::Bitmap& image, long long transparent) {
  if (!EnsureGdiplus()) return nullptr;
  const bool keyed = transparent >= 0;
  std::unique_ptr<Gdiplus::Bitmap> keyedImage;
  PixelBuffer px;
  if (keyed) {
    keyedImage = KeyedCopy(image, transparent);
    if (keyedImage) px = ReadPixels(*keyedImage);
  } else {
    px = ReadPixels(image);
  }
  if (px.pixels.empty()) return nullptr;
  const BITMAPINFO bi = TopDownInfo(px.width, px.height, keyed ? 32 : 24);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) ::DeleteObject(bitmap);
    return nullptr;
  }
  auto* out = static_cast<std::uint8_t*>(bits);
  if (keyed) {
    std::memcpy(out, px.pixels.data(), px.pixels.size() * 4);
  } else {
    const std::size_t stride = (static_cast<std::size_t>(px.width) * 3 + 3) & ~std::size_t{3};
    for (int y = 0; y < px.height; ++y) {
      std::uint8_t* row = out + stride * y;
      const std::uint32_t* in = px.pixels.data() + static_cast<std::size_t>(y) * px.width;
      for (int x = 0; x < px.width; ++x) {
        row[3 * x] = static_cast<std::uint8_t>(in[x]);
        row[3 * x + 1] = static_cast<std::uint8_t>(in[x] >> 8);
        row[3 * x + 2] = static_cast<std::uint8_t>(in[x] >> 16);
      }
    }
  }
  ::GdiFlush();
  return bitmap;
}

bool CopyPictureToClipboard(HWND owner, Gdiplus::Bitmap& image, long long transparent,
                            const std::function<void()>& written) {
  Bitmap section(PictureBitmap(image, transparent));
  if (!section) return false;
  // The clipboard gets a device bitmap made from the section: other programs
  // (and Wine's bridge to X) convert that kind reliably.
  DIBSECTION ds{};
  if (::GetObjectW(section, sizeof ds, &ds) != sizeof ds) return false;
  // The section is top-down; its header as GetObject reports it need not say so.
  const BITMAPINFO bi = TopDownInfo(ds.dsBm.bmWidth, ds.dsBm.bmHeight, ds.dsBm.bmBitsPixel);
  WindowDc screen(nullptr);
  Bitmap bitmap(::CreateDIBitmap(screen, &bi.bmiHeader, CBM_INIT, ds.dsBm.bmBits, &bi, DIB_RGB_COLORS));
  if (!bitmap) return false;
  // Another program may hold the clipboard for a moment.
  bool open = false;
  for (int attempt = 0; attempt < 10 && !(open = ::OpenClipboard(owner)); ++attempt) ::Sleep(20);
  if (!open) return false;
  ::EmptyClipboard();
  const bool ok = ::SetClipboardData(CF_BITMAP, bitmap.Get()) != nullptr;
  if (ok) {
    bitmap.Release();  // the clipboard owns it now
    if (written) written();
  }
  ::CloseClipboard();
  return ok;
}

bool PrintPictureOn(HDC printer, Gdiplus::Bitmap& image, long long transparent) {
  if (!EnsureGdiplus()) return false;
  const int pageWidth = ::GetDeviceCaps(printer, HORZRES), pageHeight = ::GetDeviceCaps(printer, VERTRES);
  const PrintPlacement place =
      PlaceOnPage(static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight()),
                  ::GetDeviceCaps(printer, LOGPIXELSX), ::GetDeviceCaps(printer, LOGPIXELSY), ScreenDpi(LOGPIXELSX),
                  ScreenDpi(LOGPIXELSY), pageWidth, pageHeight);
  if (place.width <= 0 || place.height <= 0) return false;

  // Scaled once to printer pixels; pixels of the transparent colour stay paper white.
  Gdiplus::Bitmap page(place.width, place.height, PixelFormat32bppARGB);
  if (page.GetLastStatus() != Gdiplus::Ok) return false;
  {
    Gdiplus::Graphics g(&page);
    g.Clear(Gdiplus::Color(255, 255, 255, 255));
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::ImageAttributes attrs;
    attrs.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    if (transparent >= 0) {
      const auto c = static_cast<TColor>(transparent);
      const Gdiplus::Color key(255, GetR(c), GetG(c), GetB(c));
      attrs.SetColorKey(key, key);
    }
    g.DrawImage(&image, Gdiplus::Rect(0, 0, place.width, place.height), 0, 0, static_cast<INT>(image.GetWidth()),
                static_cast<INT>(image.GetHeight()), Gdiplus::UnitPixel, &attrs);
  }
  const PixelBuffer px = ReadPixels(page);
  if (px.pixels.empty()) return false;

  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = L"Kolo image";
  if (::StartDocW(printer, &doc) <= 0) return false;
  bool ok = ::StartPage(printer) > 0;
  if (ok) {
    const BITMAPINFO bi = TopDownInfo(px.width, px.height, 32);
    ok = ::StretchDIBits(printer, place.x, place.y, place.width, place.height, 0, 0, px.width, px.height,
                         px.pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY) != 0;
    ok = ::EndPage(printer) > 0 && ok;
  }
  if (!ok) {
    ::AbortDoc(printer);
    return false;
  }
  // The job is handed on only now: a port that cannot take it fails here.
  return ::EndDoc(printer) > 0;
}

PrintResult PrintPicture(HWND owner, Gdiplus::Bitmap& image, long long transparent) {
  // Asked first: without any printer Wine's dialog shows its own note and then
  // returns as if cancelled, so the user would never hear it from us.
  if (!AnyPrinterInstalled()) return PrintResult::NoPrinter;
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  if (!::PrintDlgW(&pd)) {
    const DWORD error = ::CommDlgExtendedError();
    if (error == 0) return PrintResult::Cancelled;
    return error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES ? PrintResult::NoPrinter : PrintResult::Failed;
  }
  if (pd.hDevMode) ::GlobalFree(pd.hDevMode);
  if (pd.hDevNames) ::GlobalFree(pd.hDevNames);
  if (!pd.hDC) return PrintResult::Failed;
  MemoryDc printer(pd.hDC);
  return PrintPictureOn(printer.Get(), image, transparent) ? PrintResult::Printed : PrintResult::Failed;
}

}  // namespace kolo::win
