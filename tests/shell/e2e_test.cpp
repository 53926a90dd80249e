// End to end: the real game, started by tools/run-headless on a copy of the
// data tree, on the X display the test runs under.
#include "tests/common/game_run.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using gamerun::Output;
using gamerun::Slurp;

const std::string kTools = std::string(VELMAR_SOURCE_DIR) + "/tools/";
const std::string kGame = std::string(VELMAR_BINARY_DIR) + "/velmar";
const std::string kWmDelete = std::string(VELMAR_BINARY_DIR) + "/tests/shell/velmar_wm_delete";

class Game : public gamerun::GameRun {
 protected:
  std::string WaitForWindow() { return FindWindow(); }
};

// A git checkout of the test's own at `at`, holding copies of these tools:
// they take their data set from its data/ and write nothing another test
// sees.
bool OwnCheckout(const fs::path& at, std::initializer_list<const char*> tools) {
  std::error_code ec;
  fs::create_directories(at / "tools", ec);
  for (const char* t : tools) fs::copy_file(kTools + t, at / "tools" / t, ec);
  return !ec && std::system(("git init -q '" + at.string() + "'").c_str()) == 0;
}

}  // namespace

TEST_F(Game, ExitsOnNeedExitAfterItsFirstFrame) {
  ASSERT_EQ(RunToEnd({kGame, "o2::NeedExit=1"}), 0);
  ExpectCleanRun();
  std::string log = Slurp(dir_ / "log.txt");  // the system directory is the copy's root
  EXPECT_NE(log.find(".. Window created.. (800 600)"), std::string::npos) << log;
  EXPECT_NE(log.find("ClrBits: 8 8 8 8    D:24   Stencil:8"), std::string::npos) << log;
  EXPECT_EQ(fs::file_size(dir_ / "start/a_sys/base/o2o3.bin"), 3392u);
}

// The first frame's screenshot, also where the users folder is missing (the
// game makes it at start); what a stopped screenshot left is gone by then;
// where a file stands in the folder's place, the log says why at start and
// again at the shot, and no screenshot is saved.
TEST_F(Game, ScreenshotOfTheFirstFrame) {
  const struct {
    const char* name;
    const char* prepare;
    bool saved;
  } cases[] = {
      {"the users folder there, with what a stopped shot left",
       "mkdir -p start/users/screens1 && head -c 4096 /dev/zero > start/users/screens1/Tervalo_x_0007.bmp_new", true},
      {"no users folder", "rm -r start/users", true},
      {"a file in the users folder's place", "rm -r start/users && echo x > start/users", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_);
    ASSERT_EQ(RunToEnd({"--prepare", c.prepare, kGame, "o2::NeedExit=1", "o2::NeedScreen=1"}), 0);
    ExpectCleanRun();
    if (!c.saved) {
      const std::string log = Slurp(dir_ / "log.txt");
      const std::string why =
          "the folder \"" + fs::canonical(dir_ / "start").string() + "/users\" cannot be used (it is a regular file)";
      EXPECT_NE(log.find(why + "; no screenshot is saved this run"), std::string::npos) << log;
      EXPECT_NE(log.find("Screenshot not saved: " + why), std::string::npos) << log;
      continue;
    }
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
}

TEST_F(Game, WindowCloseEndsTheProgramCleanly) {
  pid_t pid = Start({kGame});
  std::string win = WaitForWindow();
  ASSERT_FALSE(win.empty());
  ASSERT_EQ(std::system((kWmDelete + " " + win).c_str()), 0);
  EXPECT_EQ(Wait(pid), 0);
  ExpectCleanRun();
}

// Alt+F4 is taken from the key messages themselves, not from a frame's keys.
TEST_F(Game, AltF4ClosesTheWindow) {
  pid_t pid = Start({kGame});
  std::string win = WaitForWindow();
  ASSERT_FALSE(win.empty());
  std::system(("xdotool windowfocus --sync " + win + " 2>/dev/null").c_str());
  std::system("xdotool keydown alt keydown F4 keyup F4 keyup alt");
  EXPECT_EQ(Wait(pid), 0);
  ExpectCleanRun();
}

// A start that fails ends with a non-zero exit code and one line on stderr
// saying what failed and where the log is; the log says it too. The
// program's own boxes are still shown (answered on stderr here).
TEST_F(Game, FailedStartsSayWhatFailedAndExitNonZero) {
  const struct Case {
    const char* name;
    std::vector<std::string> options;
    std::vector<std::string> said;  // in the stderr line
  } cases[] = {
      {"no konfig", {"--no-konfig"}, {"configuration", "konfig.txt: missing"}},
      {"empty konfig", {"--prepare", ": > start/konfig.txt"}, {"konfig.txt: the file ends before the system directory"}},
      {"no system directory", {"--prepare", "sed -i '26s/.*/no-such-dir\r/' start/konfig.txt"},
       {"konfig.txt: the system directory", "no-such-dir", "cannot be entered"}},
      {"no local settings file and no cache", {"--prepare", "rm __orgmix.txt"},
       {"settings files", "a_sys/base/o2o3.bin is missing"}},
      {"no message base", {"--no-msgbase"}, {"message base", "base/msgbase.txt: missing"}},
      {"bad message base", {"--prepare", "printf 'x\r\n' > base/msgbase.txt"}, {"message base", "no message count"}},
      {"missing model", {"--prepare", "rm mdl/m01_ground_quad.txt"}, {"general resources", "mdl/m01_ground_quad.txt"}},
      {"damaged model", {"--prepare", "printf junk > mdl/m00_box.txt"}, {"general resources", "mdl/m00_box.txt"}},
      {"damaged picture", {"--prepare", "printf xx > ris/grey.tga"}, {"the GL window", "ris/grey.tga", "cut short"}},
      {"missing font list", {"--prepare", "rm base/wfont_list0.txt"},
       {"the GL window", "base/wfont_list0.txt", "missing"}},
      {"object base in a folder's place", {"--prepare", "mkdir base/gen.fgh"},
       {"the front end", "base/gen.fgh", "a directory"}},
      {"no display", {"--no-display"}, {"the GL probe window", "no display"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_);
    std::vector<std::string> args = c.options;
    args.push_back(kGame);
    ASSERT_EQ(RunToEnd(args), 1);
    ExpectCleanRun();
    std::string err = Slurp(dir_ / "stderr.txt");
    size_t at = err.find("velmar: start-up failed: ");
    ASSERT_NE(at, std::string::npos) << err;
    EXPECT_EQ(err.rfind("velmar: start-up failed: "), at) << "one line: " << err;
    std::string line = err.substr(at, err.find('\n', at) - at);
    for (const std::string& w : c.said) EXPECT_NE(line.find(w), std::string::npos) << w << " in " << line;
    size_t logAt = line.find("(log: ");
    ASSERT_NE(logAt, std::string::npos) << line;
    std::string log = line.substr(logAt + 6, line.size() - logAt - 7);
    EXPECT_NE(Slurp(log).find("start-up failed"), std::string::npos) << log;
  }
}

// Two start-up failures show a box: the missing message base, and the GL
// set-up, whose box names the file and what was wrong with it.
TEST_F(Game, StartUpBoxesSayWhichFile) {
  ASSERT_EQ(RunToEnd({"--no-msgbase", kGame}), 1);
  std::string err = Slurp(dir_ / "stderr.txt");
  EXPECT_NE(err.find("[Not found <msgbase.txt>]"), std::string::npos) << err;
  fs::remove_all(dir_);
  ASSERT_EQ(RunToEnd({"--prepare", "printf xx > ris/grey.tga", kGame}), 1);
  err = Slurp(dir_ / "stderr.txt");
  size_t box = err.find("GL initialisation failed.");
  ASSERT_NE(box, std::string::npos) << err;
  EXPECT_NE(err.find("ris/grey.tga", box), std::string::npos) << err;
  std::string log = Slurp(dir_ / "log.txt");
  EXPECT_NE(log.find("GL initialisation failed."), std::string::npos) << log;
  EXPECT_NE(log.find("ris/grey.tga"), std::string::npos) << log;
}

// A start directory whose path is 255 characters or more fails, and says so.
TEST_F(Game, LongStartDirectoryPathFailsWithALine) {
  dir_ = dir_ / std::string(240, 'd');
  ASSERT_EQ(RunToEnd({kGame}), 1);
  std::string err = Slurp(dir_ / "stderr.txt");
  EXPECT_NE(err.find("velmar: start-up failed: start directory"), std::string::npos) << err;
  fs::remove_all(dir_.parent_path());
}

TEST_F(Game, FullScreenRefusedEndsStartUpWithoutASecondWindow) {
  // konfig asks for full screen at 800 x 600, which the test display does not have.
  fs::create_directories(dir_);
  ASSERT_EQ(RunToEnd({"--msgbox", "no", "--konfig-screen", "1", kGame}), 1);
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
// next, a damaged base rebuilt with the bad file kept as "_bad" and the
// backup left as it was; teardown leaves no leak.
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

  const std::string good = Slurp(dir_ / "base/gen.fgh");
  fs::copy_file(dir_ / "base/gen.fgh", dir_ / "base/gen.fgh_bak");
  std::string bad = good;
  bad[21] = 'X';  // the first record's marker
  std::ofstream(dir_ / "base/gen.fgh", std::ios::binary | std::ios::trunc) << bad;
  ASSERT_EQ(RunToEnd({"--konfig-mode", "4", kGame, "o2::NeedExit=1"}), 0);
  ExpectCleanRun();
  EXPECT_EQ(Slurp(dir_ / "base/gen.fgh_bad"), bad);
  EXPECT_EQ(Slurp(dir_ / "base/gen.fgh_bak"), good);
  EXPECT_EQ(Slurp(dir_ / "base/gen.fgh"), good);
  EXPECT_NE(Slurp(dir_ / "log.txt").find("(record 1 of 2 (at byte 20): no record marker FGR>)"), std::string::npos);
}

// A base the game cannot start from (an empty block without the first screen
// frame, a pipe in the file's place) is kept as "_bad" and a new one is made.
TEST_F(Game, AnUnusableBaseIsKeptAsBadAndANewOneMade) {
  const std::string empty("\x18\x00\x00\x00\xe3\xbd\x06\x00\xec\x2c\x00\x00"
                          "BLOK\x00\x00\x00\x00\x2c\x01\x00\x00", 24);
  fs::create_directories(dir_ / "base");
  std::ofstream(dir_ / "empty.fgh", std::ios::binary) << empty;
  for (const char* prepare : {"cp empty.fgh base/gen.fgh", "mkfifo base/gen.fgh"}) {
    SCOPED_TRACE(prepare);
    ASSERT_EQ(RunToEnd({"--prepare", prepare, kGame, "o2::NeedExit=1"}), 0);
    ExpectCleanRun();
    EXPECT_EQ(fs::file_size(dir_ / "base/gen.fgh"), 168u);
    if (std::string(prepare).rfind("cp", 0) == 0)
      EXPECT_EQ(Slurp(dir_ / "base/gen.fgh_bad"), empty);
    else
      EXPECT_TRUE(fs::is_fifo(dir_ / "base/gen.fgh_bad"));
    EXPECT_FALSE(fs::exists(dir_ / "base/gen.fgh_bak"));
    ASSERT_EQ(RunToEnd({kGame, "o2::NeedExit=1"}), 0);
    EXPECT_NE(Slurp(dir_ / "log.txt").find("\n OK >> Pro_Q7_Elements::init()-->FgrHld.LoadBase()"),
              std::string::npos);
    fs::remove(dir_ / "base/gen.fgh");
    fs::remove(dir_ / "base/gen.fgh_bad");
  }
}

// tools/copy-data takes a checkout's tracked data files only: what a run
// wrote into data/ stays out of the copy. The copy run-headless makes holds
// the data set.
TEST_F(Game, TheTestCopyTakesOnlyTrackedFiles) {
  ASSERT_EQ(RunToEnd({kGame, "o2::NeedExit=1"}), 0);
  EXPECT_TRUE(fs::exists(dir_ / "start/konfig.txt"));
  EXPECT_TRUE(fs::exists(dir_ / "base/msgbase.txt"));

  const fs::path repo = dir_ / "repo", copy = dir_ / "copy";
  ASSERT_TRUE(OwnCheckout(repo, {"copy-data"}));
  fs::create_directories(repo / "data/base");
  std::ofstream(repo / "data/base/tracked.txt") << "tracked";
  std::ofstream(repo / "data/base/stray.txt") << "written by a run";
  ASSERT_EQ(std::system(("git -C '" + repo.string() + "' add tools data/base/tracked.txt").c_str()), 0);
  ASSERT_EQ(std::system(("'" + repo.string() + "/tools/copy-data' '" + copy.string() + "'").c_str()), 0);
  EXPECT_EQ(Slurp(copy / "base/tracked.txt"), "tracked");
  EXPECT_FALSE(fs::exists(copy / "base/stray.txt"));
}

// tools/run-game runs the game in a folder of its own, seeded from the data
// set, and Ctrl+C ends the game cleanly; nothing lands in data/ (that of a
// checkout of the test's own, holding the data set and the tools).
TEST_F(Game, RunGameUsesItsOwnFolderAndEndsCleanlyOnCtrlC) {
  const fs::path repo = dir_ / "repo";
  ASSERT_TRUE(OwnCheckout(repo, {"run-game", "copy-data"}));
  ASSERT_EQ(std::system((kTools + "copy-data '" + (repo / "data").string() + "'").c_str()), 0);
  ASSERT_EQ(std::system(("git -C '" + repo.string() + "' add tools data").c_str()), 0);
  // What in data/ is not a tracked file as it was added: a new, changed or removed one.
  auto dataChanges = [&] {
    return Output("git -C '" + repo.string() + "' ls-files --others --modified --deleted -- data 2>&1");
  };
  ASSERT_EQ(dataChanges(), "");
  const std::string out = (dir_ / "run-game.out").string();
  pid_t pid = fork();
  if (pid == 0) {
    signal(SIGINT, SIG_DFL);  // as at a terminal
    setpgid(0, 0);
    freopen(out.c_str(), "w", stderr);
    freopen("/dev/null", "w", stdout);
    std::string runGame = (repo / "tools/run-game").string();
    std::string d = dir_.string();
    execl(runGame.c_str(), runGame.c_str(), "--dir", d.c_str(), kGame.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  setpgid(pid, pid);
  // Its start-up over (the log says its first mode runs), the game takes Ctrl+C.
  ASSERT_TRUE(gamerun::WaitUntil([&] { return Logged(gamerun::ModeEntered(3)); }));
  kill(-pid, SIGINT);  // Ctrl+C reaches the whole foreground group
  EXPECT_EQ(Wait(pid), 0);
  std::string err = Slurp(out);
  EXPECT_NE(err.find("Ctrl+C"), std::string::npos) << err;
  EXPECT_EQ(err.find("AddressSanitizer"), std::string::npos) << err;
  EXPECT_TRUE(fs::exists(dir_ / "log.txt"));
  EXPECT_TRUE(fs::exists(dir_ / "base/gen.fgh"));
  EXPECT_TRUE(fs::exists(dir_ / "start/a_sys/base/o2o3.bin"));
  EXPECT_EQ(dataChanges(), "");
}

// A settings cache that cannot be written whole (the process's file-size
// limit is below its size) is reported in the log, the previous cache stays,
// and the program runs on.
TEST_F(Game, ASettingsCacheThatCannotBeWrittenIsReported) {
  ASSERT_EQ(RunToEnd({kGame, "o2::NeedExit=1"}), 0);
  const fs::path cache = dir_ / "start/a_sys/base/o2o3.bin";
  const std::string before = Slurp(cache);
  ASSERT_EQ(before.size(), 3392u);
  fs::remove(dir_ / "log.txt");  // the new run's lines fit below the limit
  pid_t pid = fork();
  if (pid == 0) {
    rlimit small{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &small);
    if (chdir((dir_ / "start").c_str()) != 0) _exit(127);
    freopen("/dev/null", "w", stdout);
    freopen((dir_ / "stderr.txt").c_str(), "w", stderr);
    execl(kGame.c_str(), kGame.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  EXPECT_EQ(Wait(pid), 0);
  ExpectCleanRun();
  EXPECT_EQ(Slurp(cache), before);
  // Written before konfig.txt is read, to the run's one log.
  EXPECT_NE(Slurp(dir_ / "log.txt").find("o2o3.bin: not written; the previous one is kept"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "start/log.txt"));
}

// A second game started in the folder of a running one, from its start
// directory or from another start directory beside it, says so, writes
// nothing and exits 1; once the first is killed, the next start runs. Where
// no lock can be taken (a link to nothing at its name) the game says so on
// stderr and in a box, and runs on.
TEST_F(Game, ASecondGameInTheSameFolderEndsAtOnce) {
  const pid_t first = Start({kGame});
  ASSERT_TRUE(WaitLog(gamerun::ModeEntered(3)));
  fs::copy(dir_ / "start", dir_ / "start2", fs::copy_options::recursive);
  auto tree = [&] {
    std::string t;
    for (auto& e : fs::recursive_directory_iterator(dir_)) {
      std::error_code ec;
      t += e.path().string() + " " + std::to_string(e.is_regular_file(ec) ? e.file_size(ec) : 0) + " " +
           std::to_string(e.last_write_time(ec).time_since_epoch().count()) + "\n";
    }
    return t;
  };
  const std::string files = tree();
  const std::string errFile = dir_.string() + ".second";
  for (const char* start : {"start", "start2"}) {
    SCOPED_TRACE(start);
    const pid_t second = fork();
    if (second == 0) {
      if (chdir((dir_ / start).c_str()) != 0) _exit(127);
      setenv("VELMAR_MSGBOX", "auto", 1);
      freopen("/dev/null", "w", stdout);
      freopen(errFile.c_str(), "w", stderr);
      execl(kGame.c_str(), kGame.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    EXPECT_EQ(Wait(second, 60), 1);  // at once: a minute is only a safety net
    const std::string err = Slurp(errFile);
    fs::remove(errFile);
    EXPECT_NE(err.find("velmar: another game runs in the folder " + fs::canonical(dir_).string() + " "),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("velmar: message box [Velmar] Another game"), std::string::npos) << err;
    EXPECT_EQ(err.find("AddressSanitizer"), std::string::npos) << err;
    EXPECT_EQ(tree(), files);
  }
  kill(std::atoi(Slurp(dir_ / "velmar.pid").c_str()), SIGKILL);
  Wait(first);
  EXPECT_EQ(RunToEnd({kGame, "o2::NeedExit=1"}), 0);
  EXPECT_EQ(RunToEnd({"--prepare", "rm velmar.lock && ln -s nowhere velmar.lock", kGame, "o2::NeedExit=1"}), 0);
  const std::string err = Slurp(dir_ / "stderr.txt");
  const std::string what = "ock " + fs::canonical(dir_).string() + "/velmar.lock cannot be taken (";
  EXPECT_NE(err.find("velmar: the l" + what), std::string::npos) << err;
  EXPECT_NE(err.find("velmar: message box [Velmar] The l" + what), std::string::npos) << err;
}
