// Every test program runs in a fresh folder of its own, removed at its end:
// what a test writes to the working directory it was started in (the log the
// code under test appends to) stays apart from the build folder and from
// other test programs run at the same time from there.
#include <gtest/gtest.h>

#include <optional>

#include "tests/common/temp_dir.h"

namespace {

class OwnFolder : public ::testing::Environment {
  void SetUp() override { dir_.emplace(); }
  void TearDown() override { dir_.reset(); }
  std::optional<TempDir> dir_;
};

const auto* const kOwnFolder = ::testing::AddGlobalTestEnvironment(new OwnFolder);

}  // namespace
