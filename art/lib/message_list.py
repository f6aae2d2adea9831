"""The message window's picture list: the four kind icons and the buttons."""

import math

from canvas import Img, mix
from catalog import ImageList
import theme
import vector

BTN3 = ("normal", "hover", "down")
BUTTON_W, BUTTON_H = 64, 20
ICON = 40


def _disc_icon(top, bottom, rim, mark):
    """A shaded disc with a white mark; mark(px, py) says whether a point is ink."""
    c = ICON / 2.0
    r = c - 1.5

    def fn(px, py):
        d = math.hypot(px - c, py - c)
        if d > r:
            # a soft shadow to the lower right
            if math.hypot(px - c - 1.2, py - c - 1.6) <= r:
                return mix(theme.SKY, 0x0B2740, 0.35)
            return None
        if d > r - 1.4:
            return rim
        if mark(px, py):
            return 0xFFFFFF
        t = (py - (c - r)) / (2 * r)
        col = mix(top, bottom, t)
        # a glossy highlight on the upper half
        hl = math.hypot((px - c) / 1.0, (py - c + r * 0.45) / 0.62)
        if hl < r * 0.78 and py < c:
            col = mix(col, 0xFFFFFF, 0.28)
        return col
    return vector.render(ICON, ICON, fn, theme.SKY, levels=32)


def info_mark(px, py):
    c = ICON / 2.0
    if math.hypot(px - c, py - 11.5) <= 2.6:
        return True
    stem = abs(px - c) <= 2.3 and 16.0 <= py <= 29.0
    foot = abs(px - c) <= 5.0 and 27.0 <= py <= 29.5
    cap = c - 5.0 <= px <= c + 2.3 and 16.0 <= py <= 18.2
    return stem or foot or cap


def error_mark(px, py):
    c = ICON / 2.0
    k = 7.6
    return (vector.seg_dist(px, py, c - k, c - k, c + k, c + k) <= 2.5 or
            vector.seg_dist(px, py, c + k, c - k, c - k, c + k) <= 2.5)


def question_mark(px, py):
    c = ICON / 2.0
    cy = 15.5
    d = math.hypot(px - c, py - cy)
    a = math.degrees(math.atan2(-(py - cy), px - c)) % 360
    arc = 3.7 <= d <= 8.0 and (a >= 150 or a <= 300) and not (200 < a < 280)
    arc = 3.8 <= d <= 8.2 and not (195 < a < 290)
    neck = vector.seg_dist(px, py, c + 2.5, cy + 6.6, c, cy + 9.0) <= 2.2 or \
        (abs(px - c) <= 2.2 and cy + 8.0 <= py <= 28.0)
    dot = math.hypot(px - c, py - 32.0) <= 2.6
    return arc or neck or dot


def warning_icon():
    c = ICON / 2.0
    tri = [(c, 3.0), (ICON - 2.5, ICON - 4.0), (2.5, ICON - 4.0)]

    def fn(px, py):
        d = vector.rounded_polygon_dist(px, py, tri)
        if d < -1.2:
            if vector.rounded_polygon_dist(px - 1.0, py - 1.5, tri) >= -1.2:
                return mix(theme.SKY, 0x0B2740, 0.35)
            return None
        if d < 0.2:
            return 0x8A5A00
        # the exclamation mark
        if (abs(px - c) <= 2.3 - (py - 13) * 0.04 and 13.0 <= py <= 27.0) or \
                math.hypot(px - c, py - 31.0) <= 2.5:
            return 0x2B2B2B
        t = py / ICON
        return mix(0xFFE680, 0xF5B700, t)
    return vector.render(ICON, ICON, fn, theme.SKY, levels=32)


def build(glyphs):
    L = ImageList("message", "Message window", "kMsgImg", "message window")
    L.notes = ("Icons by message kind: Information 0, Error 1, Confirmation 2, Warning 3 "
               "(drawn over the panel colour). Buttons: normal, hover, down; the Minimise "
               "button runs the other way (18 normal, 17 hover, 16 down).")
    for kind in ("information", "error", "confirmation", "warning"):
        L.where[kind] = "icon of `TfrmMessage`"
    for name, flag in (("yes", "0x01"), ("no", "0x02"), ("ok", "0x04"), ("cancel", "0x08"),
                       ("minimize", "0x80")):
        L.where[name] = "`TfrmMessage` button %s" % flag
    L.where["close"] = "`TfrmMessage` close button"
    L.put(0, "information", _disc_icon(0x49A8E6, 0x0067A8, 0x0B4F80, info_mark),
          "message kind Information: icon")
    L.put(1, "error", _disc_icon(0xF0645A, 0xB8231B, 0x7E1610, error_mark),
          "message kind Error: icon")
    L.put(2, "confirmation", _disc_icon(0x5BC36A, 0x23893A, 0x155E26, question_mark),
          "message kind Confirmation: icon")
    L.put(3, "warning", warning_icon(), "message kind Warning: icon")

    def button(base, name, caption, use, states=BTN3):
        imgs = [theme.text_button(glyphs, caption, BUTTON_W, BUTTON_H, s) for s in states]
        L.put_states(base, name, imgs, states, use)

    button(4, "yes", "Yes", "button Yes")
    button(7, "ok", "OK", "button OK")
    button(10, "no", "No", "button No")
    button(13, "cancel", "Cancel", "button Cancel")
    # Minimise runs the other way round: pressed, hover, normal.
    button(16, "minimize", "Minimize", "button Minimise", states=("down", "hover", "normal"))

    close = glyphs["strip_close"].render()
    L.put_states(19, "close", [theme.strip_button(close, 9, 10, s, 2, 2, theme.CLOSE_HOVER,
                                                  theme.CLOSE_DOWN) for s in BTN3],
                 BTN3, "title strip: close (answers Cancel)", bg=theme.LINE)
    return L
