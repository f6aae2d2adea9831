#!/usr/bin/env python3
"""Checks that the source folders include each other only downwards.

The floors, from the bottom: the colour core and the platform wrappers; the
hook binding and the widgets; the shared frame of the tools; the feature
folders; the app, which alone knows every tab. A file may include its own
folder and any folder on a lower floor; feature folders never include each
other (they meet in the frame). A portable file (outside a win/ folder) includes
no Windows-only header. Exits 1 and names every wrong include.
"""
import pathlib
import re
import sys

FLOORS = [
    {"color"},
    {"platform"},
    {"hook", "widgets"},
    {"frame"},
    {"tools", "palette", "images", "clipboard", "fonts", "publish", "dialogs"},
    {"app"},
]
FLOOR = {folder: n for n, floor in enumerate(FLOORS) for folder in floor}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def check(src: pathlib.Path) -> list[str]:
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(src)
        folder = rel.parts[0]
        if folder not in FLOOR:
            faults.append(f"{rel}: folder '{folder}' has no floor (add it to scripts/check-layers.py)")
            continue
        portable = "win" not in rel.parts[1:-1]
        for n, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, target = m.groups()
            if portable and (target.lower() == "windows.h" or "/win/" in target):
                faults.append(f"{rel}:{n}: portable file includes Windows-only {target}")
            if kind != '"' or "/" not in target:
                continue
            other = target.split("/")[0]
            if other == folder or other not in FLOOR:
                continue
            if FLOOR[other] >= FLOOR[folder]:
                faults.append(f"{rel}:{n}: {folder} may not include {target} "
                              f"(floor {FLOOR[folder]} reaching floor {FLOOR[other]})")
    return faults


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "src")
    faults = check(src)
    for f in faults:
        print(f"layers: {f}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
