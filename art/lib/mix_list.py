"""The seven colouring pictures of the mixing tab (256x256, 64-entry table).

Colour table layout, which the mixing tab relies on:
  0..5   swatches that can be picked: white, black, red, green, blue, yellow
  6      background (no colour)           7      outlines (no colour)
  8, 9   the eraser, in two tones
  10..36 the 27 paintable areas            37..63 each area's companion
An empty area holds (254,255,255) and its companion the sky blue; the area's
pixels are drawn as a hatch of both, so an empty area looks unpainted and a
painted one (both entries equal) looks solid.
"""

import math

import gif
from canvas import Img
from catalog import ImageList
import theme

SIZE = 256
BACK, LINE_I, ERASER_A, ERASER_B, AREA0 = 6, 7, 8, 9, 10
SWATCH_COLOURS = [0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00]


def palette():
    pal = SWATCH_COLOURS + [0xA6CAF0, 0x0080C0, 0xBBBBBB, 0xFFFFFD]
    pal += [0xFEFFFF] * 27
    pal += [0xA6CAF0] * 27
    return pal


class Plan:
    """Area numbers painted shape by shape; later shapes cover earlier ones."""

    def __init__(self):
        self.ids = [[-1] * SIZE for _ in range(SIZE)]
        self.count = 0

    def new(self):
        if self.count >= 27:
            raise ValueError("more than 27 areas")
        self.count += 1
        return self.count - 1

    def _put(self, x, y, k):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.ids[y][x] = k

    def polygon(self, pts, k=None):
        k = self.new() if k is None else k
        ys = [p[1] for p in pts]
        for y in range(max(0, int(min(ys))), min(SIZE, int(max(ys)) + 1)):
            cy = y + 0.5
            xs = []
            for i in range(len(pts)):
                (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % len(pts)]
                if (y1 <= cy < y2) or (y2 <= cy < y1):
                    xs.append(x1 + (cy - y1) * (x2 - x1) / (y2 - y1))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                    self._put(x, y, k)
        return k

    def rect(self, x0, y0, x1, y1, k=None):
        return self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], k)

    def ellipse(self, cx, cy, rx, ry, k=None, a0=None, a1=None, inner=0.0):
        """An ellipse, or a sector/ring of it (angles in degrees, 0 = right, clockwise)."""
        k = self.new() if k is None else k
        for y in range(max(0, int(cy - ry) - 1), min(SIZE, int(cy + ry) + 2)):
            for x in range(max(0, int(cx - rx) - 1), min(SIZE, int(cx + rx) + 2)):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                d = math.hypot(dx, dy)
                if d > 1.0 or d < inner:
                    continue
                if a0 is not None:
                    a = math.degrees(math.atan2(dy, dx)) % 360
                    if not ((a0 <= a < a1) if a0 < a1 else (a >= a0 or a < a1)):
                        continue
                self.ids[y][x] = k
        return k


def tilted(plan, cx, cy, rx, ry, deg, k=None):
    """An ellipse turned by deg degrees (clockwise on screen)."""
    k = plan.new() if k is None else k
    t = math.radians(deg)
    c, s_ = math.cos(t), math.sin(t)
    reach = int(max(rx, ry)) + 2
    for y in range(max(0, int(cy) - reach), min(SIZE, int(cy) + reach)):
        for x in range(max(0, int(cx) - reach), min(SIZE, int(cx) + reach)):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            u = (dx * c + dy * s_) / rx
            v = (-dx * s_ + dy * c) / ry
            if u * u + v * v <= 1.0:
                plan.ids[y][x] = k
    return k


def render(plan, line_width=2):
    """Indexed pixels: outlines where areas meet, hatched empty areas, the tools."""
    ids = plan.ids
    out = [BACK] * (SIZE * SIZE)
    r = line_width // 2
    for y in range(SIZE):
        for x in range(SIZE):
            k = ids[y][x]
            edge = False
            for dy in range(-r, line_width - r):
                for dx in range(-r, line_width - r):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < SIZE and 0 <= ny < SIZE and ids[ny][nx] != k:
                        edge = True
            if edge and (k >= 0 or any(ids[y + j][x + i] >= 0 for i in (-1, 0, 1) for j in (-1, 0, 1)
                                       if 0 <= x + i < SIZE and 0 <= y + j < SIZE)):
                out[y * SIZE + x] = LINE_I
            elif k >= 0:
                hatch = (x - y) % 4 == 0
                out[y * SIZE + x] = (AREA0 + 27 + k) if hatch else (AREA0 + k)
    _tools(out)
    return out


def _tools(out):
    """The six colour swatches and the eraser along the bottom edge."""
    y0, side = 236, 16
    for i in range(7):
        x0 = 8 + i * 22 if i < 6 else 232
        for y in range(y0, y0 + side):
            for x in range(x0, x0 + side):
                border = x in (x0, x0 + side - 1) or y in (y0, y0 + side - 1)
                if border:
                    v = LINE_I
                elif i < 6:
                    v = i
                else:
                    v = ERASER_A if ((x - x0) // 4 + (y - y0) // 4) % 2 else ERASER_B
                out[y * SIZE + x] = v


# --- the drawings ---------------------------------------------------------

TOP, BOTTOM, LEFT, RIGHT = 6, 228, 6, 250


def composition():
    p = Plan()
    cols = [LEFT, 70, 150, 200, RIGHT]
    rows = [TOP, 60, 150, BOTTOM]
    skip = {(1, 1), (2, 1)}
    for j in range(3):
        for i in range(4):
            if (i, j) in skip:
                continue
            p.rect(cols[i], rows[j], cols[i + 1], rows[j + 1])
    p.rect(cols[1], rows[1], cols[3], rows[2])          # the wide middle panel
    p.ellipse(128, 105, 38, 38)                          # a disc on it
    p.ellipse(128, 105, 20, 20)
    p.polygon([(20, 220), (60, 160), (100, 220)])       # triangle
    p.rect(205, 170, 240, 205)
    p.ellipse(222, 34, 18, 18)
    return p


def house():
    p = Plan()
    p.rect(LEFT, TOP, RIGHT, BOTTOM)                     # sky
    p.ellipse(210, 42, 22, 22)                           # sun
    p.ellipse(70, 40, 30, 14)                            # cloud
    p.ellipse(98, 48, 22, 11)
    p.polygon([(LEFT, 170), (60, 130), (130, 160), (200, 120), (RIGHT, 150), (RIGHT, BOTTOM), (LEFT, BOTTOM)])
    p.polygon([(LEFT, 200), (90, 180), (170, 195), (RIGHT, 185), (RIGHT, BOTTOM), (LEFT, BOTTOM)])
    p.rect(60, 120, 150, 200)                            # wall
    p.polygon([(50, 122), (105, 78), (160, 122)])        # roof
    p.rect(125, 82, 139, 104)                            # chimney
    p.rect(95, 150, 117, 200)                            # door
    p.rect(70, 135, 88, 155)                             # windows
    p.rect(124, 135, 142, 155)
    p.ellipse(200, 140, 28, 34)                          # tree crown
    p.rect(194, 170, 206, 205)                           # trunk
    p.polygon([(100, 200), (112, 200), (130, BOTTOM), (80, BOTTOM)])  # path
    p.ellipse(30, 205, 14, 8)                            # bush
    return p


def flower():
    p = Plan()
    p.ellipse(128, 100, 120, 100)                        # halo
    for i in range(6):
        a = math.radians(i * 60 - 90)
        p.ellipse(128 + 42 * math.cos(a), 86 + 42 * math.sin(a), 26, 26)
    p.ellipse(128, 86, 22, 22)                           # heart
    p.ellipse(128, 86, 10, 10)
    p.polygon([(124, 108), (132, 108), (134, 190), (122, 190)])  # stem
    p.polygon([(126, 160), (80, 130), (70, 150), (100, 168)])    # leaves
    p.polygon([(130, 150), (180, 125), (188, 145), (150, 162)])
    p.polygon([(86, 186), (170, 186), (160, BOTTOM), (96, BOTTOM)])  # pot
    p.rect(80, 180, 176, 192)                            # rim
    return p


def web_page():
    p = Plan()
    p.rect(LEFT, TOP, RIGHT, BOTTOM)                     # page
    p.rect(LEFT, TOP, RIGHT, 38)                         # header
    p.ellipse(26, 22, 12, 12)                            # logo
    for i in range(4):
        p.rect(120 + i * 32, 14, 146 + i * 32, 30)       # menu
    p.rect(16, 48, 240, 100)                             # banner
    p.polygon([(30, 96), (80, 60), (120, 96)])
    p.ellipse(200, 70, 14, 14)
    p.rect(16, 110, 70, 200)                             # side bar
    for i in range(3):
        p.rect(80 + i * 54, 110, 126 + i * 54, 150)      # cards
    p.rect(80, 160, 240, 172)                            # text lines
    p.rect(80, 180, 200, 192)
    p.rect(190, 196, 240, 214)                           # button
    p.rect(LEFT, 218, RIGHT, BOTTOM)                     # footer
    return p


def fish():
    p = Plan()
    p.rect(LEFT, TOP, RIGHT, BOTTOM)                     # water
    p.polygon([(LEFT, 200), (60, 190), (120, 205), (190, 192), (RIGHT, 200), (RIGHT, BOTTOM), (LEFT, BOTTOM)])
    p.ellipse(40, 190, 26, 16)                           # rock
    p.polygon([(200, 200), (196, 120), (210, 90), (206, 150), (216, 200)])  # weed
    p.polygon([(224, 200), (232, 140), (244, 120), (236, 170), (240, 200)])
    p.polygon([(62, 100), (20, 60), (28, 100), (20, 140)])  # tail
    p.ellipse(120, 100, 64, 42)                          # body
    p.polygon([(90, 62), (120, 30), (150, 62)])          # top fin
    p.polygon([(110, 138), (130, 165), (145, 136)])      # lower fin
    for i, x in enumerate((95, 120, 145)):
        p.ellipse(x, 100, 7, 36 - i * 4)                 # stripes
    p.ellipse(162, 90, 9, 9)                             # eye
    p.ellipse(164, 89, 4, 4)
    for x, y, r in ((196, 60, 8), (210, 36, 6), (186, 22, 4)):
        p.ellipse(x, y, r, r)                            # bubbles
    p.ellipse(60, 168, 16, 8)                            # small fish
    return p


def mandala():
    p = Plan()
    rings = [(118, 88), (88, 60), (60, 34)]
    for outer, inner in rings:
        for s in range(8 if outer > 100 else 6):
            n = 8 if outer > 100 else 6
            off = 0 if outer != 88 else 30
            p.ellipse(128, 117, outer, outer * 0.93, a0=(s * 360 / n + off) % 360,
                      a1=((s + 1) * 360 / n + off) % 360 or 360, inner=inner / float(outer))
    p.ellipse(128, 117, 34, 34 * 0.93)
    p.ellipse(128, 117, 14, 14)
    return p


def butterfly():
    p = Plan()
    p.ellipse(128, 118, 118, 108)                        # sky disc
    tilted(p, 80, 78, 56, 36, -35)                       # upper wings
    tilted(p, 176, 78, 56, 36, 35)
    tilted(p, 92, 160, 40, 26, 35)                       # lower wings
    tilted(p, 164, 160, 40, 26, -35)
    p.ellipse(70, 70, 16, 12)                            # spots
    p.ellipse(186, 70, 16, 12)
    p.ellipse(88, 162, 11, 9)
    p.ellipse(168, 162, 11, 9)
    p.ellipse(128, 128, 9, 56)                           # body
    p.ellipse(128, 70, 11, 11)                           # head
    p.polygon([(126, 62), (100, 30), (103, 28), (129, 60)])  # feelers
    p.polygon([(130, 62), (156, 30), (153, 28), (127, 60)])
    p.ellipse(101, 29, 6, 6)
    p.ellipse(155, 29, 6, 6)
    return p


DRAWINGS = [
    (composition, "shapes in a grid"),
    (house, "a house in a landscape"),
    (flower, "a flower in a pot"),
    (web_page, "a web page"),
    (fish, "a fish under water"),
    (mandala, "a round ornament"),
    (butterfly, "a butterfly"),
]


def pictures():
    """[(indexed pixels, plan, description)] for the seven drawings."""
    out = []
    for fn, text in DRAWINGS:
        plan = fn()
        out.append((render(plan), plan, text))
    return out


def build(glyphs, drawn=None):
    L = ImageList("mix", "Colouring pictures", "kMixImg", "mixing tab (`MixImageList`)")
    L.notes = ("256×256 pictures with a 64-entry colour table: 0–5 the swatches white, black, "
               "red, green, blue, yellow; 6 background; 7 outlines; 8, 9 the eraser; 10–36 the "
               "paintable areas, empty as (254,255,255); 37–63 their companions, empty as the "
               "sky blue. Empty areas show as a hatch of the two.")
    pal = palette()
    for n, (pixels, plan, text) in enumerate(drawn or pictures()):
        count = plan.count
        data = gif.encode_indexed(SIZE, SIZE, pal, [pixels])
        shown = Img(SIZE, SIZE)
        shown.px = [[pal[pixels[y * SIZE + x]] for x in range(SIZE)] for y in range(SIZE)]
        L.put(n, "palette%d_new_notfill" % (n + 1), shown,
              "colouring picture %d: %s, %d areas" % (n + 1, text, count),
              caption="palette%d_new_notfill.gif" % (n + 1))
        L.items[n].gif_bytes = data  # keeps the table layout exactly
        L.where["palette%d_new_notfill" % (n + 1)] = "`MixPaletteImg`, picture %d" % (n + 1)
    return L
