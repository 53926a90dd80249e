// Network link benchmarks: one pass of the message pump while a server holds
// two idle peers (the socket poll every frame pays while the link runs), and a
// pass that reads a 64-byte block from each of the two peers through the
// window procedure (tests/net/noalloc_test.cpp shows that neither allocates).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "net/net.h"
#include "tests/common/link_window.h"
#include "tests/common/raw_peer.h"

namespace {

// A server on a free port with two peers taken into slots 1 and 2 (once per
// process: the role is set only once).
struct Server {
  int a = -1, b = -1;
  Server() {
    char dir[] = "/tmp/velmar_bench_XXXXXX";  // the log goes there
    if (!mkdtemp(dir) || chdir(dir) != 0) return;
    OpenLinkWindow();
    old_Strings64Init();
    raw::HeldPort held;
    const int port = held.port();
    std::snprintf(PORT_NUMBER_ch, sizeof PORT_NUMBER_ch, "%d", port);
    old_StartServer();
    a = raw::Connect(port);
    PumpUntil([] { return NetWork2.Slot(1) != INVALID_SOCKET; });
    b = raw::Connect(port);
    PumpUntil([] { return NetWork2.Slot(2) != INVALID_SOCKET; });
  }
  bool Ok() const { return NetWork2.Slot(1) != INVALID_SOCKET && NetWork2.Slot(2) != INVALID_SOCKET; }
};

Server& TheServer() {
  static Server s;
  return s;
}

void BM_PumpPassIdleLink(benchmark::State& state) {
  Server& s = TheServer();
  if (!s.Ok()) return state.SkipWithError("no server");
  for (auto _ : state) benchmark::DoNotOptimize(PumpPass());
}
BENCHMARK(BM_PumpPassIdleLink);

void BM_PumpPassReadsTwoBlocks(benchmark::State& state) {
  Server& s = TheServer();
  if (!s.Ok()) return state.SkipWithError("no server");
  const std::string block = raw::Block("GOL");
  PumpPass();
  long handled = 0;
  for (auto _ : state) {
    state.PauseTiming();
    raw::SendAll(s.a, block);
    raw::SendAll(s.b, block);
    state.ResumeTiming();
    handled += PumpPass();
  }
  state.counters["msgs"] = benchmark::Counter(double(handled), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PumpPassReadsTwoBlocks);

}  // namespace
