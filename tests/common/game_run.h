// The real game, started by tools/run-headless on a copy of the data tree on
// the X display the test runs under, and driven by real key presses and
// pointer clicks through xdotool (each held 150 ms, so that the game's frame
// sees it). Screenshots (F12) are read back as 24-bit BMP files.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace gamerun {

namespace fs = std::filesystem;

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

// A 24-bit bottom-up BMP as the game writes its screenshots.
struct Bmp {
  int w = 0, h = 0;
  std::string bytes;
  bool Load(const fs::path& p) {
    bytes = Slurp(p);
    if (bytes.size() < 54) return false;
    auto i32 = [&](size_t o) {
      return int(uint8_t(bytes[o]) | uint8_t(bytes[o + 1]) << 8 | uint8_t(bytes[o + 2]) << 16 |
                 uint8_t(bytes[o + 3]) << 24);
    };
    w = i32(18);
    h = i32(22);
    return w > 0 && h > 0 && bytes.size() >= 54 + size_t(w) * h * 3;
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

class GameRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("velmar-run-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
  }
  void TearDown() override {
    if (pid_ > 0) Wait(pid_, 1);
    if (!HasFailure()) fs::remove_all(dir_);
  }

  static std::string Tools() { return std::string(VELMAR_SOURCE_DIR) + "/tools/"; }
  static std::string Game() { return std::string(VELMAR_BINARY_DIR) + "/velmar"; }

  // Starts run-headless in the background with these options and settings.
  pid_t Start(std::vector<std::string> args, int timeout = 240) {
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
  int Wait(pid_t pid, int seconds) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > end) {
        std::string game = Slurp(dir_ / "velmar.pid");
        if (!game.empty()) kill(std::atoi(game.c_str()), SIGKILL);
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        if (pid == pid_) pid_ = -1;
        return -1;
      }
      Sleep(50);
    }
    if (pid == pid_) pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
  }
  // Runs the game with these options and settings to its end: its exit code.
  int RunToEnd(std::vector<std::string> args, int seconds = 120) { return Wait(Start(std::move(args)), seconds); }
  // The game's window once it is there ("" when it does not come).
  std::string FindWindow() {
    for (int i = 0; i < 300 && win_.empty(); ++i) {
      std::string pid = Slurp(dir_ / "velmar.pid");
      if (!pid.empty() && pid.back() == '\n') pid.pop_back();
      if (!pid.empty())
        win_ = Output("xdotool search --pid " + pid + " --name '^Velmar$' 2>/dev/null | head -1");
      if (win_.empty()) Sleep(100);
    }
    return win_;
  }
  // Waits for the game's window and gives it the keyboard.
  bool WaitForWindow() {
    if (FindWindow().empty()) return false;
    Run("xdotool windowfocus --sync " + win_);
    Sleep(1500);  // start-up to the first frames
    return true;
  }
  void Run(const std::string& cmd) { std::system((cmd + " >/dev/null 2>&1").c_str()); }
  // Pointer to window pixel (x, y), y from the top.
  void Move(int x, int y, int settle = 250) {
    Run("xdotool mousemove --window " + win_ + " " + std::to_string(x) + " " + std::to_string(y));
    Sleep(settle);
  }
  void Click(int x, int y, int button = 1, int hold = 150) {
    Move(x, y);
    Run("xdotool mousedown " + std::to_string(button));
    Sleep(hold);
    Run("xdotool mouseup " + std::to_string(button));
    Sleep(350);
  }
  void Drag(int x0, int y0, int x1, int y1) {
    Move(x0, y0);
    Run("xdotool mousedown 1");
    Sleep(300);
    for (int k = 1; k <= 5; ++k) Move(x0 + (x1 - x0) * k / 5, y0 + (y1 - y0) * k / 5, 80);
    Sleep(200);
    Run("xdotool mouseup 1");
    Sleep(400);
  }
  // A key (xdotool name) held for `hold` ms, optionally with a modifier.
  void Key(const std::string& key, int hold = 150, const std::string& mod = "") {
    if (!mod.empty()) Run("xdotool keydown " + mod);
    Run("xdotool keydown " + key);
    Sleep(hold);
    Run("xdotool keyup " + key);
    if (!mod.empty()) Run("xdotool keyup " + mod);
    Sleep(250);
  }
  // Takes a screenshot with F12; the path of the new file ("" when none came).
  fs::path Shot() {
    const size_t before = Shots().size();
    Key("F12");
    for (int i = 0; i < 50; ++i) {
      auto s = Shots();
      if (s.size() > before) {
        Sleep(300);  // written whole
        return s.back();
      }
      Sleep(100);
    }
    return {};
  }
  std::vector<fs::path> Shots() const {
    std::vector<fs::path> out;
    std::error_code ec;
    for (auto& e : fs::directory_iterator(dir_ / "start/users/screens1", ec)) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
  }
  std::string Log() const { return Slurp(dir_ / "log.txt"); }
  void ExpectCleanRun() {
    std::string err = Slurp(dir_ / "stderr.txt");
    EXPECT_EQ(err.find("AddressSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("LeakSanitizer"), std::string::npos) << err;
    EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;
  }

  fs::path dir_;
  pid_t pid_ = -1;
  std::string win_;
};

}  // namespace gamerun
