#!/usr/bin/env bash
# The html palette page works in a real browser: kolocli writes it, headless
# Chromium opens it, the five column buttons are clicked and the table checked.
# $1 is the host build folder.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/host}"
kolocli="$build/tools/kolocli/kolocli"
[ -x "$kolocli" ] || { echo "FAIL: $kolocli is not built"; exit 1; }
command -v chromium >/dev/null || { echo "FAIL: chromium is not installed (scripts/deps.sh)"; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/kolo-html.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# 37 colours: no column count divides it, so every last row is a short one.
/usr/bin/python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
colours = [((i * 53) % 256, (i * 97 + 40) % 256, (255 - i * 7) % 256) for i in range(37)]
with open(work + "/colours.txt", "w") as f:
    f.writelines("%d %d %d\n" % c for c in colours)
with open(work + "/in.csv", "w") as f:
    f.write(";".join("%02X%02X%02X" % c for c in colours))
PY

"$kolocli" palette convert --format 1 --site "file:///nonexistent/" "$work/in.csv" "$work/page.html"
lines=$(grep -c $'\r$' "$work/page.html")
[ "$lines" = 51 ] || { echo "FAIL: page has $lines CR LF lines, expected 51"; exit 1; }

/usr/bin/python3 "$here/palette_html_check.py" "$work/page.html" "$work/colours.txt" "$work/profile"
echo "palette html page: ok"
