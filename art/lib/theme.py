"""The colours of the sky-blue skin and the painters of button faces.

Every button state is one glyph over one face; the faces live here so that
all buttons of the program share one look.
"""

from canvas import Img, mix, tcolor

# The two colours the whole interface is built on (given as TColor values).
SKY = tcolor(0xF0CAA6)    # background of every panel and picture
LINE = tcolor(0xC08000)   # frames, lines and title strips
PALE = tcolor(0xF7E8D9)   # selected cells and rows
MARK = tcolor(0x8000BF)   # colour slots in use by the wheel harmonies

WHITE = 0xFFFFFF
DEEP = 0x005A8C           # a shade darker than LINE, for pressed edges
NAVY = 0x17405F           # glyph outlines
STRIP_HOVER = 0x2497D4    # lit face on the title strip
STRIP_DOWN = 0x00659E     # pressed face on the title strip
DIS_FRAME = 0x8DB6DE      # frame of a disabled button
DIS_DARK = 0x6F97C2       # darkest tone of a disabled glyph
DIS_LIGHT = 0xC9DDF2      # lightest tone of a disabled glyph

RED = 0xE0413A
CLOSE_HOVER = 0xE0483F
CLOSE_DOWN = 0xA92A22


def luminance(c):
    r, g, b = (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF
    return (299 * r + 587 * g + 114 * b) / 1000.0


def muted(c):
    """A glyph colour as it shows on a disabled button: blue-grey, low contrast."""
    if c is None:
        return None
    t = luminance(c) / 255.0
    return mix(DIS_DARK, DIS_LIGHT, round(t * 6) / 6.0)


def _gradient(img, x0, y0, x1, y1, top, bottom):
    n = max(1, y1 - y0)
    for y in range(y0, y1 + 1):
        img.fill(x0, y, x1, y, mix(top, bottom, (y - y0) / n))


def rounded_frame(img, x0, y0, x1, y1, frame):
    """1-pixel frame with the corner pixels left clear."""
    img.hline(x0 + 1, x1 - 1, y0, frame)
    img.hline(x0 + 1, x1 - 1, y1, frame)
    img.vline(x0, y0 + 1, y1 - 1, frame)
    img.vline(x1, y0 + 1, y1 - 1, frame)


# Faces of the buttons that sit on the sky-blue panels.
FACES = {
    "normal": dict(frame=LINE, top=0xF4F9FE, bottom=0xCCE1F6, shadow=None),
    "hover": dict(frame=LINE, top=0xFFFFFF, bottom=0xE9F3FC, shadow=None),
    "down": dict(frame=DEEP, top=0xAECFF0, bottom=0xBFDAF4, shadow=0x8DB9E5),
    "active": dict(frame=DEEP, top=0xB9D7F3, bottom=0xCDE2F7, shadow=0x98C1E9),
    "disabled": dict(frame=DIS_FRAME, top=None, bottom=None, shadow=None),
}


def panel_face(w, h, state):
    f = FACES[state]
    img = Img(w, h)
    if f["top"] is not None:
        _gradient(img, 1, 1, w - 2, h - 2, f["top"], f["bottom"])
    if f["shadow"] is not None:
        img.hline(1, w - 2, 1, f["shadow"])
        img.vline(1, 1, h - 2, f["shadow"])
    if state in ("normal", "hover"):
        # a light inner rim on top makes the face read as raised
        img.hline(2, w - 3, 1, WHITE)
    rounded_frame(img, 0, 0, w - 1, h - 1, f["frame"])
    return img


def panel_button(glyph_img, w, h, state, dx=0, dy=0):
    """One state of a button on a panel: face plus centred glyph."""
    img = panel_face(w, h, state)
    g = glyph_img
    if state == "disabled":
        g = g.map(muted)
    ox = (w - g.w) // 2 + dx
    oy = (h - g.h) // 2 + dy
    if state == "down":
        ox += 1
        oy += 1
    img.blit(g, ox, oy)
    return img


def panel_states(glyph_img, w, h, states=("normal", "hover", "down", "disabled"), dx=0, dy=0):
    return [panel_button(glyph_img, w, h, s, dx, dy) for s in states]


def strip_button(glyph_img, w, h, state, gx, gy, hover=STRIP_HOVER, down=STRIP_DOWN):
    """A small button on a title strip: bare glyph, lit face on hover."""
    img = Img(w, h)
    if state == "hover":
        img.fill(0, 0, w - 1, h - 1, hover)
        rounded_frame(img, 0, 0, w - 1, h - 1, mix(hover, WHITE, 0.35))
    elif state == "down":
        img.fill(0, 0, w - 1, h - 1, down)
        rounded_frame(img, 0, 0, w - 1, h - 1, mix(down, 0x000000, 0.25))
        gx += 1
        gy += 1
    for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        img.set(corner[0], corner[1], None)
    img.blit(glyph_img, gx, gy)
    return img


def tab_button(glyph_img, state, w=19, h=17, strip_h=15):
    """A tab of the title strip. The raised (current) tab is sky blue and runs
    down into the panel below the strip, so it joins the page it opens."""
    img = Img(w, h)
    gx, gy = (w - glyph_img.w) // 2, 2
    if state in ("hover", "down"):
        face = STRIP_HOVER if state == "hover" else STRIP_DOWN
        img.fill(1, 1, w - 2, strip_h - 2, face)
        rim = mix(face, WHITE, 0.4) if state == "hover" else mix(face, 0x000000, 0.3)
        rounded_frame(img, 0, 0, w - 1, strip_h - 1, rim)
        if state == "down":
            gx += 1
            gy += 1
    elif state == "active":
        img.fill(1, 1, w - 2, h - 1, SKY)
        img.hline(2, w - 3, 0, PALE)
        img.vline(0, 2, h - 1, PALE)
        img.set(1, 1, PALE)
        img.vline(w - 1, 2, h - 1, DEEP)
        img.set(w - 2, 1, DEEP)
        gy = 3
    img.blit(glyph_img, gx, gy)
    return img


TEXT_INK = 0x1D5F96


def text_button(glyphs, caption, w, h, state):
    """A button whose picture is its caption."""
    import text
    img = panel_face(w, h, state)
    ink = muted(TEXT_INK) if state == "disabled" else TEXT_INK
    t = text.render(glyphs, caption, ink)
    ox = (w - t.w) // 2
    oy = (h - text.CAP) // 2
    if any(ch in "gjpqy" for ch in caption) and oy + text.HEIGHT > h - 1:
        oy -= 1  # keep descenders off the frame
    if state == "down":
        ox += 1
        oy += 1
    img.blit(t, ox, oy)
    return img


CHECK_STATES = ("checked_focus", "unchecked", "unchecked_focus", "checked",
                "disabled_unchecked", "disabled_checked", "unchecked_hover", "checked_hover")


def check_box(state, round_box, size=11):
    """One of the eight pictures of an image check box (order of the index set)."""
    import math
    checked = "unchecked" not in state
    disabled = state.startswith("disabled")
    hover = state.endswith("hover")
    focus = state.endswith("focus")
    img = Img(size, size)
    frame = DIS_FRAME if disabled else (DEEP if focus else LINE)
    top, bottom = (None, None) if disabled else ((0xFFFFFF, 0xE4F0FB) if hover else (0xF4F9FE, 0xCCE1F6))
    c = size / 2.0
    for y in range(size):
        for x in range(size):
            if round_box:
                d = math.hypot(x + 0.5 - c, y + 0.5 - c)
                if d > c - 0.1:
                    continue
                edge = d > c - 1.25
            else:
                edge = x in (0, size - 1) or y in (0, size - 1)
                if (x in (0, size - 1)) and (y in (0, size - 1)):
                    continue
            if edge:
                img.px[y][x] = frame
            elif top is not None:
                img.px[y][x] = mix(top, bottom, y / float(size - 1))
    if focus:
        # a second, inner ring marks the keyboard focus
        for y in range(size):
            for x in range(size):
                if round_box:
                    d = math.hypot(x + 0.5 - c, y + 0.5 - c)
                    if c - 2.3 < d <= c - 1.25:
                        img.px[y][x] = 0x9CC7EC
                elif x in (1, size - 2) or y in (1, size - 2):
                    img.px[y][x] = 0x9CC7EC
    if checked:
        mark = DIS_DARK if disabled else (DEEP if not hover else LINE)
        if round_box:
            for y in range(size):
                for x in range(size):
                    if math.hypot(x + 0.5 - c, y + 0.5 - c) <= 2.3:
                        img.px[y][x] = mark
        else:
            tick = [(2, 5), (3, 6), (4, 7), (5, 6), (6, 5), (7, 4), (8, 3)]
            for x, y in tick:
                img.set(x, y, mark)
                img.set(x, y - 1, mark)
    return img
