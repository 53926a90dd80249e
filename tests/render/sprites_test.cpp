// Sprites: the appender's fit test and sets, the texture cells, the quad
// builders, the orientation table from a real camera, and camera-facing
// quads drawn through the sprite queue.
#include <cmath>

#include "tests/render/scene_helpers.h"
#include "world/world.h"

namespace {

vec3 Corner(const float* q, int k) { return vec3(q[3 * k], q[3 * k + 1], q[3 * k + 2]); }

// The ring entry of an angle of the identity camera: two-degree steps from the
// per-degree tables.
vec3 RingAt(int deg) {
  int e = deg - deg % 2;
  return vec3(Sprr1COS[e], Sprr1SIN[e], 0);
}

#define EXPECT_VEC_NEAR(v, X, Y, Z, tol) \
  do {                                   \
    vec3 v_ = (v);                       \
    EXPECT_NEAR(v_.x, (X), (tol));       \
    EXPECT_NEAR(v_.y, (Y), (tol));       \
    EXPECT_NEAR(v_.z, (Z), (tol));       \
  } while (0)

class SpriteTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    MSpr_TekV = 0;
    MSpr_TekOdd = 1;
    MSpr_Tek2D = 0;
    // The identity camera: right is x, up is y.
    Sprr1 = t_Sprr1();
    Sprr1.UpdR360();
  }
  void TearDown() override {
    RenderOwnerEvent = Fgr4_Event;
    glob_nowVPKam = nullptr;
  }
};

}  // namespace

TEST_F(SpriteTest, AppenderFitsQuadsUpToTenThousandVertices) {
  float q[12] = {}, uv[8] = {};
  MSpr_TekV = 9996;
  EXPECT_EQ(MSprNextQuad_Non(), 0);
  MSpr_SetQuad(q, nullptr, uv, nullptr);
  EXPECT_EQ(MSpr_TekV, 10000);
  MSpr_TekV = 9997;
  EXPECT_EQ(MSprNextQuad_Non(), 1);
  MSpr_SetQuad(q, nullptr, uv, nullptr);
  EXPECT_EQ(MSpr_TekV, 9997);
  MSpr_TekV = 0;
  MSpr_SetQuad(nullptr, nullptr, uv, nullptr);
  MSpr_SetQuad(q, nullptr, nullptr, nullptr);
  EXPECT_EQ(MSpr_TekV, 0);
}

TEST_F(SpriteTest, AppenderWritesTheCurrentSet) {
  float q[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, uv[8] = {0, 0, 1, 0, 1, 1, 0, 1};
  float uv2[8] = {9, 9, 9, 9, 9, 9, 9, 9}, c[16];
  MSpr_UV2[2] = vec2(-1, -1);
  MSpr_SetQuad(q, nullptr, uv, nullptr);  // white, second coordinates left alone
  EXPECT_EQ(MSpr_Vert[1].y, 5);
  EXPECT_EQ(MSpr_RGBA[3].x, 1);
  EXPECT_EQ(MSpr_RGBA[3].w, 1);
  EXPECT_EQ(MSpr_UV1[2].x, 1);
  EXPECT_EQ(MSpr_UV2[2].x, -1);
  MSpr_TekOdd = 0;
  MSpr_Tek2D = 1;
  MSpr_SetQuad(q, MSpr_qClr(c, 0.5f, 0.25f, 0.125f, 0.75f), uv, uv2);
  EXPECT_EQ(MSpr_TekV, 8);
  EXPECT_EQ(MSp2D2_Vert[5].x, 4);
  EXPECT_EQ(MSp2D2_Vert[5].y, 5);
  EXPECT_EQ(MSpr2_RGBA[6].w, 0.75f);
  EXPECT_EQ(MSpr2_UV2[7].y, 9);
  EXPECT_EQ(MSp2D_Vert[5].x, 0);  // the first set is untouched
}

TEST_F(SpriteTest, TextureCells) {
  float t[8];
  ASSERT_EQ(MSpr_qTC(t, 3, 4, 2, 4), t);
  EXPECT_FLOAT_EQ(t[0], 0.5f);
  EXPECT_FLOAT_EQ(t[1], 0.25f);
  EXPECT_FLOAT_EQ(t[4], 0.75f);
  EXPECT_FLOAT_EQ(t[5], 0.5f);
  MSpr_qTC(t, 2, 3, 1, 1);
  EXPECT_FLOAT_EQ(t[0], 0.3333f);
  EXPECT_FLOAT_EQ(t[2], 0.6666f);
  MSpr_qTC(t, 1, 1, 1, 1);
  EXPECT_EQ(t[2], 1);
  EXPECT_EQ(t[5], 1);
  MSpr_qTC(t, 1, 10, 1, 10);
  EXPECT_FLOAT_EQ(t[2], 0.1f);
  EXPECT_EQ(MSpr_qTC(t, 1, 0, 1, 1), nullptr);
  EXPECT_EQ(MSpr_qTC(nullptr, 1, 1, 1, 1), nullptr);
}

TEST_F(SpriteTest, BillboardBuilders) {
  float a[12], b[12];
  MSpr_qV(a, vec3(10, 20, 30), 2, 0);
  MSpr_qV(b, vec3(10, 20, 30), 2, 360);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(a[i], b[i]);
  // Corners at 225, 315, 45 and 135 degrees of the camera's plane (the ring
  // has two-degree steps: 224, 314, 44, 134).
  const int angles[4] = {225, 315, 45, 135};
  for (int k = 0; k < 4; ++k) {
    vec3 e = vec3(10, 20, 30) + RingAt(angles[k]) * 2;
    EXPECT_VEC_NEAR(Corner(a, k), e.x, e.y, e.z, 1e-5);
  }
  EXPECT_NEAR(Corner(a, 0).x, 10 - 2 * 0.7071f, 0.03);
  MSpr_qV(a, vec3(0, 0, 0), 1, 90);
  EXPECT_VEC_NEAR(Corner(a, 0), RingAt(315).x, RingAt(315).y, 0, 1e-6);
  MSpr_qVLow(a, vec3(0, 0, 0), 1, -44);  // lower corners at 181 and 359 (even steps: 180, 358)
  EXPECT_NEAR(Corner(a, 0).x, -1, 2e-3);
  EXPECT_NEAR(Corner(a, 1).x, 1, 2e-3);
  // Angles far outside one turn still land in the table.
  MSpr_qVRot(a, vec3(0, 0, 0), 1, 100000);
  MSpr_qVRot(a, vec3(0, 0, 0), 1, -100000);
  EXPECT_EQ(MSpr_qV(nullptr, vec3(0, 0, 0), 1, 0), nullptr);
}

TEST_F(SpriteTest, RibbonAndAxisBuilders) {
  float q[12];
  // Ground ribbons: the width runs across the longer direction.
  MSpr_qVRay2(q, vec3(0, 1, 0), vec3(10, 1, 2), 0.5f, 0);
  EXPECT_VEC_NEAR(Corner(q, 0), 0, 1, -0.5f, 1e-6);
  EXPECT_VEC_NEAR(Corner(q, 2), 10, 1, 2.5f, 1e-6);
  MSpr_qVRay2(q, vec3(0, 1, 0), vec3(2, 1, 10), 0.5f, 0);
  EXPECT_VEC_NEAR(Corner(q, 1), 0.5f, 1, 0, 1e-6);
  MSpr_qVRay2(q, vec3(0, 0, 0), vec3(4, 0, 0), 1, 1);
  EXPECT_VEC_NEAR(Corner(q, 0), 0, 1, 0, 1e-6);
  EXPECT_VEC_NEAR(Corner(q, 2), 4, -1, 0, 1e-6);
  // A camera ray of length 10 along 0 degrees (right), tapered at its end.
  MSpr_qVRay(q, vec3(0, 0, 0), 10, 1, 0, 2, 0.5f);
  EXPECT_VEC_NEAR(Corner(q, 0), 0, 1, 0, 2e-3);
  EXPECT_VEC_NEAR(Corner(q, 2), 10, -0.5f, 0, 2e-3);
  float untouched[12] = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
  MSpr_qVRay(untouched, vec3(0, 0, 0), 10, 1, 0, 5, 1);
  EXPECT_EQ(untouched[0], 7);
  MSpr_qVKust(q, vec3(5, 0, 5), 3, 2);  // ring[180] is -right
  EXPECT_VEC_NEAR(Corner(q, 0), 3, 0, 5, 2e-3);
  EXPECT_VEC_NEAR(Corner(q, 2), 7, 3, 5, 2e-3);
  MSpr_qVAxY(q, vec3(1, 2, 3), 0.5f, 0.25f);
  EXPECT_VEC_NEAR(Corner(q, 0), 0.5f, 2, 3.25f, 1e-6);
  MSpr_qVAxX(q, vec3(1, 2, 3), 0.5f, 0.25f);
  EXPECT_VEC_NEAR(Corner(q, 1), 1, 1.75f, 2.5f, 1e-6);
  MSpr_qVAxZ(q, vec3(1, 2, 3), 0.5f, 0.25f);
  EXPECT_VEC_NEAR(Corner(q, 2), 1.5f, 2.25f, 3, 1e-6);
  MSpr_qVAxYR(q, vec3(0, 0, 0), 2, 0, 10, 20);  // angles 200, -10, 10, 160
  EXPECT_VEC_NEAR(Corner(q, 1), 2 * Sprr1COS[350], 0, 2 * Sprr1SIN[350], 1e-6);
  EXPECT_NEAR(Corner(q, 1).x, 2 * std::cos(-10 * 3.14159265f / 180), 3e-3);
  MSpr_qVAxZR(q, vec3(0, 0, 0), 2, 90, 0, 0);
  EXPECT_VEC_NEAR(Corner(q, 1), 0, 2, 0, 1e-3);
  MSpr_qVAxXR(q, vec3(4, 0, 0), 2, 90, 0, 0);
  EXPECT_VEC_NEAR(Corner(q, 1), 4, 2, 0, 1e-3);
}

TEST_F(SpriteTest, ScreenBuilders) {
  float q[12];
  MSpr_q2DVS(q, 10, 20, 5, 5);  // whole numbers: a 4 x 4 rectangle
  EXPECT_VEC_NEAR(Corner(q, 0), 10, 20, 0, 0);
  EXPECT_VEC_NEAR(Corner(q, 2), 14, 24, 0, 0);
  MSpr_q2DVS(q, 10.0f, 20.0f, 5.0f);
  EXPECT_VEC_NEAR(Corner(q, 0), 5, 15, 0, 0);
  EXPECT_VEC_NEAR(Corner(q, 2), 15, 25, 0, 0);
  MSpr_q2DV(q, 0, 0, 10, 0);
  EXPECT_VEC_NEAR(Corner(q, 2), 7.0711f, 7.0711f, 0, 3e-3);
  MSpr_q2DVhf(q, 0, 0, 0.707f, 0);
  EXPECT_VEC_NEAR(Corner(q, 2), 0.7071f, 0.7071f, 0, 3e-3);
}

TEST_F(SpriteTest, OrientationFollowsTheCamera) {
  t_VPortKam cam;
  SetUpCamera(cam, vec3(10, 0, 0), vec3(0, 0, 0));  // looking along -x: right is -z
  glob_nowVPKam = &cam;
  Sprr1.UpdMatrix();
  Sprr1.UpdR360();
  EXPECT_VEC_NEAR(Sprr1.ring[0], 0, 0, -1, 2e-3);
  EXPECT_VEC_NEAR(Sprr1.ring[90], 0, 1, 0, 2e-3);
  // Two-degree steps: each odd entry repeats the even one below it.
  EXPECT_EQ(Sprr1.ring[91].y, Sprr1.ring[90].y);
  EXPECT_EQ(Sprr1.ring[359].z, Sprr1.ring[358].z);
  EXPECT_VEC_NEAR(Sprr1.ring[360], 0, 0, -1, 2e-3);
  glob_nowVPKam = nullptr;
  Sprr1.UpdMatrix();  // without a camera the axes stay
  EXPECT_VEC_NEAR(Sprr1.axis[0], 0, 0, 1, 1e-5);
}

TEST_F(SpriteTest, CameraFacingQuadsThroughTheSpriteQueue) {
  t_VPortKam cam;
  SetUpCamera(cam, vec3(50, 30, 80), vec3(0, 0, 0), 90);
  glob_nowVPKam = &cam;
  Sprr1.UpdMatrix();
  Sprr1.UpdR360();
  RenderOwnerEvent = [](Fgr4*, int code, void* a, void*, void*, void*) {
    if (code != 12 || MSprNextQuad_Non()) return;
    float q[12], c[16], uv[8];
    MSpr_SetQuad(MSpr_qV(q, vec3(0, 0, 0), 10, 0), MSpr_qClr(c, 0, 1, 0, 1), MSpr_qTC(uv, 1, 1, 1, 1), nullptr);
    (void)a;
  };
  uint8_t white[1][4] = {{255, 255, 255, 255}};
  MakeFlatGroup(0, 1, white);
  RenderM.quads[0].Add(reinterpret_cast<Fgr4*>(16), 1, 1, 0, 0, -1, 0);
  RenderM._Run(&cam);
  // The origin projects to the middle; the quad faces the camera, so it is as
  // wide as it is high on screen.
  int sx = 0, sy = 0;
  ASSERT_EQ(GetPointToEkran(vec3(0, 0, 0), sx, sy, &cam), 1);
  EXPECT_NEAR(sx, 200, 1);
  EXPECT_NEAR(sy, 200, 1);
  int left = sx, right = sx, down = sy, up = sy;
  while (ReadRgba(left - 1, sy).g > 128) --left;
  while (ReadRgba(right + 1, sy).g > 128) ++right;
  while (ReadRgba(sx, down - 1).g > 128) --down;
  while (ReadRgba(sx, up + 1).g > 128) ++up;
  EXPECT_GT(right - left, 20);
  EXPECT_NEAR(right - left, up - down, 2);
  EXPECT_NEAR(sx - left, right - sx, 2);
  gr_Pix_FreeAll();
}
