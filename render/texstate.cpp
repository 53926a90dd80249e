#include "render/OpenGL_Ext.h"
#include "render/texstate.h"

#include "render/drawhelpers.h"
#include "render/image0.h"
#include "render/lights.h"
#include "render/materials.h"
#include "ui/ui.h"

int tkrgb = 0, tkalf = 0, tkrgbs = 100, tkalfs = 100;
int tk0[4] = {0, 0, 0, 0}, tk1[4] = {0, 0, 0, 0}, tk2[4] = {0, 0, 0, 0};

namespace {

const GLenum kBlendSrc[9] = {GL_ZERO,      GL_ONE,       GL_DST_COLOR,           GL_ONE_MINUS_DST_COLOR,
                             GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA,
                             GL_SRC_ALPHA_SATURATE};
const GLenum kBlendDst[8] = {GL_ZERO,      GL_ONE,                 GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
                             GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA};

void SelectUnit(unsigned unit) {
  if (glActiveTextureARB) glActiveTextureARB(GL_TEXTURE0_ARB + unit);
}

GLint CombineFunc(int code) {
  switch (code) {
    case 0: return GL_MODULATE;
    case 4: return GL_ADD;
    case 5: return GL_ADD_SIGNED_ARB;
    case 6: return GL_INTERPOLATE_ARB;
    default: return GL_REPLACE;
  }
}

// Code 100 hands GL the value 0, which it does not take as a source: the
// argument keeps its previous source.
GLint CombineSource(int code) {
  switch (code) {
    case 100: return 0;
    case 101: return GL_TEXTURE0_ARB;
    case 102: return GL_TEXTURE1_ARB;
    case 103: return GL_TEXTURE2_ARB;
    case 104: return GL_TEXTURE3_ARB;
    case 105: return GL_CONSTANT_ARB;
    case 106: return GL_PRIMARY_COLOR_ARB;
    default: return GL_PREVIOUS_ARB;
  }
}

GLint ColourOperand(int code) {
  switch (code) {
    case 201: return GL_ONE_MINUS_SRC_COLOR;
    case 202: return GL_SRC_ALPHA;
    case 203: return GL_ONE_MINUS_SRC_ALPHA;
    default: return GL_SRC_COLOR;
  }
}

GLint AlphaOperand(int code) { return code == 203 ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA; }

void SetArgument(int n, const int* codes) {
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB + n, CombineSource(codes[0]));
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB + n, ColourOperand(codes[1]));
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA_ARB + n, CombineSource(codes[2]));
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA_ARB + n, AlphaOperand(codes[3]));
}

void Set4(int* t, int a, int b, int c, int d) {
  t[0] = a;
  t[1] = b;
  t[2] = c;
  t[3] = d;
}

}  // namespace

// ---- blend and colour ----

void NomBlend(int n) {
  if (n <= 0) {
    glDisable(GL_BLEND);
    return;
  }
  glEnable(GL_BLEND);
  if (n > 72) {
    glBlendFunc(GL_SRC_ALPHA, GL_ZERO);
    return;
  }
  int k = n - 1;
  glBlendFunc(kBlendSrc[k / 8], kBlendDst[k % 8]);
}

void ColorMat(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  if (!a) {
    Material_RS::ColourMaterialOff();
    glDisable(GL_COLOR_MATERIAL);
    return;
  }
  glEnable(GL_COLOR_MATERIAL);
  Material_RS::Bind(MatRS[1], 1);
  glColor4ub(r, g, b, a);
}

void ColorMatF(float a, float r, float g, float b) {
  if (!(a > 0.00001f)) {
    Material_RS::ColourMaterialOff();
    glDisable(GL_COLOR_MATERIAL);
    return;
  }
  glEnable(GL_COLOR_MATERIAL);
  Material_RS::Bind(MatRS[1], 1);
  glColor4f(r, g, b, a);
}

void GL_SetSpeIndColor(uint8_t n) {
  static const float kColours[14][3] = {{1, 1, 1},         {1, 0, 0},       {0, 1, 0},         {0, 0, 1},
                                        {0.75f, 0.75f, 0.75f}, {0.5f, 0.5f, 0.5f}, {0.25f, 0.25f, 0.25f},
                                        {0.9f, 0.7f, 0.5f}, {0.3f, 0.7f, 0.5f}, {1, 0.5f, 0.6f},
                                        {0, 0, 0},         {0.9f, 0.6f, 0.5f}, {0.85f, 0.8f, 0.6f},
                                        {0.7f, 0.6f, 0.65f}};
  const float* c = kColours[n < 14 ? n : 0];
  glColor3f(c[0], c[1], c[2]);
}

// ---- texture units and the render-state key ----

int TexUnit(unsigned unit, int mode) {
  if (unit > 7) return 0;
  SelectUnit(unit);
  if (mode == -1) glDisable(GL_TEXTURE_2D);
  else if (mode == 1) glEnable(GL_TEXTURE_2D);
  return 1;
}

void TexUnitAllOff() {
  for (int u = 7; u >= 0; --u) TexUnit(static_cast<unsigned>(u), -1);
}

void Tex_UnitSet(unsigned unit, int group, unsigned index) {
  SelectUnit(*o2::MultiTexE ? unit : 0);
  if (!gr_PixFail(group, index)) {
    glEnable(GL_TEXTURE_2D);
    gr_Pix[group][index].Bind();
  } else {
    DisTexAndGenST();
  }
}

void TexMat(int mode, int gA, int iA, int gB, int iB) {
  bool onlyA = false;
  if (mode > 0) {
    for (unsigned u = 2; u <= 3; ++u) {
      SelectUnit(u);
      DisTexAndGenST();
    }
    if (!Tex_TestForEnablePixGru(gA, iA)) mode = 0;
    if (!Tex_TestForEnablePixGru(gB, iB)) {
      mode = 1;
      onlyA = true;
    }
  }
  if (*o2::MultiTexE && !onlyA) {
    if (mode == 0) {
      for (int u = 0; u < *o2::MultiTexUnits && u < 4; ++u) {
        SelectUnit(static_cast<unsigned>(u));
        OGL::L_Modulate();
        DisTexAndGenST();
      }
      SelectUnit(0);
    } else if (mode == 1) {
      Tex_UnitSet(0, gA, static_cast<unsigned>(iA));
      OGL::L_Modulate();
      Tex_UnitSet(1, gB, static_cast<unsigned>(iB));
      OGL::L_Modulate();
      SelectUnit(0);
    }
    return;
  }
  if (mode == 0) {
    // Units 2 and 3 may have been selected above: the untextured state
    // belongs to unit 0.
    SelectUnit(0);
    DisTexAndGenST();
  } else if (mode == 1) {
    SelectUnit(1);
    DisTexAndGenST();
    SelectUnit(0);
    // Picture A is bound only when it really exists in its group.
    if (gr_PixFail(gA, static_cast<unsigned>(iA))) {
      DisTexAndGenST();
    } else {
      glEnable(GL_TEXTURE_2D);
      gr_Pix[gA][iA].Bind();
    }
  }
}

void USet_UnitSet(unsigned unit, int group, unsigned index, int env) {
  Tex_UnitSet(unit, group, index);
  if (env < 0) return;
  switch (env) {
    case 0: case 10: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); break;
    case 1: case 11: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL); break;
    case 3: case 13: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); break;
    case 4: case 14: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD); break;
    case 21: Kombin_org2_Tex0(); break;
    case 22: Kombin_org2_Tex1(); break;
    case 23: Kombin_AlfaBump1_Tex0(); break;
    case 24: Kombin_AlfaBump1_Tex1(); break;
    case 25: Kombin_an1_Tex0(); break;
    case 26: Kombin_an1_Tex1(); break;
    default: break;
  }
  if (env >= 10 && env <= 19) OGL::TexClamp(1);
  else OGL::TexRepeat(1);
  if (env > 20) USet_DoCombine();
}

// ---- combiners ----

void USet_DoCombine() {
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, CombineFunc(tkrgb));
  glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, tkrgbs / 100.0f);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_ARB, CombineFunc(tkalf));
  glTexEnvf(GL_TEXTURE_ENV, GL_ALPHA_SCALE, tkalfs / 100.0f);
  USet_DoCombine_b0();
  USet_DoCombine_b1();
}

void USet_DoCombine_b0() { SetArgument(0, tk0); }
void USet_DoCombine_b1() { SetArgument(1, tk1); }
void USet_DoCombine_b2() { SetArgument(2, tk2); }

void tk_CmbSc(int rgbFunc, int alphaFunc, int rgbScale, int alphaScale) {
  tkrgb = rgbFunc;
  tkalf = alphaFunc;
  tkrgbs = rgbScale;
  tkalfs = alphaScale;
}
void tk0_(int a, int b, int c, int d) { Set4(tk0, a, b, c, d); }
void tk1_(int a, int b, int c, int d) { Set4(tk1, a, b, c, d); }
void tk0z() { Set4(tk0, 0, 0, 0, 0); }
void tk1z() { Set4(tk1, 0, 0, 0, 0); }

void Kombin_org2_Tex0() {}
void Kombin_org2_Tex1() {}

void Kombin_AlfaBump1_Tex0() {
  tk_CmbSc(3, 3, 100, 100);
  tk0_(101, 200, 101, 202);
  tk1_(0, 0, 0, 0);
}

void Kombin_AlfaBump1_Tex1() {
  tk_CmbSc(3, 5, 100, 200);
  tk0_(107, 200, 107, 203);
  tk1_(0, 0, 101, 202);
}

void Kombin_an1_Tex0() {
  tk_CmbSc(0, 0, 200, 100);
  tk0_(106, 200, 100, 202);
  tk1_(101, 200, 100, 202);
}

void Kombin_an1_Tex1() {
  tk_CmbSc(5, 0, 100, 100);
  tk0_(107, 200, 100, 202);
  tk1_(102, 200, 102, 202);
}

// ---- clean states ----

void StartOfClearDraw1() {
  NomBlend(0);
  Svet::ProcCase(0);
  glDisable(GL_FOG);
  ColorMatF(1, 1, 1, 1);
  TexMat(0, -1, 0, -1, 0);
  glDisable(GL_SCISSOR_TEST);
  glShadeModel(GL_SMOOTH);
  glDepthMask(GL_TRUE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glDisable(GL_ALPHA_TEST);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
}

void ClearBeforeDrawImage() {
  NomBlend(0);
  Svet::ProcCase(0);
  glDisable(GL_FOG);
  glColor4f(1, 1, 1, 1);
  ColorMat(0, 255, 255, 255);
  TexMat(0, -1, 0, -1, 0);
  glDisable(GL_SCISSOR_TEST);
  glDepthMask(GL_FALSE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_INDEX_LOGIC_OP);
  glDisable(GL_COLOR_LOGIC_OP);
  glDisable(GL_DITHER);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_LINE_STIPPLE);
  glDisable(GL_POINT_SMOOTH);
  glDisable(GL_STENCIL_TEST);
}

void CheckLog_GLError(int) {}

// ---- vertex buffers ----

// A new buffer object of `bytes` from data, its name into *id; the size GL
// reports for it (0 when buffer objects are missing or the upload failed).
static int UploadStatic(GLenum target, const void* data, unsigned* id, int bytes) {
  *id = 0;
  if (!glGenBuffersARB || !glBindBufferARB || !glBufferDataARB || !glGetBufferParameterivARB) return 0;
  GLuint name = 0;
  glGenBuffersARB(1, &name);
  *id = name;
  glBindBufferARB(target, name);
  glBufferDataARB(target, bytes, data, GL_STATIC_DRAW_ARB);
  GLint size = 0;
  glGetBufferParameterivARB(target, GL_BUFFER_SIZE_ARB, &size);
  glBindBufferARB(target, 0);
  return size > 0 ? size : 0;
}

void TryVBO_ForUseFlag() {
  static const float prob[3] = {0, 1, 2};
  unsigned id = 0;
  int size = UploadStatic(GL_ARRAY_BUFFER_ARB, prob, &id, sizeof prob);
  if (id && glDeleteBuffersARB) {
    GLuint name = id;
    glDeleteBuffersARB(1, &name);
  }
  if (size <= 0) *o2::UseVBO = 0;
}

int TryLoadStaticVBO(void* data, unsigned* id, int bytes) {
  if (!id) return 0;
  return UploadStatic(GL_ARRAY_BUFFER_ARB, data, id, bytes);
}

int TryLoadStaticVBO_3FloBuf(vec3* data, unsigned* id, int n) {
  return data && id && n > 0 ? TryLoadStaticVBO(data, id, n * 12) : 0;
}
int TryLoadStaticVBO_2FloBuf(vec2* data, unsigned* id, int n) {
  return data && id && n > 0 ? TryLoadStaticVBO(data, id, n * 8) : 0;
}
int TryLoadStaticVBO_4ByteBuf(uint8_t (*data)[4], unsigned* id, int n) {
  return data && id && n > 0 ? TryLoadStaticVBO(data, id, n * 4) : 0;
}
int TryLoadStaticVBO_UintElemBuf(unsigned* indices, unsigned* id, int n) {
  return indices && id && n > 0 ? UploadStatic(GL_ELEMENT_ARRAY_BUFFER_ARB, indices, id, n * 4) : 0;
}

void VBO_TexCoord_StartKlient(int unit, unsigned vbo) {
  OGL::KlientTexSlo(unit);
  if (glBindBufferARB) glBindBufferARB(GL_ARRAY_BUFFER_ARB, vbo);
  glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

// The element buffer is the index source; there is no index array to enable.
void VBO_DrawElem_TriStripUINT(unsigned vbo, int count) {
  if (!glBindBufferARB) return;
  glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, vbo);
  glDrawElements(GL_TRIANGLE_STRIP, count, GL_UNSIGNED_INT, nullptr);
}

// ---- pixels ----

void Draw_GL_Pixel(int x, int y, float r, float g, float b) {
  if (*o2::State2D != 1) return;
  float px[3] = {r, g, b};
  glRasterPos2i(x, y);
  glDrawPixels(1, 1, GL_RGB, GL_FLOAT, px);
}

namespace {

constexpr int kPixBlockHeader = 20;

int32_t Word(const ByteLenta* bl, int i) {
  const uint8_t* p = bl->data + i * 4;
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

bool IsPixBlock(const ByteLenta* bl) {
  return bl && bl->data && bl->size > kPixBlockHeader && Word(bl, 1) == 456;
}

// GL format, type and bytes per pixel of a block format; false for others.
bool BlockFormat(int format, GLenum& glFormat, GLenum& type, int& bytes) {
  switch (format) {
    case 1: glFormat = GL_RGB; type = GL_UNSIGNED_BYTE; bytes = 3; return true;
    case 2: glFormat = GL_RGBA; type = GL_UNSIGNED_BYTE; bytes = 4; return true;
    case 20: glFormat = GL_DEPTH_COMPONENT; type = GL_FLOAT; bytes = 4; return true;
    default: return false;
  }
}

// The block's pixels fit in its buffer (the block must be large enough).
bool BlockHolds(const ByteLenta* bl, int bytes) {
  int64_t w = Word(bl, 3), h = Word(bl, 4);
  return w >= 0 && h >= 0 && kPixBlockHeader + w * h * bytes <= bl->size;
}

}  // namespace

int Draw_PixBL(ByteLenta* bl, int x, int y, int format) {
  if (!IsPixBlock(bl)) return -1;
  if (*o2::State2D != 1) return 0;
  if (format == 0) format = Word(bl, 2);
  GLenum glFormat, type;
  int bytes;
  if (!BlockFormat(format, glFormat, type, bytes) || !BlockHolds(bl, bytes)) return 0;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glRasterPos2i(x, y);
  glDrawPixels(Word(bl, 3), Word(bl, 4), glFormat, type, bl->data + kPixBlockHeader);
  glPopClientAttrib();
  return 1;
}

int Read_PixBL(ByteLenta* bl, int x, int y, int format) {
  if (!IsPixBlock(bl)) return -1;
  if (format == 0) format = Word(bl, 2);
  GLenum glFormat, type;
  int bytes;
  if (!BlockFormat(format, glFormat, type, bytes) || !BlockHolds(bl, bytes)) return 0;
  glFinish();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(x, y, Word(bl, 3), Word(bl, 4), glFormat, type, bl->data + kPixBlockHeader);
  glPopClientAttrib();
  return 1;
}

void glScale1f(float& s) { glScalef(s, s, s); }

void DrawKrug(float radius, int segments, int lineWidth) {
  if (segments <= 0) return;
  if (lineWidth) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(static_cast<float>(lineWidth));
  }
  int step = 360 / segments;
  int a = 0;
  glBegin(GL_POLYGON);
  for (int k = 0; k < segments; ++k) {
    a = zn::Ring1i(a, 360);
    glVertex3f(Sprr1SIN[a] * radius, 0, Sprr1COS[a] * radius);
    a += step;
  }
  glEnd();
  if (lineWidth) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
