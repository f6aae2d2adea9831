"""A tiny RGB canvas: rows of 0xRRGGBB ints, None where the picture is clear."""


class Img:
    def __init__(self, w, h, fill=None):
        self.w = w
        self.h = h
        self.px = [[fill] * w for _ in range(h)]

    def copy(self):
        c = Img(self.w, self.h)
        c.px = [row[:] for row in self.px]
        return c

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def get(self, x, y):
        return self.px[y][x] if self.inside(x, y) else None

    def set(self, x, y, c):
        if self.inside(x, y):
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Fill the rectangle with corners (x0, y0) and (x1, y1), inclusive."""
        for y in range(max(0, y0), min(self.h, y1 + 1)):
            for x in range(max(0, x0), min(self.w, x1 + 1)):
                self.px[y][x] = c

    def hline(self, x0, x1, y, c):
        self.fill(min(x0, x1), y, max(x0, x1), y, c)

    def vline(self, x, y0, y1, c):
        self.fill(x, min(y0, y1), x, max(y0, y1), c)

    def rect(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def blit(self, src, x, y, clear_is_hole=True):
        """Draw src with its top-left at (x, y); clear pixels of src show through."""
        for sy in range(src.h):
            for sx in range(src.w):
                p = src.px[sy][sx]
                if p is None and clear_is_hole:
                    continue
                self.set(x + sx, y + sy, p)

    def map(self, fn):
        out = Img(self.w, self.h)
        out.px = [[fn(p) for p in row] for row in self.px]
        return out

    def recolor(self, table):
        return self.map(lambda p: table.get(p, p))

    def crop(self, x0, y0, w, h):
        out = Img(w, h)
        for y in range(h):
            for x in range(w):
                out.px[y][x] = self.get(x0 + x, y0 + y)
        return out

    def scaled(self, k):
        out = Img(self.w * k, self.h * k)
        for y in range(out.h):
            src = self.px[y // k]
            out.px[y] = [src[x // k] for x in range(out.w)]
        return out

    def colors(self):
        return {p for row in self.px for p in row if p is not None}


def mix(a, b, t):
    """Blend two 0xRRGGBB colours; t = 0 gives a, t = 1 gives b."""
    out = 0
    for shift in (16, 8, 0):
        ca = (a >> shift) & 0xFF
        cb = (b >> shift) & 0xFF
        out |= int(round(ca + (cb - ca) * t)) << shift
    return out


def tcolor(value):
    """A Windows TColor (0x00BBGGRR) as 0xRRGGBB."""
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF)
