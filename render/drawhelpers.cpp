#include "render/OpenGL_Ext.h"
#include "render/drawhelpers.h"

#include "render/lights.h"
#include "render/shellglue.h"
#include "ui/ui.h"

int glob_vpInt20_4[20][4];
int glob_vpLvl = 0;

namespace {

bool In2D() { return *o2::State2D == 1; }

void TexCoord2(float s, float t) {
  glTexCoord2f(s, t);
  if (glMultiTexCoord2fARB) glMultiTexCoord2fARB(GL_TEXTURE1_ARB, s, t);
}

// The four corners (x, y) .. with the standard texture coordinates.
void StandardQuad(float x, float y, float w, float h) {
  glBegin(GL_QUADS);
  TexCoord2(0, 0);
  glVertex2f(x, y);
  TexCoord2(1, 0);
  glVertex2f(x + w, y);
  TexCoord2(1, 1);
  glVertex2f(x + w, y + h);
  TexCoord2(0, 1);
  glVertex2f(x, y + h);
  glEnd();
}

// A quad centred on the origin of half sizes (hw, hh); uv holds the texture
// coordinates of its four corners from the bottom left, counter-clockwise.
void CentredQuad(float hw, float hh, const float uv[8]) {
  glBegin(GL_QUADS);
  TexCoord2(uv[0], uv[1]);
  glVertex2f(-hw, -hh);
  TexCoord2(uv[2], uv[3]);
  glVertex2f(hw, -hh);
  TexCoord2(uv[4], uv[5]);
  glVertex2f(hw, hh);
  TexCoord2(uv[6], uv[7]);
  glVertex2f(-hw, hh);
  glEnd();
}

const float kStandardUV[8] = {0, 0, 1, 0, 1, 1, 0, 1};


bool UseArrayBuffer(unsigned buffer) {
  if (!buffer || !glBindBufferARB) return false;
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
  return true;
}

// The client arrays of a helper's own draw: pushed (OwnArraysEnd pops them),
// the array buffer unbound and every array off, texture units 0..7
// included, with unit 0 the client's active unit: nothing the caller left
// enabled is read with the helper's arrays.
void OwnArraysBegin() {
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  OGL::ArrayBufferOff();
  for (GLenum a : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_SECONDARY_COLOR_ARRAY, GL_FOG_COORD_ARRAY,
                   GL_EDGE_FLAG_ARRAY, GL_INDEX_ARRAY})
    glDisableClientState(a);
  for (int u = 7; u >= 0; --u) OGL::KlientTexC_OFF(u);
}

void OwnArraysEnd() { glPopClientAttrib(); }

// Texture coordinates of unit 0 from uv, and of unit 1 too where d2's
// immediate quads give unit 1 coordinates.
void OwnTexCoords(const float* uv) {
  for (int u = 0; u <= (glMultiTexCoord2fARB ? 1 : 0); ++u) {
    OGL::KlientTexSlo(u);
    glTexCoordPointer(2, GL_FLOAT, 0, uv);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  OGL::KlientTexSlo(0);
}

// The six faces of a box: +z, -z, -x, +x, +y, -y, each counter-clockwise
// seen from outside, as one array draw of 24 corners. Never drawn between
// glBegin and glEnd: in the selection mode the driver keeps memory for each
// such draw as long as the context lives, and a box is what every object
// draws for picking.
void BoxFaces(float x, float y, float z, float hx, float hy, float hz, bool uv) {
  const float X0 = x - hx, X1 = x + hx, Y0 = y - hy, Y1 = y + hy, Z0 = z - hz, Z1 = z + hz;
  const float faces[6][4][3] = {
      {{X0, Y0, Z1}, {X1, Y0, Z1}, {X1, Y1, Z1}, {X0, Y1, Z1}},
      {{X1, Y0, Z0}, {X0, Y0, Z0}, {X0, Y1, Z0}, {X1, Y1, Z0}},
      {{X0, Y0, Z0}, {X0, Y0, Z1}, {X0, Y1, Z1}, {X0, Y1, Z0}},
      {{X1, Y0, Z1}, {X1, Y0, Z0}, {X1, Y1, Z0}, {X1, Y1, Z1}},
      {{X0, Y1, Z1}, {X1, Y1, Z1}, {X1, Y1, Z0}, {X0, Y1, Z0}},
      {{X0, Y0, Z0}, {X1, Y0, Z0}, {X1, Y0, Z1}, {X0, Y0, Z1}},
  };
  static const float kNormals[6][3] = {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  // Each corner with its face's normal and the face's standard coordinates.
  static float corners[24][3], normals[24][3], uvs[24][2];
  static const bool made = [] {
    for (int i = 0; i < 24; ++i) {
      for (int c = 0; c < 3; ++c) normals[i][c] = kNormals[i / 4][c];
      for (int c = 0; c < 2; ++c) uvs[i][c] = kStandardUV[2 * (i % 4) + c];
    }
    return true;
  }();
  (void)made;
  for (int i = 0; i < 24; ++i)
    for (int c = 0; c < 3; ++c) corners[i][c] = faces[i / 4][i % 4][c];
  OwnArraysBegin();
  glVertexPointer(3, GL_FLOAT, 0, corners);
  glEnableClientState(GL_VERTEX_ARRAY);
  glNormalPointer(GL_FLOAT, 0, normals);
  glEnableClientState(GL_NORMAL_ARRAY);
  if (uv) {
    glTexCoordPointer(2, GL_FLOAT, 0, uvs);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glDrawArrays(GL_QUADS, 0, 24);
  OwnArraysEnd();
  // The current normal and texture coordinate as the last corner leaves them.
  glNormal3fv(kNormals[5]);
  if (uv) glTexCoord2f(kStandardUV[6], kStandardUV[7]);
}

void SortPair(float& a, float& b) {
  if (a > b) {
    float t = a;
    a = b;
    b = t;
  }
}

void GroundQuad(float x1, float x2, float y1, float y2, float z1, float z2, float s0, float t0, float s1,
                float t1, int mode, bool twoUnits) {
  if (mode < 0) return;
  SortPair(x1, x2);
  SortPair(y1, y2);
  SortPair(z1, z2);
  float yFar = mode > 0 ? y2 : y1;  // the z-high edge rises for a ramp
  auto tc = [&](float a, float b) {
    glTexCoord2f(a * s0, b * t0);
    if (twoUnits && glMultiTexCoord2fARB) glMultiTexCoord2fARB(GL_TEXTURE1_ARB, a * s1, b * t1);
  };
  glBegin(GL_QUADS);
  glNormal3f(0, 1, 0);
  tc(0, 0);
  glVertex3f(x1, yFar, z2);
  tc(1, 0);
  glVertex3f(x2, yFar, z2);
  tc(1, 1);
  glVertex3f(x2, y1, z1);
  tc(0, 1);
  glVertex3f(x1, y1, z1);
  glEnd();
}

}  // namespace

// ---- d2 ----

namespace d2 {

void L(int x1, int y1, int x2, int y2) {
  glBegin(GL_LINES);
  glVertex2i(x1, y1);
  glVertex2i(x2, y2);
  glEnd();
}

void L_(int x, int y, int dx, int dy) { L(x, y, x + dx, y + dy); }

void Q(float x, float y, float w, float h) {
  if (!In2D()) return;
  glLoadIdentity();
  StandardQuad(x, y, w, h);
}

void Q_(float x, float y, float w, float h, int filled) {
  if (!In2D()) return;
  if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLoadIdentity();
  StandardQuad(x, y, w, h);
  if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

namespace {

float qArrayUV[kQArrayMax * 8];  // Q's texture coordinates, quad after quad
const float* qArrayRGBA = nullptr;
int qArrayQuads = 0, qArrayLast = -1;  // quads given, last quad drawn

}  // namespace

bool QArraysBegin(const float* xy, const float* rgba, int quads) {
  if (!In2D() || !xy || !rgba || quads <= 0) return false;
  static const bool made = [] {
    for (int i = 0; i < kQArrayMax * 8; ++i) qArrayUV[i] = kStandardUV[i % 8];
    return true;
  }();
  (void)made;
  qArrayRGBA = rgba;
  qArrayQuads = quads > kQArrayMax ? kQArrayMax : quads;
  qArrayLast = -1;
  glLoadIdentity();
  OwnArraysBegin();
  glVertexPointer(2, GL_FLOAT, 0, xy);
  glEnableClientState(GL_VERTEX_ARRAY);
  glColorPointer(4, GL_FLOAT, 0, rgba);
  glEnableClientState(GL_COLOR_ARRAY);
  OwnTexCoords(qArrayUV);
  return true;
}

void QArraysDraw(int first, int count, int filled) {
  if (!qArrayRGBA || first < 0 || count <= 0 || first + count > qArrayQuads) return;
  if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glDrawArrays(GL_QUADS, 4 * first, 4 * count);
  if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  qArrayLast = first + count - 1;
}

void QArraysEnd() {
  if (!qArrayRGBA) return;
  OwnArraysEnd();
  // The current colour and texture coordinates as the last corner drawn
  // leaves them.
  if (qArrayLast >= 0) {
    glColor4fv(qArrayRGBA + 4 * (4 * qArrayLast + 3));
    TexCoord2(kStandardUV[6], kStandardUV[7]);
  }
  qArrayRGBA = nullptr;
}

void QArray(const float* xy, const float* rgba, int quads, int filled) {
  if (!QArraysBegin(xy, rgba, quads)) return;
  QArraysDraw(0, qArrayQuads, filled);
  QArraysEnd();
}

void AlfGraGorizClr(float r, float g, float b, float aLeft, float aRight, float x, float y, float w, float h,
                    int filled) {
  if (!In2D()) return;
  if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLoadIdentity();
  glBegin(GL_QUADS);
  glColor4f(r, g, b, aLeft);
  TexCoord2(0, 0);
  glVertex2f(x, y);
  glColor4f(r, g, b, aRight);
  TexCoord2(1, 0);
  glVertex2f(x + w, y);
  TexCoord2(1, 1);
  glVertex2f(x + w, y + h);
  glColor4f(r, g, b, aLeft);
  TexCoord2(0, 1);
  glVertex2f(x, y + h);
  glEnd();
  if (!filled) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void LRam(float x, float y, float w, float h, int diagonals) {
  if (!In2D()) return;
  glLoadIdentity();
  glBegin(GL_LINES);
  const float c[4][2] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
  for (int k = 0; k < 4; ++k) {
    glVertex2fv(c[k]);
    glVertex2fv(c[(k + 1) % 4]);
  }
  if (diagonals) {
    glVertex2fv(c[0]);
    glVertex2fv(c[2]);
    glVertex2fv(c[1]);
    glVertex2fv(c[3]);
  }
  glEnd();
}

void Cross1(int x, int y, int left, int right, int up, int down) {
  if (!In2D()) return;
  glLoadIdentity();
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glBegin(GL_LINES);
  glVertex2i(x - left, y);
  glVertex2i(x + right, y);
  glVertex2i(x, y + up);
  glVertex2i(x, y - down);
  glEnd();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void QFan4c(float x, float y, float w, float h, float scale, float angle) {
  if (!In2D()) return;
  float hw = w * 0.5f * scale, hh = h * 0.5f * scale;
  if (!(hw >= 1.0f && hh >= 1.0f)) return;
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(x, y, 0);
  glRotatef(angle, 0, 0, 1);
  CentredQuad(hw, hh, kStandardUV);
  glPopMatrix();
}

void Qx(float x, float y, float w, float h, int anchor, int flip) {
  if (!In2D()) return;
  float hw = w * 0.5f, hh = h * 0.5f;
  if (!(hw >= 1.0f && hh >= 1.0f)) return;
  static const float kFlipLR[8] = {1, 0, 0, 0, 0, 1, 1, 1};
  static const float kFlipTB[8] = {0, 1, 1, 1, 1, 0, 0, 0};
  glPushMatrix();
  glLoadIdentity();
  if (anchor == 1) glTranslatef(x, y, 0);
  else if (anchor == 2) glTranslatef(x - hw, y + hh, 0);
  else glTranslatef(x + hw, y + hh, 0);
  CentredQuad(hw, hh, flip == 1 ? kFlipLR : flip == 2 ? kFlipTB : kStandardUV);
  glPopMatrix();
}

}  // namespace d2

// ---- d3 ----

namespace d3 {

void Kub(float x, float y, float z, float h) { BoxFaces(x, y, z, h, h, h, false); }
void Kub(float x, float y, float z, float hx, float hy, float hz) { BoxFaces(x, y, z, hx, hy, hz, true); }

void QuadT1(float x1, float x2, float y1, float y2, float z1, float z2, float s, float t, int mode) {
  GroundQuad(x1, x2, y1, y2, z1, z2, s, t, 0, 0, mode, false);
}

void QuadT2(float x1, float x2, float y1, float y2, float z1, float z2, float s0, float t0, float s1, float t1,
            int mode) {
  GroundQuad(x1, x2, y1, y2, z1, z2, s0, t0, s1, t1, mode, true);
}

void QuadT2cntr(vec3& c, float hx, float hz) {
  QuadT2(c.x - hx, c.x + hx, c.y, c.y, c.z - hz, c.z + hz, 1, 1, 1, 1, 0);
}

}  // namespace d3

// ---- OGL ----

namespace OGL {

void KlientVertex(vec3* v) {
  if (!v) return;
  ArrayBufferOff();
  glVertexPointer(3, GL_FLOAT, 0, v);
  glEnableClientState(GL_VERTEX_ARRAY);
}

int KlientVertex(unsigned buffer) {
  if (!UseArrayBuffer(buffer)) return 0;
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glEnableClientState(GL_VERTEX_ARRAY);
  return 1;
}

void KlientVertexOFF() { glDisableClientState(GL_VERTEX_ARRAY); }

int KlientNrm(vec3* v) {
  if (!v) return 0;
  ArrayBufferOff();
  glNormalPointer(GL_FLOAT, 0, v);
  glEnableClientState(GL_NORMAL_ARRAY);
  return 1;
}

int KlientNrm(unsigned buffer) {
  if (!UseArrayBuffer(buffer)) return 0;
  glNormalPointer(GL_FLOAT, 0, nullptr);
  glEnableClientState(GL_NORMAL_ARRAY);
  return 1;
}

void KlientNrmOFF() { glDisableClientState(GL_NORMAL_ARRAY); }

void KlientColor4Bytes(uint8_t (*rgba)[4]) {
  if (!rgba) return;
  ArrayBufferOff();
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, rgba);
  glEnableClientState(GL_COLOR_ARRAY);
}

int KlientColor4Bytes(unsigned buffer) {
  if (!UseArrayBuffer(buffer)) return 0;
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, nullptr);
  glEnableClientState(GL_COLOR_ARRAY);
  return 1;
}

void KlientColorOFF() { glDisableClientState(GL_COLOR_ARRAY); }

void KlientTexSlo(int unit) {
  if (unit < 0 || unit > 7 || !glClientActiveTextureARB) return;
  glClientActiveTextureARB(GL_TEXTURE0_ARB + unit);
}

void KlientTexCoord(int unit, vec2* uv, int on) {
  KlientTexSlo(unit);
  ArrayBufferOff();
  glTexCoordPointer(2, GL_FLOAT, 0, uv);
  if (on) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

int KlientTexCoord(int unit, unsigned buffer, int on) {
  if (!buffer) return 0;
  KlientTexSlo(unit);
  if (!UseArrayBuffer(buffer)) return 0;
  glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  if (on) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  return 1;
}

void KlientTexC_ON(int unit) {
  KlientTexSlo(unit);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void KlientTexC_OFF(int unit) {
  KlientTexSlo(unit);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

int Bind_ElemARB(unsigned buffer) {
  if (!buffer || !glBindBufferARB) return 0;
  glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, buffer);
  return 1;
}

void BindClear_ElemARB() {
  if (glBindBufferARB) glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
}

void Tex2DGenTC_ObjXZ(const float* sPlane, const float* tPlane) {
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGenfv(GL_S, GL_OBJECT_PLANE, sPlane);
  glTexGenfv(GL_T, GL_OBJECT_PLANE, tPlane);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
}

void Tex2DGenTC_Dis() {
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

void Tex_PushMatrix_Trans(float s, float t) {
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glTranslatef(s, t, 0);
  glMatrixMode(GL_MODELVIEW);
}

void Tex_PopMatrix(int unit) {
  if (glActiveTextureARB && unit >= 0 && unit <= 7) glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  if (glActiveTextureARB) glActiveTextureARB(GL_TEXTURE0_ARB);
  glMatrixMode(GL_MODELVIEW);
}

void TexClamp(int on) {
  GLint mode = on ? GL_CLAMP_TO_EDGE : GL_REPEAT;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, mode);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, mode);
}

void TexRepeat(int on) { TexClamp(!on); }

void ArrayBufferOff() {
  if (glBindBufferARB) glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

void L_Modulate() { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); }

void GLDisLitX(unsigned n) { Svet::priv_GLDisLightX(n); }

void VPortPush_SetFullScr() {
  if (glob_vpLvl >= 20) return;
  glGetIntegerv(GL_VIEWPORT, glob_vpInt20_4[glob_vpLvl]);
  ++glob_vpLvl;
  glViewport(0, 0, ScreenWidth(), ScreenHeight());
}

void VPortPop() {
  if (glob_vpLvl <= 0) return;
  --glob_vpLvl;
  const int* v = glob_vpInt20_4[glob_vpLvl];
  glViewport(v[0], v[1], v[2], v[3]);
}

}  // namespace OGL
