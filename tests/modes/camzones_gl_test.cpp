// The camera edge zones drawn on a real GL frame in panel phase 2 (and not in
// the other phases), and the draw colours the side and minimap colour setters
// leave behind.
#include "modes/modes.h"
#include "tests/render/render_fixture.h"

namespace {

const Rgba kYellow{255, 245, 20, 255};
const Rgba kOrange{255, 63, 10, 255};

class CamZonesGLTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    *o2::PultFaza = 2;
    *o2::guiMidCross = 1;
    *o2::guiMidGorizW = 100;  // x 150..250 at the top and bottom
    *o2::guiMidBokNiz = 100;  // y 100..200 at the sides
    *o2::guiMidBokH = 100;
    *o2::guiBoka = 1;
    *o2::guiBokaNiz = 250;
    *o2::guiBokaH = 100;
    *o2::guiUpEdge = 1;
    *o2::guiUp1x = 10;
    *o2::guiUp1w = 40;
    *o2::guiUp2x = 60;
    *o2::guiUp2w = 40;
    *o2::guiUp3x = 300;
    *o2::guiUp3w = 40;
    *o2::guiUp4x = 350;
    *o2::guiUp4w = 40;
  }
  void TearDown() override { *o2::PultFaza = 0; }

  static void DrawZones() {
    ASSERT_EQ(Begin2D(0, kTestW, 0, kTestH), 1);
    guiKamDraw();
    End2D();
  }
};

}  // namespace

TEST_F(CamZonesGLTest, ZonesAreDrawnAsStripsAlongTheEdgesInPhase2) {
  DrawZones();
  const int w = kTestW, h = kTestH;
  const struct {
    int x, y;
    Rgba c;
    const char* what;
  } want[] = {
      {200, h - 3, kYellow, "rotate up"},   {200, 2, kYellow, "rotate down"},
      {2, 150, kYellow, "rotate left"},     {w - 2, 150, kYellow, "rotate right"},
      {30, h - 3, kOrange, "backward"},     {80, h - 3, kOrange, "backward 2D"},
      {320, h - 3, kOrange, "forward 2D"},  {370, h - 3, kOrange, "forward"},
      {2, 300, kOrange, "move left"},       {w - 2, 300, kOrange, "move right"},
      {200, h - 10, {0, 0, 0, 0}, "below the top strip"},
      {10, 150, {0, 0, 0, 0}, "right of the left strip"},
      {2, 220, {0, 0, 0, 0}, "between the side zones"},
  };
  for (const auto& p : want) {
    Rgba got = ReadRgba(p.x, p.y);
    EXPECT_EQ(got.r, p.c.r) << p.what;
    EXPECT_EQ(got.g, p.c.g) << p.what;
    EXPECT_EQ(got.b, p.c.b) << p.what;
  }
}

TEST_F(CamZonesGLTest, NothingIsDrawnOutsidePhase2OrWithAGroupOff) {
  for (int phase : {1, 3}) {
    *o2::PultFaza = phase;
    DrawZones();
    EXPECT_EQ(ReadRgba(200, kTestH - 3).r, 0) << phase;
    EXPECT_EQ(ReadRgba(2, 300).r, 0) << phase;
  }
  *o2::PultFaza = 2;
  *o2::guiMidCross = 0;
  *o2::guiUpEdge = 0;
  DrawZones();
  EXPECT_EQ(ReadRgba(200, kTestH - 3).r, 0);
  EXPECT_EQ(ReadRgba(30, kTestH - 3).r, 0);
  EXPECT_EQ(ReadRgba(2, 300).r, 255) << "the side move zones are still on";
}

TEST_F(CamZonesGLTest, ColourSettersLeaveTheDrawColour) {
  auto current = [] {
    float c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    return std::vector<float>(c, c + 4);
  };
  auto near = [](std::vector<float> got, std::vector<float> want) {
    for (int k = 0; k < 4; ++k)
      if (std::fabs(got[k] - want[k]) > 1e-5f) return false;
    return true;
  };
  RGB_ColorFlagSet(2, 0.5f);
  EXPECT_TRUE(near(current(), {1.0f, 0.0f, 0.4f, 0.5f}));
  RGB_ColorFlagSet(9, 1.0f);
  EXPECT_TRUE(near(current(), {0, 0, 0, 1})) << "black outside the banners";
  RMap_ColorFlag(3, 0.7f);
  EXPECT_TRUE(near(current(), {0.0f, 0.1f, 1.0f, 0.7f}));
  RMap_ColorFlag(7, 1.0f);
  EXPECT_TRUE(near(current(), {0.0f, 0.7f, 0.7f, 1.0f}));
  RMap_ColorFlag(0, 0.2f);
  RMap_ColorFlag(8, 0.2f);
  EXPECT_TRUE(near(current(), {0.0f, 0.7f, 0.7f, 1.0f})) << "kinds outside 1..7 set nothing";
}
