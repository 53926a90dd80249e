// A copy of the project's data set (its tracked files, tools/copy-data) in a
// fresh temporary folder made current for the life of the object: tests that
// run the loaders of the default data set write their logs there, never into
// the checkout's data/.
#pragma once

#include <cstdlib>
#include <string>

#include "tests/common/temp_dir.h"

class DataCopy : public TempDir {
 public:
  DataCopy() {
    std::string cmd = std::string(VELMAR_SOURCE_DIR) + "/tools/copy-data '" + dir() + "'";
    copied_ = Ok() && std::system(cmd.c_str()) == 0;
  }
  bool Copied() const { return copied_; }

 private:
  bool copied_ = false;
};
