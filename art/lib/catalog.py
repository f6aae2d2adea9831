"""Image lists: index -> picture, with the names the program uses for them."""

import re

import gif
import theme


class Item:
    def __init__(self, index, frames, caption, use, const=None, tag=0, delays=None,
                 gif_bytes=None, bg=None):
        self.index = index
        self.bg = bg if bg is not None else theme.SKY  # what it is drawn over
        self.frames = frames
        self.caption = caption
        self.use = use
        self.const = const
        self.tag = tag
        self.delays = delays
        self.gif_bytes = gif_bytes

    @property
    def size(self):
        if self.frames:
            return self.frames[0].w, self.frames[0].h
        return 0, 0

    def encode(self):
        if self.gif_bytes is not None:
            return self.gif_bytes
        if not self.frames:
            return b""
        try:
            return gif.encode_images(self.frames, self.delays)
        except ValueError as e:
            raise ValueError("%s: %s" % (self.caption, e))


def _camel(name):
    return "".join(p[:1].upper() + p[1:] for p in re.split(r"[_\s]+", name) if p)


STATE_NAMES = {
    "normal": "Normal", "hover": "Hover", "down": "Down",
    "disabled": "Disabled", "active": "Active",
}


class ImageList:
    def __init__(self, key, title, const_prefix, owner):
        self.key = key                  # "main" -> images_main.kgil, KOLO_IMAGES_MAIN
        self.title = title              # catalogue heading
        self.const_prefix = const_prefix
        self.owner = owner              # which window holds the list
        self.items = {}
        self.where = {}                 # group name -> the controls that show it
        self.notes = ""

    @property
    def resource(self):
        return "KOLO_IMAGES_" + self.key.upper()

    @property
    def filename(self):
        return "images_%s.kgil" % self.key

    def put(self, index, name, img, use, caption=None, tag=0, const=True, frames=None,
            delays=None, bg=None, group=None):
        if index in self.items:
            raise ValueError("%s: index %d used twice (%s, %s)" %
                             (self.key, index, self.items[index].caption, name))
        frames = frames if frames is not None else [img]
        const_name = self.const_prefix + _camel(name) if const else None
        self.items[index] = Item(index, frames, caption or (name + ".gif"), use,
                                 const_name, tag, delays, bg=bg)
        self.items[index].group = group or name
        return index

    def put_states(self, base, name, imgs, states, use, bg=None):
        """Consecutive states of one button from base on."""
        for i, (img, state) in enumerate(zip(imgs, states)):
            self.put(base + i, "%s_%s" % (name, state), img,
                     "%s (%s)" % (use, STATE_NAMES.get(state, state).lower()), bg=bg, group=name)
        return base

    def count(self):
        return max(self.items) + 1 if self.items else 0

    def ordered(self):
        """Every index from 0 to the last, None where there is no picture."""
        return [self.items.get(i) for i in range(self.count())]
