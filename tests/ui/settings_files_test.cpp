// Loading the settings registry from its text files and its binary cache.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/file_limit.h"
#include "ui/ui.h"

namespace fs = std::filesystem;

namespace {

std::string Record(const char* type, const char* name, int id, const char* value) {
  return std::string("//== ") + name + "\r\n" + type + "\r\n" + name + "\r\n" + std::to_string(id) +
         " 0 0 " + value + "\r\n";
}

// A start directory "start" inside a fresh folder, made current; the local file
// lies beside it as ../__orgmix.txt and names ../base/ as the main folder.
class SettingsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("velmar-settings-" + std::to_string(getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "start/a_sys/base");
    fs::create_directories(root_ / "base");
    old_ = fs::current_path();
    fs::current_path(root_ / "start");
    org2_Init();
    orgF_Init();
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(root_);
  }
  void Write(const fs::path& p, const std::string& text) {
    std::ofstream(root_ / p, std::ios::binary) << text;
  }
  void Main(const std::string& records) { Write("base/__orgmix.txt", "title line\r\n" + records); }
  void Local(const std::string& records, const char* folder = "../base") {
    Write("__orgmix.txt", std::string(folder) + "\r\ncomment\r\ncomment\r\n" + records);
  }
  fs::path Cache() const { return root_ / "start/a_sys/base/o2o3.bin"; }
  fs::path root_, old_;
};

}  // namespace

TEST_F(SettingsFiles, BothPassesAndTheLocalFileWins) {
  Main(Record("int", "NeedExit", 3, "1") + Record("int", "SleepEachFrame", 26, "5") +
       Record("float", "SkyR", 11, "0.25"));
  Local(Record("int", "SleepEachFrame", 26, "7") + Record("float", "FogG", 18, "0.5"));
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  EXPECT_EQ(*o2::NeedExit, 1);
  EXPECT_EQ(*o2::SleepEachFrame, 7);
  EXPECT_FLOAT_EQ(*o3::SkyR, 0.25f);
  EXPECT_FLOAT_EQ(*o3::FogG, 0.5f);
}

TEST_F(SettingsFiles, TypeLineDecidesTheTable) {
  std::istringstream in(" int\r\nx\r\n5 0 0 9\r\n"
                        "integer\r\nx\r\n6 0 0 8\r\n"
                        "Int\r\nx\r\n7 0 0 2.5\r\n"
                        "uint\r\nx\r\n8 0 0 3.5\r\n");
  std::string line;
  EXPECT_EQ(orgReadRecForInit(in, line), 1);
  EXPECT_EQ(org2n[5], 9);
  EXPECT_EQ(orgReadRecForInit(in, line), 1);
  EXPECT_EQ(org2n[6], 8);
  EXPECT_EQ(orgReadRecForInit(in, line), 1);
  EXPECT_FLOAT_EQ(orgFn[7], 2.5f);
  EXPECT_EQ(org2n[7], 0);
  EXPECT_EQ(orgReadRecForInit(in, line), 1);
  EXPECT_FLOAT_EQ(orgFn[8], 3.5f);
}

TEST_F(SettingsFiles, IdsOutsideTheTablesAreIgnored) {
  std::istringstream in("int\r\nx\r\n0 0 0 1\r\n"
                        "int\r\nx\r\n437 0 0 1\r\n"
                        "int\r\nx\r\n436 0 0 4\r\n"
                        "float\r\nx\r\n406 0 0 1.5\r\n"
                        "float\r\nx\r\n407 0 0 1.5\r\n"
                        "int\r\nx\r\n2 0 0 6\r\n");
  std::string line;
  for (int i = 0; i < 6; ++i) orgReadRecForInit(in, line);
  EXPECT_EQ(org2n[0], 0);
  EXPECT_EQ(org2n[436], 4);
  EXPECT_FLOAT_EQ(orgFn[406], 1.5f);
  EXPECT_EQ(org2n[2], 6);  // the stream stayed in step after the ignored records
}

TEST_F(SettingsFiles, RecordsInTheSkippedHeadLinesAreNotRead) {
  Write("base/__orgmix.txt", Record("int", "EngText", 5, "1") + Record("int", "GL_Flush", 29, "1"));
  Write("__orgmix.txt", "../base\r\n//== x\r\nint\r\n" + Record("int", "DrawFPS", 47, "1"));
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  // The main file's first line "//== EngText" is skipped, so its record is not
  // recognised; the local file's first three lines are skipped too.
  EXPECT_EQ(*o2::EngText, 0);
  EXPECT_EQ(*o2::GL_Flush, 1);
  EXPECT_EQ(*o2::DrawFPS, 1);
}

TEST_F(SettingsFiles, CacheIsByteExactAndKeepsABackup) {
  Main(Record("int", "NeedExit", 3, "1") + Record("float", "SkyB", 13, "0.75"));
  Local("");
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  ASSERT_EQ(fs::file_size(Cache()), 3392u);
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  EXPECT_TRUE(fs::exists(Cache().string() + "_bak"));
  std::ifstream f(Cache(), std::ios::binary);
  std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
  ASSERT_EQ(b.size(), 3392u);
  auto i32 = [&](size_t at) { return int(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24); };
  EXPECT_EQ(i32(0), 3392);
  EXPECT_EQ(i32(4), 0x001D3384);
  EXPECT_EQ(i32(8), 437);
  EXPECT_EQ(i32(12 + 4 * 3), 1);  // org2n[3]
  EXPECT_EQ(i32(1760), 407);
  float sky;
  std::memcpy(&sky, &b[1764 + 4 * 13], 4);
  EXPECT_FLOAT_EQ(sky, 0.75f);
}

// A cache that cannot be written whole (a file-size limit below its 3,392
// bytes) is reported as failed and leaves the previous cache and its backup.
TEST_F(SettingsFiles, AFailedCacheWriteKeepsThePreviousCache) {
  Main(Record("int", "GSpOfGame", 54, "3"));
  Local("");
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  auto bytes = [](const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  };
  const std::string cache = bytes(Cache()), bak = bytes(Cache().string() + "_bak");
  ASSERT_EQ(cache.size(), 3392u);
  *o2::GSpOfGame = 9;
  int r = 0;
  {
    FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.Ok());
    r = orgUniStaZnaSaveBin();
  }
  EXPECT_EQ(r, 0);
  EXPECT_EQ(bytes(Cache()), cache);
  EXPECT_EQ(bytes(Cache().string() + "_bak"), bak);
  EXPECT_FALSE(fs::exists(Cache().string() + "_new"));
  EXPECT_NE(bytes("log.txt").find("o2o3.bin: not written; the previous one is kept"), std::string::npos);
  EXPECT_NE(bytes("log.txt").find(std::strerror(EFBIG)), std::string::npos);
  // The next start without the text files still has the good cache.
  fs::remove(root_ / "base/__orgmix.txt");
  org2_Init();
  EXPECT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  EXPECT_EQ(*o2::GSpOfGame, 3);
}

TEST_F(SettingsFiles, CacheStandsInForMissingTextFiles) {
  Main(Record("int", "GSpOfGame", 54, "3"));
  Local("");
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  org2_Init();
  fs::remove(root_ / "base/__orgmix.txt");
  EXPECT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);  // from the cache
  EXPECT_EQ(*o2::GSpOfGame, 3);
  org2_Init();
  fs::remove(root_ / "__orgmix.txt");
  EXPECT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  EXPECT_EQ(*o2::GSpOfGame, 3);
  fs::remove(Cache());
  EXPECT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 0);  // nothing left: start-up fails
}

TEST_F(SettingsFiles, EmptyFolderLineFallsBackToTheCache) {
  Main(Record("int", "NeedExit", 3, "1"));
  Local("", "   ");
  EXPECT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 0);
  EXPECT_EQ(*o2::NeedExit, 0);
}

TEST_F(SettingsFiles, DamagedCachesAreRefused) {
  Main(Record("int", "NeedExit", 3, "1"));
  Local("");
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  std::ifstream f(Cache(), std::ios::binary);
  std::string good((std::istreambuf_iterator<char>(f)), {});
  f.close();
  auto tryCache = [&](const std::string& bytes) {
    std::ofstream(Cache(), std::ios::binary | std::ios::trunc) << bytes;
    org2_Init();
    org2n[3] = 42;
    return orgUniStaZnaFrBin();
  };
  EXPECT_EQ(tryCache(good), 1);
  EXPECT_EQ(*o2::NeedExit, 1);
  EXPECT_EQ(tryCache(good.substr(0, 1000)), 0);  // cut short
  EXPECT_EQ(*o2::NeedExit, 42);
  std::string badMagic = good;
  badMagic[4] ^= 1;
  EXPECT_EQ(tryCache(badMagic), 0);
  std::string bigCount = good;
  bigCount[9] = 0x10;  // 437 + 4096 integers claimed
  EXPECT_EQ(tryCache(bigCount), 0);
  std::string badFloatCount = good;
  badFloatCount[1760] = 0;
  EXPECT_EQ(tryCache(badFloatCount), 0);
  EXPECT_EQ(tryCache(good + "x"), 0);
  EXPECT_EQ(*o2::NeedExit, 42);

  // Rewritten after the text files are read, a damaged cache is kept aside:
  // the backup of the last good one stays.
  auto bytes = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const fs::path bak = Cache().string() + "_bak", bad = Cache().string() + "_bad";
  std::ofstream(bak, std::ios::binary) << good;
  std::ofstream(Cache(), std::ios::binary | std::ios::trunc) << "junk";
  ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
  EXPECT_TRUE(bytes(bak) == good);
  EXPECT_EQ(bytes(bad), "junk");
  EXPECT_TRUE(bytes(Cache()) == good);
  EXPECT_NE(bytes("log.txt").find("is not a settings cache of this program (size 4); it is kept as"),
            std::string::npos);
}

// A record whose id or value cannot be read is skipped: the records after
// it are read as usual.
TEST_F(SettingsFiles, UnreadableRecordIsSkippedAndTheRestIsRead) {
  const std::string bad[] = {
      "//== broken\r\nint\r\nx\r\nnot-a-number\r\n",  // text on the id line
      Record("float", "SkyR", 11, "1e50"),                    // beyond a float
      Record("float", "SkyG", 12, "inf"),
      Record("int", "SleepEachFrame", 26, "2147483648"),      // beyond an int
      Record("int", "SleepEachFrame", 26, "-99999999999"),
  };
  for (const std::string& b : bad) {
    SCOPED_TRACE(b);
    org2_Init();
    orgF_Init();
    Main(Record("int", "NeedExit", 3, "1") + b + Record("int", "DrawFPS", 47, "1") +
         Record("float", "FogB", 19, "0.75"));
    Local(Record("int", "GL_Flush", 29, "1") + b + Record("int", "HideWnd", 32, "2"));
    ASSERT_EQ(orgUniStaZnaFrFiles("../__orgmix.txt"), 1);
    EXPECT_EQ(*o2::NeedExit, 1);
    EXPECT_EQ(*o2::DrawFPS, 1);  // after the bad record
    EXPECT_FLOAT_EQ(*o3::FogB, 0.75f);
    EXPECT_EQ(*o2::GL_Flush, 1);
    EXPECT_EQ(*o2::HideWnd, 2);
    EXPECT_EQ(*o2::SleepEachFrame, 0);
    EXPECT_FLOAT_EQ(*o3::SkyR, 0.0f);
  }
}

TEST_F(SettingsFiles, ShippedFilesSetEveryNamedSetting) {
  // The data tree's main settings file has one record for each named setting.
  std::ifstream f(std::string(VELMAR_SOURCE_DIR) + "/data/base/__orgmix.txt", std::ios::binary);
  ASSERT_TRUE(f);
  std::string line;
  std::getline(f, line);
  int records = 0;
  while (std::getline(f, line))
    if (line.rfind("//==", 0) == 0) {
      ++records;
      ASSERT_EQ(orgReadRecForInit(f, line), 1);
    }
  EXPECT_EQ(records, 274);
  EXPECT_EQ(*o2::FirstTimeGL, 1);
  EXPECT_EQ(*o2::GSpOfGame, 1);
  EXPECT_EQ(*o2::EtapOK, 0);
  EXPECT_GT(*o3::GameKamHiY, *o3::GameKamLowY);
}
