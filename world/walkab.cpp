#include "world/walkab.h"

#include <cstring>

#include "world/plit.h"

namespace {

constexpr int kCells = gMapW * gMapH;
constexpr int kLayers = 5;

unsigned char grids[7][gMapW][gMapH];  // layers 1..5, ground and full occupancy
enum { kLand = 5, kFull = 6 };

// Derived per layer: whether each cell is closed, and the steps open from it.
unsigned char shut[kLayers][kCells];
unsigned char moves[kLayers][kCells];

int closedNow(int layer, int x, int z) {
  return grids[layer - 1][x][z] == 1 || (layer >= 2 && grids[kLand][x][z] == 1) ||
         grids[kFull][x][z] != 0;
}

int shutAt(int l, int x, int z) { return walkabAdr(x, z) ? shut[l][x * gMapH + z] : 1; }

void computeMoves(int l, int x, int z) {
  unsigned s = 0;
  for (int k = 0; k < 9; ++k) s |= static_cast<unsigned>(shutAt(l, x + k % 3 - 1, z + k / 3 - 1)) << k;
  const unsigned s1 = s >> 1 & 1, s3 = s >> 3 & 1, s5 = s >> 5 & 1, s7 = s >> 7 & 1;
  s |= (s1 | s3) | (s1 | s5) << 2 | (s3 | s7) << 6 | (s5 | s7) << 8 | 1u << 4;
  moves[l][x * gMapH + z] = static_cast<unsigned char>((~s & 0xF) | (~s >> 1 & 0xF0));
}

int bulkDepth = 0;   // inside walkabBulkBegin/End
bool stale = false;  // writes were made in bulk; masks are rebuilt when next read

// Cells written since the masks were last brought up to date. A write only
// notes its cell; when the masks are next read, the cells whose closed state
// really changed get the masks around them recomputed. An object that leaves
// a tile and takes it again in between costs nothing.
unsigned char dirtyFlag[kCells];
int32_t dirtyList[kCells];
int dirtyCount = 0;

void refresh(int x, int z) {
  if (bulkDepth > 0) {
    stale = true;
    return;
  }
  if (stale) return;  // everything is rebuilt anyway
  const int i = x * gMapH + z;
  if (dirtyFlag[i]) return;
  dirtyFlag[i] = 1;
  dirtyList[dirtyCount++] = i;
}

void clearDirty() {
  for (int k = 0; k < dirtyCount; ++k) dirtyFlag[dirtyList[k]] = 0;
  dirtyCount = 0;
}

// The masks of the layers whose closed state changed at a noted cell: that
// cell and its eight neighbours.
void flushDirty() {
  for (int k = 0; k < dirtyCount; ++k) {
    const int i = dirtyList[k];
    dirtyFlag[i] = 0;
    const int x = i / gMapH, z = i % gMapH;
    for (int l = 0; l < kLayers; ++l) {
      const unsigned char now = static_cast<unsigned char>(closedNow(l + 1, x, z));
      if (shut[l][i] == now) continue;
      shut[l][i] = now;
      for (int dx = -1; dx <= 1; ++dx)
        for (int dz = -1; dz <= 1; ++dz)
          if (walkabAdr(x + dx, z + dz)) computeMoves(l, x + dx, z + dz);
    }
  }
  dirtyCount = 0;
}

void rebuildAll() {
  stale = false;
  clearDirty();
  for (int layer = 1; layer <= kLayers; ++layer) {
    for (int x = 0; x < gMapW; ++x)
      for (int z = 0; z < gMapH; ++z)
        shut[layer - 1][x * gMapH + z] = static_cast<unsigned char>(closedNow(layer, x, z));
    for (int x = 0; x < gMapW; ++x)
      for (int z = 0; z < gMapH; ++z) computeMoves(layer - 1, x, z);
  }
}

// The masks of grids with nothing closed, the same for every layer.
unsigned char openMoves[kCells];

struct InitialMoves {
  InitialMoves() {
    rebuildAll();
    std::memcpy(openMoves, moves[0], sizeof openMoves);
  }
} initialMoves;

// Marks or clears one occupancy byte. A new mark is refused when the byte or
// the full-occupancy byte is already set, and, as asked, when the layer-1 or
// the ground byte is.
int occupy(int grid, int x, int z, int set, bool byLayer1, bool byLand) {
  if (!walkabAdr(x, z)) return 0;
  unsigned char& b = grids[grid][x][z];
  if (set == 0) {
    b = 0;
  } else {
    if (b != 0 || grids[kFull][x][z] != 0) return 0;
    if (byLayer1 && grids[0][x][z] != 0) return 0;
    if (byLand && grids[kLand][x][z] != 0) return 0;
    b = 1;
  }
  refresh(x, z);
  return 1;
}

int occupyKind(int x, int z, int set, int kind) {
  if (kind == 2) return walkabAirLand(x, z, set);
  if (kind == 1) return walkabAir(x, z, set);
  return walkabLand(x, z, set);
}

}  // namespace

const unsigned char (&walkability)[gMapW][gMapH] = grids[0];
const unsigned char (&walkability2)[gMapW][gMapH] = grids[1];
const unsigned char (&walkability3)[gMapW][gMapH] = grids[2];
const unsigned char (&walkability4)[gMapW][gMapH] = grids[3];
const unsigned char (&walkability5)[gMapW][gMapH] = grids[4];
const unsigned char (&walkability2345Land)[gMapW][gMapH] = grids[kLand];
const unsigned char (&walkabilityAirLand)[gMapW][gMapH] = grids[kFull];

void walkabil_Init() {
  std::memset(grids, 0, sizeof grids);
  std::memset(shut, 0, sizeof shut);
  for (unsigned char* m : moves) std::memcpy(m, openMoves, sizeof openMoves);
  stale = false;
  clearDirty();
}

const unsigned char (*walkabLayer(int layer))[gMapH] {
  return layer >= 1 && layer <= kLayers ? grids[layer - 1] : nullptr;
}

void walkabBulkBegin() { ++bulkDepth; }

void walkabBulkEnd() {
  if (bulkDepth > 0) --bulkDepth;
}

const unsigned char* AStMoves(int layer) {
  if (stale) rebuildAll();
  else flushDirty();
  return layer >= 1 && layer <= kLayers ? moves[layer - 1] : nullptr;
}

void walkabSet(int layer, int x, int z, int value) {
  if (layer < 1 || layer > kLayers || !walkabAdr(x, z)) return;
  grids[layer - 1][x][z] = static_cast<unsigned char>(value);
  refresh(x, z);
}

void walkab1(int x, int z, int value) { walkabSet(1, x, z, value); }
void walkab2(int x, int z, int value) { walkabSet(2, x, z, value); }
void walkab3(int x, int z, int value) { walkabSet(3, x, z, value); }
void walkab4(int x, int z, int value) { walkabSet(4, x, z, value); }
void walkab5(int x, int z, int value) { walkabSet(5, x, z, value); }

int walkabAir(int x, int z, int set) { return occupy(0, x, z, set, false, false); }
int walkabLand(int x, int z, int set) { return occupy(kLand, x, z, set, false, false); }
int walkabAirLand(int x, int z, int set) { return occupy(kFull, x, z, set, true, true); }

int AStCornMoveBlok(int& layer, int& x, int& z, int& parentX, int& parentZ) {
  int dx = x - parentX;
  int dz = z - parentZ;
  if (dx == 0 || dz == 0) return 0;
  return AStUnWalkable(layer, parentX + dx, parentZ) || AStUnWalkable(layer, parentX, parentZ + dz);
}

void LandsRootFrCoord(int& ignored, int& tile, vec3 p, int kind) {
  (void)ignored;
  if (tile != -1) return;
  int i = PlitHold.YchFrCoord(p.x, p.z);
  if (i < 0 || i >= kCells) return;
  if (occupyKind(i % gMapW, i / gMapW, 1, kind)) tile = i;
}

void PlitHold_DeReg(int& index, int& tile, int kind) {
  if (tile < 0 || tile >= kCells) return;
  occupyKind(tile % gMapW, tile / gMapW, 0, kind);
  index = -1;
  tile = -1;
}

void LandsRoot_SetPlit(vec3 p, int type) {
  int i = PlitHold.YchFrCoord(p.x, p.z);
  if (i < 0) return;
  if (type == -1) {
    PlitHold.PlitSetY(i, p.y, 1);
    return;
  }
  PlitHold.PlitSetY(i, p.y, 0);
  PlitHold.SetOnlyType(i, type);
  PlitHold.SetUVSlo2(i, type, 0, 0, 0);
}
