#!/usr/bin/env bash
# Kolo's GIF writer read back by an independent decoder (Pillow): pictures of
# few colours come back exactly, a transparent colour becomes the table's last
# entry and the file's transparent index, and a photo of many thousands of
# colours stays close to the original. Usage: gif_pillow_test.sh BUILD_DIR
set -euo pipefail
build=$1
tool="$build/tests/kolo_gif_write"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
PY=/usr/bin/python3  # Debian's, with Pillow
"$PY" -c 'import PIL' || { echo "Pillow (python3-pil) is missing"; exit 1; }

convert -size 320x200 xc:'#F0F0F0' -fill '#2B579A' -draw 'rectangle 0,0 319,20' -fill white \
  -draw 'rectangle 10,30 150,190' -fill '#00FF00' -draw 'rectangle 200,40 300,120' -depth 8 "$work/flat.ppm"
convert -seed 5 -size 256x160 plasma:fractal -depth 8 "$work/photo.ppm"
"$tool" "$work/flat.ppm" "$work/flat.gif"
"$tool" "$work/flat.ppm" "$work/keyed.gif" 00FF00
"$tool" "$work/photo.ppm" "$work/photo.gif"

"$PY" - "$work" <<'PYEOF'
import sys
from PIL import Image
w = sys.argv[1]

def rgb(name):
    return list(Image.open(f"{w}/{name}").convert("RGB").getdata())

flat = rgb("flat.ppm")
g = Image.open(f"{w}/flat.gif")
assert g.info.get("version") == b"GIF89a", g.info
assert rgb("flat.gif") == flat, "a picture of few colours must come back exactly"

k = Image.open(f"{w}/keyed.gif")
t = k.info.get("transparency")
colours = {c for c in flat if c != (0, 255, 0)}
assert t == len(colours), f"transparent index {t}, want the entry after the {len(colours)} colours"
pal = k.getpalette()[3 * t:3 * t + 3]
assert tuple(pal) == (0, 255, 0), pal
idx = list(k.getdata())
for i, c in enumerate(flat):
    assert (idx[i] == t) == (c == (0, 255, 0)), f"pixel {i}: index {idx[i]} for {c}"

photo, back = rgb("photo.ppm"), rgb("photo.gif")
assert len(set(photo)) > 256
err = sum(abs(a - b) for p, q in zip(photo, back) for a, b in zip(p, q)) / len(photo)
# The grid average of 16 levels a channel without dithering: about 6 a channel on such noise.
assert err < 24, f"mean distance {err:.1f}"
print(f"gif round trips ok (photo: {len(set(photo))} colours, mean distance {err:.1f})")
PYEOF
