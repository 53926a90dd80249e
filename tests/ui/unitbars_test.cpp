// The unit bars on real GL: lengths, the 8-pixel steps of the first style,
// empty pairs, fills past the frame, the second style and the pulse.
#include "tests/render/render_fixture.h"

namespace {

class UnitBarsTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    UnitBars_ramAlf.Init(0.8f, 0.5f, 1.0f, 0.02f, 2, 150);
    *o2::TestDrawBars = 0;
  }
  void Draw(float x1, float y1, float x2, float y2, const float (&pairs)[8], int force) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_EQ(Begin2D(0, kTestW, 0, kTestH), 1);
    RTS_UnitBarsDraw(x1, y1, x2, y2, pairs[0], pairs[1], pairs[2], pairs[3], pairs[4], pairs[5], pairs[6], pairs[7],
                     force);
    End2D();
  }
  // The strongest red, green and blue of the pixels x, y0..y1.
  static Rgba Column(int x, int y0, int y1) {
    Rgba m{0, 0, 0, 0};
    for (int y = y0; y <= y1; ++y) {
      Rgba p = ReadRgba(x, y);
      m.r = std::max(m.r, p.r);
      m.g = std::max(m.g, p.g);
      m.b = std::max(m.b, p.b);
    }
    return m;
  }
};

}  // namespace

TEST_F(UnitBarsTest, FirstStyleLengthsStepsAndEmptyPairs) {
  const float pairs[8] = {100, 50, 0, 0, 100, 150, 100, 100};
  Draw(50, 50, 300, 300, pairs, 1);
  // Bar 1 at (50, 50), 60 long, half full: its bright line in (0.9, 0.3, 0.4) at alpha 0.8.
  Rgba in = Column(65, 49, 56);
  EXPECT_NEAR(in.r, Byte(0.9 * 0.8), 3);
  EXPECT_NEAR(in.g, Byte(0.3 * 0.8), 3);
  EXPECT_LT(Column(95, 49, 56).r, 40);  // past the fill: only the dark frame
  EXPECT_NEAR(Column(95, 49, 56).g, Byte(0.1), 3);
  // Bar 2 has no maximum: nothing at (58, 58), yet bar 3 still steps on to (66, 66).
  Rgba second = Column(90, 57, 63);
  EXPECT_LT(second.r + second.g + second.b, 90);
  // Bar 3, 44 long and one and a half full: the fill runs past its frame.
  EXPECT_NEAR(Column(125, 65, 72).b, Byte(0.8 * 0.8), 3);
  EXPECT_LT(Column(140, 65, 72).b, 10);
  // Bar 4 at (74, 74), full, 36 long.
  EXPECT_NEAR(Column(100, 73, 80).g, Byte(0.8 * 0.8), 3);
  // Nothing of the second style.
  EXPECT_LT(Column(350, 295, 320).r, 10);
}

TEST_F(UnitBarsTest, SecondStyleBesideTheIcon) {
  *o2::TestDrawBars = 1;
  const float pairs[8] = {100, 50, 100, 50, 0, 0, 0, 0};
  Draw(50, 50, 300, 300, pairs, 0);
  EXPECT_LT(Column(65, 49, 56).r, 10);  // not the first style
  // The outlines of the fill overlap, so a pixel may be blended twice.
  Rgba fill = Column(350, 297, 304);
  EXPECT_GE(fill.r, Byte(0.9 * 0.8) - 3);
  EXPECT_NEAR(double(fill.r) / fill.g, 0.9 / 0.6, 0.05);
  Rgba second = Column(350, 304, 309);  // bar 2, 6 above
  EXPECT_GE(second.b, Byte(0.9 * 0.8) - 3);
  EXPECT_NEAR(double(second.b) / second.g, 0.9 / 0.7, 0.05);
  // A force (an icon height of -1) keeps the first style.
  Draw(50, 50, 300, 300, pairs, 1);
  EXPECT_NEAR(Column(65, 49, 56).r, Byte(0.9 * 0.8), 3);
}

TEST_F(UnitBarsTest, TheFillsPulseBetweenHalfAndFull) {
  float lo = 1, hi = 0;
  for (int k = 0; k < 200; ++k) {
    gMilli += 151;
    UnitBars_ramAlf_Upd();
    lo = std::min(lo, UnitBars_ramAlf.value);
    hi = std::max(hi, UnitBars_ramAlf.value);
  }
  EXPECT_GE(lo, 0.5f - 1e-4f);
  EXPECT_LE(hi, 1.0f + 1e-4f);
  EXPECT_LT(lo, 0.53f);
  EXPECT_GT(hi, 0.97f);
  const float now = UnitBars_ramAlf.value;
  gMilli += 10000;  // no update outside the game: the alpha stays
  EXPECT_EQ(UnitBars_ramAlf.value, now);
}
