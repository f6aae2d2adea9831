// Helpers shared by the palette file tests: a scratch folder, GIF files made
// on the spot with giflib's encoder and swatch exchange files made by hand.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <bit>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
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

// Swatch exchange files put together by hand, apart from Kolo's own writer.
inline void PutBe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline std::vector<std::uint8_t> AseBlock(std::uint16_t type, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out;
  PutBe(out, type, 2), PutBe(out, static_cast<std::uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}
inline std::vector<std::uint8_t> AseColor(std::string_view model, const std::vector<float>& values) {
  std::vector<std::uint8_t> body{0, 2, 0, 'c', 0, 0};  // named "c", UTF-16 with its closing zero
  body.insert(body.end(), model.begin(), model.end());
  for (float v : values) PutBe(body, std::bit_cast<std::uint32_t>(v), 4);
  PutBe(body, 2, 2);  // colour type "normal"
  return AseBlock(1, body);
}
inline std::vector<std::uint8_t> AseFile(const std::vector<std::vector<std::uint8_t>>& blocks) {
  std::vector<std::uint8_t> out{'A', 'S', 'E', 'F', 0, 1, 0, 0};
  PutBe(out, static_cast<std::uint32_t>(blocks.size()), 4);
  for (const auto& b : blocks) out.insert(out.end(), b.begin(), b.end());
  return out;
}
// Every colour model, five of them inside a group.
inline std::vector<std::uint8_t> MixedModelsAse() {
  return AseFile({AseBlock(0xC001, {0, 2, 0, 'g', 0, 0}), AseColor("CMYK", {0, 1, 1, 0}),
                  AseColor("CMYK", {0, 0, 0, 1}), AseColor("LAB ", {1, 0, 0}), AseColor("LAB ", {0.532408f, 80.0925f, 67.2032f}),
                  AseColor("LAB ", {0.53585f, 0, 0}), AseBlock(0xC002, {}), AseColor("Gray", {0.5f}),
                  AseColor("RGB ", {0.2f, 0.4f, 0.6f})});
}

}  // namespace kolo::testing_palette
