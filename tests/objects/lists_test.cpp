// The selection, the per-frame lists, the target search and the seen test,
// and the small unit helpers.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "render/render.h"
#include "tests/objects/unit_fixture.h"

namespace {

class ListsTest : public UnitWorldTest {
 protected:
  // Every unit's self update: the lists of this frame.
  static void SelfUpdateAll() {
    int mode = 2, flag = 1;
    for (int i = 1; i < Fgr4W.Unit.count; ++i)
      if (Fgr4W.Unit.bodies[i].Status()) Fgr4W.Unit.bodies[i].owner->Event(EV_UPD_SELF, &mode, &flag);
  }
};

// The search as the lists would run it one entry after the other.
Fgr4* Reference(Fgr4* const* list, int count, vec3 p, float range) {
  Fgr4* best = nullptr;
  float bestD = 99000.0f;
  for (int i = 0; i < count; ++i) {
    Fgr4* e = list[i];
    if (!e || !e->Status()) continue;
    vec3 q;
    e->Event(EV_POSITION, &q.x, &q.y, &q.z);
    float d = Distan1V(p, q);
    if (d < bestD) {
      int r = 0;
      e->Event(51, &r);
      if (d < r + range) {
        best = e;
        bestD = d;
      }
    }
  }
  return best;
}

}  // namespace

TEST_F(ListsTest, SelectionKeepsFiftyDistinctObjects) {
  std::vector<Fgr4*> h;
  for (int k = 0; k < 52; ++k) h.push_back(Make(17));
  PlayerSelectedAdd(h[0]);
  PlayerSelectedAdd(h[0]);  // a duplicate is refused
  EXPECT_EQ(PlayerSelected_Now, 1);
  PlayerSelectedAdd(nullptr);
  EXPECT_EQ(PlayerSelected_Now, 1);
  PlayerSelectedAdd(h[1]);
  EXPECT_EQ(PlayerSelected_[0], h[0]);  // the count was 1: slot 1 kept in slot 0
  for (int k = 2; k < 52; ++k) PlayerSelectedAdd(h[k]);
  EXPECT_EQ(PlayerSelected_Now, 50);
  EXPECT_TRUE(PlayerSelected_AnIn(h[49]));
  EXPECT_FALSE(PlayerSelected_AnIn(h[50]));
  EXPECT_FALSE(PlayerSelected_AnIn(nullptr));

  PlayerSelectedOne(h[51]);
  EXPECT_EQ(PlayerSelected_[0], h[0]);
  EXPECT_EQ(PlayerSelected_Now, 1);
  EXPECT_TRUE(PlayerSelected_OnlyOne());
  PlayerSelectedReset();
  EXPECT_EQ(PlayerSelected_Now, 0);
  EXPECT_EQ(PlayerSelected_[0], h[0]);
  EXPECT_FALSE(PlayerSelected_AnIn(h[51]));
}

TEST_F(ListsTest, OrdersGoToEverySelectedUnitAndNowhereWithoutSelection) {
  tw_Unit* a = Unit(1, vec3(1000, 0, 1000));
  tw_Unit* b = Unit(1, vec3(1100, 0, 1000));
  vec3 point(1500, 0, 1200);
  script.seen.clear();
  PlayerSelected_AllToPoint(&point, 1);
  PlayerSelected_AllToTarget(b->owner);
  EXPECT_TRUE(script.seen.empty());

  PlayerSelectedAdd(a->owner);
  PlayerSelectedAdd(b->owner);
  PlayerSelected_AllToPoint(&point, 3);
  for (tw_Unit* u : {a, b}) {
    EXPECT_EQ(u->movePoint.x, 1500.0f);
    EXPECT_EQ(u->iu[uiMoveMode], 3);
    EXPECT_EQ(u->paf.onPath, 1);
  }
  PlayerSelected_AllToTarget(b->owner);
  for (tw_Unit* u : {a, b}) EXPECT_EQ(u->iu[uiMoveMode], 0);
}

TEST_F(ListsTest, MinimapDotsAndSightCircles) {
  KlientMiniMapFgr_Add(vec3(12.9f, 0, 30.2f), 2, 5);
  KlientMiniMapFgr_Add(vec3(1, 0, 1), 256, 1);
  KlientMiniMapFgr_Add(vec3(1, 0, 1), 1, 256);
  ASSERT_EQ(KlientMiniMapFgrKlv, 1);
  EXPECT_EQ(KlientMiniMapFgrX[0], 12);
  EXPECT_EQ(KlientMiniMapFgrY[0], 30);
  EXPECT_EQ(KlientMiniMapFgrClrNom[0], 2);
  EXPECT_EQ(KlientMiniMapFgrDotNom[0], 5);

  PlayerUnitsOkrug_Add(vec3(1000, 0, 1000), 100.0f);
  int seen = -1;
  const struct {
    vec3 p;
    float r;
    int want;
  } cases[] = {{vec3(1000, 0, 1099), 0, 1}, {vec3(1000, 0, 1100), 0, 0}, {vec3(1000, 0, 1100), 0.5f, 1},
               {vec3(3000, 0, 3000), 10, 0}, {vec3(1000, 90, 1000), 0, 1}};
  for (const auto& c : cases) {
    PlayerUnitsOkrug_Try(c.p, c.r, seen);
    EXPECT_EQ(seen, c.want) << c.p.x << "," << c.p.z << " r " << c.r;
  }
}

TEST_F(ListsTest, SearchTakesTheNearestWithinRadiusPlusRange) {
  float range = 50.0f;
  vec3 p(1000, 0, 1000);
  EXPECT_EQ(PlaEnemyUnits_TryAtak(p, range), nullptr);  // empty list
  tw_Unit* far = Unit(2, vec3(1000, 0, 1100));
  tw_Unit* edge = Unit(2, vec3(1000, 0, 945));  // radius 5 + range 50 = 55 exactly
  tw_Unit* tieA = Unit(2, vec3(1040, 0, 1000));
  tw_Unit* tieB = Unit(2, vec3(960, 0, 1000));
  SelfUpdateAll();
  ASSERT_EQ(PlaEnemyUnitsKlv, 4);
  EXPECT_EQ(edge->mb.pos.z, 945.0f);
  EXPECT_EQ(GeneralUnits_TryAtak(p, range, PlayerBanerID), tieA->owner);  // ties keep the earlier entry
  EXPECT_EQ(GeneralUnits_TryAtak(p, range, 0), nullptr);                  // no side, no search
  EXPECT_EQ(GeneralUnits_TryAtak(p, range, 2), nullptr);                  // the player's list is empty
  tieA->owner->Kill(1);  // killed earlier this frame: passed over
  EXPECT_EQ(GeneralUnits_TryAtak(p, range, PlayerBanerID), tieB->owner);
  tieB->owner->Kill(1);
  EXPECT_EQ(GeneralUnits_TryAtak(p, range, PlayerBanerID), nullptr);  // the edge is not inside
  EXPECT_EQ(GeneralUnits_TryAtak(p, 96.0f, PlayerBanerID), edge->owner);
  (void)far;
}

// The indexed search answers what a plain pass over the lists would, also
// after units moved, were killed, or stand off the map.
TEST_F(ListsTest, SearchAndSeenTestMatchAPlainPass) {
  std::mt19937 rng(7);
  auto coord = [&] { return float(rng() % 4400) - 200.0f; };
  std::vector<tw_Unit*> units;
  for (int k = 0; k < 400; ++k) units.push_back(Unit(k % 3 == 0 ? 1 : 2 + k % 2, vec3(coord(), 0, coord())));
  SelfUpdateAll();
  for (int k = 0; k < 400; k += 7) {
    tw_Unit* u = units[k];
    u->mb.Pos(u->mb.pos + vec3(float(rng() % 400) - 200.0f, 0, float(rng() % 400) - 200.0f));
    UnitLists_Moved(u->owner, u->mb.pos);
  }
  for (int k = 3; k < 400; k += 31) units[k]->owner->Kill(1);
  for (int q = 0; q < 2000; ++q) {
    vec3 p(coord(), float(rng() % 50), coord());
    float range = float(rng() % 300);
    ASSERT_EQ(PlayerUnits_TryAtak(p, range), Reference(PlayerUnits_, PlayerUnitsKlv, p, range)) << q;
    ASSERT_EQ(PlaEnemyUnits_TryAtak(p, range), Reference(PlaEnemyUnits_, PlaEnemyUnitsKlv, p, range)) << q;
    int seen = -1, want = 0;
    PlayerUnitsOkrug_Try(p, range, seen);
    for (int i = 0; i < PlayerUnitsOkrugKlv; ++i)
      want |= Distan1V(p, PlayerUnitsOkrugPos[i]) < PlayerUnitsOkrugR[i] + range;
    ASSERT_EQ(seen, want) << q;
  }
}

TEST_F(ListsTest, ListsHoldEveryUnitThePoolsCanHold) {
  const int n = Fgr4W_Cap(27) - 1;
  for (int k = 0; k < n; ++k) ASSERT_NE(Unit(k % 2 ? 1 : 2, vec3(20.0f + (k % 40) * 95.0f, 0, 20.0f + (k / 40) * 95.0f)), nullptr);
  SelfUpdateAll();
  EXPECT_EQ(PlayerUnitsKlv + PlaEnemyUnitsKlv, n);
  EXPECT_EQ(PlayerUnitsOkrugKlv, PlayerUnitsKlv);
}

TEST_F(ListsTest, RingHelpers) {
  RenderM._ResetOnStartNewLap();
  vec3 ring[40];
  Crt_CircleGoriz(ring, 40, 10.0f, 1);
  AddUnitRadWireChain(vec3(500, 0, 500), ring, 2, 1, 2, 3, 4, 1.0f, 2, nullptr);
  for (const tzkz_Wires1& w : RenderM.wire) EXPECT_EQ(w.gNow(), 0);
  vec3 out[40];
  const struct {
    int queue, wire;
  } cases[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 0}, {0, 0}};
  for (const auto& c : cases) {
    RenderM._ResetOnStartNewLap();
    AddUnitRadWireChain(vec3(500, 0, 500), ring, 16, 1, 2, 3, 4, 2.5f, c.queue, out);
    EXPECT_GT(RenderM.wire[c.wire].gNow(), 0) << c.queue;
  }
  EXPECT_FLOAT_EQ(out[0].y, 2.5f);  // flat terrain at 0, raised by the lift
  EXPECT_FLOAT_EQ(AddUnitRV[16].x, AddUnitRV[0].x);
  AddUnitRadWireChain(vec3(500, 0, 500), ring, 400, 1, 2, 3, 4, 2.5f, 1, nullptr);  // capped at 40
  EXPECT_FLOAT_EQ(Distan1V(vec3(0, 0, 0), vec3(3, 4, 12)), 13.0f);
  EXPECT_FLOAT_EQ(Distan1_LastRes, 13.0f);
}
