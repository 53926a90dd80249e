// Lights: the per-frame lists and their limits, the lights around an object,
// the GL lights they become (read back and seen on real pixels), the editor
// override and the stored light's record.
#include <cstdio>

#include "tests/render/render_fixture.h"
#include "tests/render/scratch_dir.h"

namespace {

class LightTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    NowIn_masSvetik = 0;
    NowIn_masLandSvetik = 0;
    Glob_KamOptimBoxP = vec3(0, 0, 0);
    Glob_KamOptimBoxG = vec3(1000, 1000, 1000);
    SveKvad_InitFromCoeff();
    SveKvad_boxP = vec3(0, 0, 0);
    *o2::AktivIPPI = 4;
    *o2::Edit_SvetForce = 2;
    const float black[4] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
  }
  void TearDown() override {
    Svet::priv_GLDisLightX(100);
    Svet::ProcCase(0);
  }
  static bool LightOn(int i) { return glIsEnabled(GL_LIGHT0 + i) == GL_TRUE; }
};

}  // namespace

TEST_F(LightTest, SceneLightListLimits) {
  for (int i = 1; i <= 300; ++i) ASSERT_NE(GetSvetikPro(0, vec3(0, 0, 0), 50), nullptr) << i;
  EXPECT_EQ(GetSvetikPro(0, vec3(0, 0, 0), 50), nullptr);
  EXPECT_EQ(NowIn_masSvetik, 300);
  NowIn_masSvetik = 0;
  EXPECT_EQ(GetSvetikPro(0, vec3(0, 0, 0), 4), nullptr);
  t_Svet* dir = GetSvetikPro(1, vec3(0, -1, 0), 0);
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(dir->range, 0);
  EXPECT_EQ(dir->position.w, 0);
  t_Svet* big = GetSvetikPro(0, vec3(10, 20, 30), 9000);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->range, 5000);
  EXPECT_EQ(big->position.w, 1);
  EXPECT_EQ(big->position.y, 20);
  EXPECT_EQ(big->cutoff, 180);
  EXPECT_EQ(big->diffuse.x, 0);
  EXPECT_EQ(big->diffuse.w, 1);
  // A point light whose cube misses the camera box is refused; a directional
  // one is not tested against it.
  EXPECT_EQ(GetSvetikPro(0, vec3(3000, 0, 0), 50), nullptr);
  EXPECT_NE(GetSvetikPro(2, vec3(3000, 0, 0), 50), nullptr);
  Add_SvetBallPos(vec3(1, 2, 3), 40, 0.5f, 0.25f, 0.125f, 1, 1, 1);
  EXPECT_FLOAT_EQ(masSvetik[NowIn_masSvetik].diffuse.y, 0.25f);
  EXPECT_FLOAT_EQ(masSvetik[NowIn_masSvetik].specular.z, 1);
  EXPECT_FLOAT_EQ(masSvetik[NowIn_masSvetik].ambient.x, 0);
}

TEST_F(LightTest, GroundLightListLimits) {
  Add_LandSvetikPro(vec3(0, 0, 0), 0, 4, 1, 1, 1, 1);
  Add_LandSvetikPro(vec3(0, 0, 0), -5, 4, 1, 1, 1, 1);
  EXPECT_EQ(NowIn_masLandSvetik, 0);
  Add_LandSvetikPro(vec3(10, 0, -10), 900, 4, 0.5f, 0.25f, 1, 0.75f);
  ASSERT_EQ(NowIn_masLandSvetik, 1);
  EXPECT_EQ(masLandSvetik[1].range, 400);
  EXPECT_EQ(masLandSvetik[1].kind, 4);
  EXPECT_FLOAT_EQ(masLandSvetik[1].colour.w, 0.75f);
  // Outside the ground light square (half edge 250 plus the radius).
  Add_LandSvetikPro(vec3(300, 0, 0), 40, 4, 1, 1, 1, 1);
  EXPECT_EQ(NowIn_masLandSvetik, 1);
  Add_LandSvetikPro(vec3(280, 0, 0), 40, 4, 1, 1, 1, 1);
  EXPECT_EQ(NowIn_masLandSvetik, 2);
  for (int i = 0; i < 400; ++i) Add_LandSvetikPro(vec3(0, 0, 0), 10, 4, 1, 1, 1, 1);
  EXPECT_EQ(NowIn_masLandSvetik, 300);
}

TEST_F(LightTest, FillTakesTheFirstEightLightsThatReachTheBox) {
  t_Svet* near = GetSvetikPro(0, vec3(8, 0, 0), 10);       // reaches the unit box
  t_Svet* far = GetSvetikPro(0, vec3(50, 0, 0), 10);       // does not
  t_Svet* sun = GetSvetikPro(1, vec3(0, 1, 0), 0);         // directional
  ASSERT_TRUE(near && far && sun);
  t_SveOkruj o;
  EXPECT_EQ(o.mode, -1);
  o.centre = vec3(0, 0, 0);
  o.Fill(vec3(1, 1, 1), 0);
  EXPECT_EQ(o.lights[0], near);
  EXPECT_EQ(o.lights[1], nullptr);
  t_SveOkruj withSun;
  withSun.centre = vec3(0, 0, 0);
  withSun.Fill(vec3(1, 1, 1), 1);
  EXPECT_EQ(withSun.lights[0], near);
  EXPECT_EQ(withSun.lights[1], sun);
  // Fill appends, and stops at eight.
  for (int i = 0; i < 10; ++i) GetSvetikPro(0, vec3(0, 0, 0), 10);
  withSun.Fill(vec3(1, 1, 1), 1);
  for (int i = 0; i < 8; ++i) EXPECT_NE(withSun.lights[i], nullptr) << i;
  EXPECT_EQ(withSun.lights[2], near);
  // A box outside the camera box gathers nothing.
  t_SveOkruj away;
  away.centre = vec3(5000, 0, 0);
  away.Fill(vec3(1, 1, 1), 1);
  EXPECT_EQ(away.lights[0], nullptr);
}

TEST_F(LightTest, LitFaceIsBrighterThanTheFaceAwayFromTheLight) {
  t_Svet* s = GetSvetikPro(0, vec3(0, 0, 60), 10);
  ASSERT_NE(s, nullptr);
  s->range = 0;  // no attenuation
  s->diffuse = vec4(1, 1, 1, 1);
  t_SveOkruj o;
  o.mode = 1;
  o.centre = vec3(0, 0, 0);
  o.lights[0] = s;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-100, 100, -100, 100, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_CULL_FACE);
  ColorMat(255, 200, 200, 200);
  SvetStdForFgr(&o);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(LightOn(0));
  EXPECT_FALSE(LightOn(1));
  for (float side : {-1.0f, 1.0f}) {
    float x0 = side < 0 ? -60 : 10, x1 = side < 0 ? -10 : 60;
    glBegin(GL_QUADS);
    glNormal3f(0, 0, side < 0 ? 1.0f : -1.0f);  // left faces the light, right faces away
    glVertex3f(x0, -20, 0);
    glVertex3f(x1, -20, 0);
    glVertex3f(x1, 20, 0);
    glVertex3f(x0, 20, 0);
    glEnd();
  }
  Rgba lit = ReadRgba(200 - 70, 200), dark = ReadRgba(200 + 70, 200);
  EXPECT_GT(lit.r, 150);
  EXPECT_LT(dark.r, 10);
  // The same object without gathered lights is drawn unlit.
  o.mode = -1;
  SvetStdForFgr(&o);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(LightOn(0));
}

TEST_F(LightTest, GLLightFromTheRecord) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  t_Svet* s = GetSvetikPro(0, vec3(10, 20, 30), 100);
  ASSERT_NE(s, nullptr);
  s->diffuse = vec4(0.5f, 0.25f, 1, 1);
  s->cutoff = 120;
  t_SveOkruj o;
  o.centre = vec3(4, 5, 6);
  o.lights[0] = s;
  o.Use(1);
  EXPECT_EQ(s->cutoff, 180);
  EXPECT_TRUE(LightOn(0));
  float p[4], d[4], k[3];
  glGetLightfv(GL_LIGHT0, GL_POSITION, p);
  EXPECT_FLOAT_EQ(p[0], 6);  // relative to the object's centre
  EXPECT_FLOAT_EQ(p[1], 15);
  EXPECT_FLOAT_EQ(p[2], 24);
  EXPECT_FLOAT_EQ(p[3], 1);
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, d);
  EXPECT_FLOAT_EQ(d[1], 0.25f);
  glGetLightfv(GL_LIGHT0, GL_CONSTANT_ATTENUATION, &k[0]);
  glGetLightfv(GL_LIGHT0, GL_LINEAR_ATTENUATION, &k[1]);
  glGetLightfv(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, &k[2]);
  EXPECT_FLOAT_EQ(k[0], 0);
  EXPECT_FLOAT_EQ(k[1], 0.1f);
  EXPECT_FLOAT_EQ(k[2], 0);
  // A directional light keeps its own direction; a negative cutoff leaves
  // its GL light untouched; with nothing set the fallback lights nothing.
  t_Svet* sun = GetSvetikPro(1, vec3(0, 1, 0), 0);
  t_Svet* bad = GetSvetikPro(1, vec3(0, 1, 0), 0);
  bad->cutoff = -1;
  Svet::priv_GLDisLightX(100);
  t_SveOkruj two;
  two.centre = vec3(100, 100, 100);
  two.lights[0] = sun;
  two.lights[1] = bad;
  two.Use(1);
  glGetLightfv(GL_LIGHT0, GL_POSITION, p);
  EXPECT_FLOAT_EQ(p[1], 1);
  EXPECT_FLOAT_EQ(p[3], 0);
  glGetLightfv(GL_LIGHT0, GL_CONSTANT_ATTENUATION, &k[0]);
  EXPECT_FLOAT_EQ(k[0], 1);  // range 0: no attenuation
  EXPECT_FALSE(LightOn(1));
  glDisable(GL_LIGHTING);
  t_SveOkruj none;
  none.Use(1);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(LightOn(0));
}

TEST_F(LightTest, EditorOverridesTheLightsOfObjects) {
  t_Svet* s = GetSvetikPro(0, vec3(0, 0, 0), 10);
  t_SveOkruj o;
  o.mode = 1;
  o.lights[0] = s;
  *o2::AktivIPPI = 5;
  *o2::Edit_SvetForce = 1;
  SvetStdForFgr(&o);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(LightOn(i));
  *o2::Edit_SvetForce = 0;
  SvetStdForFgr(&o);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  *o2::Edit_SvetForce = 2;
  SvetStdForFgr(&o);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(LightOn(0));
  SvetStdForFgr(nullptr);
  EXPECT_TRUE(LightOn(0));
  Svet::ProcCase(1);
  EXPECT_FALSE(LightOn(0));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  Svet::ProcCase(5);
  Svet::ProcCase(-1);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(LightTest, StoredLightRecordAndGLLight) {
  ScratchDir d;
  t_SvetOGL a;
  EXPECT_EQ(a.range, -1);
  EXPECT_EQ(a.cutoff, 180);
  EXPECT_EQ(a.position.w, 1);
  a.range = 250;
  a.position = vec4(1, 2, 3, 1);
  a.ambient = vec4(0.1f, 0.2f, 0.3f, 1);
  a.diffuse = vec4(0.9f, 0.8f, 0.7f, 1);
  a.specular = vec4(0.5f, 0.5f, 0.5f, 1);
  a.spotDir = vec4(0, -1, 0, 0);
  a.cutoff = 45;
  a.exponent = 3;
  FILE* f = std::fopen("light.bin", "wb");
  EXPECT_EQ(a.AddToFile(f), 1);
  std::fclose(f);
  EXPECT_EQ(ReadAll("light.bin").size(), 92u);
  t_SvetOGL b;
  f = std::fopen("light.bin", "rb");
  EXPECT_EQ(b.FromFile(f), 1);
  std::fclose(f);
  EXPECT_EQ(b.range, 250);
  EXPECT_FLOAT_EQ(b.diffuse.y, 0.8f);
  EXPECT_FLOAT_EQ(b.spotDir.y, -1);
  EXPECT_FLOAT_EQ(b.cutoff, 45);
  EXPECT_FLOAT_EQ(b.exponent, 3);
  EXPECT_EQ(b.AddToFile(nullptr), 0);
  EXPECT_EQ(b.FromFile(nullptr), 0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  SvetToOGL(3, &b);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(LightOn(3));
  float p[4], k;
  glGetLightfv(GL_LIGHT3, GL_POSITION, p);
  EXPECT_FLOAT_EQ(p[2], 3);
  glGetLightfv(GL_LIGHT3, GL_LINEAR_ATTENUATION, &k);
  EXPECT_FLOAT_EQ(k, 10.0f / 250);
  b.Sbros();
  SvetToOGL(4, &b);  // range -1: not set
  EXPECT_FALSE(LightOn(4));
  SvetToOGL(9, &a);
  SvetToOGL(2, nullptr);
  EXPECT_FALSE(LightOn(2));
}
