// The real game, started by tools/run-headless on a copy of the data tree:
// with OpenAL Soft's wave writer it opens the device and records from its
// first frame to its exit; without a device it says so and runs on silently.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/sound/recording.h"
#include "tests/sound/sound_fixture.h"

using namespace sndtest;
namespace fs = std::filesystem;

namespace {

class SoundGame : public ::testing::Test {
 protected:
  fs::path dir_;
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("velmar-sound-e2e-" + std::to_string(getpid()));
    fs::remove_all(dir_);
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir_);
  }
  // One run to its first frame; the time limit only ends a game that hangs,
  // however loaded the machine.
  int Run(const std::string& sound) {
    std::string cmd = std::string(VELMAR_SOURCE_DIR) + "/tools/run-headless --display --timeout 600 --dir " +
                      dir_.string() + " --sound " + sound + " " + VELMAR_BINARY_DIR +
                      "/velmar o2::NeedExit=1 > /dev/null";
    int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  }
  std::string File(const char* name) { return ReadFile((dir_ / name).string()); }
  void ExpectCleanRun() {
    std::string err = File("stderr.txt");
    EXPECT_EQ(err.find("AddressSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("LeakSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;
  }
};

}  // namespace

TEST_F(SoundGame, TheWaveWriterRecordsTheWholeRun) {
  ASSERT_EQ(Run("wave"), 0);
  ExpectCleanRun();
  EXPECT_EQ(File("stderr.txt").find("sound device not present"), std::string::npos);
  EXPECT_EQ(File("log.txt").find("sound"), std::string::npos) << File("log.txt");
  Recording rec;
  ASSERT_TRUE(ParseRecording(File("sound.wav"), rec));
  EXPECT_EQ(rec.rate, 44100);
  EXPECT_EQ(rec.channels, 2);
  EXPECT_GT(rec.frames.size(), 0u);
}

TEST_F(SoundGame, WithoutADeviceTheGameRunsOnSilently) {
  ASSERT_EQ(Run("none"), 0);
  ExpectCleanRun();
  EXPECT_NE(File("stderr.txt").find("[Error] DirectSound3D  sound device not present"), std::string::npos)
      << File("stderr.txt");
  std::string log = File("log.txt");
  EXPECT_NE(log.find("sound: no sound device"), std::string::npos) << log;
  EXPECT_NE(log.find("Window created"), std::string::npos) << log;
}
