// Placed light: carries a stored GL light record, shown as a marker in the
// editor. Placed lights come into a level only from the object base; the
// light is stored, saved and loaded, never handed to GL by the object.
#pragma once

#include <cstdint>
#include <cstdio>

#include "render/lights.h"
#include "world/mbase1.h"

class Fgr4;

class tw_Svet1 {
 public:
  Fgr4* owner;
  float angle;  // degrees, turned by UpdEx
  // ints 2..6, saved as one run.
  int32_t int2;
  int32_t spriteSwitch;  // non-zero: the light queues a sprite record
  int32_t visible;       // frustum result of the last draw
  int32_t int5, int6;
  t_SvetOGL light;
  t_MBase1 mb;

  tw_Svet1() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  void UpdEx();
  void Draw();
  void OnRender_Spr(int pass);
  void DrawForSelect();
  // The viewport camera's eye within the XZ square of half side r.
  bool Near2DToGlobKam(float r) const;

  // Record after the handle part: angle, the int run of ints 2..6, the light
  // (range, position, ambient, diffuse, specular, spot direction, cutoff,
  // exponent: 92 bytes), the placement (236 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Svet1* pTekSvet1;
