#include "widgets/image_pack.h"

#include <algorithm>
#include <cstring>

namespace kolo {

namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> d) : d_(d) {}
  size_t Left() const { return d_.size() - pos_; }
  bool Bytes(size_t n, const std::uint8_t*& out) {
    if (n > Left()) return false;
    out = d_.data() + pos_;
    pos_ += n;
    return true;
  }
  template <typename T>
  bool Int(T& v) {
    const std::uint8_t* p;
    if (!Bytes(sizeof(T), p)) return false;
    std::make_unsigned_t<T> u = 0;
    for (size_t i = 0; i < sizeof(T); ++i) u |= static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i);
    v = static_cast<T>(u);
    return true;
  }

 private:
  std::span<const std::uint8_t> d_;
  size_t pos_ = 0;
};

template <typename T>
void PutInt(std::vector<std::uint8_t>& out, T v) {
  auto u = static_cast<std::make_unsigned_t<T>>(v);
  for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

}  // namespace

bool ParseImagePack(std::span<const std::uint8_t> data, std::vector<ImagePackItem>& items) {
  items.clear();
  Reader r(data);
  const std::uint8_t* magic;
  std::uint32_t version = 0, count = 0;
  if (!r.Bytes(4, magic) || std::memcmp(magic, "KGIL", 4) != 0) return false;
  if (!r.Int(version) || version != kImagePackVersion) return false;
  if (!r.Int(count)) return false;
  // The smallest item takes 10 bytes: never reserve more than the data can hold.
  items.reserve(std::min<size_t>(count, r.Left() / 10));
  for (std::uint32_t i = 0; i < count; ++i) {
    ImagePackItem item;
    std::uint16_t captionLen = 0;
    std::uint32_t gifLen = 0;
    const std::uint8_t* p;
    if (!r.Int(captionLen) || !r.Bytes(captionLen, p)) return false;
    item.caption.assign(reinterpret_cast<const char*>(p), captionLen);
    if (!r.Int(item.tag) || !r.Int(gifLen) || !r.Bytes(gifLen, p)) return false;
    item.gif.assign(p, p + gifLen);
    items.push_back(std::move(item));
  }
  return r.Left() == 0;
}

std::vector<std::uint8_t> BuildImagePack(const std::vector<ImagePackItem>& items) {
  std::vector<std::uint8_t> out{'K', 'G', 'I', 'L'};
  PutInt(out, kImagePackVersion);
  PutInt(out, static_cast<std::uint32_t>(items.size()));
  for (const auto& item : items) {
    size_t len = std::min<size_t>(item.caption.size(), 0xFFFF);
    PutInt(out, static_cast<std::uint16_t>(len));
    out.insert(out.end(), item.caption.begin(), item.caption.begin() + static_cast<std::ptrdiff_t>(len));
    PutInt(out, item.tag);
    PutInt(out, static_cast<std::uint32_t>(item.gif.size()));
    out.insert(out.end(), item.gif.begin(), item.gif.end());
  }
  return out;
}

}  // namespace kolo
