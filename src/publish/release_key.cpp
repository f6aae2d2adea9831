#include "publish/release_check.h"

// The build passes the release key's modulus (CMake setting KOLO_RELEASE_KEY);
// a build without one trusts the test key whose private half lives in the tests.
#ifndef KOLO_RELEASE_KEY_HEX
#error "KOLO_RELEASE_KEY_HEX must be defined by the build"
#endif

namespace kolo {

const RsaPublicKey& ReleaseKey() {
  static const RsaPublicKey key = RsaKeyFromHex(KOLO_RELEASE_KEY_HEX);
  return key;
}

}  // namespace kolo
