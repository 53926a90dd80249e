// Geometry builders, overlap tests, the frustum, viewport cameras, the draw
// helpers and GL set-up.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <algorithm>

#include "tests/common/data_copy.h"
#include "tests/render/render_fixture.h"

TEST(Geometry, CirclesStepByWholeDegrees) {
  Sprr1FillCosSin();
  vec3 c[8];
  Crt_CircleGoriz(c, 8, 1.0f, 1);
  EXPECT_FLOAT_EQ(c[0].x, 0);
  EXPECT_FLOAT_EQ(c[0].z, 1);
  EXPECT_FLOAT_EQ(c[1].x, Sprr1SIN[45]);
  EXPECT_FLOAT_EQ(c[1].z, Sprr1COS[45]);
  Crt_CircleGoriz(c, 8, 1.0f, 0);  // the other way round
  EXPECT_FLOAT_EQ(c[1].x, Sprr1SIN[315]);
  vec3 seven[7];
  Crt_CircleGoriz(seven, 7, 2.0f, 1);  // 51 degrees a step: the last gap is 54
  EXPECT_FLOAT_EQ(seven[6].x, Sprr1SIN[306] * 2);
  vec3 untouched[2] = {vec3(5), vec3(5)};
  Crt_CircleGoriz(untouched, 2, 1, 1);
  EXPECT_FLOAT_EQ(untouched[0].x, 5);
  vec3 at[4];
  Crt_CircleVertiUgPos(at, 1000, vec3(1, 2, 3), 4, 1, 1);  // any start angle stays inside the tables
  EXPECT_FLOAT_EQ(at[0].x, 1);
}

TEST(Geometry, OverlapTestsIncludeTouchingOnlyWhereSaid) {
  EXPECT_TRUE(Kubs_XZ_Pere(0, 0, 10, 0, 10));
  EXPECT_FALSE(Kubs_XZ_Pere(0, 0, 10.001f, 0, 10));
  EXPECT_FALSE(Kub_PereBox(vec3(0, 0, 0), 1, vec3(2, 0, 0), vec3(1, 1, 1)));  // touching
  EXPECT_TRUE(Kub_PereBox(vec3(0, 0, 0), 1, vec3(1.99f, 0, 0), vec3(1, 1, 1)));
  EXPECT_TRUE(Box_PereBox(vec3(0), vec3(1), vec3(1.5f, 0, 0), vec3(1), 0.001f));
  EXPECT_FALSE(Box_PereBox(vec3(0), vec3(1), vec3(0, 3, 0), vec3(1), 0.001f));
  EXPECT_TRUE(SferCollisionV(vec3(0), vec3(1, 1, 0), 1, 1));
  EXPECT_FALSE(SferCollisionV(vec3(0), vec3(1.5f, 1.5f, 0), 1, 1));
}

TEST(Geometry, VectorHelpers) {
  EXPECT_FLOAT_EQ(AngleMej2V(vec3(1, 0, 0), vec3(0, 0, 0)), 0);
  EXPECT_NEAR(AngleMej2V(vec3(1, 0, 0), vec3(0, 1, 0)), 90, 1e-3);
  EXPECT_FLOAT_EQ(Magnitude(vec3(3, 4, 0)), 5);
}

TEST(Geometry, SegmentTriangleIntersection) {
  vec3 t0(0, 0, 0), t1(10, 0, 0), t2(0, 0, 10), hit(-1);
  ASSERT_EQ(_TriugLinePere_V(t0, t1, t2, vec3(2, 5, 3), vec3(2, -5, 3), &hit), 1);
  EXPECT_NEAR(hit.x, 2, 1e-4);
  EXPECT_NEAR(hit.y, 0, 1e-4);
  EXPECT_NEAR(hit.z, 3, 1e-4);
  hit = vec3(-1);
  EXPECT_EQ(_TriugLinePere_V(t0, t1, t2, vec3(2, 0, 3), vec3(4, 0, 3), &hit), 0);   // in the plane
  EXPECT_EQ(_TriugLinePere_V(t0, t1, t2, vec3(2, 5, 3), vec3(2, 0, 3), &hit), 0);   // ends on it
  EXPECT_EQ(_TriugLinePere_V(t0, t1, t2, vec3(9, 5, 9), vec3(9, -5, 9), &hit), 0);  // beside it
  EXPECT_FLOAT_EQ(hit.x, -1);
}

TEST(Geometry, VectorsTravelThroughFilesBitForBit) {
  std::string path = "/tmp/velmar_vec_" + std::to_string(getpid());
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  vec3 v(-0.0f, 1.0e-40f, 123456.789f);
  EXPECT_EQ(VecToFile(v, f), 4);
  std::fclose(f);
  f = std::fopen(path.c_str(), "rb");
  vec3 back(7);
  VecFrFile(back, f);
  std::fclose(f);
  std::remove(path.c_str());
  EXPECT_EQ(std::memcmp(&v, &back, sizeof v), 0);
  VecFrFile(back, nullptr);
  EXPECT_EQ(VecToFile(v, nullptr), 0);
}

TEST(Geometry, StripsStayInsideTheirCount) {
  vec3 out[8];
  for (vec3& p : out) p = vec3(777);
  Main_Done = 0;
  Crt_StripDuga(out, 7, 2, 1, 1, 0.5f, 1);  // odd: the program is told to stop
  EXPECT_EQ(Main_Done, 1);
  Main_Done = 0;
  EXPECT_FLOAT_EQ(out[7].x, 777);
  Crt_StripDuga(out, 8, 2, 1, 1, 0.5f, 0);
  EXPECT_FLOAT_EQ(out[0].x, -3);  // four columns centred on x = 0
  EXPECT_FLOAT_EQ(out[6].x, 3);
  EXPECT_FLOAT_EQ(out[0].y - out[1].y, 1);
  vec2 uv[4];
  Crt_StripGorizUV2(uv, 4, 0.5f, 2);
  EXPECT_FLOAT_EQ(uv[2].x, 0.5f);
  EXPECT_FLOAT_EQ(uv[2].y, 2);
  EXPECT_FLOAT_EQ(uv[3].y, 0);
}

TEST(Geometry, FlatHeightMapLightsEveryTexelEvenly) {
  const int size = 16;
  uint8_t h[size * size];
  std::memset(h, 40, sizeof h);
  int8_t* n = computeNormals(h, size);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n[(5 * size + 5) * 3 + 1], 127);
  EXPECT_EQ(n[(5 * size + 5) * 3 + 0], 0);
  vec3 dir = normalize(vec3(1, 2, 0.5f));
  uint8_t* lm = pByteGenLMap(n, h, dir, size, 0.1f);
  ASSERT_NE(lm, nullptr);
  float want = std::min(1.0f, 0.1f + (dir.y + 1) * 0.5f);
  EXPECT_EQ(lm[5 * size + 5], static_cast<int>(want * 255));
  delete[] n;
  delete[] lm;
}

TEST(Frustum, PlanesOfTheUnitCube) {
  fru0::CFrustum f;
  const float id[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  EXPECT_EQ(f.Gbr_InFrustum(vec3(-1), vec3(1)), 0);  // before any update: six zero planes
  f.FromMatrices(id, id);
  EXPECT_EQ(f.PointInFrustum(0, 0, 0), 1);
  EXPECT_EQ(f.PointInFrustum(1, 0, 0), 0);  // on a plane is outside
  EXPECT_EQ(f.Gbr_InFrustum(vec3(1, -0.5f, -0.5f), vec3(1, 0.5f, 0.5f)), 0);
  EXPECT_EQ(f.Gbr_InFrustum(vec3(0.9f, -0.5f, -0.5f), vec3(3, 0.5f, 0.5f)), 1);  // straddling
  EXPECT_EQ(f.CubeInFrustum(5, 0, 0, 1), 0);
  // A ball inside is one clear of every plane, its margin included.
  EXPECT_EQ(f.BallInside(vec3(0, 0, 0), 0.9f), 1);
  EXPECT_EQ(f.BallInside(vec3(0.5f, 0, 0), 0.45f), 1);
  EXPECT_EQ(f.BallInside(vec3(0.5f, 0, 0), 0.495f), 0);  // within the margin of a plane
  EXPECT_EQ(f.BallInside(vec3(0, 0, 0.95f), 0.1f), 0);  // straddling the far plane
  float a[3] = {0, 0, 0}, b[3] = {0.5f, 0, 0}, c[3] = {5, 0, 0}, d[3] = {5, 5, 0};
  EXPECT_EQ(f.LineInFrustum(a, b), 0);  // both inside
  EXPECT_EQ(f.LineInFrustum(a, c), 1);
  EXPECT_EQ(f.LineInFrustum(c, d), 1);  // crosses a plane outside the frustum
}

class CameraTest : public RenderTest {};

TEST_F(CameraTest, StoredMatricesAreGlsAndCullingFollowsThem) {
  t_VPortKam cam;
  cam.vpX = 10, cam.vpY = 20, cam.vpW = 300, cam.vpH = 0;
  cam.fov = 50, cam.aspect = 1.5, cam.znear = 2, cam.zfar = 300;
  cam.eye = vec3(10, 20, 30);
  cam.target = vec3(0, 0, 0);
  cam.Set1();
  EXPECT_EQ(cam.vpH, 1);
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[3], 1);
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  double mv[16], pr[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(cam.modelview[i], mv[i]);
    EXPECT_EQ(cam.projection[i], pr[i]);
  }
  double f = 1.0 / std::tan(25.0 * M_PI / 180.0);
  EXPECT_NEAR(pr[0], f / 1.5, 1e-6);
  EXPECT_NEAR(pr[5], f, 1e-6);
  EXPECT_NEAR(pr[10], (300.0 + 2) / (2 - 300.0), 1e-6);
  EXPECT_NEAR(pr[14], 2 * 300.0 * 2 / (2 - 300.0), 1e-5);
  // The frustum of the same matrices agrees with the clip-space test.
  Fru1.Update();
  for (int i = 0; i < 200; ++i) {
    float x = static_cast<float>((i * 37) % 101 - 50), y = static_cast<float>((i * 53) % 97 - 48),
          z = static_cast<float>((i * 71) % 89 - 44);
    double clip[4] = {0, 0, 0, 0}, eyeP[4] = {0, 0, 0, 0}, p[4] = {x, y, z, 1};
    for (int r = 0; r < 4; ++r)
      for (int k = 0; k < 4; ++k) eyeP[r] += mv[k * 4 + r] * p[k];
    for (int r = 0; r < 4; ++r)
      for (int k = 0; k < 4; ++k) clip[r] += pr[k * 4 + r] * eyeP[k];
    bool inside = std::fabs(clip[0]) < clip[3] && std::fabs(clip[1]) < clip[3] && std::fabs(clip[2]) < clip[3];
    bool nearEdge = std::fabs(std::fabs(clip[0]) - clip[3]) < 1e-3 || std::fabs(std::fabs(clip[1]) - clip[3]) < 1e-3;
    if (nearEdge) continue;
    EXPECT_EQ(Fru1.PointInFrustum(x, y, z), inside ? 1 : 0) << x << " " << y << " " << z;
  }
}

TEST_F(CameraTest, NegativeNearPlaneOfAPerspectiveCameraIsMadePositive) {
  t_VPortKam cam;  // constructed with near -256
  EXPECT_EQ(cam.znear, -256.0);
  cam.Set1();
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  EXPECT_GT(cam.znear, 0.0);
  for (double v : cam.projection) EXPECT_TRUE(std::isfinite(v));
  EXPECT_LT(cam.projection[10], 0.0);  // depth grows away from the eye
}

TEST_F(CameraTest, OrthographicModesTurnAndMoveTheView) {
  t_VPortKam cam;
  cam.mode = 5;
  cam.orthoW = 200, cam.orthoH = 100;
  cam.eye = vec3(7, 99, 3);
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(-7, 3, 0);
  glRotatef(-90, 1, 0, 0);
  double want[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, want);
  for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(cam.modelview[i], want[i]);
  EXPECT_NEAR(cam.projection[0], 2.0 / 200, 1e-9);
  EXPECT_NEAR(cam.projection[5], 2.0 / 100, 1e-9);
  EXPECT_EQ(cam.znear, -256.0);  // an orthographic camera keeps its near plane
  cam.mode = 7;  // orthographic without a turn
  cam.Set3_Kamera();
  EXPECT_DOUBLE_EQ(cam.modelview[12], -7);
  EXPECT_DOUBLE_EQ(cam.modelview[13], 3);
  EXPECT_DOUBLE_EQ(cam.modelview[0], 1);
}

TEST_F(CameraTest, TwoDHelpersDrawOnlyInTheTwoDState) {
  glDisable(GL_DEPTH_TEST);
  glColor4f(1, 1, 1, 1);
  PixelProjection();
  d2::Q(10, 10, 20, 20);
  EXPECT_NEAR_RGB(ReadRgba(20, 20), 0, 0, 0, 0);
  d2::L(0, 50, 100, 50);
  EXPECT_EQ(std::max(ReadRgba(50, 50).g, ReadRgba(50, 49).g), 255);  // a line on a pixel edge takes one row
  ASSERT_EQ(Begin2D(0, kTestW, 0, kTestH), 1);
  d2::Q(10, 10, 20, 20);
  d2::QFan4c(100, 100, 1.5f, 40, 1, 0);  // half width below one pixel: nothing
  d2::Qx(200, 200, 20, 20, 1, 0);
  End2D();
  EXPECT_NEAR_RGB(ReadRgba(20, 20), 255, 255, 255, 0);
  EXPECT_NEAR_RGB(ReadRgba(100, 100), 0, 0, 0, 0);
  EXPECT_NEAR_RGB(ReadRgba(200, 200), 255, 255, 255, 0);
}

TEST_F(CameraTest, ViewportStackHoldsTwentyEntries) {
  glViewport(1, 2, 3, 4);
  for (int i = 0; i < 20; ++i) {
    glViewport(i, i, 10 + i, 10 + i);
    OGL::VPortPush_SetFullScr();
  }
  EXPECT_EQ(glob_vpLvl, 20);
  glViewport(5, 5, 5, 5);
  OGL::VPortPush_SetFullScr();  // full: nothing happens
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[0], 5);
  OGL::VPortPop();
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[0], 19);
  while (glob_vpLvl > 0) OGL::VPortPop();
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[2], 10);
  OGL::VPortPop();  // empty: nothing happens
  OGL::VPortPush_SetFullScr();
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[2], kTestW);
  OGL::VPortPop();
}

TEST_F(CameraTest, LightSwitchesAndBoxFaces) {
  for (int i = 0; i < 8; ++i) glEnable(GL_LIGHT0 + i);
  OGL::GLDisLitX(50);
  EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
  OGL::GLDisLitX(3);
  EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
  OGL::GLDisLitX(100);
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i));
  // Every face of a box is wound counter-clockwise from outside: with back
  // faces culled it shows from both sides.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kTestW, 0, kTestH, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4f(0, 1, 0, 1);
  d3::Kub(100, 100, 0, 20, 20, 20);
  glRotatef(180, 0, 1, 0);
  d3::Kub(-300, 100, 0, 20);
  EXPECT_NEAR_RGB(ReadRgba(100, 100), 0, 255, 0, 0);
  EXPECT_NEAR_RGB(ReadRgba(300, 100), 0, 255, 0, 0);
}

class GlSetUpTest : public RenderTest {};

TEST_F(GlSetUpTest, InitGlLoadsTheGeneralPicturesOnce) {
  DataCopy data;  // the default data set's lists, in a folder of the test's own
  ASSERT_TRUE(data.Copied());
  std::snprintf(general_ris_list0, sizeof general_ris_list0, "%s", "base/ris_list0.txt");
  std::snprintf(wfont_list0, sizeof wfont_list0, "%s", "base/wfont_list0.txt");
  std::snprintf(proektor_list0, sizeof proektor_list0, "%s", "base/proektor_list0.txt");
  *o2::FirstTimeGL = 1;
  Glob_LoadingFail_KillWindow = 0;
  EXPECT_EQ(InitGL(), 1);
  EXPECT_EQ(*o2::FirstTimeGL, 0);
  EXPECT_EQ(*o2::PixelBufE, 2);
  EXPECT_EQ(*o2::FrustumE, 1);
  EXPECT_GE(*o2::GL_MaxLamps, 8);
  ASSERT_NE(gr_Pix[0], nullptr);
  // As many pictures as the general list holds.
  std::ifstream in("base/ris_list0.txt", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  t_RisList list;
  ASSERT_EQ(RisList_Parse(text, list), RisList_Ok);
  ASSERT_GE(list.count, 24);
  EXPECT_EQ(gr_Pix_Last[0], list.count - 1);
  for (int i = 0; i < list.count; ++i) EXPECT_NE(gr_Pix[0][i].texture, 0u) << i;
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  // A second call leaves the pixel-buffer method and the extension settings alone.
  *o2::PixelBufE = 7;
  *o2::MultiTexUnits = 3;
  EXPECT_EQ(InitGL(), 1);
  EXPECT_EQ(*o2::PixelBufE, 7);
  EXPECT_EQ(*o2::MultiTexUnits, 3);
  // A list that cannot be read stops start-up for good.
  std::snprintf(general_ris_list0, sizeof general_ris_list0, "%s", "base/no_such_list.txt");
  EXPECT_EQ(InitGL(), 0);
  EXPECT_EQ(Glob_LoadingFail_KillWindow, 1);
  EXPECT_NE(std::string(LastFailText()).find("base/no_such_list.txt"), std::string::npos) << LastFailText();
  pbufferLand.clear();
  *o2::MultiTexUnits = 8;
}

TEST(ShaderFile, ReadsTheWholeFileAsText) {
  std::string path = "/tmp/velmar_shader_" + std::to_string(getpid()) + ".txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("!!ARBvp1.0\r\nEND\r\n", f);
  std::fclose(f);
  char* text = readShaderFile(path.c_str());
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "!!ARBvp1.0\nEND\n");
  delete[] text;
  std::remove(path.c_str());
  setenv("VELMAR_MSGBOX", "auto", 1);
  EXPECT_EQ(readShaderFile("/nonexistent/shader.txt"), nullptr);
}
