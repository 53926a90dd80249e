// The terrain's per-frame CPU work: the frustum culling of the 100 patches in
// the terrain pass, the height queries of the movers (1,000 a batch), and a
// brush edit with its shared corners.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench/bench_scene.h"
#include "core/core.h"
#include "render/render.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

void BM_PatchCulling(benchmark::State& state) {
  TestTerrain();
  float mv[16], pr[16];
  CameraMatrices(vec3(2000, 160, 1650), vec3(2000, 0, 2000), 60, 4.0f / 3, 1, 750, mv, pr);
  Fru1.FromMatrices(mv, pr);
  int seen = 0;
  for (auto _ : state) {
    seen = PlitHold.CullPatches();
    benchmark::DoNotOptimize(seen);
  }
  state.counters["patches_seen"] = seen;
}
BENCHMARK(BM_PatchCulling);

void BM_HeightQueries1000(benchmark::State& state) {
  TestTerrain();
  std::vector<vec3> movers(1000);
  sysSRand(7);
  for (vec3& p : movers)
    p = vec3(getRandomMinMax(20, 3980), 0, getRandomMinMax(20, 3980));
  int hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (vec3& p : movers) {
      float y = p.y;
      hits += PlitHold.GetYPereWithVertikLine(p.x, y, p.z);
      benchmark::DoNotOptimize(y);
    }
  }
  state.counters["hits"] = hits;
}
BENCHMARK(BM_HeightQueries1000);

void BM_GroundFollowing1000(benchmark::State& state) {
  TestTerrain();
  std::vector<t_MBase1> movers(1000);
  sysSRand(9);
  for (t_MBase1& m : movers) {
    m.Sbros();
    m.Pos(getRandomMinMax(100, 3900), 0, getRandomMinMax(100, 3900));
    m.setMatr(0, getRandomMinMax(0, 359), 0);
  }
  vec3 a, b, c, d;
  for (auto _ : state) {
    for (t_MBase1& m : movers) {
      m.PosYOpor();
      m.UpdMatrFrSurf(4.0f, 3.0f, a, b, c, d);
    }
    benchmark::DoNotOptimize(movers.data());
  }
}
BENCHMARK(BM_GroundFollowing1000);

void BM_HillBrush(benchmark::State& state) {
  TestTerrain();
  int i = 0;
  for (auto _ : state) {
    PlitHold.MoveY_3x3(20100 + (i++ % 50), 0.25f, 0.8f);
    PlitHold.DirtyVrt = 0;
  }
}
BENCHMARK(BM_HillBrush);

}  // namespace
