// Public surface of the game, editor and menu modes: the command bindings,
// the front end with its panels and line commands, the steps of the three
// modes and their transitions, the map generators, and the camera edge
// zones, camera helpers and side colours.
#pragma once

#include "modes/camzones.h"
#include "modes/front.h"
#include "modes/kmd.h"
#include "modes/mapgen.h"
#include "modes/steps.h"
