// End to end: the real game under Xvfb in an 800 x 600 window, driven by real
// key presses and clicks: the menu makes a level and enters the game and the
// editor; the game shows the level and goes back to the menu; the editor
// raises the terrain, saves and loads it; the settings editor steps a
// setting; the program ends from the menu with exit code 0.
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
  void Menu(int line) { Click(kMenuX, MenuLineY(line)); }
  void NewLevelAnd(int line) {
    Move(kMenuX, MenuLineY(kNewLevel));  // the list opens under the pointer
    Menu(kNewLevel);
    Sleep(500);
    Menu(line);
    Sleep(1500);
  }
  // Shift+Escape with the pointer off the minimap (which takes the keys).
  void ToMenu() {
    Move(400, 300);
    Key("Escape", 150, "shift");
    Sleep(800);
  }
  void ExitFromMenu() {
    Move(kMenuX, MenuLineY(kExit));
    Menu(kExit);
  }
  // An editor list line: the list opens when the pointer is over its corner.
  void EditLine(int n) {
    Move(10, 15, 400);
    Click(60, EditLineY(n));
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
};

}  // namespace

TEST_F(ModesGame, MenuMakesALevelEntersTheGameAndTheProgramEndsFromTheMenu) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  Menu(kPlay);  // no level yet: nothing happens
  Sleep(300);
  fs::path menuShot = Shot();
  NewLevelAnd(kPlay);
  fs::path gameShot = Shot();
  ToMenu();
  fs::path backShot = Shot();
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_, 60), 0);
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
  NewLevelAnd(kEditor);
  EditLine(1);  // Save Land
  Sleep(500);
  const fs::path land = dir_ / "tmp-land";
  ASSERT_TRUE(fs::exists(land));
  const auto before = fs::file_size(land);
  Click(400, 450, 3);  // right click: the tile under the pointer
  for (int i = 0; i < 3; ++i) Key("r");
  EditLine(1);
  Sleep(500);
  const auto raised = fs::file_size(land);
  const std::string saved = Slurp(land);
  for (int i = 0; i < 2; ++i) Key("f");
  EditLine(2);  // Load Land: back to the raised ground
  Sleep(300);
  EditLine(1);
  Sleep(500);
  const std::string again = Slurp(land);
  ToMenu();
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_, 60), 0);
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
  NewLevelAnd(kPlay);
  fs::path withFps = Shot();
  Key("grave");
  Sleep(300);
  fs::path open = Shot();
  // Integer list, page 0: line 47 is DrawFPS; its left quarter steps it down.
  Click(15, 47 * 12 + 6);
  Sleep(300);
  Key("grave");
  Sleep(300);
  fs::path without = Shot();
  ToMenu();
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_, 60), 0);
  ExpectCleanRun();
  Bmp a, b, c;
  ASSERT_TRUE(a.Load(withFps));
  ASSERT_TRUE(b.Load(open));
  ASSERT_TRUE(c.Load(without));
  // The overlay covers the left edge of the window.
  EXPECT_GT(b.Diff(a, 0, 100, 160, 500, 30), 2000);
  // The frame counter's box at the top centre is gone.
  EXPECT_GT(a.Diff(c, 360, 4, 440, 16, 20), 200);
}

TEST_F(ModesGame, OwnUnitsSelectedWithARectangleMoveToAGroundPoint) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  NewLevelAnd(kPlay);
  for (int i = 0; i < 5; ++i) GameLine(1);  // five tanks of the player's side
  Move(400, 300);
  Key("s", 1500);  // the camera backs off to see them
  Sleep(500);
  fs::path before = Shot();
  Drag(300, 360, 540, 460);
  fs::path selected = Shot();
  Click(250, 420, 3);  // the order: a ground point to the left
  Sleep(3000);
  fs::path moving = Shot();
  Sleep(3000);
  fs::path later = Shot();
  ToMenu();
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_, 60), 0);
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

TEST_F(ModesGame, EnteringTheGameSounds) {
  Start({"--sound", "wave", Game()});
  ASSERT_TRUE(WaitForWindow());
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  auto since = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
  Move(kMenuX, MenuLineY(kNewLevel));
  const double newLevel = since() + 0.25;  // the press after the pointer settles
  Menu(kNewLevel);
  Sleep(1500);
  Move(kMenuX, MenuLineY(kPlay));
  const double play = since() + 0.25;  // the press after the pointer settles
  Menu(kPlay);
  Sleep(3000);
  ToMenu();
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_, 60), 0);
  ExpectCleanRun();
  sndtest::Recording rec;
  ASSERT_TRUE(sndtest::ParseRecording(Slurp(dir_ / "sound.wav"), rec));
  // The menu is silent until the first click: the recording's first sound
  // marks the new-level click, and puts the recording on our clock.
  double first = 0, last = 0;
  ASSERT_TRUE(rec.LoudSpan(0.002, first, last));
  const double offset = first - newLevel;
  auto level = [&](double from, double to) {
    return rec.Rms(size_t((from + offset) * rec.rate), size_t((to + offset) * rec.rate));
  };
  // A click lasts a few hundredths of a second; the game's start plays on
  // for seconds after the click that enters it.
  EXPECT_LT(level(newLevel + 0.3, play - 0.3), 0.001);
  EXPECT_GT(level(play + 0.4, play + 1.6), 0.002);
}

// The computer side's command post sends its cars from its bunker toward the
// middle of the world, where the player's tanks stand: they meet and shoot
// (the shots' hot spots are the only pure white on the ground).
TEST_F(ModesGame, TheComputerSidesUnitsArriveAndTheSidesFight) {
  Start({Game()});
  ASSERT_TRUE(WaitForWindow());
  NewLevelAnd(kPlay);
  for (int i = 0; i < 5; ++i) GameLine(1);
  Move(400, 300);
  Key("s", 1500);
  // A beam's hot spot is white for a fraction of a second and a car is
  // soon shot down, so the frames are sampled as fast as screenshots come,
  // until the post's cars have had the time to arrive.
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(170);
  int shots = 0;
  while (shots < 2 && Clock::now() < deadline) {
    Bmp b;
    const fs::path shot = Shot();
    if (!b.Load(shot)) continue;
    int white = 0;
    for (int y = 330; y < 530; ++y)
      for (int x = 200; x < 730; ++x) white += b.At(x, y, 0) >= 245 && b.At(x, y, 1) >= 245 && b.At(x, y, 2) >= 245;
    shots += white >= 3;
    fs::remove(shot);
  }
  ToMenu();
  ExitFromMenu();
  ASSERT_EQ(Wait(pid_, 60), 0);
  ExpectCleanRun();
  EXPECT_GE(shots, 2);
}
