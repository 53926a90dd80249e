// Public surface of the game, editor and menu modes: the camera edge zones,
// the camera helpers and the side colours, and which mode is active.
#pragma once

#include "modes/camzones.h"
