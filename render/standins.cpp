// Stand-ins; see standins.h. Each block names what replaces it.
#include "render/standins.h"

#include <cmath>

#include "ui/ui.h"

// ---- world objects: Distan1V (objects/) ----
float Distan1V(vec3 a, vec3 b) {
  float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// ---- modes ----
int AktivIPPI_ResidentOfEditor() { return *o2::AktivIPPI == 5; }
vec3 test1PointVec(0, 0, 0);

// ---- world model: placement record ----
void t_MBase1::Sbros() {
  pos = vec3(0, 0, 0);
  wing = vec3(1, 0, 0);
  cap = vec3(0, 1, 0);
  fwd = vec3(0, 0, 1);
  hf = vec3(0.5f, 0.5f, 0.5f);
  hiY = 300;
  lowY = -100;
}

void t_MBase1::Pos(vec3 p) {
  pos = p;
  if (pos.y > hiY) pos.y = hiY;
  if (lowY > pos.y) pos.y = lowY;
}

void t_MBase1::sPosHf_FrMinMax(float x1, float y1, float z1, float x2, float y2, float z2) {
  hf = vec3((x2 - x1) / 2, (y2 - y1) / 2, (z2 - z1) / 2);
  Pos(vec3(x1 + hf.x, y1 + hf.y, z1 + hf.z));
}
