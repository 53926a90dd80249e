// A working directory of its own for a fuzz target (made once, entered, kept
// for the run) and whole-file writes into it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline void FuzzEnterScratch() {
  static bool entered = false;
  if (entered) return;
  char tmpl[] = "/tmp/velmar_fuzz_XXXXXX";
  if (!mkdtemp(tmpl) || chdir(tmpl) != 0) std::abort();
  entered = true;
}

inline void FuzzWrite(const char* path, const std::string& bytes) {
  FILE* f = std::fopen(path, "wb");
  if (!f) std::abort();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}
