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
    for n, (name, glyph, use) in enumerate(BUTTONS):
        g = glyphs[glyph].render()
        second = "disabled" if n < 2 else "active"
        states = ("normal", second, "hover", "down")
        imgs = [theme.panel_button(g, 10, 10, s) for s in states]
        names = ("normal", "disabled" if n < 2 else "on", "hover", "down")
        for i, (img, label) in enumerate(zip(imgs, names)):
            L.put(4 * n + i, "%s_%s" % (name, label), img, "font browser: %s (%s)" % (use, label))
    return L
