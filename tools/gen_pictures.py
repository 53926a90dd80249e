#!/usr/bin/env python3
"""Writes the general pictures of the default data set and their picture list.

Every picture is made here (flat colours, checkers, radial alpha discs, a 4 x 4
sprite atlas, the loading picture); nothing comes from outside. Pictures are
TGA files (types 2 and 10, 24 and 32 bits, both row orders) with lower-case
names under <data>/ris/; the list is <data>/base/ris_list0.txt, the general
picture list that konfig.txt names.

usage: tools/gen_pictures.py [data-dir]
"""
import math
import os
import struct
import sys


def tga_bytes(width, height, pixels, bpp=32, rle=False, top_first=False):
    """pixels: rows top row first, each pixel (r, g, b, a)."""
    rows = pixels if top_first else list(reversed(pixels))
    nbytes = bpp // 8
    stream = []
    for row in rows:
        for r, g, b, a in row:
            stream.append(bytes((b, g, r, a)[:nbytes]))
    descriptor = (8 if bpp == 32 else 0) | (0x20 if top_first else 0)
    header = struct.pack('<BBBHHBHHHHBB', 0, 0, 10 if rle else 2, 0, 0, 0, 0, 0, width, height, bpp, descriptor)
    if not rle:
        return header + b''.join(stream)
    out = bytearray(header)
    i = 0
    n = len(stream)
    while i < n:
        run = 1
        while i + run < n and run < 128 and stream[i + run] == stream[i]:
            run += 1
        if run > 1:
            out.append(0x80 | (run - 1))
            out += stream[i]
            i += run
            continue
        lit = 1
        while i + lit < n and lit < 128 and (i + lit + 1 >= n or stream[i + lit] != stream[i + lit + 1]):
            lit += 1
        out.append(lit - 1)
        out += b''.join(stream[i:i + lit])
        i += lit
    return bytes(out)


def flat(w, h, c):
    return [[c] * w for _ in range(h)]


def checker(w, h, c1, c2, cell):
    return [[c1 if ((x // cell) + (y // cell)) % 2 == 0 else c2 for x in range(w)] for y in range(h)]


def disc(w, h, c, soft=True):
    """A radial alpha disc: full alpha in the middle, fading to 0 at the edge."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            dx = (x + 0.5) / w * 2 - 1
            dy = (y + 0.5) / h * 2 - 1
            d = math.sqrt(dx * dx + dy * dy)
            a = max(0.0, 1.0 - d) if soft else (1.0 if d <= 1 else 0.0)
            row.append((c[0], c[1], c[2], int(round(255 * a))))
        rows.append(row)
    return rows


def atlas(cell=16):
    """4 x 4 cells; cell (column c, row r) holds a soft disc in its own colour."""
    size = cell * 4
    rows = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for r in range(4):
        for c in range(4):
            colour = (64 + 60 * c, 64 + 60 * r, 255 - 40 * (c + r), 255)
            d = disc(cell, cell, colour)
            for y in range(cell):
                for x in range(cell):
                    rows[r * cell + y][c * cell + x] = d[y][x]
    return rows


def loading(w=256, h=96):
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            border = x < 4 or y < 4 or x >= w - 4 or y >= h - 4
            bar = 40 <= y < 56 and 16 <= x < w - 16 and x < 16 + (w - 32) * 2 // 3
            if border:
                row.append((200, 200, 210, 255))
            elif bar:
                row.append((90, 170, 250, 255))
            else:
                row.append((20, 24, 40, 255))
        rows.append(row)
    return rows


WHITE = (255, 255, 255, 255)
# (index, file, maker, bpp, rle, top_first, mip)
GENERAL = [
    (0, 'white.tga', lambda: flat(8, 8, WHITE), 24, False, False, 0),
    (1, 'grey.tga', lambda: flat(8, 8, (128, 128, 128, 255)), 24, True, False, 0),
    (2, 'red.tga', lambda: flat(8, 8, (220, 40, 30, 255)), 24, False, True, 0),
    (3, 'green.tga', lambda: flat(8, 8, (40, 200, 60, 255)), 24, True, True, 0),
    (4, 'light_disc.tga', lambda: disc(64, 64, WHITE), 32, True, False, 1),
    (5, 'blue.tga', lambda: flat(8, 8, (40, 70, 220, 255)), 24, False, False, 0),
    (6, 'checker_grey.tga', lambda: checker(64, 64, (160, 160, 160, 255), (96, 96, 96, 255), 8), 24, True, False, 1),
    (7, 'checker_sand.tga', lambda: checker(64, 64, (210, 190, 140, 255), (180, 160, 110, 255), 16), 24, False, True, 1),
    (8, 'checker_grass.tga', lambda: checker(64, 64, (70, 140, 60, 255), (50, 115, 45, 255), 8), 24, True, True, 1),
    (9, 'yellow.tga', lambda: flat(8, 8, (240, 220, 40, 255)), 24, False, False, 0),
    (10, 'cyan.tga', lambda: flat(8, 8, (40, 220, 230, 255)), 24, True, False, 0),
    (11, 'magenta.tga', lambda: flat(8, 8, (220, 50, 200, 255)), 24, False, True, 0),
    (12, 'black.tga', lambda: flat(8, 8, (0, 0, 0, 255)), 24, True, False, 0),
    (13, 'trail_disc.tga', lambda: disc(32, 32, (255, 240, 220, 255)), 32, False, False, 1),
    (14, 'orange.tga', lambda: flat(8, 8, (250, 150, 30, 255)), 24, False, False, 0),
    (15, 'checker_water.tga', lambda: checker(64, 64, (40, 90, 170, 255), (30, 70, 150, 255), 16), 24, True, False, 1),
    (16, 'half_alpha.tga', lambda: flat(8, 8, (255, 255, 255, 128)), 32, False, False, 0),
    (17, 'ground_frame.tga', lambda: disc(64, 64, (128, 128, 128, 255), soft=False), 32, True, True, 0),
    (18, 'glow_disc.tga', lambda: disc(64, 64, WHITE), 32, True, True, 1),
    (19, 'crater_disc.tga', lambda: disc(32, 32, (90, 70, 60, 255)), 32, False, True, 1),
    (20, 'checker_bw.tga', lambda: checker(32, 32, WHITE, (0, 0, 0, 255), 4), 24, False, False, 0),
    (21, 'purple.tga', lambda: flat(8, 8, (120, 60, 180, 255)), 24, True, False, 0),
    (22, 'sprite_atlas.tga', lambda: atlas(16), 32, True, False, 0),
    (23, 'smoke_disc.tga', lambda: disc(32, 32, (200, 200, 200, 255)), 32, False, False, 1),
]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'data')
    for index, name, make, bpp, rle, top, mip in GENERAL:
        rows = make()
        write(os.path.join(data, 'ris', name), tga_bytes(len(rows[0]), len(rows), rows, bpp, rle, top))
    rows = loading()
    write(os.path.join(data, 'ris', 'loading1.tga'), tga_bytes(len(rows[0]), len(rows), rows, 24, True, False))
    lines = ['// general pictures (group 0): label, "index name", archive, mip mode',
             '0', str(len(GENERAL))]
    for index, name, make, bpp, rle, top, mip in GENERAL:
        lines += ['// %d' % index, '%d ris/%s' % (index, name), '0', str(mip)]
    write(os.path.join(data, 'base', 'ris_list0.txt'), ('\r\n'.join(lines) + '\r\n').encode('ascii'))


if __name__ == '__main__':
    main()
