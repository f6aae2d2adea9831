"""Windows .ico writer: 32-bit BGRA bitmaps with an AND mask per size."""

import struct


def _bitmap_entry(entry):
    img, alpha = entry if isinstance(entry, tuple) else (entry, None)
    w, h = img.w, img.h
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up rows
        for x in range(w):
            p = img.px[y][x]
            if p is None:
                xor += b"\0\0\0\0"
            else:
                a = alpha[y][x] if alpha is not None else 0xFF
                xor += bytes((p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF, a))
    row_bytes = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            clear = img.px[y][x] is None or (alpha is not None and alpha[y][x] == 0)
            if clear:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(xor) + bytes(mask)


def encode_ico(images):
    """images: canvases (see canvas.Img) or (canvas, alpha rows), at most 256x256."""
    entries = [_bitmap_entry(img) for img in images]
    images = [img[0] if isinstance(img, tuple) else img for img in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, data in zip(images, entries):
        out += struct.pack("<BBBBHHII", img.w % 256, img.h % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    return bytes(out)
