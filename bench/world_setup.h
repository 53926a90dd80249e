// A fresh world for the benchmarks: new pools, a new holder of 11,500 slots
// and a new object base with its screen frames.
#pragma once

#include "objects/objects.h"
#include "tests/common/lists_lap.h"
#include "render/render.h"
#include "shell/shell.h"
#include "world/world.h"

inline void BenchFreshWorld() {
  FgrHld.Sbros();
  FgrHld.firstScrFrm = -1;
  Fgr4W.Sbros();
  pMainScrFrm = nullptr;
  Fgr4W.KonfigAll(nullptr);
  FgrHld.Init0(11500);
  FgrHld.InitBase();
  SetMainScrFrm(pMainScrFrm);
}

// One game frame of the world: the per-frame lists emptied, the holder's
// update pass (self updates, then updates with the extra step) and the draw
// events into the render queues.
inline void BenchGameFrame(int ms) {
  GFrameTime = ms;
  RenderM._ResetOnStartNewLap();
  UnitListsStartLap();
  FgrHld.Update(2, 1);
  FgrHld.DrawZkz(0, 1);
}
