#include "world/walkab.h"

#include <cstring>

#include "world/plit.h"

unsigned char walkability[gMapW][gMapH];
unsigned char walkability2[gMapW][gMapH];
unsigned char walkability3[gMapW][gMapH];
unsigned char walkability4[gMapW][gMapH];
unsigned char walkability5[gMapW][gMapH];
unsigned char walkability2345Land[gMapW][gMapH];
unsigned char walkabilityAirLand[gMapW][gMapH];

void walkabil_Init() {
  std::memset(walkability, 0, sizeof walkability);
  std::memset(walkability2, 0, sizeof walkability2);
  std::memset(walkability3, 0, sizeof walkability3);
  std::memset(walkability4, 0, sizeof walkability4);
  std::memset(walkability5, 0, sizeof walkability5);
  std::memset(walkability2345Land, 0, sizeof walkability2345Land);
  std::memset(walkabilityAirLand, 0, sizeof walkabilityAirLand);
}

unsigned char (*walkabLayer(int layer))[gMapH] {
  switch (layer) {
    case 1: return walkability;
    case 2: return walkability2;
    case 3: return walkability3;
    case 4: return walkability4;
    case 5: return walkability5;
    default: return nullptr;
  }
}

namespace {

void store(int layer, int x, int z, int value) {
  if (walkabAdr(x, z)) walkabLayer(layer)[x][z] = static_cast<unsigned char>(value);
}

// Marks or clears one occupancy byte. A new mark is refused when the byte or
// the full-occupancy byte is already set, and, as asked, when the layer-1 or
// the ground byte is.
int occupy(unsigned char (&grid)[gMapW][gMapH], int x, int z, int set, bool byLayer1, bool byLand) {
  if (!walkabAdr(x, z)) return 0;
  if (set == 0) {
    grid[x][z] = 0;
    return 1;
  }
  if (grid[x][z] != 0 || walkabilityAirLand[x][z] != 0) return 0;
  if (byLayer1 && walkability[x][z] != 0) return 0;
  if (byLand && walkability2345Land[x][z] != 0) return 0;
  grid[x][z] = 1;
  return 1;
}

int occupyKind(int x, int z, int set, int kind) {
  if (kind == 2) return walkabAirLand(x, z, set);
  if (kind == 1) return walkabAir(x, z, set);
  return walkabLand(x, z, set);
}

}  // namespace

void walkab1(int x, int z, int value) { store(1, x, z, value); }
void walkab2(int x, int z, int value) { store(2, x, z, value); }
void walkab3(int x, int z, int value) { store(3, x, z, value); }
void walkab4(int x, int z, int value) { store(4, x, z, value); }
void walkab5(int x, int z, int value) { store(5, x, z, value); }

int walkabAir(int x, int z, int set) { return occupy(walkability, x, z, set, false, false); }
int walkabLand(int x, int z, int set) { return occupy(walkability2345Land, x, z, set, false, false); }
int walkabAirLand(int x, int z, int set) {
  return occupy(walkabilityAirLand, x, z, set, true, true);
}

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
  if (i < 0 || i >= gMapW * gMapH) return;
  if (occupyKind(i % gMapW, i / gMapW, 1, kind)) tile = i;
}

void PlitHold_DeReg(int& index, int& tile, int kind) {
  if (tile < 0 || tile >= gMapW * gMapH) return;
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
