// The wheeled and the tracked vehicle on the real world model and the flat
// test terrain, driven frame by frame through the holder: creation and where
// they appear, firing and the veteran levels, damage and death, orders,
// dropping a dead target, the strike timer, being seen, blocking tiles,
// following a path, and the events they answer.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/common/temp_dir.h"
#include "tests/objects/unit_fixture.h"
#include "ui/ui.h"

namespace {

class VehicleTest : public UnitWorldTest {
 protected:
  template <class V>
  V* Made(int type, int kind, int side, vec3 at) {
    Fgr4* h = Make(type, kind);
    if (!h) return nullptr;
    V* v = static_cast<V*>(h->body);
    v->side = side;
    v->mb.Pos(at);
    v->mb.PosYOpor();
    return v;
  }
  tw_Car1* Car(int side, vec3 at) { return Made<tw_Car1>(5, 2, side, at); }
  tw_Tank1* Tank(int side, vec3 at, int variant = 0) { return Made<tw_Tank1>(6, variant, side, at); }

  // A target that takes any number of hits.
  static void Endless(tw_Tank1* t) {
    t->hp = t->armor = INT_MAX;
    t->strikeCount = INT_MAX;  // and does not shoot back
  }

  static void Order(Fgr4* h, vec3 p) {
    PlayerSelectedOne(h);
    PlayerSelected_AllToPoint(&p, 1);
    PlayerSelectedReset();
  }

  // One frame with the update passes only (no self updates: no sight circles).
  static void UpdatesOnly(int ms = 16) {
    GFrameTime = ms;
    StartLap();
    int mode = 2, ex = 1;
    for (int i = 1; i < Fgr4W.Car1.count; ++i)
      if (Fgr4W.Car1.bodies[i].Status()) Fgr4W.Car1.bodies[i].owner->Event(EV_UPD, &mode, &ex);
    for (int i = 1; i < Fgr4W.Tank1.count; ++i)
      if (Fgr4W.Tank1.bodies[i].Status()) Fgr4W.Tank1.bodies[i].owner->Event(EV_UPD, &mode, &ex);
  }

  static int Ask(Fgr4* h, int code) {
    int v = -7;
    h->Event(code, &v);
    return v;
  }

  TempDir tmp_;  // log.txt of the refused creations
};

int Tile(float x, float z) { return PlitHold.YchFrCoord(x, z); }
int LandTaken(int tile) { return walkability2345Land[tile % 200][tile / 200]; }

}  // namespace

TEST_F(VehicleTest, CreationGivesThePresetsAndASpotOnTheMapNearItsCentre) {
  for (int k = 0; k < 14; ++k) {
    Fgr4* c = Make(5, 2);
    Fgr4* t = Make(6, k % 3);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(t, nullptr);
    for (Fgr4* h : {c, t}) {
      vec3 p(0.0f);
      h->Event(EV_POSITION, &p.x, &p.y, &p.z);
      EXPECT_GE(p.x, 1951.0f);
      EXPECT_LE(p.x, 2051.0f);
      EXPECT_GE(p.z, 1951.0f);
      EXPECT_LE(p.z, 2051.0f);
      EXPECT_EQ(p.y, Plit_GetOpora(p.x, 0, p.z));
      EXPECT_EQ(h->SaveCategory, 3);
    }
  }
  const tw_Car1* c = pTekCar1;
  const struct {
    const char* what;
    int got, want;
  } car[] = {{"variant", c->variant, 2},     {"hp", c->hp, 130},           {"armour", c->armor, 100},
             {"third", c->third, 70},        {"fourth max", c->fourthMax, 40}, {"layer", c->pafLayer, 2},
             {"range 3", c->range3, 200},    {"threshold", c->xpThreshold, 90}, {"strike", c->strikeBase, 7000},
             {"channel", c->sndChannel, -1}, {"tile", c->regTile[3], -1},  {"spares", c->int10 + c->int11, -2}};
  for (const auto& w : car) EXPECT_EQ(w.got, w.want) << "car " << w.what;
  const tw_Tank1* t = pTekTank1;
  const struct {
    const char* what;
    int got, want;
  } tank[] = {{"variant", t->variant, 13 % 3}, {"hp", t->hp, 200},           {"armour", t->armor, 150},
              {"third max", t->thirdMax, 130}, {"layer", t->pafLayer, 5},    {"range 1", t->range1, 140},
              {"threshold", t->xpThreshold, 100}, {"spread", t->strikeSpread, 2000},
              {"tracks", t->trackModel, -1},   {"sight", t->sight, 8}};
  for (const auto& w : tank) EXPECT_EQ(w.got, w.want) << "tank " << w.what;
  EXPECT_NEAR(length(c->ring2[5]), 120.0f, 0.01f);
  EXPECT_NEAR(length(t->ring1[5]), 140.0f, 0.01f);
  EXPECT_EQ(t->markerY, 6.0f);
}

TEST_F(VehicleTest, AWheeledVehicleOfAnotherKindIsNotMade) {
  // A car that lived in the slot before leaves nothing behind either.
  tw_Car1* old = Car(2, vec3(1000, 0, 1000));
  ASSERT_NE(old, nullptr);
  old->owner->Kill(1);
  FgrHld.Update(2, 1);
  const int inUse = Fgr4W.Car1.InUse();
  for (int kind : {0, 1, 3, -5}) {
    pTekCar1 = nullptr;
    EXPECT_EQ(FgrHld.AddWrk(5, kind, 1), 0) << kind;
    EXPECT_EQ(Fgr4W.Car1.InUse(), inUse) << kind;
    EXPECT_EQ(pTekCar1, nullptr) << kind;
  }
  std::ifstream log("log.txt", std::ios::binary);
  std::stringstream text;
  text << log.rdbuf();
  size_t n = 0;
  for (size_t at = 0; (at = text.str().find("tw_Car1::IFC Err..", at)) != std::string::npos; ++at) ++n;
  EXPECT_EQ(n, 4u);
  // Every kind makes a tracked vehicle, of that variant.
  for (int kind : {0, 1, 2, 9}) {
    ASSERT_NE(Make(6, kind), nullptr) << kind;
    EXPECT_EQ(pTekTank1->variant, kind);
  }
}

TEST_F(VehicleTest, EnoughHitsGiveTheFirstVeteranLevel) {
  const struct {
    int type, hits, threshold;
  } cases[] = {{5, 46, 180}, {6, 51, 200}};
  for (const auto& w : cases) {
    tw_Tank1* target = Tank(2, vec3(1000, 0, 1060));
    ASSERT_NE(target, nullptr);
    Endless(target);
    Fgr4* h = Make(w.type, w.type == 5 ? 2 : 0);
    ASSERT_NE(h, nullptr);
    int32_t* level;
    int32_t* xp;
    int32_t* threshold;
    if (w.type == 5) {
      tw_Car1* c = static_cast<tw_Car1*>(h->body);
      c->side = 1;
      c->mb.Pos(vec3(1000, 0, 1000));
      c->strikeBase = c->strikeSpread = 0;  // a shot every frame
      level = &c->level, xp = &c->xp, threshold = &c->xpThreshold;
    } else {
      tw_Tank1* t = static_cast<tw_Tank1*>(h->body);
      t->side = 1;
      t->mb.Pos(vec3(1000, 0, 1000));
      t->strikeBase = t->strikeSpread = 0;
      level = &t->level, xp = &t->xp, threshold = &t->xpThreshold;
    }
    for (int k = 1; k < w.hits; ++k) Frame();
    EXPECT_EQ(*level, 0) << w.type;
    EXPECT_EQ(*xp, 2 * (w.hits - 1)) << w.type;
    Frame();
    EXPECT_EQ(*level, 1) << w.type;
    EXPECT_EQ(*xp, 2) << w.type;
    EXPECT_EQ(*threshold, w.threshold) << w.type;
    h->Kill(1);
    target->owner->Kill(1);
    Frame();
  }
}

TEST_F(VehicleTest, TheVeteranRuleStaysWithinTheIntRange) {
  const struct {
    int xp, threshold, level;    // before the shot (the hit adds 2)
    int wantXp, wantThreshold, wantLevel;
  } cases[] = {
      {88, 90, 0, 90, 90, 0},                                  // not past it yet
      {90, 90, 0, 2, 180, 1},                                  // past it
      {20, 20, 3, 0, 1000, 3},                                 // a small threshold starts over
      {-10, -10, 0, 0, 1000, 0},                               // so does a negative one
      {1500000000, 1500000000, 5, 2, INT_MAX, 6},              // doubled past the int range
      {INT_MAX - 1, INT_MAX - 1, INT_MAX, 1, INT_MAX, INT_MAX},  // experience and level held at the top
      {10, 2000000000, 0, 12, 2000000000, 0},
  };
  tw_Tank1* target = Tank(2, vec3(1000, 0, 1060));
  ASSERT_NE(target, nullptr);
  Endless(target);
  tw_Car1* c = Car(1, vec3(1000, 0, 1000));
  ASSERT_NE(c, nullptr);
  for (const auto& w : cases) {
    c->xp = w.xp;
    c->xpThreshold = w.threshold;
    c->level = w.level;
    c->strikeCount = 0;
    Frame();
    EXPECT_EQ(c->xp, w.wantXp) << w.xp << " of " << w.threshold;
    EXPECT_EQ(c->xpThreshold, w.wantThreshold) << w.xp << " of " << w.threshold;
    EXPECT_EQ(c->level, w.wantLevel) << w.xp << " of " << w.threshold;
  }
}

TEST_F(VehicleTest, WithNoEnemyInTheFirstRangeOneInTheSecondIsShot) {
  const struct {
    float distance;
    bool hit;
  } cases[] = {{50, true}, {100, true}, {127, true}, {129, false}, {300, false}};
  for (const auto& w : cases) {
    tw_Car1* c = Car(1, vec3(1000, 0, 1000));
    tw_Tank1* t = Tank(2, vec3(1000, 0, 1000 + w.distance));  // its radius is its sight, 8
    ASSERT_NE(c, nullptr);
    ASSERT_NE(t, nullptr);
    t->strikeCount = INT_MAX;
    Frame();
    EXPECT_EQ(t->hp < 200, w.hit) << w.distance;
    if (w.hit) {
      EXPECT_GE(200 - t->hp, 10);
      EXPECT_LE(200 - t->hp, 15);
      EXPECT_EQ(c->flash, 255);
      EXPECT_EQ(c->shotTo.z, t->mb.pos.z);
      EXPECT_EQ(c->shotFrom.y, c->mb.pos.y + 10.0f);
      EXPECT_GE(c->strikeCount, 7000);
      EXPECT_LE(c->strikeCount, 8000);
    }
    c->owner->Kill(1);
    t->owner->Kill(1);
    Frame();
  }
}

TEST_F(VehicleTest, TheStrikeCountdownRunsDownOnceAFrame) {
  tw_Car1* c = Car(1, vec3(1000, 0, 1000));
  tw_Car1* e = Car(2, vec3(3000, 0, 3000));
  tw_Tank1* t = Tank(1, vec3(1100, 0, 1000));
  tw_Tank1* u = Tank(2, vec3(3000, 0, 3100));
  for (auto* p : {&c->strikeCount, &e->strikeCount, &t->strikeCount, &u->strikeCount}) *p = 1000;
  Frame(16);
  for (auto* p : {&c->strikeCount, &e->strikeCount, &t->strikeCount, &u->strikeCount}) EXPECT_EQ(*p, 984);
}

TEST_F(VehicleTest, HitsTakeHitPointsAndArmourAndTheSecondEmptyPartKills) {
  tw_Car1* c = Car(2, vec3(1000, 0, 1000));
  ASSERT_NE(c, nullptr);
  Fgr4* h = c->owner;
  Frame();
  int xp = 5;
  const struct {
    int d1, d2, hp, armor, xp;
  } hits[] = {
      {30, 10, 100, 90, 7},  {500, 0, 0, 90, 9},  // hit points gone, armour left: alive
      {-20, 0, 20, 90, 11},  {INT_MIN, 0, INT_MAX, 90, 13},
      {INT_MAX, 40, 0, 50, 15},
  };
  for (const auto& w : hits) {
    int d1 = w.d1, d2 = w.d2;
    h->Event(55, &d1, &d2, &xp);
    EXPECT_EQ(c->hp, w.hp) << w.d1;
    EXPECT_EQ(c->armor, w.armor) << w.d1;
    EXPECT_EQ(xp, w.xp) << w.d1;
    ASSERT_TRUE(h->Status());
  }
  ASSERT_GE(c->regTile[0], 0);
  const int held = c->regTile[0];
  int d1 = 0, d2 = 60;
  xp = INT_MAX - 1;
  h->Event(55, &d1, &d2, &xp);
  EXPECT_EQ(xp, INT_MAX);
  EXPECT_FALSE(h->Status());
  EXPECT_EQ(LandTaken(held), 0);  // its tiles are given back
}

TEST_F(VehicleTest, AMoveOrderDropsTheTargetAndATargetOrderStopsAMove) {
  tw_Car1* c = Car(1, vec3(1010, 0, 1010));
  tw_Tank1* other = Tank(1, vec3(1300, 0, 1010));
  ASSERT_NE(c, nullptr);
  c->target = other->owner;
  Order(c->owner, vec3(1410, 0, 1410));
  EXPECT_EQ(c->target, nullptr);
  EXPECT_EQ(c->moveMode, 1);
  EXPECT_EQ(c->paf.onPath, 1);
  EXPECT_EQ(c->movePoint.x, 1410.0f);
  EXPECT_EQ(c->regTile[0], Tile(1010, 1010));  // the tile under it taken afresh
  PlayerSelectedOne(c->owner);
  PlayerSelected_AllToTarget(other->owner);
  EXPECT_EQ(c->moveMode, 0);
  EXPECT_EQ(c->target, nullptr);  // not followed
  EXPECT_EQ(c->turnCount, 0);
}

TEST_F(VehicleTest, ADeadTargetIsDroppedBeforeItSteers) {
  for (bool dies : {false, true}) {
    tw_Car1* c = Car(1, vec3(1000, 0, 1000));
    tw_Tank1* t = Tank(1, vec3(1000, 0, 1200));  // same side: no shots
    ASSERT_NE(c, nullptr);
    c->mb.setMatr(0, 90, 0);  // looking along +x, the target straight to its left
    c->target = t->owner;
    if (dies) t->owner->Kill(1);
    const float yaw = c->mb.YRot();
    Frame();
    if (dies) {
      EXPECT_EQ(c->target, nullptr);
      EXPECT_EQ(c->mb.YRot(), yaw);  // no turn toward a position nobody gave
      EXPECT_EQ(c->wanted, 0.0f);
    } else {
      EXPECT_EQ(c->target, t->owner);
      EXPECT_NE(c->mb.YRot(), yaw);
      t->owner->Kill(1);
    }
    c->owner->Kill(1);
    Frame();
  }
}

TEST_F(VehicleTest, ALocalTrackedVehicleIsAlwaysSeen) {
  tw_Tank1* own = Tank(1, vec3(1000, 0, 1000));
  tw_Tank1* enemy = Tank(2, vec3(1010, 0, 1000));
  tw_Car1* car = Car(1, vec3(1000, 0, 1020));
  own->strikeCount = enemy->strikeCount = car->strikeCount = INT_MAX;
  // With no sight circle anywhere only the local tank counts as seen.
  UpdatesOnly();
  EXPECT_EQ(own->seen, 1);
  EXPECT_EQ(enemy->seen, 0);
  EXPECT_EQ(car->seen, 0);
  // Its self update still gives the others its sight circle (range 3).
  Frame();
  EXPECT_EQ(enemy->seen, 1);
  EXPECT_EQ(car->seen, 1);
  bool found = false;
  for (int i = 0; i < PlayerUnitsOkrugKlv; ++i)
    found |= PlayerUnitsOkrugPos[i].x == own->mb.pos.x && PlayerUnitsOkrugR[i] == 180.0f;
  EXPECT_TRUE(found);
}

TEST_F(VehicleTest, VehiclesBlockTheTilesUnderThem) {
  tw_Car1* inside = Car(1, vec3(1010, 0, 1010));  // all four corners on one tile
  tw_Car1* corner = Car(1, vec3(1400, 0, 1400));  // one corner on each of four tiles
  tw_Tank1* tank = Tank(1, vec3(1610, 0, 1610));
  Frame();
  EXPECT_EQ(inside->regTile[0], Tile(1012, 1012));
  for (int k = 1; k < 4; ++k) EXPECT_EQ(inside->regTile[k], -1);
  const float at[4][2] = {{1402, 1402}, {1402, 1398}, {1398, 1398}, {1398, 1402}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(corner->regTile[k], Tile(at[k][0], at[k][1])) << k;
    EXPECT_EQ(LandTaken(corner->regTile[k]), 1) << k;
  }
  EXPECT_EQ(tank->regTile[0], Tile(1610, 1610));
  EXPECT_EQ(LandTaken(tank->regTile[0]), 1);
  // Deactivating and killing give them back.
  const int tiles[5] = {corner->regTile[0], corner->regTile[1], corner->regTile[2], corner->regTile[3],
                        tank->regTile[0]};
  corner->owner->Event(EV_DEACT);
  tank->owner->Event(EV_KILL);
  for (int t : tiles) EXPECT_EQ(LandTaken(t), 0) << t;
  EXPECT_EQ(corner->owner->active, 0);
}

TEST_F(VehicleTest, AWheeledVehicleFollowsItsPathRoundAWallAndStops) {
  for (int z = 0; z < 200; ++z)
    if (z != 70) walkab2(60, z, 1);
  tw_Car1* c = Car(1, vec3(1010, 0, 1010));
  const vec3 goal(1410, 0, 1010);
  Order(c->owner, goal);
  ASSERT_EQ(c->paf.onPath, 1);
  int frames = 0, crossedAtGap = 0;
  for (; frames < 6000 && c->moveMode != 0; ++frames) {
    Frame(33);
    const int cx = static_cast<int>(c->mb.pos.x) / 20, cz = static_cast<int>(c->mb.pos.z) / 20;
    if (cx == 60) crossedAtGap += cz == 70;
  }
  EXPECT_EQ(c->moveMode, 0);
  EXPECT_GT(crossedAtGap, 0);
  for (int k = 0; k < 200; ++k) Frame(33);
  EXPECT_LT(std::fabs(c->mb.pos.x - goal.x), 30.0f);  // it coasts to a stop past the last waypoint
  EXPECT_LT(std::fabs(c->mb.pos.z - goal.z), 30.0f);
  EXPECT_NEAR(c->speed, 0.0f, 0.2f);
}

TEST_F(VehicleTest, TheTrackedVehicleMarkerRisesAtAWaypointAndSinksSlowly) {
  tw_Tank1* t = Tank(1, vec3(1010, 0, 1010));
  Order(t->owner, vec3(1010, 0, 1610));
  ASSERT_EQ(t->paf.onPath, 1);
  int frames = 0;
  for (; frames < 3000 && t->markerY < 9.0f; ++frames) Frame(16);
  ASSERT_EQ(t->markerY, 9.0f);
  for (int k = 0; k < 50; ++k) Frame(20);  // one second
  EXPECT_NEAR(t->markerY, 8.0f, 0.05f);
}

TEST_F(VehicleTest, TheEventsAnswerTheirValues) {
  tw_Car1* c = Car(3, vec3(1000, 0, 1000));
  tw_Tank1* t = Tank(4, vec3(1100, 0, 1000));
  MakeTBufGru(95, 0);
  ASSERT_NE(gr_TBuf[0], nullptr);
  for (Fgr4* h : {c->owner, t->owner}) {
    const bool car = h == c->owner;
    const int side = car ? 3 : 4;
    EXPECT_EQ(Ask(h, 41), car ? 5 : 6);
    EXPECT_EQ(Ask(h, 40), 0);
    EXPECT_EQ(Ask(h, 28), 0);
    EXPECT_EQ(Ask(h, 30), 1);
    EXPECT_EQ(Ask(h, 36), 1);
    EXPECT_EQ(Ask(h, 51), car ? 7 : 8);
    EXPECT_EQ(Ask(h, 52), car ? 130 : 200);
    EXPECT_EQ(Ask(h, 53), car ? 100 : 150);
    int a = side, b = -1;
    h->Event(31, &a, &b);
    EXPECT_EQ(b, 1);
    a = side + 1;
    h->Event(31, &a, &b);
    EXPECT_EQ(b, 0);
    a = side, b = -1;
    h->Event(48, &a, &b);
    EXPECT_EQ(b, side);
    int four[4] = {};
    h->Event(54, &four[0], &four[1], &four[2], &four[3]);
    EXPECT_EQ(four[2], car ? 70 : 100);
    EXPECT_EQ(four[3], car ? 2 : 28);
    int pay[3] = {-1, -1, -1};
    h->Event(50, &pay[0], &pay[1], &pay[2]);
    EXPECT_EQ(pay[0], car ? 200 : 300);
    EXPECT_EQ(pay[1], car ? 25 : 80);
    EXPECT_EQ(pay[2], car ? 0 : -1);  // the tank leaves the third alone
    int ch = 12;
    h->Event(EV_SOUND_CHANNEL, &ch);
    EXPECT_EQ(car ? c->sndChannel : t->sndChannel, -1);
    ch = 4;
    h->Event(EV_SOUND_CHANNEL, &ch);
    EXPECT_EQ(car ? c->sndChannel : t->sndChannel, 4);
    h->Event(56);
    EXPECT_STREQ(gr_TBuf[0][0].text, car ? "anCar1" : "anTank1");
  }
  // A tank's price is its own whatever its record holds.
  t->fourth = 999;
  int credits = 0, fuel = 0;
  t->owner->Event(50, &credits, &fuel);
  EXPECT_EQ(credits, 300);
  EXPECT_EQ(fuel, 80);
  KillTBufGru(0);
}
