// Sound benchmark: the per-frame work of the 12 positional channels with 850
// objects that want a sound. Each frame every object without a channel asks
// for one, the objects circle the listener at distances from 20 to 700 (so
// some are out of hearing) with priorities that differ, one holder a frame
// ends its sound, and the channel update follows every owner. Heap
// allocations per frame must stay 0. Sound runs on OpenAL Soft's null backend.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "objects/objects.h"
#include "sound/sound.h"
#include "tests/world/alloc_counter.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kObjects = 850;
constexpr int kSlots = 11500;

// What each object knows, by holder slot.
vec3 gPos[kSlots];
int32_t gPrio[kSlots];
int gChannel[kSlots];
Fgr4* gObj[kObjects];
std::string gDir;  // the working directory of the run, removed at its end

void Answer(Fgr4* h, int code, void* a, void* b, void* c, void*) {
  const int i = h->logNom;
  if (i < 0 || i >= kSlots) return;
  switch (code) {
    case EV_POSITION:
      *static_cast<float*>(a) = gPos[i].x;
      *static_cast<float*>(b) = gPos[i].y;
      *static_cast<float*>(c) = gPos[i].z;
      break;
    case EV_SOUND_PRIORITY: *static_cast<int32_t*>(a) = gPrio[i]; break;
    case EV_SOUND_CHANNEL: gChannel[i] = *static_cast<int32_t*>(a); break;
    case EV_SOUND_POSITION: ZSrc_PosV(ZSrcMainKot[*static_cast<int32_t*>(a)], gPos[i]); break;
  }
}

// Sound on the default data set, and 850 decorations as the objects.
bool Prepare() {
  setenv("ALSOFT_DRIVERS", "null", 0);
  char tmpl[] = "/tmp/velmar_bench_sound_XXXXXX";
  if (!mkdtemp(tmpl) || chdir(tmpl) != 0) return false;
  gDir = tmpl;
  std::string data = std::string(VELMAR_SOURCE_DIR) + "/data/";
  if (symlink((data + "base").c_str(), "base") != 0 || symlink((data + "zvu").c_str(), "zvu") != 0) return false;
  org2_Init();
  orgF_Init();
  std::snprintf(general_zvu_list0, sizeof general_zvu_list0, "base/zvu_list0.txt");
  if (!StartOpenAL()) return false;
  Fgr4W.KonfigAll(nullptr);
  FgrHld.Init0(kSlots);
  FgrHld.InitBase();
  SetMainScrFrm(pMainScrFrm);
  for (int k = 0; k < kObjects; ++k) {
    if (!FgrHld.AddWrk(17, 0, 1)) return false;
    gObj[k] = pTekDekor->owner;
    const int i = gObj[k]->logNom;
    gChannel[i] = -1;
    gPrio[i] = (k * 37) % 11;
  }
  Fgr4_EventTrace = Answer;
  return true;
}

void Place(int frame) {
  for (int k = 0; k < kObjects; ++k) {
    const float r = 20.0f + 680.0f * static_cast<float>(k) / kObjects;
    const float a = 0.01f * static_cast<float>(frame + k * 13);
    gPos[gObj[k]->logNom] = vec3(r * std::cos(a), 0.0f, r * std::sin(a));
  }
}

void BM_ChannelFrame(benchmark::State& state) {
  static const bool ready = Prepare();
  if (!ready) {
    state.SkipWithError("sound did not start on the null backend");
    return;
  }
  long allocs = 0, granted = 0;
  int frame = 0;
  for (auto _ : state) {
    const long a0 = HeapAllocations();
    Place(frame);
    for (Fgr4* h : gObj) {
      const int i = h->logNom;
      if (gChannel[i] < 0) granted += ZSrcMainKot_Zakaz(h, gPos[i], 0, 3, 1, 1.0f, 1.0f);
    }
    // one holder a frame ends its sound
    ZSrcMainKot_Dst[frame % (ZSrcMainKot_Last + 1)] = kZvuEndDst;
    ZSrcMainKot_StartKadrProc();
    allocs += HeapAllocations() - a0;
    ++frame;
  }
  state.counters["objects"] = kObjects;
  state.counters["granted/frame"] = static_cast<double>(granted) / static_cast<double>(state.iterations());
  state.counters["allocs"] = static_cast<double>(allocs);
}
}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("Sound/ChannelFrame850", BM_ChannelFrame)->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  KillALData();
  if (!gDir.empty()) std::filesystem::remove_all(gDir);
  return 0;
}
