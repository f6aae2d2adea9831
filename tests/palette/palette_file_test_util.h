// Helpers shared by the palette file tests: a scratch folder, GIF files made
// on the spot with giflib's encoder and swatch exchange files made by hand.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
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

// Adobe Swatch Exchange files put together block by block, apart from Kolo's
// own writer: big-endian, names in UTF-16 with a closing zero.
class AseBuilder {
 public:
  AseBuilder& Group(std::string_view name) { return Block(0xC001, Name(name)); }
  AseBuilder& EndGroup() { return Block(0xC002, {}); }
  AseBuilder& Color(std::string_view name, std::string_view model, std::vector<float> values) {
    std::vector<std::uint8_t> body = Name(name);
    body.insert(body.end(), model.begin(), model.end());
    for (float v : values) {
      std::uint32_t bits;
      std::memcpy(&bits, &v, 4);
      Put32(body, bits);
    }
    body.push_back(0), body.push_back(2);  // colour type: normal
    return Block(0x0001, body);
  }
  AseBuilder& Block(std::uint16_t type, const std::vector<std::uint8_t>& body) {
    blocks_.push_back(static_cast<std::uint8_t>(type >> 8)), blocks_.push_back(static_cast<std::uint8_t>(type));
    Put32(blocks_, static_cast<std::uint32_t>(body.size()));
    blocks_.insert(blocks_.end(), body.begin(), body.end());
    ++count_;
    return *this;
  }
  std::vector<std::uint8_t> Build() const {
    std::vector<std::uint8_t> out{'A', 'S', 'E', 'F', 0, 1, 0, 0};
    Put32(out, count_);
    out.insert(out.end(), blocks_.begin(), blocks_.end());
    return out;
  }

 private:
  static void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  static std::vector<std::uint8_t> Name(std::string_view name) {
    const size_t units = name.size() + 1;
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(units >> 8), static_cast<std::uint8_t>(units)};
    for (char ch : name) out.push_back(0), out.push_back(static_cast<std::uint8_t>(ch));
    out.push_back(0), out.push_back(0);
    return out;
  }
  std::vector<std::uint8_t> blocks_;
  std::uint32_t count_ = 0;
};

// A swatch file with every colour model inside a group, and a colour outside it.
inline std::vector<std::uint8_t> MixedModelsAse() {
  return AseBuilder()
      .Group("Brand")
      .Color("cmyk red", "CMYK", {0, 1, 1, 0})
      .Color("cmyk black", "CMYK", {0, 0, 0, 1})
      .Color("lab white", "LAB ", {1, 0, 0})
      .Color("lab red", "LAB ", {0.532408f, 80.0925f, 67.2032f})
      .Color("lab grey", "LAB ", {0.53585f, 0, 0})
      .EndGroup()
      .Color("gray", "Gray", {0.5f})
      .Color("rgb", "RGB ", {0.2f, 0.4f, 0.6f})
      .Build();
}

}  // namespace kolo::testing_palette
