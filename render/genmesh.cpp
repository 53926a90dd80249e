// The generated-mesh vertex pool: ranges, builders, transforms and drawing.
#include "render/OpenGL_Ext.h"
#include "render/genmesh.h"

#include <cstring>
#include <new>

#include "render/drawhelpers.h"
#include "render/geometry.h"
#include "render/queues.h"
#include "render/texstate.h"

t_testGenVrt testGenVrt;

// ---- t_MeshRec ----

void t_MeshRec::Sbros() {
  first = klv = indKlv = prim = 0;
  mb.Sbros();
  delete[] ind;
  ind = nullptr;
}

// ---- ranges ----

t_testGenVrt::t_testGenVrt() : next(0) { std::memset(rgba, 255, sizeof rgba); }

bool t_testGenVrt::Fits(int n) const {
  if (n >= 0 && n <= kVerts - next) return true;
  LogInfo("\n generated-mesh pool: %d vertices asked, %d free; refused", n, kVerts - next);
  return false;
}

int t_testGenVrt::GetBlokNowFirst(int n) {
  if (!Fits(n)) return -1;
  int f = next;
  next += n;
  return f;
}

void t_testGenVrt::GrabBlokUnder(t_MeshRec* m, int n, unsigned primitive) {
  if (!m || n <= 1) return;
  int f = GetBlokNowFirst(n);
  m->first = f < 0 ? 0 : f;
  m->klv = f < 0 ? 0 : n;
  m->prim = static_cast<int>(primitive);
}

// ---- builders ----

void t_testGenVrt::AddFanFor(t_MeshRec* m, int nSeg, int dir, vec3 at, float centreY, float ringY, float radius) {
  if (!m || nSeg < 3 || nSeg > 360) return;
  m->Sbros();
  int f = GetBlokNowFirst(nSeg + 2);
  if (f < 0) return;
  m->klv = nSeg + 2;
  m->first = f;
  m->prim = 6;
  m->mb.Pos(at);
  Crt_CircleGoriz(&pos[f + 1], nSeg, radius, dir ? 1 : -1);
  for (int i = 0; i < nSeg + 2; ++i) pos[f + i].y += ringY;
  pos[f] = vec3(0, centreY, 0);
  pos[f + nSeg + 1] = pos[f + 1];
}

void t_testGenVrt::ElemSet_Stolb1For(t_MeshRec* m, int nSeg, int dir, vec3 at, float* heights, float* radii,
                                     int nRings, int closed) {
  if (!m || nSeg < 3 || nSeg > 360 || !heights || !radii || nRings <= 1 || nRings > kVerts) return;
  m->Sbros();
  const int c = closed ? 1 : 0, per = nSeg + c, count = per * nRings;
  const int indKlv = (nRings - 1) * (2 * nSeg + 4);
  if (!Fits(count)) return;
  uint32_t* ind = new (std::nothrow) uint32_t[indKlv];
  if (!ind) return;
  int f = GetBlokNowFirst(count);
  m->ind = ind;
  m->indKlv = indKlv;
  m->klv = count;
  m->first = f;
  m->prim = 5;
  m->mb.Pos(at);
  // The strip of each ring ends on two repeated indices that jump to the next
  // ring; the last ring has none after it and repeats its own last vertex.
  const uint32_t last = static_cast<uint32_t>(f + count - 1);
  int w = 0;
  auto put = [&](int v) { ind[w++] = static_cast<uint32_t>(v); };
  for (int r = 0; r < nRings; ++r) {
    const int base = f + r * per;
    Crt_CircleGoriz(&pos[base], nSeg, radii[r], dir ? 1 : -1);
    for (int k = 0; k < nSeg; ++k) pos[base + k].y += heights[r];
    if (c) pos[base + nSeg] = pos[base];
    if (r == 0) continue;
    const bool lastRing = r == nRings - 1;
    if (c) {
      for (int k = 0; k <= nSeg; ++k) put(base + k), put(base - nSeg - 1 + k);
      put(base - 1);
      if (lastRing) ind[w++] = last;
      else put(base + nSeg + 1);
    } else {
      for (int k = 0; k < nSeg; ++k) put(base + k), put(base - nSeg + k);
      put(base), put(base - nSeg);
      put(base - nSeg);
      if (lastRing) ind[w++] = last;
      else put(base + nSeg);
    }
    if (w > indKlv) LogInfo("\n Err: ElemSet_Stolb1For  indKlv\n");
  }
}

void t_testGenVrt::AddDugaFor(t_MeshRec* m, float dx, float dy, int n, float a, float b, float c, float d, int e,
                              int withUV, float u1, float u2) {
  if (!m || n <= 1 || n > kVerts) return;
  const int count = 2 * n + 2;
  GrabBlokUnder(m, count, 5);
  if (m->klv != count) return;
  Crt_StripDuga(&pos[m->first], count, a, b, c, d, e);
  if (withUV == 1) Crt_StripGorizUV2(&uv[m->first], count, u1, u2);
  for (int i = 0; i < count; ++i) {
    if (dx != 0) pos[m->first + i].x += dx;
    if (dy != 0) pos[m->first + i].y += dy;
  }
}

void t_testGenVrt::UV1_Stolb1For(int first, int nSeg, float* heights, float* radii, int nRings) {
  if (nSeg % 2 || nSeg < 3 || nSeg > 360 || !heights || !radii || nRings <= 1 || nRings > kVerts) return;
  if (!RangeOK(first, nSeg * nRings)) return;
  const int half = nSeg / 2;
  const float step = 1.0f / static_cast<float>(half);
  const float range = heights[nRings - 1] - heights[0];
  for (int r = 0; r < nRings; ++r) {
    const float v = range != 0 ? heights[r] / range : 0.0f;
    for (int k = 0; k < nSeg; ++k) {
      float u = k < half ? k * step : k == half ? 1.0f : (nSeg - k) * step;
      uv[first + r * nSeg + k] = vec2(u, v);
    }
  }
}

void t_testGenVrt::UV1_RealRings_Stolb1For(int first, int nSeg, float* heights, float* radii, int nRings) {
  if (nSeg < 3 || nSeg > 360 || !heights || !radii || nRings <= 1 || nRings > kVerts) return;
  if (!RangeOK(first, nSeg * nRings)) return;
  const float range = heights[nRings - 1] - heights[0];
  for (int r = 0; r < nRings; ++r) {
    const float v = range != 0 ? heights[r] / range : 0.0f;
    for (int k = 0; k < nSeg; ++k)
      uv[first + r * nSeg + k] = vec2(static_cast<float>(k) / static_cast<float>(nSeg - 1), v);
  }
}

// ---- transforms ----

void t_testGenVrt::TransVrt(t_MeshRec* m, vec3 d) {
  if (!MeshOK(m)) return;
  for (int i = 0; i < m->klv; ++i) pos[m->first + i] += d;
}

void t_testGenVrt::TransVrtY(t_MeshRec* m, float dy) {
  if (MeshOK(m)) TransVrtY(m->first, m->klv, dy);
}

void t_testGenVrt::TransVrtY(int first, int count, float dy) {
  if (!RangeOK(first, count)) return;
  for (int i = 0; i < count; ++i) pos[first + i].y += dy;
}

void t_testGenVrt::MultVrt(t_MeshRec* m, vec3 a0, vec3 a1, vec3 a2, int relative) {
  if (!MeshOK(m)) return;
  const vec3 origin = relative ? m->mb.Pos() : vec3(0, 0, 0);
  for (int i = 0; i < m->klv; ++i) {
    vec3 v = pos[m->first + i] - origin;
    pos[m->first + i] = vec3(dot(a0, v), dot(a1, v), dot(a2, v));
  }
}

void t_testGenVrt::MultVrt(t_MeshRec* m, int relative) {
  if (m) MultVrt(m, m->mb.Wing(), m->mb.Cap(), m->mb.Fwd(), relative);
}

void t_testGenVrt::MultVrtM4(t_MeshRec* m, mat4 M, int relative) {
  MultVrt(m, vec3(M.m[0], M.m[1], M.m[2]), vec3(M.m[4], M.m[5], M.m[6]), vec3(M.m[8], M.m[9], M.m[10]), relative);
}

void t_testGenVrt::UpdGbrFor(t_MeshRec* m) {
  if (!MeshOK(m)) return;
  vec3 lo(99999.0f), hi(-99999.0f);
  for (int i = 0; i < m->klv; ++i) {
    const vec3& p = pos[m->first + i];
    for (int a = 0; a < 3; ++a) {
      if (p[a] < lo[a]) lo[a] = p[a];
      if (p[a] > hi[a]) hi[a] = p[a];
    }
  }
  m->mb.sPosHf_FrMinMax(lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
}

// ---- drawing ----

// With an index array every array starts at the pool's first vertex (the
// indices are absolute); without one every array starts at the range.
void t_testGenVrt::DrawNow(t_MeshRec* m, int withUV, int withColour) {
  if (!MeshOK(m)) return;
  if (m->ind)
    for (int i = 0; i < m->indKlv; ++i)
      if (m->ind[i] >= static_cast<uint32_t>(kVerts)) return;
  const int base = m->ind ? 0 : m->first;
  OGL::ArrayBufferOff();
  glVertexPointer(3, GL_FLOAT, 0, &pos[base]);
  glEnableClientState(GL_VERTEX_ARRAY);
  if (withUV) OGL::KlientTexCoord(0, &uv[base], 1);
  if (withColour) {
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, rgba[base]);
    glEnableClientState(GL_COLOR_ARRAY);
  }
  if (m->ind) glDrawElements(static_cast<GLenum>(m->prim), m->indKlv, GL_UNSIGNED_INT, m->ind);
  else glDrawArrays(static_cast<GLenum>(m->prim), 0, m->klv);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (withUV) OGL::KlientTexC_OFF(0);
  if (withColour) glDisableClientState(GL_COLOR_ARRAY);
}

void t_testGenVrt::DrawNowAlfMask(t_MeshRec* m, int k0, int k1, int k2, int k3, int k4) {
  if (!MeshOK(m)) return;
  RM_AlfMask_Begin(0.2f, 1);
  TexMat(k0, k1, k2, k3, k4);
  DrawNow(m, 1, 0);
  TexMat(0, -1, 0, -1, 0);
  RM_AlfMask_End();
}
