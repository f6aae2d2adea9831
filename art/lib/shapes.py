"""Glyphs drawn by code: the ones made of gradients, hues and circles."""

import colorsys
import math

from canvas import Img, mix
import theme

OUTLINE = theme.NAVY


def hue(h, s=1.0, v=1.0):
    r, g, b = colorsys.hsv_to_rgb((h % 360) / 360.0, s, v)
    return (int(round(r * 255)) << 16) | (int(round(g * 255)) << 8) | int(round(b * 255))


def quant(c, steps=8):
    """Snap a colour to a coarse grid so gradients stay within GIF limits."""
    out = 0
    for shift in (16, 8, 0):
        v = (c >> shift) & 0xFF
        q = int(round(v * (steps - 1) / 255.0)) * 255 // (steps - 1)
        out |= q << shift
    return out


def disc(w, h, cx, cy, r, fn):
    """Pixels whose centre lies within r of (cx, cy) get fn(x, y, dist, angle)."""
    img = Img(w, h)
    for y in range(h):
        for x in range(w):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy)
            if d <= r:
                a = math.degrees(math.atan2(-dy, dx)) % 360
                img.px[y][x] = fn(x, y, d, a)
    return img


def outline_shape(img, color=OUTLINE):
    """Add a one-pixel outline around the opaque pixels (4-neighbourhood)."""
    out = img.copy()
    for y in range(img.h):
        for x in range(img.w):
            if img.px[y][x] is not None:
                continue
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if img.get(nx, ny) is not None:
                    out.px[y][x] = color
                    break
    return out


def tab_picker():
    """A saturation/brightness plane with a hue bar and a pick ring (13x11)."""
    img = Img(13, 11)
    img.rect(0, 0, 9, 10, OUTLINE)
    for y in range(1, 10):
        for x in range(1, 9):
            s = (x - 1) / 7.0
            v = 1.0 - (y - 1) / 8.0
            img.px[y][x] = quant(hue(0, s, v), 6)
    img.rect(10, 0, 12, 10, OUTLINE)
    for y in range(1, 10):
        img.px[y][11] = quant(hue((y - 1) * 40), 4)
    # the pick ring
    for x, y in ((5, 2), (6, 2), (7, 3), (7, 4), (6, 5), (5, 5), (4, 4), (4, 3)):
        img.px[y][x] = 0xFFFFFF
    img.px[3][5] = img.px[3][6] = img.px[4][5] = img.px[4][6] = OUTLINE
    return img


def tab_wheel():
    """A hue wheel with a light hub (13x11)."""
    def f(x, y, d, a):
        if d > 4.6:
            return OUTLINE
        if d < 1.6:
            return 0xFFFFFF
        return quant(hue(round(a / 30.0) * 30), 4)
    return disc(13, 11, 6.5, 5.5, 5.6, f)


def tab_mix():
    """Three overlapping paint discs, mixed where they overlap (13x11)."""
    centres = [(4.6, 4.0, 0x00AEEF), (8.4, 4.0, 0xEC008C), (6.5, 7.1, 0xFFE400)]
    img = Img(13, 11)
    for y in range(11):
        for x in range(13):
            inks = [c for cx, cy, c in centres if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= 3.7]
            if not inks:
                continue
            # subtractive mixing: multiply the inks
            r = g = b = 255
            for c in inks:
                r = r * ((c >> 16) & 0xFF) // 255
                g = g * ((c >> 8) & 0xFF) // 255
                b = b * (c & 0xFF) // 255
            img.px[y][x] = (r << 16) | (g << 8) | b
    return outline_shape(img)


def value_strip(w, h):
    """The value-slider glyph: a vertical strip with a pointer."""
    img = Img(w, h)
    img.rect(0, 0, 3, h - 1, OUTLINE)
    for y in range(1, h - 1):
        t = (y - 1) / max(1, h - 3)
        img.hline(1, 2, y, quant(mix(0xFFFFFF, theme.LINE, t), 6))
    mid = h // 2
    for i in range(3):
        img.vline(w - 3 + i - 1, mid - (2 - i), mid + (2 - i), OUTLINE)
    return img
