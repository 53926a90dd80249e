// What the world model uses of the world objects beyond their types: the
// unit preset test of the holder, the path boxes of the path follower, and
// the selection, sight circles and minimap dots that the minimap draws.
#pragma once

#include "objects/unithelp.h"   // globDraw_Path
#include "objects/unitlists.h"  // PlayerSelected_, PlayerUnitsOkrug*, KlientMiniMapFgr*
#include "objects/unitstab.h"   // origSborU
