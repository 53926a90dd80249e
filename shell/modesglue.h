// What the program shell uses of the game, editor and menu modes: the front
// end, whose set-up the engine runs after the general resources (NowProj),
// and the four camera rotation zones at the screen edges, which the mode
// machine's camera rotation tests in this order.
#pragma once

#include "modes/front.h"

// 1 while the pointer lies in the rotate-left, rotate-right, rotate-down or
// rotate-up zone (only in the game's panel phase 2), else 0.
int guiKamRToL();
int guiKamRToR();
int guiKamRToDn();
int guiKamRToUp();
