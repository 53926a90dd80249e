// The holder's picking pass in a real GL selection: every chosen object is
// named by its slot number, and a hit resolves back through the holder.
#include <gtest/gtest.h>

#include "tests/world/pick_gl.h"
#include "tests/world/world_fixture.h"
#include "ui/ui.h"

namespace {

// Every object drawn for picking covers the whole view.
void DrawQuadOnPick(Fgr4*, int code, void*, void*, void*, void*) {
  if (code == EV_DRAW_SELECT) PickGlQuad();
}

void DrawForSel(int mode) { FgrHld.DrawForSel(mode); }

class PickTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    std::string error;
    if (!PickGlOpen(error)) GTEST_SKIP() << "no GL window: " << error;
    Fgr4_EventTrace = DrawQuadOnPick;
  }
  static std::set<unsigned> Slots(std::initializer_list<Fgr4*> hs) {
    std::set<unsigned> s;
    for (Fgr4* h : hs) s.insert(static_cast<unsigned>(h->logNom));
    return s;
  }
};

}  // namespace

TEST_F(PickTest, NamesAreSlotNumbersThatResolveToTheObjects) {
  Fgr4* a = Make(17);
  Fgr4* b = Make(24);
  Fgr4* c = Make(2);
  Fgr4* off = Make(17);
  off->Event(EV_DEACT);
  std::set<unsigned> names = PickGlSelect(DrawForSel, 0);
  EXPECT_EQ(names, Slots({a, b, c}));
  for (unsigned n : names) {
    Fgr4* h = FgrHld.pFgrFromLogNom(static_cast<int>(n));
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->Status());
  }
}

TEST_F(PickTest, EditorPickingTakesInactiveObjectsOnlyWithHelpLines) {
  Fgr4* a = Make(17);
  Fgr4* off = Make(17);
  off->Event(EV_DEACT);
  *o2::DrawEditHelpLines = 0;
  EXPECT_EQ(PickGlSelect(DrawForSel, 3), Slots({a}));
  *o2::DrawEditHelpLines = 1;
  EXPECT_EQ(PickGlSelect(DrawForSel, 3), Slots({a, off}));
  *o2::DrawEditHelpLines = 0;
}
