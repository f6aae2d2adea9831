"""The sliders' picture list: arrows, thumbs and grips, upright and lying."""

from canvas import Img
from catalog import ImageList
import theme

BTN4 = ("normal", "hover", "down", "disabled")

ARROWS = {
    "up": ["..X..", ".XXX.", "XXXXX"],
    "down": ["XXXXX", ".XXX.", "..X.."],
    "left": ["..X", ".XX", "XXX", ".XX", "..X"],
    "right": ["X..", "XX.", "XXX", "XX.", "X.."],
}


def arrow_glyph(kind):
    rows = ARROWS[kind]
    img = Img(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == "X":
                img.px[y][x] = theme.TEXT_INK
    return img


def thumb(w, h, state):
    """A thumb drawn in three parts: its ends stay, its middle line stretches."""
    return theme.panel_face(w, h, state)


def grip(vertical):
    img = Img(5, 5)
    for i in (0, 2, 4):
        if vertical:
            img.hline(0, 4, i, theme.DEEP)
        else:
            img.vline(i, 0, 4, theme.DEEP)
    return img


def build(glyphs):
    L = ImageList("scroll", "Sliders", "kScrollImg", "every slider")
    L.notes = ("Sliders are 9 pixels thick. A thumb is drawn in three parts (its first half "
               "and its second half at the ends, its middle line stretched between), so the "
               "thumbs keep their rounded ends at any length; the grip is centred on the thumb.")
    for key, prop in (("arrow_up", "`ImageUp`"), ("arrow_down", "`ImageDown`"),
                      ("thumb_vertical", "`ImageScroll`"), ("grip_vertical", "`CentralImageID`"),
                      ("arrow_left", "`ImageUp`"), ("arrow_right", "`ImageDown`"),
                      ("thumb_horizontal", "`ImageScroll`"), ("grip_horizontal", "`CentralImageID`")):
        L.where[key] = prop + " of the sliders"
    base = 0
    for kind, (w, h) in (("up", (9, 9)), ("down", (9, 9))):
        L.put_states(base, "arrow_" + kind, theme.panel_states(arrow_glyph(kind), w, h, BTN4),
                     BTN4, "upright slider: %s arrow" % kind)
        base += 4
    L.put_states(8, "thumb_vertical", [thumb(9, 16, s) for s in BTN4], BTN4,
                 "upright slider: thumb")
    L.put(12, "grip_vertical", grip(True), "upright slider: grip centred on the thumb")
    base = 13
    for kind in ("left", "right"):
        L.put_states(base, "arrow_" + kind, theme.panel_states(arrow_glyph(kind), 9, 9, BTN4),
                     BTN4, "lying slider: %s arrow" % kind)
        base += 4
    L.put_states(21, "thumb_horizontal", [thumb(16, 9, s) for s in BTN4], BTN4,
                 "lying slider: thumb")
    L.put(25, "grip_horizontal", grip(False), "lying slider: grip centred on the thumb")
    return L
