// Shared helpers of the foundation tests: a temporary working directory per
// test and whole-file reads.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/common/temp_dir.h"

// Makes a fresh directory, enters it for the test and removes it afterwards.
class TmpDirTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(tmp_.Ok()); }
  std::string Path(const std::string& name) const { return tmp_.Path(name); }
  TempDir tmp_;
  const std::string dir_ = tmp_.dir();
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}
