// Image and list files of the screenshot folder: decoding through GDI+ without
// keeping the file open, whole-file reads with a size cap, replacing a file
// through a temporary one, and the timestamp names of new pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Gdiplus {
class Bitmap;
}

namespace kolo::win {

// Null when the file is missing or not an image. Starts GDI+ when needed.
std::unique_ptr<Gdiplus::Bitmap> LoadImageFile(const std::wstring& path);
// Decodes the file and hands the picture to `use` while it lives (no copy of
// its pixels is made); false when the file is missing or not an image.
bool WithDecodedImage(const std::wstring& path, const std::function<void(Gdiplus::Bitmap&)>& use);
// The CLSID of the GDI+ encoder with this MIME type (starts GDI+ when needed).
bool FindEncoder(const wchar_t* mime, CLSID& clsid);
// Saves as PNG; false on any failure (disk full, read-only folder).
bool SaveImagePng(Gdiplus::Bitmap& image, const std::wstring& path);

// The file's bytes; nothing when it cannot be read or is larger than `limit`.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path, std::size_t limit);
// Writes a temporary file beside `path` and renames it over `path`, so a
// crash mid-write leaves the old file whole. False when anything failed.
bool WriteFileReplacing(const std::wstring& path, const std::string& bytes);

// "yymmddhhnnss" + ext of now, waiting a second at a time while that file exists in `folder`.
std::string UnusedTimestampName(const std::wstring& folder, const std::string& ext);

}  // namespace kolo::win
