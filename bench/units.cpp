// The units' share of a game frame on the default terrain: 849 units (a full
// pool) on two sides spread over the map, standing or moving, through the
// holder's update (self update, update, per-frame lists, target search, seen
// test) and their draw event into the render queues; and 849 units ordered
// to one point at once (the A* searches, then the first 100 frames). Heap
// allocations are counted; the frame must make none. The run ends with one
// summary line per figure.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_scene.h"
#include "bench/summary.h"
#include "bench/world_setup.h"
#include "objects/objects.h"
#include "render/render.h"
#include "tests/common/unit_tables.h"
#include "tests/world/alloc_counter.h"
#include "ui/ui.h"
#include "world/world.h"
#include "tests/common/lists_lap.h"

namespace {

constexpr int kFrameMs = 16;

void TerrainOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  TestTerrainSeenWhole();
  LoadDefaultUnitTables();
}

// A new world with a full pool of units: side 1 on the west half, side 2 on
// the east half, farther apart than any weapon reaches. Moving: every unit is
// ordered 600 units along its column.
void Populate(bool moving) {
  TerrainOnce();
  walkabil_Init();
  PlitHold.reUpdatePafLay();
  BenchFreshWorld();
  PlayerSelectedReset();
  const int n = Fgr4W_Cap(27) - 1;
  for (int k = 0; k < n; ++k) {
    int side = k % 2 ? 2 : 1, i = k / 2;
    float x = (side == 1 ? 210.0f : 2210.0f) + (i % 17) * 100.0f, z = 210.0f + (i / 17) * 140.0f;
    if (!FgrHld.AddWrk(27, 2 + k % 2, 1)) break;
    tw_Unit* u = pTekUnit;
    u->iu[uiSide] = side;
    u->mb.Pos(x, 0, z);
    u->mb.PosYOpor();
    if (moving) {
      vec3 to(x, 0, z < 2000 ? z + 600 : z - 600);
      void* conv = &to;
      int mode = 1;
      u->owner->Event(EV_MOVE_TO_POINT, &conv, &mode);
    }
  }
}

void Frame() { BenchGameFrame(kFrameMs); }

void BM_WorldUpdate(benchmark::State& state, bool moving) {
  Populate(moving);
  for (int k = 0; k < 5; ++k) Frame();  // the first registrations
  long allocs = 0, frames = 0;
  for (auto _ : state) {
    if (frames % 1000 == 999) {  // the moves have ended: start them again
      state.PauseTiming();
      Populate(moving);
      for (int k = 0; k < 5; ++k) Frame();
      state.ResumeTiming();
    }
    long a0 = HeapAllocations();
    Frame();
    allocs += HeapAllocations() - a0;
    ++frames;
  }
  int onTheMove = 0;
  for (int i = 1; i < Fgr4W.Unit.count; ++i)
    onTheMove += Fgr4W.Unit.bodies[i].Status() && Fgr4W.Unit.bodies[i].iu[uiMoveMode] >= 1;
  state.counters["units"] = Fgr4W.Unit.InUse();
  state.counters["moving"] = onTheMove;
  state.counters["allocs"] = double(allocs);
  state.counters["allocs_per_frame"] = double(allocs) / double(frames);
}

// All units ordered to the middle of the map at once.
void OrderAllToOnePoint() {
  vec3 to(2000, 0, 2000);
  void* conv = &to;
  int mode = 1;
  for (int i = 1; i < Fgr4W.Unit.count; ++i)
    if (Fgr4W.Unit.bodies[i].Status()) Fgr4W.Unit.bodies[i].owner->Event(EV_MOVE_TO_POINT, &conv, &mode);
}

void BM_OrderToOnePoint(benchmark::State& state) {
  long allocs = 0, orders = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Populate(false);
    Frame();
    state.ResumeTiming();
    long a0 = HeapAllocations();
    OrderAllToOnePoint();
    allocs += HeapAllocations() - a0;
    ++orders;
  }
  state.counters["allocs"] = double(allocs) / double(orders);
}

void BM_First100Frames(benchmark::State& state) {
  long allocs = 0, runs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Populate(false);
    Frame();
    OrderAllToOnePoint();
    state.ResumeTiming();
    long a0 = HeapAllocations();
    for (int k = 0; k < 100; ++k) Frame();
    allocs += HeapAllocations() - a0;
    ++runs;
  }
  state.counters["allocs"] = double(allocs) / double(runs);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("Units/WorldUpdate/Moving", BM_WorldUpdate, true)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Units/WorldUpdate/Standing", BM_WorldUpdate, false)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Units/OrderToOnePoint", BM_OrderToOnePoint)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Units/First100Frames", BM_First100Frames)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  t_BenchSummary reporter({
      {"Units/WorldUpdate/Moving", "world update, 850 units", 1.0, "per frame"},
      {"Units/WorldUpdate/Standing", "world update, 850 units standing", 1.0, "per frame"},
      {"Units/OrderToOnePoint", "850 units ordered to one point, A* searches", 1.0, "in all"},
      {"Units/First100Frames", "850 units ordered to one point, first 100 frames", 100.0, "per frame"},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
