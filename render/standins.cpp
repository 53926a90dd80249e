// Stand-ins; see standins.h. Each block names what replaces it.
#include "render/OpenGL_Ext.h"
#include "render/standins.h"

#include <cmath>
#include <cstring>

#include "ui/ui.h"

// ---- world objects: Distan1V (objects/) ----
float Distan1V(vec3 a, vec3 b) {
  float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// ---- render engine, second part: materials ----
int Material_RS::PredBind = -10;
Material_RS MatRS[501];

void Material_RS::Bind(Material_RS& m, short face) {
  glEnable(GL_COLOR_MATERIAL);
  glColor4fv(m.colour);
  if (face < 1 || face > 3 || m.id == PredBind) return;
  PredBind = m.id;
  GLenum f = face == 1 ? GL_FRONT : face == 2 ? GL_BACK : GL_FRONT_AND_BACK;
  const float a[4] = {m.ambient.x, m.ambient.y, m.ambient.z, 1};
  const float d[4] = {m.diffuse.x, m.diffuse.y, m.diffuse.z, 1};
  const float s[4] = {m.specular.x, m.specular.y, m.specular.z, 1};
  const float e[4] = {m.emission.x, m.emission.y, m.emission.z, 1};
  glMaterialfv(f, GL_AMBIENT, a);
  glMaterialfv(f, GL_DIFFUSE, d);
  glMaterialfv(f, GL_SPECULAR, s);
  glMaterialfv(f, GL_EMISSION, e);
  glMaterialf(f, GL_SHININESS, m.shine.x);
}

// ---- render engine, second part: lights ----
namespace Svet {
void ProcCase(int mode) {
  if (mode <= 0) {
    glDisable(GL_LIGHTING);
    return;
  }
  glEnable(GL_LIGHTING);
  if (mode == 1 || mode == 20)
    for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}
}  // namespace Svet

void t_SvetOGL::ToOGL(unsigned unit) {
  if (unit >= 8 || range < 0 || cutoff < 0) return;
  if (cutoff > 90) cutoff = 180;
  GLenum l = GL_LIGHT0 + unit;
  glEnable(GL_LIGHTING);
  glEnable(l);
  const float p[4] = {position.x, position.y, position.z, position.w};
  const float a[4] = {ambient.x, ambient.y, ambient.z, ambient.w};
  const float d[4] = {diffuse.x, diffuse.y, diffuse.z, diffuse.w};
  const float s[4] = {specular.x, specular.y, specular.z, specular.w};
  glLightfv(l, GL_POSITION, p);
  glLightfv(l, GL_AMBIENT, a);
  glLightfv(l, GL_DIFFUSE, d);
  glLightfv(l, GL_SPECULAR, s);
  glLightf(l, GL_CONSTANT_ATTENUATION, range ? 0.0f : 1.0f);
  glLightf(l, GL_LINEAR_ATTENUATION, range ? 10.0f / range : 0.0f);
  glLightf(l, GL_QUADRATIC_ATTENUATION, 0.0f);
}

void SvetToOGL(unsigned unit, t_SvetOGL* light) {
  if (light) light->ToOGL(unit);
}

// ---- render engine, second part: model groups ----
void Bind_MGru(int, int) {}
void BindClear_MGru() {}

// ---- render engine, second part: generated-mesh vertex pool ----
t_testGenVrt::t_testGenVrt() { std::memset(rgba, 255, sizeof rgba); }
t_testGenVrt testGenVrt;

// ---- render engine, second part: sprites ----
vec2 MSp2D_Vert[kSprVerts], MSp2D2_Vert[kSprVerts];
vec3 MSpr_Vert[kSprVerts], MSpr2_Vert[kSprVerts];
vec4 MSpr_RGBA[kSprVerts], MSpr2_RGBA[kSprVerts];
vec2 MSpr_UV1[kSprVerts], MSpr2_UV1[kSprVerts];
vec2 MSpr_UV2[kSprVerts], MSpr2_UV2[kSprVerts];
int MSpr_TekV = 0, MSpr_TekOdd = 1, MSpr_Tek2D = 0;

int MSprNextQuad_Non() { return MSpr_TekV + 4 > 10000; }

void MSpr_SetQuad(float* q, float* c, float* uv1, float* uv2) {
  if (MSprNextQuad_Non() || !q || !uv1) return;
  bool first = MSpr_TekOdd != 0;
  for (int k = 0; k < 4; ++k) {
    int i = MSpr_TekV + k;
    if (MSpr_Tek2D) (first ? MSp2D_Vert : MSp2D2_Vert)[i] = vec2(q[3 * k], q[3 * k + 1]);
    else (first ? MSpr_Vert : MSpr2_Vert)[i] = vec3(q[3 * k], q[3 * k + 1], q[3 * k + 2]);
    (first ? MSpr_RGBA : MSpr2_RGBA)[i] =
        c ? vec4(c[4 * k], c[4 * k + 1], c[4 * k + 2], c[4 * k + 3]) : vec4(1, 1, 1, 1);
    (first ? MSpr_UV1 : MSpr2_UV1)[i] = vec2(uv1[2 * k], uv1[2 * k + 1]);
    if (uv2) (first ? MSpr_UV2 : MSpr2_UV2)[i] = vec2(uv2[2 * k], uv2[2 * k + 1]);
  }
  MSpr_TekV += 4;
}

float* MSpr_qClr(float* c, float r, float g, float b, float a) {
  if (!c) return c;
  for (int k = 0; k < 4; ++k) {
    c[4 * k] = r;
    c[4 * k + 1] = g;
    c[4 * k + 2] = b;
    c[4 * k + 3] = a;
  }
  return c;
}

float* MSpr_qTC(float* t, int col, int cols, int row, int rows) {
  if (!t || cols <= 0 || rows <= 0) return nullptr;
  static const float kCell[9] = {0, 1, 0.5f, 0.3333f, 0.25f, 0.2f, 0.1666f, 0.1428f, 0.125f};
  float w = cols <= 8 ? kCell[cols] : 1.0f / cols, h = rows <= 8 ? kCell[rows] : 1.0f / rows;
  float l = (col - 1) * w, top = (row - 1) * h;
  const float uv[8] = {l, top, l + w, top, l + w, top + h, l, top + h};
  std::memcpy(t, uv, sizeof uv);
  return t;
}

float* MSpr_q2DV(float* q, float x, float y, float s, int angle) {
  if (!q) return q;
  static const int kCorner[4] = {225, 315, 45, 135};
  for (int k = 0; k < 4; ++k) {
    int a = zn::Ring1i(angle + kCorner[k], 360);
    q[3 * k] = x + s * getSprCOS(a);
    q[3 * k + 1] = y + s * getSprSIN(a);
    q[3 * k + 2] = 0;
  }
  return q;
}

// ---- render engine, second part: ground light ----
void SveKvad_PixBufMtdCopy_Rise(int, int) { *o2::PixelBufE = 1; }
