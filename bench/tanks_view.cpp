// The frame of the game with a full pool of tanks in the top view (849: the
// unit pool's slot 0 is never handed out), drawn on a real GL context from
// the default data set as the game loads it: its settings, pictures,
// materials and models. The game's top camera, zoomed out as far as keeps
// every tank drawn with its wheels and wings; the game's lights (the sun
// and the light over the last order point); the objects' draw events and
// the render machine as the game's frame runs them, then the minimap dots
// of all tanks, then glFinish.
//
// In the same run the model draws of that frame are drawn again through
// plain GL (bench/plain_floor.h): the same meshes, matrices and triangles,
// one draw a part from buffer objects, each part with the lights and
// material the frame gave it, that state sent only where it changes. That
// is the floor the game's frame is measured against; at the start the two
// pictures are compared, and a floor that differs from the frame in 0.3 %
// of the pixels or more (the minimap dots are the frame's alone) ends the
// run with an error.
//
// Frame and floor are drawn in turn, one of each a round, so that what else
// the machine does weighs on both alike. The figures are the main thread's
// CPU time of each (llvmpipe rasterises in threads of its own), their
// medians and the median, least and greatest of the rounds' ratios, and the
// frame's GL calls and triangles, counted by the linker-wrapped layer of
// tests/common/gl_count.h.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_scene.h"
#include "bench/gl_context.h"
#include "bench/plain_floor.h"
#include "bench/world_setup.h"
#include "modes/select.h"
#include "modes/steps.h"
#include "objects/fotik.h"
#include "objects/modesglue.h"
#include "objects/objects.h"
#include "render/OpenGL_Ext.h"
#include "render/render.h"
#include "tests/common/gl_count.h"
#include "tests/common/unit_tables.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kW = 1024, kH = 768;
const vec3 kMiddle(2000, 0, 2000);
// The top view's width in world units: the widest at which a tank is still
// drawn with its small parts (36 pixels long on the 768-pixel square).
constexpr float kTopWidth = 360;

tw_Fotik* top = nullptr;

// The default data set's settings (its local file adds none), read before
// the GL window is made, as the game does.
bool LoadSettings() {
  std::ifstream in(std::string(VELMAR_SOURCE_DIR) + "/data/base/__orgmix.txt", std::ios::binary);
  if (!in) return false;
  std::string line;
  while (TextGetLine(in, line))
    if (TextTrimS(line).rfind("//==", 0) == 0) orgReadRecForInit(in, line);
  return true;
}

// The data set's pictures, materials and general models.
bool LoadDataSet() {
  const std::string data = std::string(VELMAR_SOURCE_DIR) + "/data";
  char old[4096];
  if (!getcwd(old, sizeof old) || chdir(data.c_str()) != 0) return false;
  bool ok = LoadRisGru("base/ris_list0.txt") == 1;
  MatRS_InitProc();
  ok = MatRS_LoadSbor("base/mat_sbr0.txt") == 1 && ok;
  ok = LoadGeneralModels() == 1 && ok;
  return chdir(old) == 0 && ok;
}

// The camera as the game's frame sets it up (gsDraw1).
void Camera() {
  KamSetUp(top);
  Sprr1.UpdMatrix();
  Sprr1.UpdR360();
  Fru1.Update();
  *o2::FogDejNear = static_cast<int>(top->vp.zfar) / 4;
  *o2::FogDejFar = static_cast<int>(top->vp.zfar) - 2;
}

// The lights of a game frame: the camera box round the camera, then the sun
// of the generated level and the light over the last order point, here the
// middle of the tanks.
void Lights() {
  NowIn_masSvetik = NowIn_masLandSvetik = 0;
  Glob_KamOptimBoxP = top->mb.Pos();
  Glob_KamOptimBoxG = vec3(450, 450, 450);
  GlobVector_ViewToSun = normalize(vec3(0.5f, 0.25f, -0.5f));
  test1PointVec = Plit_GetOporaPos(kMiddle);
  GameSbor::gs30_TempUpd();
}

// A fresh world with a full pool of the player's tanks on a grid round the
// middle of the map under the top camera; one game update gathers their
// lights and places their minimap dots, which the minimap turns into screen
// points.
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
  if (!FgrHld.AddWrk(1, 3, 1) || !pTekFotik) return 0;
  top = pTekFotik;
  top->mb.Pos(kMiddle.x, top->mb.posy(), kMiddle.z);
  top->vp.orthoW = top->vp.orthoH = kTopWidth;
  pSoloFotik = top;
  *o2::edTopView = 1;
  constexpr int kColumns = 30;
  constexpr float kStep = 12.0f;
  int n = 0;
  for (int k = 0; k < Fgr4W_Cap(27) - 1; ++k) {
    if (!FgrHld.AddWrk(27, 3, 1)) break;
    tw_Unit* u = pTekUnit;
    u->iu[uiSide] = PlayerBanerID;
    u->mb.Pos(kMiddle.x + (k % kColumns - kColumns / 2) * kStep, 0,
              kMiddle.z + (k / kColumns - kColumns / 2) * kStep);
    u->mb.PosYOpor();
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

// The start of a frame as the game's (gsDraw1): the window cleared, the
// clean state, the camera, no light and the fog.
void BeginFrame() {
  glViewport(0, 0, kW, kH);
  glClearColor(0.5f, 0.6f, 0.8f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  StartOfClearDraw1();
  Camera();
  Svet::ProcCase(0);
  Fog_ProcCase(1, 1.0f, *o3::FogR, *o3::FogG, *o3::FogB);
}

// One frame as the game draws it, from the draw events to the minimap dots.
void DrawFrame() {
  BeginFrame();
  RenderM._ResetOnStartNewLap();
  GameSbor::_TestRender1();
  if (Begin2D(0, kW, 0, kH)) {
    MMapNakladDotsDraw();
    End2D();
  }
  glFinish();
}

// ---- the same draws through plain GL

t_PlainFloor plain;  // the floor

// The frame's model draws through plain GL, from the same start of a frame.
void DrawFloor() {
  BeginFrame();
  plain.Draw();
  glDisable(GL_FOG);
  glFinish();
}

// The picture drawn last (RGB), and the pixels in which two differ.
void ReadPicture(std::vector<uint8_t>& px) {
  px.resize(size_t(kW) * kH * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, px.data());
}
long Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  long n = 0;
  for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3)
    n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
  return n;
}

// ---- the rounds

int tanks = 0, inView = 0;
long differing = 0;  // pixels in which the frame and the floor differ
bool diverged = false;  // the run ends with an error
// The floor must draw the frame's picture: the model draws are the frame's
// but for the minimap dots.
constexpr double kMostDiffering = 0.003;

bool Setup() {
  static const bool ok = [] {
    if (!LoadSettings() || !BenchGLWindow(kW, kH)) return false;
    glcount::CountLoadedEntryPoints();
    Ekran.W = kW, Ekran.H = kH, Ekran.W2 = kW / 2, Ekran.H2 = kH / 2;
    if (!LoadDataSet()) return false;
    tanks = Populate();
    if (tanks < 1 || !plain.Take(DrawFrame)) return false;
    for (int i = 1; i < Fgr4W.Unit.count; ++i)
      inView += Fgr4W.Unit.bodies[i].Status() && Fgr4W.Unit.bodies[i].iu[uiVisible] == 1;
    std::vector<uint8_t> frame, floor;
    DrawFrame();
    ReadPicture(frame);
    DrawFloor();
    ReadPicture(floor);
    differing = Differing(frame, floor);
    return true;
  }();
  return ok;
}

double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

// The rounds run until their main-thread CPU reaches the minimum time (the
// library's --benchmark_min_time; kFullRun without it), kMinRounds at least.
constexpr double kFullRun = 10;
double runSeconds = kFullRun;
constexpr int kMinRounds = 3, kMaxRounds = 4000;

struct t_Rounds {
  std::vector<double> frame, floor;  // main-thread ms of each round's frame and floor
  long calls = 0, triangles = 0;     // of the frames
};
t_Rounds rounds;

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  const size_t h = v.size() / 2;
  std::nth_element(v.begin(), v.begin() + long(h), v.end());
  if (v.size() % 2) return v[h];
  return (v[h] + *std::max_element(v.begin(), v.begin() + long(h))) / 2;
}

std::vector<double> Ratios() {
  std::vector<double> r(rounds.frame.size());
  for (size_t i = 0; i < r.size(); ++i) r[i] = rounds.floor[i] > 0 ? rounds.frame[i] / rounds.floor[i] : 0;
  return r;
}

// Frame, floor, frame, floor, ...: a round is one of each, so that what the
// machine does meanwhile weighs on both alike.
void BM_Rounds(benchmark::State& state) {
  if (!Setup()) {
    state.SkipWithError("no GL context, data set or buffer objects");
    return;
  }
  if (double(differing) >= kMostDiffering * kW * kH) {
    std::fprintf(stderr, "the plain GL floor differs from the frame in %ld of %d pixels\n", differing, kW * kH);
    state.SkipWithError("the plain GL floor does not draw the frame's picture");
    diverged = true;
    return;
  }
  DrawFrame();
  DrawFloor();
  rounds.frame.clear();
  rounds.floor.clear();
  rounds.frame.reserve(kMaxRounds);
  rounds.floor.reserve(kMaxRounds);
  rounds.calls = rounds.triangles = 0;
  for (auto _ : state) {
    double spent = 0;
    for (int n = 0; n < kMaxRounds; ++n) {
      if (n >= kMinRounds && spent >= runSeconds * 1e3) break;
      const long c0 = glcount::Calls(), t0 = glcount::TrianglesDrawn();
      const double a = ThreadMs();
      DrawFrame();
      const double b = ThreadMs();
      rounds.calls += glcount::Calls() - c0;
      rounds.triangles += glcount::TrianglesDrawn() - t0;
      DrawFloor();
      const double c = ThreadMs();
      rounds.frame.push_back(b - a);
      rounds.floor.push_back(c - b);
      spent += c - a;
    }
  }
  const double n = double(rounds.frame.size());
  const std::vector<double> r = Ratios();
  state.counters["rounds"] = n;
  state.counters["frame_ms"] = Median(rounds.frame);
  state.counters["floor_ms"] = Median(rounds.floor);
  state.counters["ratio"] = Median(r);
  state.counters["gl_calls"] = double(rounds.calls) / n;
  state.counters["triangles"] = double(rounds.triangles) / n;
  state.counters["tanks"] = tanks;
  state.counters["in_view"] = inView;
  state.counters["dots"] = KlientMiniMapFgrKlv;
  state.counters["model_draws"] = double(plain.Parts());
  state.counters["differing_px"] = double(differing);
  state.counters["light_sets"] = double(plain.LightSets());
  state.counters["looks"] = double(plain.Looks());
}

// The minimum time of the run, as the library reads it.
void ReadRunSeconds(int argc, char** argv) {
  const std::string flag = "--benchmark_min_time=";
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]).rfind(flag, 0) == 0) runSeconds = std::max(0.0, std::atof(argv[i] + flag.size()));
}

}  // namespace

int main(int argc, char** argv) {
  ReadRunSeconds(argc, argv);
  benchmark::RegisterBenchmark("TanksInView/Rounds", BM_Rounds)->Unit(benchmark::kMillisecond)->Iterations(1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!rounds.frame.empty()) {
    const std::vector<double> r = Ratios();
    const double n = double(rounds.frame.size());
    std::printf("\nframe, %d tanks in view: %.1f ms main-thread CPU, %.0f GL calls, %.0f triangles\n", inView,
                Median(rounds.frame), double(rounds.calls) / n, double(rounds.triangles) / n);
    std::printf("same draws through plain GL: %.1f ms main-thread CPU\n", Median(rounds.floor));
    std::printf("ratio over %zu interleaved rounds: median %.2f (min %.2f, max %.2f)\n", r.size(), Median(r),
                *std::min_element(r.begin(), r.end()), *std::max_element(r.begin(), r.end()));
    std::fflush(stdout);
  }
  return diverged ? 1 : 0;
}
