// Windows logical fonts on Linux: the typeface is matched by fontconfig
// (family name, weight, slant, a Russian language hint for character set 204),
// sized by the Windows rules (height > 0 the cell height, < 0 the em height)
// and its glyphs are compiled by FreeType into GL display lists the way
// wglUseFontBitmaps and wglUseFontOutlines built them. Glyph codes are 8-bit
// bytes of the font's Windows code page. This is the only code of the text
// layer that knows FreeType and fontconfig.
#pragma once

struct t_PlatFontReq {
  const char* face = "";  // Windows typeface name
  int height = 0;         // > 0 cell height, < 0 em height, 0 default (pixels)
  int width = 0;          // average letter width, 0 = natural
  int weight = 0;         // 0 default, 100..900
  int italic = 0;
  int charSet = 0;        // Windows character set: 0 CP1252, 1 and 204 CP1251, ...
};

struct t_PlatFont;

t_PlatFont* PlatFont_Create(const t_PlatFontReq& req);  // null when no face opens
void PlatFont_Destroy(t_PlatFont* f);
const char* PlatFont_File(const t_PlatFont* f);        // the font file matched

// Unicode code point of a glyph code in a character set's code page (0 for
// bytes the code page leaves undefined); codes above 255 are taken as Unicode.
unsigned PlatFont_CodeToUnicode(int charSet, int code);

// Compiles glyph codes first..first+count-1 into lists listBase.. as 1-bit
// glBitmap glyphs with their origin on the baseline and their advance. 1 or 0.
// What drawing a glyph at the origin would show, known without drawing it:
// adv (count values, when given) receives each glyph's whole-pixel advance;
// ink (count x rows flags, when given) marks per glyph the rows 0..rows-1 above
// the baseline (row 0 the first) that have ink in the columns 0..min(advance,
// cols)-1.
int PlatFont_BitmapLists(t_PlatFont* f, int first, int count, unsigned listBase, float* adv = nullptr,
                         unsigned char* ink = nullptr, int rows = 0, int cols = 0);

// Compiles the same codes as polygon glyphs one em high: front face at z = 0,
// with extrusion > 0 sides and a back face at z = -extrusion; each list ends
// translated by the glyph's advance. deviation is the largest chord deviation
// of curves (em units, <= 0 for the default). adv and hgt receive count values:
// advance and black-box height in em units. 1 or 0.
int PlatFont_OutlineLists(t_PlatFont* f, int first, int count, unsigned listBase, float deviation,
                          float extrusion, float* adv, float* hgt);
