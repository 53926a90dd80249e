// Command posts and buildings on the real world model and terrain: the
// computer side's production at its bunker on the game clock, payments and
// the player's shown balances, the technology box link, the bunker's tiles
// and spawn mark, the buildings' terrain shaping, sight, seen test and
// drawing gates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "bench/bench_scene.h"
#include "objects/building.h"
#include "objects/kompult.h"
#include "objects/soundglue.h"
#include "objects/modesglue.h"
#include "render/render.h"
#include "tech/tech.h"
#include "tests/objects/unit_fixture.h"
#include "tests/world/alloc_counter.h"

namespace {

const vec3 kBunkerAt(1160, 0, 1160);

class ForcesTest : public UnitWorldTest {
 protected:
  void SetUp() override {
    UnitWorldTest::SetUp();
    globKredi = globTopli = -1;
    *o2::TestFgrDrawDom = 1;
    *o2::TestFgrDrawUnit = 1;
    PlayerFgrUnderKur = nullptr;
    WholeMapFrustum();
  }
  void TearDown() override {
    p1FgrKomPult = p2FgrKomPult = nullptr;
    UnitWorldTest::TearDown();
  }

  template <class T>
  T* Body(int type, int kind = 0) {
    Fgr4* h = Make(type, kind);
    return h ? static_cast<T*>(h->body) : nullptr;
  }
  tw_KomPult* Post(int side) {
    auto* p = Body<tw_KomPult>(tw_KomPult::kType, side);
    p->side = side;
    p->mb.Pos(0, 50, side == 1 ? 25 : -25);
    return p;
  }
  tw_DomXBunk* Bunker(int side, vec3 at, int mark = 1) {
    auto* b = Body<tw_DomXBunk>(tw_DomXBunk::kType, side);
    b->side = side;
    b->mb.Pos(at);
    b->mb.PosYOpor();
    b->spawnMark = mark;
    return b;
  }
  static int Units() { return Fgr4W.Unit.InUse(); }
  static int Price(int k) {
    tw_Unit probe;
    SetPresetUnitsTabForUnit(2, &probe);
    return probe.iu[uiPrice + k];
  }
  // Model orders of this frame for an owner.
  static int ModelOrders(Fgr4* owner) {
    int n = 0;
    for (const tzkz_FModels& q : RenderM.mdl)
      for (int b = 1; b <= tzkz_FModels::kBuckets; ++b)
        for (const FModels1_rec* r = q.Head(b); r; r = r->next) n += r->owner == owner;
    return n;
  }

};

}  // namespace

TEST_F(ForcesTest, TheComputerSideProducesAtItsBunkerOnTheGameClock) {
  tw_KomPult* post = Post(2);
  tw_DomXBunk* bunker = Bunker(2, kBunkerAt);
  post->owner->trigAdd(bunker->owner, 0);
  const int credits0 = post->credits, fuel0 = post->fuel;
  std::vector<int> madeAt;
  int units = Units();
  for (int ms = 100; ms <= 90000; ms += 100) {
    Frame(100);
    if (Units() != units) {
      EXPECT_EQ(Units(), units + 1) << "one unit at a time";
      units = Units();
      madeAt.push_back(ms);
      tw_Unit* u = pTekUnit;
      EXPECT_EQ(u->iu[uiPreset], 2);
      EXPECT_EQ(u->iu[uiSide], 2);
      EXPECT_GE(u->iu[uiMoveMode], 1) << "on its way to the middle";
      const int n = static_cast<int>(madeAt.size());
      EXPECT_EQ(post->credits, credits0 - n * Price(0));
      EXPECT_EQ(post->fuel, fuel0 - n * Price(1));
    }
  }
  EXPECT_EQ(madeAt, (std::vector<int>{9000, 30000, 51000, 72000}));
  EXPECT_EQ(post->carsLeft, 0);
  EXPECT_EQ(globKredi, -1) << "another side's balances are not the player's";
}

TEST_F(ForcesTest, AProducedUnitStandsBesideTheBunkerHeadingForTheMiddle) {
  tw_KomPult* post = Post(2);
  tw_DomXBunk* bunker = Bunker(2, kBunkerAt);
  post->owner->trigAdd(bunker->owner, 0);
  std::set<int> xs, zs;
  for (int k = 0; k < 60; ++k) {
    post->TryAddCar();
    tw_Unit* u = pTekUnit;
    ASSERT_NE(u, nullptr);
    EXPECT_FLOAT_EQ(u->mb.pos.x, bunker->mb.pos.x + 60);
    EXPECT_FLOAT_EQ(u->mb.pos.z, bunker->mb.pos.z + 60);
    EXPECT_FLOAT_EQ(u->mb.pos.y, Plit_GetOpora(u->mb.pos.x, 0, u->mb.pos.z));
    const int dx = static_cast<int>(std::lround(u->movePoint.x - Plit_GlobCentrX()));
    const int dz = static_cast<int>(std::lround(u->movePoint.z - Plit_GlobCentrZ()));
    EXPECT_TRUE(dx >= -80 && dx <= 100 && dx % 20 == 0) << dx;
    EXPECT_TRUE(dz >= 20 && dz <= 200 && dz % 20 == 0) << dz;
    xs.insert(dx);
    zs.insert(dz);
    u->owner->Kill(1);
    FgrHld.ResetOn_modeSaveFlags(0, 0, 0, 0);
  }
  EXPECT_GT(xs.size(), 5u);
  EXPECT_GT(zs.size(), 5u);
}

TEST_F(ForcesTest, WithoutAMarkedBunkerNothingIsMadeOrPaid) {
  struct Case {
    const char* what;
    int mark;       // -1: no bunker
    bool deadLink;  // the bunker killed after linking
  } cases[] = {{"no bunker", -1, false}, {"a bunker of mark 0", 0, false}, {"a killed bunker", 1, true}};
  for (const Case& c : cases) {
    tw_KomPult* post = Post(2);
    if (c.mark >= 0) {
      tw_DomXBunk* b = Bunker(2, kBunkerAt, c.mark);
      post->owner->trigAdd(b->owner, 0);
      if (c.deadLink) b->owner->Kill(1);
    }
    const int units = Units(), credits = post->credits;
    post->TryAddCar();
    EXPECT_EQ(Units(), units) << c.what;
    EXPECT_EQ(post->credits, credits) << c.what;
  }
  // Of two linked bunkers the one of mark 1 is found.
  tw_KomPult* post = Post(2);
  tw_DomXBunk* other = Bunker(2, vec3(400, 0, 400), 0);
  tw_DomXBunk* marked = Bunker(2, kBunkerAt, 1);
  post->owner->trigAdd(other->owner, 0);
  post->owner->trigAdd(marked->owner, 0);
  post->TryAddCar();
  EXPECT_FLOAT_EQ(pTekUnit->mb.pos.x, kBunkerAt.x + 60);
  int mark = -1;
  marked->owner->Event(EV_TRIGGER_KEY, &mark);
  EXPECT_EQ(mark, 1);
}

TEST_F(ForcesTest, TheLocalPostNeverProducesAndShowsItsBalances) {
  tw_KomPult* post = Post(PlayerBanerID);
  tw_DomXBunk* bunker = Bunker(PlayerBanerID, kBunkerAt);
  post->owner->trigAdd(bunker->owner, 0);
  const int units = Units();
  for (int k = 0; k < 100; ++k) Frame(1000);
  EXPECT_EQ(Units(), units);
  EXPECT_EQ(post->carsLeft, 4);
  EXPECT_EQ(globKredi, 4553);
  EXPECT_EQ(globTopli, 1532);
  // Payments may go below zero; the player sees them at once.
  int kr = 5000, oil = 10, x = 0;
  post->owner->Event(50, &kr, &oil, &x);
  EXPECT_EQ(post->credits, -447);
  EXPECT_EQ(globKredi, -447);
  EXPECT_EQ(globTopli, 1522);
  // Another side's payment changes only its own post.
  tw_KomPult* enemy = Post(2);
  enemy->UsePay(100, 100, 0);
  EXPECT_EQ(enemy->credits, 4453);
  EXPECT_EQ(globKredi, -447);
}

TEST_F(ForcesTest, PostAnswersItsSideAndPosition) {
  tw_KomPult* post = Post(2);
  int side = 2, answer = 0;
  post->owner->Event(48, &side, &answer);
  EXPECT_EQ(answer, 2);
  side = 1;
  answer = 7;
  post->owner->Event(48, &side, &answer);
  EXPECT_EQ(answer, 7);
  float x = 1, y = 1, z = 1;
  post->owner->Event(EV_POSITION, &x, &y, &z);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 50);
  EXPECT_EQ(z, -25);
  EXPECT_EQ(post->credits, 4553);
  EXPECT_EQ(post->countdown, 9000);
  EXPECT_EQ(post->tehBox, nullptr);
  // Its box, linked by the box's handle.
  auto* box = Body<tw_KomTehBox>(tw_KomTehBox::kType);
  post->fgrTehBoxSet(nullptr);
  EXPECT_EQ(post->tehBox, nullptr);
  post->fgrTehBoxSet(box);
  EXPECT_EQ(post->tehBox, box->owner);
}

TEST_F(ForcesTest, ABunkerBlocksItsFourTilesWhileItStands) {
  tw_DomXBunk* bunker = Bunker(1, kBunkerAt);
  const int cells[4][2] = {{57, 57}, {58, 57}, {57, 58}, {58, 58}};
  Frame();
  for (const auto& c : cells) EXPECT_EQ(walkability2345Land[c[0]][c[1]], 1) << c[0] << "," << c[1];
  // A ground path straight through the bunker's row goes round its tiles.
  ASSERT_EQ(FindPath(2, 0, 1090, 1150, 1250, 1150), found);
  bool aroundIt = true;
  for (int k = 0; k < pathLength[0]; ++k) {
    const int x = pathBank[0][2 * k], z = pathBank[0][2 * k + 1];
    for (const auto& c : cells) aroundIt &= !(x == c[0] && z == c[1]);
  }
  EXPECT_TRUE(aroundIt);
  // Frames keep the same four tiles; removal frees them.
  for (int k = 0; k < 5; ++k) Frame();
  for (int k = 0; k < 4; ++k) EXPECT_EQ(bunker->regTile[k], cells[k][1] * 200 + cells[k][0]);
  bunker->owner->Kill(1);
  for (const auto& c : cells) EXPECT_EQ(walkability2345Land[c[0]][c[1]], 0);
}

TEST_F(ForcesTest, EnergyBuildingBlocksItsTilesUntilDeactivated) {
  test1PointVec = vec3(1510, 0, 1510);
  auto* e = Body<tw_DomXEner>(tw_DomXEner::kType);
  e->side = 1;
  Frame();
  int held = 0;
  for (int k = 0; k < 4; ++k) held += e->regTile[k] >= 0 && walkability2345Land[e->regTile[k] % 200][e->regTile[k] / 200];
  EXPECT_EQ(held, 4);
  e->owner->Event(EV_DEACT);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(e->regTile[k], -1);
  EXPECT_EQ(e->owner->active, 0);
}

TEST_F(ForcesTest, LandUpShapesTheFootprint) {
  // Bunker: the four tiles under its corners built and level at its height.
  tw_DomXBunk* bunker = Bunker(1, vec3(1170, 7, 1170));
  bunker->mb.PosY(7);
  bunker->LandUp();
  for (vec3 d : {vec3(-10, 0, -10), vec3(10, 0, -10), vec3(-10, 0, 10), vec3(10, 0, 10)}) {
    const int i = t_PlitHold::YchFrCoord(1170 + d.x, 1170 + d.z);
    EXPECT_EQ(PlitHold.Plit[i].type, 2);
    EXPECT_FLOAT_EQ(PlitHold.GetMidY(i), 7);
  }
  // Energy building: built corners, hill between them and in the middle,
  // and the building set 0.25 lower.
  test1PointVec = vec3(1610, 0, 1610);
  auto* e = Body<tw_DomXEner>(tw_DomXEner::kType);
  const vec3 at = e->mb.Pos();
  e->LandUp();
  auto typeAt = [](float x, float z) { return PlitHold.Plit[t_PlitHold::YchFrCoord(x, z)].type; };
  for (vec3 d : {vec3(-20, 0, -20), vec3(20, 0, -20), vec3(-20, 0, 20), vec3(20, 0, 20)})
    EXPECT_EQ(typeAt(at.x + d.x, at.z + d.z), 2);
  for (vec3 d : {vec3(-20, 0, 0), vec3(20, 0, 0), vec3(0, 0, -20), vec3(0, 0, 20), vec3(0, 0, 0)})
    EXPECT_EQ(typeAt(at.x + d.x, at.z + d.z), 5);
  EXPECT_FLOAT_EQ(e->mb.pos.y, at.y - 0.25f);
}

TEST_F(ForcesTest, ANewBuildingStandsOnTheTileUnderThePickedPoint) {
  test1PointVec = vec3(1013, 0, 1027);
  auto* dom = Body<tw_Dom>(tw_Dom::kType);
  EXPECT_FLOAT_EQ(dom->mb.pos.x, 1010);
  EXPECT_FLOAT_EQ(dom->mb.pos.z, 1030);
  EXPECT_EQ(dom->mb.hf.x, 12);
  auto* e = Body<tw_DomXEner>(tw_DomXEner::kType);
  EXPECT_FLOAT_EQ(e->mb.pos.x, 1010);
  EXPECT_EQ(e->mb.hf.x, 30);
}

TEST_F(ForcesTest, SightSeenTestAndDrawGates) {
  tw_DomXBunk* own = Bunker(1, vec3(1000, 0, 1000));
  tw_DomXBunk* far = Bunker(2, vec3(3000, 0, 3000));
  tw_DomXBunk* near = Bunker(2, vec3(1300, 0, 1000));
  test1PointVec = vec3(3010, 0, 1010);
  auto* dom = Body<tw_Dom>(tw_Dom::kType);
  dom->side = 2;
  RenderM._ResetOnStartNewLap();
  Frame();
  FgrHld.DrawZkz(0, 1);
  EXPECT_EQ(own->seen, 1);
  EXPECT_EQ(near->seen, 1) << "inside the own bunker's sight circle of 420";
  EXPECT_EQ(far->seen, 0);
  EXPECT_EQ(dom->seen, 0);
  EXPECT_EQ(ModelOrders(own->owner), 4);
  EXPECT_EQ(ModelOrders(near->owner), 4);
  EXPECT_EQ(ModelOrders(far->owner), 0) << "an unseen enemy bunker is not drawn";
  EXPECT_EQ(ModelOrders(dom->owner), 1) << "a plain building is drawn whatever its seen flag";
  int dots = 0;
  for (int i = 0; i < KlientMiniMapFgrKlv; ++i) dots += KlientMiniMapFgrDotNom[i] == kDomDotKind;
  EXPECT_EQ(dots, 2) << "only the seen bunkers on the minimap";
  // The bunker's constant answers and sight radius.
  int c28 = -1, r = 0;
  own->owner->Event(28, &c28);
  own->owner->Event(51, &r);
  EXPECT_EQ(c28, 1);
  EXPECT_EQ(r, 40);
  int d28 = -1;
  dom->owner->Event(28, &d28);
  EXPECT_EQ(d28, 0);
  // With the drawing setting off no bunker draws.
  *o2::TestFgrDrawDom = 0;
  RenderM._ResetOnStartNewLap();
  FgrHld.DrawZkz(0, 1);
  EXPECT_EQ(ModelOrders(own->owner), 0);
}

TEST_F(ForcesTest, SelectedBuildingsAskForTheirSoundAndLetItGoAfterwards) {
  // Sound is off here: a selected building asks and is refused every update,
  // and one holding a channel marks it far when it is no longer selected.
  tw_DomXBunk* bunker = Bunker(1, vec3(1000, 0, 1000));
  PlayerSelectedOne(bunker->owner);
  Frame();
  EXPECT_EQ(bunker->soundChannel, -1);
  int ch = 3;
  bunker->owner->Event(EV_SOUND_CHANNEL, &ch);
  EXPECT_EQ(bunker->soundChannel, 3);
  int prio = 0;
  bunker->owner->Event(EV_SOUND_PRIORITY, &prio);
  EXPECT_EQ(prio, 1);
  PlayerSelectedReset();
  ZSrcMainKot_Dst[3] = 10.0f;
  RenderM._ResetOnStartNewLap();
  FgrHld.DrawZkz(0, 1);  // the bunker refreshes its selection while drawing
  Frame();
  EXPECT_EQ(ZSrcMainKot_Dst[3], 5003.0f);
  ZSrcMainKot_Dst[3] = 0.0f;
}

TEST_F(ForcesTest, FramesOfTheForcesDoNotAllocate) {
  tw_KomPult* enemy = Post(2);
  tw_DomXBunk* enemyBunker = Bunker(2, vec3(2800, 0, 2800));
  enemy->owner->trigAdd(enemyBunker->owner, 0);
  enemy->countdown = 20;  // a first production brings the work lists to their size
  tw_KomPult* own = Post(1);
  tw_DomXBunk* ownBunker = Bunker(1, kBunkerAt);
  auto* box = Body<tw_KomTehBox>(tw_KomTehBox::kType);
  box->SetStart_K(1, 1, 1);
  own->fgrTehBoxSet(box);
  test1PointVec = vec3(1300, 0, 1300);
  Body<tw_Dom>(tw_Dom::kType)->side = 1;
  Body<tw_DomXEner>(tw_DomXEner::kType)->side = 2;
  PlayerSelectedOne(ownBunker->owner);
  auto frame = [] {
    RenderM._ResetOnStartNewLap();
    NowIn_masSvetik = NowIn_masLandSvetik = 0;
    MSpr_TekV = 0;
    Frame(16);
    FgrHld.DrawZkz(0, 1);
    int tier = 1, name = 0;
    p1FgrKomPult->Event(47, &tier, &name);
  };
  p1FgrKomPult = own->owner;
  Fgr4_EventTrace = nullptr;
  for (int k = 0; k < 3; ++k) frame();
  enemy->countdown = 300;
  const int units = Units();
  const long before = HeapAllocations();
  for (int k = 0; k < 40; ++k) frame();
  EXPECT_EQ(HeapAllocations() - before, 0);
  EXPECT_EQ(Units(), units + 1) << "a production happened on the way";
}
