// Terrain files: hand-written golden records, load-then-save identity,
// backups and failing writes, records cut or damaged anywhere, and the height
// map picture.
#include <signal.h>
#include <sys/resource.h>

#include "tests/render/tga_writer.h"
#include "tests/world/terrain_fixture.h"

namespace {

int Tile(int c, int r) { return r * kPlitSide + c; }

void PutF(std::vector<uint8_t>& v, float f) {
  uint8_t b[4];
  std::memcpy(b, &f, 4);
  v.insert(v.end(), b, b + 4);
}

// A terrain record written by hand: white corners, plain tiles (type 1,
// region 1, variant 1) at height byte `byte`, except the 3 x 3 block of free
// tiles at columns and rows 100..102 when `block` is set, whose inner world
// corners stand at 5 and outer ones at 0.
std::vector<uint8_t> Golden(uint8_t byte, bool block) {
  std::vector<uint8_t> rec(kPlitCorners * 3, 255);
  auto isFree = [&](int c, int r) { return block && c >= 100 && c <= 102 && r >= 100 && r <= 102; };
  for (int i = 0; i < kPlitTiles; ++i) {
    const uint8_t t[6] = {1, 1, 1, 0, 0, static_cast<uint8_t>(isFree(i % kPlitSide, i / kPlitSide) ? 0 : byte)};
    rec.insert(rec.end(), t, t + 6);
  }
  static const int kDx[4] = {0, 0, 1, 1}, kDz[4] = {0, 1, 1, 0};
  for (int i = 0; i < kPlitTiles; ++i) {
    int c = i % kPlitSide, r = i / kPlitSide;
    if (!isFree(c, r)) continue;
    for (int k = 0; k < 4; ++k) {
      int cx = c + kDx[k], cz = r + kDz[k];
      PutF(rec, (cx == 101 || cx == 102) && (cz == 101 || cz == 102) ? 5.0f : 0.0f);
    }
  }
  return rec;
}

}  // namespace

TEST_F(TerrainFileTest, GoldenRecordsLoadAndSaveByteForByte) {
  std::vector<uint8_t> flat = Golden(50, false);
  ASSERT_EQ(flat.size(), 720000u);
  WriteBytes("flat", flat);
  ASSERT_EQ(Plit_Load("flat"), 1);
  EXPECT_EQ(PlitHold.RecordSize(), 720000);
  ASSERT_EQ(Plit_Save("again"), 1);
  EXPECT_EQ(ReadBytes("again"), flat);

  std::vector<uint8_t> hill = Golden(50, true);
  ASSERT_EQ(hill.size(), 720000u + 9 * 16) << "each free tile adds 16 bytes";
  WriteBytes("tmp-land", hill);
  ASSERT_EQ(Plit_Load("tmp-land"), 1);
  EXPECT_TRUE(CornersOnGrid(PlitHold));
  EXPECT_EQ(CornerCopyMismatches(PlitHold), 0);
  float y = 0;
  ASSERT_EQ(PlitHold.GetYPereWithVertikLine(2040.2f, y, 2039.9f), 1);
  EXPECT_FLOAT_EQ(y, 5);
  EXPECT_EQ(PlitHold.Plit[Tile(101, 101)].plato, 1);
  EXPECT_EQ(PlitHold.Clr[77][3], 255);
  EXPECT_EQ(PlitHold.DirtyClr, 1) << "a load marks the colour buffer for upload";
  ASSERT_EQ(Plit_Save("tmp-land"), 1);
  EXPECT_EQ(ReadBytes("tmp-land"), hill);
  EXPECT_EQ(ReadBytes("tmp-land_bak"), hill) << "the old file is kept as _bak";
}

TEST_F(TerrainFileTest, HeightBytesSetHeightsColoursAndWater) {
  std::vector<uint8_t> rec = Golden(50, false);
  uint8_t* tiles = rec.data() + kPlitCorners * 3;
  tiles[Tile(10, 10) * 6 + 5] = 101;
  tiles[Tile(11, 10) * 6 + 5] = 100;
  tiles[Tile(30, 30) * 6 + 5] = 45;
  tiles[Tile(40, 40) * 6 + 0] = 2;  // built ground
  WriteBytes("t", rec);
  ASSERT_EQ(Plit_Load("t"), 1);
  EXPECT_FLOAT_EQ(PlitHold.Plit[Tile(10, 10)].maxY, 25.5f) << "later tiles lower its shared corners";
  EXPECT_EQ(PlitHold.Clr[4 * Tile(10, 10)][0], 0);
  EXPECT_EQ(PlitHold.Clr[4 * Tile(10, 10)][1], 0);
  EXPECT_EQ(PlitHold.Clr[4 * Tile(10, 10)][2], 255);
  EXPECT_EQ(PlitHold.Clr[4 * Tile(11, 10) + 2][0], 255) << "height 25.0 keeps its colour";
  EXPECT_EQ(PlitHold.Plit[Tile(30, 30)].type, 6) << "-2.5 is under water";
  EXPECT_EQ(walkability3[30][30], 1);
  EXPECT_EQ(walkability5[30][30], 1);
  int region = PlitHold.Plit[Tile(40, 40)].region;
  EXPECT_TRUE(region == 2 || region == 4);
}

TEST_F(TerrainFileTest, RecordsCutAtEveryOffsetChangeNothing) {
  std::vector<uint8_t> rec = Golden(60, true);
  PlitHold.FirstLayout();
  const uint64_t before = TerrainHash(PlitHold);
  for (size_t n = 0; n < rec.size(); ++n) ASSERT_EQ(PlitHold.FromRecord(rec.data(), n), 0) << n;
  rec.push_back(0);
  EXPECT_EQ(PlitHold.FromRecord(rec.data(), rec.size()), 0);
  rec.pop_back();
  EXPECT_EQ(TerrainHash(PlitHold), before);

  for (size_t n : {size_t(0), size_t(1), size_t(479999), size_t(480000), size_t(719999), size_t(720000),
                   rec.size() - 1}) {
    WriteBytes("cut", std::vector<uint8_t>(rec.begin(), rec.begin() + static_cast<long>(n)));
    EXPECT_EQ(Plit_Load("cut"), 0) << n;
  }
  std::vector<uint8_t> longer = rec;
  longer.push_back(7);
  WriteBytes("long", longer);
  EXPECT_EQ(Plit_Load("long"), 0);
  EXPECT_EQ(Plit_Load("no such file"), 0);
  EXPECT_EQ(TerrainHash(PlitHold), before);
}

TEST_F(TerrainFileTest, UnsoundHeightsAndHugeTileCountsAreRefused) {
  PlitHold.FirstLayout();
  const uint64_t before = TerrainHash(PlitHold);
  std::vector<uint8_t> rec = Golden(50, true);
  for (float bad : {NAN, INFINITY, -1e9f}) {
    std::vector<uint8_t> r = rec;
    std::memcpy(r.data() + r.size() - 4, &bad, 4);
    EXPECT_EQ(PlitHold.FromRecord(r.data(), r.size()), 0);
  }
  // Every height byte 0 asks for 640,000 bytes of heights that are not there.
  std::vector<uint8_t> zeros = Golden(0, false);
  EXPECT_EQ(PlitHold.FromRecord(zeros.data(), zeros.size()), 0);
  EXPECT_EQ(TerrainHash(PlitHold), before);

  // Wild but well-formed tile bytes load.
  std::vector<uint8_t> wild = Golden(255, false);
  for (int i = 0; i < kPlitTiles; i += 3) {
    uint8_t* t = wild.data() + kPlitCorners * 3 + i * 6;
    t[0] = static_cast<uint8_t>(i * 7), t[1] = 255, t[2] = static_cast<uint8_t>(i), t[3] = 200, t[4] = 99;
  }
  EXPECT_EQ(PlitHold.FromRecord(wild.data(), wild.size()), 1);
  EXPECT_EQ(PlitHold.Plit[3].extra, 0);
}

TEST_F(TerrainFileTest, RecordInsideALargerFile) {
  std::vector<uint8_t> rec = Golden(50, true);
  FILE* f = std::tmpfile();
  std::fwrite("HEAD", 1, 4, f);
  ASSERT_EQ(PlitHold.FromRecord(rec.data(), rec.size()), 1);
  ASSERT_EQ(Plit_AddToFile(f), 1);
  std::fwrite("TAIL", 1, 4, f);
  ResetTerrain();
  std::fseek(f, 4, SEEK_SET);
  ASSERT_EQ(Plit_FromFile(f), 1);
  EXPECT_EQ(std::ftell(f), static_cast<long>(4 + rec.size()));
  EXPECT_FLOAT_EQ(PlitHold.Vrt[4 * Tile(101, 101) + 2].y, 5);

  const uint64_t before = TerrainHash(PlitHold);
  std::fseek(f, 20, SEEK_SET);  // too little left for a whole record
  EXPECT_EQ(Plit_FromFile(f), 0);
  std::fclose(f);
  EXPECT_EQ(Plit_FromFile(nullptr), 0);
  EXPECT_EQ(TerrainHash(PlitHold), before);
}

TEST_F(TerrainFileTest, AFailedSaveKeepsTheOldFile) {
  std::vector<uint8_t> old = {1, 2, 3};
  WriteBytes("land", old);
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  int r = Plit_Save("land");
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(ReadBytes("land"), old) << "the partial file is gone and the old one back";
  EXPECT_FALSE(std::filesystem::exists("land_bak"));
  EXPECT_EQ(Plit_Save("no-such-dir/land"), 0);
}

TEST_F(TerrainFileTest, HeightMapPicture) {
  TestPicture p{kPlitSide, kPlitSide, 24, std::vector<uint8_t>(kPlitSide * kPlitSide * 4, 255)};
  auto set = [&](int x, int z, uint8_t b) {
    // Rows of the test picture run top first; the terrain reads them bottom first.
    uint8_t* c = &p.rgba[(static_cast<size_t>(kPlitSide - 1 - z) * kPlitSide + x) * 4];
    c[0] = b, c[1] = 200, c[2] = 100;
  };
  for (int z = 0; z < kPlitSide; ++z)
    for (int x = 0; x < kPlitSide; ++x) set(x, z, 50);
  set(5, 6, 101);
  set(7, 8, 0);
  set(9, 9, 100);
  WriteFile("hmap.tga", TgaBytes(p, true, false));
  ASSERT_EQ(PlitHold.InitHMap("hmap.tga"), 1);
  EXPECT_EQ(PlitHold.Plit[Tile(5, 6)].hmByte, 101);
  EXPECT_FLOAT_EQ(PlitHold.Plit[Tile(5, 6)].maxY, 25.5f);
  EXPECT_EQ(PlitHold.Clr[4 * Tile(5, 6) + 1][1], 0);
  EXPECT_EQ(PlitHold.Plit[Tile(7, 8)].hmByte, 1) << "0 reads as 1";
  EXPECT_FLOAT_EQ(PlitHold.Plit[Tile(7, 8)].minY, -24.5f);
  EXPECT_EQ(PlitHold.Plit[Tile(7, 8)].type, 6);
  EXPECT_FLOAT_EQ(PlitHold.Plit[Tile(9, 9)].maxY, 25.0f);
  EXPECT_EQ(PlitHold.Clr[4 * Tile(9, 9)][0], 255);
  EXPECT_EQ(CornerCopyMismatches(PlitHold), 0);
  EXPECT_EQ(PlitHold.RecordSize(), 720000);

  const uint64_t before = TerrainHash(PlitHold);
  TestPicture small{199, 200, 24, std::vector<uint8_t>(199 * 200 * 4, 9)};
  WriteFile("small.tga", TgaBytes(small, false, false));
  EXPECT_EQ(PlitHold.InitHMap("small.tga"), 0);
  EXPECT_EQ(PlitHold.InitHMap("missing.tga"), 0);
  EXPECT_EQ(TerrainHash(PlitHold), before);
}

// The test level's height map in the data folder.
TEST_F(TerrainTest, TestHeightMapOfTheData) {
  ASSERT_EQ(PlitHold.InitHMap(std::string(VELMAR_SOURCE_DIR) + "/data/testhmap.tga"), 1);
  float lo = 1e9f, hi = -1e9f;
  for (const t_Plit1& t : PlitHold.Plit) {
    lo = std::min(lo, t.minY);
    hi = std::max(hi, t.maxY);
    EXPECT_NE(t.type, 6);
  }
  EXPECT_GE(lo, -2.0f);
  EXPECT_LE(hi, 25.0f);
  EXPECT_GT(hi, 5.0f) << "hills";
  for (vec3 c : {vec3(2000, 0, 2000), vec3(1170, 0, 1170), vec3(2850, 0, 2850)}) {
    for (float dx : {-60.0f, 0.0f, 60.0f}) {
      float y = 99;
      ASSERT_EQ(PlitHold.GetYPereWithVertikLine(c.x + dx, y, c.z - dx), 1);
      EXPECT_FLOAT_EQ(y, 0) << c.x + dx << " " << c.z - dx;
    }
  }
}
