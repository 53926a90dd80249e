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

class Monkey : public GameRun {
 protected:
  std::mt19937 rng{static_cast<unsigned>(std::random_device{}())};
  int R(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

  // Keys that end nothing: every command key but Shift, Alt and F12.
  void RandomKey() {
    static const char* const kKeys[] = {"Left",  "Right",  "Up",     "Down",  "a",     "d",     "w",     "s",
                                        "r",     "f",      "y",      "h",     "1",     "2",     "3",     "4",
                                        "5",     "6",      "bracketleft", "bracketright", "minus", "equal",
                                        "KP_Add", "KP_Subtract", "KP_8", "KP_2", "KP_9", "KP_3", "KP_5",
                                        "Tab",   "Escape", "grave", "Prior", "Next", "Home", "End",
                                        "Delete", "Control_L", "x", "q", "space", "Return", "BackSpace"};
    Key(kKeys[R(sizeof kKeys / sizeof *kKeys)], 60 + R(200));
  }
  // Pointer work anywhere; in the menu only left of its list (the list's
  // lines are worked by the test's own steps).
  void RandomPointer(bool menu) {
    int x = R(menu ? 380 : kW), y = R(kH);
    switch (R(6)) {
      case 0: Move(x, y, 30); break;
      case 1: Click(x, y, 1, 60 + R(150)); break;
      case 2: Click(x, y, 3, 60 + R(150)); break;
      case 3: Click(x, y, 4 + R(2), 20); break;  // wheel
      case 4: Drag(x, y, R(menu ? 380 : kW), R(kH)); break;
      default: Click(x, y, 2, 80); break;
    }
  }
  void Storm(int seconds, bool menu) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
      if (R(3) == 0) RandomKey();
      else RandomPointer(menu);
    }
  }
  // Back to the menu (black in its bottom right corner): Shift+Escape, with
  // the settings overlay closed first when it holds the commands.
  bool ToMenu() {
    for (int attempt = 0; attempt < 4; ++attempt) {
      Move(400, 300);  // off the minimap, which takes the keys
      Key("Escape", 150, "shift");
      Sleep(600);
      Bmp b;
      if (b.Load(Shot()) && b.At(790, 590, 0) < 8 && b.At(790, 590, 1) < 8 && b.At(790, 590, 2) < 8) return true;
      Key("grave");
    }
    return false;
  }
  void MenuLine(int n) {
    Move(700, MenuLineY(n));
    Click(700, MenuLineY(n));
    Sleep(500);
  }
};

}  // namespace

TEST_F(Monkey, RandomInputInEveryMode) {
  Start({Game()}, 120 + 3 * Seconds() * 2);
  ASSERT_TRUE(WaitForWindow());
  // The menu's text field and lists (the open dialog is answered at once).
  Storm(Seconds(), true);
  MenuLine(14);  // a level
  MenuLine(2);
  Storm(Seconds(), false);
  ASSERT_TRUE(ToMenu());
  MenuLine(13);
  Storm(Seconds(), false);
  ASSERT_TRUE(ToMenu());
  MenuLine(15);
  EXPECT_EQ(Wait(pid_, 90), 0);
  ExpectCleanRun();
}
