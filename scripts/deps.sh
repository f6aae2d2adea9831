#!/usr/bin/env bash
# Installs what building and testing Kolo needs on a Debian machine, and builds
# the Windows static libraries (giflib, libcurl) from Debian's source packages
# into a cache outside the clone. Safe to run again: everything present is kept.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
: "${KOLO_CACHE:=${XDG_CACHE_HOME:-$HOME/.cache}/kolo-deps}"
export KOLO_CACHE

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev ccache
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  googletest libgtest-dev libbenchmark-dev
  libgif-dev libcurl4-openssl-dev
  wine wine64 fonts-wine xvfb xdotool xclip x11-utils imagemagick ghostscript
  python3 python3-pil python3-waitress chromium
  nsis osslsigncode zip unzip openssl
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The posix thread model gives std::thread; make it the default alternative.
if command -v update-alternatives >/dev/null; then
  as_root update-alternatives --set x86_64-w64-mingw32-g++ /usr/bin/x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || true
  as_root update-alternatives --set x86_64-w64-mingw32-gcc /usr/bin/x86_64-w64-mingw32-gcc-posix >/dev/null 2>&1 || true
fi

"$here/scripts/build-win-deps.sh"
