// Stand-ins for services that other parts of the program own and that have not
// landed yet. Each is the smallest faithful version of what the render engine
// calls, marked with what replaces it. Nothing else lives in this file.
#pragma once

#include "core/core.h"

// ---- replaced by the world objects' distance helper (objects/) ----
float Distan1V(vec3 a, vec3 b);
