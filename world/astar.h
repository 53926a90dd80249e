// A* path search over the 200 x 200 walkability grid. Start and target are in
// world units (20 per cell); the path is left as cells in a path bank. All
// working arrays are fixed, so a search never allocates and clears nothing:
// cell markers are generation numbers that grow by 2 per search.
#pragma once

#include "world/walkab.h"

constexpr int tileSize = 20;      // world units per cell
constexpr int Person = 3;         // path slots in use (the arrays have 4)
constexpr int maxPathBankSize = 320005;
constexpr int notfinished = 0, notStarted = 0;
constexpr int found = 1, nonexistent = 2;
constexpr int walkable = 0, unwalkable = 1;

constexpr int kPathSlots = 4;
constexpr int kPathBankCells = gMapW * gMapH;

extern int onClosedList;                    // closed marker of the last search
extern int pathLength[kPathSlots];          // cells of the found path
extern int pathLocation[kPathSlots];        // read position
extern int pathStatus[kPathSlots];          // last result stored by the caller
extern int xPath[kPathSlots], yPath[kPathSlots];  // last waypoint read, world units
// Per slot the cells as (x, z) pairs in path order: the start cell is not
// stored, the target is last.
extern int pathBank[kPathSlots][2 * kPathBankCells];

// Cells taken off the open list by the last search (diagnostics, benchmarks).
extern int AStExpansions;

// found (1) or nonexistent (2). Same start and target cell: found with an
// empty path. A start off the grid: nonexistent.
int FindPath(int layer, int slot, int startX, int startZ, int targetX, int targetZ);
void ReadPath(int slot, int currentX, int currentZ, int pixelsPerFrame);
int ReadPathX(int slot, int location);  // centre of path cell `location` (1-based)
int ReadPathY(int slot, int location);
void InitPathfinder();
void EndPathfinder();
