// A fresh working directory for one test (entered on construction, left and
// removed on destruction), and the default data set of the source tree.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/common/temp_dir.h"
#include "tests/core/test_util.h"

class ScratchDir : public TempDir {
 public:
  // Writes a file below the directory (folders made as needed); text given
  // with LF lines is written with CR LF.
  void Text(const std::string& path, const std::string& lf) const {
    std::string crlf;
    for (char c : lf) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    Bytes(path, crlf);
  }
  void Bytes(const std::string& path, const std::string& bytes) const {
    std::filesystem::path p = std::filesystem::path(dir()) / path;
    std::filesystem::create_directories(p.parent_path());
    WriteAll(p.string(), bytes);
  }

};

// The default data set of the source tree (the system directory of the game).
inline std::string SourceData() { return std::string(VELMAR_SOURCE_DIR) + "/data"; }

// Enters a directory for the life of the object.
class EnterDir {
 public:
  explicit EnterDir(const std::string& dir) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~EnterDir() { std::filesystem::current_path(old_); }
  EnterDir(const EnterDir&) = delete;
  EnterDir& operator=(const EnterDir&) = delete;

 private:
  std::filesystem::path old_;
};
