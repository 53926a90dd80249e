// The object base file: the golden new base, load then save, links, objects
// that cannot write a record, and corrupt files of every kind (cut anywhere,
// bad markers, counts, slots, types and links, objects that read too much or
// too little): they load nothing and leave the holder as it was.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/common/base_bytes.h"
#include "tests/common/file_limit.h"
#include "tests/common/temp_dir.h"
#include "tests/world/world_fixture.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void Put(const std::string& path, const std::vector<uint8_t>& b) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

using namespace basebytes;

// The new base whose first frame has one trigger link, to `slot`, of the
// given kind.
std::vector<uint8_t> FrameLinkedTo(int32_t slot, int32_t kind) { return FramesAnd(0, {}, {{slot, kind}}); }

// What a load may change: every handle's body, type code, links and bytes.
struct HolderShot {
  std::vector<uintptr_t> v;
  int32_t first = 0;
  bool operator==(const HolderShot& o) const { return v == o.v && first == o.first; }
};

HolderShot Shot() {
  HolderShot s;
  s.first = FgrHld.firstScrFrm;
  for (int i = 0; i < FgrHld.klv; ++i) {
    const Fgr4& h = FgrHld.fgrs[i];
    s.v.push_back(reinterpret_cast<uintptr_t>(h.body));
    s.v.push_back(static_cast<uintptr_t>(h.wrkNom));
    s.v.push_back(reinterpret_cast<uintptr_t>(h.linkA));
    s.v.push_back(h.trigs.size());
    s.v.push_back(h.SaveCategory);
  }
  return s;
}

class ObjectBaseTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_TRUE(tmp_.Ok());
    std::filesystem::create_directory("base");
  }
  void TearDown() override {
    for (int& n : FgrHld.roomAtStart) n = 0;
    for (int& n : FgrHld.roomPerLevel) n = 0;
    WorldTest::TearDown();
  }
  // A fresh holder as at start-up, before the base is loaded.
  void FreshHolder() { FreshWorld(); }
  // The holder's objects of every save category written as the base.
  static void SaveAll() {
    FILE* f = std::fopen("base/gen.fgh", "w+b");
    ASSERT_NE(f, nullptr);
    FgrHld.FHdr(f, t_FgrHld::kBaseMagic);
    FgrHld.AddToFile_TryAllFgr(f, 1, 1, 1, 1, 1);
    IntWrite(FgrHld.firstScrFrm, f);
    ASSERT_EQ(FgrHld.FHdrClose(f), 1);
  }
  // The load of `bytes` fails and changes nothing.
  void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& what) {
    Put("base/gen.fgh", bytes);
    HolderShot before = Shot();
    EXPECT_EQ(FgrHld.LoadBase(1), 0) << what;
    EXPECT_TRUE(Shot() == before) << what;
  }
  TempDir tmp_;
};

}  // namespace

TEST_F(ObjectBaseTest, NewBaseIsTheGoldenFile) {
  ASSERT_EQ(FgrHld.firstScrFrm, 256);
  ASSERT_EQ(FgrHld.SaveBase(), 1);
  std::vector<uint8_t> file = Bytes("base/gen.fgh");
  EXPECT_EQ(file.size(), 168u);
  EXPECT_EQ(file, GoldenNewBase());
}

TEST_F(ObjectBaseTest, LoadThenSaveIsByteIdentical) {
  Put("base/gen.fgh", GoldenNewBase());
  FreshHolder();
  ASSERT_EQ(FgrHld.LoadBase(1), 1);
  EXPECT_EQ(FgrHld.firstScrFrm, 256);
  ASSERT_EQ(FgrHld.fgrs[256].WrkNom(), 4);
  ASSERT_EQ(FgrHld.fgrs[257].WrkNom(), 4);
  auto* menu = static_cast<tw_ScrFrm*>(FgrHld.fgrs[256].body);
  EXPECT_EQ(menu->ints[1], static_cast<int32_t>(int4simb("Menu")));
  EXPECT_FLOAT_EQ(menu->floats[3], 0.9f);
  EXPECT_EQ(FgrHld.fgrs[256].active, 1);
  EXPECT_EQ(FgrHld.SetFirstScrFrm(), 1);
  EXPECT_EQ(pMainScrFrm, menu);
  ASSERT_EQ(FgrHld.SaveBase(), 1);
  EXPECT_EQ(Bytes("base/gen.fgh"), GoldenNewBase());
  EXPECT_EQ(Bytes("base/gen.fgh_bak"), GoldenNewBase()) << "the old file is kept as _bak";
}

TEST_F(ObjectBaseTest, LinksSaveAsSlotsAndDeadOnesAsNone) {
  int c = FgrHld.Add_ScrFrm(2);
  ASSERT_EQ(c, 258);
  Fgr4& a = FgrHld.fgrs[256];
  a.linkA = &FgrHld.fgrs[c];
  a.trigAdd(&FgrHld.fgrs[257], 0);
  a.trigAdd(&FgrHld.fgrs[c], 1);
  FgrHld.fgrs[c].Kill(1);
  ASSERT_EQ(FgrHld.SaveBase(), 1);
  EXPECT_EQ(Bytes("base/gen.fgh").size(), 168u + 8) << "one live trigger link";

  FreshHolder();
  ASSERT_EQ(FgrHld.LoadBase(1), 1);
  const Fgr4& loaded = FgrHld.fgrs[256];
  EXPECT_EQ(loaded.linkA, nullptr);
  ASSERT_EQ(loaded.trigs.size(), 1u);
  EXPECT_EQ(loaded.trigs[0].target, &FgrHld.fgrs[257]);
  EXPECT_EQ(loaded.trigs[0].kind, 0);
  EXPECT_EQ(FgrHld.fgrs[258].Status(), 0);

  // An owned link to a slot the base leaves empty is dropped with the load,
  // so that it never reaches what is made there later.
  // Below every record or above, the empty slot is no screen frame.
  for (int32_t empty : {258, 100}) {
    FreshHolder();
    Put("base/gen.fgh", FrameLinkedTo(empty, 1));
    ASSERT_EQ(FgrHld.LoadBase(1), 1) << empty << ": " << FgrHld.LoadFailWhy();
    EXPECT_EQ(FgrHld.fgrs[256].trigs[0].target, nullptr);
  }

  // Nothing read from a file owns a screen frame: such a link is dropped.
  FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  for (int32_t v : {2, 257, 1, 257, 0}) IntWrite(v, f);
  std::rewind(f);
  std::vector<Fgr4Rea> read;
  Fgr4::FromFileVF4R(read, f);
  std::fclose(f);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].target, &FgrHld.fgrs[257]);
  EXPECT_EQ(read[0].kind, 0);
}

// No link read from a base, in any field, reaches a slot that none of its
// records fills: what is made there later (here a camera in slot 258, which
// the base does not keep) stays out of reach.
TEST_F(ObjectBaseTest, LinksToSlotsTheFileLeavesEmptyReachNothing) {
  LoadDefaultUnitTables();
  const struct {
    int type, kind;
    std::vector<Fgr4**> (*fields)(Fgr4& h);
  } cases[] = {
      {17, 0, [](Fgr4& h) { return std::vector<Fgr4**>{&static_cast<tw_Dekor*>(h.body)->link}; }},
      {23, 1, [](Fgr4& h) { return std::vector<Fgr4**>{&static_cast<tw_KomPult*>(h.body)->tehBox}; }},
      {27, 2,
       [](Fgr4& h) {
         auto* u = static_cast<tw_Unit*>(h.body);
         return std::vector<Fgr4**>{&u->target, &u->link2};
       }},
      {17, 0, [](Fgr4& h) { return std::vector<Fgr4**>{&h.linkA, &h.linkB}; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    FreshWorldWithNewBase();
    Fgr4* camera = Make(1, 2);
    ASSERT_EQ(Fgr4_Status_LogNom(camera), 258);
    Fgr4* h = Make(c.type, c.kind);
    ASSERT_NE(h, nullptr);
    h->SaveCategory = FGR4_SAVE_GEN;
    for (Fgr4** field : c.fields(*h)) *field = camera;
    ASSERT_EQ(FgrHld.SaveBase(), 1);
    const int slot = h->logNom;
    FreshHolder();
    ASSERT_EQ(FgrHld.LoadBase(1), 1);
    ASSERT_EQ(FgrHld.SetFirstScrFrm(), 1);
    ASSERT_EQ(Fgr4_Status_LogNom(Make(1, 2)), 258);
    for (Fgr4** field : c.fields(FgrHld.fgrs[slot])) EXPECT_EQ(*field, nullptr);
  }
  // The check takes a run of bytes in the first frame's body for a frame in
  // slot 300, which the load never fills: the frames' links to 257 and to
  // 300, kept or dropped by the slots the check saw, are read again by the
  // slots as loaded.
  Out phantom = Head(Out(), 300, 4, 0);
  phantom.i32(0).i32(0);
  Out records = Head(Out(), 256, 4, 0, {{257, 0}});
  records.b.insert(records.b.end(), phantom.b.begin(), phantom.b.end());
  Frame(records, 257, "Game", 0.3f, 0.3f, 0.3f, {{300, 0}});
  Put("base/gen.fgh", Base(2, records.b));
  FreshHolder();
  ASSERT_EQ(FgrHld.LoadBase(1), 1) << FgrHld.LoadFailWhy();
  EXPECT_EQ(FgrHld.fgrs[300].Status(), 0);
  ASSERT_EQ(FgrHld.fgrs[256].trigs.size(), 1u);
  EXPECT_EQ(FgrHld.fgrs[256].trigs[0].target, &FgrHld.fgrs[257]);
  ASSERT_EQ(FgrHld.fgrs[257].trigs.size(), 1u);
  EXPECT_EQ(FgrHld.fgrs[257].trigs[0].target, nullptr);
}

// A base leaves room in every pool for what the game makes itself: the
// cameras of start-up, and at every new level its command posts besides the
// objects that outlive the level's reset.
TEST_F(ObjectBaseTest, ABaseLeavesRoomForWhatTheGameMakes) {
  const struct {
    int type, kind, category, count;
    const char* why;  // empty: the base loads
  } cases[] = {
      {1, 2, 4, 1, ""},
      {1, 2, 4, 2,
       "record 4 of 4 (at byte 400): no room for it: the pool of type 1 holds 4 objects, and start-up makes 3 of "
       "them"},
      {23, 1, FGR4_SAVE_ETAP, 11, ""},
      {23, 1, FGR4_SAVE_GEN, 9, ""},
      {23, 1, FGR4_SAVE_GEN, 10,
       "record 12 of 12 (at byte 1928): no room for a new level: it outlives a level's reset, and the pool of type 23 holds 11 "
       "objects, of which start-up and a new level make 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + " of type " + std::to_string(c.type));
    FgrHld.roomAtStart[1] = 3;
    FgrHld.roomPerLevel[23] = 2;
    FreshWorldWithNewBase();
    for (int k = 0; k < c.count; ++k) {
      Fgr4* h = Make(c.type, c.kind);
      ASSERT_NE(h, nullptr);
      h->SaveCategory = static_cast<uint8_t>(c.category);
    }
    SaveAll();
    FreshHolder();
    const std::string why = c.why;
    EXPECT_EQ(FgrHld.LoadBase(1), why.empty() ? 1 : 0);
    EXPECT_EQ(FgrHld.LoadFailWhy(), why);
  }
}

// Start-up needs the first screen frame: a base that would load without it
// (an empty block, a first frame that is no frame of the file or not in a
// general slot) is refused like a damaged one, so that a new base is made.
TEST_F(ObjectBaseTest, ABaseWithoutItsFirstScreenFrameIsRefused) {
  Out o;
  o.i32(24).i32(0x6BDE3).i32(11500).tag("BLOK").i32(0).i32(300);
  ExpectRefused(o.b, "an empty block");
  std::vector<uint8_t> other = GoldenNewBase();
  std::memcpy(other.data() + 164, Out().i32(257).b.data(), 4);
  Put("base/gen.fgh", other);
  ASSERT_EQ(FgrHld.LoadBase(1), 1) << "the other frame of the file";
  EXPECT_EQ(FgrHld.SetFirstScrFrm(), 1);
  FreshHolder();
  std::vector<uint8_t> low = GoldenNewBase();
  std::memcpy(low.data() + 24, Out().u16(200).b.data(), 2);
  std::memcpy(low.data() + 164, Out().i32(200).b.data(), 4);
  ExpectRefused(low, "a first frame in a reserved slot");
}

TEST_F(ObjectBaseTest, ObjectsWithoutARecord) {
  FreshHolder();
  FgrHld.InitBase();
  SetMainScrFrm(pMainScrFrm);
  Fgr4* shell = FgrHld.GetFree_(1);  // the terrain holder writes no record
  ASSERT_EQ(shell->Init(20, 0, 0, nullptr), 1);
  shell->SaveCategory = FGR4_SAVE_GEN;  // as if it were kept across levels
  ASSERT_EQ(FgrHld.SaveBase(), 1);
  EXPECT_EQ(Bytes("base/gen.fgh"), GoldenNewBase());

  FreshHolder();
  EXPECT_EQ(FgrHld.SaveBase(), 1) << "an empty holder writes an empty block";
  FgrHld.Sbros();
  EXPECT_EQ(FgrHld.SaveBase(), 0);
  EXPECT_EQ(FgrHld.LoadBase(1), 0);
}

TEST_F(ObjectBaseTest, FilesCutAtEveryOffsetAreRefused) {
  const std::vector<uint8_t> good = GoldenNewBase();
  for (size_t n = 0; n < good.size(); ++n)
    ExpectRefused(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(n)),
                  "cut at " + std::to_string(n));
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  ExpectRefused(longer, "one byte more");
  std::filesystem::remove("base/gen.fgh");
  EXPECT_EQ(FgrHld.LoadBase(1), 0) << "no file";
}

TEST_F(ObjectBaseTest, BadMarkersCountsSlotsTypesAndLinksAreRefused) {
  const std::vector<uint8_t> good = GoldenNewBase();
  auto with = [&](size_t at, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> b = good;
    std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
    return b;
  };
  auto i32 = [](int32_t v) { return Out().i32(v).b; };
  auto u16 = [](int v) { return Out().u16(v).b; };
  // Offsets: header 0, BLOK 12, count 16, record 1 at 20 (slot 24, type 26,
  // linkA 28, linkB 32, link count 36, PRS> 48, body 52..91), record 2 at 92
  // (slot 96, type 98, PRS> 120), first frame 164.
  ExpectRefused(with(0, i32(169)), "length field");
  ExpectRefused(with(4, i32(0x6BDE4)), "magic");
  for (size_t at : {size_t(12), size_t(20), size_t(48), size_t(92), size_t(120)})
    ExpectRefused(with(at, {'X'}), "marker at " + std::to_string(at));
  for (int32_t n : {-1, 3, 11500, 0x7FFFFFFF}) ExpectRefused(with(16, i32(n)), "count " + std::to_string(n));
  for (int s : {0, 1, 257, 11500, 65535}) ExpectRefused(with(24, u16(s)), "first slot " + std::to_string(s));
  ExpectRefused(with(96, u16(256)), "the same slot twice");
  ExpectRefused(with(96, u16(200)), "slots out of order");
  for (int t : {0, 28, 65535}) ExpectRefused(with(26, u16(t)), "type " + std::to_string(t));
  ExpectRefused(with(28, i32(11500)), "linkA number");
  ExpectRefused(with(32, i32(-7)), "linkB number");
  for (int32_t n : {1, -1, 1000000, 0x7FFFFFFF}) ExpectRefused(with(36, i32(n)), "link count " + std::to_string(n));
  ExpectRefused(with(164, i32(257 + 1)), "first frame is not a frame of the file");
  ExpectRefused(with(164, i32(-1)), "no first frame");
  // The common record's four bytes: a screen frame is of category 0 (a level
  // reset would kill it otherwise), the flags are 0 or 1, the spare byte 0.
  for (int c : {1, 2, 4, 5, 255}) ExpectRefused(with(44, {uint8_t(c)}), "frame category " + std::to_string(c));
  ExpectRefused(with(45, {2}), "freeze 2");
  ExpectRefused(with(46, {7}), "draw 7");
  ExpectRefused(with(47, {1}), "spare 1");

  // A link entry with a bad number or kind.
  ExpectRefused(FrameLinkedTo(257, 5), "link kind 5");
  // Owned by the first frame, the second would die with it.
  ExpectRefused(FrameLinkedTo(257, 1), "a frame owning the other frame, refused before the holder is touched");
  Put("base/gen.fgh", FrameLinkedTo(257, 0));
  EXPECT_EQ(FgrHld.LoadBase(0), 1) << "the same file with kind 0 loads";
}

TEST_F(ObjectBaseTest, ObjectsThatReadTooMuchOrTooLittleLoadNothing) {
  std::vector<uint8_t> b = GoldenNewBase();
  b[98] = 3;   // the second record claims to be a button, which reads no record
  b[116] = 1;  // of the buttons' category
  Put("base/gen.fgh", b);
  EXPECT_EQ(FgrHld.LoadBase(1), 0);
  EXPECT_EQ(Fgr4W.Kno.InUse(), 0) << "the button taken for it is free again";
  for (int i = 1; i < FgrHld.klv; ++i) ASSERT_EQ(FgrHld.fgrs[i].Status(), 0) << i;

  FreshHolder();
  std::vector<uint8_t> longer = GoldenNewBase();
  longer.insert(longer.begin() + 92, {1, 2, 3, 4});  // four bytes more in the first frame's record
  std::memcpy(longer.data(), Out().i32(172).b.data(), 4);
  Put("base/gen.fgh", longer);
  EXPECT_EQ(FgrHld.LoadBase(1), 0);
  EXPECT_EQ(Fgr4W.ScrFrm.InUse(), 0);
}

// Loading the base again and again (each load resets the holder) neither
// strands the screen frames' bodies nor runs out of them.
TEST_F(ObjectBaseTest, EveryLoadGivesTheOldBodiesBack) {
  Put("base/gen.fgh", GoldenNewBase());
  for (int k = 0; k < Fgr4W_Capacity(4) + 5; ++k) {
    ASSERT_EQ(FgrHld.LoadBase(1), 1) << k;
    ASSERT_EQ(Fgr4W.ScrFrm.InUse(), 2) << k;
  }
  EXPECT_EQ(FgrHld.SetFirstScrFrm(), 1);
}

// A refused base says which check failed and at which record, in the log
// and to the caller, who keeps the file aside.
TEST_F(ObjectBaseTest, ARefusedBaseSaysWhichCheckFailedAtWhichRecord) {
  auto with = [](size_t at, uint8_t v) {
    std::vector<uint8_t> b = GoldenNewBase();
    b[at] = v;
    return b;
  };
  std::vector<uint8_t> button = with(98, 3);  // the second record claims to be a button,
  button[116] = 1;                            // of the buttons' category, which reads no record
  // Where the first frame's reader stops stands a head of category 0x3E; the
  // check of the whole file passes over it to a record-like run of bytes in
  // the second frame's body, but the load starts the record where the reader
  // stopped and holds its head to the same rules.
  std::vector<uint8_t> hidden = with(116, 0x3E);
  auto head = [](int slot) {  // a record-like run of bytes: a head without links
    return Out().tag("FGR>").u16(slot).u16(4).i32(0).i32(0).i32(0).f32(0).i32(0).tag("PRS>").b;
  };
  const std::vector<uint8_t> run257 = head(257);
  std::copy(run257.begin(), run257.end(), hidden.begin() + 124);
  // The check takes a run in the first frame's body for a second frame in
  // slot 300; the load reads the frames in 256 (or 257) and 257 (or 256).
  auto hiddenFrame300 = [&](int slot1, int slot2, int32_t first) {
    std::vector<uint8_t> b = GoldenNewBase();
    const std::vector<uint8_t> run = head(300);
    std::copy(run.begin(), run.end(), b.begin() + 52);
    std::memcpy(b.data() + 24, Out().u16(slot1).b.data(), 2);
    std::memcpy(b.data() + 96, Out().u16(slot2).b.data(), 2);
    std::memcpy(b.data() + 164, Out().i32(first).b.data(), 4);
    return b;
  };
  // ... and the frame in 257 owns the one in 256, which the check never saw.
  std::vector<uint8_t> hiddenOwner = hiddenFrame300(256, 257, 256);
  const std::vector<uint8_t> link = Out().i32(256).i32(1).b;
  std::memcpy(hiddenOwner.data() + 108, Out().i32(1).b.data(), 4);
  hiddenOwner.insert(hiddenOwner.begin() + 112, link.begin(), link.end());
  std::memcpy(hiddenOwner.data(), Out().i32(176).b.data(), 4);
  // Four bytes the last frame does not read before the first frame's number.
  std::vector<uint8_t> gap = GoldenNewBase();
  gap.insert(gap.begin() + 164, 4, 0);
  std::memcpy(gap.data(), Out().i32(172).b.data(), 4);
  const struct {
    std::vector<uint8_t> bytes;
    const char* why;
  } cases[] = {
      {std::vector<uint8_t>(16, 'J'), "not an object base (its magic number is wrong)"},
      {with(0, 169), "length field is not the file size"},
      {with(20, 'f'), "record 1 of 2 (at byte 20): no record marker FGR>"},
      {with(120, 'X'), "record 2 of 2 (at byte 92): no end marker PRS> after its trigger links"},
      {button, "record 2 of 2 (slot 257): "},
      {hidden, "record 2 of 2 (at byte 92): it is a screen frame of save category 62, not 0"},
      {hiddenFrame300(256, 257, 300), "the first screen frame is none of its frames"},
      {hiddenFrame300(257, 256, 257), "record 2 of 2 (at byte 92): its slot 256 does not follow slot 257"},
      {gap, "record 2 of 2 (slot 257): the object read too much or too little"},
      {FrameLinkedTo(257, 1), "record 1 of 2 (at byte 20): its link 1 owns slot 257, a screen frame"},
      {hiddenOwner, "record 2 of 2 (at byte 92): its link 1 owns slot 256, a screen frame"},
      // A record whose head fails is named, also where the search for the
      // next record passes over it to a good one.
      {FramesAnd(2, Head(Head(Out(), 258, 3, 1, {{256, 2}}), 259, 3, 1).b),
       "record 3 of 4 (at byte 164): its link 1 is of kind 2, not 0 or 1"},
      {FramesAnd(1, Head(Out(), 258, 3, 1, {{11500, 0}}).b), "record 3 of 3 (at byte 164): its link 1 names slot 11500"},
      {FramesAnd(1, Head(Out(), 300, 20, 0).b, {{300, 1}}),
       "record 1 of 3 (at byte 20): its link 1 owns slot 300, the terrain holder"},
  };
  for (const auto& c : cases) {
    FreshHolder();
    ExpectRefused(c.bytes, c.why);
    EXPECT_NE(FgrHld.LoadFailWhy().find(c.why), std::string::npos) << FgrHld.LoadFailWhy();
    std::ifstream log("log.txt");
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("object base base/gen.fgh: " + FgrHld.LoadFailWhy() + "; not loaded"), std::string::npos);
  }
  std::filesystem::remove("base/gen.fgh");
  EXPECT_EQ(FgrHld.LoadBase(1), 0);
  EXPECT_EQ(FgrHld.LoadFailWhy(), "the file is missing");
  Put("base/gen.fgh", GoldenNewBase());
  EXPECT_EQ(FgrHld.LoadBase(1), 1);
  EXPECT_EQ(FgrHld.LoadFailWhy(), "");
}

// A save that fails names the system's cause; it says that the old file is
// kept only when there was one, and keeps it and its backup.
TEST_F(ObjectBaseTest, AFailedSaveKeepsTheOldFile) {
  for (bool hadOld : {true, false}) {
    SCOPED_TRACE(hadOld ? "over an old base" : "with no base before");
    std::filesystem::remove("base/gen.fgh");
    if (hadOld) Put("base/gen.fgh", {9, 9, 9});
    Put("base/gen.fgh_bak", {8, 8});
    LastFailClear();
    int r = 0;
    {
      FileSizeLimit limit(100);
      ASSERT_TRUE(limit.Ok());
      r = FgrHld.SaveBase();
    }
    EXPECT_EQ(r, 0);
    const std::string said = LastFailText();
    EXPECT_NE(said.find("write of \"base/gen.fgh\" failed (" + std::string(std::strerror(EFBIG)) + ")"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("the old file is kept") != std::string::npos, hadOld) << said;
    EXPECT_EQ(std::filesystem::exists("base/gen.fgh"), hadOld);
    if (hadOld) {
      EXPECT_EQ(Bytes("base/gen.fgh"), std::vector<uint8_t>({9, 9, 9}));
    }
    EXPECT_EQ(Bytes("base/gen.fgh_bak"), std::vector<uint8_t>({8, 8})) << "the older backup stays too";
    EXPECT_FALSE(std::filesystem::exists("base/gen.fgh_new"));
  }
  std::filesystem::remove_all("base");
  EXPECT_EQ(FgrHld.SaveBase(), 0) << "no folder";
}
