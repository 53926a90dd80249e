// The front end on a real GL window: its start (object base, cameras, mode
// table, bands, the level flag cleared), the line commands, the transitions,
// the game's panel phases and drag tail, the editor's terrain commands and a
// few whole frames of each step.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "modes/front.h"
#include "modes/mapgen.h"
#include "modes/modes.h"
#include "modes/select.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "tech/tech.h"
#include "tests/common/base_bytes.h"
#include "tests/common/file_limit.h"
#include "tests/common/temp_dir.h"
#include "tests/common/unit_tables.h"
#include "tests/render/render_fixture.h"
#include "ui/modesglue.h"
#include "world/world.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const std::string& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

int Count(const std::string& s, const std::string& what) {
  int n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

// One process-wide front end, started once in a scratch folder.
class FrontTest : public RenderTest {
 protected:
  static void SetUpTestSuite() {
    RenderTest::SetUpTestSuite();
    dir_ = new TempDir;
    ASSERT_TRUE(dir_->Ok());
    fs::create_directories("base");
    for (const char* f : {"menu_kmd.txt", "game_kmd.txt", "edit_kmd.txt"})
      fs::copy_file(std::string(VELMAR_SOURCE_DIR) + "/data/base/" + f, std::string("base/") + f);
    *o2::EtapOK = 1;     // a stale value from a settings file
    *o2::AktivIPPI = 5;  // the editor asked for at start
    *o3::GameKamHiY = 320;
    *o3::GameKamLowY = 25;
    *o2::PultSmenPzSta = 300;
    initResult_ = Start();
  }
  // The front end's start from a fresh holder, as the program does once.
  static int Start() {
    FgrHld.Sbros();
    FgrHld.firstScrFrm = -1;
    Fgr4W.Sbros();
    pMainScrFrm = nullptr;
    if (Fgr4W.KonfigAll(nullptr) != 1) return 0;
    return Q7.init();
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
    RenderTest::TearDownTestSuite();
  }
  void SetUp() override {
    RenderTest::SetUp();
    Root_IPPI.req = -1;
    *o2::PultSmenPauz = 0;
    *o2::SkipTopView = 0;
    *o2::RRezInProgres = *o2::spePultRot = *o2::spePultLift = 0;
  }
  static TempDir* dir_;
  static int initResult_;
};
TempDir* FrontTest::dir_ = nullptr;
int FrontTest::initResult_ = 0;

}  // namespace

TEST_F(FrontTest, StartMakesTheBaseCamerasModeTableAndBands) {
  ASSERT_EQ(initResult_, 1);
  *o2::EtapOK = 1;     // a stale value from a settings file
  *o2::AktivIPPI = 5;  // the editor asked for at start
  ASSERT_EQ(Start(), 1);
  EXPECT_TRUE(fs::exists("base/gen.fgh"));
  ASSERT_NE(pGameFotik, nullptr);
  ASSERT_NE(pPultFotik, nullptr);
  ASSERT_NE(pTopFotik, nullptr);
  EXPECT_EQ(pTopFotik->vp.mode, 6);
  EXPECT_EQ(Root_IPPI.m[3].step, ippi_Q7::Menu_Step);
  EXPECT_EQ(Root_IPPI.m[4].step, ippi_Q7::Game_Step);
  EXPECT_EQ(Root_IPPI.m[5].step, ippi_Q7::Edit_Step);
  EXPECT_EQ(Root_IPPI.m[3].smena[4].fn, ippi_Q7::Menu_ToGame);
  EXPECT_EQ(Root_IPPI.m[3].smena[5].fn, ippi_Q7::Menu_ToEdit);
  EXPECT_EQ(Root_IPPI.m[4].smena[3].fn, ippi_Q7::Game_ToMenu);
  EXPECT_EQ(Root_IPPI.m[5].smena[3].fn, ippi_Q7::Edit_ToMenu);
  EXPECT_EQ(Root_IPPI.m[4].smena[5].fn, nullptr);  // no way between game and editor
  EXPECT_EQ(Root_IPPI.m[5].smena[4].fn, nullptr);
  // 0.123, 0.106, 0.05 and 0.025 of a 400-pixel height.
  EXPECT_EQ(speHPultDnQuad, 49);
  EXPECT_EQ(speHPultUpQuad, 42);
  EXPECT_EQ(spePultRotQHaf, 20);
  EXPECT_EQ(spePultRotQHh, 10);
  EXPECT_EQ(Q7.iconX, 340);
  EXPECT_EQ(EdFgr_li8(), &Q7.li8);
  // The level flag is never taken from a file; no level, so no game at start.
  EXPECT_EQ(*o2::EtapOK, 0);
  EXPECT_EQ(*o2::AktivIPPI, 3);
}

TEST_F(FrontTest, LineCommands) {
  *o2::EtapOK = 0;
  LinCases::Cases(103);
  LinCases::Cases(114);
  EXPECT_EQ(Root_IPPI.req, -1);  // no level: neither the game nor the editor
  *o2::EtapOK = 1;
  LinCases::Cases(103);
  EXPECT_EQ(Root_IPPI.req, 4);
  LinCases::Cases(114);
  EXPECT_EQ(Root_IPPI.req, 5);
  Root_IPPI.req = -1;
  *o2::EtapOK = 0;

  const struct {
    int before, after;
  } brush[] = {{3, 1}, {1, 3}, {2, 3}};
  for (auto b : brush) {
    *o2::PlitBrushSize = b.before;
    LinCases::Cases(185);
    EXPECT_EQ(*o2::PlitBrushSize, b.after) << b.before;
  }
  *o2::EngText = 0;
  LinCases::Cases(101);
  EXPECT_EQ(*o2::EngText, 1);
  *o2::NeedExit = 0;
  LinCases::Cases(116);
  EXPECT_EQ(*o2::NeedExit, 1);
  *o2::NeedExit = 0;

  // Unassigned and out-of-range ids: one log line for the whole run.
  for (int id : {131, 600, 50, 300, 512}) LinCases::Cases(id);
  EXPECT_EQ(Count(Slurp("log.txt"), "Error LinCase (no case for nom): 131"), 1);
  EXPECT_EQ(Count(Slurp("log.txt"), "Error LinCase"), 1);
  for (int id : {102, 141, 213, 410}) LinCases::Cases(id);  // lines without an action
  EXPECT_EQ(Count(Slurp("log.txt"), "Error LinCase"), 1);
}

TEST_F(FrontTest, KillingTheSelectionEmptiesIt) {
  ASSERT_EQ(FgrHld.AddWrk(17, 0, 1), 1);
  Fgr4* f = nullptr;
  for (int i = 1; i < FgrHld.klv && !f; ++i)
    if (FgrHld.fgrs[i].WrkNom() == 17) f = &FgrHld.fgrs[i];
  ASSERT_NE(f, nullptr);
  PlayerSelectedOne(f);
  ASSERT_EQ(PlayerSelected_Now, 1);
  LinCases::Cases(155);
  EXPECT_EQ(f->Status(), 0);
  EXPECT_EQ(PlayerSelected_Now, 0);
}

TEST_F(FrontTest, TerrainFileLinesSaveAndLoad) {
  Plit_Init();
  LinCases::Cases(182);
  ASSERT_TRUE(fs::exists("tmp-land"));
  const auto size = fs::file_size("tmp-land");
  EXPECT_GE(size, static_cast<uintmax_t>(t_PlitHold::kRecordFixed));
  PlitHold.MoveY(10, 5.0f);
  LinCases::Cases(183);  // back to the saved heights
  LinCases::Cases(182);
  EXPECT_EQ(fs::file_size("tmp-land"), size);
}

// A terrain file line that fails says so in a message box (answered at once
// under VELMAR_MSGBOX, which writes it to stderr) and leaves its line in the
// log; the box of a failed save says that the old file is kept only when one
// was there. One that works says nothing.
TEST_F(FrontTest, AFailedTerrainFileLineTellsThePlayer) {
  setenv("VELMAR_MSGBOX", "auto", 0);
  fs::copy_file(std::string(VELMAR_SOURCE_DIR) + "/data/base/msgbase.txt", "base/msgbase.txt",
                fs::copy_options::overwrite_existing);
  ASSERT_EQ(LoadMsgBase(), 1);
  *o2::EngText = 1;
  Plit_Init();
  const std::string saveFailed = "message box [Error] Save Land failed: tmp-land was not written";
  const std::string oldKept = saveFailed + "; the old file is kept (see log.txt).";
  const std::string noOld = saveFailed + " (see log.txt).";
  const std::string loadFailed = "message box [Error] Load Land failed: tmp-land is missing or no terrain file";
  struct Case {
    const char* name;
    int id;
    void (*prepare)();
    bool cut;         // under a file-size limit the log can grow by but the terrain file cannot
    std::string box;  // "" for none
  } cases[] = {
      {"save into a folder's place", 182, [] { fs::create_directories("tmp-land/x"); }, false, noOld},
      {"save cut short over an old file", 182, [] { std::ofstream("tmp-land") << "old"; }, true, oldKept},
      {"save cut short with no old file", 182, [] {}, true, noOld},
      {"load a folder", 183, [] { fs::create_directories("tmp-land/x"); }, false, loadFailed},
      {"load a missing file", 183, [] {}, false, loadFailed},
      {"load a file that is no terrain", 183, [] { std::ofstream("tmp-land") << "not a terrain"; }, false, loadFailed},
      {"save", 182, [] {}, false, ""},
      {"load what was saved", 183, [] { ASSERT_EQ(Plit_Save("tmp-land"), 1); }, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all("tmp-land");
    c.prepare();
    const size_t logFrom = Slurp("log.txt").size();
    testing::internal::CaptureStderr();
    {
      std::optional<FileSizeLimit> limit;
      if (c.cut) {
        ASSERT_LT(logFrom + 4096, static_cast<size_t>(t_PlitHold::kRecordFixed));
        limit.emplace(logFrom + 4096);
      }
      LinCases::Cases(c.id);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    if (c.box.empty()) EXPECT_EQ(err.find("message box"), std::string::npos) << err;
    else EXPECT_NE(err.find(c.box), std::string::npos) << err;
    const std::string logged = Slurp("log.txt").substr(logFrom);
    EXPECT_EQ(logged.find("tmp-land") != std::string::npos, !c.box.empty()) << logged;
  }
  fs::remove_all("tmp-land");
  FreeMsgBase();
}

TEST_F(FrontTest, TransitionsKeepOrRestoreTheFreeCameraLimits) {
  ASSERT_EQ(ippi_Q7::Menu_ToEdit(), 1);
  EXPECT_EQ(pGameFotik->mb.hiY, 200.0f);
  EXPECT_EQ(pGameFotik->mb.lowY, -25.0f);
  ASSERT_EQ(ippi_Q7::Edit_ToMenu(), 1);
  EXPECT_EQ(pGameFotik->mb.hiY, 320.0f);
  EXPECT_EQ(pGameFotik->mb.lowY, 25.0f);
  pGameFotik->mb.hiYSet(111.0f);
  ASSERT_EQ(ippi_Q7::Menu_ToGame(), 1);
  ASSERT_EQ(ippi_Q7::Game_ToMenu(), 1);
  EXPECT_EQ(pGameFotik->mb.hiY, 111.0f);  // leaving the game leaves them
  pGameFotik->mb.hiYSet(320.0f);
}

TEST_F(FrontTest, PanelPhases) {
  struct Step {
    int step, request, pause;
    int phase;  // after
  };
  const struct {
    const char* name;
    int skip;
    std::vector<Step> steps;
  } cases[] = {
      {"cycle", 0, {{1, 0, 0, 2}, {1, 0, 0, 3}, {1, 0, 0, 1}, {1, 0, 0, 2}}},
      {"skip the top view", 1, {{1, 0, 0, 2}, {1, 0, 0, 1}, {1, 0, 0, 2}, {1, 0, 0, 1}}},
      {"a change pause holds", 0, {{1, 0, 0, 2}, {1, 0, 200, 2}, {0, 3, 200, 2}}},
      {"a top-view request", 0, {{0, 3, 0, 3}, {0, 0, 0, 3}, {1, 0, 0, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    *o2::PultFaza = 1;
    *o2::SkipTopView = c.skip;
    for (const Step& s : c.steps) {
      *o2::PultSmenPauz = s.pause;
      GameSbor::gs23_SmenPultFaz(s.step, s.request);
      EXPECT_EQ(*o2::PultFaza, s.phase);
      EXPECT_EQ(*o2::KameraMode, s.phase == 1 ? 1 : 0);
      EXPECT_EQ(*o2::edTopView, s.phase == 3 ? 1 : 0);
    }
  }
  *o2::PultFaza = 2;
  *o2::KameraMode = 0;
  *o2::edTopView = 0;
  // A view whose camera is missing sets no view and stops the game, saying why.
  tw_Fotik* const panel = pPultFotik;
  pPultFotik = nullptr;
  const size_t logFrom = Slurp("log.txt").size();
  GameSbor::SetSoloFotik(2);
  EXPECT_EQ(Main_Done, 1);
  EXPECT_EQ(pSoloFotik, nullptr);
  EXPECT_NE(Slurp("log.txt").find("the game cannot go on: the view's camera pPultFotik is missing", logFrom),
            std::string::npos);
  Main_Done = 0;
  pPultFotik = panel;
}

TEST_F(FrontTest, LeftClickTailDragsPicksAndGrabs) {
  inerQ7GameKmd kmd;
  GameSbor::SetSoloFotik(2);
  const int W = kTestW, H = kTestH;
  struct Case {
    const char* name;
    int phase, clickX, clickY, releaseX, releaseY;
    int variant, rot;
    int held = 1;  // the button still down when the single click is reported
    int rect = 0;  // a rectangle is picked: the drag began above the bottom band
  } cases[] = {
      {"a click in phase 2 is a single pick on release", 2, 100, 200, 102, 197, 1, 0},
      {"a drag beyond 3 pixels picks a rectangle", 2, 100, 200, 104, 200, 2, 0, 1, 1},
      {"a drag from the scene into the bottom band picks", 2, W - 100, 200, W - 90, 20, 2, 0, 1, 1},
      {"a drag from the bottom band into the scene picks nothing", 2, W - 100, 20, W - 90, 200, 2, 0, 1, 0},
      {"in the rotation square the rotation grab starts", 2, W / 2, H - 20, W / 2, H - 20, 0, 1},
      {"phase 1: every counted click is a single pick", 1, 100, 200, 180, 120, 1, 0},
      {"a click released within its double-click window is a single pick", 2, 100, 200, 300, 100, 1, 0, 0},
      {"a quick click in the rotation square does nothing", 2, W / 2, H - 20, W / 2, H - 20, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    *o2::PultFaza = c.phase;
    *o2::RRezInProgres = *o2::spePultRot = 0;
    // The frame the single click is reported.
    *o2::KliForSelect = 1;
    *o2::KlikForSelX = c.clickX;
    *o2::KlikForSelY = c.clickY;
    *o2::gmLKeyIsPush = c.held;
    *o2::UseSelVariant = 0;
    GameSbor::gs40_KmdTail(kmd);
    EXPECT_EQ(*o2::spePultRot, c.rot && c.held);
    int variant = *o2::UseSelVariant;
    // Release.
    *o2::KliForSelect = 0;
    *o2::gmLKeyIsPush = 0;
    gMX = c.releaseX;
    gMY = c.releaseY;
    if (!variant) GameSbor::gs40_KmdTail(kmd);
    variant = variant ? variant : *o2::UseSelVariant;
    EXPECT_EQ(variant, c.variant);
    EXPECT_EQ(*o2::RRezInProgres, 0);
    EXPECT_EQ(GameSbor::InRect01(c.clickX, c.clickY), c.rot == 1);
    if (variant == 2) {  // the selection is judged by where the drag began
      *o2::KursInMenu = 0;
      oRRezW = 0;
      GameSbor::gs50_NormSelect();
      EXPECT_EQ(oRRezW > 0, c.rect == 1);
    }
  }
  *o2::PultFaza = 2;
  *o2::UseSelVariant = 0;
}

// Shift+Esc leaves the game wherever the pointer is, and its first press
// after the mode machine has gone to the menu and back is answered: the new
// stay starts with no lock left from the last.
TEST_F(FrontTest, ShiftEscapeLeavesTheGameWhereverThePointerIsEveryStay) {
  inerQ7GameKmd kmd;
  ASSERT_EQ(KmdSet_FromText(kmd.k, inerQ7GameKmd::Form("base/game_kmd.txt", KmdDefaults_Game()),
                            KmdDefaults_Game()),
            15);
  t_ippi_2* const pCur = Root_IPPI.pCur;
  Root_IPPI.cur = 4;
  Ekran.Status = 1;
  *o2::DrawMiniMap = 1;
  for (bool overMinimap : {false, true}) {
    SCOPED_TRACE(overMinimap);
    gMX = overMinimap ? minimap1.cx : kTestW / 2;
    gMY = overMinimap ? minimap1.cy : kTestH / 2;
    ASSERT_EQ(minimap1.KursIn(gMX, gMY), overMinimap);
    nsMKeys::Press(16);
    nsMKeys::Press(27);
    kmd.SensUp();
    GameSbor::gs20_Kmd(kmd);
    EXPECT_EQ(Root_IPPI.req, 3);
    Root_IPPI._6_TryChange();  // to the menu, and back
    ASSERT_EQ(Root_IPPI.cur, 3);
    Root_IPPI.Set_ChangeTo(4);
    Root_IPPI._6_TryChange();
    ASSERT_EQ(Root_IPPI.cur, 4);
  }
  nsMKeys::nFlushProc();
  Root_IPPI.req = -1;
  Root_IPPI.cur = 0;
  Root_IPPI.pCur = pCur;
}

// A click acts where its button went down, wherever the pointer has gone by
// the frame that works it: on the minimap (the camera jumps to the point
// pressed), in the scene (the pick's place) and on a list line.
TEST_F(FrontTest, AClickActsWhereItsButtonWentDown) {
  inerQ7GameKmd kmd;
  ASSERT_EQ(KmdSet_FromText(kmd.k, inerQ7GameKmd::Form("base/game_kmd.txt", KmdDefaults_Game()),
                            KmdDefaults_Game()),
            15);
  Root_IPPI.cur = 4;
  Ekran.Status = 1;
  *o2::DrawMiniMap = 1;
  *o2::PultFaza = 2;
  *o2::KameraMode = *o2::edTopView = 0;
  GameSbor::SetSoloFotik(2);
  ASSERT_TRUE(pSoloFotik);
  const vec3 eye = pSoloFotik->mb.Pos();
  t_Lin2 list;  // four lines of 20 pixels at the right; the first acts on nothing
  list.InitLin(141, 1, 4, 0.6f, 0.5f, 0.3f, 0.05f, 0.6f, 0.5f, 0.3f, 0.05f, 0, 0, 0);
  const int mx = minimap1.cx, my = minimap1.cy, lx = list.x + 10;
  auto line = [&](int n) { return list.y + list.h - 20 * n - 10; };
  struct Case {
    const char* name;
    int ax, ay, bx, by;  // pressed at a, the pointer at b by the frame
    bool map, click;     // the camera jumps to a's map point; a click is worked at a
    int listLine;        // the list line clicked, -1 none
  } cases[] = {
      {"on the map, the pointer gone into the scene", mx + 10, my + 10, kTestW / 2, kTestH / 2, true, false, -1},
      {"on the map, the pointer on another point of it", mx + 10, my + 10, mx - 15, my - 10, true, false, -1},
      {"in the scene, the pointer gone onto the map", kTestW / 2, kTestH / 2, mx, my, false, true, -1},
      {"on a list line, the pointer on another line", lx, line(0), lx, line(2), false, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pSoloFotik->mb.Pos(5, 5);
    int worked = 0, workedX = -1, workedY = -1, clickedLine = -1;
    gMX = c.bx, gMY = c.by;
    nsMKeys::PressAt(301, c.ax, c.ay);
    for (int f = 0; f < 50; ++f) {  // a second of frames, the button up after the first
      gMilli += 20;
      GFrameTime = 20;
      *o2::AnyKliHvoWait = *o2::KliForSelect = *o2::KliForDefAct = *o2::UseSelVariant = 0;
      kmd.SensUp();
      GameSbor::gs20_Kmd(kmd);
      if (kmd[1].Sig() && ListStep(list, kmd[1])) clickedLine = list.lineUK;
      if (*o2::KliForSelect == 1) ++worked, workedX = *o2::KlikForSelX, workedY = *o2::KlikForSelY;
      if (f == 0) {
        minimap1.Press(c.ax, c.ay, 1);
        EXPECT_EQ(pSoloFotik->mb.posx() == minimap1.pressX && pSoloFotik->mb.posz() == minimap1.pressZ, c.map);
      }
      nsMKeys::FrameSeen();
      nsMKeys::Release(301);
    }
    EXPECT_EQ(worked, c.click ? 1 : 0);
    if (c.click) {
      EXPECT_EQ(workedX, c.ax);
      EXPECT_EQ(workedY, c.ay);
    }
    EXPECT_EQ(clickedLine, c.listLine);
  }
  nsMKeys::nFlushProc();
  *o2::KursInMiniMap = *o2::KliForSelect = 0;
  pSoloFotik->mb.Pos(eye.x, eye.y, eye.z);
  GameSbor::gs29_SinhroKam();
  Root_IPPI.cur = 0;
  GFrameTime = 1;
}

TEST_F(FrontTest, EditorHeightCommands) {
  Plit_Init();
  inerQ7EditKmd kmd;
  const int tile = t_PlitHold::NomFrom2(100, 100);
  ASSERT_TRUE(tile >= 0 && tile < kPlitTiles);
  auto fire = [&](int slot) {
    for (IKmd2& k : kmd.k) k.signal = 0;
    kmd[slot].signal = 1;
    EditSbor::KmdKle2(kmd, tile);
  };
  *o3::PlitFadeBelt = 0;
  for (int i = 0; i < 50; ++i) fire(28);
  EXPECT_FLOAT_EQ(*o3::PlitFadeBelt, 3.0f);
  for (int i = 0; i < 80; ++i) fire(29);
  EXPECT_FLOAT_EQ(*o3::PlitFadeBelt, -3.0f);
  *o3::PlitFadeBelt = 0;
  PlitHold.PlitSetY(tile, 0, 0);  // the start's layout is random: a flat tile
  const float y0 = PlitHold.GetMidY(tile);
  fire(32);
  EXPECT_NEAR(PlitHold.GetMidY(tile) - y0, 1.0f, 0.3f);
  nsMKeys::n[101] = 1;  // keypad 5 halves every step
  fire(33);
  nsMKeys::n[101] = 0;
  EXPECT_NEAR(PlitHold.GetMidY(tile) - y0, 0.5f, 0.3f);
}

TEST_F(FrontTest, ATileNumberOutsideTheTerrainChoosesNoTile) {
  Plit_Init();
  inerQ7EditKmd kmd;
  Ekran.Status = 1;
  EditSbor::SetSoloFotik();
  const float y = PlitHold.GetMidY(kPlitTiles - 1);
  for (int tile : {kPlitTiles, 50000, -7}) {
    SCOPED_TRACE(tile);
    *o2::Plit_OfsNom = tile;
    for (int slot : {15, 30, 32}) {
      for (IKmd2& k : kmd.k) k.signal = 0;
      kmd[slot].signal = 1;
      EditSbor::es20_Kmd(kmd);
    }
  }
  EXPECT_EQ(PlitHold.GetMidY(kPlitTiles - 1), y);
  *o2::Plit_OfsNom = -1;
}

TEST_F(FrontTest, WholeFramesOfEachStep) {
  Plit_Init();
  *o2::EtapOK = 1;
  for (int mode : {3, 4, 5}) {
    SCOPED_TRACE(mode);
    Root_IPPI.cur = mode;
    *o2::AktivIPPI = mode;
    for (int f = 0; f < 3; ++f) {
      EXPECT_EQ(Root_IPPI.m[mode].step(), 1);
      *o2::State2D = 0;
    }
  }
  // An open settings overlay closed by its key ends the game's frame at once:
  // nothing is drawn.
  Root_IPPI.cur = 4;
  flagSuperOrg = 1;
  nsMKeys::n[192] = 1;
  glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(ippi_Q7::Game_Step(), 1);
  nsMKeys::n[192] = 0;
  EXPECT_EQ(flagSuperOrg, 0);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 51, 77, 102, 2);
  Root_IPPI.cur = 0;
  *o2::EtapOK = 0;
}

TEST_F(FrontTest, TheTopViewLeavesNothingOfAnEarlierScreen) {
  Plit_Init();
  *o2::EtapOK = 1;
  Root_IPPI.cur = *o2::AktivIPPI = 4;
  *o2::PultFaza = 3;
  *o2::edTopView = 1;
  // The top view's square at the right edge of a window wider than high.
  t_VPortKam& vp = pTopFotik->vp;
  const t_VPortKam saved = vp;
  vp.vpX = 100;
  vp.vpY = 0;
  vp.vpW = vp.vpH = kTestH - 100;
  for (int clear : {1, 2, 0}) {
    SCOPED_TRACE(clear);
    *o2::staFrClear = clear;
    glClearColor(1, 0, 1, 1);  // an earlier screen
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(ippi_Q7::Game_Step(), 1);
    *o2::State2D = 0;
    glFinish();
    std::vector<uint8_t> px(4 * kTestW * kTestH);
    glReadPixels(0, 0, kTestW, kTestH, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    int left = 0;
    for (size_t i = 0; i < px.size(); i += 4)
      left += px[i] == 255 && px[i + 1] == 0 && px[i + 2] == 255;
    EXPECT_EQ(left, 0);
  }
  vp = saved;
  *o2::staFrClear = 1;
  *o2::PultFaza = 2;
  *o2::edTopView = 0;
  Root_IPPI.cur = 0;
  *o2::EtapOK = 0;
}

TEST_F(FrontTest, AnOpenEntryLineIsDrawnAndEscapeGivesTheKeysBack) {
  Plit_Init();
  *o2::EtapOK = 1;
  ASSERT_EQ(FgrHld.AddWrk(tw_KomTehBox::kType, 0, 1), 1);
  tw_KomTehBox* box = pTekKomTehBox;
  ASSERT_NE(box, nullptr);
  auto key = [](UINT msg, int vk) { WndProc(nullptr, msg, WPARAM(vk), 0); };
  // Inside the entry bar, below its prompt.
  const int barX = 175, barY = Ekran.H2 - 20;
  for (int mode : {5, 4}) {
    SCOPED_TRACE(mode);
    Root_IPPI.cur = *o2::AktivIPPI = mode;
    box->InputProp(1, 0);  // a click on the middle of the banner's line
    ASSERT_EQ(InputInt_Klient.busy, 1);
    EXPECT_EQ(Root_IPPI.m[mode].step(), 1);
    *o2::State2D = 0;
    Rgba bar = ReadRgba(barX, barY);
    EXPECT_LE(bar.r, 4);
    EXPECT_LE(bar.g, 4);
    EXPECT_GE(bar.b, 30);
    // While it is open the line takes the keys; Escape closes it and gives
    // them back.
    key(WM_KEYDOWN, VK_F12);
    EXPECT_EQ(nsMKeys::n[VK_F12], 0);
    key(WM_KEYUP, VK_F12);
    key(WM_KEYDOWN, VK_ESCAPE);
    WndProc(nullptr, WM_CHAR, 27, 0);
    key(WM_KEYUP, VK_ESCAPE);
    EXPECT_EQ(Root_IPPI.m[mode].step(), 1);
    nsMKeys::FrameSeen();
    *o2::State2D = 0;
    EXPECT_EQ(InputInt_Klient.busy, 0);
    EXPECT_EQ(InputInt_Klient.state, 0);
    EXPECT_EQ(*o2::UniIS_Input, 0);
    bar = ReadRgba(barX, barY);
    EXPECT_FALSE(bar.r <= 4 && bar.g <= 4 && bar.b >= 30);
    key(WM_KEYDOWN, VK_F12);
    EXPECT_EQ(nsMKeys::n[VK_F12], 1);
    nsMKeys::FrameSeen();
    key(WM_KEYUP, VK_F12);
    *o2::NeedScreen = 0;
  }
  box->owner->Kill(1);
  Root_IPPI.cur = 0;
  *o2::EtapOK = 0;
}

TEST_F(FrontTest, OrdersGoOnlyToTheSelectedObjectsOfThePlayersSide) {
  LoadDefaultUnitTables();
  Plit_Init();
  ASSERT_EQ(NewUnit(3, PlayerBanerID), 1);
  tw_Unit* own = pTekUnit;
  ASSERT_EQ(NewUnit(3, PlayerBanerID + 1), 1);
  tw_Unit* enemy = pTekUnit;
  ASSERT_NE(own, enemy);
  PlayerSelectedReset();
  PlayerSelectedAdd(own->owner);
  PlayerSelectedAdd(enemy->owner);  // a single pick may select an enemy
  GameSbor::UnitsMoveToPoint(vec3(1500, 0, 1500));
  EXPECT_GE(own->iu[uiMoveMode], 1);
  EXPECT_EQ(enemy->iu[uiMoveMode], 0);
  enemy->iu[uiMoveMode] = 2;
  PlayerSelected_AllToTarget(enemy->owner);  // a target order ends a move
  EXPECT_EQ(own->iu[uiMoveMode], 0);
  EXPECT_EQ(enemy->iu[uiMoveMode], 2);
  own->owner->Kill(1);
  enemy->owner->Kill(1);
  PlayerSelectedReset();
}

// A base that cannot be read at start (junk bytes, an empty file, a link or a
// pipe at its name, no room for what the game makes) is kept aside as "_bad" and a new base is made: the backup of the
// last good base stays byte for byte, and the log says why and what is kept.
TEST_F(FrontTest, AnUnreadableBaseIsKeptAsideAndItsBackupStays) {
  ASSERT_EQ(initResult_, 1);
  const std::string good = Slurp("base/gen.fgh");
  fs::copy_file("base/gen.fgh", "base/gen.fgh_bak", fs::copy_options::overwrite_existing);
  const std::string junk = "0123456789abcdef";
  std::ofstream("base/junk", std::ios::binary) << junk;
  // Bases that leave no room for start-up's three cameras (a pool of four),
  // or for a new level's two command posts (a pool of eleven) besides nine
  // that outlive the level's reset.
  using namespace basebytes;
  auto bytes = [](const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); };
  const std::string cameras = bytes(FramesAnd(2, Head(Head(Out(), 300, 1, 4, {}, 256), 301, 1, 4, {}, 256).b));
  Out posts;
  for (int k = 0; k < 10; ++k) posts = Head(std::move(posts), 300 + k, 23, FGR4_SAVE_GEN);
  const std::string tenPosts = bytes(FramesAnd(10, posts.b));
  auto put = [](const std::string& b) { return !!(std::ofstream("base/gen.fgh", std::ios::binary) << b); };
  const struct {
    const char* what;
    std::function<bool()> put;
    fs::file_type kept;
    const char* why;
    std::string bytes = {};  // what a regular file held
  } cases[] = {
      {"16 junk bytes", [&] { return !!(std::ofstream("base/gen.fgh", std::ios::binary) << junk); },
       fs::file_type::regular, "not an object base (its magic number is wrong)", junk},
      {"an empty file", [] { return !!std::ofstream("base/gen.fgh"); }, fs::file_type::regular,
       "the file is empty", ""},
      {"a link to junk", [] { return symlink("junk", "base/gen.fgh") == 0; }, fs::file_type::symlink,
       "its magic number is wrong"},
      {"a dangling link", [] { return symlink("nowhere", "base/gen.fgh") == 0; }, fs::file_type::symlink,
       "the file is a link to nothing"},
      {"a pipe", [] { return mkfifo("base/gen.fgh", 0644) == 0; }, fs::file_type::fifo,
       "the file is not a regular file"},
      {"two cameras", [&] { return put(cameras); }, fs::file_type::regular,
       "record 4 of 4 (at byte 196): no room for it: the pool of type 1 holds 4 objects, and start-up makes 3 of them",
       cameras},
      {"ten posts kept over levels", [&] { return put(tenPosts); }, fs::file_type::regular,
       "record 12 of 12 (at byte 452): no room for a new level", tenPosts},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove("base/gen.fgh");
    ASSERT_TRUE(c.put());
    const size_t logFrom = Slurp("log.txt").size();
    ASSERT_EQ(Start(), 1);
    EXPECT_TRUE(pGameFotik && pPultFotik && pTopFotik);
    EXPECT_TRUE(Slurp("base/gen.fgh_bak") == good) << "the backup changed";
    EXPECT_TRUE(Slurp("base/gen.fgh") == good) << "the new base is not a new base";
    std::error_code ec;
    EXPECT_EQ(fs::symlink_status("base/gen.fgh_bad", ec).type(), c.kept);
    if (c.kept == fs::file_type::regular) {
      EXPECT_EQ(Slurp("base/gen.fgh_bad"), c.bytes);
    }
    const std::string log = Slurp("log.txt").substr(logFrom);
    EXPECT_NE(log.find("Err >> Pro_Q7_Elements::init()-->FgrHld.LoadBase() // now make new: \"base/gen.fgh\" "
                       "cannot be read ("),
              std::string::npos)
        << log;
    EXPECT_NE(log.find(c.why), std::string::npos) << log;
    EXPECT_NE(log.find("it is kept as \"base/gen.fgh_bad\", the backup \"base/gen.fgh_bak\" is kept"),
              std::string::npos)
        << log;
  }
  // A bad file that cannot be kept aside (a folder at "_bad") ends the start
  // with the reason; nothing is written.
  fs::remove("base/gen.fgh_bad");
  fs::create_directories("base/gen.fgh_bad/x");
  std::ofstream("base/gen.fgh", std::ios::binary | std::ios::trunc) << junk;
  LastFailClear();
  EXPECT_EQ(Start(), 0);
  EXPECT_NE(std::string(LastFailText()).find("cannot be kept as \"base/gen.fgh_bad\""), std::string::npos)
      << LastFailText();
  EXPECT_EQ(Slurp("base/gen.fgh"), junk);
  EXPECT_TRUE(Slurp("base/gen.fgh_bak") == good);
  fs::remove_all("base/gen.fgh_bad");
  ASSERT_EQ(Start(), 1);
}
