// SHA-256 after FIPS 180-4; RSA signature check after RFC 8017 (RSASSA-PKCS1-v1_5,
// section 8.2.2: the whole expected block is built and compared, nothing parsed).
#include "publish/release_check.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace kolo {

namespace {

constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

inline std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void Block(std::uint32_t h[8], const std::uint8_t* p) {
  std::uint32_t w[64];
  for (int i = 0; i < 16; ++i)
    w[i] = std::uint32_t(p[4 * i]) << 24 | std::uint32_t(p[4 * i + 1]) << 16 | std::uint32_t(p[4 * i + 2]) << 8 |
           p[4 * i + 3];
  for (int i = 16; i < 64; ++i) {
    const std::uint32_t s0 = Rotr(w[i - 15], 7) ^ Rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 = Rotr(w[i - 2], 17) ^ Rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
  for (int i = 0; i < 64; ++i) {
    const std::uint32_t t1 = k + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
    const std::uint32_t t2 = (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
    k = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += k;
}

// Numbers as little-endian 32-bit limbs.
using Big = std::vector<std::uint32_t>;

Big FromBytes(std::span<const std::uint8_t> be, std::size_t limbs) {
  Big out(limbs, 0);
  for (std::size_t i = 0; i < be.size(); ++i) {
    const std::size_t bit = (be.size() - 1 - i) * 8;
    out[bit / 32] |= std::uint32_t(be[i]) << (bit % 32);
  }
  return out;
}

bool Less(const Big& a, const Big& b) {  // same length
  for (std::size_t i = a.size(); i-- > 0;)
    if (a[i] != b[i]) return a[i] < b[i];
  return false;
}

// (a * b) mod n, by schoolbook product and binary long division; a, b < n.
Big MulMod(const Big& a, const Big& b, const Big& n) {
  const std::size_t k = n.size();
  std::vector<std::uint32_t> product(2 * k, 0);
  for (std::size_t i = 0; i < k; ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < k; ++j) {
      const std::uint64_t t = std::uint64_t(a[i]) * b[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    product[i + k] = static_cast<std::uint32_t>(carry);
  }
  Big r(k + 1, 0), nn(n);
  nn.push_back(0);
  for (std::size_t bit = 2 * k * 32; bit-- > 0;) {
    for (std::size_t i = k + 1; i-- > 1;) r[i] = (r[i] << 1) | (r[i - 1] >> 31);
    r[0] = (r[0] << 1) | ((product[bit / 32] >> (bit % 32)) & 1);
    if (!Less(r, nn)) {
      std::int64_t borrow = 0;
      for (std::size_t i = 0; i <= k; ++i) {
        const std::int64_t t = std::int64_t(r[i]) - nn[i] - borrow;
        r[i] = static_cast<std::uint32_t>(t);
        borrow = t < 0 ? 1 : 0;
      }
    }
  }
  r.pop_back();
  return r;
}

}  // namespace

Sha256Digest Sha256(std::span<const std::uint8_t> data) {
  std::uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::size_t whole = data.size() / 64 * 64;
  for (std::size_t i = 0; i < whole; i += 64) Block(h, data.data() + i);
  std::uint8_t tail[128] = {};
  const std::size_t rest = data.size() - whole;
  if (rest) std::memcpy(tail, data.data() + whole, rest);
  tail[rest] = 0x80;
  const std::size_t tailSize = rest < 56 ? 64 : 128;
  const std::uint64_t bits = std::uint64_t(data.size()) * 8;
  for (int i = 0; i < 8; ++i) tail[tailSize - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
  for (std::size_t i = 0; i < tailSize; i += 64) Block(h, tail + i);
  Sha256Digest out;
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 4; ++j) out[4 * i + j] = static_cast<std::uint8_t>(h[i] >> (24 - 8 * j));
  return out;
}

RsaPublicKey RsaKeyFromHex(std::string_view hex, std::uint32_t exponent) {
  RsaPublicKey key;
  key.exponent = exponent;
  std::string digits;
  for (char c : hex) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == ':') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
    digits += c;
  }
  if (digits.size() % 2) digits.insert(digits.begin(), '0');
  for (std::size_t i = 0; i < digits.size(); i += 2)
    key.modulus.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  while (!key.modulus.empty() && key.modulus.front() == 0) key.modulus.erase(key.modulus.begin());
  return key;
}

bool VerifyRsaSha256(const RsaPublicKey& key, std::span<const std::uint8_t> data,
                     std::span<const std::uint8_t> signature) {
  const std::size_t size = key.modulus.size();
  // Keys below 2048 bits are not taken; the signature is exactly the modulus' length.
  if (size < 256 || size > 1024 || signature.size() != size || key.exponent < 3 || !(key.exponent & 1)) return false;
  const std::size_t limbs = (size + 3) / 4;
  const Big n = FromBytes(key.modulus, limbs);
  const Big s = FromBytes(signature, limbs);
  if (!Less(s, n)) return false;
  // s^e mod n, highest bit of e first.
  Big m = s;
  int top = 31;
  while (!(key.exponent >> top & 1)) --top;
  for (int bit = top - 1; bit >= 0; --bit) {
    m = MulMod(m, m, n);
    if (key.exponent >> bit & 1) m = MulMod(m, s, n);
  }
  // The block it must equal: 00 01 FF..FF 00, the SHA-256 DigestInfo, the digest.
  static constexpr std::uint8_t kDigestInfo[] = {0x30, 0x31, 0x30, 0x0d, 0x06, 0x09, 0x60, 0x86, 0x48, 0x01,
                                                 0x65, 0x03, 0x04, 0x02, 0x01, 0x05, 0x00, 0x04, 0x20};
  std::vector<std::uint8_t> expected(size, 0xFF);
  expected[0] = 0x00;
  expected[1] = 0x01;
  const Sha256Digest digest = Sha256(data);
  const std::size_t tail = sizeof kDigestInfo + digest.size();
  expected[size - tail - 1] = 0x00;
  std::copy(std::begin(kDigestInfo), std::end(kDigestInfo), expected.end() - static_cast<long>(tail));
  std::copy(digest.begin(), digest.end(), expected.end() - static_cast<long>(digest.size()));
  return m == FromBytes(expected, limbs);
}

bool IsWindowsX64Executable(std::span<const std::uint8_t> b) {
  auto u16 = [&](std::size_t at) { return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8; };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (b.size() < 0x40 || b[0] != 'M' || b[1] != 'Z') return false;
  const std::size_t pe = u32(0x3C);
  // Signature, file header (20 bytes) and the optional header's magic must be inside.
  if (pe > b.size() || b.size() - pe < 24 + 2) return false;
  if (b[pe] != 'P' || b[pe + 1] != 'E' || b[pe + 2] != 0 || b[pe + 3] != 0) return false;
  const std::uint32_t machine = u16(pe + 4);
  const std::uint32_t optionalSize = u16(pe + 20);
  const std::uint32_t characteristics = u16(pe + 22);
  if (machine != 0x8664 || !(characteristics & 0x0002) || (characteristics & 0x2000)) return false;
  if (optionalSize < 2 || b.size() - pe - 24 < optionalSize) return false;
  return u16(pe + 24) == 0x20B;  // PE32+
}

}  // namespace kolo
