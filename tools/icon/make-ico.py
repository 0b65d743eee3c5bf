#!/usr/bin/env python3
"""Builds the Windows program's icon file from the PNG renderings of the
desktop icon, with images every Windows since 95 can choose from:

- 4-bit (16 colours) at 16 and 32 pixels, for 16-colour displays;
- 8-bit (256 colours) at 16, 32 and 48, for 256-colour displays;
- 32-bit with an alpha channel at 16, 24, 32, 48 and 64, for the rest;
- the 256-pixel PNG as it is, for systems that show large icons.

Every image below 256 pixels is a plain bitmap with a transparency mask, as
Windows 95 reads them. The 256-pixel entry says width and height 0 in the
directory; Windows 95 picks the entry nearest in size to the one it wants (16,
32 or 48), and every such size is there exactly, so it never picks that one.

With --palette-only the file holds the 4- and 8-bit images alone, about a
sixth of the size: what Windows 95 reads, for a program that must stay small;
later systems draw those too.

Usage: make-ico.py [--palette-only] ICONS_FOLDER OUTPUT.ico
Uses only the Python standard library.
"""

import struct
import sys
import zlib
from pathlib import Path

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    colours = list(VGA)
    levels = (0, 51, 102, 153, 204, 255)
    for r in levels:
        for g in levels:
            for b in levels:
                if (r, g, b) not in colours:
                    colours.append((r, g, b))
    grey = 4
    while len(colours) < 256 and grey <= 255:
        if (grey, grey, grey) not in colours:
            colours.append((grey, grey, grey))
        grey += 8
    return colours + [(0, 0, 0)] * (256 - len(colours))


def read_png(path):
    """RGBA rows of an 8-bit RGBA, non-interlaced PNG (what the icon renderings are)."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG file")
    at, idat, width, height = 8, b"", 0, 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour != 6 or interlace != 0:
                sys.exit(f"{path}: only 8-bit RGBA, non-interlaced PNG files are read")
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = previous[i]
            c = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append([tuple(line[x * 4:x * 4 + 4]) for x in range(width)])
        previous = line
    return width, height, rows


def mask_rows(rows, width):
    """The AND mask, bottom row first, each row padded to 32 bits: 1 where transparent."""
    out = b""
    for row in reversed(rows):
        bits = bytearray((width + 31) // 32 * 4)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def header(width, height, bits, colours):
    # The height counts the colour image and the mask together.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def nearest(palette, rgb):
    return min(range(len(palette)), key=lambda i: sum((p - q) ** 2 for p, q in zip(palette[i], rgb)))


def indexed_image(width, height, rows, palette, bits):
    lookup, out = {}, b""
    for row in reversed(rows):
        indices = []
        for r, g, b, a in row:
            key = (r, g, b) if a >= 128 else None
            if key not in lookup:
                lookup[key] = 0 if key is None else nearest(palette, key)
            indices.append(lookup[key])
        line = bytearray()
        if bits == 8:
            line = bytearray(indices)
        else:
            for x in range(0, width, 2):
                line.append(indices[x] << 4 | (indices[x + 1] if x + 1 < width else 0))
        line += b"\0" * (-len(line) % 4)
        out += bytes(line)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header(width, height, bits, len(palette)) + table + out + mask_rows(rows, width)


def true_colour_image(width, height, rows):
    out = b""
    for row in reversed(rows):
        for r, g, b, a in row:
            # Where the mask shows the background, the colour must be black, or
            # systems that use the mask rather than the alpha channel tint it.
            out += struct.pack("<BBBB", *((0, 0, 0, a) if a < 128 else (b, g, r, a)))
    return header(width, height, 32, 0) + out + mask_rows(rows, width)


USAGE = "usage: make-ico.py [--palette-only] ICONS_FOLDER OUTPUT.ico"


def main():
    arguments = sys.argv[1:]
    if arguments[:1] in (["--help"], ["-h"]):
        print(USAGE)
        return
    palette_only = arguments[:1] == ["--palette-only"]
    if palette_only:
        arguments = arguments[1:]
    if len(arguments) != 2:
        sys.exit(USAGE)
    folder, output = Path(arguments[0]), Path(arguments[1])
    images = {size: read_png(folder / f"{size}.png") for size in (16, 24, 32, 48, 64)}
    entries = []  # (width, colours in the directory, bits, image bytes)
    for size in (16, 32):
        entries.append((size, 16, 4, indexed_image(*images[size], VGA, 4)))
    for size in (16, 32, 48):
        entries.append((size, 0, 8, indexed_image(*images[size], palette256(), 8)))
    if not palette_only:
        for size in (16, 24, 32, 48, 64):
            entries.append((size, 0, 32, true_colour_image(*images[size])))
        entries.append((256, 0, 32, (folder / "256.png").read_bytes()))

    directory = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(directory) + 16 * len(entries)
    body = b""
    for size, colours, bits, image in entries:
        side = size if size < 256 else 0
        directory += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
        body += image
    output.write_bytes(directory + body)


if __name__ == "__main__":
    main()
