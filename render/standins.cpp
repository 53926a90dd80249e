// Stand-ins; see standins.h. Each block names what replaces it.
#include "render/standins.h"

// ---- modes ----
vec3 test1PointVec(0, 0, 0);
