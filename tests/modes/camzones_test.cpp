// The camera edge zones (open spans, only in panel phase 2 and with their
// group on), the mode machine's rotation step reading them, where a point lies
// relative to the current camera, the lift grab's pointer handling and the
// side colours.
#include <gtest/gtest.h>

#include "modes/modes.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kW = 1000, kH = 800;

class CamZonesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    org2_Init();
    orgF_Init();
    Ekran.W = kW;
    Ekran.H = kH;
    Ekran.W2 = kW / 2;
    Ekran.H2 = kH / 2;
    GFrameTime = 10;
    *o2::PultFaza = 2;
    *o2::guiMidCross = 1;
    *o2::guiMidGorizW = 300;  // x 350..650 along the top and bottom
    *o2::guiMidBokNiz = 300;  // y 300..650 along the sides
    *o2::guiMidBokH = 350;
    *o2::guiBoka = 1;
    *o2::guiBokaNiz = 100;
    *o2::guiBokaH = 150;
    *o2::guiUpEdge = 1;
    const int up[4][2] = {{0, 100}, {100, 100}, {800, 100}, {900, 100}};
    int* const xs[4] = {o2::guiUp1x, o2::guiUp2x, o2::guiUp3x, o2::guiUp4x};
    int* const ws[4] = {o2::guiUp1w, o2::guiUp2w, o2::guiUp3w, o2::guiUp4w};
    for (int k = 0; k < 4; ++k) {
      *xs[k] = up[k][0];
      *ws[k] = up[k][1];
    }
  }
  void TearDown() override {
    pSoloFotik = nullptr;
    glob_nowVPKam = nullptr;
    gMX = gMY = 0;
    GFrameTime = 1;
  }
};

using ZoneTest = int (*)();

struct ZoneCase {
  const char* name;
  ZoneTest test;
  int* group;
  int x, y;  // a pointer inside the zone
  int dx, dy;  // the span runs along this direction
  int startAlong, length;  // the span's start and length along it
};

std::vector<ZoneCase> Zones() {
  return {
      {"rotate left", guiKamRToL, o2::guiMidCross, 0, 400, 0, 1, 300, 350},
      {"rotate right", guiKamRToR, o2::guiMidCross, kW - 1, 400, 0, 1, 300, 350},
      {"rotate down", guiKamRToDn, o2::guiMidCross, 500, 0, 1, 0, 350, 300},
      {"rotate up", guiKamRToUp, o2::guiMidCross, 500, kH - 1, 1, 0, 350, 300},
      {"move left", guiKamLeft, o2::guiBoka, 1, 200, 0, 1, 100, 150},
      {"move right", guiKamRit, o2::guiBoka, kW - 2, 200, 0, 1, 100, 150},
      {"backward", guiKamBwd, o2::guiUpEdge, 50, kH - 2, 1, 0, 0, 100},
      {"backward 2D", guiKamBwd2D, o2::guiUpEdge, 150, kH - 2, 1, 0, 100, 100},
      {"forward 2D", guiKamFwd2D, o2::guiUpEdge, 850, kH - 2, 1, 0, 800, 100},
      {"forward", guiKamFwd, o2::guiUpEdge, 950, kH - 2, 1, 0, 900, 100},
  };
}

int At(ZoneTest t, int x, int y) {
  gMX = x;
  gMY = y;
  return t();
}

// A camera object of the current mode with its placement turned and placed.
struct SoloCamera {
  Fgr4 handle;
  tw_Fotik body;
  SoloCamera(float pitch, float yaw, int mode = 0) {
    body.owner = &handle;
    body.mb.setMatr(pitch, yaw, 0);
    body.mb.Pos(1000, 50, 1000);
    body.vp.mode = mode;
    pSoloFotik = &body;
  }
};

}  // namespace

TEST_F(CamZonesTest, ZonesHoldTheirOpenSpansOnTheirEdges) {
  for (const ZoneCase& z : Zones()) {
    EXPECT_EQ(At(z.test, z.x, z.y), 1) << z.name;
    // Along the span: its start and end are outside, the pixels next to them inside.
    auto along = [&](int v) {
      return At(z.test, z.dx ? v : z.x, z.dy ? v : z.y);
    };
    EXPECT_EQ(along(z.startAlong), 0) << z.name << " on its start";
    EXPECT_EQ(along(z.startAlong + 1), 1) << z.name << " just after its start";
    EXPECT_EQ(along(z.startAlong + z.length - 1), 1) << z.name << " just before its end";
    EXPECT_EQ(along(z.startAlong + z.length), 0) << z.name << " on its end";
    // Across the edge: two pixels deep.
    int inX = z.x, inY = z.y;
    if (z.dy) inX = z.x < kW / 2 ? 2 : kW - 3;
    else inY = z.y < kH / 2 ? 2 : kH - 3;
    EXPECT_EQ(At(z.test, inX, inY), 0) << z.name << " three pixels in";
    // Off with its group, and in every phase but 2.
    *z.group = 0;
    EXPECT_EQ(At(z.test, z.x, z.y), 0) << z.name << " group off";
    *z.group = 1;
    for (int phase : {0, 1, 3}) {
      *o2::PultFaza = phase;
      EXPECT_EQ(At(z.test, z.x, z.y), 0) << z.name << " in phase " << phase;
    }
    *o2::PultFaza = 2;
  }
}

TEST_F(CamZonesTest, TheModeMachinesRotationStepReadsTheRotationZones) {
  float pitch = 0, yaw = 0;
  gMX = 0;
  gMY = 400;  // the rotate-left zone
  ASSERT_NE(MouseRootRTS_Rot(pitch, yaw, 0, 3.0f, -2.0f), 0);
  EXPECT_FLOAT_EQ(yaw, 0.03f * 10 * 3.0f);
  EXPECT_FLOAT_EQ(pitch, 0);
  pitch = yaw = 0;
  gMX = 500;
  gMY = kH - 1;  // rotate up
  MouseRootRTS_Rot(pitch, yaw, 0, 3.0f, -2.0f);
  EXPECT_FLOAT_EQ(pitch, -0.03f * 10 * -2.0f);
  EXPECT_FLOAT_EQ(yaw, 0);
  pitch = yaw = 0;
  *o2::PultFaza = 1;
  gMX = 0;
  gMY = 400;
  MouseRootRTS_Rot(pitch, yaw, 0, 3.0f, -2.0f);
  EXPECT_FLOAT_EQ(yaw, 0) << "no zone outside phase 2";
}

TEST_F(CamZonesTest, NearTheViewportCamera) {
  EXPECT_FALSE(Near2DToGlobKam(vec3(0, 0, 0), 1e9f)) << "no camera";
  t_MBase1 m;
  m.Sbros();
  m.Pos(100, 0, 100);
  EXPECT_FALSE(Near2DToGlobKam(m, 1e9f)) << "no camera";

  t_VPortKam vp;
  vp.eye = vec3(180, 500, 100);
  glob_nowVPKam = &vp;
  const struct {
    float r;
    bool point, motion;
  } want[] = {{81, true, true}, {80, false, true}, {79, false, false}};
  for (const auto& w : want) {
    EXPECT_EQ(Near2DToGlobKam(vec3(100, -7, 100), w.r), w.point) << "point, half side " << w.r;
    EXPECT_EQ(Near2DToGlobKam(m, w.r), w.motion) << "placement, half side " << w.r;
  }
  vp.eye = vec3(100, 0, 179);
  EXPECT_TRUE(Near2DToGlobKam(vec3(100, 0, 100), 80));
  vp.eye = vec3(100, 0, 20);
  EXPECT_FALSE(Near2DToGlobKam(vec3(100, 0, 100), 80)) << "on the square's edge";
}

TEST_F(CamZonesTest, InFrontOfTheSoloCamera) {
  EXPECT_FALSE(InFrontOfSoloFotik(0, 0)) << "no camera";
  {
    SoloCamera cam(-30, 0);  // looking north (+z), down a little
    const struct {
      float x, z;
      bool front;
    } want[] = {
        {1000, 1200, true},  {1000, 800, false}, {1150, 1100, true},   // ahead, behind, 56 degrees right
        {1190, 1040, true},  {1190, 1020, false}, {1200, 990, false},   // 78, 84 and 93 degrees right
        {850, 1050, true},   {800, 980, false},                         // 72 left, 96 left
    };
    for (const auto& w : want) EXPECT_EQ(InFrontOfSoloFotik(w.x, w.z), w.front) << w.x << ", " << w.z;
    cam.body.owner = nullptr;
    EXPECT_FALSE(InFrontOfSoloFotik(1000, 1200)) << "a free camera body is no camera";
  }
  {
    SoloCamera cam(-30, 10);  // the 81-degree window wraps past 0
    EXPECT_TRUE(InFrontOfSoloFotik(900, 1100)) << "bearing 315";
    EXPECT_FALSE(InFrontOfSoloFotik(800, 1040)) << "bearing 281";
  }
  for (float pitch : {-80.0f, -88.0f, 25.0f}) {
    SoloCamera cam(pitch, 0);
    for (float x : {1000.0f, 1100.0f, 900.0f})
      for (float z : {1200.0f, 800.0f, 1000.5f})
        EXPECT_FALSE(InFrontOfSoloFotik(x, z)) << "pitch " << pitch << " at " << x << ", " << z;
  }
  SoloCamera top(-88, 0, 6);
  EXPECT_TRUE(InFrontOfSoloFotik(1000, 800)) << "an orthographic camera sees every point";
}

TEST_F(CamZonesTest, TheGroundLightBoxFollowsTheSoloCamera) {
  SveKvad_boxP = vec3(1, 2, 3);
  SveKvad_box_UpdPos();
  EXPECT_FLOAT_EQ(SveKvad_boxP.x, 1) << "no camera: untouched";
  SoloCamera cam(0, 0);
  SveKvad_box_UpdPos();
  EXPECT_FLOAT_EQ(SveKvad_boxP.x, 1000);
  EXPECT_FLOAT_EQ(SveKvad_boxP.z, 1000);
}

TEST_F(CamZonesTest, LiftGrabTakesThePointerOffsetAndCentresIt) {
  const struct {
    int x, y, offX, offY;
  } want[] = {{500, 400, 0, 0}, {530, 415, 30, 0}, {400, 420, -100, 0}, {500, 450, 0, 15}, {500, 350, 0, -15},
              {0, 800, -500, 190}, {500, 379, 0, 0}, {500, 379 - 2, 0, -1}};
  for (const auto& w : want) {
    gMX = w.x;
    gMY = w.y;
    spePultLift_PrepZna();
    EXPECT_EQ(*o2::spePLiftX, w.offX) << w.x << ", " << w.y;
    EXPECT_EQ(*o2::spePLiftY, w.offY) << w.x << ", " << w.y;
    EXPECT_EQ(*o2::spePLiftKurX, w.x);
    EXPECT_EQ(*o2::spePLiftKurY, w.y);
    EXPECT_EQ(gMX, kW / 2);
    EXPECT_EQ(gMY, kH / 2);
  }
}

TEST_F(CamZonesTest, SideColoursAndBlackOutsideTheBanners) {
  const struct {
    int banner;
    float r, g, b;
  } want[] = {{1, 0.0f, 0.5f, 1.0f}, {2, 1.0f, 0.0f, 0.4f}, {3, 1.0f, 1.0f, 0.0f}, {4, 0.0f, 1.0f, 0.2f},
              {5, 0.9f, 0.2f, 1.0f}, {6, 0.8f, 0.5f, 0.2f}, {0, 0, 0, 0},          {7, 0, 0, 0},
              {-1, 0, 0, 0},         {1 << 30, 0, 0, 0}};
  for (const auto& w : want) {
    float r = -1, g = -1, b = -1;
    RGB_ColorFlag(w.banner, r, g, b);
    EXPECT_FLOAT_EQ(r, w.r) << w.banner;
    EXPECT_FLOAT_EQ(g, w.g) << w.banner;
    EXPECT_FLOAT_EQ(b, w.b) << w.banner;
  }
}

TEST_F(CamZonesTest, TheEditorIsResidentOnlyInMode5) {
  for (int mode : {3, 4, 5}) {
    *o2::AktivIPPI = mode;
    EXPECT_EQ(AktivIPPI_ResidentOfEditor() != 0, mode == 5) << mode;
  }
  EXPECT_EQ(MouseMove_ShadRingEdit.v[5], 0);
}
