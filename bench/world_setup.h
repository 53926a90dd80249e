// A fresh world for the benchmarks: new pools, a new holder of 11,500 slots
// and a new object base with its screen frames.
#pragma once

#include "objects/objects.h"
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
