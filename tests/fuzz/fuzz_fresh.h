// What a fuzz input starts from, whatever the inputs before it did: the
// program-wide values every run can change put back as the program starts
// with them, and the way to build one of the program's objects anew where
// it stands.
#pragma once

#include <cstring>
#include <new>

#include "core/core.h"
#include "ui/ui.h"

// x built again on zeroed bytes, as on fresh pages.
template <class T>
void FuzzRemake(T& x) {
  x.~T();
  std::memset(static_cast<void*>(&x), 0, sizeof(T));
  new (&x) T;
}

// The settings at their start-up zeros, the random generator at its first
// value, no failure text or date stamp kept, a frame time of 1.
inline void FuzzFreshGlobals() {
  org2_Init();
  orgF_Init();
  sysSRand(1);
  LastFailClear();
  std::memset(general_datetime, 0, sizeof general_datetime);
  GFrameTime = 1;
}

// Text-buffer group 0 (the system texts) made anew with `count` empty
// entries; false when it cannot be.
inline bool FuzzFreshTextGroup0(int count) {
  KillTBufGru(0);
  return MakeTBufGru(count, 0) == 0 && gr_TBuf[0];
}
