// The A* search against an independent reference (Boost Graph Library) and
// against the plain form of the same algorithm, on fixed-seed maps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "shell/engine.h"
#include "tests/world/astar_literal.h"
#include "tests/world/astar_maps.h"
#include "tests/world/astar_reference.h"
#include "world/world.h"

using astmaps::Cell;
using astmaps::W;
using Path = std::vector<std::pair<int, int>>;

namespace {

int Ours(int layer, Cell s, Cell t, Path& path) {
  int r = FindPath(layer, 0, W(s.x), W(s.z), W(t.x), W(t.z));
  path.clear();
  if (r == found)
    for (int k = 0; k < pathLength[0]; ++k) path.push_back({pathBank[0][2 * k], pathBank[0][2 * k + 1]});
  return r;
}

// Checks that the path is walkable step by step and ends at the target, and
// returns its cost; -1 when it is not. Only the first bad step is reported: a
// broken search would otherwise report every step of every path.
int CheckPath(int layer, Cell s, Cell t, const Path& path) {
  int cost = 0;
  int px = s.x, pz = s.z;
  for (const auto& [x, z] : path) {
    int dx = x - px, dz = z - pz;
    const char* bad = nullptr;
    if (!(std::abs(dx) <= 1 && std::abs(dz) <= 1 && (dx || dz))) bad = "jump to ";
    else if (AStUnWalkable(layer, x, z)) bad = "closed cell ";
    else if (dx && dz && (AStUnWalkable(layer, px + dx, pz) || AStUnWalkable(layer, px, pz + dz)))
      bad = "corner cut at ";
    if (bad) {
      ADD_FAILURE() << bad << x << "," << z;
      return -1;
    }
    cost += dx && dz ? 14 : 10;
    px = x;
    pz = z;
  }
  if (!path.empty() && (px != t.x || pz != t.z)) {
    ADD_FAILURE() << "ends at " << px << "," << pz;
    return -1;
  }
  return cost;
}

class AStarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    walkabil_Init();
    Main_Done = 0;
    for (int s = 0; s < kPathSlots; ++s) pathStatus[s] = pathLocation[s] = pathLength[s] = 0;
  }
  void TearDown() override { walkabil_Init(); }

  // Runs ours and the reference on the pairs and checks everything the two
  // can be compared on.
  void Compare(int layer, const std::vector<std::pair<Cell, Cell>>& pairs, bool sameCells) {
    astref::Reference ref;
    ref.Build(layer);
    Path ours;
    for (const auto& [s, t] : pairs) {
      SCOPED_TRACE(testing::Message() << "layer " << layer << " from " << s.x << "," << s.z
                                      << " to " << t.x << "," << t.z);
      int r = Ours(layer, s, t, ours);
      astref::Result opt = ref.Search(s.x, s.z, t.x, t.z, true);
      ASSERT_EQ(r == found, opt.found);
      if (!opt.found) continue;
      int cost = CheckPath(layer, s, t, ours);
      if (cost < 0) continue;
      EXPECT_LE(cost * 7, opt.cost * 10 + 34 * 7) << "cost " << cost << " optimum " << opt.cost;
      if (sameCells) {
        EXPECT_EQ(ours, opt.cells);
      }
    }
  }

  void RandomMaps(unsigned firstSeed, unsigned lastSeed);
};

std::vector<std::pair<Cell, Cell>> Pairs(int layer, int n, unsigned seed) {
  std::vector<Cell> c = astmaps::OpenCells(layer, 2 * n, seed);
  std::vector<std::pair<Cell, Cell>> r;
  for (int i = 0; i < n; ++i) r.push_back({c[2 * i], c[2 * i + 1]});
  return r;
}

void AStarTest::RandomMaps(unsigned firstSeed, unsigned lastSeed) {
  for (unsigned seed = firstSeed; seed <= lastSeed; ++seed) {
    int layer = 1 + seed % 5;
    double share = 0.05 + 0.05 * (seed % 9);
    astmaps::Random(layer, share, seed);
    Compare(layer, Pairs(layer, 8, seed * 7919u), false);
    if (HasFatalFailure()) return;
  }
}

}  // namespace

// Random maps of 5 % to 45 % closed cells, closed in all three ways, on
// every layer: half of them in each of two tests (so both halves can run at
// once).
TEST_F(AStarTest, AgreesWithTheReferenceOnRandomMapsA) { RandomMaps(1, 80); }
TEST_F(AStarTest, AgreesWithTheReferenceOnRandomMapsB) { RandomMaps(81, 160); }

TEST_F(AStarTest, MazesWithOneWayGiveTheSameCells) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    int layer = 1 + seed % 5;
    astmaps::Maze(layer, seed);
    std::vector<std::pair<Cell, Cell>> pairs;
    std::mt19937 rng(seed);
    for (int i = 0; i < 8; ++i) {
      Cell s{2 * static_cast<int>(rng() % 100), 2 * static_cast<int>(rng() % 100)};
      Cell t{2 * static_cast<int>(rng() % 100), 2 * static_cast<int>(rng() % 100)};
      pairs.push_back({s, t});
    }
    Compare(layer, pairs, true);
    if (HasFatalFailure()) return;
  }
}

TEST_F(AStarTest, NamedMapsAgreeWithTheReference) {
  using Maker = std::pair<Cell, Cell> (*)(int);
  for (Maker make : {astmaps::WalledTarget, astmaps::UTrap, astmaps::Serpentine}) {
    auto pair = make(3);
    Compare(3, {pair}, false);
  }
  astmaps::Open();
  Compare(1, {{{0, 0}, {199, 199}}, {{199, 0}, {0, 199}}}, true);
}

TEST_F(AStarTest, WalledTargetFloodsTheWholeReachableArea) {
  auto [s, t] = astmaps::WalledTarget(1);
  Path p;
  EXPECT_EQ(Ours(1, s, t, p), nonexistent);
  EXPECT_EQ(AStExpansions, 40000 - 21 * 21);
}

TEST_F(AStarTest, SameCellsAsThePlainAlgorithm) {
  astlit::Search plain;
  for (unsigned seed = 1; seed <= 120; ++seed) {
    int layer = 1 + seed % 5;
    if (seed % 4 == 0) astmaps::Maze(layer, seed);
    else astmaps::Random(layer, 0.05 * (seed % 8), seed);
    for (const auto& [s, t] : Pairs(layer, 6, seed)) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << " from " << s.x << "," << s.z << " to " << t.x << ","
                                      << t.z);
      Path ours, lit;
      int r = Ours(layer, s, t, ours);
      bool ok = plain.Find(layer, s.x, s.z, t.x, t.z, lit);
      ASSERT_EQ(r == found, ok);
      ASSERT_EQ(ours, lit);
      // Both stop as soon as the target is opened, not when it is closed.
      ASSERT_EQ(AStExpansions, plain.expansions);
    }
  }
}

TEST_F(AStarTest, SameCellMeansAnEmptyPath) {
  Path p;
  ASSERT_EQ(Ours(1, {3, 3}, {9, 9}, p), found);
  ASSERT_GT(pathLength[0], 0);
  pathLocation[0] = 2;
  EXPECT_EQ(FindPath(1, 0, 65, 65, 79, 79), found);  // both in cell (3, 3)
  EXPECT_EQ(pathLength[0], 0);
}

TEST_F(AStarTest, StartOffTheGridFindsNoPath) {
  for (int sx : {-500, -20, 4000, 9999, -2000000000}) {
    EXPECT_EQ(FindPath(1, 0, sx, 100, 1000, 1000), nonexistent) << sx;
    EXPECT_EQ(FindPath(1, 0, 100, sx, 1000, 1000), nonexistent) << sx;
  }
  // World -19..-1 still lies in the first cell (cells are truncated toward 0).
  EXPECT_EQ(FindPath(1, 0, -5, 10, 1000, 1000), found);
}

TEST_F(AStarTest, ClosedOrOffGridTargetFindsNoPath) {
  walkab1(20, 20, 1);
  xPath[0] = yPath[0] = 0;
  EXPECT_EQ(FindPath(1, 0, 111, 222, W(20), W(20)), nonexistent);
  EXPECT_EQ(xPath[0], 111);
  EXPECT_EQ(yPath[0], 222);
  EXPECT_EQ(FindPath(1, 0, 111, 222, 4005, 100), nonexistent);
  EXPECT_EQ(FindPath(0, 0, 111, 222, 300, 300), nonexistent);
  EXPECT_EQ(FindPath(6, 0, 111, 222, 300, 300), nonexistent);
  EXPECT_EQ(FindPath(1, 4, 111, 222, 300, 300), nonexistent);
  EXPECT_EQ(FindPath(1, -1, 111, 222, 300, 300), nonexistent);
}

TEST_F(AStarTest, NoDiagonalPastAClosedCorner) {
  walkab1(1, 0, 1);
  Path p;
  ASSERT_EQ(Ours(1, {0, 0}, {1, 1}, p), found);
  EXPECT_EQ(p, (Path{{0, 1}, {1, 1}}));
  walkab1(0, 1, 1);  // boxed in: the diagonal between two closed cells
  EXPECT_EQ(Ours(1, {0, 0}, {1, 1}, p), nonexistent);
}

TEST_F(AStarTest, MarkersWrapAfterAMillion) {
  astmaps::Random(2, 0.2, 5);
  auto pairs = Pairs(2, 3, 11);
  std::vector<Path> before;
  Path p;
  for (const auto& [s, t] : pairs) {
    Ours(2, s, t, p);
    before.push_back(p);
  }
  onClosedList = 1000001;
  for (size_t i = 0; i < pairs.size(); ++i) {
    Ours(2, pairs[i].first, pairs[i].second, p);
    if (i == 0) {
      EXPECT_EQ(onClosedList, 12);
    }
    EXPECT_EQ(p, before[i]);
  }
}

TEST_F(AStarTest, ReadingWaypoints) {
  Path p;
  ASSERT_EQ(Ours(1, {0, 0}, {0, 3}, p), found);
  ASSERT_EQ(pathLength[0], 3);
  EXPECT_EQ(ReadPathX(0, 0), 0);
  EXPECT_EQ(ReadPathX(0, 1), 10);
  EXPECT_EQ(ReadPathY(0, 1), 30);
  EXPECT_EQ(ReadPathY(0, 3), 70);
  EXPECT_EQ(ReadPathY(0, 4), 0);
  EXPECT_EQ(ReadPathX(7, 1), 0);

  pathStatus[0] = found;
  pathLocation[0] = 0;
  ReadPath(0, 10, 10, 5);
  EXPECT_EQ(pathLocation[0], 1);
  EXPECT_EQ(yPath[0], 30);
  ReadPath(0, 10, 12, 5);  // not near the waypoint yet
  EXPECT_EQ(pathLocation[0], 1);
  ReadPath(0, 10, 29, 5);
  ReadPath(0, 10, 49, 5);
  EXPECT_EQ(pathLocation[0], 3);
  ReadPath(0, 10, 70, 5);
  EXPECT_EQ(pathStatus[0], notfinished);
}
