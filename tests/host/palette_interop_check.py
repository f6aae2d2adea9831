#!/usr/bin/python3
"""Palette files against other programs and against an independent reading
of the byte layouts.

- GIF files written by ImageMagick, by Pillow and shipped in Debian packages
  are read by `kolocli palette show`; the expected palette comes from a small
  GIF parser written here (first image's local table, else the global one;
  a second black in a row ends the palette; transparency from the graphic
  control extension).
- act and pal files written by `kolocli palette convert` are taken apart here
  byte by byte; act and pal files written here are read back by kolocli.
- gpl, ase and css files written by kolocli are read by a few lines of Python
  each, the way GIMP, Adobe's tools and a browser would take them.

usage: palette_interop_check.py KOLOCLI WORKDIR
"""
import glob
import os
import re
import struct
import subprocess
import sys

KOLOCLI, WORK = sys.argv[1], sys.argv[2]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL: " + what)


def kolocli(*args):
    run = subprocess.run([KOLOCLI] + list(args), capture_output=True, text=True)
    if run.returncode != 0:
        failures.append("kolocli %s: %s" % (" ".join(args), run.stderr.strip()))
        print("FAIL: kolocli %s exited %d: %s" % (" ".join(args), run.returncode, run.stderr.strip()))
        return None
    return run.stdout.splitlines()


# ---- independent GIF reading -------------------------------------------------

def skip_sub_blocks(data, pos):
    while True:
        size = data[pos]
        pos += 1
        if size == 0:
            return pos
        pos += size


def gif_palette(data):
    """(colours, transparent index) as the palette loader should see them."""
    assert data[:6] in (b"GIF87a", b"GIF89a"), "not a GIF"
    packed = data[10]
    pos = 13
    global_table = []
    if packed & 0x80:
        size = 2 << (packed & 7)
        global_table = [tuple(data[pos + 3 * i:pos + 3 * i + 3]) for i in range(size)]
        pos += 3 * size
    transparent = -1
    while True:
        block = data[pos]
        if block == 0x21:
            label = data[pos + 1]
            if label == 0xF9 and data[pos + 2] >= 4:
                flags, _, index = struct.unpack("<BHB", data[pos + 3:pos + 7])
                transparent = index if flags & 1 else -1
            pos = skip_sub_blocks(data, pos + 2)
        elif block == 0x2C:
            flags = data[pos + 9]
            table = global_table
            if flags & 0x80:
                size = 2 << (flags & 7)
                start = pos + 10
                table = [tuple(data[start + 3 * i:start + 3 * i + 3]) for i in range(size)]
            break
        else:
            raise ValueError("no image before block 0x%02X" % block)
    colours = []
    for c in table:
        if c == (0, 0, 0) and colours and colours[-1] == (0, 0, 0):
            break
        colours.append(c)
    return colours, transparent


def expected_show(colours, transparent):
    lines = [str(transparent)] + ["%02X%02X%02X" % c for c in colours[:256]]
    return lines + ["empty"] * (257 - len(lines))


def check_gif(path, label, must_contain=(), length=None, transparent=None):
    with open(path, "rb") as f:
        data = f.read()
    colours, trans = gif_palette(data)
    shown = kolocli("palette", "show", path)
    if shown is None:
        return
    check(shown == expected_show(colours, trans),
          "%s: kolocli shows a different palette than the file holds" % label)
    hexes = set(shown[1:])
    for c in must_contain:
        check(c in hexes, "%s: colour %s missing" % (label, c))
    if length is not None:
        check(len(colours) == length, "%s: %d colours, expected %d" % (label, len(colours), length))
    if transparent is not None:
        check(shown[0] == str(transparent), "%s: transparent index %s, expected %d" % (label, shown[0], transparent))
    print("ok: %s (%d colours, transparent %s)" % (label, len(colours), shown[0]))


def imagemagick_gifs():
    base = ["convert", "-size", "8x8", "xc:#FF8000", "-fill", "#0000FF", "-draw", "point 1,1",
            "-fill", "#00FF00", "-draw", "point 2,2"]
    plain = os.path.join(WORK, "im_plain.gif")
    subprocess.run(base + [plain], check=True)
    check_gif(plain, "ImageMagick three colours", ("FF8000", "0000FF", "00FF00"))
    clear = os.path.join(WORK, "im_transparent.gif")
    subprocess.run(base + ["-transparent", "#00FF00", clear], check=True)
    with open(clear, "rb") as f:
        colours, trans = gif_palette(f.read())
    check(trans >= 0, "ImageMagick transparent GIF has no transparent index")
    check_gif(clear, "ImageMagick transparent")
    many = os.path.join(WORK, "im_gradient.gif")
    subprocess.run(["convert", "-size", "64x64", "gradient:#FF0000-#0000FF", "-colors", "200", many],
                   check=True)
    check_gif(many, "ImageMagick gradient")


def pillow_gifs():
    from PIL import Image
    img = Image.new("P", (8, 8), 0)
    palette = [255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255] + [0] * (252 * 3)
    img.putpalette(palette)
    for x in range(4):
        img.putpixel((x, 0), x)
    pair = os.path.join(WORK, "pil_black_pair.gif")
    img.save(pair, optimize=False, transparency=3)
    check_gif(pair, "Pillow black pair", ("FF0000", "000000"), length=2, transparent=3)

    rgb = Image.new("RGB", (32, 32))
    for y in range(32):
        for x in range(32):
            rgb.putpixel((x, y), (x * 8, y * 8, (x * y) % 256))
    quant = os.path.join(WORK, "pil_quantised.gif")
    rgb.quantize(colors=50).save(quant)
    check_gif(quant, "Pillow quantised")

    frames = [Image.new("RGB", (8, 8), (200, 10, 10)), Image.new("RGB", (8, 8), (10, 200, 10))]
    anim = os.path.join(WORK, "pil_animation.gif")
    frames[0].save(anim, save_all=True, append_images=frames[1:])
    check_gif(anim, "Pillow animation", ("C80A0A",))


def debian_gifs():
    found = []
    for path in sorted(glob.glob("/usr/share/doc/**/*.gif", recursive=True))[:40]:
        owner = subprocess.run(["dpkg", "-S", path], capture_output=True, text=True)
        if owner.returncode == 0:
            found.append((path, owner.stdout.split(":")[0]))
    check(any(p.endswith("/cmake-data/CMakeLogo.gif") for p, _ in found),
          "Debian's cmake-data GIF not found (is cmake installed?)")
    for path, package in found:
        check_gif(path, "%s %s" % (package, os.path.basename(path)))


# ---- act and pal --------------------------------------------------------------

def palette_colours(count, seed):
    return [((i * 37 + seed) % 256, (i * 91 + 3 * seed) % 256, (i * 13 + 200) % 256) for i in range(count)]


def write_csv(path, colours):
    with open(path, "w") as f:
        f.write(";".join("%02X%02X%02X" % c for c in colours))


def parse_act(data):
    check(len(data) in (768, 772), "act is %d bytes" % len(data))
    entries = [tuple(data[3 * i:3 * i + 3]) for i in range(256)]
    if len(data) == 772:
        count, transparent = struct.unpack(">HH", data[768:772])
        return entries, count, transparent
    return entries, 256, None


def parse_pal(data):
    riff, size, form = struct.unpack("<4sI4s", data[:12])
    check(riff == b"RIFF" and form == b"PAL ", "pal has no RIFF PAL header")
    check(size == len(data) - 8, "pal RIFF size %d for a %d-byte file" % (size, len(data)))
    chunk, chunk_size = struct.unpack("<4sI", data[12:20])
    check(chunk == b"data" and chunk_size == len(data) - 20, "pal data chunk is wrong")
    version, count = struct.unpack("<HH", data[20:24])
    check(version == 0x0300, "pal version 0x%04X" % version)
    check(len(data) == 24 + 4 * count, "pal holds %d bytes for %d entries" % (len(data), count))
    entries = []
    for i in range(count):
        r, g, b, flags = data[24 + 4 * i:28 + 4 * i]
        check(flags == 0, "pal entry %d has flags %d" % (i, flags))
        entries.append((r, g, b))
    return entries


def check_written_files():
    colours = palette_colours(216, 5)
    csv = os.path.join(WORK, "p216.csv")
    write_csv(csv, colours)
    for ext in ("act", "pal"):
        if kolocli("palette", "convert", csv, os.path.join(WORK, "p216." + ext)) is None:
            return
    with open(os.path.join(WORK, "p216.act"), "rb") as f:
        entries, count, transparent = parse_act(f.read())
    check(count == 216 and transparent == 0xFFFF, "act trailer %s %s" % (count, transparent))
    check(entries[:216] == colours, "act entries differ from the palette")
    check(all(e == (0, 0, 0) for e in entries[216:]), "act padding is not zero")
    with open(os.path.join(WORK, "p216.pal"), "rb") as f:
        check(parse_pal(f.read()) == colours, "pal entries differ from the palette")

    full = palette_colours(256, 9)
    write_csv(os.path.join(WORK, "p256.csv"), full)
    kolocli("palette", "convert", os.path.join(WORK, "p256.csv"), os.path.join(WORK, "p256.act"))
    with open(os.path.join(WORK, "p256.act"), "rb") as f:
        entries, count, transparent = parse_act(f.read())
    check(transparent is None and entries == full, "full act is not a bare 768-byte table")

    # A kpt written here, with gaps and an empty transparent cell, through kolocli.
    cells = [0x10000000] * 256
    for i in range(0, 40, 3):
        cells[i] = (i * 0x030507) & 0xFFFFFF
    cells[7] = 0x30000000  # empty and transparent
    with open(os.path.join(WORK, "gaps.kpt"), "wb") as f:
        f.write(b"KOLO" + struct.pack("<256I", *cells))
    kolocli("palette", "convert", os.path.join(WORK, "gaps.kpt"), os.path.join(WORK, "gaps.act"))
    kolocli("palette", "convert", os.path.join(WORK, "gaps.kpt"), os.path.join(WORK, "gaps.pal"))
    listed = [(i, c) for i, c in enumerate(cells) if not c & 0x10000000 or c & 0x20000000]
    want = [(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) for _, c in listed]
    want_t = [i for i, _ in listed].index(7)
    with open(os.path.join(WORK, "gaps.act"), "rb") as f:
        entries, count, transparent = parse_act(f.read())
    check(count == len(want) and transparent == want_t and entries[:count] == want,
          "act from a gappy kpt: count %s transparent %s" % (count, transparent))
    with open(os.path.join(WORK, "gaps.pal"), "rb") as f:
        check(parse_pal(f.read()) == want, "pal from a gappy kpt differs")

    # Files written here, read by kolocli.
    mine = palette_colours(100, 77)
    with open(os.path.join(WORK, "mine.act"), "wb") as f:
        f.write(bytes(v for c in mine for v in c) + bytes(3 * 156) + struct.pack(">HH", 100, 42))
    with open(os.path.join(WORK, "mine.pal"), "wb") as f:
        body = struct.pack("<HH", 0x0300, 100) + b"".join(bytes(c) + b"\0" for c in mine)
        f.write(b"RIFF" + struct.pack("<I", len(body) + 12) + b"PAL data" + struct.pack("<I", len(body)) + body)
    for name, trans in (("mine.act", 42), ("mine.pal", -1)):
        shown = kolocli("palette", "show", os.path.join(WORK, name))
        if shown is not None:
            check(shown == expected_show(mine, trans), "kolocli reads %s differently" % name)
    print("ok: act and pal layouts")


# ---- gpl, ase and css -----------------------------------------------------------

def read_gpl(text):
    lines = text.split("\n")
    rows = [line.split(None, 3) for line in lines[1:]
            if line.strip() and not line.startswith(("#", "Name:", "Columns:"))]
    return lines[0] == "GIMP Palette", [((int(r), int(g), int(b)), name) for r, g, b, name in rows]


def read_ase(data):
    rows, pos = [], 12
    for _ in range(struct.unpack(">I", data[8:12])[0]):
        kind, length, units = struct.unpack(">HIH", data[pos:pos + 8])
        name = data[pos + 8:pos + 8 + 2 * units].decode("utf-16-be")
        model, r, g, b, ctype = struct.unpack(">4s3fH", data[pos + 8 + 2 * units:pos + 6 + length])
        rows.append(((round(r * 255), round(g * 255), round(b * 255)), name[:-1]))
        check(kind == 1 and name[-1] == "\0" and model == b"RGB ", "ase block %d %r %r" % (kind, name, model))
        pos += 6 + length
    return data[:8] == b"ASEF\0\1\0\0" and pos == len(data), rows


def check_exchange_files():
    # Gaps; cell 4 is the transparent one and holds a colour.
    cells = [0x10000000] * 256
    for i in range(0, 120, 2):
        cells[i] = (i * 0x0A0703) & 0xFFFFFF
    cells[4] |= 0x20000000
    kpt = os.path.join(WORK, "exchange.kpt")
    with open(kpt, "wb") as f:
        f.write(b"KOLO" + struct.pack("<256I", *cells))
    want = [((c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF), "Kolo %d" % i)
            for i, c in enumerate(cells) if not c & 0x10000000]
    out = {}
    for ext in ("gpl", "ase", "css"):
        kolocli("palette", "convert", kpt, os.path.join(WORK, "exchange." + ext))
        with open(os.path.join(WORK, "exchange." + ext), "rb") as f:
            out[ext] = f.read()
    check(read_gpl(out["gpl"].decode()) == (True, want), "gpl differs from the cells")
    check(read_ase(out["ase"]) == (True, want), "ase differs from the cells")
    css = out["css"].decode()
    props = re.findall(r"--kolo-(\d+): #([0-9A-F]{6});( /\* transparent \*/)?", css)
    check(css.startswith(":root {\n") and css.endswith("}\n") and
          [(tuple(bytes.fromhex(h)), "Kolo " + n, bool(t)) for n, h, t in props] ==
          [(c, n, n == "Kolo 4") for c, n in want], "css differs from the cells")
    print("ok: gpl, ase and css layouts")


imagemagick_gifs()
pillow_gifs()
debian_gifs()
check_written_files()
check_exchange_files()
if failures:
    print("%d interoperability check(s) failed" % len(failures))
    sys.exit(1)
print("palette interoperability: ok")
