// The map generators on a fresh world: the objects of a level, counted by
// type, again after a second run; the sun flare; the level flag with and
// without the height map; the test level's posts, sectors and units, run
// after run (the posts' vertices come back at each level reset).
#include <filesystem>

#include "modes/mapgen.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "tests/common/temp_dir.h"
#include "tests/common/unit_tables.h"
#include "tests/render/render_fixture.h"
#include "tests/world/world_fixture.h"

namespace fs = std::filesystem;

namespace {

class MapGenTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    ASSERT_TRUE(dir_.Ok());
    FreshWorldWithNewBase();
    LoadDefaultUnitTables();
    *o2::EtapOK = 0;
  }
  void WithHeightMap() {
    fs::copy_file(std::string(VELMAR_SOURCE_DIR) + "/data/testhmap.tga", "testhmap.tga",
                  fs::copy_options::overwrite_existing);
  }
  TempDir dir_;
};

// Live objects of each type code.
struct Counts {
  int flare = Fgr4W.Flr2.InUse();
  int post = Fgr4W.KomPult.InUse();
  int box = Fgr4W.KomTehBox.InUse();
  int bunker = Fgr4W.DomXBunk.InUse();
  int sector = Fgr4W.Sektor.InUse();
  int stolb = Fgr4W.Stolb.InUse();
  int unit = Fgr4W.Unit.InUse();
};

}  // namespace

TEST_F(MapGenTest, GeneratorTwoMakesTheSameLevelEachRun) {
  WithHeightMap();
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    MapGen02();
    Counts c;
    EXPECT_EQ(c.flare, 1);
    EXPECT_EQ(c.post, 2);
    EXPECT_EQ(c.box, 2);
    EXPECT_EQ(c.bunker, 2);
    EXPECT_EQ(*o2::EtapOK, 1);
    ASSERT_NE(p1KomPult, nullptr);
    ASSERT_NE(p2KomPult, nullptr);
    EXPECT_EQ(p1FgrKomPult, p1KomPult->owner);
    EXPECT_EQ(p1KomPult->side, PlayerBanerID);
    EXPECT_EQ(p2KomPult->side, PlayerBanerID + 1);
    // The posts stand near the world's origin, their bunkers far away; each
    // post finds its bunker through its trigger link (key 49 = 1).
    EXPECT_FLOAT_EQ(p1KomPult->mb.posx(), 0.0f);
    EXPECT_FLOAT_EQ(p1KomPult->mb.posz(), 25.0f);
    EXPECT_FLOAT_EQ(p2KomPult->mb.posz(), -25.0f);
    for (tw_KomPult* post : {p1KomPult, p2KomPult}) {
      Fgr4* bunker = post->owner->trigFind(25, 1);
      ASSERT_NE(bunker, nullptr);
      auto* b = static_cast<tw_DomXBunk*>(bunker->body);
      EXPECT_EQ(b->side, post->side);
      EXPECT_EQ(b->spawnMark, 1);
      EXPECT_FLOAT_EQ(b->mb.posx(), post == p1KomPult ? 1160.0f : 2840.0f);
      ASSERT_NE(post->tehBox, nullptr);
      auto* box = static_cast<tw_KomTehBox*>(post->tehBox->body);
      EXPECT_EQ(box->baner, post->side);
    }
    // The first side's box holds the built-in records, the second's stay blank.
    int available1 = 0, available2 = 0;
    auto* box1 = static_cast<tw_KomTehBox*>(p1KomPult->tehBox->body);
    auto* box2 = static_cast<tw_KomTehBox*>(p2KomPult->tehBox->body);
    for (int r = 1; r <= kTehRecLast; ++r) {
      available1 += box1->recTeh[r].faza;
      available2 += box2->recTeh[r].faza;
    }
    EXPECT_GT(available1, 10);
    EXPECT_EQ(available2, 0);
    ASSERT_NE(pSunFlr2, nullptr);
    EXPECT_TRUE(pSunFlr2->Status());
    EXPECT_EQ(pSunFlr2->onTime, 999000);
    EXPECT_EQ(pSunFlr2->offTime, 0);
  }
  // The sun lies up and to the north-east; the flare 50 units that way.
  EXPECT_NEAR(length(GlobVector_ViewToSun), 1.0f, 1e-4f);
  EXPECT_NEAR(length(GlobVector_ViewToSunDst), 50.0f, 1e-3f);
  EXPECT_GT(GlobVector_ViewToSun.y, 0.0f);
  // The height map shaped the ground: not everything is level.
  float lo = 1e9f, hi = -1e9f;
  for (int i = 0; i < kPlitTiles; i += 97) {
    lo = std::min(lo, PlitHold.GetMidY(i));
    hi = std::max(hi, PlitHold.GetMidY(i));
  }
  EXPECT_GT(hi - lo, 5.0f);
}

TEST_F(MapGenTest, WithoutTheHeightMapTheLevelIsStillReady) {
  ASSERT_FALSE(fs::exists("testhmap.tga"));
  MapGen02();
  EXPECT_EQ(*o2::EtapOK, 1);
  EXPECT_EQ(Counts().flare, 1);
}

TEST_F(MapGenTest, TheTestLevelKeepsItsPostsRunAfterRun) {
  WithHeightMap();
  for (int run = 1; run <= 30; ++run) {
    MapGen01();
    Counts c;
    ASSERT_EQ(c.stolb, 16) << run;
    ASSERT_EQ(c.sector, 400) << run;
    ASSERT_EQ(c.unit, 3) << run;
    EXPECT_EQ(c.flare, 1);
  }
  EXPECT_EQ(pSunFlr2->onTime, 15000);
  EXPECT_EQ(pSunFlr2->offTime, 500);
  EXPECT_EQ(*o2::EtapOK, 1);
  // The sector grid: 200-unit cells from the world's corner.
  ASSERT_NE(pTekSektor, nullptr);
  EXPECT_FLOAT_EQ(pTekSektor->mb.posx(), 100.0f + 200.0f * 19);
  EXPECT_FLOAT_EQ(pTekSektor->mb.posz(), 100.0f + 200.0f * 19);
  EXPECT_EQ(pTekSektor->weather, 1);
}
