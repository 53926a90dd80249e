// Walkability layers: which tiles a mover may enter. Five movement layers
// (1..5) marked from the terrain's tile types, and two occupancy grids for the
// tiles taken by standing objects: one blocks the ground layers 2..5, the
// other every layer. Grids are 200 x 200 bytes indexed [x][z] (x the tile
// column, z the row).
//
// The grids are read-only outside this module: every write goes through the
// setters below, which keep the search's per-cell move masks in step.
#pragma once

#include "core/core.h"

constexpr int gMapW = 200;
constexpr int gMapH = 200;

extern const unsigned char (&walkability)[gMapW][gMapH];   // layer 1; also kind-1 occupancy
extern const unsigned char (&walkability2)[gMapW][gMapH];  // layer 2
extern const unsigned char (&walkability3)[gMapW][gMapH];  // layer 3
extern const unsigned char (&walkability4)[gMapW][gMapH];  // layer 4
extern const unsigned char (&walkability5)[gMapW][gMapH];  // layer 5
extern const unsigned char (&walkability2345Land)[gMapW][gMapH];  // ground occupancy
extern const unsigned char (&walkabilityAirLand)[gMapW][gMapH];   // full occupancy

void walkabil_Init();  // all seven grids := 0

inline int walkabAdr(int x, int z) {
  return static_cast<unsigned>(x) < static_cast<unsigned>(gMapW) &&
         static_cast<unsigned>(z) < static_cast<unsigned>(gMapH);
}

// The grid of layer 1..5, null for any other layer.
const unsigned char (*walkabLayer(int layer))[gMapH];

// Store a byte in layer 1..5 at (x, z); ignored outside the grid.
void walkab1(int x, int z, int value);
void walkab2(int x, int z, int value);
void walkab3(int x, int z, int value);
void walkab4(int x, int z, int value);
void walkab5(int x, int z, int value);
void walkabSet(int layer, int x, int z, int value);  // the same for any layer 1..5

// Around many writes at once (a layer rebuilt from the terrain, a map made
// whole): the search's move masks are then rebuilt once, when next needed,
// instead of after each write. Pairs nest.
void walkabBulkBegin();
void walkabBulkEnd();

// Occupancy: set 0 clears the mark and answers 1; set non-zero answers 0 when
// the tile is already taken in a way that concerns this grid, else marks it.
// All answer 0 outside the grid.
int walkabAir(int x, int z, int set);      // layer-1 byte
int walkabLand(int x, int z, int set);     // ground occupancy
int walkabAirLand(int x, int z, int set);  // full occupancy

// 1 when (x, z) is closed to layer 1..5 (always 1 outside the grid or for
// another layer).
inline int AStUnWalkable(int layer, int x, int z) {
  if (!walkabAdr(x, z)) return 1;
  const unsigned char (*grid)[gMapH] = walkabLayer(layer);
  if (!grid) return 1;
  if (grid[x][z] == 1) return 1;
  if (layer >= 2 && walkability2345Land[x][z] == 1) return 1;
  return walkabilityAirLand[x][z] != 0;
}

// 1 when a diagonal step from the parent to (x, z) passes a closed corner.
int AStCornMoveBlok(int& layer, int& x, int& z, int& parentX, int& parentZ);

// For the search: per cell (index x * 200 + z) of layer 1..5 the steps open
// from it, bit (dz + 1) * 3 + dx + 1 for the neighbour (x + dx, z + dz): on
// the grid, not closed, and for a diagonal both orthogonal cells beside it
// open. Null for another layer.
const unsigned char* AStMoves(int layer);

// An object registers the tile under p (kind 2 full, 1 layer 1, other ground)
// while tile is -1; a refused or impossible registration leaves tile -1.
void LandsRootFrCoord(int& ignored, int& tile, vec3 p, int kind);
// Releases a registered tile with the same kind rule; index and tile := -1.
void PlitHold_DeReg(int& index, int& tile, int kind);
// A building levels the tile under p to p's height and, unless type is -1,
// gives it that ground type.
void LandsRoot_SetPlit(vec3 p, int type);
