// Picking on real GL: objects drawn under their holder slots as selection
// names, the nearest hit, rectangle picks and their limits, the ground point
// under a pixel from the depth buffer (none where the view shows no ground),
// and projection to the window.
#include <cstring>
#include <vector>

#include "tests/render/scene_helpers.h"
#include "world/world.h"

namespace {

// A named square at depth z: slot, centre, half edge.
struct Named {
  int slot;
  float x, y, z, h;
};
std::vector<Named> scene;
int token;

void DrawScene(int) {
  for (const Named& n : scene) {
    glPushName(static_cast<GLuint>(n.slot));
    glBegin(GL_QUADS);
    glVertex3f(n.x - n.h, n.y - n.h, n.z);
    glVertex3f(n.x + n.h, n.y - n.h, n.z);
    glVertex3f(n.x + n.h, n.y + n.h, n.z);
    glVertex3f(n.x - n.h, n.y + n.h, n.z);
    glEnd();
    glPopName();
  }
}

// A ground plane y = 0 seen from above at a slant, its horizon inside the
// window; the camera keeps the matrices.
void DrawGround(t_VPortKam& view) {
  SetUpCamera(view, vec3(10, 60, 90), vec3(0, 0, 0), 60, 1, 400);
  glDisable(GL_CULL_FACE);
  glBegin(GL_QUADS);
  glVertex3f(-200, 0, -200);
  glVertex3f(200, 0, -200);
  glVertex3f(200, 0, 200);
  glVertex3f(-200, 0, 200);
  glEnd();
  glFinish();
}

class PickTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    FgrHld.Sbros();
    ASSERT_EQ(FgrHld.Init0(6000), 1);
    for (int i = 1; i < FgrHld.klv; ++i) FgrHld.fgrs[i].body = &token;
    scene.clear();
    OGL_SelectDraw = DrawScene;
    // Looking down -z from z = 100; one unit is two pixels at z = 0.
    cam.vpW = kTestW;
    cam.vpH = kTestH;
    cam.mode = 1;
    cam.orthoW = 200;
    cam.orthoH = 200;
    cam.znear = -200;
    cam.zfar = 200;
    cam.eye = vec3(0, 0, 0);
    cam.Set1();
    cam.Set2_ProjMode(1);
    cam.Set3_Kamera();
  }
  void TearDown() override {
    for (int i = 0; i < FgrHld.klv; ++i) FgrHld.fgrs[i].body = nullptr;
    FgrHld.Sbros();
    OGL_SelectDraw = [](int mode) { FgrHld.DrawForSel(mode); };
  }
  static Fgr4* Slot(int i) { return &FgrHld.fgrs[i]; }
  t_VPortKam cam;
};

}  // namespace

TEST_F(PickTest, NearerOfTwoNamedObjectsWins) {
  scene = {{5, 0, 0, 0, 20}, {9, 0, 0, 30, 20}};
  EXPECT_EQ(OGL_SelectOneObj(0, 200, 200, &cam, 3, 3), Slot(9));
  scene = {{5, 0, 0, 30, 20}, {9, 0, 0, 0, 20}};
  EXPECT_EQ(OGL_SelectOneObj(0, 200, 200, &cam, 3, 3), Slot(5));
  // Nothing under the pixel: none. A slot without an object: none.
  EXPECT_EQ(OGL_SelectOneObj(0, 20, 20, &cam, 3, 3), nullptr);
  FgrHld.fgrs[5].body = nullptr;
  scene = {{5, 0, 0, 30, 20}};
  EXPECT_EQ(OGL_SelectOneObj(0, 200, 200, &cam, 3, 3), nullptr);
  EXPECT_EQ(OGL_SelectOneObj(0, 200, 200, nullptr, 3, 3), nullptr);
}

TEST_F(PickTest, OnePixelPicksAreWidenedToThree) {
  // A square whose right edge lies one pixel left of the pick point.
  scene = {{7, -10, 0, 0, 9.5f}};  // x from -19.5 to -0.5 units: pixels up to 199
  EXPECT_EQ(OGL_SelectOneObj(0, 200, 200, &cam, 1, 1), Slot(7));
  EXPECT_EQ(OGL_SelectOneObj(0, 203, 200, &cam, 1, 1), nullptr);
  EXPECT_EQ(OGL_SelectMassObj(0, 200, 200, &cam, 0, 0), 1);
  EXPECT_EQ(OGL_SelectMassObj_m[0], Slot(7));
}

TEST_F(PickTest, RectanglePickKeepsTheFirst706HitsInOrder) {
  for (int i = 0; i < 900; ++i) scene.push_back({100 + i, -90.0f + (i % 30) * 6, -90.0f + (i / 30) * 6, 0, 1});
  int n = OGL_SelectMassObj(0, 200, 200, &cam, 400, 400);
  ASSERT_EQ(n, 706);
  for (int k = 0; k < n; ++k) ASSERT_EQ(OGL_SelectMassObj_m[k], Slot(100 + k)) << k;
  // The camera keeps the matrices of its last set-up.
  double mv[16], pr[16];
  std::memcpy(mv, cam.modelview, sizeof mv);
  std::memcpy(pr, cam.projection, sizeof pr);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  EXPECT_EQ(std::memcmp(pr, cam.projection, sizeof pr), 0);
  EXPECT_EQ(std::memcmp(mv, cam.modelview, sizeof mv), 0);
}

TEST_F(PickTest, OverflowingTheSelectionBufferSelectsNothing) {
  // 5000 hits of four words each do not fit 18,000 words.
  for (int i = 0; i < 5000; ++i) scene.push_back({1 + i, 0, 0, 0, 50});
  EXPECT_EQ(OGL_SelectMassObj(0, 200, 200, &cam, 9, 9), 0);
  EXPECT_EQ(OGL_SelectOneObj(0, 200, 200, &cam, 9, 9), nullptr);
  scene.resize(4000);
  EXPECT_EQ(OGL_SelectMassObj(0, 200, 200, &cam, 9, 9), 706);
}

TEST_F(PickTest, GroundPointUnderThePixel) {
  t_VPortKam view;
  DrawGround(view);
  for (int y = 20; y < 300; y += 40)
    for (int x = 20; x < 400; x += 60) {
      vec3 p;
      ASSERT_EQ(GetPointUnderKurs(p, x, y, &view), 1);
      EXPECT_NEAR(p.y, 0, 0.05) << x << "," << y;
      int sx = 0, sy = 0;
      ASSERT_EQ(GetPointToEkran(p, sx, sy, &view), 1);
      EXPECT_NEAR(sx, x, 1);
      EXPECT_NEAR(sy, y, 1);
    }
  vec3 origin;
  ASSERT_EQ(GetPointUnderKurs(origin, 200, 200, &view), 1);
  EXPECT_NEAR(origin.x, 0, 0.5);  // within the pixel the origin falls in
  EXPECT_NEAR(origin.z, 0, 0.5);
  EXPECT_GT(GetPointUnderKurs_testWnZ, 0);
  EXPECT_LT(GetPointUnderKurs_testWnZ, 1);
  int sx = 1, sy = 1;
  EXPECT_EQ(GetPointToEkran(vec3(0, 0, 0), sx, sy, nullptr), 0);
  EXPECT_EQ(sx, 9990);
  vec3 none;
  EXPECT_EQ(GetPointUnderKurs(none, 1, 1, nullptr), 0);
}

TEST_F(PickTest, NoGroundWhereTheViewShowsNone) {
  // Nothing is drawn above the horizon: the depth stays at the far plane
  // there, as under the sky.
  t_VPortKam view;
  DrawGround(view);
  const struct {
    const char* name;
    int x, y, vpX;  // the pixel, and where the camera's viewport starts
    int found;
  } cases[] = {
      {"ground", 200, 200, 0, 1},
      {"background at the far plane", 200, kTestH - 2, 0, 0},
      {"ground left of the viewport", 20, 200, 100, 0},
      {"beyond the window", kTestW + 50, 200, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    view.vpX = c.vpX;
    view.vpW = kTestW - c.vpX;
    const vec3 before(-7, -8, -9);
    vec3 p = before;
    EXPECT_EQ(GetPointUnderKurs(p, c.x, c.y, &view), c.found);
    if (c.found) {
      EXPECT_NEAR(p.y, 0, 0.05);
    } else {
      EXPECT_EQ(p.x, before.x);
      EXPECT_EQ(p.y, before.y);
      EXPECT_EQ(p.z, before.z);
    }
  }
  // The depth read at the far plane is still recorded.
  vec3 p;
  EXPECT_EQ(GetPointUnderKurs(p, 200, kTestH - 2, &view), 0);
  EXPECT_EQ(GetPointUnderKurs_testWnZ, 1.0f);
}
