// World model benchmarks: the A* search on five kinds of 200 x 200 map, each
// next to Boost Graph Library's astar_search on the same grid (same
// walkability, corner rule, 10/14 costs and heuristic), with the ratio of the
// two times printed at the end; and the holder's update pass with every pool
// full. Counters report expansions per search and heap allocations per
// iteration, which must stay 0 on our paths.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/world_setup.h"
#include "objects/objects.h"
#include "tests/common/unit_tables.h"
#include "tests/world/alloc_counter.h"
#include "tests/world/astar_maps.h"
#include "tests/world/astar_reference.h"
#include "world/world.h"

namespace {

// ----------------------------------------------------------------- maps

using astmaps::Cell;
using astmaps::W;
using Pairs = std::vector<std::pair<Cell, Cell>>;

constexpr int kLayer = 1;

struct MapCase {
  const char* name;
  Pairs (*build)();
};

Pairs OpenMap() {
  astmaps::Open();
  return {{{0, 0}, {199, 199}}};
}
Pairs Walled() { return {astmaps::WalledTarget(kLayer)}; }
Pairs UTrap() { return {astmaps::UTrap(kLayer)}; }
Pairs Serpentine() { return {astmaps::Serpentine(kLayer)}; }
Pairs Random30() {
  astmaps::Random(kLayer, 0.30, 30);
  std::vector<Cell> c = astmaps::OpenCells(kLayer, 200, 31);
  Pairs p;
  for (size_t i = 0; i + 1 < c.size(); i += 2) p.push_back({c[i], c[i + 1]});
  return p;
}

const MapCase kMaps[] = {
    {"open", OpenMap},     {"walled", Walled},          {"u_trap", UTrap},
    {"serpentine", Serpentine}, {"random30", Random30},
};

// The reference graph of a map, built once.
astref::Reference& ReferenceOf(const MapCase& m) {
  static std::map<std::string, std::unique_ptr<astref::Reference>> cache;
  auto& r = cache[m.name];
  if (!r) {
    r = std::make_unique<astref::Reference>();
    r->Build(kLayer);
  }
  return *r;
}

void BM_Ours(benchmark::State& state, const MapCase* m) {
  Pairs pairs = m->build();
  long expansions = 0, searches = 0, foundN = 0;
  long allocs = 0;
  for (auto _ : state) {
    long a0 = HeapAllocations();
    for (const auto& [s, t] : pairs) {
      int r = FindPath(kLayer, 0, W(s.x), W(s.z), W(t.x), W(t.z));
      benchmark::DoNotOptimize(r);
      expansions += AStExpansions;
      foundN += r == found;
      ++searches;
    }
    allocs += HeapAllocations() - a0;
  }
  state.SetItemsProcessed(searches);
  state.counters["expansions"] = double(expansions) / double(searches);
  state.counters["found"] = double(foundN) / double(searches);
  state.counters["allocs"] = double(allocs);
}

void BM_Boost(benchmark::State& state, const MapCase* m) {
  Pairs pairs = m->build();
  astref::Reference& ref = ReferenceOf(*m);
  long expansions = 0, searches = 0, foundN = 0;
  for (auto _ : state) {
    for (const auto& [s, t] : pairs) {
      astref::Result r = ref.Search(s.x, s.z, t.x, t.z, false);
      benchmark::DoNotOptimize(r.found);
      expansions += r.expansions;
      foundN += r.found;
      ++searches;
    }
  }
  state.SetItemsProcessed(searches);
  state.counters["expansions"] = double(expansions) / double(searches);
  state.counters["found"] = double(foundN) / double(searches);
}

// ----------------------------------------------------------------- holder

// Every pool full of objects, all listed for the update pass.
int FillEveryPool() {
  BenchFreshWorld();
  LoadDefaultUnitTables();
  int n = 2;
  for (int type = 1; type <= FGR4_TYPE_COUNT; ++type) {
    if (type == 4) {
      while (FgrHld.Add_ScrFrm(0)) ++n;
      continue;
    }
    while (FgrHld.AddWrk(type, type == 27 ? 1 : 0, 0)) ++n;
  }
  return n;
}

// One holder pass per iteration, every pool full.
void BM_HolderPass(benchmark::State& state, void (*pass)()) {
  int objects = FillEveryPool();
  long allocs = 0;
  for (auto _ : state) {
    long a0 = HeapAllocations();
    pass();
    allocs += HeapAllocations() - a0;
  }
  state.counters["objects"] = objects;
  state.counters["allocs"] = double(allocs);
  state.SetItemsProcessed(state.iterations() * objects);
}

void UpdatePass() { FgrHld.Update(2, 1); }
void DrawPass() { FgrHld.DrawZkz(0, 1); }

// ----------------------------------------------------------------- ratios

// The console report, followed by our time over the reference's per map.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      times_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nA* CPU time per iteration (us), ours over Boost astar_search (target: 0.5 or less)\n");
    for (const MapCase& m : kMaps) {
      std::string o = std::string("AStar/Ours/") + m.name, b = std::string("AStar/Boost/") + m.name;
      if (!times_.count(o) || !times_.count(b)) continue;
      double ratio = times_[o] / times_[b];
      std::printf("  %-11s ours %10.1f  boost %10.1f  ratio %.3f  %s\n", m.name, times_[o],
                  times_[b], ratio, ratio <= 0.5 ? "ok" : "ABOVE TARGET");
    }
    std::fflush(stdout);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const MapCase& m : kMaps) {
    benchmark::RegisterBenchmark((std::string("AStar/Ours/") + m.name).c_str(), BM_Ours, &m)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("AStar/Boost/") + m.name).c_str(), BM_Boost, &m)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("Holder/Update", BM_HolderPass, UpdatePass)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Holder/Draw", BM_HolderPass, DrawPass)->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
