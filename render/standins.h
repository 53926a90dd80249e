// Stand-ins for services that other parts of the program own and that have not
// landed yet. Each is the smallest faithful version of what the render engine
// calls, marked with what replaces it. Nothing else lives in this file.
#pragma once

#include "core/core.h"

// ---- replaced by the modes (modes/) ----
// The ground point the game's command code keeps; the ground-light marker is
// drawn around it.
extern vec3 test1PointVec;
