#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/core.h"
#include "ui/ui.h"

namespace {

// UTC is 29 April 2008 14:05:09; local time is 5 January 2009 03:04:05.
void FixedClock(int local, t_SysTime& t) {
  t = local ? t_SysTime{2009, 1, 1, 5, 3, 4, 5, 0} : t_SysTime{2008, 4, 2, 29, 14, 5, 9, 0};
}

struct DateTest : ::testing::Test {
  void SetUp() override { sysSetWallClock(FixedClock); }
  void TearDown() override { sysSetWallClock(nullptr); }
};

TEST_F(DateTest, DateLayouts) {
  EXPECT_EQ(SysDateString(2, 0), "2008_04_29_14_05_09");
  EXPECT_EQ(SysDateString(1002, 0), "2009_01_05_03_04_05");
  EXPECT_EQ(SysDateString(0, 0), "29_m4_2008");
  EXPECT_EQ(SysDateString(-7, 0), "29_m4_2008");
  EXPECT_EQ(SysDateString(3, 1), "");
  EXPECT_EQ(SysDateString(1003, 1), "");
  *o2::EngText = 1;
  EXPECT_EQ(SysDateString(1, 0), "2008_Apr-29");
  *o2::EngText = 0;
  EXPECT_EQ(SysDateString(1, 1), "2008_Apr-29");
  EXPECT_EQ(SysDateString(1, 0), "2008_\xC0\xEF\xF0-29");  // cp1251
  EXPECT_EQ(SysDateString(1001, 1), "2009_Jan-5");
}

TEST_F(DateTest, TimeLayouts) {
  EXPECT_EQ(SysTimeString(1), "14h_5min_9sec");
  EXPECT_EQ(SysTimeString(2), "14:05");
  EXPECT_EQ(SysTimeString(-1), "1459");
  EXPECT_EQ(SysTimeString(0), "14_5m_9s");
  EXPECT_EQ(SysTimeString(1002), "03:04");
  EXPECT_EQ(SysTimeString(1000), "3_4m_5s");
}

TEST_F(DateTest, StampTagsTellTheClocks) {
  EXPECT_STREQ(MixDateCh(0, 0, 1), "29_m4_2008<Gr>14_5m_9s");
  EXPECT_STREQ(MixDateCh(1000, 0, 1), "5_m1_2009<DGr_14_5m_9s");
  EXPECT_STREQ(MixDateCh(0, 1000, 1), "29_m4_2008_TGr>3_4m_5s");
  EXPECT_STREQ(MixDateCh(1000, 1000, 1), "5_m1_2009<Loc>3_4m_5s");
  EXPECT_STREQ(MixDateChLoc(1), "5_m1_2009<Loc>3_4m_5s");
  char* s = MixDateCh(3, 0, 1);
  EXPECT_EQ(s, general_datetime);
  EXPECT_STREQ(s, "<Gr>14_5m_9s");
  for (size_t i = std::strlen(s); i < sizeof(general_datetime); i++) ASSERT_EQ(general_datetime[i], 0);
}

TEST(DateRealClock, ReadsTheSystemClock) {
  std::string s = SysDateString(2, 1);
  ASSERT_EQ(s.size(), 19u);
  EXPECT_GE(std::stoi(s.substr(0, 4)), 2024);
}

}  // namespace
