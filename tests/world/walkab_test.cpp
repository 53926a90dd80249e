// Walkability layers and the occupancy of standing objects.
#include <gtest/gtest.h>

#include <random>

#include "world/world.h"

class WalkabTest : public ::testing::Test {
 protected:
  void SetUp() override { walkabil_Init(); }
  void TearDown() override { walkabil_Init(); }
};

TEST_F(WalkabTest, LayersOutsideOneToFiveAndCellsOffTheGridAreClosed) {
  EXPECT_EQ(AStUnWalkable(1, 5, 5), 0);
  EXPECT_EQ(AStUnWalkable(0, 5, 5), 1);
  EXPECT_EQ(AStUnWalkable(6, 5, 5), 1);
  EXPECT_EQ(AStUnWalkable(1, -1, 5), 1);
  EXPECT_EQ(AStUnWalkable(1, 5, 200), 1);
  EXPECT_EQ(walkabAdr(199, 0), 1);
  EXPECT_EQ(walkabAdr(200, 0), 0);
}

TEST_F(WalkabTest, EachGridClosesItsLayers) {
  walkab3(7, 8, 1);
  for (int l = 1; l <= 5; ++l) EXPECT_EQ(AStUnWalkable(l, 7, 8), l == 3) << l;
  walkab3(7, 8, 2);  // only a byte of exactly 1 closes a layer
  EXPECT_EQ(AStUnWalkable(3, 7, 8), 0);
  walkab1(900, 8, 1);  // ignored off the grid

  walkabLand(1, 1, 1);
  EXPECT_EQ(AStUnWalkable(1, 1, 1), 0);
  for (int l = 2; l <= 5; ++l) EXPECT_EQ(AStUnWalkable(l, 1, 1), 1) << l;
  walkabAirLand(2, 2, 1);
  for (int l = 1; l <= 5; ++l) EXPECT_EQ(AStUnWalkable(l, 2, 2), 1) << l;
}

TEST_F(WalkabTest, OccupancyKinds) {
  // Ground and layer-1 objects share a tile; two of one kind do not.
  EXPECT_EQ(walkabLand(4, 4, 1), 1);
  EXPECT_EQ(walkabAir(4, 4, 1), 1);
  EXPECT_EQ(walkabLand(4, 4, 1), 0);
  EXPECT_EQ(walkabAir(4, 4, 1), 0);
  EXPECT_EQ(walkabAirLand(4, 4, 1), 0);
  // A full registration needs the tile free in all three grids and then
  // refuses every later one.
  EXPECT_EQ(walkabAirLand(5, 5, 1), 1);
  EXPECT_EQ(walkabAir(5, 5, 1), 0);
  EXPECT_EQ(walkabLand(5, 5, 1), 0);
  EXPECT_EQ(walkabAirLand(5, 5, 1), 0);
  EXPECT_EQ(walkabAirLand(5, 5, 0), 1);
  EXPECT_EQ(walkabAir(5, 5, 1), 1);
  EXPECT_EQ(walkabLand(-1, 5, 1), 0);
  EXPECT_EQ(walkabLand(-1, 5, 0), 0);
}

TEST_F(WalkabTest, CornerRule) {
  int layer = 1, x = 4, z = 4, px = 5, pz = 5;
  EXPECT_EQ(AStCornMoveBlok(layer, x, z, px, pz), 0);
  walkab1(4, 5, 1);  // (px - 1, pz)
  EXPECT_EQ(AStCornMoveBlok(layer, x, z, px, pz), 1);
  int ox = 4, oz = 5;  // orthogonal steps are never refused here
  EXPECT_EQ(AStCornMoveBlok(layer, ox, oz, px, pz), 0);
  int x2 = 6, z2 = 6;
  walkab1(5, 6, 1);  // (px, pz + 1)
  EXPECT_EQ(AStCornMoveBlok(layer, x2, z2, px, pz), 1);
  int x3 = 6, z3 = 4;
  EXPECT_EQ(AStCornMoveBlok(layer, x3, z3, px, pz), 0);
}

TEST_F(WalkabTest, RegisteringAndReleasingTiles) {
  int index = 5, tile = -1;
  vec3 p(205.0f, 0.0f, 45.0f);  // column 10, row 2
  LandsRootFrCoord(index, tile, p, 0);
  EXPECT_EQ(tile, 2 * 200 + 10);
  EXPECT_EQ(index, 5);
  EXPECT_EQ(walkability2345Land[10][2], 1);
  EXPECT_EQ(AStUnWalkable(2, 10, 2), 1);

  int t2 = -1;
  LandsRootFrCoord(index, t2, p, 0);  // taken
  EXPECT_EQ(t2, -1);
  LandsRootFrCoord(index, t2, p, 1);  // a layer-1 object may share it
  EXPECT_EQ(t2, tile);
  int t3 = -1;
  LandsRootFrCoord(index, t3, vec3(-30.0f, 0.0f, 45.0f), 2);  // off the map
  EXPECT_EQ(t3, -1);

  int held = tile;
  LandsRootFrCoord(index, held, vec3(505.0f, 0.0f, 505.0f), 0);  // already registered
  EXPECT_EQ(held, tile);

  // Releasing with another kind clears that grid and leaves the first mark.
  PlitHold_DeReg(index, tile, 1);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(tile, -1);
  EXPECT_EQ(walkability[10][2], 0);
  EXPECT_EQ(walkability2345Land[10][2], 1);
  int bad = 40000;
  PlitHold_DeReg(index, bad, 0);
  EXPECT_EQ(bad, 40000);
}

// The search's move masks follow every kind of write.
TEST_F(WalkabTest, MoveMasksFollowEveryWrite) {
  std::mt19937 rng(42);
  auto check = [] {
    for (int layer = 1; layer <= 5; ++layer) {
      const unsigned char* m = AStMoves(layer);
      for (int x = 0; x < 200; ++x) {
        for (int z = 0; z < 200; ++z) {
          unsigned want = 0;
          int j = 0;
          for (int dz = -1; dz <= 1; ++dz) {
            for (int dx = -1; dx <= 1; ++dx) {
              if (!dx && !dz) continue;
              int nx = x + dx, nz = z + dz, l = layer, px = x, pz = z;
              if (!AStUnWalkable(layer, nx, nz) && !AStCornMoveBlok(l, nx, nz, px, pz)) want |= 1u << j;
              ++j;
            }
          }
          ASSERT_EQ(m[x * 200 + z], want) << "layer " << layer << " at " << x << "," << z;
        }
      }
    }
  };
  check();
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 4000; ++i) {
      int x = int(rng() % 200), z = int(rng() % 200), v = int(rng() % 3);
      switch (rng() % 4) {
        case 0: walkabSet(1 + int(rng() % 5), x, z, v); break;
        case 1: walkabAir(x, z, v); break;
        case 2: walkabLand(x, z, v); break;
        default: walkabAirLand(x, z, v); break;
      }
    }
    check();
    if (HasFatalFailure()) return;
  }
  walkabil_Init();
  check();
  EXPECT_EQ(AStMoves(0), nullptr);
  EXPECT_EQ(AStMoves(6), nullptr);
}
