#include "ui/print.h"

#include <GL/gl.h>

#include <cstdlib>

#include "core/core.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/fonts.h"
#include "ui/settings.h"
#include "ui/text_buf.h"

float Glob_FroPolyFontR, Glob_FroPolyFontG, Glob_FroPolyFontB, Glob_FroPolyFontA;
float Glob_SubPolyFontR, Glob_SubPolyFontG, Glob_SubPolyFontB, Glob_SubPolyFontA;

namespace {

// The entry n of group g when it holds at least minLetters letters.
orgT_TBuf_* PrintableEntry(int g, int n, int minLetters) {
  if (g < 0 || g >= kTBufGroups || !gr_TBuf[g] || n < 0 || n > gr_TBuf_Last[g]) return nullptr;
  orgT_TBuf_* e = &gr_TBuf[g][n];
  return e->stat[orgT_TBuf_::n_Bukv] >= minLetters ? e : nullptr;
}

void RunLetters(orgT_TBuf_* e, short g, short n, short skipFirst, short skipLast, short colours, int lo,
                int hi) {
  if (colours) TBufRunLists_Colors(e, skipFirst, skipLast, lo, hi);
  else TBufRunLists(g, n, skipFirst, skipLast, lo, hi);
}

// A bitmap takes the colour latched by the raster position, so in a colour
// print every letter gets its own raster position after its colour.
void RunBitmapColours(const orgT_TBuf_& e, const orgT_WFont& f, int x, int y, int skipFirst, int skipLast) {
  int end = e.stat[orgT_TBuf_::n_Bukv] - skipLast;
  if (end > orgT_TBuf_::kCap) end = orgT_TBuf_::kCap;
  float cx = static_cast<float>(x);
  glListBase(f.listBase - f.first);
  for (int i = skipFirst; i < end; ++i) {
    int code = static_cast<unsigned char>(e.text[i]);
    if (!f.InRange(code)) continue;
    glColor3ub(e.r[i], e.g[i], e.b[i]);
    glRasterPos2f(cx, static_cast<float>(y));
    glCallLists(1, GL_UNSIGNED_BYTE, e.text + i);
    cx += f.Advance(code);
  }
}

void EndPrint() {
  TexUnit(0, -1);
  NomBlend(0);
}

void Untextured() { TexMat(0, -1, 0, -1, 0); }

}  // namespace

void Print_ProjAutoTexBind(int slot) {
  int* pic = FontProjTexSetting(slot);
  if (!pic || *pic <= 0) return;
  NomBlend(38);
  TexUnit(3, -1);
  TexUnit(2, -1);
  TexUnit(1, -1);
  TexUnit(0, 1);
  if (!gr_PixFail(0, static_cast<unsigned>(*pic))) {
    gr_Pix[0][*pic].Bind();
    return;
  }
  // Without its picture the font draws plain quads, not some other picture.
  TexUnit(0, -1);
  static bool told[10];
  if (!told[slot]) LogInfo("\n Texture font %d: picture %d of group 0 is missing\n", slot, *pic);
  told[slot] = true;
}

void Print2D(short x, short y, short centreX, short centreY, short font, short g, short n, short skipFirst,
             short skipLast, short colours) {
  if (*o2::State2D != 1) return;
  if (skipFirst < 0) skipFirst = 0;
  if (skipLast < 0) skipLast = 0;
  orgT_TBuf_* e = PrintableEntry(g, n, skipFirst + skipLast + 1);
  if (!e) return;
  glLoadIdentity();
  bool skips = skipFirst > 0 || skipLast > 0;
  int px = x, py = y;
  int lo, hi;
  if (font >= 0 && font < kWinFonts) {
    const orgT_WFont& f = org_WFont[font];
    if (f.outline > 0 || !f.listBase) return;  // 2D prints bitmap fonts only
    if (centreX && font <= orgT_TBuf_::kWin) {
      if (skips) {
        px -= TBufWidth(g, n, font, true, skipFirst, skipLast) / 2;
      } else {
        if (e->wWin[font] == 0.0f) e->wWin[font] = static_cast<float>(TBufWidth(g, n, font, true, 0, 0));
        px -= static_cast<int>(e->wWin[font] / 2);
      }
    }
    if (centreY) py -= (std::abs(f.height) / 2) / 2;
    if (colours) {
      RunBitmapColours(*e, f, px, py, skipFirst, skipLast);
      EndPrint();
      return;
    }
    glRasterPos2i(px, py);
    glListBase(f.listBase - f.first);
    lo = f.first;
    hi = f.first + f.count;
  } else if (font >= 100 && font < 100 + kTexFonts) {
    int slot = font - 100;
    const t_tile_proektor& t = tex_font[slot];
    if (!t.listBase) return;
    Print_ProjAutoTexBind(slot);
    if (centreX && slot <= orgT_TBuf_::kTex) {
      int w;
      if (skips) {
        w = TBufWidth(g, n, slot, false, skipFirst, skipLast);
      } else {
        if (e->wTex[slot] == 0) e->wTex[slot] = static_cast<uint16_t>(TBufWidth(g, n, slot, false, 0, 0));
        w = e->wTex[slot];
      }
      px = px - w / 2 + 2;
    }
    if (centreY) py -= t.cellH / 2;
    glTranslatef(static_cast<float>(px), static_cast<float>(py), 0);
    glListBase(t.listBase - t.first);
    lo = t.first;
    hi = t.first + t.count;
  } else {
    return;  // 13..99 and numbers outside the font tables draw nothing
  }
  RunLetters(e, g, n, skipFirst, skipLast, colours, lo, hi);
  EndPrint();
}

void Print2D_Pre1(short x, short y, short centreX, short centreY, short font, short g, short n, short shadow,
                  float a, float r, float gr, float b) {
  Print2D(x + shadow, y - shadow, centreX, centreY, font, g, n, 0, 0, 0);
  ColorMatF(a, r, gr, b);
  Print2D(x, y, centreX, centreY, font, g, n, 0, 0, 0);
}

void Print2D_Pre1B(short x, short y, short centreX, short centreY, short font, short g, short n, short shadow,
                   float a, float r, float gr, float b) {
  ColorMatF(1, 0, 0, 0);
  Print2D_Pre1(x, y, centreX, centreY, font, g, n, shadow, a, r, gr, b);
}

void Print3D(short windows, short font, short g, short n, short skipFirst, short skipLast, short colours) {
  orgT_TBuf_* e = PrintableEntry(g, n, 1);
  if (!e) return;
  int lo, hi;
  if (windows) {
    if (font < 0 || font >= kWinFonts) return;
    const orgT_WFont& f = org_WFont[font];
    if (!f.outline || !f.listBase) return;
    glListBase(f.listBase - f.first);
    lo = f.first;
    hi = f.first + f.count;
  } else {
    if (font < 0 || font >= kTexFonts) return;
    const t_tile_proektor& t = tex_font[font];
    if (!t.listBase) return;
    Print_ProjAutoTexBind(font);
    glListBase(t.listBase - t.first);
    lo = t.first;
    hi = t.first + t.count;
  }
  RunLetters(e, g, n, skipFirst, skipLast, colours, lo, hi);
  EndPrint();
}

void PrintFX(int font, int g, int n, int centre, int shadowFont) {
  if (g < 0 || g >= kTBufGroups || !gr_TBuf[g]) return;
  if (shadowFont >= 0 &&
      (shadowFont >= kWinFonts || org_WFont[shadowFont].outline < 1 || !org_WFont[shadowFont].listBase))
    return;
  if (font < 0 || font >= kWinFonts) return;
  const orgT_WFont& f = org_WFont[font];
  if (f.outline <= 0 || !f.adv || !f.listBase || !PrintableEntry(g, n, 1)) return;
  if (centre) glTranslatef(-TBufWidthF(g, n, font, true, 0, 0) / 2.0f, 0, 0);  // em units: not truncated
  if (shadowFont >= 0) {
    const orgT_WFont& s = org_WFont[shadowFont];
    glPushMatrix();
    glColor4f(Glob_SubPolyFontR, Glob_SubPolyFontG, Glob_SubPolyFontB, Glob_SubPolyFontA);
    glPushAttrib(GL_LIST_BIT);
    glListBase(s.listBase - s.first);
    TBufRunLists(g, n, 0, 0, s.first, s.first + s.count);
    glPopAttrib();
    glPopMatrix();
  }
  glColor4f(Glob_FroPolyFontR, Glob_FroPolyFontG, Glob_FroPolyFontB, Glob_FroPolyFontA);
  glPushAttrib(GL_LIST_BIT);
  glListBase(f.listBase - f.first);
  TBufRunLists(g, n, 0, 0, f.first, f.first + f.count);
  glPopAttrib();
}

void PrintFX_Mix1(int msg, float x, float y, float z) {
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(x, y, z);
  Untextured();
  TBufUpdate(0, 0, "%s", MsgBase(msg));  // the message is text, never a format
  PrintFX(0, 0, 0, 1, -1);
  glPopMatrix();
}

void PrintFX_TBuf00(float x, float y, float z, float ax, float ay, float az) {
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(x, y, z);
  if (ay < -1 || ay > 1) glRotatef(ay, 0, 1, 0);
  if (ax < -1 || ax > 1) glRotatef(ax, 1, 0, 0);
  if (az < -1 || az > 1) glRotatef(az, 0, 0, 1);
  Untextured();
  PrintFX(0, 0, 0, 1, -1);
  glPopMatrix();
}

namespace PrintSbor {

void NameLevel001(short x, short y, short g, short n) {
  ColorMat(255, 187, 200, 215);
  Print2D(x, y, 1, 1, 102, g, n, 0, 0, 0);
}

void NameLevel002(short x, short y, short g, short n) {
  Untextured();
  Print2D(x, y, 1, 1, 102, g, n, 0, 0, 0);
}

void InfoFPS1(short x, short y) {
  Untextured();
  ColorMatF(1, 1, 1, 1);
  Print2D(x, y, 0, 0, 100, 0, static_cast<short>(PrintFPS_TBuf), 0, 0, 0);
}

void LinesKmdGrid(short x1, short x2, short y, short n1, short g2, short n2) {
  ColorMatF(1, 0.8f, 0.8f, 0.25f);
  Print2D(x1, y, 0, 1, 103, 1, n1, 0, 0, 0);
  ColorMatF(1, 0.7f, 0.9f, 0.5f);
  Print2D(x2, y, 0, 1, 102, g2, n2, 0, 0, 0);
}

}  // namespace PrintSbor
