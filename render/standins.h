// Stand-ins for services that other parts of the program own and that have not
// landed yet. Each is the smallest faithful version of what the render engine
// calls, marked with what replaces it. Nothing else lives in this file.
#pragma once

#include "core/core.h"

// ---- replaced by the world objects' distance helper (objects/) ----
float Distan1V(vec3 a, vec3 b);

// ---- replaced by the modes (modes/) ----
// Non-zero while the editor is the active mode.
int AktivIPPI_ResidentOfEditor();
// The ground point the game's command code keeps; the ground-light marker is
// drawn around it.
extern vec3 test1PointVec;

// ---- replaced by the world model's placement record (world/) ----
// Only what the generated meshes use: position with the height limits, the
// three axes, the half-sizes and the box setter.
class t_MBase1 {
 public:
  void Sbros();
  vec3 Pos() const { return pos; }
  void Pos(vec3 p);
  vec3 Wing() const { return wing; }
  vec3 Cap() const { return cap; }
  vec3 Fwd() const { return fwd; }
  vec3 Hf() const { return hf; }
  void sPosHf_FrMinMax(float x1, float y1, float z1, float x2, float y2, float z2);

 private:
  vec3 pos{0, 0, 0}, wing{1, 0, 0}, cap{0, 1, 0}, fwd{0, 0, 1}, hf{0.5f, 0.5f, 0.5f};
  float hiY = 300, lowY = -100;
};
