// Stand-ins; see standins.h. Each block names what replaces it.
#include "render/standins.h"

#include <cmath>

// ---- world objects: Distan1V (objects/) ----
float Distan1V(vec3 a, vec3 b) {
  float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
