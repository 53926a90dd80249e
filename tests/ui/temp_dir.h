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

struct ScopedTempDir {
  std::filesystem::path dir, old;
  ScopedTempDir() {
    old = std::filesystem::current_path();
    char tmpl[] = "/tmp/velmar-text-XXXXXX";
    dir = mkdtemp(tmpl);
    std::filesystem::current_path(dir);
  }
  ~ScopedTempDir() {
    std::filesystem::current_path(old);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
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
