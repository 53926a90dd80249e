// Random input in each mode of the real game (sanitizer build): keys of the
// command sets and others, clicks, drags and wheel steps all over the window,
// for VELMAR_MONKEY_SECONDS per mode (default 40). The program must neither
// crash nor report, and must still end from the menu with exit code 0.
#include <cstdlib>
#include <random>

#include "tests/common/game_run.h"

namespace {

using namespace gamerun;

constexpr int kW = 800, kH = 600;
int MenuLineY(int n) { return kH - (60 + (16 - n) * 24 + 12); }

int Seconds() {
  const char* s = std::getenv("VELMAR_MONKEY_SECONDS");
  const int n = s ? std::atoi(s) : 0;
  return n > 0 ? n : 40;
}

// A fresh seed each run unless VELMAR_MONKEY_SEED gives one; a failure names
// it, so that the same input can be sent again.
unsigned Seed() {
  const char* s = std::getenv("VELMAR_MONKEY_SEED");
  return s && *s ? static_cast<unsigned>(std::strtoul(s, nullptr, 10)) : std::random_device{}();
}

class Monkey : public GameRun {
 protected:
  const unsigned seed_ = Seed();
  std::mt19937 rng{seed_};
  int R(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

  // Random input is sent at its own pace, whether a frame sees it or not.
  void TapKey(const std::string& key, int holdMs) {
    Run("xdotool keydown " + key + " sleep " + Sec(holdMs) + " keyup " + key);
  }
  void TapButton(int x, int y, int button, int holdMs) {
    Move(x, y);
    Run("xdotool mousedown " + std::to_string(button) + " sleep " + Sec(holdMs) + " mouseup " +
        std::to_string(button));
  }
  static std::string Sec(int ms) { return std::to_string(ms / 1000.0); }

  // Keys that end nothing: every command key but Shift, Alt, F12 and the
  // settings overlay's backquote. Random clicks in the overlay would step any
  // setting, among them those that end the program (NeedExit), minimise its
  // window (HideWnd, after which no frame runs) or change its mode; the
  // overlay has its own end-to-end test.
  void RandomKey() {
    static const char* const kKeys[] = {"Left",  "Right",  "Up",     "Down",  "a",     "d",     "w",     "s",
                                        "r",     "f",      "y",      "h",     "1",     "2",     "3",     "4",
                                        "5",     "6",      "bracketleft", "bracketright", "minus", "equal",
                                        "KP_Add", "KP_Subtract", "KP_8", "KP_2", "KP_9", "KP_3", "KP_5",
                                        "Tab",   "Escape", "Prior", "Next", "Home", "End",
                                        "Delete", "Control_L", "x", "q", "space", "Return", "BackSpace"};
    TapKey(kKeys[R(sizeof kKeys / sizeof *kKeys)], 60 + R(200));
  }
  // Pointer work anywhere; in the menu only left of its list (the list's
  // lines are worked by the test's own steps).
  void RandomPointer(bool menu) {
    int x = R(menu ? 380 : kW), y = R(kH);
    switch (R(6)) {
      case 0: Move(x, y); break;
      case 1: TapButton(x, y, 1, 60 + R(150)); break;
      case 2: TapButton(x, y, 3, 60 + R(150)); break;
      case 3: TapButton(x, y, 4 + R(2), 20); break;  // wheel
      case 4: {
        Move(x, y);
        Run("xdotool mousedown 1");
        const int x1 = R(menu ? 380 : kW), y1 = R(kH);
        for (int k = 1; k <= 5; ++k) Move(x + (x1 - x) * k / 5, y + (y1 - y) * k / 5);
        Run("xdotool mouseup 1");
        break;
      }
      default: TapButton(x, y, 2, 80); break;
    }
  }
  // Random input for this long: an amount of input, not a wait on the game.
  void Storm(int seconds, bool menu) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
      if (R(3) == 0) RandomKey();
      else RandomPointer(menu);
    }
    released_ = true;
  }
  // Back to the menu: Shift+Escape, once, until the log says the menu runs.
  // Return first ends a value being typed (the editor's object properties
  // take typed values, and typing takes every key, on the key's own message).
  bool ToMenu() {
    TapKey("Return", 100);
    const size_t mark = LogMark();
    Key("Escape", "shift");
    return WaitLog(ModeEntered(3), mark);
  }
  // A menu line, clicked once, and what the log says it did.
  bool MenuLine(int n, const std::string& logged) {
    const size_t mark = LogMark();
    Move(700, MenuLineY(n), true);
    Click(700, MenuLineY(n));
    return WaitLog(logged, mark);
  }
};

}  // namespace

TEST_F(Monkey, RandomInputInEveryMode) {
  SCOPED_TRACE("VELMAR_MONKEY_SEED=" + std::to_string(seed_));
  Start({Game()}, 900 + 3 * Seconds());
  ASSERT_TRUE(WaitForWindow());
  // The menu's text field and lists (the open dialog is answered at once).
  Storm(Seconds(), true);
  ASSERT_TRUE(MenuLine(14, "new level made"));
  ASSERT_TRUE(MenuLine(2, ModeEntered(4)));
  Storm(Seconds(), false);
  ASSERT_TRUE(ToMenu());
  ASSERT_TRUE(MenuLine(13, ModeEntered(5)));
  Storm(Seconds(), false);
  ASSERT_TRUE(ToMenu());
  Move(700, MenuLineY(15), true);
  Click(700, MenuLineY(15), 1, false);
  EXPECT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
}
