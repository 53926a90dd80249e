// A screen button on a real GL frame: its atlas cell drawn as a turned square
// around its screen position, through the render machine's screen-space
// sprite queue.
#include "objects/objects.h"
#include "tests/render/render_fixture.h"
#include "tests/world/world_fixture.h"
#include "world/world.h"

namespace {

const Rgba kBlack{0, 0, 0, 0};

class ButtonGLTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    FreshWorldWithNewBase();
    // Picture 22 of group 0, the sprite atlas, one flat green.
    uint8_t colours[23][4] = {};
    colours[22][1] = 255;
    colours[22][3] = 255;
    MakeFlatGroup(0, 23, colours);
    GFrameTime = 1;
  }
  void TearDown() override {
    delete[] gr_Pix[0];
    gr_Pix[0] = nullptr;
  }

  // Draws one frame of a button at the middle of the window turned by angle.
  void DrawButton(float angle) {
    ASSERT_EQ(FgrHld.AddWrk(3, 1, 1), 1);
    tw_Kno* k = pTekKno;
    k->Picture() = 22;
    k->Column() = 4;
    k->Row() = 2;
    k->RelX() = 0.5f;
    k->RelY() = 0.5f;
    k->ScrX() = kTestW / 2;
    k->ScrY() = kTestH / 2;
    k->Angle() = angle;
    RenderM._ResetOnStartNewLap();
    FgrHld.DrawZkz(0, 1);
    RenderM._Run(nullptr);
  }

  static bool Lit(Rgba p) { return p.g > 200 && p.r < 30 && p.b < 30; }
};

}  // namespace

TEST_F(ButtonGLTest, AButtonIsASquareAroundItsScreenPosition) {
  DrawButton(0.0f);
  const int cx = kTestW / 2, cy = kTestH / 2;
  EXPECT_TRUE(Lit(ReadRgba(cx, cy)));
  // Corners 40 pixels out at 45 degrees: an upright square of half side 28.
  EXPECT_TRUE(Lit(ReadRgba(cx + 26, cy + 26)));
  EXPECT_TRUE(Lit(ReadRgba(cx - 26, cy - 26)));
  EXPECT_EQ(ReadRgba(cx + 32, cy).g, kBlack.g);
  EXPECT_EQ(ReadRgba(cx, cy - 32).g, kBlack.g);
}

TEST_F(ButtonGLTest, TheAngleTurnsTheSquare) {
  DrawButton(45.0f);
  const int cx = kTestW / 2, cy = kTestH / 2;
  EXPECT_TRUE(Lit(ReadRgba(cx + 36, cy))) << "a corner now points along x";
  EXPECT_TRUE(Lit(ReadRgba(cx, cy - 36)));
  EXPECT_EQ(ReadRgba(cx + 26, cy + 26).g, kBlack.g) << "and the old corner is empty";
}
