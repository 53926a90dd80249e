// Stand-ins for what the shell calls in subsystems that are not here yet.
// Each has the name and signature the real one will have, so that deleting it
// here (and its definition in standins.cpp) is all it takes when the real one
// arrives. The comment on each says which part of the program replaces it.
#pragma once

#include <string>

#include "platform/platform.h"

// --- render engine ---------------------------------------------------------------
// GL set-up, extension flags, pictures and screenshots come from the render engine.
#include "render/render.h"

// --- services the general resources load and release ------------------------------

// --- world model: path-finder and object pools come from the world model --------
#include "world/world.h"

