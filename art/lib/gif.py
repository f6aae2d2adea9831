"""GIF89a writer: global colour table, LZW, transparency, animation.

Written out by hand so the build needs nothing beyond the Python standard
library. Output is a pure function of the input, byte for byte.
"""

import struct


def _bits_for(count):
    bits = 1
    while (1 << bits) < count:
        bits += 1
    return bits


class _BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.nbits = 0

    def write(self, code, size):
        self.acc |= code << self.nbits
        self.nbits += size
        while self.nbits >= 8:
            self.out.append(self.acc & 0xFF)
            self.acc >>= 8
            self.nbits -= 8

    def flush(self):
        if self.nbits:
            self.out.append(self.acc & 0xFF)
            self.acc = 0
            self.nbits = 0
        return bytes(self.out)


def lzw_encode(indices, min_code_size):
    """Variable-length LZW as GIF wants it (LSB-first codes, 12-bit cap)."""
    clear = 1 << min_code_size
    eoi = clear + 1
    writer = _BitWriter()

    def reset():
        return {}, eoi + 1, min_code_size + 1

    table, next_code, code_size = reset()
    writer.write(clear, code_size)
    if not indices:
        writer.write(eoi, code_size)
        return writer.flush()
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix << 8) | k
        code = table.get(key)
        if code is not None:
            prefix = code
            continue
        writer.write(prefix, code_size)
        if next_code < 4096:
            table[key] = next_code
            next_code += 1
            # The decoder widens its codes one entry later than we add
            # them, so widen once the next code no longer fits.
            if next_code > (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            writer.write(clear, code_size)
            table, next_code, code_size = reset()
        prefix = k
    writer.write(prefix, code_size)
    writer.write(eoi, code_size)
    return writer.flush()


def _sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def encode_indexed(width, height, palette, frames, transparent=None,
                   delays=None, loop=True):
    """Write a GIF from palette indices.

    palette: list of 0xRRGGBB ints (at most 256); frames: list of flat index
    lists (width*height each); transparent: palette index or None; delays:
    per-frame delays in hundredths of a second (animations only).
    """
    if not 1 <= len(palette) <= 256:
        raise ValueError("palette must hold 1..256 colours")
    bits = max(1, _bits_for(len(palette)))
    table = list(palette) + [0] * ((1 << bits) - len(palette))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    for c in table:
        out += bytes(((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF))
    animated = len(frames) > 1
    if animated and loop:
        out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    min_code = max(2, bits)
    for n, frame in enumerate(frames):
        if len(frame) != width * height:
            raise ValueError("frame size mismatch")
        delay = (delays[n] if delays else 0) if animated else 0
        if transparent is not None or animated:
            flags = 0
            if transparent is not None:
                flags |= 0x01
            if animated:
                flags |= 1 << 2  # leave the frame in place; the next one covers it
            out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, flags, delay,
                               transparent if transparent is not None else 0, 0)
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
        out.append(min_code)
        out += _sub_blocks(lzw_encode(frame, min_code))
    out.append(0x3B)
    return bytes(out)


def _local_frames(width, height, frames, delays, transparent_rgb):
    """Each frame with its own colour table (for animations with many colours)."""
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0, 0, 0)  # no global table
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for n, f in enumerate(frames):
        palette, lookup, flat = [], {}, []
        clear = any(p is None for row in f.px for p in row)
        if clear:
            palette.append(transparent_rgb if transparent_rgb is not None else 0xA6CAF0)
        for row in f.px:
            for p in row:
                if p is None:
                    flat.append(0)
                    continue
                idx = lookup.get(p)
                if idx is None:
                    idx = lookup[p] = len(palette)
                    palette.append(p)
                flat.append(idx)
        if len(palette) > 256:
            raise ValueError("more than 256 colours in one frame")
        bits = max(1, _bits_for(len(palette)))
        flags = (1 << 2) | (1 if clear else 0)
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, flags, delays[n] if delays else 0, 0, 0)
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0x80 | (bits - 1))
        for c in palette + [0] * ((1 << bits) - len(palette)):
            out += bytes(((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF))
        min_code = max(2, bits)
        out.append(min_code)
        out += _sub_blocks(lzw_encode(flat, min_code))
    out.append(0x3B)
    return bytes(out)


def encode_images(frames, delays=None, transparent_rgb=None):
    """Write a GIF from canvases (see canvas.Img); None pixels are transparent.

    The palette is built in order of first appearance, so equal input gives
    equal bytes. The transparent entry comes first and carries
    transparent_rgb (the colour a reader that ignores transparency shows).
    """
    width, height = frames[0].w, frames[0].h
    palette = []
    lookup = {}
    has_clear = any(p is None for f in frames for row in f.px for p in row)
    transparent = None
    if has_clear:
        transparent = 0
        palette.append(transparent_rgb if transparent_rgb is not None else 0xA6CAF0)
    flat_frames = []
    for f in frames:
        if (f.w, f.h) != (width, height):
            raise ValueError("all frames must share one size")
        flat = []
        for row in f.px:
            for p in row:
                if p is None:
                    flat.append(transparent)
                    continue
                idx = lookup.get(p)
                if idx is None:
                    idx = len(palette)
                    lookup[p] = idx
                    palette.append(p)
                flat.append(idx)
        flat_frames.append(flat)
    if len(palette) > 256:
        if len(frames) > 1:
            return _local_frames(width, height, frames, delays, transparent_rgb)
        raise ValueError("more than 256 colours in one picture")
    return encode_indexed(width, height, palette, flat_frames, transparent, delays)
