// The registry's tables: the clamps and read-only queries the settings editor
// relies on, and the generated name table against the settings files the
// data set ships (every named setting has its record there, under its id).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>

#include "core/core.h"
#include "ui/ui.h"

namespace {

struct IntClamp {
  int id, lo, hi;
};
struct FloClamp {
  int id;
  float lo, hi;
};

}  // namespace

TEST(Registry, IntClampsBringValuesIntoRangeAndLeaveOthersAlone) {
  const IntClamp clamps[] = {{26, 0, 25}, {54, 1, 20}, {97, 0, 500}, {114, 0, 1}};
  for (const IntClamp& c : clamps) {
    SCOPED_TRACE(c.id);
    for (int v : {c.lo - 1000, c.lo - 1, c.lo, (c.lo + c.hi) / 2, c.hi, c.hi + 1, std::numeric_limits<int>::max(),
                  std::numeric_limits<int>::min()}) {
      org2n[c.id] = v;
      org2_PrrInt(c.id);
      EXPECT_EQ(org2n[c.id], v < c.lo ? c.lo : v > c.hi ? c.hi : v) << v;
    }
  }
  // Ids without a clamp, and ids outside the table, are left alone.
  for (int id : {3, 25, 27, 436}) {
    org2n[id] = 900;
    org2_PrrInt(id);
    EXPECT_EQ(org2n[id], 900) << id;
  }
  org2_PrrInt(0);
  org2_PrrInt(437);
  org2_PrrInt(-5);
  *o2::SvKvdAlfWaitSta = 900;  // the case a settings file can make
  org2_PrrInt(97);
  EXPECT_EQ(*o2::SvKvdAlfWaitSta, 500);
}

TEST(Registry, FloatClampsKeepNaNAndTheirOwnBounds) {
  const FloClamp clamps[] = {{8, 0.0f, 1.0f},  {11, 0.0f, 1.0f}, {19, 0.0f, 1.0f}, {21, 0.1f, 1.0f},
                             {24, 0.1f, 1.0f}, {300, 0.333456f, 0.3421f},        {301, 0.0f, 1.0f},
                             {309, 0.0f, 1.0f}, {351, 0.0f, 0.1f}};
  for (const FloClamp& c : clamps) {
    SCOPED_TRACE(c.id);
    for (float v : {-1e30f, c.lo - 0.01f, c.lo, c.hi, c.hi + 0.01f, 1e30f, -std::numeric_limits<float>::infinity(),
                    std::numeric_limits<float>::infinity()}) {
      orgFn[c.id] = v;
      orgF_PrrFlo(c.id);
      EXPECT_EQ(orgFn[c.id], v < c.lo ? c.lo : v > c.hi ? c.hi : v) << v;
    }
    orgFn[c.id] = std::nanf("");
    orgF_PrrFlo(c.id);
    EXPECT_TRUE(std::isnan(orgFn[c.id]));
  }
  for (int id : {9, 10, 20, 25, 299, 310, 350, 352, 406}) {
    orgFn[id] = 7.0f;
    orgF_PrrFlo(id);
    EXPECT_EQ(orgFn[id], 7.0f) << id;
  }
  *o3::fName300 = 0.3f;
  orgF_PrrFlo(300);
  EXPECT_EQ(*o3::fName300, 0.333456f);
  *o3::d1BashZ = 0.5f;
  orgF_PrrFlo(351);
  EXPECT_EQ(*o3::d1BashZ, 0.1f);
}

TEST(Registry, ReadOnlyQueries) {
  // Every read-only setting, and every id outside the tables, answers 1.
  int readOnly = 0;
  for (int id = -3; id <= 440; ++id) readOnly += org2_ReadOut(id);
  EXPECT_EQ(readOnly, 53 + 4 + 4);  // 53 named, ids -3..0 and 437..440
  for (int id : {1, 2, 6, 11, 30, 74, 147, 300, 315}) EXPECT_EQ(org2_ReadOut(id), 1) << id;
  for (int id : {3, 4, 5, 26, 54, 97, 114, 148, 301, 386, 436}) EXPECT_EQ(org2_ReadOut(id), 0) << id;
  int floReadOnly = 0;
  for (int id = 0; id <= 407; ++id) floReadOnly += orgF_ReadOut(id);
  EXPECT_EQ(floReadOnly, 1 + 2);  // spePLiftYSrc, ids 0 and 407
  EXPECT_EQ(orgF_ReadOut(317), 1);
  EXPECT_EQ(orgF_ReadOut(316), 0);
  EXPECT_EQ(orgF_ReadOut(406), 0);
}

// The records of the shipped main settings file: name -> (type, id).
std::map<std::string, std::pair<std::string, int>> ShippedRecords() {
  std::map<std::string, std::pair<std::string, int>> out;
  std::ifstream f(std::string(VELMAR_SOURCE_DIR) + "/data/base/__orgmix.txt", std::ios::binary);
  std::string line, type, name, values;
  while (TextGetLine(f, line)) {
    if (TextTrimS(line).rfind("//==", 0) != 0) continue;
    TextGetLine(f, type);
    TextGetLine(f, name);
    TextGetLine(f, values);
    out[TextTrimS(name)] = {TextTrimS(type), std::stoi(values)};
  }
  return out;
}

TEST(Registry, NameTableMatchesTheShippedSettingsFiles) {
  auto records = ShippedRecords();
  ASSERT_EQ(records.size(), 274u);
  ASSERT_EQ(std::size(org2_Names), 213u);
  ASSERT_EQ(std::size(orgF_Names), 61u);
  for (const t_OrgNameRec& n : org2_Names) {
    auto r = records.find(n.name);
    ASSERT_NE(r, records.end()) << n.name;
    EXPECT_EQ(r->second.first, "int") << n.name;
    EXPECT_EQ(r->second.second, n.id) << n.name;
  }
  for (const t_OrgNameRec& n : orgF_Names) {
    auto r = records.find(n.name);
    ASSERT_NE(r, records.end()) << n.name;
    EXPECT_EQ(r->second.first, "float") << n.name;
    EXPECT_EQ(r->second.second, n.id) << n.name;
  }
  // The references point where their ids say.
  EXPECT_EQ(o2::NeedExit, &org2n[3]);
  EXPECT_EQ(o2::EngText, &org2n[5]);
  EXPECT_EQ(o2::NomScreen, &org2n[74]);
  EXPECT_EQ(o2::guiBokaH, &org2n[386]);
  EXPECT_EQ(o3::SkyR, &orgFn[11]);
  EXPECT_EQ(o3::spePLiftYSrc, &orgFn[317]);
  EXPECT_EQ(o3::ttGunY, &orgFn[356]);
}

// Each of the two runs finds neither mark that the other may have left: both
// tables are put back when a test ends, in whatever order the runs come.
class SettingsKeeping : public ::testing::TestWithParam<int> {};
TEST_P(SettingsKeeping, NoTestSeesWhatAnotherSet) {
  EXPECT_NE(org2n[7], 0x5EED);
  EXPECT_NE(orgFn[7], 1234.5f);
  org2n[7] = 0x5EED;
  orgFn[7] = 1234.5f;
}
INSTANTIATE_TEST_SUITE_P(Twice, SettingsKeeping, ::testing::Values(1, 2));

// ctest runs every test in a process of its own, where the two runs above
// never meet: here this binary runs both of them in one process.
TEST(SettingsKeepingInOneProcess, BothRunsPass) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string cmd = "'" + self + "' --gtest_filter='Twice/SettingsKeeping.*' 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string out;
  char buf[512];
  while (fgets(buf, sizeof buf, p)) out += buf;
  const int status = pclose(p);
  // Both must have run and passed: a filter that selects nothing exits with 0 too.
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0 && out.find("[  PASSED  ] 2 tests.") != std::string::npos)
      << out;
}
