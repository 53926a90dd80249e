// The sprite orientation table, the quad builders and the sprite appender.
#include "render/sprites.h"

#include <cmath>
#include <cstring>
#include <cstdlib>

#include "render/vportkam.h"

t_Sprr1 Sprr1;

vec2 MSp2D_Vert[kSprVerts], MSp2D2_Vert[kSprVerts];
vec3 MSpr_Vert[kSprVerts], MSpr2_Vert[kSprVerts];
vec4 MSpr_RGBA[kSprVerts], MSpr2_RGBA[kSprVerts];
vec2 MSpr_UV1[kSprVerts], MSpr2_UV1[kSprVerts];
vec2 MSpr_UV2[kSprVerts], MSpr2_UV2[kSprVerts];
int MSpr_TekV = 0, MSpr_TekOdd = 1, MSpr_Tek2D = 0;

float w0qv[12];
float w0qc[16];
float w0qt[8];

namespace {

// An angle into 0..360: once around as the ring tables expect, and fully for
// angles further out, so that no lookup leaves the tables.
int Wrap(int a) {
  a = zn::Ring1i(a, 360);
  if (a < 0 || a > 360) a = static_cast<int>(((static_cast<long long>(a) % 360) + 360) % 360);
  return a;
}

int AbsI(int v) { return v < 0 ? -v : v; }

const vec3& Ring(int angle) { return Sprr1.ring[Wrap(angle)]; }
float Sin(int angle) { return Sprr1SIN[Wrap(angle)]; }
float Cos(int angle) { return Sprr1COS[Wrap(angle)]; }

void Put(float* q, int k, vec3 p) {
  q[3 * k] = p.x;
  q[3 * k + 1] = p.y;
  q[3 * k + 2] = p.z;
}

void PutRing(float* q, vec3 c, float s, const int (&angles)[4]) {
  for (int k = 0; k < 4; ++k) Put(q, k, c + Ring(angles[k]) * s);
}

// The four turned-quad angles of the axis builders.
void AxisAngles(int angle, int p, int k, int (&phi)[4]) {
  phi[0] = angle + AbsI(k) + 180;
  phi[1] = angle - AbsI(p);
  phi[2] = angle + AbsI(p);
  phi[3] = angle - AbsI(k) + 180;
}

}  // namespace

// ---- orientation ----

t_Sprr1::t_Sprr1() {
  axis[0] = vec3(1, 0, 0);
  axis[1] = vec3(0, 1, 0);
  axis[2] = vec3(0, 0, 1);
  for (vec3& r : ring) r = vec3(0, 0, 0);
}

void t_Sprr1::UpdMatrix() {
  if (!glob_nowVPKam) return;
  const double* m = glob_nowVPKam->modelview;
  for (int a = 0; a < 3; ++a)
    axis[a] = vec3(static_cast<float>(m[4 * a]), static_cast<float>(m[4 * a + 1]), static_cast<float>(m[4 * a + 2]));
}

void t_Sprr1::UpdR360() {
  static bool filled = false;
  if (!filled) {
    Sprr1FillCosSin();
    filled = true;
  }
  for (int i = 0; i <= 360; i += 2) {
    ring[i] = MultV(vec3(Sprr1COS[i], Sprr1SIN[i], 0));
    if (i <= 359) ring[i + 1] = ring[i];
  }
}

// ---- appending ----

int MSprNextQuad_Non() { return MSpr_TekV + 4 > 10000; }

void MSpr_privSetV(int i, const float* xyz) {
  bool first = MSpr_TekOdd != 0;
  if (MSpr_Tek2D) (first ? MSp2D_Vert : MSp2D2_Vert)[i] = vec2(xyz[0], xyz[1]);
  else (first ? MSpr_Vert : MSpr2_Vert)[i] = vec3(xyz[0], xyz[1], xyz[2]);
}

void MSpr_privSetClr(int i, const float* c) {
  (MSpr_TekOdd ? MSpr_RGBA : MSpr2_RGBA)[i] = vec4(c[0], c[1], c[2], c[3]);
}

void MSpr_privSetUV1(int i, const float* uv) { (MSpr_TekOdd ? MSpr_UV1 : MSpr2_UV1)[i] = vec2(uv[0], uv[1]); }

void MSpr_privSetUV2(int i, const float* uv) { (MSpr_TekOdd ? MSpr_UV2 : MSpr2_UV2)[i] = vec2(uv[0], uv[1]); }

void MSpr_SetQuad(float* quad, float* colours, float* uv1, float* uv2) {
  if (MSpr_TekV < 0 || MSprNextQuad_Non() || !quad || !uv1) return;
  static const float kWhite[4] = {1, 1, 1, 1};
  for (int k = 0; k < 4; ++k) {
    int i = MSpr_TekV + k;
    MSpr_privSetV(i, quad + 3 * k);
    MSpr_privSetClr(i, colours ? colours + 4 * k : kWhite);
    MSpr_privSetUV1(i, uv1 + 2 * k);
    if (uv2) MSpr_privSetUV2(i, uv2 + 2 * k);
  }
  MSpr_TekV += 4;
}

// ---- colour and texture cells ----

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
  if (cols == 1 && rows == 1) {
    static const float kWhole[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    std::memcpy(t, kWhole, sizeof kWhole);
    return t;
  }
  static const float kCell[9] = {0, 1, 0.5f, 0.3333f, 0.25f, 0.2f, 0.1666f, 0.1428f, 0.125f};
  float w = cols <= 8 ? kCell[cols] : 1.0f / cols, h = rows <= 8 ? kCell[rows] : 1.0f / rows;
  // In floats: a cell number from a damaged record must not overflow.
  float l = (static_cast<float>(col) - 1.0f) * w, top = (static_cast<float>(row) - 1.0f) * h;
  const float uv[8] = {l, top, l + w, top, l + w, top + h, l, top + h};
  std::memcpy(t, uv, sizeof uv);
  return t;
}

// ---- corner builders ----

void MSpr_privSetQV0(float* q, vec3 c, float s) { PutRing(q, c, s, {225, 315, 45, 135}); }

void MSpr_privSetQV1(float* q, vec3 c, float s, int angle, int skew) {
  PutRing(q, c, s, {angle + 225 - AbsI(skew), angle + 315 + AbsI(skew), angle + 45, angle + 135});
}

void MSpr_privSetQVRay0(float* q, vec3 a, vec3 b, float w) {
  Put(q, 0, a.ay(w));
  Put(q, 1, a.ay(-w));
  Put(q, 2, b.ay(-w));
  Put(q, 3, b.ay(w));
}

void MSpr_privSetQVRay1(float* q, vec3 a, vec3 b, vec3& side, float taper) {
  Put(q, 0, a + side);
  Put(q, 1, a - side);
  if (taper != 1.0f) side *= taper;
  Put(q, 2, b - side);
  Put(q, 3, b + side);
}

void MSpr_privSetQVRayY(float* q, vec3 a, vec3 b, float w) {
  // Compared as whole numbers, as the width direction always was.
  if (std::fabs(std::trunc(a.z - b.z)) <= std::fabs(std::trunc(a.x - b.x))) {
    Put(q, 0, a.az(-w));
    Put(q, 1, a.az(w));
    Put(q, 2, b.az(w));
    Put(q, 3, b.az(-w));
  } else {
    Put(q, 0, a.ax(-w));
    Put(q, 1, a.ax(w));
    Put(q, 2, b.ax(w));
    Put(q, 3, b.ax(-w));
  }
}

// ---- quad builders ----

float* MSpr_qV(float* q, vec3 c, float s, int angle) {
  if (!q) return q;
  if (angle == 0 || angle == 360) MSpr_privSetQV0(q, c, s);
  else MSpr_privSetQV1(q, c, s, angle, 0);
  return q;
}

float* MSpr_qVRot(float* q, vec3 c, float s, int angle) {
  if (q) MSpr_privSetQV1(q, c, s, angle, 0);
  return q;
}

float* MSpr_qVLow(float* q, vec3 c, float s, int skew) {
  if (q) MSpr_privSetQV1(q, c, s, 0, skew);
  return q;
}

float* MSpr_qVRay(float* q, vec3 c, float length, float width, int angle, int mode, float taper) {
  if (!q) return q;
  vec3 e = c + Ring(angle) * length;
  vec3 side = Ring(angle + 90) * width;
  if (mode == 1) MSpr_privSetQVRay0(q, c, e, width);
  else if (mode == 0) MSpr_privSetQVRay1(q, c, e, side, 1.0f);
  else if (mode == 2) MSpr_privSetQVRay1(q, c, e, side, taper);
  return q;
}

float* MSpr_qVRay2(float* q, vec3 a, vec3 b, float width, int mode) {
  if (!q) return q;
  if (mode == 1) MSpr_privSetQVRay0(q, a, b, width);
  else MSpr_privSetQVRayY(q, a, b, width);
  return q;
}

float* MSpr_qVKust(float* q, vec3 c, float h, float s) {
  if (!q) return q;
  vec3 r = Ring(180) * s;
  Put(q, 0, vec3(c.x + r.x, c.y, c.z + r.z));
  Put(q, 1, vec3(c.x - r.x, c.y, c.z - r.z));
  Put(q, 2, vec3(c.x - r.x, c.y + h, c.z - r.z));
  Put(q, 3, vec3(c.x + r.x, c.y + h, c.z + r.z));
  return q;
}

float* MSpr_qVAxX(float* q, vec3 c, float a, float b) {
  if (!q) return q;
  Put(q, 0, vec3(c.x, c.y - b, c.z + a));
  Put(q, 1, vec3(c.x, c.y - b, c.z - a));
  Put(q, 2, vec3(c.x, c.y + b, c.z - a));
  Put(q, 3, vec3(c.x, c.y + b, c.z + a));
  return q;
}

float* MSpr_qVAxY(float* q, vec3 c, float a, float b) {
  if (!q) return q;
  Put(q, 0, vec3(c.x - a, c.y, c.z + b));
  Put(q, 1, vec3(c.x + a, c.y, c.z + b));
  Put(q, 2, vec3(c.x + a, c.y, c.z - b));
  Put(q, 3, vec3(c.x - a, c.y, c.z - b));
  return q;
}

float* MSpr_qVAxZ(float* q, vec3 c, float a, float b) {
  if (!q) return q;
  Put(q, 0, vec3(c.x - a, c.y - b, c.z));
  Put(q, 1, vec3(c.x + a, c.y - b, c.z));
  Put(q, 2, vec3(c.x + a, c.y + b, c.z));
  Put(q, 3, vec3(c.x - a, c.y + b, c.z));
  return q;
}

float* MSpr_qVAxXR(float* q, vec3 c, float s, int angle, int p, int k) {
  if (!q) return q;
  int phi[4];
  AxisAngles(angle, p, k, phi);
  for (int i = 0; i < 4; ++i) Put(q, i, vec3(c.x, c.y + s * Sin(phi[i]), c.z + s * Cos(phi[i])));
  return q;
}

float* MSpr_qVAxYR(float* q, vec3 c, float s, int angle, int p, int k) {
  if (!q) return q;
  int phi[4];
  AxisAngles(angle, p, k, phi);
  for (int i = 0; i < 4; ++i) Put(q, i, vec3(c.x + s * Cos(phi[i]), c.y, c.z + s * Sin(phi[i])));
  return q;
}

float* MSpr_qVAxZR(float* q, vec3 c, float s, int angle, int p, int k) {
  if (!q) return q;
  int phi[4];
  AxisAngles(angle, p, k, phi);
  for (int i = 0; i < 4; ++i) Put(q, i, vec3(c.x + s * Cos(phi[i]), c.y + s * Sin(phi[i]), c.z));
  return q;
}

float* MSpr_q2DV(float* q, float x, float y, float s, int angle) {
  if (!q) return q;
  static const int kCorner[4] = {225, 315, 45, 135};
  for (int k = 0; k < 4; ++k)
    Put(q, k, vec3(x + s * Cos(angle + kCorner[k]), y + s * Sin(angle + kCorner[k]), 0));
  return q;
}

float* MSpr_q2DVhf(float* q, float x, float y, float s, int angle) { return MSpr_q2DV(q, x, y, s / 0.707f, angle); }

float* MSpr_q2DVS(float* q, float x, float y, float h) {
  if (!q) return q;
  Put(q, 0, vec3(x - h, y - h, 0));
  Put(q, 1, vec3(x + h, y - h, 0));
  Put(q, 2, vec3(x + h, y + h, 0));
  Put(q, 3, vec3(x - h, y + h, 0));
  return q;
}

float* MSpr_q2DVS(float* q, int x, int y, int w, int h) {
  if (!q) return q;
  float x0 = static_cast<float>(x), y0 = static_cast<float>(y);
  float x1 = static_cast<float>(x + 2 * (w / 2)), y1 = static_cast<float>(y + 2 * (h / 2));
  Put(q, 0, vec3(x0, y0, 0));
  Put(q, 1, vec3(x1, y0, 0));
  Put(q, 2, vec3(x1, y1, 0));
  Put(q, 3, vec3(x0, y1, 0));
  return q;
}
