// The scene objects' frame with their pools full: 1,249 snowflakes, 424
// sectors, 149 lasers, 124 flares and 1,749 posts (slot 0 of a pool is never
// handed out) updated and queued for drawing, then the sprite passes of what
// was queued; and the flares' occlusion test on a real GL frame, one depth
// read per flare, against the same frame with one flare reading. Allocations
// per iteration must stay 0.
#include <benchmark/benchmark.h>

#include "bench/bench_scene.h"
#include "bench/gl_context.h"
#include "bench/world_setup.h"
#include "objects/modesglue.h"
#include "objects/objects.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "tests/world/alloc_counter.h"
#include "world/world.h"

namespace {

constexpr int kW = 1024, kH = 768;
const vec3 kEye(2000, 40, 2080);
const vec3 kLook(2000, 0, 2000);

t_VPortKam cam;

// The camera of the frame, its matrices saved and the view frustum set.
void Camera() { BenchFrameCamera(cam, kW, kH, kEye, kLook); }

void FreshWorld() {
  BenchFreshWorld();
  testGenVrt.Sbros();
  sysSRand(3);
}

// A point of the square of half side r around the look point.
vec3 Around(float r, float y) {
  return vec3(kLook.x + Rand2F(-r, r, 200), y, kLook.z + Rand2F(-r, r, 200));
}

// Every pool of the five types full, spread round the look point.
int FillScene() {
  FreshWorld();
  int n = 0;
  while (FgrHld.AddWrk(19, 0, 1)) {
    pTekSektor->weather = 1;
    pTekSektor->mb.Pos(Around(400, 0));
    pTekSektor->mb.setGbr(20, 5, 20);
    ++n;
  }
  Fgr4* sector = pTekSektor->owner;
  while (FgrHld.AddWrk(11, 1, 1)) {
    const vec3 p = Around(150, 0);
    pTekSnow->x = p.x, pTekSnow->z = p.z;
    pTekSnow->y = 1e6f;  // falls for the whole run
    pTekSnow->fgrSectorSet(sector);
    ++n;
  }
  while (FgrHld.AddWrk(15, 0, 1)) {
    pTekLaser->mb.Pos(Around(60, 2));
    pTekLaser->setPointV(Around(60, 2));
    pTekLaser->fadePeriod = pTekLaser->fadeCountdown = 1 << 30;  // shines for the whole run
    ++n;
  }
  while (FgrHld.AddWrk(7, 1, 1)) {
    pTekFlr2->mb.Pos(Around(40, 20));
    pTekFlr2->onTime = 1 << 30;
    ++n;
  }
  for (int kind = 0;; kind = (kind + 1) % 5) {
    // The vertex pool holds the meshes of some 500 posts: the others share
    // its vertices, which changes nothing of their update and draw orders.
    if (testGenVrt.next > t_testGenVrt::kVerts - tw_Stolb::Vertices(kind)) testGenVrt.next = 0;
    test1PointVec = Around(300, 0);
    if (!FgrHld.AddWrk(8, kind, 1)) break;
    pTekStolb->PosUpd(test1PointVec.x, 0, test1PointVec.z);
    ++n;
  }
  return n;
}

// The sprite passes of the 3D sprite queues, as the render machine calls
// the owners back (the vertex sets restarted where the machine would draw).
void SpritePasses() {
  for (int q : {0, 1}) {
    for (int b = 1; b <= tzkz_Quads::kBuckets && RenderM.quads[q].Head(b); ++b) {
      MSpr_TekV = 0;
      for (const Quads1_rec* r = RenderM.quads[q].Head(b); r; r = r->next) {
        uint16_t param = r->param;
        if (MSprNextQuad_Non()) MSpr_TekV = 0;
        Fgr4_Event(r->owner, EV_RENDER_SPR, &param);
      }
    }
  }
}

bool Setup() {
  static bool ok = BenchGLWindow(kW, kH) != nullptr;
  if (!ok) return false;
  Ekran.W = kW, Ekran.H = kH, Ekran.W2 = kW / 2, Ekran.H2 = kH / 2;
  *o2::TestFgrDrawStolb = *o2::TestFgrDrawFlare = 1;
  *o2::TestFgrDrawQuads34 = *o2::TestFgrDrawQuads34D = *o2::TestFgrDrawQuads38 = *o2::TestFgrDrawQuads38D = 1;
  GFrameTime = 16;
  glViewport(0, 0, kW, kH);
  Camera();
  return true;
}

void BM_SceneFrame(benchmark::State& state) {
  if (!Setup()) {
    state.SkipWithError("no GL context");
    return;
  }
  const int objects = FillScene();
  long allocs = 0;
  for (auto _ : state) {
    long a0 = HeapAllocations();
    NowIn_masSvetik = NowIn_masLandSvetik = 0;
    FgrHld.Update(2, 1);
    RenderM._ResetOnStartNewLap();
    FgrHld.DrawZkz(0, 1);
    SpritePasses();
    allocs += HeapAllocations() - a0;
  }
  state.counters["objects"] = objects;
  state.counters["snow"] = Fgr4W.Snow.InUse();
  state.counters["posts"] = Fgr4W.Stolb.InUse();
  state.counters["sprites"] = RenderM.quads[0].gNow() + RenderM.quads[1].gNow();
  state.counters["allocs"] = double(allocs);
}

// One render machine run of the flares alone, on a scene of posts: the
// depth buffer holds the posts when the flares read it.
void BM_FlareDepthReads(benchmark::State& state) {
  if (!Setup()) {
    state.SkipWithError("no GL context");
    return;
  }
  FreshWorld();
  test1PointVec = kLook;
  for (int i = 0; i < 40; ++i) {
    FgrHld.AddWrk(8, 2, 1);
    pTekStolb->PosUpd(kLook.x - 60 + 3 * i, 0, kLook.z + (i % 5) * 6);
  }
  const int reading = static_cast<int>(state.range(0));
  int flares = 0;
  while (FgrHld.AddWrk(7, 1, 1)) {
    pTekFlr2->mb.Pos(Around(40, 20));
    pTekFlr2->onTime = 1 << 30;
    // A glow of a pixel and no rings: the frames differ in their reads only.
    pTekFlr2->mainSize = 0.0005f;
    pTekFlr2->ringCount = 0;
    // Out of range the flare neither projects nor reads.
    if (flares++ >= reading) pTekFlr2->range = 0;
  }
  long allocs = 0;
  for (auto _ : state) {
    long a0 = HeapAllocations();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    RenderM._ResetOnStartNewLap();
    StartOfClearDraw1();
    FgrHld.DrawZkz(0, 1);
    RenderM._Run(&cam);
    glFinish();
    allocs += HeapAllocations() - a0;
  }
  state.counters["flares"] = flares;
  state.counters["reads"] = reading;
  state.counters["allocs"] = double(allocs);
}

}  // namespace

// Registered here rather than by static objects (see camzones.cpp: GCC warns
// of a mismatch between the counting operator new and delete that is not
// there).
int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("Scene/frame", BM_SceneFrame)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Scene/flares", BM_FlareDepthReads)
      ->ArgName("reads")
      ->Arg(0)
      ->Arg(1)
      ->Arg(124)
      ->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
