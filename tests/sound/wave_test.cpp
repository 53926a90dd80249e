// What the start sounds of the default data set sound like: sound starts on
// OpenAL Soft's wave writer with the general sound list, plays the chain of
// entering the game (5, 3, 6) and a menu click, and the recording is heard.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/sound/recording.h"
#include "tests/sound/sound_fixture.h"

using namespace sndtest;
namespace fs = std::filesystem;

namespace {

// The writer's settings are read once, at the first OpenAL call.
const std::string kWaveDir = "/tmp/velmar_wave_" + std::to_string(getpid());
const bool kEnv = [] {
  fs::create_directories(kWaveDir);
  WriteFile(kWaveDir + "/alsoft.conf", "[general]\ndrivers = wave\n[wave]\nfile = " + kWaveDir + "/out.wav\n");
  return UseSoundBackend("wave", kWaveDir + "/alsoft.conf");
}();

using WaveTest = SoundTest;

}  // namespace

TEST_F(WaveTest, TheStartChainAndAClickAreHeardInTurn) {
  // the default data set, seen from a working directory of our own
  const fs::path data = fs::path(VELMAR_SOURCE_DIR) / "data";
  fs::create_directory_symlink(data / "base", "base");
  fs::create_directory_symlink(data / "zvu", "zvu");
  std::snprintf(general_zvu_list0, sizeof general_zvu_list0, "base/zvu_list0.txt");
  ASSERT_EQ(StartOpenAL(), 1) << Log();
  for (int i = 1; i <= 7; ++i) EXPECT_NE(Zvu_[0][i], 0u) << i;
  // entering the game, then a click on the hero source
  const std::string out = kWaveDir + "/out.wav";
  for (int index : {5, 3, 6}) ZSrcChain_Zakaz(0, 0, index, 0.8f, 1.0f);
  ZSrcResetStart(ZSrcHero[1], 0, 1, 0, 0.95f, 0.5f, 0.55f, 5);
  // What the writer's file shows lags its mixing by well under 0.1 s, so the
  // sounds played now are heard before this mark + 0.3 s, however late the
  // mark comes on a busy machine.
  const double ordered = RecordedSeconds(out);
  bool ended = false;
  for (int frame = 0; frame < 2000 && !ended; ++frame) {
    ZSrcMainKot_StartKadrProc();
    ZSrcChain_Rezident();
    ended = !ZSrcChain_zz1[0].busy && !ZSrc_IsPlaying(ZSrcChain[0]);
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(ended);
  // quiet after the chain: the writer goes on for 0.25 s past its end
  const double quietFrom = RecordedSeconds(out) + 0.25;
  for (int i = 0; i < 4000 && RecordedSeconds(out) < quietFrom; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  KillALData();
  Recording rec;
  ASSERT_TRUE(ParseRecording(ReadFile(out), rec));
  fs::remove_all(kWaveDir);
  EXPECT_EQ(rec.rate, 44100);
  double first = 0, last = 0;
  ASSERT_TRUE(rec.LoudSpan(0.01, first, last)) << rec.Rms();
  EXPECT_GT(rec.Rms(), 0.02);
  EXPECT_LT(first, ordered + 0.3) << "heard at once";
  // 0.7 s of whine, 1 s of engine, then the chime: one after another
  EXPECT_GT(last, 2.0);
  EXPECT_GE(rec.Seconds(), quietFrom);
  EXPECT_LT(last, rec.Seconds() - 0.1);
}
