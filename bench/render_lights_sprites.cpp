// Per-frame work of lit objects and sprite owners, without the driver: the
// lights gathered around each object from a full scene-light list, scene
// lights turned into ground lights, and a full sprite set built and appended.
#include <benchmark/benchmark.h>

#include "render/render.h"

namespace {

// A full frame's scene lights on a 40 x 40 grid of the camera box.
void FillLightList() {
  Glob_KamOptimBoxP = vec3(2000, 0, 2000);
  Glob_KamOptimBoxG = vec3(1000, 500, 1000);
  NowIn_masSvetik = 0;
  for (int i = 0; i < kSvetikLast; ++i) {
    vec3 p(1000 + (i % 20) * 100.0f, 20 + (i % 7) * 5.0f, 1000 + (i / 20) * 130.0f);
    if (t_Svet* s = GetSvetikPro(i % 10 ? 0 : 1, p, 60 + i % 90)) s->diffuse = vec4(0.8f, 0.7f, 0.6f, 1);
  }
}

void BM_LightsAroundObjects(benchmark::State& state) {
  FillLightList();
  const int objects = static_cast<int>(state.range(0));
  for (auto _ : state) {
    int found = 0;
    for (int k = 0; k < objects; ++k) {
      t_SveOkruj o;
      o.mode = 1;
      o.centre = vec3(1000 + (k % 40) * 50.0f, 10, 1000 + (k / 40) * 50.0f);
      o.Fill(vec3(4, 3, 6), 1);
      found += o.lights[0] != nullptr;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * objects);
}
BENCHMARK(BM_LightsAroundObjects)->Arg(100)->Arg(1000);

void BM_SceneLightsToGroundLights(benchmark::State& state) {
  FillLightList();
  SveKvad_InitFromCoeff();
  SveKvad_boxP = vec3(2000, 0, 2000);
  for (auto _ : state) {
    NowIn_masLandSvetik = 0;
    PeregonSvetikTo_LandSvetik();
    benchmark::DoNotOptimize(NowIn_masLandSvetik);
  }
  state.SetItemsProcessed(state.iterations() * kSvetikLast);
}
BENCHMARK(BM_SceneLightsToGroundLights);

void BM_SpriteSet(benchmark::State& state) {
  Sprr1FillCosSin();
  Sprr1.UpdR360();
  const int quads = 2500;
  for (auto _ : state) {
    MSpr_TekV = 0;
    MSpr_TekOdd = 1;
    MSpr_Tek2D = 0;
    for (int i = 0; i < quads && !MSprNextQuad_Non(); ++i) {
      vec3 c(static_cast<float>(i % 50), 5, static_cast<float>(i / 50));
      MSpr_SetQuad(MSpr_qV(w0qv, c, 2, (i * 7) % 361), MSpr_qClr(w0qc, 1, 0.8f, 0.6f, 0.5f),
                   MSpr_qTC(w0qt, 1 + i % 4, 4, 1 + (i / 4) % 4, 4), nullptr);
    }
    benchmark::DoNotOptimize(MSpr_TekV);
  }
  state.SetItemsProcessed(state.iterations() * quads);
}
BENCHMARK(BM_SpriteSet);

}  // namespace
