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
// plain GL: the same meshes, matrices and triangles, one draw a part from
// buffer objects, with the lights, material and arrays set once and the
// texture once a run of parts that share it. That is the floor the game's
// frame is measured against.
//
// The figures are the main thread's CPU time (the benchmark library's CPU
// timer is the thread's; llvmpipe rasterises in threads of its own) and the
// GL calls, draws and triangles, counted by the linker-wrapped layer of
// tests/common/gl_count.h; the run ends with one summary line per figure.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_scene.h"
#include "bench/gl_context.h"
#include "bench/summary.h"
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

// One model draw of the frame: its group, texture, primitive, the matrix it
// was drawn with and where its vertices are (a range of the group's, or
// indices placed in the floor's element buffer).
struct t_PartDraw {
  int group;
  GLuint texture;
  GLenum mode;
  bool indexed;
  GLint first;  // first vertex, or first index in the element buffer
  GLsizei count;
  float matrix[16];
};

struct t_Floor {
  std::vector<t_PartDraw> parts;
  std::vector<uint32_t> indices;            // of every indexed mesh drawn, once each
  std::map<const void*, GLint> placed;      // a mesh's indices -> their first in `indices`
  GLuint elements = 0, pos[kMdlGroups] = {}, nrm[kMdlGroups] = {}, uv[kMdlGroups] = {};
  bool ok = true;
};
t_Floor plain;  // the floor

// The indices of the mesh of the bound group that a model draw names: its
// client-memory indices, or, drawn from an element buffer, the mesh's (or
// its turned ones).
const uint32_t* MeshIndices(const void* indices) {
  if (indices) return static_cast<const uint32_t*>(indices);
  GLint bound = 0;
  glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB, &bound);
  const typeMdlGruVBO& g = MdlGVBO[Glob_D1g];
  for (int i = 0; i < g.klvMesh && bound; ++i) {
    if (g.mMesh[i].elemBuf == static_cast<unsigned>(bound)) return g.mMesh[i].tri;
    if (g.mMesh[i].turnedBuf == static_cast<unsigned>(bound)) return g.mMesh[i].turned;
  }
  return nullptr;
}

// Takes each model draw of a frame (a draw while a model group is bound).
void Capture(GLenum mode, GLint first, GLsizei count, GLenum type, const void* indices) {
  if (Glob_D1g < 0) return;
  t_PartDraw d{};
  d.group = Glob_D1g;
  GLint tex = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &tex);
  d.texture = glIsEnabled(GL_TEXTURE_2D) ? static_cast<GLuint>(tex) : 0;
  d.mode = mode;
  d.count = count;
  d.first = first;
  glGetFloatv(GL_MODELVIEW_MATRIX, d.matrix);
  d.indexed = type != 0;
  if (d.indexed) {
    const uint32_t* tri = type == GL_UNSIGNED_INT ? MeshIndices(indices) : nullptr;
    if (!tri) {
      plain.ok = false;
      return;
    }
    auto at = plain.placed.find(tri);
    if (at == plain.placed.end()) {
      at = plain.placed.emplace(tri, static_cast<GLint>(plain.indices.size())).first;
      plain.indices.insert(plain.indices.end(), tri, tri + count);
    }
    d.first = at->second;
  }
  plain.parts.push_back(d);
}

GLuint Buffer(GLenum target, const void* data, size_t bytes) {
  GLuint b = 0;
  glGenBuffersARB(1, &b);
  glBindBufferARB(target, b);
  glBufferDataARB(target, static_cast<GLsizeiptrARB>(bytes), data, GL_STATIC_DRAW_ARB);
  glBindBufferARB(target, 0);
  return b;
}

// Draws one game frame with the model draws taken, and puts their meshes in
// buffer objects.
bool MakeFloor() {
  if (!glGenBuffersARB || !glBindBufferARB || !glBufferDataARB) return false;
  glcount::onDraw = Capture;
  DrawFrame();
  glcount::onDraw = nullptr;
  if (!plain.ok || plain.parts.empty()) return false;
  plain.elements = Buffer(GL_ELEMENT_ARRAY_BUFFER_ARB, plain.indices.data(), plain.indices.size() * 4);
  for (int g = 0; g < kMdlGroups; ++g) {
    const typeMdlGruVBO& m = MdlGVBO[g];
    if (m.klvV < 1) continue;
    plain.pos[g] = Buffer(GL_ARRAY_BUFFER_ARB, m.pos, size_t(m.klvV) * sizeof(vec3));
    plain.nrm[g] = Buffer(GL_ARRAY_BUFFER_ARB, m.nrm, size_t(m.klvV) * sizeof(vec3));
    plain.uv[g] = Buffer(GL_ARRAY_BUFFER_ARB, m.uv1, size_t(m.klvV) * sizeof(vec2));
  }
  return true;
}

void FloorArrays(int g) {
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, plain.pos[g]);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, plain.nrm[g]);
  glNormalPointer(GL_FLOAT, 0, nullptr);
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, plain.uv[g]);
  glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
}

// The frame's model draws through plain GL, with the state of the game's
// frame (camera, fog, the sun, the hull material) set once.
void DrawFloor() {
  BeginFrame();
  // The lights every part of the frame has (the directional ones: the sun);
  // the order light reaches some tanks only.
  glEnable(GL_LIGHTING);
  GLenum light = GL_LIGHT0;
  for (int i = 1; i <= NowIn_masSvetik && light <= GL_LIGHT7; ++i) {
    const t_Svet* s = &masSvetik[i];
    if (s->position.w != 0) continue;
    glEnable(light);
    glLightfv(light, GL_POSITION, s->position);
    glLightfv(light, GL_AMBIENT, s->ambient);
    glLightfv(light, GL_DIFFUSE, s->diffuse);
    glLightfv(light, GL_SPECULAR, s->specular);
    ++light;
  }
  Material_RS::Bind(MatRS[8], 1);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, plain.elements);
  int group = -1;
  GLuint texture = ~0u;
  for (const t_PartDraw& d : plain.parts) {
    if (d.group != group) FloorArrays(group = d.group);
    if (d.texture != texture) {
      texture = d.texture;
      if (texture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
      } else {
        glDisable(GL_TEXTURE_2D);
      }
    }
    glLoadMatrixf(d.matrix);
    if (d.indexed)
      glDrawElements(d.mode, d.count, GL_UNSIGNED_INT, reinterpret_cast<const void*>(size_t(d.first) * 4));
    else
      glDrawArrays(d.mode, d.first, d.count);
  }
  glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glFinish();
}

// ---- the benchmarks

int tanks = 0;

bool Setup() {
  static const bool ok = [] {
    if (!LoadSettings() || !BenchGLWindow(kW, kH)) return false;
    glcount::CountLoadedEntryPoints();
    Ekran.W = kW, Ekran.H = kH, Ekran.W2 = kW / 2, Ekran.H2 = kH / 2;
    if (!LoadDataSet()) return false;
    tanks = Populate();
    return tanks > 0 && MakeFloor();
  }();
  return ok;
}

void Counters(benchmark::State& state, long calls0, long draws0, long tris0) {
  const auto avg = benchmark::Counter::kAvgIterations;
  state.counters["gl_calls"] = benchmark::Counter(double(glcount::Calls() - calls0), avg);
  state.counters["draws"] = benchmark::Counter(double(glcount::Draws() - draws0), avg);
  state.counters["triangles"] = benchmark::Counter(double(glcount::TrianglesDrawn() - tris0), avg);
}

void BM_Frame(benchmark::State& state) {
  if (!Setup()) {
    state.SkipWithError("no GL context, data set or buffer objects");
    return;
  }
  DrawFrame();
  int inView = 0;
  for (int i = 1; i < Fgr4W.Unit.count; ++i)
    inView += Fgr4W.Unit.bodies[i].Status() && Fgr4W.Unit.bodies[i].iu[uiVisible] == 1;
  const long calls0 = glcount::Calls(), draws0 = glcount::Draws(), tris0 = glcount::TrianglesDrawn();
  for (auto _ : state) DrawFrame();
  Counters(state, calls0, draws0, tris0);
  state.counters["tanks"] = tanks;
  state.counters["in_view"] = inView;
  state.counters["dots"] = KlientMiniMapFgrKlv;
  state.counters["model_draws"] = double(plain.parts.size());
}

void BM_PlainGL(benchmark::State& state) {
  if (!Setup()) {
    state.SkipWithError("no GL context, data set or buffer objects");
    return;
  }
  DrawFloor();
  const long calls0 = glcount::Calls(), draws0 = glcount::Draws(), tris0 = glcount::TrianglesDrawn();
  for (auto _ : state) DrawFloor();
  Counters(state, calls0, draws0, tris0);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("TanksInView/Frame", BM_Frame)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("TanksInView/PlainGL", BM_PlainGL)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  t_BenchSummary reporter({
      {"TanksInView/Frame", "frame, 850 tanks in view", 1.0, "main-thread CPU", 1, "gl_calls", "GL calls",
       "triangles", "triangles"},
      {"TanksInView/PlainGL", "same draws through plain GL", 1.0, "main-thread CPU", 1, nullptr},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
