#!/usr/bin/env python3
"""Lays every picture of every list out at 1:1 and 3x with its index.

    contact_sheet.py --out FILE.png [--list KEY]

Each picture is shown over what it sits on in the program (the panel colour,
or the title strip). Standard library only.
"""

import argparse
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "lib"))

from canvas import Img  # noqa: E402
import lists  # noqa: E402
import pixmap  # noqa: E402
import template_list  # noqa: E402
import theme  # noqa: E402

# 3x5 label font: the layouts' small print, plus two signs the labels use.
FONT = dict(template_list.MICRO, **{"_": "000000000000111", "x": "000101010101000"})

INK = 0x17405F
PAPER = 0xFFFFFF


def text(img, x, y, s, color=INK, scale=1):
    for ch in s.upper():
        bits = FONT.get(ch, FONT[" "])
        for i, b in enumerate(bits):
            if b == "1":
                img.fill(x + (i % 3) * scale, y + (i // 3) * scale,
                         x + (i % 3) * scale + scale - 1, y + (i // 3) * scale + scale - 1, color)
        x += 4 * scale
    return x


def on_backdrop(item, frame, scale):
    w, h = frame.w, frame.h
    if isinstance(item.bg, Img):
        back = item.bg
    else:
        back = Img(w, h, item.bg)
    out = Img(w, h)
    for y in range(h):
        for x in range(w):
            p = frame.px[y][x]
            out.px[y][x] = p if p is not None else back.get(x, y) if back.get(x, y) is not None else theme.SKY
    return out.scaled(scale) if scale > 1 else out


def tile(item):
    frames = item.frames
    w, h = frames[0].w, frames[0].h
    big = 3 if w <= 100 else 0   # large pictures are shown once, at 1:1
    nframes = len(frames)
    # all frames of an animation side by side
    width = max(nframes * (w + 2) + (6 + nframes * (w * big + 2) if big else 0), 30)
    height = 8 + max(h, h * big) + 2
    img = Img(width, height, PAPER)
    text(img, 0, 0, "%d" % item.index)
    x = 0
    for f in frames:
        img.blit(on_backdrop(item, f, 1), x, 7)
        x += w + 2
    x += 4
    for f in frames if big else []:
        img.blit(on_backdrop(item, f, big), x, 7)
        x += w * big + 2
    return img


def sheet(all_lists, max_width=1000):
    blocks = []
    for L in all_lists:
        tiles = [tile(it) for it in L.ordered() if it is not None]
        rows, row, row_w = [], [], 0
        for t in tiles:
            if row and row_w + t.w + 10 > max_width:
                rows.append(row)
                row, row_w = [], 0
            row.append(t)
            row_w += t.w + 10
        if row:
            rows.append(row)
        h = 24 + sum(max(t.h for t in r) + 10 for r in rows)
        block = Img(max_width, h, PAPER)
        text(block, 4, 4, "%s  %s  (%d)" % (L.resource, L.title, L.count()), theme.LINE, 2)
        y = 24
        for r in rows:
            x = 4
            for t in r:
                block.blit(t, x, y)
                x += t.w + 10
            y += max(t.h for t in r) + 10
        blocks.append(block)
    total = Img(max_width, sum(b.h + 6 for b in blocks), 0xDDDDDD)
    y = 0
    for b in blocks:
        total.blit(b, 0, y)
        y += b.h + 6
    return total


def png(img):
    raw = bytearray()
    for row in img.px:
        raw.append(0)
        for p in row:
            p = PAPER if p is None else p
            raw += bytes(((p >> 16) & 255, (p >> 8) & 255, p & 255))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    ap = argparse.ArgumentParser(description="art contact sheet")
    ap.add_argument("--out", required=True)
    ap.add_argument("--list", help="only this list (key, e.g. main)")
    args = ap.parse_args()
    glyphs = pixmap.load_dir(os.path.join(HERE, "glyphs"))
    all_lists = lists.build_all(glyphs)
    if args.list:
        all_lists = [L for L in all_lists if L.key == args.list]
    with open(args.out, "wb") as f:
        f.write(png(sheet(all_lists)))


if __name__ == "__main__":
    main()
