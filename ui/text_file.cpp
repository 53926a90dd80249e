#include "ui/text_file.h"

#include <cstdio>

void DropCrBeforeLf(const char* data, size_t n, std::string& out) {
  out.clear();
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n') continue;
    out.push_back(data[i]);
  }
}

bool ReadFileBytes(const char* name, std::string& out) {
  out.clear();
  if (!name || !*name) return false;
  FILE* f = std::fopen(name, "rb");
  if (!f) return false;
  char buf[4096];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof(buf), f)) > 0) out.append(buf, got);
  std::fclose(f);
  return true;
}

bool ReadTextFile(const char* name, std::string& out) {
  std::string raw;
  if (!ReadFileBytes(name, raw)) {
    out.clear();
    return false;
  }
  DropCrBeforeLf(raw.data(), raw.size(), out);
  return true;
}
