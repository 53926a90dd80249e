// Fonts held as GL display lists, one list per character code: 13 Windows
// fonts (0..12, bitmap or outline glyphs of an installed typeface) and 16
// texture fonts (slots 0..15, printed as fonts 100..115: quads cut from a
// glyph picture). Both sets are built at start-up from their list files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/chars.h"

struct orgT_WFont {
  uint32_t listBase = 0;  // first display list (0 = not built)
  short first = 0;        // code of the first glyph
  short count = 0;        // glyphs built from first; count+1 lists reserved
  float* adv = nullptr;   // advance of each glyph in pixels (em units for outlines)
  float* hgt = nullptr;   // inked height of each glyph
  t_Char64 face;          // typeface name
  short height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  short italic = 0, underline = 0, strikeOut = 0, charSet = 0;
  short outline = 0;      // 0 bitmap glyphs, else outline glyphs for 3D
  short deviation = 0;    // chord deviation x 100
  short extrusion = 0;    // extrusion depth x 100
  int listCount = 0;      // lists reserved at listBase

  orgT_WFont() = default;
  orgT_WFont(const orgT_WFont&) = delete;
  orgT_WFont& operator=(const orgT_WFont&) = delete;
  ~orgT_WFont();
  void Sbros();  // frees the tables and deletes the lists (needs the GL context)
  bool InRange(int code) const { return listBase && adv && code >= first && code <= first + count; }
  float Advance(int code) const { return InRange(code) ? adv[code - first] : 0.0f; }
};

struct t_tile_proektor {
  uint32_t listBase = 0;    // first display list (0 = not built)
  short first = 0;          // code of the first glyph
  short count = 0;          // last glyph index: glyphs 0..count
  short* widths = nullptr;  // tile width of each glyph in pixels
  short picW = 0, picH = 0;    // glyph picture size
  short gridW = 0, gridH = 0;  // area of the picture holding the glyph grid
  short cols = 0, rows = 0;    // cells per row, rows
  short cellW = 0, cellH = 0;  // gridW / cols, gridH / rows
  int listCount = 0;           // lists reserved at listBase

  t_tile_proektor() = default;
  t_tile_proektor(const t_tile_proektor&) = delete;
  t_tile_proektor& operator=(const t_tile_proektor&) = delete;
  ~t_tile_proektor();
  void Sbros();  // frees the widths and deletes the lists (needs the GL context)
  int MaxTilePixW() const;
  bool InRange(int code) const { return listBase && widths && code >= first && code <= first + count; }
  int TileW(int code) const { return InRange(code) ? widths[code - first] : 0; }
};

inline constexpr int kWinFonts = 13;
inline constexpr int kTexFonts = 16;
extern orgT_WFont org_WFont[kWinFonts];
extern t_tile_proektor tex_font[kTexFonts];

bool LoadWinFonts(const char* listFile);
int StroimWFont(int i);
void WFontBitmaps_GetGabarits(int i);  // measures by drawing and reading back
struct t_PlatFont;
bool WFontBitmaps_Build(int i, t_PlatFont* pf);  // lists and measures without a read-back
int FindZeroPixLine(int x, int y, int w, int h);
// The first row of the last run of rows without ink among rows 0..h-1 (-1 when
// every row has ink): the row just above a glyph's ink.
int LastBlankRunStart(const unsigned char* inked, int h);
bool LoadFontProektors(const char* listFile);
int* FontProjTexSetting(int slot);  // o2::FontProjTex0..9, null outside 0..9
int StroimProektor(int s);

// ---- list files, read without GL (fonts_list.cpp) ----
// One record of the Windows font list.
struct t_WFontSpec {
  short slot = 0;
  char face[64] = {};
  short first = 0, count = 0, height = 0, width = 0, escapement = 0, orientation = 0;
  short weight = 0, italic = 0, underline = 0, strikeOut = 0, charSet = 0;
  short outline = 0, deviation = 0, extrusion = 0;
};
// One record of the texture font list.
struct t_TFontSpec {
  short slot = 0;
  short first = 0, count = 0, picW = 0, picH = 0, cols = 0, rows = 0, gridW = 0, gridH = 0;
  std::vector<short> widths;  // count+1 tile widths
};
struct t_TFontList {
  int pics[10] = {};  // picture numbers of texture fonts 0..9 in picture group 0
  std::vector<t_TFontSpec> fonts;
};

// Parse the list files' bytes (CR LF or LF lines). Records are kept in file order
// up to the first unreadable one; the result is 1 when the whole list was
// read, 0 when it ends early. Records the loader must refuse are kept; the
// validators below tell them apart.
int WFontList_Parse(const char* text, size_t n, int vModeReq, std::vector<t_WFontSpec>& out);
int TFontList_Parse(const char* text, size_t n, t_TFontList& out);
bool WFontSpecOK(const t_WFontSpec& s);  // logs why a record is refused
bool TFontSpecOK(const t_TFontSpec& s);
bool WFontParamsOK(int slot, const char* face, int first, int count, int outline);
// Heights and widths (either sign) up to the tallest screen of the video
// modes; a larger glyph shows nothing and costs memory by its square.
inline constexpr int kMaxFontPixels = 1024;
bool WFontSizeOK(int slot, const char* face, int height, int width);
bool TFontParamsOK(int slot, int first, int count, int picW, int picH, int cols, int rows);
int WFontHeightForMode(int height, int vModeReq);  // height grown for larger video modes
