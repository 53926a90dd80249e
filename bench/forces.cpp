// The sides' non-unit objects of a full level on the default terrain: every
// pool of them full (11 command posts with their 11 technology boxes, 19
// bunkers, 19 energy buildings, 699 buildings, 14 wheeled and 14 tracked
// vehicles; slot 0 of a pool is never handed out), half of them on each side, the computer side's posts linked
// to their bunkers, through the holder's update (self update, update, sight
// circles, seen tests, minimap dots, lights, tile registrations, production)
// and their draw event into the render queues, with one bunker selected so
// that its range display is drawn. Heap allocations are counted; the frame
// must make none. The run ends with one summary line.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/bench_scene.h"
#include "bench/summary.h"
#include "bench/world_setup.h"
#include "objects/modesglue.h"
#include "objects/objects.h"
#include "render/render.h"
#include "tech/tech.h"
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
  TestTerrain();
  *o2::TestFgrDrawUnit = 1;
  *o2::TestFgrDrawDom = 1;
  LoadDefaultUnitTables();
  WholeMapFrustum();
}

// Where the k-th of n objects of a kind stands: a grid over the map, side 1
// on the west half, side 2 on the east half.
vec3 Spot(int k, int n, float margin) {
  const int perRow = 30;
  const int side = k % 2, i = k / 2;
  const float x = (side == 0 ? margin : 2000.0f + margin) + (i % perRow) * ((2000.0f - 2 * margin) / perRow);
  const float z = margin + (i / perRow) * ((4000.0f - 2 * margin) / (n / (2 * perRow) + 1));
  return vec3(x, 0, z);
}

void Populate() {
  TerrainOnce();
  walkabil_Init();
  PlitHold.reUpdatePafLay();
  BenchFreshWorld();
  PlayerSelectedReset();
  tw_DomXBunk* bunkers[2] = {nullptr, nullptr};
  const int nBunkers = Fgr4W_Cap(25) - 1;
  for (int k = 0; k < nBunkers && FgrHld.AddWrk(25, 1, 1); ++k) {
    tw_DomXBunk* b = pTekDomXBunk;
    b->side = 1 + k % 2;
    b->mb.Pos(Spot(k, nBunkers, 150) + vec3(40, 0, 60));
    b->mb.PosYOpor();
    b->spawnMark = 1;
    bunkers[k % 2] = b;
  }
  PlayerSelectedOne(bunkers[0]->owner);
  const int nEner = Fgr4W_Cap(26) - 1;
  for (int k = 0; k < nEner; ++k) {
    test1PointVec = Spot(k, nEner, 300) + vec3(0, 0, 130);
    if (!FgrHld.AddWrk(26, 0, 1)) break;
    pTekDomXEner->side = 1 + k % 2;
  }
  const int nDom = Fgr4W_Cap(24) - 1;
  for (int k = 0; k < nDom; ++k) {
    test1PointVec = Spot(k, nDom, 30);
    if (!FgrHld.AddWrk(24, 0, 1)) break;
    pTekDom->side = 1 + k % 2;
  }
  const int nPosts = Fgr4W_Cap(23) - 1;
  for (int k = 0; k < nPosts; ++k) {
    if (!FgrHld.AddWrk(23, 1 + k % 2, 1)) break;
    tw_KomPult* post = pTekKomPult;
    post->side = 1 + k % 2;
    post->mb.Pos(Spot(k, nPosts, 500) + vec3(0, 50, 0));
    post->owner->trigAdd(bunkers[k % 2]->owner, 0);
    if (!FgrHld.AddWrk(21, 0, 1)) break;
    tw_KomTehBox* box = pTekKomTehBox;
    box->SetStart_K(1, 1, 1);
    box->baner = post->side;
    box->mb.Pos(post->mb.Pos() + vec3(0, 0, 25));
    post->fgrTehBoxSet(box);
  }
  const int nCars = Fgr4W_Cap(5) - 1, nTanks = Fgr4W_Cap(6) - 1;
  for (int k = 0; k < nCars + nTanks; ++k) {
    const bool car = k < nCars;
    if (!FgrHld.AddWrk(car ? 5 : 6, car ? 2 : k % 3, 1)) break;
    const vec3 at = Spot(k, nCars + nTanks, 700);
    if (car) {
      pTekCar1->side = 1 + k % 2;
      pTekCar1->mb.Pos(at);
      pTekCar1->mb.PosYOpor();
    } else {
      pTekTank1->side = 1 + k % 2;
      pTekTank1->mb.Pos(at);
      pTekTank1->mb.PosYOpor();
    }
  }
}

void Frame() {
  GFrameTime = kFrameMs;
  RenderM._ResetOnStartNewLap();
  NowIn_masSvetik = NowIn_masLandSvetik = 0;
  MSpr_TekV = 0;
  UnitListsStartLap();
  FgrHld.Update(2, 1);
  FgrHld.DrawZkz(0, 1);
}

void BM_ForcesFrame(benchmark::State& state) {
  Populate();
  for (int k = 0; k < 5; ++k) Frame();  // the first registrations
  long allocs = 0, frames = 0;
  for (auto _ : state) {
    long a0 = HeapAllocations();
    Frame();
    allocs += HeapAllocations() - a0;
    ++frames;
  }
  state.counters["objects"] = Fgr4W.KomPult.InUse() + Fgr4W.KomTehBox.InUse() + Fgr4W.DomXBunk.InUse() +
                              Fgr4W.DomXEner.InUse() + Fgr4W.Dom.InUse() + Fgr4W.Car1.InUse() +
                              Fgr4W.Tank1.InUse();
  state.counters["units_made"] = Fgr4W.Unit.InUse();
  state.counters["allocs"] = double(allocs);
  state.counters["allocs_per_frame"] = double(allocs) / double(frames);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("Forces/Frame", BM_ForcesFrame)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  t_BenchSummary reporter({{"Forces/Frame",
                             "forces frame, 11 posts, 11 technology boxes, 19 bunkers, 19 energy buildings, "
                             "699 buildings, 14 + 14 vehicles",
                             1.0, "per frame", 3}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
