"""Captions drawn with the interface's pixel face (art/glyphs/font.px)."""

from canvas import Img

HEIGHT = 9       # cap line to the lowest descender
CAP = 7          # cap height
SPACE = 3


def width(glyphs, s):
    w = 0
    for i, ch in enumerate(s):
        w += SPACE if ch == " " else glyphs["font_%d" % ord(ch)].w
        if i < len(s) - 1:
            w += 1
    return w


def render(glyphs, s, color):
    img = Img(max(1, width(glyphs, s)), HEIGHT)
    x = 0
    for ch in s:
        if ch == " ":
            x += SPACE + 1
            continue
        g = glyphs["font_%d" % ord(ch)]
        img.blit(g.render({"ink": color}), x, 0)
        x += g.w + 1
    return img
