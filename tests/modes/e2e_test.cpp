// End to end: the real game under Xvfb in an 800 x 600 window, driven by real
// key presses and clicks: the menu makes a level and enters the game and the
// editor; the game shows the level and goes back to the menu; the editor
// raises the terrain, saves and loads it; the settings editor steps a
// setting; a double click is counted and heard; the program ends from the
// menu with exit code 0. Every step waits on what the game records: its log
// (a new level, the mode entered), the files it writes, its screenshots and
// the recording of what it played.
#include <sys/stat.h>

#include <cmath>

#include "tests/common/game_run.h"
#include "tests/sound/recording.h"

namespace {

using namespace gamerun;

constexpr int kW = 800, kH = 600;

// The menu list: 17 lines of 24 pixels from y = 60 (from the bottom); line n
// is counted from the top.
int MenuLineY(int n) { return kH - (60 + (16 - n) * 24 + 12); }
constexpr int kMenuX = 700;
enum { kPlay = 2, kEditor = 13, kNewLevel = 14, kExit = 15 };

// The editor list: collapsed at the top left corner, expanded 0.3 W wide with
// lines of 21 pixels from the top of the window.
int EditLineY(int n) { return n * 21 + 10; }

class ModesGame : public GameRun {
 protected:
  // A menu line, with the pointer on it for a frame first (the list opens
  // under the pointer).
  void Menu(int line, bool settle = true) {
    Move(kMenuX, MenuLineY(line), true);
    Click(kMenuX, MenuLineY(line), 1, settle);
  }
  bool NewLevel() {
    const size_t mark = LogMark();
    Menu(kNewLevel);
    return WaitLog("new level made", mark);
  }
  // A menu line that enters a mode.
  bool Enter(int line, int mode) {
    const size_t mark = LogMark();
    Menu(line);
    return WaitLog(ModeEntered(mode), mark);
  }
  // Shift+Escape.
  bool ToMenu() {
    const size_t mark = LogMark();
    Key("Escape", "shift");
    return WaitLog(ModeEntered(3), mark);
  }
  void ExitFromMenu() { Menu(kExit, false); }
  // An editor list line: the list opens when the pointer is over its corner.
  void EditLine(int n) {
    Move(10, 15, true);
    Click(60, EditLineY(n));
  }
  // Save Land, written whole when a new file has taken the name.
  bool SaveLand() {
    const fs::path land = dir_ / "tmp-land";
    auto inode = [&] {
      struct stat st {};
      return stat(land.c_str(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    const ino_t before = inode();
    EditLine(1);
    return WaitUntil([&] { return inode() != before && inode() != 0; });
  }
  // The game list opens on a click of its corner; its lines are 21 pixels.
  void GameLine(int n) {
    Click(180, 575);
    Click(150, 180 + 21 * n + 10);
  }
  bool IsGreenGround(const Bmp& b, int x, int y) {
    const int r = b.At(x, y, 0), g = b.At(x, y, 1), bl = b.At(x, y, 2);
    return g > r + 15 && g > bl + 15;
  }
  // The settings overlay, drawn over the left edge of the window: one tap of
  // its key, and whether a screenshot then shows it as wanted.
  bool Overlay(bool shown, const Bmp& without) {
    Key("grave");
    Bmp b;
    return b.Load(Shot()) && (b.Diff(without, 0, 100, 160, 500, 30) > 2000) == shown;
  }
  // The recording the wave writer has on disk so far.
  sndtest::Recording Recorded() {
    sndtest::Recording rec;
    sndtest::ParseRecording(Slurp(dir_ / "sound.wav"), rec);
    return rec;
  }
  // Waits until the wave writer has written `seconds` more of the recording:
  // everything played before the call is on disk then.
  bool RecordingCaughtUp(double seconds) {
    std::error_code ec;
    const auto from = fs::file_size(dir_ / "sound.wav", ec);
    const uintmax_t more = uintmax_t(seconds * 44100 * 8);  // stereo float frames
    return WaitUntil([&] { return fs::file_size(dir_ / "sound.wav", ec) >= from + more; });
  }
};

}  // namespace

TEST_F(ModesGame, MenuMakesALevelEntersTheGameAndTheProgramEndsFromTheMenu) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  Menu(kPlay);  // no level yet: nothing happens
  fs::path menuShot = Shot();
  EXPECT_FALSE(Logged(ModeEntered(4)));
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kPlay, 4));
  fs::path gameShot = Shot();
  ASSERT_TRUE(ToMenu());
  fs::path backShot = Shot();
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();

  Bmp menu, game, back;
  ASSERT_TRUE(menu.Load(menuShot));
  ASSERT_TRUE(game.Load(gameShot));
  ASSERT_TRUE(back.Load(backShot));
  ASSERT_EQ(game.w, kW);
  // The menu is drawn on black.
  for (const Bmp* b : {&menu, &back})
    for (int c = 0; c < 3; ++c) EXPECT_LE(b->At(790, 590, c), 8);
  // The game: the level's ground below the horizon, a lighter sky above it.
  int green = 0;
  for (int x : {300, 400, 500})
    for (int y : {380, 420, 460}) green += IsGreenGround(game, x, y) ? 1 : 0;
  EXPECT_GE(green, 7);
  EXPECT_GT(game.At(400, 100, 2), game.At(400, 100, 1));
  EXPECT_GT(game.At(400, 100, 2), 120);
  EXPECT_EQ(Log().find("Error LinCase"), std::string::npos) << Log();
}

TEST_F(ModesGame, EditorRaisesTheGroundSavesAndLoadsTheTerrain) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kEditor, 5));
  const fs::path land = dir_ / "tmp-land";
  ASSERT_TRUE(SaveLand());
  const auto before = fs::file_size(land);
  Click(400, 450, 3);  // right click: the tile under the pointer
  for (int i = 0; i < 3; ++i) Key("r");
  ASSERT_TRUE(SaveLand());
  const auto raised = fs::file_size(land);
  const std::string saved = Slurp(land);
  for (int i = 0; i < 2; ++i) Key("f");
  EditLine(2);  // Load Land: back to the raised ground
  ASSERT_TRUE(SaveLand());
  const std::string again = Slurp(land);
  ASSERT_TRUE(ToMenu());
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
  // Every tile the raise freed from the height map keeps its own heights: 16
  // bytes each.
  EXPECT_GE(before, 720000u);
  EXPECT_GT(raised, before);
  EXPECT_EQ((raised - before) % 16, 0u);
  // Loaded back, the lowering is undone: the corner colours and the free
  // heights are as saved. (Tile records may differ where the computer
  // side's units register on the tiles they stand on.)
  constexpr size_t kColours = 4 * 40000 * 3, kFixed = 720000;
  ASSERT_EQ(again.size(), saved.size());
  EXPECT_TRUE(again.compare(0, kColours, saved, 0, kColours) == 0);
  EXPECT_TRUE(again.compare(kFixed, std::string::npos, saved, kFixed, std::string::npos) == 0);
}

TEST_F(ModesGame, SettingsEditorOpensOnItsKeyAndAStepTakesEffect) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kPlay, 4));
  Bmp a, b, c;
  ASSERT_TRUE(a.Load(Shot()));
  ASSERT_TRUE(Overlay(true, a));
  ASSERT_TRUE(b.Load(Shot()));
  // Integer list, page 0: line 47 is DrawFPS; its left quarter steps it down.
  Click(15, 47 * 12 + 6);
  ASSERT_TRUE(Overlay(false, a));
  ASSERT_TRUE(c.Load(Shot()));
  ASSERT_TRUE(ToMenu());
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
  // The overlay covers the left edge of the window.
  EXPECT_GT(b.Diff(a, 0, 100, 160, 500, 30), 2000);
  // The frame counter's box at the top centre is gone.
  EXPECT_GT(a.Diff(c, 360, 4, 440, 16, 20), 200);
}

TEST_F(ModesGame, OwnUnitsSelectedWithARectangleMoveToAGroundPoint) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kPlay, 4));
  for (int i = 0; i < 5; ++i) GameLine(1);  // five tanks of the player's side
  Move(400, 300);
  HoldKey("s", 1500);  // the camera backs off to see them
  fs::path before = Shot();
  Drag(300, 360, 540, 460);
  fs::path selected = Shot();
  Click(250, 420, 3);  // the order: a ground point to the left
  ASSERT_TRUE(GameTime(3000));
  fs::path moving = Shot();
  ASSERT_TRUE(GameTime(3000));
  fs::path later = Shot();
  ASSERT_TRUE(ToMenu());
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
  Bmp a, b, c, d;
  ASSERT_TRUE(a.Load(before));
  ASSERT_TRUE(b.Load(selected));
  ASSERT_TRUE(c.Load(moving));
  ASSERT_TRUE(d.Load(later));
  // The selection shows on the units (markers and icons).
  EXPECT_GT(b.Diff(a, 300, 360, 540, 460, 40), 50);
  // The units leave where they stood and are on their way a few seconds apart.
  EXPECT_GT(c.Diff(b, 300, 360, 540, 460, 40), 100);
  EXPECT_GT(d.Diff(c, 100, 340, 540, 480, 40), 100);
}

// The sounds as the recording has them: the new-level click is the first
// sound (the menu is silent before it), short, and nothing sounds after it
// until the click that enters the game, whose start then plays for seconds.
TEST_F(ModesGame, EnteringTheGameSounds) {
  Start({"--sound", "wave", Game()});
  ASSERT_TRUE(WaitForWindow());
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kPlay, 4));
  ASSERT_TRUE(GameTime(3000));
  ASSERT_TRUE(ToMenu());
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
  sndtest::Recording rec;
  ASSERT_TRUE(sndtest::ParseRecording(Slurp(dir_ / "sound.wav"), rec));
  const std::vector<double> onsets = rec.Onsets(0.002, 0.2);
  ASSERT_GE(onsets.size(), 2u);
  const double newLevel = onsets[0], play = onsets[1];
  auto level = [&](double from, double to) { return rec.Rms(size_t(from * rec.rate), size_t(to * rec.rate)); };
  // The two clicks are half a second of game time apart at least (a frame's
  // screenshot lock), game time never running ahead of the wall clock.
  EXPECT_GT(play - newLevel, 0.4);
  // A click lasts a few hundredths of a second; the game's start plays on
  // for seconds after the click that enters it.
  EXPECT_LT(level(newLevel + 0.1, play - 0.01), 0.001);
  EXPECT_GT(level(play + 0.4, play + 1.6), 0.002);
}

// The left button's double click in the editor: two presses within its click
// window are counted as one double click, which plays its own sound (two
// short clicks, where a single click plays the heavy shutter). The presses
// are held and spaced by xdotool; as long as a frame may take, each press and
// the release between them must span one, and under load the two presses may
// fall more than a window apart: the spacing grows until the recording has
// the double click.
// With frames slowed to 400 ms every click is still answered, where it was
// pressed: pairs of clicks on New level 20, 150 and 300 ms apart, the
// pointer leaving the list right after each, make six new levels; in the
// game a unit and the minimap take clicks pressed as the pointer arrives.
TEST_F(ModesGame, EveryClickIsAnsweredWhereItWasPressedWhenFramesAreSlow) {
  Start({Game(), "o2::SleepEachFrame=400"});
  ASSERT_TRUE(WaitForWindow());
  Move(kMenuX, MenuLineY(kNewLevel), true);
  const size_t mark = LogMark();
  const std::string on = " mousemove --window " + win_ + " " + std::to_string(kMenuX) + " " +
                         std::to_string(MenuLineY(kNewLevel));
  const std::string off = " mousemove --window " + win_ + " 100 100";
  for (const char* gap : {"0.02", "0.15", "0.3"})
    Run("xdotool" + on + " mousedown 1 sleep 0.03 mouseup 1" + off + " sleep " + gap + on +
        " mousedown 1 sleep 0.03 mouseup 1" + off + " sleep 1");
  auto made = [&] {
    const std::string log = Log().substr(mark);
    int n = 0;
    for (size_t p = log.find("new level made"); p != std::string::npos; p = log.find("new level made", p + 1)) ++n;
    return n;
  };
  EXPECT_TRUE(WaitUntil([&] { return made() >= 6; })) << made();
  ASSERT_TRUE(GameTime(2 * kShotMs));
  EXPECT_EQ(made(), 6);
  // In the game the pointer comes and the button goes down with no pause
  // between them, and the pointer leaves at once: on a tank of the player's
  // side the click selects it (its marks show around it), on the minimap the
  // camera jumps to the point pressed (the sky, above the marks, changes).
  ASSERT_TRUE(Enter(kPlay, 4));
  Move(400, 300);
  HoldKey("s", 1500);  // the camera backs off
  Bmp empty, tank, selected, before, after;
  ASSERT_TRUE(empty.Load(Shot()));
  GameLine(1);
  Move(400, 300, true);
  ASSERT_TRUE(tank.Load(Shot()));
  long sx = 0, sy = 0, n = 0;
  for (int y = 100; y < 500; ++y)
    for (int x = 200; x < 800; ++x)
      if (tank.Diff(empty, x, y, x + 1, y + 1, 40)) sx += x, sy += y, ++n;
  ASSERT_GT(n, 10) << "the tank is in view";
  const int tx = int(sx / n), ty = int(sy / n);
  auto pressOnArrival = [&](int x, int y) {
    Run("xdotool mousemove --window " + win_ + " " + std::to_string(x) + " " + std::to_string(y) +
        " click 1 mousemove --window " + win_ + " 400 150");
    released_ = true;
    return GameTime(kShotMs);  // the click window has run out
  };
  ASSERT_TRUE(pressOnArrival(tx, ty));
  ASSERT_TRUE(selected.Load(Shot()));
  EXPECT_GT(selected.Diff(tank, std::max(tx - 120, 0), ty - 40, std::min(tx + 120, kW), ty + 40, 40), 200);
  ASSERT_TRUE(before.Load(Shot()));
  ASSERT_TRUE(pressOnArrival(70, 470));
  ASSERT_TRUE(after.Load(Shot()));
  EXPECT_GT(after.Diff(before, 200, 100, 800, 300, 20), 1000) << "the sky seen from elsewhere";
  ASSERT_TRUE(ToMenu());
  Move(kMenuX, MenuLineY(kExit));
  Run("xdotool mousedown 1 sleep 0.03 mouseup 1");
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
}

// Mouse look switched on in the editor is off again in the game's panel
// camera, and a list drawn over the minimap takes the clicks on its lines:
// after the editor with its mouse look on (Esc), the game's "Game" tab opens
// its list; a click on the text of the list's "PixBuf Land:N" line, inside
// the minimap's circle, steps the number and leaves the camera where it was;
// a click on the bare map moves the camera there.
TEST_F(ModesGame, AfterMouseLookInTheEditorTheGameListOverTheMinimapTakesItsClicks) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kEditor, 5));
  Key("Escape");  // mouse look on
  ASSERT_TRUE(GameTime(kShotMs));  // past the key's lock interval
  ASSERT_TRUE(ToMenu());
  ASSERT_TRUE(Enter(kPlay, 4));
  const int lineY = 180 + 21 * 12 + 10;  // "PixBuf Land:N"
  Bmp closed, open, stepped, moved;
  Move(400, 300, true);
  ASSERT_TRUE(closed.Load(Shot()));
  Click(180, 575);  // the tab
  Move(140, lineY, true);
  ASSERT_TRUE(open.Load(Shot()));
  Click(140, lineY);
  ASSERT_TRUE(stepped.Load(Shot()));
  Move(400, 300, true);  // the list closes
  Click(70, 470);
  ASSERT_TRUE(moved.Load(Shot()));
  ASSERT_TRUE(ToMenu());
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
  EXPECT_GT(open.Diff(closed, 120, 180, 280, 420, 30), 2000) << "the list is open";
  EXPECT_GT(stepped.Diff(open, 120, lineY - 10, 280, lineY + 10, 30), 5) << "the line's number stepped";
  EXPECT_LT(stepped.Diff(open, 300, 100, 800, 300, 20), 100) << "the camera stayed";
  EXPECT_GT(moved.Diff(stepped, 300, 100, 800, 300, 20), 1000) << "the map moved the camera";
}

TEST_F(ModesGame, ADoubleClickInTheEditorIsCountedAndHeard) {
  Start({"--sound", "wave", Game()});
  ASSERT_TRUE(WaitForWindow());
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kEditor, 5));
  Move(400, 330, true);
  bool heard = false;
  for (int attempt = 0; !heard && attempt < 30; ++attempt) {
    const double hold = 0.1 * std::pow(1.3, attempt % 10);  // s
    const size_t from = Recorded().frames.size();
    char cmd[160];
    std::snprintf(cmd, sizeof cmd, "xdotool mousedown 1 sleep %.3f mouseup 1 sleep %.3f mousedown 1 sleep %.3f mouseup 1",
                  hold, hold, hold);
    Run(cmd);
    // Half a second of game time after the presses: what they made is played.
    ASSERT_TRUE(GameTime(kShotMs));
    ASSERT_TRUE(RecordingCaughtUp(0.3));
    heard = Recorded().DoubleClickAfter(from);
    ASSERT_TRUE(GameTime(kShotMs));  // a single click's shutter dies away
  }
  ASSERT_TRUE(ToMenu());
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
  EXPECT_TRUE(heard);
}

// The computer side's command post sends its cars from its bunker toward the
// middle of the world, where the player's tanks stand: they meet and shoot
// (the shots' hot spots are the only pure white on the ground).
TEST_F(ModesGame, TheComputerSidesUnitsArriveAndTheSidesFight) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  ASSERT_TRUE(NewLevel());
  ASSERT_TRUE(Enter(kPlay, 4));
  for (int i = 0; i < 5; ++i) GameLine(1);
  Move(400, 300);
  HoldKey("s", 1500);
  // A beam's hot spot is white for a fraction of a second and a car is soon
  // shot down, so the frames are sampled as fast as screenshots come, until
  // the post's cars have had the game time to arrive (two minutes).
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(420);  // only a safety net
  int shots = 0;
  for (int n = 0; shots < 2 && n < 120000 / kShotMs && Clock::now() < deadline; ++n) {
    Bmp b;
    const fs::path shot = Shot();
    if (!b.Load(shot)) break;
    int white = 0;
    for (int y = 330; y < 530; ++y)
      for (int x = 200; x < 730; ++x) white += b.At(x, y, 0) >= 245 && b.At(x, y, 1) >= 245 && b.At(x, y, 2) >= 245;
    shots += white >= 3;
    fs::remove(shot);
  }
  ASSERT_TRUE(ToMenu());
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_), 0);
  ExpectCleanRun();
  EXPECT_GE(shots, 2);
}
