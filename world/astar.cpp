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

// A cell as the search carries it: grid index (x * 200 + z, as the grids)
// << 16 | x << 8 | z. Neither the index nor the coordinates then cost a
// division, and a neighbour is one addition away (no field borrows from
// another, neighbours being on the grid).
inline uint32_t Pack(int x, int z) {
  return static_cast<uint32_t>(x * gMapH + z) << 16 | static_cast<uint32_t>(x) << 8 | static_cast<uint32_t>(z);
}
inline std::size_t GridOf(uint32_t p) { return p >> 16; }
inline std::size_t XOf(uint32_t p) { return p >> 8 & 0xff; }
inline std::size_t ZOf(uint32_t p) { return p & 0xff; }

// The steps of a move mask (AStMoves): bit j for the neighbour (dx, dz), in
// the order the search visits them, z outer, x inner.
constexpr int kStepDx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int kStepDz[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
constexpr int kStepCost[8] = {14, 10, 14, 10, 10, 14, 10, 14};
constexpr int Offset(int j) { return kStepDx[j] * gMapH + kStepDz[j]; }

// The open list holds entries F << 32 | packed cell. A neighbour's entry
// minus its parent's is, in the F half, the step's cost plus the change of
// H, which depends only on the step and on which side of the target (below,
// level, above: sx, sz) the parent lies on each axis; in the cell half, the
// step in packed form. At 24 * (sx + 1) + 8 * (sz + 1) + step.
struct alignas(64) t_EntryStep {
  uint64_t d[3 * 3 * 8];
};
constexpr int HChange(int side, int d) { return side == 0 ? 10 * (d != 0) : 10 * d * (side > 0 ? 1 : -1); }
constexpr t_EntryStep MakeEntryStep() {
  t_EntryStep t{};
  for (int sx = -1; sx <= 1; ++sx)
    for (int sz = -1; sz <= 1; ++sz)
      for (int j = 0; j < 8; ++j) {
        const int64_t df = kStepCost[j] + HChange(sx, kStepDx[j]) + HChange(sz, kStepDz[j]);
        const int64_t dp = Offset(j) * 65536 + kStepDx[j] * 256 + kStepDz[j];
        t.d[24 * (sx + 1) + 8 * (sz + 1) + j] = static_cast<uint64_t>(df * (int64_t{1} << 32) + dp);
      }
  return t;
}
constexpr t_EntryStep kEntryStep = MakeEntryStep();

inline int Fof(uint64_t e) { return static_cast<int>(e >> 32); }
inline uint64_t Entry(int f, uint32_t p) { return static_cast<uint64_t>(f) << 32 | p; }

constexpr int kCells = gMapW * gMapH;

// All working state, in one block that one base register reaches.
struct alignas(64) t_AStWork {
  // Per cell by grid index: the marker (open or closed marker of a search,
  // or stale) and F. G + H = F with the same H, so comparing F compares G.
  struct Cell {
    int32_t mark;
    int32_t f;
  } cells[kCells];
  // Per cell: the grid indices of the cells the path back to the start
  // passes, four of 16 bits from the parent on. Each is closed, so none of
  // them changes; the walk back takes four steps a load.
  uint64_t up[kCells];
  int32_t posOf[kCells];  // heap position of each open cell
  // The open list: a 1-based binary heap on F. Keeping each open cell's
  // position makes a cost decrease O(log n) with the same heap order a scan
  // for the cell would give.
  uint64_t heap[kCells + 2];
  // Per search: the side of the target a row lies on, as an offset into
  // kEntryStep: 24 * (sx + 1) at [x], 8 * (sz + 1) at [256 + z].
  uint32_t side[512];
};
t_AStWork W;

inline void heapPlace(int pos, uint64_t e) {
  W.heap[pos] = e;
  W.posOf[GridOf(static_cast<uint32_t>(e))] = pos;
}

// Moves an item up past parents of higher F (Strict) or of higher or equal F;
// root := the item when it gets there.
template <bool Strict>
inline void bubbleUp(int pos, uint64_t e, uint64_t& root) {
  const int f = Fof(e);
  while (pos != 1) {
    const int up = pos >> 1;
    const uint64_t eu = W.heap[up];
    if (Strict ? f >= Fof(eu) : f > Fof(eu)) break;
    heapPlace(pos, eu);
    pos = up;
  }
  heapPlace(pos, e);
  if (pos == 1) root = e;
}

// Moves the last item to the root and sinks it: at u the left child is taken
// when F(u) >= F(left), then the right one when F(chosen) >= F(right). The
// quit flag stops the sink after one step. root := the new root.
inline void popRoot(int& count, uint64_t& root) {
  --count;
  if (count == 0) return;
  const uint64_t e = W.heap[count + 1];
  const int f = Fof(e);
  const bool quit = Main_Done != 0;
  int u = 1;
  for (;;) {
    const int l = 2 * u;
    int v = u;
    int fv = f;
    if (l + 1 <= count) {
      if (fv >= Fof(W.heap[l])) v = l, fv = Fof(W.heap[l]);
      if (fv >= Fof(W.heap[l + 1])) v = l + 1;
    } else if (l <= count) {
      if (fv >= Fof(W.heap[l])) v = l;
    }
    if (v == u) break;
    heapPlace(u, W.heap[v]);
    u = v;
    if (quit) break;
  }
  heapPlace(u, e);
  root = W.heap[1];
}

}  // namespace

void InitPathfinder() {}
void EndPathfinder() {}

// Aligned so that its loops sit the same way in every build.
[[gnu::aligned(64)]] int FindPath(int layer, int slot, int sx, int sz, int tx, int tz) {
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
    for (auto& c : W.cells) c.mark = 0;
    onClosedList = 10;
  }
  onClosedList += 2;
  const int closedM = onClosedList;
  const int openM = onClosedList - 1;

  const unsigned char* moves = AStMoves(layer);  // valid: the target passed
  for (int i = 0; i < gMapW; ++i) W.side[i] = i < targetX ? 0 : i == targetX ? 24 : 48;
  for (int i = 0; i < gMapH; ++i) W.side[256 + i] = i < targetZ ? 0 : i == targetZ ? 8 : 16;

  pathLength[slot] = 0;
  pathLocation[slot] = 0;
  const uint32_t startP = Pack(startX, startZ);
  const int32_t& targetMark = W.cells[targetX * gMapH + targetZ].mark;
  int count = 1;
  // The root entry is kept in a register as well: in a corridor each
  // expansion pushes the next one's cell, and the chain from one to the next
  // then need not wait on memory.
  uint64_t root = Entry(10 * (std::abs(startX - targetX) + std::abs(startZ - targetZ)), startP);
  heapPlace(1, root);

  bool ok = false;
  int expanded = 0;
  while (count > 0) {
    const uint64_t top = root;
    const uint32_t p = static_cast<uint32_t>(top);
    const std::size_t pc = GridOf(p);
    W.cells[pc].mark = closedM;
    ++expanded;
    popRoot(count, root);

    const uint64_t* const de = kEntryStep.d + W.side[XOf(p)] + W.side[256 + ZOf(p)];
    const uint64_t up = W.up[pc] << 16 | pc;
    const unsigned open = moves[pc];
    // One step to neighbour J, unrolled with its constants.
    auto step = [&](auto J) {
      constexpr int j = decltype(J)::value;
      if (!(open & 1u << j)) return;
      const std::size_t c = pc + Offset(j);
      t_AStWork::Cell& cell = W.cells[c];
      if (cell.mark == closedM) return;
      const uint64_t e = top + de[j];
      if (cell.mark != openM) {
        cell.mark = openM;
        cell.f = Fof(e);
        W.up[c] = up;
        if (++count == 1) {  // into an empty heap, as along a corridor
          W.heap[1] = e;
          W.posOf[c] = 1;
          root = e;
        } else {
          bubbleUp<false>(count, e, root);
        }
      } else if (Fof(e) < cell.f) {
        cell.f = Fof(e);
        W.up[c] = up;
        bubbleUp<true>(W.posOf[c], e, root);
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
    if (targetMark == openM) {
      ok = true;
      break;
    }
  }
  AStExpansions = expanded;
  if (!ok) return nonexistent;

  // Walk back from the target, filling the bank from its end, then move the
  // cells to its front: they are then in path order. Four cells a load: the
  // cell and the first three it came from, the fourth being the next cell.
  int* bank = pathBank[slot];
  int k = kPathBankCells;
  const uint32_t startC = GridOf(startP);
  auto put = [&](uint32_t c) {
    if (c == startC || k == 0) return false;
    --k;
    const uint32_t x = c / gMapH;
    bank[2 * k] = static_cast<int>(x);
    bank[2 * k + 1] = static_cast<int>(c - x * gMapH);
    return true;
  };
  for (uint32_t c = targetX * gMapH + targetZ; put(c);) {
    const uint64_t up = W.up[c];
    if (!put(up & 0xffff) || !put(up >> 16 & 0xffff) || !put(up >> 32 & 0xffff)) break;
    c = static_cast<uint32_t>(up >> 48);
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
