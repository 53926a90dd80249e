// Records of the scene objects: each round-trips byte for byte at its size
// and brings its values back; a record cut short or holding a bad value is
// refused whole, with its body freed and nothing made current.
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "tests/common/temp_dir.h"
#include "tests/objects/record_io.h"
#include "tests/world/world_fixture.h"

namespace {

// Bytes of the type part.
const struct {
  int type;
  size_t bytes;
} kSizes[] = {{2, 164},  {7, 508},  {8, 156},  {9, 236},  {10, 156}, {11, 72},  {12, 152}, {13, 160},
              {14, 160}, {15, 208}, {16, 152}, {17, 172}, {18, 152}, {19, 152}, {22, 144}};

class SceneRecordsTest : public WorldTest {
 protected:
  Fgr4* Frame() { return &FgrHld.fgrs[FgrHld.firstScrFrm]; }
  // A free handle far from the ones Make hands out.
  Fgr4& FreeSlot() { return FgrHld.fgrs[5000]; }

  template <class T>
  static T* Body(Fgr4* h) {
    return static_cast<T*>(h->body);
  }

  // An object of the type with saved members away from their defaults, and
  // one value of it to find again after loading.
  Fgr4* Filled(int type, std::function<double(Fgr4*)>& probe) {
    Fgr4* h = Make(type, type == 8 ? 3 : 1);
    if (!h) return nullptr;
    const vec3 at(1500, 20, 2500);
    switch (type) {
      case 2: {
        auto* b = Body<tw_Kmd3>(h);
        b->link = Frame();
        b->angle = 45.5f;
        b->side = 3;
        b->int9 = 9;
        b->mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_Kmd3>(x)->side + Body<tw_Kmd3>(x)->angle; };
        break;
      }
      case 7: {
        auto* b = Body<tw_Flr2>(h);
        b->blinkCount = 3;
        b->ringCount = 4;
        b->brightness = 0.7f;
        b->ringColour[5][3] = 0.33f;
        b->mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_Flr2>(x)->ringCount + Body<tw_Flr2>(x)->ringColour[5][3]; };
        break;
      }
      case 8: {
        auto* b = Body<tw_Stolb>(h);
        b->r.int39 = 39;
        b->r.mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_Stolb>(x)->r.variant * 100 + Body<tw_Stolb>(x)->r.int39; };
        break;
      }
      case 9: {
        auto* b = Body<tw_Svet1>(h);
        b->spriteSwitch = 1;
        b->light.range = 77;
        b->light.spotDir.w = 0.5f;
        b->light.cutoff = 45.0f;
        b->mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_Svet1>(x)->light.range + Body<tw_Svet1>(x)->light.spotDir.w; };
        break;
      }
      case 10: {
        auto* b = Body<tw_Trig1>(h);
        b->soundSwitch = 1;
        b->angle = 12.5f;
        b->int9 = 9;
        probe = [](Fgr4* x) { return Body<tw_Trig1>(x)->soundSwitch + Body<tw_Trig1>(x)->angle; };
        break;
      }
      case 11: {
        Fgr4* sector = Make(19);
        auto* b = Body<tw_Snow>(h);
        b->sector = sector;
        b->x = 10, b->y = 20, b->z = 30;
        b->float18 = 1.5f;
        b->column = 3;
        probe = [sector](Fgr4* x) { return (Body<tw_Snow>(x)->sector == sector) * 1000 + Body<tw_Snow>(x)->z; };
        break;
      }
      case 12: {
        auto* b = Body<tw_Smoke>(h);
        b->link = Frame();
        b->angle = 7.0f;
        b->int8 = 8;
        probe = [](Fgr4* x) { return Body<tw_Smoke>(x)->int8 + Body<tw_Smoke>(x)->angle; };
        break;
      }
      case 13:
      case 14: {
        t_BoomPart& p = type == 13 ? Body<tw_Boom>(h)->p : Body<tw_Oblom1>(h)->p;
        p.link = Frame();
        p.colourFlag = 4;
        p.int10 = 10;
        p.mb.Pos(at);
        probe = [type](Fgr4* x) {
          t_BoomPart& q = type == 13 ? Body<tw_Boom>(x)->p : Body<tw_Oblom1>(x)->p;
          return q.colourFlag * 100 + q.int10;
        };
        break;
      }
      case 15: {
        auto* b = Body<tw_Laser>(h);
        b->endPoint = vec3(1, 2, 3);
        b->brightness = 100;
        b->beamWidth = 1.25f;
        b->float22 = 2.0f;
        probe = [](Fgr4* x) { return Body<tw_Laser>(x)->brightness + Body<tw_Laser>(x)->endPoint.z; };
        break;
      }
      case 16:
      case 18: {
        t_MarkerPart& m = type == 16 ? Body<tw_TailStrip>(h)->p.m : Body<tw_EtapLink>(h)->p.m;
        t_LinkedMarker& lm = type == 16 ? Body<tw_TailStrip>(h)->p : Body<tw_EtapLink>(h)->p;
        lm.link = Frame();
        lm.angle = 3.0f;
        m.side = 2;
        m.int6 = 6;
        probe = [type](Fgr4* x) {
          t_MarkerPart& q = type == 16 ? Body<tw_TailStrip>(x)->p.m : Body<tw_EtapLink>(x)->p.m;
          return q.side * 10 + q.int6;
        };
        break;
      }
      case 17: {
        auto* b = Body<tw_Dekor>(h);
        b->link = Frame();
        b->modelGroup = 2;
        b->mesh = 7;
        b->int11 = 11;
        probe = [](Fgr4* x) { return Body<tw_Dekor>(x)->modelGroup * 100 + Body<tw_Dekor>(x)->int11; };
        break;
      }
      case 19: {
        auto* b = Body<tw_Sektor>(h);
        b->weather = 2;
        b->spawnPeriod = 700;
        b->mb.setGbr(100, 10, 100);
        probe = [](Fgr4* x) { return Body<tw_Sektor>(x)->spawnPeriod + Body<tw_Sektor>(x)->mb.Hf().x; };
        break;
      }
      case 22: {
        auto* b = Body<tw_Sputnik>(h);
        b->m.side = 5;
        b->m.int6 = 6;
        b->m.mb.Pos(at);
        probe = [](Fgr4* x) { return Body<tw_Sputnik>(x)->m.side * 10 + Body<tw_Sputnik>(x)->m.int6; };
        break;
      }
      default:
        return nullptr;
    }
    return h;
  }

  TempDir tmp_;  // the log of refused records lands here
};

}  // namespace

TEST_F(SceneRecordsTest, RecordsRoundTripByteForByte) {
  for (const auto& w : kSizes) {
    std::function<double(Fgr4*)> probe;
    Fgr4* h = Filled(w.type, probe);
    ASSERT_NE(h, nullptr) << w.type;
    ExpectRoundTrip(h, FreeSlot(), w.bytes, probe);
  }
}

TEST_F(SceneRecordsTest, ADamagedRecordLoadsNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const RecordDamage damage[] = {
      {2, 0, false, 0, 11500, "command point linked to a slot outside the holder"},
      {2, 4, true, 400.0f, 0, "command point angle past a turn"},
      {7, 160, false, 0, 7, "a flare of seven rings"},
      {7, 208, true, nan, 0, "flare brightness not a number"},
      {7, 248, true, 0.0f, 0, "a flare ring divisor of 0"},
      {7, 36, false, 0, 5, "a flare glow in atlas column 5"},
      {7, 56, false, 0, 0, "a flare ring in atlas row 0"},
      {8, 0, true, inf, 0, "post x infinite"},
      {9, 28, true, nan, 0, "light position not a number"},
      {11, 0, false, 0, 11500, "flake linked to a slot outside the holder"},
      {11, 40, true, inf, 0, "flake x infinite"},
      {11, 20, false, 0, INT32_MIN, "flake in atlas column -2^31"},
      {13, 4, true, -1.0f, 0, "explosion angle negative"},
      {15, 40, false, 0, 256, "laser brighter than 255"},
      {15, 44, false, 0, -4, "a laser fade that brightens"},
      {15, 60, false, 0, 9, "laser impact in atlas column 9"},
      {16, 4, true, nan, 0, "tail marker angle not a number"},
      {17, 32, false, 0, 6, "decoration of model group 6"},
      {22, 24, true, inf, 0, "satellite x infinite"},
  };
  for (const auto& w : kSizes) {
    std::function<double(Fgr4*)> probe;
    Fgr4* h = Filled(w.type, probe);
    ASSERT_NE(h, nullptr) << w.type;
    ExpectDamagedRecordsRefused(h, FreeSlot(), w.bytes, Frame(), damage, std::size(damage));
  }
}

// A sound channel is the running program's: one a record names belongs to
// whatever holds it now, so a loaded object starts without one.
TEST_F(SceneRecordsTest, ALoadedObjectHoldsNoSoundChannel) {
  auto channel = [](Fgr4* h) -> int32_t* {
    switch (h->WrkNom()) {
      case 7: return &Body<tw_Flr2>(h)->soundChannel;
      case 10: return &Body<tw_Trig1>(h)->soundChannel;
      case 13: return &Body<tw_Boom>(h)->p.soundChannel;
      case 14: return &Body<tw_Oblom1>(h)->p.soundChannel;
      case 15: return &Body<tw_Laser>(h)->soundChannel;
      case 17: return &Body<tw_Dekor>(h)->soundChannel;
      default: return nullptr;
    }
  };
  for (int type : {7, 10, 13, 14, 15, 17}) {
    std::function<double(Fgr4*)> probe;
    Fgr4* h = Filled(type, probe);
    ASSERT_NE(h, nullptr) << type;
    *channel(h) = 5;
    ASSERT_EQ(LoadRecord(FreeSlot(), type, SaveRecord(h)), 1) << type;
    EXPECT_EQ(*channel(&FreeSlot()), -1) << type;
    FreeSlot().Sbros();
  }
}
