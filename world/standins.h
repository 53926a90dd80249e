// Stand-ins for services of other parts of the program that the world model
// calls but that are written elsewhere. Each is the smallest thing with the
// real name and signature; each says what replaces it. Delete an entry here
// when its real owner lands.
#pragma once

// int4simb comes from the foundation's grid, bit and copy helpers.
#include "core/core.h"

// The stop flag of the main loop (the program shell's).
#include "shell/engine.h"

// Replaced by the game modes: the picture (group 0) of the minimap frame mask.
extern int globTexNRamMMap;
