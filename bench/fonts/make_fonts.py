#!/usr/bin/env python3
"""Writes N copies of a TrueType font, each with its own family name
("Kolo Bench 0001" ...), for the font browser benchmark.

Only the 'name' table changes: a new one is appended at the end of the file
and the table directory points to it. Usage: make_fonts.py SOURCE.ttf OUTDIR N
"""
import os
import struct
import sys


def checksum(data: bytes) -> int:
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(f">{len(data) // 4}I", data)) & 0xFFFFFFFF


def name_table(family: str) -> bytes:
    names = {1: family, 2: "Regular", 3: family + " Regular", 4: family, 6: family.replace(" ", "")}
    records, strings = [], b""
    for name_id, text in sorted(names.items()):
        raw = text.encode("utf-16-be")
        records.append(struct.pack(">6H", 3, 1, 0x409, name_id, len(raw), len(strings)))
        strings += raw
    header = struct.pack(">3H", 0, len(records), 6 + 12 * len(records))
    return header + b"".join(records) + strings


def renamed(font: bytes, family: str) -> bytes:
    num_tables = struct.unpack_from(">H", font, 4)[0]
    out = bytearray(font)
    out += b"\0" * (-len(out) % 4)
    table = name_table(family)
    for i in range(num_tables):
        entry = 12 + 16 * i
        if font[entry:entry + 4] == b"name":
            struct.pack_into(">3I", out, entry + 4, checksum(table), len(out), len(table))
            break
    else:
        raise SystemExit("the source font has no name table")
    return bytes(out + table)


def main() -> None:
    source, outdir, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
    font = open(source, "rb").read()
    os.makedirs(outdir, exist_ok=True)
    for n in range(1, count + 1):
        with open(os.path.join(outdir, f"kolo_bench_{n:04d}.ttf"), "wb") as f:
            f.write(renamed(font, f"Kolo Bench {n:04d}"))


if __name__ == "__main__":
    main()
