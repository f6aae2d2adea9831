// The packed image-list file the build makes from art/: every picture of the
// interface, in index order, with its caption and tag.
//
// Layout (little-endian): "KGIL", u32 version (1), u32 count, then per item
// u16 caption length, caption (UTF-8), i32 tag, u32 GIF length, GIF bytes.
// A GIF length of 0 is an item without a picture.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kolo {

struct ImagePackItem {
  std::string caption;  // the image's file name, e.g. "emptycol.gif"
  std::int32_t tag = 0;
  std::vector<std::uint8_t> gif;  // complete GIF file; empty = no picture
};

inline constexpr std::uint32_t kImagePackVersion = 1;

// Reads a pack. Every complete item before a defect is kept in `items`, so a
// damaged pack still shows what it can; the result says whether all was sound.
bool ParseImagePack(std::span<const std::uint8_t> data, std::vector<ImagePackItem>& items);

// Writes a pack (captions longer than 65535 bytes are cut).
std::vector<std::uint8_t> BuildImagePack(const std::vector<ImagePackItem>& items);

}  // namespace kolo
