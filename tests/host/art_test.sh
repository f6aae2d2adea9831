#!/usr/bin/env bash
# Builds the artwork twice and checks what the program will load: every pack
# parses, every GIF decodes (ImageMagick, not our own writer) to the size the
# catalogue gives, the fixed picture numbers are where the program expects
# them, the icon holds its three sizes, and the output never changes between
# runs. $1 is the host build folder (only used for scratch space).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/host}"
work="$(mktemp -d "${TMPDIR:-/tmp}/kolo-art.XXXXXX")"
trap 'rm -rf "$work"' EXIT

command -v identify >/dev/null || { echo "FAIL: ImageMagick identify is missing"; exit 1; }

python3 "$root/art/build_art.py" --out "$work/a" --catalogue "$work/a/catalogue.md"
python3 "$root/art/build_art.py" --out "$work/b" --catalogue "$work/b/catalogue.md"

if ! diff -r "$work/a" "$work/b" >/dev/null; then
  echo "FAIL: two runs of build_art.py wrote different files"; exit 1
fi
if ! diff -u "$root/docs/art-index.md" "$work/a/catalogue.md"; then
  echo "FAIL: docs/art-index.md is out of date (art/build_art.py --catalogue docs/art-index.md)"
  exit 1
fi

# The header must compile, and its names must say what the program relies on.
cat > "$work/ids_check.cpp" <<'CPP'
#include "art_ids.h"
using namespace kolo::art;
static_assert(kImgCopyNormal == 16 && kImgCopyHover == 17 && kImgCopyDown == 18);
static_assert(kImgCopyMarkedNormal == 261 && kImgCopyMarkedHover == 262 && kImgCopyMarkedDown == 263);
static_assert(kImgOnTopOffNormal == 40 && kImgOnTopOnNormal == 43);
static_assert(kImgSmallSizeNormal == 46 && kImgFullSizeNormal == 49);
static_assert(kImgPrintScreenNormal == 185 && kImgSelectAreaNormal == 188);
static_assert(kImgRefreshAreaNormal == 222 && kImgFinishAreaNormal == 225);
static_assert(kImgValueButtonTallOpen == 191 && kImgValueButtonSmallOpen == 252);
static_assert(kImgEmptyCell == 243 && kImgTransparentCell == 244);
static_assert(kMsgImgInformation == 0 && kMsgImgError == 1 && kMsgImgConfirmation == 2 && kMsgImgWarning == 3);
static_assert(kMsgImgYesNormal == 4 && kMsgImgOkNormal == 7 && kMsgImgNoNormal == 10);
static_assert(kMsgImgCancelNormal == 13 && kMsgImgMinimizeNormal == 18 && kMsgImgMinimizeDown == 16);
static_assert(kTemplateImgCount >= 34 && kTemplateImgDefault == 33);
static_assert(kFontImgBoldNormal == 8 && kFontImgBoldOn == 9 && kFontImgItalicOn == 13 && kFontImgUnderlineOn == 17);
int main() { return 0; }
CPP
"${CXX:-g++}" -std=c++20 -fsyntax-only -I "$work/a" "$work/ids_check.cpp"

python3 - "$work/a" "$root/docs/art-index.md" <<'PY'
import os, re, struct, subprocess, sys

out, catalogue_path = sys.argv[1], sys.argv[2]
failures = []

def fail(msg):
    failures.append(msg)

# --- the catalogue: list resource -> {index: (w, h, frames, caption)} --------
catalogue = {}
current = None
for line in open(catalogue_path, encoding="utf-8"):
    m = re.match(r"## .*`(KOLO_IMAGES_\w+)`", line)
    if m:
        current = catalogue.setdefault(m.group(1), {})
        continue
    m = re.match(r"\| (\d+) \| (\d+)×(\d+)(?:, (\d+) frames)? \| ([^|]+) \|", line)
    if m and current is not None:
        current[int(m.group(1))] = (int(m.group(2)), int(m.group(3)),
                                    int(m.group(4) or 1), m.group(5).strip())

# --- art.rc names the icon and every pack, and the files exist -------------
rc = open(os.path.join(out, "art.rc")).read()
if not re.search(r'^1 ICON "kolo.ico"$', rc, re.M):
    fail("art.rc does not make kolo.ico icon 1")
packs = re.findall(r'^(KOLO_IMAGES_\w+) RCDATA "([^"]+)"$', rc, re.M)
if sorted(p[0] for p in packs) != sorted(catalogue):
    fail("art.rc packs %s differ from the catalogue's lists %s" % ([p[0] for p in packs], sorted(catalogue)))

# --- a GIF reader of our own, block by block (no pixel decoding) -----------
def gif_blocks(data):
    if data[:6] != b"GIF89a":
        raise ValueError("not GIF89a")
    w, h, flags = struct.unpack_from("<HHB", data, 6)
    pos = 13
    if flags & 0x80:
        pos += 3 * (2 << (flags & 7))
    frames, delays, transparent = 0, [], False
    while True:
        kind = data[pos]
        if kind == 0x3B:
            break
        if kind == 0x21:
            label = data[pos + 1]
            if label == 0xF9:
                packed, delay = data[pos + 3], struct.unpack_from("<H", data, pos + 4)[0]
                transparent |= bool(packed & 1)
                delays.append(delay)
            pos += 2
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
        elif kind == 0x2C:
            fx, fy, fw, fh, fflags = struct.unpack_from("<HHHHB", data, pos + 1)
            if fx + fw > w or fy + fh > h:
                raise ValueError("frame outside the screen")
            pos += 10
            if fflags & 0x80:
                pos += 3 * (2 << (fflags & 7))
            pos += 1  # LZW minimum code size
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
            frames += 1
        else:
            raise ValueError("unknown block 0x%02X" % kind)
    if pos != len(data) - 1:
        raise ValueError("bytes after the trailer")
    return w, h, frames, delays, transparent

# --- every pack parses; every picture matches its catalogue line -----------
gif_dir = os.path.join(out, "check")
os.makedirs(gif_dir, exist_ok=True)
to_decode = []
pictures = {}
for resource, filename in packs:
    data = open(os.path.join(out, filename), "rb").read()
    if data[:4] != b"KGIL":
        fail("%s: bad magic" % filename); continue
    version, count = struct.unpack_from("<II", data, 4)
    if version != 1:
        fail("%s: version %d" % (filename, version))
    pos = 12
    seen = {}
    for index in range(count):
        (clen,) = struct.unpack_from("<H", data, pos); pos += 2
        caption = data[pos:pos + clen].decode("utf-8"); pos += clen
        tag, glen = struct.unpack_from("<iI", data, pos); pos += 8
        gif = data[pos:pos + glen]; pos += glen
        if len(gif) != glen:
            fail("%s: truncated at item %d" % (filename, index)); break
        if glen == 0:
            if index in catalogue.get(resource, {}):
                fail("%s %d: catalogued but empty" % (resource, index))
            continue
        try:
            w, h, frames, delays, transparent = gif_blocks(gif)
        except (ValueError, IndexError, struct.error) as e:
            fail("%s %d: %s" % (resource, index, e)); continue
        if caption in seen:
            fail("%s: caption %s at %d and %d" % (resource, caption, seen[caption], index))
        seen[caption] = index
        want = catalogue.get(resource, {}).get(index)
        if want is None:
            fail("%s %d: not in the catalogue" % (resource, index)); continue
        if (w, h, frames, caption) != want:
            fail("%s %d: %dx%d %d frames %s, catalogue says %s" % (resource, index, w, h, frames, caption, want))
        if frames > 1 and (len(delays) != frames or min(delays) < 2):
            fail("%s %d: animation without usable delays %s" % (resource, index, delays))
        path = os.path.join(gif_dir, "%s_%d.gif" % (resource, index))
        open(path, "wb").write(gif)
        to_decode.append((resource, index, path, w, h, frames))
        pictures[(resource, index)] = (path, tag, transparent)
    if pos != len(data):
        fail("%s: %d bytes after the last item" % (filename, len(data) - pos))
    for index in catalogue.get(resource, {}):
        if index >= count:
            fail("%s %d: catalogued but past the end of the pack" % (resource, index))

# ImageMagick decodes each picture; frame count and size must agree.
if to_decode:
    res = subprocess.run(["identify", "-format", "%i %w %h\n"] + [t[2] for t in to_decode],
                         capture_output=True, text=True)
    if res.returncode != 0:
        fail("identify failed: %s" % res.stderr.strip()[:400])
    lines = {}
    for line in res.stdout.splitlines():
        path, w, h = line.rsplit(" ", 2)
        lines.setdefault(path.split("[")[0], []).append((int(w), int(h)))
    for resource, index, path, w, h, frames in to_decode:
        got = lines.get(path, [])
        if len(got) != frames or any(g != (w, h) for g in got):
            fail("%s %d: ImageMagick reads %s, expected %d frames of %dx%d" % (resource, index, got, frames, w, h))

def rgba(path, w, h):
    raw = subprocess.run(["convert", path + "[0]", "-alpha", "on", "rgba:-"], capture_output=True).stdout
    if len(raw) != w * h * 4:
        raise ValueError("decoded %d bytes" % len(raw))
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]

SKY, LINE, PALE = (0xA6, 0xCA, 0xF0), (0x00, 0x80, 0xC0), (0xD9, 0xE8, 0xF7)

# The empty palette cell: a pale 10x10 square centred in the panel colour.
p = pictures.get(("KOLO_IMAGES_MAIN", 243))
if p:
    px = rgba(p[0], 16, 16)
    for y in range(16):
        for x in range(16):
            want = PALE if 3 <= x <= 12 and 3 <= y <= 12 else SKY
            if px[y * 16 + x][:3] != want or px[y * 16 + x][3] != 255:
                fail("emptycol.gif pixel (%d, %d) is %s" % (x, y, px[y * 16 + x])); break
# The transparent cell: a frame of the line colour around white and grey checks.
p = pictures.get(("KOLO_IMAGES_MAIN", 244))
if p:
    px = rgba(p[0], 16, 16)
    edge = [px[i] for i in range(16)] + [px[15 * 16 + i] for i in range(16)]
    if any(e[:3] != LINE for e in edge):
        fail("transcol.gif has no line-colour frame")
    inner = {px[y * 16 + x][:3] for y in range(1, 15) for x in range(1, 15)}
    if inner != {(255, 255, 255), (0xBB, 0xBB, 0xBB)}:
        fail("transcol.gif inside is %s" % inner)

# Buttons with the same set of states share one size, and states differ.
for resource, per in catalogue.items():
    groups = {}
    for index, (w, h, frames, caption) in per.items():
        m = re.match(r"(.+)_(normal|hover|down|disabled|active)\.gif$", caption)
        if m:
            groups.setdefault(m.group(1), []).append((index, w, h))
    for name, members in groups.items():
        if len({(w, h) for _, w, h in members}) != 1:
            fail("%s %s: states of different sizes %s" % (resource, name, members))
        datas = [open(pictures[(resource, i)][0], "rb").read() for i, _, _ in members
                 if (resource, i) in pictures]
        if len(set(datas)) != len(datas):
            fail("%s %s: two states look the same" % (resource, name))

# Layout templates: at least 34 without gaps (the preview starts on 33), each
# 80x40, tagged with its 2..4 colours and using exactly those, and every
# number of colours offered (the picker filters by it).
templates = catalogue.get("KOLO_IMAGES_TEMPLATE", {})
if sorted(templates) != list(range(max(34, len(templates)))):
    fail("layout templates %s: want 0..33 at least, without gaps" % sorted(templates))
tags = {pictures[("KOLO_IMAGES_TEMPLATE", i)][1] for i in templates if ("KOLO_IMAGES_TEMPLATE", i) in pictures}
if tags != {2, 3, 4}:
    fail("layout templates offer %s colours" % sorted(tags))
for index, (w, h, frames, caption) in catalogue.get("KOLO_IMAGES_TEMPLATE", {}).items():
    path, tag, _ = pictures[("KOLO_IMAGES_TEMPLATE", index)]
    if (w, h) != (80, 40) or tag not in (2, 3, 4):
        fail("template %d: %dx%d tag %d" % (index, w, h, tag))
    colours = {c[:3] for c in rgba(path, w, h)}
    if len(colours) != tag:
        fail("template %d: %d colours, tag %d" % (index, len(colours), tag))

# Colouring pictures: 256x256 with the 64-entry table the mixing tab reads.
want_table = [0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xA6CAF0, 0x0080C0,
              0xBBBBBB, 0xFFFFFD] + [0xFEFFFF] * 27 + [0xA6CAF0] * 27
mix = catalogue.get("KOLO_IMAGES_MIX", {})
if sorted(mix) != list(range(7)):
    fail("the mixing tab needs pictures 0..6, the catalogue has %s" % sorted(mix))
for index in mix:
    data = open(pictures[("KOLO_IMAGES_MIX", index)][0], "rb").read()
    flags = data[10]
    entries = 2 << (flags & 7)
    table = [int.from_bytes(data[13 + 3 * i:16 + 3 * i], "big") for i in range(entries)]
    if mix[index][3] != "palette%d_new_notfill.gif" % (index + 1) or table != want_table:
        fail("colouring picture %d: name %s or colour table differs" % (index, mix[index][3]))
    px = rgba(pictures[("KOLO_IMAGES_MIX", index)][0], 256, 256)
    seen = {p[:3] for p in px}
    for needed in ((0xFE, 0xFF, 0xFF), (0, 0x80, 0xC0), (0xBB, 0xBB, 0xBB), (255, 0, 0)):
        if needed not in seen:
            fail("colouring picture %d never uses %s" % (index, needed))

# --- the icon: 16, 32 and 48 pixels, 32-bit -------------------------------
ico = open(os.path.join(out, "kolo.ico"), "rb").read()
reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
sizes = []
for i in range(count):
    w, h, _, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
    sizes.append((w, h, bpp))
    hdr = struct.unpack_from("<IiiHH", ico, offset)
    if hdr[0] != 40 or hdr[1] != w or hdr[2] != 2 * h or offset + size > len(ico):
        fail("kolo.ico entry %d is damaged" % i)
if (reserved, kind) != (0, 1) or sorted(sizes) != [(16, 16, 32), (32, 32, 32), (48, 48, 32)]:
    fail("kolo.ico holds %s" % sizes)

if failures:
    print("\n".join("FAIL: " + f for f in failures[:60]))
    sys.exit(1)
print("art: %d pictures in %d lists checked" % (len(to_decode), len(packs)))
PY

# The GIF writer against an independent decoder, on data made to stress the
# code-width steps and the table reset (random pixels, long runs, 1..256 colours).
python3 - "$root/art/lib" "$work" <<'PY'
import random, subprocess, sys
sys.dont_write_bytecode = True
sys.path.insert(0, sys.argv[1])
import gif
rnd = random.Random(4)
bad = 0
for trial in range(24):
    ncol = [1, 2, 3, 4, 5, 8, 9, 16, 17, 64, 200, 256][trial % 12]
    w, h = rnd.randint(1, 260), rnd.randint(1, 90)
    pal = rnd.sample(range(1 << 24), ncol)
    mode = trial % 3
    if mode == 0:
        idx = [rnd.randrange(ncol) for _ in range(w * h)]
    elif mode == 1:
        idx = [(i // rnd.randint(1, 9)) % ncol for i in range(w * h)]
    else:
        idx = [ncol - 1] * (w * h)
    path = "%s/stress.gif" % sys.argv[2]
    open(path, "wb").write(gif.encode_indexed(w, h, pal, [idx]))
    raw = subprocess.run(["convert", path, "rgb:-"], capture_output=True).stdout
    want = b"".join(bytes(((pal[i] >> 16) & 255, (pal[i] >> 8) & 255, pal[i] & 255)) for i in idx)
    if raw != want:
        print("FAIL: GIF writer round trip, %d colours %dx%d" % (ncol, w, h))
        bad += 1
# An animation whose frames together hold more than 256 colours: each frame
# then carries its own table; every frame must still decode exactly.
from canvas import Img
frames = []
for n in range(3):
    f = Img(16, 15)
    for y in range(15):
        for x in range(16):
            f.px[y][x] = None if (x + y + n) % 7 == 0 else ((n * 90 + x * 11) << 16) | (y * 17 << 8) | (x * y)
    frames.append(f)
path = "%s/anim.gif" % sys.argv[2]
open(path, "wb").write(gif.encode_images(frames, delays=[10, 20, 30]))
raw = subprocess.run(["convert", path, "-alpha", "on", "rgba:-"], capture_output=True).stdout
want = b""
for f in frames:
    for row in f.px:
        for p in row:
            want += b"\0\0\0\0" if p is None else bytes(((p >> 16) & 255, (p >> 8) & 255, p & 255, 255))
got_rgb = [raw[i:i + 4] for i in range(0, len(raw), 4)]
want_rgb = [want[i:i + 4] for i in range(0, len(want), 4)]
if len(got_rgb) != len(want_rgb) or any((g[3] == 0) != (w[3] == 0) or (w[3] and g != w)
                                       for g, w in zip(got_rgb, want_rgb)):
    print("FAIL: animation with per-frame colour tables does not decode")
    bad += 1
delays = subprocess.run(["identify", "-format", "%T ", path], capture_output=True, text=True).stdout.split()
if delays != ["10", "20", "30"]:
    print("FAIL: animation delays read back as %s" % delays)
    bad += 1
sys.exit(1 if bad else 0)
PY
echo "art_test: ok"
