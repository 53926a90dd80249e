// The frame of the game with a full pool of tanks in view (849: the unit
// pool's slot 0 is never handed out), drawn on a real GL context: the
// objects' draw events, the render machine (their models, lit by the sun and
// by point lights among them, as near the posts of the test level) and the
// minimap dots of all of them, then glFinish. The same frame is drawn once
// more as before the model runs shared their lights and the dots went to GL
// as arrays (the RenderM_EachOrderAlone hook), in the same run.
//
// The figures are the main thread's CPU time (the benchmark library's CPU
// timer is the thread's; llvmpipe rasterises in threads of its own) and the
// GL calls made, counted by the linker-wrapped layer of
// tests/common/gl_count.h; the run ends with one summary line per figure.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <fstream>
#include <string>

#include "bench/bench_scene.h"
#include "bench/gl_context.h"
#include "bench/summary.h"
#include "bench/world_setup.h"
#include "objects/modesglue.h"
#include "objects/objects.h"
#include "render/render.h"
#include "tests/common/gl_count.h"
#include "tests/common/unit_tables.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kW = 1024, kH = 768;
const vec3 kEye(2000, 230, 2420);
const vec3 kLook(2000, 0, 2000);

t_VPortKam cam;

// The default data set's settings, pictures, materials and general models.
bool LoadDataSet() {
  const std::string data = std::string(VELMAR_SOURCE_DIR) + "/data";
  std::ifstream in(data + "/base/__orgmix.txt", std::ios::binary);
  if (!in) return false;
  std::string line;
  while (TextGetLine(in, line))
    if (TextTrimS(line).rfind("//==", 0) == 0) orgReadRecForInit(in, line);
  char old[4096];
  if (!getcwd(old, sizeof old) || chdir(data.c_str()) != 0) return false;
  bool ok = LoadRisGru("base/ris_list0.txt") == 1;
  MatRS_InitProc();
  ok = MatRS_LoadSbor("base/mat_sbr0.txt") == 1 && ok;
  ok = LoadGeneralModels() == 1 && ok;
  return chdir(old) == 0 && ok;
}

void Camera() { BenchFrameCamera(cam, kW, kH, kEye, kLook); }

// The frame's lights: the sun, and two rows of point lights of reach 80
// among the tanks.
void Lights() {
  NowIn_masSvetik = NowIn_masLandSvetik = 0;
  Glob_KamOptimBoxP = kLook;
  Glob_KamOptimBoxG = vec3(800, 800, 800);
  if (t_Svet* sun = GetSvetikPro(1, vec3(0.3f, 0.8f, 0.5f), 5000)) {
    sun->ambient = vec4(0.35f, 0.35f, 0.35f, 1);
    sun->diffuse = vec4(0.8f, 0.8f, 0.75f, 1);
    sun->specular = vec4(0.2f, 0.2f, 0.2f, 1);
  }
  for (int i = 0; i < 8; ++i) {
    Add_SvetBallPos(vec3(1900.0f + 30.0f * i, 6, 2010), 80, 0.9f, 0.6f, 0.3f, 0.2f, 0.2f, 0.2f);
    Add_SvetBallPos(vec3(1930, 6, 1900.0f + 30.0f * i), 80, 0.3f, 0.6f, 0.9f, 0.2f, 0.2f, 0.2f);
  }
}

// A fresh world with a full pool of the player's tanks on a grid round the
// middle of the map; one game update gathers their lights and places their
// minimap dots, which the minimap turns into screen points.
int Populate() {
  TestTerrain();
  LoadDefaultUnitTables();
  walkabil_Init();
  PlitHold.reUpdatePafLay();
  BenchFreshWorld();
  sysSRand(5);
  PlayerSelectedReset();
  PlayerFgrUnderKur = nullptr;
  *o2::TestFgrDrawUnit = 1;
  *o2::AktivIPPI = 4;
  *o2::KameraMode = 1;
  *o2::edTopView = 0;
  int n = 0;
  for (int k = 0; k < Fgr4W_Cap(27) - 1; ++k) {
    if (!FgrHld.AddWrk(27, 3, 1)) break;
    tw_Unit* u = pTekUnit;
    u->iu[uiSide] = PlayerBanerID;
    u->mb.Pos(1805.0f + (k % 40) * 10.0f, 0, 1790.0f + (k / 40) * 20.0f);
    u->mb.PosYOpor();
    u->iu[uiMMapFlag] = k % 7 == 0;  // some dots drawn as outlines
    ++n;
  }
  Camera();
  Lights();
  BenchGameFrame(16);
  minimap1.sizeCam = minimap1.sizeOther = 200;
  minimap1.angle = 0;
  for (int i = 0; i < KlientMiniMapFgrKlv; ++i)
    minimap1.UpdRealCoordForTopLayer(KlientMiniMapFgrX[i], KlientMiniMapFgrY[i]);
  return n;
}

bool Setup() {
  static const bool ok = [] {
    if (!BenchGLWindow(kW, kH)) return false;
    glcount::CountLoadedEntryPoints();
    Ekran.W = kW, Ekran.H = kH, Ekran.W2 = kW / 2, Ekran.H2 = kH / 2;
    return LoadDataSet();
  }();
  return ok;
}

// One frame as the game draws it, from the draw events to the minimap dots.
void DrawFrame() {
  glViewport(0, 0, kW, kH);
  glClearColor(0.5f, 0.6f, 0.8f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  StartOfClearDraw1();
  Camera();
  RenderM._ResetOnStartNewLap();
  FgrHld.DrawZkz(0, 1);
  Svet::ProcCase(0);
  RenderM._Run(&cam);
  if (Begin2D(0, kW, 0, kH)) {
    MMapNakladDotsDraw();
    End2D();
  }
  glFinish();
}

void BM_TanksInView(benchmark::State& state, int eachAlone) {
  if (!Setup()) {
    state.SkipWithError("no GL context or data set");
    return;
  }
  const int tanks = Populate();
  RenderM_EachOrderAlone = eachAlone;
  DrawFrame();
  int inView = 0;
  for (int i = 1; i < Fgr4W.Unit.count; ++i)
    inView += Fgr4W.Unit.bodies[i].Status() && Fgr4W.Unit.bodies[i].iu[uiVisible] == 1;
  const long calls0 = glcount::Calls();
  for (auto _ : state) DrawFrame();
  state.counters["gl_calls"] =
      benchmark::Counter(double(glcount::Calls() - calls0), benchmark::Counter::kAvgIterations);
  RenderM_EachOrderAlone = 0;
  state.counters["tanks"] = tanks;
  state.counters["in_view"] = inView;
  state.counters["dots"] = KlientMiniMapFgrKlv;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("TanksInView/Frame", BM_TanksInView, 0)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("TanksInView/FrameEachOrderAlone", BM_TanksInView, 1)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  t_BenchSummary reporter({
      {"TanksInView/Frame", "frame, 850 tanks in view", 1.0, "main-thread CPU", 1, "gl_calls", "GL calls"},
      {"TanksInView/FrameEachOrderAlone", "frame, 850 tanks in view, every order and dot alone (before)", 1.0,
       "main-thread CPU", 1, "gl_calls", "GL calls"},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
