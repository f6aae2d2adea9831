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
    """A colour plane with a hue bar beside it and a pick ring (13x11)."""
    img = Img(13, 11)
    img.rect(0, 0, 9, 10, OUTLINE)
    for y in range(1, 10):
        for x in range(1, 9):
            s_ = (x - 1) / 7.0
            v = 1.0 - 0.6 * (y - 1) / 8.0
            img.px[y][x] = quant(hue(205, s_, v), 6)
    img.rect(10, 0, 12, 10, OUTLINE)
    for y in range(1, 10):
        img.px[y][11] = quant(hue((y - 1) * 40), 4)
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
    centres = [(4.9, 4.2, 0x00AEEF), (8.1, 4.2, 0xEC008C), (6.5, 7.0, 0xFFE400)]
    img = Img(13, 11)
    for y in range(11):
        for x in range(13):
            inks = [c for cx, cy, c in centres if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= 3.3]
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
    """The value-slider glyph: a shaded bar with a pointer at its middle."""
    img = Img(w, h)
    img.rect(0, 0, 2, h - 1, OUTLINE)
    for y in range(1, h - 1):
        t = (y - 1) / max(1, h - 3)
        img.set(1, y, quant(mix(0xFFFFFF, theme.LINE, t), 6))
    mid = h // 2
    img.set(w - 2, mid, OUTLINE)
    img.vline(w - 1, mid - 1, mid + 1, OUTLINE)
    return img


# --- tool glyphs drawn by code -------------------------------------------

NAVY = theme.NAVY
GLASS = 0xD6ECFB
GREEN = 0x3BAA4A
RED = 0xE0413A


def pipette(size=16, liquid=RED):
    """A pipette lying on the rising diagonal, tip at the bottom left."""
    img = Img(size, size)
    n = size - 1
    for y in range(size):
        for x in range(size):
            a = x - y          # along the axis, -n (tip) .. n (bulb)
            c = x + y - n      # across the axis
            s = a / float(n)   # -1 .. 1
            col = None
            if -0.88 <= s < -0.72 and c == 0:
                col = liquid                               # the tip
            elif -0.72 <= s < 0.2 and abs(c) <= 1:
                if c == -1:
                    col = 0xFFFFFF                         # glass light
                else:
                    col = liquid if s < -0.05 else GLASS
            elif 0.2 <= s < 0.36 and abs(c) <= 2:
                col = 0xC8D3DE if c < 1 else 0x8C9CAD      # collar
            elif 0.36 <= s <= 0.86 and abs(c) <= 2 - (1 if s > 0.76 else 0):
                col = 0x7D8A98 if c <= -1 else 0x4E5B69    # rubber bulb
            img.px[y][x] = col
    img = outline_shape(img)
    # the drop under the tip
    img.set(0, n, liquid)
    return img


def checker(w, h, size=2, light=0xFFFFFF, dark=0xBBBBBB):
    img = Img(w, h)
    for y in range(h):
        for x in range(w):
            img.px[y][x] = light if ((x // size) + (y // size)) % 2 == 0 else dark
    return img


def framed(img, color=NAVY):
    out = Img(img.w + 2, img.h + 2)
    out.blit(img, 1, 1)
    out.rect(0, 0, out.w - 1, out.h - 1, color)
    return out


def clear_transparent():
    img = Img(12, 12)
    img.blit(framed(checker(8, 8)), 0, 0)
    x_mark = [(0, 0), (1, 1), (2, 2), (3, 3), (4, 4), (4, 0), (3, 1), (1, 3), (0, 4)]
    for dx, dy in x_mark:
        for ox, oy in ((0, 0), (1, 0)):
            img.set(6 + dx + ox, 6 + dy + oy, RED)
    for y in range(12):  # dark rim around the cross
        for x in range(12):
            if img.get(x, y) is None and any(img.get(x + i, y + j) == RED
                                             for i, j in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                img.set(x, y, 0x8E1F19)
    return img


def get_transparent(glyphs):
    img = Img(12, 12)
    img.blit(framed(checker(8, 8)), 0, 3)
    img.blit(glyphs["icon_pipette_small"].render(), 4, 0)
    return img


def magnifier(sign):
    """A lens with a handle; sign '+', '-' or None."""
    img = Img(12, 12)
    cx, cy, r = 5.0, 5.0, 4.6
    for y in range(12):
        for x in range(12):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r - 1.2:
                img.px[y][x] = GLASS if (x + y) > 6 else 0xFFFFFF
            elif d <= r:
                img.px[y][x] = NAVY
    for i in range(3):  # handle
        for ox, oy in ((0, 0), (1, 0), (0, 1), (1, 1)):
            img.set(8 + i + ox, 8 + i + oy, 0x4E5B69)
    img.set(11, 11, None)
    ink = theme.LINE
    if sign:
        img.hline(3, 7, 5, ink)
        img.hline(3, 7, 4, None if False else img.get(3, 4))
    if sign == "+":
        img.vline(5, 3, 7, ink)
    return img


def thick_arc(size, cx, cy, r, width, a0, a1, color):
    img = Img(size, size)
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            a = math.degrees(math.atan2(-(y + 0.5 - cy), x + 0.5 - cx)) % 360
            inside = (a0 <= a <= a1) if a0 <= a1 else (a >= a0 or a <= a1)
            if inside and r - width <= d <= r:
                img.px[y][x] = color
    return img


def arc_arrow(img, cx, cy, r, width, a_start, a_end, color, head=2.6):
    """A counter-clockwise arc from a_start to a_end (degrees, y up) ending in
    an arrowhead; pixels are set where their centre falls inside."""
    span = (a_end - a_start) % 360
    t_end = math.radians(a_end)
    ex, ey = cx + r * math.cos(t_end), cy - r * math.sin(t_end)
    dx, dy = -math.sin(t_end), -math.cos(t_end)          # travel direction, y down
    nx, ny = math.cos(t_end), -math.sin(t_end)           # outward
    tip = (ex + dx * head * 1.1, ey + dy * head * 1.1)
    b1 = (ex + nx * head - dx * 0.3, ey + ny * head - dy * 0.3)
    b2 = (ex - nx * head - dx * 0.3, ey - ny * head - dy * 0.3)
    for y in range(img.h):
        for x in range(img.w):
            px, py = x + 0.5, y + 0.5
            d = math.hypot(px - cx, py - cy)
            a = math.degrees(math.atan2(-(py - cy), px - cx)) % 360
            on_arc = abs(d - r) <= width / 2.0 and (a - a_start) % 360 <= span
            if on_arc or _in_triangle(px, py, [tip, b1, b2]):
                img.px[y][x] = color


def rotate_arrow(clockwise):
    """A turn of most of a circle with its head (12x12)."""
    img = Img(12, 12)
    arc_arrow(img, 6.0, 6.2, 3.6, 2.0, 300, 195, theme.LINE, head=2.7)
    img = outline_shape(img, NAVY)
    if clockwise:
        img = mirror(img)
    return img


def mirror(img):
    out = Img(img.w, img.h)
    out.px = [row[::-1] for row in img.px]
    return out


def transpose(img):
    out = Img(img.h, img.w)
    for y in range(img.h):
        for x in range(img.w):
            out.px[x][y] = img.px[y][x]
    return out


def resize_glyph():
    """Frame with a smaller picture and an arrow drawing it in (12x12)."""
    img = Img(12, 12)
    for i in range(0, 12, 2):  # dashed outer frame
        img.set(i, 0, NAVY)
        img.set(11, i, NAVY)
        img.set(11 - i, 11, NAVY)
        img.set(0, 11 - i, NAVY)
    img.fill(1, 1, 5, 5, 0x8CC8EE)
    img.rect(0, 0, 6, 6, NAVY)
    arrow = theme.LINE
    for i in range(4):
        img.set(6 + i, 6 + i, arrow)
        img.set(7 + i, 6 + i, arrow)
    img.hline(7, 9, 7, arrow)
    img.vline(7, 7, 9, arrow)
    img.set(8, 8, arrow)
    return img


def link():
    """Two chain links on the rising diagonal (12x12)."""
    img = Img(12, 12)

    def seg_dist(px, py, ax, ay, bx, by):
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - ax - t * vx, py - ay - t * vy)

    links = [((2.6, 9.4), (5.4, 6.6)), ((6.6, 5.4), (9.4, 2.6))]
    for y in range(12):
        for x in range(12):
            for (a, b) in links:
                d = seg_dist(x + 0.5, y + 0.5, a[0], a[1], b[0], b[1])
                if 1.2 <= d <= 2.6:
                    img.px[y][x] = theme.LINE if d < 2.0 else NAVY
    return img


def globe_upload():
    img = Img(12, 12)
    cx, cy, r = 5.5, 6.0, 5.4
    for y in range(12):
        for x in range(12):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r - 0.9:
                # meridians and a parallel as lines of the sea colour
                col = 0x8CC8EE
                if x == 5 or y == 6 or abs(abs(x + 0.5 - cx) - 2.6) < 0.5 and d < r - 1.5:
                    col = theme.LINE
                img.px[y][x] = col
            elif d <= r:
                img.px[y][x] = NAVY
    up = ["..K..", ".KEK.", "KEEEK", "KKEKK", ".KEK.", ".KKK."]
    for j, row in enumerate(up):
        for i, ch in enumerate(row):
            if ch != ".":
                img.set(7 + i, 6 + j, NAVY if ch == "K" else GREEN)
    return img


def gradient_bar():
    img = Img(12, 10)
    stops = [0xE0413A, 0xF6C823, 0x3BAA4A, 0x2D64D8]
    for x in range(10):
        t = x / 9.0 * (len(stops) - 1)
        i = min(int(t), len(stops) - 2)
        col = quant(mix(stops[i], stops[i + 1], t - i), 8)
        img.vline(1 + x, 1, 8, col)
    img.rect(0, 0, 11, 9, NAVY)
    img.hline(1, 10, 1, None)
    for x in range(1, 11):
        img.set(x, 1, mix(img.get(x, 2), 0xFFFFFF, 0.45))
    return img


def corner_frame():
    """Grid with a gradient border between four corner colours (12x12)."""
    corners = {(0, 0): 0x2D64D8, (1, 0): 0x3BAA4A, (1, 1): 0xF6C823, (0, 1): 0xE0413A}
    img = Img(12, 12)
    n = 4  # cells per side, 3x3 pixel cells with shared lines
    for cy in range(n):
        for cx in range(n):
            if 0 < cx < n - 1 and 0 < cy < n - 1:
                col = 0xFFFFFF
            else:
                u, v = cx / (n - 1.0), cy / (n - 1.0)
                top = mix(corners[(0, 0)], corners[(1, 0)], u)
                bottom = mix(corners[(0, 1)], corners[(1, 1)], u)
                col = quant(mix(top, bottom, v), 8)
            img.fill(cx * 3 - (1 if cx else 0) + 1, cy * 3 - (1 if cy else 0) + 1,
                     cx * 3 + 1, cy * 3 + 1, col)
    out = Img(12, 12)
    for y in range(11):
        for x in range(11):
            out.px[y][x] = img.px[y + 1][x + 1] if img.px[y + 1][x + 1] is not None else None
    grid = Img(12, 12)
    step = 11 / 4.0
    for i in range(5):
        p = int(round(i * step))
        grid.hline(0, 11, min(p, 11), NAVY)
        grid.vline(min(p, 11), 0, 11, NAVY)
    for y in range(12):
        for x in range(12):
            if grid.px[y][x] is None:
                cx, cy = min(3, int(x / step)), min(3, int(y / step))
                if 0 < cx < 3 and 0 < cy < 3:
                    grid.px[y][x] = 0xFFFFFF
                else:
                    u, v = cx / 3.0, cy / 3.0
                    top = mix(corners[(0, 0)], corners[(1, 0)], u)
                    bottom = mix(corners[(0, 1)], corners[(1, 1)], u)
                    grid.px[y][x] = quant(mix(top, bottom, v), 8)
    return grid


def area_select():
    """Marching-ants rectangle with corner handles (16x16)."""
    img = Img(16, 16)
    for i in range(1, 15):
        ant = NAVY if (i // 2) % 2 == 0 else 0xFFFFFF
        img.set(i, 1, ant)
        img.set(14, i, ant)
        img.set(15 - i, 14, ant)
        img.set(1, 15 - i, ant)
    for hx, hy in ((0, 0), (13, 0), (0, 13), (13, 13)):
        img.fill(hx, hy, hx + 2, hy + 2, NAVY)
        img.set(hx + 1, hy + 1, 0xFFFFFF)
    img.fill(3, 3, 12, 12, 0xD6ECFB)
    img.hline(5, 10, 8, theme.LINE)
    img.vline(8, 5, 10, theme.LINE)
    img.hline(5, 10, 7, None)
    img.fill(5, 7, 10, 7, 0xD6ECFB)
    img.hline(5, 10, 7, theme.LINE)
    img.hline(5, 10, 8, 0xD6ECFB)
    return img


def refresh():
    """Two arrows chasing round a circle (16x16)."""
    img = Img(16, 16)
    color = 0x2E9E44
    arc_arrow(img, 8.0, 8.0, 5.0, 2.2, 20, 150, color, head=3.0)
    arc_arrow(img, 8.0, 8.0, 5.0, 2.2, 200, 330, color, head=3.0)
    return outline_shape(img, NAVY)


def columns(n):
    """n columns of thumbnails (9x7, or 11x7 for three)."""
    spans = {1: [(0, 8)], 2: [(0, 3), (5, 8)], 3: [(0, 2), (4, 6), (8, 10)]}[n]
    img = Img(spans[-1][1] + 1, 7)
    for x0, x1 in spans:
        img.fill(x0, 0, x1, 6, 0x8CC8EE)
        img.rect(x0, 0, x1, 6, NAVY)
    return img


# --- colour-model views, harmonies, presets and mixing -------------------

def view_cartesian(size=13):
    """A square colour plane: hue across, brightness down."""
    img = Img(size, size)
    for y in range(size):
        for x in range(size):
            img.px[y][x] = quant(hue(x * 300.0 / (size - 3), 0.85, 1.0 - 0.55 * y / (size - 1)), 6)
    img.rect(0, 0, size - 1, size - 1, NAVY)
    return img


def view_wheel(size=13):
    """A filled hue disc, white at the centre."""
    c = size / 2.0

    def f(x, y, d, a):
        if d > c - 1:
            return NAVY
        return quant(hue(a, min(1.0, d / (c - 1.5)), 1.0), 5)
    return disc(size, size, c, c, c, f)


def view_ring(size=13):
    """A hue ring with an open middle."""
    c = size / 2.0

    def f(x, y, d, a):
        if d > c - 1 or d < c - 4.2:
            return NAVY
        return quant(hue(round(a / 30.0) * 30), 4)
    img = disc(size, size, c, c, c, f)
    inner = c - 5.2
    for y in range(size):
        for x in range(size):
            if math.hypot(x + 0.5 - c, y + 0.5 - c) < inner:
                img.px[y][x] = None
    return img


def _in_triangle(px, py, pts):
    (x1, y1), (x2, y2), (x3, y3) = pts
    d1 = (px - x2) * (y1 - y2) - (x1 - x2) * (py - y2)
    d2 = (px - x3) * (y2 - y3) - (x2 - x3) * (py - y3)
    d3 = (px - x1) * (y3 - y1) - (x3 - x1) * (py - y1)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


HARMONIES = {
    1: [0],
    2: [0, 180],
    3: [0, 120, -120],
    4: [0, 150, 210],
    5: [0, 180, 90, -90],
    6: [0, 180, 120, -120],
    7: [0, 180, 60, -120],
    8: [0, 30, 90, 60],
}


def harmony(kind, w=16, h=14):
    """A hue ring with markers on the harmony's colours, joined inside."""
    img = Img(w, h)
    cx, cy = w / 2.0, h / 2.0
    r = min(w, h) / 2.0 - 0.3
    for y in range(h):
        for x in range(w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            a = math.degrees(math.atan2(-(y + 0.5 - cy), x + 0.5 - cx)) % 360
            if r - 1.9 <= d <= r:
                img.px[y][x] = quant(hue(90 - a + 360, 0.75, 1.0), 4)  # base hue at the top
    rr = r - 1.0
    pts = []
    for off in HARMONIES[kind]:
        t = math.radians(90 - off)
        pts.append((int(math.floor(cx + rr * math.cos(t))), int(math.floor(cy - rr * math.sin(t))), off))
    ordered = sorted(pts, key=lambda p: p[2] % 360)
    centre = (int(cx) - (1 if w % 2 == 0 else 0), int(cy) - (1 if h % 2 == 0 else 0))
    line = NAVY
    if kind == 8:
        for p in ordered:
            img.line(centre[0], centre[1], p[0], p[1], line)
    elif len(ordered) == 2:
        img.line(ordered[0][0], ordered[0][1], ordered[1][0], ordered[1][1], line)
    elif len(ordered) > 2:
        for i in range(len(ordered)):
            p, q = ordered[i], ordered[(i + 1) % len(ordered)]
            img.line(p[0], p[1], q[0], q[1], line)
    for n, (x, y, off) in enumerate(pts):
        img.fill(x - 1, y - 1, x + 1, y + 1, NAVY)
        img.set(x, y, 0xFFFFFF if n == 0 else quant(hue(off % 360), 4))
    return img


PRESETS = {
    1: [(255, 0, 0), (255, 255, 0), (0, 255, 0), (0, 255, 255), (0, 0, 255), (255, 0, 255)],
    2: [(255, 0, 0), (255, 0, 255), (0, 191, 255), (0, 128, 0), (255, 255, 0), (255, 128, 0)],
    3: [(223, 26, 25), (97, 46, 128), (32, 101, 167), (0, 131, 78), (243, 226, 0), (239, 131, 20)],
}


def preset(kind, w=16, h=14):
    """The six base colours of a preset as a pie, first colour at the top."""
    cols = [(r << 16) | (g << 8) | b for r, g, b in PRESETS[kind]]
    cx, cy, r = w / 2.0, h / 2.0, min(w, h) / 2.0

    def f(x, y, d, a):
        if d > r - 1:
            return NAVY
        if d < 1.6:
            return 0xFFFFFF
        part = int(((90 - a) % 360 + 30) // 60) % 6
        return cols[part]
    return disc(w, h, cx, cy, r, f)


def venn(kind, w=16, h=11):
    """Two overlapping discs showing how colours mix."""
    left, right = 0xE0413A, 0x2D64D8
    r = 5.3
    c1, c2 = (5.5, 5.5), (10.5, 5.5)
    img = Img(w, h)
    for y in range(h):
        for x in range(w):
            px, py = x + 0.5, y + 0.5
            in1 = math.hypot(px - c1[0], py - c1[1]) <= r
            in2 = math.hypot(px - c2[0], py - c2[1]) <= r
            edge1 = in1 and math.hypot(px - c1[0], py - c1[1]) > r - 1.1
            edge2 = in2 and math.hypot(px - c2[0], py - c2[1]) > r - 1.1
            col = None
            if kind == "average":
                col = mix(left, right, 0.5) if in1 and in2 else left if in1 else right if in2 else None
            elif kind == "and":
                col = theme.LINE if in1 and in2 else 0xFFFFFF if in1 or in2 else None
            elif kind == "or":
                col = theme.LINE if in1 or in2 else None
            elif kind == "xor":
                col = 0xFFFFFF if in1 and in2 else theme.LINE if in1 or in2 else None
            elif kind == "replace":
                col = right if in2 else 0xFFFFFF if in1 else None
            if col is not None and (edge1 or edge2):
                if kind != "replace" or edge2 or not in2:
                    col = NAVY
            img.px[y][x] = col
    return img
