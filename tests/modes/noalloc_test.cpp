// Whole frames of the menu, the game and the editor, with the generated level
// and a few hundred units at work, make no heap allocation once they run.
#include <filesystem>

#include "modes/front.h"
#include "modes/mapgen.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "world/world.h"
#include "tests/common/alloc_hooks.h"
#include "tests/common/temp_dir.h"
#include "tests/common/unit_tables.h"
#include "tests/render/render_fixture.h"

namespace fs = std::filesystem;

namespace {

class ModesNoAlloc : public RenderTest {
 protected:
  void SetUp() override {
#ifndef VELMAR_COUNT_ALLOCS
    GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#endif
    RenderTest::SetUp();
  }
};

}  // namespace

TEST_F(ModesNoAlloc, FramesOfEveryModeDoNotAllocate) {
  TempDir dir;
  ASSERT_TRUE(dir.Ok());
  fs::create_directories("base");
  for (const char* f : {"menu_kmd.txt", "game_kmd.txt", "edit_kmd.txt"})
    fs::copy_file(std::string(VELMAR_SOURCE_DIR) + "/data/base/" + f, std::string("base/") + f);
  fs::copy_file(std::string(VELMAR_SOURCE_DIR) + "/data/testhmap.tga", "testhmap.tga");
  LoadDefaultUnitTables();
  if (!gr_TBuf[0]) LoadGeneral_InitTBufs();  // the fixed texts, as at start-up
  FgrHld.Sbros();
  Fgr4W.Sbros();
  ASSERT_EQ(Fgr4W.KonfigAll(nullptr), 1);
  ASSERT_EQ(Q7.init(), 1);
  MapGen02();
  walkabil_Init();
  PlitHold.reUpdatePafLay();
  for (int k = 0; k < 300; ++k) {
    if (!FgrHld.AddWrk(27, 2 + k % 2, 1)) break;
    pTekUnit->iu[uiSide] = 1 + k % 2;
    pTekUnit->mb.Pos(1700.0f + (k % 20) * 30.0f, 0, 1700.0f + (k / 20) * 30.0f);
    pTekUnit->mb.PosYOpor();
  }
  *o2::TestPlitDrawLand = 1;
  *o2::DrawMiniMap = 1;
  *o2::PultFaza = 2;
  Ekran.Status = 1;
  for (int mode : {3, 4, 5}) {
    SCOPED_TRACE(mode);
    Root_IPPI.cur = mode;
    *o2::AktivIPPI = mode;
    for (int f = 0; f < 10; ++f) {  // first frames: command files, first registrations
      GFrameTime = 16;
      ASSERT_EQ(Root_IPPI.m[mode].step(), 1);
    }
    // Without a current context GL calls reach no driver: only our own code
    // could allocate.
    TestGLRelease();
    const long n = Allocations([&] {
      for (int f = 0; f < 30; ++f) {
        GFrameTime = 16;
        Root_IPPI.m[mode].step();
      }
    });
    TestGLMakeCurrent();
    EXPECT_EQ(n, 0);
  }
  Root_IPPI.cur = 0;
}
