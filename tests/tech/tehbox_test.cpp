// The technology box: its built-in table field by field with its flag
// variants, starting a technology, the tier query (also through the side's
// command post), its record, the table's life with the slot, and the
// numbered properties the editor shows and edits.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "objects/objects.h"
#include "shell/shell.h"
#include "tech/tech.h"
#include "tests/common/temp_dir.h"
#include "tests/objects/record_io.h"
#include "tests/ui/widget_fixture.h"
#include "tests/world/world_fixture.h"

namespace {

// The table as it stands with every flag 0: kr, oil, time (ms), aP, aDom,
// a2, a3, a4, staMsg of records 1..49.
struct Row {
  int kr, oil, time, aP, aDom, a2, a3, a4, staMsg;
};
const Row kTable[49] = {
    {7, 0, 7000, 2, -3, 0, 0, 0, 61},         {12, 0, 8000, 1, -3, 0, 0, 0, 64},
    {10, 15, 15000, 0, -3, -6, 0, 0, 67},     {20, 1, 10000, 0, -3, 0, 0, 0, 70},
    {30, 20, 35000, 0, -3, -5, 0, 0, 73},     {10, 15, 15000, 0, -2, -9, 0, 0, 76},
    {20, 5, 15000, 8, -1, -6, 6, 0, 79},      {20, 5, 15000, 7, -1, -6, 6, 0, 82},
    {10, 5, 15000, 0, -2, 7, 8, -1, 85},      {20, 5, 15000, 0, -2, 9, -1, 0, 88},
    {30, 20, 15000, 0, -1, 10, 0, 0, 91},     {20, 5, 15000, 508, -1, 11, 8, 0, 94},
    {20, 5, 15000, 507, -1, 11, 7, 0, 97},    {10, 5, 15000, 0, -2, -9, 0, 0, 100},
    {10, 5, 15000, 0, -2, -9, 14, -6, 103},   {20, 15, 15000, 0, -1, 15, -13, 0, 106},
    {20, 15, 15000, 0, -1, 15, -13, 0, 109},  {20, 15, 15000, 0, -1, 16, 17, -13, 112},
    {20, 15, 15000, 0, -1, 18, 0, 0, 115},    {50, 30, 31000, 0, -29, -12, 19, 0, 118},
    {20, 5, 15000, 0, -2, -6, 0, 0, 121},     {10, 5, 15000, 0, -2, -6, -15, 0, 124},
    {20, 15, 15000, 0, -1, -31, 21, 22, 127}, {20, 15, 15000, 25, -28, 23, 0, 0, 130},
    {20, 15, 15000, 24, -28, 23, 0, 0, 133},  {20, 15, 15000, 0, -1, 24, 25, -10, 136},
    {20, 15, 15000, 0, -1, 24, 25, -10, 139}, {20, 15, 15000, 529, -28, -31, 26, 27, 142},
    {20, 15, 15000, 528, -28, -31, 26, 27, 145}, {20, 15, 15000, 0, -1, -21, -22, 0, 148},
    {20, 15, 15000, 0, -1, 30, -22, 0, 151},  {20, 15, 15000, 0, -1, 30, -22, 0, 154},
    {20, 15, 15000, 0, -1, -31, 31, 32, 157}, {20, 15, 15000, 0, -30, -31, 31, 32, 160},
    {10, 5, 15000, 0, -2, -9, 0, 0, 163},     {20, 15, 15000, 0, -1, -9, 35, 0, 166},
    {30, 20, 15000, 0, -28, -22, 36, 0, 169}, {10, 15, 15000, 0, -2, -21, 1, 2, 172},
    {10, 5, 15000, 0, -1, -5, 1, 2, 175},     {50, 20, 15000, 0, -2, -31, 38, 39, 178},
    {50, 20, 15000, 0, -1, -31, 38, 39, 181}, {50, 30, 15000, 0, -2, -31, 40, 41, 184},
    {50, 30, 15000, 0, -1, -31, 40, 41, 187}, {20, 5, 15000, 0, -2, -19, 1, 2, 190},
    {10, 15, 15000, 0, -2, -14, 44, 0, 193},  {50, 30, 15000, 0, -1, -23, 45, 0, 196},
    {50, 30, 15000, 0, -26, -23, 45, 0, 199}, {50, 30, 15000, 0, -1, 46, -25, 0, 202},
    {50, 30, 15000, 0, -27, 46, 14, -16, 205},
};

// The twelve fields a record should hold, in field order.
std::vector<int> Expected(int i, bool blank, bool noLinksTo12) {
  if (blank) return {0, 0, 0, 0, 0, 0, 0, 0, 0, 61 + 3 * (i - 1), 0, 0};
  const Row& r = kTable[i - 1];
  const bool cut = noLinksTo12 && (i == 38 || i == 39 || i == 44);
  return {r.aP, r.kr, r.oil, r.aDom, r.a2, cut ? 0 : r.a3, cut ? 0 : r.a4, 1, r.time, r.staMsg, 0, 0};
}

std::vector<int> Fields(const t_RecDomTeh& r) {
  std::vector<int> v;
  for (int f = 0; f < kTehFields; ++f) v.push_back(r.Field(f));
  return v;
}

class TehBoxTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ResetWidgetState();
  }
  tw_KomTehBox* Box() {
    Fgr4* h = Make(tw_KomTehBox::kType);
    return h ? static_cast<tw_KomTehBox*>(h->body) : nullptr;
  }
  TempDir tmp_;
};

}  // namespace

TEST_F(TehBoxTest, BuiltInTableWithItsFlagVariants) {
  struct Variant {
    int a, b, c;
  } variants[] = {{0, 0, 0}, {1, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (const Variant& v : variants) {
    tw_KomTehBox* box = Box();
    ASSERT_NE(box, nullptr);
    box->SetStart_K(v.a, v.b, v.c);
    for (int i = 1; i <= kTehRecLast; ++i) {
      const bool blank = (v.a && (i == 1 || i == 2)) || (v.b && i == 3) || (v.c && i == 20);
      EXPECT_EQ(Fields(box->recTeh[i]), Expected(i, blank, v.a != 0))
          << "record " << i << " of SetStart_K(" << v.a << ", " << v.b << ", " << v.c << ")";
    }
    EXPECT_EQ(Fields(box->recTeh[0]), std::vector<int>(12, 0)) << "record 0 is never filled";
    box->owner->Kill(1);
  }
}

TEST_F(TehBoxTest, BlankingKeepsTheValuesARecordHeld) {
  tw_KomTehBox* box = Box();
  box->SetStart_K(0, 0, 0);
  box->SetStart_K(1, 1, 1);
  for (int i : {1, 2, 3, 20}) {
    std::vector<int> want = Expected(i, false, false);
    want[7] = 0;
    EXPECT_EQ(Fields(box->recTeh[i]), want) << i;
  }
  // The second side's start leaves the records as they were.
  tw_KomTehBox* other = Box();
  other->SetStart_F(1, 1, 1);
  for (int i = 1; i <= kTehRecLast; ++i) EXPECT_EQ(Fields(other->recTeh[i]), Expected(i, true, false)) << i;
}

TEST_F(TehBoxTest, StartingATechnologySwitchesOffItsPartners) {
  struct Case {
    int start;
    std::vector<int> off;  // records that go from 1 to 0
  } cases[] = {
      {7, {8, 12}}, {8, {7, 13}}, {1, {2}}, {24, {25}}, {28, {}}, {9, {}}, {0, {}}, {50, {}}, {-3, {}},
  };
  for (const Case& c : cases) {
    tw_KomTehBox* box = Box();
    box->SetStart_K(0, 0, 0);
    t_RecDomTeh out;
    out.kr = -99;
    int i = c.start;
    box->owner->Event(46, &i, &out);
    if (c.start >= 1 && c.start <= kTehRecLast) {
      EXPECT_EQ(Fields(out), Fields(box->recTeh[c.start])) << c.start;
      EXPECT_EQ(box->recTeh[c.start].faza, 1) << "the started record stays " << c.start;
    } else {
      EXPECT_EQ(out.kr, -99) << c.start;
    }
    for (int j = 1; j <= kTehRecLast; ++j) {
      bool off = false;
      for (int o : c.off) off |= o == j;
      EXPECT_EQ(box->recTeh[j].faza, off ? 0 : 1) << "start " << c.start << ", record " << j;
    }
    box->owner->Kill(1);
  }
}

TEST_F(TehBoxTest, TierQueryAnswersTheCurrentTechnologysMessage) {
  tw_KomTehBox* box = Box();
  box->nearTeh[2] = 49;
  box->nearTeh[3] = 0;
  box->nearTeh[4] = 50;
  struct Case {
    int tier, answer;
  } cases[] = {{1, 76}, {2, 100}, {3, 205}, {4, 5}, {5, 5}, {0, 5}, {6, 5}, {-1, 5}};
  for (const Case& c : cases) {
    int tier = c.tier, answer = -7;
    box->owner->Event(47, &tier, &answer);
    EXPECT_EQ(answer, c.answer) << "tier " << c.tier;
  }
  EXPECT_EQ(box->TehNearBloGetName(1, 1000), 1076);

  // Through the side's command post, as the building panel asks.
  Fgr4* post = Make(tw_KomPult::kType, 1);
  static_cast<tw_KomPult*>(post->body)->side = 1;
  p1FgrKomPult = post;
  EXPECT_EQ(Camp_NameDoTehn(1, 1), 5) << "a post without a box: the asker's own answer";
  static_cast<tw_KomPult*>(post->body)->fgrTehBoxSet(box);
  EXPECT_EQ(Camp_NameDoTehn(1, 1), 76);
  EXPECT_EQ(Camp_NameDoTehn(3, 1), 205);
  p1FgrKomPult = nullptr;
}

TEST_F(TehBoxTest, ConstantAndSideAnswers) {
  tw_KomTehBox* box = Box();
  box->baner = 3;
  box->recTeh[0].aP = 0x01020304;
  int got = 0;
  box->owner->Event(45, &got);
  EXPECT_EQ(got, 0x01020304);
  int side = 2, answer = -1;
  box->owner->Event(48, &side, &answer);
  EXPECT_EQ(answer, -1) << "another side leaves the caller's int";
  side = 3;
  box->owner->Event(48, &side, &answer);
  EXPECT_EQ(answer, 3);
  box->mb.setGbr(5, 5, 5);
  box->mb.Pos(10, 20, 30);
  float x = 0, y = 0, z = 0;
  box->owner->Event(EV_POSITION, &x, &y, &z);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  EXPECT_EQ(z, 30);
  int c30 = 0, c28 = 7;
  box->owner->Event(30, &c30);
  box->owner->Event(28, &c28);
  EXPECT_EQ(c30, 1);
  EXPECT_EQ(c28, 0);
}

TEST_F(TehBoxTest, RecordKeepsBannerTiersAndPlacementNotTheTable) {
  tw_KomTehBox* box = Box();
  box->baner = 2;
  box->nearTeh[4] = 37;
  box->res1 = 11;
  box->res2 = 12;
  box->mb.Pos(0, 50, 50);
  box->SetStart_K(0, 0, 0);
  const std::vector<uint8_t> bytes = SaveRecord(box->owner);
  ASSERT_EQ(bytes.size(), kHandleBytes + 160);

  Fgr4& slot = FgrHld.fgrs[5000];
  ASSERT_EQ(LoadRecord(slot, tw_KomTehBox::kType, bytes), 1);
  auto* loaded = static_cast<tw_KomTehBox*>(slot.body);
  ASSERT_NE(loaded, box);
  EXPECT_EQ(loaded->baner, 2);
  EXPECT_EQ(loaded->nearTeh[4], 37);
  EXPECT_EQ(loaded->res1, 11);
  EXPECT_EQ(loaded->mb.pos.z, 50);
  EXPECT_EQ(loaded->mb.pos.y, 50);
  EXPECT_EQ(pTekKomTehBox, loaded);
  for (int i = 1; i <= kTehRecLast; ++i) EXPECT_EQ(loaded->recTeh[i].faza, 0) << "the table is not in the record";
  EXPECT_EQ(SaveRecord(&slot), bytes);

  // A record cut anywhere loads nothing.
  ExpectDamagedRecordsRefused(box->owner, FgrHld.fgrs[5001], 160, nullptr, nullptr, 0);
}

TEST_F(TehBoxTest, ASlotUsedAgainStartsFromTheConstructionTable) {
  tw_KomTehBox* box = Box();
  box->SetStart_K(0, 0, 0);
  box->recTeh[0].kr = 9;
  box->owner->Kill(1);
  for (int i = 1; i <= kTehRecLast; ++i) EXPECT_EQ(Fields(box->recTeh[i]), Expected(i, true, false)) << i;
  EXPECT_EQ(Fields(box->recTeh[0]), std::vector<int>(12, 0));
  // Every slot of the pool, made again, starts blank.
  for (int k = 0; k < Fgr4W_Cap(21) - 1; ++k) {
    tw_KomTehBox* b = Box();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->recTeh[7].faza, 0);
    EXPECT_EQ(b->recTeh[7].kr, 0);
    const int tiers[5] = {6, 14, 21, 30, 35};
    for (int t = 0; t < 5; ++t) EXPECT_EQ(b->nearTeh[t], tiers[t]);
    EXPECT_EQ(b->mb.hf.x, 5);
    EXPECT_EQ(b->mb.hf.z, 5);
  }
}

// ---- properties

TEST_F(TehBoxTest, PropertyLines) {
  tw_KomTehBox* box = Box();
  box->SetStart_K(0, 0, 0);
  box->baner = 4;
  box->recTeh[1].d2 = 77;
  struct Case {
    int prop;
    const char* text;
    int kind;  // -1: left as preset
  } cases[] = {
      {1, "baner: 4", 1},
      {10, "BunkElsorb.aP: 2", 3},
      {11, "BunkElsorb.kr: 7", 4},
      {18, "BunkElsorb.time: 7000", 4},
      {19, "BunkElsorb.staMsg: 61", 4},
      {21, "BunkElsorb.d2: 77", 5},
      {22, "BunkBoostYrd.aP: 1", 3},
      {84, "1A.oil: 5", 4},
      {139, "1RokLok3.staMsg: 91", 4},
      {596, "7OptForm.d1: 0", 4},
      {597, "7OptForm.d2: 0", 5},
      {9, "xProp 9", -1},
      {598, "xProp 598", -1},
      {0, "xProp 0", -1},
      {2, "xProp 2", -1},
      {-5, "xProp -5", -1},
  };
  for (const Case& c : cases) {
    int prop = c.prop, kind = -1, highlight = -1;
    box->owner->Event(43, &prop, &kind, &highlight);
    EXPECT_EQ(EntryText(0, 0), c.text) << c.prop;
    EXPECT_EQ(kind, c.kind) << c.prop;
    EXPECT_EQ(highlight, c.kind == -1 ? -1 : 0) << c.prop;
  }
}

TEST_F(TehBoxTest, BannerStepsWithinZeroToNine) {
  tw_KomTehBox* box = Box();
  struct Case {
    int from, mode, to;
  } cases[] = {{9, 2, 9}, {0, 1, 0}, {5, 1, 4}, {5, 2, 6}, {50, 1, 9}, {-20, 2, 0}};
  for (const Case& c : cases) {
    box->baner = c.from;
    int prop = 1, mode = c.mode;
    box->owner->Event(44, &prop, &mode);
    EXPECT_EQ(box->baner, c.to) << c.from << " mode " << c.mode;
  }
  EXPECT_EQ(InputInt_pVar, nullptr) << "steps open no entry";
}

TEST_F(TehBoxTest, TypedEntryOfAField) {
  tw_KomTehBox* box = Box();
  box->SetStart_K(0, 0, 0);
  int prop = 10 + 12 * 6 + 8, mode = 2;  // record 7's time, clicked in its right quarter
  box->owner->Event(44, &prop, &mode);
  ASSERT_EQ(InputInt_pVar, &box->recTeh[7].time);
  EXPECT_EQ(box->recTeh[7].time, 15000) << "fields are never stepped";
  EXPECT_EQ(EntryText(0, InputInt_Klient.NomTB()), "input: now 15000");

  // While it is open another field's entry changes nothing; banner steps work.
  int other = 10 + 7, zero = 0;  // record 1's faza
  box->owner->Event(44, &other, &zero);
  EXPECT_EQ(InputInt_pVar, &box->recTeh[7].time);
  int banner = 1, up = 2;
  box->owner->Event(44, &banner, &up);
  EXPECT_EQ(box->baner, 1);

  TypeText("12345");
  InputFrame();
  InputFrame();
  EXPECT_EQ(box->recTeh[7].time, 12345) << "the first click's field gets the five digits";
  EXPECT_EQ(box->recTeh[1].faza, 1);
  EXPECT_EQ(InputInt_pVar, nullptr);

  // A typed banner is not clamped; the next step clamps it.
  box->owner->Event(44, &banner, &zero);
  ASSERT_EQ(InputInt_pVar, &box->baner);
  TypeText("50");
  PressEnter();
  InputFrame();
  EXPECT_EQ(box->baner, 50);
  int down = 1;
  box->owner->Event(44, &banner, &down);
  EXPECT_EQ(box->baner, 9);

  // Numbers outside the set open nothing.
  for (int p : {0, 2, 9, 598, -1}) {
    box->owner->Event(44, &p, &zero);
    EXPECT_EQ(InputInt_pVar, nullptr) << p;
  }
}

TEST_F(TehBoxTest, EveryTechnologyHasItsTextsInBothLanguages) {
  // The default message base, read from a copy (its reader may log).
  std::filesystem::create_directories("base");
  std::filesystem::copy_file(std::string(VELMAR_SOURCE_DIR) + "/data/base/msgbase.txt", "base/msgbase.txt");
  ASSERT_EQ(LoadMsgBase(), 1);
  tw_KomTehBox* box = Box();
  box->SetStart_K(0, 0, 0);
  for (int lang : {0, 1}) {
    *o2::EngText = lang;
    std::set<std::string> names;
    for (int i = 1; i <= kTehRecLast; ++i) {
      const int id = box->recTeh[i].staMsg;
      for (int k = 0; k < 3; ++k) {
        if (id + k == 167) continue;  // the input line's name prompt
        const std::string text = MsgBase(id + k);
        EXPECT_FALSE(text.empty() || text[0] == '(' || text[0] == '.') << "message " << id + k << ", language " << lang;
      }
      names.insert(MsgBase(id));
    }
    EXPECT_EQ(names.size(), 49u) << "each technology has its own name";
    const std::string building = MsgBase(60);
    EXPECT_FALSE(building.empty() || building[0] == '(') << "the building technology's name";
  }
  FreeMsgBase();
}
