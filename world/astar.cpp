#include "world/astar.h"

#include <cstdlib>

#include "world/standins.h"

int onClosedList = 10;
int pathLength[kPathSlots];
int pathLocation[kPathSlots];
int pathStatus[kPathSlots];
int xPath[kPathSlots], yPath[kPathSlots];
int pathBank[kPathSlots][2 * kPathBankCells];
int AStExpansions = 0;

namespace {

constexpr int kCells = gMapW * gMapH;  // cell index = x * 200 + z, as the grids

// Working state of one cell, kept together so that a visit touches one line.
struct t_AStCell {
  int32_t mark;    // open or closed marker of a search, or stale
  int32_t g;       // cost from the start
  int32_t parent;  // cell it was reached from
  int32_t pos;     // position in the open heap while open
};
t_AStCell cells[kCells];

// The open list: a 1-based binary heap on F. Keeping each cell's heap position
// makes a cost decrease O(log n) with the same heap order a scan would give.
int heapF[kCells + 2];
int heapC[kCells + 2];

inline void heapPlace(int pos, int f, int c) {
  heapF[pos] = f;
  heapC[pos] = c;
  cells[c].pos = pos;
}

// Moves an item up past parents of higher F (Strict) or of higher or equal F.
template <bool Strict>
inline void bubbleUp(int pos, int f, int c) {
  while (pos != 1) {
    int up = pos >> 1;
    if (Strict ? !(f < heapF[up]) : !(f <= heapF[up])) break;
    heapPlace(pos, heapF[up], heapC[up]);
    pos = up;
  }
  heapPlace(pos, f, c);
}

// Moves the last item to the root and sinks it: at u the left child is taken
// when F(u) >= F(left), then the right one when F(chosen) >= F(right).
inline void popRoot(int& count) {
  int f = heapF[count];
  int c = heapC[count];
  --count;
  if (count == 0) return;
  int u = 1;
  for (;;) {
    int l = 2 * u;
    int v = u;
    int fv = f;
    if (l + 1 <= count) {
      if (fv >= heapF[l]) v = l, fv = heapF[l];
      if (fv >= heapF[l + 1]) v = l + 1;
    } else if (l <= count) {
      if (fv >= heapF[l]) v = l;
    }
    if (v == u) break;
    heapPlace(u, heapF[v], heapC[v]);
    u = v;
    if (Main_Done) break;
  }
  heapPlace(u, f, c);
}

inline int heuristic(int x, int z, int tx, int tz) { return 10 * (std::abs(x - tx) + std::abs(z - tz)); }

}  // namespace

void InitPathfinder() {}
void EndPathfinder() {}

int FindPath(int layer, int slot, int sx, int sz, int tx, int tz) {
  AStExpansions = 0;
  if (static_cast<unsigned>(slot) >= static_cast<unsigned>(kPathSlots)) return nonexistent;
  const int startX = sx / tileSize, startZ = sz / tileSize;
  const int targetX = tx / tileSize, targetZ = tz / tileSize;

  if (!walkabAdr(startX, startZ)) return nonexistent;
  if (startX == targetX && startZ == targetZ) {
    pathLength[slot] = 0;
    pathLocation[slot] = 0;
    return found;
  }
  if (AStUnWalkable(layer, targetX, targetZ)) {
    xPath[slot] = sx;
    yPath[slot] = sz;
    return nonexistent;
  }

  if (onClosedList > 1000000) {
    for (t_AStCell& c : cells) c.mark = 0;
    onClosedList = 10;
  }
  onClosedList += 2;
  const int closedM = onClosedList;
  const int openM = onClosedList - 1;

  const unsigned char* lay = &walkabLayer(layer)[0][0];  // valid: the target passed
  const unsigned char* land = layer >= 2 ? &walkability2345Land[0][0] : nullptr;
  const unsigned char* full = &walkabilityAirLand[0][0];
  auto closedTo = [&](int x, int z) -> int {
    if (!walkabAdr(x, z)) return 1;
    int i = x * gMapH + z;
    return lay[i] == 1 || (land && land[i] == 1) || full[i] != 0;
  };

  pathLength[slot] = 0;
  pathLocation[slot] = 0;
  const int startC = startX * gMapH + startZ;
  const int targetC = targetX * gMapH + targetZ;
  cells[startC].g = 0;
  int count = 1;
  heapPlace(1, 0, startC);

  bool ok = false;
  while (count > 0) {
    const int pc = heapC[1];
    cells[pc].mark = closedM;
    ++AStExpansions;
    popRoot(count);

    const int px = pc / gMapH;
    const int pz = pc - px * gMapH;
    const int pg = cells[pc].g;
    int shut[9];  // neighbours closed to the layer, [(dz + 1) * 3 + dx + 1]
    for (int dz = -1; dz <= 1; ++dz)
      for (int dx = -1; dx <= 1; ++dx) shut[(dz + 1) * 3 + dx + 1] = closedTo(px + dx, pz + dz);

    for (int dz = -1; dz <= 1; ++dz) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (dx == 0 && dz == 0) continue;
        if (shut[(dz + 1) * 3 + dx + 1]) continue;
        const bool diagonal = dx != 0 && dz != 0;
        if (diagonal && (shut[4 + dx] || shut[(dz + 1) * 3 + 1])) continue;  // no corner cutting
        const int x = px + dx, z = pz + dz;
        const int c = x * gMapH + z;
        t_AStCell& cell = cells[c];
        if (cell.mark == closedM) continue;
        const int g = pg + (diagonal ? 14 : 10);
        if (cell.mark != openM) {
          cell.mark = openM;
          cell.g = g;
          cell.parent = pc;
          bubbleUp<false>(++count, g + heuristic(x, z, targetX, targetZ), c);
        } else if (g < cell.g) {
          cell.parent = pc;
          cell.g = g;
          bubbleUp<true>(cell.pos, g + heuristic(x, z, targetX, targetZ), c);
        }
      }
    }
    if (cells[targetC].mark == openM) {
      ok = true;
      break;
    }
  }
  if (!ok) return nonexistent;

  int n = 0;
  for (int c = targetC; c != startC && n < kPathBankCells; c = cells[c].parent) ++n;
  pathLength[slot] = n;
  int* bank = pathBank[slot];
  int c = targetC;
  for (int k = n - 1; k >= 0; --k) {
    bank[2 * k] = c / gMapH;
    bank[2 * k + 1] = c % gMapH;
    c = cells[c].parent;
  }
  ReadPath(slot, sx, sz, 1);
  return found;
}

int ReadPathX(int slot, int location) {
  if (static_cast<unsigned>(slot) >= static_cast<unsigned>(kPathSlots)) return 0;
  if (location < 1 || location > pathLength[slot]) return 0;
  return static_cast<int>(pathBank[slot][2 * (location - 1)] * tileSize + 10.0);
}

int ReadPathY(int slot, int location) {
  if (static_cast<unsigned>(slot) >= static_cast<unsigned>(kPathSlots)) return 0;
  if (location < 1 || location > pathLength[slot]) return 0;
  return static_cast<int>(pathBank[slot][2 * (location - 1) + 1] * tileSize + 10.0);
}

void ReadPath(int slot, int cx, int cz, int p) {
  if (static_cast<unsigned>(slot) >= static_cast<unsigned>(kPathSlots)) return;
  if (pathStatus[slot] != found) {
    xPath[slot] = cx;
    yPath[slot] = cz;
    return;
  }
  auto near = [&]() { return std::abs(cx - xPath[slot]) < p && std::abs(cz - yPath[slot]) < p; };
  if (pathLocation[slot] < pathLength[slot] && (pathLocation[slot] == 0 || near()))
    ++pathLocation[slot];
  xPath[slot] = ReadPathX(slot, pathLocation[slot]);
  yPath[slot] = ReadPathY(slot, pathLocation[slot]);
  if (pathLocation[slot] == pathLength[slot] && near()) pathStatus[slot] = notfinished;
}
