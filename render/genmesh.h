// The generated-mesh vertex pool: posts build their geometry at creation from
// a few numbers into one static pool, each mesh taking a contiguous range
// once. A t_MeshRec describes one such range: its vertices, an optional index
// array, the GL primitive and a placement.
#pragma once

#include <cstdint>

#include "core/core.h"
#include "world/mbase1.h"

class t_MeshRec {
 public:
  int first = 0;      // first vertex in the pool
  int klv = 0;        // vertex count (0: no mesh)
  int indKlv = 0;     // entries of the index array
  uint32_t* ind = nullptr;  // owned: absolute pool vertices, or null for a plain range
  int prim = 0;       // GL primitive: 5 strip, 6 fan
  t_MBase1 mb;        // placement: position, axes, box

  t_MeshRec() { Sbros(); }
  ~t_MeshRec() { Sbros(); }
  t_MeshRec(const t_MeshRec&) = delete;
  t_MeshRec& operator=(const t_MeshRec&) = delete;

  void Sbros();
  uint32_t* GetInd_() { return ind; }
  bool IsArray() const { return ind == nullptr; }
  int GetIndKlv() const { return ind ? indKlv : 0; }
};

class t_testGenVrt {
 public:
  static constexpr int kVerts = 21001;
  vec3 pos[kVerts];
  vec2 uv[kVerts];
  uint8_t rgba[kVerts][4];  // white at start
  int next;                 // next free vertex; only grows

  t_testGenVrt();
  void Sbros() { next = 0; }

  // The first vertex of a fresh range of n, or -1 (logged) when the pool
  // cannot give n more.
  int GetBlokNowFirst(int n);
  // For n > 1: m takes a range of n with the primitive (empty when refused).
  void GrabBlokUnder(t_MeshRec* m, int n, unsigned primitive);

  void AddFanFor(t_MeshRec* m, int nSeg, int dir, vec3 pos, float centreY, float ringY, float radius);
  void ElemSet_Stolb1For(t_MeshRec* m, int nSeg, int dir, vec3 pos, float* heights, float* radii, int nRings,
                         int closed);
  void AddDugaFor(t_MeshRec* m, float dx, float dy, int n, float a, float b, float c, float d, int e, int withUV,
                  float u1, float u2);
  void UV1_Stolb1For(int first, int nSeg, float* heights, float* radii, int nRings);
  void UV1_RealRings_Stolb1For(int first, int nSeg, float* heights, float* radii, int nRings);

  void TransVrt(t_MeshRec* m, vec3 d);
  void TransVrtY(t_MeshRec* m, float dy);
  void TransVrtY(int first, int count, float dy);
  void MultVrt(t_MeshRec* m, vec3 a0, vec3 a1, vec3 a2, int relative);
  void MultVrt(t_MeshRec* m, int relative);
  void MultVrtM4(t_MeshRec* m, mat4 M, int relative);
  void UpdGbrFor(t_MeshRec* m);

  void DrawNow(t_MeshRec* m, int withUV, int withColour);
  void DrawNowAlfMask(t_MeshRec* m, int k0, int k1, int k2, int k3, int k4);

 private:
  // n more vertices fit the pool; a refusal is logged.
  bool Fits(int n) const;
  // A range [first, first + count) lies wholly in the pool.
  static bool RangeOK(int first, int count) { return first >= 0 && count >= 0 && first <= kVerts - count; }
  static bool MeshOK(const t_MeshRec* m) { return m && m->klv > 0 && RangeOK(m->first, m->klv); }
};

extern t_testGenVrt testGenVrt;
