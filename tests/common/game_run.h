// The real game, started by tools/run-headless on a copy of the data tree on
// the X display the test runs under, and driven by real key presses and
// pointer clicks through xdotool. Screenshots (F12) are read back as 24-bit
// BMP files.
//
// Nothing here assumes an idle machine. Every wait polls a condition the game
// itself records (its log, the files it writes, its exit) until a deadline
// that is only a safety net. The game samples keys and buttons once a frame,
// and every change of a key reaches a frame, in order, however slowly the
// frames come: a key is tapped as a player taps it. A button is held until a
// frame has taken it where the test needs it held (a drag, a click window
// run out). A screenshot (F12) is a frame that has seen everything sent
// before it. Game time is counted by the game's own clock: F12 held takes a
// screenshot every 500 ms of game time (the screenshot command's lock
// interval), however slowly the frames come.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace gamerun {

namespace fs = std::filesystem;

// How long any one wait on the game may take before the test gives up (s).
constexpr int kDeadline = 240;
// Game time between two screenshots of F12 held (ms): its lock interval.
constexpr int kShotMs = 500;

inline std::string Slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

inline std::string Output(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[512];
  while (fgets(buf, sizeof buf, p)) out += buf;
  pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

inline void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls cond every pollMs until it holds (true) or the deadline passes (false).
inline bool WaitUntil(const std::function<bool()>& cond, int seconds = kDeadline, int pollMs = 20) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    if (cond()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(pollMs);
  }
}

// The log line of the mode machine entering mode n (3 menu, 4 game, 5 editor).
inline std::string ModeEntered(int n) { return "mode " + std::to_string(n) + " entered"; }

// A 24-bit bottom-up BMP as the game writes its screenshots.
struct Bmp {
  int w = 0, h = 0;
  std::string bytes;
  bool Load(const fs::path& p) {
    bytes = Slurp(p);
    if (bytes.size() < 54) return false;
    w = i32(18);
    h = i32(22);
    return w > 0 && h > 0 && bytes.size() >= 54 + size_t(w) * h * 3;
  }
  int i32(size_t o) const {
    return int(uint8_t(bytes[o]) | uint8_t(bytes[o + 1]) << 8 | uint8_t(bytes[o + 2]) << 16 |
               uint8_t(bytes[o + 3]) << 24);
  }
  // Channel c (0 red, 1 green, 2 blue) at (x, y) with y from the top.
  int At(int x, int y, int c) const {
    const size_t row = size_t(h - 1 - y);
    return uint8_t(bytes[54 + 3 * (row * w + x) + (2 - c)]);
  }
  // Pixels of the rectangle that differ from another picture by more than tol in a channel.
  int Diff(const Bmp& o, int x0, int y0, int x1, int y1, int tol) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        for (int c = 0; c < 3; ++c)
          if (std::abs(At(x, y, c) - o.At(x, y, c)) > tol) {
            ++n;
            break;
          }
    return n;
  }
};

// A screenshot file written whole: as long as its header's pixel offset and
// image size say.
inline bool WholeBmp(const fs::path& p) {
  std::error_code ec;
  const auto size = fs::file_size(p, ec);
  if (ec || size < 54) return false;
  unsigned char h[54] = {};
  std::ifstream f(p, std::ios::binary);
  if (!f.read(reinterpret_cast<char*>(h), sizeof h) || h[0] != 'B' || h[1] != 'M') return false;
  auto u32 = [&](int o) { return uint32_t(h[o] | h[o + 1] << 8 | h[o + 2] << 16 | uint32_t(h[o + 3]) << 24); };
  const uint64_t offset = u32(10), w = u32(18), rows = uint32_t(std::abs(int32_t(u32(22)))), bits = h[28] | h[29] << 8;
  uint64_t image = u32(34);
  if (image == 0) image = (w * bits / 8 + 3) / 4 * 4 * rows;
  return offset >= 54 && image > 0 && size >= offset + image;
}

class GameRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("velmar-run-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
  }
  void TearDown() override {
    ReleaseAll();
    if (pid_ > 0) Wait(pid_, 1);
    if (!HasFailure()) fs::remove_all(dir_);
  }

  static std::string Tools() { return std::string(VELMAR_SOURCE_DIR) + "/tools/"; }
  static std::string Game() { return std::string(VELMAR_BINARY_DIR) + "/velmar"; }

  // Starts run-headless in the background with these options and settings.
  // Its own time limit only ends a game the test has lost.
  pid_t Start(std::vector<std::string> args, int timeout = 900) {
    std::vector<std::string> argv{Tools() + "run-headless", "--display", "--timeout", std::to_string(timeout),
                                  "--dir", dir_.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_t pid = fork();
    if (pid == 0) {
      std::vector<char*> a;
      for (auto& s : argv) a.push_back(s.data());
      a.push_back(nullptr);
      if (!freopen("/dev/null", "w", stdout)) _exit(126);
      execv(a[0], a.data());
      _exit(127);
    }
    pid_ = pid;
    return pid;
  }
  // The exit code of run-headless (the game's), -1 after the deadline.
  int Wait(pid_t pid, int seconds = kDeadline) {
    int status = 0;
    const bool ended = WaitUntil([&] { return waitpid(pid, &status, WNOHANG) != 0; }, seconds, 50);
    if (!ended) {
      const int game = pid == pid_ ? std::atoi(Slurp(dir_ / "velmar.pid").c_str()) : 0;
      if (game > 0) kill(game, SIGKILL);
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
    if (pid == pid_) pid_ = -1;
    if (!ended) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
  }
  // Runs the game with these options and settings to its end: its exit code.
  int RunToEnd(std::vector<std::string> args, int seconds = kDeadline) { return Wait(Start(std::move(args)), seconds); }

  // Whether the game's process has ended (or never started).
  bool GameGone() const {
    const int pid = std::atoi(Slurp(dir_ / "velmar.pid").c_str());
    if (pid <= 0) return false;
    const std::string stat = Slurp("/proc/" + std::to_string(pid) + "/stat");
    const size_t paren = stat.rfind(')');
    return stat.empty() || (paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z');
  }

  std::string Log() const { return Slurp(dir_ / "log.txt"); }
  // Whether the log holds text after its first `from` bytes.
  bool Logged(const std::string& text, size_t from = 0) const {
    const std::string log = Log();
    return log.size() > from && log.find(text, from) != std::string::npos;
  }
  // Waits for text in the log after its first `from` bytes.
  bool WaitLog(const std::string& text, size_t from = 0) {
    return WaitUntil([&] { return Logged(text, from); });
  }
  size_t LogMark() const { return Log().size(); }

  // The game's window, once its start-up is over and its first mode runs
  // ("" when that does not come).
  std::string FindWindow() {
    if (!win_.empty()) return win_;
    WaitUntil([&] {
      if (!Logged(" entered")) return false;
      std::string pid = Slurp(dir_ / "velmar.pid");
      if (!pid.empty() && pid.back() == '\n') pid.pop_back();
      if (!pid.empty()) win_ = Output("xdotool search --all --pid " + pid + " --name '^Velmar$' 2>/dev/null | head -1");
      return !win_.empty();
    }, kDeadline, 100);
    return win_;
  }
  // Waits for the game's window, gives it the keyboard and sees a first frame
  // taken with it.
  bool WaitForWindow() {
    if (FindWindow().empty()) return false;
    Run("xdotool windowfocus --sync " + win_);
    return Frame();
  }
  void Run(const std::string& cmd) { std::system((cmd + " >/dev/null 2>&1").c_str()); }

  // --- Screenshots and frames ---

  std::vector<fs::path> Shots() const {
    std::vector<fs::path> out;
    std::error_code ec;
    // A shot being written is "<name>_new" until it is whole.
    for (auto& e : fs::directory_iterator(dir_ / "start/users/screens1", ec))
      if (e.path().extension() == ".bmp") out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
  }
  // F12 held until n new screenshots are written whole: the first comes in
  // the first frame that sees the key once its lock has run out, the others
  // kShotMs of game time apart. Their paths, oldest first ({} after the
  // deadline, or when the game has ended).
  std::vector<fs::path> ShotsHeld(int n) {
    const auto old = Shots();
    const std::set<fs::path> before(old.begin(), old.end());
    std::vector<fs::path> fresh;
    Run("xdotool keydown F12");
    bool gone = false;
    const bool ok = WaitUntil([&] {
      if ((gone = GameGone())) return true;
      fresh.clear();
      for (const fs::path& p : Shots())
        if (!before.count(p)) fresh.push_back(p);
      if (int(fresh.size()) < n) return false;
      for (const fs::path& p : fresh)
        if (!WholeBmp(p)) return false;
      return true;
    }, kDeadline, 10);
    Run("xdotool keyup F12");
    if (!ok || gone) return {};
    released_ = false;  // the frame of the first screenshot saw every release before it
    std::sort(fresh.begin(), fresh.end(), [](const fs::path& a, const fs::path& b) {
      return fs::last_write_time(a) < fs::last_write_time(b);
    });
    return fresh;
  }
  // A screenshot of a frame that has seen everything sent so far: its path
  // ("" when none came before the deadline).
  fs::path Shot() {
    auto s = ShotsHeld(1);
    for (size_t i = 1; i < s.size(); ++i) fs::remove(s[i]);
    return s.empty() ? fs::path() : s.front();
  }
  // A frame that has seen everything sent so far (its screenshot is removed).
  bool Frame() {
    auto s = ShotsHeld(1);
    for (const fs::path& p : s) fs::remove(p);
    return !s.empty();
  }
  // At least ms of game time after a frame, by the game's own clock.
  bool GameTime(int ms) {
    if (!Frame()) return false;
    auto s = ShotsHeld((ms + kShotMs - 1) / kShotMs);
    for (const fs::path& p : s) fs::remove(p);
    return !s.empty();
  }

  // --- Input ---

  // Pointer to window pixel (x, y), y from the top; with seen, a frame has
  // taken the pointer there.
  void Move(int x, int y, bool seen = false) {
    Run("xdotool mousemove --window " + win_ + " " + std::to_string(x) + " " + std::to_string(y));
    if (seen) Frame();
  }
  // Held until a frame has taken it; a release since the last frame is seen first.
  void Press(const std::string& xdotoolCmd) {
    if (released_) Frame();
    Run("xdotool " + xdotoolCmd);
    Frame();
  }
  // A click that the game has seen and counted: pressed until a frame took
  // it and released; with settle, then a frame kShotMs of game time after the
  // press, by when any click window has run out and the click has acted.
  void Click(int x, int y, int button = 1, bool settle = true) {
    Move(x, y);
    const std::string b = std::to_string(button);
    Press("mousedown " + b);
    Run("xdotool mouseup " + b);
    released_ = true;
    if (settle) Frame();
  }
  // A left drag from (x0, y0) to (x1, y1): held until the click window has
  // run out (the drag starts then), moved, released where a frame saw the
  // pointer, and seen released.
  void Drag(int x0, int y0, int x1, int y1) {
    Move(x0, y0);
    Press("mousedown 1");
    Frame();
    for (int k = 1; k <= 4; ++k) Move(x0 + (x1 - x0) * k / 5, y0 + (y1 - y0) * k / 5);
    Move(x1, y1, true);
    Run("xdotool mouseup 1");
    released_ = true;
    Frame();
  }
  // A key (xdotool name), optionally with a modifier, tapped as a player
  // taps it: down for 80 ms.
  void Key(const std::string& key, const std::string& mod = "") {
    Run("xdotool " + (mod.empty() ? "" : "keydown " + mod + " ") + "keydown " + key + " sleep 0.08 keyup " + key +
        (mod.empty() ? "" : " keyup " + mod));
    released_ = true;
  }
  // A key held from just after a frame for ms of game time.
  void HoldKey(const std::string& key, int ms) {
    Frame();
    Run("xdotool keydown " + key);
    for (const fs::path& p : ShotsHeld((ms + kShotMs - 1) / kShotMs)) fs::remove(p);
    Run("xdotool keyup " + key);
    released_ = true;
  }
  // Lets go of everything a failed test may still hold.
  void ReleaseAll() {
    if (!win_.empty()) Run("xdotool keyup F12 keyup shift keyup Escape mouseup 1 mouseup 3");
  }

  void ExpectCleanRun() {
    std::string err = Slurp(dir_ / "stderr.txt");
    EXPECT_EQ(err.find("AddressSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("LeakSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;
  }

  fs::path dir_;
  pid_t pid_ = -1;
  std::string win_;
  bool released_ = false;  // a key or button went up since the last frame
};

}  // namespace gamerun
