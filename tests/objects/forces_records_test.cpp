// Records of the command post, the buildings and the technology box: each
// round-trips byte for byte at its size and brings its values back; a record
// cut short or holding a bad value is refused whole; what a record cannot
// carry over from another run (tile registrations, a sound channel) is not
// taken from it.
#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "objects/heldranges.h"
#include "objects/soundglue.h"
#include "tech/tech.h"
#include "tests/common/temp_dir.h"
#include "tests/objects/record_io.h"
#include "tests/world/world_fixture.h"

namespace {

const struct {
  int type;
  size_t bytes;
} kSizes[] = {{21, 160}, {23, 164}, {24, 180}, {25, 268}, {26, 236}};

class ForcesRecordsTest : public WorldTest {
 protected:
  Fgr4& FreeSlot() { return FgrHld.fgrs[5000]; }
  template <class T>
  static T* Body(Fgr4* h) {
    return static_cast<T*>(h->body);
  }

  // An object with saved members away from their defaults, and a value of
  // it to find again after loading.
  Fgr4* Filled(int type, std::function<double(Fgr4*)>& probe) {
    Fgr4* h = Make(type, 1);
    if (!h) return nullptr;
    const vec3 at(1500, 20, 2500);
    switch (type) {
      case 21: {
        auto* b = Body<tw_KomTehBox>(h);
        b->baner = 2;
        b->nearTeh[3] = 33;
        b->mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_KomTehBox>(x)->baner * 100 + Body<tw_KomTehBox>(x)->nearTeh[3]; };
        break;
      }
      case 23: {
        auto* b = Body<tw_KomPult>(h);
        b->tehBox = Make(21);
        b->side = 2;
        b->credits = -17;
        b->carsLeft = 3;
        b->angle = 12.5f;
        b->mb.Pos(at);
        Fgr4* box = b->tehBox;
        probe = [box](Fgr4* x) {
          auto* p = Body<tw_KomPult>(x);
          return (p->tehBox == box) * 1e6 + p->credits * 100 + p->carsLeft + p->angle;
        };
        break;
      }
      case 24: {
        auto* b = Body<tw_Dom>(h);
        b->link = Make(21);
        b->side = 3;
        b->int12 = 12;
        b->mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_Dom>(x)->side * 100 + Body<tw_Dom>(x)->int12 + Body<tw_Dom>(x)->mesh; };
        break;
      }
      case 25: {
        auto* b = Body<tw_DomXBunk>(h);
        b->spawnMark = 1;
        b->int21[7] = 28;
        b->dishAngle = 33.0f;
        b->mb.Pos(at);
        probe = [](Fgr4* x) {
          auto* q = Body<tw_DomXBunk>(x);
          return q->spawnMark * 1000 + q->int21[7] + q->dishAngle + q->groundLight;
        };
        break;
      }
      case 26: {
        auto* b = Body<tw_DomXEner>(h);
        b->int24 = 24;
        b->lift = 100.0f;
        b->mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_DomXEner>(x)->int24 + Body<tw_DomXEner>(x)->lift; };
        break;
      }
      default:
        return nullptr;
    }
    return h;
  }

  TempDir tmp_;
};

}  // namespace

TEST_F(ForcesRecordsTest, RecordsRoundTripByteForByte) {
  for (const auto& w : kSizes) {
    std::function<double(Fgr4*)> probe;
    Fgr4* h = Filled(w.type, probe);
    ASSERT_NE(h, nullptr) << w.type;
    ExpectRoundTrip(h, FreeSlot(), w.bytes, probe);
  }
}

TEST_F(ForcesRecordsTest, ADamagedRecordLoadsNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const RecordDamage damage[] = {
      {21, 40, true, nan, 0, "technology box x not a number"},
      {23, 0, false, 0, 11500, "post linked to a box outside the holder"},
      {23, 4, true, 400.0f, 0, "post angle past a turn"},
      {23, 44, true, inf, 0, "post x infinite"},
      {24, 0, false, 0, -3, "building linked to slot -3"},
      {24, 4, true, -1.0f, 0, "building angle negative"},
      {25, 136, true, 361.0f, 0, "dish angle past a turn"},
      {25, 140, true, nan, 0, "ground light not a number"},
      {25, 148, true, inf, 0, "bunker x infinite"},
      {26, 104, true, -0.5f, 0, "light lift negative"},
      {26, 108, true, inf, 0, "ground light infinite"},
  };
  for (const auto& w : kSizes) {
    std::function<double(Fgr4*)> probe;
    Fgr4* h = Filled(w.type, probe);
    ASSERT_NE(h, nullptr) << w.type;
    ExpectDamagedRecordsRefused(h, FreeSlot(), w.bytes, Make(21), damage, std::size(damage));
  }
}

TEST_F(ForcesRecordsTest, ALoadedBuildingHoldsNoTilesOrChannelOfItsRecord) {
  // A channel the saving run held (one of the twelve, or beyond them).
  for (int type : {25, 26})
    for (int32_t saved : {5, 40}) {
      std::function<double(Fgr4*)> probe;
      Fgr4* h = Filled(type, probe);
      std::vector<uint8_t> bytes = SaveRecord(h);
      const size_t part = bytes.size() - (type == 25 ? 268 : 236);
      const size_t tiles = type == 25 ? 16 * 4 : 19 * 4;
      for (int k = 0; k < 4; ++k) Poke(bytes, part + tiles + 4 * k, int32_t(1000 + k));
      Poke(bytes, part + 12, saved);
      ASSERT_EQ(LoadRecord(FreeSlot(), type, bytes), 1);
      const int32_t* t = type == 25 ? Body<tw_DomXBunk>(&FreeSlot())->regTile : Body<tw_DomXEner>(&FreeSlot())->regTile;
      const int32_t ch = type == 25 ? Body<tw_DomXBunk>(&FreeSlot())->soundChannel
                                    : Body<tw_DomXEner>(&FreeSlot())->soundChannel;
      for (int k = 0; k < 4; ++k) EXPECT_EQ(t[k], -1) << type;
      EXPECT_EQ(ch, -1) << type << " saved with channel " << saved;
      // Its first update leaves the channel's real owner alone.
      ZSrcMainKot_Dst[5] = 10.0f;
      int mode = 2, ex = 1;
      FreeSlot().Event(EV_UPD, &mode, &ex);
      EXPECT_EQ(ZSrcMainKot_Dst[5], 10.0f) << type << " saved with channel " << saved;
      ZSrcMainKot_Dst[5] = 0.0f;
      // Killing it releases nothing it never held.
      walkabLand(0, 5, 1);  // tile 1000 taken by someone else
      FreeSlot().Kill(1);
      EXPECT_EQ(walkability2345Land[0][5], 1) << type;
      walkabLand(0, 5, 0);
      FgrHld.ResetOn_modeSaveFlags(0, 0, 0, 0);
    }
  // A loaded building's range ring is made from its loaded radius.
  std::function<double(Fgr4*)> probe;
  Fgr4* h = Filled(24, probe);
  Body<tw_Dom>(h)->ringRadius = 250;
  ASSERT_EQ(LoadRecord(FreeSlot(), 24, SaveRecord(h)), 1);
  const vec3 p = Body<tw_Dom>(&FreeSlot())->ring[0];
  EXPECT_NEAR(std::sqrt(p.x * p.x + p.z * p.z), 250.0f, 0.01f);
}

TEST_F(ForcesRecordsTest, ThePostPassesTheTierQueryOnlyToALiveTechnologyBox) {
  Fgr4* box = Make(21);
  Fgr4* bunker = Make(25);
  ASSERT_TRUE(box && bunker);
  Fgr4& a = FgrHld.fgrs[5000];
  Fgr4& b = FgrHld.fgrs[5001];
  std::function<double(Fgr4*)> probe;
  const std::vector<uint8_t> post = SaveRecord(Filled(23, probe));
  const size_t linkAt = post.size() - 164;
  auto load = [&](Fgr4& slot, int32_t linked) {
    std::vector<uint8_t> bytes = post;
    Poke(bytes, linkAt, linked);
    return LoadRecord(slot, 23, bytes);
  };
  // The answer of the tier query, -1 when nobody answered.
  auto ask = [](Fgr4& h) {
    int tier = 1, id = -1;
    h.Event(47, &tier, &id);
    return id;
  };
  const struct {
    const char* what;
    int32_t linkA, linkB;  // the links of the posts loaded into a and b (b: -1 none loaded)
    Fgr4* keptA;           // a's link after loading
    bool answered;         // a answers the query with its box's answer
  } cases[] = {
      {"a post naming itself", 5000, -1, nullptr, false},
      {"a post naming a bunker", bunker->logNom, -1, nullptr, false},
      // The first post's link names a slot empty at its load: it reaches
      // nothing, also once the second post is loaded there.
      {"two posts naming each other", 5001, 5000, nullptr, false},
      {"a post naming its box", box->logNom, -1, box, true},
  };
  const int boxAnswer = ask(*box);
  ASSERT_NE(boxAnswer, -1);
  for (const auto& c : cases) {
    ASSERT_EQ(load(a, c.linkA), 1) << c.what;
    if (c.linkB >= 0) {
      ASSERT_EQ(load(b, c.linkB), 1) << c.what;
      EXPECT_EQ(Body<tw_KomPult>(&b)->tehBox, nullptr) << c.what << ": the second post's link is dropped";
      EXPECT_EQ(ask(b), -1) << c.what;
    }
    EXPECT_EQ(Body<tw_KomPult>(&a)->tehBox, c.keptA) << c.what;
    EXPECT_EQ(ask(a), c.answered ? boxAnswer : -1) << c.what;
    a.Sbros();
    b.Sbros();
  }
  // Links that come to name each other while the level runs (a box's slot
  // taken again by a post) end the query too.
  Fgr4* p = Make(23);
  Fgr4* q = Make(23);
  Body<tw_KomPult>(p)->tehBox = q;
  Body<tw_KomPult>(q)->tehBox = p;
  EXPECT_EQ(ask(*p), -1);
}

TEST_F(ForcesRecordsTest, APostsBalancesStayWithinTheirRangeLoadedOrPaid) {
  std::function<double(Fgr4*)> probe;
  std::vector<uint8_t> bytes = SaveRecord(Filled(23, probe));
  const size_t ints = bytes.size() - 164 + 8;  // after the link and the angle
  Poke(bytes, ints + 4 * 4, int32_t(INT_MIN));  // credits
  Poke(bytes, ints + 5 * 4, int32_t(INT_MAX));  // fuel
  ASSERT_EQ(LoadRecord(FreeSlot(), 23, bytes), 1);
  auto* post = Body<tw_KomPult>(&FreeSlot());
  EXPECT_EQ(post->credits, -held::kBalanceMax);
  EXPECT_EQ(post->fuel, held::kBalanceMax);
  const struct {
    int kr, oil;
    int32_t credits, fuel;  // after paying
  } pays[] = {
      {INT_MAX, INT_MIN, -held::kBalanceMax, held::kBalanceMax},
      {INT_MIN, INT_MAX, held::kBalanceMax, -held::kBalanceMax},
      {5, -5, held::kBalanceMax - 5, -held::kBalanceMax + 5},
  };
  for (const auto& p : pays) {
    int kr = p.kr, oil = p.oil, x = 0;
    FreeSlot().Event(50, &kr, &oil, &x);
    EXPECT_EQ(post->credits, p.credits) << p.kr;
    EXPECT_EQ(post->fuel, p.fuel) << p.oil;
  }
}
