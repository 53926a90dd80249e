#include "platform/fonts.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <iconv.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

struct t_PlatFont {
  FT_Face face = nullptr;
  std::string file;
  int charSet = 0;
  bool embolden = false;
  bool shear = false;
  FT_Matrix matrix{0x10000, 0, 0, 0x10000};
};

namespace {

FT_Library FtLib() {
  static FT_Library lib = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
  });
  return lib;
}

const char* CodePageOf(int charSet) {
  switch (charSet) {
    case 0: return "CP1252";
    case 238: return "CP1250";
    case 161: return "CP1253";
    case 162: return "CP1254";
    case 177: return "CP1255";
    case 178: return "CP1256";
    case 186: return "CP1257";
    case 163: return "CP1258";
    default: return "CP1251";  // 1, 204 and anything else: the program's own code page
  }
}

struct t_CodeTable {
  std::string name;
  std::array<unsigned, 256> cp{};
};

const std::array<unsigned, 256>& CodeTable(int charSet) {
  static std::deque<t_CodeTable> tables;
  static std::mutex mu;
  std::lock_guard<std::mutex> lock(mu);
  const char* name = CodePageOf(charSet);
  for (const t_CodeTable& t : tables)
    if (t.name == name) return t.cp;
  t_CodeTable& t = tables.emplace_back();
  t.name = name;
  for (unsigned b = 0; b < 128; ++b) t.cp[b] = b;
  iconv_t cd = iconv_open("UTF-32LE", name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return t.cp;
  for (unsigned b = 128; b < 256; ++b) {
    char in = static_cast<char>(b);
    char* ip = &in;
    size_t il = 1;
    uint32_t u = 0;
    char* op = reinterpret_cast<char*>(&u);
    size_t ol = sizeof(u);
    t.cp[b] = iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) ? 0 : u;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return t.cp;
}

// fontconfig's choice of a font file for a Windows logical font.
bool MatchFace(const t_PlatFontReq& req, t_PlatFont& f, int& index) {
  static std::once_flag once;
  std::call_once(once, [] { FcInit(); });
  FcPattern* p = FcPatternCreate();
  if (!p) return false;
  if (req.face && *req.face) FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(req.face));
  int w = req.weight > 0 ? std::clamp(req.weight, 1, 1000) : 400;
  FcPatternAddInteger(p, FC_WEIGHT, FcWeightFromOpenType(w));
  FcPatternAddInteger(p, FC_SLANT, req.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(p, FC_SCALABLE, FcTrue);
  if (req.charSet == 204) {
    FcLangSet* ls = FcLangSetCreate();
    FcLangSetAdd(ls, reinterpret_cast<const FcChar8*>("ru"));
    FcPatternAddLangSet(p, FC_LANG, ls);
    FcLangSetDestroy(ls);
  }
  FcConfigSubstitute(nullptr, p, FcMatchPattern);
  FcDefaultSubstitute(p);
  FcResult res;
  FcPattern* m = FcFontMatch(nullptr, p, &res);
  FcPatternDestroy(p);
  if (!m) return false;
  FcChar8* file = nullptr;
  bool ok = FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch && file;
  if (ok) f.file = reinterpret_cast<const char*>(file);
  index = 0;
  FcPatternGetInteger(m, FC_INDEX, 0, &index);
  FcBool emb = FcFalse;
  if (FcPatternGetBool(m, FC_EMBOLDEN, 0, &emb) == FcResultMatch) f.embolden = emb;
  FcMatrix* mx = nullptr;
  if (FcPatternGetMatrix(m, FC_MATRIX, 0, &mx) == FcResultMatch && mx) {
    f.matrix.xx = static_cast<FT_Fixed>(mx->xx * 0x10000);
    f.matrix.xy = static_cast<FT_Fixed>(mx->xy * 0x10000);
    f.matrix.yx = static_cast<FT_Fixed>(mx->yx * 0x10000);
    f.matrix.yy = static_cast<FT_Fixed>(mx->yy * 0x10000);
    f.shear = mx->xy != 0.0 || mx->yx != 0.0 || mx->xx != 1.0 || mx->yy != 1.0;
  }
  FcPatternDestroy(m);
  return ok;
}

// Pixel sizes by the Windows rules: a positive height is the cell height
// (ascent + descent of the Windows metrics), a negative one the em height;
// a width is the average letter width.
void SetWindowsSize(FT_Face face, int height, int width) {
  double upem = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  double cell = face->ascender - face->descender;
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
    cell = os2->usWinAscent + os2->usWinDescent;
  if (cell <= 0) cell = upem;
  double em = height > 0 ? height * upem / cell : height < 0 ? -height : 16.0 * upem / cell;
  double emX = em;
  if (width > 0 && os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
    emX = width * upem / os2->xAvgCharWidth;
  FT_Set_Char_Size(face, std::lround(emX * 64), std::lround(em * 64), 72, 72);
}

FT_UInt GlyphOf(const t_PlatFont& f, int code) {
  unsigned u = PlatFont_CodeToUnicode(f.charSet, code);
  return u ? FT_Get_Char_Index(f.face, u) : 0;
}

// ---- outlines: flattening and tessellation ----

struct t_Contours {
  std::vector<std::vector<double>> c;  // x, y pairs in em units
  FT_Vector last{};
  double scale = 1.0;
  double dev = 0.005;
};

void AddPt(t_Contours* cs, double x, double y) {
  cs->c.back().push_back(x * cs->scale);
  cs->c.back().push_back(y * cs->scale);
}

int Steps(t_Contours* cs, double bound) {
  double n = std::ceil(std::sqrt(bound * cs->scale / cs->dev));
  return static_cast<int>(std::clamp(n, 1.0, 64.0));
}

int MoveTo(const FT_Vector* to, void* u) {
  auto* cs = static_cast<t_Contours*>(u);
  cs->c.emplace_back();
  AddPt(cs, to->x, to->y);
  cs->last = *to;
  return 0;
}

int LineTo(const FT_Vector* to, void* u) {
  auto* cs = static_cast<t_Contours*>(u);
  AddPt(cs, to->x, to->y);
  cs->last = *to;
  return 0;
}

int ConicTo(const FT_Vector* c, const FT_Vector* to, void* u) {
  auto* cs = static_cast<t_Contours*>(u);
  FT_Vector p = cs->last;
  double bx = p.x - 2.0 * c->x + to->x, by = p.y - 2.0 * c->y + to->y;
  int n = Steps(cs, std::hypot(bx, by) / 4.0);
  for (int i = 1; i <= n; ++i) {
    double t = double(i) / n, a = (1 - t) * (1 - t), b = 2 * t * (1 - t), d = t * t;
    AddPt(cs, a * p.x + b * c->x + d * to->x, a * p.y + b * c->y + d * to->y);
  }
  cs->last = *to;
  return 0;
}

int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* u) {
  auto* cs = static_cast<t_Contours*>(u);
  FT_Vector p = cs->last;
  double b1 = std::hypot(p.x - 2.0 * c1->x + c2->x, p.y - 2.0 * c1->y + c2->y);
  double b2 = std::hypot(c1->x - 2.0 * c2->x + to->x, c1->y - 2.0 * c2->y + to->y);
  int n = Steps(cs, 0.75 * std::max(b1, b2));
  for (int i = 1; i <= n; ++i) {
    double t = double(i) / n, s = 1 - t;
    double x = s * s * s * p.x + 3 * s * s * t * c1->x + 3 * s * t * t * c2->x + t * t * t * to->x;
    double y = s * s * s * p.y + 3 * s * s * t * c1->y + 3 * s * t * t * c2->y + t * t * t * to->y;
    AddPt(cs, x, y);
  }
  cs->last = *to;
  return 0;
}

void TessBegin(GLenum mode) { glBegin(mode); }
void TessVertex(void* v) { glVertex3dv(static_cast<const GLdouble*>(v)); }
void TessEnd() { glEnd(); }
void TessError(GLenum) {}
void TessCombine(GLdouble c[3], void*[4], GLfloat[4], void** out, void* data) {
  auto* extra = static_cast<std::deque<std::array<GLdouble, 3>>*>(data);
  extra->push_back({c[0], c[1], c[2]});
  *out = extra->back().data();
}

template <class F>
_GLUfuncptr TessFn(F* f) {
  return reinterpret_cast<_GLUfuncptr>(reinterpret_cast<void (*)()>(f));
}

// One face of a glyph at depth z, filled by the non-zero rule, facing +z
// (front) or -z (back).
void TessFace(GLUtesselator* tess, const t_Contours& cs, double z, bool front) {
  std::vector<std::vector<GLdouble>> pts;
  for (const auto& c : cs.c) {
    auto& v = pts.emplace_back();
    for (size_t i = 0; i + 1 < c.size(); i += 2) v.insert(v.end(), {c[i], c[i + 1], z});
  }
  std::deque<std::array<GLdouble, 3>> extra;
  gluTessNormal(tess, 0, 0, front ? 1 : -1);
  glNormal3f(0, 0, front ? 1.0f : -1.0f);
  gluTessBeginPolygon(tess, &extra);
  for (auto& v : pts) {
    if (v.size() < 9) continue;
    gluTessBeginContour(tess);
    for (size_t i = 0; i + 2 < v.size(); i += 3) gluTessVertex(tess, &v[i], &v[i]);
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
}

// Side walls between z = 0 and z = -depth, facing outward.
void Walls(const t_Contours& cs, double depth, bool clockwiseOuter) {
  glBegin(GL_QUADS);
  for (const auto& c : cs.c) {
    size_t n = c.size() / 2;
    if (n < 3) continue;
    for (size_t i = 0; i < n; ++i) {
      size_t j = (i + 1) % n;
      double ax = c[2 * i], ay = c[2 * i + 1], bx = c[2 * j], by = c[2 * j + 1];
      double dx = bx - ax, dy = by - ay;
      if (clockwiseOuter) {
        glNormal3d(-dy, dx, 0);
        glVertex3d(ax, ay, 0);
        glVertex3d(bx, by, 0);
        glVertex3d(bx, by, -depth);
        glVertex3d(ax, ay, -depth);
      } else {
        glNormal3d(dy, -dx, 0);
        glVertex3d(ax, ay, 0);
        glVertex3d(ax, ay, -depth);
        glVertex3d(bx, by, -depth);
        glVertex3d(bx, by, 0);
      }
    }
  }
  glEnd();
}

}  // namespace

unsigned PlatFont_CodeToUnicode(int charSet, int code) {
  if (code < 0) return 0;
  if (code > 255) return static_cast<unsigned>(code);
  return CodeTable(charSet)[code];
}

t_PlatFont* PlatFont_Create(const t_PlatFontReq& req) {
  FT_Library lib = FtLib();
  if (!lib) return nullptr;
  auto* f = new t_PlatFont;
  f->charSet = req.charSet;
  int index = 0;
  if (!MatchFace(req, *f, index) || FT_New_Face(lib, f->file.c_str(), index, &f->face) != 0 ||
      !FT_IS_SCALABLE(f->face)) {
    PlatFont_Destroy(f);
    return nullptr;
  }
  SetWindowsSize(f->face, req.height, req.width);
  return f;
}

void PlatFont_Destroy(t_PlatFont* f) {
  if (!f) return;
  if (f->face) FT_Done_Face(f->face);
  delete f;
}

const char* PlatFont_File(const t_PlatFont* f) { return f ? f->file.c_str() : ""; }

namespace {

// Marks the rows above the baseline where a glyph bitmap placed at the origin
// (its left column at x = left, its top row at y = top - 1) has ink in the
// columns 0..w-1.
void MarkInkRows(const unsigned char* bits, int rowBytes, int bmW, int bmH, int left, int top, int w,
                 unsigned char* rows, int nRows) {
  std::fill(rows, rows + nRows, 0);
  int c0 = std::max(0, -left), c1 = std::min(bmW, w - left);
  for (int y = 0; y < nRows; ++y) {
    int r = top - 1 - y;  // bitmap row from the top
    if (r < 0 || r >= bmH) continue;
    // bits are stored bottom row first, as glBitmap takes them
    const unsigned char* row = bits + static_cast<size_t>(bmH - 1 - r) * rowBytes;
    for (int c = c0; c < c1 && !rows[y]; ++c) rows[y] = (row[c >> 3] >> (7 - (c & 7))) & 1;
  }
}

}  // namespace

int PlatFont_BitmapLists(t_PlatFont* f, int first, int count, unsigned listBase, float* adv, unsigned char* ink,
                         int rows, int cols) {
  if (!f || !f->face || first < 0 || count < 0 || !listBase || rows < 0) return 0;
  FT_Set_Transform(f->face, f->shear ? &f->matrix : nullptr, nullptr);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  std::vector<unsigned char> bits;
  for (int k = 0; k < count; ++k) {
    FT_GlyphSlot slot = f->face->glyph;
    bool ok = FT_Load_Glyph(f->face, GlyphOf(*f, first + k), FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) == 0;
    if (ok && f->embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Embolden(slot);
    if (ok && slot->format != FT_GLYPH_FORMAT_BITMAP) ok = FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0;
    if (adv) adv[k] = 0.0f;
    if (ink) std::fill(ink + static_cast<size_t>(k) * rows, ink + static_cast<size_t>(k + 1) * rows, 0);
    glNewList(listBase + k, GL_COMPILE);
    if (ok) {
      const FT_Bitmap& bm = slot->bitmap;
      int w = static_cast<int>(bm.width), h = static_cast<int>(bm.rows);
      int rowBytes = (w + 7) / 8, pitch = std::abs(bm.pitch);
      bool mono = bm.pixel_mode == FT_PIXEL_MODE_MONO;
      if (!mono || !bm.buffer) w = h = 0;
      bits.assign(static_cast<size_t>(rowBytes) * (h > 0 ? h : 1), 0);
      for (int r = 0; r < h; ++r) {  // GL wants the bottom row first
        int src = bm.pitch > 0 ? r : h - 1 - r;
        std::memcpy(&bits[static_cast<size_t>(h - 1 - r) * rowBytes], bm.buffer + src * pitch, rowBytes);
      }
      int advance = static_cast<int>((slot->advance.x + 32) >> 6);
      glBitmap(w, h, static_cast<float>(-slot->bitmap_left), static_cast<float>(h - slot->bitmap_top),
               static_cast<float>(advance), 0, bits.data());
      if (adv) adv[k] = static_cast<float>(advance);
      if (ink)
        MarkInkRows(bits.data(), rowBytes, w, h, slot->bitmap_left, slot->bitmap_top, std::min(advance, cols),
                    ink + static_cast<size_t>(k) * rows, rows);
    }
    glEndList();
  }
  glPopClientAttrib();
  FT_Set_Transform(f->face, nullptr, nullptr);
  return 1;
}

int PlatFont_OutlineLists(t_PlatFont* f, int first, int count, unsigned listBase, float deviation,
                          float extrusion, float* adv, float* hgt) {
  if (!f || !f->face || first < 0 || count < 0 || !listBase || !adv || !hgt) return 0;
  GLUtesselator* tess = gluNewTess();
  if (!tess) return 0;
  gluTessCallback(tess, GLU_TESS_BEGIN, TessFn(TessBegin));
  gluTessCallback(tess, GLU_TESS_VERTEX, TessFn(TessVertex));
  gluTessCallback(tess, GLU_TESS_END, TessFn(TessEnd));
  gluTessCallback(tess, GLU_TESS_ERROR, TessFn(TessError));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, TessFn(TessCombine));
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  FT_Outline_Funcs funcs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  double upem = f->face->units_per_EM > 0 ? f->face->units_per_EM : 2048;
  for (int k = 0; k < count; ++k) {
    adv[k] = hgt[k] = 0.0f;
    FT_GlyphSlot slot = f->face->glyph;
    bool ok = FT_Load_Glyph(f->face, GlyphOf(*f, first + k), FT_LOAD_NO_SCALE) == 0 &&
              slot->format == FT_GLYPH_FORMAT_OUTLINE;
    glNewList(listBase + k, GL_COMPILE);
    if (ok) {
      FT_Outline* o = &slot->outline;
      if (f->embolden) FT_Outline_Embolden(o, static_cast<FT_Pos>(upem / 24));
      if (f->shear) FT_Outline_Transform(o, &f->matrix);
      t_Contours cs;
      cs.scale = 1.0 / upem;
      cs.dev = deviation > 0 ? deviation : 0.005;
      FT_Outline_Decompose(o, &funcs, &cs);
      for (auto& c : cs.c)  // drop the closing point that repeats the first
        if (c.size() >= 4 && c[0] == c[c.size() - 2] && c[1] == c[c.size() - 1]) c.resize(c.size() - 2);
      TessFace(tess, cs, 0.0, true);
      if (extrusion > 0) {
        TessFace(tess, cs, -extrusion, false);
        Walls(cs, extrusion, FT_Outline_Get_Orientation(o) == FT_ORIENTATION_TRUETYPE);
      }
      adv[k] = static_cast<float>(slot->advance.x / upem);
      hgt[k] = static_cast<float>(slot->metrics.height / upem);
      glTranslatef(adv[k], 0, 0);
    }
    glEndList();
  }
  gluDeleteTess(tess);
  return 1;
}
