// The vehicles' share of a game frame on the default terrain: full pools of
// wheeled and tracked vehicles (14 + 14) on two sides facing each other
// within reach, each driving along a path, through the holder's update (self
// update, blocked tiles, steering, the seen test, target search and shots)
// and their draw event into the render queues. Heap allocations are counted;
// the frame must make none. The run ends with one summary line.
#include <benchmark/benchmark.h>


#include "bench/bench_scene.h"
#include "bench/summary.h"
#include "bench/world_setup.h"
#include "objects/objects.h"
#include "render/render.h"
#include "tests/world/alloc_counter.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kFrameMs = 16;

template <class V>
void Place(V* v, int side, float x, float z) {
  v->side = side;
  v->mb.Pos(x, 0, z);
  v->mb.PosYOpor();
  vec3 to(x, 0, z + 400);
  void* conv = &to;
  int mode = 1;
  v->owner->Event(EV_MOVE_TO_POINT, &conv, &mode);
}

// Side 1 and side 2 in rows 100 apart at x 1500 and 1600; every vehicle
// ordered 400 north.
void Populate() {
  TestTerrainSeenWhole();
  walkabil_Init();
  PlitHold.reUpdatePafLay();
  BenchFreshWorld();
  PlayerSelectedReset();
  for (int k = 0; k < Fgr4W_Cap(5) - 1; ++k) {
    if (FgrHld.AddWrk(5, 2, 1)) Place(pTekCar1, 1 + k % 2, 1500.0f + (k % 2) * 100.0f, 1200.0f + k * 40.0f);
    if (FgrHld.AddWrk(6, k % 3, 1)) Place(pTekTank1, 2 - k % 2, 1500.0f + (1 - k % 2) * 100.0f, 1220.0f + k * 40.0f);
  }
}

void Frame() { BenchGameFrame(kFrameMs); }

void BM_VehiclesFrame(benchmark::State& state) {
  Populate();
  Frame();
  long allocs = 0, frames = 0;
  for (auto _ : state) {
    if (frames % 1000 == 999) {  // the moves have ended: start them again
      state.PauseTiming();
      Populate();
      Frame();
      state.ResumeTiming();
    }
    long a0 = HeapAllocations();
    Frame();
    allocs += HeapAllocations() - a0;
    ++frames;
  }
  state.counters["vehicles"] = Fgr4W.Car1.InUse() + Fgr4W.Tank1.InUse();
  state.counters["allocs"] = double(allocs);
  state.counters["allocs_per_frame"] = double(allocs) / double(frames);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("Vehicles/Frame", BM_VehiclesFrame)->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  t_BenchSummary reporter({{"Vehicles/Frame", "world update, 28 vehicles", 1.0, "per frame", 3}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
