"""Smooth shapes for the larger pictures, flattened onto the panel colour.

A picture is a function from a point to a colour (or None outside); each
pixel averages 5x5 samples, and edge pixels are blended with the colour the
picture will sit on, since a GIF has no partial transparency.
"""

import math

from canvas import Img, mix

SUB = 5


def render(w, h, fn, backdrop, clear_below=0.2, levels=None):
    img = Img(w, h)
    for y in range(h):
        for x in range(w):
            acc = [0.0, 0.0, 0.0]
            n = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    c = fn(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB)
                    if c is None:
                        continue
                    acc[0] += (c >> 16) & 255
                    acc[1] += (c >> 8) & 255
                    acc[2] += c & 255
                    n += 1
            cover = n / float(SUB * SUB)
            if cover < clear_below:
                continue
            col = (int(acc[0] / n + 0.5) << 16) | (int(acc[1] / n + 0.5) << 8) | int(acc[2] / n + 0.5)
            if cover < 1.0:
                col = mix(backdrop, col, cover)
            if levels:
                col = snap(col, levels)
            img.px[y][x] = col
    return img


def snap(c, levels):
    out = 0
    for shift in (16, 8, 0):
        v = (c >> shift) & 255
        out |= (int(round(v / 255.0 * (levels - 1))) * 255 // (levels - 1)) << shift
    return out


def seg_dist(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / float(vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


def in_polygon(px, py, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def rounded_polygon_dist(px, py, pts):
    """Distance to the polygon's edges (positive inside, negative outside)."""
    d = min(seg_dist(px, py, pts[i][0], pts[i][1], pts[(i + 1) % len(pts)][0],
                     pts[(i + 1) % len(pts)][1]) for i in range(len(pts)))
    return d if in_polygon(px, py, pts) else -d
