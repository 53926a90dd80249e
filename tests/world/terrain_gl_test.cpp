// The terrain pass and the minimap on real GL frames read back: patches drawn
// and culled, colours from the buffers after edits and loads, water over low
// ground, the minimap texture, its markers, presses and the mouse-over test.
#include "tests/render/render_fixture.h"
#include "tests/world/terrain_fixture.h"

namespace {

int Tile(int c, int r) { return r * kPlitSide + c; }

// Looking straight down on the whole map: window pixel (px, py) sees world
// x = px * 10, z = 4000 - py * 10.
void TopCamera() {
  glViewport(0, 0, kTestW, kTestH);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2000, 2000, -2000, 2000, 1, 2000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(2000, 500, 2000, 2000, 0, 2000, 0, 0, -1);
  Fru1.Update();
}

Rgba AtWorld(float x, float z) {
  return ReadRgba(static_cast<int>(x / 10), static_cast<int>((4000 - z) / 10));
}

void Draw() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  StartOfClearDraw1();
  glDisable(GL_CULL_FACE);
  PlitHold.Resident();
  PlitHold.Plit_Draw();
}

void PaintAll(uint8_t r, uint8_t g, uint8_t b) {
  for (auto& c : PlitHold.Clr) c[0] = r, c[1] = g, c[2] = b, c[3] = 255;
  PlitHold.UpdateVBO(0, 0, 1);
}

class TerrainGLTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    gr_Pix_FreeAll();
    ResetTerrain();
    PlitHold.FirstLayout();
  }
  void TearDown() override { PlitHold.ReleaseGL(); }
};

}  // namespace

TEST_F(TerrainGLTest, EveryPatchFromAboveFewerInAPerspectiveView) {
  ASSERT_NE(PlitHold.VrtID, 0u) << "buffers uploaded by the first lay-out";
  ASSERT_NE(PlitHold.Losk[0].elemID, 0u);
  PaintAll(200, 200, 200);
  TopCamera();
  Draw();
  EXPECT_EQ(*o2::LoskRendered, 100);
  EXPECT_EQ(PlitHold.CullPatches(), 100);
  EXPECT_NEAR_RGB(AtWorld(2000, 2000), 200, 200, 200, 3);
  EXPECT_NEAR_RGB(AtWorld(15, 3985), 200, 200, 200, 3);

  t_VPortKam cam;
  cam.vpW = kTestW;
  cam.vpH = kTestH;
  cam.aspect = 1.0;
  cam.znear = 1.0;
  cam.zfar = 700.0;
  cam.eye = vec3(150, 120, 150);
  cam.target = vec3(500, 0, 500);
  cam.Set1();
  cam.Set2_ProjMode(1);
  cam.Set3_Kamera();
  Fru1.Update();
  Draw();
  EXPECT_GT(*o2::LoskRendered, 0);
  EXPECT_LT(*o2::LoskRendered, 12);
  EXPECT_EQ(PlitHold.Losk[99].drawn, 0);
  EXPECT_EQ(PlitHold.Losk[0].drawn, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TerrainGLTest, DrawnColoursFollowEditsAndLoads) {
  TopCamera();
  PaintAll(50, 60, 70);
  Draw();
  EXPECT_NEAR_RGB(AtWorld(1205, 1205), 50, 60, 70, 2);

  // A terrain file's colours reach the screen through the colour buffer.
  std::vector<uint8_t> rec(kPlitCorners * 3, 0);
  for (size_t i = 0; i < rec.size(); i += 3) rec[i] = 200, rec[i + 1] = 10, rec[i + 2] = 10;
  for (int i = 0; i < kPlitTiles; ++i) {
    const uint8_t t[6] = {1, 1, 1, 0, 0, 70};  // height 10, above the water
    rec.insert(rec.end(), t, t + 6);
  }
  ASSERT_EQ(PlitHold.FromRecord(rec.data(), rec.size()), 1);
  Draw();
  EXPECT_NEAR_RGB(AtWorld(1205, 1205), 200, 10, 10, 2);
  EXPECT_EQ(PlitHold.DirtyClr, 0) << "Resident consumed the flags";

  // Drawn from memory when there are no buffers.
  PlitHold.ReleaseGL();
  for (int n = 0; n < kLoskCount; ++n) {
    PlitHold.Losk[n].Init(n, kPlitSide, kLoskSide);
  }
  Draw();
  EXPECT_NEAR_RGB(AtWorld(1205, 1205), 200, 10, 10, 2);
}

TEST_F(TerrainGLTest, WaterLiesOverLowGroundOnly) {
  *o3::Wtr1A = 0.5f;
  *o3::Wtr1R = 0.4f;
  *o3::Wtr1G = 0.2f;
  *o3::Wtr1B = 0.0f;
  PaintAll(50, 60, 70);
  for (int r = 0; r < kPlitSide; ++r)
    for (int c = 0; c < kPlitSide; ++c) PlitHold.PlitSetY(Tile(c, r), c < 100 ? -5.0f : 10.0f, 0);
  TopCamera();
  Draw();
  EXPECT_NEAR_RGB(AtWorld(1005, 2005), 50 + 51, 60 + 25, 70, 3);  // under water
  EXPECT_NEAR_RGB(AtWorld(3005, 2005), 50, 60, 70, 3);  // dry ground hides the water

  *o2::LandEdgeWd = 9;
  Draw();
  EXPECT_EQ(*o2::LandEdgeWd, 4) << "the edge width is clamped in place";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// ---------------------------------------------------------------- minimap

namespace {

class MiniMapGLTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    // Group 0: picture 4 (circles) white, 21 (overlay) clear, 51 (frame mask) white.
    static uint8_t colours[52][4];
    for (auto& c : colours) c[0] = c[1] = c[2] = c[3] = 255;
    colours[21][3] = 0;
    MakeFlatGroup(0, 52, colours);
    PlayerUnitsOkrugKlv = 0;
    PlayerSelected_Now = 0;
    KlientMiniMapFgrKlv = 0;
    *o2::KameraMode = 1;
    *o2::edTopView = 0;
    *o2::DrawMiniMap = 1;
    *o2::KursInMiniMap = 0;
    *o2::gmLKeyIsPush = *o2::gmRKeyIsPush = 0;
  }
  void TearDown() override { SetScreen(kTestW, kTestH); }

  std::vector<uint8_t> Texels(t_MiniMap& m) {
    std::vector<uint8_t> px(static_cast<size_t>(m.side) * m.side * 3);
    m.pic.Bind();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    return px;
  }
  static const uint8_t* Texel(const std::vector<uint8_t>& px, const t_MiniMap& m, int x, int y) {
    return &px[(static_cast<size_t>(y) * m.side + x) * 3];
  }
};

}  // namespace

TEST_F(MiniMapGLTest, TextureSideFollowsTheLargerSize) {
  EXPECT_EQ(getNearSizeTexW(150), 128);
  EXPECT_EQ(getNearSizeTexW(191), 128);
  EXPECT_EQ(getNearSizeTexW(200), 256);
  EXPECT_EQ(getNearSizeTexW(383), 256);
  EXPECT_EQ(getNearSizeTexW(400), 512);
  t_MiniMap m;
  EXPECT_EQ(m.OK(), 0);
  m.Init(200, 150);
  EXPECT_EQ(m.side, 256);
  EXPECT_EQ(m.OK(), 1);
  EXPECT_EQ(m.Size(), 200);
  *o2::KameraMode = 0;
  EXPECT_EQ(m.Size(), 150);
}

TEST_F(MiniMapGLTest, SightCirclesVeilAndTheGreenCross) {
  t_MiniMap m;
  m.Init(200, 150);
  PlayerUnitsOkrugKlv = 2;
  PlayerUnitsOkrugPos[0] = vec3(2000, 0, 2000);
  PlayerUnitsOkrugR[0] = 400;
  PlayerUnitsOkrugPos[1] = vec3(1000, 0, 1000);
  PlayerUnitsOkrugR[1] = 20;  // under 2 texels: not drawn
  m.DrawToTexPlus(nullptr);
  std::vector<uint8_t> px = Texels(m);
  EXPECT_NEAR(Texel(px, m, 128, 128)[0], 102, 3) << "white circle under the 0.6 veil";
  EXPECT_EQ(Texel(px, m, 10, 10)[0], 0);
  EXPECT_EQ(Texel(px, m, 65, 192)[0], 0) << "the small circle";
  bool green = false;
  for (int y = 108; y <= 112; ++y)
    for (int x = 62; x <= 66; ++x) green = green || (Texel(px, m, x, y)[1] > 200 && Texel(px, m, x, y)[0] < 20);
  EXPECT_TRUE(green);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // On screen through the frame mask.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ASSERT_EQ(Begin2D(0, kTestW, 0, kTestH), 1);
  m.Draw1(0);
  End2D();
  EXPECT_NEAR(ReadRgba(m.cx, m.cy).r, 102, 4);
  EXPECT_EQ(ReadRgba(m.cx + 150, m.cy).r, 0);
}

TEST_F(MiniMapGLTest, AWindowSmallerThanTheTextureIsCopiedOnlyAsFarAsItGoes) {
  SetScreen(100, 100);
  t_MiniMap m;
  m.Init(120, 100);  // a 128 texture
  PlayerUnitsOkrugKlv = 1;
  PlayerUnitsOkrugPos[0] = vec3(2000, 0, 2000);
  PlayerUnitsOkrugR[0] = 4000;  // the whole map
  m.DrawToTexPlus(nullptr);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  std::vector<uint8_t> px = Texels(m);
  EXPECT_NEAR(Texel(px, m, 50, 50)[0], 102, 3);
  EXPECT_EQ(Texel(px, m, 120, 120)[0], 0) << "beyond the window: left as it was";
}

TEST_F(MiniMapGLTest, CameraMarkerTurnAndPresses) {
  t_MiniMap m;
  m.Init(200, 150);
  m.DrawToTexPlus(nullptr);
  EXPECT_EQ(m.angle, 0);
  EXPECT_EQ(m.markX, 0);
  EXPECT_EQ(m.markY, 0);

  t_MBase1 cam;
  cam.Sbros();
  cam.Pos(2000, 50, 1000);
  cam.setMatr(0, 90, 0);
  *o2::edTopView = 1;
  m.DrawToTexPlus(&cam);
  EXPECT_FLOAT_EQ(m.angle, 270);
  EXPECT_EQ(m.markX, m.cx + 0);
  EXPECT_EQ(m.markY, m.cy + 50) << "top view: not turned";
  *o2::edTopView = 0;
  m.DrawToTexPlus(&cam);
  EXPECT_NEAR(m.markX, m.cx - 50, 1) << "turned by 270 degrees";
  EXPECT_NEAR(m.markY, m.cy, 1);

  *o2::edTopView = 1;
  m.DrawToTexPlus(&cam);
  gMX = gMY = 0;  // a press is turned where it was made, wherever the pointer is
  m.Press(m.cx + 10, m.cy + 20, 1);
  EXPECT_EQ(m.pressMode, 1);
  EXPECT_FLOAT_EQ(m.pressX, 2200);
  EXPECT_FLOAT_EQ(m.pressZ, 1600);
  *o2::edTopView = 0;
  m.Press(m.cx + 10, m.cy + 20, 2);
  EXPECT_EQ(m.pressMode, 2);
  EXPECT_NEAR(m.pressX, 2400, 20) << "the map turned by 270 degrees";
  EXPECT_NEAR(m.pressZ, 2200, 20);
  *o2::edTopView = 1;

  KlientMiniMapFgrKlv = 1;
  KlientMiniMapFgrX[0] = 4000;
  KlientMiniMapFgrY[0] = 0;
  m.DrawToTexPlus(&cam);
  EXPECT_EQ(KlientMiniMapFgrX[0], m.cx + 100);
  EXPECT_EQ(KlientMiniMapFgrY[0], m.cy + 100);
}

// Over the map means on the round map where it is drawn, whatever colour the
// window holds under the pointer (here every pixel is pure red beforehand).
TEST_F(MiniMapGLTest, MouseOverTheFrameMask) {
  t_MiniMap m;
  m.Init(200, 150);  // 200 across: a circle of radius 100
  struct Case {
    const char* name;
    int dx, dy;  // pointer offset from the map's centre
    float angle;
    int topView, phase, shown;
    int want;
  } cases[] = {
      {"centre", 0, 0, 0, 0, 1, 1, 1},
      {"inside, near the round edge", 0, 95, 0, 0, 1, 1, 1},
      {"a red pixel outside the map's rectangle", 150, 0, 0, 0, 1, 1, 0},
      {"the rectangle's corner, outside the round frame", 90, -90, 0, 0, 1, 1, 0},
      {"the corner of the turned map", 90, 90, 45, 0, 1, 1, 0},
      {"outside the window", -m.cx - 5, 0, 0, 0, 1, 1, 0},
      {"top view in phase 3: drawn", 0, 0, 0, 1, 3, 1, 1},
      {"top view outside phase 3: not drawn", 0, 0, 0, 1, 1, 1, 0},
      {"minimap off", 0, 0, 0, 0, 1, 0, 0},
  };
  const int phase = *o2::PultFaza;
  ASSERT_EQ(Begin2D(0, kTestW, 0, kTestH), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m.angle = c.angle;
    *o2::edTopView = c.topView;
    *o2::PultFaza = c.phase;
    *o2::DrawMiniMap = c.shown;
    gMX = m.cx + c.dx;
    gMY = m.cy + c.dy;
    EXPECT_EQ(m.FillDepthKursIn(), c.want);
  }
  End2D();
  glClearColor(0, 0, 0, 0);
  *o2::edTopView = 0;
  *o2::PultFaza = phase;
}
