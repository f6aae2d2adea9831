"""The main window's picture list."""

from canvas import Img
from catalog import ImageList
import shapes
import theme

BTN4 = ("normal", "hover", "down", "disabled")
BTN3 = ("normal", "hover", "down")
TAB4 = ("normal", "hover", "down", "active")

TAB_GLYPHS = [
    ("picker", "colour picker", "tab_picker"),
    ("wheel", "colour wheel", "tab_wheel"),
    ("palette", "colour palette", "tab_palette"),
    ("mix", "mix colours", "tab_mix"),
    ("getcolor", "colours from screen", "tab_getcolor"),
    ("getimage", "images from screen", "tab_getimage"),
    ("clipboard", "clipboard viewer", "tab_clipboard"),
]

SUBPAL_SMALL = (9, 13)
SUBPAL_TALL = (9, 16)


def empty_cell():
    """Palette cell without a colour: a pale square set into the panel colour."""
    img = Img(16, 16, theme.SKY)
    img.fill(3, 3, 12, 12, theme.PALE)
    return img


def transparent_cell():
    """Palette cell marked transparent: checkerboard in a frame."""
    img = Img(16, 16)
    bands = [1, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 4]  # check of each inner pixel: 4,3,3,4
    for y in range(14):
        for x in range(14):
            light = (bands[x] + bands[y]) % 2 == 0
            img.px[y + 1][x + 1] = 0xFFFFFF if light else 0xBBBBBB
    img.rect(0, 0, 15, 15, theme.LINE)
    return img


def copy_states(glyph, marked):
    """Copy button of a colour slot: flat glyph that lifts on hover."""
    g = glyph.render()
    if marked:
        g = g.recolor({theme.NAVY: theme.MARK, 0x0080C0: theme.MARK})
    out = []
    for state in BTN3:
        if state == "normal":
            img = Img(16, 16)
            img.blit(g, (16 - g.w) // 2, (16 - g.h) // 2)
        else:
            img = theme.panel_button(g, 16, 16, state)
        out.append(img)
    return out


def strip_backdrop(w, h, strip_h=15):
    """What a tab button sits on: the title strip, and the panel below it."""
    img = Img(w, h, theme.SKY)
    img.fill(0, 0, w - 1, strip_h - 1, theme.LINE)
    return img


def build(glyphs):
    L = ImageList("main", "Main window", "kImg", "main window")

    # Title strip.
    close = glyphs["strip_close"].render()
    L.put_states(0, "close", [theme.strip_button(close, 9, 10, s, 2, 2, theme.CLOSE_HOVER,
                                                 theme.CLOSE_DOWN) for s in BTN3],
                 BTN3, "title strip: close the window", bg=theme.LINE)
    tray = glyphs["strip_tray"].render()
    L.put_states(3, "tray", [theme.strip_button(tray, 10, 12, s, 2, 2) for s in BTN3],
                 BTN3, "title strip: minimise to the tray", bg=theme.LINE)
    pin_off = glyphs["strip_pin_off"].render()
    pin_on = glyphs["strip_pin_on"].render({"fill": 0xF6C823})
    L.put_states(40, "on_top_off", [theme.strip_button(pin_off, 9, 13, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: stay on top, now off", bg=theme.LINE)
    L.put_states(43, "on_top_on", [theme.strip_button(pin_on, 9, 13, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: stay on top, now on", bg=theme.LINE)
    collapse = glyphs["strip_collapse"].render()
    expand = glyphs["strip_expand"].render()
    L.put_states(46, "small_size", [theme.strip_button(collapse, 9, 9, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: shrink to the title strip (full size now)", bg=theme.LINE)
    L.put_states(49, "full_size", [theme.strip_button(expand, 9, 9, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: back to full size (small now)", bg=theme.LINE)

    # Tab buttons: four pictures each from 52 on.
    for n, (key, use, glyph_name) in enumerate(TAB_GLYPHS):
        if glyph_name in glyphs:
            g = glyphs[glyph_name].render()
        else:
            g = getattr(shapes, glyph_name)()
        L.put_states(52 + 4 * n, "tab_button%d" % n, [theme.tab_button(g, s) for s in TAB4], TAB4,
                     "tab button %d: %s" % (n, use), bg=strip_backdrop(19, 17))

    # Copy buttons of the colour slots; the marked set shows a slot in use by a harmony.
    L.put_states(16, "copy", copy_states(glyphs["copy"], False), BTN3,
                 "colour slot and colour list: copy the colour as text")
    marked = copy_states(glyphs["copy"], True)
    L.put(261, "copy_marked_normal", marked[0], "colour slot in a harmony: copy (normal)")
    L.put(262, "copy_marked_hover", marked[1], "colour slot in a harmony: copy (hover)")
    L.put(263, "copy_marked_down", marked[2], "colour slot in a harmony: copy (down)")

    # Palette cells.
    L.put(243, "empty_cell", empty_cell(), "palette cell without a colour",
          caption="emptycol.gif")
    L.put(244, "transparent_cell", transparent_cell(), "palette cell holding the transparent colour",
          caption="transcol.gif")

    # Value-slider buttons and their "slider open" pictures.
    for (w, h), base, empty_index, key in ((SUBPAL_SMALL, 245, 252, "small"),
                                          (SUBPAL_TALL, 253, 191, "tall")):
        g = shapes.value_strip(6, h - 4)
        L.put_states(base, "value_button_" + key, theme.panel_states(g, w, h, BTN4), BTN4,
                     "value slider button, %dx%d" % (w, h))
        L.put(empty_index, "value_button_%s_open" % key, theme.panel_face(w, h, "active"),
              "value slider button while its slider is open (%dx%d)" % (w, h))
    return L
