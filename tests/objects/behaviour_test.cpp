// Units on the real world model and terrain, driven frame by frame through
// the holder with a fixed frame time: moving along their paths, firing,
// taking damage, dying, waiting on blocked cells, and their footprints.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "objects/soundglue.h"
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
