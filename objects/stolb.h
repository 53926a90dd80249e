// Post: a pillar, lamp post or mast standing on the terrain, whose shape is
// generated at creation into the generated-mesh pool from a few numbers: a
// top cap, a bottom spike and a body, by variant 0..4. A post blocks the tile
// under it, shows four sprites around its box, lights itself when selected
// (variant 0) and is drawn through the batched multi-draw queues, which call
// it back for its vertex ranges.
#pragma once

#include <cstdint>
#include <cstdio>

#include "render/genmesh.h"
#include "world/mbase1.h"

class Fgr4;

// What a post saves: its placement and ints 31..39.
struct t_StolbRec {
  t_MBase1 mb;
  int32_t int31;
  int32_t variant;   // creation kind 0..4
  int32_t selected;
  int32_t visible;   // the box was in the view frustum at the last draw
  int32_t regIndex, regTile, regLayer;  // terrain registration (tile -1 none)
  int32_t int38, int39;

  // The placement, then the int run of ints 31..39 (156 bytes).
  template <class IO>
  void Record(IO& io);
};

class tw_Stolb {
 public:
  static constexpr int kCap = 0, kSpike = 1, kBody = 2;

  Fgr4* owner;
  t_StolbRec r;
  // Cap (fan), spike (fan), body (strip); not saved, not rebuilt on load.
  t_MeshRec mesh[3];

  // The turn every post's sprites share, in degrees (0 at start).
  static float rot1;

  tw_Stolb() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  // Builds the post at the last picked ground point, 2 above it. When the
  // meshes of the variant do not fit the pool, nothing is built and the
  // body is freed (the creation fails).
  void IFC_x(int kind);
  void UpdSelf(int mode);
  void Draw();
  void OnRender_Spr(int pass);
  void DrawForSelect();
  void OnDeact();
  void OnKill();
  // Multi-draw call-backs: the vertex range (first, count) of a mesh, and
  // its index array with its length.
  void OnRender1_ArrGeneral(int* first, int* count, int index);
  void OnRender2_ElemGeneral(const void** indices, int* count, int index);

  // Moves the post and its meshes; the box becomes the meshes' box.
  void PosUpd(float x, float y, float z);
  // The same onto the terrain under (x, z), raised by dy.
  void PosUpd_SetOpora(float x, float y, float z, float dy);
  // Moves one mesh to the post and widens the box (max, min) by its box.
  void PosUpdPlus_Mesh(t_MeshRec* m, float& maxX, float& maxY, float& maxZ, float& minX, float& minY,
                       float& minZ);

  int AddToFile(FILE* f);
  int FromFile(FILE* f);

  // Vertices the meshes of a variant take from the pool.
  static int Vertices(int kind);
};

extern tw_Stolb* pTekStolb;
