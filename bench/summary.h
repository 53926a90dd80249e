// The console report of a benchmark program, then one summary line per
// figure: "<label>: <ms> ms <per>, <n> allocations", the CPU time of the run
// named (divided by `frames`) and its "allocs" counter as it stands (or
// another counter, under its own word; a second one after it; none when the
// counter is null).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct t_BenchFigure {
  const char* name;   // the benchmark's name
  const char* label;  // what the line calls it
  double frames;      // the time is divided by it
  const char* per;    // "per frame", "in all"
  int digits = 2;     // decimals of the milliseconds
  const char* counter = "allocs";       // the counter shown after the time
  const char* counted = "allocations";  // what the line calls it
  const char* counter2 = nullptr;       // a second counter, shown after the first
  const char* counted2 = nullptr;
};

class t_BenchSummary : public benchmark::ConsoleReporter {
 public:
  explicit t_BenchSummary(std::vector<t_BenchFigure> figures) : figures_(std::move(figures)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      // CPU time per iteration in ms, whatever unit the table shows.
      double ms = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1000.0;
      results_[r.benchmark_name()] = {ms, r.counters};
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n");
    for (const t_BenchFigure& f : figures_) {
      auto it = results_.find(f.name);
      if (it == results_.end()) continue;
      std::printf("%s: %.*f ms %s", f.label, f.digits, it->second.first / f.frames, f.per);
      for (auto [counter, counted] : {std::pair(f.counter, f.counted), std::pair(f.counter2, f.counted2)}) {
        if (!counter) continue;
        auto c = it->second.second.find(counter);
        std::printf(", %.0f %s", c == it->second.second.end() ? 0 : double(c->second), counted);
      }
      std::printf("\n");
    }
    std::fflush(stdout);
  }

 private:
  std::vector<t_BenchFigure> figures_;
  std::map<std::string, std::pair<double, benchmark::UserCounters>> results_;  // ms, counters
};
