// The placement and motion record: clamps, zones, axes, turns and the
// 120-byte file record.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "world/satint.h"
#include "world/world.h"

namespace {

t_MBase1 Fresh() {
  t_MBase1 m;
  m.Sbros();
  return m;
}

std::vector<uint8_t> RecordBytes(const t_MBase1& m) {
  FILE* f = std::tmpfile();
  EXPECT_EQ(m.AddToFile(f), 120);
  std::vector<uint8_t> out(200);
  std::rewind(f);
  out.resize(std::fread(out.data(), 1, out.size(), f));
  std::fclose(f);
  return out;
}

void PutF(std::vector<uint8_t>& v, float f) {
  uint8_t b[4];
  std::memcpy(b, &f, 4);
  v.insert(v.end(), b, b + 4);
}

void PutI(std::vector<uint8_t>& v, int32_t i) {
  for (int k = 0; k < 4; ++k) v.push_back(static_cast<uint8_t>(static_cast<uint32_t>(i) >> (8 * k)));
}

}  // namespace

TEST(PlacementRecord, ResetRecordIsTheGoldenFile) {
  std::vector<uint8_t> golden;
  for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.5f, 0.5f, 0.5f,  // vectors
                  0.f, 0.f, 0.f, 0.f, 0.001f,                                                  // angles, speed
                  300.f, -100.f, 400.f, -100.f,                                                // heights
                  -9999.f, 9999.f, -9999.f, 9999.f})                                           // zone
    PutF(golden, f);
  PutI(golden, 0);
  PutI(golden, -1);
  ASSERT_EQ(golden.size(), 120u);
  EXPECT_EQ(RecordBytes(Fresh()), golden);
}

TEST(PlacementRecord, FileRecordRoundTripsBitForBit) {
  t_MBase1 a = Fresh();
  a.Pos(1234.5f, 17.25f, 88.125f);
  a.setMatr(12.5f, 271.0f, 7.0f);
  a.setGbr(3, 4, 5);
  a.Skor(-0.25f);
  a.hiYSet(150);
  a.lowYSet(-5);
  SetStdMonolitZoneXZ(a.zoneMinX, a.zoneMinZ, a.zoneMaxX, a.zoneMaxZ, 20);
  a.zoneOn = 1;
  a.targetYaw = 93;
  std::vector<uint8_t> bytes = RecordBytes(a);

  FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  t_MBase1 b = Fresh();
  EXPECT_EQ(b.FromFile(f), 1);
  std::fclose(f);
  EXPECT_EQ(RecordBytes(b), bytes);
  EXPECT_FLOAT_EQ(b.Skor(), 0.25f);
}

TEST(PlacementRecord, ShortRecordReportsItAndNullFilesDoNothing) {
  std::vector<uint8_t> bytes = RecordBytes(Fresh());
  FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, 119, f);
  std::rewind(f);
  t_MBase1 b = Fresh();
  EXPECT_EQ(b.FromFile(f), 0);
  std::fclose(f);
  EXPECT_EQ(b.AddToFile(nullptr), 0);
  EXPECT_EQ(b.FromFile(nullptr), 0);
}

TEST(PlacementRecord, HeightLimitsClampEveryPositionChange) {
  t_MBase1 m = Fresh();
  m.Pos(10, 500, 10);
  EXPECT_FLOAT_EQ(m.posy(), 300);
  m.Pos(10, -200, 10);
  EXPECT_FLOAT_EQ(m.posy(), -100);
  m.hiYSet(10);
  m.lowYSet(20);
  EXPECT_FLOAT_EQ(m.posy(), -100) << "setting the limits clamps nothing at once";
  m.Pos(5, 0, 5);
  EXPECT_FLOAT_EQ(m.posy(), 20) << "crossed limits: the lower one wins";
  m.PosY(-50);
  EXPECT_FLOAT_EQ(m.posy(), 20);
}

TEST(PlacementRecord, ZoneKeepsXAndZInside) {
  t_MBase1 m = Fresh();
  SetStdMonolitZoneXZ(m.zoneMinX, m.zoneMinZ, m.zoneMaxX, m.zoneMaxZ, 20);
  EXPECT_FLOAT_EQ(m.zoneMinX, 200);
  EXPECT_FLOAT_EQ(m.zoneMaxZ, 3800);
  m.zoneOn = 1;
  m.Pos(0, 50, 5000);
  EXPECT_FLOAT_EQ(m.posx(), 200);
  EXPECT_FLOAT_EQ(m.posz(), 3800);
  m.PosY(50);
  m.hiYSet(10);
  m.Pos(-1, 9000);
  EXPECT_FLOAT_EQ(m.posx(), 200);
  EXPECT_FLOAT_EQ(m.posz(), 3800);
  EXPECT_FLOAT_EQ(m.posy(), 50) << "Pos(x, z) applies the zone only";
  m.PosEff(1234, -5);
  EXPECT_FLOAT_EQ(m.posx(), 1234);
  EXPECT_FLOAT_EQ(m.posz(), 200);
}

TEST(PlacementRecord, Move2DStaysFlatAndClampsToTheZoneOnly) {
  t_MBase1 m = Fresh();
  m.Pos(1000, 40, 1000);
  m.setMatr(30, 90, 0);
  m.Skor(1);
  m.Move2D(1, 10);
  EXPECT_FLOAT_EQ(m.posy(), 40);
  EXPECT_NEAR(m.posx(), 1010, 0.01);
  EXPECT_NEAR(m.posz(), 1000, 0.01);
  m.fwd = vec3(0, 1, 0);  // forward straight up
  vec3 before = m.Pos();
  m.Move2D(1, 10);
  EXPECT_EQ(m.posx(), before.x);
  EXPECT_EQ(m.posz(), before.z);
  m.setMatr(0, 0, 0);
  m.Move(1, 1000);  // up along cap, then clamped
  EXPECT_FLOAT_EQ(m.posy(), 300);
}

TEST(PlacementRecord, AxesFromAnglesWithSmallRollIgnored) {
  t_MBase1 m = Fresh();
  m.setMatr(0, 90, 0);
  EXPECT_NEAR(m.Fwd().x, 1, 1e-3);
  EXPECT_NEAR(m.Fwd().z, 0, 1e-3);
  m.setMatr(0, 30, 2);
  float cy = std::cos(30 * 0.01745f), sy = std::sin(30 * 0.01745f);
  EXPECT_FLOAT_EQ(m.Wing().x, cy);
  EXPECT_FLOAT_EQ(m.Wing().y, 0);
  EXPECT_FLOAT_EQ(m.Wing().z, -sy);
  m.setMatr(0, 30, 4);
  EXPECT_LT(m.Wing().y, -0.05f) << "a roll of 4 degrees tilts the side axis";
  m.setMatr(20, 0, 0);
  EXPECT_GT(m.Fwd().y, 0.3f) << "positive pitch raises the forward axis";
}

TEST(PlacementRecord, BoxCornersAndNearTest) {
  t_MBase1 m = Fresh();
  m.Pos(10, 20, 30);
  m.setGbr(1, 2, 3);
  EXPECT_FLOAT_EQ(m.cGbr(1).x, 11);
  EXPECT_FLOAT_EQ(m.cGbr(1).y, 22);
  EXPECT_FLOAT_EQ(m.cGbr(1).z, 33);
  EXPECT_FLOAT_EQ(m.cGbr(7).x, 9);
  EXPECT_FLOAT_EQ(m.cGbr(7).y, 18);
  EXPECT_FLOAT_EQ(m.cGbr(7).z, 27);
  EXPECT_FLOAT_EQ(m.cGbr(6).z, 27);
  EXPECT_FLOAT_EQ(m.cGbr(0).x + m.cGbr(0).y + m.cGbr(0).z, 0);
  EXPECT_FLOAT_EQ(m.cGbr(9).x + m.cGbr(9).y + m.cGbr(9).z, 0);
  EXPECT_EQ(m.PosNear2D(vec3(15, 999, 35), 5), 1) << "edges are inside";
  EXPECT_EQ(m.PosNear2D(vec3(15.01f, 0, 30), 5), 0);
}

TEST(PlacementRecord, ReverseHeading) {
  t_MBase1 m = Fresh();
  m.setMatr(0, 270, 0);
  EXPECT_FLOAT_EQ(m.YRotAnti(), 90);
  m.setMatr(0, 0, 0);
  EXPECT_FLOAT_EQ(m.YRotAnti(), 180);
}

TEST(PlacementRecord, TurnsStepByStepUntilFacingThePoint) {
  GFrameTime = 1;
  t_MBase1 m = Fresh();
  m.Pos(1000, 0, 1000);
  EXPECT_EQ(m.AnTurnTo(vec3(1005, 0, 1000), 10), 0);
  EXPECT_FLOAT_EQ(m.YRot(), 0) << "a point 5 units away is left alone";

  int calls = 0, done = 0;
  while (!done && calls < 100) {
    done = m.AnTurnTo(vec3(1100, 0, 1000), 10);
    ++calls;
    if (!done) {
      EXPECT_EQ(m.wPovorot(), 1);
    }
  }
  EXPECT_EQ(done, 1);
  EXPECT_EQ(calls, 9) << "eight steps of 10 degrees; the ninth comes within 2 of 90";
  EXPECT_FLOAT_EQ(m.YRot(), 90);

  int mode = 0;
  m.setMatr(0, 0, 0);
  EXPECT_EQ(m.A2TurnTo(mode, vec3(1000, 0, 1100), 5, 8), 1) << "already facing +z";
  EXPECT_EQ(m.targetYaw, 0);
}

// Angles and positions from wild values reach ints through the saturating
// conversion: not a number gives 0, values beyond an int its bounds (a plain
// cast is undefined there, and the sanitizer build stops on it).
TEST(PlacementRecord, WildValuesNeverBreakTheTurns) {
  EXPECT_EQ(PosToInt(NAN), 0);
  EXPECT_EQ(PosToInt(1e30f), INT32_MAX);
  EXPECT_EQ(PosToInt(-1e30f), INT32_MIN);
  EXPECT_EQ(PosToInt(2147483648.0f), INT32_MAX);
  EXPECT_EQ(PosToInt(-2147483648.0f), INT32_MIN);
  EXPECT_EQ(PosToInt(-7.9f), -7);
  t_MBase1 m = Fresh();
  m.Pos(NAN, 0, 1e30f);
  int mode = 0;
  m.A2TurnTo(mode, vec3(1e38f, 0, -1e38f), 5, 8);
  EXPECT_GE(m.targetYaw, 0);
  EXPECT_LE(m.targetYaw, 360);
  m.targetYaw = 77;
  m.ViewToPoint_PlavnoDoneY(0, 5, vec3(NAN, 0, NAN));
  EXPECT_EQ(m.targetYaw, 0) << "a direction that is not a number turns toward 0";
  m.yaw = 1e30f;  // an angle beyond an int: saturated, not undefined
  m.ViewToPoint_PlavnoDoneY(1, 5, vec3(0, 0, 0));
  EXPECT_EQ(m.targetYaw, 0);
}
