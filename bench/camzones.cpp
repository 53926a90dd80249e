// The camera helpers every drawn object asks each frame (in front of the solo
// camera, near the viewport camera) over 5,000 positions spread across the
// world, and the ten edge-zone tests a frame makes. Allocations per iteration
// must stay 0.
#include <benchmark/benchmark.h>

#include <vector>

#include "modes/modes.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "tests/world/alloc_counter.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kObjects = 5000;

struct Scene {
  Fgr4 handle;
  tw_Fotik cam;
  std::vector<t_MBase1> objects;
  Scene() {
    cam.owner = &handle;
    cam.mb.setMatr(-30, 40, 0);
    cam.mb.Pos(2000, 120, 2000);
    cam.vp.eye = cam.mb.Pos();
    objects.resize(kObjects);
    sysSRand(7);
    for (t_MBase1& m : objects) {
      m.Sbros();
      m.Pos(static_cast<float>(Rand2(0, 4000)), 0, static_cast<float>(Rand2(0, 4000)));
    }
  }
};

void BM_CameraHelpersPerObject(benchmark::State& state) {
  static Scene scene;
  pSoloFotik = &scene.cam;
  glob_nowVPKam = &scene.cam.vp;
  long allocs = 0;
  int front = 0;
  for (auto _ : state) {
    long a0 = HeapAllocations();
    for (const t_MBase1& m : scene.objects) {
      front += InFrontOfSoloFotik(m.posx(), m.posz());
      front += Near2DToGlobKam(m, 80.0f);
    }
    allocs += HeapAllocations() - a0;
  }
  benchmark::DoNotOptimize(front);
  state.counters["objects"] = kObjects;
  state.counters["allocs"] = static_cast<double>(allocs);
  pSoloFotik = nullptr;
  glob_nowVPKam = nullptr;
}
void BM_EdgeZonesPerFrame(benchmark::State& state) {
  Ekran.W = 1024;
  Ekran.H = 768;
  *o2::PultFaza = 2;
  *o2::guiMidCross = *o2::guiBoka = *o2::guiUpEdge = 1;
  *o2::guiMidGorizW = *o2::guiMidBokH = *o2::guiBokaH = 300;
  int (*const zones[])() = {guiKamRToL, guiKamRToR, guiKamRToDn, guiKamRToUp, guiKamLeft,
                            guiKamRit,  guiKamFwd,  guiKamBwd,   guiKamFwd2D, guiKamBwd2D};
  long allocs = 0;
  int hits = 0;
  for (auto _ : state) {
    long a0 = HeapAllocations();
    gMX = static_cast<int>(state.iterations() % 1024);
    gMY = 767;
    for (auto z : zones) hits += z();
    allocs += HeapAllocations() - a0;
  }
  benchmark::DoNotOptimize(hits);
  state.counters["allocs"] = static_cast<double>(allocs);
}
}  // namespace

// Registered here rather than by static objects: GCC inlines the counting
// operator new and delete of this file into static registrations and then
// warns of a mismatch that is not there.
int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("CameraHelpers/5000objects", BM_CameraHelpersPerObject)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("EdgeZones/frame", BM_EdgeZonesPerFrame);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
