// Map sectors and their snow. A sector is a box on the ground that carries
// the level's weather; while the camera is near, a sector with weather lets
// snowflakes fall at random points of its square. A flake falls and drifts,
// is drawn while its sector is in view and near the camera, and dies below
// the ground.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"
#include "world/mbase1.h"

class Fgr4;

class tw_Sektor {
 public:
  Fgr4* owner;
  // ints 1..8, saved as one run.
  int32_t int1;
  int32_t selected;
  int32_t visible;        // frustum result of the last draw
  int32_t weather;        // 0 none, 1 snow of kind 1, 2 snow of kind 2
  int32_t spawnCountdown; // ms
  int32_t spawnPeriod;    // ms; a flake comes every half to whole period
  int32_t int7, int8;
  t_MBase1 mb;            // the sector's box

  tw_Sektor() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  // Lets snow fall while the camera is near and the weather is on.
  void UpdSelf(int mode);
  void Draw();
  void DrawForSelect();

  // Record after the handle part: the int run of ints 1..8, the placement
  // (152 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

class tw_Snow {
 public:
  Fgr4* owner;
  Fgr4* sector;           // the sector that let it fall; saved as a level slot number
  // ints 2..9, saved as one run.
  int32_t int2;
  int32_t int3;
  int32_t visible;        // the sector's visibility at the last draw
  int32_t picture;        // sprite picture of group 0
  int32_t column, row;    // atlas cell (1-based, 4 x 4)
  int32_t driftCountdown; // ms to the next sideways step
  int32_t int9;
  // floats 10..18, saved as one run.
  float float10;
  float x, y, z;
  float float14, float15, float16, float17, float18;

  tw_Snow() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x(int kind);
  // Falls 0.01 per ms and drifts toward +x and +z; dies below the ground,
  // and at once when it has no sector.
  void Upd(int mode, int ex);
  void Draw();
  void OnRender_Spr(int pass);
  void fgrSectorSet(Fgr4* s) { sector = s; }
  vec3 Pos() const { return vec3(x, y, z); }

  // Record after the handle part: the sector link, the int run of ints
  // 2..9, the float run of floats 10..18 (72 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Sektor* pTekSektor;
extern tw_Snow* pTekSnow;
