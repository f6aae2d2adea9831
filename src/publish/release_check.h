// What a downloaded program must be before it may replace Kolo: a 64-bit
// Windows executable, signed by the release key. The signature is RSA with
// PKCS #1 v1.5 padding over SHA-256, as `openssl dgst -sha256 -sign` makes it
// (scripts/sign-release.sh); only the public key is compiled into the program.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kolo {

using Sha256Digest = std::array<std::uint8_t, 32>;
Sha256Digest Sha256(std::span<const std::uint8_t> data);

struct RsaPublicKey {
  std::vector<std::uint8_t> modulus;  // big-endian, no leading zero
  std::uint32_t exponent = 65537;
};
// The modulus from hexadecimal digits (blanks ignored); empty when unreadable.
RsaPublicKey RsaKeyFromHex(std::string_view hex, std::uint32_t exponent = 65537);

// True when `signature` is the key's PKCS #1 v1.5 signature of SHA-256(data).
bool VerifyRsaSha256(const RsaPublicKey& key, std::span<const std::uint8_t> data,
                     std::span<const std::uint8_t> signature);

// A PE32+ executable (not a library) for x86-64, with its headers inside the bytes.
bool IsWindowsX64Executable(std::span<const std::uint8_t> bytes);

// The key releases are signed with (build setting KOLO_RELEASE_KEY).
const RsaPublicKey& ReleaseKey();

// Both checks of a download.
inline bool IsTrustedRelease(std::span<const std::uint8_t> program, std::span<const std::uint8_t> signature,
                             const RsaPublicKey& key = ReleaseKey()) {
  return IsWindowsX64Executable(program) && VerifyRsaSha256(key, program, signature);
}

}  // namespace kolo
