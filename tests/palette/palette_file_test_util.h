// Helpers shared by the palette file tests: a scratch folder and GIF files
// made on the spot with giflib's encoder.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "color/color.h"

namespace kolo::testing_palette {

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    root_ = std::filesystem::temp_directory_path() /
            ("kolo-palette-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
             std::to_string(counter++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::filesystem::path Path(const std::string& name) const { return root_ / name; }
  void WriteFile(const std::string& name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
  }
  std::vector<std::uint8_t> ReadFile(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(root_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path root_;
};

inline int AppendToVector(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

inline ColorMapObject* MakeMap(const std::vector<TColor>& colors) {
  if (colors.empty()) return nullptr;
  std::vector<GifColorType> entries;
  for (TColor c : colors) entries.push_back({GetR(c), GetG(c), GetB(c)});
  return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
}

// A 16x16 GIF89a with the given tables (sizes must be powers of two); a
// transparent index >= 0 adds a graphic control extension.
inline std::vector<std::uint8_t> MakeGif(const std::vector<TColor>& global, const std::vector<TColor>& local,
                                         int transparent, bool withImage = true) {
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendToVector, &error);
  if (!gif) return out;
  EGifSetGifVersion(gif, true);
  ColorMapObject* globalMap = MakeMap(global);
  ColorMapObject* localMap = MakeMap(local);
  const int size = 16;
  EGifPutScreenDesc(gif, size, size, 8, 0, globalMap);
  if (withImage) {
    if (transparent >= 0) {
      GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, transparent};
      GifByteType ext[4];
      EGifGCBToExtension(&gcb, ext);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    }
    EGifPutImageDesc(gif, 0, 0, size, size, false, localMap);
    int colours = static_cast<int>((local.empty() ? global : local).size());
    std::vector<GifPixelType> line(size);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) line[x] = static_cast<GifPixelType>((x * 7 + y * 3 + x * y) % colours);
      EGifPutLine(gif, line.data(), size);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(globalMap);
  GifFreeMapObject(localMap);
  return out;
}

}  // namespace kolo::testing_palette
