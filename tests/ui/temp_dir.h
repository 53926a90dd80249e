// A fresh working directory for one test: files the test writes and the log
// the code under test appends to stay apart from other tests run at once.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/common/temp_dir.h"

struct ScopedTempDir : TempDir {
  // Writes bytes as they stand (the test spells out its CR LF).
  static void Write(const std::string& name, const std::string& bytes) {
    std::ofstream f(name, std::ios::binary);
    f << bytes;
  }
  static std::string Log() {
    std::ifstream f("log.txt", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
};
