// The map generators: a level is built in code. Each run removes the objects
// of the current level, lays out the terrain from the height map, creates
// the level's fixed objects and marks the level ready (o2::EtapOK). MapGen02
// is the one the menu offers; MapGen01 builds a test level that nothing calls.
#pragma once

void MapGen01();
void MapGen02();
void MapGen01_General();
void MapGen01_Domiki();
void MapGen01_Units();
void MapGen02_General();

// What a new level (MapGen02) makes, per type code: a loaded object base must
// leave room for it in the pools.
struct t_MadeObjects {
  int type, count;
};
extern const t_MadeObjects MapGen02_Makes[4];

// A new unit of a preset for a side in a reserved slot (it becomes the
// current unit); 0 when no slot was free.
int NewUnit(int preset, int side);
// A new energy building of a side, set on the ground; 0 when none was made.
int NewEnergyBuilding(int side);
