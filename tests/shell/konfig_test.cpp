// konfig.txt: the 22 positional values, their rules and a file cut short.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/shell.h"
#include "test_dir.h"
#include "ui/ui.h"

namespace {

std::vector<std::string> Values() {
  return {"3", "2", "24", "16", "0", "0", "3", "3", "60.0", "1.0", "750.0", "sysdir", "ris.txt",
          "wf.txt", "pr.txt", "zvu.txt", "music.wav", "1", "1", "4", "10.0.0.1", "2000"};
}

// Builds the file from the 22 value lines (the system directory takes index 11).
std::string KonfigText(const std::vector<std::string>& v, size_t stopAfter = 99) {
  std::string s;
  for (size_t i = 0; i < v.size() && i < stopAfter; ++i) {
    if (i == 11) s += "---\r\nsystem directory\r\n(relative)\r\n";
    else s += "label " + std::to_string(i + 1) + "\r\n";
    s += v[i] + "\r\n";
  }
  return s;
}

class Konfig : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::filesystem::create_directories(root_ / "sysdir");
    org2_Init();
    Ekran = t_Main_Ekran();
  }
  int Read(const std::string& text) {
    Write("konfig.txt", text);
    greeting_ = -7;
    int r = ReadKonfig_Txt(greeting_);
    std::filesystem::current_path(root_);
    return r;
  }
  int greeting_ = 0;
};

}  // namespace

TEST_F(Konfig, GoldenFile) {
  ASSERT_EQ(Read(KonfigText(Values())), 1);
  EXPECT_EQ(Ekran.FullScreen, 0);
  EXPECT_EQ(Ekran.Framed, 1);
  EXPECT_EQ(Ekran.VModeReq, 2);
  EXPECT_EQ(Ekran.ClrBitsReq, 24);
  EXPECT_EQ(Ekran.DepthBitsReq, 16);
  EXPECT_EQ(Ekran.StencilBitsReq, 0);
  EXPECT_EQ(greeting_, 0);
  EXPECT_EQ(*o2::AktivIPPI, 3);
  EXPECT_EQ(WheelUpTimeMB1, 3);
  EXPECT_FLOAT_EQ(Glob_GenFOV, 60.0f);
  EXPECT_FLOAT_EQ(Glog_GenFar, 750.0f);
  EXPECT_EQ(std::string(game_sys_dir0()), (root_ / "sysdir").string());
  EXPECT_STREQ(general_ris_list0, "ris.txt");
  EXPECT_STREQ(wfont_list0, "wf.txt");
  EXPECT_STREQ(proektor_list0, "pr.txt");
  EXPECT_STREQ(general_zvu_list0, "zvu.txt");
  EXPECT_EQ(Glob_GenMusFileName, "music.wav");
  EXPECT_EQ(GlobTerminator_IfNotPixBuf, 1);
  EXPECT_EQ(shader1ErrorAsFatal, 1);
  EXPECT_EQ(Ekran.SamplesReq, 4);
  EXPECT_STREQ(IP_ch, "10.0.0.1");
  EXPECT_STREQ(PORT_NUMBER_ch, "2000");
}

TEST_F(Konfig, ScreenKindsGreetingAndFieldOfView) {
  auto v = Values();
  struct Case { const char* kind; int full, framed; };
  for (Case c : {Case{"1", 1, 0}, Case{"2", 0, 0}, Case{"0", 0, 1}, Case{"7", 0, 1}}) {
    v[0] = c.kind;
    ASSERT_EQ(Read(KonfigText(v)), 1);
    EXPECT_EQ(Ekran.FullScreen, c.full) << c.kind;
    EXPECT_EQ(Ekran.Framed, c.framed) << c.kind;
  }
  for (auto [g, want] : {std::pair{"5", 1}, {"0", 0}, {"-1", 0}}) {
    v[5] = g;
    ASSERT_EQ(Read(KonfigText(v)), 1);
    EXPECT_EQ(greeting_, want) << g;
  }
  for (auto [fov, want] : {std::pair{"170", 150.0f}, {"10", 30.0f}, {"90", 90.0f}}) {
    v[8] = fov;
    ASSERT_EQ(Read(KonfigText(v)), 1);
    EXPECT_FLOAT_EQ(Glob_GenFOV, want) << fov;
  }
}

TEST_F(Konfig, TrimmedSystemDirectoryAndOverlongTextsAreCut) {
  auto v = Values();
  v[11] = "   sysdir \t";
  v[12] = std::string(300, 'r');
  v[21] = "123456789012345678901234567890";
  ASSERT_EQ(Read(KonfigText(v)), 1);
  EXPECT_EQ(std::string(game_sys_dir0()), (root_ / "sysdir").string());
  EXPECT_EQ(std::strlen(general_ris_list0), 127u);
  EXPECT_EQ(std::strlen(PORT_NUMBER_ch), 15u);
  EXPECT_EQ(std::string(PORT_NUMBER_ch), "123456789012345");
}

TEST_F(Konfig, MissingTruncatedOrBadDirectoryFails) {
  int g = 0;
  EXPECT_EQ(ReadKonfig_Txt(g), 0);  // no file
  EXPECT_EQ(Read(KonfigText(Values(), 11)), 0);  // stops after the far plane
  auto v = Values();
  v[11] = "no-such-dir";
  EXPECT_EQ(Read(KonfigText(v)), 0);
}

// A number that cannot be read keeps its target; the values after it are
// read as usual, down to the system directory.
TEST_F(Konfig, UnreadableNumberKeepsItsTargetAndTheRestIsRead) {
  for (const char* bad : {"near", "abc", "1e40", "1e99999"}) {
    SCOPED_TRACE(bad);
    auto v = Values();
    v[9] = bad;
    Glob_GenNear = 2.5f;
    Glog_GenFar = 42.0f;
    ASSERT_EQ(Read(KonfigText(v)), 1);
    EXPECT_FLOAT_EQ(Glob_GenNear, 2.5f);
    EXPECT_FLOAT_EQ(Glog_GenFar, std::stof(Values()[10]));
    EXPECT_EQ(std::string(game_sys_dir0()), (root_ / "sysdir").string());
  }
  for (const char* bad : {"abc", "99999999999"}) {  // the screen kind, the first value
    SCOPED_TRACE(bad);
    auto v = Values();
    v[0] = bad;
    ASSERT_EQ(Read(KonfigText(v)), 1);
    EXPECT_EQ(Ekran.Framed, 1);
    EXPECT_EQ(std::string(game_sys_dir0()), (root_ / "sysdir").string());
  }
}

TEST_F(Konfig, ShippedKonfigReadsAndEntersTheDataFolder) {
  std::filesystem::path start = std::filesystem::path(VELMAR_SOURCE_DIR) / "data/start";
  std::filesystem::current_path(start);
  int g = -1;
  ASSERT_EQ(ReadKonfig_Txt(g), 1);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(start / ".."));
  EXPECT_EQ(g, 0);
  EXPECT_EQ(Ekran.Framed, 1);
  EXPECT_EQ(Ekran.VModeReq, 0);
  EXPECT_EQ(*o2::AktivIPPI, 3);
  EXPECT_TRUE(std::filesystem::exists("base/msgbase.txt"));
}
