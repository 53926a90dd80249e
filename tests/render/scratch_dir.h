// A fresh working directory for one test (entered on construction, left and
// removed on destruction), and the default data set of the source tree.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/core/test_util.h"

class ScratchDir {
 public:
  ScratchDir() {
    char tmpl[] = "/tmp/velmar_render2_XXXXXX";
    if (mkdtemp(tmpl)) dir_ = tmpl;
    old_ = std::filesystem::current_path();
    if (!dir_.empty()) std::filesystem::current_path(dir_);
  }
  ~ScratchDir() {
    std::filesystem::current_path(old_);
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  bool Ok() const { return !dir_.empty(); }
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
    std::filesystem::path p = std::filesystem::path(dir_) / path;
    std::filesystem::create_directories(p.parent_path());
    WriteAll(p.string(), bytes);
  }

 private:
  std::string dir_;
  std::filesystem::path old_;
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
