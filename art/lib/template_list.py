"""Layout templates for the colour panel's preview (80x40, two to four colours).

Each template is drawn in palette entries only: the program writes the colour
slots into the first entries (two colours: entry 1 = slot 1, entry 0 = slot 2;
three: 2, 1, 0 = slots 1, 2, 3; four: 3, 2, 1, 0 = slots 1..4), so slot 2 is
the ground, slot 1 the text and slots 3 and 4 the accents. The tag is the
number of colours.
"""

import math

import gif
from canvas import Img
from catalog import ImageList
import text

W, H = 80, 40
# The colour slots' first-start colours, so a template looks right before recolouring.
SLOT = [0xFFFFFF, 0x000000, 0x0080C0, 0xFF99FF]


def roles(n):
    """Palette entry of slot 1..n for an n-colour template."""
    return {slot: n - slot for slot in range(1, n + 1)}


class Sheet:
    def __init__(self, n):
        self.n = n
        self.e = roles(n)
        self.img = Img(W, H, self.e[2])    # the ground is slot 2

    def fill(self, x0, y0, x1, y1, slot):
        self.img.fill(x0, y0, x1, y1, self.e[slot])

    def disc(self, cx, cy, r, slot, inner=0.0):
        for y in range(H):
            for x in range(W):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if inner <= d <= r:
                    self.img.px[y][x] = self.e[slot]

    def round_rect(self, x0, y0, x1, y1, slot):
        self.fill(x0 + 1, y0, x1 - 1, y1, slot)
        self.fill(x0, y0 + 1, x1, y1 - 1, slot)

    def write(self, glyphs, s, x, y, slot, scale=1):
        t = text.render(glyphs, s, 1)
        for ty in range(t.h):
            for tx in range(t.w):
                if t.px[ty][tx] is not None:
                    self.fill(x + tx * scale, y + ty * scale, x + tx * scale + scale - 1,
                              y + ty * scale + scale - 1, slot)

    def lines(self, x0, y0, widths, slot, gap=4):
        for i, w in enumerate(widths):
            self.fill(x0, y0 + i * gap, x0 + w - 1, y0 + i * gap + 1, slot)


def t_text(g):
    s = Sheet(2)
    s.write(g, "Aa", 5, 7, 1, scale=2)
    s.lines(36, 8, [38, 34, 38, 26, 36, 20], 1)
    return s, "text on a ground"


def t_logo(g):
    s = Sheet(2)
    s.disc(20, 20, 15, 1)
    s.disc(20, 20, 11, 2)
    s.disc(20, 20, 6, 1)
    s.write(g, "Kolo", 40, 12, 1)
    s.lines(40, 25, [34, 26], 1)
    return s, "an emblem with a name"


def t_pattern(g):
    s = Sheet(2)
    for y in range(H):
        for x in range(W):
            if (x + y) % 10 < 4:
                s.img.px[y][x] = s.e[1]
    s.fill(18, 10, 61, 29, 2)
    s.write(g, "Sale", 30, 16, 1)
    return s, "a pattern behind a label"


def t_page(g):
    s = Sheet(3)
    s.fill(0, 0, W - 1, 8, 3)
    s.write(g, "Title", 3, 1, 1)
    s.lines(4, 13, [60, 70, 52, 66, 40, 58], 1)
    return s, "a page with a title bar"


def t_buttons(g):
    s = Sheet(3)
    s.round_rect(6, 8, 37, 20, 3)
    s.write(g, "OK", 16, 11, 1)
    s.round_rect(43, 8, 74, 20, 1)
    s.write(g, "Cancel", 45, 11, 3)
    s.lines(6, 27, [68, 50], 3)
    return s, "two buttons"


def t_card(g):
    s = Sheet(3)
    s.fill(0, 26, W - 1, H - 1, 3)
    s.disc(14, 14, 9, 3)
    s.write(g, "Name", 28, 6, 1)
    s.lines(28, 17, [44], 1)
    s.lines(6, 31, [40, 28], 1)
    return s, "a card with a band"


def t_site(g):
    s = Sheet(4)
    s.fill(0, 0, W - 1, 7, 3)
    s.fill(0, 8, 17, H - 1, 4)
    s.lines(3, 12, [12, 10, 12, 9, 11], 1)
    s.write(g, "Home", 22, 0, 1)
    s.lines(22, 12, [52, 46, 54, 40, 50, 30], 1)
    return s, "a site with a side bar"


def t_chart(g):
    s = Sheet(4)
    bars = [(6, 22, 1), (16, 12, 3), (26, 28, 4), (36, 8, 1), (46, 18, 3), (56, 26, 4), (66, 15, 1)]
    for x, top, slot in bars:
        s.fill(x, top, x + 7, 35, slot)
    s.fill(3, 36, 76, 36, 1)
    return s, "a bar chart"


def t_landscape(g):
    s = Sheet(4)
    s.disc(62, 11, 7, 4)
    for x in range(W):
        hill = int(26 + 6 * math.sin(x / 9.0))
        s.fill(x, hill, x, H - 1, 3)
        near = int(33 + 3 * math.sin(x / 6.0 + 2))
        s.fill(x, near, x, H - 1, 1)
    return s, "a landscape"


def t_badges(g):
    s = Sheet(4)
    for i, slot in enumerate((1, 3, 4)):
        s.disc(16 + i * 24, 20, 11, slot)
        s.disc(16 + i * 24, 20, 5, 2)
    return s, "three badges"


TEMPLATES = [t_text, t_logo, t_pattern, t_page, t_buttons, t_card, t_site, t_chart,
             t_landscape, t_badges]


def build(glyphs):
    L = ImageList("template", "Layout templates", "kTemplateImg",
                  "colour panel preview and layout picker (`PeviewImageList`)")
    L.notes = ("80×40 pictures in two to four colours; the tag is the number of colours. "
               "Entry n−1 of the colour table takes slot 1, entry n−2 slot 2 and so on, so "
               "slot 2 is the ground, slot 1 the text and slots 3 and 4 the accents.")
    for i, fn in enumerate(TEMPLATES):
        sheet, what = fn(glyphs)
        n = sheet.n
        pal = [0] * n
        for slot, entry in sheet.e.items():
            pal[entry] = SLOT[slot - 1]
        flat = [p for row in sheet.img.px for p in row]
        name = "layout%d_%dcolors" % (i + 1, n)
        shown = Img(W, H)
        shown.px = [[pal[p] for p in row] for row in sheet.img.px]
        L.put(i, name, shown, "layout %d: %s" % (i + 1, what), tag=n)
        L.items[i].gif_bytes = gif.encode_indexed(W, H, pal, [flat])
        L.where[name] = "`PreviewImg`, `ViewImageList`"
    return L
