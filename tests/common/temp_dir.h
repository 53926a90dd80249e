// A fresh directory under /tmp, made current for the life of the object and
// removed afterwards (the previous directory is restored first). Files a test
// writes, and the log the code under test appends to, stay apart from other
// tests running at the same time.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

class TempDir {
 public:
  TempDir() : old_(std::filesystem::current_path()) {
    char tmpl[] = "/tmp/velmar_test_XXXXXX";
    if (mkdtemp(tmpl)) {
      dir_ = tmpl;
      std::filesystem::current_path(dir_);
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  bool Ok() const { return !dir_.empty(); }
  const std::string& dir() const { return dir_; }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

 private:
  std::string dir_;
  std::filesystem::path old_;
};
