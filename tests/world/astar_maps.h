// Test and benchmark maps for the path search, written into the walkability
// grids: an open map, a walled-off target, a U-shaped trap, a one-cell
// serpentine, random obstacles and perfect mazes (exactly one way between any
// two open cells).
#pragma once

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "world/world.h"

namespace astmaps {

// Map makers write their cells in bulk.
struct Bulk {
  Bulk() { walkabBulkBegin(); }
  ~Bulk() { walkabBulkEnd(); }
};

struct Cell {
  int x, z;
};

// World point at the centre of a cell, as movers pass them.
inline int W(int c) { return c * 20 + 10; }

// Closes a cell to `layer`, in one of the three ways the grids allow:
// the layer's own byte, ground occupancy (layers 2..5) or full occupancy.
inline void Block(int layer, int x, int z, int how = 0) {
  if (how == 1 && layer >= 2) walkabLand(x, z, 1);
  else if (how == 2) walkabAirLand(x, z, 1);
  else walkabSet(layer, x, z, 1);
}

inline void Open() { walkabil_Init(); }

// A target inside a closed square ring: the search floods everything else.
inline std::pair<Cell, Cell> WalledTarget(int layer) {
  Bulk bulk;
  walkabil_Init();
  for (int i = 140; i <= 160; ++i) {
    Block(layer, i, 140);
    Block(layer, i, 160);
    Block(layer, 140, i);
    Block(layer, 160, i);
  }
  return {{10, 10}, {150, 150}};
}

// The start inside a cup whose bottom faces the target.
inline std::pair<Cell, Cell> UTrap(int layer) {
  Bulk bulk;
  walkabil_Init();
  for (int x = 40; x <= 160; ++x) Block(layer, x, 140);
  for (int z = 30; z <= 140; ++z) {
    Block(layer, 40, z);
    Block(layer, 160, z);
  }
  return {{100, 80}, {100, 190}};
}

// Every odd row closed but for one cell, alternately at its right and left
// end: one corridor of width one that runs the whole map.
inline std::pair<Cell, Cell> Serpentine(int layer) {
  Bulk bulk;
  walkabil_Init();
  for (int z = 1; z < gMapH; z += 2) {
    int gap = (z / 2) % 2 == 0 ? gMapW - 1 : 0;
    for (int x = 0; x < gMapW; ++x)
      if (x != gap) Block(layer, x, z);
  }
  return {{0, 0}, {0, gMapH - 2}};
}

// A share of cells closed at random (in all three ways when the layer allows).
inline void Random(int layer, double share, unsigned seed) {
  Bulk bulk;
  walkabil_Init();
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  for (int x = 0; x < gMapW; ++x)
    for (int z = 0; z < gMapH; ++z)
      if (u(rng) < share) Block(layer, x, z, static_cast<int>(rng() % 3));
}

// A perfect maze: rooms on even cells, walls on the rest, opened by a
// randomised depth-first walk.
inline void Maze(int layer, unsigned seed) {
  Bulk bulk;
  walkabil_Init();
  for (int x = 0; x < gMapW; ++x)
    for (int z = 0; z < gMapH; ++z)
      if (x % 2 || z % 2) Block(layer, x, z);
  const int n = gMapW / 2;
  std::vector<char> seen(n * n, 0);
  std::vector<Cell> stack{{0, 0}};
  seen[0] = 1;
  std::mt19937 rng(seed);
  const int dx[4] = {1, -1, 0, 0}, dz[4] = {0, 0, 1, -1};
  while (!stack.empty()) {
    Cell c = stack.back();
    int order[4] = {0, 1, 2, 3};
    std::shuffle(order, order + 4, rng);
    bool moved = false;
    for (int k : order) {
      int x = c.x + dx[k], z = c.z + dz[k];
      if (x < 0 || z < 0 || x >= n || z >= n || seen[x * n + z]) continue;
      seen[x * n + z] = 1;
      walkabSet(layer, c.x * 2 + dx[k], c.z * 2 + dz[k], 0);
      stack.push_back({x, z});
      moved = true;
      break;
    }
    if (!moved) stack.pop_back();
  }
}

// Random open cells of the current grids for `layer`.
inline std::vector<Cell> OpenCells(int layer, int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<Cell> r;
  while (static_cast<int>(r.size()) < count) {
    Cell c{static_cast<int>(rng() % gMapW), static_cast<int>(rng() % gMapH)};
    if (!AStUnWalkable(layer, c.x, c.z)) r.push_back(c);
  }
  return r;
}

}  // namespace astmaps
