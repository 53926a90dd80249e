// A world for unit tests: the pools and holder of the world fixture, the flat
// test terrain with empty walkability grids, the default weapon and unit
// tables, an empty selection; units made where they are wanted, and frames
// of the world update as the game mode runs them.
#pragma once

#include "tests/world/terrain_fixture.h"
#include "tests/world/world_fixture.h"
#include "tests/common/lists_lap.h"

class UnitWorldTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    org2_Init();
    orgF_Init();
    ResetTerrain();
    LoadDefaultUnitTables();
    PlayerSelectedReset();
    PlayerSelected_[0] = nullptr;
    StartLap();
  }
  void TearDown() override {
    GFrameTime = 1;
    walkabil_Init();
    WorldTest::TearDown();
  }

  // A unit of the preset and side, placed on the ground at `at`.
  tw_Unit* Unit(int side, vec3 at, int preset = 2) {
    Fgr4* h = Make(27, preset);
    if (!h) return nullptr;
    tw_Unit* u = static_cast<tw_Unit*>(h->body);
    u->iu[uiSide] = side;
    u->mb.Pos(at);
    u->mb.PosYOpor();
    return u;
  }

  static void StartLap() {
    UnitListsStartLap();
  }

  // One game frame of the world: the lists start empty, then the holder's
  // update pass (self updates, then updates with the extra step).
  static void Frame(int ms = 16) {
    GFrameTime = ms;
    StartLap();
    FgrHld.Update(2, 1);
  }
};
