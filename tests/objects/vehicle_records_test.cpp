// Records of the two vehicles: each round-trips byte for byte at its size and
// brings its values back; what belongs to the run that wrote it (blocked
// tiles, the sound channel) is not taken over and the range rings follow the
// ranges read; speeds, reaches, price and places are held to what a vehicle
// can live with; a record cut short or holding a bad value is refused whole.
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "objects/heldranges.h"
#include "tests/common/temp_dir.h"
#include "tests/objects/record_io.h"
#include "tests/world/world_fixture.h"

namespace {

// Bytes of the type part, and where its pieces start.
constexpr size_t kCarBytes = 878, kTankBytes = 826;
constexpr size_t kWayPoint = 28 + 402;  // the path's waypoint after its cells
constexpr size_t kInts = 498;           // the int run of both
constexpr size_t kCarFloats = 718, kCarPlace = 758;
constexpr size_t kTankFloats = 682, kTankPlace = 706;

class VehicleRecordsTest : public WorldTest {
 protected:
  Fgr4* Frame() { return &FgrHld.fgrs[FgrHld.firstScrFrm]; }
  Fgr4& FreeSlot() { return FgrHld.fgrs[5000]; }

  // A vehicle with saved values away from what creation gives.
  template <class V>
  V* Filled(int type, int kind) {
    Fgr4* h = Make(type, kind);
    if (!h) return nullptr;
    V* v = static_cast<V*>(h->body);
    v->target = Frame();
    v->spin = 45.5f;
    v->wanted = 3.0f;
    v->speed = 2.5f;
    v->movePoint = vec3(1200, 0, 1300);
    v->paf.wayPoint = vec3(1010, 4, 1030);
    v->paf.count = 3;
    v->paf.kle[2][0] = 77;
    v->side = 3;
    v->xp = 17;
    v->xpThreshold = 360;
    v->level = 2;
    v->range1 = 90;
    v->wheelSpin[3] = 33.0f;
    v->mb.Pos(1500, 20, 2500);
    return v;
  }

  template <class V>
  static void ExpectFilledValues(const V* v, Fgr4* frame) {
    EXPECT_EQ(v->target, frame);
    EXPECT_EQ(v->spin, 45.5f);
    EXPECT_EQ(v->wanted, 3.0f);
    EXPECT_EQ(v->speed, 2.5f);
    EXPECT_EQ(v->movePoint.z, 1300.0f);
    EXPECT_EQ(v->paf.wayPoint.z, 1030.0f);
    EXPECT_EQ(v->paf.count, 3);
    EXPECT_EQ(v->paf.kle[2][0], 77);
    EXPECT_EQ(v->side, 3);
    EXPECT_EQ(v->xp, 17);
    EXPECT_EQ(v->xpThreshold, 360);
    EXPECT_EQ(v->level, 2);
    EXPECT_EQ(v->wheelSpin[3], 33.0f);
    EXPECT_EQ(v->mb.pos.z, 2500.0f);
    // The rings are made from the ranges read.
    EXPECT_NEAR(length(v->ring1[0]), 90.0f, 0.01f);
    EXPECT_NEAR(length(v->ring3[7]), static_cast<float>(v->range3), 0.01f);
  }

  template <class V>
  void RoundTrip(int type, int kind, size_t typeBytes) {
    V* v = Filled<V>(type, kind);
    ASSERT_NE(v, nullptr);
    const std::vector<uint8_t> once = SaveRecord(v->owner);
    EXPECT_EQ(once.size(), kHandleBytes + typeBytes);
    ClearCurrentObjects();
    ASSERT_EQ(LoadRecord(FreeSlot(), type, once), 1);
    EXPECT_EQ(LastMade(type), &FreeSlot());
    ExpectFilledValues(static_cast<V*>(FreeSlot().body), Frame());
    EXPECT_EQ(SaveRecord(&FreeSlot()), once);
  }

  TempDir tmp_;  // the log of refused records lands here
};

}  // namespace

TEST_F(VehicleRecordsTest, RecordsRoundTripByteForByteAtTheirSizes) {
  RoundTrip<tw_Car1>(5, 2, kCarBytes);
  FreeSlot().Sbros();
  for (int variant : {0, 1, 2, 7}) {
    RoundTrip<tw_Tank1>(6, variant, kTankBytes);
    EXPECT_EQ(static_cast<tw_Tank1*>(FreeSlot().body)->variant, variant);
    FreeSlot().Sbros();
  }
}

TEST_F(VehicleRecordsTest, ALoadedVehicleHoldsNoTilesAndNoSoundChannelOfTheRunThatSavedIt) {
  tw_Car1* c = Filled<tw_Car1>(5, 2);
  ASSERT_NE(c, nullptr);
  for (int k = 0; k < 4; ++k) c->regTile[k] = 1234 + k;
  c->sndChannel = 5;
  c->flash = 200;
  ASSERT_EQ(LoadRecord(FreeSlot(), 5, SaveRecord(c->owner)), 1);
  const tw_Car1* l = static_cast<tw_Car1*>(FreeSlot().body);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(l->regTile[k], -1);
  EXPECT_EQ(l->sndChannel, -1);
  EXPECT_EQ(l->flash, 0);
  EXPECT_EQ(l->sve.mode, 1);  // lit like a created one
  EXPECT_EQ(l->zvuLastPos.x, l->mb.pos.x);
}

TEST_F(VehicleRecordsTest, ADamagedRecordLoadsNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const RecordDamage damage[] = {
      {5, 0, false, 0, 11500, "car following a slot outside the holder"},
      {5, 8, true, nan, 0, "car wanted speed not a number"},
      {5, kWayPoint, true, inf, 0, "car waypoint infinite"},
      {5, kInts + 4 * 12, false, 0, 6, "car of model group 6"},
      {5, kInts + 4 * 14, false, 0, -2, "car beacon of model group -2"},
      {5, kCarFloats + 4, true, nan, 0, "car wheel angle not a number"},
      {5, kCarPlace, true, inf, 0, "car x infinite"},
      {6, 4, true, nan, 0, "tank spin not a number"},
      {6, kInts + 4 * 10, false, 0, 6, "tank tracks of model group 6"},
      {6, kInts + 4 * 12, false, 0, INT32_MIN, "tank of model group -2^31"},
      {6, kTankFloats + 8, true, inf, 0, "tank wheel angle infinite"},
      {6, kTankPlace + 8, true, nan, 0, "tank z not a number"},
  };
  tw_Car1* c = Filled<tw_Car1>(5, 2);
  tw_Tank1* t = Filled<tw_Tank1>(6, 1);
  ASSERT_NE(c, nullptr);
  ASSERT_NE(t, nullptr);
  ExpectDamagedRecordsRefused(c->owner, FreeSlot(), kCarBytes, Frame(), damage, std::size(damage));
  ExpectDamagedRecordsRefused(t->owner, FreeSlot(), kTankBytes, Frame(), damage, std::size(damage));
}

TEST_F(VehicleRecordsTest, SpeedsReachesPriceAndPlacesOfARecordAreHeld) {
  auto check = [this](Fgr4* h, int type, size_t typeBytes, size_t place, auto* body) {
    using V = std::remove_pointer_t<decltype(body)>;
    std::vector<uint8_t> bytes = SaveRecord(h);
    const size_t part = bytes.size() - typeBytes;
    auto intAt = [&](const int32_t& member) {
      return part + kInts + static_cast<size_t>(reinterpret_cast<const char*>(&member) -
                                                reinterpret_cast<const char*>(&body->int0));
    };
    Poke(bytes, part + 8, 3e38f);     // wanted speed
    Poke(bytes, part + 12, -1e30f);   // speed
    Poke(bytes, part + 16, -1e30f);   // move point x
    Poke(bytes, part + place, 1e30f); // x
    Poke(bytes, intAt(body->sight), int32_t(INT_MAX));
    Poke(bytes, intAt(body->range1), int32_t(INT_MAX));
    Poke(bytes, intAt(body->range2), int32_t(-5));
    if constexpr (requires { body->price; }) Poke(bytes, intAt(body->price[0]), int32_t(INT_MIN));
    ASSERT_EQ(LoadRecord(FreeSlot(), type, bytes), 1) << type;
    const V* l = static_cast<V*>(FreeSlot().body);
    const struct {
      const char* what;
      double got, want;
    } cases[] = {
        {"wanted speed", l->wanted, held::kSpeedMax},
        {"speed", l->speed, 0},
        {"move point x", l->movePoint.x, -held::kPosMax},
        {"x", l->mb.pos.x, held::kPosMax},
        {"sight", double(l->sight), held::kReach},
        {"range 1", double(l->range1), held::kReach},
        {"range 2", double(l->range2), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << type << " " << c.what;
    if constexpr (requires { l->price; }) {
      EXPECT_EQ(l->price[0], 0) << type;
    }
    EXPECT_NEAR(length(l->ring1[0]), static_cast<float>(held::kReach), 1.0f) << type;
    FreeSlot().Sbros();
  };
  tw_Car1* c = Filled<tw_Car1>(5, 2);
  tw_Tank1* t = Filled<tw_Tank1>(6, 1);
  ASSERT_NE(c, nullptr);
  ASSERT_NE(t, nullptr);
  check(c->owner, 5, kCarBytes, kCarPlace, c);
  check(t->owner, 6, kTankBytes, kTankPlace, t);
}
