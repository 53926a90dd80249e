// The unit object: creation from a preset, its answers, and its record.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "objects/heldranges.h"
#include "tests/common/temp_dir.h"
#include "tests/world/world_fixture.h"
#include "render/render.h"
#include "ui/ui.h"

namespace {

class UnitTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_TRUE(tmp_.Ok());
    LoadDefaultUnitTables();
  }
  TempDir tmp_;

  tw_Unit* MakeUnit(int preset) {
    Fgr4* h = Make(27, preset);
    return h ? static_cast<tw_Unit*>(h->body) : nullptr;
  }

  // The unit's whole record (handle part first), as event 1 writes it.
  static std::vector<unsigned char> Record(tw_Unit* u) {
    FILE* f = std::tmpfile();
    u->owner->Event(EV_SAVE, &f);
    std::vector<unsigned char> bytes(static_cast<size_t>(std::ftell(f)));
    std::rewind(f);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    bytes.resize(got);
    return bytes;
  }

  // Loads the bytes into the unit through event 2.
  static void Load(tw_Unit* u, const std::vector<unsigned char>& bytes) {
    FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    int kind = 0, current = 1;
    u->owner->Event(EV_LOAD, &f, &kind, &current);
    std::fclose(f);
  }

  // Where the int run starts in a record: after the handle part, the two
  // links, the move point and the path follower.
  static size_t IntRunOffset(tw_Unit* u) {
    FILE* f = std::tmpfile();
    size_t handle = static_cast<size_t>(u->owner->AddToFile(f));
    std::fclose(f);
    return handle + 8 + 12 + t_PafMove1::kRecordSize;
  }

  static void PutInt(std::vector<unsigned char>& b, size_t at, int32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * k));
  }
};

}  // namespace

TEST_F(UnitTest, CreatedFromPresetTwo) {
  tw_Unit* u = MakeUnit(2);
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(pTekUnit, u);
  const tw_Unit& p = origSborU.row[2];
  EXPECT_EQ(u->Status(), 1);
  EXPECT_EQ(u->iu[uiPreset], 2);
  EXPECT_EQ(u->iu[uiHP], p.iu[uiHP]);
  EXPECT_EQ(u->iu[uiArmor], p.iu[uiArmor]);
  EXPECT_EQ(u->iu[uiSight], 20 * p.iu[uiSight]);
  EXPECT_EQ(u->iu[uiDist2], 20 * p.iu[uiDist2]);
  int price[3] = {-1, -1, -1};
  u->owner->Event(50, &price[0], &price[1], &price[2]);
  EXPECT_EQ(price[0], p.iu[uiPrice]);
  EXPECT_EQ(price[1], p.iu[uiPrice + 1]);
  EXPECT_EQ(price[2], p.iu[uiPrice + 2]);
  int only = -1, other = -1;
  u->owner->Event(50, nullptr, &only, nullptr);
  EXPECT_EQ(only, p.iu[uiPrice + 1]);
  EXPECT_EQ(other, -1);

  // Weapons from the table, their ranges in world units, and the rings.
  ASSERT_NE(u->Gun(), nullptr);
  EXPECT_EQ(u->Gun()->w[t_ArItem::wRange1], 4 * 20);
  EXPECT_EQ(u->Gun()->w[t_ArItem::wRange2], 6 * 20);
  EXPECT_NE(u->items[0], nullptr);
  EXPECT_NE(u->items[2], nullptr);
  EXPECT_EQ(u->items[3], nullptr);
  const struct {
    const vec3* ring;
    int n;
    float r;
  } rings[] = {{u->ringShort, 32, 80.0f},
               {u->ringLong, 40, 120.0f},
               {u->ringSight, 40, static_cast<float>(u->iu[uiSight])},
               {u->ringSel, 16, u->iu[uiRadius] + 2.0f}};
  for (const auto& r : rings)
    for (int k = 0; k < r.n; ++k) EXPECT_NEAR(length(r.ring[k]), r.r, 0.01f * r.r) << r.n << " " << k;

  EXPECT_EQ(u->mb.Hf().x, 5.0f);
  EXPECT_EQ(u->mb.Hf().z, 7.0f);
  EXPECT_NEAR(u->mb.pos.x, 2000.0f, 52.0f);
  EXPECT_FLOAT_EQ(u->fu[ufTurretPitch], -15.0f);
  EXPECT_EQ(u->iu[uiWingL], 1);
  EXPECT_EQ(u->owner->SaveCategory, FGR4_SAVE_ETAP_D);

  int hp = -1, armour = -1, third = -1, fourth = -1, radius = -1;
  u->owner->Event(54, &hp, &armour, &third, &fourth);
  u->owner->Event(51, &radius);
  EXPECT_EQ(hp, u->iu[uiHP]);
  EXPECT_EQ(fourth, 0);
  EXPECT_EQ(radius, u->iu[uiRadius]);
}

TEST_F(UnitTest, NamesAreTwelveLettersZeroTerminated) {
  tw_Unit* u = MakeUnit(1);
  u->setName("ABCDEFGHIJKLMNOP");
  EXPECT_STREQ(u->getName12simb(), "ABCDEFGHIJKL");
  u->setName("");
  EXPECT_STREQ(u->getName12simb(), "ABCDEFGHIJKL");
  MakeTBufGru(95, 0);
  ASSERT_NE(gr_TBuf[0], nullptr);
  u->owner->Event(56);
  EXPECT_STREQ(gr_TBuf[0][0].text, "ABCDEFGHIJKL");
  KillTBufGru(0);
}

TEST_F(UnitTest, RecordRoundTripsByteForByteWeaponsIncluded) {
  tw_Unit* a = MakeUnit(2);
  tw_Unit* b = MakeUnit(3);
  a->iu[uiSide] = 2;
  a->iu[uiXP] = 17;
  a->fu[ufTurretYaw] = 123.5f;
  a->movePoint = vec3(10, 20, 30);
  a->Gun()->w[t_ArItem::wReloadLeft] = 333;
  // The load rolls new wheel angles; roll them from the same seed both times.
  sysSRand(77);
  proCar::Init0(&a->fu[ufWheel], &a->fu[ufSteer]);
  std::vector<unsigned char> saved = Record(a);
  sysSRand(77);
  Load(b, saved);
  EXPECT_EQ(pTekUnit, b);
  std::vector<unsigned char> again = Record(b);
  ASSERT_EQ(again.size(), saved.size());
  for (size_t k = 0; k < saved.size(); ++k) EXPECT_EQ(again[k], saved[k]) << "byte " << k;
  EXPECT_EQ(b->iu[uiPreset], 2);
  ASSERT_NE(b->Gun(), nullptr);
  EXPECT_EQ(b->Gun()->w[t_ArItem::wReloadLeft], 333);
  EXPECT_EQ(b->Gun()->w[t_ArItem::wRange1], 80);  // not multiplied again
}

TEST_F(UnitTest, WeaponsMissingFromARecordComeFromTheTable) {
  tw_Unit* a = MakeUnit(2);
  for (t_ArItem*& item : a->items) item = nullptr;
  std::vector<unsigned char> saved = Record(a);
  tw_Unit* b = MakeUnit(1);
  for (t_ArItem*& item : b->items) item = nullptr;
  Load(b, saved);
  ASSERT_NE(b->Gun(), nullptr);
  EXPECT_EQ(b->Gun()->w[t_ArItem::wRange2], 120);
  EXPECT_EQ(b->items[3], nullptr);
}

TEST_F(UnitTest, DamagedRecordIsClamped) {
  tw_Unit* a = MakeUnit(2);
  a->paf.onPath = 1;
  std::vector<unsigned char> saved = Record(a);
  const size_t ints = IntRunOffset(a);
  const struct {
    int index, value;
  } damage[] = {{uiPreset, 77}, {uiModel, 99}, {uiModel + 2, -5}, {uiModel + 4, 1 << 30}, {uiModel + 3, -9},
                {uiSndChannel, 5}, {uiRegTile, 123}, {uiRegTile + 1, 39999}, {uiSlotCount, 400},
                {uiSelect, 9}, {uiStrikeCount, -500}};
  for (const auto& d : damage) PutInt(saved, ints + 4 * d.index, d.value);
  // The path follower's step and count words.
  const size_t paf = ints - t_PafMove1::kRecordSize;
  PutInt(saved, paf + 2 * 201 + 24 + 8, 100000);
  PutInt(saved, paf + 2 * 201 + 24 + 12, -100000);

  tw_Unit* b = MakeUnit(3);
  Load(b, saved);
  EXPECT_EQ(b->iu[uiPreset], 4);
  EXPECT_EQ(b->Status(), 1);
  EXPECT_EQ(b->iu[uiModel], kMdlGroups - 1);
  EXPECT_EQ(b->iu[uiModel + 2], 0);
  EXPECT_EQ(b->iu[uiModel + 4], kMdlGroups - 1);
  EXPECT_EQ(b->iu[uiModel + 3], 0);
  EXPECT_EQ(b->iu[uiSndChannel], -1);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(b->iu[uiRegTile + k], -1);
  EXPECT_EQ(b->iu[uiSlotCount], 9);
  EXPECT_EQ(b->iu[uiSelect], 1);
  EXPECT_EQ(b->iu[uiStrikeCount], 0);
  EXPECT_LE(b->paf.step, t_PafMove1::kCells);
  EXPECT_GE(b->paf.count, 0);

  // A record cut short and a weapon flag other than 1: no crash, no weapon
  // record read from the wrong place.
  std::vector<unsigned char> cut(saved.begin(), saved.begin() + static_cast<long>(ints + 100));
  tw_Unit* c = MakeUnit(2);
  Load(c, cut);
  EXPECT_EQ(c->Status(), 1);
}

TEST_F(UnitTest, ARecordsNumbersAreHeldToWhatAUnitCanLiveWith) {
  tw_Unit* a = MakeUnit(2);
  ASSERT_NE(a->items[0], nullptr);
  ASSERT_NE(a->Gun(), nullptr);
  std::vector<unsigned char> saved = Record(a);
  const size_t ints = IntRunOffset(a), floats = ints + 4 * uiIntCount, place = floats + 4 * ufFloatCount;
  const size_t movePoint = ints - t_PafMove1::kRecordSize - 12;
  const size_t gun = place + 120 + 4 + 4 * (t_ArItem::kInts + t_ArItem::kFloats) + 4;
  auto putFloat = [&saved](size_t at, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    PutInt(saved, at, static_cast<int32_t>(bits));
  };
  PutInt(saved, ints + 4 * uiRadius, INT_MAX);
  PutInt(saved, ints + 4 * uiSight, INT_MAX);
  PutInt(saved, ints + 4 * uiPrice, INT_MIN);
  PutInt(saved, ints + 4 * (uiPrice + 1), INT_MAX);
  PutInt(saved, gun + 4 * t_ArItem::wRange1, INT_MAX);
  PutInt(saved, gun + 4 * t_ArItem::wRange2, -7);
  for (int k : {int(ufCruise), int(ufSpeed), int(ufAccel)}) putFloat(floats + 4 * k, 3e38f);
  putFloat(place, -1e30f);
  putFloat(place + 8, 1e30f);
  putFloat(place + 4 * 11, 1e30f);  // the forward axis's z
  putFloat(movePoint, 1e30f);

  tw_Unit* b = MakeUnit(3);
  Load(b, saved);
  ASSERT_EQ(b->Status(), 1);
  ASSERT_NE(b->Gun(), nullptr);
  const struct {
    const char* what;
    double got, want;
  } cases[] = {
      {"radius", double(b->iu[uiRadius]), held::kRadiusMax},
      {"sight", double(b->iu[uiSight]), held::kReach},
      {"credits", double(b->iu[uiPrice]), 0},
      {"fuel", double(b->iu[uiPrice + 1]), held::kPriceMax},
      {"short range", double(b->Gun()->w[t_ArItem::wRange1]), held::kReach},
      {"long range", double(b->Gun()->w[t_ArItem::wRange2]), 0},
      {"cruise", b->fu[ufCruise], held::kSpeedMax},
      {"speed", b->fu[ufSpeed], held::kSpeedMax},
      {"acceleration", b->fu[ufAccel], held::kAccelMax},
      {"x", b->mb.pos.x, -held::kPosMax},
      {"z", b->mb.pos.z, held::kPosMax},
      {"move point x", b->movePoint.x, held::kPosMax},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
  EXPECT_NEAR(length(b->mb.fwd), 1.0f, 1e-4f) << "forward axis";
}

TEST_F(UnitTest, KillFreesTheSlotAndDeactivateKeepsIt) {
  tw_Unit* u = MakeUnit(2);
  Fgr4* h = u->owner;
  h->Event(EV_DEACT);
  EXPECT_EQ(h->active, 0);
  EXPECT_EQ(u->Status(), 1);
  h->Kill(1);
  EXPECT_EQ(u->Status(), 0);
  EXPECT_EQ(u->owner, nullptr);
  EXPECT_EQ(Fgr4W.Unit.InUse(), 0);
}
