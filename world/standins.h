// Stand-ins for services of other parts of the program that the world model
// calls but that are written elsewhere. Each is the smallest thing with the
// real name and signature; each says what replaces it. Delete an entry here
// when its real owner lands.
#pragma once

// int4simb comes from the foundation's grid, bit and copy helpers.
#include "core/core.h"

// The stop flag of the main loop (the program shell's).
#include "shell/engine.h"

// Replaced by the network link: the network role, 0 none, 1 server, above 1
// client.
extern int Glob_WSA_ProgIs;

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

// Replaced by the terrain (t_PlitHold with its tiles, heights and types).
// Only the calls the walkability layers make exist: the tile under a point
// and the three tile edits of a building levelling its ground, which do
// nothing here.
class t_PlitHold {
 public:
  int YchFrCoord(float x, float z) const;
  void PlitSetY(int i, float y, int onlyThis);
  void SetOnlyType(int i, int type);
  void SetUVSlo2(int i, int type, int variant, int rotation, int extra);
};
extern t_PlitHold PlitHold;
