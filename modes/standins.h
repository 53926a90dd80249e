// Stand-ins for what the modes call in libraries that are not here yet. Each
// is declared by its real name and signature, with a temporary definition in
// modes/standins.cpp marked with what replaces it. Delete a line here (and
// its definition) when the real one lands.
#pragma once

#include "core/core.h"
#include "modes/soundglue.h"

class Fgr4;
class t_VPortKam;

// ---- the units: selection, per-frame lists, unit helpers, unit bars ----
extern int PlayerBanerID;
constexpr int kPlayerSelectedLast = 50;
extern int PlayerSelected_ekx[kPlayerSelectedLast + 1];
extern int PlayerSelected_eky[kPlayerSelectedLast + 1];
void PlayerSelectedReset();
void PlayerSelectedOne(Fgr4* f);
void PlayerSelectedAdd(Fgr4* f);
void PlayerSelected_AllToTarget(Fgr4* target);
void PlayerSelected_AllToPoint(vec3* point, int mode);
void PlayerSelected_IconsUp(t_VPortKam* view);
void PlayerUnits_OnStartLap();
void PlaEnemyUnits_OnStartLap();
void PlayerUnitsOkrug_OnStartLap();
void KlientMiniMapFgr_OnStartLap();
void MMapNakladDotsDraw();
void ColorMatForUnits(int kind, float a, float k);
void TestFly_FromBunker(int side);
void Camp_DoTehn(int tier, int side);
int Camp_NameDoTehn(int tier, int side);
int Camp_NameTekDom(int);
void UnitBars_ramAlf_Upd();

// ---- the command posts ----
extern Fgr4* p1FgrKomPult;
extern Fgr4* p2FgrKomPult;
extern int globKredi, globTopli;
