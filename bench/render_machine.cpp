// The CPU cost of one frame of the render machine with every queue filled to
// capacity: the adds with their bucket search, the passes with their owner
// callbacks and sprite building. The GL driver is left out: the extensions are
// loaded on a real context, which is then released, so every GL call lands in
// the dispatcher's no-op table.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/gl_context.h"
#include "platform/platform.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

Fgr4* Owner(int k) { return reinterpret_cast<Fgr4*>(static_cast<uintptr_t>(0x1000 + 16 * k)); }

// Owners as the world objects answer: a sprite owner appends one quad, a
// multi-draw owner names its range, a model owner has nothing to draw here.
void Answer(Fgr4*, int code, void* a, void* b, void*, void*) {
  if (code == 12) {
    float q[12], c[16], uv[8];
    if (MSprNextQuad_Non()) return;
    MSpr_SetQuad(MSpr_q2DV(q, 100, 100, 8, 30), MSpr_qClr(c, 1, 0.5f, 0.2f, 0.8f), MSpr_qTC(uv, 3, 4, 2, 4),
                 nullptr);
  } else if (code == 8) {
    *static_cast<int*>(a) = 0;
    *static_cast<int*>(b) = 4;
  } else if (code == 9) {
    *static_cast<int*>(b) = 0;
  }
}

bool OpenContextThenRelease() {
  static bool done = false, ok = false;
  if (done) return ok;
  done = true;
  if (!BenchGLWindow(64, 64)) return false;
  Ekran.W = 800, Ekran.H = 600;
  wglMakeCurrent(nullptr, nullptr);
  *o2::TestFgrDrawQuads34 = *o2::TestFgrDrawQuads34D = *o2::TestFgrDrawQuads38 = *o2::TestFgrDrawQuads38D = 1;
  RenderOwnerEvent = Answer;
  ok = true;
  return ok;
}

// Every queue to capacity, the keys spread over the buckets the way a busy
// level spreads them.
void FillAll() {
  t_RenderMash& m = RenderM;
  for (int i = 0; i < tzkz_Box01::kCap; ++i)
    m.box.Add(static_cast<float>(i), 1, 2, 1, 1, 1, 0.5f, 0.5f, 0.5f, i % 3 ? 1 : 0, 0, i % 40, -1, 0);
  for (int q = 0; q < 5; ++q)
    for (int i = 0; i < tzkz_Quads::kCap; ++i)
      m.quads[q].Add(Owner(i), static_cast<uint16_t>(i), 1, 0, 22 + i % 12, -1, 0);
  for (int q = 0; q < 2; ++q)
    for (int i = 0; i < tzkz_FModels::kCap; ++i)
      m.mdl[q].Add(Owner(i), static_cast<uint16_t>(i % 4), i % 2, 0, 1, 0, i % 45, -1, 0);
  static t_SvetOGL lights[4];
  for (int q = 0; q < 3; ++q)
    for (int i = 0; i < tzkz_R1R2::kCap; ++i) {
      t_SvetOGL* l = i % 5 == 0 ? &lights[i % 4] : nullptr;
      m.r1r2[q].Add(i % 2, 0, 1, 0, i % 30, -1, 0, Owner(i), static_cast<uint16_t>(i % 3), l, nullptr, nullptr,
                    nullptr, nullptr, nullptr, nullptr, nullptr);
    }
  for (int w = 0; w < 4; ++w)
    for (int i = 0; i < tzkz_Lines1::kCap / 24; ++i)
      m.line[w].AddBoxRam(vec3(static_cast<float>(i), 0, 0), vec3(1, 2, 3), 255, 0, 0, 255);
  static vec3 ring[33];
  Crt_CircleGoriz(ring, 33, 20, 1);
  for (int w = 0; w < 4; ++w)
    while (m.wire[w].AddChain(ring, nullptr, 33, 0, 255, 0, 255)) {
    }
}

// One frame: the queues emptied and filled to capacity, and drawn when asked.
void Frames(benchmark::State& state, bool draw) {
  if (!OpenContextThenRelease()) {
    state.SkipWithError("no GL context");
    return;
  }
  for (auto _ : state) {
    RenderM._ResetOnStartNewLap();
    FillAll();
    if (draw) RenderM._Run(nullptr);
    benchmark::DoNotOptimize(MSpr_TekV);
  }
}

void BM_QueueAddsToCapacity(benchmark::State& state) { Frames(state, false); }
BENCHMARK(BM_QueueAddsToCapacity)->Unit(benchmark::kMicrosecond);

void BM_FullFrameWithoutDriver(benchmark::State& state) { Frames(state, true); }
BENCHMARK(BM_FullFrameWithoutDriver)->Unit(benchmark::kMicrosecond);

}  // namespace
