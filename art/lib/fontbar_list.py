"""The font browser's button list: four pictures per button; for the style
buttons the second picture is the "on" look, for the size buttons the
disabled look."""

from catalog import ImageList
import theme

BUTTONS = [
    ("size_up", "font_size_up", "font size up"),
    ("size_down", "font_size_down", "font size down"),
    ("bold", "font_bold", "bold"),
    ("italic", "font_italic", "italic"),
    ("underline", "font_underline", "underline"),
]


def build(glyphs):
    L = ImageList("fontbar", "Font browser buttons", "kFontImg", "font browser")
    L.notes = ("The list `smallbut` of `TfrmFontPreview`: four pictures per button from "
               "4 × n on: normal, then the \"on\" picture for bold, italic and underline "
               "(normal 9 instead of 8, 13 instead of 12, 17 instead of 16) or the disabled "
               "picture for the size buttons, then hover and down.")
    for n, (name, glyph, use) in enumerate(BUTTONS):
        g = glyphs[glyph].render()
        second = "disabled" if n < 2 else "active"
        states = ("normal", second, "hover", "down")
        imgs = [theme.panel_button(g, 10, 10, s) for s in states]
        names = ("normal", "disabled" if n < 2 else "on", "hover", "down")
        for i, (img, label) in enumerate(zip(imgs, names)):
            L.put(4 * n + i, "%s_%s" % (name, label), img, "font browser: %s (%s)" % (use, label),
                  group=name)
        L.where[name] = "`but%d`" % (n + 1)
    return L
