// A fresh world for each test: new pools, a new holder of 11,500 slots with
// the two screen frames of a new object base ("Game" main), and an event
// recorder that can also act for the objects (kill, create) the way type
// handlers would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "objects/objects.h"
#include "shell/engine.h"
#include "tests/common/unit_tables.h"
#include "world/world.h"

struct EventRec {
  int slot;
  int code;
};

struct EventScript {
  std::vector<EventRec> seen;
  // Called after each traced event, as if it ran at the end of the handler.
  std::function<void(Fgr4*, int)> act;
};

inline EventScript* gScript = nullptr;

inline void TraceEvent(Fgr4* h, int code, void*, void*, void*, void*) {
  if (!gScript) return;
  gScript->seen.push_back({h->logNom, code});
  if (gScript->act) gScript->act(h, code);
}

// New pools and a new, empty holder of 11,500 slots, as at start-up before
// the object base is loaded.
inline void FreshWorld() {
  FgrHld.Sbros();
  FgrHld.firstScrFrm = -1;
  Fgr4W.Sbros();
  pMainScrFrm = nullptr;
  ASSERT_EQ(Fgr4W.KonfigAll(nullptr), 1);
  ASSERT_EQ(FgrHld.Init0(11500), 1);
}

// The same with the two screen frames of a new object base, "Game" the main one.
inline void FreshWorldWithNewBase() {
  FreshWorld();
  FgrHld.InitBase();
  SetMainScrFrm(pMainScrFrm);
}

class WorldTest : public ::testing::Test {
 protected:
  EventScript script;

  void SetUp() override {
    Main_Done = 0;
    Glob_WSA_ProgIs = 0;
    priv_force_EventsFromServer = 0;
    origSborU.Sbros();
    arOne.Sbros();
    FreshWorldWithNewBase();
    gScript = &script;
    Fgr4_EventTrace = TraceEvent;
  }

  void TearDown() override {
    Fgr4_EventTrace = nullptr;
    gScript = nullptr;
  }

  // Creates an object through the holder and returns its handle.
  Fgr4* Make(int type, int kind = 0) {
    if (!FgrHld.AddWrk(type, kind, 1)) return nullptr;
    return LastMade(type);
  }

  // The handle of the body most recently made current for a type.
  static Fgr4* LastMade(int type) {
    switch (type) {
#define CASE(code, Name, capacity) \
  case code:                       \
    return pTek##Name ? pTek##Name->owner : nullptr;
      VELMAR_OBJECT_TYPES(CASE)
#undef CASE
    }
    return nullptr;
  }

  // The events a slot received, creation (18) and kill (22) left out.
  std::vector<int> CodesOf(int slot) const {
    std::vector<int> r;
    for (const EventRec& e : script.seen)
      if (e.slot == slot && e.code != EV_CREATE && e.code != EV_KILL) r.push_back(e.code);
    return r;
  }
};
