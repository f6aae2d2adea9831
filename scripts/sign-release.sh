#!/usr/bin/env bash
# Signs a Kolo.exe for the update: writes FILE.sig, the RSA (PKCS #1 v1.5,
# SHA-256) signature that Kolo checks against the release key it was built with.
# Usage: scripts/sign-release.sh PRIVATE_KEY.pem Kolo.exe [OUT.sig]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PRIVATE_KEY.pem FILE [OUT.sig]" >&2; exit 2; }
key=$1 file=$2 out=${3:-$2.sig}
openssl dgst -sha256 -sign "$key" -out "$out" "$file"
# The build setting that makes Kolo trust this key:
#   -DKOLO_RELEASE_KEY=$(openssl rsa -in KEY -noout -modulus | sed 's/Modulus=//')
echo "signed: $out"
