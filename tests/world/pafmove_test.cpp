// Path following: waiting on a blocked cell, re-planning, the cell store and
// its 470-byte record.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "tests/world/astar_maps.h"
#include "ui/ui.h"
#include "world/world.h"

using astmaps::W;

namespace {

class PafMoveTest : public ::testing::Test {
 protected:
  t_PafMove1 pm;
  void SetUp() override {
    walkabil_Init();
    GFrameTime = 100;
    pathStatus[0] = pathLength[0] = pathLocation[0] = 0;
  }
  void TearDown() override {
    walkabil_Init();
    GFrameTime = 1;
  }
  std::vector<std::pair<int, int>> Cells() const {
    std::vector<std::pair<int, int>> r;
    for (int k = 0; k < pm.count; ++k) r.push_back({pm.kle[k][0], pm.kle[k][1]});
    return r;
  }
};

// Drives a mover the way the unit types do: steer to the waypoint, advance
// within 8 units, until the follower holds no path or the ticks run out.
struct Mover {
  float x, z;
  int ticks = 0;
  void Run(t_PafMove1& pm, int tx, int tz, int layer, int maxTicks) {
    for (; ticks < maxTicks && pm.onPath; ++ticks) {
      pm.Upd();
      if (pm.RootBreak(int(x), int(z), tx, tz, layer, 4200)) continue;
      float dx = pm.wayPoint.x - x, dz = pm.wayPoint.z - z;
      float d = std::sqrt(dx * dx + dz * dz);
      float s = std::min(d, 6.0f);
      if (d > 0) {
        x += dx / d * s;
        z += dz / d * s;
      }
      if (std::fabs(pm.wayPoint.x - x) < 8 && std::fabs(pm.wayPoint.z - z) < 8) pm.OnToch();
    }
  }
};

}  // namespace

TEST_F(PafMoveTest, ANewPathHandsOutItsFirstCell) {
  pm.RePath(1, W(5), W(0), W(5), W(6), 1);
  EXPECT_EQ(pm.onPath, 1);
  EXPECT_EQ(pm.count, 6);
  EXPECT_EQ(pm.step, 1);
  EXPECT_EQ(pm.state, 0);
  EXPECT_FLOAT_EQ(pm.wayPoint.x, 110.0f);
  EXPECT_FLOAT_EQ(pm.wayPoint.z, 30.0f);
  EXPECT_EQ(pathStatus[0], found);
}

TEST_F(PafMoveTest, MoverReachesItsTarget) {
  astmaps::Random(2, 0.15, 3);
  for (auto [x, z] : {std::pair{20, 20}, std::pair{150, 170}}) {
    walkab2(x, z, 0);
    walkabLand(x, z, 0);
    walkabAirLand(x, z, 0);
  }
  Mover m{float(W(20)), float(W(20))};
  pm.RePath(1, W(20), W(20), W(150), W(170), 2);
  ASSERT_EQ(pm.onPath, 1);
  m.Run(pm, W(150), W(170), 2, 20000);
  EXPECT_EQ(pm.onPath, 0);
  EXPECT_EQ(int(m.x) / 20, 150);
  EXPECT_EQ(int(m.z) / 20, 170);
}

TEST_F(PafMoveTest, PathLongerThanTheStoreIsWalkedToTheEnd) {
  // A wall makes the way about 250 cells long; the store keeps 201 of them.
  for (int z = 0; z <= 120; ++z) walkab1(100, z, 1);
  pm.RePath(1, W(95), W(0), W(105), W(0), 1);
  ASSERT_EQ(pm.onPath, 1);
  EXPECT_EQ(pm.count, t_PafMove1::kCells);
  EXPECT_EQ(pm.cutTail, 1);
  Mover m{float(W(95)), float(W(0))};
  m.Run(pm, W(105), W(0), 1, 40000);
  EXPECT_EQ(pm.onPath, 0);
  EXPECT_EQ(int(m.x) / 20, 105);
  EXPECT_EQ(int(m.z) / 20, 0);
}

TEST_F(PafMoveTest, StoreEndsInARePlanNotAStop) {
  astmaps::Serpentine(1);
  pm.RePath(1, W(0), W(0), W(0), W(198), 1);
  ASSERT_EQ(pathLength[0] > 201, true);
  for (int i = 0; i < 200; ++i) pm.OnToch();
  EXPECT_EQ(pm.step, 201);
  EXPECT_EQ(pm.state, 1);
  pm.OnToch();  // past the last stored cell
  EXPECT_EQ(pm.onPath, 1);
  EXPECT_EQ(pm.state, 2);
  EXPECT_EQ(pm.RootBreak(W(pm.kle[200][0]), W(pm.kle[200][1]), W(0), W(198), 1, 4200), 1);
  EXPECT_EQ(pm.state, 0);
  EXPECT_EQ(pm.step, 1);
  EXPECT_EQ(pm.count, 201);
}

TEST_F(PafMoveTest, WaitsOnABlockedCellThenRePlans) {
  pm.RePath(1, W(5), W(0), W(5), W(10), 1);
  ASSERT_EQ(pm.count, 10);
  EXPECT_EQ(pm.RootBreak(W(5), W(0), W(5), W(10), 1, 4200), 0);
  pm.OnToch();  // at cell 0; heading for cell 1
  EXPECT_EQ(pm.state, 1);
  walkab1(5, 2, 1);  // cell 1 gets taken
  EXPECT_EQ(pm.RootBreak(W(5), W(1), W(5), W(10), 1, 4200), 1);
  EXPECT_EQ(pm.wait, 4200);
  EXPECT_EQ(pm.zanX, 5);
  EXPECT_EQ(pm.zanZ, 2);
  for (int i = 0; i < 41; ++i) {
    pm.Upd();
    EXPECT_EQ(pm.RootBreak(W(5), W(1), W(5), W(10), 1, 4200), 1);
  }
  EXPECT_EQ(pm.wait, 100);
  EXPECT_EQ(pm.state, 1);
  pm.Upd();  // the wait runs out
  EXPECT_EQ(pm.wait, 0);
  EXPECT_EQ(pm.state, 2);
  EXPECT_EQ(pm.RootBreak(W(5), W(1), W(5), W(10), 1, 4200), 1);
  EXPECT_EQ(pm.state, 0);
  for (auto [x, z] : Cells()) EXPECT_FALSE(x == 5 && z == 2);

  // The taken cell clears: the follower plans again at once.
  walkab1(5, 2, 0);
  pathStatus[0] = 99;
  pm.RootBreak(W(5), W(1), W(5), W(10), 1, 4200);
  EXPECT_EQ(pathStatus[0], found);
  EXPECT_EQ(pm.zanX, -1);
  EXPECT_EQ(pm.zanZ, -1);
}

TEST_F(PafMoveTest, ShortPathsNeverWait) {
  pm.RePath(1, W(5), W(0), W(5), W(2), 1);
  ASSERT_EQ(pm.count, 2);
  pm.OnToch();
  walkab1(5, 1, 1);
  walkab1(5, 2, 1);
  // Two cells whose next one is taken: the path shortens instead.
  EXPECT_EQ(pm.RootBreak(W(5), W(0), W(5), W(2), 1, 4200), 1);
  EXPECT_EQ(pm.count, 1);
  EXPECT_EQ(pm.wait, 0);
  EXPECT_EQ(pm.RootBreak(W(5), W(0), W(5), W(2), 1, 4200), 0);
  EXPECT_EQ(pm.wait, 0);
  pm.OnToch();
  EXPECT_EQ(pm.onPath, 0);
}

TEST_F(PafMoveTest, ForcedAndUnforcedReplanning) {
  pm.RePath(1, W(5), W(0), W(5), W(6), 1);
  ASSERT_EQ(pm.count, 6);
  // Unforced, a new path as long as the rest of the held one keeps it: six
  // cells to (4, 6) against the held six to (5, 6).
  pm.RePath(0, W(5), W(0), W(4), W(6), 1);
  EXPECT_EQ(pm.count, 6);
  EXPECT_EQ(pm.kle[5][0], 5);
  pm.RePath(0, W(5), W(0), W(4), W(7), 1);  // a different length replaces it
  EXPECT_EQ(pm.count, 7);
  EXPECT_EQ(pm.kle[6][0], 4);
  // Forced, a found path always replaces it, even a longer one.
  pm.RePath(1, W(5), W(0), W(5), W(9), 1);
  EXPECT_EQ(pm.count, 9);
  // A failed search keeps the held path, one cell shorter.
  walkab1(5, 9, 1);
  pm.RePath(1, W(5), W(0), W(5), W(9), 1);
  EXPECT_EQ(pm.onPath, 1);
  EXPECT_EQ(pm.count, 8);
  // Without a path, a failed search leaves none.
  pm.PathStop();
  pm.RePath(1, W(5), W(0), W(5), W(9), 1);
  EXPECT_EQ(pm.onPath, 0);
}

TEST_F(PafMoveTest, StartingInTheTargetCellHoldsNoPath) {
  pm.RePath(1, W(5), W(0), W(5), W(6), 1);
  pm.PathStop();
  pm.RePath(1, W(5), W(0), W(5) + 3, W(0) - 3, 1);
  EXPECT_EQ(pm.onPath, 0);
}

TEST_F(PafMoveTest, RightAngleTurnsAreMarked) {
  // Only an L is open: (0,0) up to (0,3), then east to (3,3).
  for (int x = 0; x <= 4; ++x)
    for (int z = 0; z <= 4; ++z)
      if (!((x == 0 && z <= 3) || (z == 3 && x <= 3))) walkab1(x, z, 1);
  pm.RePath(1, W(0), W(0), W(3), W(3), 1);
  ASSERT_EQ(pm.count, 6);
  pm.krutPov = 0;
  const int want[] = {0, 2, 1, 0, 0};
  for (int w : want) {
    pm.OnToch();
    EXPECT_EQ(pm.krutPov, w) << "step " << pm.step;
  }
  EXPECT_EQ(pm.KrutPovOnPath(-1, 0, 1), 0);
  EXPECT_EQ(pm.KrutPovOnPath(0, 1, 900), 0);
}

TEST_F(PafMoveTest, RecordRoundTripsByteForByte) {
  pm.RePath(1, W(5), W(0), W(9), W(15), 1);
  pm.vec2nd = vec3(1.5f, -2.0f, 3.25f);
  pm.w0 = 77;
  pm.wait = 1234;
  pm.zanX = 4;
  pm.zanZ = 6;
  pm.w9 = -5;
  FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  pm.AddToFile(f);
  ASSERT_EQ(std::ftell(f), t_PafMove1::kRecordSize);
  std::vector<unsigned char> first(470);
  std::rewind(f);
  ASSERT_EQ(std::fread(first.data(), 1, 470, f), 470u);
  // Layout: 201 cells of two bytes, the two vectors, the eleven words.
  EXPECT_EQ(first[0], pm.kle[0][0]);
  EXPECT_EQ(first[1], pm.kle[0][1]);
  float wx;
  std::memcpy(&wx, &first[402], 4);
  EXPECT_FLOAT_EQ(wx, pm.wayPoint.x);
  int32_t words[11];
  std::memcpy(words, &first[426], 44);
  EXPECT_EQ(words[0], 77);
  EXPECT_EQ(words[1], 1);
  EXPECT_EQ(words[3], pm.count);
  EXPECT_EQ(words[4], 1234);
  EXPECT_EQ(words[9], -5);

  std::rewind(f);
  t_PafMove1 back;
  back.FromFile(f);
  FILE* g = std::tmpfile();
  back.AddToFile(g);
  std::vector<unsigned char> second(470);
  std::rewind(g);
  ASSERT_EQ(std::fread(second.data(), 1, 470, g), 470u);
  EXPECT_EQ(first, second);
  std::fclose(f);
  std::fclose(g);
  pm.FromFile(nullptr);  // nothing for a null file
  pm.AddToFile(nullptr);
}

TEST_F(PafMoveTest, HostileRecordIsBroughtIntoRange) {
  FILE* f = std::tmpfile();
  std::vector<unsigned char> junk(402, 250);
  std::fwrite(junk.data(), 1, junk.size(), f);
  float v[6] = {1, 2, 3, 4, 5, 6};
  std::fwrite(v, 4, 6, f);
  int32_t words[11] = {0, 1, -40, 5000, -300, 9, 777, -9, 42, 0, 0};
  std::fwrite(words, 4, 11, f);
  std::rewind(f);
  pm.FromFile(f);
  std::fclose(f);
  EXPECT_EQ(pm.count, 201);
  EXPECT_EQ(pm.step, 0);
  EXPECT_EQ(pm.wait, 0);
  EXPECT_EQ(pm.state, 0);
  EXPECT_EQ(pm.zanX, -1);
  EXPECT_EQ(pm.krutPov, 2);
  // Everything the follower does with it stays inside its store.
  for (int i = 0; i < 300; ++i) {
    pm.Upd();
    if (!pm.RootBreak(100, 100, 300, 300, 1, 4200)) pm.OnToch();
  }
  *o2::LandPafBoxes = 1;
  pm.onPath = 1;
  pm.DrawMetk(1, 0, 0);
  *o2::LandPafBoxes = 0;

  FILE* shortFile = std::tmpfile();
  std::fwrite(junk.data(), 1, 10, shortFile);  // truncated record
  std::rewind(shortFile);
  t_PafMove1 t;
  t.FromFile(shortFile);
  std::fclose(shortFile);
  EXPECT_LE(t.count, 201);
  EXPECT_GE(t.count, 0);
}
