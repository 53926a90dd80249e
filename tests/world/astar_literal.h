// The search written the plain way, for the tests: open list items by id,
// the heap as an array of ids with swaps, and a linear scan of the heap to
// find an item whose cost drops. The fast search must give exactly the same
// paths, after taking exactly the same number of cells off the open list.
#pragma once

#include <cstdlib>
#include <vector>

#include "world/world.h"

namespace astlit {

struct Search {
  std::vector<int> whichList = std::vector<int>(201 * 201, 0);
  int closedMarker = 10;
  std::vector<int> openList = std::vector<int>(40002), openX = std::vector<int>(40002),
                   openZ = std::vector<int>(40002), F = std::vector<int>(40002),
                   H = std::vector<int>(40002);
  std::vector<int> G = std::vector<int>(201 * 201), parX = std::vector<int>(201 * 201),
                   parZ = std::vector<int>(201 * 201);
  int expansions = 0;  // cells taken off the open list by the last search

  // Cells after the start, target last; false when there is no path.
  bool Find(int layer, int sx, int sz, int tx, int tz, std::vector<std::pair<int, int>>& path) {
    path.clear();
    expansions = 0;
    closedMarker += 2;
    const int onClosed = closedMarker, onOpen = closedMarker - 1;
    auto at = [](int x, int z) { return x * 201 + z; };
    G[at(sx, sz)] = 0;
    int count = 1, lastId = 0;
    openList[1] = 1;
    openX[1] = sx;
    openZ[1] = sz;
    for (;;) {
      if (count == 0) return false;
      int px = openX[openList[1]], pz = openZ[openList[1]];
      whichList[at(px, pz)] = onClosed;
      ++expansions;
      openList[1] = openList[count];
      --count;
      int u = 1;
      for (;;) {
        int v = u;
        if (2 * u + 1 <= count) {
          if (F[openList[u]] >= F[openList[2 * u]]) v = 2 * u;
          if (F[openList[v]] >= F[openList[2 * u + 1]]) v = 2 * u + 1;
        } else if (2 * u <= count) {
          if (F[openList[u]] >= F[openList[2 * u]]) v = 2 * u;
        }
        if (u == v) break;
        std::swap(openList[u], openList[v]);
        u = v;
      }
      for (int z = pz - 1; z <= pz + 1; ++z) {
        for (int x = px - 1; x <= px + 1; ++x) {
          if (x == -1 || z == -1 || x == 200 || z == 200) continue;
          if (whichList[at(x, z)] == onClosed) continue;
          if (AStUnWalkable(layer, x, z)) continue;
          int l = layer, xx = x, zz = z, ppx = px, ppz = pz;
          if (AStCornMoveBlok(l, xx, zz, ppx, ppz)) continue;
          int step = (std::abs(x - px) == 1 && std::abs(z - pz) == 1) ? 14 : 10;
          if (whichList[at(x, z)] != onOpen) {
            int id = ++lastId;
            int m = count + 1;
            openList[m] = id;
            openX[id] = x;
            openZ[id] = z;
            G[at(x, z)] = G[at(px, pz)] + step;
            H[id] = 10 * (std::abs(x - tx) + std::abs(z - tz));
            F[id] = G[at(x, z)] + H[id];
            parX[at(x, z)] = px;
            parZ[at(x, z)] = pz;
            while (m != 1 && F[openList[m]] <= F[openList[m / 2]]) {
              std::swap(openList[m], openList[m / 2]);
              m /= 2;
            }
            ++count;
            whichList[at(x, z)] = onOpen;
          } else {
            int t = G[at(px, pz)] + step;
            if (t < G[at(x, z)]) {
              parX[at(x, z)] = px;
              parZ[at(x, z)] = pz;
              G[at(x, z)] = t;
              for (int k = 1; k <= count; ++k) {
                int id = openList[k];
                if (openX[id] == x && openZ[id] == z) {
                  F[id] = G[at(x, z)] + H[id];
                  int m = k;
                  while (m != 1 && F[openList[m]] < F[openList[m / 2]]) {
                    std::swap(openList[m], openList[m / 2]);
                    m /= 2;
                  }
                  break;
                }
              }
            }
          }
        }
      }
      if (whichList[at(tx, tz)] == onOpen) break;
    }
    for (int x = tx, z = tz; x != sx || z != sz;) {
      path.push_back({x, z});
      int c = at(x, z);
      x = parX[c];
      z = parZ[c];
    }
    std::reverse(path.begin(), path.end());
    return true;
  }
};

}  // namespace astlit
