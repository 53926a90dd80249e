// The terrain's and the minimap's per-frame paths never allocate: height
// queries, ground following, brushes, the terrain pass, the minimap's
// painting, drawing, coordinate conversions and mouse-over test. Every
// allocation of the process is counted through the sanitizer's hooks; for the
// drawing the context is released, so that GL calls reach no driver and only
// our own code could allocate.
#include "tests/render/render_fixture.h"
#include "tests/world/terrain_fixture.h"

#include "tests/common/alloc_hooks.h"

namespace {

class TerrainNoAllocTest : public RenderTest {
 protected:
  void SetUp() override {
#ifndef VELMAR_COUNT_ALLOCS
    GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#endif
    RenderTest::SetUp();
    ResetTerrain();
    PlitHold.FirstLayout();
  }
  void TearDown() override { PlitHold.ReleaseGL(); }
};

}  // namespace

TEST_F(TerrainNoAllocTest, QueriesFollowingAndBrushes) {
  t_MBase1 m;
  m.Sbros();
  vec3 a, b, c, d;
  long n = Allocations([&] {
    for (int k = 0; k < 2000; ++k) {
      float x = 10.0f + (k * 37) % 3980, z = 10.0f + (k * 53) % 3980, y = 0;
      PlitHold.GetYPereWithVertikLine(x, y, z);
      Plit_GetOpora(x, 0, z);
      m.Pos(x, 0, z);
      m.PosYOpor();
      m.UpdMatrFrSurf(4, 3, a, b, c, d);
      m.AnTurnTo(vec3(2000, 0, 2000), 5);
      m.Move(2, 1);
    }
    for (int k = 0; k < 200; ++k) {
      PlitHold.MoveY_3x3(5000 + k * 97, 0.5f, 0.8f);
      Plit_SetTypeAnUV_Holm(6000 + k);
      Plit_SetTypeAnUV(6000 + k, 1);
    }
  });
  EXPECT_EQ(n, 0);
  std::vector<int>* v = nullptr;
  EXPECT_GT(Allocations([&] { v = new std::vector<int>(8); }), 0) << "the counter counts";
  delete v;
}

TEST_F(TerrainNoAllocTest, TerrainPassAndMinimap) {
  minimap1.Init(120, 148);
  t_MBase1 cam;
  cam.Sbros();
  cam.Pos(2000, 170, 1580);
  cam.setMatr(-22, 0, 0);
  t_VPortKam vp;
  vp.vpW = kTestW;
  vp.vpH = kTestH;
  vp.aspect = 1;
  vp.znear = 1;
  vp.zfar = 750;
  vp.eye = cam.Pos();
  vp.target = cam.Fwd(100);
  KlientMiniMapFgrKlv = 100;
  auto frame = [&](int k) {
    PlitHold.MoveY(20100 + k, 1);
    PlitHold.Resident();
    minimap1.DrawToTexPlus(&cam);
    vp.Set1();
    vp.Set2_ProjMode(1);
    vp.Set3_Kamera();
    Fru1.Update();
    StartOfClearDraw1();
    PlitHold.Plit_Draw();
    if (Begin2D(0, kTestW, 0, kTestH)) {
      minimap1.Draw1(0);
      minimap1.FillDepthKursIn();
      End2D();
    }
  };
  frame(0);  // on the real driver, once
  EXPECT_GT(*o2::LoskRendered, 0);
  TestGLRelease();
  long n = Allocations([&] {
    for (int k = 1; k < 20; ++k) frame(k);
  });
  TestGLMakeCurrent();
  EXPECT_EQ(n, 0);
  KlientMiniMapFgrKlv = 0;
  minimap1.pic.SbrosTex();
}
