// The game step's world half with a full level: the level of the menu's map
// generator plus a full pool of units (849) on two sides over the map, through
// the frame's per-lap resets, the world update of every object and their draw
// events into the render queues (no GL drawing). Heap allocations are
// counted; the frame must make none. Ends with the summary line
// "game step, full level: <ms> ms per frame, <n> allocations".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "bench/bench_scene.h"
#include "bench/gl_context.h"
#include "bench/world_setup.h"
#include "modes/mapgen.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "tests/common/unit_tables.h"
#include "tests/world/alloc_counter.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFrameMs = 16;

// A scratch folder with the height map, so that the generator reads it and
// the log lands there.
void EnterScratch() {
  static bool done = false;
  if (done) return;
  done = true;
  fs::path dir = fs::temp_directory_path() / "velmar_bench_modes";
  fs::create_directories(dir);
  fs::copy_file(fs::path(VELMAR_SOURCE_DIR) / "data/testhmap.tga", dir / "testhmap.tga",
                fs::copy_options::overwrite_existing);
  fs::current_path(dir);
}

void FullLevel() {
  BenchGLWindow(800, 600);
  EnterScratch();
  LoadDefaultUnitTables();
  BenchFreshWorld();
  Ekran.W = 800;
  Ekran.H = 600;
  Ekran.Status = 1;
  *o2::TestFgrDrawUnit = 1;
  *o2::SveKvadTex4 = 0;
  MapGen02();
  walkabil_Init();
  PlitHold.reUpdatePafLay();
  PlayerSelectedReset();
  const int n = Fgr4W_Cap(27) - 1;
  for (int k = 0; k < n; ++k) {
    const int side = k % 2 ? 2 : 1, i = k / 2;
    const float x = (side == 1 ? 210.0f : 2210.0f) + (i % 17) * 100.0f, z = 210.0f + (i / 17) * 140.0f;
    if (!FgrHld.AddWrk(27, 2 + k % 2, 1)) break;
    pTekUnit->iu[uiSide] = side;
    pTekUnit->mb.Pos(x, 0, z);
    pTekUnit->mb.PosYOpor();
  }
  float mv[16], pr[16];
  CameraMatrices(vec3(2000, 3000, 1990), vec3(2000, 0, 2000), 90, 4.0f / 3, 10, 6000, mv, pr);
  Fru1.FromMatrices(mv, pr);
}

void Frame() {
  GFrameTime = kFrameMs;
  Game_StartLap();
  Game_WorldUpdate();
  FgrHld.DrawZkz(0, 1);
}

void BM_GameStepFullLevel(benchmark::State& state) {
  FullLevel();
  for (int k = 0; k < 5; ++k) Frame();  // the first registrations
  long allocs = 0, frames = 0;
  for (auto _ : state) {
    const long a0 = HeapAllocations();
    Frame();
    allocs += HeapAllocations() - a0;
    ++frames;
  }
  state.counters["units"] = Fgr4W.Unit.InUse();
  state.counters["allocs"] = double(allocs);
  state.counters["allocs_per_frame"] = frames ? double(allocs) / double(frames) : 0.0;
}

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      ms_ = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1000.0;
      auto it = r.counters.find("allocs");
      allocs_ = it == r.counters.end() ? 0 : double(it->second);
      have_ = true;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (have_) std::printf("\ngame step, full level: %.2f ms per frame, %.0f allocations\n", ms_, allocs_);
    std::fflush(stdout);
  }

 private:
  bool have_ = false;
  double ms_ = 0, allocs_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("Modes/GameStepFullLevel", BM_GameStepFullLevel)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
