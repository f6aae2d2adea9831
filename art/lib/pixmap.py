"""Reader of the .px text pixel maps in art/glyphs.

A file holds one legend and any number of glyphs:

    legend
      .  clear
      K  outline   #17405F
    end
    glyph name
    ..KK..
    .K..K.

One character is one pixel. A glyph ends at a blank line, at the next
"glyph" line or at the end of the file. Lines starting with "#" are notes.
"""

import os

from canvas import Img


class Glyph:
    def __init__(self, name, rows, legend, source):
        self.name = name
        self.rows = rows
        self.legend = legend  # char -> (role name, 0xRRGGBB or None)
        self.source = source
        self.w = len(rows[0]) if rows else 0
        self.h = len(rows)

    def render(self, roles=None):
        """Img of the glyph; roles maps a role name to a colour (or None)."""
        roles = roles or {}
        img = Img(self.w, self.h)
        for y, row in enumerate(self.rows):
            for x, ch in enumerate(row):
                role, rgb = self.legend[ch]
                img.px[y][x] = roles.get(role, rgb) if role in roles else rgb
        return img


def parse(text, source="<text>"):
    legend = {}
    glyphs = {}
    mode = None
    name = None
    rows = []

    def close():
        nonlocal name, rows
        if name is not None:
            if not rows:
                raise ValueError("%s: glyph %s has no rows" % (source, name))
            widths = {len(r) for r in rows}
            if len(widths) != 1:
                raise ValueError("%s: glyph %s has ragged rows" % (source, name))
            for r in rows:
                for ch in r:
                    if ch not in legend:
                        raise ValueError("%s: glyph %s uses %r outside the legend" % (source, name, ch))
            if name in glyphs:
                raise ValueError("%s: glyph %s defined twice" % (source, name))
            glyphs[name] = Glyph(name, rows, legend, source)
        name = None
        rows = []

    for lineno, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if mode == "legend":
            if line.strip() == "end":
                mode = None
                continue
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            parts = line.split()
            ch, role = parts[0], parts[1]
            if len(ch) != 1:
                raise ValueError("%s:%d: legend key must be one character" % (source, lineno))
            rgb = None
            if len(parts) > 2 and parts[2].startswith("#"):
                rgb = int(parts[2][1:], 16)
            elif role != "clear":
                raise ValueError("%s:%d: colour missing for %s" % (source, lineno, role))
            legend[ch] = (role, rgb)
            continue
        if line.startswith("#") and name is None:
            continue
        if line.strip() == "legend":
            close()
            mode = "legend"
            continue
        if line.startswith("glyph "):
            close()
            name = line.split(None, 1)[1].strip()
            continue
        if not line.strip():
            close()
            continue
        if name is None:
            raise ValueError("%s:%d: pixels outside a glyph" % (source, lineno))
        rows.append(line)
    close()
    return glyphs


def load_dir(path):
    """All glyphs of all .px files under path, by name (names are global)."""
    out = {}
    for fn in sorted(os.listdir(path)):
        if not fn.endswith(".px"):
            continue
        full = os.path.join(path, fn)
        with open(full, encoding="utf-8") as f:
            for name, g in parse(f.read(), fn).items():
                if name in out:
                    raise ValueError("glyph %s defined in %s and %s" % (name, out[name].source, fn))
                out[name] = g
    return out
