"""Layout templates for the colour panel's preview (80x40, two to four colours).

Each template is drawn in palette entries only: the program writes the colour
slots into the first entries (two colours: entry 1 = slot 1, entry 0 = slot 2;
three: 2, 1, 0 = slots 1, 2, 3; four: 3, 2, 1, 0 = slots 1..4), so slot 2 is
the ground, slot 1 the text and slots 3 and 4 the accents. The tag is the
number of colours.

The drawings are small web pages and screens a designer would try a colour
scheme on. They are grouped by their number of colours; the preview starts on
DEFAULT, a home page in four colours.
"""

import math

import gif
from canvas import Img
from catalog import ImageList
import text

W, H = 80, 40
# The colour slots' first-start colours, so a template looks right before recolouring.
SLOT = [0xFFFFFF, 0x000000, 0x0080C0, 0xFF99FF]
DEFAULT = 33

# A 3x5 face for the small print of the layouts (menu items, prices, labels).
MICRO = {
    "A": "010101111101101", "B": "110101110101110", "C": "011100100100011",
    "D": "110101101101110", "E": "111100110100111", "F": "111100110100100",
    "G": "011100101101011", "H": "101101111101101", "I": "111010010010111",
    "J": "001001001101010", "K": "101101110101101", "L": "100100100100111",
    "M": "101111111101101", "N": "110101101101101", "O": "010101101101010",
    "P": "110101110100100", "Q": "010101101110011", "R": "110101110101101",
    "S": "011100010001110", "T": "111010010010010", "U": "101101101101111",
    "V": "101101101101010", "W": "101101111111101", "X": "101101010101101",
    "Y": "101101010010010", "Z": "111001010100111",
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111",
    "3": "111001111001111", "4": "101101111001001", "5": "111100111001111",
    "6": "111100111101111", "7": "111001010010010", "8": "111101111101111",
    "9": "111101111001111", ".": "000000000000010", ":": "000010000010000",
    "-": "000000111000000", "+": "000010111010000", "/": "001001010100100",
    "%": "101001010100101", "!": "010010010000010",
    ">": "100010001010100", "<": "001010100010001", "=": "000111000111000",
    "(": "010100100100010", ")": "010001001001010", "\"": "101101000000000",
    " ": "000000000000000",
}


def micro_width(s):
    return 4 * len(s) - 1 if s else 0


def roles(n):
    """Palette entry of slot 1..n for an n-colour template."""
    return {slot: n - slot for slot in range(1, n + 1)}


class Sheet:
    def __init__(self, n, glyphs):
        self.n = n
        self.g = glyphs
        self.e = roles(n)
        self.img = Img(W, H, self.e[2])    # the ground is slot 2

    def fill(self, x0, y0, x1, y1, slot):
        self.img.fill(x0, y0, x1, y1, self.e[slot])

    def px(self, x, y, slot):
        self.img.set(x, y, self.e[slot])

    def frame(self, x0, y0, x1, y1, slot):
        self.img.rect(x0, y0, x1, y1, self.e[slot])

    def line(self, x0, y0, x1, y1, slot):
        self.img.line(x0, y0, x1, y1, self.e[slot])

    def disc(self, cx, cy, r, slot, inner=0.0):
        for y in range(H):
            for x in range(W):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if inner <= d <= r:
                    self.img.px[y][x] = self.e[slot]

    def round_rect(self, x0, y0, x1, y1, slot):
        self.fill(x0 + 1, y0, x1 - 1, y1, slot)
        self.fill(x0, y0 + 1, x1, y1 - 1, slot)

    def round_frame(self, x0, y0, x1, y1, slot):
        self.fill(x0 + 1, y0, x1 - 1, y0, slot)
        self.fill(x0 + 1, y1, x1 - 1, y1, slot)
        self.fill(x0, y0 + 1, x0, y1 - 1, slot)
        self.fill(x1, y0 + 1, x1, y1 - 1, slot)

    def write(self, s, x, y, slot, scale=1):
        t = text.render(self.g, s, 1)
        for ty in range(t.h):
            for tx in range(t.w):
                if t.px[ty][tx] is not None:
                    self.fill(x + tx * scale, y + ty * scale, x + tx * scale + scale - 1,
                              y + ty * scale + scale - 1, slot)

    def write_width(self, s):
        return text.width(self.g, s)

    def micro(self, s, x, y, slot):
        for ch in s.upper():
            bits = MICRO[ch]
            for i, b in enumerate(bits):
                if b == "1":
                    self.px(x + i % 3, y + i // 3, slot)
            x += 4
        return x

    def micro_centred(self, s, x0, x1, y, slot):
        self.micro(s, x0 + (x1 - x0 + 1 - micro_width(s)) // 2, y, slot)

    def lines(self, x0, y0, widths, slot, gap=4, h=2):
        for i, w in enumerate(widths):
            self.fill(x0, y0 + i * gap, x0 + w - 1, y0 + i * gap + h - 1, slot)

    def thin(self, x0, y0, widths, slot, gap=3):
        self.lines(x0, y0, widths, slot, gap, 1)


# --- two colours: ground and text -------------------------------------------

def t_text(s):
    s.write("Aa", 5, 7, 1, scale=2)
    s.lines(36, 8, [38, 34, 38, 26, 36, 20], 1)
    return "text on a ground"


def t_logo(s):
    s.disc(20, 20, 15, 1)
    s.disc(20, 20, 11, 2)
    s.disc(20, 20, 6, 1)
    s.write("Kolo", 40, 12, 1)
    s.lines(40, 25, [34, 26], 1)
    return "an emblem with a name"


def t_pattern(s):
    for y in range(H):
        for x in range(W):
            if (x + y) % 10 < 4:
                s.px(x, y, 1)
    s.fill(18, 10, 61, 29, 2)
    s.write("Sale", 30, 16, 1)
    return "a pattern behind a label"


def t_letter(s):
    s.fill(4, 3, 10, 9, 1)
    s.fill(6, 5, 8, 7, 2)
    s.thin(13, 4, [18, 12], 1)
    s.micro("12.05", 57, 3, 1)
    s.thin(4, 14, [14], 1)
    s.thin(4, 18, [72, 66, 70, 40], 1)
    s.thin(4, 28, [68, 52], 1)
    for x in range(50, 74):
        s.px(x, 35 + int(round(1.6 * math.sin((x - 50) / 2.2))), 1)
    return "a letter"


def t_login(s):
    s.frame(18, 2, 61, 37, 1)
    s.micro_centred("SIGN IN", 18, 61, 5, 1)
    s.frame(23, 12, 56, 17, 1)
    s.thin(25, 14, [10], 1, 1)
    s.frame(23, 20, 56, 25, 1)
    for x in (25, 28, 31, 34, 37):
        s.fill(x, 22, x + 1, 23, 1)
    s.round_rect(23, 28, 56, 34, 1)
    s.micro_centred("OK", 23, 56, 29, 2)
    return "a sign-in form"


def t_wireframe(s):
    s.frame(2, 2, 77, 9, 1)
    s.fill(4, 4, 9, 7, 1)
    s.thin(50, 5, [7], 1)
    s.thin(60, 5, [7], 1)
    s.thin(70, 5, [5], 1)
    s.frame(2, 12, 37, 37, 1)
    s.line(2, 12, 37, 37, 1)
    s.line(37, 12, 2, 37, 1)
    s.lines(42, 13, [30], 1)
    s.thin(42, 19, [35, 31, 35, 24], 1)
    s.frame(42, 31, 61, 37, 1)
    return "a wireframe page"


def t_terminal(s):
    s.fill(0, 0, W - 1, 6, 1)
    for i in range(3):
        s.fill(3 + i * 6, 2, 5 + i * 6, 4, 2)
    s.micro_centred("SHELL", 0, 79, 1, 2)
    s.micro("> DIR", 3, 10, 1)
    s.thin(7, 17, [30], 1)
    s.thin(7, 20, [24], 1)
    s.micro("> RUN", 3, 24, 1)
    s.thin(7, 31, [44], 1)
    s.micro(">", 3, 34, 1)
    s.fill(8, 34, 10, 38, 1)
    return "a terminal window"


def t_business_card(s):
    s.frame(1, 1, 78, 38, 1)
    s.frame(3, 3, 76, 36, 1)
    s.disc(17, 20, 9, 1)
    s.disc(17, 20, 5, 2)
    s.write("Kolo", 31, 8, 1)
    s.thin(31, 21, [38, 28], 1)
    s.micro("0123 456", 31, 29, 1)
    return "a business card"


def t_calendar(s):
    s.fill(0, 0, W - 1, 7, 1)
    s.micro_centred("MAY", 0, 79, 1, 2)
    day = 1
    for row in range(4):
        for col in range(7):
            x, y = 3 + col * 11, 10 + row * 7
            label = str(day)
            if day == 17:
                s.fill(x - 1, y - 1, x + 8, y + 5, 1)
                s.micro_centred(label, x - 1, x + 8, y, 2)
            else:
                s.micro_centred(label, x - 1, x + 8, y, 1)
            day += 1
    return "a calendar month"


def t_coupon(s):
    for x in range(1, 79):
        if x % 5 < 3:
            s.px(x, 1, 1)
            s.px(x, 38, 1)
    for y in range(1, 39):
        if y % 5 < 3:
            s.px(1, y, 1)
            s.px(78, y, 1)
    s.write("-50", 6, 8, 1, scale=2)
    s.micro("%", 42, 9, 1)
    s.micro("OFF", 42, 17, 1)
    s.fill(58, 6, 58, 33, 1)
    s.micro("CODE", 62, 10, 1)
    s.micro("K10", 63, 18, 1)
    s.thin(6, 31, [46], 1)
    return "a discount coupon"


def t_icons(s):
    glyphs = ["plus", "ring", "bars", "heart", "box", "check", "dots", "arrow"]
    for i, glyph in enumerate(glyphs):
        x, y = 6 + (i % 4) * 19, 3 + (i // 4) * 19
        s.round_rect(x, y, x + 11, y + 11, 1)
        cx, cy = x + 6, y + 6
        if glyph == "plus":
            s.fill(cx - 1, y + 2, cx, y + 9, 2)
            s.fill(x + 2, cy - 1, x + 9, cy, 2)
        elif glyph == "ring":
            s.disc(cx, cy, 4.2, 2, 2.2)
        elif glyph == "bars":
            for j, h in enumerate((3, 6, 4)):
                s.fill(x + 2 + j * 3, y + 9 - h, x + 3 + j * 3, y + 9, 2)
        elif glyph == "heart":
            for py in range(y + 1, y + 11):
                for px in range(x + 1, x + 11):
                    u, v = (px + 0.5 - cx) / 4.2, -(py + 0.5 - cy - 0.3) / 4.2
                    if (u * u + v * v - 1) ** 3 - u * u * v ** 3 <= 0:
                        s.px(px, py, 2)
        elif glyph == "box":
            s.frame(x + 2, y + 2, x + 9, y + 9, 2)
        elif glyph == "check":
            s.line(x + 2, cy, x + 4, cy + 2, 2)
            s.line(x + 4, cy + 2, x + 9, y + 3, 2)
        elif glyph == "dots":
            for j in range(3):
                s.fill(x + 2 + j * 3, cy - 1, x + 3 + j * 3, cy, 2)
        elif glyph == "arrow":
            s.fill(x + 2, cy - 1, x + 7, cy, 2)
            s.line(x + 6, y + 3, x + 9, cy, 2)
            s.line(x + 9, cy, x + 6, y + 9, 2)
        s.thin(x + 1, y + 14, [10], 1)
    return "an app launcher"


def t_article(s):
    w = s.write_width("Daily")
    s.write("Daily", (W - w) // 2, 0, 1)
    s.fill(2, 10, 77, 10, 1)
    s.fill(2, 12, 77, 12, 1)
    s.lines(2, 15, [23], 1)
    s.thin(2, 19, [23, 21, 23, 23, 18, 23], 1)
    s.fill(28, 15, 51, 26, 1)
    s.thin(28, 29, [23, 20, 23], 1)
    s.thin(54, 15, [24, 22, 24, 24, 20, 24, 24, 15], 1)
    return "a newspaper page"


# --- three colours: ground, text and an accent -------------------------------

def t_page(s):
    s.fill(0, 0, W - 1, 8, 3)
    s.write("Title", 3, 1, 1)
    s.lines(4, 13, [60, 70, 52, 66, 40, 58], 1)
    return "a page with a title bar"


def t_buttons(s):
    s.round_rect(6, 8, 37, 20, 3)
    s.write("OK", 16, 11, 1)
    s.round_rect(43, 8, 74, 20, 1)
    s.write("Cancel", 45, 11, 3)
    s.lines(6, 27, [68, 50], 3)
    return "two buttons"


def t_card(s):
    s.fill(0, 26, W - 1, H - 1, 3)
    s.disc(14, 14, 9, 3)
    s.write("Name", 28, 6, 1)
    s.lines(28, 17, [44], 1)
    s.lines(6, 31, [40, 28], 1)
    return "a card with a band"


def t_navbar(s):
    s.disc(6, 5, 3.6, 3)
    s.micro("HOME", 26, 3, 1)
    s.micro("SHOP", 44, 3, 3)
    s.micro("HELP", 62, 3, 1)
    s.fill(44, 9, 58, 9, 3)
    s.fill(0, 11, W - 1, 11, 3)
    s.write("Hello", 4, 15, 1)
    s.thin(4, 27, [44, 36], 1)
    s.round_rect(54, 16, 75, 24, 3)
    s.micro_centred("START", 54, 75, 18, 1)
    return "a landing page with a menu"


def t_blog(s):
    s.fill(0, 0, W - 1, 8, 3)
    s.micro("BLOG", 4, 2, 1)
    s.lines(4, 12, [40], 3)
    s.micro("12.05", 4, 16, 3)
    s.thin(4, 23, [46, 42, 46, 44, 30], 1)
    s.fill(54, 11, 54, 37, 3)
    for i, w in enumerate((16, 12, 18, 10)):
        s.round_rect(58, 12 + i * 6, 58 + w, 16 + i * 6, 3)
    return "a blog with a side column"


def t_form(s):
    for i, label in enumerate(("NAME", "MAIL")):
        y = 4 + i * 9
        s.micro(label, 4, y + 1, 1)
        s.frame(24, y - 1, 75, y + 5, 3)
    s.micro("NOTE", 4, 23, 1)
    s.frame(24, 21, 75, 31, 3)
    s.thin(26, 23, [30, 22], 1)
    s.round_rect(52, 33, 75, 39, 3)
    s.micro_centred("SEND", 52, 75, 34, 1)
    return "a form with fields"


def t_pricing(s):
    columns = [(3, 25, False, "FREE"), (28, 51, True, "4.99"), (54, 76, False, "9.99")]
    for x0, x1, best, price in columns:
        if best:
            s.fill(x0, 1, x1, 38, 3)
            ink = 1
        else:
            s.frame(x0, 4, x1, 35, 1)
            ink = 1
        top = 4 if best else 7
        s.micro_centred(price, x0, x1, top, ink)
        for j in range(3):
            s.fill(x0 + 4, top + 9 + j * 4, x1 - 4, top + 9 + j * 4, ink)
        if best:
            s.round_rect(x0 + 3, 29, x1 - 3, 35, 2)
            s.micro_centred("BUY", x0 + 3, x1 - 3, 30, 1)
        else:
            s.fill(x0 + 4, 28, x1 - 4, 31, 3)
    return "price columns"


def t_dialog(s):
    for y in range(2, H, 4):
        s.thin(3, y, [30 + (y * 7) % 40], 3)
    s.fill(10, 5, 69, 35, 2)
    s.frame(10, 5, 69, 35, 1)
    s.fill(11, 6, 68, 12, 3)
    s.micro("SAVE", 13, 7, 1)
    s.fill(63, 7, 66, 10, 1)
    s.disc(20, 21, 5, 3)
    s.fill(19, 17, 20, 21, 1)
    s.fill(19, 23, 20, 24, 1)
    s.thin(30, 17, [34, 28, 32], 1)
    s.round_rect(30, 25, 47, 33, 3)
    s.micro_centred("OK", 30, 47, 27, 1)
    s.round_frame(50, 25, 66, 33, 1)
    s.micro_centred("NO", 50, 66, 27, 1)
    return "a dialog over a page"


def t_tabs(s):
    s.frame(3, 3, 21, 10, 1)
    s.micro_centred("NEW", 3, 21, 5, 1)
    s.fill(24, 2, 42, 10, 3)
    s.micro_centred("TOP", 24, 42, 4, 1)
    s.frame(45, 3, 63, 10, 1)
    s.micro_centred("ALL", 45, 63, 5, 1)
    s.fill(3, 10, 76, 37, 3)
    s.fill(5, 12, 74, 35, 2)
    s.lines(8, 15, [30], 3)
    s.thin(8, 21, [60, 52, 62, 44, 58], 1)
    return "tabs over a panel"


def t_gallery(s):
    s.micro("PHOTOS", 3, 2, 1)
    s.thin(56, 4, [20], 3)
    for i in range(6):
        x, y = 3 + (i % 3) * 26, 10 + (i // 3) * 15
        s.fill(x, y, x + 21, y + 10, 3)
        s.disc(x + 16, y + 3.5, 1.8, 1)
        for k in range(9):
            s.fill(x + 2 + k, y + 10 - k // 2 - 1, x + 16 - k, y + 10 - k // 2 - 1, 2)
        s.thin(x, y + 12, [14], 1)
    return "a picture gallery"


def t_table(s):
    s.fill(2, 2, 77, 8, 3)
    for x, label in ((4, "ITEM"), (36, "QTY"), (58, "SUM")):
        s.micro(label, x, 3, 1)
    rows = [("12", "40.0"), ("3", "18.5"), ("7", "63.2"), ("25", "90.1")]
    for i, (qty, total) in enumerate(rows):
        y = 11 + i * 7
        s.thin(4, y + 2, [18 + (i * 5) % 9], 1)
        s.micro(qty, 36, y, 1)
        s.micro(total, 58, y, 1)
        s.fill(2, y + 6, 77, y + 6, 3)
    s.fill(33, 9, 33, 38, 3)
    s.fill(55, 9, 55, 38, 3)
    return "a data table"


def t_footer(s):
    s.fill(3, 3, 10, 8, 3)
    s.thin(14, 5, [20], 1)
    s.thin(60, 5, [16], 1)
    s.lines(3, 12, [50], 1)
    s.thin(3, 17, [72, 64], 1)
    s.fill(0, 24, W - 1, H - 1, 3)
    for i in range(3):
        x = 4 + i * 26
        s.thin(x, 27, [16], 1)
        s.thin(x, 31, [12, 18, 10], 1, 2)
    return "a page with a large footer"


# --- four colours: ground, text and two accents ------------------------------

def t_site(s):
    s.fill(0, 0, W - 1, 7, 3)
    s.fill(0, 8, 17, H - 1, 4)
    s.lines(3, 12, [12, 10, 12, 9, 11], 1)
    s.write("Home", 22, 0, 1)
    s.lines(22, 12, [52, 46, 54, 40, 50, 30], 1)
    return "a site with a side bar"


def t_chart(s):
    bars = [(6, 22, 1), (16, 12, 3), (26, 28, 4), (36, 8, 1), (46, 18, 3), (56, 26, 4), (66, 15, 1)]
    for x, top, slot in bars:
        s.fill(x, top, x + 7, 35, slot)
    s.fill(3, 36, 76, 36, 1)
    return "a bar chart"


def t_landscape(s):
    s.disc(62, 11, 7, 4)
    for x in range(W):
        hill = int(26 + 6 * math.sin(x / 9.0))
        s.fill(x, hill, x, H - 1, 3)
        near = int(33 + 3 * math.sin(x / 6.0 + 2))
        s.fill(x, near, x, H - 1, 1)
    return "a landscape"


def t_badges(s):
    for i, slot in enumerate((1, 3, 4)):
        s.disc(16 + i * 24, 20, 11, slot)
        s.disc(16 + i * 24, 20, 5, 2)
    return "three badges"


def t_dashboard(s):
    s.fill(0, 0, 10, H - 1, 3)
    for i in range(4):
        s.fill(3, 4 + i * 8, 7, 8 + i * 8, 4 if i == 0 else 2)
    tiles = [(14, 34, 4, "24"), (37, 57, 3, "7.5"), (60, 77, 1, "98")]
    for x0, x1, slot, value in tiles:
        s.fill(x0, 2, x1, 14, slot)
        s.micro(value, x0 + 2, 4, 2)
        s.fill(x0 + 2, 11, x1 - 6, 11, 2)
    s.fill(14, 37, 77, 37, 1)
    s.fill(14, 18, 14, 37, 1)
    pts = [(15, 33), (24, 28), (33, 31), (42, 23), (51, 26), (60, 19), (69, 22), (77, 18)]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        for x in range(x0, x1 + 1):
            y = y0 + (y1 - y0) * (x - x0) / (x1 - x0)
            s.fill(x, int(round(y)) + 2, x, 36, 4)
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        s.line(x0, y0, x1, y1, 3)
        s.line(x0, y0 + 1, x1, y1 + 1, 3)
    return "a dashboard"


def t_shop(s):
    s.micro("SHOP", 3, 2, 1)
    s.frame(68, 1, 75, 6, 1)
    s.fill(70, 7, 70, 7, 1)
    s.fill(74, 7, 74, 7, 1)
    prices = ["12", "30", "8.5"]
    for i in range(3):
        x = 3 + i * 26
        s.fill(x, 10, x + 21, 24, 3)
        s.disc(x + 11, 18, 5, 4)
        s.fill(x + 10, 11, x + 12, 13, 4)
        s.micro(prices[i], x, 27, 1)
        s.round_rect(x + 16, 27, x + 22, 33, 4)
        s.fill(x + 19, 28, x + 19, 32, 2)
        s.fill(x + 17, 30, x + 21, 30, 2)
        s.thin(x, 36, [12], 1)
    return "a shop with product cards"


def t_desktop(s):
    for i in range(3):
        s.fill(3, 3 + i * 10, 9, 8 + i * 10, 4)
        s.thin(2, 10 + i * 10, [9], 1)
    s.fill(17, 4, 72, 30, 1)
    s.fill(17, 4, 72, 9, 3)
    s.micro("EDIT", 19, 5, 1)
    s.fill(68, 5, 71, 8, 4)
    s.thin(20, 13, [44, 36, 48, 30], 2)
    s.fill(20, 25, 32, 28, 4)
    s.fill(0, 34, W - 1, H - 1, 3)
    s.fill(1, 35, 12, 38, 4)
    s.fill(16, 35, 29, 38, 1)
    s.micro("12:30", 59, 35, 1)
    return "a desktop with a window"


def t_mobile(s):
    s.round_frame(4, 1, 31, 38, 1)
    s.fill(6, 4, 29, 8, 3)
    s.micro("APP", 8, 4, 1)
    for i in range(4):
        y = 11 + i * 6
        s.disc(9.5, y + 2.5, 2.3, 4)
        s.thin(14, y + 1, [14 - (i % 2) * 4], 1)
        s.thin(14, y + 3, [10], 3)
    s.fill(15, 36, 20, 36, 1)
    s.write("App", 38, 6, 1)
    s.thin(38, 19, [36, 30, 34], 1)
    s.round_rect(38, 29, 60, 36, 3)
    s.micro_centred("GET", 38, 60, 30, 1)
    s.disc(70, 32.5, 4, 4)
    return "a phone app"


def t_email(s):
    s.fill(0, 0, 17, H - 1, 3)
    s.micro("MAIL", 2, 2, 1)
    for i, w in enumerate((12, 9, 11, 8)):
        s.thin(3, 11 + i * 5, [w], 1)
    s.fill(1, 9, 16, 13, 4)
    s.thin(3, 11, [12], 1)
    for i in range(5):
        y = 2 + i * 7
        if i == 1:
            s.fill(19, y - 1, 46, y + 5, 4)
        s.thin(21, y + 1, [16], 1)
        s.thin(21, y + 3, [23], 3 if i != 1 else 2)
    s.fill(48, 0, 48, H - 1, 3)
    s.lines(51, 3, [24], 1)
    s.thin(51, 9, [20], 3)
    s.thin(51, 15, [26, 22, 26, 24, 14, 25, 20], 1)
    return "a mail client"


def t_home(s):
    s.fill(0, 0, W - 1, 8, 3)
    s.disc(6, 4.5, 3.3, 4)
    s.micro("NEWS", 30, 2, 1)
    s.micro("SHOP", 47, 2, 1)
    s.micro("HELP", 64, 2, 1)
    s.write("Welcome", 3, 11, 1)
    s.thin(3, 22, [42, 34], 1)
    s.round_rect(3, 27, 22, 33, 4)
    s.micro_centred("JOIN", 3, 22, 28, 2)
    s.fill(50, 11, 76, 33, 3)
    s.disc(69, 16.5, 3.4, 4)
    for k in range(12):
        s.fill(52 + k, 32 - k, 74 - k, 32 - k, 1)
    for k in range(7):
        s.fill(62 + k, 32 - k, 76 - k, 32 - k, 4)
    s.fill(0, 36, W - 1, H - 1, 4)
    for i in range(3):
        s.fill(6 + i * 26, 37, 20 + i * 26, 38, 2)
    return "a home page"


def t_editor(s):
    s.fill(0, 0, W - 1, 6, 3)
    s.fill(2, 1, 24, 6, 2)
    s.micro("MAIN.C", 3, 2, 1)
    s.fill(0, 7, 9, H - 1, 3)
    code = [
        [(0, 3, 4), (1, 12, 1)],
        [(2, 6, 3), (1, 8, 1), (1, 4, 4)],
        [(4, 4, 3), (1, 16, 4)],
        [(4, 10, 1), (1, 6, 4)],
        [(2, 2, 1)],
    ]
    for i, tokens in enumerate(code):
        y = 10 + i * 6
        s.micro(str(i + 1), 4, y, 2)
        x = 12
        for indent, w, slot in tokens:
            x += indent * 2
            s.fill(x, y + 2, x + w - 1, y + 3, slot)
            x += w
    s.fill(x + 2, y, x + 2, y + 4, 1)
    return "a code editor"


def t_slides(s):
    s.fill(0, 0, W - 1, H - 1, 3)
    s.fill(3, 2, 76, 33, 2)
    s.lines(7, 5, [38], 1)
    for i in range(3):
        y = 13 + i * 6
        s.fill(7, y, 9, y + 2, 4)
        s.thin(12, y + 1, [26 - i * 4], 1)
    cx, cy, r = 60, 18, 11
    for y in range(H):
        for x in range(W):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            if math.hypot(dx, dy) <= r:
                a = (math.degrees(math.atan2(dy, dx)) + 360) % 360
                s.px(x, y, 4 if a < 130 else (1 if a < 230 else 3))
    s.micro("3/8", 65, 35, 2)
    return "a presentation slide"


TWO = [t_text, t_logo, t_pattern, t_letter, t_login, t_wireframe, t_terminal,
       t_business_card, t_calendar, t_coupon, t_icons, t_article]
THREE = [t_page, t_buttons, t_card, t_navbar, t_blog, t_form, t_pricing, t_dialog,
         t_tabs, t_gallery, t_table, t_footer]
FOUR = [t_site, t_chart, t_landscape, t_badges, t_dashboard, t_shop, t_desktop,
        t_mobile, t_email, t_home, t_editor, t_slides]
TEMPLATES = [(2, fn) for fn in TWO] + [(3, fn) for fn in THREE] + [(4, fn) for fn in FOUR]


def build(glyphs):
    L = ImageList("template", "Layout templates", "kTemplateImg",
                  "colour panel preview and layout picker (`PeviewImageList`)")
    L.notes = ("80×40 pictures in two to four colours; the tag is the number of colours. "
               "Entry n−1 of the colour table takes slot 1, entry n−2 slot 2 and so on, so "
               "slot 2 is the ground, slot 1 the text and slots 3 and 4 the accents. "
               "The preview starts on %d." % DEFAULT)
    for i, (n, fn) in enumerate(TEMPLATES):
        sheet = Sheet(n, glyphs)
        what = fn(sheet)
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
    L.extra_consts = {"Default": DEFAULT}
    return L
