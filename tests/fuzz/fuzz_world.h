// The pools, the holder and its main screen frame, made once for a fuzz
// target's whole run.
#pragma once

#include <cstdlib>

#include "objects/objects.h"
#include "world/world.h"

inline void FuzzWorldOnce() {
  static bool made = false;
  if (made) return;
  if (!Fgr4W.KonfigAll(nullptr) || !FgrHld.Init0(11500)) std::abort();
  FgrHld.InitBase();
  SetMainScrFrm(pMainScrFrm);
  made = true;
}
