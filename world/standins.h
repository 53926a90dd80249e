// Stand-ins for services of other parts of the program that the world model
// calls but that are written elsewhere. Each is the smallest thing with the
// real name and signature; each says what replaces it. Delete an entry here
// when its real owner lands.
#pragma once

// int4simb comes from the foundation's grid, bit and copy helpers.
#include "core/core.h"

// The stop flag of the main loop (the program shell's).
#include "shell/engine.h"

// Replaced by the unit preset table of the world objects (base/_units_tab.h).
// nomOK(n): n is a valid unit preset number. Here a preset counts as loaded
// when presetNumber[n] == n; nothing loads it, so no number is valid until a
// caller fills the array.
class t_Unt1TabOne {
 public:
  int presetNumber[301] = {};
  int nomIN(int n) const { return n > 0 && n < 301; }
  int nomOK(int n) const { return nomIN(n) && presetNumber[n] == n; }
};
extern t_Unt1TabOne origSborU;

// Replaced by the world objects' unit helpers: debug boxes along a path. Does
// nothing here.
void globDraw_Path(float r, float g, float b, int& count, int& step,
                   unsigned char cells[][2]);

// Replaced by the selection and per-frame unit lists of the world objects:
// the player's sight circles, the selection (handles 1..count) and the
// minimap dots that the minimap converts in place each frame.
class Fgr4;
extern int PlayerUnitsOkrugKlv;
extern vec3 PlayerUnitsOkrugPos[201];
extern int PlayerUnitsOkrugR[201];
extern int PlayerSelected_Now;
extern Fgr4* PlayerSelected_[51];
extern int KlientMiniMapFgrKlv;
extern int KlientMiniMapFgrX[501];
extern int KlientMiniMapFgrY[501];
