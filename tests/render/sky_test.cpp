// The sky: the belt's bands and colours, the dome's points, and both drawn
// around a real camera and read back.
#include <cmath>

#include "tests/render/scene_helpers.h"

namespace {

class SkyTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    *o3::BcgYTrans = 0;
    *o3::KupolYTrans = 60;
    *o2::SkyKupBlend = 0;
    *o2::SkyKupTex1G = *o2::SkyKupTex2G = -1;
    *o2::SkyKupScrollCase = 0;
    *o2::SkyKupAlfTest = -1;
    *o2::KlodKupLines = 0;
    GKlodKamX = GKlodKamZ = 0;
    mSkyKpV_Init();
  }
  void TearDown() override { gr_Pix_FreeAll(); }
  // A camera at (1000, 50, 1000) looking along +z, or straight up.
  void Look(bool up) {
    SetUpCamera(cam, vec3(1000, 50, 1000), up ? vec3(1000, 150, 1000.5f) : vec3(1000, 50, 1100), 40, 1, 1000);
  }
  t_VPortKam cam;
};

}  // namespace

TEST_F(SkyTest, BeltBandsAndSegmentLimits) {
  Create_SkyBelt1(250, 16, 0.2f, 0.4f, 0.8f, 0.7f, 0.7f, 0.7f, 0.6f, 0.6f, 0.6f);
  EXPECT_EQ(SkyBelt_KlvVertex, 3 * 34);
  const float step = 2 * (3.14159f / 16);
  EXPECT_NEAR(SkyBeltFV[0].x, 250 * std::cos(step), 1e-3);
  EXPECT_NEAR(SkyBeltFV[0].z, 250 * std::sin(step), 1e-3);
  EXPECT_EQ(SkyBeltFV[0].y, 40);
  EXPECT_EQ(SkyBeltFV[1].y, -300);
  EXPECT_NEAR(SkyBeltFV[32].x, SkyBeltFV[0].x, 1e-2);  // the last column repeats the first
  EXPECT_EQ(SkyBeltFV[34].y, 80);
  EXPECT_EQ(SkyBeltFV[68].y, 120);
  EXPECT_EQ(SkyBeltFV[69].y, 80);
  EXPECT_FLOAT_EQ(SkyBeltFC[1].x, 0.7f);   // fog at the bottom
  EXPECT_FLOAT_EQ(SkyBeltFC[0].x, 0.6f);   // sky-fog at 40
  EXPECT_FLOAT_EQ(SkyBeltFC[68].z, 0.8f);  // sky at the top
  // Fog brighter by its sum (2.1 > 1.4): the sky is nudged up.
  EXPECT_FLOAT_EQ(SkyBeltFC[34].y, 0.405f);
  Create_SkyBelt1(250, 16, 0.4f, 0.6f, 0.4f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
  EXPECT_FLOAT_EQ(SkyBeltFC[34].x, 0.405f);
  Create_SkyBelt1(250, 16, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
  EXPECT_FLOAT_EQ(SkyBeltFC[34].x, 0.495f);

  Create_SkyBelt1(250, 40, 0.2f, 0.4f, 0.8f, 0.7f, 0.7f, 0.7f, 0.6f, 0.6f, 0.6f);
  EXPECT_EQ(SkyBelt_KlvVertex, 198);
  vec3 forty = SkyBeltFV[100];
  Create_SkyBelt1(250, 32, 0.2f, 0.4f, 0.8f, 0.7f, 0.7f, 0.7f, 0.6f, 0.6f, 0.6f);
  EXPECT_EQ(SkyBeltFV[100].x, forty.x);
  // Fewer than three segments make a belt of three.
  for (int n : {2, 0, -7}) {
    Create_SkyBelt1(250, n, 0.2f, 0.4f, 0.8f, 0.7f, 0.7f, 0.7f, 0.6f, 0.6f, 0.6f);
    EXPECT_EQ(SkyBelt_KlvVertex, 24) << n;
    EXPECT_TRUE(std::isfinite(SkyBeltFV[0].x));
  }
}

TEST_F(SkyTest, DomePoints) {
  EXPECT_EQ(mSkyKpV[0].y, 12);
  EXPECT_FLOAT_EQ(mSkyKpV[3].x, 138.0f);
  EXPECT_FLOAT_EQ(mSkyKpV[2].z, 138.725f);
  EXPECT_FLOAT_EQ(mSkyKpV[13].z, 225.167f);
  EXPECT_EQ(mSkyKpV[24].y, -4);
  EXPECT_FLOAT_EQ(mSkyKpV[24].x, -112.583f);
}

TEST_F(SkyTest, TopHasTheSkyColourAndTheHorizonTheFogColour) {
  Create_SkyBelt1(250, 16, 0.2f, 0.4f, 0.8f, 0.7f, 0.7f, 0.7f, 0.7f, 0.7f, 0.7f);
  Look(false);
  glEnable(GL_FOG);
  glEnable(GL_LIGHTING);
  SkyDekorSbor::Fon_Draw(cam.Pos(), 0);
  Rgba top = ReadRgba(200, kTestH - 1);
  EXPECT_NEAR(top.r, Byte(0.2), 2);
  EXPECT_NEAR(top.g, Byte(0.4), 2);
  EXPECT_NEAR(top.b, Byte(0.8), 2);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), Byte(0.7), Byte(0.7), Byte(0.7), 1);
  EXPECT_NEAR_RGB(ReadRgba(0, 0), Byte(0.7), Byte(0.7), Byte(0.7), 1);
  // Drawn without depth: the depth buffer stays clear, and the tests and
  // writes are back on; fog and lighting were switched off for it.
  float depth = 0;
  glReadPixels(200, 200, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_EQ(depth, 1.0f);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLboolean mask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
  EXPECT_TRUE(mask);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(SkyTest, CloudDomeOverhead) {
  Create_SkyBelt1(250, 16, 0.2f, 0.4f, 0.8f, 0.7f, 0.7f, 0.7f, 0.7f, 0.7f, 0.7f);
  Look(true);
  SkyDekorSbor::Fon_Draw(cam.Pos(), 0);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 0, 0, 0, 1);  // above the belt: nothing without the dome
  // The dome's apex: white at alpha 0.45, blended over the clear colour.
  *o2::SkyKupBlend = 38;
  glClear(GL_COLOR_BUFFER_BIT);
  SkyDekorSbor::Fon_Draw(cam.Pos(), 0);
  Rgba apex = ReadRgba(200, 200);
  EXPECT_NEAR(apex.r, Byte(0.45), 4);
  EXPECT_NEAR(apex.g, Byte(0.45), 4);
  // A first texture modulates it; the texture matrices are left as identity.
  uint8_t red[1][4] = {{255, 0, 0, 255}};
  MakeFlatGroup(3, 1, red);
  *o2::SkyKupTex1G = 3;
  *o2::SkyKupTex1N = 0;
  *o2::SkyKupTex1Env = 0;
  *o2::SkyKupScrollCase = 4;
  *o2::KlodKupLines = 1;
  GKlodKamX = 0.25f;
  glClear(GL_COLOR_BUFFER_BIT);
  SkyDekorSbor::Fon_Draw(cam.Pos(), 0);
  Rgba tinted = ReadRgba(200, 200);
  EXPECT_NEAR(tinted.r, Byte(0.45), 4);
  EXPECT_LT(tinted.g, 20);
  for (int u = 0; u < 2; ++u) {
    glActiveTextureARB(GL_TEXTURE0_ARB + u);
    float m[16];
    glGetFloatv(GL_TEXTURE_MATRIX, m);
    EXPECT_EQ(m[12], 0) << u;
    EXPECT_EQ(m[0], 1) << u;
  }
  glActiveTextureARB(GL_TEXTURE0_ARB);
  GLint modes[2];
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_FILL);
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  TexMat(0, -1, 0, -1, 0);
}
