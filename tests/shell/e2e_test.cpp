// End to end: the real game, started by tools/run-headless on a copy of the
// data tree, on the X display the test runs under.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kTools = std::string(VELMAR_SOURCE_DIR) + "/tools/";
const std::string kGame = std::string(VELMAR_BINARY_DIR) + "/velmar";
const std::string kWmDelete = std::string(VELMAR_BINARY_DIR) + "/tests/shell/velmar_wm_delete";

std::string Slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string Output(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[512];
  while (fgets(buf, sizeof buf, p)) out += buf;
  pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

class Game : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("velmar-e2e-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir_);
  }
  // Starts run-headless in the background; returns its process id.
  pid_t Start(std::vector<std::string> args) {
    std::vector<std::string> argv{kTools + "run-headless", "--display", "--dir", dir_.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_t pid = fork();
    if (pid == 0) {
      std::vector<char*> a;
      for (auto& s : argv) a.push_back(s.data());
      a.push_back(nullptr);
      freopen("/dev/null", "w", stdout);
      execv(a[0], a.data());
      _exit(127);
    }
    return pid;
  }
  int Wait(pid_t pid, int seconds) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > end) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
  }
  int RunToEnd(std::vector<std::string> args, int seconds = 120) {
    return Wait(Start(std::move(args)), seconds);
  }
  // The game's window, once it is there.
  std::string WaitForWindow() {
    for (int i = 0; i < 200; ++i) {
      std::string pid = Slurp(dir_ / "velmar.pid");
      if (!pid.empty() && pid.back() == '\n') pid.pop_back();
      if (!pid.empty()) {
        std::string id = Output("xdotool search --pid " + pid + " --name '^Velmar$' 2>/dev/null | head -1");
        if (!id.empty()) return id;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
  }
  void ExpectCleanRun() {
    std::string err = Slurp(dir_ / "stderr.txt");
    EXPECT_EQ(err.find("AddressSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("LeakSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;
  }
  fs::path dir_;
};

}  // namespace

TEST_F(Game, ExitsOnNeedExitAfterItsFirstFrame) {
  ASSERT_EQ(RunToEnd({kGame, "o2::NeedExit=1"}), 0);
  ExpectCleanRun();
  std::string log = Slurp(dir_ / "log.txt");  // the system directory is the copy's root
  EXPECT_NE(log.find(".. Window created.. (800 600)"), std::string::npos) << log;
  EXPECT_NE(log.find("ClrBits: 8 8 8 8    D:24   Stencil:8"), std::string::npos) << log;
  EXPECT_EQ(fs::file_size(dir_ / "start/a_sys/base/o2o3.bin"), 3392u);
}

TEST_F(Game, ScreenshotOfTheFirstFrame) {
  ASSERT_EQ(RunToEnd({kGame, "o2::NeedExit=1", "o2::NeedScreen=1"}), 0);
  ExpectCleanRun();
  fs::path shots = dir_ / "start/users/screens1";
  ASSERT_TRUE(fs::is_directory(shots));
  std::vector<fs::path> files;
  for (auto& e : fs::directory_iterator(shots)) files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  std::string name = files[0].filename().string();
  EXPECT_EQ(name.rfind("Tervalo_", 0), 0u) << name;
  EXPECT_NE(name.find("_0001.bmp"), std::string::npos) << name;
  std::string bmp = Slurp(files[0]);
  ASSERT_EQ(bmp.size(), 54u + 800 * 600 * 3);
  // A corner of the frame that the menu leaves to its black clear colour
  // (rows are stored bottom-up).
  auto px = [&](int i) { return int(static_cast<unsigned char>(bmp[54 + 3 * (20 * 800 + 780) + i])); };
  EXPECT_LE(px(2), 4);  // red
  EXPECT_LE(px(1), 4);  // green
  EXPECT_LE(px(0), 4);  // blue
}

TEST_F(Game, WindowCloseEndsTheProgramCleanly) {
  pid_t pid = Start({"--timeout", "90", kGame});
  std::string win = WaitForWindow();
  ASSERT_FALSE(win.empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // a few frames
  ASSERT_EQ(std::system((kWmDelete + " " + win).c_str()), 0);
  EXPECT_EQ(Wait(pid, 60), 0);
  ExpectCleanRun();
}

TEST_F(Game, AltF4ClosesTheWindow) {
  pid_t pid = Start({"--timeout", "90", kGame});
  std::string win = WaitForWindow();
  ASSERT_FALSE(win.empty());
  std::system(("xdotool windowfocus --sync " + win + " 2>/dev/null").c_str());
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  std::system("xdotool keydown alt keydown F4 sleep 0.15 keyup F4 keyup alt");
  EXPECT_EQ(Wait(pid, 60), 0);
  ExpectCleanRun();
}

TEST_F(Game, MissingKonfigEndsStartUpQuietly) {
  ASSERT_EQ(RunToEnd({"--no-konfig", kGame}), 0);
  ExpectCleanRun();
  EXPECT_EQ(Slurp(dir_ / "log.txt").find("Window created"), std::string::npos);
  EXPECT_EQ(Slurp(dir_ / "start/log.txt").find("Window created"), std::string::npos);
}

TEST_F(Game, MissingMessageBaseShowsItsBoxAndEnds) {
  ASSERT_EQ(RunToEnd({"--no-msgbase", kGame}), 0);
  ExpectCleanRun();
  std::string err = Slurp(dir_ / "stderr.txt");
  EXPECT_NE(err.find("[Not found <msgbase.txt>]"), std::string::npos) << err;
  EXPECT_EQ(Slurp(dir_ / "log.txt").find("Window created"), std::string::npos);
}

TEST_F(Game, FullScreenRefusedEndsStartUpWithoutASecondWindow) {
  // konfig asks for full screen at 800 x 600, which the test display does not have.
  fs::create_directories(dir_);
  ASSERT_EQ(RunToEnd({"--msgbox", "no", "--konfig-screen", "1", kGame}), 0);
  ExpectCleanRun();
  std::string err = Slurp(dir_ / "stderr.txt");
  EXPECT_NE(err.find("Continue in a window? -> no"), std::string::npos) << err;
  EXPECT_NE(err.find("The program will now close."), std::string::npos) << err;
  // Asked once: the refusal is final.
  EXPECT_EQ(err.find("Continue in a window?"), err.rfind("Continue in a window?")) << err;
  EXPECT_EQ(Slurp(dir_ / "log.txt").find("Window created"), std::string::npos);
}

TEST_F(Game, FullScreenQuestionAnsweredYesRunsInAWindow) {
  ASSERT_EQ(RunToEnd({"--msgbox", "yes", "--konfig-screen", "1", kGame, "o2::NeedExit=1"}), 0);
  ExpectCleanRun();
  EXPECT_NE(Slurp(dir_ / "log.txt").find("Window created.. (800 600)"), std::string::npos);
}

// A start asked for in the game mode with every general resource loaded:
// without a level it starts in the menu (its first frame is the menu's); the
// object base is made new and saved on the first start and loaded on the
// next, a damaged base rebuilt with the bad file kept as "_bak"; teardown
// leaves no leak.
TEST_F(Game, GameModeWithoutALevelStartsInTheMenu) {
  ASSERT_EQ(RunToEnd({"--konfig-mode", "4", kGame, "o2::NeedExit=1", "o2::NeedScreen=1"}), 0);
  ExpectCleanRun();
  std::string log = Slurp(dir_ / "log.txt");
  EXPECT_NE(log.find("Err >> Pro_Q7_Elements::init()-->FgrHld.LoadBase() // now make new"), std::string::npos);
  EXPECT_NE(log.find(" ... OK >> FgrHld.LoadBase()"), std::string::npos) << log;
  EXPECT_NE(log.find("no level yet, the program starts in the menu (not mode 4)"), std::string::npos) << log;
  EXPECT_EQ(fs::file_size(dir_ / "base/gen.fgh"), 168u);

  std::vector<fs::path> files;
  for (auto& e : fs::directory_iterator(dir_ / "start/users/screens1")) files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  std::string bmp = Slurp(files[0]);
  ASSERT_EQ(bmp.size(), 54u + 800 * 600 * 3);
  auto px = [&](int x, int y, int i) { return int(static_cast<unsigned char>(bmp[54 + 3 * (y * 800 + x) + i])); };
  for (int c = 0; c < 3; ++c) EXPECT_LE(px(780, 20, c), 4);  // the menu's black

  ASSERT_EQ(RunToEnd({"--konfig-mode", "4", kGame, "o2::NeedExit=1"}), 0);
  ExpectCleanRun();
  log = Slurp(dir_ / "log.txt");
  EXPECT_NE(log.find("\n OK >> Pro_Q7_Elements::init()-->FgrHld.LoadBase()"), std::string::npos) << log;

  std::string bad = Slurp(dir_ / "base/gen.fgh");
  bad[21] = 'X';  // the first record's marker
  std::ofstream(dir_ / "base/gen.fgh", std::ios::binary | std::ios::trunc) << bad;
  ASSERT_EQ(RunToEnd({"--konfig-mode", "4", kGame, "o2::NeedExit=1"}), 0);
  ExpectCleanRun();
  EXPECT_EQ(Slurp(dir_ / "base/gen.fgh_bak"), bad);
  EXPECT_EQ(fs::file_size(dir_ / "base/gen.fgh"), 168u);
}
