// Every test leaves the settings as it found them: both tables are kept when
// a test starts and put back when it ends, so that no test sees what another
// set, in whatever order they run (--gtest_shuffle).
#include <gtest/gtest.h>

#include <cstring>

#include "ui/settings.h"

namespace {

class SettingsKeeper : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    std::memcpy(ints_, org2n, sizeof ints_);
    std::memcpy(floats_, orgFn, sizeof floats_);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    std::memcpy(org2n, ints_, sizeof ints_);
    std::memcpy(orgFn, floats_, sizeof floats_);
  }
  int ints_[org2n_Count] = {};
  float floats_[orgFn_Count] = {};
};

const bool kKeeping = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new SettingsKeeper);
  return true;
}();

}  // namespace
