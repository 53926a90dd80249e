// Units on the real world model and terrain, driven frame by frame through
// the holder with a fixed frame time: moving along their paths, firing,
// taking damage, dying, waiting on blocked cells, and their footprints.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <cmath>
#include <vector>

#include "objects/laser.h"
#include "objects/soundglue.h"
#include "objects/modesglue.h"
#include "tests/objects/unit_fixture.h"

namespace {


class BehaviourTest : public UnitWorldTest {
 protected:
  static void Order(tw_Unit* u, vec3 p) {
    PlayerSelectedOne(u->owner);
    PlayerSelected_AllToPoint(&p, 1);
  }

  static int Cell(float v) { return static_cast<int>(v) / 20; }
};

}  // namespace

TEST_F(BehaviourTest, AUnitOrderedToAPointFollowsItsPathAndStops) {
  // A wall across the way with one gap: the path bends through it.
  for (int z = 0; z < 200; ++z)
    if (z != 70) walkab3(60, z, 1);
  tw_Unit* u = Unit(1, vec3(1010, 0, 1010));
  const vec3 goal(1410, 0, 1010);
  Order(u, goal);
  ASSERT_EQ(u->paf.onPath, 1);
  ASSERT_EQ(u->iu[uiMoveMode], 1);
  std::vector<std::pair<int, int>> path;
  for (int k = 0; k < u->paf.count; ++k) path.push_back({u->paf.kle[k][0], u->paf.kle[k][1]});
  const vec3 last(path.back().first * 20 + 10.0f, 0, path.back().second * 20 + 10.0f);

  int frames = 0, crossedAtGap = 0;
  for (; frames < 3000 && u->iu[uiMoveMode] != 0; ++frames) {
    Frame();
    int cx = Cell(u->mb.pos.x), cz = Cell(u->mb.pos.z);
    ASSERT_EQ(walkability3[cx][cz], 0) << "in a wall cell at frame " << frames;
    if (cx == 60) crossedAtGap += cz == 70;
  }
  EXPECT_EQ(u->iu[uiMoveMode], 0);
  EXPECT_GT(crossedAtGap, 0);
  for (int k = 0; k < 60; ++k) Frame();  // coming to rest
  EXPECT_LT(std::fabs(u->mb.pos.x - last.x), 8.0f);
  EXPECT_LT(std::fabs(u->mb.pos.z - last.z), 8.0f);
  EXPECT_NEAR(u->fu[ufSpeed], 0.0f, 0.5f);
}

TEST_F(BehaviourTest, AUnitInRangeFiresAndWaitsForItsReload) {
  tw_Unit* a = Unit(1, vec3(1000, 0, 1000));
  tw_Unit* b = Unit(2, vec3(1000, 0, 1060), 1);  // AnimTest: weaker, same gun
  b->Gun()->w[t_ArItem::wReload] = 1000000;    // b fires once only
  const int hp0 = b->iu[uiHP], arm0 = b->iu[uiArmor], xp0 = a->iu[uiXP];
  const int lasers0 = Fgr4W.Laser.InUse();
  Frame();
  EXPECT_GE(hp0 - b->iu[uiHP], 10);
  EXPECT_LE(hp0 - b->iu[uiHP], 15);
  EXPECT_GE(arm0 - b->iu[uiArmor], 7);
  EXPECT_LE(arm0 - b->iu[uiArmor], 10);
  EXPECT_EQ(a->iu[uiXP], xp0 + 2);
  EXPECT_EQ(a->iu[uiStrikeCount], 1500);
  EXPECT_EQ(Fgr4W.Laser.InUse(), lasers0 + 2);  // one shot each way
  // The shot asks where its target is before it hurts it (the hit may kill).
  std::vector<int> toB = CodesOf(b->owner->logNom);
  auto hit = std::find(toB.begin(), toB.end(), 55);
  ASSERT_NE(hit, toB.end());
  ASSERT_NE(hit, toB.begin());
  EXPECT_EQ(*(hit - 1), EV_POSITION);
  // Each beam runs from its gun to 9 short of 3 above its target, fully bright.
  int aimedAtB = 0;
  for (int i = 1; i < Fgr4W.Laser.count; ++i) {
    const tw_Laser& l = Fgr4W.Laser.bodies[i];
    if (!l.Status()) continue;
    EXPECT_EQ(l.brightness, 255);
    vec3 target = b->mb.Pos() + vec3(0, 3, 0);
    if (std::fabs(length(l.endPoint - target) - 9.0f) < 0.01f) {
      ++aimedAtB;
      EXPECT_NEAR(length(l.mb.Pos() - (a->mb.Fwd(10.0f) + vec3(0, 5, 0))), 0.0f, 0.01f);
    }
  }
  EXPECT_EQ(aimedAtB, 1);
  const int hp1 = b->iu[uiHP];
  int frames = 0;
  while (b->iu[uiHP] == hp1 && frames < 200) {
    Frame();
    ++frames;
  }
  // The next shot comes once 1500 ms have run down, not before.
  EXPECT_GE(frames * 16, 1500 - 16);
  EXPECT_LE(frames * 16, 1500 + 32);
  EXPECT_EQ(a->iu[uiXP], xp0 + 4);
}

TEST_F(BehaviourTest, TurnsAreScaledByTheFrameTimeOnce) {
  tw_Unit* u = Unit(1, vec3(1010, 0, 1010));
  u->mb.setMatr(0, 0, 0);  // facing +z
  Order(u, vec3(1010, 0, 610));  // straight behind
  const float step = u->fu[ufTurn] * 16.0f;
  for (int k = 0; k < 3; ++k) {
    float before = u->mb.YRot();
    Frame(16);
    float turned = std::fabs(u->mb.YRot() - before);
    if (turned > 180) turned = 360 - turned;
    EXPECT_NEAR(turned, step, 0.01f) << k;
  }
}

TEST_F(BehaviourTest, AUnitDiesOnlyWhenHitPointsAndArmourAreGone) {
  tw_Unit* u = Unit(2, vec3(1500, 0, 1500));
  Fgr4* h = u->owner;
  int xp = 0;
  const struct {
    int hp, armour, d1, d2;
    bool dies;
  } cases[] = {{10, 10, 15, 5, false}, {10, 10, 5, 15, false}, {10, 10, 10, 10, true}, {0, 3, 1, 4, true},
               {5, 0, 6, 0, true},     {5, 5, -3, 20, false}};
  for (const auto& c : cases) {
    if (!h->Status()) {
      u = Unit(2, vec3(1500, 0, 1500));
      h = u->owner;
    }
    u->iu[uiHP] = c.hp;
    u->iu[uiArmor] = c.armour;
    int d1 = c.d1, d2 = c.d2, before = xp;
    h->Event(55, &d1, &d2, &xp);
    EXPECT_EQ(xp, before + 2);
    EXPECT_EQ(!h->Status(), c.dies) << c.hp << " " << c.armour << " " << c.d1 << " " << c.d2;
    if (c.dies) {
      EXPECT_EQ(Fgr4W.Unit.InUse(), 0);
    }
  }
}

TEST_F(BehaviourTest, AFightEndsWithTheLoserGoneAndItsSlotFree) {
  tw_Unit* a = Unit(1, vec3(1000, 0, 1000), 3);  // the tank outlasts the car
  tw_Unit* b = Unit(2, vec3(1060, 0, 1000), 2);
  Fgr4* hb = b->owner;
  for (int k = 0; k < 4000 && hb->Status(); ++k) Frame();
  EXPECT_FALSE(hb->Status());
  EXPECT_EQ(a->Status(), 1);
  EXPECT_EQ(Fgr4W.Unit.InUse(), 1);
  // The dead unit's tile is free again.
  EXPECT_EQ(walkability2345Land[53][50], 0);
}

TEST_F(BehaviourTest, ABlockedPathWaitsAndPlansAgain) {
  tw_Unit* u = Unit(1, vec3(1010, 0, 1010));
  Order(u, vec3(1410, 0, 1010));
  ASSERT_EQ(u->paf.onPath, 1);
  // Something comes to stand on the way, three cells ahead.
  const int bx = 53, bz = 50;
  ASSERT_TRUE(walkabLand(bx, bz, 1));
  bool waited = false, replanned = false;
  for (int frames = 0; frames < 4000 && u->iu[uiMoveMode] != 0; ++frames) {
    int waitBefore = u->paf.wait;
    Frame();
    if (u->paf.wait > 0) {
      waited = true;
      EXPECT_LE(u->fu[ufWanted], u->fu[ufWaitCap]);
    }
    if (waitBefore > 0 && u->paf.wait == 0) {
      // The wait is over: the new path goes round the taken cell.
      replanned = true;
      for (int k = u->paf.step; k < u->paf.count; ++k)
        EXPECT_FALSE(u->paf.kle[k][0] == bx && u->paf.kle[k][1] == bz) << k;
    }
  }
  EXPECT_TRUE(waited);
  EXPECT_TRUE(replanned);
  EXPECT_EQ(u->iu[uiMoveMode], 0);
  EXPECT_LT(std::fabs(u->mb.pos.x - 1410.0f), 16.0f);
}

TEST_F(BehaviourTest, TheThreeHundredthUnitOfEightHundredFiftyTargetsAndIsTargeted) {
  // Far apart: nobody is in range of anybody.
  std::vector<tw_Unit*> units;
  for (int k = 0; k < Fgr4W_Cap(27) - 1; ++k) {
    float x = 30.0f + (k % 29) * 135.0f, z = 30.0f + (k / 29) * 135.0f;
    units.push_back(Unit(k < 424 ? 1 : 2, vec3(x, 0, z)));
  }
  tw_Unit* own = units[300];
  tw_Unit* enemy = units[700];
  enemy->mb.Pos(own->mb.pos + vec3(40, 0, 0));
  const int ownHp = own->iu[uiHP], enemyHp = enemy->iu[uiHP];
  Frame();
  EXPECT_GT(PlayerUnitsKlv, 300);
  EXPECT_GT(PlaEnemyUnitsKlv, 276);
  EXPECT_LT(enemy->iu[uiHP], enemyHp);
  EXPECT_LT(own->iu[uiHP], ownHp);
  int hitElsewhere = 0;
  for (tw_Unit* u : units) hitElsewhere += u != own && u != enemy && u->iu[uiHP] != origSborU.row[2].iu[uiHP];
  EXPECT_EQ(hitElsewhere, 0);
}

TEST_F(BehaviourTest, AFlyerStopsAtItsPoint) {
  tw_Unit* f = Unit(1, vec3(1000, 60, 1000), 4);
  ASSERT_TRUE(f->Flies());
  Order(f, vec3(1300, 0, 1100));
  EXPECT_EQ(f->paf.onPath, 0);  // flies straight
  int frames = 0;
  for (; frames < 3000 && f->iu[uiMoveMode] != 0; ++frames) Frame();
  EXPECT_EQ(f->iu[uiMoveMode], 0);
  for (int k = 0; k < 120; ++k) Frame();
  EXPECT_NEAR(f->fu[ufSpeed], 0.0f, 0.5f);
  EXPECT_LT(std::fabs(f->mb.pos.x - 1300.0f), 40.0f);
  EXPECT_LT(std::fabs(f->mb.pos.z - 1100.0f), 40.0f);
  EXPECT_GE(f->mb.pos.y, gUnitLowAirY - 0.5f);  // at its flying height
}

TEST_F(BehaviourTest, FootprintsFollowTheUnits) {
  tw_Unit* a = Unit(1, vec3(1010, 0, 1010));
  tw_Unit* b = Unit(1, vec3(1015, 0, 1005));  // the same tile
  Frame();
  EXPECT_EQ(a->iu[uiRegTile], 50 * 200 + 50);
  EXPECT_EQ(b->iu[uiRegTile], -1);  // taken already
  EXPECT_EQ(walkability2345Land[50][50], 1);
  Frame();  // standing still: the same tiles, the release marks as after a release
  EXPECT_EQ(a->iu[uiRegTile], 50 * 200 + 50);
  EXPECT_EQ(a->iu[uiRegPair], -1);
  a->mb.Pos(vec3(1050, 0, 1010));
  Frame();
  EXPECT_EQ(a->iu[uiRegTile], 50 * 200 + 52);
  EXPECT_EQ(b->iu[uiRegTile], 50 * 200 + 50);  // free now: b takes it
  EXPECT_EQ(walkability2345Land[52][50], 1);

  // A large unit holds four corner tiles; a flyer holds its air tile.
  tw_Unit* big = Unit(1, vec3(1510, 0, 1510), 3);
  big->iu[uiLarge] = 1;
  big->iu[uiRadius] = 12;
  tw_Unit* fly = Unit(1, vec3(2010, 60, 2010), 4);
  Frame();
  for (int k = 0; k < 4; ++k) EXPECT_GE(big->iu[uiRegTile + k], 0) << k;
  EXPECT_EQ(walkability2345Land[76][76], 1);
  EXPECT_EQ(walkability2345Land[74][74], 1);
  EXPECT_EQ(walkability[100][100], 1);
  big->owner->Kill(1);
  fly->owner->Kill(1);
  EXPECT_EQ(walkability[100][100], 0);
  EXPECT_EQ(walkability2345Land[76][76], 0);
}

TEST_F(BehaviourTest, AnUnselectedUnitGivesUpItsSoundChannel) {
  tw_Unit* u = Unit(1, vec3(1000, 0, 1000));
  ZSrcMainKot_pFgr[3] = u->owner;
  ZSrcMainKot_Dst[3] = 10.0f;
  u->iu[uiSndChannel] = 3;
  Frame();
  EXPECT_FLOAT_EQ(ZSrcMainKot_Dst[3], 5003.0f);
  ZSrcMainKot_pFgr[3] = nullptr;
}

namespace {

// Command posts and bunkers as the spawns see them: a post answers event 48
// for its side, a bunker its spawn mark (49) and its position (35), and a
// post records what it is paid (50).
struct PostsAndBunkers {
  Fgr4* post[2];
  Fgr4* bunker[2];
  vec3 at[2] = {vec3(1160, 0, 1160), vec3(2840, 0, 2840)};
  int paid[2][3] = {};
};
PostsAndBunkers* gPB = nullptr;

void AnswerAsPostsAndBunkers(Fgr4* h, int code, void* a, void* b, void* c, void*) {
  TraceEvent(h, code, a, b, c, nullptr);
  for (int k = 0; k < 2; ++k) {
    if (h == gPB->post[k] && code == 48 && *static_cast<int*>(a) == k + 1) *static_cast<int*>(b) = k + 1;
    if (h == gPB->post[k] && code == 50)
      for (int i = 0; i < 3; ++i) gPB->paid[k][i] += *static_cast<int*>(i == 0 ? a : i == 1 ? b : c);
    if (h == gPB->bunker[k] && code == EV_TRIGGER_KEY) *static_cast<int*>(a) = 1;
    if (h == gPB->bunker[k] && code == EV_POSITION) {
      *static_cast<float*>(a) = gPB->at[k].x;
      *static_cast<float*>(b) = gPB->at[k].y;
      *static_cast<float*>(c) = gPB->at[k].z;
    }
  }
}

}  // namespace

TEST_F(BehaviourTest, BunkerSpawnsUseAndChargeTheSpawningSidesPost) {
  PostsAndBunkers pb;
  for (int k = 0; k < 2; ++k) {
    pb.post[k] = Make(23);
    pb.bunker[k] = Make(25);
    pb.post[k]->trigAdd(pb.bunker[k], 0);
  }
  gPB = &pb;
  Fgr4_EventTrace = AnswerAsPostsAndBunkers;
  p1FgrKomPult = pb.post[0];
  p2FgrKomPult = pb.post[1];

  TestCar_FromBunker(2);
  tw_Unit* car = pTekUnit;
  ASSERT_NE(car, nullptr);
  EXPECT_EQ(car->iu[uiPreset], 2);
  EXPECT_EQ(car->iu[uiSide], 2);
  EXPECT_FLOAT_EQ(car->mb.pos.x, pb.at[1].x);
  EXPECT_FLOAT_EQ(car->mb.pos.z, pb.at[1].z + 60);
  EXPECT_EQ(pb.paid[1][0], car->iu[uiPrice]);
  EXPECT_EQ(pb.paid[1][1], car->iu[uiPrice + 1]);
  EXPECT_EQ(pb.paid[0][0], 0);

  TestFly_FromBunker(1);
  tw_Unit* fly = pTekUnit;
  ASSERT_NE(fly, car);
  EXPECT_EQ(fly->iu[uiPreset], 4);
  EXPECT_EQ(fly->iu[uiSide], 1);
  EXPECT_FLOAT_EQ(fly->mb.pos.x, pb.at[0].x + 20);
  EXPECT_FLOAT_EQ(fly->mb.pos.z, pb.at[0].z - 20);
  EXPECT_GE(fly->mb.pos.y, gUnitLowAirY);
  EXPECT_EQ(pb.paid[0][0], fly->iu[uiPrice]);

  p1FgrKomPult = p2FgrKomPult = nullptr;
  Fgr4_EventTrace = TraceEvent;
  gPB = nullptr;
}

namespace {

// The occupancy a run of self updates leaves: the seven grids and every
// unit's registration pairs.
struct Footprints {
  std::vector<unsigned char> grids;
  std::vector<int> pairs;
  bool operator==(const Footprints& o) const { return grids == o.grids && pairs == o.pairs; }
};

}  // namespace

// A unit that stays on its tiles writes nothing; the occupancy must still be
// exactly what releasing every tile and registering anew would leave, also
// for units sharing tiles, large units, flyers and tiles the terrain closes.
TEST_F(BehaviourTest, KeepingTilesEndsAsReleasingAndRegisteringWould) {
  auto run = [this](bool releaseFirst) {
    FreshWorldWithNewBase();
    walkabil_Init();
    std::mt19937 rng(5);
    std::vector<tw_Unit*> units;
    for (int k = 0; k < 80; ++k) {
      vec3 at(1000.0f + float(rng() % 200), 0, 1000.0f + float(rng() % 200));
      tw_Unit* u = Unit(1 + k % 2, at, k % 4 == 0 ? 4 : 2);
      if (k % 5 == 0) {
        u->iu[uiLarge] = 1;
        u->iu[uiRadius] = 5 + int(rng() % 20);
      }
      if (k % 3 == 1) u->iu[uiRegLayer] = 2;  // air and land
      units.push_back(u);
    }
    int mode = 2, flag = 1;
    for (int frame = 0; frame < 40; ++frame) {
      StartLap();
      for (tw_Unit* u : units)
        if (rng() % 3 == 0) u->mb.Pos(u->mb.pos + vec3(float(rng() % 9) - 4.0f, 0, float(rng() % 9) - 4.0f));
      for (int t = 0; t < 8; ++t) walkab1(50 + int(rng() % 10), 50 + int(rng() % 10), int(rng() % 2));
      for (tw_Unit* u : units) {
        if (releaseFirst) u->xDeReg();
        u->owner->Event(EV_UPD_SELF, &mode, &flag);
      }
    }
    Footprints f;
    for (const auto* g : {&walkability, &walkability2, &walkability3, &walkability4, &walkability5,
                          &walkability2345Land, &walkabilityAirLand})
      f.grids.insert(f.grids.end(), &(*g)[0][0], &(*g)[0][0] + gMapW * gMapH);
    for (tw_Unit* u : units) f.pairs.insert(f.pairs.end(), &u->iu[uiRegPair], &u->iu[uiRegPair] + 8);
    return f;
  };
  Footprints kept = run(false);
  Footprints released = run(true);
  EXPECT_TRUE(kept == released);
  int held = 0;
  for (size_t k = 0; k < kept.pairs.size(); k += 8)
    for (int j = 4; j < 8; ++j) held += kept.pairs[k + j] >= 0;
  EXPECT_GT(held, 40);
}
