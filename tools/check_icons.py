#!/usr/bin/env python3
"""Checks the icon files the programs embed.

    tools/check_icons.py [FILE.ico ...]     default: the six files in res/icons/

Each file must hold exactly the eight square images 128, 96, 72, 64, 48, 32, 24 and
16 px at 32 bits per pixel: from 64 px on PNG-compressed (8-bit RGBA), below that an
uncompressed BGRA DIB whose AND mask agrees with the alpha channel. The corners must be
transparent and no image nearly empty (at least 5 % opaque pixels). The five role icons must differ from one another. Exits 1 on the
first file that fails, printing why. Standard library only.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import icofile  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIZES = (128, 96, 72, 64, 48, 32, 24, 16)
NAMES = ("kelvaro", "search", "refresh", "settings", "update", "tray")
ROLES = ("search", "refresh", "settings", "update", "tray")


def check_file(path):
    """Returns (entries, problems)."""
    problems = []
    with open(path, "rb") as f:
        data = f.read()
    try:
        entries = icofile.read_ico(data)
    except icofile.IcoError as e:
        return [], [str(e)]
    sizes = [e["size"] for e in entries]
    if sorted(sizes, reverse=True) != list(SIZES):
        problems.append(f"sizes {sizes}, expected {list(SIZES)}")
    for e in entries:
        s = e["size"]
        if e["width"] != e["height"]:
            problems.append(f"{s}px: not square ({e['width']}x{e['height']})")
            continue
        if e["bpp"] != 32 or e["planes"] != 1:
            problems.append(f"{s}px: directory says {e['bpp']} bpp, {e['planes']} planes")
        if e["png"] != (s >= icofile.PNG_FROM_SIZE):
            problems.append(f"{s}px: stored as {'PNG' if e['png'] else 'DIB'}, expected "
                            f"{'PNG' if s >= icofile.PNG_FROM_SIZE else 'DIB'}")
        rgba = e["rgba"]
        alpha = rgba[3::4]
        for y in range(s if e["mask"] is not None else 0):
            for x in range(s):
                transparent = alpha[y * s + x] == 0
                if e["mask"][y][x] != transparent:
                    problems.append(f"{s}px: AND mask disagrees with alpha at ({x}, {y})")
                    break
            else:
                continue
            break
        corners = (alpha[0], alpha[s - 1], alpha[(s - 1) * s], alpha[s * s - 1])
        if any(corners):
            problems.append(f"{s}px: corners not transparent {corners}")
        opaque = sum(1 for a in alpha if a == 255)
        if opaque < s * s // 20:
            problems.append(f"{s}px: only {opaque} opaque pixels")
    return entries, problems


def main(argv):
    paths = argv[1:] or [os.path.join(ROOT, "res", "icons", n + ".ico") for n in NAMES]
    failed = False
    by_name = {}
    for path in paths:
        entries, problems = check_file(path)
        name = os.path.splitext(os.path.basename(path))[0]
        by_name[name] = {e["size"]: e["rgba"] for e in entries}
        if problems:
            failed = True
            print(f"FAIL {path}")
            for p in problems:
                print(f"  {p}")
        else:
            print(f"ok   {os.path.relpath(path, ROOT)}: "
                  f"{', '.join(str(e['size']) for e in entries)} px, 32 bpp, PNG from "
                  f"{icofile.PNG_FROM_SIZE} px")
    present = [r for r in ROLES if r in by_name and by_name[r]]
    for i, a in enumerate(present):
        for b in present[i + 1:]:
            if by_name[a].get(32) == by_name[b].get(32):
                failed = True
                print(f"FAIL {a} and {b} have the same 32 px image")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
