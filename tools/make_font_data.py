#!/usr/bin/python3
"""Makes the font data of the default data set in data/:

  base/wfont_list0.txt     the Windows font list (typefaces that fontconfig maps
                           to Debian's Liberation and DejaVu fonts)
  base/proektor_list0.txt  the texture font list with the tile width of every glyph
  ris/tfont<N>.tga         the glyph pictures of the texture fonts

The glyph pictures are rendered with FreeType (python3-freetype) from the
system fonts of fonts-dejavu-core and fonts-liberation2: bytes 32..255 of the
CP1251 code page, one glyph per cell, 16 cells a row from the top left of the
picture; white with the glyph's coverage as alpha, 32-bit run-length TGA.

usage: /usr/bin/python3 tools/make_font_data.py [data-dir]
"""
import os

import genargs

import freetype

import gen_pictures  # the TGA writer of the general pictures, beside this script

FIRST, GLYPHS, COLS = 32, 224, 16
ROWS = (GLYPHS + COLS - 1) // COLS

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
LIBERATION = "/usr/share/fonts/truetype/liberation2/"

# Texture fonts: slot, picture number in picture group 0, font file, pixel size.
# Pictures 35 and 37 are the bunker's textures; fonts 3 and 5 sit at 60 and 61
# (tools/gen_pictures.py lists the same numbers).
TEXTURE_FONTS = [
    (0, 32, DEJAVU + "DejaVuSans.ttf", 11),
    (1, 33, DEJAVU + "DejaVuSans-Bold.ttf", 13),
    (2, 34, LIBERATION + "LiberationSans-Bold.ttf", 20),
    (3, 60, DEJAVU + "DejaVuSansMono.ttf", 12),
    (4, 36, LIBERATION + "LiberationSerif-Regular.ttf", 16),
    (5, 61, DEJAVU + "DejaVuSansMono.ttf", 11),
]

# Windows fonts: number, purpose, typeface, height, weight, italic, outline,
# deviation x 100, extrusion x 100. All: glyphs 32..255, Russian character set.
WINDOWS_FONTS = [
    (0, "panel text", "Arial", 14, 700, 0, 0, 0, 0),
    (1, "user name prompt", "Arial", 18, 700, 0, 0, 0, 0),
    (2, "settings prompt", "Tahoma", 16, 400, 0, 0, 0, 0),
    (3, "fixed pitch", "Courier New", 14, 400, 0, 0, 0, 0),
    (4, "serif", "Times New Roman", 16, 400, 0, 0, 0, 0),
    (5, "small", "Arial", 12, 400, 0, 0, 0, 0),
    (6, "large", "Arial", 20, 700, 0, 0, 0, 0),
    (7, "small wide", "Verdana", 12, 400, 0, 0, 0, 0),
    (8, "medium wide", "Verdana", 14, 400, 0, 0, 0, 0),
    (9, "fixed pitch bold", "Courier New", 12, 700, 0, 0, 0, 0),
    (10, "serif italic", "Times New Roman", 20, 400, 1, 0, 0, 0),
    (11, "3D titles", "Arial", 0, 700, 0, 1, 0, 10),
    (12, "3D flat", "Times New Roman", 0, 400, 0, 1, 0, 0),
]


def crlf(lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp1251")


def glyph_char(code):
    try:
        return bytes([code]).decode("cp1251")
    except UnicodeDecodeError:
        return None


def write_tga(path, w, h, alpha_top_down):
    """White glyphs with their coverage as alpha: 32-bit run-length TGA."""
    rows = [[(255, 255, 255, a) for a in alpha_top_down[y * w:(y + 1) * w]] for y in range(h)]
    with open(path, "wb") as f:
        f.write(gen_pictures.tga_bytes(w, h, rows, bpp=32, rle=True))


def pow2(n):
    p = 1
    while p < n:
        p *= 2
    return p


def render_texture_font(path, px):
    face = freetype.Face(path)
    face.set_pixel_sizes(0, px)
    asc = (face.size.ascender + 63) >> 6
    desc = (-face.size.descender + 63) >> 6
    cell_h = asc + desc + 1
    advances = []
    for k in range(GLYPHS):
        ch = glyph_char(FIRST + k)
        if ch is None:
            advances.append(0)
            continue
        face.load_char(ch, freetype.FT_LOAD_DEFAULT)
        advances.append((face.glyph.advance.x + 32) >> 6)
    cell_w = 8
    while cell_w < max(advances) + 1:
        cell_w += 8
    grid_w, grid_h = COLS * cell_w, ROWS * cell_h
    pic_w, pic_h = pow2(grid_w), pow2(grid_h)
    alpha = bytearray(pic_w * pic_h)
    widths = []
    for k in range(GLYPHS):
        ch = glyph_char(FIRST + k)
        widths.append(min(advances[k], cell_w))
        if ch is None:
            continue
        face.load_char(ch, freetype.FT_LOAD_RENDER | freetype.FT_LOAD_TARGET_NORMAL)
        g = face.glyph
        bm = g.bitmap
        cx, cy = (k % COLS) * cell_w, (k // COLS) * cell_h
        left = max(0, g.bitmap_left)
        top = cy + 1 + asc - g.bitmap_top
        for r in range(bm.rows):
            y = top + r
            if y < cy or y >= cy + cell_h:
                continue
            for c in range(bm.width):
                x = cx + left + c
                if x >= cx + cell_w:
                    continue
                v = bm.buffer[r * bm.pitch + c]
                if v > alpha[y * pic_w + x]:
                    alpha[y * pic_w + x] = v
    return dict(pic_w=pic_w, pic_h=pic_h, grid_w=grid_w, grid_h=grid_h, cell_w=cell_w, cell_h=cell_h,
                widths=widths, alpha=alpha)


def main():
    data, = genargs.paths(__doc__, [os.path.join(os.path.dirname(__file__), "..", "data")])
    os.makedirs(os.path.join(data, "base"), exist_ok=True)
    os.makedirs(os.path.join(data, "ris"), exist_ok=True)

    pics = [0] * 10
    out = []
    for slot, pic, path, px in TEXTURE_FONTS:
        f = render_texture_font(path, px)
        write_tga(os.path.join(data, "ris", "tfont%d.tga" % slot), f["pic_w"], f["pic_h"], f["alpha"])
        pics[slot] = pic
        out.append("texture font %d: %s %d px, picture ris/tfont%d.tga = picture %d of group 0"
                   % (slot, os.path.basename(path), px, slot, pic))
        out.append("%d" % slot)
        out.append("first, last glyph, picture w h, columns, rows, grid w h; width mode 0; widths")
        out.append("%d %d %d %d %d %d %d %d" % (FIRST, GLYPHS - 1, f["pic_w"], f["pic_h"], COLS, ROWS,
                                                f["grid_w"], f["grid_h"]))
        out.append("0")
        w = f["widths"]
        for i in range(0, len(w), COLS):
            out.append(" ".join("%d" % v for v in w[i:i + COLS]))
    head = [" ".join("%d" % p for p in pics), "%d" % len(TEXTURE_FONTS)]
    with open(os.path.join(data, "base", "proektor_list0.txt"), "wb") as fh:
        fh.write(crlf(head + out))

    lines = ["Windows fonts: number, typeface, then first count height width escapement orientation"
             " weight italic underline strikeout charset outline deviation*100 extrusion*100",
             "%d" % len(WINDOWS_FONTS)]
    for n, purpose, face, height, weight, italic, outline, dev, ext in WINDOWS_FONTS:
        lines.append("font %d: %s" % (n, purpose))
        lines.append("%d" % n)
        lines.append(face)
        lines.append("%d %d %d 0 0 0 %d %d 0 0 204 %d %d %d" % (FIRST, GLYPHS, height, weight, italic, outline,
                                                               dev, ext))
    with open(os.path.join(data, "base", "wfont_list0.txt"), "wb") as fh:
        fh.write(crlf(lines))


if __name__ == "__main__":
    main()
