#include <gtest/gtest.h>

#include <string>

#include "core/core.h"
#include "ui/ui.h"

namespace {

int64_t gFakeNanos = 0;
int64_t FakeMono() { return gFakeNanos; }

struct FakeClock : ::testing::Test {
  void SetUp() override { sysSetMonoClock(FakeMono); }
  void TearDown() override {
    sysSetMonoClock(nullptr);
    gMilli = 1;
    GFrameTime = 1;
  }
};

TEST_F(FakeClock, MillisecondsSinceTimerInit) {
  gFakeNanos = 5000000000LL;
  *o2::UseQueryPF = 0;
  TimerInit();
  EXPECT_EQ(*o2::UseQueryPF, 1);
  EXPECT_EQ(timerQPerf.counterFlag, 1);
  gFakeNanos += 1234999999;
  EXPECT_EQ(QueryPFTik(), 1234);
  EXPECT_EQ(sysTime(), 1234u);
  *o2::UseQueryPF = 0;  // the tick count since the system started
  EXPECT_EQ(sysTime(), 6234u);
  EXPECT_EQ(sysTickCount(), 6234u);
}

TEST_F(FakeClock, IntervalMeterFiresOncePerPeriod) {
  gMilli = 5000;
  t_Mej m;
  EXPECT_EQ(m.period, 1000u);
  float f = -1;
  EXPECT_EQ(m.aTry(f), 0);
  gMilli = 6000;
  EXPECT_EQ(m.aTry(f), 0);
  EXPECT_EQ(f, -1);
  gMilli = 6001;
  EXPECT_EQ(m.aTry(f), 1);
  EXPECT_FLOAT_EQ(f, 1.001f);
  EXPECT_EQ(m.aTry(f), 0);  // once per frame
  gMilli = 7001;
  EXPECT_EQ(m.aTry(f), 0);
  gMilli = 8501;
  EXPECT_EQ(m.aTry(f), 1);
  EXPECT_FLOAT_EQ(f, 2.5f);
  m.period = 0;
  gMilli = 8502;
  EXPECT_EQ(m.aTry(f), 1);
  EXPECT_FLOAT_EQ(f, 1.0f);  // a zero period stays finite
}

TEST_F(FakeClock, FrameTimeStepsAndCountDowns) {
  GFrameTime = 1;
  EXPECT_EQ(zn::FrT(0.5f), 0.5f);
  GFrameTime = 16;
  EXPECT_EQ(zn::FrT(0.5f), 8.0f);
  int t = 30;
  EXPECT_EQ(zn::ToZeroi(t), 0);
  EXPECT_EQ(t, 14);
  EXPECT_EQ(zn::ToZeroi(t), 1);
  EXPECT_EQ(t, 0);
  EXPECT_EQ(zn::ToZeroi(t), 1);
  EXPECT_EQ(t, 0);
  t = 20;
  zn::ToZero(t);
  EXPECT_EQ(t, 4);
  zn::ToZero(t);
  EXPECT_EQ(t, 0);
  t = -5;
  zn::ToZero(t);
  EXPECT_EQ(t, -5);
  int step = 3;
  t = 4;
  zn::ToZero(t, step);
  EXPECT_EQ(t, 1);
  zn::ToZero(t, step);
  EXPECT_EQ(t, 0);
  int r = 0;
  EXPECT_EQ(zn::res1(7, r), 1);
  EXPECT_EQ(r, 7);
}

TEST(DiskSpace, ElevenDecimalMegabytesNeeded) {
  *o2::UserDirFreeSpaceMB = -1;
  EXPECT_EQ(HDD_FreeSpaceOf(10999999, 50000000, 0), 0);
  EXPECT_EQ(*o2::UserDirFreeSpaceMB, -1);
  EXPECT_EQ(HDD_FreeSpaceOf(11000000, 50000000, 1), 1);
  EXPECT_EQ(*o2::UserDirFreeSpaceMB, 11);
  EXPECT_EQ(*o2::UserDirTotalSpaceMB, 50);
  EXPECT_EQ(HDD_FreeSpace("/tmp", 1), 1);
  EXPECT_GT(*o2::UserDirTotalSpaceMB, 0);
  EXPECT_EQ(HDD_FreeSpace("a", 1), 0);
  EXPECT_EQ(HDD_FreeSpace("", 1), 0);
  EXPECT_EQ(HDD_FreeSpace(nullptr, 1), 0);
  EXPECT_EQ(HDD_FreeSpace("/no/such/dir/x", 1), 0);
}

TEST(PathNames, FolderEndsAndCuts) {
  std::string p;
  EXPECT_EQ(ReConstrFolderEnd(p), 0);
  EXPECT_EQ(p, "");
  for (auto [in, out] : {std::pair<std::string, std::string>{"/", "//"}, {"a", "a/"}, {"dir", "dir/"},
                         {"dir/", "dir/"}, {"dir\\", "dir\\"}}) {
    p = in;
    EXPECT_EQ(ReConstrFolderEnd(p), 1);
    EXPECT_EQ(p, out);
  }
  p = "/x";
  EXPECT_EQ(GetFolderFromFullName(p), 0);
  EXPECT_EQ(p, "/x");
  p = "a\\b";
  EXPECT_EQ(GetFolderFromFullName(p), 1);
  EXPECT_EQ(p, "a/");
  p = "a/b/c.txt";
  EXPECT_EQ(GetFolderFromFullName(p), 1);
  EXPECT_EQ(p, "a/b/");
  p = "abc";
  EXPECT_EQ(GetFolderFromFullName(p), 0);
  EXPECT_EQ(SetFileName00("x"), 1);
  EXPECT_EQ(GlobalFileName00.c[0], 0);
  EXPECT_EQ(SetFileName00("name.bin"), 8);
  EXPECT_STREQ(GlobalFileName00.c, "name.bin");
  EXPECT_EQ(SetFileName00(std::string(400, 'n')), 255);
}

}  // namespace
