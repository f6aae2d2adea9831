"""The installer's side picture (welcome and finish pages, 164 x 314): the
program's wheel on the sky-blue skin, the twelve wheel colours as a strip of
swatches below it, and the frame colour down the right edge."""

import struct

from canvas import Img
import icon
import theme

WIDTH, HEIGHT = 164, 314


def sidebar():
    img = Img(WIDTH, HEIGHT, theme.SKY)
    size = 112
    wheel, _ = icon.wheel(size, background=theme.SKY)
    x0, y0 = (WIDTH - size) // 2, 40
    for y in range(size):
        for x in range(size):
            img.px[y0 + y][x0 + x] = wheel.px[y][x]
    # Twelve swatches, two rows of six, framed like the palette strip's cells.
    cell, gap = 18, 4
    left = (WIDTH - (6 * cell + 5 * gap)) // 2
    top = y0 + size + 36
    for i in range(12):
        cx = left + (i % 6) * (cell + gap)
        cy = top + (i // 6) * (cell + gap)
        r, g, b = icon._hue(i)
        img.fill(cx, cy, cx + cell - 1, cy + cell - 1, (r << 16) | (g << 8) | b)
        img.rect(cx, cy, cx + cell - 1, cy + cell - 1, theme.NAVY)
    img.fill(WIDTH - 3, 0, WIDTH - 1, HEIGHT - 1, theme.LINE)
    return img


def encode_bmp(img):
    """24-bit bottom-up BMP, rows padded to four bytes."""
    stride = (img.w * 3 + 3) & ~3
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            c = img.px[y][x] or 0
            row += bytes((c & 255, (c >> 8) & 255, (c >> 16) & 255))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, img.w, img.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data
