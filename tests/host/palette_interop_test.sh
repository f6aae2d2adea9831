#!/usr/bin/env bash
# Palette files against other programs: GIFs from ImageMagick, Pillow and
# Debian packages read by kolocli, and act/pal files checked byte by byte by a
# parser of our own in Python. $1 is the host build folder.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/host}"
kolocli="$build/tools/kolocli/kolocli"
[ -x "$kolocli" ] || { echo "FAIL: $kolocli is not built"; exit 1; }
command -v convert >/dev/null || { echo "FAIL: ImageMagick convert is missing (scripts/deps.sh)"; exit 1; }
/usr/bin/python3 -c 'import PIL' 2>/dev/null || { echo "FAIL: python3-pil is missing (scripts/deps.sh)"; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/kolo-interop.XXXXXX")"
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 "$here/palette_interop_check.py" "$kolocli" "$work"
