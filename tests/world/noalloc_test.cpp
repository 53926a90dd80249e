// The frame's paths never allocate: the holder's passes (with objects made
// and killed during them), the path search and the path follower.
#include <gtest/gtest.h>

#include <vector>

#include "tests/world/alloc_counter.h"
#include "tests/world/astar_maps.h"
#include "tests/world/world_fixture.h"

namespace {

// Lasers die in their own update; every decoration's update fires a laser.
void Shoot(Fgr4* h, int code, void*, void*, void*, void*) {
  if (code == EV_UPD_SELF && h->WrkNom() == 15) h->Kill(1);
  if (code == EV_UPD && h->WrkNom() == 17) FgrHld.AddWrk(15, 0, 0);
}

using NoAllocTest = WorldTest;

}  // namespace

TEST_F(NoAllocTest, TheCounterCounts) {
  long before = HeapAllocations();
  std::vector<int>* v = new std::vector<int>(100);
  EXPECT_EQ(HeapAllocations() - before, 2);
  delete v;
}

TEST_F(NoAllocTest, HolderPassesDoNotAllocate) {
  for (int i = 0; i < 100; ++i) Make(17);
  for (int i = 0; i < 100; ++i) Make(24);
  Fgr4_EventTrace = Shoot;
  FgrHld.Update(2, 1);  // the first shots
  long before = HeapAllocations();
  for (int frame = 0; frame < 50; ++frame) {
    FgrHld.Update(2, 1);
    FgrHld.DrawZkz(0, 1);
  }
  EXPECT_EQ(HeapAllocations() - before, 0);
  EXPECT_GT(Fgr4W.Laser.InUse(), 0);
}

TEST_F(NoAllocTest, SearchAndFollowingDoNotAllocate) {
  astmaps::Random(3, 0.3, 9);
  auto cells = astmaps::OpenCells(3, 40, 10);
  t_PafMove1 pm;
  long before = HeapAllocations();
  for (size_t i = 0; i + 1 < cells.size(); i += 2) {
    FindPath(3, 0, astmaps::W(cells[i].x), astmaps::W(cells[i].z), astmaps::W(cells[i + 1].x),
             astmaps::W(cells[i + 1].z));
    pm.RePath(1, astmaps::W(cells[i].x), astmaps::W(cells[i].z), astmaps::W(cells[i + 1].x),
              astmaps::W(cells[i + 1].z), 3);
    for (int t = 0; t < 20; ++t) {
      pm.Upd();
      if (!pm.RootBreak(int(pm.wayPoint.x), int(pm.wayPoint.z), astmaps::W(cells[i + 1].x),
                        astmaps::W(cells[i + 1].z), 3, 4200))
        pm.OnToch();
    }
  }
  EXPECT_EQ(HeapAllocations() - before, 0);
}
