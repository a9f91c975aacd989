# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the program's icon as a Windows icon file: one 32 x 32 image in 16 colours, the
XPM's transparent colour ("None") in the mask.  Usage: xpm2ico.py ICON.xpm OUT.ico"""
import re
import struct
import sys


def read_xpm(path):
    strings = re.findall(r'"([^"]*)"', open(path, encoding="ascii").read())
    width, height, colours, chars = (int(v) for v in strings[0].split()[:4])
    palette = {}
    for line in strings[1:1 + colours]:
        key, value = line[:chars], line[chars:].split()[-1]
        palette[key] = None if value == "None" else int(value.lstrip("#"), 16)
    rows = [[row[x * chars:(x + 1) * chars] for x in range(width)]
            for row in strings[1 + colours:1 + colours + height]]
    return width, height, palette, rows


def icon(width, height, palette, rows):
    keys = list(palette)
    if len(keys) > 16:
        raise SystemExit("more than 16 colours")
    quads = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0)
                     if c is not None else b"\0\0\0\0" for c in (palette[k] for k in keys))
    quads += b"\0" * (64 - len(quads))
    pixels = mask = b""
    for row in reversed(rows):  # bottom-up, each row padded to 4 bytes
        indices = [keys.index(k) for k in row]
        pixels += bytes((indices[x] << 4) | indices[x + 1] for x in range(0, width, 2))
        pixels += b"\0" * (-(width // 2) % 4)
        bits = "".join("1" if palette[k] is None else "0" for k in row)
        bits += "0" * (-len(bits) % 32)
        mask += int(bits, 2).to_bytes(len(bits) // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0,
                         len(pixels) + len(mask), 0, 0, 16, 0)
    image = header + quads + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[2], "wb") as out:
        out.write(icon(*read_xpm(sys.argv[1])))
