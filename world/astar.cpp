#include "world/astar.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "shell/engine.h"

int onClosedList = 10;
int pathLength[kPathSlots];
int pathLocation[kPathSlots];
int pathStatus[kPathSlots];
int xPath[kPathSlots], yPath[kPathSlots];
int pathBank[kPathSlots][2 * kPathBankCells];
int AStExpansions = 0;

namespace {

constexpr int kCells = gMapW * gMapH;  // cell index = x * 200 + z, as the grids

// Working state of one cell: its marker and its cost from the start.
struct t_AStCell {
  int32_t mark;  // open or closed marker of a search, or stale
  int32_t g;
};
t_AStCell cells[kCells];
int32_t parentOf[kCells];  // the cell each open or closed cell was reached from

// The open list: a 1-based binary heap on F, each entry F << 32 | cell.
// Keeping each open cell's heap position (posOf) makes a cost decrease
// O(log n) with the same heap order a scan for the cell would give.
uint64_t heap[kCells + 2];
int32_t posOf[kCells];

inline int Fof(uint64_t e) { return static_cast<int>(e >> 32); }
inline int Cof(uint64_t e) { return static_cast<int>(static_cast<uint32_t>(e)); }
inline uint64_t Entry(int f, int c) { return static_cast<uint64_t>(f) << 32 | static_cast<uint32_t>(c); }

inline void heapPlace(int pos, uint64_t e) {
  heap[pos] = e;
  posOf[Cof(e)] = pos;
}

// Moves an item up past parents of higher F (Strict) or of higher or equal F.
template <bool Strict>
inline void bubbleUp(int pos, int f, int c) {
  while (pos != 1) {
    int up = pos >> 1;
    uint64_t eu = heap[up];
    if (Strict ? f >= Fof(eu) : f > Fof(eu)) break;
    heapPlace(pos, eu);
    pos = up;
  }
  heapPlace(pos, Entry(f, c));
}

// Moves the last item to the root and sinks it: at u the left child is taken
// when F(u) >= F(left), then the right one when F(chosen) >= F(right).
inline void popRoot(int& count) {
  const uint64_t e = heap[count];
  const int f = Fof(e);
  --count;
  if (count == 0) return;
  int u = 1;
  for (;;) {
    int l = 2 * u;
    int v = u;
    int fv = f;
    if (l + 1 <= count) {
      if (fv >= Fof(heap[l])) v = l, fv = Fof(heap[l]);
      if (fv >= Fof(heap[l + 1])) v = l + 1;
    } else if (l <= count) {
      if (fv >= Fof(heap[l])) v = l;
    }
    if (v == u) break;
    heapPlace(u, heap[v]);
    u = v;
    if (Main_Done) break;
  }
  heapPlace(u, e);
}

inline int heuristic(int x, int z, int tx, int tz) { return 10 * (std::abs(x - tx) + std::abs(z - tz)); }

// The steps of a move mask (AStMoves): bit j for the neighbour (dx, dz), in
// the order the search visits them, z outer, x inner.
constexpr int kStepDx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int kStepDz[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
constexpr int kStepOffset[8] = {-gMapH - 1, -1, gMapH - 1, -gMapH, gMapH, -gMapH + 1, 1, gMapH + 1};
constexpr int kStepCost[8] = {14, 10, 14, 10, 10, 14, 10, 14};

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

  const unsigned char* moves = AStMoves(layer);  // valid: the target passed

  pathLength[slot] = 0;
  pathLocation[slot] = 0;
  const int startC = startX * gMapH + startZ;
  const int targetC = targetX * gMapH + targetZ;
  cells[startC].g = 0;
  int count = 1;
  heapPlace(1, Entry(0, startC));

  bool ok = false;
  int expanded = 0;
  while (count > 0) {
    const int pc = Cof(heap[1]);
    cells[pc].mark = closedM;
    ++expanded;
    popRoot(count);

    const int px = pc / gMapH;
    const int pz = pc - px * gMapH;
    const int pg = cells[pc].g;
    const unsigned open = moves[pc];
    // One step to neighbour J, unrolled with its constants: a corridor search
    // is one long chain of expansions, each waiting for the one before.
    auto step = [&](auto J) {
      constexpr int j = decltype(J)::value;
      if (!(open & 1u << j)) return;
      const int c = pc + kStepOffset[j];
      t_AStCell& cell = cells[c];
      if (cell.mark == closedM) return;
      const int g = pg + kStepCost[j];
      if (cell.mark != openM) {
        cell.mark = openM;
        cell.g = g;
        parentOf[c] = pc;
        bubbleUp<false>(++count, g + heuristic(px + kStepDx[j], pz + kStepDz[j], targetX, targetZ), c);
      } else if (g < cell.g) {
        cell.g = g;
        parentOf[c] = pc;
        bubbleUp<true>(posOf[c], g + heuristic(px + kStepDx[j], pz + kStepDz[j], targetX, targetZ), c);
      }
    };
    step(std::integral_constant<int, 0>{});
    step(std::integral_constant<int, 1>{});
    step(std::integral_constant<int, 2>{});
    step(std::integral_constant<int, 3>{});
    step(std::integral_constant<int, 4>{});
    step(std::integral_constant<int, 5>{});
    step(std::integral_constant<int, 6>{});
    step(std::integral_constant<int, 7>{});
    if (cells[targetC].mark == openM) {
      ok = true;
      break;
    }
  }
  AStExpansions = expanded;
  if (!ok) return nonexistent;

  // Walk back from the target, filling the bank from its end, then move the
  // cells to its front: they are then in path order.
  int* bank = pathBank[slot];
  int k = kPathBankCells;
  for (int c = targetC; c != startC && k > 0; c = parentOf[c]) {
    --k;
    const int x = c / gMapH;
    bank[2 * k] = x;
    bank[2 * k + 1] = c - x * gMapH;
  }
  const int n = kPathBankCells - k;
  std::memmove(bank, bank + 2 * k, sizeof(int) * 2 * n);
  pathLength[slot] = n;
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
