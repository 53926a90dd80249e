// The player's selection and the per-frame lists that units, vehicles and
// buildings share: the player's units, all other units, the player's sight
// circles and the minimap dots. The game frame empties the lists first
// (the _OnStartLap functions); the objects' self updates refill them; the
// target search and the seen test read them during the updates.
#pragma once

#include <cstdint>

#include "core/core.h"
#include "world/type_list.h"

class Fgr4;
class t_VPortKam;

// The local side (banner number).
extern int PlayerBanerID;

// ---- selection: slots 1..count; slot 0 keeps the previous first selection
constexpr int kPlayerSelectedLast = 50;
extern Fgr4* PlayerSelected_[kPlayerSelectedLast + 1];
extern int PlayerSelected_Now;
extern void* PlayerSelected_Conv;  // an order's argument, passed to every selected object
extern int PlayerSelected_ekx[kPlayerSelectedLast + 1];
extern int PlayerSelected_eky[kPlayerSelectedLast + 1];

void PlayerSelectedReset();
void PlayerSelectedOne(Fgr4* f);
// Adds f unless it is already selected or 50 are.
void PlayerSelectedAdd(Fgr4* f);
int PlayerSelected_AnIn(Fgr4* f);
int PlayerSelected_OnlyOne();
void PlayerSelected_AllToTarget(Fgr4* target);   // event 33 to every selected object
void PlayerSelected_AllToPoint(vec3* point, int mode);  // event 34
void PlayerSelected_IconsUp(t_VPortKam* view);

// ---- per-frame lists, sized to hold everything the pools can hold
// Units and vehicles: one side's list can take every one of them.
constexpr int kUnitListCap = Fgr4W_Cap(27) + Fgr4W_Cap(5) + Fgr4W_Cap(6);
// Sight circles and minimap dots also come from buildings.
constexpr int kSightListCap = kUnitListCap + Fgr4W_Cap(24) + Fgr4W_Cap(25) + Fgr4W_Cap(26);

extern Fgr4* PlayerUnits_[kUnitListCap];
extern int PlayerUnitsKlv;
extern Fgr4* PlaEnemyUnits_[kUnitListCap];
extern int PlaEnemyUnitsKlv;
extern vec3 PlayerUnitsOkrugPos[kSightListCap];
extern float PlayerUnitsOkrugR[kSightListCap];  // world units
extern int PlayerUnitsOkrugKlv;
extern int KlientMiniMapFgrX[kSightListCap];  // world x, then minimap x once the minimap converts them
extern int KlientMiniMapFgrY[kSightListCap];  // world z, likewise
extern uint8_t KlientMiniMapFgrClrNom[kSightListCap];  // side
extern uint8_t KlientMiniMapFgrDotNom[kSightListCap];  // dot kind
extern int KlientMiniMapFgrKlv;

void PlayerUnits_OnStartLap();
void PlaEnemyUnits_OnStartLap();
void PlayerUnitsOkrug_OnStartLap();
void KlientMiniMapFgr_OnStartLap();
void PlayerUnits_Add(Fgr4* f);
void PlaEnemyUnits_Add(Fgr4* f);
void PlayerUnitsOkrug_Add(vec3 centre, float r);
// seen := 1 when p with radius r reaches into a sight circle, else 0.
void PlayerUnitsOkrug_Try(vec3 p, float r, int& seen);
void KlientMiniMapFgr_Add(vec3 p, unsigned colour, unsigned kind);
// The minimap's dots: a black shadow, then the side colour.
void MMapNakladDotsDraw();
void MMapNakladPreset(int kind, int x, int y);

// A unit on a list moved: it keeps being found by the searches at its new
// place. Called by the unit after each of its moves within the frame.
void UnitLists_Moved(Fgr4* f, vec3 pos);

// ---- target search: the nearest live entry within its radius plus the range
Fgr4* GeneralUnits_TryAtak(vec3 p, float range, int side);
Fgr4* PlayerUnits_TryAtak(vec3& p, float& range);
Fgr4* PlaEnemyUnits_TryAtak(vec3& p, float& range);
