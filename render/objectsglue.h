// What the render engine uses of the world objects: the distance helper.
#pragma once

#include "core/core.h"

// The distance of two points (also kept as the objects' last distance).
float Distan1V(vec3 a, vec3 b);
