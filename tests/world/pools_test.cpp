// Typed pools: capacities, the turn-taking free-slot search, slot 0.
#include <gtest/gtest.h>

#include "objects/objects.h"
#include "world/world.h"

TEST(PoolTest, CapacityTwoHoldsOneObject) {
  tm_Nab<tw_Land> pool;
  ASSERT_EQ(pool.Init0(2), 1);
  tw_Land* a = pool.GetFreeNext_(1);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, &pool.bodies[1]);
  Fgr4 owner;
  a->owner = &owner;
  EXPECT_EQ(pool.GetFreeNext_(1), nullptr);
  EXPECT_EQ(pool.cursor, 1);
}

TEST(PoolTest, SlotsAreHandedOutInTurnAndReusedWhenTheCursorComesBack) {
  tm_Nab<tw_Fotik> pool;
  ASSERT_EQ(pool.Init0(5), 1);
  Fgr4 owner;
  int got[4];
  for (int& n : got) {
    n = pool.GetNextFreeNom(1);
    pool.bodies[n].owner = &owner;
  }
  EXPECT_EQ(got[0], 1);
  EXPECT_EQ(got[1], 2);
  EXPECT_EQ(got[2], 3);
  EXPECT_EQ(got[3], 4);
  EXPECT_EQ(pool.GetNextFreeNom(1), 0);  // full
  pool.bodies[2].owner = nullptr;
  EXPECT_EQ(pool.GetNextFreeNom(1), 2);
  pool.bodies[2].owner = &owner;
  pool.bodies[4].owner = nullptr;
  pool.bodies[3].owner = nullptr;
  EXPECT_EQ(pool.GetNextFreeNom(0), 3);  // from the cursor, not the lowest
  EXPECT_EQ(pool.GetNextFreeNom(0), 4);
  EXPECT_EQ(pool.GetNextFreeNom(0), 3);  // not taken: handed out again
}

TEST(PoolTest, CursorNeverStandsOnSlotZero) {
  tm_Nab<tw_Laser> pool;
  ASSERT_EQ(pool.Init0(150), 1);
  Fgr4 owner;
  for (int i = 0; i < 1000; ++i) {
    tw_Laser* p = pool.GetFreeNext_(1);
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p, &pool.bodies[0]);
    EXPECT_GE(pool.cursor, 1);
    EXPECT_LE(pool.cursor, 149);
    p->owner = i % 3 ? nullptr : &owner;
    if (i % 200 == 0)
      for (int k = 1; k < pool.count; ++k) pool.bodies[k].owner = nullptr;
  }
  EXPECT_EQ(pool.bodies[0].owner, nullptr);
}

TEST(PoolTest, CapacityLimitsAndSecondInitAreRefused) {
  tm_Nab<tw_Unit> pool;
  EXPECT_EQ(pool.Init0(1), 0);
  EXPECT_EQ(pool.Init0(9001), 0);
  EXPECT_EQ(pool.GetFreeNext_(1), nullptr);  // unallocated
  EXPECT_EQ(pool.Init0(9000), 1);
  EXPECT_EQ(pool.Init0(2), 0);
  EXPECT_EQ(pool.count, 9000);
  pool.Sbros();
  EXPECT_EQ(pool.count, 0);
  EXPECT_EQ(pool.Init0(2), 1);
}

TEST(PoolTest, TheTwentySevenPoolsHoldTheirCapacities) {
  tm_Fgr4W w;
  ASSERT_EQ(w.KonfigAll(nullptr), 1);
  int total = 0;
#define CHECK_POOL(code, Name, capacity) \
  EXPECT_EQ(w.Name.count, capacity);     \
  EXPECT_EQ(Fgr4W_Capacity(code), capacity); \
  total += w.Name.count;
  VELMAR_OBJECT_TYPES(CHECK_POOL)
#undef CHECK_POOL
  EXPECT_EQ(total, 9091);
  EXPECT_EQ(w.KonfigAll(nullptr), 0);  // the first pool refuses a second set-up
  EXPECT_EQ(Fgr4W_Capacity(0), 0);
  EXPECT_EQ(Fgr4W_Capacity(28), 0);
}
