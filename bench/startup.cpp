// Start-up of the real program: from launching the executable to the end of
// its first frame, median of five starts, on a copy of the data set (the
// first, untimed start makes the object base and the settings cache, as on a
// fresh copy). Each start runs with o2::NeedExit=1, so the process ends right
// after its first buffer swap; the time to that exit is taken (the teardown
// after the swap, a few milliseconds, is included). Printed as the summary
// line "start-up to first frame: 0.42 s". Needs a display (make bench runs
// the benchmarks under Xvfb).
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kStarts = 5;
double gMedian = -1.0;
bool gFailed = false;

// The executable beside this benchmark's folder (<build>/velmar).
fs::path Game() { return fs::canonical("/proc/self/exe").parent_path().parent_path() / "velmar"; }

// A copy of the data set whose local settings end the program after its first frame.
bool MakeCopy(const fs::path& dir) {
  std::string cmd = std::string(VELMAR_SOURCE_DIR) + "/tools/copy-data '" + dir.string() + "'";
  if (std::system(cmd.c_str()) != 0) return false;
  std::ofstream(dir / "__orgmix.txt", std::ios::binary | std::ios::app) << "//== NeedExit\r\nint\r\nNeedExit\r\n3 0 0 1\r\n";
  return fs::exists(dir / "start/konfig.txt");
}

// One start, in seconds; negative when it failed.
double OneStart(const fs::path& game, const fs::path& start) {
  auto t0 = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(start.c_str()) != 0) _exit(127);
    if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(127);
    execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? s : -1;
}

void BM_StartUpToFirstFrame(benchmark::State& state) {
  setenv("ALSOFT_DRIVERS", "null", 1);
  setenv("VELMAR_MSGBOX", "auto", 1);
  char tmpl[] = "/tmp/velmar_startup_XXXXXX";
  if (!mkdtemp(tmpl)) {
    gFailed = true;
    state.SkipWithError("no temporary folder");
    return;
  }
  const fs::path dir = tmpl, game = Game();
  for (auto _ : state) {
    std::vector<double> times;
    if (!MakeCopy(dir) || OneStart(game, dir / "start") < 0) {
      gFailed = true;
      state.SkipWithError("the program did not start (is there a display?)");
      break;
    }
    for (int k = 0; k < kStarts; ++k) {
      double s = OneStart(game, dir / "start");
      if (s < 0) break;
      times.push_back(s);
    }
    if (times.size() != kStarts) {
      gFailed = true;
      state.SkipWithError("a start failed");
      break;
    }
    std::sort(times.begin(), times.end());
    gMedian = times[kStarts / 2];
    state.SetIterationTime(gMedian);
    state.counters["median_s"] = gMedian;
    state.counters["fastest_s"] = times.front();
    state.counters["slowest_s"] = times.back();
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}

BENCHMARK(BM_StartUpToFirstFrame)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (gMedian >= 0) std::printf("start-up to first frame: %.2f s\n", gMedian);
  std::fflush(stdout);
  return gFailed ? 1 : 0;
}
