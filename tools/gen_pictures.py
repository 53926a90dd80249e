#!/usr/bin/env python3
"""Writes the general pictures of the default data set and their picture list.

Every picture is made here (flat colours, checkers, radial alpha discs, a 4 x 4
sprite atlas, the loading picture, the terrain's ground, atlas, light and
water pictures, the minimap frame mask, the ground-light frame, model textures
made from tileable noise, cloud layers); nothing comes from outside. Pictures
are TGA files (types 2 and 10, 24 and 32 bits, both row orders) with
lower-case names under <data>/ris/; the list is <data>/base/ris_list0.txt, the
general picture list that konfig.txt names. Indices without a picture of their
own show the grey filler. The test level's height map <data>/testhmap.tga is
made here too.

usage: tools/gen_pictures.py [data-dir]
"""
import math
import os
import struct

import genargs


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


def frame(w, h, c, inner=0.8, outer=0.95):
    """The ground-light frame: transparent in the middle, opaque toward the
    edges, so that the light map fades to the colour c at its border."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            dx = abs((x + 0.5) / w * 2 - 1)
            dy = abs((y + 0.5) / h * 2 - 1)
            d = max(dx, dy)
            a = min(1.0, max(0.0, (d - inner) / (outer - inner)))
            row.append((c[0], c[1], c[2], int(round(255 * a))))
        rows.append(row)
    return rows


def tile_noise(w, h, seed, cells=4):
    """Tileable value noise in 0..1: a cells x cells lattice of random values,
    smoothly interpolated, wrapping at the picture's edges."""
    state = seed * 2654435761 % 4294967296 or 1
    lattice = []
    for _ in range(cells * cells):
        state = (1103515245 * state + 12345) % 2147483648
        lattice.append(state / 2147483648.0)

    def at(i, j):
        return lattice[(j % cells) * cells + (i % cells)]

    def smooth(t):
        return t * t * (3 - 2 * t)

    out = []
    for y in range(h):
        row = []
        for x in range(w):
            fx, fy = x * cells / w, y * cells / h
            i, j = int(fx), int(fy)
            tx, ty = smooth(fx - i), smooth(fy - j)
            top = at(i, j) * (1 - tx) + at(i + 1, j) * tx
            bottom = at(i, j + 1) * (1 - tx) + at(i + 1, j + 1) * tx
            row.append(top * (1 - ty) + bottom * ty)
        out.append(row)
    return out


def layered(w, h, seed):
    """Two octaves of noise, 0..1."""
    a, b = tile_noise(w, h, seed, 4), tile_noise(w, h, seed + 7, 8)
    return [[0.65 * a[y][x] + 0.35 * b[y][x] for x in range(w)] for y in range(h)]


def camo(colours, seed, w=64, h=64):
    n = layered(w, h, seed)
    steps = len(colours)
    # Noise 0.2..0.8 spread over the colours, the rest clamped to the ends.
    return [[tuple(colours[max(0, min(steps - 1, int((v - 0.2) / 0.6 * steps)))]) + (255,) for v in row]
            for row in n]


def shade(base, v, amount):
    return tuple(max(0, min(255, int(c * (1 - amount / 2 + amount * v)))) for c in base)


def plates(base, seam, cell, seed, w=64, h=64):
    n = layered(w, h, seed)
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            if x % cell == 0 or y % cell == 0:
                row.append(seam + (255,))
            else:
                row.append(shade(base, n[y][x], 0.25) + (255,))
        rows.append(row)
    return rows


def treads(base, dark, w=32, h=64):
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            bar = (y // 4) % 2 == 0
            edge = x < 3 or x >= w - 3
            row.append((dark if bar or edge else base) + (255,))
        rows.append(row)
    return rows


def bricks(base, mortar, seed, w=64, h=64):
    n = layered(w, h, seed)
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            course = y // 8
            shift = 8 if course % 2 else 0
            joint = y % 8 == 0 or (x + shift) % 16 == 0
            row.append((mortar if joint else shade(base, n[y][x], 0.3)) + (255,))
        rows.append(row)
    return rows


def lattice(base, bar, cell, w=64, h=64):
    """Girders: a diagonal lattice of bars between two rails; the gaps are
    transparent for the alpha-masked pass."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            d1 = (x + y) % cell
            d2 = (x - y) % cell
            on = x < bar or x >= w - bar or y % cell < bar // 2 or d1 < bar or d2 < bar
            if on:
                v = 0.85 + 0.15 * math.sin(0.4 * (x + 2 * y))
                row.append(shade(base, v, 0.5) + (255,))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bark(base, seed, w=32, h=64):
    n = tile_noise(w, h, seed, 8)
    return [[shade(base, (n[y][x] + (0.5 if (x * 7 // w) % 2 else 0)) / 1.5, 0.6) + (255,)
             for x in range(w)] for y in range(h)]


def clouds(seed, w=64, h=64):
    n = layered(w, h, seed)
    return [[(255, 255, 255, int(round(255 * max(0.0, min(1.0, (v - 0.35) / 0.4))))) for v in row] for row in n]


def sprite_cell(kind, n):
    """One n x n cell of the sprite atlas: (r, g, b, a) rows, white unless the
    shape has a colour of its own; the objects tint them by their corner
    colours and draw them added to the scene."""
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            dx = (x + 0.5) / n * 2 - 1
            dy = (y + 0.5) / n * 2 - 1
            d = math.sqrt(dx * dx + dy * dy)
            ang = math.atan2(dy, dx)
            glow = max(0.0, 1.0 - d)
            c = (255, 255, 255)
            if kind == 'glow':        # soft round glow (beams, markers, smoke)
                a = glow ** 1.5
            elif kind == 'ring':      # thin ring (flare rings)
                a = max(0.0, 1.0 - abs(d - 0.75) / 0.12)
            elif kind == 'halo':      # wide soft ring
                a = max(0.0, 1.0 - abs(d - 0.6) / 0.35) * 0.8
            elif kind == 'hexagon':   # faint six-sided disc with a brighter rim
                hx = max(abs(dx) * 0.866 + abs(dy) * 0.5, abs(dy))
                a = (0.25 + 0.75 * max(0.0, 1.0 - abs(hx - 0.72) / 0.08)) if hx <= 0.8 else 0.0
            elif kind == 'sparkle':   # small bright point with four short rays
                rays = max(0.0, 1.0 - min(abs(dx), abs(dy)) / 0.08) * max(0.0, 1.0 - d / 0.7)
                a = min(1.0, max(max(0.0, 1.0 - d / 0.25), rays))
            elif kind == 'star':      # four long rays over a glow
                rays = max(0.0, 1.0 - min(abs(dx), abs(dy)) / 0.06) * max(0.0, 1.0 - d)
                a = min(1.0, rays + glow ** 3)
            elif kind == 'hot':       # white core, orange edge
                a = min(1.0, glow * 1.6)
                t = min(1.0, d / 0.8)
                c = (255, int(255 - 120 * t), int(255 - 230 * t))
            elif kind == 'cross':     # crosshair ring (post marks)
                ring = max(0.0, 1.0 - abs(d - 0.7) / 0.08)
                bars = max(0.0, 1.0 - min(abs(dx), abs(dy)) / 0.05) if 0.3 < d < 0.95 else 0.0
                a = max(ring, bars)
            elif kind == 'sun':       # wide glow with a bright core (flare glows)
                a = min(1.0, glow ** 2 + max(0.0, 1.0 - d / 0.2))
            elif kind == 'streak':    # glow with a long horizontal streak
                streak = max(0.0, 1.0 - abs(dy) / 0.05) * max(0.0, 1.0 - abs(dx))
                a = min(1.0, glow ** 2 + streak)
            elif kind == 'warm':      # warm glow
                a = glow ** 1.2
                c = (255, 220, 160)
            elif kind == 'flake':     # six-armed snowflake
                arm = (ang % (math.pi / 3)) - math.pi / 6
                off = abs(d * math.sin(arm))
                a = max(0.0, 1.0 - off / 0.07) if d < 0.85 else 0.0
                a = max(a, max(0.0, 1.0 - d / 0.18))
            elif kind == 'sparks':    # impact: orange sparks around a hot core
                spikes = (0.5 + 0.5 * math.cos(ang * 8)) ** 6 * max(0.0, 1.0 - d)
                a = min(1.0, spikes + max(0.0, 1.0 - d / 0.3))
                c = (255, 180, 70)
            elif kind == 'burst':     # impact: ring of fire round a core
                a = min(1.0, max(0.0, 1.0 - abs(d - 0.55) / 0.2) + max(0.0, 1.0 - d / 0.25))
                c = (255, 140, 60)
            else:                     # 'disc'
                a = glow
            row.append(c + (int(round(255 * max(0.0, min(1.0, a)))),))
        rows.append(row)
    return rows


# The sprite atlas by cell (column, row), both 1..4: what the world objects
# draw from it. Row 1 lies at the picture's bottom edge, where the sprites'
# texture rows start.
ATLAS_CELLS = [
    # row 1: beams, markers, smoke, explosions and debris; the flare rings
    ['glow', 'ring', 'halo', 'hexagon'],
    # row 2: snow of kind 2, trigger and post marks, flare glows, laser impacts
    ['sparkle', 'star', 'hot', 'cross'],
    # row 3: flare glows, laser impacts
    ['sun', 'streak', 'warm', 'disc'],
    # row 4: snow of kind 1, laser impacts
    ['flake', 'sparks', 'burst', 'disc'],
]


def atlas(cell=32):
    """4 x 4 cells of sprite shapes (ATLAS_CELLS)."""
    size = cell * 4
    rows = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for r in range(4):
        for c in range(4):
            d = sprite_cell(ATLAS_CELLS[r][c], cell)
            for y in range(cell):
                for x in range(cell):
                    rows[(3 - r) * cell + y][c * cell + x] = d[y][x]
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


def noise(seed):
    """A small deterministic generator of values 0..1 (no dependence on Python's random)."""
    state = [seed & 0x7FFFFFFF or 1]

    def next_value():
        state[0] = (state[0] * 1103515245 + 12345) & 0x7FFFFFFF
        return (state[0] >> 8) / float(1 << 23)
    return next_value


def land_detail(size=128):
    """Ground detail repeated every 200 world units: light speckles on near white."""
    rnd = noise(7)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            v = 200 + int(40 * rnd()) + (12 if (x // 16 + y // 16) % 2 else 0)
            row.append((v, v, v - 6, 255))
        rows.append(row)
    return rows


# The 7 x 7 terrain atlas: cell (column a, row b), both 1..7, row 1 at the
# bottom; cells are 73 texels of 512 (146 of 1024). Plain ground sits in row 4,
# columns 1-2; built ground in column 4 (rows 1-4 and 6-7); the edge sets of
# nine cells are the corner blocks: sand (columns 1-3, rows 5-7), brush and
# water (5-7, 5-7), hills (5-7, 1-3) and a spare set (1-3, 1-3).
ATLAS = 512
CELL = 73
GRASS = (96, 150, 70)
EDGE_SETS = {(1, 5): (205, 185, 130), (5, 5): (60, 120, 110), (5, 1): (130, 110, 90), (1, 1): (90, 90, 100)}
PLAIN = {(1, 4): (96, 150, 70), (2, 4): (110, 160, 75), (6, 4): (120, 140, 80), (7, 4): (135, 150, 90)}
BUILT = (150, 150, 145)


def mix(a, b, t):
    return tuple(int(a[k] + (b[k] - a[k]) * t) for k in range(3))


def atlas_texel(tx, ty):
    """Texel (tx, ty) of the atlas, ty counted from the bottom."""
    a, b = tx // CELL + 1, ty // CELL + 1
    if a > 7 or b > 7:
        return (0, 0, 0, 255)
    band = 1.0 if (ty // 6) % 2 else 0.93
    for (a0, b0), colour in EDGE_SETS.items():
        if a0 <= a < a0 + 3 and b0 <= b < b0 + 3:
            # A 3 x 3 block: the set's colour in the middle, grass at its rim,
            # in steps of 8 texels.
            bx, by = tx - (a0 - 1) * CELL, ty - (b0 - 1) * CELL
            half = 3 * CELL / 2.0
            d = max(abs(bx - half), abs(by - half)) / half
            t = min(1.0, max(0.0, (d - 0.35) / 0.6))
            t = round(t * 8) / 8.0
            c = mix(colour, GRASS, t)
            return tuple(int(v * band) for v in c) + (220,)
    if a == 4:
        stripe = 0.85 if (tx % CELL) < 4 or (ty % CELL) < 4 else 1.0
        return tuple(int(v * stripe * band) for v in BUILT) + (235,)
    c = PLAIN.get((a, b), GRASS)
    return tuple(int(v * band) for v in c) + (200,)


def land_atlas():
    rows = []
    for y in range(ATLAS):
        ty = ATLAS - 1 - y  # rows are written top first
        rows.append([atlas_texel(tx, ty) for tx in range(ATLAS)])
    return rows


def land_light(size=256):
    """Brightness across the whole map, used on the third texture unit."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            v = 160 + 40 * math.sin(x / 23.0) * math.cos(y / 31.0)
            v = int(round(v / 8.0) * 8)
            row.append((v, v, v, 255))
        rows.append(row)
    return rows


def water(size=64):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            w = 0.5 + 0.5 * math.sin((x + 2 * y) * math.pi / 16) * math.cos((x - y) * math.pi / 32)
            row.append((int(30 + 40 * w), int(80 + 60 * w), int(160 + 80 * w), 255))
        rows.append(row)
    return rows


def map_grid(size=64):
    """The minimap's overlay: a faint green grid on clear ground."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            line = x % 16 == 0 or y % 16 == 0
            row.append((90, 200, 120, 150) if line else (40, 90, 60, 40))
        rows.append(row)
    return rows


def frame_mask(size=128):
    """The minimap frame mask: opaque round map inside a lighter rim, clear outside."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot((x + 0.5) / size * 2 - 1, (y + 0.5) / size * 2 - 1)
            if d <= 0.92:
                row.append((255, 255, 255, 255))
            elif d <= 1.0:
                row.append((180, 200, 220, 255))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def height_map(size=200):
    """The test level's height map: grey bytes, height = (byte - 50) / 2.

    Flat at 50 within 10 tiles of the world centre and of tiles (58, 58) and
    (142, 142), where the map generator puts bunkers, easing into gentle hills
    farther out; nothing below 50 (no water) and nothing above 100.
    """
    flats = [(100, 100), (58, 58), (142, 142)]
    rows = []
    for z in range(size):
        row = []
        for x in range(size):
            raw = (0.55 * math.sin(x / 11.0 + 0.7) * math.cos(z / 13.0 - 0.4)
                   + 0.35 * math.sin((x + z) / 17.0) + 0.25 * math.cos((x - 2 * z) / 23.0))
            hill = 50 + max(raw, 0.0) * 40
            w = 1.0
            for cx, cz in flats:
                d = math.hypot(x - cx, z - cz)
                t = min(1.0, max(0.0, (d - 10) / 12.0))
                w = min(w, t * t * (3 - 2 * t))
            v = int(round(50 + (hill - 50) * w))
            v = max(46, min(100, v))
            row.append((v, v, v, 255))
        rows.append(row)
    # Row z of the map is picture row z from the bottom.
    return list(reversed(rows))



def panel_band(w, h, seed, light_edge_top):
    """A panel band: brushed dark metal, a bright rim along the edge that faces
    the scene and rivets along it."""
    n = layered(w, h, seed)
    rows = []
    for y in range(h):
        row = []
        # y counts from the top row of the picture.
        rim = (h - 1 - y) if not light_edge_top else y
        for x in range(w):
            v = 0.55 + 0.45 * n[y][(x * 7) % w]
            base = (46, 54, 62)
            c = shade(base, v, 0.5)
            if rim < 2:
                c = (150, 160, 150)
            elif rim < 4:
                c = (90, 104, 96)
            elif 6 <= rim < 9 and x % 32 in (15, 16):
                c = (120, 126, 120)
            row.append(c + (235,))
        rows.append(row)
    return rows


def ornament(w, h):
    """The piece at the top of the bottom band: a tapering bar that fades out
    to both ends."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            t = abs((x + 0.5) / w * 2 - 1)
            half = (1 - t) * h / 2
            d = abs(y + 0.5 - h / 2)
            a = 1.0 if d < half else 0.0
            row.append((200, 190, 120, int(255 * a * (1 - 0.6 * t))))
        rows.append(row)
    return rows


def badge(w, h):
    """The badge in the middle of the bottom band: a lozenge with a light rim."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            dx = abs((x + 0.5) / w * 2 - 1)
            dy = abs((y + 0.5) / h * 2 - 1)
            d = dx + dy
            if d > 1.0:
                row.append((0, 0, 0, 0))
            elif d > 0.85:
                row.append((220, 210, 150, 255))
            else:
                row.append((60 + int(60 * dy), 80 + int(50 * dy), 70, 240))
        rows.append(row)
    return rows


def icon(w, h, kind):
    """The small marks of the editor's property lines: 0 a ticked box, 1 an
    arrow, 2 a dot."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            u, v = (x + 0.5) / w, (y + 0.5) / h
            on = False
            if kind == 0:
                box = min(u, v, 1 - u, 1 - v) < 0.12
                tick = abs(v - (0.55 + (0.45 - u) if u < 0.45 else 0.55 - 1.2 * (u - 0.45))) < 0.1 and 0.2 < u < 0.85
                on = box or tick
                c = (90, 230, 110)
            elif kind == 1:
                on = abs(v - 0.5) < 0.45 * (1 - u) and u > 0.15
                c = (240, 200, 80)
            else:
                on = (u - 0.5) ** 2 + (v - 0.5) ** 2 < 0.12
                c = (120, 180, 250)
            row.append(c + (255,) if on else (0, 0, 0, 0))
        rows.append(row)
    return rows


def cockpit(w, h):
    """The panel without decorations: a frame along the bottom and the sides of
    a square, the middle left open."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            u, v = (x + 0.5) / w, (y + 0.5) / h  # v from the top
            edge = min(u, 1 - u)
            bottom = 1 - v
            if bottom < 0.09 or edge < 0.02:
                row.append((50, 58, 66, 235))
            elif bottom < 0.1 or edge < 0.025:
                row.append((150, 160, 150, 255))
            else:
                row.append((0, 0, 0, 0))
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
    (17, 'ground_frame.tga', lambda: frame(64, 64, (128, 128, 128)), 32, True, True, 0),
    (18, 'glow_disc.tga', lambda: disc(64, 64, WHITE), 32, True, True, 1),
    (19, 'crater_disc.tga', lambda: disc(32, 32, (90, 70, 60, 255)), 32, False, True, 1),
    (20, 'checker_bw.tga', lambda: checker(32, 32, WHITE, (0, 0, 0, 255), 4), 24, False, False, 0),
    (21, 'minimap_grid.tga', map_grid, 32, True, False, 0),
    (22, 'sprite_atlas.tga', lambda: atlas(32), 32, True, False, 0),
    # The game panel: bottom and top bands, their ornament and badge, the marks
    # of the editor's property lines, and the frame drawn without decorations.
    (23, 'panel_bottom.tga', lambda: panel_band(256, 32, 41, True), 32, True, False, 0),
    (24, 'panel_top.tga', lambda: panel_band(256, 16, 43, False), 32, True, False, 0),
    (25, 'panel_ornament.tga', lambda: ornament(128, 16), 32, True, False, 0),
    (26, 'panel_badge.tga', lambda: badge(64, 32), 32, True, False, 0),
    (27, 'mark_tick.tga', lambda: icon(16, 16, 0), 32, True, False, 0),
    (28, 'mark_arrow.tga', lambda: icon(16, 16, 1), 32, True, False, 0),
    (29, 'mark_dot.tga', lambda: icon(16, 16, 2), 32, True, False, 0),
    (31, 'panel_frame.tga', lambda: cockpit(128, 128), 32, True, False, 0),
    (40, 'land_detail.tga', land_detail, 24, False, False, 1),
    (41, 'land_atlas.tga', land_atlas, 32, True, False, 0),
    (42, 'land_light.tga', land_light, 24, True, False, 1),
    (43, 'water.tga', water, 24, False, False, 1),
    (51, 'minimap_frame.tga', frame_mask, 32, True, False, 0),
    # Model textures, by the settings that name them (and the buildings' key 38).
    (38, 'building_wall.tga', lambda: bricks((150, 96, 72), (190, 184, 170), 17), 24, True, False, 1),
    (39, 'camo_tank.tga', lambda: camo([(74, 84, 52), (96, 104, 64), (120, 112, 78), (58, 60, 44)], 3), 24, True,
     False, 1),  # ATankTex
    (44, 'camo_dragon.tga', lambda: camo([(112, 92, 60), (140, 118, 80), (88, 72, 50), (160, 140, 100)], 5), 24,
     True, False, 1),  # ADragonTex
    (45, 'plates_titan.tga', lambda: plates((110, 116, 124), (60, 64, 70), 16, 9), 24, True, False, 1),  # ATitanTex
    (46, 'bunker_wall.tga', lambda: plates((128, 122, 108), (84, 80, 70), 32, 11), 24, True, False, 1),
    # The bunker's mast and dish (texture key 2): girders with open gaps.
    (37, 'bunker_lattice.tga', lambda: lattice((150, 150, 140), 4, 16), 32, True, False, 1),
    (47, 'tracks.tga', lambda: treads((70, 70, 66), (36, 36, 34)), 24, True, False, 1),  # AGusTex, AGusFullTex
    (48, 'bunker_roof.tga', lambda: camo([(90, 96, 80), (110, 114, 96), (70, 74, 62)], 13), 24, True, False, 1),
    (49, 'tracks_titan.tga', lambda: treads((84, 86, 90), (44, 46, 50)), 24, True, False, 1),  # AGusTitanTex
    (50, 'car_paint.tga', lambda: plates((150, 60, 48), (90, 36, 30), 32, 19), 24, True, False, 1),  # AllBuldMeshTex
    (52, 'bark.tga', lambda: bark((110, 84, 56), 23), 24, True, False, 1),  # TestFgrDekTex
    (53, 'clouds_a.tga', lambda: clouds(29), 32, True, False, 1),  # SkyKupTex1N
    (54, 'clouds_b.tga', lambda: clouds(31), 32, True, False, 1),  # SkyKupTex2N
]
# Pictures listed here but made by another script: the glyph pictures of the
# texture fonts 100..105 (tools/make_font_data.py, which names the same
# numbers); and pictures listed under a second number: the bunker's body
# (texture key 1) wears the bunker wall.
LISTED = [(32, 'tfont0.tga', 0), (33, 'tfont1.tga', 0), (34, 'tfont2.tga', 0), (60, 'tfont3.tga', 0),
          (36, 'tfont4.tga', 0), (61, 'tfont5.tga', 0), (35, 'bunker_wall.tga', 1)]
# Indices below the last one without a picture of their own.
FILLER = 'grey.tga'


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    data, = genargs.paths(__doc__, [os.path.join(here, '..', 'data')])
    for index, name, make, bpp, rle, top, mip in GENERAL:
        rows = make()
        write(os.path.join(data, 'ris', name), tga_bytes(len(rows[0]), len(rows), rows, bpp, rle, top))
    rows = loading()
    write(os.path.join(data, 'ris', 'loading1.tga'), tga_bytes(len(rows[0]), len(rows), rows, 24, True, False))
    entries = {index: (name, mip) for index, name, make, bpp, rle, top, mip in GENERAL}
    entries.update({index: (name, mip) for index, name, mip in LISTED})
    last = max(entries)
    lines = ['// general pictures (group 0): label, "index name", archive, mip mode',
             '0', str(last + 1)]
    for index in range(last + 1):
        name, mip = entries.get(index, (FILLER, 0))
        lines += ['// %d' % index, '%d ris/%s' % (index, name), '0', str(mip)]
    write(os.path.join(data, 'base', 'ris_list0.txt'), ('\r\n'.join(lines) + '\r\n').encode('ascii'))
    rows = height_map()
    write(os.path.join(data, 'testhmap.tga'), tga_bytes(len(rows[0]), len(rows), rows, 24, True, False))


if __name__ == '__main__':
    main()
