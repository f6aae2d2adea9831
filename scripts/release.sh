#!/usr/bin/env bash
# Builds Kolo's release from this checkout in one command, into build/release/
# (or $KOLO_RELEASE_DIR):
#   Kolo-<version>-setup.exe     the installer (per-user by default)
#   Kolo-<version>-portable.zip  Kolo.exe in a folder of its own
#   update/                      what the update service serves: ver.txt and the
#                                versioned binary, each with its detached signature
#   SHA256SUMS                   the checksums of all of them
# The version is read from src/app/win/version.h, the only place it is written.
#
# Authenticode: with KOLO_SIGN_PKCS12 (a .p12/.pfx file) and KOLO_SIGN_PASSWORD,
# kolod.dll (before it is packed into Kolo.exe), Kolo.exe and the installer are
# signed with osslsigncode; without them the release is unsigned and says so.
# Update signature: with KOLO_UPDATE_KEY (the release key's private PEM file)
# the update files are signed; without it they are left out and the script says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=${KOLO_RELEASE_DIR:-$root/build/release}
jobs=${KOLO_JOBS:-$(nproc)}

"$root/scripts/deps.sh"

major=$(sed -n 's/^#define KOLO_VERSION_MAJOR \([0-9]*\)$/\1/p' src/app/win/version.h)
minor=$(sed -n 's/^#define KOLO_VERSION_MINOR \([0-9]*\)$/\1/p' src/app/win/version.h)
[ -n "$major" ] && [ -n "$minor" ] || { echo "release: no version in src/app/win/version.h" >&2; exit 1; }
version=$(printf '%d.%02d' "$major" "$minor")

signing=no
if [ -n "${KOLO_SIGN_PKCS12:-}" ]; then
  [ -f "$KOLO_SIGN_PKCS12" ] || { echo "release: KOLO_SIGN_PKCS12 is not a file" >&2; exit 1; }
  signing=yes
fi

# The program trusts updates signed with the release key it is built with.
release_key=""
if [ -n "${KOLO_UPDATE_KEY:-}" ]; then
  [ -f "$KOLO_UPDATE_KEY" ] || { echo "release: KOLO_UPDATE_KEY is not a file" >&2; exit 1; }
  release_key=$(openssl rsa -in "$KOLO_UPDATE_KEY" -noout -modulus | sed 's/^Modulus=//')
fi

echo "=== Kolo $version: build ==="
build=$root/build/win
cmake --preset win >/dev/null
cmake -S "$root" -B "$build" -DKOLO_RELEASE_KEY="$release_key" >/dev/null
if [ "$signing" = yes ]; then
  cmake -S "$root" -B "$build" -DKOLO_CODESIGN_SCRIPT="$root/scripts/codesign.sh" >/dev/null
  rm -f "$build/generated/kolod.dll"  # signed anew with this certificate
else
  cmake -S "$root" -B "$build" -UKOLO_CODESIGN_SCRIPT >/dev/null
fi
cmake --build "$build" -j "$jobs" --target Kolo

rm -rf "$out"
mkdir -p "$out"
cp "$build/Kolo.exe" "$out/Kolo.exe"
if [ "$signing" = yes ]; then
  "$root/scripts/codesign.sh" "$out/Kolo.exe" "$out/Kolo.exe"
  echo "signed: kolod.dll (inside Kolo.exe), Kolo.exe"
else
  echo "unsigned: no KOLO_SIGN_PKCS12 given"
fi

echo "=== installer ==="
nsis=(-V2 -DVERSION="$version" -DEXE="$out/Kolo.exe" -DART="$build/generated" -DOUTFILE="$out/Kolo-$version-setup.exe")
[ "$signing" = yes ] && nsis+=(-DSIGN="$root/scripts/codesign.sh")
makensis "${nsis[@]}" "$root/installer/kolo.nsi"
[ "$signing" = yes ] && echo "signed: Kolo-$version-setup.exe and its uninstaller"

echo "=== portable zip ==="
# Fixed times and order: the same Kolo.exe gives the same zip.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Kolo"
cp "$out/Kolo.exe" "$stage/Kolo/Kolo.exe"
touch -d @0 "$stage/Kolo" "$stage/Kolo/Kolo.exe"
(cd "$stage" && TZ=UTC zip -X -q -r "$out/Kolo-$version-portable.zip" Kolo)

echo "=== update files ==="
if [ -n "${KOLO_UPDATE_KEY:-}" ]; then
  "$root/scripts/update-files.sh" "$out/Kolo.exe" "$version" "$KOLO_UPDATE_KEY" "$out/update"
else
  echo "no update files: no KOLO_UPDATE_KEY given (this Kolo.exe trusts no update)"
fi

(cd "$out" && find . -type f ! -name SHA256SUMS ! -name Kolo.exe -printf '%P\n' | LC_ALL=C sort |
  xargs -d '\n' sha256sum >SHA256SUMS)
echo "=== $out ==="
cat "$out/SHA256SUMS"
