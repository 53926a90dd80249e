#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <vector>

#include "core/core.h"

namespace {

TEST(Random, GeneratorRangeSeedAndHelpers) {
  sysSRand(1);
  int first = sysRand();
  sysSRand(1);
  EXPECT_EQ(sysRand(), first);  // seeding repeats the sequence
  sysSRand(12345);
  int lo = SYS_RAND_MAX, hi = 0;
  for (int i = 0; i < 200000; i++) {
    int r = sysRand();
    lo = std::min(lo, r);
    hi = std::max(hi, r);
  }
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 32767);
  for (int i = 0; i < 100; i++) EXPECT_EQ(Rand2(3, 3), 3);
  std::set<float> seen;
  for (int i = 0; i < 1000; i++) seen.insert(Rand2F(0, 1, 4));
  EXPECT_EQ(seen, (std::set<float>{0.25f, 0.5f, 0.75f, 1.0f}));
  for (int i = 0; i < 1000; i++) {
    int r = Rand2(-2, 5);
    EXPECT_TRUE(r >= -2 && r <= 5);
    float f = getRandomMinMax(-1, 1);
    EXPECT_TRUE(f >= -1 && f <= 1);
    EXPECT_NEAR(length(getRandomVector()), 1.0f, 1e-3f);
  }
  // Outside the domain: no division by zero.
  EXPECT_EQ(Rand2(5, 4), 5);
  EXPECT_EQ(Rand2F(0, 1, 0), 1.0f);
}

TEST(Clamps, TramAddAndWrap) {
  float f = 5;
  EXPECT_EQ(zn::Tram(f, 0.0f, 1.0f), 1);
  EXPECT_EQ(f, 1);
  float nan = NAN;
  EXPECT_EQ(zn::Tram(nan, 0.0f, 1.0f), 0);
  EXPECT_TRUE(std::isnan(nan));
  int i = 9;
  zn::Addw(i, 3, 0, 9);
  EXPECT_EQ(i, 2);
  i = 0;
  zn::Addw(i, -1, 0, 9);
  EXPECT_EQ(i, 9);
  i = 0;
  zn::Addw(i, -25, 0, 9);
  EXPECT_TRUE(i >= 0 && i <= 9);
  float w = 5;
  zn::Addw(w, 20, 0, 10);  // wider than the range: nothing
  EXPECT_EQ(w, 5);
  zn::Addw(w, -20, 0, 10);
  EXPECT_EQ(w, 5);
  zn::Addw(w, 7, 0, 10);
  EXPECT_EQ(w, 2);
  int a = INT_MAX;
  zn::Add(a, 10, 0, INT_MAX);
  EXPECT_EQ(a, INT_MAX);
  EXPECT_EQ(zn::fAdd(1, 5, 0, 3), 3);
  EXPECT_EQ(zn::Outf(1, 1, 2), 0);
  EXPECT_EQ(zn::Outi(3, 1, 2), 2);
  EXPECT_EQ(zn::Ineri(5, 5, 3), 0);
  EXPECT_EQ(zn::Ineri(7, 5, 3), 1);
  EXPECT_EQ(zn::Ineri(8, 5, 3), 0);
  int m = 10;
  zn::MidBall(m, -3, 0.5f);
  EXPECT_EQ(m, 3);
  m = -2;
  zn::MidBall(m, 3, 0.5f);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(zn::ModTms(-7, 2), 3);
  EXPECT_EQ(zn::ModTms(7, 0), 0);
  int x = 1;
  EXPECT_EQ(zn::FlagSwap(x), 0);
  EXPECT_EQ(zn::FlagSwap(x), 1);
  EXPECT_FLOAT_EQ(zn::Perc(50, 200, 10), 2.5f);
  int arr[5];
  EXPECT_EQ(mr::GetIntKlv_OnMemPart(&arr[1], &arr[4]), 4);
  EXPECT_EQ(mr::GetIntKlv_OnMemPart(&arr[4], &arr[1]), 0);
}

TEST(Rings, WrapsOneStepAtATime) {
  float v = 360;
  EXPECT_EQ(zn::Ring1(v, 360), 0);
  EXPECT_EQ(v, 360);
  v = -10;
  EXPECT_EQ(zn::Ring1(v, 360), 1);
  EXPECT_EQ(v, 350);
  v = 725;
  zn::Ring1(v, 360);
  EXPECT_EQ(v, 365);
  v = 725;
  zn::Ring2(v, 360);
  EXPECT_EQ(v, 5);
  v = -725;
  zn::ModRing(v, 360);
  EXPECT_FLOAT_EQ(v, 355);
  v = 725;
  zn::ModRing(v, -360);
  EXPECT_FLOAT_EQ(v, 5);
  v = 5;
  zn::ModRing(v, 0.5f);  // a ring below 1 must not divide by zero
  EXPECT_EQ(zn::OutOnRingf(355, -10, 10, 360), 0);
  EXPECT_EQ(zn::OutOnRingf(5, 350, 370, 360), 0);
  EXPECT_EQ(zn::OutOnRingf(180, -10, 10, 360), 1);
}

TEST(Climbs, LinearAndRing) {
  float v = 10;
  EXPECT_EQ(zn::Climb2(v, 4, 20, 1), 0);
  EXPECT_EQ(v, 14);
  EXPECT_EQ(zn::Climb2(v, 4, 20, 1), 0);
  EXPECT_EQ(v, 18);
  EXPECT_EQ(zn::Climb2(v, 4, 20, 1), 1);
  EXPECT_EQ(v, 20);

  v = 350;
  const float expect[] = {355, 360, 5};
  for (float e : expect) {
    EXPECT_EQ(zn::Climb2(v, 5, 10, 1, 360), 0);
    EXPECT_FLOAT_EQ(v, e);
    EXPECT_EQ(ResLastClimbSign, 1);
  }
  EXPECT_EQ(zn::Climb2(v, 5, 10, 1, 360), 1);
  EXPECT_EQ(v, 10);

  float turn = 99;
  v = 100;
  EXPECT_EQ(zn::Climb2Pov(v, 5, 50, 1, 360, turn), 0);
  EXPECT_EQ(v, 95);
  EXPECT_EQ(turn, -5);
  v = 50;
  EXPECT_EQ(zn::Climb2Pov(v, 5, 50, 1, 360, turn), 1);
  EXPECT_EQ(turn, 0);
  float out = 0;
  EXPECT_EQ(zn::Climb(out, 10, 3, 725, 1, 360, 1), 0);  // target wrapped to 5
  EXPECT_EQ(out, 7);
}

TEST(Formulas, HeadingsWheelsAndRounding) {
  EXPECT_NEAR(UgFromVecPart(1, 1, 0), 45, 1e-3);
  EXPECT_NEAR(UgFromVecPart(1, -1, 0), 135, 1e-3);
  EXPECT_NEAR(UgFromVecPart(-1, -1, 0), 225, 1e-3);
  EXPECT_NEAR(UgFromVecPart(-1, 1, 0), 315, 1e-3);
  EXPECT_EQ(UgFromVecPart(0, 1, 0), 0);
  EXPECT_EQ(UgFromVecPart(0, -1, 0), 180);
  EXPECT_EQ(UgFromVecPart(1, 0, 0), 90);
  EXPECT_EQ(UgFromVecPart(-1, 0, 0), 270);
  EXPECT_NEAR(UgFromVecPart(1, 0, 1), 1.5705f, 1e-6);
  // Degrees per chord divided by the chord: the chord of radius r over 360/n degrees.
  for (float r : {0.5f, 2.0f, 5.0f, 10.0f}) {
    int n = r > 7.99f ? 128 : r > 2.99f ? 64 : r > 0.99f ? 48 : 32;
    double chord = 2 * r * std::sin(M_PI / n);
    EXPECT_NEAR(Koleso_UgForMetr_Spe(r), 360.0 / n / chord, 1e-3) << r;
  }
  float f = 1.239f;
  FloOkrugl4(f, 100);
  EXPECT_FLOAT_EQ(f, 1.23f);
  f = -1.239f;
  FloOkrugl4(f, 100);
  EXPECT_FLOAT_EQ(f, -1.23f);
  f = 1.239f;
  FloOkrugl4(f, 7);
  EXPECT_EQ(f, 1.239f);
  EXPECT_EQ(MathLog2(1024), 10);
  EXPECT_EQ(MathLog2(1000), -1);
  EXPECT_EQ(MathLog2(-4), -1);
  EXPECT_EQ(MathLog2(0), -1);
  EXPECT_EQ(GetDrobPerc(0, 10, -1), 0.0001f);
  EXPECT_EQ(GetDrobPerc(0, 10, 11), 1.0f);
  EXPECT_FLOAT_EQ(GetDrobPerc(0, 10, 5), 0.5f);
  EXPECT_EQ(divpro(0), 1);
  EXPECT_EQ(divpro1(4), 0.25f);
  EXPECT_EQ(i_floor(3.7f), 3);
  EXPECT_EQ(i_floor(-3.7f), 3);
  EXPECT_EQ(i_floor(0.5f), 0);
  EXPECT_NEAR(rsqrtf(4.0f), 0.5f, 1e-3f);
}

TEST(Formulas, QuickSortSortsAscending) {
  std::vector<int> v;
  sysSRand(7);
  for (int i = 0; i < 1000; i++) v.push_back(Rand2(-50, 50));
  quickSort(v.data(), 0, (int)v.size() - 1);
  EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
  int one = 5;
  quickSort(&one, 0, 0);
  EXPECT_EQ(one, 5);
}

TEST(Tables, SineCosineAndNormTable) {
  Sprr1FillCosSin();
  EXPECT_EQ(getSprSIN(361), 0);
  EXPECT_EQ(getSprSIN(-1), 0);
  EXPECT_EQ(getSprCOS(400), 1);
  EXPECT_NEAR(getSprSIN(90), 1.0f, 1e-4f);
  EXPECT_NEAR(getSprCOS(180), -1.0f, 1e-3f);
  EXPECT_NEAR(Sprr1SIN[360], std::sin(360 * 0.01745), 1e-4);  // not exactly a full turn
  sysBuildNormTable();
  // Entry 0: sqrt(1) = 1.0 (mantissa 0) and sqrt(2) = 1.41421 (mantissa 0x3504F3, bits 15..22 = 0x6A).
  EXPECT_EQ(sys_normTable[0][0], 0);
  EXPECT_EQ(sys_normTable[0][1], 0x6A);
}

}  // namespace
