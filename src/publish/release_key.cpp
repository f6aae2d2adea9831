#include "publish/release_check.h"

// The build passes the release key's modulus (CMake setting KOLO_RELEASE_KEY);
// a build without one has an empty key, which no signature matches.
#ifndef KOLO_RELEASE_KEY_HEX
#error "KOLO_RELEASE_KEY_HEX must be defined by the build"
#endif

namespace kolo {

const RsaPublicKey& ReleaseKey() {
  static const RsaPublicKey key = RsaKeyFromHex(KOLO_RELEASE_KEY_HEX);
  return key;
}

}  // namespace kolo
