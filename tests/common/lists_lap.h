// The start of a game frame's lap of the per-frame unit lists: the player's
// units, the other units, the sight circles and the minimap dots emptied,
// as the game mode does before the objects' updates refill them.
#pragma once

#include "objects/unitlists.h"

inline void UnitListsStartLap() {
  PlayerUnits_OnStartLap();
  PlaEnemyUnits_OnStartLap();
  PlayerUnitsOkrug_OnStartLap();
  KlientMiniMapFgr_OnStartLap();
}
