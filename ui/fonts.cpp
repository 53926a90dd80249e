// Building the Windows and texture fonts into display lists.
#include "ui/fonts.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "core/core.h"
#include "platform/fonts.h"
#include "ui/settings.h"
#include "shell/shell.h"

orgT_WFont org_WFont[kWinFonts];
t_tile_proektor tex_font[kTexFonts];

namespace {

int ScreenVModeReq() { return Ekran.VModeReq; }

void ScreenSize(int& w, int& h) {
  w = Ekran.W;
  h = Ekran.H;
  if (w > 0 && h > 0) return;
  GLint vp[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, vp);
  w = vp[2];
  h = vp[3];
}

int* const kFontProjTex[10] = {o2::FontProjTex0, o2::FontProjTex1, o2::FontProjTex2, o2::FontProjTex3,
                               o2::FontProjTex4, o2::FontProjTex5, o2::FontProjTex6, o2::FontProjTex7,
                               o2::FontProjTex8, o2::FontProjTex9};

// The whole list file; a file that cannot be read is logged.
bool ReadList(const char* file, const char* what, ByteLenta& bl) {
  if (file && GetByteLenta(bl, file, "", "", 0)) return true;
  const char* why = file ? sysNotRegularFile(file) : "missing";
  LogFail("\n %s list \"%s\": %s\n", what, file ? file : "", why ? why : "unreadable");
  return false;
}

}  // namespace

int* FontProjTexSetting(int slot) { return slot >= 0 && slot < 10 ? kFontProjTex[slot] : nullptr; }

// ---- records ----

// GL objects die with the context; only memory is released here.
orgT_WFont::~orgT_WFont() {
  delete[] adv;
  delete[] hgt;
}

void orgT_WFont::Sbros() {
  delete[] adv;
  delete[] hgt;
  adv = hgt = nullptr;
  if (listBase) glDeleteLists(listBase, listCount);
  listBase = 0;
  listCount = 0;
}

t_tile_proektor::~t_tile_proektor() { delete[] widths; }

void t_tile_proektor::Sbros() {
  delete[] widths;
  widths = nullptr;
  if (listBase) glDeleteLists(listBase, listCount);
  listBase = 0;
  listCount = 0;
}

int t_tile_proektor::MaxTilePixW() const {
  int m = 1;
  if (widths)
    for (int k = 0; k <= count; ++k) m = std::max(m, static_cast<int>(widths[k]));
  return m;
}

// ---- Windows fonts ----

int FindZeroPixLine(int x, int y, int w, int h) {
  int sw, sh;
  ScreenSize(sw, sh);
  if (x < 0 || y < 0) return -1;
  w = std::min(w, sw - x);
  h = std::min(h, sh - y);
  if (h <= 0) return -1;
  if (w <= 0) return 0;  // no pixels: every row is blank
  unsigned char* buf = new (std::nothrow) unsigned char[static_cast<size_t>(w) * h * 4];
  if (!buf) return -2;
  glFinish();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_PACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, buf);
  glPopClientAttrib();
  // Rows with ink reuse the buffer's first bytes: row r is read before flag r is written.
  unsigned char* inked = buf;
  for (int row = 0; row < h; ++row) {
    const unsigned char* p = buf + static_cast<size_t>(row) * w * 4;
    bool blank = true;
    for (int i = 0; i < w && blank; ++i) blank = p[4 * i] == 0 && p[4 * i + 1] == 0 && p[4 * i + 2] == 0;
    inked[row] = blank ? 0 : 1;
  }
  int run = LastBlankRunStart(inked, h);
  delete[] buf;
  return run;
}

int LastBlankRunStart(const unsigned char* inked, int h) {
  int lastRun = -1;
  bool prevBlank = false;
  for (int row = 0; row < h; ++row) {
    bool blank = !inked[row];
    if (blank && !prevBlank) lastRun = row;
    prevBlank = blank;
  }
  return lastRun;
}

void WFontBitmaps_GetGabarits(int i) {
  if (i < 0 || i >= kWinFonts) return;
  orgT_WFont& f = org_WFont[i];
  if (!f.listBase || !f.adv || !f.hgt || f.outline) return;
  int sw, sh;
  ScreenSize(sw, sh);
  int cellH = std::abs(f.height);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, sw, 0, sh, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glViewport(0, 0, sw, sh);
  for (GLenum cap : {GL_TEXTURE_2D, GL_BLEND, GL_DEPTH_TEST, GL_LIGHTING, GL_FOG, GL_ALPHA_TEST, GL_STENCIL_TEST,
                     GL_SCISSOR_TEST, GL_COLOR_LOGIC_OP})
    glDisable(cap);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0, 0, 0, 0);
  glColor4f(1, 1, 1, 1);  // latched by the raster position
  for (int k = 0; k <= f.count; ++k) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRasterPos2i(0, 0);
    glCallList(f.listBase + k);
    GLfloat rp[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, rp);
    f.adv[k] = rp[0];
    int h = FindZeroPixLine(0, 0, static_cast<int>(rp[0]), cellH);
    f.hgt[k] = static_cast<float>(h >= 0 ? h : cellH);
  }
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
}

int StroimWFont(int i) {
  if (i < 0 || i >= kWinFonts) return 0;
  orgT_WFont& f = org_WFont[i];
  f.Sbros();
  if (!WFontParamsOK(i, f.face.c, f.first, f.count, f.outline) || !WFontSizeOK(i, f.face.c, f.height, f.width))
    return 0;
  if (f.first + f.count > 256) {  // texts are bytes: no code above 255 is ever printed
    LogInfo("\n Windows font %d: glyphs %d..%d cut to %d..255\n", i, f.first, f.first + f.count - 1, f.first);
    f.count = static_cast<short>(256 - f.first);
  }
  GLuint base = glGenLists(f.count + 1);
  if (!base) {
    LogFail("\n Windows font %d: no display lists for %d glyphs\n", i, f.count + 1);
    return 0;
  }
  t_PlatFontReq req;
  req.face = f.face.c;
  req.height = f.height;
  req.width = f.width;
  req.weight = f.weight;
  req.italic = f.italic;
  req.charSet = f.charSet;
  t_PlatFont* pf = PlatFont_Create(req);
  f.adv = new (std::nothrow) float[f.count + 1]();
  f.hgt = new (std::nothrow) float[f.count + 1]();
  f.listBase = base;
  f.listCount = f.count + 1;
  if (!pf || !f.adv || !f.hgt) {
    LogFail("\n Windows font %d: typeface \"%s\" cannot be opened\n", i, f.face.c);
    PlatFont_Destroy(pf);
    f.Sbros();
    return 0;
  }
  bool built = true;
  if (f.outline) {
    built = PlatFont_OutlineLists(pf, f.first, f.count, base, f.deviation / 100.0f, f.extrusion / 100.0f, f.adv,
                                  f.hgt);
  } else {
    built = WFontBitmaps_Build(i, pf);
  }
  PlatFont_Destroy(pf);
  if (!built) {
    LogFail("\n Windows font %d (%s): its glyphs could not be built", i, f.face.c);
    f.Sbros();
    return 0;
  }
  return 1;
}

// The glyph lists of a bitmap font with the advances and inked heights that
// WFontBitmaps_GetGabarits reads back from the screen, taken from the glyphs
// themselves: the advance is the glyph's whole-pixel advance, the height the
// first row of the last blank run over the advance and the font height,
// within the screen.
bool WFontBitmaps_Build(int i, t_PlatFont* pf) {
  orgT_WFont& f = org_WFont[i];
  int sw, sh;
  ScreenSize(sw, sh);
  const int cellH = std::abs(f.height);
  const int rows = std::max(0, std::min(cellH, sh));
  std::vector<unsigned char> ink(static_cast<size_t>(f.count) * rows);
  if (!PlatFont_BitmapLists(pf, f.first, f.count, f.listBase, f.adv, ink.data(), rows, sw)) return false;
  for (int k = 0; k <= f.count; ++k) {
    if (k == f.count) f.adv[k] = 0.0f;  // the reserved list past the last glyph draws nothing
    int w = std::min(static_cast<int>(f.adv[k]), sw);
    int h = rows <= 0 ? -1 : w <= 0 ? 0 : LastBlankRunStart(&ink[static_cast<size_t>(k) * rows], rows);
    f.hgt[k] = static_cast<float>(h >= 0 ? h : cellH);
  }
  return true;
}

bool LoadWinFonts(const char* file) {
  ByteLenta bl;
  if (!ReadList(file, "Windows font", bl)) return false;
  std::vector<t_WFontSpec> specs;
  int whole = WFontList_Parse(reinterpret_cast<const char*>(bl.data), bl.size, ScreenVModeReq(), specs);
  for (const t_WFontSpec& s : specs) {
    if (s.slot >= 0) org_WFont[s.slot].Sbros();
    if (!WFontSpecOK(s)) continue;
    orgT_WFont& f = org_WFont[s.slot];
    f.face.Clear();
    std::memcpy(f.face.c, s.face, sizeof(s.face));
    f.first = s.first;
    f.count = s.count;
    f.height = s.height;
    f.width = s.width;
    f.escapement = s.escapement;
    f.orientation = s.orientation;
    f.weight = s.weight;
    f.italic = s.italic;
    f.underline = s.underline;
    f.strikeOut = s.strikeOut;
    f.charSet = s.charSet;
    f.outline = s.outline;
    f.deviation = s.deviation;
    f.extrusion = s.extrusion;
    if (!StroimWFont(s.slot)) {
      std::string cause = LastFailText();
      LogFail("\n Windows font list \"%s\": %s", file, cause.c_str());
      return 0;
    }
  }
  if (!whole) {
    LogFail("\n Windows font list \"%s\" ends early: %zu fonts read\n", file, specs.size());
    return 0;
  }
  return 1;
}

// ---- texture fonts ----

int StroimProektor(int s) {
  if (s < 0 || s >= kTexFonts) return 0;
  t_tile_proektor& t = tex_font[s];
  if (t.listBase) glDeleteLists(t.listBase, t.listCount);
  t.listBase = 0;
  t.listCount = 0;
  if (!t.widths || !TFontParamsOK(s, t.first, t.count, t.picW, t.picH, t.cols, t.rows)) return 0;
  GLuint base = glGenLists(t.count + 1);
  if (!base) {
    LogFail("\n Texture font %d: no display lists for %d glyphs\n", s, t.count + 1);
    return 0;
  }
  t.cellW = static_cast<short>(t.gridW / t.cols);
  t.cellH = static_cast<short>(t.gridH / t.rows);
  float u = 1.0f / t.picW;
  float dv = static_cast<float>(t.cellH) / t.picH;
  float v = 1.0f - dv;  // rows run from the top of the picture down
  for (int k = 0; k <= t.count; ++k) {
    int col = k % t.cols;
    float w = t.widths[k];
    float s0 = col * t.cellW * u, span = w * u, h = t.cellH;
    glNewList(base + k, GL_COMPILE);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, v);
    glVertex2f(0, 0);
    glTexCoord2f(s0 + span, v);
    glVertex2f(w, 0);
    glTexCoord2f(s0 + span, v + dv);
    glVertex2f(w, h);
    glTexCoord2f(s0, v + dv);
    glVertex2f(0, h);
    glEnd();
    glTranslatef(w, 0, 0);
    glEndList();
    if (col == t.cols - 1) v -= dv;
  }
  t.listBase = base;
  t.listCount = t.count + 1;
  return 1;
}

bool LoadFontProektors(const char* file) {
  ByteLenta bl;
  if (!ReadList(file, "Texture font", bl)) return false;
  t_TFontList list;
  int whole = TFontList_Parse(reinterpret_cast<const char*>(bl.data), bl.size, list);
  for (int k = 0; k < 10; ++k) *FontProjTexSetting(k) = list.pics[k];
  for (const t_TFontSpec& s : list.fonts) {
    if (s.slot >= 0) tex_font[s.slot].Sbros();
    if (!TFontSpecOK(s)) continue;
    t_tile_proektor& t = tex_font[s.slot];
    t.first = s.first;
    t.count = s.count;
    t.picW = s.picW;
    t.picH = s.picH;
    t.cols = s.cols;
    t.rows = s.rows;
    t.gridW = s.gridW;
    t.gridH = s.gridH;
    t.widths = new (std::nothrow) short[s.widths.size()];
    if (!t.widths) {
      LogFail("\n Texture font list \"%s\", font %d: no memory for %zu widths\n", file, s.slot, s.widths.size());
      return 0;
    }
    std::copy(s.widths.begin(), s.widths.end(), t.widths);
    if (!StroimProektor(s.slot)) {
      LogFail("\n Texture font list \"%s\": font %d could not be built", file, s.slot);
      return 0;
    }
  }
  if (!whole) {
    LogFail("\n Texture font list \"%s\" ends early: %zu fonts read\n", file, list.fonts.size());
    return 0;
  }
  return 1;
}
