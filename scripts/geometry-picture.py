#!/usr/bin/env python3
"""Labels the main window's regions on two screenshots of it.

usage: geometry-picture.py COLOUR_TAB.png IMAGE_TAB.png OUT.png

COLOUR_TAB.png shows a colour tab (the screen-colour tab), IMAGE_TAB.png the
screenshot tab; both are 364x320 window captures. The rectangles are the ones
of src/frame/main_layout.h, in window coordinates.
"""
import sys

from PIL import Image, ImageDraw, ImageFont

SCALE = 2
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"

# (x, y, w, h, colour, label) in window coordinates.
COLOUR_TAB = [
    (0, 0, 364, 15, (200, 30, 30), "title strip 364x15; tabs 19x17 at x = 6 + 21i"),
    (4, 19, 256, 256, (30, 140, 60), "ImagePager (4,19) 256x256: ImageTab with imgMain"),
    (264, 19, 97, 256, (150, 40, 170), "rightPager (264,19) 97x256: colorChangerTab"),
    (264, 19, 97, 134, (150, 40, 170), "  colour area: slots, font sample, layout preview 80x40"),
    (264, 153, 97, 122, (220, 110, 0), "  subColorPager (0,134) 97x122: getColorTab page"),
    (274, 197, 76, 76, (220, 110, 0), "    smallPreview 76x76"),
    (2, 277, 360, 42, (30, 60, 200), "bottomPager (2,277) 360x42: paletteBottomTab"),
]
IMAGE_TAB = [
    (4, 19, 256, 256, (30, 140, 60), "ImagePager: ImageTab (the picture)"),
    (264, 19, 97, 256, (150, 40, 170), "rightPager: screenShotTab"),
    (2, 277, 360, 42, (30, 60, 200), "bottomPager: imageBottomTab"),
    (2 + 3, 277 + 2, 113, 18, (200, 30, 30), "  open save copy print preview delete"),
    (2 + 123, 277 + 2, 94, 18, (200, 30, 30), "  rotate, flip, publish"),
    (2 + 302, 277 + 2, 55, 18, (200, 30, 30), "  transparent colour: pick, swatch 9x9, clear"),
    (2 + 3, 277 + 22, 112, 18, (200, 30, 30), "  width x height, resize"),
    (2 + 121, 277 + 22, 236, 18, (200, 30, 30), "  web address, copy"),
]


def labelled(path, boxes, font):
    shot = Image.open(path).convert("RGB").crop((0, 0, 364, 320))
    shot = shot.resize((364 * SCALE, 320 * SCALE), Image.NEAREST)
    draw = ImageDraw.Draw(shot)
    for x, y, w, h, colour, _ in boxes:
        draw.rectangle((x * SCALE, y * SCALE, (x + w) * SCALE - 1, (y + h) * SCALE - 1), outline=colour, width=2)
    legend_h = 22 * len(boxes) + 12
    out = Image.new("RGB", (shot.width, shot.height + legend_h), (255, 255, 255))
    out.paste(shot, (0, 0))
    draw = ImageDraw.Draw(out)
    y = shot.height + 8
    for *_, colour, label in boxes:
        draw.rectangle((8, y + 3, 20, y + 15), outline=colour, width=2)
        draw.text((28, y), label, fill=colour, font=font)
        y += 22
    return out


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    font = ImageFont.truetype(FONT, 14)
    left = labelled(sys.argv[1], COLOUR_TAB, font)
    right = labelled(sys.argv[2], IMAGE_TAB, font)
    out = Image.new("RGB", (left.width + right.width + 16, max(left.height, right.height)), (255, 255, 255))
    out.paste(left, (0, 0))
    out.paste(right, (left.width + 16, 0))
    out.save(sys.argv[3], optimize=True)


if __name__ == "__main__":
    main()
