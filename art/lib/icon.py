"""The program's icon: a twelve-part colour wheel (Kolo is a wheel)."""

import colorsys
import math

from canvas import Img, mix
import theme


def _hue(i):
    r, g, b = colorsys.hsv_to_rgb(i / 12.0, 0.85, 1.0)
    return (int(r * 255 + 0.5), int(g * 255 + 0.5), int(b * 255 + 0.5))


def wheel(size, background=None, turn=0.0):
    """Returns (Img, alpha rows). With a background the picture is flattened
    onto it and alpha is all opaque."""
    n = 4  # subsamples per axis
    c = size / 2.0
    r_out = size / 2.0 - 0.5
    edge = max(1.0, size / 24.0)
    r_in = size * 0.19
    img = Img(size, size)
    alpha = [[0] * size for _ in range(size)]
    navy = ((theme.NAVY >> 16) & 255, (theme.NAVY >> 8) & 255, theme.NAVY & 255)
    hub = (255, 255, 255)
    for y in range(size):
        for x in range(size):
            acc = [0.0, 0.0, 0.0]
            cover = 0
            for sy in range(n):
                for sx in range(n):
                    px = x + (sx + 0.5) / n - c
                    py = y + (sy + 0.5) / n - c
                    d = math.hypot(px, py)
                    if d > r_out:
                        continue
                    if d > r_out - edge or abs(d - r_in) < edge / 2:
                        col = navy
                    elif d < r_in:
                        col = hub
                    else:
                        a = (math.degrees(math.atan2(-py, px)) + 90 + turn) % 360
                        seg = int(a // 30)
                        col = _hue(seg)
                        # a thin light seam between the parts
                        if size >= 32 and (a % 30) * d * math.pi / 180 < 0.6:
                            col = tuple(int(v + (255 - v) * 0.55) for v in col)
                    acc[0] += col[0]
                    acc[1] += col[1]
                    acc[2] += col[2]
                    cover += 1
            if cover:
                rgb = tuple(int(v / cover + 0.5) for v in acc)
                a = cover / float(n * n)
                if background is not None:
                    bg = ((background >> 16) & 255, (background >> 8) & 255, background & 255)
                    rgb = tuple(int(bg[i] + (rgb[i] - bg[i]) * a + 0.5) for i in range(3))
                    a = 1.0
                img.px[y][x] = (rgb[0] << 16) | (rgb[1] << 8) | rgb[2]
                alpha[y][x] = int(a * 255 + 0.5)
            elif background is not None:
                img.px[y][x] = background
                alpha[y][x] = 255
    return img, alpha


def icon_images():
    return [wheel(s) for s in (16, 32, 48)]
