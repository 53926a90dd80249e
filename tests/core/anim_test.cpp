#include <gtest/gtest.h>

#include "core/core.h"

namespace {

struct AnimTest : ::testing::Test {
  void SetUp() override { gMilli = 1000; }
  void TearDown() override { gMilli = 1; }
  // Advances the frame clock by ms and updates once.
  float Step(t_FintFloat& f, uint32_t ms) {
    gMilli += ms;
    return f._Update();
  }
};

TEST_F(AnimTest, OffValueStaysZero) {
  t_FintFloat f;
  f.value = 5;
  EXPECT_EQ(Step(f, 5000), 0);
  EXPECT_EQ(f.value, 5);
  EXPECT_EQ(f.state, -1);
  FintFloat_DefPreset(&f, 800);
  f.Off();
  EXPECT_EQ(Step(f, 5000), 0);
}

TEST_F(AnimTest, NoStepInTheFrameOfInit) {
  t_FintFloat f(3, 0, 10, 1, 0, 10);
  EXPECT_EQ(f._Update(), 3);
  EXPECT_EQ(Step(f, 10), 3);  // exactly one period is not enough
  EXPECT_FLOAT_EQ(Step(f, 1), 4.1f);
}

TEST_F(AnimTest, FadeStopsExactlyAtTheBound) {
  t_FintFloat f;
  FintFloat_DefPreset(&f, 1);
  float v = 0;
  int steps = 0;
  while (f.state == 0 && steps < 200) {
    v = Step(f, 11);  // each step runs 1.1 periods
    steps++;
  }
  EXPECT_EQ(v, 1.0f);
  EXPECT_EQ(f.state, 1);
  EXPECT_EQ(f.laps, 1);
  EXPECT_NEAR(steps, 91, 1);
  EXPECT_EQ(Step(f, 500), 1.0f);
  EXPECT_EQ(f.laps, 1);
  t_FintFloat down(0.5f, 0, 1, -0.3f, 1, 10);
  Step(down, 11);
  EXPECT_EQ(Step(down, 11), 0.0f);
  EXPECT_EQ(down.state, 1);
}

TEST_F(AnimTest, WrapCorrectsByTheUpperBound) {
  t_FintFloat f(359.8f, 0, 360, 0.5f, 0, 1000);
  EXPECT_NEAR(Step(f, 1001), 0.3f, 1e-3f);  // 1.001 periods
  EXPECT_EQ(f.laps, 1);
  t_FintFloat g(0.2f, 0, 360, -0.5f, 0, 1000);
  EXPECT_NEAR(Step(g, 1001), 359.7f, 1e-3f);
  EXPECT_EQ(g.laps, 1);
}

TEST_F(AnimTest, BounceTurnsAtTheBounds) {
  t_FintFloat f(99.5f, 0, 100, 1.0f, 2, 1000);
  EXPECT_EQ(Step(f, 1001), 100.0f);
  EXPECT_EQ(f.direction, -1);
  EXPECT_EQ(f.laps, 1);
  EXPECT_LT(Step(f, 1001), 100.0f);
  f.direction = 7;  // repaired to rising
  float before = f.value;
  EXPECT_GT(Step(f, 1001), before);
}

TEST_F(AnimTest, StallMovesByTheElapsedPeriods) {
  t_FintFloat f(0, 0, 1000, 2.0f, 0, 100);
  EXPECT_FLOAT_EQ(Step(f, 250), 5.0f);  // 2.5 periods x 2
  t_FintFloat frozen(4, 0, 10, 1, 9, 10);
  EXPECT_EQ(Step(frozen, 100), 4);
}

TEST_F(AnimTest, LapsWrapPastTheLimit) {
  t_FintFloat f(0, 0, 1, 5, 0, 1);
  f.laps = 9100200;
  Step(f, 2);
  EXPECT_EQ(f.laps, 0);
}

TEST_F(AnimTest, Presets) {
  t_FintFloat f;
  FintFloat_DefPreset(&f, 360);
  EXPECT_TRUE(f.timer.period >= 10 && f.timer.period <= 50);
  EXPECT_EQ(f.max, 360);
  FintFloat_DefPreset(&f, 801);
  EXPECT_EQ(f.mode, 2);
  EXPECT_EQ(f.timer.period, 15u);
  FintFloat_DefPreset(&f, 555);
  EXPECT_EQ(f.mode, 2);
  FintFloat_DefPreset(nullptr, 1);
}

}  // namespace
